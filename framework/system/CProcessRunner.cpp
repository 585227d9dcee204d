#include "framework/system/CProcessRunner.h"
#include "framework/system/CChildProcess.h"

namespace {

void Prepare(CChildProcess& child, LPCWSTR pszOutputFile, LPCWSTR pszWorkingFolder)
{
    child.SetOutputFile(pszOutputFile);
    child.SetWorkingFolder(pszWorkingFolder);
}

}  // namespace

int CProcessRunner::RunCommandLine(LPCWSTR pszCommandLine, const StopFlag* pStopFlag, LPCWSTR pszOutputFile,
                                   LPCWSTR pszWorkingFolder)
{
    CChildProcess child;
    Prepare(child, pszOutputFile, pszWorkingFolder);
    return child.RunProcessAndWait(pszCommandLine, pStopFlag);
}

int CProcessRunner::RunCommandLineUntil(LPCWSTR pszCommandLine, const StopFlag* pStopFlag, int nStopValue,
                                        LPCWSTR pszOutputFile, LPCWSTR pszWorkingFolder)
{
    CChildProcess child;
    Prepare(child, pszOutputFile, pszWorkingFolder);
    return child.RunProcessAndWaitEx(pszCommandLine, pStopFlag, nStopValue);
}

int CProcessRunner::Run(const StopFlag* pStopFlag)
{
    CString strCommandLine;
    if (BuildCommandLine(strCommandLine) != 0)
        return -1;
    return RunCommandLine(strCommandLine, pStopFlag);
}

int CProcessRunner::BuildCommandLine(CString&)
{
    return 1;
}
