#include "player/playlist/CPlaylistPlsFormat.h"
#include "framework/text/CPlaylistFile.h"
#include <memory>

int CPlaylistPlsFormat::Read(LPCWSTR pszPath, CPlaylistData& data)
{
    std::unique_ptr<CPlaylistFile> pList(CPlaylistFile::CreatePls());
    return ReadPathList(*pList, pszPath, data);
}

int CPlaylistPlsFormat::Write(LPCWSTR pszPath, CPlaylistData& data, int)
{
    std::unique_ptr<CPlaylistFile> pList(CPlaylistFile::CreatePls());
    return WritePathList(*pList, pszPath, data);
}
