// A small popup window of the player that the user moves by dragging its body, with a tooltip
// control for its parts. It knows whether it is the active window, so it can draw itself
// accordingly. Window thread.
#pragma once
#include "classlib/CToolTipCtrl.h"

class CPopupWnd : public CWnd {
    DECLARE_DYNAMIC(CPopupWnd)
public:
    // Redraws the window after its activation changed.
    virtual void Repaint();

    CToolTipCtrl m_toolTip;
    BOOL m_bActive = FALSE;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    // A press anywhere on the body starts moving the window, as on a caption.
    void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
