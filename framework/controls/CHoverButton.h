// CHoverButton: an owner-drawn push button (BS_OWNERDRAW, subclassed) that shows
// its normal image, or its hot image while the pointer is over it or it is pressed, drawn
// off-screen and optionally over its parent's background. The images are the caller's
// (CRasterImage, not owned). The hand cursor is the process-wide one.
#pragma once
#include "classlib/CButton.h"

class CRasterImage;

class CHoverButton : public CButton {
    DECLARE_DYNAMIC(CHoverButton)
public:
    CHoverButton() = default;
    ~CHoverButton() override;

    // Stores both; a valid normal image gives the image size. Repaints when the window exists.
    void SetImages(CRasterImage* pNormal, CRasterImage* pHot);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual void DrawBackground(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom, int nState);
    virtual void DrawFace(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom, int nState);
    // 3 pressed; 1 hot (focused or not); 2 focused; 4 disabled; 0 normal.
    static int StateOf(UINT nItemState, BOOL bHot);

    BOOL m_bTransparent = FALSE;
    COLORREF m_crBack = 0x202020;
    CRasterImage* m_pNormal = nullptr;
    CRasterImage* m_pHot = nullptr;
    int m_cxImage = 0;
    int m_cyImage = 0;
    BOOL m_bCenter = TRUE;
    BOOL m_bHot = FALSE;

protected:
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnMouseLeave();
    DECLARE_MESSAGE_MAP()
};
