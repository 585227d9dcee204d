// The shell actions, with recorders in place of Explorer, the mail handler, the Recycle Bin
// and ExitWindowsEx: nothing here may reach the real ones.
#include "classlib/CWinApp.h"
#include "framework/system/IAppSettings.h"
#include "framework/system/PathHelpers.h"
#include "framework/system/ShellCalls.h"
#include "framework/system/ShellHelpers.h"
#include "tests/support/DropFiles.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Recorded {
    int calls = 0;
    std::wstring verb, file, parameters;
    INT show = 0;
    UINT func = 0;
    std::wstring from;  // with its NULs
    FILEOP_FLAGS flags = 0;
    HWND owner = nullptr;
    UINT exitFlags = 0;
    DWORD exitReason = 99;
    // What the recorders answer.
    int operationResult = 0;
    BOOL aborted = FALSE;
    BOOL exitResult = TRUE;
};

Recorded g_recorded;

HINSTANCE WINAPI RecordShellExecute(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR, INT show)
{
    g_recorded.calls++;
    g_recorded.verb = verb ? verb : L"(null)";
    g_recorded.file = file ? file : L"";
    g_recorded.parameters = parameters ? parameters : L"(null)";
    g_recorded.show = show;
    return reinterpret_cast<HINSTANCE>(42);
}

int WINAPI RecordFileOperation(LPSHFILEOPSTRUCTW operation)
{
    g_recorded.calls++;
    g_recorded.func = operation->wFunc;
    g_recorded.flags = operation->fFlags;
    g_recorded.owner = operation->hwnd;
    LPCWSTR end = operation->pFrom;
    while (end[0] || end[1])
        end++;
    g_recorded.from.assign(operation->pFrom, end + 2);
    operation->fAnyOperationsAborted = g_recorded.aborted;
    return g_recorded.operationResult;
}

BOOL WINAPI RecordExitWindows(UINT flags, DWORD reason)
{
    g_recorded.calls++;
    g_recorded.exitFlags = flags;
    g_recorded.exitReason = reason;
    return g_recorded.exitResult;
}

class CTestSettings : public IAppSettings {
public:
    CString GetVersionText() const override { return L"7.3.0"; }
    CString GetSupportMailAddress() const override { return L"support@example.com"; }
    CString GetProductName() const override { return L"Kavri Test Player"; }
    CString GetUpdateManifestUrl() const override { return L""; }
    CString GetProductPageUrl() const override { return L""; }
    CString GetWebSiteUrl() const override { return L""; }
    CMainWindowPlacement GetMainWindowPlacement() const override { return CMainWindowPlacement(); }
    void SetMainWindowPlacement(const CMainWindowPlacement&) override {}
    int GetAutoCheckUpdate() const override { return 1; }
    void SetAutoCheckUpdate(int) override {}
    int GetAutoCheckUpdateDays() const override { return 7; }
};

class ShellHelpers : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = ShellCalls();
        ShellCalls() = {RecordShellExecute, RecordFileOperation, RecordExitWindows};
        g_recorded = Recorded();
    }
    void TearDown() override
    {
        ShellCalls() = m_saved;
        SetAppSettings(nullptr);
    }

    CShellCalls m_saved;
};

TEST_F(ShellHelpers, ShowInExplorerSelectsTheFile)
{
    TempFolder temp;
    std::wstring path = temp / L"A Long File Name.mp4";
    CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    CString shortPath;
    ASSERT_EQ(GetShortPath(path.c_str(), shortPath), 0);

    EXPECT_EQ(ShowInExplorer(path.c_str()), 0);
    EXPECT_EQ(g_recorded.calls, 1);
    EXPECT_EQ(g_recorded.verb, L"(null)");
    EXPECT_EQ(g_recorded.file, L"explorer.exe");
    EXPECT_EQ(g_recorded.parameters, L"/select,\"" + std::wstring(shortPath) + L"\"");
    EXPECT_EQ(g_recorded.show, SW_SHOWNORMAL);

    // A path that does not exist goes as it is.
    ShowInExplorer(L"C:\\gone\\x y.mp4");
    EXPECT_EQ(g_recorded.parameters, L"/select,\"C:\\gone\\x y.mp4\"");
}

TEST_F(ShellHelpers, DeleteHandsTheShellADoubleNulList)
{
    HWND owner = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(ShellDeleteFile(L"C:\\a b\\c.mp4", FOF_ALLOWUNDO | FOF_NOCONFIRMATION, owner), 0);
    EXPECT_EQ(g_recorded.func, static_cast<UINT>(FO_DELETE));
    EXPECT_EQ(g_recorded.from, std::wstring(L"C:\\a b\\c.mp4\0\0", 14));
    EXPECT_EQ(g_recorded.flags, FOF_ALLOWUNDO | FOF_NOCONFIRMATION);
    EXPECT_EQ(g_recorded.owner, owner);

    const struct {
        const char* name;
        int operationResult;
        BOOL aborted;
        int result;
    } cases[] = {
        {"done", 0, FALSE, 0},
        {"aborted by the user", 0, TRUE, 1},
        {"error", 2, FALSE, -1},
    };
    for (const auto& c : cases) {
        g_recorded.operationResult = c.operationResult;
        g_recorded.aborted = c.aborted;
        EXPECT_EQ(ShellDeleteFile(L"C:\\x.mp4", FOF_ALLOWUNDO, nullptr), c.result) << c.name;
    }
}

TEST_F(ShellHelpers, DeleteRefusesPathsItCannotHoldWhole)
{
    std::wstring longest = L"C:\\" + std::wstring(1020, L'a');
    EXPECT_EQ(ShellDeleteFile(longest.c_str(), FOF_ALLOWUNDO, nullptr), 0);
    EXPECT_EQ(g_recorded.calls, 1);
    std::wstring tooLong = longest + L"b";
    EXPECT_EQ(ShellDeleteFile(tooLong.c_str(), FOF_ALLOWUNDO, nullptr), -1);
    EXPECT_EQ(ShellDeleteFile(L"", FOF_ALLOWUNDO, nullptr), -1);
    EXPECT_EQ(g_recorded.calls, 1);
}

TEST_F(ShellHelpers, ShutdownAsksWindowsWithTheFlags)
{
    EXPECT_EQ(ShutdownWindows(EWX_SHUTDOWN | EWX_FORCEIFHUNG), 1);
    EXPECT_EQ(g_recorded.calls, 1);
    EXPECT_EQ(g_recorded.exitFlags, static_cast<UINT>(EWX_SHUTDOWN | EWX_FORCEIFHUNG));
    EXPECT_EQ(g_recorded.exitReason, 0u);
    g_recorded.exitResult = FALSE;
    EXPECT_EQ(ShutdownWindows(EWX_POWEROFF), 0);
}

TEST_F(ShellHelpers, MailFieldsArePercentEncoded)
{
    const struct {
        const char* name;
        const wchar_t* subject;
        const wchar_t* body;
        const wchar_t* url;
    } cases[] = {
        {"subject only", L"About Kavri 7.3.0", nullptr, L"mailto:a@b.example?subject=About%20Kavri%207.3.0"},
        {"empty body left out", L"Hi", L"", L"mailto:a@b.example?subject=Hi"},
        {"separators cannot add fields", L"a&cc=x@y?#", L"50% off\r\nbye",
         L"mailto:a@b.example?subject=a%26cc%3Dx%40y%3F%23&body=50%25%20off%0D%0Abye"},
        {"UTF-8 bytes", L"K\u00e4se", L"\u266b", L"mailto:a@b.example?subject=K%C3%A4se&body=%E2%99%AB"},
        {"unreserved stay", L"a-b_c.d~e", nullptr, L"mailto:a@b.example?subject=a-b_c.d~e"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OpenMailto(L"a@b.example", c.subject, c.body), 0);
        EXPECT_EQ(g_recorded.parameters, L"(null)") << c.name;
        EXPECT_EQ(g_recorded.verb, L"Open") << c.name;
        EXPECT_EQ(g_recorded.file, c.url) << c.name;
    }
}

TEST_F(ShellHelpers, SupportMailNamesTheProgramAndVersion)
{
    EXPECT_EQ(MailSupport(), -1);  // no settings yet
    EXPECT_EQ(g_recorded.calls, 0);

    CWinApp app(L"Kavri Test Player");
    CTestSettings settings;
    SetAppSettings(&settings);
    EXPECT_EQ(MailSupport(), 0);
    EXPECT_EQ(g_recorded.file, L"mailto:support@example.com?subject=About%20Kavri%20Test%20Player%207.3.0");
}

TEST(DroppedPaths, EveryPathWholeInItsOrder)
{
    // Longer than the classic path buffer, and than the buffer of most callers.
    std::wstring longPath = L"C:\\" + std::wstring(300, L'n') + L"\\" + std::wstring(300, L'm') + L".mp4";
    struct Case {
        const char* name;
        std::vector<std::wstring> dropped;
    } cases[] = {
        {"one file", {L"C:\\clip.mp4"}},
        {"files and folders in order", {L"C:\\b.ts", L"C:\\Videos", L"C:\\a.ts"}},
        {"a long path whole", {L"C:\\x.mp4", longPath}},
        {"nothing", {}},
    };
    for (const Case& c : cases) {
        HDROP hDrop = MakeDrop(c.dropped);
        CStringArray paths;
        paths.Add(L"kept");
        GetDroppedPaths(hDrop, paths);
        GlobalFree(hDrop);
        std::vector<std::wstring> got;
        for (int i = 1; i < paths.GetSize(); i++)
            got.push_back(static_cast<LPCWSTR>(paths[i]));
        EXPECT_STREQ(L"kept", paths[0]) << c.name;
        EXPECT_EQ(c.dropped, got) << c.name;
    }
    CStringArray none;
    GetDroppedPaths(nullptr, none);
    EXPECT_EQ(0, none.GetSize());
}

}  // namespace
