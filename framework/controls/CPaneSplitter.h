// The two-pane splitter: a child window that lays out exactly two panes, side by
// side with a draggable bar between them (mode 1) or one at a time filling the window (mode 2).
// CPaneSplitterBase holds the layout, CPaneSplitter adds the bar's mouse handling; a subclass
// supplies the panes (GetPane). Beside it, three functions for layered (translucent) windows.
#pragma once
#include "classlib/Afx.h"
#include "framework/controls/FrameworkMessages.h"

enum { SPLIT_BOTH = 1, SPLIT_ONE = 2 };

class CPaneSplitterBase : public CWnd {
public:
    CPaneSplitterBase();
    ~CPaneSplitterBase() override;

    virtual int SetMode(int nMode);
    virtual CWnd* GetPane(int nIndex) const = 0;
    virtual CWnd* GetVisiblePane() const;
    virtual BOOL ShowPane(int nPane);
    virtual BOOL ActivatePane(CWnd* pPane);
    virtual int GetMinPaneSize(int nAnchor) const;
    virtual int GetMaxPaneSize(int nAnchor) const { return -1; }
    virtual int GetCollapseSize(int nAnchor) const { return 0; }
    virtual void RecalcLayout();
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual CWnd* CreatePaneView(CWnd* pParent, CCreateContext* pContext, UINT nID);

    int GetMode() const { return m_nMode; }
    // The bar in client coordinates.
    CRect GetBarRect() const;

    BOOL m_bResizable;
    int m_nMode;
    int m_nAnchor;  // 1: the stored size is the left pane's width; 0: the right pane's
    int m_nBarWidth;
    int m_nSize;
    int m_nWantedSize;
    int m_nDragOffset;
    HCURSOR m_hBarCursor;
    COLORREF m_crBar;  // the bar and any uncovered part of the window

protected:
    void ActivateWindow(CWnd* pPane);
};

class CPaneSplitter : public CPaneSplitterBase {
protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnCancelMode();
    DECLARE_MESSAGE_MAP()
};

// SetLayeredWindowAttributes looked up in USER32.DLL at each call; 0 when it is missing.
BOOL SetLayeredAttributes(HWND hWnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags);
// Adds WS_EX_LAYERED and a constant alpha.
BOOL EnableLayeredWindow(HWND hWnd, BYTE bAlpha);
// Removes WS_EX_LAYERED and redraws the window; returns 1.
BOOL DisableLayeredWindow(HWND hWnd);
