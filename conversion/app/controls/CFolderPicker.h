// CFolderPicker: the shell's folder browser (SHBrowseForFolderW) starting at an
// initial folder, showing the selected path as its status text.
#pragma once
#include "classlib/CString.h"
#include <shlobj.h>

class CFolderPicker {
public:
    // BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_BROWSEINCLUDEURLS (0xC1) are added to nFlags.
    CFolderPicker(HWND hWndOwner, LPCWSTR pszTitle, LPCWSTR pszInitialFolder, UINT nFlags = 0);

    // IDOK when a folder path was chosen (m_strPath), IDCANCEL otherwise.
    int Browse();

    CString m_strPath;
    CString m_strInitialFolder;
    HWND m_hWndOwner;
    CString m_strTitle;
    UINT m_nFlags;
    int m_nImage = 0;

    // The browser's callback (BFFM_INITIALIZED selects the initial folder, BFFM_SELCHANGED
    // shows the path as the status text); lpData is the picker.
    static int CALLBACK BrowseCallback(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM lpData);
};
