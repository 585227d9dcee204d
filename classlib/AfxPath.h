// Path helpers of the class library.
#pragma once
#include "classlib/CString.h"

// The full path of lpszPath ("." and ".." resolved, "/" read as "\", a trailing "\" kept), at
// any length; empty for a null or empty path and on failure.
CString AfxGetFullPath(LPCWSTR lpszPath);

// TRUE when both name the same file: compared as full paths, without regard to case.
BOOL AfxComparePath(LPCWSTR lpszPath1, LPCWSTR lpszPath2);
