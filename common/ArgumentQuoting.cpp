#include "common/ArgumentQuoting.h"

std::wstring QuoteArgument(const std::wstring& arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return arg;
    return WrapInQuotes(arg);
}

std::wstring JoinArguments(const std::vector<std::wstring>& args)
{
    std::wstring line;
    for (const std::wstring& arg : args) {
        if (!line.empty())
            line += L' ';
        line += QuoteArgument(arg);
    }
    return line;
}

std::wstring WrapInQuotes(const std::wstring& arg)
{
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes are literal except before a quote, where each one needs escaping.
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}
