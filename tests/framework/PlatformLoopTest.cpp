// The platform under the whole system: windows, processes and the registry as Wine runs them.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "tests/support/ChildProgram.h"

namespace {

// What RunChild returns for a child that has not ended within its generous limit.
const DWORD kChildHung = 0xFFFFFFFD;

// Starts TestChild with the given arguments, pumping this thread's messages until it ends.
DWORD RunChild(const std::wstring& args)
{
    std::wstring cmd = L"\"" + TestChildPath() + L"\" " + args;
    std::vector<wchar_t> buf(cmd.begin(), cmd.end());
    buf.push_back(0);
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, buf.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 0xFFFFFFFF;
    const ULONGLONG nStart = GetTickCount64();
    while (MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0) {
        if (GetTickCount64() - nStart > 120000) {
            TerminateProcess(pi.hProcess, kChildHung);
            WaitForSingleObject(pi.hProcess, INFINITE);
            break;
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    DWORD code = 0xFFFFFFFE;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

struct Received {
    ULONG_PTR code = 0;
    std::string bytes;
    int count = 0;
};

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COPYDATA) {
        auto* got = reinterpret_cast<Received*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        got->code = cds->dwData;
        got->bytes.assign(static_cast<const char*>(cds->lpData), cds->cbData);
        got->count++;
        return 42;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

TEST(PlatformLoop, CopyDataFromAnotherProcessArrivesIntact)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KavriCopyDataReceiver";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"receiver", WS_OVERLAPPED, 0, 0, 10, 10,
                                nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(hwnd, nullptr);
    Received got;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&got));

    wchar_t args[128];
    _snwprintf(args, 128, L"copydata 0x%Ix 1020 \"block with blanks & symbols %%PATH%%\"",
               reinterpret_cast<UINT_PTR>(hwnd));
    EXPECT_EQ(RunChild(args), 42u);

    EXPECT_EQ(got.count, 1);
    EXPECT_EQ(got.code, 1020u);
    const char expected[] = "block with blanks & symbols %PATH%";
    EXPECT_EQ(got.bytes, std::string(expected, sizeof(expected)));
    DestroyWindow(hwnd);
}

TEST(PlatformLoop, ChildProcessReturnsItsExitCode)
{
    const struct {
        const wchar_t* args;
        DWORD code;
    } cases[] = {
        {L"exit 0", 0},
        {L"exit 3", 3},
        {L"exit -1", 0xFFFFFFFF},
        {L"no-such-mode", 99},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunChild(c.args), c.code) << c.args;
}

TEST(PlatformLoop, RegistryValueUnderCurrentUserRoundTrips)
{
    const wchar_t* keyPath = L"Software\\Kavri Helper Tests\\PlatformLoop";
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr), ERROR_SUCCESS);
    DWORD number = 1234567;
    const wchar_t text[] = L"Wert \u00e4\u00f6\u00fc";
    RegSetValueExW(key, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    RegSetValueExW(key, L"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof(text));
    RegCloseKey(key);

    DWORD readNumber = 0, size = sizeof(readNumber);
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, keyPath, L"Number", RRF_RT_REG_DWORD, nullptr, &readNumber,
                           &size), ERROR_SUCCESS);
    EXPECT_EQ(readNumber, number);
    wchar_t readText[64] = {};
    size = sizeof(readText);
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, keyPath, L"Text", RRF_RT_REG_SZ, nullptr, readText, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(readText, text);

    EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Kavri Helper Tests\\PlatformLoop"), ERROR_SUCCESS);
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key), ERROR_SUCCESS);
}

}  // namespace
