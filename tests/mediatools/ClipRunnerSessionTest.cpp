// The player's session running the real ClipRunner.exe on a clip made here: a whole playback,
// the commands, a restart at the position, and the kill of a tool that ignores the stop.
#include "mediatools/CPlayerSession.h"
#include "mediatools/MediaToolLocation.h"
#include "tests/support/ClipRunnerHarness.h"
#include "tests/support/TempFolder.h"
#include "tools/ClipRunner/RunnerStatus.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

using namespace runnertest;

namespace {

const int64_t kClipUs = 4000000;

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA)
        return CPlayerSession::DeliverEvent(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    return DefWindowProcW(window, message, wParam, lParam);
}

// What the video host does: it stores itself and its window in the status before every run,
// and here it also notes every state with the position the status had then.
class CHostSession : public CPlayerSession {
public:
    explicit CHostSession(HWND window) : m_window(window) {}

    void ResetStatus() override
    {
        CPlayerSession::ResetStatus();
        m_status.OwnerObject = reinterpret_cast<UINT_PTR>(this);
        m_status.OwnerWindow = reinterpret_cast<UINT_PTR>(m_window);
    }
    int OnStateChanged() override
    {
        states.push_back(GetState());
        positions.push_back(m_status.PositionInUs);
        return 1;
    }

    HWND m_window;
    std::vector<int> states;
    std::vector<int64_t> positions;
};

class ClipRunnerSessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = new TempFolder;
        s_clip = *s_folder / L"clip & co.mp4";
        s_made = tooltest::MakeMedia(s_clip, tooltest::kClipH264Aac);
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
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = HostWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"ClipRunnerSessionHost";
        RegisterClassW(&windowClass);
        m_window = CreateWindowW(windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 320,
                                 240, nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(m_window);
        ClipRunnerPath = m_savedPath;
    }

    // Plays on a thread of its own, as the play thread does, while this thread takes the
    // events; onPump runs after each round of messages. Play's result.
    int Play(CHostSession& session, const std::function<void()>& onPump = nullptr)
    {
        session.m_params.Path = s_clip.c_str();
        std::atomic<bool> done(false);
        int result = 99;
        std::thread play([&] {
            result = session.Play();
            done = true;
        });
        DWORD start = GetTickCount();
        PumpUntil([&] {
            if (onPump && !done)
                onPump();
            return done.load();
        }, 30000);
        play.join();
        m_elapsedMs = GetTickCount() - start;
        return result;
    }

    static TempFolder* s_folder;
    static std::wstring s_clip;
    static bool s_made;
    CString m_savedPath;
    HWND m_window = nullptr;
    DWORD m_elapsedMs = 0;
};

TempFolder* ClipRunnerSessionTest::s_folder = nullptr;
std::wstring ClipRunnerSessionTest::s_clip;
bool ClipRunnerSessionTest::s_made = false;

bool Contains(const std::vector<int>& states, int state)
{
    return std::find(states.begin(), states.end(), state) != states.end();
}

TEST_F(ClipRunnerSessionTest, PlaysTheClipToTheEnd)
{
    CHostSession session(m_window);
    EXPECT_EQ(0, Play(session));
    EXPECT_TRUE(session.HasCompleted());
    // Played at the clip's own pace, never faster; a loaded machine may take longer to start.
    EXPECT_GE(m_elapsedMs, 3500u);
    EXPECT_NEAR(kClipUs, session.m_status.DurationInUs, 100000);
    EXPECT_NEAR(kClipUs, session.m_status.PositionInUs, 200000);
    EXPECT_EQ(320, session.m_status.VideoWidth);
    EXPECT_EQ(240, session.m_status.DisplayHeight);
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(m_window), session.m_status.OwnerWindow);
    ASSERT_GE(session.states.size(), 6u);
    EXPECT_EQ(PLAYER_STATE_STARTED, session.states[0]);
    EXPECT_EQ(PLAYER_STATE_PLAYING, session.states[1]);
    // The tool's own end, then the end of the run.
    EXPECT_EQ((std::vector<int>{PLAYER_STATE_END_OF_MEDIA, PLAYER_STATE_FINISHED, PLAYER_STATE_END_OF_MEDIA,
                                PLAYER_STATE_FINISHED}),
              std::vector<int>(session.states.end() - 4, session.states.end()));
}

TEST_F(ClipRunnerSessionTest, CommandsSteerThePlayback)
{
    CHostSession session(m_window);
    int step = 0;
    int64_t pausedAt = 0;
    DWORD stepTick = 0;
    int result = Play(session, [&] {
        RunnerStatus runner = LoadRunnerStatus(session.m_status);
        if (step == 0 && session.IsPlaying() && session.m_status.PositionInUs > 500000) {
            EXPECT_EQ(0, session.TogglePause());
            step = 1;
        } else if (step == 1 && session.IsPaused()) {
            EXPECT_EQ(0, session.Seek(2500000, 0));
            EXPECT_EQ(0, session.SetMute(1));
            EXPECT_EQ(0, session.SetVolume(150));
            stepTick = GetTickCount();
            step = 2;
        } else if (step == 2 && GetTickCount() - stepTick > 600) {
            pausedAt = session.m_status.PositionInUs;
            EXPECT_EQ(1, runner.Mute);
            EXPECT_EQ(100, runner.Volume);
            EXPECT_EQ(0, session.Seek(-1000000, 1));
            EXPECT_EQ(0, session.TogglePause());
            step = 3;
        } else if (step == 3 && session.IsPlaying() && session.m_status.PositionInUs > 1700000) {
            EXPECT_EQ(0, session.Stop());
            step = 4;
        }
    });
    EXPECT_EQ(4, step);
    EXPECT_EQ(2500000, pausedAt) << "a seek while paused lands exactly";
    EXPECT_EQ(1, result) << "a stopped run reports 1";
    EXPECT_TRUE(session.WasStopped());
    EXPECT_TRUE(Contains(session.states, PLAYER_STATE_PAUSED));
    EXPECT_TRUE(Contains(session.states, PLAYER_STATE_STOPPING));
    EXPECT_EQ(1, std::count(session.states.begin(), session.states.end(), PLAYER_STATE_END_OF_MEDIA))
        << "only the end of the run: the tool itself never reached the end";
}

TEST_F(ClipRunnerSessionTest, RestartContinuesAtThePosition)
{
    CHostSession session(m_window);
    int64_t restartAt = -1;
    bool paused = false;
    int result = Play(session, [&] {
        if (!paused && session.IsPlaying() && session.m_status.PositionInUs > 1000000) {
            session.TogglePause();
            paused = true;
        } else if (restartAt < 0 && session.IsPaused()) {
            restartAt = session.m_status.PositionInUs;
            EXPECT_EQ(0, session.Restart());
        }
    });
    EXPECT_EQ(0, result);
    EXPECT_TRUE(session.HasCompleted());
    ASSERT_GT(restartAt, 1000000);
    // The second tool's first states: started, then playing at the position the first had.
    std::vector<size_t> started;
    for (size_t i = 0; i < session.states.size(); ++i)
        if (session.states[i] == PLAYER_STATE_STARTED)
            started.push_back(i);
    ASSERT_EQ(2u, started.size());
    EXPECT_NEAR(restartAt, session.positions[started[1]], 1000) << "-ss carries milliseconds";
}

TEST_F(ClipRunnerSessionTest, AToolIgnoringTheStopIsKilledAfterThreeSeconds)
{
    ScopedEnvironment mode(L"KAVRI_TOOL_MODE", L"hang");
    CHostSession session(m_window);
    DWORD stopAt = 0;
    int result = Play(session, [&] {
        if (stopAt == 0 && session.IsPlaying()) {
            stopAt = GetTickCount();
            EXPECT_EQ(0, session.Stop());
        }
    });
    DWORD endedAfter = GetTickCount() - stopAt;
    EXPECT_EQ(1, result);
    EXPECT_TRUE(session.WasStopped());
    EXPECT_GE(endedAfter, 2800u) << "the tool had its three seconds";
    EXPECT_LE(endedAfter, 15000u);
    EXPECT_TRUE(tooltest::ChildGoneWithin(GetCurrentProcessId(), L"ClipRunner.exe", 2000));
}

}  // namespace
