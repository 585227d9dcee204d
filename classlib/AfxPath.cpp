#include "classlib/AfxPath.h"

CString AfxGetFullPath(LPCWSTR lpszPath)
{
    CString full;
    DWORD n = lpszPath ? GetFullPathNameW(lpszPath, 0, nullptr, nullptr) : 0;
    if (n == 0)
        return full;
    n = GetFullPathNameW(lpszPath, n, full.GetBuffer(n), nullptr);
    full.ReleaseBuffer(static_cast<int>(n));
    return full;
}

BOOL AfxComparePath(LPCWSTR lpszPath1, LPCWSTR lpszPath2)
{
    CString full1 = AfxGetFullPath(lpszPath1);
    CString full2 = AfxGetFullPath(lpszPath2);
    return !full1.IsEmpty() && full1.CompareNoCase(full2) == 0;
}
