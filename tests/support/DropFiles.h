// An HDROP as the shell hands one over: a wide DROPFILES block with its double-NUL list.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <string.h>
#include <string>
#include <vector>

inline HDROP MakeDrop(const std::vector<std::wstring>& paths)
{
    // The list ends in an empty name; an empty list is read as two NULs.
    size_t chars = 2;
    for (const std::wstring& p : paths)
        chars += p.size() + 1;
    HGLOBAL hDrop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* pDrop = static_cast<DROPFILES*>(GlobalLock(hDrop));
    pDrop->pFiles = sizeof(DROPFILES);
    pDrop->fWide = TRUE;
    wchar_t* p = reinterpret_cast<wchar_t*>(pDrop + 1);
    for (const std::wstring& path : paths) {
        memcpy(p, path.c_str(), path.size() * sizeof(wchar_t));
        p += path.size() + 1;
    }
    GlobalUnlock(hDrop);
    return static_cast<HDROP>(hDrop);
}
