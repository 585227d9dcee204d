#include "conversion/app/controls/CFolderPicker.h"

CFolderPicker::CFolderPicker(HWND hWndOwner, LPCWSTR pszTitle, LPCWSTR pszInitialFolder, UINT nFlags)
    : m_strInitialFolder(pszInitialFolder ? pszInitialFolder : L""),
      m_hWndOwner(hWndOwner),
      m_strTitle(pszTitle ? pszTitle : L""),
      m_nFlags(nFlags | BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_BROWSEINCLUDEURLS)
{
}

int CALLBACK CFolderPicker::BrowseCallback(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    CFolderPicker* pPicker = reinterpret_cast<CFolderPicker*>(lpData);
    if (uMsg == BFFM_INITIALIZED) {
        if (pPicker && !pPicker->m_strInitialFolder.IsEmpty())
            ::SendMessageW(hWnd, BFFM_SETSELECTIONW, TRUE,
                           reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(pPicker->m_strInitialFolder)));
    } else if (uMsg == BFFM_SELCHANGED) {
        wchar_t szPath[MAX_PATH] = {};
        if (lParam && SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), szPath))
            ::SendMessageW(hWnd, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(szPath));
    }
    return 0;
}

int CFolderPicker::Browse()
{
    m_strPath.Empty();
    wchar_t szDisplay[MAX_PATH] = {};
    BROWSEINFOW info = {};
    info.hwndOwner = m_hWndOwner;
    info.pidlRoot = nullptr;
    info.pszDisplayName = szDisplay;
    info.lpszTitle = m_strTitle;
    info.ulFlags = m_nFlags;
    info.lpfn = &CFolderPicker::BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(this);
    PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&info);
    m_nImage = info.iImage;
    if (!pidl)
        return IDCANCEL;
    wchar_t szPath[MAX_PATH] = {};
    if (SHGetPathFromIDListW(pidl, szPath))
        m_strPath = szPath;
    CoTaskMemFree(pidl);  // the shell allocator
    return m_strPath.IsEmpty() ? IDCANCEL : IDOK;
}
