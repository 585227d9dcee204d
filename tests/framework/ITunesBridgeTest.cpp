// The iTunes bridge where iTunes is absent, which is all this machine can show: detection by
// registry key and window, and a refused automation server that leaves COM as it found it.
#include "framework/system/ITunesBridge.h"
#include "RegistrySandbox.h"
#include <objbase.h>
#include <gtest/gtest.h>

namespace {

struct InstallKeyCase {
    const char* name;
    HKEY hRoot;
    const wchar_t* pszKey;
    bool bInstalled;
};

class ITunesInstalled : public ::testing::TestWithParam<InstallKeyCase> {};

TEST_P(ITunesInstalled, ByEitherKeyUnderEitherRoot)
{
    RegistrySandbox sandbox(true);
    ASSERT_TRUE(sandbox.IsReady());
    EXPECT_FALSE(IsITunesInstalled());

    const InstallKeyCase& c = GetParam();
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyW(c.hRoot, c.pszKey, &hKey));
    RegCloseKey(hKey);
    EXPECT_EQ(c.bInstalled, IsITunesInstalled());
}

const InstallKeyCase kInstallKeys[] = {
    {"MachineOldName", HKEY_LOCAL_MACHINE, L"Software\\Apple Computer, Inc.\\iTunes", true},
    {"MachineNewName", HKEY_LOCAL_MACHINE, L"Software\\Apple, Inc.\\iTunes", true},
    {"UserOldName", HKEY_CURRENT_USER, L"Software\\Apple Computer, Inc.\\iTunes", true},
    {"UserNewName", HKEY_CURRENT_USER, L"Software\\Apple, Inc.\\iTunes", true},
    {"CompanyKeyOnly", HKEY_CURRENT_USER, L"Software\\Apple, Inc.", false},
    {"OtherProgram", HKEY_LOCAL_MACHINE, L"Software\\Apple, Inc.\\QuickTime", false},
};
INSTANTIATE_TEST_SUITE_P(Keys, ITunesInstalled, ::testing::ValuesIn(kInstallKeys),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ITunesRunning, FoundByItsWindowClassAndTitle)
{
    EXPECT_EQ(nullptr, IsITunesRunning());

    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"iTunes";
    ASSERT_NE(0, RegisterClassW(&wc));
    HWND hwnd = CreateWindowW(L"iTunes", L"iTunes", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr,
                              nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, hwnd);
    EXPECT_EQ(hwnd, IsITunesRunning());
    DestroyWindow(hwnd);
    UnregisterClassW(L"iTunes", wc.hInstance);
}

const CStringArray& TwoFiles()
{
    static CStringArray files;
    if (files.GetSize() == 0) {
        files.Add(L"C:\\media\\a.mp4");
        files.Add(L"C:\\media\\b.mp3");
    }
    return files;
}

TEST(AddFilesToITunes, WithoutTheServerFailsAndLeavesComUninitialised)
{
    EXPECT_EQ(-1, AddFilesToITunes(TwoFiles(), 0, TRUE));
    // Our CoInitialize was undone: the thread starts afresh.
    EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    CoUninitialize();
}

struct ApartmentCase {
    const char* name;
    DWORD dwCoInit;
};

class AddFilesInApartment : public ::testing::TestWithParam<ApartmentCase> {};

// The caller's own initialisation survives the call, whichever apartment it chose.
TEST_P(AddFilesInApartment, KeepsTheCallersCom)
{
    const DWORD dwCoInit = GetParam().dwCoInit;
    ASSERT_EQ(S_OK, CoInitializeEx(nullptr, dwCoInit));
    EXPECT_EQ(-1, AddFilesToITunes(TwoFiles(), 0, TRUE));
    EXPECT_EQ(S_FALSE, CoInitializeEx(nullptr, dwCoInit));  // still initialised
    CoUninitialize();
    CoUninitialize();
}

const ApartmentCase kApartments[] = {
    {"SingleThreaded", COINIT_APARTMENTTHREADED},
    {"MultiThreaded", COINIT_MULTITHREADED},
};
INSTANTIATE_TEST_SUITE_P(Apartments, AddFilesInApartment, ::testing::ValuesIn(kApartments),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
