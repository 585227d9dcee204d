#include "framework/system/CWorkerThread.h"
#include "framework/system/MessagePumps.h"

IMPLEMENT_DYNCREATE(CWorkerThread, CWinThread)

// Empty: a worker handles no commands itself; derived threads chain their own maps to it.
BEGIN_MESSAGE_MAP(CWorkerThread, CWinThread)
END_MESSAGE_MAP()

CWorkerThread::CWorkerThread(HWND hWndOwner)
    : m_hWndOwner(hWndOwner), m_hFinished(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    m_bAutoDelete = FALSE;
}

CWorkerThread::~CWorkerThread()
{
    if (m_hFinished)
        CloseHandle(m_hFinished);
}

int CWorkerThread::ExitInstance()
{
    return CWinThread::ExitInstance();
}

void CWorkerThread::Delete()
{
    CWinThread::Delete();
    SetEvent(m_hFinished);
}

void CWorkerThread::WaitForExit()
{
    if (!m_hThread)
        return;
    SetThreadPriority(THREAD_PRIORITY_ABOVE_NORMAL);
    WaitServingSentMessages(m_hFinished, INFINITE);
    WaitServingSentMessages(m_hThread, INFINITE);
}
