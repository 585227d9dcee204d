// The base of the tool runners: one hidden child process per run, waited for on the calling
// (worker) thread. See CChildProcess for the stop flag and the forced kill.
#pragma once
#include "classlib/CString.h"

class CProcessRunner {
public:
    virtual ~CProcessRunner() = default;

    // The output file receives the child's standard output; the folder is the one it starts in.
    // Both are optional. Results as CChildProcess::RunProcessAndWait and RunProcessAndWaitEx.
    int RunCommandLine(LPCWSTR pszCommandLine, const volatile int* pStopFlag, LPCWSTR pszOutputFile = nullptr,
                       LPCWSTR pszWorkingFolder = nullptr);
    int RunCommandLineUntil(LPCWSTR pszCommandLine, const volatile int* pStopFlag, int nStopValue,
                            LPCWSTR pszOutputFile = nullptr, LPCWSTR pszWorkingFolder = nullptr);

protected:
    CProcessRunner() = default;
};
