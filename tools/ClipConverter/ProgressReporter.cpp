#include "tools/ClipConverter/ProgressReporter.h"

#include <string>

ProgressReporter::ProgressReporter(HWND window, int64_t context, const ToolLog& log)
    : m_window(window), m_context(context), m_log(log)
{
}

LRESULT ProgressReporter::Send(EncoderEvent event, const EncoderProgress& progress) const
{
    if (!m_window)
        return 0;
    EncoderMessageBlock block = {};
    block.Context = m_context;
    block.Event = event;
    block.Progress = progress;
    COPYDATASTRUCT data = {};
    data.dwData = ENCODER_MSG_EVENT;
    data.cbData = sizeof(block);
    data.lpData = &block;
    LRESULT reply = SendMessageW(m_window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    m_log.Line(L"reply " + std::to_wstring(event) + L" " + std::to_wstring(reply));
    return reply;
}
