// The owner-drawn vertical scroll bar of the owner-drawn list and the window that
// docks one at its right edge and keeps content margins.
//
// The thumb-to-position conversion does not
// divide by zero when the thumb fills the track.
#pragma once
#include "classlib/Afx.h"

// Parts of the bar
enum { SBP_NONE = 0, SBP_UP = 1, SBP_DOWN = 2, SBP_PAGEUP = 3, SBP_PAGEDOWN = 4, SBP_THUMB = 5 };

class CSkinScrollBar : public CWnd {
public:
    CSkinScrollBar();

    BOOL Create(CWnd* pParentWnd, UINT nID);
    // Returns 0 for a call that only sets the current position, else 1.
    BOOL SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw);
    void GetScrollInfo(LPSCROLLINFO lpScrollInfo) const;
    int GetMaxPos() const { return m_nMax - static_cast<int>(m_nPage) + 1; }
    int GetPos() const { return m_nPos; }

    // Computes the four rectangles for a client rectangle.
    void Layout(const CRect& client);
    int HitTest(CPoint point) const;  // SBP_*; only while visible
    int PosFromThumbTop(int nThumbTop) const;

    // Look
    BOOL m_bArrows;
    int m_nBarWidth;
    int m_nArrowHeight;
    COLORREF m_crBack;
    COLORREF m_crArrowBack[4];  // normal, hot, pressed, at the limit
    COLORREF m_crArrow[4];
    COLORREF m_crThumb[3];  // normal, hot, pressed
    CImageList m_gripImages;

    // Scroll information
    int m_nMin;
    int m_nMax;
    UINT m_nPage;
    int m_nPos;
    int m_nTrackPos;

    CRect m_rcTrack;
    CRect m_rcThumb;
    CRect m_rcUp;
    CRect m_rcDown;
    int m_nHotPart;
    int m_nPressedPart;
    UINT_PTR m_nTimer;
    CPoint m_ptDrag;
    int m_nDragThumbTop;
    BOOL m_bTracking;

    static const UINT kRepeatMs = 200;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnTimer(UINT_PTR nIDEvent);
    void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

public:
    void Paint(CDC* pDC);
    void Notify(UINT nCode, int nPos = 0);

private:
    void EndPress();
    void ClampPositions();
    void DrawArrow(CDC* pDC, const CRect& rect, BOOL bUp, int nState);
};

class CSkinScrollWnd : public CWnd {
public:
    CSkinScrollWnd();

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual void UpdateScrollRange() {}
    virtual void SetScrollPos(int nPos);  // clamped, then Refresh
    virtual BOOL IsScrollBarVisible() const;
    virtual int GetScrollPos(int nBar) const;
    virtual int GetScrollMaxPos(int nBar) const;
    virtual BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw);
    virtual void GetScrollBarRect(LPRECT lpRect) const;
    virtual void GetContentRect(LPRECT lpRect) const;
    virtual int GetScrollMin(int nBar) const;
    virtual int GetScrollMax(int nBar) const;
    virtual void Refresh();
    static int GetTextWidth(CDC* pDC, const CString& text);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    CSkinScrollBar& ScrollBar() { return m_scrollBar; }

    int m_nMarginLeft;
    int m_nMarginTop;
    int m_nMarginRight;
    int m_nMarginBottom;

protected:
    // Moves the bar's position (clamped) without redrawing the content: the new position.
    int MoveScrollPos(int nPos);
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    CSkinScrollBar m_scrollBar;
};
