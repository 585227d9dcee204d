#include "framework/text/LongPath.h"
#include "classlib/AfxPath.h"
#include <wchar.h>

namespace {

const int kClassicLimit = MAX_PATH - 12;  // CreateDirectoryW's limit, below that of files

}  // namespace

CString ExtendedLengthPath(LPCWSTR pszPath)
{
    if (!pszPath || wcsncmp(pszPath, L"\\\\?\\", 4) == 0 || wcsncmp(pszPath, L"\\\\.\\", 4) == 0)
        return pszPath;
    CString strFull = AfxGetFullPath(pszPath);
    if (strFull.GetLength() < kClassicLimit)
        return pszPath;
    if (wcsncmp(strFull, L"\\\\", 2) == 0)
        return L"\\\\?\\UNC\\" + strFull.Mid(2);
    return L"\\\\?\\" + strFull;
}
