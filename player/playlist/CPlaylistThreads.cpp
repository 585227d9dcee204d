#include "player/playlist/CPlaylistThreads.h"
#include "player/playlist/CPlaylistThreadOwner.h"

int CPlaylistThreads::StartLoadThread()
{
    if (m_pLoadThread)
        return 0;
    if (!m_pOwner->HasPendingPaths()) {
        StartUpdateThreads();
        return 1;
    }
    if (!m_pLoadThread.Start(new CMediaLoadThread(m_pOwner), THREAD_PRIORITY_NORMAL))
        return -1;
    m_pOwner->OnLoadingChanged();
    return 0;
}

void CPlaylistThreads::StopLoadThread()
{
    if (!m_pLoadThread)
        return;
    m_pLoadThread->RequestStop();
    m_pLoadThread.Stop(WM_LOAD_THREAD_DONE);
}

int CPlaylistThreads::StartUpdateThreads()
{
    if (m_pOwner->GetItemCount() == 0)
        return 1;
    for (int nSlot = 0; nSlot < 2; ++nSlot) {
        if (m_pUpdateThreads[nSlot])
            continue;
        if (!m_pUpdateThreads[nSlot].Start(new CMediaUpdateThread(m_pOwner, nSlot), THREAD_PRIORITY_BELOW_NORMAL))
            return -1;
    }
    return 0;
}

void CPlaylistThreads::StopUpdateThreads()
{
    for (CWorkerThreadOwner<CMediaUpdateThread>& thread : m_pUpdateThreads) {
        if (thread)
            thread->RequestStop();
    }
    // Each waits for its own done message; the other thread's may be handled meanwhile, which
    // empties that slot.
    for (CWorkerThreadOwner<CMediaUpdateThread>& thread : m_pUpdateThreads)
        thread.Stop(WM_UPDATE_THREAD_DONE, reinterpret_cast<LPARAM>(thread.Get()));
}

void CPlaylistThreads::OnLoadThreadDone()
{
    m_pLoadThread.WaitAndDelete();
    m_pOwner->OnLoadingChanged();
}

void CPlaylistThreads::OnUpdateThreadDone(WPARAM nSlot, LPARAM pThread)
{
    if (nSlot < 2 && reinterpret_cast<LPARAM>(m_pUpdateThreads[nSlot].Get()) == pThread)
        m_pUpdateThreads[nSlot].WaitAndDelete();
}
