#include "classlib/AfxSubString.h"
#include <wchar.h>

BOOL AfxExtractSubString(CString& rString, LPCWSTR lpszFullString, int iSubString, wchar_t chSep)
{
    rString.Empty();
    if (!lpszFullString || iSubString < 0)
        return FALSE;
    LPCWSTR p = lpszFullString;
    for (; iSubString > 0; --iSubString) {
        p = wcschr(p, chSep);
        if (!p)
            return FALSE;
        ++p;
    }
    LPCWSTR pEnd = wcschr(p, chSep);
    rString = CString(p, pEnd ? static_cast<int>(pEnd - p) : static_cast<int>(wcslen(p)));
    return TRUE;
}
