// The player's control bar at the bottom of the frame: eleven items in a fixed order (play/pause,
// stop, previous, next, seek slider, time label, speaker, volume slider, zoom, full screen,
// switch view), a tooltip each. It shows what it reads from the playback session (state,
// duration, position, volume, mute) and turns the sliders' moves into seeks and volume changes.
// Window thread.
#pragma once
#include "player/windows/CImageSliderItem.h"
#include "player/windows/CPopupBarWnd.h"
#include "player/windows/CTimeLabelItem.h"

class CPlayerSession;

class PlayerControlBar : public CPopupBarWnd {
    DECLARE_DYNAMIC(PlayerControlBar)
public:
    // Item indexes, left to right; a tooltip's id is the index + 1.
    enum {
        ItemPlay,
        ItemStop,
        ItemPrevious,
        ItemNext,
        ItemSeek,
        ItemTime,
        ItemSpeaker,
        ItemVolume,
        ItemZoom,
        ItemFullScreen,
        ItemSwitch,
        ItemCount
    };

    // The session whose volume, mute and position the bar shows and sets (the display
    // window's); the bar does not own it. Null: the sliders change nothing. The volume display
    // follows the new session at once.
    void SetSession(CPlayerSession* pSession);

    // Shows the session's play state: the pause image while it plays, else the play image; its
    // duration and position while it plays or pauses, none otherwise. A start or a stop under
    // way leaves the bar as it is. The session's window calls it after each of the session's
    // state changes and progress reports.
    void FollowSession();
    void RefreshVolume();
    void RefreshSpeaker();
    void SetFullScreen(BOOL bFullScreen);
    // TRUE: the switch button leads to the playlist view.
    void SetSwitchTarget(BOOL bToPlaylist);
    // Both panes shown: the switch button has nothing to switch and hides.
    void SetDockMode(BOOL bBothPanes);
    void Relayout();

    // The width all visible items and the gaps need with the seek slider at its least.
    int GetMinimumWidth() const;
    CBarButtonItem* GetButton(int nItem) const;
    CSeekSliderItem* GetSeekSlider() const { return static_cast<CSeekSliderItem*>(GetItem(ItemSeek)); }
    CTimeLabelItem* GetTimeLabel() const { return static_cast<CTimeLabelItem*>(GetItem(ItemTime)); }
    CVolumeSliderItem* GetVolumeSlider() const { return static_cast<CVolumeSliderItem*>(GetItem(ItemVolume)); }

    CImageList m_playImages;
    CImageList m_pauseImages;
    CImageList m_stopImages;
    CImageList m_previousImages;
    CImageList m_nextImages;
    CImageList m_seekImages;
    CImageList m_seekCaps;
    CImageList m_mutedImages;
    CImageList m_volumeLowImages;
    CImageList m_volumeHighImages;
    CImageList m_volumeImages;
    CImageList m_zoomImages;
    CImageList m_fullScreenImages;
    CImageList m_restoreImages;
    CImageList m_toDisplayImages;
    CImageList m_toPlaylistImages;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnPaint();
    void OnSize(UINT nType, int cx, int cy);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnTimeLabelSwitch();
    void OnUpdateTimeLabelSwitch(CCmdUI* pCmdUI);
    LRESULT OnSliderPosChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The operations above do nothing before the bar has made its items.
    BOOL HasItems() const { return GetItem(ItemCount - 1) != nullptr; }
    BOOL LoadImages();
    void AddItems();
    void AddButton(int nID, CImageList* pImages, LPCWSTR pszTip);
    void AddTool(int nItem, LPCWSTR pszTip);
    void SetButtonImages(int nItem, CImageList* pImages);
    void SetVolumeTip(int nVolume);
    void ShowTimes(LONGLONG nDurationUs, LONGLONG nPositionUs);
    // Lays the bar out again when the time label's text needs another width.
    void FitTimeLabel();

    CPlayerSession* m_pSession = nullptr;
};
