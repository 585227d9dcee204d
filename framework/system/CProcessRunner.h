// The base of the tool runners: one hidden child process per run, waited for on the calling
// (worker) thread. See CChildProcess for the stop flag and the forced kill.
#pragma once
#include "classlib/CString.h"
#include "framework/system/StopFlag.h"

class CProcessRunner {
public:
    virtual ~CProcessRunner() = default;

    // The output file receives the child's standard output; the folder is the one it starts in.
    // Both are optional. Results as CChildProcess::RunProcessAndWait and RunProcessAndWaitEx.
    virtual int RunCommandLine(LPCWSTR pszCommandLine, const StopFlag* pStopFlag, LPCWSTR pszOutputFile = nullptr,
                               LPCWSTR pszWorkingFolder = nullptr);
    virtual int RunCommandLineUntil(LPCWSTR pszCommandLine, const StopFlag* pStopFlag, int nStopValue,
                                    LPCWSTR pszOutputFile = nullptr, LPCWSTR pszWorkingFolder = nullptr);
    // Runs the command line that BuildCommandLine gives; -1 when it builds none.
    virtual int Run(const StopFlag* pStopFlag);
    // 0 with the complete command line, non-zero when there is nothing to run. The base builds
    // nothing (1): the tool runners build theirs from their own options.
    virtual int BuildCommandLine(CString& strCommandLine);

protected:
    CProcessRunner() = default;
};
