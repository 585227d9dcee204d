#include "framework/text/CWildcardFilter.h"
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(WildcardMatch, PatternSyntax)
{
    const struct {
        const wchar_t* pattern;
        const wchar_t* name;
        bool match;
    } cases[] = {
        {L"*.mp4", L"A.MP4", true},
        {L"*.mp4", L"a.avi", false},
        {L"*", L"", true},
        {L"a*b*c", L"aXbYbZc", true},
        {L"a*b", L"ab", true},
        {L"a*b", L"abc", false},
        {L"****.txt", L"x.txt", true},
        {L"?", L"", false},
        {L"??.txt", L"ab.txt", true},
        {L"[!a-c]*", L"dog", true},
        {L"[!a-c]*", L"cat", false},
        {L"[a-c]at", L"Bat", true},
        {L"[xyz]", L"y", true},
        {L"[abc", L"a", false},  // no closing bracket
        {L"[abc]", L"", false},
        {L"[`]]x", L"]x", true},
        {L"[`!a]", L"!", true},
        {L"a`*b", L"a*b", true},
        {L"a`*b", L"aXb", false},
        {L"ab`", L"ab", false},
        {L"!*.tmp", L"movie.mp4", true},
        {L"!*.tmp", L"movie.tmp", false},
        {L"!", L"anything", false},
        {L"\x1a.mp4", L"movie.mp4", true},
        {L"\x1a.mp4", L"my.movie.mp4", false},
        {L"\x1a", L"", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.match) << c.pattern << L" / " << c.name;
    EXPECT_FALSE(WildcardMatch(nullptr, L"a"));
    EXPECT_FALSE(WildcardMatch(L"*", nullptr));
}

// Plain backtracking would try every way to share 200 characters among 20 stars: years.
TEST(WildcardMatch, ManyStarsStayFast)
{
    std::wstring pattern;
    for (int i = 0; i < 20; i++)
        pattern += L"*a";
    pattern += L"*b";
    ULONGLONG nStart = GetTickCount64();
    EXPECT_FALSE(WildcardMatch(pattern.c_str(), std::wstring(200, L'a').c_str()));
    EXPECT_LT(GetTickCount64() - nStart, 10000u);
}

TEST(CWildcardFilter, SplitsPatternLists)
{
    const struct {
        const wchar_t* patterns;
        bool caseSensitive;
        const wchar_t* name;
        bool match;
    } cases[] = {
        {L"*.mp4;*.mkv", false, L"A.MP4", true},
        {L"*.mp4;*.mkv", false, L"b.mkv", true},
        {L"*.mp4;*.mkv", false, L"a.avi", false},
        {L"*.mp4|*.mkv", false, L"b.MKV", true},
        {L"*.mp4;;", false, L"x.mp4", true},
        {L"*", false, L"anything.at.all", true},
        {L"", false, L"a.mp4", false},
        {L"*.MP4", true, L"a.mp4", false},
        {L"*.MP4", true, L"a.MP4", true},
        {L"*.mp4; *.mkv ", false, L"b.mkv", true},
        {L" *.ts | *.mp4", false, L"seg1.ts", true},
        {L"*.ts|*.*", false, L"seg1", true},
        {L"*.*", false, L"README", true},
        {L"*.*;*.ts", true, L"a.b", true},
        {L"*.", false, L"README", false},
    };
    for (const auto& c : cases) {
        CWildcardFilter filter;
        EXPECT_EQ(filter.SetPatterns(c.patterns, c.caseSensitive), 0);
        EXPECT_EQ(filter.Matches(c.name), c.match) << c.patterns << L" / " << c.name;
    }
}

}  // namespace
