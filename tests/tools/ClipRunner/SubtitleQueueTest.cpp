// The subtitles on screen at a clock time, and the clock time the queue's times put their
// latest change at, however late the window thread asks.
#include "tools/ClipRunner/SubtitleQueue.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Timed {
    const wchar_t* text;
    double from, until;
};

struct ScreenCase {
    const char* name;
    std::vector<Timed> subtitles;  // pushed in this order
    double now;
    std::wstring shown;  // the texts on screen, joined by '|'
    double since;
};

class SubtitleQueueOnScreenTest : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(SubtitleQueueOnScreenTest, ShowsWhatIsDueAndWhenItBecameDue)
{
    const int kSerial = 0;
    SubtitleQueue queue(8);
    for (const Timed& timed : GetParam().subtitles) {
        auto subtitle = std::make_shared<Subtitle>();
        subtitle->text = timed.text;
        ASSERT_TRUE(queue.Push(subtitle, timed.from, timed.until, kSerial));
    }
    SubtitlesOnScreen screen = queue.OnScreen(GetParam().now);
    std::wstring shown;
    for (const auto& subtitle : screen.shown)
        shown += (shown.empty() ? L"" : L"|") + subtitle->text;
    EXPECT_EQ(GetParam().shown, shown);
    EXPECT_DOUBLE_EQ(GetParam().since, screen.since);
}

const double kNext = SubtitleQueue::kUntilNext;

INSTANTIATE_TEST_SUITE_P(
    Cases, SubtitleQueueOnScreenTest,
    ::testing::Values(ScreenCase{"NothingYet", {{L"a", 0.5, 1.5}}, 0.2, L"", 0},
                      ScreenCase{"ShownLate", {{L"a", 0.5, 1.5}}, 0.9, L"a", 0.5},
                      ScreenCase{"GoneLate", {{L"a", 0.5, 1.5}, {L"b", 2, 3}}, 1.9, L"", 1.5},
                      ScreenCase{"BegunBeforeTheStart", {{L"a", -1.5, 1}}, 0.1, L"a", 0},
                      ScreenCase{"TwoOverlapping", {{L"a", 0.5, 2}, {L"b", 1, 3}}, 1.2, L"a|b", 1},
                      ScreenCase{"OneGoneOneShownInOneStep", {{L"a", 0.5, 1.2}, {L"b", 1, 3}}, 1.4, L"b", 1.2},
                      ScreenCase{"OpenEndedUntilTheNext", {{L"a", 0.5, kNext}, {L"b", 2, 3}}, 2.5, L"b", 2}),
    [](const ::testing::TestParamInfo<ScreenCase>& info) { return std::string(info.param.name); });

}  // namespace
