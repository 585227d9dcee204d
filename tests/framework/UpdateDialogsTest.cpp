// The update check's real dialogs, as a manual check shows them while the user is in the
// program: "Checking..." and the newer version come up active, so Enter and Escape reach them.
#include "classlib/CWinApp.h"
#include "framework/dialogs/UpdateDialogs.h"
#include "framework/net/UpdateCheck.h"
#include "tests/support/TestWait.h"
#include "FakeAppSettings.h"
#include "LoopbackHttpServer.h"
#include "RegistrySandbox.h"
#include <gtest/gtest.h>

namespace {

const int kProgressBar = 1099;      // only "Checking..." has it
const int kYourVersionText = 1108;  // only the newer version's dialog has it

LoopbackHttpServer::Response ServeManifest(const std::string& target)
{
    LoopbackHttpServer::Response r;
    r.body =
        "<Updates><Application Version=\"9.0.0\"><DownloadURL>https://www.kavri.example/get</DownloadURL>"
        "</Application></Updates>";
    if (target == "/slow.xml") {
        r.body += "<!--" + std::string(40 * 4096, '.') + "-->";  // 40 blocks, 20 s in all
        r.nChunk = 4096;
        r.nChunkDelayMs = 500;
    }
    return r;
}

struct FindDialog {
    int nControl;
    HWND hFound;
};

BOOL CALLBACK FindDialogProc(HWND hWnd, LPARAM lParam)
{
    auto* pFind = reinterpret_cast<FindDialog*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(hWnd, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(hWnd) && GetDlgItem(hWnd, pFind->nControl)) {
        pFind->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The visible dialog of this process that has the control, or null.
HWND DialogWith(int nControl)
{
    FindDialog find = {nControl, nullptr};
    EnumWindows(&FindDialogProc, reinterpret_cast<LPARAM>(&find));
    return find.hFound;
}

class UpdateDialogs : public testing::Test {
protected:
    UpdateDialogs() : m_server(ServeManifest), m_app(L"UpdateDialogsTest")
    {
        m_app.SetRegistryKey(L"Kavri Helper");
        SetAppSettings(&m_settings);
        SetUpdateCheckUI(&m_ui);
    }
    ~UpdateDialogs() override
    {
        EndUpdateChecks(kTestWaitMs);
        SetUpdateCheckUI(nullptr);
        SetAppSettings(nullptr);
        m_app.m_pMainWnd = nullptr;
        m_main.DestroyWindow();
    }
    void SetUp() override
    {
        ASSERT_TRUE(m_sandbox.IsReady());
        ASSERT_TRUE(m_server.IsReady());
        // The program's window, where the user chose "Check for Updates...".
        ASSERT_TRUE(m_main.CreateEx(0, AfxRegisterWndClass(0), L"Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                                    300, nullptr, nullptr));
        m_app.m_pMainWnd = &m_main;  // which owns the dialogs
        m_main.SetForegroundWindow();
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == m_main.m_hWnd; }, kTestWaitMs));
    }

    // Waits for the dialog with the control; true when it is the foreground window then.
    bool ComesUpActive(int nControl)
    {
        HWND hDialog = nullptr;
        if (!PumpUntil([&] { return (hDialog = DialogWith(nControl)) != nullptr; }, kTestWaitMs))
            return false;
        PumpUntil([&] { return GetForegroundWindow() == hDialog; }, 2000);
        bool bActive = GetForegroundWindow() == hDialog;
        PostMessageW(hDialog, WM_CLOSE, 0, 0);
        return bActive;
    }

    RegistrySandbox m_sandbox;
    LoopbackHttpServer m_server;
    CWinApp m_app;
    FakeSettings m_settings;
    CUpdateDialogsUI m_ui;
    CWnd m_main;
};

TEST_F(UpdateDialogs, ManualCheckShowsCheckingActive)
{
    ASSERT_EQ(0, StartUpdateCheck(m_server.Url(L"/slow.xml").c_str(), L"7.3.0", 7, FALSE));
    EXPECT_TRUE(ComesUpActive(kProgressBar));
    EXPECT_TRUE(PumpUntil([] { return GetPendingUpdateChecks() == 0; }, kTestWaitMs));
}

TEST_F(UpdateDialogs, ManualCheckShowsTheNewerVersionActive)
{
    ASSERT_EQ(0, StartUpdateCheck(m_server.Url(L"/newer.xml").c_str(), L"7.3.0", 7, FALSE));
    EXPECT_TRUE(ComesUpActive(kYourVersionText));
    EXPECT_TRUE(PumpUntil([] { return GetPendingUpdateChecks() == 0; }, kTestWaitMs));
}

}  // namespace
