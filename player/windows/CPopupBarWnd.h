// The item bar the player's control bar is built on: an item bar with a tooltip control that
// sees every message of the bar, so the bar's items can show tips. Window thread.
#pragma once
#include "classlib/CToolTipCtrl.h"
#include "framework/controls/CItemBar.h"

class CPopupBarWnd : public CItemBar {
    DECLARE_DYNAMIC(CPopupBarWnd)
public:
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CToolTipCtrl m_toolTip;

protected:
    // The bar, then its tooltip; -1 when either cannot be made.
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

// Makes the tooltip the player's small windows use: always shown, text as given, wide lines.
BOOL CreatePopupToolTip(CToolTipCtrl& toolTip, CWnd* pOwner);
