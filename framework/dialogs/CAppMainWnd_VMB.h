// CAppMainWnd_VMB: the player's main-window base with a drawn menu bar. On
// creation it puts a CAppMenuBar in place of the frame's native menu, as a
// control bar along the top with id 0xE800 (AFX_IDW_TOOLBAR), and forwards WM_MENUCHAR,
// WM_INITMENUPOPUP, WM_MENUSELECT and WM_SYSCOMMAND to it.
//
// CFrameWnd's own map binds ID_VIEW_TOOLBAR (0xE800, the menu bar's id) to OnBarCheck: a frame
// with a menu bar maps 59392 itself.
// The placement, the update checks, Always On Top and the end-of-session save come from its
// base, CAppMainWnd.
#pragma once
#include "framework/controls/CMenuBar.h"
#include "framework/dialogs/CAppMainWnd.h"

class CAppMainWnd_VMB : public CAppMainWnd {
    DECLARE_DYNCREATE(CAppMainWnd_VMB)
public:
    CAppMainWnd_VMB();
    ~CAppMainWnd_VMB() override;

    CAppMenuBar& GetMenuBar() { return m_menuBar; }

    int m_nMenuBarHeight;  // 21 by default

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    void OnSysCommand(UINT nID, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CAppMenuBar m_menuBar;
};
