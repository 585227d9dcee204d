#include "tools/ClipRunner/EventSender.h"

#include <string>

namespace {

// Long enough for any owner that works; an owner that hangs must not hang the tool for good.
const UINT kReplyTimeoutMs = 5000;

}  // namespace

LRESULT EventSender::Send(HWND from, int32_t event, int32_t flag, const PlayerStatus& status) const
{
    if (!m_owner)
        return 0;
    PlayerEventBlock block = {};
    block.Context = m_context;
    block.Event = event;
    block.Flag = flag;
    block.Status = status;
    COPYDATASTRUCT data = {PLAYER_MSG_EVENT, sizeof(block), &block};
    DWORD_PTR reply = 0;
    // Commands that the owner sends meanwhile are handled while this call waits.
    if (!SendMessageTimeoutW(m_owner, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&data),
                             SMTO_NORMAL, kReplyTimeoutMs, &reply))
        reply = 0;
    m_log.Line(L"event " + std::to_wstring(event) + L" flag " + std::to_wstring(flag) + L" reply " +
               std::to_wstring(static_cast<LRESULT>(reply)));
    return static_cast<LRESULT>(reply);
}
