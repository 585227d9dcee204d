#include "framework/system/ProfileKey.h"
#include "classlib/CWinApp.h"

void ReadProfileValue(LPCWSTR section, LPCWSTR key, int& value)
{
    if (CWinApp* pApp = AfxGetApp())
        value = static_cast<int>(pApp->GetProfileInt(section, key, value));
}

void ReadProfileValue(LPCWSTR section, LPCWSTR key, CString& value)
{
    if (CWinApp* pApp = AfxGetApp())
        value = pApp->GetProfileString(section, key, value);
}

bool WriteProfileValue(LPCWSTR section, LPCWSTR key, int value)
{
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->WriteProfileInt(section, key, value);
}

bool WriteProfileValue(LPCWSTR section, LPCWSTR key, const CString& value)
{
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->WriteProfileString(section, key, value);
}
