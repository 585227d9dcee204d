#include "conversion/app/controls/CCXListCtrl.h"
#include "classlib/AfxMessageMap.h"

IMPLEMENT_DYNAMIC(CCXHeaderCtrl, CHeaderCtrl)
IMPLEMENT_DYNAMIC(CCXListCtrl, CListCtrl)
IMPLEMENT_DYNAMIC(CCheckListCtrl, CCXListCtrl)

BEGIN_MESSAGE_MAP(CCXHeaderCtrl, CHeaderCtrl)
    ON_MESSAGE(HDM_LAYOUT, &CCXHeaderCtrl::OnLayout)
END_MESSAGE_MAP()

LRESULT CCXHeaderCtrl::OnLayout(WPARAM, LPARAM lParam)
{
    LRESULT lResult = Default();
    HDLAYOUT* pLayout = reinterpret_cast<HDLAYOUT*>(lParam);
    if (m_nForcedHeight > 0 && pLayout && pLayout->prc && pLayout->pwpos) {
        pLayout->prc->top = m_nForcedHeight;
        pLayout->pwpos->cy = m_nForcedHeight;
    }
    return lResult;
}

int CCXListCtrl::InsertColumn(int nCol, LPCWSTR lpszText, int nImage, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNW column = {};
    if (lpszText) {
        column.mask |= LVCF_TEXT;
        column.pszText = const_cast<LPWSTR>(lpszText);
    }
    if (nImage != -1) {
        column.mask |= LVCF_IMAGE;
        column.iImage = nImage;
    }
    if (nFormat != -1) {
        column.mask |= LVCF_FMT;
        column.fmt = nFormat;
    }
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return CListCtrl::InsertColumn(nCol, &column);
}

void CCXListCtrl::SelectAllItems(BOOL bSelect)
{
    if (!bSelect) {
        SetItemState(-1, 0, LVIS_SELECTED);
        return;
    }
    // The list view refuses to focus every item at once (LVIS_FOCUSED with -1): every item is
    // selected, and the first one focused when none is.
    SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    if (GetItemCount() > 0 && GetNextItem(-1, LVNI_FOCUSED) == -1)
        SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
}

void CCXListCtrl::SetAllItemsState(UINT nState, UINT nMask)
{
    SetItemState(-1, nState, nMask);
}

DWORD_PTR CCXListCtrl::GetItemData(int nItem) const
{
    return CListCtrl::GetItemData(nItem);
}

int CCXListCtrl::FindItemByData(DWORD_PTR dwData) const
{
    if (dwData == 0)
        return -1;
    LVFINDINFOW find = {};
    find.flags = LVFI_PARAM;
    find.lParam = static_cast<LPARAM>(dwData);
    return FindItem(&find, -1);
}

void CCXListCtrl::SelectItem(int nItem, BOOL bSelect, BOOL bClearOthers)
{
    if (bClearOthers)
        SelectAllItems(FALSE);
    if (bSelect)
        SetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    else
        SetItemState(nItem, 0, LVIS_SELECTED);
}

int CCXListCtrl::GetFirstSelectedItem() const
{
    return GetNextItem(-1, LVNI_SELECTED);
}

BEGIN_MESSAGE_MAP(CCheckListCtrl, CCXListCtrl)
    ON_NOTIFY_REFLECT(LVN_INSERTITEM, &CCheckListCtrl::OnInsertItem)
    ON_WM_LBUTTONDOWN()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

BOOL CCheckListCtrl::IsItemChecked(int nItem) const
{
    return (GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) > 1;
}

int CCheckListCtrl::GetCheckedItem() const
{
    int nCount = GetItemCount();
    for (int i = 0; i < nCount; i++) {
        if ((GetItemState(i, LVIS_STATEIMAGEMASK) >> 12) != 1)
            return i;
    }
    return -1;
}

BOOL CCheckListCtrl::SetCheckedItem(int nItem)
{
    // Every checked row goes, so a list that somehow held two ends with one.
    for (int nChecked = GetCheckedItem(); nChecked != -1; nChecked = GetCheckedItem()) {
        if (!SetItemState(nChecked, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK))
            break;
    }
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
}

void CCheckListCtrl::ToggleCheck(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return;
    if (IsItemChecked(nItem))
        SetItemState(nItem, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
    else
        SetCheckedItem(nItem);
}

void CCheckListCtrl::OnInsertItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLISTVIEW* pView = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    SetItemState(pView->iItem, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
    *pResult = 0;
}

void CCheckListCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    LVHITTESTINFO hit = {};
    hit.pt = point;
    int nItem = HitTest(&hit);
    if (nItem != -1 && (hit.flags & LVHT_ONITEMSTATEICON))
        ToggleCheck(nItem);
    CCXListCtrl::OnLButtonDown(nFlags, point);
}

void CCheckListCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_SPACE)
        ToggleCheck(GetFirstSelectedItem());
    CCXListCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}
