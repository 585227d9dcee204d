#include "classlib/CListCtrl.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

int CListCtrl::InsertColumn(int nCol, LPCWSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.fmt = nFormat;
    column.pszText = const_cast<LPWSTR>(lpszColumnHeading);
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

int CListCtrl::InsertItem(int nItem, LPCWSTR lpszItem, int nImage)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT | (nImage == -1 ? 0 : LVIF_IMAGE);
    item.iItem = nItem;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    item.iImage = nImage;
    return InsertItem(&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // The control copies at most the buffer less one; a full buffer may mean a longer text.
    CString text;
    LVITEMW item = {};
    item.iSubItem = nSubItem;
    for (int nSize = 256;; nSize *= 2) {
        item.pszText = text.GetBuffer(nSize);
        item.cchTextMax = nSize + 1;
        int nCopied = static_cast<int>(SendMessage(LVM_GETITEMTEXTW, nItem, reinterpret_cast<LPARAM>(&item)));
        text.ReleaseBuffer(nCopied);
        if (nCopied < nSize)
            return text;
    }
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCWSTR lpszText)
{
    LVITEMW item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPWSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, nItem, reinterpret_cast<LPARAM>(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return SetItem(&item);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMW item = {};
    item.state = nState;
    item.stateMask = nMask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, nItem, reinterpret_cast<LPARAM>(&item)));
}

POSITION CListCtrl::PositionAfter(int nItem) const
{
    // A position is the item's index plus one, so that item 0 is not null.
    int nNext = GetNextItem(nItem, LVNI_SELECTED);
    return nNext < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(nNext) + 1);
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int nItem = static_cast<int>(reinterpret_cast<INT_PTR>(pos)) - 1;
    pos = PositionAfter(nItem);
    return nItem;
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info = {};
    info.pt = pt;
    int nItem = HitTest(&info);
    if (pFlags)
        *pFlags = info.flags;
    return nItem;
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    lpRect->left = static_cast<LONG>(nCode);
    return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, nItem, reinterpret_cast<LPARAM>(lpRect)));
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const
{
    ref.top = iSubItem;
    ref.left = nArea;
    return static_cast<BOOL>(SendMessage(LVM_GETSUBITEMRECT, iItem, reinterpret_cast<LPARAM>(static_cast<LPRECT>(ref))));
}
