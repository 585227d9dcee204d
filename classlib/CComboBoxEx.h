// CComboBoxEx: an extended combo box, whose items carry images and indents.
#pragma once
#include "classlib/CComboBox.h"
#include "classlib/CEdit.h"
#include "classlib/CImageList.h"

class CComboBoxEx : public CComboBox {
    DECLARE_DYNAMIC(CComboBoxEx)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return AfxCreateControl(this, WC_COMBOBOXEXW, nullptr, dwStyle, rect, pParentWnd, nID);
    }

    // The index given to the new item, or -1.
    int InsertItem(const COMBOBOXEXITEMW* pCBItem)
    {
        return static_cast<int>(SendMessage(CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(pCBItem)));
    }
    int DeleteItem(int iIndex) { return static_cast<int>(SendMessage(CBEM_DELETEITEM, iIndex)); }  // the items left
    BOOL GetItem(COMBOBOXEXITEMW* pCBItem) const
    {
        return static_cast<BOOL>(SendMessage(CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(pCBItem)));
    }
    BOOL SetItem(const COMBOBOXEXITEMW* pCBItem)
    {
        return static_cast<BOOL>(SendMessage(CBEM_SETITEMW, 0, reinterpret_cast<LPARAM>(pCBItem)));
    }
    // The combo box inside the control, and its edit field (null for a drop-down list).
    CComboBox* GetComboBoxCtrl() const
    {
        return FromHandleAs<CComboBox>(reinterpret_cast<HWND>(SendMessage(CBEM_GETCOMBOCONTROL)));
    }
    CEdit* GetEditCtrl() const { return FromHandleAs<CEdit>(reinterpret_cast<HWND>(SendMessage(CBEM_GETEDITCONTROL))); }
    CImageList* SetImageList(CImageList* pImageList)
    {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
            SendMessage(CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(AfxImageListHandle(pImageList)))));
    }
    CImageList* GetImageList() const { return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(CBEM_GETIMAGELIST))); }
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(CBEM_GETEXTENDEDSTYLE)); }
    DWORD SetExtendedStyle(DWORD dwExMask, DWORD dwExStyles)
    {
        return static_cast<DWORD>(SendMessage(CBEM_SETEXTENDEDSTYLE, dwExMask, dwExStyles));
    }
};
