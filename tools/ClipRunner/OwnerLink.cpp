#include "tools/ClipRunner/OwnerLink.h"

#include "mediatools/CopyDataBlock.h"
#include "tools/ClipRunner/RunnerStatus.h"

#include <algorithm>
#include <string>

namespace {

// Long enough for any owner that works; an owner that hangs must not hang the tool for good.
const UINT kReplyTimeoutMs = 5000;

uint64_t MakeToolContext()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (static_cast<uint64_t>(GetCurrentProcessId()) << 32) ^ static_cast<uint64_t>(now.QuadPart) ^ 0x4B415652ull;
}

uint64_t WindowValue(HWND window)
{
    return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(window));
}

}  // namespace

OwnerLink::OwnerLink(uint64_t ownerWindow, uint64_t callbackContext, PlaybackControl& control, const ToolLog& log)
    : m_ownerWindow(ownerWindow),
      m_owner(reinterpret_cast<HWND>(static_cast<uintptr_t>(ownerWindow))),
      m_callbackContext(callbackContext),
      m_toolContext(MakeToolContext()),
      m_control(control),
      m_log(log)
{
}

LRESULT OwnerLink::Receive(const COPYDATASTRUCT* data)
{
    PlayerCommandBlock command = {};
    if (!ReadCopyDataBlock(data, PLAYER_MSG_COMMAND, command) || command.ToolContext != m_toolContext) {
        m_log.Line(L"refused a block that is no command of this run");
        return -1;
    }
    LRESULT reply = Obey(command);
    m_log.Line(L"command " + std::to_wstring(command.Command) + L" reply " + std::to_wstring(reply));
    return reply;
}

LRESULT OwnerLink::Obey(const PlayerCommandBlock& command)
{
    switch (command.Command) {
    case PLAYER_CMD_TOGGLE_PAUSE:
        m_control.RequestPauseToggle();
        return 0;
    case PLAYER_CMD_STOP:
        m_control.RequestStop();
        return 0;
    case PLAYER_CMD_SEEK:
        if (command.Argument2 != 0 && command.Argument2 != 1)
            return -1;
        m_control.RequestSeek(command.Argument1, command.Argument2 == 1);
        return 0;
    case PLAYER_CMD_MUTE:
        m_control.SetMute(command.Argument1 != 0);
        return 0;
    case PLAYER_CMD_VOLUME:
        m_control.SetVolume(static_cast<int>(std::clamp<int64_t>(command.Argument1, 0, 100)));
        return 0;
    default:
        return -1;
    }
}

void OwnerLink::Report(int32_t event, int32_t flag)
{
    if (!m_owner)
        return;
    PlaybackState state = m_control.State();
    PlayerEventBlock block = {};
    block.Context = m_callbackContext;
    block.Event = event;
    block.Flag = flag;
    block.Status = StatusOf(state);
    COPYDATASTRUCT data = {PLAYER_MSG_EVENT, sizeof(block), &block};
    DWORD_PTR reply = 0;
    // Commands that the owner sends meanwhile are handled while this call waits.
    if (!SendMessageTimeoutW(m_owner, WM_COPYDATA, reinterpret_cast<WPARAM>(state.Window),
                             reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, kReplyTimeoutMs, &reply))
        reply = 0;
    m_log.Line(L"event " + std::to_wstring(event) + L" flag " + std::to_wstring(flag) + L" reply " +
               std::to_wstring(static_cast<LRESULT>(reply)));
    if (static_cast<LRESULT>(reply) == PLAYER_CMD_STOP)
        m_control.RequestStop();
}

PlayerStatus OwnerLink::StatusOf(const PlaybackState& state) const
{
    PlayerStatus status;
    status.Reset();
    status.OwnerObject = m_callbackContext;
    status.OwnerWindow = m_ownerWindow;
    status.ToolContext = m_toolContext;
    status.ToolWindow = WindowValue(state.Window);
    status.DurationInUs = state.DurationUs;
    status.PositionInUs = state.PositionUs;
    status.VideoStreamIndex = state.VideoIndex;
    status.VideoWidth = state.VideoWidth;
    status.VideoHeight = state.VideoHeight;
    status.DisplayWidth = state.DisplayWidth;
    status.DisplayHeight = state.DisplayHeight;
    status.AudioStreamIndex = state.AudioIndex;
    status.SubtitleStreamIndex = state.SubtitleIndex;
    RunnerStatus runner = {state.Volume,       state.Mute ? 1 : 0,          state.Paused ? 1 : 0,
                           state.FramesShown,  state.FramesDropped,         state.AudioDevice ? 1 : 0};
    StoreRunnerStatus(status, runner);
    return status;
}
