// An update thread: builds the thumbnails of every second row from its start index (0 or 1),
// then posts WM_UPDATE_THREAD_DONE to the control's window, whose handler waits for the
// thread and deletes this object. Runs below normal priority.
#pragma once
#include "framework/system/CWorkerThread.h"
#include "framework/system/StopFlag.h"

class CPlaylistThreadOwner;

class CMediaUpdateThread : public CWorkerThread {
    DECLARE_DYNAMIC(CMediaUpdateThread)
public:
    CMediaUpdateThread(CPlaylistThreadOwner* pOwner, int nStartIndex);

    BOOL InitInstance() override;
    int ExitInstance() override;
    void RequestStop();

    CPlaylistThreadOwner* m_pOwner;
    int m_nStartIndex;
    StopFlag m_nStopFlag{0};
};
