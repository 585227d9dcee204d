// Pieces of the tools' command lines that the runners share: time values and filter chains.
#pragma once
#include "classlib/CString.h"

// A time option's value, "0:00:01.500"; empty below 100 ms, which leaves the option out.
CString ToolTime(LONGLONG nMilliseconds);

// Filters in a chain are separated by commas; an empty filter adds nothing.
void AddToChain(CString& strChain, LPCWSTR pszFilter);

// The filter that turns the picture clockwise by 90, 180 or 270 degrees; empty for other values.
LPCWSTR RotationFilter(int nDegrees);

// Sepia tones.
const wchar_t OLD_PHOTO_FILTER[] = L"colorchannelmixer=.393:.769:.189:0:.349:.686:.168:0:.272:.534:.131";
