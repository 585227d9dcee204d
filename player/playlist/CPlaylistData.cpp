#include "player/playlist/CPlaylistData.h"
#include <new>

CPlaylistData::~CPlaylistData()
{
    if (m_bOwnsItems)
        DeleteItems();
    m_items.RemoveAll();
}

CPlaylistItem* CPlaylistData::AddNewItem(LPCWSTR pszPath)
{
    CPlaylistItem* pItem = new (std::nothrow) CPlaylistItem;
    if (!pItem)
        return nullptr;
    pItem->m_strPath = pszPath;
    m_items.Add(pItem);
    return pItem;
}

void CPlaylistData::DeleteItems()
{
    for (int i = 0; i < m_items.GetSize(); ++i)
        delete m_items[i];
    m_items.RemoveAll();
}
