// The play thread: one blocking run of the host's playback session, then WM_THREAD_FINISHED to
// the host window, whose handler waits for the thread and deletes this object.
#pragma once
#include "framework/system/CWorkerThread.h"

class CVideoHostWnd;

class CMediaPlayThread : public CWorkerThread {
    DECLARE_DYNAMIC(CMediaPlayThread)
public:
    explicit CMediaPlayThread(CVideoHostWnd* pHost);

    // Plays (blocking for the whole playback) and returns FALSE, so the thread ends.
    BOOL InitInstance() override;
    int ExitInstance() override;
    // Window thread: raises the thread and pumps only its end message for the host window
    // (messages that other threads send, such as the tool's events, are still delivered).
    // That message's handler deletes this object, so nothing here touches it afterwards.
    void WaitForExit() override;

    CVideoHostWnd* m_pHost;
};
