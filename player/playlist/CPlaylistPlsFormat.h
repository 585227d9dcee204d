// ".pls" playlists: the paths of the items only, through the list file that the conversion
// tool reads and writes too.
#pragma once
#include "player/playlist/CPlaylistFormat.h"

class CPlaylistPlsFormat : public CPlaylistFormat {
public:
    int Read(LPCWSTR pszPath, CPlaylistData& data) override;
    int Write(LPCWSTR pszPath, CPlaylistData& data, int bEmbedImages) override;
};
