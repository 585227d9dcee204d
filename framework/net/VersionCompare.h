// Program versions as (major, minor, build), compared field by field as numbers.
#pragma once
#include <windows.h>

struct VersionTriple {
    int nMajor;
    int nMinor;
    int nBuild;
};

// Blanks are dropped and the text is split at '.'; a missing minor or build field reads 0, an
// empty field -1, and fields past the third are ignored. An empty text gives -1 and 0.0.0.
int ParseVersionString(LPCWSTR pszText, VersionTriple& version);

// 1 when a is newer, 0 when equal, -1 when older.
int CompareVersions(const VersionTriple& a, const VersionTriple& b);

// An unreadable text compares as 0.0.0.
int CompareVersionStrings(LPCWSTR pszA, LPCWSTR pszB);
