#include "mediatools/MediaInfoText.h"

namespace {

// Indexed by media type and file type code.
const LPCWSTR kTypeNames[] = {L"", L"video", L"audio", L"subtitle", L"caption", L"image", L"animated image", L"text"};
const int kTypeCount = sizeof(kTypeNames) / sizeof(kTypeNames[0]);

}  // namespace

bool IsValidMediaType(int nCode)
{
    return nCode >= 1 && nCode < kTypeCount;
}

CString GetMediaTypeName(int nCode)
{
    return IsValidMediaType(nCode) ? CString(kTypeNames[nCode]) : CString();
}

CString GetMediaFileTypeName(int nCode)
{
    return GetMediaTypeName(nCode);
}

int ParseMediaTypeName(LPCWSTR pszText)
{
    CString strText(pszText);
    strText.Trim();
    strText.MakeLower();
    for (int nCode = 1; nCode < kTypeCount; nCode++)
        if (strText == kTypeNames[nCode])
            return nCode;
    return 0;
}

CString FormatIntPair(int a, int b, LPCWSTR pszFormat)
{
    CString strText;
    strText.Format(pszFormat, a, b);
    return strText;
}

CString FormatRatioText(int a, int b, LPCWSTR pszFormat)
{
    CString strText;
    if (a <= 0 || b <= 0)
        return strText;
    strText.Format(pszFormat, static_cast<double>(a) / b);
    // Only a fraction has zeros to drop: "100" must stay "100".
    if (strText.Find(L'.') >= 0) {
        strText.TrimRight(L'0');
        strText.TrimRight(L'.');
    }
    return strText;
}

CString FormatFrameRateText(int nNum, int nDen, LPCWSTR pszFormat, bool bAddFps, bool bAuto)
{
    if (nNum != 0 && nDen != 0) {
        CString strText = FormatRatioText(nNum, nDen, pszFormat);
        if (bAddFps)
            strText += L" fps";
        return strText;
    }
    return bAuto ? CString(L"Auto") : CString();
}
