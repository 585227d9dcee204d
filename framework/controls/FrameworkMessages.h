// The private window messages the framework's windows and the two programs exchange.
#pragma once
#include <windows.h>

#define WM_CHECK_FOR_UPDATES (WM_USER + 8292)
#define WM_MENUBAR_OPENPOPUP (WM_USER + 8492)
#define WM_SLIDER_POSCHANGED (WM_USER + 8532)
#define WM_SPLITTER_PANECHANGED (WM_USER + 8702)
#define WM_THREAD_FINISHED (WM_USER + 8872)
