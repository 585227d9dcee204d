#include "player/windows/CViewContainerWnd.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDC.h"
#include "player/windows/CPlayView.h"
#include "player/CPlayerSettings.h"
#include "player/playlist/CPlaylistCtrl.h"
#include "player/windows/CPlaylistView.h"
#include "player/windows/PlayerControlBar.h"
#include "player/windows/PlayerWindows.h"
#include "player/res/PlayerResources.h"

BEGIN_MESSAGE_MAP(CViewContainerWnd, CPaneSplitter)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CViewContainerWnd::CViewContainerWnd()
{
    m_nMode = g_playerSettings.m_nLayout == SPLIT_BOTH ? SPLIT_BOTH : SPLIT_ONE;
    // The playlist pane keeps its width on the right: one column of tiles and a scroll bar.
    m_nAnchor = 0;
    m_nSize = ::GetSystemMetrics(SM_CXVSCROLL) + g_playerSettings.m_nThumbnailWidth + 32;
}

CViewContainerWnd::~CViewContainerWnd()
{
    g_playerSettings.m_nLayout = m_nMode;
}

BOOL CViewContainerWnd::PreTranslateMessage(MSG* pMsg)
{
    // The wheel scrolls the playlist wherever the pointer is.
    if (pMsg->message == WM_MOUSEWHEEL && g_pPlaylistCtrl && g_pPlaylistCtrl->m_hWnd)
        pMsg->hwnd = g_pPlaylistCtrl->m_hWnd;
    return CPaneSplitter::PreTranslateMessage(pMsg);
}

BOOL CViewContainerWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, RGB(0x20, 0x20, 0x20));
    return TRUE;
}

BOOL CViewContainerWnd::CreatePanes(CCreateContext* pContext)
{
    CCreateContext context;
    if (pContext)
        context = *pContext;
    context.m_pNewViewClass = RUNTIME_CLASS(CPlaylistView);
    m_pPlaylistView = static_cast<CPlaylistView*>(CreatePaneView(this, &context, IDW_PLAYLIST_VIEW));
    context.m_pNewViewClass = RUNTIME_CLASS(CPlayView);
    m_pDisplayView = static_cast<CPlayView*>(CreatePaneView(this, &context, IDW_DISPLAY_VIEW));
    return m_pPlaylistView && m_pDisplayView;
}

BOOL CViewContainerWnd::ShowPane(int nPane)
{
    BOOL bShown = CPaneSplitter::ShowPane(nPane);
    CPlayerMainWindow* pMain = g_pPlayerMainWindow;
    if (!m_pPlaylistView || !m_pDisplayView || !g_pControlBar || !pMain)
        return bShown;
    // The menu bar goes with the display pane only while the panes are seen: the start panel
    // keeps it. Both panes side by side have it, also when the display pane alone hid it.
    bool bSeen = IsWindowVisible() != FALSE;
    if (m_nMode == SPLIT_BOTH) {
        pMain->HideMenuBar(FALSE);
        MoveVideoWindowTo(m_pDisplayView);
    } else if (nPane == 1) {
        if (bSeen)
            pMain->HideMenuBar(FALSE);
        if (m_pDisplayView->GetDisplayWnd().m_pPlayThread)
            MoveVideoWindowTo(g_pPlaylistCtrl);
    } else {
        if (bSeen)
            pMain->HideMenuBar(TRUE);
        MoveVideoWindowTo(m_pDisplayView);
    }
    g_pControlBar->SetSwitchTarget(nPane == 0);
    return bShown;
}

void CViewContainerWnd::MoveVideoWindowTo(CWnd* pWnd)
{
    if (!g_pPlaylistCtrl || !m_pDisplayView || !pWnd)
        return;
    m_pDisplayView->GetDisplayWnd().SetPlacement(pWnd == g_pPlaylistCtrl ? PLACEMENT_PLAYLIST : PLACEMENT_PLAY_VIEW);
}
