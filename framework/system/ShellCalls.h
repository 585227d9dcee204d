// The calls through which the programs reach outside themselves: Explorer, the mail handler,
// the Recycle Bin and shutting Windows down. The helpers make them only through this table,
// so tests can put recorders in place of the real calls.
#pragma once
#include <windows.h>
#include <shellapi.h>

struct CShellCalls {
    HINSTANCE(WINAPI* pfnShellExecute)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    int(WINAPI* pfnFileOperation)(LPSHFILEOPSTRUCTW);
    BOOL(WINAPI* pfnExitWindows)(UINT, DWORD);
};

// The process's table; it holds the real calls until someone replaces them.
CShellCalls& ShellCalls();
