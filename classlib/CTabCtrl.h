// CTabCtrl: a tab control. Indexes are zero-based; -1 answers a bad one.
#pragma once
#include "classlib/AfxControls.h"
#include "classlib/CImageList.h"

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return AfxCreateControl(this, WC_TABCONTROLW, nullptr, dwStyle, rect, pParentWnd, nID);
    }

    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    LONG InsertItem(int nItem, LPCWSTR lpszItem, int nImage = -1);
    LONG InsertItem(int nItem, TCITEMW* pTabCtrlItem)
    {
        return static_cast<LONG>(SendMessage(TCM_INSERTITEMW, nItem, reinterpret_cast<LPARAM>(pTabCtrlItem)));
    }
    BOOL GetItem(int nItem, TCITEMW* pTabCtrlItem) const
    {
        return static_cast<BOOL>(SendMessage(TCM_GETITEMW, nItem, reinterpret_cast<LPARAM>(pTabCtrlItem)));
    }
    BOOL SetItem(int nItem, TCITEMW* pTabCtrlItem)
    {
        return static_cast<BOOL>(SendMessage(TCM_SETITEMW, nItem, reinterpret_cast<LPARAM>(pTabCtrlItem)));
    }
    BOOL DeleteItem(int nItem) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, nItem)); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    int SetCurSel(int nItem) { return static_cast<int>(SendMessage(TCM_SETCURSEL, nItem)); }  // the previous one
    int GetCurFocus() const { return static_cast<int>(SendMessage(TCM_GETCURFOCUS)); }
    void SetCurFocus(int nItem) { SendMessage(TCM_SETCURFOCUS, nItem); }
    BOOL GetItemRect(int nItem, LPRECT lpRect) const
    {
        return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, nItem, reinterpret_cast<LPARAM>(lpRect)));
    }
    // Turns a window rectangle into the display area of the tabs (bLarger FALSE) or back.
    void AdjustRect(BOOL bLarger, LPRECT lpRect) { SendMessage(TCM_ADJUSTRECT, bLarger, reinterpret_cast<LPARAM>(lpRect)); }
    int HitTest(TCHITTESTINFO* pHitTestInfo) const
    {
        return static_cast<int>(SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
    }
    CImageList* GetImageList() const { return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(TCM_GETIMAGELIST))); }
    CImageList* SetImageList(CImageList* pImageList)
    {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
            SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(AfxImageListHandle(pImageList)))));
    }
    CSize SetItemSize(CSize size)  // the previous size
    {
        DWORD dwPrevious = static_cast<DWORD>(SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy)));
        return CSize(LOWORD(dwPrevious), HIWORD(dwPrevious));
    }
    void SetPadding(CSize size) { SendMessage(TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
    int GetRowCount() const { return static_cast<int>(SendMessage(TCM_GETROWCOUNT)); }
};
