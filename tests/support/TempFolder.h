// A fresh folder under the temporary folder for one test, removed with all it holds.
#pragma once
#include <windows.h>
#include <string>

class TempFolder {
public:
    TempFolder()
    {
        static LONG s_nCounter = 0;
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        wchar_t name[64];
        _snwprintf(name, 64, L"kavri-test-%lx-%lx-%lx", GetCurrentProcessId(), GetTickCount(),
                   static_cast<unsigned long>(InterlockedIncrement(&s_nCounter)));
        m_path = std::wstring(temp) + name;
        CreateDirectoryW(m_path.c_str(), nullptr);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() { RemoveTree(L"\\\\?\\" + m_path); }

    const std::wstring& Path() const { return m_path; }
    std::wstring operator/(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    static void RemoveTree(const std::wstring& folder)
    {
        WIN32_FIND_DATAW found;
        HANDLE hFind = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (hFind != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = found.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                std::wstring path = folder + L"\\" + name;
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path);
                else
                    DeleteFileW(path.c_str());
            } while (FindNextFileW(hFind, &found));
            FindClose(hFind);
        }
        RemoveDirectoryW(folder.c_str());
    }

    std::wstring m_path;
};
