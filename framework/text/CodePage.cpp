#include "framework/text/CodePage.h"
#include <string.h>
#include <wchar.h>

namespace {

// The converted text without a NUL, or -1; the output is empty unless something was converted.
int FromWide(UINT nCodePage, LPCWSTR pszText, int nLength, CStringA& strOut)
{
    strOut.Empty();
    if (!pszText)
        return -1;
    if (nLength < 0)
        nLength = static_cast<int>(wcslen(pszText));
    int nSize = nLength > 0 ? WideCharToMultiByte(nCodePage, 0, pszText, nLength, nullptr, 0, nullptr, nullptr) : 0;
    if (nSize <= 0)
        return -1;
    WideCharToMultiByte(nCodePage, 0, pszText, nLength, strOut.GetBuffer(nSize), nSize, nullptr, nullptr);
    strOut.ReleaseBuffer(nSize);
    return nSize;
}

int ToWide(UINT nCodePage, LPCSTR pszText, int nLength, CString& strOut)
{
    strOut.Empty();
    if (!pszText)
        return -1;
    if (nLength < 0)
        nLength = static_cast<int>(strlen(pszText));
    int nCount = nLength > 0 ? MultiByteToWideChar(nCodePage, 0, pszText, nLength, nullptr, 0) : 0;
    if (nCount <= 0)
        return -1;
    MultiByteToWideChar(nCodePage, 0, pszText, nLength, strOut.GetBuffer(nCount), nCount);
    strOut.ReleaseBuffer(nCount);
    return nCount;
}

}  // namespace

int WideToAnsi(LPCWSTR pszText, CStringA& strOut)
{
    int nSize = FromWide(CP_ACP, pszText, -1, strOut);
    return nSize < 0 ? -1 : nSize + 1;
}

int AnsiToWide(LPCSTR pszText, CString& strOut)
{
    int nCount = ToWide(CP_ACP, pszText, -1, strOut);
    return nCount < 0 ? -1 : nCount + 1;
}

CStringA WideToUtf8(LPCWSTR pszText, int nLength)
{
    CStringA strUtf8;
    FromWide(CP_UTF8, pszText, nLength, strUtf8);
    return strUtf8;
}

CString Utf8ToWide(LPCSTR pszText, int nLength)
{
    CString strText;
    ToWide(CP_UTF8, pszText, nLength, strText);
    return strText;
}
