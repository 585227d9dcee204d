#include "conversion/engine/EngineTexts.h"
#include "framework/text/Duration.h"
#include "framework/text/FileHelpers.h"

namespace {

CString FormatPaddedClock(LONGLONG ms, bool withFraction, bool forceHours)
{
    LONGLONG seconds = ms / 1000;
    int fraction = static_cast<int>(ms % 1000);
    if (!withFraction && seconds < 1)
        seconds = 1;
    LONGLONG hours = seconds / 3600;
    int minutes = static_cast<int>(seconds % 3600 / 60);
    int secs = static_cast<int>(seconds % 60);
    bool showHours = hours > 0 || forceHours;
    CString text;
    if (withFraction && showHours)
        text.Format(L"%02I64d:%02d:%02d.%03d", hours, minutes, secs, fraction);
    else if (withFraction)
        text.Format(L"%02d:%02d.%03d", minutes, secs, fraction);
    else if (showHours)
        text.Format(L"%02I64d:%02d:%02d", hours, minutes, secs);
    else
        text.Format(L"%02d:%02d", minutes, secs);
    return text;
}

}  // namespace

CString FormatDurationPadded(LONGLONG ms, bool secondsOnly, bool withFraction, bool forceHours)
{
    if (ms < 100)
        return L"00:00:00.000";
    if (secondsOnly)
        return FormatDuration(ms, true, withFraction, forceHours);
    return FormatPaddedClock(ms, withFraction, forceHours);
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
