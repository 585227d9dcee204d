#include "framework/text/Duration.h"
#include <stdlib.h>

namespace {

CString FormatSeconds(LONGLONG nMilliseconds, bool bWithMilliseconds)
{
    CString str;
    if (bWithMilliseconds) {
        str.Format(L"%.3f", nMilliseconds * 0.001);
    } else {
        LONGLONG nSeconds = nMilliseconds / 1000;
        str.Format(L"%I64d", nSeconds < 1 ? 1 : nSeconds);
    }
    return str;
}

}  // namespace

CString FormatDuration(LONGLONG nMilliseconds, bool bSecondsMode, bool bWithMilliseconds, bool bForceHours)
{
    if (nMilliseconds < 100)
        return CString();
    if (bSecondsMode)
        return FormatSeconds(nMilliseconds, bWithMilliseconds);
    return FormatClock(nMilliseconds, bWithMilliseconds, bForceHours, false);
}

CString FormatDurationUs(LONGLONG nMicroseconds, bool bSecondsMode, bool bWithMilliseconds, bool bForceHours)
{
    LONGLONG nMilliseconds = nMicroseconds > 0 ? static_cast<LONGLONG>(nMicroseconds * 0.001) : 0;
    return FormatDuration(nMilliseconds, bSecondsMode, bWithMilliseconds, bForceHours);
}

LONGLONG ParseDuration(LPCWSTR pszText)
{
    CString strText(pszText);
    strText.Remove(L' ');
    strText.Trim();
    CString fields[3];
    int nFields = 0;
    for (int nStart = 0; nStart <= strText.GetLength() && nFields < 3;) {
        int nColon = strText.Find(L':', nStart);
        int nEnd = nColon < 0 ? strText.GetLength() : nColon;
        if (nEnd > nStart)
            fields[nFields++] = strText.Mid(nStart, nEnd - nStart);
        if (nColon < 0)
            break;
        nStart = nColon + 1;
    }
    if (nFields == 0)
        return 0;

    // The last field holds the seconds, the ones before it minutes and hours.
    CString strSeconds = fields[nFields - 1];
    LONGLONG nMilliseconds = 0;
    int nDot = strSeconds.Find(L'.');
    if (nDot >= 0) {
        nMilliseconds = _wtoi(strSeconds.Mid(nDot + 1));
        strSeconds = strSeconds.Left(nDot);
    }
    LONGLONG nMinutes = nFields >= 2 ? _wtoi(fields[nFields - 2]) : 0;
    LONGLONG nHours = nFields == 3 ? _wtoi(fields[0]) : 0;
    // 64-bit sums: long recordings must not wrap to negative times.
    return nMilliseconds + nMinutes * 60000 + nHours * 3600000 + _wtoi(strSeconds) * 1000LL;
}

CString FormatClock(LONGLONG nMilliseconds, bool bWithMilliseconds, bool bForceHours, bool bPadLeading)
{
    LONGLONG nSeconds = nMilliseconds / 1000;
    int nFraction = static_cast<int>(nMilliseconds % 1000);
    if (!bWithMilliseconds && nSeconds < 1)
        nSeconds = 1;
    LONGLONG nHours = nSeconds / 3600;
    int nMinutes = static_cast<int>(nSeconds % 3600 / 60);
    int nSecs = static_cast<int>(nSeconds % 60);
    bool bHours = nHours > 0 || bForceHours;
    CString str;
    if (bHours)
        str.Format(bPadLeading ? L"%02I64d:%02d:%02d" : L"%I64d:%02d:%02d", nHours, nMinutes, nSecs);
    else
        str.Format(bPadLeading ? L"%02d:%02d" : L"%d:%02d", nMinutes, nSecs);
    if (bWithMilliseconds)
        str.AppendFormat(L".%03d", nFraction);
    return str;
}
