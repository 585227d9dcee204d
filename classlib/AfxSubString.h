// Fields of a string table entry that holds several texts separated by a character (the
// document strings, a command's prompt and tool tip).
#pragma once
#include "classlib/CString.h"

// Field iSubString (from 0) of lpszFullString; FALSE and empty when there is no such field.
BOOL AfxExtractSubString(CString& rString, LPCWSTR lpszFullString, int iSubString, wchar_t chSep = L'\n');
