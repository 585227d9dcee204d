#include "framework/system/CMRUList.h"
#include "classlib/AfxPath.h"
#include "classlib/CCmdUI.h"
#include "classlib/CMenu.h"
#include "classlib/CWinApp.h"
#include "common/OwnedHandle.h"
#include <shlwapi.h>

void CMRUList::Add(LPCWSTR pszText)
{
    CString text(pszText);
    text.Trim();
    if (text.IsEmpty())
        return;
    for (int i = m_entries.GetSize() - 1; i >= 0; i--) {
        if (IsSameEntry(m_entries[i], text))
            m_entries.RemoveAt(i);
    }
    m_entries.InsertAt(0, text);
    CutToMaximum();
}

void CMRUList::Remove(int nIndex)
{
    if (nIndex >= 0 && nIndex < m_entries.GetSize())
        m_entries.RemoveAt(nIndex);
}

void CMRUList::Load()
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp || m_strSection.IsEmpty() || m_strEntryFormat.IsEmpty())
        return;
    m_entries.RemoveAll();
    for (int n = 1; n <= m_nMaxEntries; n++) {
        CString value = pApp->GetProfileString(m_strSection, EntryName(n), L"");
        value.Trim();
        if (!value.IsEmpty())
            m_entries.Add(value);
    }
    CutToMaximum();
}

BOOL CMRUList::Save()
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp || m_strSection.IsEmpty() || m_strEntryFormat.IsEmpty())
        return FALSE;
    CStringArray oldValues;
    for (int n = 1; n <= m_entries.GetSize(); n++)
        oldValues.Add(pApp->GetProfileString(m_strSection, EntryName(n), L""));
    for (int i = 0; i < m_entries.GetSize(); i++) {
        if (WriteEntry(EntryName(i + 1), m_entries[i]))
            continue;
        for (int j = 0; j <= i; j++)
            WriteEntry(EntryName(j + 1), oldValues[j].IsEmpty() ? nullptr : static_cast<LPCWSTR>(oldValues[j]));
        return FALSE;
    }
    return RemoveOtherValues();
}

// The section ends up holding the list's entries alone; an empty list leaves no section.
BOOL CMRUList::RemoveOtherValues()
{
    CWinApp* pApp = AfxGetApp();
    if (m_entries.GetSize() == 0)
        return pApp->WriteProfileString(m_strSection, nullptr, nullptr);
    OwnedRegKey app(pApp->GetAppRegistryKey());
    OwnedRegKey section;
    if (!app || RegOpenKeyExW(app.Get(), m_strSection, 0, KEY_READ | KEY_SET_VALUE, section.Receive()) != ERROR_SUCCESS)
        return FALSE;
    CStringArray others;
    wchar_t name[256];
    for (DWORD index = 0;; index++) {
        DWORD length = 256;
        if (RegEnumValueW(section.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (!IsEntryName(name))
            others.Add(name);
    }
    BOOL bRemoved = TRUE;
    for (int i = 0; i < others.GetSize(); i++)
        bRemoved = RegDeleteValueW(section.Get(), others[i]) == ERROR_SUCCESS && bRemoved;
    return bRemoved;
}

BOOL CMRUList::IsEntryName(LPCWSTR pszName) const
{
    for (int n = 1; n <= m_entries.GetSize(); n++) {
        if (EntryName(n) == pszName)
            return TRUE;
    }
    return FALSE;
}

BOOL CMRUList::WriteEntry(LPCWSTR pszEntry, LPCWSTR pszValue)
{
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->WriteProfileString(m_strSection, pszEntry, pszValue);
}

BOOL CMRUList::IsSameEntry(LPCWSTR pszA, LPCWSTR pszB) const
{
    return wcscmp(pszA, pszB) == 0;
}

void CMRUList::CutToMaximum()
{
    int nMax = m_nMaxEntries > 0 ? m_nMaxEntries : 0;
    if (m_entries.GetSize() > nMax)
        m_entries.RemoveAt(nMax, m_entries.GetSize() - nMax);
}

CString CMRUList::EntryName(int nNumber) const
{
    CString name;
    name.Format(m_strEntryFormat, nNumber);
    return name;
}

BOOL CMRUFileList::IsSameEntry(LPCWSTR pszA, LPCWSTR pszB) const
{
    return AfxComparePath(pszA, pszB);
}

int CMRUFileList::UpdateMenu(CCmdUI* pCmdUI, int nPosition)
{
    CMenu* pMenu = pCmdUI->m_pSubMenu ? pCmdUI->m_pSubMenu : pCmdUI->m_pMenu;
    if (!pMenu)
        return -1;
    const UINT nFirstID = pCmdUI->m_nID;
    if (!m_bHaveOriginalText) {
        pMenu->GetMenuString(nFirstID, m_strOriginalText, MF_BYCOMMAND);
        m_bHaveOriginalText = true;
    }
    const UINT nStart = nPosition == -1 ? pCmdUI->m_nIndex : static_cast<UINT>(nPosition);
    const int nCount = GetCount();
    if (nCount == 0) {
        DeleteShownItems(pMenu, nFirstID, 1);
        ShowOriginalItem(pMenu, nFirstID, nStart);
        pCmdUI->Enable(FALSE);
    } else {
        DeleteShownItems(pMenu, nFirstID, 0);
        for (int j = 0; j < nCount; j++)
            pMenu->InsertMenu(nStart + j, MF_BYPOSITION | MF_STRING, nFirstID + j, MenuText(j));
        // A sub-menu's item may have been disabled while the list was empty.
        pCmdUI->Enable(TRUE);
    }
    m_nShown = nCount;
    // The update pass walks on past the inserted items; items put into a sub-menu move nothing
    // in the menu being walked.
    if (pMenu == pCmdUI->m_pMenu) {
        pCmdUI->m_nIndex = nStart + (nCount > 0 ? nCount - 1 : 0);
        pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    }
    return nCount;
}

// A path, or its file name alone; '&' doubled so the menu shows it rather than a mnemonic.
CString CMRUFileList::MenuText(int nIndex) const
{
    CString text = m_nFullPath ? GetAt(nIndex) : CString(PathFindFileNameW(GetAt(nIndex)));
    text.Replace(L"&", L"&&");
    return text;
}

// Deletes the items with the ids nFirstID + nFromOffset and up that an update put in the menu
// (at least the first id, which the original item carries).
void CMRUFileList::DeleteShownItems(CMenu* pMenu, UINT nFirstID, UINT nFromOffset) const
{
    const UINT nRange = static_cast<UINT>(m_nShown > m_nMaxEntries ? m_nShown : m_nMaxEntries);
    for (int nPos = static_cast<int>(pMenu->GetMenuItemCount()) - 1; nPos >= 0; nPos--) {
        UINT nID = pMenu->GetMenuItemID(nPos);
        if (nID != static_cast<UINT>(-1) && nID >= nFirstID + nFromOffset && nID < nFirstID + (nRange ? nRange : 1))
            pMenu->DeleteMenu(nPos, MF_BYPOSITION);
    }
}

void CMRUFileList::ShowOriginalItem(CMenu* pMenu, UINT nFirstID, UINT nPosition) const
{
    if (pMenu->GetMenuState(nFirstID, MF_BYCOMMAND) != static_cast<UINT>(-1))
        pMenu->ModifyMenu(nFirstID, MF_BYCOMMAND | MF_STRING, nFirstID, m_strOriginalText);
    else
        pMenu->InsertMenu(nPosition, MF_BYPOSITION | MF_STRING, nFirstID, m_strOriginalText);
}
