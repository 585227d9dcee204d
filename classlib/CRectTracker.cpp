#include "classlib/CRectTracker.h"
#include "classlib/CWnd.h"
#include <algorithm>

bool CRectTracker::FollowPointer(CPoint point, BOOL bAllowInvert)
{
    CRect previous = m_rect;
    m_rect.right = bAllowInvert ? point.x : std::max(point.x, m_rect.left);
    m_rect.bottom = bAllowInvert ? point.y : std::max(point.y, m_rect.top);
    return m_rect != previous;
}

void CRectTracker::Draw(LPCRECT lpRect, BOOL bErase, CDC* pDC, CWnd* pWnd)
{
    m_bErase = bErase;
    DrawTrackerRect(lpRect, nullptr, pDC, pWnd);
    m_bErase = FALSE;
}

BOOL CRectTracker::TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert)
{
    // Someone else tracking the mouse already wins.
    if (::GetCapture())
        return FALSE;
    m_rect.SetRect(point.x, point.y, point.x, point.y);
    pWnd->SetCapture();
    pWnd->UpdateWindow();
    CClientDC dc(pWnd);

    bool bDrawn = false;
    BOOL bDone = FALSE;
    for (;;) {
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (::GetCapture() != pWnd->m_hWnd)
            break;
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            CRect previous = m_rect;
            if (FollowPointer(CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))),
                              bAllowInvert) || !bDrawn) {
                if (bDrawn)
                    Draw(previous, TRUE, &dc, pWnd);
                Draw(m_rect, FALSE, &dc, pWnd);
                bDrawn = true;
            }
            if (msg.message == WM_LBUTTONUP) {
                CRect normal = m_rect;
                normal.NormalizeRect();
                bDone = !normal.IsRectEmpty();
                break;
            }
        } else if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_RBUTTONDOWN) {
            break;
        } else if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP && msg.message != WM_CHAR) {
            ::DispatchMessageW(&msg);
        }
    }
    if (bDrawn)
        Draw(m_rect, TRUE, &dc, pWnd);
    if (::GetCapture() == pWnd->m_hWnd)
        ::ReleaseCapture();
    return bDone;
}

void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd*, CDC* pDC, CWnd*)
{
    CRect rect(lpRect);
    rect.NormalizeRect();
    pDC->DrawFocusRect(rect);
}
