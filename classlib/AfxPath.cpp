#include "classlib/AfxPath.h"

CString AfxGetFullPath(LPCWSTR lpszPath)
{
    CString full;
    DWORD needed = lpszPath && *lpszPath ? GetFullPathNameW(lpszPath, 0, nullptr, nullptr) : 0;
    if (needed == 0)
        return full;
    DWORD length = GetFullPathNameW(lpszPath, needed, full.GetBuffer(needed), nullptr);
    // The current folder may change between the two calls: a result that no longer fits failed.
    full.ReleaseBuffer(length < needed ? static_cast<int>(length) : 0);
    return full;
}

BOOL AfxComparePath(LPCWSTR lpszPath1, LPCWSTR lpszPath2)
{
    CString full1 = AfxGetFullPath(lpszPath1);
    CString full2 = AfxGetFullPath(lpszPath2);
    return !full1.IsEmpty() && full1.CompareNoCase(full2) == 0;
}
