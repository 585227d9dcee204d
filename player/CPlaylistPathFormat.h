// ".m3u" and ".pls" playlists: the paths of the items only, through the list files that the
// conversion tool reads and writes too.
#pragma once
#include "player/CPlaylistFormat.h"

class CPlaylistFile;

class CPlaylistPathFormat : public CPlaylistFormat {
public:
    explicit CPlaylistPathFormat(CPlaylistFile* pFile) : m_pFile(pFile) {}  // takes the file
    ~CPlaylistPathFormat() override;
    CPlaylistPathFormat(const CPlaylistPathFormat&) = delete;
    CPlaylistPathFormat& operator=(const CPlaylistPathFormat&) = delete;

    int Read(LPCWSTR pszPath, CPlaylistData& data) override;
    int Write(LPCWSTR pszPath, CPlaylistData& data, int bEmbedImages) override;

private:
    CPlaylistFile* m_pFile;
};
