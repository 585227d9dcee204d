// Handing media files to iTunes through its COM automation server.
#pragma once
#include "classlib/CArray.h"
#include "classlib/CString.h"

// True when iTunes' registry key exists under HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER.
bool IsITunesInstalled();

// iTunes' main window, or null when it is not running.
HWND IsITunesRunning();

// Adds every path to the iTunes library; with bQuitWhenStartedHere, closes iTunes again when it
// was not running before the call. 0 when iTunes took the list (a file it refuses is skipped),
// -1 when its automation server or library playlist cannot be had. Initialises COM on the
// calling thread for the call's duration.
int AddFilesToITunes(const CStringArray& files, int nIgnored, BOOL bQuitWhenStartedHere);
