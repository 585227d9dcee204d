#include "player/playback/PlayerTempFolder.h"
#include "classlib/AfxPath.h"
#include "framework/system/AppFolders.h"
#include "framework/system/PathHelpers.h"
#include "framework/system/SystemHelpers.h"
#include "player/CPlayerSettings.h"
#include "common/OwnedHandle.h"
#include <wctype.h>

namespace {

const int kGuidNameLength = 32;

bool IsGuidName(LPCWSTR pszName)
{
    int length = 0;
    for (; pszName[length]; ++length) {
        if (!iswxdigit(pszName[length]))
            return false;
    }
    return length == kGuidNameLength;
}

}  // namespace

CString MakeTempFilePath()
{
    const CString& folder = g_playerSettings.m_strTempFolder;
    CString guid;
    if (folder.IsEmpty() || CreateFolderTree(folder) < 0 || NewGuidString(guid) != 0)
        return GetUniqueTempPath();
    return folder + L"\\" + guid;
}

bool IsPlayerTempFile(LPCWSTR pszPath)
{
    if (!pszPath || !*pszPath || g_playerSettings.m_strTempFolder.IsEmpty())
        return false;
    CString folder = AfxGetFullPath(g_playerSettings.m_strTempFolder);
    folder.TrimRight(L'\\');  // the setting may end in one; the name is counted from the folder's end
    CString file = AfxGetFullPath(pszPath);
    if (folder.IsEmpty() || file.IsEmpty() || !AfxComparePath(GetFolderOfPath(file), folder))
        return false;
    return IsGuidName(static_cast<LPCWSTR>(file) + folder.GetLength() + 1);
}

void ClearTempFolder()
{
    const CString& folder = g_playerSettings.m_strTempFolder;
    if (folder.IsEmpty())
        return;
    WIN32_FIND_DATAW found;
    OwnedFindHandle find(FindFirstFileW(folder + L"\\*", &found));
    if (!find)
        return;
    do {
        bool bFile = !(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
        if (bFile && IsGuidName(found.cFileName))
            DeleteFileW(folder + L"\\" + found.cFileName);
    } while (FindNextFileW(find.Get(), &found));
    find.Reset();
    RemoveDirectoryW(folder);  // fails while anything else is left in it
}
