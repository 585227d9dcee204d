// File-name patterns such as "*.mp4;*.mkv", as folder scans use them.
#pragma once
#include "classlib/CArray.h"
#include "classlib/CString.h"

// Pattern syntax: '*' any run, '?' one character, "[a-c]" / "[!a-c]" sets with ranges,
// '`' takes the next character literally, '!' matches when the rest of the pattern does not,
// and the character 0x1A any run that does not pass a '.'. Without case unless asked.
bool WildcardMatch(LPCWSTR pszPattern, LPCWSTR pszName, bool bCaseSensitive = false);

class CWildcardFilter {
public:
    // Patterns separated by ';' when the text has one, else by '|'; each is trimmed and empty
    // ones are dropped.
    int SetPatterns(LPCWSTR pszPatterns, bool bCaseSensitive);
    // False for an empty pattern text, true for "*", else true when any pattern matches; the
    // pattern "*.*" means every file, names without a dot included, as file dialogs offer it.
    bool Matches(LPCWSTR pszName) const;

private:
    CString m_strPatterns;
    bool m_bCaseSensitive = false;
    CStringArray m_patterns;
};
