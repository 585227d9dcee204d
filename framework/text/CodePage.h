// Conversions between UTF-16 text and 8-bit text, in the ANSI code page or in UTF-8.
#pragma once
#include "classlib/CString.h"

// Both clear the output first. They return the converted size including the terminating NUL,
// or -1 for a null or empty text and when the conversion reports no size.
int WideToAnsi(LPCWSTR pszText, CStringA& strOut);
int AnsiToWide(LPCSTR pszText, CString& strOut);

// UTF-8, as files for the tools and the tools' own output carry it. A length of -1 takes the
// text up to its NUL. Empty for a null or empty text and when the conversion fails.
CStringA WideToUtf8(LPCWSTR pszText, int nLength = -1);
CString Utf8ToWide(LPCSTR pszText, int nLength = -1);

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or values above
// U+10FFFF). Plain ASCII is.
bool IsValidUtf8(LPCSTR pszText, int nLength);
