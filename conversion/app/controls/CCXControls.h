// The small controls of the conversion tool: thin subclasses of the tab and tree
// controls, the two-column owner-drawn combo box, a self-painting static, a hover-tracking
// window and a window pinned to a rectangle.
#pragma once
#include "classlib/CComboBox.h"
#include "classlib/CImageList.h"
#include "classlib/CStatic.h"
#include "classlib/CTabCtrl.h"
#include "classlib/CTreeCtrl.h"
#include <vector>

class CCXTabCtrl : public CTabCtrl {
    DECLARE_DYNAMIC(CCXTabCtrl)
public:
    CString GetItemText(int nItem) const;  // empty on failure
};

class CCXTreeCtrl : public CTreeCtrl {
    DECLARE_DYNAMIC(CCXTreeCtrl)
public:
    BOOL SetItemBold(HTREEITEM hItem, BOOL bBold);
};

// An owner-drawn combo box (CBS_OWNERDRAWFIXED | CBS_HASSTRINGS) whose items are "left<TAB>right"
// (or "left\\tright" with a backslash and a t): the right part is drawn in a column of its own
// at the right edge, in a quieter colour.
class CSplitTextComboBox : public CComboBox {
    DECLARE_DYNAMIC(CSplitTextComboBox)
public:
    CSplitTextComboBox();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    // Splits at the first tab, else at the first backslash-t pair; FALSE (all left) without one.
    static BOOL SplitText(const CString& strText, CString& strLeft, CString& strRight);
    void AddSeparator(UINT nIndex) { m_separators.push_back(nIndex); }
    BOOL HasSeparator(UINT nIndex) const;

    int m_nRightWidth;
    COLORREF m_crRightText;
    BOOL m_bRightAlign;
    BOOL m_bHideRightInEdit;
    std::vector<UINT> m_separators;
};

// A static that paints one image of an image list centred, over an optional background.
class COwnerPaintStatic : public CStatic {
    DECLARE_DYNAMIC(COwnerPaintStatic)
public:
    void SetImageList(CImageList* pImageList, int nIndex);
    void SetImageIndex(int nIndex);
    void SetBkColor(COLORREF crBack) { m_crBack = crBack; }

    CImageList* m_pImageList = nullptr;
    int m_nImage = -1;
    int m_cxImage = 16;
    int m_cyImage = 16;
    COLORREF m_crBack = static_cast<COLORREF>(-1);  // -1: no background painting

protected:
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    DECLARE_MESSAGE_MAP()
};

class CHoverWnd : public CWnd {
    DECLARE_DYNAMIC(CHoverWnd)
public:
    BOOL m_bHot = FALSE;

protected:
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    DECLARE_MESSAGE_MAP()
};

class CFixedPosWnd : public CWnd {
    DECLARE_DYNAMIC(CFixedPosWnd)
public:
    void SetFixedRect(int x, int y, int cx, int cy)
    {
        m_x = x;
        m_y = y;
        m_cx = cx;
        m_cy = cy;
    }
    int m_x = 0;
    int m_y = 0;
    int m_cx = 0;
    int m_cy = 0;

protected:
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    DECLARE_MESSAGE_MAP()
};
