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

// How many bytes follow a UTF-8 lead byte; -1 for a byte that leads nothing.
int TrailBytes(unsigned char lead)
{
    if (lead < 0x80)
        return 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 1;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 2;
    return lead >= 0xF0 && lead <= 0xF4 ? 3 : -1;
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

bool IsValidUtf8(LPCSTR pszText, int nLength)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(pszText);
    for (int i = 0; i < nLength;) {
        unsigned char lead = p[i];
        int nTrail = TrailBytes(lead);
        if (nTrail < 0 || nLength - i <= nTrail)
            return false;
        // The second byte's range rules out overlong forms, surrogates and values past U+10FFFF.
        unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
        unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
        for (int k = 1; k <= nTrail; ++k) {
            unsigned char b = p[i + k];
            if (b < (k == 1 ? low : 0x80) || b > (k == 1 ? high : 0xBF))
                return false;
        }
        i += nTrail + 1;
    }
    return true;
}
