// CCustomComboBoxEx: an extended combo box with item operations whose drop-down
// list widens itself to its longest item when it opens.
#pragma once
#include "classlib/CComboBoxEx.h"

class CCustomComboBoxEx : public CComboBoxEx {
    DECLARE_DYNAMIC(CCustomComboBoxEx)
public:
    virtual void AdjustDropWidth();
    // The edit field's text, or the combo's own without an edit field.
    virtual CString GetText() const;
    virtual CString GetItemText(int nIndex) const;
    virtual BOOL GetItemImages(int nIndex, int& nImage, int& nSelectedImage) const;
    // nSelectedImage -1: the same as nImage.
    virtual int InsertItem(int nIndex, LPCWSTR lpszText, int nImage = -1, int nSelectedImage = -1);
    virtual int InsertItem(int nIndex, LPCWSTR lpszText, int nImage, int nSelectedImage, int nIndent);
    // The first item at or after nStart whose text equals lpszText without regard to case; -1.
    virtual int FindItem(int nStart, LPCWSTR lpszText) const;
    // nSelectedImage -1: unchanged.
    virtual BOOL SetItemImage(int nIndex, int nImage, int nSelectedImage = -1);
    virtual BOOL SetItemText(int nIndex, LPCWSTR lpszText);
    using CComboBoxEx::InsertItem;

    // The width AdjustDropWidth gives for the items' widest text and the list's room.
    static int DropWidthFor(int nWidestText, int nSpacer, int nImageWidth, BOOL bNeedsScrollBar, int nScrollWidth,
                            int nRoomToScreenEdge);

protected:
    void OnDropDown();
    DECLARE_MESSAGE_MAP()
};
