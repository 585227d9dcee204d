#include "framework/controls/CHoverButton.h"
#include "classlib/AfxMessageMap.h"
#include "framework/controls/AppUiResources.h"
#include "framework/controls/ButtonDrawing.h"
#include "image/RasterImage.h"

IMPLEMENT_DYNAMIC(CHoverButton, CButton)

BEGIN_MESSAGE_MAP(CHoverButton, CButton)
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CHoverButton::~CHoverButton()
{
    DestroyWindow();
}

void CHoverButton::SetImages(CRasterImage* pNormal, CRasterImage* pHot)
{
    m_pNormal = pNormal;
    m_pHot = pHot;
    if (pNormal && pNormal->IsValid()) {
        m_cxImage = static_cast<int>(pNormal->GetWidth());
        m_cyImage = static_cast<int>(pNormal->GetHeight());
    }
    if (m_hWnd)
        Invalidate(TRUE);
}

int CHoverButton::StateOf(UINT nItemState, BOOL bHot)
{
    if (nItemState & ODS_SELECTED)
        return 3;
    if (nItemState & ODS_FOCUS)
        return bHot ? 1 : 2;
    if (nItemState & ODS_DISABLED)
        return 4;
    return bHot ? 1 : 0;
}

void CHoverButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    const int nState = StateOf(lpDIS->itemState, m_bHot);
    const CRect rect(lpDIS->rcItem);
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CDC memDC;
    CBitmap bitmap;
    if (rect.Width() <= 0 || rect.Height() <= 0 || !memDC.CreateCompatibleDC(pDC) ||
        !bitmap.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height())) {
        DrawFace(pDC, rect.left, rect.top, rect.right, rect.bottom, nState);
        return;
    }
    HGDIOBJ hOld = memDC.SelectObject(bitmap.m_hObject);
    memDC.SetWindowOrg(rect.left, rect.top);
    DrawFace(&memDC, rect.left, rect.top, rect.right, rect.bottom, nState);
    memDC.SetWindowOrg(0, 0);
    pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(hOld);
}

void CHoverButton::DrawBackground(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom, int)
{
    DrawButtonBackground(this, pDC, CRect(nLeft, nTop, nRight, nBottom), m_bTransparent, m_crBack);
}

void CHoverButton::DrawFace(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom, int nState)
{
    DrawBackground(pDC, nLeft, nTop, nRight, nBottom, nState);
    CRasterImage* pImage = (nState == 1 || nState == 3) ? m_pHot : m_pNormal;
    if (!pImage || !pImage->IsValid())
        return;
    if (m_bCenter) {
        int x = (nRight - m_cxImage - nLeft) / 2;
        int y = (nBottom - m_cyImage - nTop) / 2;
        pImage->Draw(pDC->GetSafeHdc(), nLeft + x, nTop + y, m_cxImage, m_cyImage);
    } else {
        pImage->DrawInRect(pDC->GetSafeHdc(), CRect(nLeft, nTop, nRight, nBottom));
    }
}

BOOL CHoverButton::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(GetAppHandCursor());
    return TRUE;
}

void CHoverButton::OnMouseMove(UINT nFlags, CPoint point)
{
    BeginHotTracking(this, m_bHot, TRUE);
    CButton::OnMouseMove(nFlags, point);
}

BOOL CHoverButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CHoverButton::OnMouseLeave()
{
    EndHotTracking(this, m_bHot, TRUE);
}
