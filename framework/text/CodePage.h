// Conversions between UTF-16 text and 8-bit text in the ANSI code page.
#pragma once
#include "classlib/CString.h"

// Both clear the output first. They return the converted size including the terminating NUL,
// or -1 for a null or empty text and when the conversion reports no size.
int WideToAnsi(LPCWSTR pszText, CStringA& strOut);
int AnsiToWide(LPCSTR pszText, CString& strOut);
