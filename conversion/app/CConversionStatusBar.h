// CConversionStatusBar: the main frame's one-pane status bar. The pane shows the current
// tool's description (also its tip) or a menu prompt, drawn flat in the bar's font; dragging
// the bar moves the window. The pane is the frame's message pane, so WM_SETTEXT and
// WM_GETTEXT reach it.
#pragma once
#include "classlib/CStatusBar.h"

class CConversionStatusBar : public CStatusBar {
    DECLARE_DYNAMIC(CConversionStatusBar)
public:
    CConversionStatusBar() = default;

    // The bar with its one pane, in the program's normal font and at least 20 pixels high.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    // The pane's text and its tool tip.
    void SetText(int nPane, LPCWSTR lpszText);

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
