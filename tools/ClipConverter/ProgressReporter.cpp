#include "tools/ClipConverter/ProgressReporter.h"

#include <string>

namespace {

using SendMessageFunction = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);

// user32 is loaded at the first report, once ffmpeg runs: a process that imports it takes
// about 20 ms longer to start under Wine, and a run without a window never needs it.
SendMessageFunction LoadSendMessage()
{
    HMODULE user32 = LoadLibraryW(L"user32.dll");
    FARPROC address = user32 ? GetProcAddress(user32, "SendMessageW") : nullptr;
    return reinterpret_cast<SendMessageFunction>(reinterpret_cast<void*>(address));
}

}  // namespace

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
    static const SendMessageFunction sendMessage = LoadSendMessage();
    LRESULT reply = sendMessage ? sendMessage(m_window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)) : 0;
    m_log.Line(L"reply " + std::to_wstring(event) + L" " + std::to_wstring(reply));
    return reply;
}
