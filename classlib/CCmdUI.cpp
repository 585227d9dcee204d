#include "classlib/CCmdUI.h"
#include "classlib/CMenu.h"
#include "classlib/CWnd.h"

CCmdUI::CCmdUI()
    : m_nID(0),
      m_nIndex(0),
      m_nIndexMax(0),
      m_pMenu(nullptr),
      m_pSubMenu(nullptr),
      m_pParentMenu(nullptr),
      m_pOther(nullptr),
      m_bEnableChanged(FALSE),
      m_bContinueRouting(FALSE)
{
}

void CCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    if (m_pMenu) {
        // A popup's item stands for its first command; that command does not disable the popup.
        if (!m_pSubMenu)
            m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : MF_DISABLED | MF_GRAYED));
        return;
    }
    if (!m_pOther)
        return;
    // A control that loses its enabled state also gives up the focus.
    if (!bOn && ::GetFocus() == m_pOther->m_hWnd)
        ::SendMessageW(::GetParent(m_pOther->m_hWnd), WM_NEXTDLGCTL, 0, FALSE);
    m_pOther->EnableWindow(bOn);
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu) {
        if (!m_pSubMenu)
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
        return;
    }
    if (m_pOther && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON))
        m_pOther->SendMessage(BM_SETCHECK, nCheck);
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (!m_pMenu) {
        SetCheck(bOn ? 1 : 0);
        return;
    }
    if (m_pSubMenu)
        return;
    // A radio item shows a bullet instead of a check mark.
    MENUITEMINFOW mii = {sizeof(mii)};
    mii.fMask = MIIM_FTYPE | MIIM_STATE;
    if (!m_pMenu->GetMenuItemInfo(m_nIndex, &mii, TRUE))
        return;
    mii.fType |= MFT_RADIOCHECK;
    mii.fState = bOn ? (mii.fState | MFS_CHECKED) : (mii.fState & ~MFS_CHECKED);
    m_pMenu->SetMenuItemInfo(m_nIndex, &mii, TRUE);
}

void CCmdUI::SetText(LPCWSTR lpszText)
{
    if (m_pMenu) {
        if (m_pSubMenu)
            return;
        // Only the text changes: the id, the state and a popup stay.
        MENUITEMINFOW mii = {sizeof(mii)};
        mii.fMask = MIIM_STRING;
        mii.dwTypeData = const_cast<LPWSTR>(lpszText);
        m_pMenu->SetMenuItemInfo(m_nIndex, &mii, TRUE);
        return;
    }
    if (!m_pOther)
        return;
    // Unchanged text is not set again, so the control does not flicker at every idle pass.
    CString current;
    m_pOther->GetWindowText(current);
    if (current != lpszText)
        m_pOther->SetWindowText(lpszText);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;  // separators and popups have no command
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info = {nullptr, nullptr};
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return bResult;
}

void AfxUpdatePopupMenu(CCmdTarget* pTarget, CMenu* pPopupMenu, BOOL bAutoMenuEnable)
{
    if (!pTarget || !pPopupMenu)
        return;
    CCmdUI state;
    state.m_pMenu = pPopupMenu;
    state.m_nIndexMax = pPopupMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = pPopupMenu->GetMenuItemID(state.m_nIndex);
        if (state.m_nID == 0)
            continue;  // a separator
        if (state.m_nID == static_cast<UINT>(-1)) {
            // A popup item follows the command of its first item, but is never disabled for lack of one.
            state.m_pSubMenu = pPopupMenu->GetSubMenu(state.m_nIndex);
            if (!state.m_pSubMenu)
                continue;
            state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
            if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1))
                continue;
            state.DoUpdate(pTarget, FALSE);
        } else {
            state.m_pSubMenu = nullptr;
            state.DoUpdate(pTarget, bAutoMenuEnable && state.m_nID < 0xF000);
        }
        // A handler may delete items (the pass resumes after the items of this command) or
        // insert them (it moves m_nIndex to the last one it handled itself).
        UINT nCount = pPopupMenu->GetMenuItemCount();
        if (nCount < state.m_nIndexMax) {
            state.m_nIndex -= state.m_nIndexMax - nCount;
            while (state.m_nIndex < nCount && pPopupMenu->GetMenuItemID(state.m_nIndex) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = nCount;
    }
}
