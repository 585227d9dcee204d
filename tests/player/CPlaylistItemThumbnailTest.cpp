// Row thumbnails from real media made here by ffmpeg.exe: grabbed frames through the real
// encoder tool (blank frames skipped, non-square pixels corrected), images beside the media,
// thumbnail files, and a grab that is stopped while the tool hangs.
#include "mediatools/MediaToolLocation.h"
#include "player/CPlayerSettings.h"
#include "player/playlist/CPlaylistItem.h"
#include "tests/support/ToolTestSupport.h"
#include <gtest/gtest.h>
#include <atomic>
#include <thread>

using namespace tooltest;

namespace {

const wchar_t kH264[] = L" -c:v libx264 -pix_fmt yuv420p -f mp4";

class ItemThumbnail : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = MakeTempFolder(L"kavri thumbs");
        s_made =
            MakeMedia(Media(L"bars.mp4"), std::wstring(L"-f lavfi -i testsrc=duration=3:size=160x120:rate=25") + kH264) &&
            MakeMedia(Media(L"late.mp4"),
                      std::wstring(L"-f lavfi -i color=c=black:size=160x120:rate=25:duration=1.5 "
                                   L"-f lavfi -i testsrc=size=160x120:rate=25:duration=2.5 "
                                   L"-filter_complex [0:v][1:v]concat=n=2:v=1:a=0") + kH264) &&
            MakeMedia(Media(L"black.mp4"),
                      std::wstring(L"-f lavfi -i color=c=black:size=160x120:rate=25:duration=4") + kH264) &&
            MakeMedia(Media(L"wide.mp4"),
                      std::wstring(L"-f lavfi -i testsrc=duration=2:size=160x120:rate=25 -vf setsar=2/1") + kH264) &&
            MakeMedia(Media(L"song.wav"), kToneWav) &&
            MakeMedia(Media(L"song.jpg"), L"-f lavfi -i testsrc=size=64x48 -frames:v 1 -f image2");
    }
    static void TearDownTestSuite() { RemoveFolder(s_folder); }

    void SetUp() override
    {
        ASSERT_TRUE(s_made) << "test media could not be made with ffmpeg.exe";
        LocateMediaTools(ToolFolder().c_str());
        g_playerSettings = CPlayerSettings();
    }
    void TearDown() override { SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", nullptr); }

    static std::wstring Media(const wchar_t* name) { return s_folder + L"\\" + name; }

    // An item of the media, probed, as the load thread leaves it.
    static void Probe(CPlaylistItem& item, const wchar_t* name)
    {
        item.m_strPath = Media(name).c_str();
        ASSERT_EQ(0, item.m_mediaInfo.Probe(item.m_strPath, nullptr)) << name;
        item.m_nMediaType = item.m_mediaInfo.MediaType;
        item.m_nFileType = item.m_mediaInfo.FileType;
    }

    static std::wstring s_folder;
    static bool s_made;
};

std::wstring ItemThumbnail::s_folder;
bool ItemThumbnail::s_made = false;

TEST_F(ItemThumbnail, GrabbedFramesSkipBlankOnesAndFitTheThumbnailBox)
{
    struct Case {
        const wchar_t* media;
        int thumbnailTime;
        int result;
        unsigned width, height;  // of the thumbnail
    } cases[] = {
        {L"bars.mp4", 1000, 0, 144, 108},
        {L"late.mp4", 5000, 0, 144, 108},  // longer than the clip: from 0, blank until 2000
        {L"black.mp4", 1000, -1, 0, 0},
        {L"wide.mp4", 1000, 0, 192, 72},  // 2:1 pixels show 160x120 as 320x120
    };
    for (const Case& c : cases) {
        g_playerSettings.m_nThumbnailTime = c.thumbnailTime;
        CPlaylistItem item;
        Probe(item, c.media);
        EXPECT_EQ(c.result, item.LoadThumbnail(0)) << c.media;
        EXPECT_EQ(c.result == 0, (item.m_dwFlags & ITEM_FLAG_GRABBED_FRAME) != 0) << c.media;
        EXPECT_EQ(c.result == 0, (item.m_dwState & ITEM_STATE_THUMBNAIL) != 0) << c.media;
        EXPECT_EQ(c.width, item.m_thumbnail.IsValid() ? item.m_thumbnail.GetWidth() : 0u) << c.media;
        EXPECT_EQ(c.height, item.m_thumbnail.IsValid() ? item.m_thumbnail.GetHeight() : 0u) << c.media;
    }
}

TEST_F(ItemThumbnail, AnImageBesideTheMediaOrAThumbnailFileWins)
{
    CPlaylistItem song;
    Probe(song, L"song.wav");
    EXPECT_EQ(0, song.LoadThumbnail(0));
    EXPECT_TRUE(song.m_dwFlags & ITEM_FLAG_SIDE_IMAGE);
    EXPECT_EQ(64u, song.m_thumbnail.GetWidth());
    EXPECT_EQ(1, song.LoadThumbnail(0)) << "built once";

    CPlaylistItem bars;
    Probe(bars, L"bars.mp4");
    bars.m_strThumbnailFile = Media(L"song.jpg").c_str();
    EXPECT_EQ(0, bars.LoadThumbnail(0));
    EXPECT_EQ(0u, bars.m_dwFlags & (ITEM_FLAG_SIDE_IMAGE | ITEM_FLAG_GRABBED_FRAME)) << "no grab needed";
    EXPECT_EQ(64u, bars.m_thumbnail.GetWidth());

    CPlaylistItem tone;
    tone.m_strPath = Media(L"tone-without-picture.wav").c_str();
    tone.m_nMediaType = MEDIA_TYPE_AUDIO;
    EXPECT_EQ(-1, tone.LoadThumbnail(0));
    EXPECT_FALSE(tone.m_thumbnail.IsValid());
}

TEST_F(ItemThumbnail, AStoppedGrabEndsWithinTheGraceTimeAndLeavesNoTool)
{
    SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", L"hang");
    StopFlag stopFlag{0};
    std::atomic<int> result(99);
    std::atomic<DWORD> endedAt(0);
    std::thread grab([&] {
        CRasterImage frame;
        result = GrabFrame(Media(L"bars.mp4").c_str(), frame, 1000, 0, 0, 0, 0, &stopFlag);
        endedAt = GetTickCount();
    });
    Sleep(1500);
    DWORD stoppedAt = GetTickCount();
    stopFlag = 20;
    grab.join();
    EXPECT_NE(0, result.load());
    // The tool is killed about 3 s after the stop; a hung tool left alone would never end. The
    // bound is wide so that a loaded machine cannot fail it.
    EXPECT_LT(endedAt - stoppedAt, 20000u);
    EXPECT_TRUE(ChildGoneWithin(GetCurrentProcessId(), L"ClipConverter.exe", 10000));
}

}  // namespace
