#include "player/CPlaylistFormat.h"
#include "framework/text/CPlaylistFile.h"
#include "player/CPlaylistPathFormat.h"
#include "player/CPlaylistXmlFormat.h"
#include <shlwapi.h>

namespace {

bool HasPlaylistExtension(LPCWSTR pszPath)
{
    return pszPath && lstrcmpiW(PathFindExtensionW(pszPath), L".playlist") == 0;
}

}  // namespace

bool IsPlaylistFileName(LPCWSTR pszPath)
{
    return HasPlaylistExtension(pszPath) || (pszPath && IsPlaylistFile(pszPath));
}

CPlaylistFormat* CreatePlaylistFormat(LPCWSTR pszPath)
{
    if (HasPlaylistExtension(pszPath))
        return new CPlaylistXmlFormat;
    CPlaylistFile* pFile = pszPath ? CPlaylistFile::CreateForPath(pszPath) : nullptr;
    return pFile ? new CPlaylistPathFormat(pFile) : nullptr;
}
