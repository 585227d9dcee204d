#include "player/playback/CMediaPlayThread.h"
#include "framework/controls/FrameworkMessages.h"
#include "player/playback/CVideoHostWnd.h"

IMPLEMENT_DYNAMIC(CMediaPlayThread, CWorkerThread)

CMediaPlayThread::CMediaPlayThread(CVideoHostWnd* pHost) : CWorkerThread(pHost->GetSafeHwnd()), m_pHost(pHost) {}

BOOL CMediaPlayThread::InitInstance()
{
    m_pHost->Play();
    return FALSE;
}

int CMediaPlayThread::ExitInstance()
{
    if (m_hWndOwner)
        PostMessageW(m_hWndOwner, WM_THREAD_FINISHED, 0, 0);
    return CWorkerThread::ExitInstance();
}
