// The player's temporary folder (the TempFolder setting): grabbed thumbnails are written there
// when a playlist is saved without embedded images. The player deletes only files it made
// there, whatever a playlist file or the profile names.
#pragma once
#include "classlib/CString.h"

// TempFolder (created as needed) followed by a new 32-hex-digit GUID name without extension;
// a GUID name in the system's temporary folder when TempFolder cannot be made.
CString MakeTempFilePath();
// Whether the path names a file of that form directly inside TempFolder.
bool IsPlayerTempFile(LPCWSTR pszPath);
// Deletes the player's own files in TempFolder, then the folder when nothing else is left in it.
void ClearTempFolder();
