// CFrameWnd with its view, document and application: command routing, the update pass over a
// popup menu, commands refused when disabled, bar layout, the message pane and tool tips.
// The frames are loaded from resource 100 of CFrameWndTest.rc.
#include "classlib/Afx.h"
#include "tests/classlib/CallLog.h"
#include <gtest/gtest.h>
#include <string>

namespace {

// Ids of CFrameWndTest.rc
const UINT ID_DISABLED = 2001;  // in the menu, F5; disabled by the view
const UINT ID_CHECKED = 2002;
const UINT ID_RELABELLED = 2003;
const UINT ID_NO_HANDLER = 2004;
const UINT ID_AFTER_RECENT = 2006;
const UINT ID_DELETED = 2008;
const UINT ID_AFTER_DELETED = 2009;
const UINT ID_ENABLED = 2010;         // in the menu, F6
const UINT ID_DOC_DISABLED = 2011;    // F7 only; disabled by the document
const UINT ID_NOT_IN_MENU = 2012;     // F8 only
const UINT ID_RECENT_FIRST = 2020;    // the recent-file entries the frame inserts
const UINT ID_PASSED_ON = 2030;       // the view's update handler passes it on to the document
const UINT ID_VIEW_ONLY = 2031;       // the view's update handler keeps it
const UINT ID_PASSED_TO_NOBODY = 2032;
const UINT ID_INDICATOR = 3001;

// Commands 1001-1005: 1001 is handled by view, document, frame and application, 1002 by
// the last three, 1003 by the last two, 1004 by the application alone, 1005 by none.
class CTestDoc : public CDocument {
    DECLARE_DYNCREATE(CTestDoc)
protected:
    void OnCommandRange(UINT) { Log(L"doc"); }
    void OnUpdateDocDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnUpdateLogged(CCmdUI*) { Log(L"doc:update"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
    ON_COMMAND_RANGE(1001, 1002, &CTestDoc::OnCommandRange)
    ON_UPDATE_COMMAND_UI(ID_DOC_DISABLED, &CTestDoc::OnUpdateDocDisabled)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PASSED_ON, ID_VIEW_ONLY, &CTestDoc::OnUpdateLogged)
END_MESSAGE_MAP()

class CTestView : public CView {
    DECLARE_DYNCREATE(CTestView)
public:
    int m_nDraws = 0;
    void OnDraw(CDC* pDC) override
    {
        if (pDC && pDC->m_hDC)
            ++m_nDraws;
    }

protected:
    void OnCommand1() { Log(L"view"); }
    void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    void OnUpdateRelabelled(CCmdUI* pCmdUI) { pCmdUI->SetText(L"New label"); }
    void OnUpdatePassedOn(CCmdUI* pCmdUI)
    {
        Log(L"view:update");
        if (pCmdUI->m_nID != ID_VIEW_ONLY)
            pCmdUI->ContinueRouting();
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestView, CView)
BEGIN_MESSAGE_MAP(CTestView, CView)
    ON_COMMAND(1001, &CTestView::OnCommand1)
    ON_UPDATE_COMMAND_UI(ID_DISABLED, &CTestView::OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(ID_CHECKED, &CTestView::OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(ID_RELABELLED, &CTestView::OnUpdateRelabelled)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PASSED_ON, ID_PASSED_TO_NOBODY, &CTestView::OnUpdatePassedOn)
END_MESSAGE_MAP()

// A bar of a fixed thickness that counts its idle updates.
class CFixedBar : public CControlBar {
public:
    explicit CFixedBar(int nThickness) : m_nThickness(nThickness) {}
    BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nID)
    {
        m_dwStyle = dwStyle & CBRS_ALL;
        return CWnd::Create(nullptr, nullptr, (dwStyle & ~CBRS_ALL) | WS_CHILD, CRect(0, 0, 0, 0), pParent, nID);
    }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        return bHorz ? CSize(bStretch ? 32767 : 40, m_nThickness) : CSize(m_nThickness, bStretch ? 32767 : 40);
    }
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) override { m_pLastTarget = pTarget; }
    CFrameWnd* m_pLastTarget = nullptr;

private:
    int m_nThickness;
};

class CTestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CTestFrame)
public:
    CTestFrame() : m_wndTop(30), m_wndBottom(20) {}
    CFixedBar m_wndTop;
    CFixedBar m_wndBottom;
    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
    BOOL m_bIndicatorOn = TRUE;
    static bool s_bRealBars;  // a tool bar and a status bar instead of the fixed bars

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        if (s_bRealBars) {
            static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR};
            if (!m_wndToolBar.Create(this) || !m_wndToolBar.LoadToolBar(101) || !m_wndStatusBar.Create(this) ||
                !m_wndStatusBar.SetIndicators(indicators, 2))
                return -1;
        } else if (!m_wndTop.Create(this, WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR) ||
                   !m_wndBottom.Create(this, WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_CONTROLBAR_FIRST + 5)) {
            return -1;
        }
        return 0;
    }
    void OnCommandRange(UINT nID) { Log(L"frame:" + std::to_wstring(nID)); }
    // Replaces the recent-file entries by three new ones, as a recent-file list does.
    void OnUpdateRecent(CCmdUI* pCmdUI)
    {
        CMenu* pMenu = pCmdUI->m_pMenu;
        if (!pMenu || pCmdUI->m_nID != ID_RECENT_FIRST)
            return;
        while (pMenu->GetMenuItemID(pCmdUI->m_nIndex) >= ID_RECENT_FIRST &&
               pMenu->GetMenuItemID(pCmdUI->m_nIndex) < ID_RECENT_FIRST + 4)
            pMenu->DeleteMenu(pCmdUI->m_nIndex, MF_BYPOSITION);
        const wchar_t* names[] = {L"1 a", L"2 b", L"3 c"};
        for (UINT i = 0; i < 3; ++i)
            pMenu->InsertMenu(pCmdUI->m_nIndex + i, MF_BYPOSITION | MF_STRING, ID_RECENT_FIRST + i, names[i]);
        pCmdUI->m_nIndex += 2;  // the last one inserted
        pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
        pCmdUI->m_bEnableChanged = TRUE;
    }
    void OnUpdateCheck(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    void OnUpdateDeleted(CCmdUI* pCmdUI)
    {
        if (pCmdUI->m_pMenu)
            pCmdUI->m_pMenu->DeleteMenu(pCmdUI->m_nIndex, MF_BYPOSITION);
    }
    void OnUpdateIndicator(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bIndicatorOn); }
    void OnBarChildNotify(NMHDR*, LRESULT* pResult)
    {
        Log(L"frame:notify");
        *pResult = 5;
    }
    DECLARE_MESSAGE_MAP()
};
bool CTestFrame::s_bRealBars = false;
IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND_RANGE(1001, 1003, &CTestFrame::OnCommandRange)
    ON_UPDATE_COMMAND_UI_RANGE(ID_RECENT_FIRST, ID_RECENT_FIRST + 3, &CTestFrame::OnUpdateRecent)
    ON_UPDATE_COMMAND_UI(ID_AFTER_RECENT, &CTestFrame::OnUpdateCheck)
    ON_UPDATE_COMMAND_UI(ID_DELETED, &CTestFrame::OnUpdateDeleted)
    ON_UPDATE_COMMAND_UI(ID_AFTER_DELETED, &CTestFrame::OnUpdateCheck)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR, &CTestFrame::OnUpdateIndicator)
    ON_NOTIFY(NM_CLICK, 4002, &CTestFrame::OnBarChildNotify)
END_MESSAGE_MAP()

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp(L"Frame Test App") {}

protected:
    void OnCommandRange(UINT nID) { Log(L"app:" + std::to_wstring(nID)); }
    void OnRun(UINT nID) { Log(L"run:" + std::to_wstring(nID)); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND_RANGE(1001, 1004, &CTestApp::OnCommandRange)
    ON_COMMAND_RANGE(ID_DISABLED, ID_RELABELLED, &CTestApp::OnRun)
    ON_COMMAND_RANGE(ID_AFTER_RECENT, ID_NOT_IN_MENU, &CTestApp::OnRun)
    ON_COMMAND_RANGE(ID_RECENT_FIRST, ID_RECENT_FIRST + 3, &CTestApp::OnRun)
END_MESSAGE_MAP()

// An application with a template of the test classes and its new document's frame.
class FrameFixture : public ::testing::Test {
protected:
    explicit FrameFixture(bool bRealBars = false) : m_bRealBars(bRealBars) {}
    void SetUp() override
    {
        CTestFrame::s_bRealBars = m_bRealBars;
        m_app.AddDocTemplate(new CSingleDocTemplate(100, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                                    RUNTIME_CLASS(CTestView)));
        m_app.OnFileNew();
        m_pFrame = static_cast<CTestFrame*>(m_app.m_pMainWnd);
        ASSERT_NE(nullptr, m_pFrame);
        m_pView = static_cast<CTestView*>(m_pFrame->GetActiveView());
        ASSERT_NE(nullptr, m_pView);
        g_log.clear();
    }
    ~FrameFixture() override
    {
        if (m_app.m_pMainWnd)
            m_app.m_pMainWnd->DestroyWindow();
        // Destroying the main window posted WM_QUIT to this thread; later tests pump messages.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    std::wstring Command(UINT nID, WORD nSource = 0)
    {
        g_log.clear();
        m_pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(nID, nSource));
        return g_log;
    }

    bool m_bRealBars;
    CTestApp m_app;
    CTestFrame* m_pFrame = nullptr;
    CTestView* m_pView = nullptr;
};

class FrameRouting : public FrameFixture {};

TEST_F(FrameRouting, FrameTemplateBuildsFrameViewAndDocument)
{
    EXPECT_TRUE(m_pFrame->IsKindOf(RUNTIME_CLASS(CTestFrame)));
    EXPECT_EQ(AFX_IDW_PANE_FIRST, m_pView->GetDlgCtrlID());
    EXPECT_EQ(m_pFrame, m_pView->GetParentFrame());
    EXPECT_EQ(m_pFrame, m_pView->GetTopLevelFrame());
    ASSERT_NE(nullptr, m_pView->GetDocument());
    EXPECT_TRUE(m_pView->GetDocument()->IsKindOf(RUNTIME_CLASS(CTestDoc)));
    EXPECT_EQ(m_pView->GetDocument(), m_pFrame->GetActiveDocument());
    EXPECT_NE(nullptr, ::GetMenu(m_pFrame->m_hWnd));
    EXPECT_NE(nullptr, m_pFrame->m_hAccelTable);
    EXPECT_TRUE(m_pFrame->IsWindowVisible());
    // FWS_ADDTOTITLE: the document's name (the second field of string 100) before the title.
    CString title;
    m_pFrame->GetWindowText(title);
    EXPECT_EQ(L"Sheet - Frame Test", title);
}

TEST_F(FrameRouting, CommandsReachViewDocumentFrameAndApplicationInOrder)
{
    struct Case {
        const char* name;
        UINT nID;
        const wchar_t* log;
    } cases[] = {
        {"all four handle it: the view", 1001, L"view"},
        {"no view handler: the document", 1002, L"doc"},
        {"neither: the frame", 1003, L"frame:1003"},
        {"only the application", 1004, L"app:1004"},
        {"nobody", 1005, L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.log, Command(c.nID)) << c.name;
}

TEST_F(FrameRouting, MenuUpdatePassEnablesChecksRelabelsAndLetsHandlersEditTheMenu)
{
    HMENU hPopup = GetSubMenu(::GetMenu(m_pFrame->m_hWnd), 0);
    for (int nPass = 0; nPass < 2; ++nPass) {  // a second pass finds the menu it left
        SCOPED_TRACE(nPass);
        m_pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), MAKELPARAM(0, FALSE));
        auto state = [&](UINT nID) { return GetMenuState(hPopup, nID, MF_BYCOMMAND); };
        EXPECT_TRUE(state(ID_DISABLED) & MF_GRAYED);
        EXPECT_TRUE(state(ID_CHECKED) & MF_CHECKED);
        EXPECT_FALSE(state(ID_CHECKED) & MF_GRAYED);
        EXPECT_TRUE(state(ID_NO_HANDLER) & MF_GRAYED) << "no handler anywhere";
        EXPECT_FALSE(state(ID_ENABLED) & MF_GRAYED);
        EXPECT_TRUE(state(ID_VIEW_TOOLBAR) & MF_CHECKED) << "the bar is visible";
        wchar_t text[64] = {};
        GetMenuStringW(hPopup, ID_RELABELLED, text, 64, MF_BYCOMMAND);
        EXPECT_STREQ(L"New label", text);

        // The inserted entries sit where the placeholder was, and the pass went on after them.
        EXPECT_EQ(ID_RECENT_FIRST, GetMenuItemID(hPopup, 4));
        EXPECT_EQ(ID_RECENT_FIRST + 2, GetMenuItemID(hPopup, 6));
        EXPECT_EQ(ID_AFTER_RECENT, GetMenuItemID(hPopup, 7));
        EXPECT_TRUE(state(ID_AFTER_RECENT) & MF_CHECKED);
        // The deleted item is gone and the one after it was still updated.
        EXPECT_EQ(static_cast<UINT>(-1), state(ID_DELETED));
        EXPECT_TRUE(state(ID_AFTER_DELETED) & MF_CHECKED);
        // A popup is never disabled for want of a handler of its first item.
        EXPECT_FALSE(GetMenuState(hPopup, 10, MF_BYPOSITION) & MF_GRAYED);
        EXPECT_EQ(13, GetMenuItemCount(hPopup));
    }
}

TEST_F(FrameRouting, UpdateHandlerThatContinuesRoutingLeavesTheItemToTheNextTargets)
{
    struct Case {
        const char* name;
        UINT nID;
        BOOL bHandled;
        const wchar_t* log;
    } cases[] = {
        {"the view passes it on to the document", ID_PASSED_ON, TRUE, L"view:update doc:update"},
        {"the view keeps it", ID_VIEW_ONLY, TRUE, L"view:update"},
        {"passed on to nobody: not handled", ID_PASSED_TO_NOBODY, FALSE, L"view:update"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_log.clear();
        CCmdUI state;
        state.m_nID = c.nID;
        EXPECT_EQ(c.bHandled, m_pFrame->OnCmdMsg(c.nID, CN_UPDATE_COMMAND_UI, &state, nullptr));
        EXPECT_EQ(c.log, g_log);
        EXPECT_FALSE(state.m_bContinueRouting) << "reset for the next item";
    }
}

TEST_F(FrameRouting, RadioCheckShowsOnTheMenuItem)
{
    HMENU hPopup = GetSubMenu(::GetMenu(m_pFrame->m_hWnd), 0);
    CCmdUI state;
    state.m_pMenu = CMenu::FromHandle(hPopup);
    state.m_nIndex = 1;
    state.m_nID = ID_CHECKED;
    state.SetRadio(TRUE);
    MENUITEMINFOW mii = {sizeof(mii)};
    mii.fMask = MIIM_FTYPE | MIIM_STATE;
    ASSERT_TRUE(GetMenuItemInfoW(hPopup, 1, TRUE, &mii));
    EXPECT_TRUE(mii.fType & MFT_RADIOCHECK);
    EXPECT_TRUE(mii.fState & MFS_CHECKED);
    state.SetRadio(FALSE);
    ASSERT_TRUE(GetMenuItemInfoW(hPopup, 1, TRUE, &mii));
    EXPECT_FALSE(mii.fState & MFS_CHECKED);
}

TEST_F(FrameRouting, DisabledCommandsAreNotRunFromMenuOrAccelerator)
{
    struct Case {
        const char* name;
        UINT nVirtKey;
        UINT nID;
        const wchar_t* log;
    } cases[] = {
        {"menu item disabled by the view", VK_F5, ID_DISABLED, L""},
        {"enabled menu item", VK_F6, ID_ENABLED, L"run:2010"},
        {"key only, disabled by the document", VK_F7, ID_DOC_DISABLED, L""},
        {"key only, no update handler", VK_F8, ID_NOT_IN_MENU, L"run:2012"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.log, Command(c.nID, 0)) << c.name << " (menu)";
        // The key goes to the focused view; the thread's pre-translation reaches the frame.
        g_log.clear();
        MSG msg = {m_pView->m_hWnd, WM_KEYDOWN, c.nVirtKey, 1};
        EXPECT_TRUE(m_app.PreTranslateMessage(&msg)) << c.name;
        EXPECT_EQ(c.log, g_log) << c.name << " (accelerator)";
    }
}

TEST_F(FrameRouting, ASubMenuOfAPopupTheFrameTracksOpensAndItsEntryIsChosen)
{
    // The frame's update pass cancels modes as each level opens; the menu's own capture must
    // survive it. Down selects "More", Right opens it, Enter chooses "Inner".
    HMENU hMenu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(102));
    ASSERT_NE(nullptr, hMenu);
    for (UINT nKey : {VK_DOWN, VK_RIGHT, VK_RETURN})
        m_pFrame->PostMessage(WM_KEYDOWN, nKey, 0);
    UINT nChosen = ::TrackPopupMenuEx(::GetSubMenu(hMenu, 0), TPM_RETURNCMD, 10, 10, m_pFrame->m_hWnd, nullptr);
    ::DestroyMenu(hMenu);
    MSG msg;  // keys a closed menu left unread
    while (PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    EXPECT_EQ(1003u, nChosen);
}

TEST_F(FrameRouting, ClosingTheMainFrameClosesTheDocumentAndEndsTheLoop)
{
    CDocument* pDoc = m_pView->GetDocument();
    POSITION pos = m_app.GetFirstDocTemplatePosition();
    CDocTemplate* pTemplate = m_app.GetNextDocTemplate(pos);
    POSITION posDoc = pTemplate->GetFirstDocPosition();
    EXPECT_EQ(pDoc, pTemplate->GetNextDoc(posDoc));

    m_pFrame->SendMessage(WM_CLOSE);
    EXPECT_EQ(nullptr, m_app.m_pMainWnd);
    EXPECT_EQ(nullptr, pTemplate->GetFirstDocPosition()) << "the document was deleted";
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(FrameRouting, IdleUpdateReachesTheBarsWithTheFrameAsTarget)
{
    m_app.OnIdle(0);
    EXPECT_EQ(m_pFrame, m_pFrame->m_wndTop.m_pLastTarget);
    EXPECT_EQ(m_pFrame, m_pFrame->m_wndBottom.m_pLastTarget);
}

TEST_F(FrameRouting, ClickActivatesAViewAndPaintDraws)
{
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CTestView);
    context.m_pCurrentDoc = m_pView->GetDocument();
    CTestView* pSecond = static_cast<CTestView*>(m_pFrame->CreateView(&context, AFX_IDW_PANE_FIRST + 1));
    ASSERT_NE(nullptr, pSecond);
    EXPECT_EQ(m_pView, m_pFrame->GetActiveView());
    pSecond->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(m_pFrame->m_hWnd), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(pSecond, m_pFrame->GetActiveView());
    EXPECT_EQ(L"view", Command(1001));  // commands now start at the second view

    pSecond->MoveWindow(0, 0, 50, 50);
    pSecond->ShowWindow(SW_SHOW);
    pSecond->Invalidate();
    pSecond->UpdateWindow();
    EXPECT_EQ(1, pSecond->m_nDraws);
}

TEST_F(FrameRouting, BarPassesWhatItsControlsSendOnToTheFrame)
{
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, L"", WS_CHILD, CRect(0, 0, 5, 5), &m_pFrame->m_wndTop, 4002));
    g_log.clear();
    m_pFrame->m_wndTop.SendMessage(WM_COMMAND, MAKEWPARAM(1003, BN_CLICKED), reinterpret_cast<LPARAM>(child.m_hWnd));
    EXPECT_EQ(L"frame:1003", g_log) << "a button's command takes the frame's routing";

    g_log.clear();
    NMHDR nmhdr = {child.m_hWnd, 4002, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(5, m_pFrame->m_wndTop.SendMessage(WM_NOTIFY, 4002, reinterpret_cast<LPARAM>(&nmhdr)));
    EXPECT_EQ(L"frame:notify", g_log);
}

// Layout: a top bar, a bottom bar and the view in between, again after every WM_SIZE.

TEST_F(FrameRouting, BarsAndViewAreLaidOutAndRelaidOnResize)
{
    struct Size {
        int cx, cy;
    } sizes[] = {{400, 300}, {520, 380}, {300, 200}};
    for (const Size& size : sizes) {
        SCOPED_TRACE(size.cx);
        m_pFrame->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
        CRect rcClient;
        m_pFrame->GetClientRect(&rcClient);
        auto childRect = [&](CWnd* pWnd) {
            CRect rc;
            pWnd->GetWindowRect(&rc);
            m_pFrame->ScreenToClient(&rc);
            return rc;
        };
        EXPECT_EQ(CRect(0, 0, rcClient.right, 30), childRect(&m_pFrame->m_wndTop));
        EXPECT_EQ(CRect(0, rcClient.bottom - 20, rcClient.right, rcClient.bottom), childRect(&m_pFrame->m_wndBottom));
        EXPECT_EQ(CRect(0, 30, rcClient.right, rcClient.bottom - 20), childRect(m_pView));
    }

    // The bar's menu command hides it and the view takes its place.
    Command(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(m_pFrame->m_wndTop.IsWindowVisible());
    CRect rcView;
    m_pView->GetWindowRect(&rcView);
    m_pFrame->ScreenToClient(&rcView);
    EXPECT_EQ(0, rcView.top);
    HMENU hPopup = GetSubMenu(::GetMenu(m_pFrame->m_hWnd), 0);
    m_pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), 0);
    EXPECT_FALSE(GetMenuState(hPopup, ID_VIEW_TOOLBAR, MF_BYCOMMAND) & MF_CHECKED);
}

// A tool bar and a status bar of the common controls.

class FrameBars : public FrameFixture {
protected:
    FrameBars() : FrameFixture(true) {}
    CString PaneShown(int nIndex)
    {
        wchar_t text[128] = {};
        m_pFrame->m_wndStatusBar.SendMessage(SB_GETTEXTW, nIndex, reinterpret_cast<LPARAM>(text));
        return text;
    }
};

TEST_F(FrameBars, ToolBarLoadsItsButtonsAndFollowsTheirCommands)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    ASSERT_EQ(3, bar.GetCount());
    EXPECT_EQ(ID_ENABLED, bar.GetItemID(0));
    EXPECT_EQ(static_cast<UINT>(ID_SEPARATOR), bar.GetItemID(1));
    EXPECT_EQ(ID_DOC_DISABLED, bar.GetItemID(2));
    EXPECT_EQ(2, bar.CommandToIndex(ID_DOC_DISABLED));

    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONENABLED, ID_ENABLED));
    EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONENABLED, ID_DOC_DISABLED));

    bar.SetButtonStyle(0, bar.GetButtonStyle(0) | TBBS_CHECKED);
    EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONCHECKED, ID_ENABLED));
    EXPECT_FALSE(bar.GetButtonStyle(0) & TBBS_DISABLED);
}

TEST_F(FrameBars, BarsTakeTheirHeightAndTheViewTheRest)
{
    m_pFrame->SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOMOVE);
    CRect rcClient, rcTool, rcStatus, rcView;
    m_pFrame->GetClientRect(&rcClient);
    auto childRect = [&](CWnd* pWnd, CRect& rc) {
        pWnd->GetWindowRect(&rc);
        m_pFrame->ScreenToClient(&rc);
    };
    childRect(&m_pFrame->m_wndToolBar, rcTool);
    childRect(&m_pFrame->m_wndStatusBar, rcStatus);
    childRect(m_pView, rcView);
    EXPECT_EQ(0, rcTool.top);
    EXPECT_GT(rcTool.Height(), 15);
    EXPECT_EQ(rcClient.bottom, rcStatus.bottom);
    EXPECT_GT(rcStatus.Height(), 10);
    EXPECT_EQ(rcClient.Width(), rcStatus.Width());
    EXPECT_EQ(CRect(0, rcTool.bottom, rcClient.right, rcStatus.top), rcView);
}

TEST_F(FrameBars, MessagePaneShowsMenuPromptsAndIdleText)
{
    CStatusBar& bar = m_pFrame->m_wndStatusBar;
    m_pFrame->SetMessageText(L"hello");
    EXPECT_EQ(L"hello", bar.GetPaneText(0));
    EXPECT_EQ(L"hello", PaneShown(0));

    HMENU hPopup = GetSubMenu(::GetMenu(m_pFrame->m_hWnd), 0);
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_DISABLED, MF_STRING), reinterpret_cast<LPARAM>(hPopup));
    EXPECT_EQ(L"Disabled prompt", bar.GetPaneText(0));
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);  // the menu closed
    EXPECT_EQ(L"Ready", bar.GetPaneText(0));
}

TEST_F(FrameBars, IndicatorPaneFollowsItsUpdateHandler)
{
    CStatusBar& bar = m_pFrame->m_wndStatusBar;
    ASSERT_EQ(2, bar.GetCount());
    EXPECT_EQ(1, bar.CommandToIndex(ID_INDICATOR));
    EXPECT_EQ(L"IND", bar.GetPaneText(1));
    m_pFrame->m_bIndicatorOn = FALSE;
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(L"", PaneShown(1));
    m_pFrame->m_bIndicatorOn = TRUE;
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(L"IND", PaneShown(1));
    EXPECT_TRUE(bar.GetStyle() & SBARS_SIZEGRIP) << "the frame can be resized";

    bar.SetPaneInfo(1, ID_INDICATOR, SBPS_NORMAL, 100);
    CRect rcPane;
    bar.GetItemRect(1, &rcPane);
    EXPECT_GE(rcPane.Width(), 100);
    UINT nID = 0, nStyle = 0;
    int cxWidth = 0;
    bar.GetPaneInfo(1, nID, nStyle, cxWidth);
    EXPECT_EQ(ID_INDICATOR, nID);
    EXPECT_EQ(100, cxWidth);
}

TEST_F(FrameBars, ToolTipTextComesFromTheStringTable)
{
    struct Case {
        const char* name;
        UINT_PTR idFrom;
        BOOL bHandled;
        const wchar_t* tip;
    } cases[] = {
        {"the part after the prompt", ID_ENABLED, TRUE, L"Enabled tip"},
        {"no string: not handled", 2999, FALSE, L""},
    };
    for (const Case& c : cases) {
        TOOLTIPTEXTW ttt = {};
        ttt.hdr.code = TTN_NEEDTEXTW;
        ttt.hdr.idFrom = c.idFrom;
        LRESULT lResult = 0;
        EXPECT_EQ(c.bHandled, m_pFrame->OnNotify(0, reinterpret_cast<LPARAM>(&ttt), &lResult)) << c.name;
        EXPECT_STREQ(c.tip, ttt.szText) << c.name;
    }
}

}  // namespace
