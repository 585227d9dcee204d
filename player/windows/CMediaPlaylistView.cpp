#include "player/windows/CMediaPlaylistView.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDC.h"
#include "player/res/PlayerResources.h"

IMPLEMENT_DYNAMIC(CMediaPlaylistView, CView)

BEGIN_MESSAGE_MAP(CMediaPlaylistView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CMediaPlaylistView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CView::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return TRUE;
}

int CMediaPlaylistView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_playlistCtrl.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 0, 0), this, IDW_PLAYLIST_CTRL))
        return -1;
    return 0;
}

void CMediaPlaylistView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0 && m_playlistCtrl.m_hWnd)
        m_playlistCtrl.MoveWindow(0, 0, cx, cy);
}

void CMediaPlaylistView::OnSetFocus(CWnd* pOldWnd)
{
    if (m_playlistCtrl.m_hWnd)
        m_playlistCtrl.SetFocus();
}

BOOL CMediaPlaylistView::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, PLAYLIST_BACKGROUND);
    return TRUE;
}
