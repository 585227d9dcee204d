// The player's windows that its parts reach through globals: set when the main window creates
// its client area, cleared when the frame is destroyed. Window thread only.
#pragma once
#include <windows.h>

class CItemVideoWnd;
class CMediaPlayView;
class CPlaylistCtrl;
class CPlaylistItem;
class CPlaylistView;
class PlayerControlBar;

// Panes of the main window's two-pane container.
const int PANE_DISPLAY = 0;
const int PANE_PLAYLIST = 1;

// What the player's parts ask of the main window: its panes, its menu bar and the status text
// there, and the start panel. The main window implements it and sets g_pPlayerMainWindow.
class CPlayerMainWindow {
public:
    virtual ~CPlayerMainWindow() = default;
    // Shows the pane (the display pane with the video window fitted into it).
    virtual void ShowPane(int nPane) = 0;
    // The pane shown, -1 when there is no container.
    virtual int GetShownPane() const = 0;
    // Whether the container shows one pane at a time.
    virtual BOOL IsOnePaneMode() const = 0;
    virtual void HideMenuBar(BOOL bHide) = 0;
    // The menu bar's status text: the playlist's count and duration, or why a playback failed.
    virtual void SetStatusText(LPCWSTR pszText) = 0;
    // The playlist's count and duration text as the status text; the start panel shows while
    // the playlist is empty.
    virtual void SetPlaylistStatus(LPCWSTR pszText, BOOL bEmpty) = 0;
};

extern CPlayerMainWindow* g_pPlayerMainWindow;
extern CPlaylistView* g_pPlaylistView;
extern CPlaylistCtrl* g_pPlaylistCtrl;
extern CMediaPlayView* g_pPlayView;
extern CItemVideoWnd* g_pVideoWnd;
extern PlayerControlBar* g_pControlBar;
// The application's start-without-files flag: 1 until the command line named files; while it
// is 1 the playlist view's first update reloads the default playlist.
extern int g_bStartWithoutFiles;

// "<title> - <n>/<count>" in the main window's caption, or the application's name without
// an item.
void UpdateMainWindowTitle(CPlaylistItem* pItem);
// Show the display pane or the playlist pane; nothing without a main window.
void ShowPlayPane();
void ShowPlaylistPane();
