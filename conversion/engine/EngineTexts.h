// Texts of the conversion tool's lists and dialogs that the framework's formatters don't give:
// zero-padded durations and sample rates, and writing a list of lines as one text file.
// Durations are 64-bit milliseconds.
#pragma once
#include "classlib/CArray.h"
#include "classlib/CString.h"

// As FormatDuration, but the clock forms are zero-padded ("01:01.500", "00:01:01") and a
// time below 100 ms gives "00:00:00.000".
CString FormatDurationPadded(LONGLONG ms, bool secondsOnly, bool withFraction, bool forceHours);
// Positive: the value printed with the format, " Hz" appended when asked; 0: "Auto" when asked,
// else empty; negative: empty.
CString FormatSampleRate(int hz, LPCWSTR format, bool withUnit, bool autoWhenZero);
// Every line followed by the separator ("\r\n" when it is empty), written as one text in the
// ANSI code page, replacing the file only once the whole text is written. 0, or -1 (also
// for an empty list).
int WriteTextLines(LPCWSTR path, const CStringArray& lines, LPCWSTR separator);
