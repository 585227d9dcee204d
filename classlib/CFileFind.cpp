#include "classlib/CFileFind.h"
#include "classlib/AfxPath.h"
#include <wchar.h>

namespace {

// The pattern's folder as a full path without its separator ("C:\*" gives "C:").
CString FullFolderOf(LPCWSTR pattern)
{
    CString full = AfxGetFullPath(pattern);
    int slash = full.ReverseFind(L'\\');
    return slash >= 0 ? full.Left(slash) : CString();
}

}  // namespace

CFileFind::CFileFind()
    : m_hFind(INVALID_HANDLE_VALUE), m_found(), m_next(), m_bHasFound(FALSE), m_bHasNext(FALSE)
{
}

CFileFind::~CFileFind()
{
    Close();
}

void CFileFind::Close()
{
    if (m_hFind != INVALID_HANDLE_VALUE)
        FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
    m_bHasFound = FALSE;
    m_bHasNext = FALSE;
    m_strRoot.Empty();
}

BOOL CFileFind::FindFile(LPCWSTR pstrName, DWORD dwUnused)
{
    Close();
    if (!pstrName)
        pstrName = L"*.*";
    m_hFind = FindFirstFileW(pstrName, &m_next);
    if (m_hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    m_bHasNext = TRUE;
    m_strRoot = FullFolderOf(pstrName);
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_bHasNext)
        return FALSE;
    m_found = m_next;
    m_bHasFound = TRUE;
    m_bHasNext = ::FindNextFileW(m_hFind, &m_next);
    return m_bHasNext;
}

CString CFileFind::GetFileName() const
{
    return m_bHasFound ? CString(m_found.cFileName) : CString();
}

CString CFileFind::GetFilePath() const
{
    if (!m_bHasFound)
        return CString();
    if (m_strRoot.IsEmpty())
        return CString(m_found.cFileName);
    return m_strRoot + L"\\" + m_found.cFileName;
}

CString CFileFind::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

BOOL CFileFind::IsDirectory() const
{
    return m_bHasFound && (m_found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL CFileFind::IsDots() const
{
    return IsDirectory() && (wcscmp(m_found.cFileName, L".") == 0 || wcscmp(m_found.cFileName, L"..") == 0);
}

ULONGLONG CFileFind::GetLength() const
{
    return m_bHasFound ? (static_cast<ULONGLONG>(m_found.nFileSizeHigh) << 32) | m_found.nFileSizeLow : 0;
}

BOOL CFileFind::GetLastWriteTime(FILETIME* pTimeStamp) const
{
    if (!m_bHasFound || !pTimeStamp)
        return FALSE;
    *pTimeStamp = m_found.ftLastWriteTime;
    return TRUE;
}
