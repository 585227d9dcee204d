#include "mediatools/CPlayerSession.h"
#include "framework/system/PathHelpers.h"
#include "mediatools/CLiveObjectSet.h"
#include "mediatools/CopyDataBlock.h"
#include <shlwapi.h>

namespace {

// The sessions whose tool runs right now: the only ones an event block may name.
CLiveObjectSet g_liveSessions;

}  // namespace

CPlayerSession::CPlayerSession()
    : m_nZoomRatio(100), m_nPlaySpeed(100), m_nState(PLAYER_STATE_RESET), m_nEndReason(0), m_nStopRequest(0),
      m_nRestartMarker(0), m_nRestartPosition(0), m_bStopPending(false), m_bToolReported(false), m_nRunResult(0), m_nOwnerObject(0),
      m_nOwnerWindow(0)
{
}

void CPlayerSession::ResetStatus()
{
    m_nState = PLAYER_STATE_RESET;
    m_nEndReason = 0;
    m_nStopRequest = 0;
    m_status.Reset();
}

void CPlayerSession::OnBeforePlay()
{
    ResetStatus();
}

void CPlayerSession::OnAfterPlay()
{
    OnEndOfMedia(m_status);
    OnPlayerFinished(m_status);
}

int CPlayerSession::ApplyRestartPosition()
{
    if (m_nRestartPosition > 0) {
        m_params.StartPosition = m_nRestartPosition / 1000;
        m_nRestartPosition = 0;
    }
    return 0;
}

int CPlayerSession::SetWorkingFolder()
{
    m_strWorkingFolder.Empty();
    if (!PathFileExistsW(m_params.Path) || PathIsDirectoryW(m_params.Path))
        return -1;
    CString strFolder = GetFolderOfPath(m_params.Path);
    if (strFolder.IsEmpty() || !PathIsDirectoryW(strFolder))
        return -1;
    m_strWorkingFolder = strFolder;
    return 0;
}

// The host's owner fields, as its ResetStatus stored them before the first run.
void CPlayerSession::KeepOwner()
{
    m_nOwnerObject = m_status.OwnerObject;
    m_nOwnerWindow = m_status.OwnerWindow;
}

// Every run gets them again: the status record meanwhile holds whatever the last tool sent.
void CPlayerSession::StoreOwner()
{
    m_status.OwnerObject = m_nOwnerObject;
    m_status.OwnerWindow = m_nOwnerWindow;
}

int CPlayerSession::RunOnce()
{
    // A stop asked for before the run began (the play thread had not reached OnBeforePlay,
    // whose reset clears the request) ends the run before the tool starts.
    if (m_bStopPending)
        m_nStopRequest = PLAYER_CMD_STOP;
    if (m_nStopRequest == PLAYER_CMD_STOP)
        return 1;
    SetWorkingFolder();
    StoreOwner();
    m_bToolReported = false;
    m_nRunResult = 0;
    CLiveObjectSet::CScope live(g_liveSessions, static_cast<CPlayerRunner*>(this));
    m_nRunResult = RunTool(m_params, &m_nStopRequest, m_strWorkingFolder.IsEmpty() ? nullptr : (LPCWSTR)m_strWorkingFolder);
    return m_nRunResult;
}

int CPlayerSession::Play()
{
    OnBeforePlay();
    ApplyRestartPosition();
    KeepOwner();
    for (;;) {
        m_nRestartMarker = 0;
        m_nRestartPosition = 0;
        int nResult = RunOnce();
        // A stop that came while a restart was under way ends the playback as well.
        if (m_nRestartMarker != PLAYER_RESTART_MARKER || m_nStopRequest == PLAYER_CMD_STOP) {
            OnAfterPlay();
            m_bStopPending = false;
            return nResult;
        }
        ApplyRestartPosition();
    }
}

int CPlayerSession::PlayOnce()
{
    OnBeforePlay();
    ApplyRestartPosition();
    KeepOwner();
    int nResult = RunOnce();
    OnAfterPlay();
    m_bStopPending = false;
    return nResult;
}

int CPlayerSession::Restart()
{
    if (!IsActive())
        return -1;
    m_nRestartPosition = m_status.PositionInUs;
    m_nRestartMarker = PLAYER_RESTART_MARKER;
    SendCommand(PLAYER_CMD_STOP, 0, 0, nullptr);
    return 0;
}

int CPlayerSession::Stop()
{
    m_bStopPending = true;
    m_nStopRequest = PLAYER_CMD_STOP;
    if (!IsActive())
        return 1;
    SendCommand(PLAYER_CMD_STOP, 0, 0, nullptr);
    return 0;
}

int CPlayerSession::TogglePause()
{
    return IsActive() ? SendCommand(PLAYER_CMD_TOGGLE_PAUSE, 0, 0, nullptr) : 0;
}

int CPlayerSession::Seek(LONGLONG nPositionUs, int nMode)
{
    return IsActive() ? SendCommand(PLAYER_CMD_SEEK, nPositionUs, nMode, nullptr) : 0;
}

int CPlayerSession::SetMute(int bMute)
{
    m_bMute = bMute;
    return IsActive() ? SendCommand(PLAYER_CMD_MUTE, bMute, 0, nullptr) : 0;
}

int CPlayerSession::SetVolume(int nVolume)
{
    m_nVolume = nVolume < 0 ? 0 : nVolume > 100 ? 100 : nVolume;
    return IsActive() ? SendCommand(PLAYER_CMD_VOLUME, m_nVolume, 0, nullptr) : 0;
}

LONGLONG CPlayerSession::GetDuration()
{
    return m_status.DurationInUs > 0 ? m_status.DurationInUs : 0;
}

void CPlayerSession::SetState(int nState)
{
    m_nState = nState;
    OnStateChanged();
}

int CPlayerSession::OnPlayerStarted(const PlayerStatus& status)
{
    m_bToolReported = true;
    SetState(PLAYER_STATE_STARTED);
    return 0;
}

int CPlayerSession::OnPlayerStopping(const PlayerStatus& status)
{
    SetState(PLAYER_STATE_STOPPING);
    return 0;
}

int CPlayerSession::OnPlayerFinished(const PlayerStatus& status)
{
    // A tool that never said it started (missing, or failing at once), or that ended badly
    // after it did (a crash, a file it rejects), has completed nothing, so nothing may move on
    // to the next item as if it had.
    if (m_nStopRequest == PLAYER_CMD_STOP)
        m_nEndReason = PLAYER_END_STOPPED;
    else
        m_nEndReason = m_bToolReported && m_nRunResult == 0 ? PLAYER_END_COMPLETED : 0;
    SetState(PLAYER_STATE_FINISHED);
    return 0;
}

int CPlayerSession::OnMediaOpened(const PlayerStatus& status, int nFlag)
{
    // An odd video size is shown at its own size rather than scaled.
    bool bOddSize = status.VideoWidth > 0 && status.VideoHeight > 0 &&
                    (status.VideoWidth % 2 != 0 || status.VideoHeight % 2 != 0);
    if (nFlag == 1 && bOddSize)
        m_nZoomRatio = 100;
    return 0;
}

int CPlayerSession::OnPlaying(const PlayerStatus& status)
{
    m_bToolReported = true;
    SetState(PLAYER_STATE_PLAYING);
    return 0;
}

int CPlayerSession::OnProgress(const PlayerStatus& status)
{
    return 0;
}

int CPlayerSession::OnPauseChanged(const PlayerStatus& status, int nFlag)
{
    SetState(nFlag != 0 ? PLAYER_STATE_PAUSED : PLAYER_STATE_PLAYING);
    return 0;
}

int CPlayerSession::OnEndOfMedia(const PlayerStatus& status)
{
    SetState(PLAYER_STATE_END_OF_MEDIA);
    return 0;
}

int CPlayerSession::OnPlayerMessage(const PlayerEventBlock* pBlock)
{
    if (pBlock == nullptr)
        return -1;
    m_status = pBlock->Status;
    switch (pBlock->Event) {
    case PLAYER_EVENT_STARTED:
        OnPlayerStarted(m_status);
        break;
    case PLAYER_EVENT_STOPPING:
        OnPlayerStopping(m_status);
        break;
    case PLAYER_EVENT_PLAYING:
        OnPlaying(m_status);
        break;
    case PLAYER_EVENT_MEDIA_OPENED:
        OnMediaOpened(m_status, pBlock->Flag);
        break;
    case PLAYER_EVENT_PROGRESS:
        OnProgress(m_status);
        break;
    case PLAYER_EVENT_PAUSE_CHANGED:
        OnPauseChanged(m_status, pBlock->Flag);
        break;
    case PLAYER_EVENT_END_OF_MEDIA:
        OnEndOfMedia(m_status);
        break;
    case PLAYER_EVENT_FINISHED:
        OnPlayerFinished(m_status);
        break;
    default:
        return -1;
    }
    return m_nStopRequest;
}

int CPlayerSession::SendCommand(int nCode, LONGLONG nArg1, LONGLONG nArg2, const char* pszText)
{
    HWND hToolWindow = reinterpret_cast<HWND>(static_cast<UINT_PTR>(m_status.ToolWindow));
    if (hToolWindow == nullptr)
        return -1;
    PlayerCommandBlock block = {};
    block.ToolContext = m_status.ToolContext;
    block.Command = nCode;
    block.Argument1 = nArg1;
    block.Argument2 = nArg2;
    if (pszText)
        lstrcpynA(block.Text, pszText, sizeof(block.Text));  // at most 2047 bytes and the NUL
    COPYDATASTRUCT cds = {PLAYER_MSG_COMMAND, sizeof(block), &block};
    // A tool that has stopped answering must not hang the window thread.
    DWORD_PTR nReply = static_cast<DWORD_PTR>(-1);
    if (!SendMessageTimeoutW(hToolWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG,
                             kCommandTimeout, &nReply))
        return -1;
    return static_cast<int>(nReply);
}

LRESULT CPlayerSession::DeliverEvent(const COPYDATASTRUCT* pcds)
{
    PlayerEventBlock block;
    if (!ReadCopyDataBlock(pcds, PLAYER_MSG_EVENT, block))
        return -1;
    CLiveObjectSet::CUse use = g_liveSessions.Use(block.Context);
    if (!use)
        return 0;
    CPlayerSession* pSession =
        static_cast<CPlayerSession*>(static_cast<CPlayerRunner*>(const_cast<void*>(use.Object())));
    return pSession->OnPlayerMessage(&block);
}
