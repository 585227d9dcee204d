#include "player/CPlaylistPathFormat.h"
#include "framework/text/CPlaylistFile.h"
#include "player/CPlaylistData.h"

CPlaylistPathFormat::~CPlaylistPathFormat()
{
    delete m_pFile;
}

int CPlaylistPathFormat::Read(LPCWSTR pszPath, CPlaylistData& data)
{
    CStringArray paths;
    int result = m_pFile->Read(pszPath, paths);
    for (int i = 0; i < paths.GetSize(); ++i) {
        if (!data.AddNewItem(paths[i]))
            return -1;
    }
    return result;
}

int CPlaylistPathFormat::Write(LPCWSTR pszPath, CPlaylistData& data, int bEmbedImages)
{
    CStringArray paths;
    for (int i = 0; i < data.m_items.GetSize(); ++i)
        paths.Add(data.m_items[i]->m_strPath);
    return m_pFile->Write(pszPath, paths);
}
