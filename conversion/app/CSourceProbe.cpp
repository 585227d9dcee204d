#include "conversion/app/CSourceProbe.h"
#include "conversion/engine/CWorkerTask.h"
#include "framework/system/MessagePumps.h"

int CSourceProbe::Start(HWND hOwner, UINT nMessage, WPARAM tag, ProbeFunction probe)
{
    if (IsRunning())
        return -1;
    m_stop = 0;
    m_hOwner = hOwner;
    m_nMessage = nMessage;
    m_tag = tag;
    m_probe = std::move(probe);
    m_thread.Reset(CreateThread(nullptr, 0, ThreadProc, this, 0, nullptr));
    return IsRunning() ? 0 : -1;
}

DWORD WINAPI CSourceProbe::ThreadProc(LPVOID pParam)
{
    CSourceProbe* pThis = static_cast<CSourceProbe*>(pParam);
    int result = pThis->m_probe(&pThis->m_stop);
    PostMessageW(pThis->m_hOwner, pThis->m_nMessage, pThis->m_tag, static_cast<LPARAM>(result));
    return 0;
}

void CSourceProbe::Stop()
{
    if (!IsRunning())
        return;
    m_stop = TASK_STOP_REQUESTED;
    // The probe may be waiting on a message it sent to this thread's windows.
    WaitServingSentMessages(m_thread.Get(), INFINITE);
    m_thread.Reset();
}

void CSourceProbe::Cancel()
{
    m_stop = TASK_STOP_REQUESTED;
}
