#include "framework/dialogs/CFileSelectDlg.h"
#include "classlib/AfxModal.h"
#include "classlib/AfxModule.h"
#include "classlib/Resource.h"
#include <new>

IMPLEMENT_DYNAMIC(CFileSelectDlg, CDialog)

namespace {

UINT g_msgLBSelChanged = 0;
UINT g_msgShareViolation = 0;
UINT g_msgFileNameOK = 0;
UINT g_msgHelp = 0;
UINT g_msgSetRGB = 0;

DWORD StructSizeForThisWindows()
{
    OSVERSIONINFOW info = {sizeof(info)};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExW(&info);
#pragma GCC diagnostic pop
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion > 4)
        return sizeof(OPENFILENAMEW);
    return OPENFILENAME_SIZE_VERSION_400W;
}

}  // namespace

CFileSelectDlg::CFileSelectDlg(BOOL bOpenFileDialog, LPCWSTR lpszDefExt, LPCWSTR lpszFileName, DWORD dwFlags,
                               LPCWSTR lpszFilter, CWnd* pParentWnd, DWORD nStructSize)
    : CDialog(static_cast<LPCWSTR>(nullptr), pParentWnd),
      m_nIDHelp(bOpenFileDialog ? 28676 : 28677),
      m_bOpenFileDialog(bOpenFileDialog)
{
    if (nStructSize == 0)
        nStructSize = StructSizeForThisWindows();
    if (nStructSize < OPENFILENAME_SIZE_VERSION_400W || nStructSize > sizeof(OPENFILENAMEW))
        nStructSize = sizeof(OPENFILENAMEW);
    // The record is a whole OPENFILENAMEW in memory; lStructSize says how much the system reads.
    m_pOFN = new (std::nothrow) OPENFILENAMEW();
    m_pszFile = new (std::nothrow) wchar_t[kMaxFile + 1];
    if (!m_pOFN || !m_pszFile)
        return;
    m_pszFile[0] = L'\0';
    m_pOFN->lStructSize = nStructSize;
    m_pOFN->hInstance = AfxGetResourceHandle();
    if (lpszFilter) {
        m_strFilter = lpszFilter;
        LPWSTR p = m_strFilter.GetBuffer(m_strFilter.GetLength() + 1);
        for (LPWSTR q = p; *q; q++) {
            if (*q == L'|')
                *q = L'\0';
        }
        m_strFilter.ReleaseBuffer(m_strFilter.GetLength());
        m_pOFN->lpstrFilter = m_strFilter;
    }
    m_pOFN->lpstrFile = m_pszFile;
    m_pOFN->nMaxFile = kMaxFile;
    m_pOFN->lpstrFileTitle = m_szFileTitle;
    m_pOFN->nMaxFileTitle = ARRAYSIZE(m_szFileTitle);
    m_pOFN->lpstrDefExt = lpszDefExt;
    m_pOFN->Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER | OFN_ENABLESIZING;
    if (dwFlags & OFN_ENABLETEMPLATE)
        m_pOFN->Flags &= ~OFN_ENABLESIZING;
    m_pOFN->lpfnHook = &CFileSelectDlg::HookProc;
    m_pOFN->lCustData = reinterpret_cast<LPARAM>(this);
    if (lpszFileName)
        lstrcpynW(m_pszFile, lpszFileName, kMaxFile + 1);
}

CFileSelectDlg::~CFileSelectDlg()
{
    delete[] m_pszFile;
    delete m_pOFN;
}

INT_PTR CFileSelectDlg::DoModal()
{
    if (!IsValid())
        return -1;
    CModalLoopScope modal;
    // Behind the initial name the buffer is all NULs, so a multi-selection's end is clear.
    size_t nLength = wcslen(m_pszFile);
    memset(m_pszFile + nLength, 0, (kMaxFile + 1 - nLength) * sizeof(wchar_t));

    HWND hWndOwner = AfxGetModalOwner(m_pParentWnd);
    m_pOFN->hwndOwner = hWndOwner;
    bool bOwnerDisabled = hWndOwner && ::IsWindowEnabled(hWndOwner);
    if (bOwnerDisabled)
        ::EnableWindow(hWndOwner, FALSE);
    HWND hWndFocus = ::GetFocus();

    AfxHookDialogInit(this);
    BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileNameW(m_pOFN) : ::GetSaveFileNameW(m_pOFN);
    AfxUnhookDialogInit();

    if (bOwnerDisabled)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndFocus && ::IsWindow(hWndFocus))
        ::SetFocus(hWndFocus);
    return bResult ? IDOK : IDCANCEL;
}

CString CFileSelectDlg::GetPathName() const
{
    if (HWND hCommon = CommonDialog()) {
        wchar_t szSpec[260] = {};
        if (::SendMessageW(hCommon, CDM_GETSPEC, 260, reinterpret_cast<LPARAM>(szSpec)) > 0 && szSpec[0]) {
            wchar_t szPath[260] = {};
            if (::SendMessageW(hCommon, CDM_GETFILEPATH, 260, reinterpret_cast<LPARAM>(szPath)) > 0)
                return szPath;
        }
    }
    return m_pszFile ? CString(m_pszFile) : CString();
}

POSITION CFileSelectDlg::GetStartPosition() const
{
    if (!m_pszFile || !m_pszFile[0])
        return nullptr;
    return reinterpret_cast<POSITION>(m_pszFile);
}

CString CFileSelectDlg::GetNextPathName(POSITION& pos) const
{
    const bool bExplorer = (m_pOFN->Flags & OFN_EXPLORER) != 0;
    const wchar_t chSep = bExplorer ? L'\0' : L' ';
    LPCWSTR pszEntry = reinterpret_cast<LPCWSTR>(pos);
    if (!pszEntry) {
        return CString();
    }
    // The first entry: a whole path when it stands alone.
    LPCWSTR pszFolderEnd = m_pszFile;
    while (*pszFolderEnd && *pszFolderEnd != chSep)
        pszFolderEnd++;
    const bool bSingle = !(m_pOFN->Flags & OFN_ALLOWMULTISELECT) || (bExplorer ? pszFolderEnd[1] == L'\0'
                                                                                : *pszFolderEnd == L'\0');
    if (bSingle) {
        pos = nullptr;
        return CString(m_pszFile);
    }
    if (pszEntry == m_pszFile)
        pszEntry = pszFolderEnd + 1;  // the names follow the folder
    while (!bExplorer && *pszEntry == L' ')
        pszEntry++;
    LPCWSTR pszEnd = pszEntry;
    while (*pszEnd && *pszEnd != chSep)
        pszEnd++;
    CString strFolder(m_pszFile, static_cast<int>(pszFolderEnd - m_pszFile));
    CString strName(pszEntry, static_cast<int>(pszEnd - pszEntry));
    // The next entry, or the end.
    // An explorer-style list ends with an empty entry (two NULs); an old-style one at its NUL.
    LPCWSTR pszNext = (bExplorer || *pszEnd) ? pszEnd + 1 : pszEnd;
    while (!bExplorer && *pszNext == L' ')
        pszNext++;
    pos = *pszNext ? reinterpret_cast<POSITION>(const_cast<LPWSTR>(pszNext)) : nullptr;

    wchar_t chLast = strFolder.IsEmpty() ? L'\0' : strFolder[strFolder.GetLength() - 1];
    if (chLast == L'\\' || chLast == L'/')
        return strFolder + strName;
    return strFolder + L"\\" + strName;
}

void CFileSelectDlg::OnInitDone()
{
    if (HWND hCommon = CommonDialog()) {
        if (CWnd* pCommon = CWnd::FromHandle(hCommon))
            pCommon->CenterWindow();
    }
}

BOOL CFileSelectDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    OFNOTIFYW* pNotify = reinterpret_cast<OFNOTIFYW*>(lParam);
    switch (pNotify->hdr.code) {
    case CDN_INITDONE:
        OnInitDone();
        return TRUE;
    case CDN_SELCHANGE:
        OnFileNameChange();
        return TRUE;
    case CDN_FOLDERCHANGE:
        OnFolderChange();
        return TRUE;
    case CDN_SHAREVIOLATION:
        *pResult = OnShareViolation(pNotify->pszFile);
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, *pResult);
        return TRUE;
    case CDN_HELP:
        if (!SendMessage(WM_COMMAND, ID_HELP))
            SendMessage(WM_COMMANDHELP, 0, 0);
        return TRUE;
    case CDN_FILEOK:
        *pResult = OnFileNameOK();
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, *pResult);
        return TRUE;
    case CDN_TYPECHANGE:
        OnTypeChange();
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

UINT_PTR CALLBACK CFileSelectDlg::HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        g_msgLBSelChanged = ::RegisterWindowMessageW(LBSELCHSTRINGW);
        g_msgShareViolation = ::RegisterWindowMessageW(SHAREVISTRINGW);
        g_msgFileNameOK = ::RegisterWindowMessageW(FILEOKSTRINGW);
        g_msgHelp = ::RegisterWindowMessageW(HELPMSGSTRINGW);
        g_msgSetRGB = ::RegisterWindowMessageW(SETRGBSTRINGW);
        return AfxDlgProc(hWnd, message, wParam, lParam);
    }
    if ((message == g_msgHelp && g_msgHelp) || (message == WM_COMMAND && LOWORD(wParam) == 1038)) {
        ::SendMessageW(hWnd, WM_COMMAND, ID_HELP, 0);
        return 1;
    }
    if (message < 0xC000)
        return AfxDlgProc(hWnd, message, wParam, lParam);
    // Registered messages of an old-style dialog (an explorer-style one notifies instead).
    CFileSelectDlg* pDlg = dynamic_cast<CFileSelectDlg*>(CWnd::FromHandlePermanent(hWnd));
    if (!pDlg || (pDlg->m_pOFN->Flags & OFN_EXPLORER))
        return 0;
    if (message == g_msgShareViolation)
        return pDlg->OnShareViolation(reinterpret_cast<LPCWSTR>(lParam));
    if (message == g_msgFileNameOK)
        return pDlg->OnFileNameOK();
    if (message == g_msgLBSelChanged) {
        pDlg->OnLBSelChangedNotify(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    }
    return 0;
}
