// The player's recent media files and playlists, and the file types it can be associated
// with, all kept in the application's profile under "Data". One global object, loaded at
// start-up and saved at exit. Window thread.
#pragma once
#include "classlib/CArray.h"
#include "framework/system/CFileAssociation.h"
#include "framework/system/CMRUList.h"

// GetInitialFolder kinds.
const int INITIAL_FOLDER_MEDIA = 1;
const int INITIAL_FOLDER_PLAYLIST = 2;
const int INITIAL_FOLDER_LAST = 3;

class CPlayerHistory {
public:
    CPlayerHistory() = default;
    CPlayerHistory(const CPlayerHistory&) = delete;
    CPlayerHistory& operator=(const CPlayerHistory&) = delete;
    virtual ~CPlayerHistory();

    // The stored file types, or the default table when the profile has none yet; then both
    // recent lists as the settings allow. 0.
    virtual int Load();
    // Writes the file types and both recent lists: false when a recent list could not be saved.
    virtual bool Save();

    CFileAssociation* AddFileType(LPCWSTR pszName, LPCWSTR pszExtension, int nIconIndex);
    void DeleteFileTypes();
    // 1 when the profile has a file-type section (the types found are added), else 0.
    int LoadFileTypes();
    // Writes the types from nFirst on, and takes out of the profile the types no longer listed.
    void SaveFileTypes(int nFirst);

    void AddRecentFile(LPCWSTR pszPath);
    void AddRecentPlaylist(LPCWSTR pszPath);
    void RemoveRecentPlaylist(int nIndex);
    void RemoveRecentPlaylist(LPCWSTR pszPath);  // the entry naming that file, in any spelling
    void ClearRecentFiles();
    void ClearRecentPlaylists();
    // Takes the settings' Remember and Max values at once: the lists are cut to the new
    // maximum, and a list that is off keeps nothing more for the rest of the run.
    void ApplyRecentLimits();

    CString GetInitialFolder(int nKind) const;

    CMRUFileList m_recentFiles;
    CMRUFileList m_recentPlaylists;
    CTypedPtrArray<CPtrArray, CFileAssociation*> m_fileTypes;  // owned
};

// "KavriHelper.KavriVideoPlayer" followed by the extension, without blanks.
CString MakeFileTypeProgID(LPCWSTR pszExtension);

// The owner an extension had before the player took it over, kept as "Backup" in the type's
// profile section. Reading answers empty when the kept value is the type's own ProgID.
CString GetFileTypeBackup(const CFileAssociation& type);
void SetFileTypeBackup(const CFileAssociation& type, LPCWSTR pszProgID);

extern CPlayerHistory g_playerHistory;
