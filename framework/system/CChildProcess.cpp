#include "framework/system/CChildProcess.h"
#include "framework/text/LongPath.h"
#include "common/KillOnCloseJob.h"
#include <stdlib.h>

namespace {

const DWORD kPollInterval = 100;

HANDLE CreateOutputFile(LPCWSTR pszPath)
{
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE hFile = CreateFileW(ExtendedLengthPath(pszPath), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return hFile == INVALID_HANDLE_VALUE ? nullptr : hFile;
}

// The attribute list that lets the child inherit only the given handle, so that a child started
// at the same time by another thread does not get it as well. Null when it cannot be made.
LPPROC_THREAD_ATTRIBUTE_LIST CreateHandleList(HANDLE* phInherit)
{
    SIZE_T nSize = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &nSize);
    auto* pList = static_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(malloc(nSize));
    if (!pList)
        return nullptr;
    if (!InitializeProcThreadAttributeList(pList, 1, 0, &nSize)) {
        free(pList);
        return nullptr;
    }
    if (!UpdateProcThreadAttribute(pList, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, phInherit, sizeof(HANDLE), nullptr,
                                   nullptr)) {
        DeleteProcThreadAttributeList(pList);
        free(pList);
        return nullptr;
    }
    return pList;
}

void FreeHandleList(LPPROC_THREAD_ATTRIBUTE_LIST pList)
{
    if (pList) {
        DeleteProcThreadAttributeList(pList);
        free(pList);
    }
}

}  // namespace

CChildProcess::CChildProcess(bool bShown) : m_startupInfo(), m_processInfo()
{
    m_startupInfo.cb = sizeof(m_startupInfo);
    m_startupInfo.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEOFFFEEDBACK;
    m_startupInfo.wShowWindow = bShown ? SW_SHOWDEFAULT : SW_HIDE;
}

CChildProcess::~CChildProcess()
{
    CloseHandles();
}

void CChildProcess::CloseHandles()
{
    if (m_processInfo.hThread)
        CloseHandle(m_processInfo.hThread);
    if (m_processInfo.hProcess)
        CloseHandle(m_processInfo.hProcess);
    m_processInfo = PROCESS_INFORMATION();
    m_job.Reset();
}

int CChildProcess::RunProcessAndWait(LPCWSTR pszCommandLine, const StopFlag* pStopFlag)
{
    if (!Start(pszCommandLine))
        return -1;
    Wait(pStopFlag, true, 0);
    return ExitResult();
}

int CChildProcess::RunProcessAndWaitEx(LPCWSTR pszCommandLine, const StopFlag* pStopFlag, int nStopValue)
{
    if (!Start(pszCommandLine))
        return -1;
    Wait(pStopFlag, false, nStopValue);
    if (IsStopRequested(pStopFlag))
        return 1;
    return ExitResult();
}

bool CChildProcess::Start(LPCWSTR pszCommandLine)
{
    CloseHandles();
    if (!pszCommandLine || !*pszCommandLine)
        return false;
    OwnedHandle output;
    if (!m_strOutputFile.IsEmpty()) {
        output.Reset(CreateOutputFile(m_strOutputFile));
        if (!output)
            return false;
    }
    bool bCreated = CreateSuspended(pszCommandLine, output.Get());
    output.Reset();  // the child holds its own copy
    if (!bCreated)
        return false;
    // Without a job (the system refuses one) a forced kill still ends the child itself.
    m_job = CreateKillOnCloseJob();
    if (m_job && !AssignProcessToJobObject(m_job.Get(), m_processInfo.hProcess))
        m_job.Reset();
    ResumeThread(m_processInfo.hThread);
    return true;
}

bool CChildProcess::CreateSuspended(LPCWSTR pszCommandLine, HANDLE hOutput)
{
    CString strCommandLine(pszCommandLine);  // CreateProcessW may write into it
    STARTUPINFOEXW startup = {};
    startup.StartupInfo = m_startupInfo;
    DWORD dwFlags = NORMAL_PRIORITY_CLASS | CREATE_SUSPENDED;
    if (hOutput) {
        startup.StartupInfo.dwFlags |= STARTF_USESTDHANDLES;
        startup.StartupInfo.hStdOutput = hOutput;
        startup.lpAttributeList = CreateHandleList(&hOutput);
        if (startup.lpAttributeList) {
            startup.StartupInfo.cb = sizeof(startup);
            dwFlags |= EXTENDED_STARTUPINFO_PRESENT;
        }
    }
    LPCWSTR pszFolder = m_strWorkingFolder.IsEmpty() ? nullptr : static_cast<LPCWSTR>(m_strWorkingFolder);
    BOOL bCreated = CreateProcessW(nullptr, strCommandLine.GetBuffer(0), nullptr, nullptr, hOutput != nullptr,
                                   dwFlags, nullptr, pszFolder, &startup.StartupInfo, &m_processInfo);
    FreeHandleList(startup.lpAttributeList);
    if (!bCreated)
        m_processInfo = PROCESS_INFORMATION();
    return bCreated != FALSE;
}

void CChildProcess::Wait(const StopFlag* pStopFlag, bool bAnyValue, int nStopValue)
{
    if (!pStopFlag) {
        WaitForSingleObject(m_processInfo.hProcess, INFINITE);
        return;
    }
    DWORD nStopping = 0;
    while (WaitForSingleObject(m_processInfo.hProcess, kPollInterval) == WAIT_TIMEOUT) {
        int nFlag = pStopFlag->load();
        if (bAnyValue ? nFlag != 0 : nFlag == nStopValue) {
            nStopping += kPollInterval;
            if (nStopping >= kGraceTime) {
                Kill();
                break;
            }
        }
    }
}

// Ends the child and everything it started, and returns only when the child has ended.
void CChildProcess::Kill()
{
    bool bTerminated = m_job ? TerminateJobObject(m_job.Get(), 1) : TerminateProcess(m_processInfo.hProcess, 1);
    if (!bTerminated && m_job)
        bTerminated = TerminateProcess(m_processInfo.hProcess, 1);
    if (bTerminated)
        WaitForSingleObject(m_processInfo.hProcess, INFINITE);
}

int CChildProcess::ExitResult() const
{
    DWORD dwExitCode = 1;  // a code that cannot be read counts as failure
    GetExitCodeProcess(m_processInfo.hProcess, &dwExitCode);
    return dwExitCode == 0 ? 0 : -1;
}
