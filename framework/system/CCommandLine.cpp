#include "framework/system/CCommandLine.h"
#include "common/ArgumentQuoting.h"
#include <stdarg.h>

namespace {

// Wraps the text in double quotes so that the start-up code's splitting gives it back whole:
// the tools quote their own children's arguments by the same rule.
CString Quote(const CString& strText)
{
    std::wstring quoted = WrapInQuotes(std::wstring(static_cast<LPCWSTR>(strText), strText.GetLength()));
    return CString(quoted.c_str(), static_cast<int>(quoted.size()));
}

CString FormatV(LPCWSTR pszFormat, va_list args)
{
    CString str;
    str.FormatV(pszFormat, args);
    return str;
}

}  // namespace

CString QuoteArgument(LPCWSTR pszText)
{
    CString strText(pszText);
    strText.Trim();
    int nLength = strText.GetLength();
    if (nLength >= 2 && strText[0] == L'"' && strText[nLength - 1] == L'"')
        return Quote(strText.Mid(1, nLength - 2));
    if (strText[0] == L'\'')
        return strText;
    if (strText.Find(L' ') >= 0 || strText.Find(L'\t') >= 0 || strText.Find(L'"') >= 0)
        return Quote(strText);
    return strText;
}

CCommandLine::CCommandLine(LPCWSTR pszSeparator) : m_strSeparator(pszSeparator) {}

int CCommandLine::AddArg(LPCWSTR pszText)
{
    return pszText ? AppendArg(pszText) : -1;
}

int CCommandLine::AppendArg(LPCWSTR pszText)
{
    CString strText(pszText);
    strText.Trim();
    if (strText.IsEmpty())
        return -1;
    if (!m_strArgs.IsEmpty())
        m_strArgs += L' ';
    m_strArgs += strText;
    return 0;
}

int CCommandLine::AddQuotedArg(LPCWSTR pszText)
{
    return AppendArg(QuoteArgument(pszText));
}

int CCommandLine::AddQuotedArgF(LPCWSTR pszFormat, ...)
{
    if (!pszFormat)
        return -1;
    va_list args;
    va_start(args, pszFormat);
    CString strText = FormatV(pszFormat, args);
    va_end(args);
    return AddQuotedArg(strText);
}

int CCommandLine::AddOption(LPCWSTR pszName, LPCWSTR pszValue)
{
    CString strName(pszName), strValue(pszValue);
    strName.Trim();
    strValue.Trim();
    if (strName.IsEmpty() || strValue.IsEmpty())
        return -1;
    return AppendArg(strName + m_strSeparator + QuoteArgument(strValue));
}

int CCommandLine::AddOptionF(LPCWSTR pszName, LPCWSTR pszValueFormat, ...)
{
    if (!pszValueFormat)
        return -1;
    va_list args;
    va_start(args, pszValueFormat);
    CString strValue = FormatV(pszValueFormat, args);
    va_end(args);
    return AddOption(pszName, strValue);
}

int CCommandLine::Format(CString& strCommandLine, LPCWSTR pszProgram, LPCWSTR pszOutputFile, bool bUseCmd) const
{
    LPCWSTR pszArgs = m_strArgs;
    bool bOutput = pszOutputFile && *pszOutputFile;
    if (bOutput && bUseCmd)
        strCommandLine.Format(L"CMD /C \"\"%s\" %s >\"%s\"\"", pszProgram, pszArgs, pszOutputFile);
    else if (bOutput)
        strCommandLine.Format(L"\"%s\" %s >\"%s\"", pszProgram, pszArgs, pszOutputFile);
    else if (bUseCmd)
        strCommandLine.Format(L"CMD /C \"\"%s\" %s\"", pszProgram, pszArgs);
    else
        strCommandLine.Format(L"\"%s\" %s", pszProgram, pszArgs);
    return 0;
}
