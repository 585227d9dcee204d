// Ids of the framework's own resources. A static library carries no resources, so each
// program's and each window suite's resource script includes framework/res/Framework.rc.
#pragma once

// Dialogs
#define IDD_ABOUTBOX 100
#define IDD_FOLDER_DIALOG 104
#define IDD_UPDATE_CHECKING 521
#define IDD_NEW_VERSION 527

// Cursors
#define IDC_INSERT_ROW 137
#define IDC_INSERT_TILE 139

// Bitmaps
#define IDB_SCROLL_GRIP 221

// The main window's system-menu item (CAppMainWnd); low bits clear, as system commands need
#define IDM_SYS_ALWAYS_ON_TOP 0x0020
