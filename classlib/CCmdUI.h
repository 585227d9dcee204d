// CCmdUI: one user-interface item (a menu item, a control, a bar pane) during an update pass.
// The update handler of the item's command says through it whether the item is enabled,
// checked or relabelled.
#pragma once
#include <windows.h>

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI {
public:
    CCmdUI();
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCWSTR lpszText);
    // Called by an update handler: the command targets after its own see the item as well.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Runs pTarget's update handler for m_nID; without one, and when bDisableIfNoHndler is
    // set, the item is enabled exactly when pTarget has a command handler for it.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID;
    UINT m_nIndex;       // position of a menu item in m_pMenu
    UINT m_nIndexMax;    // item count of m_pMenu; a handler that inserts items raises it
    CMenu* m_pMenu;      // the popup menu of a menu item, else null
    CMenu* m_pSubMenu;   // the popup the item opens, when it opens one
    CMenu* m_pParentMenu;
    CWnd* m_pOther;      // the control or bar of a non-menu item
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
};

// The update pass over a popup menu about to open, as frames and dialogs run it on
// WM_INITMENUPOPUP: each item's update handler in pTarget runs (separators skipped; an item that
// opens a sub-menu follows the command of that sub-menu's first item and is never disabled for
// lack of a handler); with bAutoMenuEnable, commands below 0xF000 without a handler are
// disabled. Handlers may insert or delete items; the walk goes on at the right place.
void AfxUpdatePopupMenu(CCmdTarget* pTarget, CMenu* pPopupMenu, BOOL bAutoMenuEnable);
