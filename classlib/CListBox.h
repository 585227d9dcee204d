// CListBox: a list box. Indexes are zero-based; LB_ERR (-1) answers a bad one.
#pragma once
#include "classlib/AfxControls.h"

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return AfxCreateControl(this, WC_LISTBOXW, nullptr, dwStyle, rect, pParentWnd, nID);
    }

    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int AddString(LPCWSTR lpszItem) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem))); }
    int InsertString(int nIndex, LPCWSTR lpszItem)
    {
        return static_cast<int>(SendMessage(LB_INSERTSTRING, nIndex, reinterpret_cast<LPARAM>(lpszItem)));
    }
    int DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(LB_DELETESTRING, nIndex)); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, nIndex)); }
    int FindString(int nStartAfter, LPCWSTR lpszItem) const
    {
        return static_cast<int>(SendMessage(LB_FINDSTRING, nStartAfter, reinterpret_cast<LPARAM>(lpszItem)));
    }
    int FindStringExact(int nIndexStart, LPCWSTR lpszFind) const
    {
        return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, nIndexStart, reinterpret_cast<LPARAM>(lpszFind)));
    }
    DWORD_PTR GetItemData(int nIndex) const { return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, nIndex)); }
    int SetItemData(int nIndex, DWORD_PTR dwItemData) { return static_cast<int>(SendMessage(LB_SETITEMDATA, nIndex, dwItemData)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(LB_SETCURSEL, nSelect)); }
    int GetSel(int nIndex) const { return static_cast<int>(SendMessage(LB_GETSEL, nIndex)); }
    int SetSel(int nIndex, BOOL bSelect = TRUE) { return static_cast<int>(SendMessage(LB_SETSEL, bSelect, nIndex)); }
    int GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int nIndex) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, nIndex)); }
    int GetItemHeight(int nIndex) const { return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, nIndex)); }
    int SetItemHeight(int nIndex, UINT cyItemHeight) { return static_cast<int>(SendMessage(LB_SETITEMHEIGHT, nIndex, cyItemHeight)); }
};
