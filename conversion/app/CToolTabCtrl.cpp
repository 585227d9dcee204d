#include "conversion/app/CToolTabCtrl.h"
#include "classlib/AfxMessageMap.h"
#include "conversion/app/CConversionUiResources.h"
#include "framework/controls/CMemoryDC.h"

IMPLEMENT_DYNAMIC(CToolTabCtrl, CCXTabCtrl)

namespace {

const int kPieceWidth = 16;

}  // namespace

BEGIN_MESSAGE_MAP(CToolTabCtrl, CCXTabCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_NOTIFY_REFLECT_EX(TCN_SELCHANGE, &CToolTabCtrl::OnSelchange)
END_MESSAGE_MAP()

void CToolTabCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CMemoryDC memDC(&dc, &client);
    DrawItems(&memDC);
}

BOOL CToolTabCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

BOOL CToolTabCtrl::OnSelchange(NMHDR*, LRESULT* pResult)
{
    Invalidate(FALSE);
    *pResult = 0;
    return FALSE;  // the parent handles the change too
}

void CToolTabCtrl::DrawItems(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    DrawBackground(pDC, client);
    int count = GetItemCount();
    if (count == 0)
        return;
    int selected = GetCurSel();
    int focused = GetCurFocus();
    for (int i = 0; i < count; i++) {
        if (i != selected)
            DrawItem(pDC, i, FALSE, i == focused);
    }
    if (selected >= 0)
        DrawItem(pDC, selected, TRUE, selected == focused);
}

void CToolTabCtrl::DrawBackground(CDC* pDC, const CRect& rect)
{
    pDC->FillSolidRect(&rect, m_crBack);
    pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, m_crBottomLine);
}

void CToolTabCtrl::DrawItem(CDC* pDC, int nItem, BOOL bSelected, BOOL bFocused)
{
    CRect client, rect;
    GetClientRect(&client);
    if (!GetItemRect(nItem, &rect))
        return;
    rect.top = client.top;
    rect.bottom = client.bottom;
    pDC->FillSolidRect(&rect, m_crBack);
    pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, m_crBottomLine);
    DrawItemBackground(pDC, rect, bSelected, bFocused);

    wchar_t text[256] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT | TCIF_STATE;
    item.dwStateMask = TCIS_HIGHLIGHTED;
    item.pszText = text;
    item.cchTextMax = 255;
    GetItem(nItem, &item);
    COLORREF colour = (item.dwState & TCIS_HIGHLIGHTED) ? m_crHighlightText : bSelected ? m_crSelectedText : m_crText;
    CFont* pFont = bSelected ? theConversionUiResources.GetBoldFont() : theConversionUiResources.GetNormalFont();
    CFont* pOldFont = pDC->SelectObject(pFont);
    COLORREF oldColour = pDC->SetTextColor(colour);
    int oldMode = pDC->SetBkMode(TRANSPARENT);
    CRect textRect = rect;
    textRect.DeflateRect(4, 1);
    pDC->DrawText(text, -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColour);
    pDC->SelectObject(pOldFont);
}

void CToolTabCtrl::DrawItemBackground(CDC* pDC, const CRect& rect, BOOL bSelected, BOOL bFocused)
{
    if (!m_tabImages.GetSafeHandle())
        return;
    int first = bSelected ? 3 : 0;
    m_tabImages.Draw(pDC, first, CPoint(rect.left, rect.top), ILD_TRANSPARENT);
    // The middle piece is plain face: the last one may run under the right piece, leaving no gap.
    for (int x = rect.left + kPieceWidth; x < rect.right - kPieceWidth; x += kPieceWidth)
        m_tabImages.Draw(pDC, first + 1, CPoint(x, rect.top), ILD_TRANSPARENT);
    m_tabImages.Draw(pDC, first + 2, CPoint(rect.right - kPieceWidth, rect.top), ILD_TRANSPARENT);
}
