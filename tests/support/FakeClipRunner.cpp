// A stand-in for the playback tool in tests of the player session: it takes the tool's command
// line, reports to the owner window with event blocks carrying its status record, and obeys
// the commands. It plays nothing: its media is a clock.
//
//   KAVRI_FAKE_RUNNER_MODE   (unset)  plays KAVRI_FAKE_RUNNER_MS of media (default 1000)
//                            endless  plays until it is stopped
//                            deaf     ignores the stop command and stop replies; plays until killed
//                            hang     stops answering anything once it plays; ends when killed
//                            silent   exits 0 at once without reporting anything
//   KAVRI_FAKE_RUNNER_LOG    file that gets one line per run ("args ..."), per command
//                            ("command CODE ARG1 ARG2 TEXT-LENGTH") and at its own end
//                            ("exit CODE"; a killed tool writes none)
//
// It does not echo the owner fields of the status record. Started without arguments it
// creates "<its own path>.started" and exits 0.
#include "mediatools/PlayerStatus.h"
#include <windows.h>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

const UINT WM_SEND_PAUSE_CHANGED = WM_APP + 1;
const UINT WM_STOP_PLAYING = WM_APP + 2;
const UINT_PTR kClockTimer = 1;
const int kTickMs = 50;

struct Fake {
    std::wstring mode;
    std::wstring logPath;
    HWND owner = nullptr;
    uint64_t context = 0;
    HWND window = nullptr;
    bool paused = false;
    bool stopRequested = false;
    bool stopping = false;
    int ticks = 0;
    PlayerStatus status;
};

Fake g_fake;

std::wstring Env(const wchar_t* name)
{
    wchar_t value[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH);
    return n > 0 && n < MAX_PATH ? value : L"";
}

// Appends the line in UTF-8.
void Log(const std::wstring& line)
{
    if (g_fake.logPath.empty())
        return;
    std::wstring text = line + L"\n";
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(bytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &utf8[0], bytes, nullptr, nullptr);
    HANDLE file = CreateFileW(g_fake.logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    CloseHandle(file);
}

// "H:MM:SS.mmm" as the session writes it, in microseconds.
int64_t ParseTime(const wchar_t* text)
{
    int h = 0, m = 0, s = 0, ms = 0;
    swscanf(text, L"%d:%d:%d.%d", &h, &m, &s, &ms);
    return ((h * 3600LL + m * 60 + s) * 1000 + ms) * 1000;
}

bool Deaf()
{
    return g_fake.mode == L"deaf";
}

// Sends one event; a reply of 20 asks this tool to stop.
void Send(int32_t event, int32_t flag = 0)
{
    if (!g_fake.owner)
        return;
    static PlayerEventBlock block;
    memset(&block, 0, sizeof(block));
    block.Context = g_fake.context;
    block.Event = event;
    block.Flag = flag;
    block.Status = g_fake.status;
    COPYDATASTRUCT cds = {PLAYER_MSG_EVENT, sizeof(block), &block};
    LRESULT reply = SendMessageW(g_fake.owner, WM_COPYDATA, reinterpret_cast<WPARAM>(g_fake.window),
                                 reinterpret_cast<LPARAM>(&cds));
    if (reply == PLAYER_CMD_STOP && !Deaf() && !g_fake.stopRequested) {
        g_fake.stopRequested = true;
        PostMessageW(g_fake.window, WM_STOP_PLAYING, 0, 0);
    }
}

void Finish(int code)
{
    KillTimer(g_fake.window, kClockTimer);
    Send(PLAYER_EVENT_FINISHED);
    PostQuitMessage(code);
}

void Tick()
{
    if (g_fake.stopping || g_fake.paused)
        return;
    g_fake.status.PositionInUs += kTickMs * 1000;
    bool ended = g_fake.status.DurationInUs > 0 && g_fake.status.PositionInUs >= g_fake.status.DurationInUs;
    if (ended) {
        g_fake.status.PositionInUs = g_fake.status.DurationInUs;
        Send(PLAYER_EVENT_END_OF_MEDIA);
        Finish(0);
        return;
    }
    if (++g_fake.ticks % 2 == 0)
        Send(PLAYER_EVENT_PROGRESS);
}

void Seek(int64_t position, int64_t mode)
{
    int64_t target = mode == 1 ? g_fake.status.PositionInUs + position : position;
    if (target < 0)
        target = 0;
    if (g_fake.status.DurationInUs > 0 && target > g_fake.status.DurationInUs)
        target = g_fake.status.DurationInUs;
    g_fake.status.PositionInUs = target;
}

LRESULT Command(const COPYDATASTRUCT* cds)
{
    PlayerCommandBlock block;
    if (!cds || cds->dwData != PLAYER_MSG_COMMAND || cds->cbData != sizeof(block) || !cds->lpData)
        return -1;
    memcpy(&block, cds->lpData, sizeof(block));
    if (block.ToolContext != g_fake.status.ToolContext)
        return -1;
    Log(L"command " + std::to_wstring(block.Command) + L" " + std::to_wstring(block.Argument1) + L" " +
        std::to_wstring(block.Argument2) + L" " + std::to_wstring(strnlen(block.Text, sizeof(block.Text))));
    switch (block.Command) {
    case PLAYER_CMD_TOGGLE_PAUSE:
        g_fake.paused = !g_fake.paused;
        PostMessageW(g_fake.window, WM_SEND_PAUSE_CHANGED, 0, 0);
        return 0;
    case PLAYER_CMD_STOP:
        if (!Deaf() && !g_fake.stopRequested) {
            g_fake.stopRequested = true;
            PostMessageW(g_fake.window, WM_STOP_PLAYING, 0, 0);
        }
        return 0;
    case PLAYER_CMD_SEEK:
        Seek(block.Argument1, block.Argument2);
        return 0;
    case PLAYER_CMD_MUTE:
    case PLAYER_CMD_VOLUME:
        return 0;
    default:
        return -1;
    }
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_COPYDATA:
        return Command(reinterpret_cast<const COPYDATASTRUCT*>(lp));
    case WM_TIMER:
        Tick();
        return 0;
    case WM_SEND_PAUSE_CHANGED:
        Send(PLAYER_EVENT_PAUSE_CHANGED, g_fake.paused ? 1 : 0);
        return 0;
    case WM_STOP_PLAYING:
        if (!g_fake.stopping) {
            g_fake.stopping = true;
            Send(PLAYER_EVENT_STOPPING);
            Finish(0);
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

void ReadArguments(int argc, wchar_t** argv)
{
    std::wstring line = L"args";
    for (int i = 1; i < argc; i++) {
        line += L" ";
        line += argv[i];
        if (i + 1 >= argc)
            continue;
        if (wcscmp(argv[i], L"-owner_window") == 0)
            g_fake.owner = reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoull(argv[i + 1], nullptr, 10)));
        else if (wcscmp(argv[i], L"-callback_context") == 0)
            g_fake.context = static_cast<uint64_t>(wcstoll(argv[i + 1], nullptr, 10));
        else if (wcscmp(argv[i], L"-ss") == 0)
            g_fake.status.PositionInUs = ParseTime(argv[i + 1]);
    }
    Log(line);
}

void MarkStarted(const wchar_t* self)
{
    HANDLE file = CreateFileW((std::wstring(self) + L".started").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              0, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
}

HWND CreateCommandWindow()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"FakeClipRunnerWindow";
    RegisterClassW(&wc);
    return CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 320, 240, nullptr, nullptr, wc.hInstance, nullptr);
}

void FillStatus()
{
    std::wstring ms = Env(L"KAVRI_FAKE_RUNNER_MS");
    bool endless = g_fake.mode == L"endless" || g_fake.mode == L"deaf" || g_fake.mode == L"hang";
    g_fake.status.ToolContext = 0x5EED00000000ULL + GetCurrentProcessId();
    g_fake.status.ToolWindow = reinterpret_cast<UINT_PTR>(g_fake.window);
    g_fake.status.DurationInUs = endless ? 0 : (ms.empty() ? 1000 : _wtoi(ms.c_str())) * 1000LL;
    g_fake.status.VideoStreamIndex = 0;
    g_fake.status.AudioStreamIndex = 1;
    g_fake.status.VideoWidth = g_fake.status.DisplayWidth = 320;
    g_fake.status.VideoHeight = g_fake.status.DisplayHeight = 240;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        MarkStarted(argv[0]);
        return 0;
    }
    g_fake.status.Reset();
    g_fake.mode = Env(L"KAVRI_FAKE_RUNNER_MODE");
    g_fake.logPath = Env(L"KAVRI_FAKE_RUNNER_LOG");
    ReadArguments(argc, argv);
    if (g_fake.mode == L"silent") {
        Log(L"exit 0");
        return 0;
    }
    g_fake.window = CreateCommandWindow();
    FillStatus();
    Send(PLAYER_EVENT_STARTED);
    if (!g_fake.stopRequested)
        Send(PLAYER_EVENT_MEDIA_OPENED, 1);
    if (!g_fake.stopRequested)
        Send(PLAYER_EVENT_PLAYING);
    if (g_fake.mode == L"hang")
        Sleep(INFINITE);
    SetTimer(g_fake.window, kClockTimer, kTickMs, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    DestroyWindow(g_fake.window);
    Log(L"exit " + std::to_wstring(msg.wParam));
    return static_cast<int>(msg.wParam);
}
