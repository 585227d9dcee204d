#include "player/windows/CPopupWnd.h"
#include "classlib/AfxMessageMap.h"
#include "player/windows/CPopupBarWnd.h"

IMPLEMENT_DYNAMIC(CPopupWnd, CWnd)

BEGIN_MESSAGE_MAP(CPopupWnd, CWnd)
ON_WM_CREATE()
ON_WM_ACTIVATE()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

void CPopupWnd::Repaint()
{
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}

int CPopupWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    return CreatePopupToolTip(m_toolTip, this) ? 0 : -1;
}

void CPopupWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    m_bActive = nState == WA_ACTIVE || nState == WA_CLICKACTIVE;
    Repaint();
}

void CPopupWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    // Non-client messages carry screen coordinates.
    CPoint screen = point;
    ClientToScreen(&screen);
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    CWnd::OnLButtonDown(nFlags, point);
}
