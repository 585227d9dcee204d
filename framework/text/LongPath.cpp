#include "framework/text/LongPath.h"
#include <wchar.h>

namespace {

const int kClassicLimit = MAX_PATH - 12;  // CreateDirectoryW's limit, below that of files

CString FullPath(LPCWSTR pszPath)
{
    DWORD nNeeded = GetFullPathNameW(pszPath, 0, nullptr, nullptr);
    if (nNeeded == 0)
        return CString();
    CString strFull;
    DWORD nLength = GetFullPathNameW(pszPath, nNeeded, strFull.GetBuffer(nNeeded), nullptr);
    strFull.ReleaseBuffer(nLength < nNeeded ? static_cast<int>(nLength) : 0);
    return strFull;
}

}  // namespace

CString ExtendedLengthPath(LPCWSTR pszPath)
{
    if (!pszPath || wcsncmp(pszPath, L"\\\\?\\", 4) == 0 || wcsncmp(pszPath, L"\\\\.\\", 4) == 0)
        return pszPath;
    CString strFull = FullPath(pszPath);
    if (strFull.GetLength() < kClassicLimit)
        return pszPath;
    if (wcsncmp(strFull, L"\\\\", 2) == 0)
        return L"\\\\?\\UNC\\" + strFull.Mid(2);
    return L"\\\\?\\" + strFull;
}
