#include "player/playlist/CPlaylistM3uFormat.h"
#include "framework/text/CPlaylistFile.h"
#include <memory>

int CPlaylistM3uFormat::Read(LPCWSTR pszPath, CPlaylistData& data)
{
    std::unique_ptr<CPlaylistFile> pList(CPlaylistFile::CreateM3u());
    return ReadPathList(*pList, pszPath, data);
}

int CPlaylistM3uFormat::Write(LPCWSTR pszPath, CPlaylistData& data, int)
{
    std::unique_ptr<CPlaylistFile> pList(CPlaylistFile::CreateM3u());
    return WritePathList(*pList, pszPath, data);
}
