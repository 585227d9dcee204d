// A child process that tests start to check what crosses a process boundary.
//   TestChild exit N                  ends with exit code N
//   TestChild copydata HWND CODE TEXT sends TEXT (with its NUL) as WM_COPYDATA and exits with the reply
//   TestChild receive SECONDS         prints the handle of a window that answers WM_COPYDATA with 0,
//                                     and serves it for SECONDS
#include <windows.h>
#include <cstdio>
#include <cwchar>
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
    fputs((std::to_string(reinterpret_cast<INT_PTR>(hwnd)) + "\n").c_str(), stdout);
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
};

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 0;
    for (const Mode& mode : kModes)
        if (wcscmp(argv[1], mode.name) == 0)
            return mode.run(argc, argv);
    return 99;
}
