#include "player/CPlayerSettings.h"
#include "classlib/CWinApp.h"
#include "framework/system/AppFolders.h"
#include "framework/system/ProfileKey.h"
#include "framework/system/ShellHelpers.h"

CPlayerSettings g_playerSettings;

namespace {

const wchar_t kSection[] = L"Settings";

// In the profile's order.
const ProfileKey<CPlayerSettings> kNumberKeys[] = {
    FlagKey(L"AutoCheckUpdate", &CPlayerSettings::m_bAutoCheckUpdate),
    NumberKey(L"AutoCheckUpdateDays", &CPlayerSettings::m_nAutoCheckUpdateDays),
    NumberKey(L"MainWindow.Left", &CPlayerSettings::m_nMainWindowLeft),
    NumberKey(L"MainWindow.Top", &CPlayerSettings::m_nMainWindowTop),
    NumberKey(L"MainWindow.Width", &CPlayerSettings::m_nMainWindowWidth),
    NumberKey(L"MainWindow.Height", &CPlayerSettings::m_nMainWindowHeight),
    NumberKey(L"Layout", &CPlayerSettings::m_nLayout),
    NumberKey(L"PlaylistViewStyle", &CPlayerSettings::m_nPlaylistViewStyle),
    FlagKey(L"AlwaysOnTop", &CPlayerSettings::m_bAlwaysOnTop),
    FlagKey(L"Transparent", &CPlayerSettings::m_bTransparent),
    NumberKey(L"Repeat", &CPlayerSettings::m_nRepeat),
    FlagKey(L"AutoCloseApp", &CPlayerSettings::m_bAutoCloseApp),
    FlagKey(L"PreventScreenSaver", &CPlayerSettings::m_bPreventScreenSaver),
    FlagKey(L"AlwaysShowControlBar", &CPlayerSettings::m_bAlwaysShowControlBar),
    NumberKey(L"EscToExitFullScreenMode", &CPlayerSettings::m_nEscToExitFullScreenMode),
    FlagKey(L"RememberRecentFiles", &CPlayerSettings::m_bRememberRecentFiles),
    NumberKey(L"MaxRecentFiles", &CPlayerSettings::m_nMaxRecentFiles),
    FlagKey(L"RememberRecentPlaylists", &CPlayerSettings::m_bRememberRecentPlaylists),
    NumberKey(L"MaxRecentPlaylists", &CPlayerSettings::m_nMaxRecentPlaylists),
    FlagKey(L"LoadLastPlaylist", &CPlayerSettings::m_bLoadLastPlaylist),
    FlagKey(L"AllowDuplicates", &CPlayerSettings::m_bAllowDuplicates),
    NumberKey(L"Thumbnail.Time", &CPlayerSettings::m_nThumbnailTime),
    FlagKey(L"ShowDuration", &CPlayerSettings::m_bShowDuration),
    FlagKey(L"ShowDefinition", &CPlayerSettings::m_bShowDefinition),
    FlagKey(L"ShowTitle", &CPlayerSettings::m_bShowTitle),
    FlagKey(L"ShowIcon", &CPlayerSettings::m_bShowIcon),
    NumberKey(L"Thumbnail.Width", &CPlayerSettings::m_nThumbnailWidth),
    NumberKey(L"Thumbnail.Height", &CPlayerSettings::m_nThumbnailHeight),
    FlagKey(L"RememberPosition", &CPlayerSettings::m_bRememberPosition),
    FlagKey(L"AutoResumeInterrupted", &CPlayerSettings::m_bAutoResumeInterrupted),
    NumberKey(L"ZoomRatio", &CPlayerSettings::m_nZoomRatio),
    NumberKey(L"Volume", &CPlayerSettings::m_nVolume),
    FlagKey(L"Mute", &CPlayerSettings::m_bMute),
    NumberKey(L"FilterIndex", &CPlayerSettings::m_nFilterIndex),
};

int Clamp(int nValue, int nLowest, int nHighest)
{
    return nValue < nLowest ? nLowest : (nValue > nHighest ? nHighest : nValue);
}

}  // namespace

int CPlayerSettings::Load()
{
    CWinApp* pApp = AfxGetApp();
    LoadProfileKeys(kSection, *this, kNumberKeys);
    ClampRanges();
    m_strLastFolder = pApp->GetProfileString(kSection, L"LastFolder", L"");
    if (m_strLastFolder.IsEmpty())
        m_strLastFolder = GetMyVideosFolder(false);
    m_bLastScanSubfolders = static_cast<int>(pApp->GetProfileInt(kSection, L"LastScanSubfolders", m_bLastScanSubfolders));
    m_strTempFolder = pApp->GetProfileString(kSection, L"TempFolder", L"");
    if (m_strTempFolder.IsEmpty())
        m_strTempFolder = GetDataFolder() + L"\\Temp";
    return 0;
}

bool CPlayerSettings::Save()
{
    bool saved = SaveProfileKeys(kSection, *this, kNumberKeys);
    saved = WriteProfileValue(kSection, L"LastFolder", m_strLastFolder) && saved;
    return WriteProfileValue(kSection, L"LastScanSubfolders", m_bLastScanSubfolders != 0) && saved;
}

CString CPlayerSettings::GetDefaultPlaylistPath() const
{
    return GetDataFolder() + L"\\Default.playlist";
}

CString CPlayerSettings::GetConverterToolPath() const
{
    return GetAppFolder() + L"\\KavriMediaFetcher.exe";
}

void CPlayerSettings::ClampRanges()
{
    m_nMaxRecentFiles = Clamp(m_nMaxRecentFiles, 0, 30);
    m_nMaxRecentPlaylists = Clamp(m_nMaxRecentPlaylists, 0, 30);
    if (m_nThumbnailWidth < 40 || m_nThumbnailHeight < 30 || m_nThumbnailWidth > 400 || m_nThumbnailHeight > 300) {
        m_nThumbnailWidth = 192;
        m_nThumbnailHeight = 108;
    }
}
