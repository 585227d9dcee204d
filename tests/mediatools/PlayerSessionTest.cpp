// The player session's side of the protocol, in this process: events and the states they lead
// to, the commands sent to the tool's window, and blocks that name no running session.
#include "mediatools/CLiveObjectSet.h"
#include "mediatools/CPlayerSession.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A window standing in for the tool's command window: it keeps every command block.
struct ReceivedCommands {
    std::vector<PlayerCommandBlock> blocks;
    std::vector<DWORD> sizes;
    LRESULT reply = 7;
};

LRESULT CALLBACK ToolWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg != WM_COPYDATA)
        return DefWindowProcW(hwnd, msg, wp, lp);
    auto* got = reinterpret_cast<ReceivedCommands*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
    PlayerCommandBlock block = {};
    memcpy(&block, cds->lpData, cds->cbData < sizeof(block) ? cds->cbData : sizeof(block));
    got->blocks.push_back(block);
    got->sizes.push_back(cds->cbData);
    return cds->dwData == PLAYER_MSG_COMMAND ? got->reply : -99;
}

class PlayerSession : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ToolWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PlayerSessionTestTool";
        RegisterClassW(&wc);
        m_hTool = CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrW(m_hTool, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_commands));
    }
    void TearDown() override { DestroyWindow(m_hTool); }

    PlayerEventBlock Event(int nEvent, int nFlag = 0)
    {
        PlayerEventBlock block = {};
        block.Context = 1;
        block.Event = nEvent;
        block.Flag = nFlag;
        block.Status.Reset();
        block.Status.ToolContext = 0xC0FFEE;
        block.Status.ToolWindow = reinterpret_cast<UINT_PTR>(m_hTool);
        block.Status.DurationInUs = 10000000;
        block.Status.PositionInUs = 83456000;
        return block;
    }

    // A session whose tool has reported that it plays.
    void StartPlaying(CPlayerSession& session)
    {
        PlayerEventBlock playing = Event(PLAYER_EVENT_PLAYING);
        ASSERT_EQ(0, session.OnPlayerMessage(&playing));
        ASSERT_TRUE(session.IsPlaying());
    }

    HWND m_hTool = nullptr;
    ReceivedCommands m_commands;
};

class CRecordingSession : public CPlayerSession {
public:
    int OnStateChanged() override
    {
        states.push_back(GetState());
        return 1;
    }
    std::vector<int> states;
};

TEST_F(PlayerSession, EventsLeadToStates)
{
    const struct {
        const char* name;
        int startEvent;  // brought about first, 0 for none
        int event;
        int flag;
        int state;
        int reply;
    } cases[] = {
        {"started", 0, PLAYER_EVENT_STARTED, 0, PLAYER_STATE_STARTED, 0},
        {"stopping", PLAYER_EVENT_PLAYING, PLAYER_EVENT_STOPPING, 0, PLAYER_STATE_STOPPING, 0},
        {"playing", PLAYER_EVENT_STARTED, PLAYER_EVENT_PLAYING, 0, PLAYER_STATE_PLAYING, 0},
        {"paused", PLAYER_EVENT_PLAYING, PLAYER_EVENT_PAUSE_CHANGED, 1, PLAYER_STATE_PAUSED, 0},
        {"resumed", PLAYER_EVENT_PLAYING, PLAYER_EVENT_PAUSE_CHANGED, 0, PLAYER_STATE_PLAYING, 0},
        {"progress keeps the state", PLAYER_EVENT_PLAYING, PLAYER_EVENT_PROGRESS, 0, PLAYER_STATE_PLAYING, 0},
        {"media opened keeps the state", PLAYER_EVENT_STARTED, PLAYER_EVENT_MEDIA_OPENED, 1, PLAYER_STATE_STARTED, 0},
        {"end of media", PLAYER_EVENT_PLAYING, PLAYER_EVENT_END_OF_MEDIA, 0, PLAYER_STATE_END_OF_MEDIA, 0},
        {"finished", PLAYER_EVENT_PLAYING, PLAYER_EVENT_FINISHED, 0, PLAYER_STATE_FINISHED, 0},
        {"unknown code", PLAYER_EVENT_PLAYING, 77, 0, PLAYER_STATE_PLAYING, -1},
    };
    for (const auto& c : cases) {
        CRecordingSession session;
        if (c.startEvent) {
            PlayerEventBlock first = Event(c.startEvent);
            session.OnPlayerMessage(&first);
        }
        PlayerEventBlock block = Event(c.event, c.flag);
        block.Status.PositionInUs = 4242;
        EXPECT_EQ(c.reply, session.OnPlayerMessage(&block)) << c.name;
        EXPECT_EQ(c.state, session.GetState()) << c.name;
        EXPECT_EQ(4242, session.m_status.PositionInUs) << c.name << ": the status is taken even for an unknown code";
    }
    CPlayerSession session;
    EXPECT_EQ(-1, session.OnPlayerMessage(nullptr));
}

TEST_F(PlayerSession, PauseEventWithFlagZeroWhilePausedResumes)
{
    CRecordingSession session;
    StartPlaying(session);
    PlayerEventBlock paused = Event(PLAYER_EVENT_PAUSE_CHANGED, 1);
    session.OnPlayerMessage(&paused);
    PlayerEventBlock resumed = Event(PLAYER_EVENT_PAUSE_CHANGED, 0);
    session.OnPlayerMessage(&resumed);
    EXPECT_EQ((std::vector<int>{PLAYER_STATE_PLAYING, PLAYER_STATE_PAUSED, PLAYER_STATE_PLAYING}), session.states);
}

TEST_F(PlayerSession, EndReasonOfAFinishedRun)
{
    const struct {
        const char* name;
        std::vector<int> events;
        bool stop;
        bool completed;
        bool stopped;
    } cases[] = {
        {"played to the end", {PLAYER_EVENT_STARTED, PLAYER_EVENT_PLAYING, PLAYER_EVENT_FINISHED}, false, true, false},
        {"stopped on request", {PLAYER_EVENT_STARTED, PLAYER_EVENT_PLAYING, PLAYER_EVENT_FINISHED}, true, false, true},
        {"finished before saying it started", {PLAYER_EVENT_FINISHED}, false, false, false},
        {"started, then finished", {PLAYER_EVENT_STARTED, PLAYER_EVENT_FINISHED}, false, true, false},
    };
    for (const auto& c : cases) {
        CPlayerSession session;
        if (c.stop)
            session.Stop();
        for (int nEvent : c.events) {
            PlayerEventBlock block = Event(nEvent);
            EXPECT_EQ(c.stop ? 20 : 0, session.OnPlayerMessage(&block)) << c.name << ": the reply is the stop request";
        }
        EXPECT_EQ(c.completed, session.HasCompleted()) << c.name;
        EXPECT_EQ(c.stopped, session.WasStopped()) << c.name;
    }
}

TEST_F(PlayerSession, MediaOpenedWithAnOddSizeShowsItAtItsOwnSize)
{
    const struct {
        int width, height, flag;
        int zoom;
    } cases[] = {
        {1279, 720, 1, 100}, {1280, 721, 1, 100}, {1280, 720, 1, 0}, {1279, 720, 0, 0}, {0, 721, 1, 0}, {-1, 720, 1, 0},
    };
    for (const auto& c : cases) {
        CPlayerSession session;
        session.SetZoomRatio(0);
        PlayerEventBlock block = Event(PLAYER_EVENT_MEDIA_OPENED, c.flag);
        block.Status.VideoWidth = c.width;
        block.Status.VideoHeight = c.height;
        session.OnPlayerMessage(&block);
        EXPECT_EQ(c.zoom, session.GetZoomRatio()) << c.width << "x" << c.height << " flag " << c.flag;
    }
}

TEST_F(PlayerSession, CommandsWhilePlaying)
{
    CPlayerSession session;
    StartPlaying(session);
    EXPECT_EQ(7, session.TogglePause());
    EXPECT_EQ(7, session.Seek(-10000000, 1));
    EXPECT_EQ(7, session.SetMute(1));
    EXPECT_EQ(7, session.SetVolume(150));
    EXPECT_EQ(100, session.GetVolume());
    EXPECT_EQ(7, session.SetVolume(-5));
    EXPECT_EQ(0, session.GetVolume());
    EXPECT_EQ(0, session.Stop());

    const struct {
        int code;
        LONGLONG arg1, arg2;
    } expected[] = {{10, 0, 0}, {50, -10000000, 1}, {200, 1, 0}, {201, 100, 0}, {201, 0, 0}, {20, 0, 0}};
    ASSERT_EQ(sizeof(expected) / sizeof(expected[0]), m_commands.blocks.size());
    for (size_t i = 0; i < m_commands.blocks.size(); i++) {
        const PlayerCommandBlock& block = m_commands.blocks[i];
        EXPECT_EQ(2080u, m_commands.sizes[i]);
        EXPECT_EQ(0xC0FFEEu, block.ToolContext);
        EXPECT_EQ(expected[i].code, block.Command);
        EXPECT_EQ(0, block.Zero);
        EXPECT_EQ(expected[i].arg1, block.Argument1);
        EXPECT_EQ(expected[i].arg2, block.Argument2);
        EXPECT_EQ(0, block.Text[0]);
    }
}

TEST_F(PlayerSession, NothingIsSentWhenNotPlaying)
{
    CPlayerSession session;
    PlayerEventBlock started = Event(PLAYER_EVENT_STARTED);
    session.OnPlayerMessage(&started);  // the tool window is known, but nothing plays yet
    EXPECT_EQ(0, session.TogglePause());
    EXPECT_EQ(0, session.Seek(1000, 0));
    EXPECT_EQ(0, session.SetMute(1));
    EXPECT_EQ(0, session.SetVolume(30));
    EXPECT_EQ(-1, session.Restart());
    EXPECT_EQ(1, session.Stop());
    EXPECT_TRUE(m_commands.blocks.empty());
    EXPECT_EQ(1, session.GetMute()) << "kept for the next run's command line";
    EXPECT_EQ(30, session.GetVolume());
    PlayerEventBlock progress = Event(PLAYER_EVENT_PROGRESS);
    EXPECT_EQ(20, session.OnPlayerMessage(&progress)) << "the stop request answers the next event";
}

TEST_F(PlayerSession, CommandWithoutAToolWindowIsNotSent)
{
    CPlayerSession session;
    EXPECT_EQ(-1, session.SendCommand(PLAYER_CMD_TOGGLE_PAUSE, 0, 0, nullptr));
    EXPECT_TRUE(m_commands.blocks.empty());
}

TEST_F(PlayerSession, CommandTextIsCutTo2047Bytes)
{
    CPlayerSession session;
    StartPlaying(session);
    std::string longText(3000, 'x');
    session.SendCommand(PLAYER_CMD_TOGGLE_PAUSE, 0, 0, longText.c_str());
    session.SendCommand(PLAYER_CMD_TOGGLE_PAUSE, 0, 0, "abc");
    ASSERT_EQ(2u, m_commands.blocks.size());
    EXPECT_EQ(2047u, strnlen(m_commands.blocks[0].Text, sizeof(m_commands.blocks[0].Text)));
    EXPECT_EQ('x', m_commands.blocks[0].Text[2046]);
    EXPECT_STREQ("abc", m_commands.blocks[1].Text);
}

TEST_F(PlayerSession, RestartTakesThePositionAndAsksTheToolToEnd)
{
    CPlayerSession session;
    StartPlaying(session);
    PlayerEventBlock paused = Event(PLAYER_EVENT_PAUSE_CHANGED, 1);
    session.OnPlayerMessage(&paused);
    EXPECT_EQ(0, session.Restart());
    ASSERT_EQ(1u, m_commands.blocks.size());
    EXPECT_EQ(PLAYER_CMD_STOP, m_commands.blocks[0].Command);
    session.ApplyRestartPosition();
    EXPECT_EQ(83456, session.m_params.StartPosition);
    PlayerEventBlock progress = Event(PLAYER_EVENT_PROGRESS);
    EXPECT_EQ(0, session.OnPlayerMessage(&progress)) << "a restart is no stop request";
}

TEST_F(PlayerSession, BlocksNamingNoRunningSessionAreNotFollowed)
{
    CRecordingSession idle;  // exists, but runs no tool
    StartPlaying(idle);
    idle.states.clear();
    PlayerEventBlock block = Event(PLAYER_EVENT_PAUSE_CHANGED, 1);
    block.Status.PositionInUs = 1;
    const uint64_t contexts[] = {0, ContextOf(static_cast<CPlayerRunner*>(&idle)), 0xDEADBEEF, ~0ULL};
    for (uint64_t context : contexts) {
        block.Context = context;
        COPYDATASTRUCT cds = {PLAYER_MSG_EVENT, sizeof(block), &block};
        EXPECT_EQ(0, CPlayerSession::DeliverEvent(&cds)) << context;
    }
    EXPECT_TRUE(idle.states.empty());
    EXPECT_EQ(83456000, idle.m_status.PositionInUs);

    block.Context = ContextOf(static_cast<CPlayerRunner*>(&idle));
    COPYDATASTRUCT shortBlock = {PLAYER_MSG_EVENT, sizeof(block) - 1, &block};
    EXPECT_EQ(-1, CPlayerSession::DeliverEvent(&shortBlock));
    COPYDATASTRUCT otherCode = {PLAYER_MSG_COMMAND, sizeof(block), &block};
    EXPECT_EQ(-1, CPlayerSession::DeliverEvent(&otherCode));
    COPYDATASTRUCT noData = {PLAYER_MSG_EVENT, sizeof(block), nullptr};
    EXPECT_EQ(-1, CPlayerSession::DeliverEvent(&noData));
    EXPECT_EQ(-1, CPlayerSession::DeliverEvent(nullptr));
}

TEST(PlayerStatusRecord, ResetZeroesAllButTheStreamIndexes)
{
    PlayerStatus status;
    memset(&status, 0xAB, sizeof(status));
    status.Reset();
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&status);
    const size_t indexes[] = {252, 700, 1140, 1572};
    for (size_t offset = 0; offset < sizeof(status); offset++) {
        bool inIndex = false;
        for (size_t index : indexes)
            inIndex = inIndex || (offset >= index && offset < index + 4);
        EXPECT_EQ(inIndex ? 0xFF : 0, bytes[offset]) << offset;
    }
}

}  // namespace
