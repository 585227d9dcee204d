#include "mediatools/CProbeSession.h"
#include "framework/system/AppFolders.h"
#include "framework/system/CTempFileGuard.h"
#include "framework/system/PathHelpers.h"
#include "framework/text/FileHelpers.h"
#include "mediatools/ProbeOutputParser.h"
#include <shlwapi.h>

int CProbeSession::ProbeFile(LPCWSTR pszPath, CMediaInfo& info, const StopFlag* pStopFlag)
{
    // The tool starts in the media file's folder; the process's own folder is left alone, so
    // probes on several threads do not race on it.
    CString strFolder;
    if (PathFileExistsW(pszPath))
        strFolder = GetFolderOfPath(pszPath);
    CString strOutputFile = GetUniqueTempPath();
    CTempFileGuard guard(strOutputFile, true, true);
    m_options.InputPath = pszPath;
    int nResult = RunTool(m_options, strOutputFile, pStopFlag, strFolder.IsEmpty() ? nullptr : (LPCWSTR)strFolder);
    if (nResult != 0)
        return nResult;
    if (ParseOutput(strOutputFile, info) != 0)
        return -1;
    CompleteMediaInfo(info, pszPath);
    info.Analyse();
    return 0;
}

int CProbeSession::ParseOutput(LPCWSTR pszOutputFile, CMediaInfo& info)
{
    CStringA strJson;
    if (ReadFileToString(pszOutputFile, strJson) != 0)
        return -1;
    return ParseProbeOutput(strJson, strJson.GetLength(), info);
}

namespace {

// The container name that a file extension stands for, where the prober names a family.
LPCWSTR ContainerOfExtension(const CString& strExtension)
{
    static const struct {
        LPCWSTR pszExtension;
        LPCWSTR pszContainer;
    } kContainers[] = {
        {L"mkv", L"matroska"}, {L"mka", L"matroska"}, {L"webm", L"webm"}, {L"mp4", L"mp4"}, {L"m4a", L"m4a"},
        {L"mov", L"mov"},      {L"3gp", L"3gp"},      {L"3g2", L"3g2"},   {L"ts", L"mpegts"},
    };
    for (const auto& entry : kContainers)
        if (strExtension == entry.pszExtension)
            return entry.pszContainer;
    return nullptr;
}

bool ListHasName(const CString& strList, LPCWSTR pszName)
{
    CString strPadded = L"," + strList + L",";
    return strPadded.Find(CString(L",") + pszName + L",") >= 0;
}

}  // namespace

int CProbeSession::CompleteMediaInfo(CMediaInfo& info, LPCWSTR pszPath)
{
    if (info.Size == 0)
        info.Size = GetFileSize64(pszPath);
    // A stream copy needs one container name; the list stays when the extension names none
    // of its members.
    if (info.Format.Find(L',') >= 0) {
        CString strExtension = GetFileExtension(pszPath);
        strExtension.MakeLower();
        LPCWSTR pszContainer = ContainerOfExtension(strExtension);
        if (pszContainer && ListHasName(info.Format, pszContainer))
            info.Format = pszContainer;
    }
    return 0;
}

int ProbeMediaFile(CMediaInfo& info, LPCWSTR pszPath, const StopFlag* pStopFlag)
{
    CProbeSession session;
    return session.ProbeFile(pszPath, info, pStopFlag);
}

int ProbeMediaFileCountFrames(CMediaInfo& info, LPCWSTR pszPath, int nCountFrames, const StopFlag* pStopFlag)
{
    CProbeSession session;
    session.m_options.CountFrames = nCountFrames;
    return session.ProbeFile(pszPath, info, pStopFlag);
}
