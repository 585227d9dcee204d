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
