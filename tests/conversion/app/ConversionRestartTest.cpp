// The conversion tool started, used and closed, then started again, as its user runs it: the
// tool tab and the window's place chosen in the first run come back in the second, and the
// format file the first run wrote at its exit is there and loads, in the program and here.
// The program keeps its profile and data under its own names in the test prefix; the test
// starts both from nothing and removes them afterwards.
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include "tests/support/TestWait.h"
#include "tests/support/ToolTestSupport.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <string>

namespace {

const wchar_t kProfileKey[] = L"Software\\Kavri Helper\\Kavri Media Fetcher";
const wchar_t kTitle[] = L"Kavri Media Fetcher";
const int kToolTabsId = 59399;
const int kStatusBarId = 59393;

std::wstring DataFolder()
{
    wchar_t appData[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE);
    return std::wstring(appData) + L"\\Kavri Helper\\Kavri Media Fetcher";
}

// A profile with no update check (nothing may reach the network) and no data folder.
void StartFromNothing()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
    tooltest::RemoveFolder(DataFolder());
    HKEY hKey = nullptr;
    std::wstring settings = std::wstring(kProfileKey) + L"\\Settings";
    if (RegCreateKeyExW(HKEY_CURRENT_USER, settings.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr) ==
        ERROR_SUCCESS) {
        DWORD off = 0;
        RegSetValueExW(hKey, L"AutoCheckUpdate", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off), sizeof(off));
        RegCloseKey(hKey);
    }
}

struct FoundWindow {
    DWORD processId;
    HWND hWnd;
};

BOOL CALLBACK FindFrame(HWND hWnd, LPARAM lParam)
{
    auto* pFound = reinterpret_cast<FoundWindow*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(hWnd, &processId);
    wchar_t title[64] = {};
    GetWindowTextW(hWnd, title, 64);
    if (processId != pFound->processId || !IsWindowVisible(hWnd) || wcscmp(title, kTitle) != 0)
        return TRUE;
    pFound->hWnd = hWnd;
    return FALSE;
}

BOOL CALLBACK FindById(HWND hWnd, LPARAM lParam)
{
    auto* pFound = reinterpret_cast<FoundWindow*>(lParam);
    if (GetDlgCtrlID(hWnd) != static_cast<int>(pFound->processId))
        return TRUE;
    pFound->hWnd = hWnd;
    return FALSE;
}

HWND FindDescendant(HWND hParent, int id)
{
    FoundWindow found = {static_cast<DWORD>(id), nullptr};
    EnumChildWindows(hParent, FindById, reinterpret_cast<LPARAM>(&found));
    return found.hWnd;
}

std::wstring WindowText(HWND hWnd)
{
    wchar_t text[256] = {};
    SendMessageTimeoutW(hWnd, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

// One run of the program from the build's folder, ended by closing its window.
class ToolRun {
public:
    ToolRun()
    {
        std::wstring exe = BesideThisProgram(L"..\\bin\\KavriMediaFetcher.exe");
        std::wstring line = tooltest::Quoted(exe);
        STARTUPINFOW si = {sizeof(si)};
        if (CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_process))
            CloseHandle(m_process.hThread);
    }
    ~ToolRun()
    {
        if (!m_process.hProcess)
            return;
        if (WaitForSingleObject(m_process.hProcess, 0) != WAIT_OBJECT_0)
            TerminateProcess(m_process.hProcess, 99);
        CloseHandle(m_process.hProcess);
    }

    HWND WaitForFrame()
    {
        FoundWindow found = {m_process.dwProcessId, nullptr};
        PumpUntil(
            [&] {
                EnumWindows(FindFrame, reinterpret_cast<LPARAM>(&found));
                return found.hWnd != nullptr;
            },
            kTestWaitMs);
        return found.hWnd;
    }
    // Closes the window as its close box would; the program's exit code, or -1.
    int Close(HWND hFrame)
    {
        PostMessageW(hFrame, WM_CLOSE, 0, 0);
        if (!WaitDispatching(m_process.hProcess))
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(m_process.hProcess, &code);
        return static_cast<int>(code);
    }

private:
    PROCESS_INFORMATION m_process = {};
};

FILETIME LastWrite(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

TEST(ConversionRestart, TheTabAndPlaceComeBackAndTheFormatFileLoads)
{
    StartFromNothing();
    const RECT placed = {60, 40, 60 + 820, 40 + 520};
    {
        ToolRun run;
        HWND hFrame = run.WaitForFrame();
        ASSERT_TRUE(hFrame);
        HWND hTabs = FindDescendant(hFrame, kToolTabsId);
        ASSERT_TRUE(hTabs);
        EXPECT_EQ(0, SendMessageW(hTabs, TCM_GETCURSEL, 0, 0));
        // Three steps to the right, as the arrow keys move along the tabs: "Video to MP3".
        for (int step = 0; step < 3; step++)
            PostMessageW(hTabs, WM_KEYDOWN, VK_RIGHT, 1);
        EXPECT_TRUE(PumpUntil([&] { return SendMessageW(hTabs, TCM_GETCURSEL, 0, 0) == 3; }, kTestWaitMs));
        SetWindowPos(hFrame, nullptr, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(0, run.Close(hFrame));
    }
    std::wstring formats = DataFolder() + L"\\MediaFormats.xml";
    ASSERT_TRUE(tooltest::FileExists(formats));
    FILETIME written = LastWrite(formats);
    {
        ToolRun run;
        HWND hFrame = run.WaitForFrame();
        ASSERT_TRUE(hFrame);
        RECT rect = {};
        GetWindowRect(hFrame, &rect);
        EXPECT_EQ(placed.left, rect.left);
        EXPECT_EQ(placed.top, rect.top);
        EXPECT_EQ(placed.right, rect.right);
        EXPECT_EQ(placed.bottom, rect.bottom);
        HWND hTabs = FindDescendant(hFrame, kToolTabsId);
        ASSERT_TRUE(hTabs);
        EXPECT_EQ(3, SendMessageW(hTabs, TCM_GETCURSEL, 0, 0));
        // The status bar describes the tool on show.
        HWND hStatus = FindDescendant(hFrame, kStatusBarId);
        EXPECT_TRUE(PumpUntil([&] { return WindowText(hStatus).find(L"Extract audio stream") == 0; }, kTestWaitMs));
        EXPECT_EQ(0, run.Close(hFrame));
    }
    // The second run read the file as it was: a copy it could not read would have been set
    // aside and written again.
    FILETIME after = LastWrite(formats);
    EXPECT_EQ(0, CompareFileTime(&written, &after));
    CBuiltInMediaFormats loaded;
    EXPECT_EQ(0, loaded.Load(DataFolder().c_str()));
    EXPECT_EQ(0, loaded.m_modified);
    EXPECT_TRUE(loaded.m_damagedCopyPath.IsEmpty());
    EXPECT_GT(loaded.m_categories.GetSize(), 1);
    RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
    tooltest::RemoveFolder(DataFolder());
}

}  // namespace
