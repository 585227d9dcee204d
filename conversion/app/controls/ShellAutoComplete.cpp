#include "conversion/app/controls/ShellAutoComplete.h"

BOOL ApplyShellAutoComplete(HWND hEdit, DWORD dwFlags)
{
    typedef HRESULT(WINAPI * AutoCompleteProc)(HWND, DWORD);
    HMODULE hLibrary = LoadLibraryW(L"SHLWAPI.DLL");
    if (!hLibrary)
        return FALSE;
    BOOL bApplied = FALSE;
    if (FARPROC proc = GetProcAddress(hLibrary, "SHAutoComplete")) {
        AutoCompleteProc autoComplete = reinterpret_cast<AutoCompleteProc>(reinterpret_cast<void*>(proc));
        bApplied = SUCCEEDED(autoComplete(hEdit, dwFlags));
    }
    // The completion object keeps the library loaded for as long as the edit needs it.
    FreeLibrary(hLibrary);
    return bApplied;
}
