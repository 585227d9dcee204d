#include "player/playlist/CMediaLoadThread.h"
#include "player/playlist/CPlaylistThreadOwner.h"

IMPLEMENT_DYNAMIC(CMediaLoadThread, CWorkerThread)

CMediaLoadThread::CMediaLoadThread(CPlaylistThreadOwner* pOwner)
    : CWorkerThread(pOwner->GetThreadOwnerWindow()), m_pOwner(pOwner)
{
}

BOOL CMediaLoadThread::InitInstance()
{
    m_pOwner->ProcessPendingPaths(&m_nStopFlag);
    return FALSE;
}

int CMediaLoadThread::ExitInstance()
{
    PostMessageW(m_hWndOwner, WM_LOAD_THREAD_DONE, 0, 0);
    return CWorkerThread::ExitInstance();
}

void CMediaLoadThread::RequestStop()
{
    m_nStopFlag = PLAYLIST_THREAD_STOP;
}
