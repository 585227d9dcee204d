// CToolTabBar: the dark bar at the top of the main frame: the tool tab strip on the left, the
// small flat tool bar (start the player, "Main menu") on the right, and the tab strip's tips
// (one per tab, its tool's description). Dragging the bar moves the window.
#pragma once
#include "classlib/CControlBar.h"
#include "classlib/CToolBar.h"
#include "classlib/CToolTipCtrl.h"
#include "conversion/app/CToolTabCtrl.h"

class CToolTabBar : public CControlBar {
    DECLARE_DYNAMIC(CToolTabBar)
public:
    CToolTabBar() = default;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, int nHeight);
    BOOL PreTranslateMessage(MSG* pMsg) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override {}

    // Places the tool bar at the right edge and the tab strip, as wide as its tabs, at the left.
    void Layout();

    CToolTabCtrl m_wndTabs;
    CToolBar m_wndToolBar;
    CToolTipCtrl m_wndTip;
    CImageList m_toolBarImages;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateTabs();
    BOOL CreateToolBar();

    int m_nHeight = 30;
};
