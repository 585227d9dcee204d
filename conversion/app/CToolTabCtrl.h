// CToolTabCtrl: the owner-painted tab strip of the tool tab bar. Tabs are drawn from three
// pieces (left, middle repeated, right) of an image list that the bar fills: images 0-2 for
// the normal tabs, 3-5 for the selected one, which is drawn last so it lies on top.
#pragma once
#include "conversion/app/controls/CCXControls.h"

class CToolTabCtrl : public CCXTabCtrl {
    DECLARE_DYNAMIC(CToolTabCtrl)
public:
    CToolTabCtrl() = default;

    virtual void DrawItems(CDC* pDC);
    virtual void DrawBackground(CDC* pDC, const CRect& rect);
    virtual void DrawItem(CDC* pDC, int nItem, BOOL bSelected, BOOL bFocused);
    virtual void DrawItemBackground(CDC* pDC, const CRect& rect, BOOL bSelected, BOOL bFocused);

    COLORREF m_crBack = 0x404040;
    COLORREF m_crBottomLine = 0x404040;
    COLORREF m_crText = 0xFFFFFF;
    COLORREF m_crHighlightText = 0x000000;
    COLORREF m_crSelectedText = 0x000000;
    CImageList m_tabImages;  // 16 x 30 pieces, filled by the tab bar

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    BOOL OnSelchange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
