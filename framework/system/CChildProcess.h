// One child process, started hidden by default and waited for on the calling thread.
//
// The child is started directly (never through the command interpreter, which would split a
// path at '&' and expand %NAME%) inside a job object, so a forced kill ends it together with
// the processes it started, and closing the job ends whatever is left of them.
#pragma once
#include "classlib/CString.h"
#include "framework/system/StopFlag.h"
#include "common/OwnedHandle.h"

class CChildProcess {
public:
    static const DWORD kGraceTime = 3000;  // ms that a stop request may stay unanswered

    explicit CChildProcess(bool bShown = false);
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;
    virtual ~CChildProcess();

    // The child's standard output goes into this file (created anew) through an inherited handle.
    void SetOutputFile(LPCWSTR pszPath) { m_strOutputFile = pszPath; }
    // The folder the child starts in; by default the caller's current folder.
    void SetWorkingFolder(LPCWSTR pszFolder) { m_strWorkingFolder = pszFolder; }

    // Both block until the child has ended. The stop flag, when given, is an integer that another
    // thread sets; it is read every 100 ms. Once it has held a stop request for kGraceTime in
    // total, the child and its own children are terminated (exit code 1).
    //
    // Any non-zero flag is a stop request. 0 for exit code 0; -1 when the child could not be
    // started or ended with another code.
    int RunProcessAndWait(LPCWSTR pszCommandLine, const StopFlag* pStopFlag);
    // Only nStopValue is a stop request; other non-zero values let the child run on. -1 when the
    // child could not be started; 1 when the flag is non-zero after the child has ended; else 0
    // for exit code 0 and -1 for any other.
    int RunProcessAndWaitEx(LPCWSTR pszCommandLine, const StopFlag* pStopFlag, int nStopValue);

private:
    bool Start(LPCWSTR pszCommandLine);
    bool CreateSuspended(LPCWSTR pszCommandLine, HANDLE hOutput);
    void Wait(const StopFlag* pStopFlag, bool bAnyValue, int nStopValue);
    void Kill();
    int ExitResult() const;
    void CloseHandles();

    STARTUPINFOW m_startupInfo;
    PROCESS_INFORMATION m_processInfo;
    OwnedHandle m_job;  // closing it ends whatever the child left running
    CString m_strOutputFile;
    CString m_strWorkingFolder;
};
