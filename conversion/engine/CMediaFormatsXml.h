// "MediaFormats.xml": the user's stored copy of the format registry, with per category and
// format the flags, names, default choices and complete preset lists.
#pragma once
#include "conversion/engine/CMediaFormats.h"

class CMediaFormatsXml {
public:
    // Overlays the file on the registry's built-in categories and formats: 0 read, 1 ignored
    // (another version), -1 failed. A failure may leave the registry partly read; the
    // registry reads into a scratch copy for that reason.
    static int Read(LPCWSTR path, CMediaFormats& registry);
    // Writes the whole registry under a temporary name in the same folder, then moves it over
    // the old file: 0 written, -1 failed with the old file left as it was.
    static int Write(LPCWSTR path, const CMediaFormats& registry);
};
