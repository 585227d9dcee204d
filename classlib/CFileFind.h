// CFileFind: walks the files that match a path pattern.
//
//     CFileFind finder;
//     for (BOOL more = finder.FindFile(L"C:\\dir\\*"); more;) {
//         more = finder.FindNextFile();  // makes the next file current
//         if (!finder.IsDots()) ...
//     }
//
// Until the first FindNextFile, and after Close, there is no current file: the names are
// empty and the other queries answer FALSE or 0.
#pragma once
#include "classlib/CString.h"

class CFileFind {
public:
    CFileFind();
    ~CFileFind();
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // Starts a search for pstrName ("*.*" in the current folder when null); FALSE when
    // nothing matches.
    BOOL FindFile(LPCWSTR pstrName = nullptr, DWORD dwUnused = 0);
    // Makes the next match current; FALSE when that one is the last.
    BOOL FindNextFile();
    void Close();

    CString GetFileName() const;   // "name.ext"
    CString GetFilePath() const;   // the full path: the pattern's folder and the name
    CString GetFileTitle() const;  // the name without its extension
    BOOL IsDirectory() const;
    BOOL IsDots() const;  // "." or ".."
    ULONGLONG GetLength() const;
    BOOL GetLastWriteTime(FILETIME* pTimeStamp) const;

private:
    HANDLE m_hFind;
    CString m_strRoot;  // the folder of the pattern, as a full path
    WIN32_FIND_DATAW m_found;
    WIN32_FIND_DATAW m_next;
    BOOL m_bHasFound;
    BOOL m_bHasNext;
};
