#include "mediatools/MediaToolLocation.h"
#include <shellapi.h>
#include <shlwapi.h>
#include <atomic>

CString ClipInspectorPath;
CString ClipConverterPath;
CString ClipRunnerPath;
int MediaToolGeneration = 0;
int PreferFdkAac = 0;

namespace {

// Written by whichever worker thread ran a tool last.
std::atomic<int> g_nLastToolError(0);

DWORD WINAPI StartMediaToolThread(LPVOID)
{
    return static_cast<DWORD>(StartMediaToolHidden());
}

CString ToolPathIn(LPCWSTR pszFolder, LPCWSTR pszName)
{
    CString strPath;
    strPath.Format(L"%s\\%s", pszFolder, pszName);
    return PathFileExistsW(strPath) ? strPath : CString(pszName);
}

int DetectGeneration(LPCWSTR pszFolder)
{
    struct Library {
        LPCWSTR pszName;
        int nGeneration;
    };
    // Newest first: the first file found decides.
    static const Library kLibraries[] = {
        {L"avcodec-60.dll", 6}, {L"avcodec-59.dll", 5}, {L"avcodec-58.dll", 4},
        {L"avcodec-57.dll", 3}, {L"avcodec-56.dll", 2},
    };
    for (const Library& library : kLibraries) {
        CString strPath;
        strPath.Format(L"%s\\%s", pszFolder, library.pszName);
        if (PathFileExistsW(strPath))
            return library.nGeneration;
    }
    return 0;
}

}  // namespace

int LocateMediaTools(LPCWSTR pszToolFolder)
{
    ClipInspectorPath = ToolPathIn(pszToolFolder, L"ClipInspector.exe");
    ClipConverterPath = ToolPathIn(pszToolFolder, L"ClipConverter.exe");
    ClipRunnerPath = ToolPathIn(pszToolFolder, L"ClipRunner.exe");
    if (MediaToolGeneration == 0)
        MediaToolGeneration = DetectGeneration(pszToolFolder);
    PreferFdkAac = 1;
    return 0;
}

int StartMediaToolHidden()
{
    const CString* tools[] = {&ClipRunnerPath, &ClipConverterPath, &ClipInspectorPath};
    for (const CString* pPath : tools) {
        if (!pPath->IsEmpty() && PathFileExistsW(*pPath)) {
            ShellExecuteW(nullptr, nullptr, *pPath, nullptr, nullptr, SW_HIDE);
            break;
        }
    }
    return 0;
}

void MediaToolWarmUp::Start()
{
    if (m_bStarted)
        return;
    m_bStarted = true;
    m_thread.Reset(::CreateThread(nullptr, 0, &StartMediaToolThread, nullptr, 0, nullptr));
    if (!m_thread)
        StartMediaToolHidden();
}

void MediaToolWarmUp::Wait(DWORD dwMilliseconds)
{
    if (m_thread)
        WaitForSingleObject(m_thread.Get(), dwMilliseconds);
}

void SetLastToolError(int nCode)
{
    g_nLastToolError = nCode;
}

int GetLastToolError()
{
    return g_nLastToolError;
}

bool MediaToolMissing(const CString& strPath, int nErrorCode)
{
    if (!strPath.IsEmpty() && PathFileExistsW(strPath))
        return false;
    SetLastToolError(nErrorCode);
    return true;
}
