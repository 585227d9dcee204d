// The words a text subtitle draws: the text field of the decoders' dialogue lines, with ASS
// override tags and drawings left out and line breaks kept.
#include "tools/ClipRunner/SubtitleText.h"

#include <gtest/gtest.h>

namespace {

struct TextCase {
    const char* name;
    const wchar_t* text;
    const wchar_t* plain;
};

class PlainSubtitleTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(PlainSubtitleTextTest, LeavesTheWordsAndTheirLines)
{
    EXPECT_EQ(GetParam().plain, PlainSubtitleText(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlainSubtitleTextTest,
    ::testing::Values(TextCase{"Plain", L"Hello there", L"Hello there"},
                      TextCase{"Tags", L"{\\i1}Hello{\\i0} {\\b1\\c&H00FF00&}there{\\r}", L"Hello there"},
                      TextCase{"HardBreak", L"first\\Nsecond", L"first\nsecond"},
                      TextCase{"SoftBreak", L"first\\nsecond", L"first\nsecond"},
                      TextCase{"HardBlank", L"a\\hb", L"a b"},
                      TextCase{"OtherBackslashKept", L"C:\\path\\", L"C:\\path\\"},
                      TextCase{"TagsOnly", L"{\\an8}{\\pos(10,20)}", L""},
                      TextCase{"EmptyLinesAtTheEndsDropped", L"\\N\\Nmiddle\\N ", L"middle"},
                      TextCase{"UnclosedBraceKept", L"a {b", L"a {b"},
                      TextCase{"BraceInsideTagEnds", L"{\\fnArial}{x}y}", L"y}"},
                      TextCase{"DrawingLeftOut", L"before{\\p1}m 0 0 l 100 0 100 100{\\p0}after", L"beforeafter"},
                      TextCase{"DrawingUntilTheEnd", L"text{\\p2}m 0 0 l 5 5", L"text"},
                      TextCase{"CarriageReturns", L"one\r\ntwo", L"one\ntwo"},
                      TextCase{"Accents", L"{\\i1}\u00e9t\u00e9\\N\u65e5\u672c", L"\u00e9t\u00e9\n\u65e5\u672c"}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

struct EventCase {
    const char* name;
    const char* event;
    const wchar_t* text;
};

class AssEventTextTest : public ::testing::TestWithParam<EventCase> {};

TEST_P(AssEventTextTest, TakesTheTextField)
{
    EXPECT_EQ(GetParam().text, AssEventText(GetParam().event));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AssEventTextTest,
    ::testing::Values(EventCase{"SubRip", "0,0,Default,,0,0,0,,{\\i1}One{\\i0}\\Ntwo", L"One\ntwo"},
                      // The text field may hold commas of its own.
                      EventCase{"CommasInText", "3,0,Default,Bob,10,10,20,,Well, yes, no", L"Well, yes, no"},
                      EventCase{"Utf8", "0,0,Default,,0,0,0,,\xc3\xa9t\xc3\xa9", L"\u00e9t\u00e9"},
                      EventCase{"TooFewFields", "0,0,Default,,0,0", L""},
                      EventCase{"EmptyText", "0,0,Default,,0,0,0,,", L""}),
    [](const ::testing::TestParamInfo<EventCase>& info) { return std::string(info.param.name); });

}  // namespace
