#include "conversion/app/CMainFrame.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/AfxModule.h"
#include "classlib/CMenu.h"
#include "conversion/app/CConversionSettings.h"
#include "conversion/app/CConversionView.h"
#include "conversion/app/res/FetcherResources.h"
#include "framework/system/SystemHelpers.h"

IMPLEMENT_DYNCREATE(CMainFrame, CAppMainWnd)

namespace {

const int kDefaultWidth = 960;
const int kDefaultHeight = 540;
const int kWideScreen = 1024;
const int kTabBarHeight = 30;

bool HasSavedPlacement()
{
    const CConversionSettings& settings = theConversionSettings;
    return settings.m_mainWindowLeft != -1 && settings.m_mainWindowTop != -1 && settings.m_mainWindowWidth > 0 &&
           settings.m_mainWindowHeight > 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CAppMainWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_DROPFILES()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CMainFrame::OnIdleUpdate)
    ON_NOTIFY(TCN_SELCHANGE, IDW_TOOL_TABS, &CMainFrame::OnSelchangeToolTab)
    ON_NOTIFY(TBN_DROPDOWN, IDW_TOOL_BAR, &CMainFrame::OnToolbarDropDown)
    ON_COMMAND(ID_MAIN_MENU, &CMainFrame::OnMainMenu)
    ON_COMMAND(ID_EDIT_SELECT_ALL, &CMainFrame::OnEditSelectAll)
END_MESSAGE_MAP()

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CAppMainWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style &= ~FWS_ADDTOTITLE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    if (!HasSavedPlacement() && GetSystemMetrics(SM_CXSCREEN) >= kWideScreen) {
        cs.cx = kDefaultWidth;
        cs.cy = kDefaultHeight;
    }
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CAppMainWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetClassLongPtrW(m_hWnd, GCL_STYLE, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS);
    // The encoding tool's progress blocks reach the pages through the message filter.
    AllowCopyDataMessages();
    if (theConversionSettings.m_mainWindowWidth <= 0 && theConversionSettings.m_mainWindowHeight <= 0)
        CenterWindow();
    if (!m_wndToolTabBar.Create(this, 0x52012000, AFX_IDW_TOOLBAR, kTabBarHeight) ||
        !m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR))
        return -1;
    if (CMenu* pMenu = GetMenu()) {
        SetMenu(nullptr);
        pMenu->DestroyMenu();
    }
    if (!theConversionSettings.m_showStatusBar)
        ShowControlBar(&m_wndStatusBar, FALSE, FALSE);
    RecalcLayout();
    return 0;
}

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (!CAppMainWnd::OnCreateClient(lpcs, pContext))
        return FALSE;
    m_pView = dynamic_cast<CConversionView*>(GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE));
    if (!m_pView)
        return FALSE;
    m_pView->SetToolTabBar(&m_wndToolTabBar);
    return TRUE;
}

void CMainFrame::ActivateFrame(int nCmdShow)
{
    CAppMainWnd::ActivateFrame(nCmdShow);
    if (!m_pView)
        return;
    m_wndToolTabBar.m_wndTabs.SetCurSel(theConversionSettings.m_activePage);
    m_pView->ShowPage(m_wndToolTabBar.m_wndTabs.GetCurSel());
}

void CMainFrame::GetMessageString(UINT nID, CString& rMessage) const
{
    if (nID == AFX_IDS_IDLEMESSAGE && m_pView) {
        rMessage = m_pView->GetCurrentDescription();
        return;
    }
    CAppMainWnd::GetMessageString(nID, rMessage);
}

void CMainFrame::OnDestroy()
{
    if (m_wndToolTabBar.m_wndTabs.m_hWnd)
        theConversionSettings.m_activePage = m_wndToolTabBar.m_wndTabs.GetCurSel();
    if (m_pView)
        m_pView->SetToolTabBar(nullptr);
    CAppMainWnd::OnDestroy();
    m_pView = nullptr;
}

void CMainFrame::OnClose()
{
    theConversionSettings.m_showStatusBar = m_wndStatusBar.m_hWnd && m_wndStatusBar.IsWindowVisible() ? 1 : 0;
    CAppMainWnd::OnClose();
}

void CMainFrame::OnDropFiles(HDROP hDropInfo)
{
    // The pages take drops themselves; a drop beside them is finished and ignored.
    DragFinish(hDropInfo);
}

LRESULT CMainFrame::OnIdleUpdate(WPARAM wParam, LPARAM lParam)
{
    CAppMainWnd::OnIdleUpdateCmdUI();
    if (m_pView)
        m_pView->UpdatePageControls(this);
    return 0;
}

void CMainFrame::OnSelchangeToolTab(NMHDR*, LRESULT* pResult)
{
    if (m_pView)
        m_pView->ShowPage(m_wndToolTabBar.m_wndTabs.GetCurSel());
    *pResult = 0;
}

void CMainFrame::OnToolbarDropDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    NMTOOLBARW* pInfo = reinterpret_cast<NMTOOLBARW*>(pNMHDR);
    if (pInfo->iItem != ID_MAIN_MENU)
        return;
    CToolBar& toolBar = m_wndToolTabBar.m_wndToolBar;
    toolBar.SendMessage(TB_PRESSBUTTON, ID_MAIN_MENU, MAKELONG(TRUE, 0));
    CRect button;
    toolBar.SendMessage(TB_GETRECT, ID_MAIN_MENU, reinterpret_cast<LPARAM>(&button));
    toolBar.ClientToScreen(&button);
    HMENU hMenu = LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    if (hMenu) {
        // Right-aligned under the button; the button itself is never covered.
        TPMPARAMS params = {sizeof(params), button};
        TrackPopupMenuEx(GetSubMenu(hMenu, 0), TPM_VERTICAL | TPM_RIGHTALIGN | TPM_LEFTBUTTON, button.right,
                         button.bottom, m_hWnd, &params);
        DestroyMenu(hMenu);
    }
    toolBar.SendMessage(TB_PRESSBUTTON, ID_MAIN_MENU, MAKELONG(FALSE, 0));
}

void CMainFrame::OnMainMenu() {}

// Ctrl+A: the whole text of the focused edit field (a combo box's included).
void CMainFrame::OnEditSelectAll()
{
    HWND hFocus = ::GetFocus();
    wchar_t className[16] = {};
    if (hFocus && GetClassNameW(hFocus, className, 16) && lstrcmpiW(className, L"Edit") == 0)
        ::SendMessageW(hFocus, EM_SETSEL, 0, -1);
}
