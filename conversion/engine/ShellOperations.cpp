#include "conversion/engine/ShellOperations.h"
#include "framework/system/AppFolders.h"
#include "framework/system/ShellHelpers.h"
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

int ExploreSelect(LPCWSTR path)
{
    return ShowInExplorer(path, L"/select,\"%s\"");
}

int ExploreFolder(LPCWSTR path)
{
    return ShowInExplorer(path, L"/e,\"%s\"");
}

int GetShellIconIndex(LPCWSTR path, bool small, bool open)
{
    UINT flags = SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES;
    if (small)
        flags |= SHGFI_SMALLICON;
    if (open)
        flags |= SHGFI_OPENICON;
    DWORD attributes = PathIsDirectoryW(path) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    SHFILEINFOW info = {};
    if (!SHGetFileInfoW(path, attributes, &info, sizeof(info), flags))
        return -1;
    return info.iIcon;
}

CString GetMyMusicFolder(bool create)
{
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_MYMUSIC, create))
        return CString();
    return folder;
}

CString GetPlayerPath()
{
    return GetAppFolder() + L"\\KavriVideoPlayer.exe";
}
