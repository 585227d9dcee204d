// ClipRunner.exe end to end under Wine: the real tool plays media made here by ffmpeg.exe into
// a window of this test, which receives its events and sends it commands as the player does.
#include "tests/support/ClipRunnerHarness.h"
#include "tests/support/TempFolder.h"
#include "tools/ClipRunner/RunnerStatus.h"

#include <gtest/gtest.h>
#include <cmath>
#include <memory>

using namespace runnertest;
using tooltest::MakeMedia;
using tooltest::ToolPath;

namespace {

const int64_t kClipUs = 4000000;  // the clip: 4 s of 320x240 at 25 fps, H.264 and AAC
const int64_t kSecondUs = 1000000;
const uint64_t kContext = 0x0123456789ABCDEFull;  // every byte of it must come back
const DWORD kPlayTimeoutMs = 30000;

// The test media, made once for the suite.
TempFolder* g_folder = nullptr;
std::wstring g_media;
bool g_made = false;

std::wstring Clip()
{
    return g_media + L"\\clip.mp4";
}

std::wstring Tone()
{
    return g_media + L"\\tone.wav";
}

std::wstring Still()
{
    return g_media + L"\\still.png";
}

std::wstring Garbage()
{
    return g_media + L"\\garbage.mp4";
}

std::wstring Missing()
{
    return g_media + L"\\missing.mp4";
}

// The clip as a transport stream, which a player reads packet by packet: damage in it costs
// what it hits, not the whole file.
std::wstring StreamClip()
{
    return g_media + L"\\clip.ts";
}

std::wstring CutClip()
{
    return g_media + L"\\cut.ts";
}

std::wstring HoledClip()
{
    return g_media + L"\\holed.ts";
}

// The stream clip cut off in the middle, and with 5000 bytes zeroed a third of the way in.
bool MakeDamagedClips()
{
    std::string bytes = tooltest::ReadFileBytes(StreamClip());
    if (bytes.size() < 30000)
        return false;
    std::string holed = bytes;
    holed.replace(holed.size() / 3, 5000, 5000, '\0');
    return WriteBytes(CutClip(), bytes.substr(0, bytes.size() / 2)) && WriteBytes(HoledClip(), holed);
}

class ClipRunnerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        g_folder = new TempFolder;
        // A blank and an ampersand in the folder name: the path needs its quotes.
        g_media = g_folder->Path() + L"\\media & more";
        CreateDirectoryW(g_media.c_str(), nullptr);
        g_made = MakeMedia(Clip(), tooltest::kClipH264Aac) && MakeMedia(Tone(), tooltest::kToneWav) &&
                 MakeMedia(Still(), L"-f lavfi -i testsrc=size=320x240 -frames:v 1") &&
                 MakeMedia(StreamClip(), std::wstring(tooltest::kClipH264Aac) + L" -f mpegts") && MakeDamagedClips();
        HANDLE garbage = CreateFileW(Garbage().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(garbage, "this is no media file at all\r\n", 30, &written, nullptr);
        CloseHandle(garbage);
    }
    static void TearDownTestSuite()
    {
        delete g_folder;
        g_folder = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(g_made) << "ffmpeg.exe could not make the test media"; }

    // The command line as the player's runner writes it, with extra options after the input.
    std::wstring Arguments(const std::wstring& path, const std::wstring& extra = L"",
                           const std::wstring& ending = L"-autoexit", uint64_t context = kContext) const
    {
        return ending + L" -infbuf -framedrop -video_driver windows -audio_driver winmm -i \"" + path + L"\" " +
               extra + L" -wave_effect 0 -wave_block_size 0 -owner_window " +
               std::to_wstring(reinterpret_cast<uintptr_t>(m_owner.Handle())) + L" -callback_context " +
               std::to_wstring(static_cast<int64_t>(context));
    }

    std::unique_ptr<Process> Start(const std::wstring& args)
    {
        auto tool = std::make_unique<Process>(ToolPath(L"ClipRunner.exe"), args);
        EXPECT_TRUE(tool->Started());
        return tool;
    }

    // Starts the clip and waits until it plays; the last event's status is the tool's view.
    std::unique_ptr<Process> StartPlaying(const std::wstring& args)
    {
        auto tool = Start(args);
        EXPECT_TRUE(m_owner.WaitFor(PLAYER_EVENT_PLAYING, kPlayTimeoutMs));
        return tool;
    }

    const PlayerStatus& Latest() const { return m_owner.events.back().status; }

    // The position of the next progress report.
    int64_t NextPosition()
    {
        int count = m_owner.Count(PLAYER_EVENT_PROGRESS);
        EXPECT_TRUE(m_owner.WaitFor(PLAYER_EVENT_PROGRESS, 5000, count + 1));
        return m_owner.Last(PLAYER_EVENT_PROGRESS)->status.PositionInUs;
    }

    // The first reported position past the given one, or the last one when none comes within
    // a limit that a loaded machine keeps easily.
    int64_t PositionPassing(int64_t us)
    {
        int64_t position = NextPosition();
        for (DWORD start = GetTickCount(); position <= us && GetTickCount() - start < 15000;)
            position = NextPosition();
        return position;
    }

    OwnerWindow m_owner{320, 240};
};

// Set for the run of this suite in the prefix that has a sound device.
bool SoundDeviceExpected()
{
    return GetEnvironmentVariableW(L"KAVRI_EXPECT_SOUND", nullptr, 0) > 0;
}

TEST_F(ClipRunnerTest, WithoutArgumentsExitsAtOnce)
{
    auto tool = Start(L"");
    ASSERT_TRUE(tool->WaitForExit(10000));
    EXPECT_EQ(0u, tool->ExitCode());
    EXPECT_TRUE(m_owner.events.empty());
}

TEST_F(ClipRunnerTest, PlaysToTheEndReportingEventsInOrderWithTheStatusFilled)
{
    // Options it does not know, with or without a value, are passed over.
    auto tool = Start(Arguments(Clip(), L"-nosuch_option 12 -nosuch_flag"));
    ASSERT_TRUE(m_owner.WaitFor(PLAYER_EVENT_PLAYING, kPlayTimeoutMs));
    HWND toolWindow = reinterpret_cast<HWND>(static_cast<uintptr_t>(Latest().ToolWindow));
    EXPECT_EQ(m_owner.Handle(), GetParent(toolWindow)) << "the video window is a child of the owner";
    EXPECT_TRUE(GetWindowLongW(toolWindow, GWL_STYLE) & WS_CHILD);
    ASSERT_TRUE(tool->WaitForExit(kPlayTimeoutMs));
    EXPECT_EQ(0u, tool->ExitCode());

    std::vector<int32_t> expected = {PLAYER_EVENT_STARTED, PLAYER_EVENT_MEDIA_OPENED, PLAYER_EVENT_PLAYING,
                                     PLAYER_EVENT_END_OF_MEDIA, PLAYER_EVENT_FINISHED};
    EXPECT_EQ(expected, m_owner.CodesWithoutProgress());
    EXPECT_EQ(1, m_owner.Last(PLAYER_EVENT_MEDIA_OPENED)->flag);
    EXPECT_EQ(PLAYER_EVENT_FINISHED, m_owner.events.back().code) << "nothing comes after finished";
    EXPECT_EQ(0, m_owner.malformed);

    int64_t lastPosition = -1;
    DWORD lastTick = 0;
    int lateGaps = 0;
    for (const ReceivedEvent& event : m_owner.events) {
        SCOPED_TRACE("event " + std::to_string(event.code));
        const PlayerStatus& status = event.status;
        EXPECT_EQ(kContext, event.context);
        EXPECT_EQ(kContext, status.OwnerObject);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(m_owner.Handle()), status.OwnerWindow);
        EXPECT_NE(0u, status.ToolContext);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(toolWindow), status.ToolWindow);
        EXPECT_NEAR(kClipUs, status.DurationInUs, 100000);
        EXPECT_EQ(0, status.VideoStreamIndex);
        EXPECT_EQ(1, status.AudioStreamIndex);
        EXPECT_EQ(-1, status.SubtitleStreamIndex);
        EXPECT_EQ(-1, status.FourthStreamIndex);
        EXPECT_EQ(320, status.VideoWidth);
        EXPECT_EQ(240, status.VideoHeight);
        EXPECT_EQ(320, status.DisplayWidth);
        EXPECT_EQ(240, status.DisplayHeight);
        EXPECT_GE(status.PositionInUs, lastPosition) << "the position never goes back";
        lastPosition = status.PositionInUs;
        if (event.code == PLAYER_EVENT_PROGRESS && lastTick != 0) {
            // A loaded machine may delay one report; a stalled stream of reports shows as many.
            EXPECT_LE(event.tick - lastTick, 1500u) << "progress comes every 100 to 250 ms";
            lateGaps += event.tick - lastTick > 400 ? 1 : 0;
        }
        lastTick = event.tick;
    }
    EXPECT_LE(lateGaps, 3) << "progress comes every 100 to 250 ms";
    EXPECT_GE(m_owner.Count(PLAYER_EVENT_PROGRESS), 12) << "4 s of playing";
    EXPECT_NEAR(kClipUs, m_owner.Last(PLAYER_EVENT_END_OF_MEDIA)->status.PositionInUs, 200000);
    RunnerStatus runner = LoadRunnerStatus(m_owner.events.back().status);
    EXPECT_GE(runner.FramesShown + runner.FramesDropped, 95) << "100 frames in the clip";
    // A headless Wine has no sound device, and the clock plays; the suite's second run has one.
    EXPECT_EQ(SoundDeviceExpected() ? 1 : 0, runner.AudioDevice) << "the sound device is used when there is one";
}

TEST_F(ClipRunnerTest, PausesAndResumes)
{
    auto tool = StartPlaying(Arguments(Clip()));
    ASSERT_EQ(0, SendCommand(Latest(), PLAYER_CMD_TOGGLE_PAUSE));
    ASSERT_TRUE(m_owner.WaitFor(PLAYER_EVENT_PAUSE_CHANGED, 5000));
    EXPECT_EQ(1, m_owner.Last(PLAYER_EVENT_PAUSE_CHANGED)->flag);
    EXPECT_EQ(1, LoadRunnerStatus(Latest()).Paused);
    int64_t pausedAt = NextPosition();
    PumpFor(600);
    EXPECT_EQ(pausedAt, NextPosition()) << "the position holds while paused";

    ASSERT_EQ(0, SendCommand(Latest(), PLAYER_CMD_TOGGLE_PAUSE));
    ASSERT_TRUE(m_owner.WaitFor(PLAYER_EVENT_PAUSE_CHANGED, 5000, 2));
    EXPECT_EQ(0, m_owner.Last(PLAYER_EVENT_PAUSE_CHANGED)->flag);
    EXPECT_GT(PositionPassing(pausedAt + 300000), pausedAt + 300000) << "and moves on after the resume";
    ASSERT_TRUE(tool->WaitForExit(kPlayTimeoutMs));
    EXPECT_EQ(PLAYER_EVENT_FINISHED, m_owner.events.back().code);
}

const int64_t kToTheEnd = -1;

struct SeekCase {
    const char* name;
    int64_t firstUs;       // an absolute seek made first, while paused
    int64_t argumentUs;
    int64_t mode;          // 0 absolute, 1 relative
    int64_t expectedUs;    // or kToTheEnd: the media's duration, and its end
};

class ClipRunnerSeekTest : public ClipRunnerTest, public ::testing::WithParamInterface<SeekCase> {};

// Seeks while paused, so that the position the tool reports is exactly where it went.
TEST_P(ClipRunnerSeekTest, LandsWhereAskedWithinTheMedia)
{
    const SeekCase& c = GetParam();
    auto tool = StartPlaying(Arguments(Clip()));
    ASSERT_EQ(0, SendCommand(Latest(), PLAYER_CMD_TOGGLE_PAUSE));
    ASSERT_EQ(0, SendCommand(Latest(), PLAYER_CMD_SEEK, c.firstUs, 0));
    PumpFor(300);
    ASSERT_EQ(0, SendCommand(Latest(), PLAYER_CMD_SEEK, c.argumentUs, c.mode));
    PumpFor(300);
    int64_t expectedUs = c.expectedUs == kToTheEnd ? Latest().DurationInUs : c.expectedUs;
    EXPECT_EQ(expectedUs, NextPosition());
    int shown = LoadRunnerStatus(Latest()).FramesShown;
    ASSERT_EQ(0, SendCommand(Latest(), PLAYER_CMD_TOGGLE_PAUSE));
    if (c.expectedUs == kToTheEnd) {
        ASSERT_TRUE(m_owner.WaitFor(PLAYER_EVENT_END_OF_MEDIA, 10000));
        EXPECT_EQ(expectedUs, m_owner.Last(PLAYER_EVENT_END_OF_MEDIA)->status.PositionInUs);
        ASSERT_TRUE(tool->WaitForExit(3000));
        return;
    }
    EXPECT_GT(PositionPassing(c.expectedUs + 200000), c.expectedUs + 200000) << "plays on from there";
    EXPECT_GT(LoadRunnerStatus(Latest()).FramesShown, shown);
    ASSERT_TRUE(tool->WaitForExit(kPlayTimeoutMs));
    EXPECT_EQ(1, m_owner.Count(PLAYER_EVENT_END_OF_MEDIA));
}

INSTANTIATE_TEST_SUITE_P(
    Seeks, ClipRunnerSeekTest,
    ::testing::Values(SeekCase{"Absolute", 0, 2500000, 0, 2500000},
                      SeekCase{"RelativeForward", 1000000, 1500000, 1, 2500000},
                      SeekCase{"RelativeBack", 3000000, -2000000, 1, 1000000},
                      SeekCase{"ClampedAtTheStart", 1000000, -5000000, 1, 0},
                      SeekCase{"NegativeAbsolute", 1000000, -1, 0, 0},
                      SeekCase{"ClampedAtTheEnd", 0, 99000000, 0, kToTheEnd}),
    [](const ::testing::TestParamInfo<SeekCase>& info) { return std::string(info.param.name); });

TEST_F(ClipRunnerTest, MuteAndVolumeFromTheCommandLineAndByCommand)
{
    auto tool = StartPlaying(Arguments(Clip(), L"-mute -volume 40"));
    EXPECT_EQ(1, LoadRunnerStatus(Latest()).Mute);
    EXPECT_EQ(40, LoadRunnerStatus(Latest()).Volume);

    struct Step {
        int32_t command;
        int64_t argument;
        int32_t mute, volume;
    } steps[] = {{PLAYER_CMD_MUTE, 0, 0, 40},   {PLAYER_CMD_VOLUME, 73, 0, 73}, {PLAYER_CMD_VOLUME, 150, 0, 100},
                 {PLAYER_CMD_VOLUME, -5, 0, 0}, {PLAYER_CMD_MUTE, 1, 1, 0}};
    for (const Step& step : steps) {
        SCOPED_TRACE("command " + std::to_string(step.command) + " with " + std::to_string(step.argument));
        ASSERT_EQ(0, SendCommand(Latest(), step.command, step.argument));
        NextPosition();
        EXPECT_EQ(step.mute, LoadRunnerStatus(Latest()).Mute);
        EXPECT_EQ(step.volume, LoadRunnerStatus(Latest()).Volume);
    }
}

TEST_F(ClipRunnerTest, RefusesBlocksThatAreNoCommandOfThisRun)
{
    auto tool = StartPlaying(Arguments(Clip(), L"", L"-exit_delay 60000"));
    const PlayerStatus status = Latest();
    PlayerCommandBlock block = {};
    block.ToolContext = status.ToolContext;
    block.Command = PLAYER_CMD_STOP;
    PlayerCommandBlock otherContext = block;
    otherContext.ToolContext ^= 1;
    std::vector<char> longer(sizeof(block) + 1);
    memcpy(longer.data(), &block, sizeof(block));

    EXPECT_EQ(-1, SendCommand(status, 77)) << "an unknown code";
    EXPECT_EQ(-1, SendCommand(status, PLAYER_CMD_SEEK, 0, 2)) << "an unknown seek mode";
    EXPECT_EQ(-1, SendBlock(status.ToolWindow, PLAYER_MSG_COMMAND, &otherContext, sizeof(block))) << "context";
    EXPECT_EQ(-1, SendBlock(status.ToolWindow, PLAYER_MSG_COMMAND, &block, sizeof(block) - 1)) << "short";
    EXPECT_EQ(-1, SendBlock(status.ToolWindow, PLAYER_MSG_COMMAND, longer.data(), sizeof(block) + 1)) << "long";
    EXPECT_EQ(-1, SendBlock(status.ToolWindow, PLAYER_MSG_EVENT, &block, sizeof(block))) << "another code";
    EXPECT_EQ(-1, SendBlock(status.ToolWindow, PLAYER_MSG_COMMAND, nullptr, 0)) << "empty";

    PumpFor(500);
    EXPECT_TRUE(tool->Running()) << "none of them was taken for the stop it carries";
    EXPECT_EQ(0, m_owner.Count(PLAYER_EVENT_STOPPING));
    ASSERT_EQ(0, SendCommand(status, PLAYER_CMD_STOP));
    EXPECT_TRUE(tool->WaitForExit(3000));
}

struct StopCase {
    const char* name;
    int32_t replyStopOn;   // the owner answers 20 from this event on; 0: a stop command instead
};

class ClipRunnerStopTest : public ClipRunnerTest, public ::testing::WithParamInterface<StopCase> {};

TEST_P(ClipRunnerStopTest, EndsWellWithinThreeSeconds)
{
    m_owner.stopOn = GetParam().replyStopOn;
    auto tool = Start(Arguments(Clip()));
    if (GetParam().replyStopOn == 0) {
        ASSERT_TRUE(m_owner.WaitFor(PLAYER_EVENT_PLAYING, kPlayTimeoutMs));
        ASSERT_EQ(0, SendCommand(Latest(), PLAYER_CMD_STOP));
    } else {
        ASSERT_TRUE(m_owner.WaitFor(GetParam().replyStopOn, kPlayTimeoutMs));
    }
    // Nothing kills it here: exit code 0 says it ended by itself.
    ASSERT_TRUE(tool->WaitForExit(kPlayTimeoutMs));
    EXPECT_EQ(0u, tool->ExitCode());
    std::vector<int32_t> codes = m_owner.CodesWithoutProgress();
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(PLAYER_EVENT_STOPPING, codes[codes.size() - 2]);
    EXPECT_EQ(PLAYER_EVENT_FINISHED, codes.back());
    EXPECT_EQ(0, m_owner.Count(PLAYER_EVENT_END_OF_MEDIA));
    EXPECT_LT(m_owner.events.back().status.PositionInUs, kClipUs - kSecondUs);
}

INSTANTIATE_TEST_SUITE_P(Stops, ClipRunnerStopTest,
                         ::testing::Values(StopCase{"ByCommand", 0}, StopCase{"ByReplyToStarted", PLAYER_EVENT_STARTED},
                                           StopCase{"ByReplyToProgress", PLAYER_EVENT_PROGRESS}),
                         [](const ::testing::TestParamInfo<StopCase>& info) { return std::string(info.param.name); });

TEST_F(ClipRunnerTest, InHangModeKeepsRunningAfterAStopUntilKilled)
{
    ScopedEnvironment mode(L"KAVRI_TOOL_MODE", L"hang");
    m_owner.stopOn = PLAYER_EVENT_PLAYING;
    auto tool = StartPlaying(Arguments(Clip()));
    ASSERT_EQ(0, SendCommand(Latest(), PLAYER_CMD_STOP));
    int progress = m_owner.Count(PLAYER_EVENT_PROGRESS);
    PumpFor(2000);
    EXPECT_TRUE(m_owner.WaitFor(PLAYER_EVENT_PROGRESS, 15000, progress + 6)) << "it plays on";
    EXPECT_TRUE(tool->Running()) << "neither the command nor the replies of 20 stopped it";
    EXPECT_EQ(0, m_owner.Count(PLAYER_EVENT_STOPPING));
    tool->Kill();
    EXPECT_TRUE(tool->WaitForExit(3000));
}

TEST_F(ClipRunnerTest, EndsWhenTheOwnerWindowCloses)
{
    auto tool = StartPlaying(Arguments(Clip(), L"", L"-exit_delay 60000"));
    m_owner.Destroy();
    ASSERT_TRUE(tool->WaitForExit(kPlayTimeoutMs)) << "it would have waited 60 s";
    EXPECT_EQ(0, m_owner.Count(PLAYER_EVENT_END_OF_MEDIA));
}

struct UnplayableCase {
    const char* name;
    std::wstring (*path)();
    const wchar_t* mode;
};

class ClipRunnerUnplayableTest : public ClipRunnerTest, public ::testing::WithParamInterface<UnplayableCase> {};

// Nothing reports that it started, so the player never takes the run for a finished item.
TEST_P(ClipRunnerUnplayableTest, ExitsWithOneReportingNothing)
{
    ScopedEnvironment mode(L"KAVRI_TOOL_MODE", GetParam().mode);
    auto tool = Start(Arguments(GetParam().path()));
    ASSERT_TRUE(tool->WaitForExit(10000));
    EXPECT_EQ(1u, tool->ExitCode());
    EXPECT_TRUE(m_owner.events.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Unplayable, ClipRunnerUnplayableTest,
    ::testing::Values(UnplayableCase{"NoMediaFile", Garbage, nullptr}, UnplayableCase{"MissingFile", Missing, nullptr},
                      UnplayableCase{"FailMode", Clip, L"fail"}),
    [](const ::testing::TestParamInfo<UnplayableCase>& info) { return std::string(info.param.name); });

struct DamagedCase {
    const char* name;
    std::wstring (*path)();
    int64_t minEndUs, maxEndUs;  // where the end of the media is reported
    int minReached;              // of the 100 frames, shown or dropped
};

class ClipRunnerDamagedTest : public ClipRunnerTest, public ::testing::WithParamInterface<DamagedCase> {};

// A damaged file plays what it holds and ends as any other: no hang, no crash.
TEST_P(ClipRunnerDamagedTest, PlaysWhatItHoldsAndEnds)
{
    const DamagedCase& c = GetParam();
    auto tool = Start(Arguments(c.path()));
    ASSERT_TRUE(tool->WaitForExit(kPlayTimeoutMs));
    EXPECT_EQ(0u, tool->ExitCode());
    ASSERT_TRUE(m_owner.Last(PLAYER_EVENT_END_OF_MEDIA));
    int64_t endUs = m_owner.Last(PLAYER_EVENT_END_OF_MEDIA)->status.PositionInUs;
    EXPECT_GE(endUs, c.minEndUs);
    EXPECT_LE(endUs, c.maxEndUs);
    EXPECT_EQ(PLAYER_EVENT_FINISHED, m_owner.events.back().code);
    // A loaded machine drops late frames: what the tool reached counts, shown or dropped.
    RunnerStatus last = LoadRunnerStatus(m_owner.events.back().status);
    EXPECT_GT(last.FramesShown, 0);
    EXPECT_GE(last.FramesShown + last.FramesDropped, c.minReached);
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, ClipRunnerDamagedTest,
    ::testing::Values(DamagedCase{"CutInTheMiddle", CutClip, kSecondUs, 3 * kSecondUs, 30},
                      DamagedCase{"ZeroedRun", HoledClip, 3 * kSecondUs, kClipUs + 200000, 70}),
    [](const ::testing::TestParamInfo<DamagedCase>& info) { return std::string(info.param.name); });

TEST_F(ClipRunnerTest, InCrashModeDiesAfterReportingItStarted)
{
    ScopedEnvironment mode(L"KAVRI_TOOL_MODE", L"crash");
    auto tool = Start(Arguments(Clip()));
    ASSERT_TRUE(tool->WaitForExit(10000));
    EXPECT_NE(0u, tool->ExitCode());
    std::vector<int32_t> expected = {PLAYER_EVENT_STARTED};
    EXPECT_EQ(expected, m_owner.CodesWithoutProgress());
}

TEST_F(ClipRunnerTest, StartsAtTheGivenPositionAndPlaysTheGivenLength)
{
    auto tool = StartPlaying(Arguments(Clip(), L"-ss 0:00:02.000 -t 0:00:01.000"));
    EXPECT_NEAR(2000000, Latest().PositionInUs, 100000);
    DWORD playing = GetTickCount();
    ASSERT_TRUE(m_owner.WaitFor(PLAYER_EVENT_END_OF_MEDIA, kPlayTimeoutMs));
    EXPECT_GE(GetTickCount() - playing, 600u) << "the one second plays at its pace";
    EXPECT_NEAR(3000000, m_owner.Last(PLAYER_EVENT_END_OF_MEDIA)->status.PositionInUs, 150000);
    EXPECT_TRUE(tool->WaitForExit(kPlayTimeoutMs));
}

struct StreamCase {
    const char* name;
    const wchar_t* options;
    int32_t video, audio;
    int32_t displayWidth, displayHeight;
};

class ClipRunnerStreamTest : public ClipRunnerTest, public ::testing::WithParamInterface<StreamCase> {};

// Streams are numbered from 1 on the command line; chains decide the shown size.
TEST_P(ClipRunnerStreamTest, ReportsTheStreamsAndTheDisplaySize)
{
    const StreamCase& c = GetParam();
    auto tool = StartPlaying(Arguments(Clip(), c.options, L"-exit_delay 60000"));
    const PlayerStatus& status = Latest();
    EXPECT_EQ(c.video, status.VideoStreamIndex);
    EXPECT_EQ(c.audio, status.AudioStreamIndex);
    EXPECT_EQ(c.displayWidth, status.DisplayWidth);
    EXPECT_EQ(c.displayHeight, status.DisplayHeight);
    EXPECT_GT(PositionPassing(300000), 300000) << "it plays";
    EXPECT_EQ(c.video >= 0, LoadRunnerStatus(Latest()).FramesShown > 0);
    ASSERT_EQ(0, SendCommand(Latest(), PLAYER_CMD_STOP));
    EXPECT_TRUE(tool->WaitForExit(3000));
}

INSTANTIATE_TEST_SUITE_P(
    Streams, ClipRunnerStreamTest,
    ::testing::Values(StreamCase{"Chosen", L"-vst 1 -ast 2", 0, 1, 320, 240},
                      StreamCase{"WrongKindFallsBack", L"-vst 2 -ast 1", 0, 1, 320, 240},
                      StreamCase{"NoVideo", L"-vn", -1, 1, 0, 0},
                      StreamCase{"NoAudio", L"-an -sn", 0, -1, 320, 240},
                      StreamCase{"Rotated", L"-vf \"transpose=1\"", 0, 1, 240, 320},
                      StreamCase{"WidePixels", L"-vf \"setsar=2\"", 0, 1, 640, 240},
                      StreamCase{"PictureChain", L"-vf \"transpose=2,transpose=2,hflip,vflip,negate,hue=s=0\"", 0, 1,
                                 320, 240},
                      StreamCase{"BrokenChainLeftOut", L"-vf \"nosuchfilter=1\" -af \"nosuchfilter\"", 0, 1, 320,
                                 240}),
    [](const ::testing::TestParamInfo<StreamCase>& info) { return std::string(info.param.name); });

struct SpeedCase {
    const char* name;
    const wchar_t* testSpeed;  // KAVRI_TOOL_SPEED, or null
    const wchar_t* options;
    double seconds;            // how long the clip plays
};

class ClipRunnerSpeedTest : public ClipRunnerTest, public ::testing::WithParamInterface<SpeedCase> {};

// The position stays in media time whatever the speed, so a restart lands where the
// playback was.
TEST_P(ClipRunnerSpeedTest, PlaysTheWholeClipInItsTime)
{
    const SpeedCase& c = GetParam();
    ScopedEnvironment speed(L"KAVRI_TOOL_SPEED", c.testSpeed);
    auto tool = StartPlaying(Arguments(Clip(), c.options));
    DWORD playing = GetTickCount();
    ASSERT_TRUE(m_owner.WaitFor(PLAYER_EVENT_END_OF_MEDIA, kPlayTimeoutMs));
    // Never faster than its time; a loaded machine only ever makes it later.
    EXPECT_GE(GetTickCount() - playing + 500, c.seconds * 1000);
    EXPECT_NEAR(kClipUs, m_owner.Last(PLAYER_EVENT_END_OF_MEDIA)->status.PositionInUs, 250000);
    for (const ReceivedEvent& event : m_owner.events) {
        DWORD since = event.tick - playing;
        if (event.code == PLAYER_EVENT_PROGRESS && since > 300 && since < 1000 * c.seconds) {
            // A clock at the wrong speed drifts by whole seconds. Events reach the owner late on
            // a loaded machine, and a sound device's position starts behind: the position may
            // lag the owner's clock by more than it may lead it.
            double expectedUs = since * 1000.0 * kClipUs / 1e6 / c.seconds;
            EXPECT_LE(event.status.PositionInUs, expectedUs + 600000) << "at " << since << " ms";
            EXPECT_GE(event.status.PositionInUs, expectedUs - 1500000) << "at " << since << " ms";
        }
    }
    EXPECT_TRUE(tool->WaitForExit(kPlayTimeoutMs));
}

INSTANTIATE_TEST_SUITE_P(
    Speeds, ClipRunnerSpeedTest,
    ::testing::Values(SpeedCase{"Normal", nullptr, L"", 4},
                      SpeedCase{"TestModeFourTimes", L"4", L"", 1},
                      SpeedCase{"DoubleSpeedChains", nullptr, L"-vf \"setpts=0.500000*PTS\" -af \"atempo=2.000000\"", 2},
                      SpeedCase{"HalfSpeedChains", L"4", L"-vf \"setpts=2.000000*PTS\" -af \"atempo=0.500000\"", 2}),
    [](const ::testing::TestParamInfo<SpeedCase>& info) { return std::string(info.param.name); });

TEST_F(ClipRunnerTest, PlaysSoundOnlyMediaToTheEnd)
{
    auto tool = StartPlaying(Arguments(Tone()));
    EXPECT_EQ(-1, Latest().VideoStreamIndex);
    EXPECT_EQ(0, Latest().AudioStreamIndex);
    EXPECT_EQ(0, Latest().DisplayWidth);
    EXPECT_NEAR(2000000, Latest().DurationInUs, 50000);
    ASSERT_TRUE(tool->WaitForExit(kPlayTimeoutMs));
    EXPECT_NEAR(2000000, m_owner.Last(PLAYER_EVENT_END_OF_MEDIA)->status.PositionInUs, 100000);
    EXPECT_EQ(PLAYER_EVENT_FINISHED, m_owner.events.back().code);
}

TEST_F(ClipRunnerTest, ShowsAStillImageForTheExitDelay)
{
    auto tool = Start(Arguments(Still(), L"", L"-exit_delay 1500"));
    ASSERT_TRUE(m_owner.WaitFor(PLAYER_EVENT_END_OF_MEDIA, kPlayTimeoutMs));
    DWORD ended = m_owner.Last(PLAYER_EVENT_END_OF_MEDIA)->tick;
    ASSERT_TRUE(tool->WaitForExit(10000));
    // The delay is kept; a loaded machine may add to it, never take from it.
    int shown = static_cast<int>(m_owner.events.back().tick - ended);
    EXPECT_GE(shown, 1400);
    EXPECT_LE(shown, 10000);
    std::vector<int32_t> expected = {PLAYER_EVENT_STARTED, PLAYER_EVENT_MEDIA_OPENED, PLAYER_EVENT_PLAYING,
                                     PLAYER_EVENT_END_OF_MEDIA, PLAYER_EVENT_FINISHED};
    EXPECT_EQ(expected, m_owner.CodesWithoutProgress());
    EXPECT_EQ(1, LoadRunnerStatus(m_owner.events.back().status).FramesShown);
    EXPECT_EQ(320, m_owner.events.back().status.DisplayWidth);
}

}  // namespace
