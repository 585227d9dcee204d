// The root of a task that runs on a worker thread of its own: the stop request that the run
// watches, and the thread while one runs.
#pragma once
#include "framework/system/CWorkerThreadOwner.h"
#include "framework/system/StopFlag.h"
#include <windows.h>

class CMediaConvertThread;

const int TASK_STOP_REQUESTED = 20;  // the stop value the tool runners act on

class CWorkerTask {
public:
    CWorkerTask() = default;
    CWorkerTask(const CWorkerTask&) = delete;
    CWorkerTask& operator=(const CWorkerTask&) = delete;
    virtual ~CWorkerTask() = default;

    // Window thread: 0 started, 1 already running, -1 failed.
    virtual int Start(HWND hOwner) = 0;
    // Window thread: 0 once the run has ended, 1 when none was running.
    virtual int Stop() = 0;
    // Worker thread, in this order; Execute and Finish only when Prepare gave 0.
    virtual int Prepare() = 0;
    virtual int Execute(HWND hOwner) = 0;
    virtual void Finish() = 0;

    // 0 while a run may go on; TASK_STOP_REQUESTED once a stop was asked for. Written by the
    // window thread, read by the run.
    StopFlag m_nStopRequest{0};
    CWorkerThreadOwner<CMediaConvertThread> m_pThread;  // holds a run's thread while it exists
};
