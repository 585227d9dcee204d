#include "player/playback/TrackMenus.h"
#include "classlib/CMenu.h"
#include "player/playlist/CPlaylistItem.h"
#include "player/res/PlayerResources.h"

namespace {

struct TrackKind {
    UINT nOff;
    UINT nAuto;
    UINT nNone;
    LPCWSTR pszNone;
};

void EmptyMenu(CMenu* pMenu)
{
    while (pMenu->GetMenuItemCount() > 0)
        ::DeleteMenu(pMenu->m_hMenu, 0, MF_BYPOSITION);
}

void FillTrackMenu(CMenu* pMenu, const CMediaStreamInfoPtrArray& streams, const TrackKind& kind)
{
    EmptyMenu(pMenu);
    if (streams.GetSize() == 0) {
        pMenu->AppendMenu(MF_STRING | MF_GRAYED, kind.nNone, kind.pszNone);
        return;
    }
    pMenu->AppendMenu(MF_STRING, kind.nAuto, L"Auto");
    for (int i = 1; i <= streams.GetSize(); ++i) {
        CString text;
        const CString& language = streams[i - 1]->Language;
        if (language.IsEmpty())
            text.Format(L"Track #%d", i);
        else
            text.Format(L"Track #%d - [%s]", i, static_cast<LPCWSTR>(language));
        pMenu->AppendMenu(MF_STRING, kind.nAuto + i, text);
    }
    pMenu->AppendMenu(MF_SEPARATOR);
    pMenu->AppendMenu(MF_STRING, kind.nOff, L"Disable");
}

}  // namespace

int FillTrackMenus(CMenu* pMenu, CPlaylistItem* pItem, int nVideoPos, int nAudioPos, int nSubtitlePos)
{
    if (!pMenu)
        return -1;
    CMenu* pVideo = pMenu->GetSubMenu(nVideoPos);
    CMenu* pAudio = pMenu->GetSubMenu(nAudioPos);
    CMenu* pSubtitles = pMenu->GetSubMenu(nSubtitlePos);
    if (!pVideo || !pAudio || !pSubtitles)
        return -1;
    if (!pItem)
        return 0;
    const CMediaInfo& info = pItem->m_mediaInfo;
    FillTrackMenu(pVideo, info.VideoStreams, {ID_VIDEO_TRACK_OFF, ID_VIDEO_TRACK_AUTO, ID_NO_VIDEO_TRACK, L"No Video"});
    FillTrackMenu(pAudio, info.AudioStreams, {ID_AUDIO_TRACK_OFF, ID_AUDIO_TRACK_AUTO, ID_NO_AUDIO_TRACK, L"No Audio"});
    FillTrackMenu(pSubtitles, info.SubtitleStreams,
                  {ID_SUBTITLE_TRACK_OFF, ID_SUBTITLE_TRACK_AUTO, ID_NO_SUBTITLE_TRACK, L"No Subtitles"});
    return 0;
}
