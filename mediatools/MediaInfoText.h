// Texts for media types, ratios and frame rates.
#pragma once
#include "classlib/CString.h"

bool IsValidMediaType(int nCode);  // 1 to 7
// "video", "audio", "subtitle", "caption", "image", "animated image", "text"; else empty.
CString GetMediaTypeName(int nCode);
CString GetMediaFileTypeName(int nCode);
// Trimmed and compared without case; unknown gives 0.
int ParseMediaTypeName(LPCWSTR pszText);

CString FormatIntPair(int a, int b, LPCWSTR pszFormat);
// a / b printed with the format without trailing zeros or point; empty unless both are above 0.
CString FormatRatioText(int a, int b, LPCWSTR pszFormat);
// The rate with " fps" when asked; "Auto" (when asked) or empty when a part is 0.
CString FormatFrameRateText(int nNum, int nDen, LPCWSTR pszFormat, bool bAddFps, bool bAuto);
