#include "conversion/app/controls/CCXControls.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDC.h"
#include "conversion/app/controls/CThemeData.h"

IMPLEMENT_DYNAMIC(CCXTabCtrl, CTabCtrl)
IMPLEMENT_DYNAMIC(CCXTreeCtrl, CTreeCtrl)
IMPLEMENT_DYNAMIC(CSplitTextComboBox, CComboBox)
IMPLEMENT_DYNAMIC(COwnerPaintStatic, CStatic)
IMPLEMENT_DYNAMIC(CHoverWnd, CWnd)
IMPLEMENT_DYNAMIC(CFixedPosWnd, CWnd)

CString CCXTabCtrl::GetItemText(int nItem) const
{
    wchar_t szText[1024] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = szText;
    item.cchTextMax = 1024;
    if (!SendMessage(TCM_GETITEMW, nItem, reinterpret_cast<LPARAM>(&item)))
        return CString();
    return CString(item.pszText ? item.pszText : L"");
}

BOOL CCXTreeCtrl::SetItemBold(HTREEITEM hItem, BOOL bBold)
{
    TVITEMW item = {};
    item.mask = TVIF_STATE;
    item.hItem = hItem;
    item.state = bBold ? TVIS_BOLD : 0;
    item.stateMask = TVIS_BOLD;
    return static_cast<BOOL>(SendMessage(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

// ---- CSplitTextComboBox

CSplitTextComboBox::CSplitTextComboBox()
    : m_nRightWidth(64), m_crRightText(::GetSysColor(COLOR_BTNSHADOW)), m_bRightAlign(FALSE), m_bHideRightInEdit(FALSE)
{
}

BOOL CSplitTextComboBox::SplitText(const CString& strText, CString& strLeft, CString& strRight)
{
    int nAt = strText.Find(L'\t');
    int nSkip = 1;
    if (nAt < 0) {
        nAt = strText.Find(L"\\t");
        nSkip = 2;
    }
    if (nAt < 0) {
        strLeft = strText;
        strRight.Empty();
        return FALSE;
    }
    strLeft = strText.Left(nAt);
    strRight = strText.Mid(nAt + nSkip);
    return TRUE;
}

BOOL CSplitTextComboBox::HasSeparator(UINT nIndex) const
{
    for (UINT n : m_separators) {
        if (n == nIndex)
            return TRUE;
    }
    return FALSE;
}

void CSplitTextComboBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (static_cast<int>(lpDIS->itemID) < 0 || !(lpDIS->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)))
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rect(lpDIS->rcItem);
    const BOOL bDisabled = !IsWindowEnabled() || (lpDIS->itemState & ODS_DISABLED);
    const BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    const BOOL bInEdit = (lpDIS->itemState & ODS_COMBOBOXEDIT) != 0;

    // Colours: the text, and the fill.
    COLORREF crText;
    COLORREF crFill;
    if (bDisabled) {
        crText = ::GetSysColor(COLOR_BTNSHADOW);  // 0x808080, then the shadow colour
        crFill = IsVisualStyleActive() ? ::GetSysColor(COLOR_WINDOW) : ::GetSysColor(COLOR_BTNFACE);
    } else if (bSelected) {
        crText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        crFill = ::GetSysColor(COLOR_HIGHLIGHT);
    } else {
        crText = ::GetSysColor(COLOR_WINDOWTEXT);
        crFill = ::GetSysColor(COLOR_WINDOW);
    }
    const int nSaved = pDC->SaveDC();
    pDC->FillSolidRect(&rect, crFill);
    pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));

    CString strText;
    GetLBText(static_cast<int>(lpDIS->itemID), strText);
    CString strLeft, strRight;
    const BOOL bSplit = SplitText(strText, strLeft, strRight);

    if (!bInEdit && HasSeparator(lpDIS->itemID))
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, 0xE8E0D8);

    CRect rcText = rect;
    rcText.DeflateRect(3, 0);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(crText);
    CRect rcLeft = rcText;
    if (bSplit)
        rcLeft.right -= m_nRightWidth + 8;
    pDC->DrawText(strLeft, &rcLeft, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);

    if (bSplit && !(bInEdit && m_bHideRightInEdit)) {
        CRect rcRight = rcText;
        rcRight.left = rcText.right - m_nRightWidth;
        UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        if (m_bRightAlign) {
            nFormat |= DT_RIGHT;
            rcRight.right -= 4;
        }
        if (!bSelected)
            pDC->SetTextColor(bDisabled ? RGB(0x80, 0x80, 0x80) : m_crRightText);
        pDC->DrawText(strRight, &rcRight, nFormat);
    }
    pDC->RestoreDC(nSaved);
    if ((lpDIS->itemAction & ODA_FOCUS) || (lpDIS->itemState & ODS_FOCUS))
        pDC->DrawFocusRect(&rect);
}

// ---- COwnerPaintStatic

BEGIN_MESSAGE_MAP(COwnerPaintStatic, CStatic)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

void COwnerPaintStatic::SetImageList(CImageList* pImageList, int nIndex)
{
    m_pImageList = pImageList;
    m_nImage = nIndex;
    int cx = 0, cy = 0;
    if (pImageList && pImageList->GetSafeHandle() && ImageList_GetIconSize(pImageList->GetSafeHandle(), &cx, &cy)) {
        m_cxImage = cx;
        m_cyImage = cy;
    }
    if (m_hWnd)
        Invalidate();
}

void COwnerPaintStatic::SetImageIndex(int nIndex)
{
    if (nIndex == m_nImage)
        return;
    m_nImage = nIndex;
    if (m_hWnd)
        Invalidate();
}

BOOL COwnerPaintStatic::OnEraseBkgnd(CDC* pDC)
{
    if (m_crBack != static_cast<COLORREF>(-1)) {
        CRect rect;
        GetClientRect(&rect);
        pDC->FillSolidRect(&rect, m_crBack);
    }
    return TRUE;
}

void COwnerPaintStatic::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    if (m_pImageList && m_pImageList->GetSafeHandle() && m_nImage >= 0 &&
        m_nImage < ImageList_GetImageCount(m_pImageList->GetSafeHandle())) {
        CRect rect;
        GetClientRect(&rect);
        int x = (rect.right - m_cxImage - rect.left) / 2;
        int y = (rect.bottom - m_cyImage - rect.top) / 2;
        ImageList_Draw(m_pImageList->GetSafeHandle(), m_nImage, hDC, x, y, ILD_NORMAL);
    }
    ::EndPaint(m_hWnd, &ps);
}

// ---- CHoverWnd and CFixedPosWnd

BEGIN_MESSAGE_MAP(CHoverWnd, CWnd)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

void CHoverWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bHot) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&tme);
        m_bHot = TRUE;
        Invalidate(TRUE);
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CHoverWnd::OnMouseLeave()
{
    m_bHot = FALSE;
    Invalidate(TRUE);
}

BEGIN_MESSAGE_MAP(CFixedPosWnd, CWnd)
    ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

void CFixedPosWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CWnd::OnWindowPosChanging(lpwndpos);
    lpwndpos->x = m_x;
    lpwndpos->y = m_y;
    lpwndpos->cx = m_cx;
    lpwndpos->cy = m_cy;
    lpwndpos->flags &= ~(SWP_NOMOVE | SWP_NOSIZE);
}
