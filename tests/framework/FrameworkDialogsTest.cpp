// The update check's dialogs (521, 527) against the loopback HTTP server, and the About box
// (100): driven from this thread while they run (the update dialogs on the check's thread, the
// About box in its own modal loop here).
#include "classlib/Afx.h"
#include "framework/controls/AppUiResources.h"
#include "framework/dialogs/CAppAboutDlg.h"
#include "framework/dialogs/UpdateDialogs.h"
#include "framework/net/UpdateCheck.h"
#include "framework/system/IAppSettings.h"
#include "tests/framework/LoopbackHttpServer.h"
#include "tests/framework/RegistrySandbox.h"
#include "tests/framework/ShellRecorder.h"
#include "tests/support/DibCanvas.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <functional>
#include <string>

namespace {

const DWORD kLimitMs = 120000;

class DialogSettings : public IAppSettings {
public:
    CString GetVersionText() const override { return L"7.3.0"; }
    CString GetSupportMailAddress() const override { return L"support@kavri.example"; }
    CString GetProductName() const override { return L"Kavri Video Player"; }
    CString GetUpdateManifestUrl() const override { return L""; }
    CString GetProductPageUrl() const override { return L"https://www.kavri.example/kavri-video-player"; }
    CString GetWebSiteUrl() const override { return L"https://www.kavri.example/"; }
    int GetAutoCheckUpdate() const override { return m_nAutoCheck; }
    void SetAutoCheckUpdate(int nValue) override { m_nAutoCheck = nValue; }
    int GetAutoCheckUpdateDays() const override { return 7; }
    CMainWindowPlacement GetMainWindowPlacement() const override { return CMainWindowPlacement(); }
    void SetMainWindowPlacement(const CMainWindowPlacement&) override {}
    int m_nAutoCheck = 1;
};

std::string SlowManifest()
{
    std::string body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Updates>\n"
                       "<Application Version=\"9.0.0\"><DownloadURL>https://www.kavri.example/dl</DownloadURL>"
                       "</Application>\n";
    while (body.size() < 40 * 1024)
        body += "<!-- padding padding padding padding padding padding padding padding -->\n";
    return body + "</Updates>\n";
}

LoopbackHttpServer::Response Serve(const std::string& target)
{
    LoopbackHttpServer::Response r;
    if (target == "/newer.xml") {
        r.body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Updates><Application Version=\"7.4.0\" Level=\"2\">"
                 "<DownloadURL>https://www.kavri.example/kavri-video-player/download.html</DownloadURL>"
                 "<Description>Faster start.\nFewer crashes.</Description></Application></Updates>";
    } else if (target == "/equal.xml") {
        r.body = "<Updates><Application Version=\"7.3.0\"><URL>https://www.kavri.example/d</URL></Application></Updates>";
    } else if (target == "/slow.xml") {
        r.body = SlowManifest();
        r.nChunk = 1024;
        r.nChunkDelayMs = 500;
    } else {
        r.nStatus = 404;
    }
    return r;
}

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

bool PumpUntil(const std::function<bool()>& done, DWORD dwTimeoutMs = kLimitMs)
{
    DWORD dwStart = GetTickCount();
    while (!done()) {
        if (GetTickCount() - dwStart > dwTimeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        Pump();
    }
    return true;
}

std::wstring Text(HWND hWnd)
{
    wchar_t sz[512] = {};
    GetWindowTextW(hWnd, sz, 512);
    return sz;
}

std::wstring ItemText(HWND hDlg, int nID)
{
    return Text(GetDlgItem(hDlg, nID));
}

struct DialogSearch {
    int nControl;
    HWND hFound;
};

BOOL CALLBACK FindCheckDialogProc(HWND hWnd, LPARAM lParam)
{
    DialogSearch* p = reinterpret_cast<DialogSearch*>(lParam);
    DWORD pid = 0;
    DWORD tid = GetWindowThreadProcessId(hWnd, &pid);
    wchar_t cls[16] = {};
    GetClassNameW(hWnd, cls, 16);
    if (pid == GetCurrentProcessId() && tid != GetCurrentThreadId() && !lstrcmpW(cls, L"#32770") && IsWindowVisible(hWnd) &&
        GetDlgItem(hWnd, p->nControl)) {
        p->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

// A visible dialog of this process on another thread that has the control.
HWND FindCheckDialog(int nControl)
{
    DialogSearch search = {nControl, nullptr};
    EnumWindows(&FindCheckDialogProc, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

HWND WaitForDialog(int nControl)
{
    HWND hDlg = nullptr;
    PumpUntil([&] { return (hDlg = FindCheckDialog(nControl)) != nullptr; });
    return hDlg;
}

class UpdateDialogs : public ::testing::Test {
protected:
    UpdateDialogs() : m_server(Serve), m_app(L"Kavri Test Player")
    {
        m_app.SetRegistryKey(L"Kavri Helper");
        SetAppSettings(&m_settings);
        SetUpdateCheckUI(&m_ui);
    }
    ~UpdateDialogs() override
    {
        EndUpdateChecks(kLimitMs);
        SetUpdateCheckUI(nullptr);
        SetAppSettings(nullptr);
    }
    void SetUp() override
    {
        ASSERT_TRUE(m_sandbox.IsReady());
        ASSERT_TRUE(m_server.IsReady());
    }
    int StartManual(const wchar_t* target)
    {
        return StartUpdateCheck(m_server.Url(target).c_str(), L"7.3.0", 7, FALSE);
    }
    bool WaitForChecks() { return PumpUntil([] { return GetPendingUpdateChecks() == 0; }); }

    RegistrySandbox m_sandbox;
    LoopbackHttpServer m_server;
    CWinApp m_app;
    DialogSettings m_settings;
    CUpdateDialogsUI m_ui;
    ShellRecorder m_shell;
};

TEST_F(UpdateDialogs, A404ShowsTheErrorAndStaysUntilOK)
{
    ASSERT_EQ(StartManual(L"/missing.xml"), 0);
    HWND hDlg = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        hDlg = FindCheckDialog(1099);
        return hDlg && ItemText(hDlg, 1022) == L"Error: failed to get update information!";
    }));
    EXPECT_EQ(ItemText(hDlg, 1098), L"Please try again later.");
    EXPECT_EQ(Text(hDlg), L"Kavri Test Player");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(hDlg, 1099)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(hDlg, IDOK)));
    EXPECT_EQ(ItemText(hDlg, IDOK), L"OK");
    EXPECT_EQ(LOWORD(SendMessageW(hDlg, DM_GETDEFID, 0, 0)), IDOK);
    // The bold dialog font on 1022.
    LOGFONTW lf = {};
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(hDlg, 1022, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    EXPECT_EQ(lf.lfWeight, 700);
    // It stays until the user answers.
    Sleep(300);
    Pump();
    EXPECT_TRUE(IsWindow(hDlg));
    EXPECT_EQ(GetPendingUpdateChecks(), 1);
    PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForChecks());
    EXPECT_FALSE(IsWindow(hDlg));
    EXPECT_TRUE(ShellRecorder::Calls().empty());
}

TEST_F(UpdateDialogs, TheSameVersionSaysSo)
{
    ASSERT_EQ(StartManual(L"/equal.xml"), 0);
    HWND hDlg = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        hDlg = FindCheckDialog(1099);
        return hDlg && ItemText(hDlg, 1022) == L"You already have the newest version.";
    }));
    EXPECT_EQ(ItemText(hDlg, 1098), L"Please check again in future.");
    // Its check box goes back to the settings.
    SendDlgItemMessageW(hDlg, 1000, BM_SETCHECK, BST_UNCHECKED, 0);
    PostMessageW(hDlg, WM_CLOSE, 0, 0);  // closing ends it as Cancel does
    ASSERT_TRUE(WaitForChecks());
    EXPECT_EQ(m_settings.m_nAutoCheck, 0);
}

TEST_F(UpdateDialogs, ANewerVersionShowsDialog527AndDownloadOpensThePage)
{
    ASSERT_EQ(StartManual(L"/newer.xml"), 0);
    HWND hDlg = WaitForDialog(1108);
    ASSERT_NE(hDlg, nullptr);
    EXPECT_EQ(ItemText(hDlg, 1022), L"A newer version of Kavri Video Player is available:");
    EXPECT_EQ(ItemText(hDlg, 1108), L"Your version is 7.3.0.");
    EXPECT_EQ(ItemText(hDlg, 1001), L"Faster start.\r\nFewer crashes.");
    EXPECT_EQ(ItemText(hDlg, 1026), L"https://www.kavri.example/kavri-video-player/download.html");
    EXPECT_EQ(ItemText(hDlg, 1002), L"https://www.kavri.example/kavri-video-player");
    EXPECT_EQ(ItemText(hDlg, IDOK), L"Download New Version");
    EXPECT_EQ(SendDlgItemMessageW(hDlg, 1000, BM_GETCHECK, 0, 0), BST_CHECKED);
    // The 521 dialog ended by itself.
    EXPECT_EQ(FindCheckDialog(1099), nullptr);
    PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForChecks());
    ASSERT_EQ(ShellRecorder::Calls().size(), 1u);
    EXPECT_EQ(ShellRecorder::Calls()[0].file, L"https://www.kavri.example/kavri-video-player/download.html");
}

TEST_F(UpdateDialogs, ALinkOfDialog527OpensItsPage)
{
    ASSERT_EQ(StartManual(L"/newer.xml"), 0);
    HWND hDlg = WaitForDialog(1108);
    ASSERT_NE(hDlg, nullptr);
    // Posted, as a click arrives: a sent click would hold this thread on the dialog's.
    PostMessageW(GetDlgItem(hDlg, 1002), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([] { return !ShellRecorder::Calls().empty(); }));
    ASSERT_EQ(ShellRecorder::Calls().size(), 1u);
    EXPECT_EQ(ShellRecorder::Calls()[0].file, L"https://www.kavri.example/kavri-video-player");
    PostMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForChecks());
    EXPECT_EQ(ShellRecorder::Calls().size(), 1u);  // Close opens no download page
}

TEST_F(UpdateDialogs, TheProgressMovesAndCancelWaitsForTheCheckThread)
{
    ASSERT_EQ(StartManual(L"/slow.xml"), 0);
    HWND hDlg = WaitForDialog(1099);
    ASSERT_NE(hDlg, nullptr);
    // The timer runs on the dialog's own thread: the bar moves.
    ASSERT_TRUE(PumpUntil([&] { return SendDlgItemMessageW(hDlg, 1099, PBM_GETPOS, 0, 0) >= 6; }, 30000));
    EXPECT_EQ(ItemText(hDlg, 1022), L"Checking...");

    PostMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
    // Cancel stops the bar at once; the dialog stays while the thread finishes its step.
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(hDlg) || !IsWindowEnabled(GetDlgItem(hDlg, IDCANCEL)); }));
    if (IsWindow(hDlg)) {
        LRESULT nPos = SendDlgItemMessageW(hDlg, 1099, PBM_GETPOS, 0, 0);
        Sleep(350);
        if (IsWindow(hDlg)) {
            EXPECT_EQ(SendDlgItemMessageW(hDlg, 1099, PBM_GETPOS, 0, 0), nPos);
        }
    }
    ASSERT_TRUE(WaitForChecks());
    EXPECT_FALSE(IsWindow(hDlg));
    EXPECT_EQ(FindCheckDialog(1108), nullptr);  // a cancelled check announces nothing
    EXPECT_TRUE(ShellRecorder::Calls().empty());
}

TEST_F(UpdateDialogs, EndUpdateChecksClosesAnOpenDialog)
{
    ASSERT_EQ(StartManual(L"/newer.xml"), 0);
    HWND hDlg = WaitForDialog(1108);
    ASSERT_NE(hDlg, nullptr);
    EXPECT_EQ(EndUpdateChecks(kLimitMs), 0);
    EXPECT_FALSE(IsWindow(hDlg));
    EXPECT_EQ(GetPendingUpdateChecks(), 0);
    EXPECT_TRUE(ShellRecorder::Calls().empty());
}

TEST_F(UpdateDialogs, EndUpdateChecksClosesTheCheckingDialogDuringASlowAnswer)
{
    ASSERT_EQ(StartManual(L"/slow.xml"), 0);
    HWND hDlg = WaitForDialog(1099);
    ASSERT_NE(hDlg, nullptr);
    EXPECT_EQ(EndUpdateChecks(kLimitMs), 0);
    EXPECT_FALSE(IsWindow(hDlg));
    EXPECT_EQ(GetPendingUpdateChecks(), 0);
}

// ---- About box

class AboutSettings : public DialogSettings {};

std::function<void(HWND)> g_aboutScript;

BOOL CALLBACK FindAbout(HWND hWnd, LPARAM lParam)
{
    if (GetDlgItem(hWnd, 1004) && IsWindowVisible(hWnd)) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AboutTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND hDlg = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindAbout, reinterpret_cast<LPARAM>(&hDlg));
    if (!hDlg)
        return;
    KillTimer(nullptr, id);
    g_aboutScript(hDlg);
    PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
}

// Runs the script on the About box once it is up (from a timer of this thread, since the box
// runs its own loop), then closes it.
void RunAbout(const std::function<void(HWND)>& script)
{
    g_aboutScript = script;
    UINT_PTR nTimer = SetTimer(nullptr, 0, 50, &AboutTimer);
    CAppAboutDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    KillTimer(nullptr, nTimer);
}

int TextWidth(HWND hWnd)
{
    HDC hDC = GetDC(hWnd);
    HGDIOBJ hOld = SelectObject(hDC, reinterpret_cast<HGDIOBJ>(SendMessageW(hWnd, WM_GETFONT, 0, 0)));
    std::wstring text = Text(hWnd);
    SIZE size = {};
    GetTextExtentPoint32W(hDC, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(hDC, hOld);
    ReleaseDC(hWnd, hDC);
    return size.cx;
}

TEST(AboutBox, NamesTheProgramItsVersionAndItsLinks)
{
    CWinApp app(L"Kavri Test Player");
    AboutSettings settings;
    SetAppSettings(&settings);
    ShellRecorder shell;
    std::wstring caption, name, version, company, site, mail;
    int nSiteWidth = 0, nSiteText = 0, nMailWidth = 0, nMailText = 0;
    LONG nNameWeight = 0;
    COLORREF crNormal = 0, crHot = 0;
    RunAbout([&](HWND hDlg) {
        caption = Text(hDlg);
        name = ItemText(hDlg, 1022);
        version = ItemText(hDlg, 1026);
        company = ItemText(hDlg, 1024);
        site = ItemText(hDlg, 1002);
        mail = ItemText(hDlg, 1004);
        LOGFONTW lf = {};
        GetObjectW(reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(hDlg, 1022, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
        nNameWeight = lf.lfWeight;
        RECT rc;
        GetWindowRect(GetDlgItem(hDlg, 1002), &rc);
        nSiteWidth = rc.right - rc.left;
        nSiteText = TextWidth(GetDlgItem(hDlg, 1002));
        GetWindowRect(GetDlgItem(hDlg, 1004), &rc);
        nMailWidth = rc.right - rc.left;
        nMailText = TextWidth(GetDlgItem(hDlg, 1004));

        // The site link's colour, then its hover colour, drawn into a DIB.
        CHyperLink* pLink = static_cast<CHyperLink*>(CWnd::FromHandlePermanent(GetDlgItem(hDlg, 1002)));
        auto draw = [&](COLORREF crWanted) {
            DibCanvas canvas(nSiteWidth, 20);
            DRAWITEMSTRUCT dis = {};
            dis.CtlType = ODT_BUTTON;
            dis.hwndItem = pLink->m_hWnd;
            dis.hDC = canvas.m_dc.m_hDC;
            dis.rcItem = {0, 0, nSiteWidth, 20};
            dis.itemAction = ODA_DRAWENTIRE;
            pLink->m_bTransparent = FALSE;
            pLink->m_crBack = kWhite;
            pLink->DrawItem(&dis);
            pLink->m_bTransparent = TRUE;
            return canvas.Count(crWanted) > 0 ? crWanted : static_cast<COLORREF>(-1);
        };
        crNormal = draw(GetAppLinkColor());
        SendMessageW(pLink->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        crHot = draw(GetAppLinkHoverColor());

        // The mail link runs MailSupport through the seam.
        SendMessageW(GetDlgItem(hDlg, 1004), BM_CLICK, 0, 0);
    });
    SetAppSettings(nullptr);
    EXPECT_EQ(caption, L"About Kavri Test Player");
    EXPECT_EQ(name, L"Kavri Test Player 7");
    EXPECT_EQ(nNameWeight, 700);
    EXPECT_EQ(version, L"Version 7.3.0");
    EXPECT_EQ(company, L"Kavri Helper");
    EXPECT_EQ(site, L"https://www.kavri.example/");
    EXPECT_EQ(mail, L"support@kavri.example");
    EXPECT_EQ(nSiteWidth, nSiteText + 4);
    EXPECT_EQ(nMailWidth, nMailText + 4);
    EXPECT_EQ(crNormal, GetAppLinkColor());
    EXPECT_EQ(crHot, GetAppLinkHoverColor());
    ASSERT_EQ(ShellRecorder::Calls().size(), 1u);
    EXPECT_EQ(ShellRecorder::Calls()[0].file.rfind(L"mailto:support@kavri.example?subject=About", 0), 0u);
}

}  // namespace
