#include "conversion/engine/CConvertTaskRecord.h"
#include "conversion/engine/FileOperations.h"
#include "conversion/engine/ShellOperations.h"
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include "framework/system/PathHelpers.h"
#include "framework/system/ShellCalls.h"
#include <shlwapi.h>
#include <cstring>

namespace {

const DWORD kOutputProbeFlags = TASK_PROBED_OUTPUT | 0x200 | 0x1000;

int MediaKindOf(const CMediaInfo& info)
{
    if (info.VideoStreams.GetSize() > 0)
        return MEDIA_KIND_VIDEO;
    if (info.AudioStreams.GetSize() > 0)
        return MEDIA_KIND_AUDIO;
    return MEDIA_KIND_NONE;
}

int KnownKind(int kind)
{
    return kind == MEDIA_KIND_VIDEO || kind == MEDIA_KIND_AUDIO ? kind : MEDIA_KIND_NONE;
}

int OpenInPlayer(const CString& path)
{
    if (!PathExists(path))
        return -1;
    CString quoted = L"\"" + path + L"\"";
    CString player = GetPlayerPath();
    if (PathFileExistsW(player))
        ShellCalls().pfnShellExecute(nullptr, nullptr, player, quoted, nullptr, SW_SHOW);
    else
        ShellCalls().pfnShellExecute(nullptr, L"open", quoted, nullptr, nullptr, SW_SHOWNORMAL);
    return 0;
}

void GetFailedStatus(int result, CString& detail)
{
    switch (result) {
    case TASK_ERROR_CONVERT_FAILED:
        detail = L"failed to convert";
        break;
    case TASK_ERROR_OUTPUT_FOLDER:
        detail = L"cannot access output folder";
        break;
    case TASK_ERROR_INPUT_NOT_SUPPORTED:
        detail = L"input format is not supported";
        break;
    case TASK_ERROR_INPUT_NOT_FOUND:
        detail = L"cannot find input file";
        break;
    }
}

void SetStatus(int status, int colour, LPCWSTR statusText, int& statusCode, int& colourCode, CString& text)
{
    statusCode = status;
    colourCode = colour;
    text = statusText;
}

void GetRunningStatus(int phase, int& statusCode, int& colourCode, CString& text)
{
    if (phase == TASK_PHASE_PREPARING)
        SetStatus(TASK_STATUS_BUSY, TASK_COLOUR_BUSY, L"Preparing", statusCode, colourCode, text);
    else if (phase == TASK_PHASE_CONVERTING)
        SetStatus(TASK_STATUS_CONVERTING, TASK_COLOUR_CONVERTING, L"Converting", statusCode, colourCode, text);
    else if (phase == TASK_PHASE_ENDING)
        SetStatus(TASK_STATUS_BUSY, TASK_COLOUR_BUSY, L"Ending", statusCode, colourCode, text);
}

}  // namespace

void CConvertTaskRecord::ResetAll()
{
    m_options.Reset();
    ResetInputs();
}

void CConvertTaskRecord::ResetInputs()
{
    m_inputs.Reset();
    m_output.Reset();
    m_progress.Reset();
}

void CConvertTaskRecord::ResetOutput()
{
    m_output.Reset();
    m_progress.m_probeFlags &= ~kOutputProbeFlags;
    m_progress.m_state = TASK_STATE_IDLE;
    m_progress.m_phase = TASK_PHASE_NONE;
    memset(&m_progress.m_block, 0, sizeof(m_progress.m_block));
    SetProgressNumbers(0, 0, 0);
}

void CConvertTaskRecord::SetPhase(int phase)
{
    m_progress.m_phase = phase;
    if (phase == TASK_PHASE_OUTPUT_NAMED)
        m_progress.m_phaseFlags |= TASK_FLAG_OUTPUT_NAMED;
    else if (phase == TASK_PHASE_CONVERTED)
        m_progress.m_phaseFlags |= TASK_FLAG_OUTPUT_WRITTEN;
    else if (phase == TASK_PHASE_ENDED)
        m_progress.m_phaseFlags |= TASK_FLAG_ENDED;
}

void CConvertTaskRecord::SetProgressNumbers(LONGLONG position, LONGLONG total, int mode)
{
    m_progress.m_position = position;
    m_progress.m_total = total;
    m_progress.m_mode = mode;
}

bool CConvertTaskRecord::HasProgressNumbers() const
{
    return m_progress.m_mode > 0 && m_progress.m_total > 0 && m_progress.m_position >= 0;
}

int CConvertTaskRecord::SetMainInput(LPCWSTR path, const StopFlag* pStopValue)
{
    ResetInputs();
    m_inputs.m_mainPath = path;
    if (ProbeMainInput(pStopValue) < 0)
        return -1;
    const CMediaInfo& info = m_inputs.m_mainInfo;
    if (info.MediaType == MEDIA_TYPE_VIDEO && info.FileType == MEDIA_FILE_IMAGE)
        return -1;
    m_inputs.m_mainDuration = info.DurationInUs;
    return 0;
}

int CConvertTaskRecord::SetAudioInput(LPCWSTR path, const StopFlag* pStopValue)
{
    m_inputs.m_audioPath = path;
    m_progress.m_probeFlags &= ~TASK_PROBED_AUDIO;
    return ProbeAudioInput(pStopValue) < 0 ? -1 : 0;
}

int CConvertTaskRecord::SetSubtitleInput(LPCWSTR path, const StopFlag* pStopValue)
{
    m_inputs.m_subtitlePath = path;
    m_progress.m_probeFlags &= ~TASK_PROBED_SUBTITLE;
    return ProbeSubtitleInput(pStopValue) < 0 ? -1 : 0;
}

int CConvertTaskRecord::ProbeMainInput(const StopFlag* pStopValue)
{
    if (m_progress.m_probeFlags & TASK_PROBED_MAIN)
        return 1;
    if (m_inputs.m_mainInfo.Probe(m_inputs.m_mainPath, pStopValue) != 0)
        return -1;
    m_inputs.m_mainKind = MediaKindOf(m_inputs.m_mainInfo);
    m_progress.m_probeFlags |= TASK_PROBED_MAIN;
    return 0;
}

int CConvertTaskRecord::ProbeAudioInput(const StopFlag* pStopValue)
{
    if (m_progress.m_probeFlags & TASK_PROBED_AUDIO)
        return 1;
    CMediaInfo& info = m_inputs.m_audioInfo;
    if (info.Probe(m_inputs.m_audioPath, pStopValue) != 0 || info.AudioStreams.GetSize() == 0)
        return -1;
    m_progress.m_probeFlags |= TASK_PROBED_AUDIO;
    return 0;
}

int CConvertTaskRecord::ProbeSubtitleInput(const StopFlag* pStopValue)
{
    if (m_progress.m_probeFlags & TASK_PROBED_SUBTITLE)
        return 1;
    CMediaInfo& info = m_inputs.m_subtitleInfo;
    if (info.Probe(m_inputs.m_subtitlePath, pStopValue) != 0 || info.SubtitleStreams.GetSize() == 0)
        return -1;
    m_progress.m_probeFlags |= TASK_PROBED_SUBTITLE;
    return 0;
}

int CConvertTaskRecord::ProbeOutput(const StopFlag* pStopValue)
{
    if (m_progress.m_probeFlags & TASK_PROBED_OUTPUT)
        return 1;
    if (m_output.m_info.Probe(m_output.m_path, pStopValue) != 0)
        return -1;
    m_output.m_kind = MediaKindOf(m_output.m_info);
    m_progress.m_probeFlags |= TASK_PROBED_OUTPUT;
    return 0;
}

int CConvertTaskRecord::GetOutputMediaKind()
{
    CMediaFormat* pFormat = theMediaFormats.FindFormat(m_options.m_formatId);
    if (!pFormat)
        return m_output.m_kind;
    int kind = pFormat->GetMediaKind();
    const CMediaPreset* pPreset = pFormat->FindPreset(m_options.m_presetName);
    if (kind == MEDIA_KIND_VIDEO && pPreset && (pPreset->m_record.videoFlags & PRESET_STREAM_OFF))
        kind = MEDIA_KIND_AUDIO;
    m_output.m_kind = kind;
    return kind;
}

int CConvertTaskRecord::GetInputMediaKind() const
{
    return KnownKind(m_inputs.m_mainKind);
}

int CConvertTaskRecord::GetCachedOutputMediaKind() const
{
    return KnownKind(m_output.m_kind);
}

void CConvertTaskRecord::GetStatus(int& statusCode, int& colourCode, CString& text, CString& detail) const
{
    statusCode = colourCode = TASK_STATUS_UNCHANGED;
    text.Empty();
    detail.Empty();
    switch (m_progress.m_state) {
    case TASK_STATE_FAILED:
        statusCode = TASK_STATUS_FAILED;
        text = L"Failed";
        GetFailedStatus(m_progress.m_result, detail);
        break;
    case TASK_STATE_RUNNING:
        GetRunningStatus(m_progress.m_phase, statusCode, colourCode, text);
        break;
    case TASK_STATE_COMPLETED:
        statusCode = TASK_STATUS_COMPLETED;
        text = L"Completed";
        break;
    case TASK_STATE_CANCELED:
        text = L"Canceled";
        statusCode = TASK_STATUS_CANCELED;
        if (m_progress.m_result == TASK_RESULT_FILE_EXISTS) {
            statusCode = TASK_STATUS_SKIPPED;
            detail = L"file already exists";
        }
        break;
    }
}

int CConvertTaskRecord::OpenInput() const
{
    return OpenInPlayer(m_inputs.m_mainPath);
}

int CConvertTaskRecord::OpenOutput() const
{
    return OpenInPlayer(m_output.m_path);
}

bool CConvertTaskRecord::IsInputPath(LPCWSTR path) const
{
    if (IsSameFilePath(path, m_inputs.m_mainPath) || IsSameFilePath(path, m_inputs.m_audioPath) ||
        IsSameFilePath(path, m_inputs.m_subtitlePath))
        return true;
    for (int i = 0; i < m_inputs.m_inputList.GetSize(); ++i) {
        if (IsSameFilePath(path, m_inputs.m_inputList[i]))
            return true;
    }
    return false;
}

int CConvertTaskRecord::RecycleInput(LPCWSTR path) const
{
    if (IsSameFilePath(path, m_output.m_path))
        return -1;
    return RecycleFile(path);
}
