// Whole-file reads and writes, as bytes or as text in the ANSI code page.
#pragma once
#include "classlib/CArray.h"
#include "classlib/CString.h"
#include <vector>

// The file's bytes, NULs included. 0; 1 for an empty file or one above 256 MB; -1 when it
// cannot be opened or read.
int ReadFileBytes(LPCWSTR pszPath, std::vector<char>& bytes);
// The file's bytes up to its first NUL. 0; 1 for an empty file or one above 256 MB;
// -1 when it cannot be opened or read.
int ReadFileToString(LPCWSTR pszPath, CStringA& strBytes);

// Creates or replaces the file with the bytes. The bytes go to a temporary file beside it that
// then replaces it, so a failed write (-1) leaves any old file as it was and nothing partial.
int WriteBufferToFile(LPCWSTR pszPath, const void* pData, DWORD nSize);

// Text through the ANSI code page; an empty file or text is a failure (-1).
int ReadTextFile(LPCWSTR pszPath, CString& strText);
int WriteTextFile(LPCWSTR pszPath, LPCWSTR pszText);

// The file's lines appended to the array, split at "\r\n" when the text has it, else at "\n".
int ReadTextFileLines(LPCWSTR pszPath, CStringArray& arrLines, bool bTrim, bool bSkipEmpty);
