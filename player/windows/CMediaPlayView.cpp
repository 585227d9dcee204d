#include "player/windows/CMediaPlayView.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDC.h"

IMPLEMENT_DYNCREATE(CMediaPlayView, CView)

BEGIN_MESSAGE_MAP(CMediaPlayView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CMediaPlayView::CMediaPlayView() : CMediaPlayView(new CItemVideoWnd) {}

CMediaPlayView::CMediaPlayView(CItemVideoWnd* pVideoWnd) : m_pVideoWnd(pVideoWnd), m_videoWnd(*m_pVideoWnd) {}

int CMediaPlayView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_videoWnd.Create(WS_CHILD | WS_TABSTOP, CRect(0, 0, 0, 0), this, VIDEO_WINDOW_ID))
        return -1;
    m_videoWnd.SetOwner(this);
    return 0;
}

void CMediaPlayView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0)
        FitVideoWindow();
}

BOOL CMediaPlayView::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, RGB(0, 0, 0));
    return TRUE;
}

void CMediaPlayView::FitVideoWindow()
{
    if (!m_videoWnd.m_hWnd || ::GetParent(m_videoWnd.m_hWnd) != m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    m_videoWnd.MoveWindow(&client);
    m_videoWnd.ShowWindow(m_videoWnd.HasSomethingToShow() ? SW_SHOW : SW_HIDE);
}
