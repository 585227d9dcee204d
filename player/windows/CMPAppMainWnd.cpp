#include "player/windows/CMPAppMainWnd.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/AfxModal.h"
#include "classlib/CMenu.h"
#include "player/windows/CPlayView.h"
#include "player/CPlayerSettings.h"
#include "player/playlist/CPlaylistCtrl.h"
#include "player/playlist/CPlaylistItem.h"
#include "player/windows/CPlaylistView.h"
#include "player/res/PlayerResources.h"

PlayerControlBar* g_pControlBar = nullptr;

namespace {

const int kControlBarHeight = 38;
// The frame's own window class, so that other programs and scripts find the player by it.
const wchar_t kFrameClassName[] = L"KavriVideoPlayer";
const BYTE kTranslucentAlpha = 127;

}  // namespace

// The full-screen layer has no class record of its own.
IMPLEMENT_DYNCREATE(CMPAppMainWnd, CAppMainWnd_VMB)

BEGIN_MESSAGE_MAP(CMPAppMainWnd, CFullScreenMainWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_SYSCOMMAND()
    ON_WM_INITMENUPOPUP()
    ON_COMMAND(ID_VIEW_ALWAYS_ON_TOP, &CMPAppMainWnd::OnAlwaysOnTop)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ALWAYS_ON_TOP, &CMPAppMainWnd::OnUpdateAlwaysOnTop)
    ON_COMMAND(ID_VIEW_TRANSPARENT, &CMPAppMainWnd::OnTransparent)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TRANSPARENT, &CMPAppMainWnd::OnUpdateTransparent)
    ON_COMMAND(ID_VIEW_FULL_SCREEN, &CMPAppMainWnd::OnFullScreen)
    ON_UPDATE_COMMAND_UI(ID_VIEW_FULL_SCREEN, &CMPAppMainWnd::OnUpdateFullScreen)
END_MESSAGE_MAP()

BOOL CMPAppMainWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFullScreenMainWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style &= ~FWS_ADDTOTITLE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    WNDCLASSEXW wc = {sizeof(wc)};
    if (::GetClassInfoExW(AfxGetInstanceHandle(), cs.lpszClass, &wc)) {
        wc.lpszClassName = kFrameClassName;
        if (::RegisterClassExW(&wc) || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS)
            cs.lpszClass = kFrameClassName;
    }
    return TRUE;
}

BOOL CMPAppMainWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (!m_container.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST))
        return FALSE;
    if (!m_container.CreatePanes(pContext))
        return FALSE;
    g_pPlayerMainWindow = this;
    g_pPlaylistView = m_container.m_pPlaylistView;
    g_pPlaylistCtrl = &m_container.m_pPlaylistView->m_playlistCtrl;
    g_pPlayView = m_container.m_pDisplayView;
    g_pVideoWnd = &m_container.m_pDisplayView->m_videoWnd;
    m_container.SetMode(m_container.m_nMode);
    m_container.ActivatePane(m_container.m_pPlaylistView);
    return TRUE;
}

int CMPAppMainWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFullScreenMainWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_startPanel.Create(WS_CHILD, CRect(0, 0, 0, 0), this, IDW_START_PANEL))
        return -1;
    if (!m_controlBar.Create(WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM, CRect(0, 0, kControlBarHeight, kControlBarHeight),
                             this, IDW_PLAYER_CONTROL_BAR))
        return -1;
    g_pControlBar = &m_controlBar;
    if (g_pVideoWnd)
        m_controlBar.SetSession(g_pVideoWnd);
    m_controlBar.SetDockMode(m_container.GetMode() == SPLIT_BOTH);
    m_controlBar.RefreshVolume();
    AddSystemMenuItems();
    if (g_playerSettings.m_nMainWindowLeft == -1 && g_playerSettings.m_nMainWindowWidth <= 0)
        CenterWindow();
    if (g_playerSettings.m_bTransparent)
        SetTranslucent(TRUE);
    RecalcLayout();
    // The playlist says when it fills or empties; it starts empty.
    if (g_pPlaylistCtrl && g_pPlaylistCtrl->GetItemCount() == 0)
        ShowStartPanel(TRUE);
    return 0;
}

void CMPAppMainWnd::AddSystemMenuItems()
{
    CMenu* pMenu = GetSystemMenu(FALSE);
    if (!pMenu)
        return;
    // After the base's Always On Top, before its separator.
    pMenu->InsertMenu(1, MF_BYPOSITION | MF_STRING, IDM_SYS_TRANSPARENT, L"Transparent");
    pMenu->InsertMenu(1, MF_BYPOSITION | MF_STRING, IDM_SYS_FULL_SCREEN, L"Full Screen");
}

void CMPAppMainWnd::OnClose()
{
    // A close while a box is up waits for the box: the code below it still works on the
    // windows and the playlist that the close would destroy.
    if (AfxDeferCloseWhileModal(m_hWnd))
        return;
    // While every window still lives: the destruction that follows clears the window pointers
    // before it reaches the playlist.
    if (g_pPlaylistCtrl)
        g_pPlaylistCtrl->CloseCurrentForResume();
    CFullScreenMainWnd::OnClose();
}

void CMPAppMainWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    switch (nID & 0xFFF0) {
    case IDM_SYS_FULL_SCREEN:
        ToggleFullScreen();
        break;
    case IDM_SYS_TRANSPARENT:
        SetTranslucent(!g_playerSettings.m_bTransparent);
        break;
    default:
        break;
    }
    CFullScreenMainWnd::OnSysCommand(nID, lParam);
}

void CMPAppMainWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CFullScreenMainWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu || !pPopupMenu)
        return;
    auto check = [pPopupMenu](UINT nItem, BOOL bOn) {
        pPopupMenu->CheckMenuItem(nItem, bOn ? MF_CHECKED : MF_UNCHECKED);
    };
    check(IDM_SYS_FULL_SCREEN, IsFullScreen());
    check(IDM_SYS_TRANSPARENT, g_playerSettings.m_bTransparent);
}

BOOL CMPAppMainWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && m_nFullScreenState == FULL_SCREEN_ON) {
        ToggleFullScreen();
        return TRUE;
    }
    return CFullScreenMainWnd::PreTranslateMessage(pMsg);
}

void CMPAppMainWnd::RecalcLayout(BOOL bNotify)
{
    CFullScreenMainWnd::RecalcLayout(bNotify);
    if (!m_startPanel.m_hWnd || !m_container.m_hWnd)
        return;
    CRect rect;
    m_container.GetWindowRect(&rect);
    ScreenToClient(&rect);
    m_startPanel.MoveWindow(&rect);
}

void CMPAppMainWnd::ToggleFullScreen()
{
    m_margins.top = m_menuBar.m_hWnd && m_menuBar.IsWindowVisible() ? m_nMenuBarHeight : 0;
    m_margins.right = 0;
    m_margins.bottom = 0;
    if (!g_playerSettings.m_bAlwaysShowControlBar) {
        if (m_container.GetMode() == SPLIT_BOTH && m_container.m_pPlaylistView) {
            CRect playlist;
            m_container.m_pPlaylistView->GetWindowRect(&playlist);
            m_margins.right = playlist.Width();
        }
        if (m_controlBar.m_hWnd && m_controlBar.IsWindowVisible())
            m_margins.bottom = kControlBarHeight;
    }
    CFullScreenMainWnd::ToggleFullScreen();
    if (m_controlBar.m_hWnd)
        m_controlBar.SetFullScreen(IsFullScreen());
}

void CMPAppMainWnd::SetTranslucent(BOOL bOn)
{
    g_playerSettings.m_bTransparent = bOn ? 1 : 0;
    if (bOn)
        EnableLayeredWindow(m_hWnd, kTranslucentAlpha);
    else
        DisableLayeredWindow(m_hWnd);
}

void CMPAppMainWnd::ShowStartPanel(BOOL bShow)
{
    if (!m_startPanel.m_hWnd || !m_container.m_hWnd)
        return;
    // The panel's own style: while the frame is still hidden at start-up, the default playlist
    // fills it and IsWindowVisible would call the shown panel hidden.
    if (((m_startPanel.GetStyle() & WS_VISIBLE) != 0) == (bShow != FALSE))
        return;
    m_container.ShowWindow(bShow ? SW_HIDE : SW_SHOW);
    m_startPanel.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    // The start panel is reached through the menu; the video pane alone goes without it.
    HideMenuBar(!bShow && IsOnePaneMode() && GetShownPane() == PANE_DISPLAY);
}

void CMPAppMainWnd::HideMenuBar(BOOL bHide)
{
    if (m_menuBar.m_hWnd && (m_menuBar.IsWindowVisible() != FALSE) == (bHide != FALSE))
        ShowControlBar(&m_menuBar, !bHide, FALSE);
}

void CMPAppMainWnd::ShowPane(int nPane)
{
    if (m_container.m_hWnd)
        m_container.ShowPane(nPane);
}

int CMPAppMainWnd::GetShownPane() const
{
    if (!m_container.m_hWnd)
        return -1;
    CWnd* pVisible = m_container.GetVisiblePane();
    CWnd* pPlaylist = m_container.GetPane(PANE_PLAYLIST);
    return pVisible && pPlaylist && pVisible->m_hWnd == pPlaylist->m_hWnd ? PANE_PLAYLIST : PANE_DISPLAY;
}

BOOL CMPAppMainWnd::IsOnePaneMode() const
{
    return m_container.GetMode() == SPLIT_ONE;
}

void CMPAppMainWnd::SetStatusText(LPCWSTR pszText)
{
    if (m_menuBar.m_hWnd)
        m_menuBar.SetText(pszText);
}

void CMPAppMainWnd::SetPlaylistStatus(LPCWSTR pszText, BOOL bEmpty)
{
    SetStatusText(pszText);
    ShowStartPanel(bEmpty);
    // The caption's "n/count" follows rows that arrive while an item plays.
    if (g_pVideoWnd && g_pVideoWnd->m_pCurrentItem)
        UpdateMainWindowTitle(g_pVideoWnd->m_pCurrentItem);
}

void CMPAppMainWnd::OnAlwaysOnTop()
{
    SetTopmost(!g_playerSettings.m_bAlwaysOnTop);
}

void CMPAppMainWnd::OnUpdateAlwaysOnTop(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(g_playerSettings.m_bAlwaysOnTop != 0);
}

void CMPAppMainWnd::OnTransparent()
{
    SetTranslucent(!g_playerSettings.m_bTransparent);
}

void CMPAppMainWnd::OnUpdateTransparent(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(g_playerSettings.m_bTransparent != 0);
}

void CMPAppMainWnd::OnFullScreen()
{
    ToggleFullScreen();
}

void CMPAppMainWnd::OnUpdateFullScreen(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(IsFullScreen());
}
