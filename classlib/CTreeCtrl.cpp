#include "classlib/CTreeCtrl.h"

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

namespace {

// The item's description with the given parts asked for or set.
TVITEMW ItemOf(HTREEITEM hItem, UINT nMask)
{
    TVITEMW item = {};
    item.mask = nMask | TVIF_HANDLE;
    item.hItem = hItem;
    return item;
}

}  // namespace

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCWSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTW insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = hInsertAfter;
    insert.item.mask = nMask;
    insert.item.pszText = const_cast<LPWSTR>(lpszItem);
    insert.item.iImage = nImage;
    insert.item.iSelectedImage = nSelectedImage;
    insert.item.state = nState;
    insert.item.stateMask = nStateMask;
    insert.item.lParam = lParam;
    return InsertItem(&insert);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    TVITEMW item = ItemOf(hItem, TVIF_CHILDREN);
    return GetItem(&item) && item.cChildren != 0;
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO info = {};
    info.pt = pt;
    HTREEITEM hItem = HitTest(&info);
    if (pFlags)
        *pFlags = info.flags;
    return hItem;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    // The control reads the item from the rectangle it fills.
    *reinterpret_cast<HTREEITEM*>(lpRect) = hItem;
    return static_cast<BOOL>(SendMessage(TVM_GETITEMRECT, bTextOnly, reinterpret_cast<LPARAM>(lpRect)));
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    CString text;
    TVITEMW item = ItemOf(hItem, TVIF_TEXT);
    for (int nSize = 256;; nSize *= 2) {
        item.pszText = text.GetBuffer(nSize);
        item.cchTextMax = nSize + 1;
        if (!GetItem(&item)) {
            text.ReleaseBuffer(0);
            return text;
        }
        text.ReleaseBuffer();
        if (text.GetLength() < nSize)
            return text;
    }
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCWSTR lpszItem)
{
    TVITEMW item = ItemOf(hItem, TVIF_TEXT);
    item.pszText = const_cast<LPWSTR>(lpszItem);
    return SetItem(&item);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEMW item = ItemOf(hItem, TVIF_PARAM);
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    TVITEMW item = ItemOf(hItem, TVIF_PARAM);
    item.lParam = static_cast<LPARAM>(dwData);
    return SetItem(&item);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    TVITEMW item = ItemOf(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE);
    if (!GetItem(&item))
        return FALSE;
    nImage = item.iImage;
    nSelectedImage = item.iSelectedImage;
    return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    TVITEMW item = ItemOf(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE);
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    return SetItem(&item);
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    TVITEMW item = ItemOf(hItem, TVIF_STATE);
    item.state = nState;
    item.stateMask = nStateMask;
    return SetItem(&item);
}
