#include "conversion/app/CConversionRecentLists.h"
#include "conversion/engine/ShellOperations.h"
#include "framework/system/ShellHelpers.h"

CConversionRecentLists theConversionRecentLists;

namespace {

void LoadList(CMRUList& list, LPCWSTR section)
{
    list.m_strSection = section;
    list.m_strEntryFormat = L"%02d";
    list.m_nMaxEntries = 20;
    list.Load();
}

}  // namespace

int CConversionRecentLists::Load()
{
    LoadList(m_inputFiles, L"Data\\Recent Input Files");
    LoadList(m_inputVideoFiles, L"Data\\Recent Input Video Files");
    LoadList(m_inputAudioFiles, L"Data\\Recent Input Audio Files");
    LoadList(m_outputFolders, L"Data\\Recent Output Folders");
    if (m_outputFolders.GetCount() == 0) {
        // Each Add goes first: the list starts with My Videos.
        m_outputFolders.Add(GetMyMusicFolder(false));
        m_outputFolders.Add(GetMyVideosFolder(false));
    }
    return 0;
}

int CConversionRecentLists::Save()
{
    bool saved = m_inputFiles.Save() != FALSE;
    saved = m_inputVideoFiles.Save() && saved;
    saved = m_inputAudioFiles.Save() && saved;
    saved = m_outputFolders.Save() && saved;
    return saved ? 0 : -1;
}
