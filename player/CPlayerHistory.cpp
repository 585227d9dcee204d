#include "player/CPlayerHistory.h"
#include "classlib/CWinApp.h"
#include "framework/system/PathHelpers.h"
#include "framework/system/ShellHelpers.h"
#include "player/CPlayerSettings.h"
#include "common/OwnedHandle.h"
#include <initializer_list>

CPlayerHistory g_playerHistory;

namespace {

const wchar_t kFileTypesSection[] = L"Data\\File Types";
const int kIconPlaylist = 4;
const int kIconVideo = 2;
const int kIconAudio = 3;

struct DefaultFileType {
    const wchar_t* extension;
    const wchar_t* name;
    int icon;
};

const DefaultFileType kDefaultFileTypes[] = {
    {L".m3u", L"M3U Playlist", kIconPlaylist}, {L".pls", L"PLS Playlist", kIconPlaylist},
    {L".mp4", L"MP4 Video", kIconVideo},       {L".flv", L"FLV Video", kIconVideo},
    {L".asf", L"ASF Video", kIconVideo},       {L".3gp", L"3GP Video", kIconVideo},
    {L".3g2", L"3G2 Video", kIconVideo},       {L".avi", L"AVI Video", kIconVideo},
    {L".mpg", L"MPG Video", kIconVideo},       {L".vob", L"VOB Video", kIconVideo},
    {L".webm", L"WEBM Video", kIconVideo},     {L".wmv", L"WMV Video", kIconVideo},
    {L".mov", L"MOV Video", kIconVideo},       {L".gif", L"GIF", kIconVideo},
    {L".mp3", L"MP3 Audio", kIconAudio},       {L".mp2", L"MP2 Audio", kIconAudio},
    {L".wav", L"WAV Audio", kIconAudio},       {L".aac", L"AAC Audio", kIconAudio},
    {L".ac3", L"AC3 Audio", kIconAudio},       {L".amr", L"AMR Audio", kIconAudio},
    {L".mmf", L"MMF Audio", kIconAudio},       {L".ogg", L"OGG Audio", kIconAudio},
    {L".wma", L"WMA Audio", kIconAudio},       {L".swf", L"Flash", kIconVideo},
};

CString FileTypeSection(LPCWSTR pszExtension)
{
    return CString(kFileTypesSection) + L"\\" + pszExtension;
}

// The file-type section's key, opened only when it exists; the caller closes it.
HKEY OpenFileTypesKey()
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp->m_pszRegistryKey || !pApp->m_pszProfileName)
        return nullptr;
    CString path;
    path.Format(L"Software\\%s\\%s\\%s", pApp->m_pszRegistryKey, pApp->m_pszProfileName, kFileTypesSection);
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ | KEY_WRITE, &hKey) != ERROR_SUCCESS)
        return nullptr;
    return hKey;
}

void ReadSubkeyNames(HKEY hKey, CStringArray& names)
{
    wchar_t name[257];
    for (DWORD i = 0;; ++i) {
        DWORD length = 257;
        if (RegEnumKeyExW(hKey, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.Add(name);
    }
}

void CutList(CMRUList& list, int nMaximum)
{
    list.m_nMaxEntries = nMaximum;
    while (list.GetCount() > nMaximum)
        list.Remove(list.GetCount() - 1);
}

void SetUpList(CMRUList& list, LPCWSTR pszSection, int bRemember, int nMaximum)
{
    list.m_strSection = pszSection;
    list.m_strEntryFormat = L"%02d";
    list.m_nMaxEntries = bRemember ? nMaximum : 0;
    if (list.m_nMaxEntries != 0)
        list.Load();
}

CString NewestFolder(const CMRUList& list)
{
    return list.GetCount() > 0 ? GetFolderOfPath(list.GetAt(0)) : CString();
}

CString FirstNonEmpty(std::initializer_list<CString> folders)
{
    for (const CString& folder : folders) {
        if (!folder.IsEmpty())
            return folder;
    }
    return GetMyVideosFolder(false);
}

}  // namespace

CString MakeFileTypeProgID(LPCWSTR pszExtension)
{
    CString progID;
    progID.Format(L"%s.%s%s", L"KavriHelper", L"KavriVideoPlayer", pszExtension);
    progID.Remove(L' ');
    return progID;
}

CString GetFileTypeBackup(const CFileAssociation& type)
{
    CString backup = AfxGetApp()->GetProfileString(FileTypeSection(type.m_strExtension), L"Backup", L"");
    return backup == type.m_strProgID ? CString() : backup;
}

void SetFileTypeBackup(const CFileAssociation& type, LPCWSTR pszProgID)
{
    AfxGetApp()->WriteProfileString(FileTypeSection(type.m_strExtension), L"Backup", pszProgID);
}

CPlayerHistory::~CPlayerHistory()
{
    DeleteFileTypes();
}

int CPlayerHistory::Load()
{
    // Defaults only for a profile that never had the section: a user who deleted every type
    // keeps an empty table.
    if (LoadFileTypes() == 0) {
        for (const DefaultFileType& type : kDefaultFileTypes)
            AddFileType(type.name, type.extension, type.icon);
    }
    SetUpList(m_recentFiles, L"Data\\Recent Files", g_playerSettings.m_bRememberRecentFiles,
              g_playerSettings.m_nMaxRecentFiles);
    SetUpList(m_recentPlaylists, L"Data\\Recent Playlists", g_playerSettings.m_bRememberRecentPlaylists,
              g_playerSettings.m_nMaxRecentPlaylists);
    return 0;
}

bool CPlayerHistory::Save()
{
    SaveFileTypes(0);
    bool saved = m_recentFiles.Save() != FALSE;
    return m_recentPlaylists.Save() && saved;
}

CFileAssociation* CPlayerHistory::AddFileType(LPCWSTR pszName, LPCWSTR pszExtension, int nIconIndex)
{
    CFileAssociation* pType = new CFileAssociation(pszExtension, MakeFileTypeProgID(pszExtension), pszName, nIconIndex);
    m_fileTypes.Add(pType);
    return pType;
}

void CPlayerHistory::DeleteFileTypes()
{
    for (int i = 0; i < m_fileTypes.GetSize(); ++i)
        delete m_fileTypes[i];
    m_fileTypes.RemoveAll();
}

int CPlayerHistory::LoadFileTypes()
{
    OwnedRegKey key(OpenFileTypesKey());
    if (!key)
        return 0;
    CStringArray names;
    ReadSubkeyNames(key.Get(), names);
    key.Reset();
    CWinApp* pApp = AfxGetApp();
    for (int i = 0; i < names.GetSize(); ++i) {
        CString section = FileTypeSection(names[i]);
        CString name = pApp->GetProfileString(section, L"Name", L"");
        CString extension = pApp->GetProfileString(section, L"Extension", L"");
        int nIcon = static_cast<int>(pApp->GetProfileInt(section, L"Icon", -1));
        if (!name.IsEmpty() && !extension.IsEmpty() && nIcon != -1)
            AddFileType(name, extension, nIcon);
    }
    return 1;
}

void CPlayerHistory::SaveFileTypes(int nFirst)
{
    CWinApp* pApp = AfxGetApp();
    OwnedRegKey key(OpenFileTypesKey());
    if (key) {
        CStringArray names;
        ReadSubkeyNames(key.Get(), names);
        key.Reset();
        for (int i = 0; i < names.GetSize(); ++i) {
            bool bListed = false;
            for (int j = 0; j < m_fileTypes.GetSize() && !bListed; ++j)
                bListed = m_fileTypes[j]->m_strExtension.CompareNoCase(names[i]) == 0;
            if (!bListed)
                pApp->WriteProfileString(FileTypeSection(names[i]), nullptr, nullptr);
        }
    }
    OwnedRegKey(pApp->GetSectionKey(kFileTypesSection));  // an empty table stays an empty table
    for (int i = nFirst < 0 ? 0 : nFirst; i < m_fileTypes.GetSize(); ++i) {
        const CFileAssociation* pType = m_fileTypes[i];
        CString section = FileTypeSection(pType->m_strExtension);
        pApp->WriteProfileString(section, L"Name", pType->m_strDescription);
        pApp->WriteProfileString(section, L"Extension", pType->m_strExtension);
        pApp->WriteProfileInt(section, L"Icon", pType->m_nIconIndex);
    }
}

void CPlayerHistory::AddRecentFile(LPCWSTR pszPath)
{
    m_recentFiles.Add(pszPath);
}

void CPlayerHistory::AddRecentPlaylist(LPCWSTR pszPath)
{
    m_recentPlaylists.Add(pszPath);
}

void CPlayerHistory::RemoveRecentPlaylist(int nIndex)
{
    m_recentPlaylists.Remove(nIndex);
}

void CPlayerHistory::RemoveRecentPlaylist(LPCWSTR pszPath)
{
    for (int i = m_recentPlaylists.GetCount() - 1; i >= 0; --i) {
        if (m_recentPlaylists.IsSameEntry(m_recentPlaylists.GetAt(i), pszPath))
            m_recentPlaylists.Remove(i);
    }
}

void CPlayerHistory::ClearRecentFiles()
{
    m_recentFiles.m_entries.RemoveAll();
}

void CPlayerHistory::ClearRecentPlaylists()
{
    m_recentPlaylists.m_entries.RemoveAll();
}

void CPlayerHistory::ApplyRecentLimits()
{
    CutList(m_recentFiles, g_playerSettings.m_bRememberRecentFiles ? g_playerSettings.m_nMaxRecentFiles : 0);
    CutList(m_recentPlaylists,
            g_playerSettings.m_bRememberRecentPlaylists ? g_playerSettings.m_nMaxRecentPlaylists : 0);
}

CString CPlayerHistory::GetInitialFolder(int nKind) const
{
    const CString& lastFolder = g_playerSettings.m_strLastFolder;
    switch (nKind) {
    case INITIAL_FOLDER_MEDIA:
        return FirstNonEmpty({NewestFolder(m_recentFiles), lastFolder});
    case INITIAL_FOLDER_PLAYLIST:
        return FirstNonEmpty({NewestFolder(m_recentPlaylists)});
    case INITIAL_FOLDER_LAST:
        return FirstNonEmpty({lastFolder, NewestFolder(m_recentFiles)});
    default:
        return FirstNonEmpty({lastFolder, NewestFolder(m_recentFiles), NewestFolder(m_recentPlaylists)});
    }
}
