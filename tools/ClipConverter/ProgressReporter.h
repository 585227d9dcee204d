// Sends the progress blocks to the callback window and returns its replies. Without a window
// nothing is sent and every reply is 0.
#pragma once

#include "mediatools/EncoderProgress.h"
#include "common/ToolLog.h"

class ProgressReporter {
public:
    ProgressReporter(HWND window, int64_t context, const ToolLog& log);
    LRESULT Send(EncoderEvent event, const EncoderProgress& progress) const;

private:
    HWND m_window;
    int64_t m_context;
    const ToolLog& m_log;
};
