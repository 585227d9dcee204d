// The load thread: runs the playlist's pending paths, then posts WM_LOAD_THREAD_DONE to the
// control's window, whose handler waits for the thread and deletes this object.
#pragma once
#include "framework/system/CWorkerThread.h"
#include "framework/system/StopFlag.h"

class CPlaylistThreadOwner;

class CMediaLoadThread : public CWorkerThread {
    DECLARE_DYNAMIC(CMediaLoadThread)
public:
    explicit CMediaLoadThread(CPlaylistThreadOwner* pOwner);

    BOOL InitInstance() override;  // the work; FALSE, so the thread ends
    int ExitInstance() override;
    void RequestStop();

    CPlaylistThreadOwner* m_pOwner;
    StopFlag m_nStopFlag{0};
};
