// The item layer of the video host: play parameters taken from the item, and with the real
// ClipRunner.exe on a clip made here, the resume position an item keeps when it is closed.
#include "classlib/CWinApp.h"
#include "mediatools/MediaToolLocation.h"
#include "player/playback/CItemVideoWnd.h"
#include "player/CPlayerSettings.h"
#include "player/playlist/CPlaylistItem.h"
#include "tests/support/DialogScript.h"
#include "tests/support/ClipRunnerHarness.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <initializer_list>
#include <memory>
#include <vector>

using namespace runnertest;

namespace {

// Exposes the session's restart position, which a restart at the position sets.
class CTestItemWnd : public CItemVideoWnd {
public:
    void SetRestartPosition(LONGLONG nPositionUs) { m_nRestartPosition = nPositionUs; }
};

// Notes what the item layer asks of the display window.
class CRecordingItemWnd : public CItemVideoWnd {
public:
    void ShowItemPane(CPlaylistItem* pItem, int nPlacement) override { shownItems.push_back(pItem); }
    void RedrawItem(CPlaylistItem* pItem) override { redrawnItems.push_back(pItem); }

    std::vector<CPlaylistItem*> shownItems;
    std::vector<CPlaylistItem*> redrawnItems;
};

void AddStreams(CMediaInfo& info, std::initializer_list<int> types)
{
    for (int type : types) {
        CMediaStreamInfo* pStream = new CMediaStreamInfo;
        pStream->MediaType = type;
        info.StreamList.Add(pStream);
    }
    info.Analyse();
}

TEST(ItemPlayParameters, StreamsFiltersAndSpeedComeFromTheItem)
{
    g_playerSettings = CPlayerSettings();
    struct Case {
        const char* name;
        int selectedVideo, selectedAudio, playSpeed;
        int video, audio, ptsFactor, tempo;
    } cases[] = {
        {"defaults", -1, -1, 100, PLAY_STREAM_DEFAULT, PLAY_STREAM_DEFAULT, 100, 100},
        {"audio off", -1, -2, 100, PLAY_STREAM_DEFAULT, PLAY_STREAM_OFF, 100, 100},
        {"second audio is the file's fourth stream", 0, 1, 100, 1, 4, 100, 100},
        {"half speed", -1, -1, 50, PLAY_STREAM_DEFAULT, PLAY_STREAM_DEFAULT, 200, 50},
        {"double speed", -1, -1, 200, PLAY_STREAM_DEFAULT, PLAY_STREAM_DEFAULT, 50, 200},
        {"other speeds play normally", -1, -1, 150, PLAY_STREAM_DEFAULT, PLAY_STREAM_DEFAULT, 100, 100},
        {"index past the list plays the default", 5, -1, 100, PLAY_STREAM_DEFAULT, PLAY_STREAM_DEFAULT, 100, 100},
    };
    for (const Case& c : cases) {
        CPlaylistItem item;
        item.m_strPath = L"C:\\v\\a.mkv";
        AddStreams(item.m_mediaInfo, {MEDIA_TYPE_VIDEO, MEDIA_TYPE_AUDIO, MEDIA_TYPE_SUBTITLE, MEDIA_TYPE_AUDIO});
        item.m_mediaInfo.SelectedVideoStream = c.selectedVideo;
        item.m_mediaInfo.SelectedAudioStream = c.selectedAudio;
        item.m_nPlaySpeed = c.playSpeed;
        item.m_nRotate = 90;
        item.m_bGrayscale = 1;
        item.m_nVolume = 60;
        CTestItemWnd wnd;
        wnd.m_pCurrentItem = &item;
        wnd.m_params.ExtraArgs = L"left over";
        ASSERT_EQ(0, wnd.ApplyRestartPosition()) << c.name;
        EXPECT_STREQ(L"C:\\v\\a.mkv", wnd.m_params.Path) << c.name;
        EXPECT_STREQ(L"", wnd.m_params.ExtraArgs) << c.name << ": the parameters start afresh";
        EXPECT_EQ(c.video, wnd.m_params.VideoStream) << c.name;
        EXPECT_EQ(c.audio, wnd.m_params.AudioStream) << c.name;
        EXPECT_EQ(c.ptsFactor, wnd.m_params.PtsFactor) << c.name;
        EXPECT_EQ(c.tempo, wnd.m_params.AudioTempo) << c.name;
        EXPECT_EQ(c.playSpeed, wnd.GetPlaySpeed()) << c.name;
        EXPECT_EQ(90, wnd.m_params.Rotation) << c.name;
        EXPECT_EQ(1, wnd.m_params.Grayscale) << c.name;
        EXPECT_EQ(60, wnd.m_params.AudioVolumeFactor) << c.name;
    }
    CTestItemWnd empty;
    EXPECT_EQ(-1, empty.ApplyRestartPosition());
}

TEST(ItemPlayParameters, StartPositionByRestartRememberAndResumeOnce)
{
    struct Case {
        const char* name;
        int rememberPosition, autoResume;
        LONGLONG restartUs, lastPositionUs;
        LONGLONG expectedStartMs;
        int resumeOnceAfter;
    } cases[] = {
        {"restart position wins", 1, 0, 7000000, 3000000, 7000, 0},
        {"remembered position", 1, 0, 0, 3000000, 3000, 0},
        {"nothing remembered", 0, 0, 0, 3000000, 0, 0},
        {"resumed once after an interrupted run", 0, 1, 0, 3000000, 3000, 0},
        {"restart keeps the resume for later", 0, 1, 7000000, 3000000, 7000, 1},
    };
    for (const Case& c : cases) {
        g_playerSettings = CPlayerSettings();
        g_playerSettings.m_bRememberPosition = c.rememberPosition;
        g_playerSettings.m_bAutoResumeInterrupted = c.autoResume;
        CPlaylistItem item;
        item.m_llLastPosition = c.lastPositionUs;
        CTestItemWnd wnd;
        wnd.m_pCurrentItem = &item;
        wnd.SetRestartPosition(c.restartUs);
        wnd.ApplyRestartPosition();
        EXPECT_EQ(c.expectedStartMs, wnd.m_params.StartPosition) << c.name;
        EXPECT_EQ(c.resumeOnceAfter, wnd.m_bResumeOnce) << c.name;
        EXPECT_EQ(0, item.m_llLastPosition) << c.name << ": taken";
    }
}

class ItemPlayback : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = new TempFolder;
        s_clip = *s_folder / L"clip.mp4";
        s_made = tooltest::MakeMedia(
            s_clip, L"-f lavfi -i testsrc=duration=3:size=320x240:rate=25 -c:v libx264 -pix_fmt yuv420p -f mp4");
    }
    static void TearDownTestSuite()
    {
        delete s_folder;
        s_folder = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_made) << "ffmpeg.exe could not make the clip";
        g_playerSettings = CPlayerSettings();
        m_savedPath = ClipRunnerPath;
        ClipRunnerPath = tooltest::ToolPath(L"ClipRunner.exe").c_str();
        m_frame.CreateEx(0, AfxRegisterWndClass(0), L"frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 320, 240), nullptr, 0);
        m_wnd.reset(new CRecordingItemWnd);
        ASSERT_TRUE(m_wnd->Create(WS_CHILD, CRect(0, 0, 320, 240), &m_frame, 200));
        m_item.m_strPath = s_clip.c_str();
        m_item.m_nMediaType = MEDIA_TYPE_VIDEO;
    }
    void TearDown() override
    {
        m_wnd.reset();
        m_frame.DestroyWindow();
        ClipRunnerPath = m_savedPath;
    }

    bool PlayUntilPastHalfASecond()
    {
        return m_wnd->PlayItem(&m_item, 0) == 0 &&
               PumpUntil([&] { return m_wnd->m_status.PositionInUs > 500000 && m_wnd->IsPlaying(); }, 60000);
    }

    static TempFolder* s_folder;
    static std::wstring s_clip;
    static bool s_made;
    CString m_savedPath;
    CWnd m_frame;
    std::unique_ptr<CRecordingItemWnd> m_wnd;
    CPlaylistItem m_item;
};

TempFolder* ItemPlayback::s_folder = nullptr;
std::wstring ItemPlayback::s_clip;
bool ItemPlayback::s_made = false;

TEST_F(ItemPlayback, ClosingKeepsTheResumePositionAsTheSettingsSay)
{
    struct Case {
        const char* name;
        int rememberPosition, autoResume, interrupted;
        bool kept;
    } cases[] = {
        {"remembered", 1, 0, 0, true},
        {"not remembered", 0, 0, 0, false},
        {"interrupted and resumed", 0, 1, 1, true},
        {"interrupted without resume", 0, 0, 1, false},
    };
    for (const Case& c : cases) {
        g_playerSettings.m_bRememberPosition = c.rememberPosition;
        g_playerSettings.m_bAutoResumeInterrupted = c.autoResume;
        ASSERT_TRUE(PlayUntilPastHalfASecond()) << c.name;
        EXPECT_EQ(PLAYER_STATE_PLAYING, m_item.m_nPlayState) << c.name << ": the state reaches the item";
        EXPECT_EQ(0, m_wnd->Close(c.interrupted)) << c.name;
        EXPECT_EQ(nullptr, m_wnd->m_pCurrentItem) << c.name;
        EXPECT_FALSE(m_wnd->m_pPlayThread) << c.name;
        EXPECT_EQ(c.kept, m_item.m_llLastPosition > 500000) << c.name;
        m_item.m_llLastPosition = 0;
    }
}

TEST_F(ItemPlayback, AnItemPlayedToItsEndKeepsNoPosition)
{
    ASSERT_EQ(0, m_wnd->PlayItem(&m_item, 0));
    ASSERT_TRUE(PumpUntil([&] { return !m_wnd->m_pPlayThread; }, 60000));
    EXPECT_TRUE(m_wnd->HasCompleted());
    EXPECT_EQ(0, m_wnd->Close(0));
    EXPECT_EQ(0, m_item.m_llLastPosition);
}

TEST_F(ItemPlayback, AMissingFileIsReportedAndMarked)
{
    m_item.m_strPath = (s_folder->Path() + L"\\gone.mp4").c_str();
    MessageBoxCloser closer(m_frame.m_hWnd);
    EXPECT_EQ(-1, m_wnd->PlayItem(&m_item, 0));
    EXPECT_STREQ(L"File does not exist.", MessageBoxCloser::Text());
    EXPECT_TRUE(m_item.m_dwState & ITEM_STATE_MISSING);
    EXPECT_FALSE(m_wnd->m_pPlayThread);
    EXPECT_EQ(nullptr, m_wnd->m_pCurrentItem);
}

// The playing item keeps its row and its name in the caption; only the missing one's row
// changes, to show its mark.
TEST_F(ItemPlayback, AMissingFileLeavesThePlayingItemAlone)
{
    ASSERT_TRUE(PlayUntilPastHalfASecond());
    CPlaylistItem missing;
    missing.m_strPath = (s_folder->Path() + L"\\gone.mp4").c_str();
    MessageBoxCloser closer(m_frame.m_hWnd);
    EXPECT_EQ(-1, m_wnd->PlayItem(&missing, PLACEMENT_PLAYLIST));
    EXPECT_STREQ(L"File does not exist.", MessageBoxCloser::Text());
    EXPECT_TRUE(missing.m_dwState & ITEM_STATE_MISSING);
    const std::vector<CPlaylistItem*>& redrawn = m_wnd->redrawnItems;
    EXPECT_NE(redrawn.end(), std::find(redrawn.begin(), redrawn.end(), &missing)) << "its row shows the mark";
    const std::vector<CPlaylistItem*>& shown = m_wnd->shownItems;
    EXPECT_EQ(shown.end(), std::find(shown.begin(), shown.end(), &missing)) << "no row selected, no caption";
    EXPECT_EQ(&m_item, m_wnd->m_pCurrentItem);
    EXPECT_TRUE(m_wnd->IsPlaying());
}

}  // namespace
