#include "player/playlist/CPlaylistEntry.h"
#include "framework/system/PathHelpers.h"
#include "player/playback/PlayerTempFolder.h"

void CPlaylistEntry::Reset()
{
    DeleteTempThumbnail();
    m_dwFlags = 0;
    m_dwState = 0;
    m_strPath.Empty();
    m_strThumbnailFile.Empty();
    ResetFilters();
}

int CPlaylistEntry::ResetFilters()
{
    m_nPlaySpeed = 100;
    m_nRotate = 0;
    m_bFlipH = m_bFlipV = m_bNegate = m_bGrayscale = m_bOldPhoto = 0;
    m_nVolume = 100;
    return 0;
}

void CPlaylistEntry::DeleteTempThumbnail()
{
    if (!(m_dwFlags & ITEM_FLAG_GRABBED_FRAME) || !IsPlayerTempFile(m_strThumbnailFile))
        return;
    if (FileExists(m_strThumbnailFile))
        DeleteFileW(m_strThumbnailFile);
}
