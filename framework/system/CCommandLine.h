// Builds a tool's argument string and wraps it into a complete command line.
#pragma once
#include "classlib/CString.h"

// Arguments are quoted so that a program's start-up code splits them back as they were given:
// an argument with a blank or a double quote is wrapped in double quotes, inner quotes are
// escaped and backslashes before a quote doubled. A text already wrapped in double quotes is
// taken as one argument and quoted the same way; a text that begins with a single quote is
// added as it stands.
class CCommandLine {
public:
    // The separator goes between an option's name and its value.
    explicit CCommandLine(LPCWSTR pszSeparator = L" ");

    // All return 0, or -1 when nothing was added.
    int AddArg(LPCWSTR pszText);     // AppendArg, unquoted; -1 for a null text
    int AppendArg(LPCWSTR pszText);  // trimmed, after one blank; -1 when empty
    int AddQuotedArg(LPCWSTR pszText);
    int AddQuotedArgF(LPCWSTR pszFormat, ...);
    int AddOption(LPCWSTR pszName, LPCWSTR pszValue);  // both must be non-empty; the value is quoted
    int AddOptionF(LPCWSTR pszName, LPCWSTR pszValueFormat, ...);

    // The command line from the program path, the arguments and an optional output file:
    //   "prog" args   |   CMD /C ""prog" args"   |   "prog" args >"out"   |   CMD /C ""prog" args >"out""
    // Tools are started without the interpreter form; see CChildProcess for the output file.
    int Format(CString& strCommandLine, LPCWSTR pszProgram, LPCWSTR pszOutputFile, bool bUseCmd) const;

    const CString& GetArgs() const { return m_strArgs; }

private:
    CString m_strSeparator;
    CString m_strArgs;
};

// The argument as the quoting rule above writes it.
CString QuoteArgument(LPCWSTR pszText);
