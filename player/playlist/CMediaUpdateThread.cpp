#include "player/playlist/CMediaUpdateThread.h"
#include "player/playlist/CPlaylistThreadOwner.h"

IMPLEMENT_DYNAMIC(CMediaUpdateThread, CWorkerThread)

CMediaUpdateThread::CMediaUpdateThread(CPlaylistThreadOwner* pOwner, int nStartIndex)
    : CWorkerThread(pOwner->GetThreadOwnerWindow()), m_pOwner(pOwner), m_nStartIndex(nStartIndex)
{
}

BOOL CMediaUpdateThread::InitInstance()
{
    m_pOwner->UpdateItemsFrom(m_nStartIndex, &m_nStopFlag);
    return FALSE;
}

int CMediaUpdateThread::ExitInstance()
{
    PostMessageW(m_hWndOwner, WM_UPDATE_THREAD_DONE, static_cast<WPARAM>(m_nStartIndex), reinterpret_cast<LPARAM>(this));
    return CWorkerThread::ExitInstance();
}

void CMediaUpdateThread::RequestStop()
{
    m_nStopFlag = PLAYLIST_THREAD_STOP;
}
