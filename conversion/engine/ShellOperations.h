// Shell services of the conversion tool: Explorer on an output, shell icons, the music folder
// and the player program beside this one. Explorer is reached only through the framework's
// shell calls, which tests replace.
#pragma once
#include "classlib/CString.h"

// An Explorer window with the file selected. 0.
int ExploreSelect(LPCWSTR path);
// An Explorer window on the folder itself. 0.
int ExploreFolder(LPCWSTR path);
// The index of the path's icon in the system image list (a folder gets the folder icon, any
// other path the icon of its file type; the file need not exist); -1 when the shell has none.
int GetShellIconIndex(LPCWSTR path, bool small, bool open);
// The user's music folder, created when asked; empty when the shell has none.
CString GetMyMusicFolder(bool create);
// "<application folder>\KavriVideoPlayer.exe": where the player is looked for.
CString GetPlayerPath();
