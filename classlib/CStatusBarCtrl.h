// CStatusBarCtrl: a status-bar control with its parts.
#pragma once
#include "classlib/AfxControls.h"

class CStatusBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CStatusBarCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return AfxCreateControl(this, STATUSCLASSNAMEW, nullptr, dwStyle, rect, pParentWnd, nID);
    }

    // Each part ends at its right edge; -1 extends the last one to the control's edge.
    BOOL SetParts(int nParts, const int* pWidths)
    {
        return static_cast<BOOL>(SendMessage(SB_SETPARTS, nParts, reinterpret_cast<LPARAM>(pWidths)));
    }
    int GetParts(int nParts, int* pParts) const { return static_cast<int>(SendMessage(SB_GETPARTS, nParts, reinterpret_cast<LPARAM>(pParts))); }
    // nType is 0, SBT_NOBORDERS, SBT_POPOUT or SBT_OWNERDRAW.
    BOOL SetText(LPCWSTR lpszText, int nPane, int nType)
    {
        return static_cast<BOOL>(SendMessage(SB_SETTEXTW, nPane | nType, reinterpret_cast<LPARAM>(lpszText)));
    }
    CString GetText(int nPane, int* pType = nullptr) const;
    BOOL GetRect(int nPane, LPRECT lpRect) const
    {
        return static_cast<BOOL>(SendMessage(SB_GETRECT, nPane, reinterpret_cast<LPARAM>(lpRect)));
    }
    void SetMinHeight(int nMin) { SendMessage(SB_SETMINHEIGHT, nMin); }
    BOOL SetSimple(BOOL bSimple = TRUE) { return static_cast<BOOL>(SendMessage(SB_SIMPLE, bSimple)); }
    BOOL SetIcon(int nPane, HICON hIcon) { return static_cast<BOOL>(SendMessage(SB_SETICON, nPane, reinterpret_cast<LPARAM>(hIcon))); }
    void SetTipText(int nPane, LPCWSTR pszTipText) { SendMessage(SB_SETTIPTEXTW, nPane, reinterpret_cast<LPARAM>(pszTipText)); }
};
