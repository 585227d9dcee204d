// Files that sit beside the test suites in build/tests: the test child program, the fake tools.
#pragma once
#include <windows.h>
#include <string>

inline std::wstring BesideThisProgram(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n);
    return s.substr(0, s.find_last_of(L'\\') + 1) + name;
}
