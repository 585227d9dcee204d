#include "framework/text/CWildcardFilter.h"
#include "framework/text/TextHelpers.h"
#include <wchar.h>
#include <wctype.h>
#include <vector>

namespace {

const wchar_t kRunWithoutDot = 0x1A;

wchar_t Fold(wchar_t ch, bool bCaseSensitive)
{
    return bCaseSensitive ? ch : static_cast<wchar_t>(towlower(ch));
}

// One set member's bound; '`' takes the next character literally. Null at the end of the pattern.
LPCWSTR ReadSetChar(LPCWSTR p, wchar_t& ch)
{
    if (*p == L'`')
        p++;
    if (!*p)
        return nullptr;
    ch = *p;
    return p + 1;
}

// p points after '['. Returns the pattern after the closing ']', or null when it is missing.
LPCWSTR MatchSet(LPCWSTR p, wchar_t ch, bool bCaseSensitive, bool& bInSet)
{
    bool bNegate = *p == L'!';
    if (bNegate)
        p++;
    bool bFound = false;
    wchar_t c = Fold(ch, bCaseSensitive);
    while (*p != L']') {
        wchar_t lo, hi;
        if (!(p = ReadSetChar(p, lo)))
            return nullptr;
        hi = lo;
        if (*p == L'-' && p[1] && p[1] != L']' && !(p = ReadSetChar(p + 1, hi)))
            return nullptr;
        if (c >= Fold(lo, bCaseSensitive) && c <= Fold(hi, bCaseSensitive))
            bFound = true;
    }
    bInSet = bFound != bNegate;
    return p + 1;
}

// Walks pattern and name together. The results of the backtracking points ('*' and 0x1A) are
// remembered per pattern and name position, so many stars cannot make the walk exponential.
class CMatcher {
public:
    CMatcher(LPCWSTR pszPattern, LPCWSTR pszName, bool bCaseSensitive)
        : m_pszPattern(pszPattern), m_pszName(pszName), m_nNameLength(wcslen(pszName)),
          m_bCaseSensitive(bCaseSensitive), m_memo((wcslen(pszPattern) + 1) * (m_nNameLength + 1), kUnknown)
    {
    }

    bool MatchAt(LPCWSTR p, LPCWSTR s);

private:
    enum : signed char { kUnknown = -1 };
    bool MatchRun(LPCWSTR p, LPCWSTR s);
    bool Same(wchar_t a, wchar_t b) const { return Fold(a, m_bCaseSensitive) == Fold(b, m_bCaseSensitive); }

    LPCWSTR m_pszPattern;
    LPCWSTR m_pszName;
    size_t m_nNameLength;
    bool m_bCaseSensitive;
    std::vector<signed char> m_memo;
};

// p points at '*' or 0x1A: the longest run first, down to the empty one.
bool CMatcher::MatchRun(LPCWSTR p, LPCWSTR s)
{
    signed char& known = m_memo[(p - m_pszPattern) * (m_nNameLength + 1) + (s - m_pszName)];
    if (known == kUnknown) {
        size_t nRun = *p == L'*' ? wcslen(s) : wcscspn(s, L".");
        known = 0;
        for (size_t n = nRun + 1; n-- > 0 && !known;)
            known = MatchAt(p + 1, s + n) ? 1 : 0;
    }
    return known == 1;
}

bool CMatcher::MatchAt(LPCWSTR p, LPCWSTR s)
{
    for (;;) {
        switch (*p) {
        case 0:
            return *s == 0;
        case L'*':
        case kRunWithoutDot:
            return MatchRun(p, s);
        case L'!':
            return p[1] != 0 && !MatchAt(p + 1, s);
        case L'?':
            if (!*s)
                return false;
            p++;
            break;
        case L'[': {
            bool bInSet = false;
            p = MatchSet(p + 1, *s, m_bCaseSensitive, bInSet);
            if (!p || !*s || !bInSet)
                return false;
            break;
        }
        case L'`':
            if (!p[1] || !*s || !Same(p[1], *s))
                return false;
            p += 2;
            break;
        default:
            if (!*s || !Same(*p, *s))
                return false;
            p++;
            break;
        }
        s++;
    }
}

}  // namespace

bool WildcardMatch(LPCWSTR pszPattern, LPCWSTR pszName, bool bCaseSensitive)
{
    if (!pszPattern || !pszName)
        return false;
    return CMatcher(pszPattern, pszName, bCaseSensitive).MatchAt(pszPattern, pszName);
}

int CWildcardFilter::SetPatterns(LPCWSTR pszPatterns, bool bCaseSensitive)
{
    m_strPatterns = pszPatterns;
    m_bCaseSensitive = bCaseSensitive;
    m_patterns.RemoveAll();
    CString strPatterns(m_strPatterns);
    if (!bCaseSensitive)
        strPatterns.MakeLower();
    LPCWSTR pszSeparator = strPatterns.Find(L';') >= 0 ? L";" : L"|";
    SplitString(strPatterns, m_patterns, pszSeparator, true, true);
    return 0;
}

bool CWildcardFilter::Matches(LPCWSTR pszName) const
{
    if (m_strPatterns.IsEmpty())
        return false;
    if (m_strPatterns == L"*")
        return true;
    for (int i = 0; i < m_patterns.GetSize(); i++)
        if (m_patterns[i] == L"*.*" || WildcardMatch(m_patterns[i], pszName, m_bCaseSensitive))
            return true;
    return false;
}
