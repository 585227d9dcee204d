#include "conversion/engine/EngineTexts.h"
#include "framework/text/Duration.h"
#include "framework/text/FileHelpers.h"

CString FormatDurationPadded(LONGLONG ms, bool secondsOnly, bool withFraction, bool forceHours)
{
    if (ms < 100)
        return L"00:00:00.000";
    if (secondsOnly)
        return FormatDuration(ms, true, withFraction, forceHours);
    return FormatClock(ms, withFraction, forceHours, true);
}

CString FormatSampleRate(int hz, LPCWSTR format, bool withUnit, bool autoWhenZero)
{
    CString text;
    if (hz == 0)
        return autoWhenZero ? L"Auto" : L"";
    if (hz < 0)
        return text;
    text.Format(format, hz);
    if (withUnit)
        text += L" Hz";
    return text;
}

int WriteTextLines(LPCWSTR path, const CStringArray& lines, LPCWSTR separator)
{
    LPCWSTR lineEnd = separator && *separator ? separator : L"\r\n";
    CString text;
    for (int i = 0; i < lines.GetSize(); ++i) {
        text += lines[i];
        text += lineEnd;
    }
    return WriteTextFile(path, text);
}
