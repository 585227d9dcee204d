// A child process that tests start to check what crosses a process boundary.
//   TestChild exit N                  ends with exit code N
//   TestChild copydata HWND CODE TEXT sends TEXT (with its NUL) as WM_COPYDATA and exits with the reply
//   TestChild sleep N                 sleeps N ms, then ends with exit code 0
//   TestChild ignore-stop             sleeps for a minute, as a tool that ignores its stop command
//   TestChild grandchild FILE         starts "TestChild sleep 60000", writes "<own id> <its id>" to
//                                     FILE, then sleeps for a minute
//   TestChild echo ARGS...            writes each argument on a line of its own (UTF-8) to stdout
//   TestChild echo-to FILE ARGS...    the same into FILE
//   TestChild print TEXT              writes TEXT (UTF-8) to stdout
//   TestChild cwd                     writes its current folder (UTF-8) to stdout
//   TestChild receive SECONDS         prints the handle of a window that answers WM_COPYDATA with 0
//                                     and its own process id, one line each, and serves the window
//                                     for SECONDS
// With KAVRI_FAKE_FFMPEG=leave-child in its environment, whatever its arguments, it stands in for
// an ffmpeg.exe that ends at once but leaves "TestChild sleep 60000" behind, holding its standard
// output and error open.
#include <windows.h>
#include <cwchar>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int Exit(int argc, wchar_t** argv)
{
    return argc > 2 ? _wtoi(argv[2]) : 0;
}

int CopyData(int argc, wchar_t** argv)
{
    if (argc < 5)
        return 100;
    HWND target = reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoull(argv[2], nullptr, 0)));
    int bytes = WideCharToMultiByte(CP_UTF8, 0, argv[4], -1, nullptr, 0, nullptr, nullptr);
    char* text = static_cast<char*>(malloc(bytes));
    WideCharToMultiByte(CP_UTF8, 0, argv[4], -1, text, bytes, nullptr, nullptr);
    COPYDATASTRUCT cds = {};
    cds.dwData = wcstoul(argv[3], nullptr, 0);
    cds.cbData = static_cast<DWORD>(bytes);
    cds.lpData = text;
    LRESULT reply = SendMessageW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
    free(text);
    return static_cast<int>(reply);
}

const DWORD kLongSleep = 60000;

// Writes the texts as UTF-8, each followed by a line break.
bool WriteLines(HANDLE hOut, wchar_t** texts, int count)
{
    for (int i = 0; i < count; i++) {
        int bytes = WideCharToMultiByte(CP_UTF8, 0, texts[i], -1, nullptr, 0, nullptr, nullptr);
        char* line = static_cast<char*>(malloc(bytes + 1));
        WideCharToMultiByte(CP_UTF8, 0, texts[i], -1, line, bytes, nullptr, nullptr);
        line[bytes - 1] = '\n';
        DWORD written = 0;
        BOOL ok = WriteFile(hOut, line, bytes, &written, nullptr);
        free(line);
        if (!ok || written != static_cast<DWORD>(bytes))
            return false;
    }
    return true;
}

int SleepFor(int argc, wchar_t** argv)
{
    Sleep(argc > 2 ? _wtoi(argv[2]) : 0);
    return 0;
}

int IgnoreStop(int, wchar_t**)
{
    Sleep(kLongSleep);
    return 0;
}

int Grandchild(int argc, wchar_t** argv)
{
    if (argc < 3)
        return 100;
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    wchar_t command[MAX_PATH + 32];
    _snwprintf(command, MAX_PATH + 32, L"\"%s\" sleep %lu", self, kLongSleep);
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 101;
    char ids[64];
    int length = _snprintf(ids, sizeof(ids), "%lu %lu", GetCurrentProcessId(), pi.dwProcessId);
    HANDLE hFile = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(hFile, ids, length, &written, nullptr);
    CloseHandle(hFile);
    Sleep(kLongSleep);
    return 0;
}

int Echo(int argc, wchar_t** argv)
{
    return WriteLines(GetStdHandle(STD_OUTPUT_HANDLE), argv + 2, argc - 2) ? 0 : 102;
}

int EchoTo(int argc, wchar_t** argv)
{
    if (argc < 3)
        return 100;
    HANDLE hFile = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return 103;
    bool ok = WriteLines(hFile, argv + 3, argc - 3);
    CloseHandle(hFile);
    return ok ? 0 : 102;
}

int Print(int argc, wchar_t** argv)
{
    return argc > 2 && WriteLines(GetStdHandle(STD_OUTPUT_HANDLE), argv + 2, 1) ? 0 : 102;
}

int Cwd(int, wchar_t**)
{
    wchar_t folder[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, folder);
    wchar_t* texts[] = {folder};
    return WriteLines(GetStdHandle(STD_OUTPUT_HANDLE), texts, 1) ? 0 : 102;
}

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return msg == WM_COPYDATA ? 0 : DefWindowProcW(hwnd, msg, wp, lp);
}

int Receive(int argc, wchar_t** argv)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KavriTestReceiver";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"receiver", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                wc.hInstance, nullptr);
    fputs((std::to_string(reinterpret_cast<INT_PTR>(hwnd)) + "\n" + std::to_string(GetCurrentProcessId()) + "\n").c_str(),
          stdout);
    fflush(stdout);
    DWORD end = GetTickCount() + (argc > 2 ? _wtoi(argv[2]) : 60) * 1000;
    for (DWORD now = GetTickCount(); now < end; now = GetTickCount()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    return 0;
}

struct Mode {
    const wchar_t* name;
    int (*run)(int, wchar_t**);
};

const Mode kModes[] = {
    {L"exit", Exit},
    {L"copydata", CopyData},
    {L"receive", Receive},
    {L"sleep", SleepFor},
    {L"ignore-stop", IgnoreStop},
    {L"grandchild", Grandchild},
    {L"echo", Echo},
    {L"echo-to", EchoTo},
    {L"print", Print},
    {L"cwd", Cwd},
};

}  // namespace

int LeaveChildHoldingOutput()
{
    SetEnvironmentVariableW(L"KAVRI_FAKE_FFMPEG", nullptr);
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    wchar_t command[MAX_PATH + 32];
    _snwprintf(command, MAX_PATH + 32, L"\"%s\" sleep %lu", self, kLongSleep);
    STARTUPINFOW si = {sizeof(si)};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
        return 101;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
}

int wmain(int argc, wchar_t** argv)
{
    wchar_t fake[32] = {};
    if (GetEnvironmentVariableW(L"KAVRI_FAKE_FFMPEG", fake, 32) && wcscmp(fake, L"leave-child") == 0)
        return LeaveChildHoldingOutput();
    if (argc < 2)
        return 0;
    for (const Mode& mode : kModes)
        if (wcscmp(argv[1], mode.name) == 0)
            return mode.run(argc, argv);
    return 99;
}
