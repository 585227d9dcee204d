// The base of the worker threads that run a playback or a conversion task.
//
// The owner creates the object (it is never deleted by its own thread), starts it, and before
// deleting it waits for it with WaitForExit; a window thread owns it through a
// CWorkerThreadOwner. Derived threads post their end-of-work message to the owner window in
// ExitInstance and then call the base.
#pragma once
#include "classlib/CWinThread.h"

class CWorkerThread : public CWinThread {
    DECLARE_DYNCREATE(CWorkerThread)
public:
    explicit CWorkerThread(HWND hWndOwner = nullptr);
    ~CWorkerThread() override;

    int ExitInstance() override;
    // Runs on the thread after its work and ExitInstance; sets the finished event.
    void Delete() override;
    // Raises the thread's priority so a low-priority worker finishes quickly, then waits for
    // the finished event and the thread's end, still answering the messages that other threads
    // send to the calling thread (the worker may be waiting on one of its windows). Returns at
    // once for a thread never started.
    virtual void WaitForExit();

    HWND GetOwnerWindow() const { return m_hWndOwner; }

protected:
    HWND m_hWndOwner;

    DECLARE_MESSAGE_MAP()

private:
    HANDLE m_hFinished;  // manual-reset: stays set once the work is over
};
