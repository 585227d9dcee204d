#include "framework/text/Duration.h"
#include <gtest/gtest.h>

namespace {

TEST(Duration, FormatsInEveryMode)
{
    const struct {
        const char* name;
        LONGLONG ms;
        bool seconds, withMs, forceHours;
        const wchar_t* text;
    } cases[] = {
        {"below 100 ms is empty", 99, false, true, true, L""},
        {"negative is empty", -5000, true, false, false, L""},
        {"clock at least one second", 100, false, false, false, L"0:01"},
        {"clock minutes and seconds", 83456, false, false, false, L"1:23"},
        {"clock forced hours", 83456, false, false, true, L"0:01:23"},
        {"clock with ms and hours", 3723004, false, true, false, L"1:02:03.004"},
        {"clock with ms forced hours", 83456, false, true, true, L"0:01:23.456"},
        {"clock with ms no hours", 61500, false, true, false, L"1:01.500"},
        {"clock one hour", 3600000, false, true, false, L"1:00:00.000"},
        {"clock past 596 hours", 2400LL * 3600000 + 1, false, true, false, L"2400:00:00.001"},
        {"seconds with ms", 83456, true, true, false, L"83.456"},
        {"seconds whole, at least 1", 150, true, false, false, L"1"},
        {"seconds whole truncated", 83999, true, false, false, L"83"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(FormatDuration(c.ms, c.seconds, c.withMs, c.forceHours), c.text) << c.name;
}

TEST(Duration, MicrosecondsAreTruncatedToMilliseconds)
{
    EXPECT_STREQ(FormatDurationUs(83456999, false, true, true), L"0:01:23.456");
    EXPECT_STREQ(FormatDurationUs(-1, false, true, true), L"");
    EXPECT_STREQ(FormatDurationUs(0, true, false, false), L"");
}

TEST(Duration, ParsesClockAndSecondTexts)
{
    const struct {
        const wchar_t* text;
        LONGLONG ms;
    } cases[] = {
        {L"1:02:03.004", 3723004},
        {L"90", 90000},
        {L"1:30", 90000},
        {L"2.5", 2005},  // the digits after the point are milliseconds as written
        {L" 1 : 30 ", 90000},
        {L"1::30", 90000},  // empty fields are skipped
        {L"1:2:3:4", 3723000},  // a fourth field is ignored
        {L"", 0},
        {L"   ", 0},
        {L"abc", 0},
        {L"700:00:00", 700LL * 3600000},  // no 32-bit wrap
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseDuration(c.text), c.ms) << c.text;
    EXPECT_EQ(ParseDuration(nullptr), 0);
}

TEST(Duration, ClockTextRoundTrips)
{
    for (LONGLONG ms : {100LL, 999LL, 61500LL, 3723004LL, 86399999LL})
        EXPECT_EQ(ParseDuration(FormatDuration(ms, false, true, true)), ms) << ms;
}

}  // namespace
