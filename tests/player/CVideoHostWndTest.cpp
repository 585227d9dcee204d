// The video host window with the real ClipRunner.exe on a clip made here: a playback on the
// play thread whose events and state changes reach the window thread, the tool's window
// placed by the fit rules, a stop that waits for the thread, and the window's own end.
#include "classlib/CWinApp.h"
#include "mediatools/MediaToolLocation.h"
#include "player/playback/CMediaPlayThread.h"
#include "player/playback/CVideoHostWnd.h"
#include "tests/support/DialogScript.h"
#include "tests/support/ClipRunnerHarness.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace runnertest;

namespace {

TEST(FitVideoRect, PlacesTheVideoByZoomAndArea)
{
    struct Case {
        const char* name;
        CRect area;
        int width, height, zoom;
        CRect expected;
    } cases[] = {
        {"zoom too large for the area fits", CRect(0, 0, 1280, 720), 1920, 1080, 100, CRect(0, 0, 1280, 720)},
        {"fit to a wider area, sides even", CRect(0, 0, 1000, 700), 1280, 720, 0, CRect(0, 69, 1000, 631)},
        {"half size centred", CRect(0, 0, 1000, 800), 640, 480, 50, CRect(340, 280, 660, 520)},
        {"fit to a taller area", CRect(10, 20, 410, 1020), 400, 300, 0, CRect(10, 370, 410, 670)},
        {"actual size with an offset area", CRect(100, 50, 900, 650), 320, 240, 100, CRect(340, 230, 660, 470)},
    };
    for (const Case& c : cases) {
        CRect placed = FitVideoRect(c.area, c.width, c.height, c.zoom);
        EXPECT_EQ(c.expected.left, placed.left) << c.name;
        EXPECT_EQ(c.expected.top, placed.top) << c.name;
        EXPECT_EQ(c.expected.right, placed.right) << c.name;
        EXPECT_EQ(c.expected.bottom, placed.bottom) << c.name;
    }
}

// A host that notes each state change and each hook it gets, with the thread it runs on.
class CRecordingHost : public CVideoHostWnd {
public:
    void OnPlaybackStateChanged() override
    {
        states.push_back(GetState());
        Note("state change");
    }
    void OnShowBusy() override { Note("OnShowBusy"); }
    void OnHideBusy() override { Note("OnHideBusy"); }
    int OnEndOfMedia(const PlayerStatus& status) override
    {
        Note("OnEndOfMedia");
        return CVideoHostWnd::OnEndOfMedia(status);
    }
    void Note(const char* what) { calls.push_back({what, GetCurrentThreadId()}); }
    bool Called(const std::string& what) const
    {
        return std::any_of(calls.begin(), calls.end(), [&](const auto& call) { return call.first == what; });
    }

    std::vector<int> states;
    std::vector<std::pair<std::string, DWORD>> calls;
};

class VideoHost : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = new TempFolder;
        s_clip = *s_folder / L"clip & co.mp4";
        s_made = tooltest::MakeMedia(
            s_clip, L"-f lavfi -i testsrc=duration=2:size=320x240:rate=25 -f lavfi -i sine=duration=2 "
                    L"-c:v libx264 -pix_fmt yuv420p -c:a aac -shortest -f mp4");
    }
    static void TearDownTestSuite()
    {
        delete s_folder;
        s_folder = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_made) << "ffmpeg.exe could not make the clip";
        m_savedPath = ClipRunnerPath;
        ClipRunnerPath = tooltest::ToolPath(L"ClipRunner.exe").c_str();
        m_frame.CreateEx(0, AfxRegisterWndClass(0), L"host frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0);
        ASSERT_TRUE(m_host.Create(WS_CHILD, CRect(0, 0, 400, 300), &m_frame, 200));
    }
    void TearDown() override
    {
        if (m_host.m_hWnd)
            m_host.DestroyWindow();
        m_frame.DestroyWindow();
        ClipRunnerPath = m_savedPath;
    }

    bool PumpUntilThreadGone(DWORD ms)
    {
        return PumpUntil([&] { return !m_host.m_pPlayThread; }, ms);
    }

    static TempFolder* s_folder;
    static std::wstring s_clip;
    static bool s_made;
    CString m_savedPath;
    CWnd m_frame;
    CRecordingHost m_host;
};

TempFolder* VideoHost::s_folder = nullptr;
std::wstring VideoHost::s_clip;
bool VideoHost::s_made = false;

TEST_F(VideoHost, PlaysToTheEndOnThePlayThreadAndPlacesTheToolWindow)
{
    ASSERT_EQ(0, m_host.OpenFile(s_clip.c_str()));
    EXPECT_TRUE(m_host.m_pPlayThread);
    ASSERT_TRUE(PumpUntilThreadGone(60000)) << "the play thread ended and its object was deleted";
    PumpFor(200);  // state changes the play thread posted last
    EXPECT_TRUE(m_host.HasCompleted());
    EXPECT_NEAR(2000000, m_host.GetDuration(), 100000);
    EXPECT_EQ(CSize(320, 240), m_host.m_lastVideoSize);
    EXPECT_EQ(CSize(320, 240), m_host.m_lastPlacedSize) << "zoom 100 in a 400x300 area";
    ASSERT_FALSE(m_host.states.empty());
    EXPECT_EQ(PLAYER_STATE_FINISHED, m_host.states.back());
    EXPECT_NE(m_host.states.end(), std::find(m_host.states.begin(), m_host.states.end(), PLAYER_STATE_PLAYING));
    EXPECT_TRUE(m_host.Called("OnShowBusy"));
    ASSERT_TRUE(m_host.Called("OnHideBusy"));
    EXPECT_EQ("OnHideBusy", m_host.calls.back().first) << "the busy hook ends with the playback";
    for (const auto& call : m_host.calls)
        EXPECT_EQ(GetCurrentThreadId(), call.second) << call.first << " runs on the window thread";
    EXPECT_FALSE(m_host.IsWindowVisible()) << "hidden after the playback";
}

// The play thread reports a start by a posted message: one that comes when nothing is starting
// any more shows neither the window nor the busy hook.
TEST_F(VideoHost, AStartReportedWhenNothingStartsShowsNothing)
{
    std::thread([&] { m_host.OnBeforePlay(); }).join();
    MSG msg;  // the start is in the queue once the thread has ended
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    EXPECT_FALSE(m_host.Called("OnShowBusy"));
    EXPECT_FALSE(m_host.IsWindowVisible());
}

TEST_F(VideoHost, StopWaitsForThePlayThread)
{
    ASSERT_EQ(0, m_host.OpenFile(s_clip.c_str()));
    ASSERT_TRUE(PumpUntil([&] { return m_host.IsPlaying(); }, 60000));
    EXPECT_TRUE(m_host.IsWindowVisible());
    m_host.Stop();
    EXPECT_FALSE(m_host.m_pPlayThread) << "the thread object is gone when Stop returns";
    EXPECT_TRUE(m_host.WasStopped());
    EXPECT_EQ(0, m_host.Close(0));
    EXPECT_EQ(1, m_host.Close(0)) << "nothing open any more";
    EXPECT_TRUE(tooltest::ChildGoneWithin(GetCurrentProcessId(), L"ClipRunner.exe", 5000));
}

TEST_F(VideoHost, DestroyingTheWindowEndsThePlayback)
{
    ASSERT_EQ(0, m_host.OpenFile(s_clip.c_str()));
    ASSERT_TRUE(PumpUntil([&] { return m_host.IsPlaying(); }, 60000));
    m_host.DestroyWindow();
    EXPECT_FALSE(m_host.m_pPlayThread);
    EXPECT_TRUE(tooltest::ChildGoneWithin(GetCurrentProcessId(), L"ClipRunner.exe", 6000));
}

TEST_F(VideoHost, StillImagesLastTheirTimeAndNothingPlaysWithoutAThread)
{
    m_host.SetDisplayMode(DISPLAY_MODE_STILL_IMAGE);
    EXPECT_EQ(5000000, m_host.GetDuration());
    EXPECT_EQ(5000, m_host.m_nExitDelay);
    m_host.SetDisplayMode(DISPLAY_MODE_MEDIA);
    EXPECT_EQ(0, m_host.m_nExitDelay);
    EXPECT_EQ(0, m_host.GetDuration());
    EXPECT_EQ(1, m_host.Play()) << "only the play thread plays";
    EXPECT_EQ(1, m_host.Stop());
    EXPECT_EQ(-1, m_host.OpenFile(nullptr));
}

TEST_F(VideoHost, AMissingFileIsReportedAndNotPlayed)
{
    MessageBoxCloser closer(m_frame.m_hWnd);
    EXPECT_EQ(-1, m_host.OpenFile((s_folder->Path() + L"\\gone.mp4").c_str()));
    EXPECT_STREQ(L"File does not exist.", MessageBoxCloser::Text());
    EXPECT_FALSE(m_host.m_pPlayThread);
}

}  // namespace
