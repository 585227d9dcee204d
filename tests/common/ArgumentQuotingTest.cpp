// The quoting that every command line a tool is started with goes through, the host's
// (CCommandLine wraps with WrapInQuotes) and the tools' own: hostile arguments come back whole
// when the line is split by the rules of the child's start-up code, CommandLineToArgvW's.
#include "common/ArgumentQuoting.h"
#include <windows.h>
#include <shellapi.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> Split(const std::wstring& line)
{
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(line.c_str(), &count);
    std::vector<std::wstring> args;
    for (int i = 0; argv && i < count; ++i)
        args.push_back(argv[i]);
    LocalFree(argv);
    return args;
}

const struct {
    const char* name;
    std::wstring arg;
} kHostile[] = {
    {"plain", L"-y"},
    {"blank", L"C:\\My Files\\clip.mp4"},
    {"empty", L""},
    {"only blanks", L"  "},
    {"tab and line break", L"a\tb\nc"},
    {"inner quotes", L"say \"hi\""},
    {"lone quote", L"\""},
    {"trailing backslash", L"C:\\Out\\"},
    {"trailing backslashes in blanks", L"C:\\My Out\\\\"},
    {"backslashes before a quote", L"a\\\\\"b"},
    {"ampersand", L"C:\\Tom&Jerry.mp4"},
    {"percent names", L"%PATH%\\%TEMP%"},
    {"caret and pipe", L"a^b|c<d>e"},
    {"outside the BMP", L"C:\\\U0001F3B5 \U00020000.mp3"},
    {"filter chain", L"scale=640:-2,drawtext=text='a, b'"},
};

TEST(ArgumentQuoting, EveryArgumentComesBackWhole)
{
    // The first word of a command line follows other rules: a program name stands before.
    for (const auto& c : kHostile) {
        std::vector<std::wstring> split = Split(L"tool.exe " + QuoteArgument(c.arg));
        ASSERT_EQ(2u, split.size()) << c.name;
        EXPECT_EQ(c.arg, split[1]) << c.name;
        split = Split(L"tool.exe " + WrapInQuotes(c.arg));
        ASSERT_EQ(2u, split.size()) << c.name;
        EXPECT_EQ(c.arg, split[1]) << c.name;
    }
}

TEST(ArgumentQuoting, AllOfThemInOneLine)
{
    std::vector<std::wstring> args;
    for (const auto& c : kHostile)
        args.push_back(c.arg);
    std::vector<std::wstring> split = Split(L"tool.exe " + JoinArguments(args));
    ASSERT_FALSE(split.empty());
    split.erase(split.begin());
    EXPECT_EQ(args, split);
}

TEST(ArgumentQuoting, QuotesOnlyWhatNeedsIt)
{
    EXPECT_EQ(L"-y", QuoteArgument(L"-y"));
    EXPECT_EQ(L"C:\\Tom&Jerry.mp4", QuoteArgument(L"C:\\Tom&Jerry.mp4"));
    EXPECT_EQ(L"\"\"", QuoteArgument(L""));
    EXPECT_EQ(L"\"C:\\My Out\\\\\"", QuoteArgument(L"C:\\My Out\\"));
    EXPECT_EQ(L"a b", JoinArguments({L"a", L"b"}));
}

}  // namespace
