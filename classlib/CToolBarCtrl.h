// CToolBarCtrl: a tool-bar control. Buttons are named by command id or by zero-based index.
#pragma once
#include "classlib/AfxControls.h"
#include "classlib/CImageList.h"

class CToolBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolBarCtrl)
public:
    // Also tells the control the size of TBBUTTON.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetButtonCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }
    BOOL AddButtons(int nNumButtons, const TBBUTTON* lpButtons)
    {
        return static_cast<BOOL>(SendMessage(TB_ADDBUTTONSW, nNumButtons, reinterpret_cast<LPARAM>(lpButtons)));
    }
    BOOL InsertButton(int nIndex, const TBBUTTON* lpButton)
    {
        return static_cast<BOOL>(SendMessage(TB_INSERTBUTTONW, nIndex, reinterpret_cast<LPARAM>(lpButton)));
    }
    BOOL DeleteButton(int nIndex) { return static_cast<BOOL>(SendMessage(TB_DELETEBUTTON, nIndex)); }
    BOOL GetButton(int nIndex, TBBUTTON* lpButton) const
    {
        return static_cast<BOOL>(SendMessage(TB_GETBUTTON, nIndex, reinterpret_cast<LPARAM>(lpButton)));
    }
    int CommandToIndex(UINT nID) const { return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, nID)); }
    BOOL GetButtonInfo(UINT nID, TBBUTTONINFOW* ptbbi) const
    {
        return SendMessage(TB_GETBUTTONINFOW, nID, reinterpret_cast<LPARAM>(ptbbi)) != -1;
    }
    BOOL SetButtonInfo(UINT nID, TBBUTTONINFOW* ptbbi)
    {
        return static_cast<BOOL>(SendMessage(TB_SETBUTTONINFOW, nID, reinterpret_cast<LPARAM>(ptbbi)));
    }
    int AddBitmap(int nNumButtons, UINT nBitmapID);
    int AddStrings(LPCWSTR lpszStrings) { return static_cast<int>(SendMessage(TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(lpszStrings))); }

    BOOL EnableButton(UINT nID, BOOL bEnable = TRUE) { return static_cast<BOOL>(SendMessage(TB_ENABLEBUTTON, nID, MAKELPARAM(bEnable, 0))); }
    BOOL CheckButton(UINT nID, BOOL bCheck = TRUE) { return static_cast<BOOL>(SendMessage(TB_CHECKBUTTON, nID, MAKELPARAM(bCheck, 0))); }
    BOOL PressButton(UINT nID, BOOL bPress = TRUE) { return static_cast<BOOL>(SendMessage(TB_PRESSBUTTON, nID, MAKELPARAM(bPress, 0))); }
    BOOL HideButton(UINT nID, BOOL bHide = TRUE) { return static_cast<BOOL>(SendMessage(TB_HIDEBUTTON, nID, MAKELPARAM(bHide, 0))); }
    BOOL IsButtonEnabled(UINT nID) const { return static_cast<BOOL>(SendMessage(TB_ISBUTTONENABLED, nID)); }
    BOOL IsButtonChecked(UINT nID) const { return static_cast<BOOL>(SendMessage(TB_ISBUTTONCHECKED, nID)); }
    BOOL IsButtonHidden(UINT nID) const { return static_cast<BOOL>(SendMessage(TB_ISBUTTONHIDDEN, nID)); }
    int GetState(UINT nID) const { return static_cast<int>(SendMessage(TB_GETSTATE, nID)); }
    BOOL SetState(UINT nID, UINT nState) { return static_cast<BOOL>(SendMessage(TB_SETSTATE, nID, MAKELPARAM(nState, 0))); }

    BOOL GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return static_cast<BOOL>(SendMessage(TB_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(lpRect)));
    }
    BOOL GetRect(UINT nID, LPRECT lpRect) const { return static_cast<BOOL>(SendMessage(TB_GETRECT, nID, reinterpret_cast<LPARAM>(lpRect))); }
    int HitTest(LPPOINT ppt) const { return static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(ppt))); }
    BOOL SetBitmapSize(CSize size) { return static_cast<BOOL>(SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy))); }
    BOOL SetButtonSize(CSize size) { return static_cast<BOOL>(SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy))); }
    CSize GetButtonSize() const
    {
        DWORD dwSize = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
        return CSize(LOWORD(dwSize), HIWORD(dwSize));
    }
    void AutoSize() { SendMessage(TB_AUTOSIZE); }
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(TB_GETEXTENDEDSTYLE)); }
    DWORD SetExtendedStyle(DWORD dwExStyle) { return static_cast<DWORD>(SendMessage(TB_SETEXTENDEDSTYLE, 0, dwExStyle)); }
    CImageList* SetImageList(CImageList* pImageList)
    {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
            SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(AfxImageListHandle(pImageList)))));
    }
    CImageList* SetHotImageList(CImageList* pImageList)
    {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
            SendMessage(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(AfxImageListHandle(pImageList)))));
    }
    CImageList* SetDisabledImageList(CImageList* pImageList)
    {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
            SendMessage(TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(AfxImageListHandle(pImageList)))));
    }
    void SetToolTips(CWnd* pTip) { SendMessage(TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(pTip->GetSafeHwnd())); }
    HWND GetToolTips() const { return reinterpret_cast<HWND>(SendMessage(TB_GETTOOLTIPS)); }
};
