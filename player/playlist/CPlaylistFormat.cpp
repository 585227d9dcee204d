#include "player/playlist/CPlaylistFormat.h"
#include "framework/text/CPlaylistFile.h"
#include "player/playlist/CPlaylistData.h"
#include "player/playlist/CPlaylistM3uFormat.h"
#include "player/playlist/CPlaylistPlsFormat.h"
#include "player/playlist/CPlaylistXmlFormat.h"
#include <shlwapi.h>

namespace {

bool HasExtension(LPCWSTR pszPath, LPCWSTR pszExtension)
{
    return pszPath && lstrcmpiW(PathFindExtensionW(pszPath), pszExtension) == 0;
}

}  // namespace

bool IsPlaylistFileName(LPCWSTR pszPath)
{
    return HasExtension(pszPath, L".playlist") || HasExtension(pszPath, L".m3u") || HasExtension(pszPath, L".pls");
}

CPlaylistFormat* CreatePlaylistFormat(LPCWSTR pszPath)
{
    if (HasExtension(pszPath, L".playlist"))
        return new CPlaylistXmlFormat;
    if (HasExtension(pszPath, L".m3u"))
        return new CPlaylistM3uFormat;
    if (HasExtension(pszPath, L".pls"))
        return new CPlaylistPlsFormat;
    return nullptr;
}

int CPlaylistFormat::ReadPathList(CPlaylistFile& list, LPCWSTR pszPath, CPlaylistData& data)
{
    CStringArray paths;
    int result = list.Read(pszPath, paths);
    for (int i = 0; i < paths.GetSize(); ++i) {
        if (!data.AddNewItem(paths[i]))
            return -1;
    }
    return result;
}

int CPlaylistFormat::WritePathList(CPlaylistFile& list, LPCWSTR pszPath, const CPlaylistData& data)
{
    CStringArray paths;
    for (int i = 0; i < data.m_items.GetSize(); ++i)
        paths.Add(data.m_items[i]->m_strPath);
    return list.Write(pszPath, paths);
}
