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

    CVideoHostWnd* m_pHost;
};
