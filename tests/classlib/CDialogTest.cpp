// CDialog: modal dialogs from templates driven from inside their own loop, data exchange both
// ways and its validation, ownership (also from a worker thread), idle messages, a child
// dialog's keyboard navigation, and a system file dialog hosted in a CDialog object.
#include "classlib/Afx.h"
#include <commdlg.h>
#include <gtest/gtest.h>
#include <process.h>
#include "tests/support/DialogScript.h"
#include "tests/support/TestWait.h"

namespace {

// Template 100 with every kind of exchanged value; m_script runs once the dialog is up.
class ExchangeDlg : public CDialog {
public:
    explicit ExchangeDlg(CWnd* pParentWnd = nullptr) : CDialog(100, pParentWnd) {}

    int m_nCount = 7;
    CString m_strName = L"seven";
    UINT m_nSize = 70;
    double m_dRatio = 0.25;
    int m_nCheck = BST_CHECKED;
    int m_nRadio = 2;
    int m_nIndex = 1;
    CString m_strChoice = L"Beta";
    int m_nSlider = 30;

    std::function<void(ExchangeDlg&)> m_script;
    int m_nKickIdle = 0;
    WPARAM m_kickIdleFlag = 0;

protected:
    BOOL OnInitDialog() override
    {
        for (LPCWSTR item : {L"Alpha", L"Beta", L"Gamma"}) {
            SendDlgItemMessage(1009, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
            SendDlgItemMessage(1010, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        SendDlgItemMessage(1011, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
        BOOL bResult = CDialog::OnInitDialog();
        PostMessage(WM_TEST_SHOWN);
        return bResult;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, 1001, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, 0, 100);
        DDX_Text(pDX, 1002, m_strName);
        DDX_Text(pDX, 1003, m_nSize);
        DDX_Text(pDX, 1004, m_dRatio);
        DDX_Check(pDX, 1005, m_nCheck);
        DDX_Radio(pDX, 1006, m_nRadio);
        DDX_CBIndex(pDX, 1009, m_nIndex);
        DDX_CBString(pDX, 1010, m_strChoice);
        DDX_Slider(pDX, 1011, m_nSlider);
    }
    LRESULT OnShown(WPARAM, LPARAM)
    {
        if (m_script)
            m_script(*this);
        return 0;
    }
    LRESULT OnKickIdle(WPARAM wParam, LPARAM)
    {
        ++m_nKickIdle;
        m_kickIdleFlag = wParam;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ExchangeDlg, CDialog)
    ON_MESSAGE(WM_TEST_SHOWN, &ExchangeDlg::OnShown)
    ON_MESSAGE(WM_KICKIDLE, &ExchangeDlg::OnKickIdle)
END_MESSAGE_MAP()

int CheckOf(const CWnd& wnd, int nID)
{
    return static_cast<int>(wnd.SendDlgItemMessage(nID, BM_GETCHECK));
}

TEST(CDialog, ModalDialogExchangesEveryKindOfValueBothWays)
{
    ExchangeDlg dlg;
    dlg.m_script = [](ExchangeDlg& d) {
        // Loaded into the controls
        EXPECT_STREQ(L"7", ItemText(d, 1001));
        EXPECT_STREQ(L"seven", ItemText(d, 1002));
        EXPECT_STREQ(L"70", ItemText(d, 1003));
        EXPECT_STREQ(L"0.25", ItemText(d, 1004));
        EXPECT_EQ(BST_CHECKED, CheckOf(d, 1005));
        EXPECT_EQ(BST_UNCHECKED, CheckOf(d, 1006));
        EXPECT_EQ(BST_CHECKED, CheckOf(d, 1008));
        EXPECT_EQ(1, d.SendDlgItemMessage(1009, CB_GETCURSEL));
        EXPECT_EQ(1, d.SendDlgItemMessage(1010, CB_GETCURSEL));
        EXPECT_EQ(30, d.SendDlgItemMessage(1011, TBM_GETPOS));

        // Changed as the user would, then OK
        d.SetDlgItemText(1001, L" 42 ");
        d.SetDlgItemText(1002, L"forty-two");
        d.SetDlgItemText(1003, L"420");
        d.SetDlgItemText(1004, L"1.5");
        d.CheckDlgButton(1005, BST_UNCHECKED);
        d.CheckRadioButton(1006, 1008, 1006);
        d.SendDlgItemMessage(1009, CB_SETCURSEL, 2);
        d.SetDlgItemText(1010, L"Custom");
        d.SendDlgItemMessage(1011, TBM_SETPOS, TRUE, 80);
        Click(d, IDOK);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(42, dlg.m_nCount);
    EXPECT_STREQ(L"forty-two", dlg.m_strName);
    EXPECT_EQ(420u, dlg.m_nSize);
    EXPECT_EQ(1.5, dlg.m_dRatio);
    EXPECT_EQ(BST_UNCHECKED, dlg.m_nCheck);
    EXPECT_EQ(0, dlg.m_nRadio);
    EXPECT_EQ(2, dlg.m_nIndex);
    EXPECT_STREQ(L"Custom", dlg.m_strChoice);
    EXPECT_EQ(80, dlg.m_nSlider);
    EXPECT_EQ(nullptr, dlg.m_hWnd) << "the window is gone";
}

TEST(CDialog, CancelAndEscapeLeaveTheMembers)
{
    struct Case {
        const char* name;
        void (*end)(ExchangeDlg& d);
    } cases[] = {
        {"Cancel button", [](ExchangeDlg& d) { Click(d, IDCANCEL); }},
        // Through the modal loop's keyboard handling, as a key press arrives.
        {"Escape key", [](ExchangeDlg& d) { d.GetDlgItem(1002)->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExchangeDlg dlg;
        dlg.m_script = [&c](ExchangeDlg& d) {
            d.SetDlgItemText(1002, L"changed");
            c.end(d);
        };
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_STREQ(L"seven", dlg.m_strName);
    }
}

TEST(CDialog, RefusedValueKeepsTheDialogOpenWithTheControlFocused)
{
    struct Case {
        const char* name;
        const wchar_t* input;
        const wchar_t* message;
        int nCountAfter;  // a range check looks at the member its exchange has just saved
    } cases[] = {
        {"above the range", L"500", L"Enter an integer from 0 to 100.", 500},
        {"below the range", L"-1", L"Enter an integer from 0 to 100.", -1},
        {"not a number", L"12x", L"Enter an integer.", 7},
        {"empty", L"", L"Enter an integer.", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExchangeDlg dlg;
        dlg.m_script = [&c](ExchangeDlg& d) {
            d.SetDlgItemText(1001, c.input);
            d.SetDlgItemText(1002, L"changed");
            {
                MessageBoxCloser closer(d.m_hWnd);
                Click(d, IDOK);
                EXPECT_STREQ(c.message, MessageBoxCloser::Text());
            }
            EXPECT_TRUE(d.IsWindowVisible()) << "still open";
            EXPECT_EQ(d.GetDlgItem(1001)->m_hWnd, ::GetFocus());
            EXPECT_EQ(c.nCountAfter, d.m_nCount);
            EXPECT_STREQ(L"seven", d.m_strName) << "the save stopped at the refused value";

            d.SetDlgItemText(1001, L"100");
            Click(d, IDOK);
        };
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(100, dlg.m_nCount);
        EXPECT_STREQ(L"changed", dlg.m_strName);
    }
}

TEST(CDialog, ModalLoopSendsKickIdleWhileTheQueueIsEmpty)
{
    // Ends the dialog once it has idled, or after the generous test wait: a loaded machine may
    // keep the queue busy for a while.
    struct Timer {
        static void CALLBACK End(HWND hWnd, UINT, UINT_PTR, DWORD)
        {
            static const DWORD start = GetTickCount();
            auto* dlg = static_cast<ExchangeDlg*>(CWnd::FromHandlePermanent(hWnd));
            if (dlg->m_nKickIdle > 0 || GetTickCount() - start >= kTestWaitMs)
                dlg->EndDialog(IDABORT);
        }
    };
    ExchangeDlg dlg;
    dlg.m_script = [](ExchangeDlg& d) { d.SetTimer(1, 50, &Timer::End); };
    EXPECT_EQ(IDABORT, dlg.DoModal());
    EXPECT_GT(dlg.m_nKickIdle, 0);
    EXPECT_EQ(static_cast<WPARAM>(MSGF_DIALOGBOX), dlg.m_kickIdleFlag);
}

// An application whose main window owns the dialogs that name no parent.
class WithMainWindow : public ::testing::Test {
protected:
    WithMainWindow() : m_app(L"DialogTest")
    {
        m_main.CreateEx(0, nullptr, L"Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr);
        m_app.m_pMainWnd = &m_main;
        m_other.CreateEx(0, nullptr, L"Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr);
        m_otherChild.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, m_other.m_hWnd, nullptr);
    }
    ~WithMainWindow() override { m_app.m_pMainWnd = nullptr; }

public:
    // Runs a dialog whose script records its owner and the owners' states, then clicks OK.
    struct Seen {
        HWND hWndOwner = nullptr;
        BOOL bMainEnabled = TRUE;
        BOOL bOtherEnabled = TRUE;
    };
    INT_PTR RunRecording(CWnd* pParentWnd, Seen& seen)
    {
        ExchangeDlg dlg(pParentWnd);
        dlg.m_script = [this, &seen](ExchangeDlg& d) {
            seen.hWndOwner = ::GetWindow(d.m_hWnd, GW_OWNER);
            seen.bMainEnabled = m_main.IsWindowEnabled();
            seen.bOtherEnabled = m_other.IsWindowEnabled();
            Click(d, IDOK);
        };
        return dlg.DoModal();
    }

protected:
    CWinApp m_app;
    CWnd m_main;
    CWnd m_other;
    CWnd m_otherChild;
};

TEST_F(WithMainWindow, OwnerIsTheParentsTopLevelWindowElseTheMainWindow)
{
    struct Case {
        const char* name;
        CWnd* pParentWnd;
        HWND hWndOwner;
        BOOL bMainEnabled;
        BOOL bOtherEnabled;
    } cases[] = {
        {"no parent", nullptr, m_main.m_hWnd, FALSE, TRUE},
        {"top-level parent", &m_other, m_other.m_hWnd, TRUE, FALSE},
        {"child parent", &m_otherChild, m_other.m_hWnd, TRUE, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Seen seen;
        EXPECT_EQ(IDOK, RunRecording(c.pParentWnd, seen));
        EXPECT_EQ(c.hWndOwner, seen.hWndOwner);
        EXPECT_EQ(c.bMainEnabled, seen.bMainEnabled) << "disabled while the dialog runs";
        EXPECT_EQ(c.bOtherEnabled, seen.bOtherEnabled);
        EXPECT_TRUE(m_main.IsWindowEnabled()) << "enabled again";
        EXPECT_TRUE(m_other.IsWindowEnabled());
    }
}

TEST_F(WithMainWindow, DialogOpenedFromAModalDialogIsOwnedByIt)
{
    HWND hWndOuter = nullptr;
    Seen inner;
    INT_PTR nInnerResult = 0;
    BOOL bOuterEnabledAfter = FALSE;
    ExchangeDlg outer;
    outer.m_script = [&](ExchangeDlg& d) {
        hWndOuter = d.m_hWnd;
        nInnerResult = RunRecording(nullptr, inner);
        bOuterEnabledAfter = d.IsWindowEnabled();
        Click(d, IDOK);
    };
    EXPECT_EQ(IDOK, outer.DoModal());
    EXPECT_EQ(IDOK, nInnerResult);
    EXPECT_EQ(hWndOuter, inner.hWndOwner);
    EXPECT_FALSE(inner.bMainEnabled);
    EXPECT_TRUE(bOuterEnabledAfter);
    EXPECT_TRUE(m_main.IsWindowEnabled());
}

TEST_F(WithMainWindow, ModalDialogOnAWorkerThreadIsOwnedByTheMainWindow)
{
    struct Work {
        WithMainWindow* pTest;
        Seen seen;
        INT_PTR nResult = 0;
        DWORD nThreadId = 0;
        static unsigned __stdcall Run(void* p)
        {
            Work* pWork = static_cast<Work*>(p);
            pWork->nThreadId = GetCurrentThreadId();
            pWork->nResult = pWork->pTest->RunRecording(nullptr, pWork->seen);
            return 0;
        }
    } work = {this};
    HANDLE hThread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &Work::Run, &work, 0, nullptr));
    ASSERT_NE(nullptr, hThread);
    // The worker enables and disables this thread's window: keep answering.
    if (!WaitDispatching(hThread)) {
        ADD_FAILURE() << "the worker's dialog has not ended";
        WaitForSingleObject(hThread, INFINITE);  // it must not outlive work
    }
    CloseHandle(hThread);

    EXPECT_EQ(IDOK, work.nResult);
    EXPECT_NE(GetCurrentThreadId(), work.nThreadId);
    EXPECT_EQ(m_main.m_hWnd, work.seen.hWndOwner);
    EXPECT_FALSE(work.seen.bMainEnabled);
    EXPECT_TRUE(m_main.IsWindowEnabled());
}

// Templates 102 and 103: records where the dialog is once it is up, then closes.
class PlacedDlg : public CDialog {
public:
    PlacedDlg(UINT nIDTemplate, const CPoint* pMoveTo) : CDialog(nIDTemplate), m_pMoveTo(pMoveTo) {}
    CRect m_rcShown;

protected:
    BOOL OnInitDialog() override
    {
        if (m_pMoveTo)
            SetWindowPos(nullptr, m_pMoveTo->x, m_pMoveTo->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        PostMessage(WM_TEST_SHOWN);
        return CDialog::OnInitDialog();
    }
    LRESULT OnShown(WPARAM, LPARAM)
    {
        GetWindowRect(&m_rcShown);
        EndDialog(IDOK);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    const CPoint* m_pMoveTo;
};
BEGIN_MESSAGE_MAP(PlacedDlg, CDialog)
    ON_MESSAGE(WM_TEST_SHOWN, &PlacedDlg::OnShown)
END_MESSAGE_MAP()

bool CentredOver(const CRect& rcInner, const CRect& rcOuter)
{
    CPoint offset = rcInner.CenterPoint() - rcOuter.CenterPoint();
    return abs(offset.x) <= 1 && abs(offset.y) <= 1;
}

TEST_F(WithMainWindow, ModalDialogOpensCentredOverItsOwnerUnlessPlacedOtherwise)
{
    m_main.MoveWindow(200, 150, 400, 300);
    CRect rcMain;
    m_main.GetWindowRect(&rcMain);
    MONITORINFO mi = {sizeof(mi)};
    GetMonitorInfoW(MonitorFromWindow(m_main.m_hWnd, MONITOR_DEFAULTTOPRIMARY), &mi);
    const CRect rcWork(mi.rcWork);
    const CPoint moveTo(7, 9);
    struct Case {
        const char* name;
        UINT nIDTemplate;
        const CPoint* pMoveTo;
        const CRect* pCentredOver;  // null: left where its handler put it
    } cases[] = {
        {"no position in the template: over the owner", 103, nullptr, &rcMain},
        {"DS_CENTER: the system's place", 102, nullptr, &rcWork},
        {"moved by its handler: stays there", 103, &moveTo, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlacedDlg dlg(c.nIDTemplate, c.pMoveTo);
        EXPECT_EQ(IDOK, dlg.DoModal());
        if (c.pCentredOver)
            EXPECT_TRUE(CentredOver(dlg.m_rcShown, *c.pCentredOver)) << dlg.m_rcShown.left << "," << dlg.m_rcShown.top;
        else
            EXPECT_EQ(moveTo, dlg.m_rcShown.TopLeft());
    }

    // A modeless dialog beside its enabled owner opens where its template puts it.
    PlacedDlg modeless(103, nullptr);
    ASSERT_TRUE(modeless.Create(103, &m_main));
    CRect rcModeless;
    modeless.GetWindowRect(&rcModeless);
    EXPECT_FALSE(CentredOver(rcModeless, rcMain));
    modeless.DestroyWindow();
}

// Template 101: a child page inside an ordinary window.
class ChildPage : public CDialog {
public:
    int m_a = 1;
    int m_b = 2;
    int m_c = 3;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, 1101, m_a);
        DDX_Text(pDX, 1102, m_b);
        DDX_Text(pDX, 1103, m_c);
    }
};

TEST(CDialog, ChildDialogLoadsItsValuesAndMovesTheFocusLikeADialog)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(WS_EX_CONTROLPARENT, nullptr, L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                              200, nullptr, nullptr));
    ChildPage page;
    ASSERT_TRUE(page.Create(101, &host));
    EXPECT_EQ(host.m_hWnd, ::GetParent(page.m_hWnd));
    EXPECT_STREQ(L"2", ItemText(page, 1102));
    host.SetActiveWindow();

    HWND hEdit[] = {::GetDlgItem(page.m_hWnd, 1101), ::GetDlgItem(page.m_hWnd, 1102), ::GetDlgItem(page.m_hWnd, 1103)};
    page.GotoDlgCtrl(page.GetDlgItem(1101));
    EXPECT_EQ(hEdit[0], ::GetFocus());
    page.NextDlgCtrl();
    EXPECT_EQ(hEdit[1], ::GetFocus());
    page.PrevDlgCtrl();
    EXPECT_EQ(hEdit[0], ::GetFocus());

    // Tab typed into the first edit reaches the page through the window's pre-translation.
    MSG msg = {hEdit[0], WM_KEYDOWN, VK_TAB, 0};
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(host.m_hWnd, &msg));
    EXPECT_EQ(hEdit[1], ::GetFocus());
    MSG other = {host.m_hWnd, WM_KEYDOWN, VK_TAB, 0};
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(host.m_hWnd, &other)) << "keys of the host itself pass";

    page.SetDlgItemText(1103, L"33");
    EXPECT_TRUE(page.UpdateData(TRUE));
    EXPECT_EQ(33, page.m_c);
    page.DestroyWindow();
    host.DestroyWindow();
}

TEST(CDialog, TemplateThatDoesNotExistFails)
{
    CDialog missing(999);
    EXPECT_EQ(-1, missing.DoModal());
    EXPECT_FALSE(missing.Create(999));
    EXPECT_EQ(nullptr, missing.m_hWnd);
}

// A system file dialog hosted in a CDialog object through the initialisation hook.
class HostedFileDlg : public CDialog {
public:
    HWND m_hWndAtInit = nullptr;
    int m_nInitDone = 0;
    static UINT_PTR CALLBACK Hook(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        return AfxDlgProc(hWnd, message, wParam, lParam);
    }

protected:
    BOOL OnInitDialog() override
    {
        m_hWndAtInit = m_hWnd;
        return TRUE;
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (reinterpret_cast<NMHDR*>(lParam)->code == CDN_INITDONE) {
            ++m_nInitDone;
            ::PostMessageW(::GetParent(m_hWnd), WM_COMMAND, IDCANCEL, 0);
        }
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
};

TEST(CDialog, HostsASystemFileDialogThroughTheInitialisationHook)
{
    wchar_t file[MAX_PATH] = L"";
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
    ofn.lpfnHook = &HostedFileDlg::Hook;

    HostedFileDlg dlg;
    AfxHookDialogInit(&dlg);
    BOOL bChosen = GetOpenFileNameW(&ofn);
    EXPECT_TRUE(AfxUnhookDialogInit()) << "the dialog was attached";
    EXPECT_FALSE(bChosen);
    EXPECT_EQ(0u, CommDlgExtendedError());
    ASSERT_NE(nullptr, dlg.m_hWndAtInit);
    EXPECT_EQ(1, dlg.m_nInitDone) << "notifications reach the object's OnNotify";
    EXPECT_EQ(nullptr, dlg.m_hWnd) << "detached when the system dialog closed";
    EXPECT_FALSE(AfxUnhookDialogInit());
}

}  // namespace
