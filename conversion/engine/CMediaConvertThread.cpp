#include "conversion/engine/CMediaConvertThread.h"
#include "conversion/engine/CConvertTask.h"

IMPLEMENT_DYNAMIC(CMediaConvertThread, CWorkerThread)

CMediaConvertThread::CMediaConvertThread(CConvertTask* pTask, HWND hOwner) : CWorkerThread(hOwner), m_pTask(pTask) {}

BOOL CMediaConvertThread::InitInstance()
{
    if (m_pTask->Prepare() == 0) {
        m_pTask->Execute(m_hWndOwner);
        m_pTask->Finish();
    }
    return FALSE;
}

int CMediaConvertThread::ExitInstance()
{
    // When the window is gone the message is lost; the owner then waits for the thread itself.
    PostMessageW(m_hWndOwner, WM_CONVERT_TASK_FINISHED, 0, 0);
    return CWorkerThread::ExitInstance();
}
