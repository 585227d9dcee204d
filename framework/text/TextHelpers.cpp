#include "framework/text/TextHelpers.h"
#include <stdio.h>
#include <string.h>
#include <wchar.h>

CString FormatPairOrAuto(int a, int b, LPCWSTR pszFormat, bool bAuto)
{
    if (bAuto && (a == 0 || b == 0))
        return L"Auto";
    CString str;
    str.Format(pszFormat, a, b);
    return str;
}

std::pair<int, int> ScanIntPair(LPCWSTR pszText, LPCWSTR pszFormat)
{
    std::pair<int, int> pair(0, 0);
    if (pszText && pszFormat)
        swscanf(pszText, pszFormat, &pair.first, &pair.second);
    return pair;
}

std::pair<int, int> ScanIntPairA(LPCSTR pszText, LPCSTR pszFormat)
{
    std::pair<int, int> pair(0, 0);
    if (pszText && pszFormat)
        sscanf(pszText, pszFormat, &pair.first, &pair.second);
    return pair;
}

CString FormatChannels(int nChannels, bool bAuto)
{
    switch (nChannels) {
    case 0:
        return bAuto ? L"Auto" : L"";
    case 1:
        return L"Mono";
    case 2:
        return L"Stereo";
    case 6:
        return L"5.1";
    default:
        return CString();
    }
}

CString FormatBitrate(int nBitsPerSecond, LPCWSTR pszFormat, bool bAddKbps, bool bAuto)
{
    if (nBitsPerSecond == 0)
        return bAuto ? L"Auto" : L"";
    if (nBitsPerSecond < 0)
        return CString();
    CString str;
    str.Format(pszFormat, nBitsPerSecond * 0.001);
    // Only zeros after a decimal point go: "%.0f" of 100 kbps stays "100".
    if (str.Find(L'.') >= 0) {
        str.TrimRight(L'0');
        str.TrimRight(L'.');
    }
    if (bAddKbps)
        str += L" kbps";
    return str;
}

int SplitString(LPCWSTR pszText, CStringArray& arr, LPCWSTR pszSeparator, bool bTrim, bool bSkipEmpty)
{
    if (!pszText || !*pszText || !pszSeparator || !*pszSeparator)
        return -1;
    const size_t nSeparator = wcslen(pszSeparator);
    for (LPCWSTR p = pszText; *p;) {
        LPCWSTR pEnd = wcsstr(p, pszSeparator);
        CString strPart = pEnd ? CString(p, static_cast<int>(pEnd - p)) : CString(p);
        if (bTrim)
            strPart.Trim();
        if (!bSkipEmpty || !strPart.IsEmpty())
            arr.Add(strPart);
        if (!pEnd)
            break;
        p = pEnd + nSeparator;
    }
    return arr.GetSize();
}
