// Ids of the player's resources, commands and child windows. Plain #defines only, so the resource
// scripts include it too. A static library carries no resources: the program's script and each
// suite's script that opens a player window include player/res/Player.rc. Ids are fixed once
// given (saved settings, shell associations and the menus depend on them): add, never renumber.
#pragma once
#include "framework/res/FrameworkResources.h"

// The frame's menu, accelerators, icon and document string
#define IDR_MAINFRAME 128
// The context menus, one sub-menu per place (positions below)
#define IDR_PLAYER_POPUP 152
#define POPUP_PLAYVIEW 0       // "_PLAYVIEW_": the display view
#define POPUP_PLAYLISTVIEW 1   // "_PLAYLISTVIEW_": a selected playlist item
#define POPUP_ADD_ITEMS 2      // the playlist without a selected item
#define POPUP_BAR_PLAY 3       // "_PLAY_": the bar's play, stop, previous and next buttons
#define POPUP_BAR_SEEK 4       // "_SEEK_": the seek slider and the time label
#define POPUP_BAR_VOLUME 5     // "_VOLUME_": the speaker button and the volume slider
#define POPUP_BAR_ZOOM 6       // "_ZOOM_": the zoom and full-screen buttons
#define POPUP_BAR_SWITCH 7     // "_SWITCH_": the switch button
// Track sub-menu positions inside the sub-menus above
#define POPUP_PLAYVIEW_VIDEO_TRACK 4
#define POPUP_PLAYVIEW_AUDIO_TRACK 5
#define POPUP_PLAYVIEW_SUBTITLE_TRACK 6
#define POPUP_PLAYLISTVIEW_VIDEO_TRACK 7
#define POPUP_PLAYLISTVIEW_AUDIO_TRACK 8
#define POPUP_PLAYLISTVIEW_SUBTITLE_TRACK 9

// Icons. The shell addresses the program's icons by their order in the file: 0 the program,
// 1 ".playlist", 2 video, 3 audio, 4 playlist (a file type's icon index), so the first two
// have ids below 100.
#define IDI_PLAYER_APP 1
#define IDI_PLAYLIST_DOC 2
#define IDI_VIDEO_FILE 100
#define IDI_AUDIO_FILE 101
#define IDI_PLAYLIST_FILE 102
// (the frame's icon is IDR_MAINFRAME)

// Cursors
#define IDC_LINK_HAND 401

// PNG images (resource type "PNG"): the start panel's 96 x 96 "Open Files" button
#define IDR_OPEN_FILES_HOT 161
#define IDR_OPEN_FILES_NORMAL 162

// Bitmaps of the control bar (a button's images by its state: normal, hot, focus, pressed, disabled)
#define IDB_BAR_RESTORE 131       // full-screen button while in full screen
#define IDB_BAR_PLAY 132
#define IDB_BAR_FULL_SCREEN 135   // full-screen button while windowed
#define IDB_BAR_STOP 138
#define IDB_BAR_PREVIOUS 140
#define IDB_BAR_NEXT 141
#define IDB_SEEK_SLIDER 144       // empty channel, filled channel, hot thumb, pressed thumb
#define IDB_BAR_PAUSE 145
#define IDB_VOLUME_SLIDER 147     // the same four images, 20 x 24
#define IDB_BAR_TO_DISPLAY 148    // switch button: go to the display view
#define IDB_BAR_TO_PLAYLIST 153   // switch button: go to the playlist view
#define IDB_BAR_ZOOM 157
#define IDB_BAR_VOLUME_LOW 159
#define IDB_BAR_VOLUME_HIGH 160
#define IDB_BAR_MUTED 167
#define IDB_SEEK_CAPS 202         // the seek channel's left and right end, 3 x 24

// Bitmaps of the playlist
#define IDB_LIST_STATE 130        // 20 x 20: playing, paused
#define IDB_LIST_TYPES 151        // 16 x 16: video, audio
#define IDB_LIST_PLAY_BUTTON 155  // 20 x 20: normal, hot, pressed
#define IDB_GRID_TYPES 164        // 32 x 32: video, audio
#define IDB_GRID_LABEL 168        // 4 x 14: left, middle, right
#define IDB_TILE_CORNERS 169      // 5 x 5: top-left, top-right, bottom-left, bottom-right
#define IDB_GRID_PLAY_BUTTON 191  // 40 x 40: normal, hot, pressed
#define IDB_GRID_STATE 192        // 40 x 40: playing, paused
#define IDB_LIST_DELETE_BUTTON 204 // 20 x 20: normal, hot, pressed
#define IDB_GRID_DELETE_BUTTON 222 // 24 x 24: normal, hot, pressed
#define IDB_LIST_LABEL 223        // 4 x 14: left, middle, right

// The display window's busy dots, 16 x 16: idle, lit
#define IDB_BUSY_DOTS 206

// Dialogs
#define IDD_SETTINGS_GENERAL 105
#define IDD_SETTINGS_FILE_TYPES 108
#define IDD_SETTINGS_HISTORY 109
#define IDD_NEW_FILE_TYPE 113
#define IDD_OPEN_URL 207
#define IDD_ADD_URLS 529
#define IDD_MEDIA_INFO 531

// Controls of the URL dialogs and the media information dialog
#define IDC_URL_ADDRESS 1030      // "Open URL": the address combo box
#define IDC_URL_LIST 1003         // "Add URLs": the multi-line edit
#define IDC_URL_EXAMPLE 2173      // both: the example link
#define IDC_MEDIA_PATH 1040
#define IDC_MEDIA_PROPERTIES 1032

// Controls of the settings pages
#define IDC_SETTINGS_AUTO_UPDATE 1000
#define IDC_REMEMBER_POSITION 1008
#define IDC_RESUME_INTERRUPTED 1009
#define IDC_ALLOW_DUPLICATES 1025
#define IDC_THUMBNAIL_WIDTH 1027
#define IDC_THUMBNAIL_HEIGHT 1031
#define IDC_FULL_SCREEN_CONTROL_BAR 1034
#define IDC_LOAD_LAST_PLAYLIST 1036
#define IDC_FILE_TYPE_LIST 1032
#define IDC_ADD_FILE_TYPE 1013
#define IDC_DELETE_FILE_TYPE 1014
#define IDC_REMEMBER_RECENT_FILES 1037
#define IDC_CLEAR_RECENT_FILES 1038
#define IDC_MAX_RECENT_FILES 1039
#define IDC_REMEMBER_RECENT_PLAYLISTS 1041
#define IDC_MAX_RECENT_PLAYLISTS 1043
#define IDC_CLEAR_RECENT_PLAYLISTS 1044
// Controls of the "File Type" dialog
#define IDC_FILE_EXTENSION 1016
#define IDC_FILE_TYPE_NAME 1017
#define IDC_FILE_TYPE_ICON 1020

// Commands: playback
#define ID_PLAY_PLAY 32771            // "Play\tCtrl+P" / "Pause\tCtrl+P"
#define ID_PLAY_STOP 32773
#define ID_PLAY_PREVIOUS 32774
#define ID_PLAY_NEXT 32776
#define ID_SEEK_FORWARD_10S 32791
#define ID_SEEK_BACKWARD_10S 32792
#define ID_SEEK_FORWARD_1MIN 32793
#define ID_SEEK_BACKWARD_1MIN 32794
#define ID_PLAY_PLAY_DROPBOX 32795    // "Play" / "Pause" of the drop-box menu
#define ID_ZOOM_FIT 32796
#define ID_ZOOM_50 32797
#define ID_ZOOM_100 32798
#define ID_ZOOM_200 32799
#define ID_VOLUME_UP 32800
#define ID_VOLUME_DOWN 32801
#define ID_VOLUME_MUTE 32802
#define ID_TIME_LABEL_SWITCH 32815
#define ID_ZOOM_TOGGLE 32818
#define ID_VOLUME_25 32853
#define ID_VOLUME_50 32854
#define ID_VOLUME_100 32855
#define ID_REPEAT_CURRENT 32809
#define ID_REPEAT_ALL 32811

// Commands: files and the playlist
#define ID_FILE_ADD_URLS 32772
#define ID_FILE_ADD_FILES 32775
#define ID_FILE_ADD_FOLDER 32777
#define ID_FILE_OPEN_FILES 32821
#define ID_FILE_OPEN_FOLDER 32822
#define ID_FILE_OPEN_URL 32829
#define ID_PLAYLIST_DELETE 32780
#define ID_PLAYLIST_SAVE 32783
#define ID_PLAYLIST_OPEN 32784
#define ID_PLAYLIST_MOVE_UP 32788
#define ID_PLAYLIST_MOVE_DOWN 32789
#define ID_ITUNES_ADD_SELECTED 32804
#define ID_ITUNES_ADD_ALL 32805
#define ID_MEDIA_INFO 32806
#define ID_PLAYLIST_SELECT_ALL 32808
#define ID_PLAYLIST_SHOW_TITLE 32810
#define ID_PLAYLIST_DELETE_ALL 32812
#define ID_PLAYLIST_PLAY 32813         // "Play\tEnter"; also the rows' play button
#define ID_PLAYLIST_SHOW_ICON 32814
#define ID_PLAYLIST_SHOW_DURATION 32816
#define ID_PLAYLIST_GRID_VIEW 32827
#define ID_PLAYLIST_LIST_VIEW 32828
#define ID_PLAYLIST_SHOW_DEFINITION 32830
#define ID_PLAYLIST_SHOW_IN_FOLDER 32846
#define ID_CLEAR_RECENT_FILES 33001
#define ID_CLEAR_RECENT_PLAYLISTS 33003
#define ID_RECENT_FILE_FIRST 33100
#define ID_RECENT_FILE_LAST 33199
#define ID_RECENT_PLAYLIST_FIRST 33200
#define ID_RECENT_PLAYLIST_LAST 33299

// Commands: the window
#define ID_VIEW_DOCK_PLAYLIST 32778
#define ID_VIEW_ALWAYS_ON_TOP 32779
#define ID_VIEW_TRANSPARENT 32781
#define ID_VIEW_FULL_SCREEN 32782
#define ID_VIEW_RESTORE_OR_MINIMIZE 32787
#define ID_VIEW_SWITCH 32837
// "Show Control Bar" is the class library's ID_VIEW_TOOLBAR (59392), Shift+F6 its ID_PREV_PANE.

// Commands: effects on one item
#define ID_EFFECTS_RESET 32833
#define ID_ROTATE_90 32850
#define ID_ROTATE_180 32851
#define ID_ROTATE_270 32852
#define ID_PICTURE_OLD_PHOTO 32859
#define ID_PICTURE_FLIP_H 32860
#define ID_PICTURE_FLIP_V 32861
#define ID_PICTURE_GRAYSCALE 32862
#define ID_PICTURE_NEGATE 32863
#define ID_SPEED_DOUBLE 32865
#define ID_SPEED_HALF 32866
#define ID_ITEM_VOLUME_150 32870
#define ID_ITEM_VOLUME_200 32871
#define ID_ITEM_VOLUME_300 32872

// Commands: the track sub-menus. Stream index = id - ..._BASE (-2 off, -1 automatic).
#define ID_NO_VIDEO_TRACK 32500
#define ID_NO_AUDIO_TRACK 32600
#define ID_NO_SUBTITLE_TRACK 32700
#define ID_VIDEO_TRACK_OFF 33501
#define ID_VIDEO_TRACK_AUTO 33502
#define ID_VIDEO_TRACK_BASE 33503
#define ID_VIDEO_TRACK_LAST 33599
#define ID_AUDIO_TRACK_OFF 33601
#define ID_AUDIO_TRACK_AUTO 33602
#define ID_AUDIO_TRACK_BASE 33603
#define ID_AUDIO_TRACK_LAST 33699
#define ID_SUBTITLE_TRACK_OFF 33701
#define ID_SUBTITLE_TRACK_AUTO 33702
#define ID_SUBTITLE_TRACK_BASE 33703
#define ID_SUBTITLE_TRACK_LAST 33799

// Commands: tools, help and after playback ("About..." is the class library's ID_APP_ABOUT)
#define ID_AFTER_SHUTDOWN 32786
#define ID_TOOLS_SETTINGS 32803
#define ID_AFTER_CLOSE_WINDOW 32819
#define ID_TOOLS_MEDIA_FETCHER 32820
#define ID_HELP_EMAIL 32823
#define ID_HELP_WEB_SITE 32824
#define ID_HELP_CHECK_UPDATES 32834

// System-menu items the frame adds beside IDM_SYS_ALWAYS_ON_TOP (low bits clear, as system
// commands need)
#define IDM_SYS_FULL_SCREEN 0x0040
#define IDM_SYS_TRANSPARENT 0x0100

// Child window ids
#define IDW_PLAYLIST_VIEW 10
#define IDW_DISPLAY_VIEW 20
#define IDW_PLAYLIST_CTRL 100
#define IDW_START_BUTTON 100
#define IDW_VIDEO_DISPLAY 200
#define IDW_PLAYER_CONTROL_BAR 59397
#define IDW_START_PANEL 59658
