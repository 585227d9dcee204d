// Small self-drawing controls of the conversion tool's dialogs and pages, drawn with the visual
// style when it is on (CThemeData) and in the classic look otherwise.
//   CThemedButton        a check box, radio button or push button drawn by itself, with an
//                        optional image-list icon beside its text
//   CThemedToolBarCtrl   a tool bar that paints its own background
//   CThemedHeaderCtrl    a header that paints its items (pressed ones one pixel down)
//   CRefillComboBox      a combo box that refills its list each time it drops down
#pragma once
#include "classlib/CButton.h"
#include "classlib/CComboBox.h"
#include "classlib/CHeaderCtrl.h"
#include "classlib/CImageList.h"
#include "classlib/CToolBarCtrl.h"

class CThemedButton : public CButton {
    DECLARE_DYNAMIC(CThemedButton)
public:
    enum Kind { PushButton, CheckBox, RadioButton };

    // The icon drawn beside the text; the list stays the caller's.
    void SetImage(CImageList* pImageList, int nImage);

    Kind m_kind = PushButton;
    BOOL m_bAuto = FALSE;  // the check follows clicks
    int m_check = BST_UNCHECKED;
    CImageList* m_pImageList = nullptr;
    int m_nImage = -1;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnClicked();
    DECLARE_MESSAGE_MAP()

private:
    void PaintParentBackground(HDC hDC);
    CRect DrawBox(HDC hDC, const CRect& rect, UINT itemState);
    void UncheckGroupSiblings();
};

class CThemedToolBarCtrl : public CToolBarCtrl {
    DECLARE_DYNAMIC(CThemedToolBarCtrl)
protected:
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

class CThemedHeaderCtrl : public CHeaderCtrl {
    DECLARE_DYNAMIC(CThemedHeaderCtrl)
public:
    int m_pressed = -1;  // the item under the pressed mouse button

protected:
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);
    DECLARE_MESSAGE_MAP()

private:
    void DrawHeaderItem(HDC hDC, int index);
};

class CRefillComboBox : public CComboBox {
    DECLARE_DYNAMIC(CRefillComboBox)
public:
    // Called as the list drops down.
    virtual void RefillList() {}

protected:
    BOOL OnDropDown();
    DECLARE_MESSAGE_MAP()
};
