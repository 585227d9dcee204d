// Ids of the conversion tool's dialogs and their controls. A static library carries no
// resources, so the program's script and each dialog suite's script include
// conversion/app/res/ConversionApp.rc.
#pragma once

// Settings dialog
#define IDD_CONVERSION_SETTINGS 213
#define IDC_OVERWRITE_PROMPT 1041  // first of the radio group
#define IDC_OVERWRITE_NEW_NAME 1043
#define IDC_OVERWRITE_ALWAYS 1044
#define IDC_OVERWRITE_CANCEL 1047
#define IDC_AUTO_CHECK_UPDATE 1297

// Art (conversion/app/res/make_dialog_art.py draws it)
#define IDC_HAND_CURSOR 140
#define IDB_TASK_STATES 142     // 24 x 24 task-state icons
#define IDB_PRESET_STATES 149   // 16 x 16 state images of the preset list, white transparent
#define IDB_TOOL_ICONS_LARGE 152  // 32 x 32
#define IDB_SIZE_GRIP 154       // 12 x 12, image 0 the size grip
#define IDB_TOOL_ICONS_SMALL 197  // 16 x 16
#define IDB_FORMAT_ICONS 303    // 16 x 16: video, audio, device

// File-exists dialog
#define IDD_FILE_EXISTS 208
#define IDC_FILE_EXISTS_ICON 1000
#define IDC_FILE_EXISTS_TEXT 1054
#define IDC_EXISTING_PATH 1032
#define IDC_ACTION_NEW_NAME 1400  // first of the radio group
#define IDC_ACTION_OVERWRITE 1401
#define IDC_ACTION_SKIP 1402
#define IDC_ACTION_SKIP_DELETE 1403
#define IDC_NEW_TITLE 1020
#define IDC_ALWAYS_USE_ACTION 1191
#define IDC_AUTO_CLOSE 2151

// Format manager "Video & Audio Formats"
#define IDD_FORMAT_MANAGER 135
#define IDC_FORMATS_LABEL 1600
#define IDC_FORMAT_TREE 1010
#define IDC_PRESETS_LABEL 1601
#define IDC_PRESET_LIST 1204
#define IDC_ADD_PRESET 1365
#define IDC_DELETE_PRESET 1359
#define IDC_EDIT_PRESET 1360
#define IDC_DEFAULT_PRESET 1362
#define IDC_MOVE_PRESET_UP 1363
#define IDC_MOVE_PRESET_DOWN 1364
#define IDC_RESET_PRESETS 1279
#define IDC_RESET_ALL_PRESETS 1328

// Format Settings and Preset dialogs (the format and preset combos share their ids with the
// format manager's tree and list)
#define IDD_FORMAT_SETTINGS 541
#define IDD_PRESET 542
#define IDC_FORMAT_LABEL 1602
#define IDC_FORMAT_COMBO 1010
#define IDC_PRESET_LABEL 1603
#define IDC_PRESET_COMBO 1204
#define IDC_PRESET_NAME 1344
#define IDC_VIDEO_GROUP 1305
#define IDC_VIDEO_CHECK 1278
#define IDC_VIDEO_CODEC_LABEL 1190
#define IDC_VIDEO_CODEC 1199
#define IDC_RESOLUTION_LABEL 1206
#define IDC_RESOLUTION 1179
#define IDC_WIDTH 1172
#define IDC_SIZE_X 1188
#define IDC_HEIGHT 1174
#define IDC_FRAME_RATE_LABEL 1211
#define IDC_FRAME_RATE 1180
#define IDC_FRAME_RATE_EDIT 1078
#define IDC_VIDEO_BIT_RATE_LABEL 1208
#define IDC_VIDEO_BIT_RATE 1183
#define IDC_VIDEO_BIT_RATE_EDIT 1170
#define IDC_VIDEO_SAME_QUALITY 2211
#define IDC_AUDIO_GROUP 1306
#define IDC_AUDIO_CHECK 1281
#define IDC_AUDIO_CODEC_LABEL 1194
#define IDC_AUDIO_CODEC 1202
#define IDC_CHANNELS_LABEL 1513
#define IDC_CHANNELS 1288
#define IDC_SAMPLE_RATE_LABEL 1325
#define IDC_SAMPLE_RATE 1289
#define IDC_SAMPLE_RATE_EDIT 1177
#define IDC_AUDIO_BIT_RATE_LABEL 1326
#define IDC_AUDIO_BIT_RATE 1301
#define IDC_AUDIO_BIT_RATE_EDIT 1080
#define IDC_AUDIO_SAME_QUALITY 1244
