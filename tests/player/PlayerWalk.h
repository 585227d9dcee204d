// The fixture of the walks through the real player: it makes clips, starts the program on a
// fresh profile with update checks off, drives it through tests/support/UiDriver and reads its
// windows, files and the playback tool's log.
#pragma once
#include "tests/support/ToolTestSupport.h"
#include "tests/support/TestWait.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace playerwalk {

const wchar_t kFrameClass[] = L"KavriVideoPlayer";
const wchar_t kProfileKey[] = L"Software\\Kavri Helper\\Kavri Video Player";
// Window ids of the frame's panes and controls.
const int kPlaylistView = 10;
const int kDisplayView = 20;
const int kPlaylistCtrl = 100;
const int kVideoDisplay = 200;
const int kStartPanel = 59658;
// Menu commands without a key of their own.
const int kSavePlaylist = 32783;
const int kDockPlaylist = 32778;
const int kSettings = 32803;
// The common file dialog's file name box.
const int kFileNameBox = 1148;

inline std::wstring DataFolder()
{
    wchar_t appData[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE);
    return std::wstring(appData) + L"\\Kavri Helper\\Kavri Video Player";
}

inline std::wstring FileName(const std::wstring& path)
{
    return path.substr(path.find_last_of(L'\\') + 1);
}

inline std::vector<std::wstring> Lines(const std::string& bytes)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        std::string line = bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::wstring wide(line.size(), L'\0');
        wide.resize(MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), &wide[0],
                                        static_cast<int>(wide.size())));
        lines.push_back(wide);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

// One run of the playback tool as its log line shows it: the clip and the start position.
struct Play {
    std::wstring clip;
    std::wstring start;  // "-ss" value, empty from the beginning
};

// The value after " name " in a logged command line: a quoted text or a word.
inline std::wstring OptionValue(const std::wstring& line, const std::wstring& name)
{
    std::wstring padded = L" " + line;
    size_t at = padded.find(L" " + name + L" ");
    if (at == std::wstring::npos)
        return L"";
    at += name.size() + 2;
    if (padded[at] == L'"')
        return padded.substr(at + 1, padded.find(L'"', at + 1) - at - 1);
    return padded.substr(at, padded.find(L' ', at) - at);
}

struct FindChild {
    int id;
    bool visible;
};

inline BOOL CALLBACK FindVisibleChild(HWND hWnd, LPARAM lParam)
{
    auto* find = reinterpret_cast<FindChild*>(lParam);
    if (GetDlgCtrlID(hWnd) == find->id && IsWindowVisible(hWnd)) {
        find->visible = true;
        return FALSE;
    }
    return TRUE;
}

class PlayerWalk : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = new std::wstring(tooltest::MakeTempFolder(L"kavri player walk"));
        // Long clips play through a whole walk; short ones end while it watches.
        for (int n = 1; n <= 3; ++n) {
            std::wstring tone = std::to_wstring(220 * n);
            for (const wchar_t* kind : {L"Clip", L"Short"}) {
                std::wstring seconds = kind[0] == L'C' ? L"30" : L"2";
                std::wstring path = *s_folder + L"\\" + kind + L" " + std::to_wstring(n) + L".mp4";
                ASSERT_TRUE(tooltest::MakeMedia(path, L"-f lavfi -i testsrc2=duration=" + seconds +
                                                          L":size=160x90:rate=25 -f lavfi -i sine=frequency=" + tone +
                                                          L":duration=" + seconds +
                                                          L" -c:v libx264 -pix_fmt yuv420p -c:a aac -shortest -f mp4"))
                    << "ffmpeg.exe could not make " << testing::PrintToString(path);
            }
        }
    }
    static void TearDownTestSuite()
    {
        tooltest::RemoveFolder(*s_folder);
        delete s_folder;
    }

    void SetUp() override
    {
        m_log = *s_folder + L"\\tool.log";
        DeleteFileW(m_log.c_str());
        SetEnvironmentVariableW(L"KAVRI_TOOL_LOG", m_log.c_str());
        FreshProfile();
    }
    void TearDown() override
    {
        if (m_process) {
            if (HWND hFrame = Frame())
                PostMessageW(hFrame, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(m_process, 20000) != WAIT_OBJECT_0)
                TerminateProcess(m_process, 99);
            CloseHandle(m_process);
        }
        SetEnvironmentVariableW(L"KAVRI_TOOL_LOG", nullptr);
        FreshProfile();
    }

    // No profile and no data files, as at the first start; update checks off.
    static void FreshProfile()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
        std::wstring data = DataFolder();
        DeleteFileW((data + L"\\Default.playlist").c_str());
        tooltest::RemoveFolder(data + L"\\Temp");
        SetSetting(L"AutoCheckUpdate", 0);
    }
    static void SetSetting(const wchar_t* name, DWORD value)
    {
        std::wstring key = std::wstring(kProfileKey) + L"\\Settings";
        RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, REG_DWORD, &value, sizeof(value));
    }
    static std::wstring Clip(const wchar_t* name) { return *s_folder + L"\\" + name; }

    // Starts the program with the files as its arguments and waits for its window.
    bool Start(const std::vector<std::wstring>& files = {})
    {
        std::wstring exe = BesideThisProgram(L"..\\bin\\KavriVideoPlayer.exe");
        std::wstring line = tooltest::Quoted(exe);
        for (const std::wstring& file : files)
            line += L" " + tooltest::Quoted(file);
        std::vector<wchar_t> buffer(line.begin(), line.end());
        buffer.push_back(0);
        // The tools' own chatter goes nowhere.
        SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
        HANDLE hNul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                  OPEN_EXISTING, 0, nullptr);
        STARTUPINFOW si = {sizeof(si)};
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = si.hStdOutput = si.hStdError = hNul;
        PROCESS_INFORMATION pi = {};
        BOOL bStarted = CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                                       &pi);
        CloseHandle(hNul);
        if (!bStarted)
            return false;
        CloseHandle(pi.hThread);
        m_process = pi.hProcess;
        m_processId = pi.dwProcessId;
        return WaitFor([&] { return Frame() && IsWindowVisible(Frame()); }, kTestWaitMs);
    }
    // Closes the window as its user does and waits for the program's end.
    bool Exit()
    {
        if (!Drive({L"key", L"class:KavriVideoPlayer", L"ALT+F4"}))
            return false;
        bool bEnded = WaitForSingleObject(m_process, kTestWaitMs) == WAIT_OBJECT_0;
        CloseHandle(m_process);
        m_process = nullptr;
        return bEnded;
    }
    HWND Frame() const
    {
        HWND hWnd = FindWindowW(kFrameClass, nullptr);
        DWORD owner = 0;
        GetWindowThreadProcessId(hWnd, &owner);
        return owner == m_processId ? hWnd : nullptr;
    }
    std::wstring Title() const
    {
        wchar_t text[512] = {};
        GetWindowTextW(Frame(), text, 512);
        return text;
    }
    bool Shown(int id) const
    {
        FindChild find = {id, false};
        if (HWND hFrame = Frame())
            EnumChildWindows(hFrame, &FindVisibleChild, reinterpret_cast<LPARAM>(&find));
        return find.visible;
    }
    // Waits until the window thread has done what it was doing (a save after its dialog closed).
    bool Settled() const
    {
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(Frame(), WM_NULL, 0, 0, SMTO_NORMAL, kTestWaitMs, &result) != 0;
    }
    static bool WaitFor(const std::function<bool()>& done, DWORD ms) { return PumpUntil(done, ms); }
    bool WaitForTitle(const std::wstring& title, DWORD ms = kTestWaitMs)
    {
        return WaitFor([&] { return Title() == title; }, ms);
    }
    // One UiDriver action; true when it succeeded.
    static bool Drive(const std::vector<std::wstring>& args)
    {
        std::wstring line;
        for (const std::wstring& arg : args)
            line += tooltest::Quoted(arg) + L" ";
        tooltest::ProcessRun run = tooltest::RunProgram(BesideThisProgram(L"UiDriver.exe"), line, 30000);
        return run.finished && run.exitCode == 0;
    }
    static bool Key(const wchar_t* key) { return Drive({L"key", L"class:KavriVideoPlayer", key}); }
    static bool Command(int id) { return Drive({L"command", L"class:KavriVideoPlayer", std::to_wstring(id)}); }

    // The playback tool's runs so far, in order.
    std::vector<Play> Plays() const
    {
        std::vector<Play> plays;
        for (const std::wstring& line : Lines(tooltest::ReadFileBytes(m_log))) {
            if (line.compare(0, 6, L"args: ") == 0 && line.find(L" -owner_window ") != std::wstring::npos)
                plays.push_back({FileName(OptionValue(line, L"-i")), OptionValue(line, L"-ss")});
        }
        return plays;
    }
    std::vector<std::wstring> PlayedClips() const
    {
        std::vector<std::wstring> clips;
        for (const Play& play : Plays())
            clips.push_back(play.clip);
        return clips;
    }
    // Whether the program runs the prober or the encoder (a thumbnail grab) now.
    bool RunsAToolOtherThanThePlayer() const
    {
        return !tooltest::ChildProcesses(m_processId, L"ClipInspector.exe").empty() ||
               !tooltest::ChildProcesses(m_processId, L"ClipConverter.exe").empty();
    }
    // Watches the program for ms: true when it ran the prober or the encoder meanwhile.
    bool RanAToolOtherThanThePlayerWithin(DWORD ms) const
    {
        return WaitFor([&] { return RunsAToolOtherThanThePlayer(); }, ms);
    }

    // Saves the playlist through the Save Playlist dialog under the name typed.
    bool SavePlaylistAs(const std::wstring& path)
    {
        return Command(kSavePlaylist) && Drive({L"wait", L"Save Playlist", L"20000"}) &&
               Drive({L"settext", L"Save Playlist#" + std::to_wstring(kFileNameBox), path}) &&
               Drive({L"key", L"Save Playlist", L"RETURN"}) &&
               WaitFor([&] { return !FindWindowW(nullptr, L"Save Playlist"); }, kTestWaitMs) && Settled() &&
               tooltest::FileExists(path);
    }

    inline static std::wstring* s_folder = nullptr;
    std::wstring m_log;
    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
};

}  // namespace playerwalk
