// The panel the main window shows in place of its panes while the playlist is empty: one large
// "Open Files" button centred on the dark background, which asks the frame to open files.
#pragma once
#include "classlib/CToolTipCtrl.h"
#include "framework/controls/CHoverButton.h"
#include "image/RasterImage.h"

class CStartPanelWnd : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CToolTipCtrl m_tooltip;
    CHoverButton m_button;
    CRasterImage m_normalImage;
    CRasterImage m_hotImage;
    COLORREF m_crBack = 0x202020;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnOpenFiles();
    DECLARE_MESSAGE_MAP()
};
