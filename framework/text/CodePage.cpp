#include "framework/text/CodePage.h"

int WideToAnsi(LPCWSTR pszText, CStringA& strOut)
{
    strOut.Empty();
    if (!pszText || !*pszText)
        return -1;
    int nSize = WideCharToMultiByte(CP_ACP, 0, pszText, -1, nullptr, 0, nullptr, nullptr);
    if (nSize <= 0)
        return -1;
    WideCharToMultiByte(CP_ACP, 0, pszText, -1, strOut.GetBuffer(nSize), nSize, nullptr, nullptr);
    strOut.ReleaseBuffer(nSize - 1);
    return nSize;
}

int AnsiToWide(LPCSTR pszText, CString& strOut)
{
    strOut.Empty();
    if (!pszText || !*pszText)
        return -1;
    int nCount = MultiByteToWideChar(CP_ACP, 0, pszText, -1, nullptr, 0);
    if (nCount <= 0)
        return -1;
    MultiByteToWideChar(CP_ACP, 0, pszText, -1, strOut.GetBuffer(nCount), nCount);
    strOut.ReleaseBuffer(nCount - 1);
    return nCount;
}
