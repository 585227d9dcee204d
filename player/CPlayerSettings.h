// Every persistent option of the player, kept in the profile section "Settings" of the
// application object. One global object; the other parts of the player read and write its
// fields directly. Load runs at start-up, Save at exit and after the Settings dialog.
// Window thread.
#pragma once
#include "classlib/CString.h"

const int REPEAT_OFF = 0;
const int REPEAT_CURRENT = 1;
const int REPEAT_ALL = 2;

class CPlayerSettings {
public:
    virtual ~CPlayerSettings() = default;

    // Reads every value (the current one is the default), then clamps the ranges. 0.
    virtual int Load();
    // Writes every stored value (TempFolder is only ever read): false when a value could not be
    // written, the others still are.
    virtual bool Save();

    CString GetDefaultPlaylistPath() const;  // <data folder>\Default.playlist
    CString GetConverterToolPath() const;    // <application folder>\KavriMediaFetcher.exe

    int m_bAutoCheckUpdate = 1;
    int m_nAutoCheckUpdateDays = 7;
    int m_nMainWindowLeft = -1;  // -1: no saved position, the window is centred
    int m_nMainWindowTop = -1;
    int m_nMainWindowWidth = 0;  // 0 or less: no saved size
    int m_nMainWindowHeight = 0;
    int m_nLayout = 2;             // 1 both panes side by side, 2 one pane at a time
    int m_nPlaylistViewStyle = 1;  // list or grid
    int m_bAlwaysOnTop = 0;
    int m_bTransparent = 0;
    int m_nRepeat = REPEAT_OFF;
    int m_bAutoCloseApp = 0;
    int m_bShutDownAfterPlayback = 0;  // lasts one run: never stored
    int m_bPreventScreenSaver = 1;
    int m_bAlwaysShowControlBar = 0;
    int m_nEscToExitFullScreenMode = 5;
    int m_bRememberRecentFiles = 1;
    int m_nMaxRecentFiles = 10;  // 0..30
    int m_bRememberRecentPlaylists = 1;
    int m_nMaxRecentPlaylists = 10;  // 0..30
    int m_bLoadLastPlaylist = 1;
    int m_bAllowDuplicates = 1;
    int m_nThumbnailTime = 1000;  // milliseconds into the media
    int m_bShowDuration = 1;
    int m_bShowDefinition = 1;
    int m_bShowTitle = 1;
    int m_bShowIcon = 1;
    int m_nThumbnailWidth = 192;   // 40..400
    int m_nThumbnailHeight = 108;  // 30..300
    int m_bRememberPosition = 1;
    int m_bAutoResumeInterrupted = 0;
    int m_nZoomRatio = 100;  // 0 fit, 50, 100, 200
    int m_nVolume = 100;     // 0..100
    int m_bMute = 0;
    int m_nFilterIndex = 0;
    CString m_strLastFolder;
    int m_bLastScanSubfolders = 0;
    CString m_strTempFolder;  // grabbed thumbnails written for saved playlists

private:
    void ClampRanges();
};

extern CPlayerSettings g_playerSettings;
