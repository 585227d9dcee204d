#include "player/playback/ItemSettingCommands.h"
#include "classlib/CCmdUI.h"
#include "player/playlist/CPlaylistItem.h"
#include "player/res/PlayerResources.h"

namespace {

struct ItemSetting {
    UINT id;
    int CPlaylistEntry::*field;
    int value;   // what the command sets
    int normal;  // what it sets when the item has the value already
};

const ItemSetting kItemSettings[] = {
    {ID_ROTATE_90, &CPlaylistEntry::m_nRotate, 90, 0},
    {ID_ROTATE_180, &CPlaylistEntry::m_nRotate, 180, 0},
    {ID_ROTATE_270, &CPlaylistEntry::m_nRotate, 270, 0},
    {ID_PICTURE_GRAYSCALE, &CPlaylistEntry::m_bGrayscale, 1, 0},
    {ID_PICTURE_OLD_PHOTO, &CPlaylistEntry::m_bOldPhoto, 1, 0},
    {ID_PICTURE_NEGATE, &CPlaylistEntry::m_bNegate, 1, 0},
    {ID_PICTURE_FLIP_H, &CPlaylistEntry::m_bFlipH, 1, 0},
    {ID_PICTURE_FLIP_V, &CPlaylistEntry::m_bFlipV, 1, 0},
    {ID_ITEM_VOLUME_150, &CPlaylistEntry::m_nVolume, 150, 100},
    {ID_ITEM_VOLUME_200, &CPlaylistEntry::m_nVolume, 200, 100},
    {ID_ITEM_VOLUME_300, &CPlaylistEntry::m_nVolume, 300, 100},
    {ID_SPEED_DOUBLE, &CPlaylistEntry::m_nPlaySpeed, 200, 100},
    {ID_SPEED_HALF, &CPlaylistEntry::m_nPlaySpeed, 50, 100},
};

const ItemSetting* FindSetting(UINT nID)
{
    for (const ItemSetting& setting : kItemSettings) {
        if (setting.id == nID)
            return &setting;
    }
    return nullptr;
}

struct TrackKind {
    UINT first;  // the "off" id
    UINT base;   // id of stream 0
    UINT last;
    int CMediaInfo::*selected;
    CMediaStreamInfoPtrArray CMediaInfo::*streams;
};

const TrackKind kTrackKinds[] = {
    {ID_VIDEO_TRACK_OFF, ID_VIDEO_TRACK_BASE, ID_VIDEO_TRACK_LAST, &CMediaInfo::SelectedVideoStream,
     &CMediaInfo::VideoStreams},
    {ID_AUDIO_TRACK_OFF, ID_AUDIO_TRACK_BASE, ID_AUDIO_TRACK_LAST, &CMediaInfo::SelectedAudioStream,
     &CMediaInfo::AudioStreams},
    {ID_SUBTITLE_TRACK_OFF, ID_SUBTITLE_TRACK_BASE, ID_SUBTITLE_TRACK_LAST, &CMediaInfo::SelectedSubtitleStream,
     &CMediaInfo::SubtitleStreams},
};

const TrackKind* FindTrackKind(UINT nID)
{
    for (const TrackKind& kind : kTrackKinds) {
        if (nID >= kind.first && nID <= kind.last)
            return &kind;
    }
    return nullptr;
}

}  // namespace

bool ApplyItemSetting(CPlaylistEntry& entry, UINT nID)
{
    const ItemSetting* pSetting = FindSetting(nID);
    if (!pSetting)
        return false;
    int& field = entry.*pSetting->field;
    field = field == pSetting->value ? pSetting->normal : pSetting->value;
    return true;
}

void UpdateItemSetting(const CPlaylistEntry* pEntry, CCmdUI* pCmdUI)
{
    const ItemSetting* pSetting = FindSetting(pCmdUI->m_nID);
    pCmdUI->Enable(pEntry != nullptr && pSetting != nullptr);
    pCmdUI->SetCheck(pEntry && pSetting && pEntry->*pSetting->field == pSetting->value);
}

bool ApplyTrackChoice(CPlaylistItem& item, UINT nID)
{
    const TrackKind* pKind = FindTrackKind(nID);
    if (!pKind)
        return false;
    int nStream = static_cast<int>(nID) - static_cast<int>(pKind->base);
    int& selected = item.m_mediaInfo.*pKind->selected;
    if (selected == nStream)
        return false;
    selected = nStream;
    return true;
}

void UpdateTrackChoice(const CPlaylistItem* pItem, CCmdUI* pCmdUI)
{
    const TrackKind* pKind = FindTrackKind(pCmdUI->m_nID);
    if (!pItem || !pKind || (pItem->m_mediaInfo.*pKind->streams).GetSize() == 0)
        return;
    int nStream = pItem->m_mediaInfo.*pKind->selected;
    pCmdUI->SetCheck(pCmdUI->m_nID == pKind->base + nStream);
}
