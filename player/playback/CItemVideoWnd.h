// The video host that plays playlist items: the play parameters come from the item (streams,
// resume position, picture filters, speed, volume), and closing an item keeps its position
// to resume from. Window thread, except ApplyRestartPosition, which the play thread runs
// before the tool starts.
#pragma once
#include "player/playback/CVideoHostWnd.h"

class CPlaylistItem;

// Where the video window lives.
const int PLACEMENT_PLAY_VIEW = 1;
const int PLACEMENT_PLAYLIST = 2;

class CItemVideoWnd : public CVideoHostWnd {
public:
    CItemVideoWnd();  // takes AutoResumeInterrupted from the settings

    // The display window moves the video window between the display view and the playlist.
    virtual void SetPlacement(int nPlacement) { m_nPlacement = nPlacement; }
    // Plays the item; a missing local file is reported and marked. 0 / -1.
    virtual int PlayItem(CPlaylistItem* pItem, int nPlacement);
    virtual int ShowAndTogglePause();
    virtual int RestartItem();
    // The display window shows the pane of the placement (the playlist with the item's row
    // selected, or the play view) and names the item in the main window's title.
    virtual void ShowItemPane(CPlaylistItem* pItem, int nPlacement) {}
    // The display window redraws the item's row.
    virtual void RedrawItem(CPlaylistItem* pItem) {}

    int Close(int bInterrupted) override;
    LONGLONG GetDuration() override;
    int ApplyRestartPosition() override;
    void OnPlaybackStateChanged() override;

    CPlaylistItem* m_pCurrentItem = nullptr;
    int m_bResumeOnce;
    int m_nPlacement = PLACEMENT_PLAY_VIEW;
};
