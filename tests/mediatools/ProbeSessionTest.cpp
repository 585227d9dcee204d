// Probing media made here by ffmpeg.exe through the real ClipInspector.exe: the records the
// prober's output gives, and damaged or missing files failing cleanly.
#include "mediatools/CProbeSession.h"
#include "mediatools/MediaToolLocation.h"
#include "tests/support/ToolTestSupport.h"
#include <gtest/gtest.h>
#include <cstdlib>

using namespace tooltest;

namespace {

class ProbeSession : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = MakeTempFolder(L"kavri probe");
        const struct {
            const wchar_t* name;
            const wchar_t* recipe;
        } media[] = {
            {L"clip \u00e9.mp4", kClipH264Aac},
            {L"clip.mkv",
             L"-f lavfi -i testsrc=duration=2:size=352x288:rate=25 -f lavfi -i sine=duration=2 -vf setsar=16/15 "
             L"-c:v libx264 -pix_fmt yuv420p -c:a libmp3lame -metadata:s:a:0 language=fre -f matroska"},
            {L"tone.wav", kToneWav},
            {L"tone.mp3", L"-f lavfi -i sine=frequency=440:duration=2 -c:a libmp3lame -f mp3"},
            {L"still.png", L"-f lavfi -i testsrc=size=64x48 -frames:v 1 -f image2"},
            {L"moving.gif", L"-f lavfi -i testsrc=duration=1:size=64x48:rate=10 -f gif"},
            // The prober gives no frame count for an animated PNG unless asked to count.
            {L"moving.apng", L"-f lavfi -i testsrc=duration=1:size=64x48:rate=10 -plays 0 -f apng"},
            {L"segment.ts", L"-f lavfi -i testsrc=duration=2:size=160x120:rate=25 -c:v libx264 -pix_fmt yuv420p -f mpegts"},
        };
        s_made = true;
        for (const auto& m : media)
            s_made = s_made && MakeMedia(s_folder + L"\\" + m.name, m.recipe);
    }
    static void TearDownTestSuite() { RemoveFolder(s_folder); }

    void SetUp() override
    {
        ASSERT_TRUE(s_made) << "test media could not be made with ffmpeg.exe";
        m_savedPath = ClipInspectorPath;
        m_savedGeneration = MediaToolGeneration;
        MediaToolGeneration = 0;
        LocateMediaTools(ToolFolder().c_str());
    }
    void TearDown() override
    {
        ClipInspectorPath = m_savedPath;
        MediaToolGeneration = m_savedGeneration;
    }

    std::wstring Media(const wchar_t* name) const { return s_folder + L"\\" + name; }

    static std::wstring s_folder;
    static bool s_made;
    CString m_savedPath;
    int m_savedGeneration = 0;
};

std::wstring ProbeSession::s_folder;
bool ProbeSession::s_made = false;

void ExpectNear(LONGLONG expected, LONGLONG actual, LONGLONG tolerance, const char* what)
{
    EXPECT_LE(std::llabs(expected - actual), tolerance) << what << ": " << actual;
}

TEST_F(ProbeSession, TheToolFolderHoldsTheCurrentGeneration)
{
    EXPECT_EQ(5, MediaToolGeneration) << "avcodec-59.dll";
    EXPECT_EQ(CString((ToolFolder() + L"\\ClipInspector.exe").c_str()), ClipInspectorPath);
}

TEST_F(ProbeSession, Mp4WithVideoAndAudio)
{
    CMediaInfo info;
    ASSERT_EQ(0, info.Probe(Media(L"clip \u00e9.mp4").c_str(), nullptr));
    EXPECT_EQ(CString(L"mp4"), info.Format) << "the family of names is narrowed by the extension";
    EXPECT_EQ(MEDIA_TYPE_VIDEO, info.MediaType);
    EXPECT_EQ(0, info.FileType);
    EXPECT_EQ(2, info.Streams);
    EXPECT_EQ(FileSize(Media(L"clip \u00e9.mp4")), info.Size);
    ExpectNear(4000000, info.DurationInUs, 100000, "duration");
    EXPECT_GT(info.BitRate, 0);
    EXPECT_EQ(CString(L"Lavf"), info.EncoderTag.Left(4));
    ASSERT_EQ(1, info.VideoStreams.GetSize());
    ASSERT_EQ(1, info.AudioStreams.GetSize());
    const CMediaStreamInfo& video = *info.GetVideoStream();
    EXPECT_EQ(CString(L"h264"), video.Codec);
    EXPECT_EQ(320, video.Width);
    EXPECT_EQ(240, video.Height);
    EXPECT_EQ(320, video.DisplayWidth);
    EXPECT_EQ(25, video.FrameRateNum);
    EXPECT_EQ(1, video.FrameRateDen);
    EXPECT_EQ(100, video.Frames);
    EXPECT_TRUE(video.Flags & STREAM_FLAG_AVC);
    EXPECT_TRUE(video.Flags & STREAM_FLAG_DEFAULT);
    EXPECT_EQ(CString(L"yuv420p"), video.PixelFormat);
    const CMediaStreamInfo& audio = *info.AudioStreams[0];
    EXPECT_EQ(CString(L"aac"), audio.Codec);
    EXPECT_EQ(44100, audio.SampleRate);
    EXPECT_EQ(1, audio.Channels);
    EXPECT_EQ(1, audio.ListPosition);
    EXPECT_EQ(0, audio.TypePosition);
}

TEST_F(ProbeSession, MatroskaWithDurationTagsAndALanguage)
{
    CMediaInfo info;
    ASSERT_EQ(0, info.Probe(Media(L"clip.mkv").c_str(), nullptr));
    EXPECT_EQ(CString(L"matroska"), info.Format);
    ASSERT_EQ(2, info.StreamList.GetSize());
    const CMediaStreamInfo& video = *info.StreamList[0];
    ExpectNear(2000000, video.DurationInUs, 100000, "video duration from its DURATION tag");
    EXPECT_EQ(16, video.AspectNum);
    EXPECT_EQ(15, video.AspectDen);
    EXPECT_EQ(376, video.DisplayWidth);
    EXPECT_EQ(288, video.DisplayHeight);
    EXPECT_EQ(CString(L"fre"), info.StreamList[1]->Language);
    EXPECT_EQ(CString(L"mp3"), info.StreamList[1]->Codec);
}

TEST_F(ProbeSession, KindsOfFiles)
{
    const struct {
        const wchar_t* name;
        const wchar_t* format;
        int mediaType;
        int fileType;
    } cases[] = {
        {L"tone.wav", L"wav", MEDIA_TYPE_AUDIO, 0},
        {L"tone.mp3", L"mp3", MEDIA_TYPE_AUDIO, 0},
        {L"still.png", L"png_pipe", MEDIA_TYPE_VIDEO, MEDIA_FILE_IMAGE},
        {L"moving.gif", L"gif", MEDIA_TYPE_VIDEO, MEDIA_FILE_ANIMATED_IMAGE},
        {L"segment.ts", L"mpegts", MEDIA_TYPE_VIDEO, 0},
    };
    for (const auto& c : cases) {
        CMediaInfo info;
        ASSERT_EQ(0, info.Probe(Media(c.name).c_str(), nullptr)) << CStringA(c.name);
        EXPECT_EQ(CString(c.format), info.Format) << CStringA(c.name);
        EXPECT_EQ(c.mediaType, info.MediaType) << CStringA(c.name);
        EXPECT_EQ(c.fileType, info.FileType) << CStringA(c.name);
        if (c.mediaType == MEDIA_TYPE_AUDIO) {
            EXPECT_EQ(nullptr, info.GetVideoStream()) << CStringA(c.name);
            ExpectNear(2000000, info.DurationInUs, 100000, "audio duration");
        }
    }
}

TEST_F(ProbeSession, DamagedAndMissingFilesFail)
{
    std::wstring junk = Media(L"junk.mp4");
    std::string bytes(8192, '\0');
    for (size_t i = 0; i < bytes.size(); i++)
        bytes[i] = static_cast<char>((i * 7919 + 13) % 251);
    HANDLE file = CreateFileW(junk.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    std::wstring empty = Media(L"empty.mkv");
    CloseHandle(CreateFileW(empty.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

    const std::wstring paths[] = {junk, empty, Media(L"not there.mp4")};
    for (const std::wstring& path : paths) {
        CMediaInfo info;
        EXPECT_EQ(-1, info.Probe(path.c_str(), nullptr)) << CStringA(path.c_str());
        EXPECT_EQ(0, info.VideoStreams.GetSize());
    }
}

TEST_F(ProbeSession, AStopRequestEndsTheProbeAsStopped)
{
    StopFlag nStop{20};
    CMediaInfo info;
    EXPECT_EQ(1, ProbeMediaFile(info, Media(L"tone.wav").c_str(), &nStop));
    EXPECT_EQ(-1, info.Probe(Media(L"tone.wav").c_str(), &nStop));
}

// Older codec library generations get a second pass that counts the frames of an animated
// image reported without them.
TEST_F(ProbeSession, SecondPassCountsFramesForOlderGenerations)
{
    const struct {
        const char* name;
        const wchar_t* file;
        int generation;
        LONGLONG frames;
    } cases[] = {
        {"current generation: one pass", L"moving.apng", 5, 0},
        {"generation 3: counted", L"moving.apng", 3, 10},
        {"no library found: counted", L"moving.apng", 0, 10},
        {"frames already given", L"moving.gif", 3, 10},
    };
    for (const auto& c : cases) {
        MediaToolGeneration = c.generation;
        CMediaInfo info;
        ASSERT_EQ(0, info.Probe(Media(c.file).c_str(), nullptr)) << c.name;
        EXPECT_EQ(MEDIA_FILE_ANIMATED_IMAGE, info.FileType) << c.name;
        ASSERT_EQ(1, info.StreamList.GetSize()) << c.name << ": the first pass's records are gone";
        EXPECT_EQ(c.frames, info.StreamList[0]->Frames) << c.name;
    }
}

TEST_F(ProbeSession, CountingFramesOnRequest)
{
    CMediaInfo info;
    ASSERT_EQ(0, ProbeMediaFileCountFrames(info, Media(L"moving.gif").c_str(), 1, nullptr));
    ASSERT_EQ(1, info.StreamList.GetSize());
    EXPECT_EQ(10, info.StreamList[0]->Frames);
}

}  // namespace
