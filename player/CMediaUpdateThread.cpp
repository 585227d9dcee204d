#include "player/CMediaUpdateThread.h"
#include "framework/system/MessagePumps.h"
#include "player/CPlaylistThreadOwner.h"

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

void CMediaUpdateThread::WaitForExit()
{
    HWND hOwner = m_hWndOwner;
    if (!hOwner || !IsWindow(hOwner)) {
        CWorkerThread::WaitForExit();
        return;
    }
    SetThreadPriority(THREAD_PRIORITY_ABOVE_NORMAL);
    PumpMessagesUntilMatch(hOwner, WM_UPDATE_THREAD_DONE, 0, reinterpret_cast<LPARAM>(this));
}

void CMediaUpdateThread::RequestStop()
{
    m_nStopFlag = PLAYLIST_THREAD_STOP;
}
