// What a playlist file is read into and written from: the items in order, the playlist's own
// flags, name, cover and last played item.
#pragma once
#include "classlib/CArray.h"
#include "image/RasterImage.h"
#include "player/playlist/CPlaylistItem.h"

class CPlaylistData {
public:
    explicit CPlaylistData(int bOwnsItems) : m_bOwnsItems(bOwnsItems) {}
    CPlaylistData(const CPlaylistData&) = delete;
    CPlaylistData& operator=(const CPlaylistData&) = delete;
    // Deletes the items only when it owns them; else only empties the array.
    ~CPlaylistData();

    // A new item with only its path set, appended; null when it cannot be made.
    CPlaylistItem* AddNewItem(LPCWSTR pszPath);
    void DeleteItems();

    CTypedPtrArray<CPtrArray, CPlaylistItem*> m_items;
    DWORD m_dwFlags = 0;
    CString m_strName;
    CString m_strCoverFile;
    CRasterImage m_cover;
    int m_nLastItem = -1;
    int m_bOwnsItems;
};
