// ".playlist": the player's own XML playlist with each item's media information, resume
// position, filters and thumbnail, and the playlist's name and cover. Older files (version 1,
// other element names) are read as well.
#pragma once
#include "player/playlist/CPlaylistFormat.h"

class CPlaylistXmlFormat : public CPlaylistFormat {
public:
    // A damaged file gives -1 with the items before the damage in the record.
    int Read(LPCWSTR pszPath, CPlaylistData& data) override;
    int Write(LPCWSTR pszPath, CPlaylistData& data, int bEmbedImages) override;
};
