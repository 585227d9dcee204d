#include "player/CPlaylistThreads.h"
#include "player/CPlaylistThreadOwner.h"

namespace {

template <class TThread>
bool StartThread(TThread* pThread, int nPriority)
{
    if (!pThread->CreateThread(CREATE_SUSPENDED))
        return false;
    pThread->SetThreadPriority(nPriority);
    pThread->ResumeThread();
    return true;
}

template <class TThread>
void DeleteEnded(TThread*& pSlot)
{
    TThread* pThread = pSlot;
    if (!pThread)
        return;
    WaitForSingleObject(pThread->m_hThread, INFINITE);
    pSlot = nullptr;
    delete pThread;
}

}  // namespace

int CPlaylistThreads::StartLoadThread()
{
    if (m_pLoadThread)
        return 0;
    if (!m_pOwner->HasPendingPaths()) {
        StartUpdateThreads();
        return 1;
    }
    m_pLoadThread = new CMediaLoadThread(m_pOwner);
    if (!StartThread(m_pLoadThread, THREAD_PRIORITY_NORMAL)) {
        delete m_pLoadThread;
        m_pLoadThread = nullptr;
        return -1;
    }
    m_pOwner->OnLoadingChanged();
    return 0;
}

void CPlaylistThreads::StopLoadThread()
{
    if (m_pLoadThread)
        m_pLoadThread->WaitForExit();
}

int CPlaylistThreads::StartUpdateThreads()
{
    if (m_pOwner->GetItemCount() == 0)
        return 1;
    for (int nSlot = 0; nSlot < 2; ++nSlot) {
        if (m_pUpdateThreads[nSlot])
            continue;
        m_pUpdateThreads[nSlot] = new CMediaUpdateThread(m_pOwner, nSlot);
        if (!StartThread(m_pUpdateThreads[nSlot], THREAD_PRIORITY_BELOW_NORMAL)) {
            delete m_pUpdateThreads[nSlot];
            m_pUpdateThreads[nSlot] = nullptr;
            return -1;
        }
    }
    return 0;
}

void CPlaylistThreads::StopUpdateThreads()
{
    for (CMediaUpdateThread* pThread : m_pUpdateThreads) {
        if (pThread)
            pThread->RequestStop();
    }
    // The slots are read again after each wait: the other thread's done message may have been
    // handled meanwhile, and its object is then gone.
    for (int nSlot = 0; nSlot < 2; ++nSlot) {
        if (m_pUpdateThreads[nSlot])
            m_pUpdateThreads[nSlot]->WaitForExit();
    }
}

void CPlaylistThreads::OnLoadThreadDone()
{
    DeleteEnded(m_pLoadThread);
    m_pOwner->OnLoadingChanged();
}

void CPlaylistThreads::OnUpdateThreadDone(WPARAM nSlot, LPARAM pThread)
{
    if (nSlot < 2 && reinterpret_cast<LPARAM>(m_pUpdateThreads[nSlot]) == pThread)
        DeleteEnded(m_pUpdateThreads[nSlot]);
}
