#include "player/playback/CItemVideoWnd.h"
#include "classlib/CWinApp.h"
#include "framework/system/PathHelpers.h"
#include "player/CPlayerSettings.h"
#include "player/playlist/CPlaylistItem.h"
#include "player/windows/PlayerWindows.h"
#include <shlwapi.h>

namespace {

// A stream chosen in the item's per-type list, as the tool numbers it: its position in the
// file's stream list plus 1; the default (-1) and off (-2) stay as they are.
int ToolStream(const CMediaStreamInfoPtrArray& streams, int nSelected)
{
    if (nSelected < 0)
        return nSelected;
    if (nSelected >= streams.GetSize())
        return PLAY_STREAM_DEFAULT;
    return streams[nSelected]->ListPosition + 1;
}

bool MediaFileMissing(const CString& strPath)
{
    return !PathIsURLW(strPath) && !FileExists(strPath);
}

}  // namespace

CItemVideoWnd::CItemVideoWnd() : m_bResumeOnce(g_playerSettings.m_bAutoResumeInterrupted) {}

int CItemVideoWnd::PlayItem(CPlaylistItem* pItem, int nPlacement)
{
    if (!pItem)
        return -1;
    if (MediaFileMissing(pItem->m_strPath)) {
        MessageBox(L"File does not exist.");
        pItem->m_dwState |= ITEM_STATE_MISSING;
        RedrawItem(pItem);
        // What plays meanwhile keeps its row and its name in the caption.
        ShowPlaylistPane();
        return -1;
    }
    Close(0);
    m_pCurrentItem = pItem;
    bool bStill = pItem->m_nMediaType == MEDIA_TYPE_VIDEO && pItem->m_nFileType == MEDIA_FILE_IMAGE;
    SetDisplayMode(bStill ? DISPLAY_MODE_STILL_IMAGE : DISPLAY_MODE_MEDIA);
    m_params.Path = pItem->m_strPath;
    if (StartPlayThread() != 0)
        return -1;
    if (nPlacement != 0)
        SetPlacement(nPlacement);
    ShowItemPane(pItem, nPlacement == PLACEMENT_PLAYLIST ? PLACEMENT_PLAYLIST : PLACEMENT_PLAY_VIEW);
    return 0;
}

int CItemVideoWnd::ShowAndTogglePause()
{
    if (!m_pCurrentItem)
        return -1;
    ShowItemPane(m_pCurrentItem, m_nPlacement == PLACEMENT_PLAYLIST ? PLACEMENT_PLAYLIST : PLACEMENT_PLAY_VIEW);
    TogglePause();
    return 0;
}

int CItemVideoWnd::RestartItem()
{
    if (!m_pCurrentItem || !m_pPlayThread)
        return -1;
    return Restart();
}

int CItemVideoWnd::Close(int bInterrupted)
{
    CPlaylistItem* pItem = m_pCurrentItem;
    if (!pItem)
        return 1;
    LONGLONG position = m_status.PositionInUs;
    bool bRemember = g_playerSettings.m_bRememberPosition ||
                     (bInterrupted && g_playerSettings.m_bAutoResumeInterrupted);
    if (m_pPlayThread && position > 0 && position < m_status.DurationInUs && bRemember)
        pItem->m_llLastPosition = position;
    Stop();
    m_params.Path.Empty();
    if (!bInterrupted)
        RedrawItem(pItem);
    m_pCurrentItem = nullptr;
    return 0;
}

LONGLONG CItemVideoWnd::GetDuration()
{
    LONGLONG duration = CVideoHostWnd::GetDuration();
    if (duration > 0 || m_nDisplayMode == DISPLAY_MODE_STILL_IMAGE || !m_pCurrentItem)
        return duration;
    return m_pCurrentItem->m_mediaInfo.DurationInUs > 0 ? m_pCurrentItem->m_mediaInfo.DurationInUs : 0;
}

int CItemVideoWnd::ApplyRestartPosition()
{
    CPlaylistItem* pItem = m_pCurrentItem;
    if (!pItem)
        return -1;
    m_params.Reset();
    m_params.Path = pItem->m_strPath;
    const CMediaInfo& info = pItem->m_mediaInfo;
    m_params.VideoStream = ToolStream(info.VideoStreams, info.SelectedVideoStream);
    m_params.AudioStream = ToolStream(info.AudioStreams, info.SelectedAudioStream);
    m_params.SubtitleStream = ToolStream(info.SubtitleStreams, info.SelectedSubtitleStream);
    if (m_nRestartPosition > 0) {
        m_params.StartPosition = m_nRestartPosition / 1000;
    } else if (g_playerSettings.m_bRememberPosition || m_bResumeOnce) {
        if (pItem->m_llLastPosition > 0)
            m_params.StartPosition = pItem->m_llLastPosition / 1000;
        m_bResumeOnce = 0;
    }
    m_nRestartPosition = 0;
    pItem->m_llLastPosition = 0;
    m_params.Rotation = pItem->m_nRotate;
    m_params.HFlip = pItem->m_bFlipH;
    m_params.VFlip = pItem->m_bFlipV;
    m_params.Negate = pItem->m_bNegate;
    m_params.Grayscale = pItem->m_bGrayscale;
    m_params.OldPhoto = pItem->m_bOldPhoto;
    m_params.AudioVolumeFactor = pItem->m_nVolume;
    SetPlaySpeed(pItem->m_nPlaySpeed);
    m_params.PtsFactor = pItem->m_nPlaySpeed == 50 ? 200 : pItem->m_nPlaySpeed == 200 ? 50 : 100;
    m_params.AudioTempo = pItem->m_nPlaySpeed == 50 ? 50 : pItem->m_nPlaySpeed == 200 ? 200 : 100;
    return 0;
}

void CItemVideoWnd::OnPlaybackStateChanged()
{
    if (m_pCurrentItem)
        m_pCurrentItem->m_nPlayState = GetState();
}
