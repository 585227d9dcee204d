#include "conversion/app/controls/CDropFileComboBoxEx.h"
#include "classlib/AfxMessageMap.h"
#include "conversion/app/controls/ShellAutoComplete.h"
#include "framework/system/PathHelpers.h"
#include "framework/system/ShellHelpers.h"
#include <shellapi.h>
#include <shlwapi.h>

IMPLEMENT_DYNAMIC(CDropFileComboBoxEx, CCustomComboBoxEx)

BEGIN_MESSAGE_MAP(CDropFileComboBoxEx, CCustomComboBoxEx)
ON_WM_CREATE()
ON_WM_DROPFILES()
END_MESSAGE_MAP()

int GetPathIconIndex(LPCWSTR pszPath)
{
    if (!pszPath || !*pszPath || !PathExists(pszPath))
        return -1;
    SHFILEINFOW info = {};
    if (!SHGetFileInfoW(pszPath, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON))
        return -1;
    return info.iIcon;
}

int InsertPathItem(CCustomComboBoxEx& combo, int nIndex, LPCWSTR pszPath)
{
    int nImage = GetPathIconIndex(pszPath);
    return combo.InsertItem(nIndex, pszPath, nImage, nImage);
}

// Paths dropped anywhere on the combo, its edit field included, come here.
void CDropFileComboBoxEx::PreSubclassWindow()
{
    CCustomComboBoxEx::PreSubclassWindow();
    ::DragAcceptFiles(m_hWnd, TRUE);
    SetupAutoComplete();
}

int CDropFileComboBoxEx::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CCustomComboBoxEx::OnCreate(lpCreateStruct) == -1)
        return -1;
    ::DragAcceptFiles(m_hWnd, TRUE);
    SetupAutoComplete();
    return 0;
}

void CDropFileComboBoxEx::SetupAutoComplete()
{
    if (m_bAutoCompleteInstalled || !m_hWnd)
        return;
    HWND hEdit = reinterpret_cast<HWND>(SendMessage(CBEM_GETEDITCONTROL));
    if (!hEdit)
        return;
    m_bAutoCompleteInstalled = TRUE;
    DWORD dwFlags = m_nKinds == DROP_FILES     ? SHACF_FILESYS_ONLY
                    : m_nKinds == DROP_FOLDERS ? SHACF_FILESYS_DIRS
                                               : SHACF_FILESYSTEM;
    ApplyShellAutoComplete(hEdit, dwFlags | SHACF_USETAB | SHACF_AUTOSUGGEST_FORCE_ON | SHACF_AUTOAPPEND_FORCE_ON);
    // The paths' icons come from the shell's small system list, which stays the shell's.
    if (!SendMessage(CBEM_GETIMAGELIST)) {
        SHFILEINFOW info = {};
        DWORD_PTR hList = SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        if (hList)
            SendMessage(CBEM_SETIMAGELIST, 0, static_cast<LPARAM>(hList));
    }
}

int CDropFileComboBoxEx::AddPath(int nIndex, LPCWSTR pszPath)
{
    return InsertPathItem(*this, nIndex, pszPath);
}

int CDropFileComboBoxEx::FindItemExact(int nStart, LPCWSTR pszText) const
{
    const int nCount = GetCount();
    for (int i = nStart < 0 ? 0 : nStart; i < nCount; i++) {
        if (GetItemText(i) == pszText)
            return i;
    }
    return -1;
}

int CDropFileComboBoxEx::SetPathText(LPCWSTR pszPath)
{
    if (!pszPath || !*pszPath) {
        SetCurSel(-1);
        HWND hEdit = reinterpret_cast<HWND>(SendMessage(CBEM_GETEDITCONTROL));
        ::SetWindowTextW(hEdit ? hEdit : m_hWnd, L"");
        return -1;
    }
    int nFound = FindItemExact(0, pszPath);
    if (nFound >= 0) {
        int nImage = -1, nSelected = -1;
        GetItemImages(nFound, nImage, nSelected);
        DeleteItem(nFound);
        if (nImage < 0)
            nImage = nSelected = GetPathIconIndex(pszPath);
        InsertItem(0, pszPath, nImage, nSelected);
    } else {
        AddPath(0, pszPath);
    }
    SetCurSel(0);
    return 0;
}

BOOL CDropFileComboBoxEx::AcceptsPath(LPCWSTR pszPath) const
{
    return (m_nKinds & (FolderExists(pszPath) ? DROP_FOLDERS : DROP_FILES)) != 0;
}

void CDropFileComboBoxEx::OnDropFiles(HDROP hDropInfo)
{
    CStringArray paths;
    GetDroppedPaths(hDropInfo, paths);
    DragFinish(hDropInfo);
    for (int i = 0; i < paths.GetSize(); i++) {
        if (AcceptsPath(paths[i])) {
            SetPathText(paths[i]);
            break;
        }
    }
    ::SetForegroundWindow(m_hWnd);
}
