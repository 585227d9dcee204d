// The player's item bar with a tooltip: every message of the bar reaches the tooltip before the
// items see it. The base of the player control bar.
#pragma once
#include "classlib/CToolTipCtrl.h"
#include "framework/controls/CItemBar.h"

class CPopupBarWnd : public CItemBar {
    DECLARE_DYNAMIC(CPopupBarWnd)
public:
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Fills the list with the bitmap's images, each cx wide and as high as the bitmap, the mask
    // colour transparent (ILC_COLOR32 | ILC_MASK). FALSE when the bitmap or the list fails.
    static BOOL LoadImageList(CImageList& list, UINT nBitmapID, int cx, COLORREF crMask);

    CToolTipCtrl m_toolTip;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
