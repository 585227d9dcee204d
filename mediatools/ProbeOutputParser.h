// Reading the prober's JSON output into a media record.
#pragma once
#include "mediatools/CMediaInfo.h"

// Fills the record's format values and appends one stream record per element of "streams".
// 0; -1 for a malformed document, a missing "format" or no streams. Text members are UTF-8;
// a member of an unexpected kind counts as absent. Throws nothing.
int ParseProbeOutput(const char* pchJson, int nLength, CMediaInfo& info);

// A clock time [[hours:]minutes:]seconds[.fraction] in microseconds, the fraction being a
// decimal fraction of a second ("00:01:30.500000000" is 90,500,000). false when malformed.
bool ParseClockTimeUs(const char* pszText, LONGLONG& nMicroseconds);
