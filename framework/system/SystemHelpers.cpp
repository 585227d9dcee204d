#include "framework/system/SystemHelpers.h"
#include <objbase.h>

int NewGuidString(CString& strGuid)
{
    strGuid.Empty();
    GUID guid;
    if (FAILED(CoCreateGuid(&guid)))
        return -1;
    strGuid.Format(L"%08lx%04x%04x%02x%02x%02x%02x%02x%02x%02x%02x", guid.Data1, guid.Data2, guid.Data3,
                   guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                   guid.Data4[6], guid.Data4[7]);
    return 0;
}

CString FormatByteSize(LONGLONG nBytes)
{
    typedef LPWSTR(WINAPI * FormatProc)(LONGLONG, LPWSTR, UINT);
    HMODULE hShlwapi = GetModuleHandleW(L"shlwapi.dll");
    auto pfnFormat = hShlwapi ? reinterpret_cast<FormatProc>(
                                    reinterpret_cast<void*>(GetProcAddress(hShlwapi, "StrFormatByteSizeW")))
                              : nullptr;
    if (!pfnFormat)
        return CString();
    wchar_t szText[256] = {};
    pfnFormat(nBytes, szText, 255);
    return szText;
}

int AllowCopyDataMessages()
{
    typedef BOOL(WINAPI * FilterProc)(UINT, DWORD);
    const DWORD kAdd = 1;  // MSGFLT_ADD
    HMODULE hUser32 = GetModuleHandleW(L"user32.dll");
    auto pfnFilter = hUser32 ? reinterpret_cast<FilterProc>(
                                   reinterpret_cast<void*>(GetProcAddress(hUser32, "ChangeWindowMessageFilter")))
                             : nullptr;
    if (!pfnFilter)
        return 1;
    bool bCopyData = pfnFilter(WM_COPYDATA, kAdd) != FALSE;
    bool bCopyGlobalData = pfnFilter(0x0049, kAdd) != FALSE;  // WM_COPYGLOBALDATA
    return bCopyData && bCopyGlobalData ? 0 : -1;
}
