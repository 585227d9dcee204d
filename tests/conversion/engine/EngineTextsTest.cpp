// Padded durations, sample-rate texts and line files.
#include "conversion/engine/EngineTexts.h"
#include "framework/text/FileHelpers.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>

namespace {

TEST(EngineTextsTest, PaddedDurations)
{
    struct Case {
        const wchar_t* name;
        LONGLONG ms;
        bool secondsOnly, withFraction, forceHours;
        const wchar_t* text;
    } cases[] = {
        {L"below 100 ms", 99, false, true, false, L"00:00:00.000"},
        {L"negative", -5000, false, false, false, L"00:00:00.000"},
        {L"minutes with fraction", 61500, false, true, false, L"01:01.500"},
        {L"hours with fraction", 3600000, false, true, false, L"01:00:00.000"},
        {L"forced hours", 61500, false, true, true, L"00:01:01.500"},
        {L"minutes", 61500, false, false, false, L"01:01"},
        {L"at least a second", 150, false, false, false, L"00:01"},
        {L"hours", 3725000, false, false, false, L"01:02:05"},
        {L"seconds with fraction", 61500, true, true, false, L"61.500"},
        {L"whole seconds", 61500, true, false, false, L"61"},
        {L"many hours", 360000000, false, false, false, L"100:00:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.text), FormatDurationPadded(c.ms, c.secondsOnly, c.withFraction, c.forceHours)) << c.name;
}

TEST(EngineTextsTest, SampleRates)
{
    EXPECT_EQ(L"44100 Hz", FormatSampleRate(44100, L"%d", true, true));
    EXPECT_EQ(L"44100", FormatSampleRate(44100, L"%d", false, true));
    EXPECT_EQ(L" 8000 Hz", FormatSampleRate(8000, L"%5d", true, false)) << "the caller's format";
    EXPECT_EQ(L"Auto", FormatSampleRate(0, L"%d", true, true));
    EXPECT_EQ(L"", FormatSampleRate(0, L"%d", true, false));
    EXPECT_EQ(L"", FormatSampleRate(-1, L"%d", true, true));
}

TEST(EngineTextsTest, LinesWrittenAsOneText)
{
    TempFolder folder;
    std::wstring path = folder / L"list.m3u";
    CStringArray lines;
    lines.Add(L"C:\\a.mp4");
    lines.Add(L"C:\\b.mp4");
    ASSERT_EQ(0, WriteTextLines(path.c_str(), lines, L""));
    CStringA bytes;
    ASSERT_EQ(0, ReadFileToString(path.c_str(), bytes));
    EXPECT_STREQ("C:\\a.mp4\r\nC:\\b.mp4\r\n", bytes);
    ASSERT_EQ(0, WriteTextLines(path.c_str(), lines, L"\n"));
    ASSERT_EQ(0, ReadFileToString(path.c_str(), bytes));
    EXPECT_STREQ("C:\\a.mp4\nC:\\b.mp4\n", bytes);
    EXPECT_EQ(-1, WriteTextLines(path.c_str(), CStringArray(), L"\r\n"));
    ASSERT_EQ(0, ReadFileToString(path.c_str(), bytes));
    EXPECT_STREQ("C:\\a.mp4\nC:\\b.mp4\n", bytes) << "a refused write leaves the old file";
}

}  // namespace
