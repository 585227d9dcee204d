// The playlist file formats, chosen by the file's extension: ".playlist" (the player's own
// XML, everything about an item), ".m3u" and ".pls" (paths only). Reading fills a playlist
// record with new items; writing takes a record that points at the playlist's items.
#pragma once
#include "classlib/CString.h"

class CPlaylistData;
class CPlaylistFile;

class CPlaylistFormat {
public:
    virtual ~CPlaylistFormat() = default;
    // 0, or -1 when the file is missing or unreadable; items read before a failure stay in the
    // record (the caller frees them).
    virtual int Read(LPCWSTR pszPath, CPlaylistData& data) = 0;
    // 0 or -1. The file is replaced only by a complete new one.
    virtual int Write(LPCWSTR pszPath, CPlaylistData& data, int bEmbedImages) = 0;

protected:
    // The path-only formats: the list's paths as new items, the items' paths as the list.
    static int ReadPathList(CPlaylistFile& list, LPCWSTR pszPath, CPlaylistData& data);
    static int WritePathList(CPlaylistFile& list, LPCWSTR pszPath, const CPlaylistData& data);
};

// ".playlist", ".m3u" or ".pls", in any case.
bool IsPlaylistFileName(LPCWSTR pszPath);
// A new format for such a path, null for any other; the caller deletes it.
CPlaylistFormat* CreatePlaylistFormat(LPCWSTR pszPath);
