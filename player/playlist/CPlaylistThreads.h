// The playlist control's worker threads: one load thread that adds the pending paths and two
// update threads that build thumbnails (slot 0 the even rows, slot 1 the odd ones). The
// control starts and stops them on its window thread and hands its done messages here.
#pragma once
#include "framework/system/CWorkerThreadOwner.h"
#include "player/playlist/CMediaLoadThread.h"
#include "player/playlist/CMediaUpdateThread.h"

class CPlaylistThreadOwner;

class CPlaylistThreads {
public:
    explicit CPlaylistThreads(CPlaylistThreadOwner* pOwner) : m_pOwner(pOwner) {}
    CPlaylistThreads(const CPlaylistThreads&) = delete;
    CPlaylistThreads& operator=(const CPlaylistThreads&) = delete;

    // With nothing pending, starts the update threads instead (1); 0 started; -1 failed.
    int StartLoadThread();
    // Asks the load thread to stop and waits for its done message, pumping messages.
    void StopLoadThread();
    // 1 for an empty playlist; 0 started (a slot still running is left as it is); -1 failed.
    int StartUpdateThreads();
    // Asks both update threads to stop first, then waits for each.
    void StopUpdateThreads();
    bool IsLoading() const { return static_cast<bool>(m_pLoadThread); }
    bool IsUpdating() const { return m_pUpdateThreads[0] || m_pUpdateThreads[1]; }

    // The done messages' handlers: wait for the thread's end and delete its object. An update
    // thread's message names its slot and the thread; one naming another thread is ignored.
    void OnLoadThreadDone();
    void OnUpdateThreadDone(WPARAM nSlot, LPARAM pThread);

    CWorkerThreadOwner<CMediaLoadThread> m_pLoadThread;
    CWorkerThreadOwner<CMediaUpdateThread> m_pUpdateThreads[2];

private:
    CPlaylistThreadOwner* m_pOwner;
};
