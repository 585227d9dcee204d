#include "framework/controls/ButtonDrawing.h"

void DrawButtonBackground(CWnd* pButton, CDC* pDC, const RECT& rect, BOOL bTransparent, COLORREF crBack)
{
    if (!bTransparent) {
        pDC->FillSolidRect(&rect, crBack);
        return;
    }
    CWnd* pParent = pButton->GetParent();
    if (!pParent || !pParent->m_hWnd)
        return;
    const int nBkMode = pDC->GetBkMode();
    const COLORREF crOldBack = pDC->GetBkColor();
    const COLORREF crOldText = pDC->GetTextColor();
    CRect rcWindow;
    pButton->GetWindowRect(&rcWindow);
    pParent->ScreenToClient(&rcWindow);
    CPoint ptOldOrigin = pDC->SetWindowOrg(rcWindow.left, rcWindow.top);
    pParent->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()), 0);
    pDC->SetWindowOrg(ptOldOrigin.x, ptOldOrigin.y);
    pDC->SetBkMode(nBkMode);
    pDC->SetBkColor(crOldBack);
    pDC->SetTextColor(crOldText);
}

BOOL BeginHotTracking(CWnd* pWnd, BOOL& bHot, BOOL bErase)
{
    if (bHot)
        return FALSE;
    TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, pWnd->m_hWnd, 0};
    ::TrackMouseEvent(&tme);
    bHot = TRUE;
    pWnd->Invalidate(bErase);
    return TRUE;
}

void EndHotTracking(CWnd* pWnd, BOOL& bHot, BOOL bErase)
{
    if (!bHot)
        return;
    bHot = FALSE;
    pWnd->Invalidate(bErase);
}
