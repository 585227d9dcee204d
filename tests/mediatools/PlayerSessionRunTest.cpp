// Whole playbacks through the session against a fake playback tool (tests/support): the
// events arriving at the owner window, commands, stop, restart at the position, a tool that
// ignores the stop or stops answering, and runs that fail.
#include "mediatools/CLiveObjectSet.h"
#include "mediatools/CPlayerSession.h"
#include "mediatools/MediaToolLocation.h"
#include "tests/support/SuitePaths.h"
#include "tests/support/TempFolder.h"
#include "tests/support/ToolTestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

LRESULT CALLBACK OwnerWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COPYDATA && reinterpret_cast<const COPYDATASTRUCT*>(lp)->dwData == PLAYER_MSG_EVENT)
        return CPlayerSession::DeliverEvent(reinterpret_cast<const COPYDATASTRUCT*>(lp));
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// What the video host does: it owns the display window and stores itself in the status.
class CHostSession : public CPlayerSession {
public:
    explicit CHostSession(HWND hOwner) : m_hOwner(hOwner) {}

    void ResetStatus() override
    {
        CPlayerSession::ResetStatus();
        m_status.OwnerObject = reinterpret_cast<UINT_PTR>(this);
        m_status.OwnerWindow = reinterpret_cast<UINT_PTR>(m_hOwner);
    }
    int OnStateChanged() override
    {
        states.push_back(GetState());
        return 1;
    }
    int RunTool(CPlayParams& params, const StopFlag* pStopFlag, LPCWSTR pszWorkingFolder) override
    {
        if (stopBeforeRun)
            Stop();
        return CPlayerSession::RunTool(params, pStopFlag, pszWorkingFolder);
    }

    HWND m_hOwner;
    std::vector<int> states;
    bool stopBeforeRun = false;
};

// Only this suite's own tools count: other suites may run theirs meanwhile.
bool FakeToolRunningNow()
{
    return tooltest::ChildStillRunning(GetCurrentProcessId(), L"FakeClipRunner.exe");
}

// A killed process may take a moment to leave the process list, longer on a busy machine.
bool FakeToolRunning()
{
    for (int i = 0; i < 300 && FakeToolRunningNow(); i++)
        Sleep(100);
    return FakeToolRunningNow();
}

class PlayerSessionRun : public testing::Test {
protected:
    void SetUp() override
    {
        m_savedPath = ClipRunnerPath;
        ClipRunnerPath = BesideThisProgram(L"FakeClipRunner.exe").c_str();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = OwnerWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PlayerSessionRunOwner";
        RegisterClassW(&wc);
        m_hOwner = CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
        m_log = m_folder / L"runner.log";
        SetEnvironmentVariableW(L"KAVRI_FAKE_RUNNER_LOG", m_log.c_str());
        m_media = m_folder / L"clip & co.mp4";
        HANDLE file = CreateFileW(m_media.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(file);
    }
    void TearDown() override
    {
        SetEnvironmentVariableW(L"KAVRI_FAKE_RUNNER_LOG", nullptr);
        SetEnvironmentVariableW(L"KAVRI_FAKE_RUNNER_MODE", nullptr);
        SetEnvironmentVariableW(L"KAVRI_FAKE_RUNNER_MS", nullptr);
        DestroyWindow(m_hOwner);
        ClipRunnerPath = m_savedPath;
    }

    // Plays on a thread of its own, as the play thread does, while this thread receives the
    // events; onPump runs after each round of messages. Returns Play's (or PlayOnce's) result.
    // The limit only keeps a broken run from hanging the suite; a run ends long before it.
    int Play(CHostSession& session, std::function<void()> onPump = nullptr, bool once = false)
    {
        const DWORD limitMs = 120000;
        std::atomic<bool> done(false);
        int result = 99;
        std::thread play([&] {
            result = once ? session.PlayOnce() : session.Play();
            done = true;
        });
        auto pump = [] {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
        };
        DWORD start = GetTickCount();
        while (!done && GetTickCount() - start < limitMs) {
            pump();
            if (onPump)
                onPump();
        }
        if (!done) {
            ADD_FAILURE() << "the run did not end within " << limitMs << " ms";
            session.Stop();
            while (!done)
                pump();
        }
        play.join();
        return result;
    }

    std::vector<std::string> LogLines()
    {
        std::string text;
        HANDLE file = CreateFileW(m_log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        char buffer[4096];
        DWORD got = 0;
        while (file != INVALID_HANDLE_VALUE && ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
            text.append(buffer, got);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(text.substr(start, end - start - (end > start && text[end - 1] == '\r' ? 1 : 0)));
        return lines;
    }

    std::vector<std::string> ArgLines()
    {
        std::vector<std::string> args;
        for (const std::string& line : LogLines())
            if (line.rfind("args ", 0) == 0)
                args.push_back(line);
        return args;
    }

    bool Logged(const std::string& line)
    {
        for (const std::string& logged : LogLines())
            if (logged == line)
                return true;
        return false;
    }

    // The tool wrote its "exit" line: it ended by itself rather than being killed.
    bool ToolExitedByItself()
    {
        for (const std::string& line : LogLines())
            if (line.rfind("exit ", 0) == 0)
                return true;
        return false;
    }

    CString m_savedPath;
    HWND m_hOwner = nullptr;
    TempFolder m_folder;
    std::wstring m_log;
    std::wstring m_media;
};

std::string Decimal(uint64_t value)
{
    return std::to_string(static_cast<long long>(value));
}

TEST_F(PlayerSessionRun, PlaysToTheEnd)
{
    CHostSession session(m_hOwner);
    session.m_params.Path = m_media.c_str();
    EXPECT_EQ(0, Play(session));
    EXPECT_TRUE(session.HasCompleted());
    EXPECT_EQ(1000000, session.m_status.DurationInUs);
    EXPECT_EQ(1000000, session.m_status.PositionInUs);
    EXPECT_EQ(320, session.m_status.VideoWidth);
    ASSERT_GE(session.states.size(), 4u);
    EXPECT_EQ(PLAYER_STATE_STARTED, session.states[0]);
    EXPECT_EQ(PLAYER_STATE_PLAYING, session.states[1]);
    // The tool's own end, then the end of the run.
    EXPECT_EQ((std::vector<int>{PLAYER_STATE_END_OF_MEDIA, PLAYER_STATE_FINISHED, PLAYER_STATE_END_OF_MEDIA,
                                PLAYER_STATE_FINISHED}),
              std::vector<int>(session.states.end() - 4, session.states.end()));

    std::vector<std::string> args = ArgLines();
    ASSERT_EQ(1u, args.size());
    EXPECT_NE(std::string::npos, args[0].find("-i " + std::string(CStringA(m_media.c_str()))));
    EXPECT_NE(std::string::npos, args[0].find("-owner_window " + Decimal(reinterpret_cast<UINT_PTR>(m_hOwner))));
    EXPECT_NE(std::string::npos,
              args[0].find("-callback_context " + Decimal(ContextOf(static_cast<CPlayerRunner*>(&session)))));
}

TEST_F(PlayerSessionRun, CommandsReachTheTool)
{
    SetEnvironmentVariableW(L"KAVRI_FAKE_RUNNER_MODE", L"endless");
    CHostSession session(m_hOwner);
    session.m_params.Path = m_media.c_str();
    int step = 0;
    int result = Play(session, [&] {
        if (step == 0 && session.IsPlaying()) {
            EXPECT_EQ(0, session.TogglePause());
            step = 1;
        } else if (step == 1 && session.IsPaused()) {
            EXPECT_EQ(0, session.TogglePause());
            step = 2;
        } else if (step == 2 && session.IsPlaying()) {
            EXPECT_EQ(0, session.Seek(300000, 0));
            EXPECT_EQ(0, session.Seek(-100000, 1));
            EXPECT_EQ(0, session.SetMute(1));
            EXPECT_EQ(0, session.SetVolume(150));
            EXPECT_EQ(0, session.Stop());
            step = 3;
        }
    });
    EXPECT_EQ(1, result) << "a stopped run reports 1";
    EXPECT_TRUE(session.WasStopped());
    EXPECT_TRUE(ToolExitedByItself()) << "the tool obeyed the stop; nothing was killed";
    EXPECT_NE(session.states.end(), std::find(session.states.begin(), session.states.end(), PLAYER_STATE_PAUSED));
    EXPECT_NE(session.states.end(), std::find(session.states.begin(), session.states.end(), PLAYER_STATE_STOPPING));
    EXPECT_TRUE(Logged("command 10 0 0 0"));
    EXPECT_TRUE(Logged("command 50 300000 0 0"));
    EXPECT_TRUE(Logged("command 50 -100000 1 0"));
    EXPECT_TRUE(Logged("command 200 1 0 0"));
    EXPECT_TRUE(Logged("command 201 100 0 0"));
    EXPECT_TRUE(Logged("command 20 0 0 0"));
}

TEST_F(PlayerSessionRun, RestartContinuesAtThePositionInTheSameWindow)
{
    SetEnvironmentVariableW(L"KAVRI_FAKE_RUNNER_MS", L"1500");
    CHostSession session(m_hOwner);
    session.m_params.Path = m_media.c_str();
    LONGLONG restartAt = -1;
    int result = Play(session, [&] {
        if (restartAt < 0 && session.IsPlaying() && session.m_status.PositionInUs >= 400000) {
            restartAt = session.m_status.PositionInUs;
            EXPECT_EQ(0, session.Restart());
        }
    });
    EXPECT_EQ(0, result);
    EXPECT_TRUE(session.HasCompleted());
    std::vector<std::string> args = ArgLines();
    ASSERT_EQ(2u, args.size());
    EXPECT_EQ(std::string::npos, args[0].find("-ss "));
    int restartMs = static_cast<int>(restartAt / 1000);
    CStringA strStart;
    strStart.Format("-ss 0:00:%02d.%03d", restartMs / 1000, restartMs % 1000);
    EXPECT_NE(std::string::npos, args[1].find(static_cast<const char*>(strStart))) << args[1];
    // The fake tool does not echo the owner fields; the second run still gets its window.
    std::string owner = "-owner_window " + Decimal(reinterpret_cast<UINT_PTR>(m_hOwner));
    EXPECT_NE(std::string::npos, args[0].find(owner));
    EXPECT_NE(std::string::npos, args[1].find(owner)) << args[1];
}

TEST_F(PlayerSessionRun, StopBeforeTheToolReportsItsWindow)
{
    SetEnvironmentVariableW(L"KAVRI_FAKE_RUNNER_MODE", L"endless");
    CHostSession session(m_hOwner);
    session.m_params.Path = m_media.c_str();
    session.stopBeforeRun = true;
    EXPECT_EQ(1, Play(session));
    EXPECT_TRUE(session.WasStopped());
    // The tool hears the stop as the reply to its first event, or is killed when it is too
    // slow to send one; either way the run ends.
    EXPECT_EQ(1u, ArgLines().size()) << "the tool was started";
    for (const std::string& line : LogLines())
        EXPECT_EQ(std::string::npos, line.find("command ")) << "nothing is sent before the window is known";
    EXPECT_FALSE(FakeToolRunning());
}

// The host's Stop asks the session to stop and then waits for the play thread; a stop that
// lands before the thread has begun its run must end that run, not wait for a whole playback.
TEST_F(PlayerSessionRun, AStopBeforeThePlayBeginsEndsIt)
{
    SetEnvironmentVariableW(L"KAVRI_FAKE_RUNNER_MODE", L"endless");
    const struct {
        const char* name;
        bool playedBefore;
        bool once;
    } cases[] = {
        {"first run", false, false},
        {"after a completed run", true, false},
        {"a single run", false, true},
    };
    for (const auto& c : cases) {
        DeleteFileW(m_log.c_str());
        CHostSession session(m_hOwner);
        session.m_params.Path = m_media.c_str();
        if (c.playedBefore) {
            SetEnvironmentVariableW(L"KAVRI_FAKE_RUNNER_MODE", nullptr);
            ASSERT_EQ(0, Play(session)) << c.name;
            ASSERT_TRUE(session.HasCompleted()) << c.name;
            SetEnvironmentVariableW(L"KAVRI_FAKE_RUNNER_MODE", L"endless");
        }
        EXPECT_EQ(1, session.Stop()) << c.name << ": nothing plays yet";
        session.states.clear();
        EXPECT_EQ(1, Play(session, nullptr, c.once)) << c.name;
        EXPECT_TRUE(session.WasStopped()) << c.name;
        EXPECT_FALSE(session.HasCompleted()) << c.name;
        EXPECT_EQ(c.playedBefore ? 1u : 0u, ArgLines().size()) << c.name << ": the tool is not started";
        EXPECT_EQ((std::vector<int>{PLAYER_STATE_END_OF_MEDIA, PLAYER_STATE_FINISHED}), session.states) << c.name;
    }
}

TEST_F(PlayerSessionRun, AStopEndsOnlyItsOwnRun)
{
    SetEnvironmentVariableW(L"KAVRI_FAKE_RUNNER_MODE", L"endless");
    CHostSession session(m_hOwner);
    session.m_params.Path = m_media.c_str();
    bool stopped = false;
    EXPECT_EQ(1, Play(session, [&] {
        if (!stopped && session.IsPlaying())
            stopped = session.Stop() == 0;
    }));
    ASSERT_TRUE(session.WasStopped());
    SetEnvironmentVariableW(L"KAVRI_FAKE_RUNNER_MODE", nullptr);
    EXPECT_EQ(0, Play(session));
    EXPECT_TRUE(session.HasCompleted()) << "the next run plays to its end";
    EXPECT_EQ(2u, ArgLines().size());
}

TEST_F(PlayerSessionRun, AToolIgnoringTheStopIsKilled)
{
    const wchar_t* modes[] = {L"deaf", L"hang"};
    for (const wchar_t* mode : modes) {
        DeleteFileW(m_log.c_str());
        SetEnvironmentVariableW(L"KAVRI_FAKE_RUNNER_MODE", mode);
        CHostSession session(m_hOwner);
        session.m_params.Path = m_media.c_str();
        DWORD stopAt = 0, stopTook = 0;
        int result = Play(session, [&] {
            if (stopAt == 0 && session.IsPlaying()) {
                stopAt = GetTickCount();
                session.Stop();
                stopTook = GetTickCount() - stopAt;
            }
        });
        DWORD endedAfter = GetTickCount() - stopAt;
        EXPECT_EQ(1, result) << CStringA(mode);
        EXPECT_TRUE(session.WasStopped()) << CStringA(mode);
        // Limits far above the 3 s grace time: a busy machine may be slow, but never this slow.
        EXPECT_LE(stopTook, 30000u) << CStringA(mode) << ": a tool that does not answer does not hang the caller";
        EXPECT_GE(endedAfter, 2800u) << CStringA(mode) << ": the tool has its grace time";
        EXPECT_LE(endedAfter, 60000u) << CStringA(mode);
        EXPECT_FALSE(ToolExitedByItself()) << CStringA(mode) << ": it was killed";
        EXPECT_FALSE(FakeToolRunning()) << CStringA(mode);
    }
}

TEST_F(PlayerSessionRun, FailedRunsDoNotComplete)
{
    const struct {
        const char* name;
        const wchar_t* mode;
        bool missing;
        int result;
    } cases[] = {
        {"tool ends without a word", L"silent", false, 0},
        {"missing tool", nullptr, true, -2},
    };
    for (const auto& c : cases) {
        SetEnvironmentVariableW(L"KAVRI_FAKE_RUNNER_MODE", c.mode);
        if (c.missing)
            ClipRunnerPath = (m_folder / L"ClipRunner.exe").c_str();  // TearDown puts the path back
        SetLastToolError(0);
        CHostSession session(m_hOwner);
        session.m_params.Path = m_media.c_str();
        EXPECT_EQ(c.result, Play(session)) << c.name;
        EXPECT_EQ(PLAYER_STATE_FINISHED, session.GetState()) << c.name;
        EXPECT_FALSE(session.HasCompleted()) << c.name << ": nothing may move on to the next item";
        EXPECT_FALSE(session.WasStopped()) << c.name;
        EXPECT_EQ(c.missing ? TOOL_ERROR_PLAYER_MISSING : 0, GetLastToolError()) << c.name;
    }
}

TEST_F(PlayerSessionRun, ForgedBlocksDuringAPlaybackAreNotFollowed)
{
    CHostSession session(m_hOwner);
    session.m_params.Path = m_media.c_str();
    CHostSession bystander(m_hOwner);
    bool sent = false;
    Play(session, [&] {
        if (sent || !session.IsPlaying())
            return;
        sent = true;
        PlayerEventBlock block = {};
        block.Event = PLAYER_EVENT_PAUSE_CHANGED;
        block.Flag = 1;
        block.Status.Reset();
        const uint64_t forged[] = {ContextOf(static_cast<CPlayerRunner*>(&bystander)), ContextOf(&block), 12345};
        for (uint64_t context : forged) {
            block.Context = context;
            COPYDATASTRUCT cds = {PLAYER_MSG_EVENT, sizeof(block), &block};
            EXPECT_EQ(0, SendMessageW(m_hOwner, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds)));
        }
    });
    EXPECT_TRUE(sent);
    EXPECT_TRUE(bystander.states.empty());
    EXPECT_EQ(PLAYER_STATE_RESET, bystander.GetState());
    EXPECT_TRUE(session.HasCompleted()) << "the playing session went on undisturbed";
    EXPECT_EQ(session.states.end(), std::find(session.states.begin(), session.states.end(), PLAYER_STATE_PAUSED));
}

}  // namespace
