// Ids of the conversion tool's program resources (frame, menu, tool bar, art) and of its five
// task pages with their controls. The pages' dialogs and art are in TaskPages.rc, which the
// program's script and the page suites include; the shared image lists' bitmaps are in
// ConversionApp.rc (ConversionAppResources.h).
#pragma once

// The frame: document string, menu, accelerators and icon share one id.
#define IDR_MAINFRAME 128
#define IDR_TOOLBAR 144         // tool-bar resource and its one-image-per-button bitmap
#define IDB_TOOLBAR_IMAGES 177  // the tool bar's 28 x 22 button images
#define IDB_TAB_SELECTED 224    // 16 x 30 pieces (left, middle, right) of the selected tab
#define IDB_TAB_NORMAL 225      // the same pieces of the other tabs
#define IDB_PROGRESS_CORNERS 228  // four 2 x 2 rounded corners of the progress bar

// Commands
#define ID_APP_SETTINGS 32802
#define ID_VIDEO_AUDIO_FORMATS 32803
#define ID_EMAIL_US 32809
#define ID_WEB_SITE 32812
#define ID_CHECK_FOR_UPDATES 32944
#define ID_MAIN_MENU 32948
#define ID_START_PLAYER 32949
#define ID_TOOL_RESERVED_1 32950
#define ID_TOOL_RESERVED_2 32951
#define IDS_TOOL_DESCRIPTION 34001  // "%s": the status bar's one pane

// Control ids of the frame's bars
#define IDW_TOOL_BAR 59398
#define IDW_TOOL_TABS 59399

// Task pages
#define IDD_CONVERT_PAGE 534
#define IDD_MERGE_PAGE 543
#define IDD_CONCATENATE_PAGE 544
#define IDD_EXTRACT_AUDIO_PAGE 545
#define IDD_M3U8_PAGE 546

// Controls shared by the pages
#define IDC_PAGE_START 1039
#define IDC_PAGE_STOP 1040
#define IDC_PAGE_DELETE_SOURCE 1141
#define IDC_PAGE_STATE_ICON 1144
#define IDC_PAGE_PROGRESS 1299
#define IDC_PAGE_FORMAT 1010
#define IDC_PAGE_PRESET 1204
#define IDC_PAGE_ADVANCED 1030
#define IDC_PAGE_DESTINATION 1021
#define IDC_PAGE_CHOOSE_DESTINATION 1148
#define IDC_PAGE_OPEN_DESTINATION 1149
#define IDC_PAGE_SAME_AS_INPUT 1242
#define IDC_PAGE_OUTPUT_NAME 1157
#define IDC_PAGE_PLAY 1155

// Convert, M3U8 and extract pages
#define IDC_PAGE_SOURCE 1213
#define IDC_PAGE_CHOOSE_SOURCE 1147
#define IDC_PAGE_GENERAL_GROUP 1150
#define IDC_PAGE_VIDEO_GROUP 1151
#define IDC_PAGE_AUDIO_GROUP 1152
#define IDC_PAGE_CUT 1542
#define IDC_PAGE_START_LABEL 1522
#define IDC_PAGE_CUT_START 1227
#define IDC_PAGE_END_LABEL 1526
#define IDC_PAGE_CUT_END 1231
#define IDC_PAGE_RESET 1225
#define IDC_PAGE_FLIP_HORIZONTALLY 1182
#define IDC_PAGE_FLIP_VERTICALLY 1185
#define IDC_PAGE_ROTATE 1176
#define IDC_PAGE_ROTATION 1201
#define IDC_PAGE_GRAYSCALE 1197
#define IDC_PAGE_NEGATE 1192
#define IDC_PAGE_OLD_PHOTO 1525
#define IDC_PAGE_CHANGE_VOLUME 1233
#define IDC_PAGE_VOLUME 1234
#define IDC_PAGE_VOLUME_LABEL 1530

// Merge page
#define IDC_PAGE_VIDEO 1533
#define IDC_PAGE_CHOOSE_VIDEO 1534
#define IDC_PAGE_AUDIO 1060
#define IDC_PAGE_CHOOSE_AUDIO 1048
#define IDC_PAGE_SUBTITLE_LABEL 1160
#define IDC_PAGE_SUBTITLE 1161
#define IDC_PAGE_CHOOSE_SUBTITLE 1162

// Concatenate page
#define IDC_PAGE_SEGMENTS 1539
#define IDC_PAGE_ADD_FILES 1053
#define IDC_PAGE_ADD_FOLDER 1063
#define IDC_PAGE_MOVE_UP 1158
#define IDC_PAGE_MOVE_DOWN 1215
#define IDC_PAGE_AUTO_SORT 1159
#define IDC_PAGE_REMOVE 158
#define IDC_PAGE_REMOVE_ALL 1007
