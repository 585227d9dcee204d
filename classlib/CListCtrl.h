// CListCtrl: a list-view control. Items and columns are zero-based; -1 answers a bad index.
#pragma once
#include "classlib/AfxControls.h"
#include "classlib/CImageList.h"
#include "classlib/CList.h"

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return AfxCreateControl(this, WC_LISTVIEWW, nullptr, dwStyle, rect, pParentWnd, nID);
    }
    BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return AfxCreateControl(this, WC_LISTVIEWW, nullptr, dwStyle, rect, pParentWnd, nID, dwExStyle);
    }

    // Columns
    int InsertColumn(int nCol, const LVCOLUMNW* pColumn)
    {
        return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, nCol, reinterpret_cast<LPARAM>(pColumn)));
    }
    int InsertColumn(int nCol, LPCWSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
    BOOL DeleteColumn(int nCol) { return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, nCol)); }
    int GetColumnWidth(int nCol) const { return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, nCol)); }
    BOOL SetColumnWidth(int nCol, int cx) { return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0))); }

    // Items
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    void SetItemCount(int nItems) { SendMessage(LVM_SETITEMCOUNT, nItems); }
    int InsertItem(const LVITEMW* pItem) { return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(pItem))); }
    int InsertItem(int nItem, LPCWSTR lpszItem, int nImage = -1);
    BOOL DeleteItem(int nItem) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, nItem)); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
    BOOL GetItem(LVITEMW* pItem) const { return static_cast<BOOL>(SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(pItem))); }
    BOOL SetItem(const LVITEMW* pItem) { return static_cast<BOOL>(SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(pItem))); }
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCWSTR lpszText);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    UINT GetItemState(int nItem, UINT nMask) const { return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, nItem, nMask)); }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);  // nItem -1 means every item
    // The state image is the check box of LVS_EX_CHECKBOXES.
    BOOL GetCheck(int nItem) const { return (GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) == 2; }
    BOOL SetCheck(int nItem, BOOL bCheck = TRUE) { return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(bCheck ? 2 : 1), LVIS_STATEIMAGEMASK); }

    // Finding and selecting
    int GetNextItem(int nItem, int nFlags) const { return static_cast<int>(SendMessage(LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0))); }
    UINT GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
    // Walks the selected items: the position is null after the last one.
    POSITION GetFirstSelectedItemPosition() const { return PositionAfter(-1); }
    int GetNextSelectedItem(POSITION& pos) const;
    int FindItem(LVFINDINFOW* pFindInfo, int nStart = -1) const
    {
        return static_cast<int>(SendMessage(LVM_FINDITEMW, nStart, reinterpret_cast<LPARAM>(pFindInfo)));
    }
    int HitTest(LVHITTESTINFO* pHitTestInfo) const
    {
        return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
    }
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int SubItemHitTest(LVHITTESTINFO* pInfo) { return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(pInfo))); }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) { return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, nItem, bPartialOK)); }
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData)
    {
        return static_cast<BOOL>(SendMessage(LVM_SORTITEMS, dwData, reinterpret_cast<LPARAM>(pfnCompare)));
    }

    // Geometry and looks
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const;
    int GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
    BOOL Scroll(CSize size) { return static_cast<BOOL>(SendMessage(LVM_SCROLL, size.cx, size.cy)); }
    BOOL RedrawItems(int nFirst, int nLast) { return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, nFirst, nLast)); }
    BOOL Update(int nItem) { return static_cast<BOOL>(SendMessage(LVM_UPDATE, nItem)); }
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    DWORD SetExtendedStyle(DWORD dwNewStyle) { return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle)); }
    // nImageListType is LVSIL_NORMAL, LVSIL_SMALL or LVSIL_STATE; the result is the list before.
    CImageList* SetImageList(CImageList* pImageList, int nImageListType)
    {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
            SendMessage(LVM_SETIMAGELIST, nImageListType, reinterpret_cast<LPARAM>(AfxImageListHandle(pImageList)))));
    }
    CImageList* GetImageList(int nImageListType) const
    {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, nImageListType)));
    }
    BOOL SetBkColor(COLORREF cr) { return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, cr)); }
    BOOL SetTextColor(COLORREF cr) { return static_cast<BOOL>(SendMessage(LVM_SETTEXTCOLOR, 0, cr)); }
    BOOL SetTextBkColor(COLORREF cr) { return static_cast<BOOL>(SendMessage(LVM_SETTEXTBKCOLOR, 0, cr)); }

private:
    // The position of the first selected item after nItem, or null.
    POSITION PositionAfter(int nItem) const;
};
