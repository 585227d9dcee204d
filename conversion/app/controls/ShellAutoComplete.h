// The shell's completion of typed paths for an edit control, bound at run time from
// "SHLWAPI.DLL" (older systems lack it).
#pragma once
#include <windows.h>

// FALSE when the library or its SHAutoComplete is missing, or the call fails.
BOOL ApplyShellAutoComplete(HWND hEdit, DWORD dwFlags);
