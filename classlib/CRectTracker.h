// CRectTracker: a rectangle the user drags out with the mouse (a rubber band).
//
// TrackRubberBand captures the mouse and runs its own message loop until the left button is
// released. Each time the rectangle changes, DrawTrackerRect is called with the old rectangle
// to erase it (m_bErase TRUE), then with m_rect to draw it; once more to erase it at the end.
// An override may move m_rect while tracking (to follow the content scrolled under it): the
// rectangle is erased where it was moved to, and the next pointer position moves only the
// free corner.
#pragma once
#include "classlib/CDC.h"

class CWnd;

class CRectTracker {
public:
    CRectTracker() : m_nStyle(0), m_bErase(FALSE) {}
    CRectTracker(LPCRECT lpSrcRect, UINT nStyle) : m_rect(lpSrcRect), m_nStyle(nStyle), m_bErase(FALSE) {}
    virtual ~CRectTracker() = default;

    // point is in pWnd's client coordinates and so is m_rect: its top-left corner stays at
    // point and its bottom-right corner follows the pointer, crossing over to the other side
    // only with bAllowInvert. TRUE when the button was released over a non-empty rectangle;
    // FALSE when Escape, the right button or a loss of the capture cancelled it.
    BOOL TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert = TRUE);

    // Draws a dotted focus frame (it inverts, so drawing twice erases).
    virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);

    CRect m_rect;
    UINT m_nStyle;

protected:
    BOOL m_bErase;  // while DrawTrackerRect is called to erase

private:
    // Moves the free corner to the pointer; answers whether the rectangle changed.
    bool FollowPointer(CPoint point, BOOL bAllowInvert);
    void Draw(LPCRECT lpRect, BOOL bErase, CDC* pDC, CWnd* pWnd);
};
