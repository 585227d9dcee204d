#include "tools/ClipConverter/ProgressReporter.h"

#include <string>

ProgressReporter::ProgressReporter(HWND window, int64_t context, const ToolLog& log)
    : window_(window), context_(context), log_(log)
{
}

LRESULT ProgressReporter::Send(EncoderEvent event, const EncoderProgress& progress) const
{
    if (!window_)
        return 0;
    EncoderMessageBlock block = {};
    block.Context = context_;
    block.Event = event;
    block.Progress = progress;
    COPYDATASTRUCT data = {};
    data.dwData = ENCODER_MSG_EVENT;
    data.cbData = sizeof(block);
    data.lpData = &block;
    LRESULT reply = SendMessageW(window_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    log_.Line(L"reply " + std::to_wstring(event) + L" " + std::to_wstring(reply));
    return reply;
}
