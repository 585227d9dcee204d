// Duration texts in the programs' fixed forms, and their parser. Times are 64-bit milliseconds
// unless the name says microseconds.
#pragma once
#include "classlib/CString.h"

// Below 100 ms (negative included) the text is empty.
//   seconds mode:  "83.456" with milliseconds, else whole seconds ("83", at least 1)
//   clock mode:    "1:23.456" / "0:01:23.456" (hours when above 0 or forced),
//                  without milliseconds "1:23" / "0:01:23" (at least one second)
CString FormatDuration(LONGLONG nMilliseconds, bool bSecondsMode, bool bWithMilliseconds, bool bForceHours);

// The clock form alone, for any value: "1:23" / "1:23.456" / "1:01:23", or with the leading field
// padded to two digits ("01:23"); hours when above 0 or forced; at least one second without
// milliseconds.
CString FormatClock(LONGLONG nMilliseconds, bool bWithMilliseconds, bool bForceHours, bool bPadLeading);

// A value of 0 or less counts as 0.
CString FormatDurationUs(LONGLONG nMicroseconds, bool bSecondsMode, bool bWithMilliseconds, bool bForceHours);

// Reads [[hours:]minutes:]seconds[.milliseconds]; blanks are ignored and empty fields between
// colons are skipped. The digits after '.' count as milliseconds as written ("2.5" is 2,005 ms).
// An empty text gives 0.
LONGLONG ParseDuration(LPCWSTR pszText);
