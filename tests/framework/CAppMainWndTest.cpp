// CAppMainWnd: the saved placement is used when the window is made and stored when it is
// destroyed (not for an iconic window, reset for a maximized one), and WM_CHECK_FOR_UPDATES
// starts a check only for wParam 0. The system menu's "Always On Top" follows and sets the
// settings' choice, and the end of a Windows session saves the profile and tells of a failed save.
#include "framework/dialogs/CAppMainWnd.h"
#include "tests/support/TestWait.h"
#include "tests/support/DialogScript.h"
#include "classlib/Afx.h"
#include "framework/controls/FrameworkMessages.h"
#include "framework/net/CUpdateChecker.h"
#include "framework/net/UpdateCheck.h"
#include "framework/res/FrameworkResources.h"
#include "framework/system/IAppSettings.h"
#include "tests/framework/LoopbackHttpServer.h"
#include "tests/framework/RegistrySandbox.h"
#include <gtest/gtest.h>
#include <atomic>
#include <functional>

namespace {

class PlacementSettings : public IAppSettings {
public:
    CString GetVersionText() const override { return L"7.3.0"; }
    CString GetSupportMailAddress() const override { return L""; }
    CString GetProductName() const override { return L"Kavri Test Player"; }
    CString GetUpdateManifestUrl() const override { return m_strManifestUrl; }
    CString GetProductPageUrl() const override { return L""; }
    CString GetWebSiteUrl() const override { return L""; }
    int GetAutoCheckUpdate() const override { return 1; }
    void SetAutoCheckUpdate(int) override {}
    int GetAutoCheckUpdateDays() const override { return 7; }
    CMainWindowPlacement GetMainWindowPlacement() const override { return m_placement; }
    void SetMainWindowPlacement(const CMainWindowPlacement& placement) override
    {
        m_placement = placement;
        m_nWrites++;
    }
    int GetAlwaysOnTop() const override { return m_alwaysOnTop; }
    void SetAlwaysOnTop(int value) override { m_alwaysOnTop = value; }
    bool SaveProfile() override
    {
        m_nSaves++;
        return m_saveWorks;
    }

    CString m_strManifestUrl;
    CMainWindowPlacement m_placement;
    int m_nWrites = 0;
    int m_alwaysOnTop = 0;
    bool m_saveWorks = true;
    int m_nSaves = 0;
};

bool IsTopmost(CWnd* pWnd)
{
    return (pWnd->GetExStyle() & WS_EX_TOPMOST) != 0;
}

bool IsChecked(CMenu* pMenu, UINT nID)
{
    return (pMenu->GetMenuState(nID, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

CMainWindowPlacement Placement(int l, int t, int w, int h)
{
    CMainWindowPlacement p;
    p.nLeft = l;
    p.nTop = t;
    p.nWidth = w;
    p.nHeight = h;
    return p;
}

class CountingUI : public CUpdateCheckUI {
public:
    void RunCheckingDialog(CUpdateChecker& checker) override
    {
        m_nChecking++;
        checker.Check();
    }
    INT_PTR ShowNewVersionDialog(CUpdateChecker&) override { return IDCANCEL; }
    void OpenDownloadPage(LPCWSTR) override {}
    std::atomic<int> m_nChecking{0};
};

class AppMainWnd : public ::testing::Test {
protected:
    AppMainWnd() : m_app(L"AppMainWndTest")
    {
        m_app.SetRegistryKey(L"Kavri Helper");
        SetAppSettings(&m_settings);
        SetUpdateCheckUI(&m_ui);
    }
    ~AppMainWnd() override
    {
        EndUpdateChecks(120000);
        SetUpdateCheckUI(nullptr);
        SetAppSettings(nullptr);
    }

    // The frame deletes itself when its window goes.
    CAppMainWnd* Make()
    {
        CAppMainWnd* pFrame = new CAppMainWnd;
        if (!pFrame->Create(nullptr, L"Main", WS_OVERLAPPEDWINDOW)) {
            delete pFrame;
            return nullptr;
        }
        return pFrame;
    }
    static CRect WindowRect(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        return rect;
    }

    RegistrySandbox m_sandbox;
    CWinApp m_app;
    PlacementSettings m_settings;
    CountingUI m_ui;
};

TEST_F(AppMainWnd, ASavedPlacementIsWhereTheWindowOpens)
{
    m_settings.m_placement = Placement(40, 50, 500, 300);
    CAppMainWnd* pFrame = Make();
    ASSERT_NE(pFrame, nullptr);
    EXPECT_EQ(WindowRect(pFrame), CRect(40, 50, 540, 350));
    pFrame->DestroyWindow();
}

TEST_F(AppMainWnd, AZeroSizeOrALeftOfMinusOneIsIgnored)
{
    CRect rcDefault;
    {
        m_settings.m_placement = CMainWindowPlacement();
        CAppMainWnd* pFrame = Make();
        ASSERT_NE(pFrame, nullptr);
        rcDefault = WindowRect(pFrame);
        pFrame->DestroyWindow();
    }
    for (CMainWindowPlacement saved : {Placement(40, 50, 0, 300), Placement(40, 50, 500, 0), Placement(-1, 50, 500, 300),
                                       Placement(40, -1, 500, 300)}) {
        m_settings.m_placement = saved;
        CAppMainWnd* pFrame = Make();
        ASSERT_NE(pFrame, nullptr);
        CRect rect = WindowRect(pFrame);
        EXPECT_NE(rect, CRect(saved.nLeft, saved.nTop, saved.nLeft + saved.nWidth, saved.nTop + saved.nHeight));
        EXPECT_EQ(rect.Size(), rcDefault.Size());
        pFrame->DestroyWindow();
    }
}

TEST_F(AppMainWnd, ANormalWindowStoresItsRectangleWhenDestroyed)
{
    CAppMainWnd* pFrame = Make();
    ASSERT_NE(pFrame, nullptr);
    pFrame->SetWindowPos(nullptr, 30, 20, 420, 310, SWP_NOZORDER | SWP_NOACTIVATE);
    m_settings.m_nWrites = 0;
    pFrame->DestroyWindow();
    EXPECT_EQ(m_settings.m_nWrites, 1);
    EXPECT_EQ(m_settings.m_placement.nLeft, 30);
    EXPECT_EQ(m_settings.m_placement.nTop, 20);
    EXPECT_EQ(m_settings.m_placement.nWidth, 420);
    EXPECT_EQ(m_settings.m_placement.nHeight, 310);
}

TEST_F(AppMainWnd, AWindowClosedMaximizedStartsAtTheDefaultNextTime)
{
    m_settings.m_placement = Placement(40, 50, 500, 300);
    CAppMainWnd* pFrame = Make();
    ASSERT_NE(pFrame, nullptr);
    pFrame->ShowWindow(SW_SHOWMAXIMIZED);
    ASSERT_TRUE(pFrame->GetStyle() & WS_MAXIMIZE);
    pFrame->SendMessage(WM_CLOSE);  // CFrameWnd's close destroys the frame
    EXPECT_EQ(m_settings.m_placement.nLeft, -1);
    EXPECT_EQ(m_settings.m_placement.nTop, -1);
    EXPECT_EQ(m_settings.m_placement.nWidth, -1);
    EXPECT_EQ(m_settings.m_placement.nHeight, -1);
}

TEST_F(AppMainWnd, AWindowClosedMinimizedKeepsThePreviousValues)
{
    m_settings.m_placement = Placement(40, 50, 500, 300);
    CAppMainWnd* pFrame = Make();
    ASSERT_NE(pFrame, nullptr);
    pFrame->ShowWindow(SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(pFrame->IsIconic());
    m_settings.m_nWrites = 0;
    pFrame->DestroyWindow();
    EXPECT_EQ(m_settings.m_nWrites, 0);
    EXPECT_EQ(m_settings.m_placement.nLeft, 40);
    EXPECT_EQ(m_settings.m_placement.nWidth, 500);
}

TEST_F(AppMainWnd, CheckForUpdatesWithWParamOneStartsNoCheck)
{
    LoopbackHttpServer server([](const std::string&) { return LoopbackHttpServer::Response{404, ""}; });
    ASSERT_TRUE(server.IsReady());
    m_settings.m_strManifestUrl = server.Url(L"/update.xml").c_str();
    CAppMainWnd* pFrame = Make();
    ASSERT_NE(pFrame, nullptr);
    EXPECT_EQ(pFrame->SendMessage(WM_CHECK_FOR_UPDATES, 1, 0), 0);
    EXPECT_EQ(GetPendingUpdateChecks(), 0);

    // wParam 0 and lParam 0: a manual check, with its checking dialog.
    EXPECT_EQ(pFrame->SendMessage(WM_CHECK_FOR_UPDATES, 0, 0), 0);
    EXPECT_EQ(GetPendingUpdateChecks(), 1);
    ASSERT_TRUE(PumpUntil([] { return GetPendingUpdateChecks() == 0; }, 120000));
    EXPECT_EQ(m_ui.m_nChecking, 1);
    EXPECT_EQ(server.Requests().size(), 1u);

    // lParam 1: automatic, and not due now (the last check was a moment ago).
    EXPECT_EQ(pFrame->SendMessage(WM_CHECK_FOR_UPDATES, 0, 1), 0);
    EXPECT_EQ(GetPendingUpdateChecks(), 0);
    EXPECT_EQ(server.Requests().size(), 1u);
    pFrame->DestroyWindow();
}

}  // namespace

TEST_F(AppMainWnd, TheSystemMenuStartsWithAlwaysOnTopAndASeparator)
{
    CAppMainWnd* pFrame = Make();
    ASSERT_NE(pFrame, nullptr);
    CMenu* pSystem = pFrame->GetSystemMenu(FALSE);
    ASSERT_NE(pSystem, nullptr);
    EXPECT_EQ(IDM_SYS_ALWAYS_ON_TOP, static_cast<int>(pSystem->GetMenuItemID(0)));
    EXPECT_EQ(0u, pSystem->GetMenuItemID(1)) << "a separator";
    pFrame->DestroyWindow();
}

TEST_F(AppMainWnd, AlwaysOnTopTogglesTheWindowAndTheSetting)
{
    struct Case {
        const char* name;
        int stored;   // AlwaysOnTop when the window is made
        int toggled;  // after one "Always On Top" click
    };
    const Case cases[] = {{"off, then on", 0, 1}, {"on, then off", 1, 0}};
    for (const Case& c : cases) {
        m_settings.m_alwaysOnTop = c.stored;
        CAppMainWnd* pFrame = Make();
        ASSERT_NE(pFrame, nullptr) << c.name;
        EXPECT_EQ(c.stored != 0, IsTopmost(pFrame)) << c.name;
        // The low four bits of a system command are the system's own.
        pFrame->SendMessage(WM_SYSCOMMAND, IDM_SYS_ALWAYS_ON_TOP | 0x2);
        EXPECT_EQ(c.toggled, m_settings.m_alwaysOnTop) << c.name;
        EXPECT_EQ(c.toggled != 0, IsTopmost(pFrame)) << c.name;
        CMenu* pSystem = pFrame->GetSystemMenu(FALSE);
        ASSERT_NE(pSystem, nullptr);
        pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pSystem->m_hMenu), MAKELPARAM(0, TRUE));
        EXPECT_EQ(c.toggled != 0, IsChecked(pSystem, IDM_SYS_ALWAYS_ON_TOP)) << c.name;
        pFrame->DestroyWindow();
    }
}

TEST_F(AppMainWnd, TheEndOfASessionSavesTheProfileAndTellsOfAFailedSave)
{
    struct Case {
        const char* name;
        bool saveWorks;
        const wchar_t* boxText;
    };
    const Case cases[] = {{"saved", true, L""}, {"not saved", false, L"The settings could not be saved."}};
    for (const Case& c : cases) {
        m_settings.m_saveWorks = c.saveWorks;
        m_settings.m_nSaves = 0;
        CAppMainWnd* pFrame = Make();
        ASSERT_NE(pFrame, nullptr) << c.name;
        LRESULT endAllowed;
        {
            MessageBoxCloser closer(pFrame->m_hWnd);
            endAllowed = pFrame->SendMessage(WM_QUERYENDSESSION);
            EXPECT_STREQ(c.boxText, MessageBoxCloser::Text()) << c.name;
        }
        EXPECT_TRUE(endAllowed) << c.name << ": a failed save does not hold the session up";
        EXPECT_EQ(1, m_settings.m_nSaves) << c.name;
        pFrame->DestroyWindow();
    }
}
