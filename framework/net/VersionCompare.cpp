#include "framework/net/VersionCompare.h"
#include "classlib/CArray.h"
#include "classlib/CString.h"
#include "framework/text/TextHelpers.h"
#include <stdlib.h>

namespace {

// An empty field reads -1; otherwise its leading decimal digits.
int ReadField(const CString& field)
{
    return field.IsEmpty() ? -1 : static_cast<int>(wcstol(field, nullptr, 10));
}

int CompareField(int a, int b)
{
    return a > b ? 1 : (a < b ? -1 : 0);
}

}  // namespace

int ParseVersionString(LPCWSTR pszText, VersionTriple& version)
{
    version = VersionTriple{0, 0, 0};
    CString text(pszText);
    text.Trim();
    text.Remove(L' ');
    CStringArray fields;
    if (SplitString(text, fields, L".", false, false) < 1)
        return -1;
    version.nMajor = ReadField(fields[0]);
    if (fields.GetSize() > 1)
        version.nMinor = ReadField(fields[1]);
    if (fields.GetSize() > 2)
        version.nBuild = ReadField(fields[2]);
    return 0;
}

int CompareVersions(const VersionTriple& a, const VersionTriple& b)
{
    if (int c = CompareField(a.nMajor, b.nMajor))
        return c;
    if (int c = CompareField(a.nMinor, b.nMinor))
        return c;
    return CompareField(a.nBuild, b.nBuild);
}

int CompareVersionStrings(LPCWSTR pszA, LPCWSTR pszB)
{
    VersionTriple a, b;
    ParseVersionString(pszA, a);
    ParseVersionString(pszB, b);
    return CompareVersions(a, b);
}
