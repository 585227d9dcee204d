// The worker thread of one conversion task run: Prepare, Execute and Finish of the task, then
// WM_CONVERT_TASK_FINISHED to the owner (the task page), whose handler frees this object.
#pragma once
#include "framework/system/CWorkerThread.h"

class CConvertTask;

// Posted to the owner window when the thread has done its work; wParam and lParam 0.
const UINT WM_CONVERT_TASK_FINISHED = WM_USER + 9012;

class CMediaConvertThread : public CWorkerThread {
    DECLARE_DYNAMIC(CMediaConvertThread)
public:
    CMediaConvertThread(CConvertTask* pTask, HWND hOwner);

    // The thread body; always FALSE, so the thread goes on to ExitInstance.
    BOOL InitInstance() override;
    int ExitInstance() override;

    CConvertTask* m_pTask;  // not owned
};
