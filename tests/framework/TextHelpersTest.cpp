#include "framework/text/CodePage.h"
#include "framework/text/TextHelpers.h"
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(CodePage, ConvertsBothWaysWithTheTerminatorCounted)
{
    CStringA narrow;
    EXPECT_EQ(WideToAnsi(L"abc \u00e9", narrow), 6);
    EXPECT_STREQ(narrow, "abc \xe9");
    CString wide;
    EXPECT_EQ(AnsiToWide("abc \xe9", wide), 6);
    EXPECT_STREQ(wide, L"abc \u00e9");
}

TEST(CodePage, EmptyOrNullTextClearsTheOutput)
{
    CStringA narrow("old");
    EXPECT_EQ(WideToAnsi(L"", narrow), -1);
    EXPECT_TRUE(narrow.IsEmpty());
    narrow = "old";
    EXPECT_EQ(WideToAnsi(nullptr, narrow), -1);
    EXPECT_TRUE(narrow.IsEmpty());
    CString wide(L"old");
    EXPECT_EQ(AnsiToWide(nullptr, wide), -1);
    EXPECT_TRUE(wide.IsEmpty());
}

TEST(CodePage, Utf8BothWaysWithAndWithoutALength)
{
    const struct {
        const char* name;
        const wchar_t* wide;
        const char* utf8;
    } cases[] = {
        {"ascii", L"clip.mp4", "clip.mp4"},
        {"latin", L"caf\u00e9", "caf\xc3\xa9"},
        {"outside the BMP", L"\U0001F3B5 x", "\xf0\x9f\x8e\xb5 x"},
        {"empty", L"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(WideToUtf8(c.wide), c.utf8) << c.name;
        EXPECT_STREQ(Utf8ToWide(c.utf8), c.wide) << c.name;
    }
    EXPECT_STREQ(WideToUtf8(L"abcdef", 3), "abc");
    CString withNul = Utf8ToWide("a\0b", 3);
    EXPECT_EQ(withNul.GetLength(), 3);
    EXPECT_EQ(withNul[2], L'b');
    EXPECT_STREQ(WideToUtf8(nullptr), "");
    EXPECT_STREQ(Utf8ToWide(nullptr), L"");
}

TEST(CodePage, TellsWellFormedUtf8)
{
    const struct {
        const char* name;
        std::string bytes;
        bool valid;
    } cases[] = {
        {"empty", "", true},
        {"ASCII", "C:\\clips\\a.mp4", true},
        {"two, three and four bytes", "Pr\xC3\xB8ve \xE6\x97\xA5 \xF0\x9F\x8E\xB5", true},
        {"a Latin-1 byte alone", "Pr\xF8ve", false},
        {"cut short at the end", "a\xE6\x97", false},
        {"a trail byte without a lead", "\x80", false},
        {"an overlong slash", "\xC0\xAF", false},
        {"an overlong three-byte form", "\xE0\x80\xAF", false},
        {"a surrogate", "\xED\xA0\x80", false},
        {"past U+10FFFF", "\xF4\x90\x80\x80", false},
        {"the NUL inside", std::string("a\0b", 3), true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.valid, IsValidUtf8(c.bytes.data(), static_cast<int>(c.bytes.size()))) << c.name;
}

TEST(TextHelpers, PairsChannelsAndBitrates)
{
    EXPECT_STREQ(FormatPairOrAuto(1920, 1080, L"%dx%d", true), L"1920x1080");
    EXPECT_STREQ(FormatPairOrAuto(0, 1080, L"%dx%d", true), L"Auto");
    EXPECT_STREQ(FormatPairOrAuto(16, 0, L"%d:%d", false), L"16:0");

    const struct {
        int count;
        bool bAuto;
        const wchar_t* text;
    } channels[] = {{1, false, L"Mono"}, {2, false, L"Stereo"}, {6, false, L"5.1"},
                    {0, true, L"Auto"}, {0, false, L""},      {3, true, L""}};
    for (const auto& c : channels)
        EXPECT_STREQ(FormatChannels(c.count, c.bAuto), c.text) << c.count;

    const struct {
        int bps;
        const wchar_t* format;
        bool kbps, bAuto;
        const wchar_t* text;
    } bitrates[] = {
        {128000, L"%.3f", true, false, L"128 kbps"},
        {1411200, L"%.3f", true, false, L"1411.2 kbps"},
        {500, L"%.3f", false, false, L"0.5"},
        {100000, L"%.0f", false, false, L"100"},  // no point: the zeros are the number's
        {0, L"%.3f", true, true, L"Auto"},
        {0, L"%.3f", true, false, L""},
        {-1, L"%.3f", true, true, L""},
    };
    for (const auto& c : bitrates)
        EXPECT_STREQ(FormatBitrate(c.bps, c.format, c.kbps, c.bAuto), c.text) << c.bps;
}

TEST(TextHelpers, ScansPairsInBothWidths)
{
    EXPECT_EQ(ScanIntPair(L"30000/1001", L"%d/%d"), std::make_pair(30000, 1001));
    EXPECT_EQ(ScanIntPair(L"n/a", L"%d/%d"), std::make_pair(0, 0));
    EXPECT_EQ(ScanIntPair(nullptr, L"%d/%d"), std::make_pair(0, 0));
    EXPECT_EQ(ScanIntPairA("16:9", "%d:%d"), std::make_pair(16, 9));
    EXPECT_EQ(ScanIntPairA("", "%d:%d"), std::make_pair(0, 0));
}

TEST(TextHelpers, SplitsAtEverySeparator)
{
    const struct {
        const char* name;
        const wchar_t* text;
        const wchar_t* separator;
        bool trim, skipEmpty;
        std::vector<std::wstring> parts;
    } cases[] = {
        {"keeps empty parts", L"a;b;;c", L";", false, false, {L"a", L"b", L"", L"c"}},
        {"skips empty parts", L"a;b;;c", L";", false, true, {L"a", L"b", L"c"}},
        {"no final part after a trailing separator", L"a;b;", L";", false, false, {L"a", L"b"}},
        {"leading separator gives an empty part", L";a", L";", false, false, {L"", L"a"}},
        {"trims and then skips", L" a ;  ; b", L";", true, true, {L"a", L"b"}},
        {"untrimmed blanks stay", L" a ;  ", L";", false, true, {L" a ", L"  "}},
        {"multi-character separator", L"one\r\ntwo\r\n", L"\r\n", false, false, {L"one", L"two"}},
        {"no separator in the text", L"whole", L",", false, false, {L"whole"}},
    };
    for (const auto& c : cases) {
        CStringArray arr;
        EXPECT_EQ(SplitString(c.text, arr, c.separator, c.trim, c.skipEmpty), static_cast<int>(c.parts.size()))
            << c.name;
        std::vector<std::wstring> got;
        for (int i = 0; i < arr.GetSize(); i++)
            got.push_back(static_cast<LPCWSTR>(arr[i]));
        EXPECT_EQ(got, c.parts) << c.name;
    }
}

TEST(TextHelpers, SplitAppendsAndRejectsEmptyInput)
{
    CStringArray arr;
    arr.Add(L"kept");
    EXPECT_EQ(SplitString(L"x,y", arr, L",", false, false), 3);
    EXPECT_STREQ(arr[0], L"kept");
    EXPECT_EQ(SplitString(L"", arr, L",", false, false), -1);
    EXPECT_EQ(SplitString(L"x", arr, L"", false, false), -1);
    EXPECT_EQ(arr.GetSize(), 3);
}

}  // namespace
