// CWinThread: a thread and the object that runs it.
//
// A thread made from a run-time class runs InitInstance, then Run when InitInstance returned
// TRUE or ExitInstance at once when it returned FALSE; a thread made from a function runs the
// function. Then, still on the thread, Delete runs (deleting the object when m_bAutoDelete
// is set) and the thread ends with the result as its exit code. The object closes m_hThread
// when it is destroyed, so an owner that keeps the object (m_bAutoDelete FALSE) can wait on
// the handle and read the exit code until it deletes the object.
//
// Run is the message loop of a user-interface thread: each message goes through
// PreTranslateMessage (the windows from its own up to the main window, so a frame translates
// its accelerators) before it is dispatched; when the queue is empty OnIdle runs, first the
// idle update of the main window and its bars (WM_IDLEUPDATECMDUI), then the deletion of the
// thread's temporary wrappers. WM_QUIT ends the loop with ExitInstance's result.
#pragma once
#include "classlib/CCmdTarget.h"

class CWnd;

typedef UINT(__cdecl* AFX_THREADPROC)(LPVOID pParam);

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    // Starts the thread (once); CREATE_SUSPENDED leaves it waiting for ResumeThread.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

    operator HANDLE() const { return m_hThread; }
    int GetThreadPriority() const;
    BOOL SetThreadPriority(int nPriority);
    DWORD SuspendThread();
    DWORD ResumeThread();

    virtual BOOL InitInstance();  // FALSE here: a plain thread object has nothing to run
    virtual int Run();            // ExitInstance's result
    virtual int ExitInstance();   // the thread's exit code; 0 here
    virtual void Delete();        // deletes the object when m_bAutoDelete

    virtual BOOL PreTranslateMessage(MSG* pMsg);  // TRUE: the message is not dispatched
    virtual BOOL PumpMessage();                   // FALSE on WM_QUIT
    virtual BOOL OnIdle(LONG lCount);             // FALSE: nothing more to do until a message
    virtual BOOL IsIdleMessage(MSG* pMsg);        // FALSE for messages that come on their own

    CWnd* m_pMainWnd;  // destroying it ends the thread's message loop
    MSG m_msgCur;      // the message being pumped
    BOOL m_bAutoDelete;  // TRUE unless the owner deletes the object
    HANDLE m_hThread;
    DWORD m_nThreadID;

protected:
    // Makes pThread the object AfxGetThread returns on the calling thread.
    static void SetCurrentThread(CWinThread* pThread);

private:
    friend CWinThread* AfxGetThread();
    static unsigned __stdcall ThreadEntry(void* pParam);
    static DWORD CurrentThreadSlot();
    UINT RunSteps();

    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;
};

// Both create the object, set the priority, and start it unless dwCreateFlags holds
// CREATE_SUSPENDED. Null on failure (the object is then deleted), and for a class that is not
// a creatable CWinThread.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

// The object running the calling thread (the application object on the main thread), or null
// on a thread that no CWinThread started.
CWinThread* AfxGetThread();
