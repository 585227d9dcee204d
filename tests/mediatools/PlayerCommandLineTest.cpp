// The playback tool's command line: every option of a run, in its order, as golden strings.
#include "mediatools/CPlayerRunner.h"
#include "mediatools/MediaToolLocation.h"
#include "tests/mediatools/RunnerArguments.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

const wchar_t kTool[] = L"C:\\Program Files\\Kavri\\Components\\ClipRunner.exe";
const wchar_t kMedia[] = L"C:\\My Media\\clip.mp4";

class PlayerCommandLine : public testing::Test {
protected:
    void SetUp() override
    {
        m_savedPath = ClipRunnerPath;
        m_savedGeneration = MediaToolGeneration;
        ClipRunnerPath = kTool;
        MediaToolGeneration = 5;
    }
    void TearDown() override
    {
        ClipRunnerPath = m_savedPath;
        MediaToolGeneration = m_savedGeneration;
    }

    // The arguments between the quoted tool path and "-callback_context".
    static CString Arguments(CPlayerRunner& runner, CPlayParams& params)
    {
        CString strLine;
        EXPECT_EQ(0, runner.BuildArguments(strLine, params));
        return RunnerArguments(strLine, kTool, &runner);
    }

    CString m_savedPath;
    int m_savedGeneration = 0;
};

struct Case {
    const char* name;
    std::function<void(CPlayerRunner&, CPlayParams&)> setup;
    const wchar_t* expected;
};

TEST_F(PlayerCommandLine, Golden)
{
    const Case cases[] = {
        {"defaults with a path", [](CPlayerRunner&, CPlayParams& p) { p.Path = kMedia; },
         L"-autoexit -infbuf -framedrop -video_driver windows -audio_driver winmm -i \"C:\\My Media\\clip.mp4\" "
         L"-wave_effect 0 -wave_block_size 0"},
        {"no path, no input",
         [](CPlayerRunner&, CPlayParams&) {},
         L"-autoexit -infbuf -framedrop -video_driver windows -audio_driver winmm -wave_effect 0 -wave_block_size 0"},
        {"runner settings",
         [](CPlayerRunner& r, CPlayParams&) {
             r.m_nExitDelay = 5000;
             r.m_nThreads = 4;
             r.m_bInputBuffer = 0;
             r.m_bFrameDrop = 0;
             r.m_bSeekToAny = 1;
             r.m_strVideoDriver.Empty();
         },
         L"-exit_delay 5000 -threads 4 -seek2any 1 -audio_driver winmm -wave_effect 0 -wave_block_size 0"},
        {"start and length",
         [](CPlayerRunner&, CPlayParams& p) {
             p.StartPosition = 83456;
             p.PlayLength = 3600000;
         },
         L"-autoexit -infbuf -framedrop -video_driver windows -audio_driver winmm -ss 0:01:23.456 -t 1:00:00.000 "
         L"-wave_effect 0 -wave_block_size 0"},
        {"times below 100 ms are left out",
         [](CPlayerRunner&, CPlayParams& p) {
             p.StartPosition = 99;
             p.PlayLength = 50;
         },
         L"-autoexit -infbuf -framedrop -video_driver windows -audio_driver winmm -wave_effect 0 -wave_block_size 0"},
        {"stream numbers and off",
         [](CPlayerRunner&, CPlayParams& p) {
             p.VideoStream = 1;
             p.AudioStream = -2;
             p.SubtitleStream = 3;
             p.SyncSource = L"audio";
         },
         L"-autoexit -infbuf -framedrop -video_driver windows -audio_driver winmm -vst 1 -an -sst 3 -sync audio "
         L"-wave_effect 0 -wave_block_size 0"},
        {"video off, default audio, subtitles off",
         [](CPlayerRunner&, CPlayParams& p) {
             p.VideoStream = -2;
             p.SubtitleStream = -2;
         },
         L"-autoexit -infbuf -framedrop -video_driver windows -audio_driver winmm -vn -sn "
         L"-wave_effect 0 -wave_block_size 0"},
        {"rotation 180 with horizontal flip",
         [](CPlayerRunner&, CPlayParams& p) {
             p.Rotation = 180;
             p.HFlip = 1;
         },
         L"-autoexit -infbuf -framedrop -video_driver windows -audio_driver winmm "
         L"-vf \"transpose=2,transpose=2,hflip\" -wave_effect 0 -wave_block_size 0"},
        {"the whole video chain in order",
         [](CPlayerRunner&, CPlayParams& p) {
             p.PtsFactor = 50;
             p.Rotation = 90;
             p.HFlip = p.VFlip = p.Negate = p.Grayscale = p.OldPhoto = 1;
         },
         L"-autoexit -infbuf -framedrop -video_driver windows -audio_driver winmm "
         L"-vf \"setpts=0.500000*PTS,transpose=1,hflip,vflip,negate,hue=s=0,"
         L"colorchannelmixer=.393:.769:.189:0:.349:.686:.168:0:.272:.534:.131\" -wave_effect 0 -wave_block_size 0"},
        {"rotation 270, and another angle adds nothing",
         [](CPlayerRunner&, CPlayParams& p) { p.Rotation = 270; },
         L"-autoexit -infbuf -framedrop -video_driver windows -audio_driver winmm -vf \"transpose=2\" "
         L"-wave_effect 0 -wave_block_size 0"},
        {"rotation 45", [](CPlayerRunner&, CPlayParams& p) { p.Rotation = 45; },
         L"-autoexit -infbuf -framedrop -video_driver windows -audio_driver winmm -wave_effect 0 -wave_block_size 0"},
        {"mute and volume",
         [](CPlayerRunner& r, CPlayParams&) {
             r.m_bMute = 1;
             r.m_nVolume = 40;
         },
         L"-autoexit -infbuf -framedrop -video_driver windows -audio_driver winmm -mute -volume 40 "
         L"-wave_effect 0 -wave_block_size 0"},
        {"the whole audio chain in order",
         [](CPlayerRunner&, CPlayParams& p) {
             p.AudioVolumeFactor = 150;
             p.AudioTempo = 200;
             p.AudioDelay = 500;
             p.AudioTrim = 1500;
         },
         L"-autoexit -infbuf -framedrop -video_driver windows -audio_driver winmm "
         L"-af \"volume=1.500000,atempo=2.000000,adelay=500|500|500|500|500|500,atrim=1.500000\" "
         L"-wave_effect 0 -wave_block_size 0"},
        {"waveform settings",
         [](CPlayerRunner& r, CPlayParams&) {
             r.m_nWaveEffect = -1;
             r.m_nWaveBlockSize = 3;
             r.m_nWaveBlockSpace = 0;
             r.m_nWaveGradient = 1;
             r.m_nWaveColor1 = 255;
             r.m_nWaveColor3 = -1;
         },
         L"-autoexit -infbuf -framedrop -video_driver windows -audio_driver winmm -wave_block_size 3 "
         L"-wave_block_space 0 -wave_gradient 1 -wave_color_1 255 -wave_color_3 -1"},
        {"extra arguments, then the owner window",
         [](CPlayerRunner& r, CPlayParams& p) {
             p.ExtraArgs = L"-fs -an";
             r.m_status.OwnerWindow = 0x2A0046;
         },
         L"-autoexit -infbuf -framedrop -video_driver windows -audio_driver winmm -wave_effect 0 -wave_block_size 0 "
         L"-fs -an -owner_window 2752582"},
        {"every option at once, in the order of the steps",
         [](CPlayerRunner& r, CPlayParams& p) {
             r.m_nThreads = 2;
             r.m_bSeekToAny = 1;
             r.m_bMute = 1;
             r.m_nVolume = 70;
             r.m_nWaveEffect = 1;
             r.m_nWaveBlockSize = 4;
             r.m_nWaveBlockSpace = 2;
             r.m_nWaveGradient = 1;
             r.m_nWaveColor1 = 1;
             r.m_nWaveColor2 = 2;
             r.m_nWaveColor3 = 3;
             r.m_status.OwnerWindow = 0x10010;
             p.Path = kMedia;
             p.StartPosition = 1500;
             p.PlayLength = 60000;
             p.VideoStream = 2;
             p.AudioStream = 3;
             p.SubtitleStream = -2;
             p.SyncSource = L"ext";
             p.PtsFactor = 200;
             p.Rotation = 90;
             p.HFlip = 1;
             p.Grayscale = 1;
             p.AudioVolumeFactor = 50;
             p.AudioTempo = 150;
             p.AudioDelay = 250;
             p.AudioTrim = 2000;
             p.ExtraArgs = L"-loop 2";
         },
         L"-autoexit -threads 2 -infbuf -framedrop -seek2any 1 -video_driver windows -audio_driver winmm "
         L"-ss 0:00:01.500 -t 0:01:00.000 -i \"C:\\My Media\\clip.mp4\" -vst 2 -ast 3 -sn -sync ext "
         L"-vf \"setpts=2.000000*PTS,transpose=1,hflip,hue=s=0\" -mute -volume 70 "
         L"-af \"volume=0.500000,atempo=1.500000,adelay=250|250|250|250|250|250,atrim=2.000000\" "
         L"-wave_effect 1 -wave_block_size 4 -wave_block_space 2 -wave_gradient 1 -wave_color_1 1 -wave_color_2 2 "
         L"-wave_color_3 3 -loop 2 -owner_window 65552"},
        {"a path the interpreter would have split",
         [](CPlayerRunner&, CPlayParams& p) { p.Path = L"C:\\Tom&Jerry\\%TEMP%.mkv"; },
         L"-autoexit -infbuf -framedrop -video_driver windows -audio_driver winmm -i \"C:\\Tom&Jerry\\%TEMP%.mkv\" "
         L"-wave_effect 0 -wave_block_size 0"},
    };
    for (const Case& c : cases) {
        CPlayerRunner runner;
        CPlayParams params;
        c.setup(runner, params);
        EXPECT_EQ(CString(c.expected), Arguments(runner, params)) << c.name;
    }
}

TEST_F(PlayerCommandLine, DriversFollowTheCodecGeneration)
{
    const struct {
        int generation;
        const wchar_t* video;
        const wchar_t* audio;
    } cases[] = {{0, L"windows", L"winmm"}, {1, L"windib", L"dsound"}, {2, L"windib", L"dsound"},
                 {3, L"windows", L"winmm"}, {6, L"windows", L"winmm"}};
    for (const auto& c : cases) {
        MediaToolGeneration = c.generation;
        CPlayerRunner runner;
        EXPECT_EQ(CString(c.video), runner.m_strVideoDriver) << c.generation;
        EXPECT_EQ(CString(c.audio), runner.m_strAudioDriver) << c.generation;
    }
}

TEST_F(PlayerCommandLine, ConstructedRunnerAndParams)
{
    CPlayerRunner runner;
    EXPECT_EQ(-1, runner.m_status.VideoStreamIndex);
    EXPECT_EQ(-1, runner.m_status.FourthStreamIndex);
    EXPECT_EQ(0u, runner.m_status.OwnerWindow);
    EXPECT_EQ(100, runner.m_nVolume);
    CPlayParams params;
    EXPECT_EQ(-1, params.PlayLength);
    EXPECT_EQ(-1, params.AudioStream);
    EXPECT_EQ(100, params.AudioTempo);
}

}  // namespace
