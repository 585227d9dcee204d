// Texts for pairs, channel counts and bit rates, and the string splitter.
#pragma once
#include "classlib/CArray.h"
#include "classlib/CString.h"
#include <utility>

// The pair printed with the format ("%dx%d", "%d:%d"); "Auto" when asked for and a or b is 0.
CString FormatPairOrAuto(int a, int b, LPCWSTR pszFormat, bool bAuto);

// Two integers read with the format ("%d/%d"); (0, 0) when nothing matched. The narrow twin
// takes its arguments in the same order: text first, then format.
std::pair<int, int> ScanIntPair(LPCWSTR pszText, LPCWSTR pszFormat);
std::pair<int, int> ScanIntPairA(LPCSTR pszText, LPCSTR pszFormat);

// 1 "Mono", 2 "Stereo", 6 "5.1"; 0 gives "Auto" when asked for; anything else an empty text.
CString FormatChannels(int nChannels, bool bAuto);

// Kilobits per second printed with the format ("%.3f") without trailing zeros or a trailing
// point, " kbps" appended when asked for. 0 gives "Auto" when asked for, else empty; a
// negative value gives an empty text.
CString FormatBitrate(int nBitsPerSecond, LPCWSTR pszFormat, bool bAddKbps, bool bAuto);

// Appends the parts of the text between separators to the array (not cleared first), trimmed
// and without empty parts when asked. A separator at the very end adds no final empty part.
// Returns the array's new size, or -1 when the text or the separator is empty.
int SplitString(LPCWSTR pszText, CStringArray& arr, LPCWSTR pszSeparator, bool bTrim, bool bSkipEmpty);
