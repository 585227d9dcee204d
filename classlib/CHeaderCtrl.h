// CHeaderCtrl: the column header of a list control, or a header of its own.
#pragma once
#include "classlib/AfxControls.h"
#include "classlib/CImageList.h"

class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return AfxCreateControl(this, WC_HEADERW, nullptr, dwStyle, rect, pParentWnd, nID);
    }

    int GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
    int InsertItem(int nPos, HDITEMW* phdi) { return static_cast<int>(SendMessage(HDM_INSERTITEMW, nPos, reinterpret_cast<LPARAM>(phdi))); }
    BOOL DeleteItem(int nPos) { return static_cast<BOOL>(SendMessage(HDM_DELETEITEM, nPos)); }
    BOOL GetItem(int nPos, HDITEMW* pHeaderItem) const
    {
        return static_cast<BOOL>(SendMessage(HDM_GETITEMW, nPos, reinterpret_cast<LPARAM>(pHeaderItem)));
    }
    BOOL SetItem(int nPos, HDITEMW* pHeaderItem)
    {
        return static_cast<BOOL>(SendMessage(HDM_SETITEMW, nPos, reinterpret_cast<LPARAM>(pHeaderItem)));
    }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(lpRect)));
    }
    int HitTest(HDHITTESTINFO* pHeaderHitTestInfo) const
    {
        return static_cast<int>(SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(pHeaderHitTestInfo)));
    }
    BOOL Layout(HDLAYOUT* pHeaderLayout) { return static_cast<BOOL>(SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(pHeaderLayout))); }
    CImageList* SetImageList(CImageList* pImageList)
    {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
            SendMessage(HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(AfxImageListHandle(pImageList)))));
    }
};
