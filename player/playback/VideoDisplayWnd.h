// The player's display window: the video host of the play view. It shows busy dots while the
// playback tool starts, carries zoom, volume and mute between the settings and its session,
// has the control bar follow the session and the playlist redraw its row, and decides what
// follows the end of a playback. Window thread.
//
// What follows the end of a playback:
// - it played to its end: the next item by the repeat mode; without one, the after-playback
//   action (shut down, else close the window, else show the playlist);
// - the user stopped it (StopByUser): the after-playback action, never the next item;
// - it failed: the playlist shows and the main window's status says why;
// - the player closed it to play another item, delete it or exit: nothing.
#pragma once
#include "classlib/CImageList.h"
#include "player/playback/CItemVideoWnd.h"

const UINT_PTR BUSY_TIMER_ID = 100;
const UINT BUSY_TIMER_INTERVAL = 200;  // ms per dot

class VideoDisplayWnd : public CItemVideoWnd {
public:
    VideoDisplayWnd();  // the zoom from the settings

    // The user's Stop: closes the item and lets the after-playback action run.
    int StopByUser();

    LRESULT OnPlayThreadDone(WPARAM wParam, LPARAM lParam) override;
    int Close(int bInterrupted) override;
    void OnShowBusy() override;
    void OnHideBusy() override;
    void OnPlaybackEnded() override;
    void OnPlaybackStateChanged() override;
    // The window's parent: the playlist control (PLACEMENT_PLAYLIST) or the play view.
    void SetPlacement(int nPlacement) override;
    void ShowItemPane(CPlaylistItem* pItem, int nPlacement) override;
    void RedrawItem(CPlaylistItem* pItem) override;

    int OnPlaying(const PlayerStatus& status) override;
    int OnProgress(const PlayerStatus& status) override;
    int OnPauseChanged(const PlayerStatus& status, int nFlag) override;
    int OnEndOfMedia(const PlayerStatus& status) override;

    // What the end of a playback leads to; the window thread acts on it.
    enum EndAction { EndNothing, EndPlayNext, EndShutDown, EndCloseWindow, EndShowPlaylist, EndReportFailure };
    EndAction DecideEndAction(bool bNextItem) const;

    CImageList m_busyImages;  // idle dot, lit dot
    int m_nBusyIndex = -1;    // the lit dot, -1 without animation
    int m_bBusyTimer = 0;
    int m_nClosing = 0;    // inside Close: the playback ends because the player ends it
    int m_bUserStop = 0;   // inside StopByUser

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void RunEndAction(EndAction action);
    void ReportFailure();
    void ShowSessionInControlBar();
};
