#include "mediatools/ToolArguments.h"
#include "framework/text/Duration.h"

CString ToolTime(LONGLONG nMilliseconds)
{
    return FormatDuration(nMilliseconds, false, true, true);
}

void AddToChain(CString& strChain, LPCWSTR pszFilter)
{
    if (!*pszFilter)
        return;
    if (!strChain.IsEmpty())
        strChain += L',';
    strChain += pszFilter;
}

LPCWSTR RotationFilter(int nDegrees)
{
    switch (nDegrees) {
    case 90:
        return L"transpose=1";
    case 180:
        return L"transpose=2,transpose=2";
    case 270:
        return L"transpose=2";
    default:
        return L"";
    }
}
