// The playback tool's side of the owner protocol: command blocks become calls on the playback
// only when they are commands of this run, and events carry the playback's state and pass an
// owner's "stop" on.
#include "tools/ClipRunner/OwnerLink.h"

#include "tools/ClipRunner/RunnerStatus.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class FakePlayback : public PlaybackControl {
public:
    void RequestPauseToggle() override { calls.push_back(L"pause"); }
    void RequestStop() override { calls.push_back(L"stop"); }
    void RequestSeek(int64_t offsetUs, bool relative) override
    {
        calls.push_back(L"seek " + std::to_wstring(offsetUs) + (relative ? L" relative" : L" absolute"));
    }
    void SetMute(bool mute) override { calls.push_back(mute ? L"mute on" : L"mute off"); }
    void SetVolume(int volume) override { calls.push_back(L"volume " + std::to_wstring(volume)); }
    PlaybackState State() const override { return state; }

    PlaybackState state;
    std::vector<std::wstring> calls;
};

// An owner window of this thread that keeps the event blocks it gets and answers with `reply`.
class FakeOwner {
public:
    FakeOwner()
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"OwnerLinkTestOwner";
        RegisterClassW(&windowClass);
        m_window = CreateWindowW(L"OwnerLinkTestOwner", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 windowClass.hInstance, this);
    }
    ~FakeOwner() { DestroyWindow(m_window); }
    uint64_t Value() const { return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(m_window)); }

    std::vector<PlayerEventBlock> events;
    LRESULT reply = 0;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* owner = reinterpret_cast<FakeOwner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_COPYDATA && owner) {
            auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (data->dwData == PLAYER_MSG_EVENT && data->cbData == sizeof(PlayerEventBlock))
                owner->events.push_back(*static_cast<const PlayerEventBlock*>(data->lpData));
            return owner->reply;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND m_window = nullptr;
};

PlayerCommandBlock Command(uint64_t context, int32_t command, int64_t argument1 = 0, int64_t argument2 = 0)
{
    PlayerCommandBlock block = {};
    block.ToolContext = context;
    block.Command = command;
    block.Argument1 = argument1;
    block.Argument2 = argument2;
    return block;
}

LRESULT Deliver(OwnerLink& link, PlayerCommandBlock block, ULONG_PTR code = PLAYER_MSG_COMMAND,
                DWORD size = sizeof(PlayerCommandBlock))
{
    COPYDATASTRUCT data = {code, size, &block};
    return link.Receive(&data);
}

class OwnerLinkTest : public ::testing::Test {
protected:
    FakeOwner owner;
    FakePlayback playback;
    ToolLog log;
    OwnerLink link{owner.Value(), 0x1122334455667788ull, playback, log};
};

TEST_F(OwnerLinkTest, CommandsOfThisRunBecomeCalls)
{
    const struct {
        int32_t command;
        int64_t argument1, argument2;
        LRESULT reply;
        const wchar_t* call;
    } cases[] = {
        {PLAYER_CMD_TOGGLE_PAUSE, 0, 0, 0, L"pause"},
        {PLAYER_CMD_STOP, 0, 0, 0, L"stop"},
        {PLAYER_CMD_SEEK, 5000000, 0, 0, L"seek 5000000 absolute"},
        {PLAYER_CMD_SEEK, -10000000, 1, 0, L"seek -10000000 relative"},
        {PLAYER_CMD_SEEK, 1, 2, -1, nullptr},  // no such seek mode
        {PLAYER_CMD_MUTE, 1, 0, 0, L"mute on"},
        {PLAYER_CMD_MUTE, 0, 0, 0, L"mute off"},
        {PLAYER_CMD_VOLUME, 40, 0, 0, L"volume 40"},
        {PLAYER_CMD_VOLUME, 250, 0, 0, L"volume 100"},
        {PLAYER_CMD_VOLUME, -3, 0, 0, L"volume 0"},
        {9999, 0, 0, -1, nullptr},
    };
    for (const auto& c : cases) {
        playback.calls.clear();
        EXPECT_EQ(c.reply, Deliver(link, Command(link.ToolContext(), c.command, c.argument1, c.argument2)))
            << c.command;
        std::vector<std::wstring> expected;
        if (c.call)
            expected.push_back(c.call);
        EXPECT_EQ(expected, playback.calls) << c.command;
    }
}

TEST_F(OwnerLinkTest, BlocksThatAreNoCommandOfThisRunAreRefusedUntouched)
{
    PlayerCommandBlock stop = Command(link.ToolContext(), PLAYER_CMD_STOP);
    EXPECT_EQ(-1, Deliver(link, Command(link.ToolContext() ^ 1, PLAYER_CMD_STOP)));
    EXPECT_EQ(-1, Deliver(link, stop, PLAYER_MSG_EVENT));
    EXPECT_EQ(-1, Deliver(link, stop, PLAYER_MSG_COMMAND, sizeof(stop) - 1));
    EXPECT_EQ(-1, link.Receive(nullptr));
    EXPECT_TRUE(playback.calls.empty());
}

TEST_F(OwnerLinkTest, EventsCarryTheStateAndTheContexts)
{
    playback.state.DurationUs = 4000000;
    playback.state.PositionUs = 1500000;
    playback.state.VideoIndex = 0;
    playback.state.AudioIndex = 1;
    playback.state.DisplayWidth = 640;
    playback.state.Volume = 35;
    playback.state.Paused = true;
    playback.state.FramesShown = 12;
    link.Report(PLAYER_EVENT_PAUSE_CHANGED, 1);

    ASSERT_EQ(1u, owner.events.size());
    const PlayerEventBlock& block = owner.events[0];
    EXPECT_EQ(0x1122334455667788ull, block.Context);
    EXPECT_EQ(PLAYER_EVENT_PAUSE_CHANGED, block.Event);
    EXPECT_EQ(1, block.Flag);
    EXPECT_EQ(0x1122334455667788ull, block.Status.OwnerObject);
    EXPECT_EQ(owner.Value(), block.Status.OwnerWindow);
    EXPECT_EQ(link.ToolContext(), block.Status.ToolContext);
    EXPECT_EQ(4000000, block.Status.DurationInUs);
    EXPECT_EQ(1500000, block.Status.PositionInUs);
    EXPECT_EQ(1, block.Status.AudioStreamIndex);
    EXPECT_EQ(640, block.Status.DisplayWidth);
    RunnerStatus runner = LoadRunnerStatus(block.Status);
    EXPECT_EQ(35, runner.Volume);
    EXPECT_EQ(1, runner.Paused);
    EXPECT_EQ(12, runner.FramesShown);
    EXPECT_TRUE(playback.calls.empty());
}

TEST_F(OwnerLinkTest, AnOwnerAnsweringStopAsksForAStop)
{
    owner.reply = PLAYER_CMD_STOP;
    link.Report(PLAYER_EVENT_PROGRESS);
    EXPECT_EQ(std::vector<std::wstring>{L"stop"}, playback.calls);
}

TEST(OwnerLink, WithoutAnOwnerNothingIsSent)
{
    FakePlayback playback;
    ToolLog log;
    OwnerLink link(0, 7, playback, log);
    link.Report(PLAYER_EVENT_STARTED);
    EXPECT_FALSE(link.OwnerGone());
    EXPECT_TRUE(playback.calls.empty());
}

}  // namespace
