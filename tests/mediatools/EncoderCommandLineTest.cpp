// The encoding tool's command line, option by option in its order, as golden strings; and the
// option sets of the canned runs, read through a job that records instead of running.
#include "mediatools/CEncoderJob.h"
#include "mediatools/MediaToolLocation.h"
#include "tests/mediatools/RunnerArguments.h"
#include <gtest/gtest.h>
#include <functional>
#include <vector>

namespace {

const wchar_t kTool[] = L"C:\\Kavri\\Components\\ClipConverter.exe";

class EncoderCommandLine : public testing::Test {
protected:
    void SetUp() override
    {
        m_savedPath = ClipConverterPath;
        m_savedFdk = PreferFdkAac;
        ClipConverterPath = kTool;
        PreferFdkAac = 1;
    }
    void TearDown() override
    {
        ClipConverterPath = m_savedPath;
        PreferFdkAac = m_savedFdk;
    }

    CString m_savedPath;
    int m_savedFdk = 0;
};

// The arguments between the quoted tool path and "-callback_context", the options validated
// first as a run does.
CString Arguments(CEncoderRunner& runner, CEncoderOptions& options)
{
    options.Validate();
    CString strLine;
    EXPECT_EQ(0, runner.BuildArguments(strLine, options));
    return RunnerArguments(strLine, kTool, &runner);
}

struct Case {
    const char* name;
    std::function<void(CEncoderRunner&, CEncoderOptions&)> setup;
    const wchar_t* expected;
};

void OneInOneOut(CEncoderOptions& o)
{
    o.InputPath = L"C:\\in put.mkv";
    o.OutputPath = L"C:\\out.mp4";
    o.OutputFormat = L"mp4";
}

TEST_F(EncoderCommandLine, Golden)
{
    const Case cases[] = {
        {"one input, an output and a format", [](CEncoderRunner&, CEncoderOptions& o) { OneInOneOut(o); },
         L"-i \"C:\\in put.mkv\" -f mp4 \"C:\\out.mp4\" -y"},
        {"runner settings and the callback window",
         [](CEncoderRunner& r, CEncoderOptions& o) {
             OneInOneOut(o);
             r.m_strHardwareAccel = L"dxva2";
             r.m_nThreads = 2;
             r.m_nBufferSize = 4096;
             r.m_hCallbackWnd = reinterpret_cast<HWND>(0x10084);
             o.OptionsFlags = ENCODER_OPTION_THREADS;
         },
         L"-hwaccel dxva2 -threads 2 -bufsize 4096 -i \"C:\\in put.mkv\" -f mp4 \"C:\\out.mp4\" -y "
         L"-callback_window 65668"},
        {"threads only with the options flag",
         [](CEncoderRunner& r, CEncoderOptions& o) {
             OneInOneOut(o);
             r.m_nThreads = 2;
         },
         L"-i \"C:\\in put.mkv\" -f mp4 \"C:\\out.mp4\" -y"},
        {"first input timing and frame rate",
         [](CEncoderRunner&, CEncoderOptions& o) {
             OneInOneOut(o);
             o.InputFormat = L"mpegts";
             o.InputFrameRateNum = 30000;
             o.InputFrameRateDen = 1001;
             o.InputStart = 1500;
             o.InputDuration = 50;
             o.InputOffset = 61000;
         },
         L"-r 30000/1001 -f mpegts -ss 0:00:01.500 -itsoffset 0:01:01.000 -i \"C:\\in put.mkv\" -f mp4 "
         L"\"C:\\out.mp4\" -y"},
        {"a concat list is not safe",
         [](CEncoderRunner&, CEncoderOptions& o) {
             OneInOneOut(o);
             o.InputFormat = L"concat";
         },
         L"-f concat -safe 0 -i \"C:\\in put.mkv\" -f mp4 \"C:\\out.mp4\" -y"},
        {"three inputs map their streams",
         [](CEncoderRunner&, CEncoderOptions& o) {
             OneInOneOut(o);
             o.VideoStream = 0;
             o.Input2Path = L"C:\\a.m4a";
             o.Input2Format = L"mp4";
             o.Input2Start = 2000;
             o.Input2Duration = 3000;
             o.Input2Offset = 100;
             o.AudioStream = 1;
             o.Input3Path = L"C:\\s.srt";
             o.Input3Format = L"srt";
             o.SubtitleStream = 0;
             o.SubtitleCodec = L"mov_text";
             o.ExtraInputPath = L"C:\\logo.png";
         },
         L"-i \"C:\\in put.mkv\" -f mp4 -ss 0:00:02.000 -t 0:00:03.000 -itsoffset 0:00:00.100 -i \"C:\\a.m4a\" "
         L"-f srt -i \"C:\\s.srt\" -i \"C:\\logo.png\" -map 0:0 -map 1:1 -map 2:0 -codec:s mov_text -f mp4 "
         L"\"C:\\out.mp4\" -y"},
        {"audio alone from the second input is input 0",
         [](CEncoderRunner&, CEncoderOptions& o) {
             o.Input2Path = L"C:\\a.m4a";
             o.AudioStream = 0;
             o.Input3Path = L"C:\\s.srt";
             o.SubtitleStream = 0;
             o.OutputPath = L"C:\\o.mkv";
         },
         L"-i \"C:\\a.m4a\" -i \"C:\\s.srt\" -map 0:0 -map 1:0 \"C:\\o.mkv\" -y"},
        {"every video option in order",
         [](CEncoderRunner&, CEncoderOptions& o) {
             OneInOneOut(o);
             o.VideoCodec = L"libx264";
             o.VideoTag = L"avc1";
             o.VideoExtra = L"-x264-params keyint=50";
             o.PixelFormat = L"yuv420p";
             o.Width = 1280;
             o.Height = 720;
             o.AspectNum = 16;
             o.AspectDen = 9;
             o.FrameRateNum = 25;
             o.FrameRateDen = 1;
             o.VideoBitRate = 2000000;
             o.VideoFlags = ENCODER_FORCE_QUALITY_ZERO;
             o.VideoQuality = 5;
             o.VideoFrames = 100;
             o.VideoSync = L"cfr";
             o.VideoBitstreamFilter = L"h264_mp4toannexb";
             o.VideoProfile = L"high";
             o.VideoPresetFile = L"my preset.ffpreset";
             o.CropX = 2;
             o.CropY = 4;
             o.CropWidth = 640;
             o.CropHeight = 360;
             o.Rotation = 3;
             o.VFlip = o.HFlip = o.Grayscale = o.Negate = o.OldPhoto = 1;
             o.VideoFilter = L"scale=320:-2";
         },
         L"-i \"C:\\in put.mkv\" -codec:v libx264 -tag:v avc1 -x264-params keyint=50 -pix_fmt yuv420p -s 1280x720 "
         L"-aspect 16:9 -r 25/1 -b:v 2000000 -q:v 0 -frames:v 100 -vsync cfr -bsf:v \"h264_mp4toannexb\" "
         L"-profile:v \"high\" -pre:v \"my preset.ffpreset\" "
         L"-filter:v \"crop=640:360:2:4,transpose=2,vflip,hflip,hue=s=0,negate,"
         L"colorchannelmixer=.393:.769:.189:0:.349:.686:.168:0:.272:.534:.131\" -filter:v \"scale=320:-2\" "
         L"-f mp4 \"C:\\out.mp4\" -y"},
        {"a crop at x 0 is not written; rotation 90",
         [](CEncoderRunner&, CEncoderOptions& o) {
             OneInOneOut(o);
             o.CropX = 0;
             o.CropY = 4;
             o.CropWidth = 640;
             o.CropHeight = 360;
             o.Rotation = 90;
         },
         L"-i \"C:\\in put.mkv\" -filter:v \"transpose=1\" -f mp4 \"C:\\out.mp4\" -y"},
        {"rotation 180",
         [](CEncoderRunner&, CEncoderOptions& o) {
             OneInOneOut(o);
             o.Rotation = 2;
         },
         L"-i \"C:\\in put.mkv\" -filter:v \"transpose=2,transpose=2\" -f mp4 \"C:\\out.mp4\" -y"},
        {"video dropped writes nothing else of video",
         [](CEncoderRunner&, CEncoderOptions& o) {
             OneInOneOut(o);
             o.VideoStream = -2;
             o.VideoCodec = L"libx264";
             o.Width = 640;
             o.Height = 480;
         },
         L"-i \"C:\\in put.mkv\" -vn -f mp4 \"C:\\out.mp4\" -y"},
        {"no-video flag",
         [](CEncoderRunner&, CEncoderOptions& o) {
             OneInOneOut(o);
             o.VideoFlags = ENCODER_NO_STREAM;
             o.VideoStream = 0;
         },
         L"-i \"C:\\in put.mkv\" -vn -f mp4 \"C:\\out.mp4\" -y"},
        {"every audio option in order",
         [](CEncoderRunner&, CEncoderOptions& o) {
             OneInOneOut(o);
             o.AudioStream = 1;
             o.AudioCodec = L"libfdk_aac";
             o.AudioTag = L"mp4a";
             o.AudioExtra = L"-cutoff 18000";
             o.Channels = 2;
             o.SampleRate = 48000;
             o.AudioBitRate = 128000;
             o.Volume = 512;
             o.AudioFlags = ENCODER_FORCE_QUALITY_ZERO;
             o.AudioBitstreamFilter = L"aac_adtstoasc";
             o.AudioProfile = L"aac_low";
             o.AudioPresetFile = L"a.ffpreset";
             o.AudioVolumePercent = 150;
             o.AudioFilter = L"aresample=async=1";
         },
         L"-i \"C:\\in put.mkv\" -map 0:1 -codec:a aac -tag:a mp4a -cutoff 18000 -ac 2 -ar 48000 -b:a 128000 "
         L"-vol 512 -q:a 0 -bsf:a \"aac_adtstoasc\" -profile:a \"aac_low\" -pre:a \"a.ffpreset\" "
         L"-filter:a \"volume=1.50\" -filter:a \"aresample=async=1\" -f mp4 \"C:\\out.mp4\" -y"},
        {"volume 256 is not written",
         [](CEncoderRunner&, CEncoderOptions& o) {
             OneInOneOut(o);
             o.Volume = 256;
             o.AudioQuality = 4;
         },
         L"-i \"C:\\in put.mkv\" -q:a 4 -f mp4 \"C:\\out.mp4\" -y"},
        {"audio dropped",
         [](CEncoderRunner&, CEncoderOptions& o) {
             OneInOneOut(o);
             o.AudioFlags = ENCODER_NO_STREAM;
             o.AudioCodec = L"mp3";
         },
         L"-i \"C:\\in put.mkv\" -an -f mp4 \"C:\\out.mp4\" -y"},
        {"subtitles dropped, encoder preset",
         [](CEncoderRunner&, CEncoderOptions& o) {
             OneInOneOut(o);
             o.SubtitleFlags = ENCODER_NO_STREAM;
             o.SubtitleCodec = L"srt";
             o.Preset = L"veryfast";
         },
         L"-i \"C:\\in put.mkv\" -sn -preset veryfast -f mp4 \"C:\\out.mp4\" -y"},
        {"HLS settings in an hls output; no low latency, which its muxer lacks",
         [](CEncoderRunner&, CEncoderOptions& o) {
             o.InputPath = L"C:\\in.mp4";
             o.OutputPath = L"C:\\out\\index.m3u8";
             o.OutputFormat = L"M3U8";
             o.HlsLowLatency = 1;
             o.HlsListSize = 0;
             o.HlsSegmentPattern = L"C:\\out\\seg %03d.ts";
         },
         L"-i \"C:\\in.mp4\" -hls_list_size 0 -hls_segment_filename \"C:\\out\\seg %03d.ts\" -f hls "
         L"-strict -2 \"C:\\out\\index.m3u8\" -y"},
        {"HLS settings outside hls are not written",
         [](CEncoderRunner&, CEncoderOptions& o) {
             OneInOneOut(o);
             o.HlsListSize = 5;
             o.HlsSegmentPattern = L"seg%d.ts";
             o.GifLoop = 0;
         },
         L"-i \"C:\\in put.mkv\" -f mp4 \"C:\\out.mp4\" -y"},
        {"gif loop count",
         [](CEncoderRunner&, CEncoderOptions& o) {
             o.InputPath = L"C:\\in.mp4";
             o.OutputPath = L"C:\\out.gif";
             o.OutputFormat = L"gif";
             o.GifLoop = 0;
         },
         L"-i \"C:\\in.mp4\" -loop 0 -f gif \"C:\\out.gif\" -y"},
        {"every section at once, in the order of the steps",
         [](CEncoderRunner& r, CEncoderOptions& o) {
             r.m_strHardwareAccel = L"dxva2";
             r.m_nThreads = 4;
             r.m_nBufferSize = 8192;
             r.m_hCallbackWnd = reinterpret_cast<HWND>(0x20020);
             o.OptionsFlags = ENCODER_OPTION_THREADS;
             o.InputFrameRateNum = 30;
             o.InputFrameRateDen = 1;
             o.InputPath = L"C:\\v.mkv";
             o.InputFormat = L"matroska";
             o.InputStart = 1000;
             o.InputDuration = 5000;
             o.Input2Path = L"C:\\a.wav";
             o.Input2Format = L"wav";
             o.Input2Offset = 500;
             o.Input3Path = L"C:\\s.srt";
             o.Input3Format = L"srt";
             o.ExtraInputPath = L"C:\\logo.png";
             o.VideoStream = 0;
             o.VideoCodec = L"libx264";
             o.PixelFormat = L"yuv420p";
             o.Width = 640;
             o.Height = 360;
             o.VideoBitRate = 1000000;
             o.VideoQuality = 23;
             o.VideoSync = L"cfr";
             o.Rotation = 180;
             o.Grayscale = 1;
             o.VideoFilter = L"fade=in:0:25";
             o.AudioStream = 1;
             o.AudioCodec = L"aac";
             o.Channels = 2;
             o.SampleRate = 44100;
             o.AudioBitRate = 128000;
             o.Volume = 128;
             o.AudioVolumePercent = 80;
             o.AudioFilter = L"atempo=1.0";
             o.SubtitleStream = 0;
             o.SubtitleCodec = L"mov_text";
             o.Preset = L"fast";
             o.FilterComplex = L"[0:v][3:v]overlay";
             o.OutputExtra1 = L"-movflags +faststart";
             o.OutputFormat = L"mp4";
             o.SizeLimit = 100000000;
             o.OutputStart = 500;
             o.OutputDuration = 10000;
             o.StrictLevel = -2;
             o.OutputPath = L"C:\\out dir\\o.mp4";
         },
         L"-hwaccel dxva2 -threads 4 -bufsize 8192 -r 30/1 -f matroska -ss 0:00:01.000 -t 0:00:05.000 "
         L"-i \"C:\\v.mkv\" -f wav -itsoffset 0:00:00.500 -i \"C:\\a.wav\" -f srt -i \"C:\\s.srt\" "
         L"-i \"C:\\logo.png\" -map 0:0 -codec:v libx264 -pix_fmt yuv420p -s 640x360 -b:v 1000000 -q:v 23 "
         L"-vsync cfr -filter:v \"transpose=2,transpose=2,hue=s=0\" -filter:v \"fade=in:0:25\" -map 1:1 -codec:a aac "
         L"-ac 2 -ar 44100 -b:a 128000 -vol 128 -filter:a \"volume=0.80\" -filter:a \"atempo=1.0\" -map 2:0 "
         L"-codec:s mov_text -preset fast -filter_complex \"[0:v][3:v]overlay\" -movflags +faststart -f mp4 "
         L"-fs 100000000 -ss 0:00:00.500 -t 0:00:10.000 -strict -2 \"C:\\out dir\\o.mp4\" -y "
         L"-callback_window 131104"},
        {"every output option in order",
         [](CEncoderRunner&, CEncoderOptions& o) {
             OneInOneOut(o);
             o.OutputFormat = L"TS";
             o.FilterComplex = L"[0:v]scale=640:-2[v]";
             o.OutputExtra1 = L"-movflags +faststart";
             o.OutputExtra2 = L"-metadata title=x";
             o.Target = L"pal-dvd";
             o.Codec = L"copy";
             o.SizeLimit = 5000000000LL;
             o.OutputStart = 50;
             o.OutputDuration = 1500;
             o.StrictLevel = 1;
         },
         L"-i \"C:\\in put.mkv\" -filter_complex \"[0:v]scale=640:-2[v]\" -movflags +faststart -metadata title=x "
         L"-target pal-dvd -f mpegts -c copy -fs 5000000000 -t 0:00:01.500 -strict 1 \"C:\\out.mp4\" -y"},
    };
    for (const Case& c : cases) {
        CEncoderRunner runner;
        CEncoderOptions options;
        c.setup(runner, options);
        EXPECT_EQ(CString(c.expected), Arguments(runner, options)) << c.name;
    }
}

TEST_F(EncoderCommandLine, WritesBackForcedQualityAndAac)
{
    CEncoderRunner runner;
    CEncoderOptions options;
    options.VideoFlags = ENCODER_FORCE_QUALITY_ZERO;
    options.AudioFlags = ENCODER_FORCE_QUALITY_ZERO;
    options.AudioCodec = L"libfdk_aac";
    CString strLine;
    runner.BuildArguments(strLine, options);
    EXPECT_EQ(0, options.VideoQuality);
    EXPECT_EQ(0, options.AudioQuality);
    EXPECT_EQ(CString(L"aac"), options.AudioCodec);
}

// Records each run's arguments and answers with scripted results instead of running a tool.
class CRecordingJob : public CEncoderJob {
public:
    int RunTool(CEncoderOptions& options, const StopFlag* pStopFlag) override
    {
        lines.push_back(Arguments(*this, options));
        int nResult = results.empty() ? 0 : results.front();
        if (!results.empty())
            results.erase(results.begin());
        if (stopAfterRun)
            *stopAfterRun = 1;
        return nResult;
    }

    std::vector<CString> lines;
    std::vector<int> results;
    StopFlag* stopAfterRun = nullptr;
};

TEST_F(EncoderCommandLine, CannedRuns)
{
    const struct {
        const char* name;
        std::function<int(CEncoderJob&)> run;
        const wchar_t* expected;
    } cases[] = {
        {"frame grab at 2 s, width only",
         [](CEncoderJob& j) { return j.ExtractFrame(L"C:\\in.mp4", L"C:\\t.jpg", 2000, 160, 0, nullptr, nullptr); },
         L"-ss 0:00:02.000 -i \"C:\\in.mp4\" -frames:v 1 -an -f image2 \"C:\\t.jpg\" -y"},
        {"frame grab with a size and a format",
         [](CEncoderJob& j) { return j.ExtractFrame(L"C:\\in.mp4", L"C:\\t.png", 0, 160, 90, L"png_pipe", nullptr); },
         L"-i \"C:\\in.mp4\" -s 160x90 -frames:v 1 -an -f png_pipe \"C:\\t.png\" -y"},
        {"frames from 1 s to 1.999 s",
         [](CEncoderJob& j) {
             return j.ExtractFrames(L"C:\\in.mp4", 1000, 1999, L"C:\\f%03d.jpg", nullptr, 0, 0, nullptr);
         },
         L"-ss 0:00:01.000 -t 0:00:01.000 -i \"C:\\in.mp4\" -an -f image2 -t 0:00:01.000 \"C:\\f%03d.jpg\" -y"},
        {"frames without an end",
         [](CEncoderJob& j) {
             return j.ExtractFrames(L"C:\\in.mp4", 0, 0, L"C:\\f%03d.bmp", L"image2", 320, 240, nullptr);
         },
         L"-i \"C:\\in.mp4\" -s 320x240 -an -f image2 \"C:\\f%03d.bmp\" -y"},
        {"merge video and audio into mp4",
         [](CEncoderJob& j) {
             return j.MergeStreams(L"C:\\v.mp4", -1, L"C:\\a.m4a", -1, nullptr, -1, L"C:\\o.mp4", L"mp4", L"", L"", L"",
                                   nullptr);
         },
         L"-i \"C:\\v.mp4\" -i \"C:\\a.m4a\" -codec:v copy -codec:a aac -sn -f mp4 -strict -2 \"C:\\o.mp4\" -y"},
        {"merge with chosen streams and subtitles into mkv",
         [](CEncoderJob& j) {
             return j.MergeStreams(L"C:\\v.mkv", 0, L"C:\\a.mka", 1, L"C:\\s.srt", 0, L"C:\\o.mkv", L"matroska",
                                   L"libx264", L"", L"srt", nullptr);
         },
         L"-i \"C:\\v.mkv\" -i \"C:\\a.mka\" -i \"C:\\s.srt\" -map 0:0 -codec:v libx264 -map 1:1 -codec:a copy "
         L"-map 2:0 -codec:s srt -f matroska -strict -2 \"C:\\o.mkv\" -y"},
        {"merge without a video file",
         [](CEncoderJob& j) {
             return j.MergeStreams(L"", 0, L"C:\\a.m4a", 0, nullptr, -1, L"C:\\o.m4a", L"mp4", nullptr, L"mp3",
                                   nullptr, nullptr);
         },
         L"-i \"C:\\a.m4a\" -vn -map 0:0 -codec:a mp3 -sn -f mp4 -strict -2 \"C:\\o.m4a\" -y"},
        {"concat protocol",
         [](CEncoderJob& j) {
             CStringArray paths;
             paths.Add(L"C:\\seg 1.ts");
             paths.Add(L"C:\\seg2.ts");
             return j.ConcatFiles(paths, L"C:\\o.mp4", L"mp4", nullptr);
         },
         L"-i \"concat:C:\\seg 1.ts|C:\\seg2.ts\" -f mp4 -c copy \"C:\\o.mp4\" -y"},
        {"concat list",
         [](CEncoderJob& j) { return j.ConcatList(L"C:\\list.txt", L"C:\\o.mp4", L"mp4", nullptr); },
         L"-f concat -safe 0 -i \"C:\\list.txt\" -f mp4 -c copy \"C:\\o.mp4\" -y"},
        {"video only",
         [](CEncoderJob& j) {
             return j.ConvertVideoOnly(L"C:\\in.y4m", 25, 1, L"C:\\o.mp4", L"mp4", L"libx264", 640, 0, 1, -1, nullptr);
         },
         L"-r 25/1 -i \"C:\\in.y4m\" -codec:v libx264 -q:v 0 -an -f mp4 \"C:\\o.mp4\" -y"},
        {"video only with a quality",
         [](CEncoderJob& j) {
             return j.ConvertVideoOnly(L"C:\\in.y4m", 0, 1, L"C:\\o.mp4", L"mp4", L"", 640, 360, 1, 23, nullptr);
         },
         L"-i \"C:\\in.y4m\" -s 640x360 -q:v 23 -an -f mp4 \"C:\\o.mp4\" -y"},
        {"without audio and video",
         [](CEncoderJob& j) { return j.ConvertWithoutAudioVideo(L"C:\\in.mkv", L"C:\\o.srt", L"srt", nullptr); },
         L"-i \"C:\\in.mkv\" -vn -an -f srt \"C:\\o.srt\" -y"},
    };
    for (const auto& c : cases) {
        CRecordingJob job;
        EXPECT_EQ(0, c.run(job)) << c.name;
        ASSERT_EQ(1u, job.lines.size()) << c.name;
        EXPECT_EQ(CString(c.expected), job.lines[0]) << c.name;
    }
}

TEST_F(EncoderCommandLine, RetriesAddTheirOptionOnlyAfterAFailure)
{
    const struct {
        const char* name;
        std::function<int(CEncoderJob&, const StopFlag*)> run;
        const wchar_t* retryOption;
    } cases[] = {
        {"merge drops frames",
         [](CEncoderJob& j, const StopFlag* stop) {
             return j.MergeStreams(L"C:\\v.mp4", -1, L"C:\\a.m4a", -1, nullptr, -1, L"C:\\o.mp4", L"mp4", nullptr,
                                   nullptr, nullptr, stop);
         },
         L"-vsync drop"},
        {"concat converts ADTS",
         [](CEncoderJob& j, const StopFlag* stop) {
             CStringArray paths;
             paths.Add(L"C:\\1.ts");
             return j.ConcatFiles(paths, L"C:\\o.mp4", L"mp4", stop);
         },
         L"-bsf:a \"aac_adtstoasc\""},
        {"concat list converts ADTS",
         [](CEncoderJob& j, const StopFlag* stop) { return j.ConcatList(L"C:\\l.txt", L"C:\\o.mp4", L"mp4", stop); },
         L"-bsf:a \"aac_adtstoasc\""},
    };
    for (const auto& c : cases) {
        CRecordingJob succeeding;
        EXPECT_EQ(0, c.run(succeeding, nullptr)) << c.name;
        ASSERT_EQ(1u, succeeding.lines.size()) << c.name;
        EXPECT_LT(succeeding.lines[0].Find(c.retryOption), 0) << c.name;

        CRecordingJob failing;
        failing.results = {-1, 0};
        StopFlag nStop{0};
        EXPECT_EQ(0, c.run(failing, &nStop)) << c.name;
        ASSERT_EQ(2u, failing.lines.size()) << c.name;
        EXPECT_LT(failing.lines[0].Find(c.retryOption), 0) << c.name;
        EXPECT_GE(failing.lines[1].Find(c.retryOption), 0) << c.name;

        CRecordingJob failingTwice;
        failingTwice.results = {-1, -1};
        EXPECT_EQ(-1, c.run(failingTwice, nullptr)) << c.name;
        EXPECT_EQ(2u, failingTwice.lines.size()) << c.name;

        CRecordingJob stopped;
        stopped.results = {-1, 0};
        StopFlag nStopFlag{0};
        stopped.stopAfterRun = &nStopFlag;
        EXPECT_EQ(1, c.run(stopped, &nStopFlag)) << c.name << ": a stop after a failure ends the job";
        EXPECT_EQ(1u, stopped.lines.size()) << c.name;
    }
}

}  // namespace
