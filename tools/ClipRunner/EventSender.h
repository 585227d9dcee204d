// Sends the tool's events to the owner window: WM_COPYDATA 1020 with the 4080-byte event block
// that carries the callback context and the status. Window thread.
#pragma once

#include "mediatools/PlayerStatus.h"
#include "tools/common/ToolLog.h"

#include <windows.h>

class EventSender {
public:
    EventSender(HWND owner, uint64_t context, const ToolLog& log) : m_owner(owner), m_context(context), m_log(log) {}

    // The owner's reply; 0 without an owner or when it does not answer in time.
    LRESULT Send(HWND from, int32_t event, int32_t flag, const PlayerStatus& status) const;

private:
    HWND m_owner;
    uint64_t m_context;
    const ToolLog& m_log;
};
