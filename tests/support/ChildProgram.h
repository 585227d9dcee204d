// Paths and outputs of the test child program (tests/support/TestChild.cpp) that sits beside
// the suites.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "tests/support/SuitePaths.h"

inline std::wstring TestChildPath()
{
    return BesideThisProgram(L"TestChild.exe");
}

// The lines of a UTF-8 file that the child wrote, without their line breaks.
inline std::vector<std::wstring> ReadUtf8Lines(const std::wstring& path)
{
    std::vector<std::wstring> lines;
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return lines;
    std::string bytes(GetFileSize(hFile, nullptr), '\0');
    DWORD nRead = 0;
    ReadFile(hFile, &bytes[0], static_cast<DWORD>(bytes.size()), &nRead, nullptr);
    CloseHandle(hFile);
    size_t start = 0;
    for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = bytes.substr(start, end - start);
        std::wstring wide(line.size(), L'\0');
        int n = MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), &wide[0],
                                    static_cast<int>(wide.size()));
        wide.resize(n);
        lines.push_back(wide);
    }
    return lines;
}
