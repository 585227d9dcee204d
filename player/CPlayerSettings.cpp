#include "player/CPlayerSettings.h"
#include "classlib/CWinApp.h"
#include "framework/system/AppFolders.h"
#include "framework/system/ShellHelpers.h"

CPlayerSettings g_playerSettings;

namespace {

const wchar_t kSection[] = L"Settings";

struct NumberKey {
    const wchar_t* key;
    int CPlayerSettings::*field;
    bool isFlag;  // stored as 0 or 1
};

// In the profile's order.
const NumberKey kNumberKeys[] = {
    {L"AutoCheckUpdate", &CPlayerSettings::m_bAutoCheckUpdate, true},
    {L"AutoCheckUpdateDays", &CPlayerSettings::m_nAutoCheckUpdateDays, false},
    {L"MainWindow.Left", &CPlayerSettings::m_nMainWindowLeft, false},
    {L"MainWindow.Top", &CPlayerSettings::m_nMainWindowTop, false},
    {L"MainWindow.Width", &CPlayerSettings::m_nMainWindowWidth, false},
    {L"MainWindow.Height", &CPlayerSettings::m_nMainWindowHeight, false},
    {L"Layout", &CPlayerSettings::m_nLayout, false},
    {L"PlaylistViewStyle", &CPlayerSettings::m_nPlaylistViewStyle, false},
    {L"AlwaysOnTop", &CPlayerSettings::m_bAlwaysOnTop, true},
    {L"Transparent", &CPlayerSettings::m_bTransparent, true},
    {L"Repeat", &CPlayerSettings::m_nRepeat, false},
    {L"AutoCloseApp", &CPlayerSettings::m_bAutoCloseApp, true},
    {L"PreventScreenSaver", &CPlayerSettings::m_bPreventScreenSaver, true},
    {L"AlwaysShowControlBar", &CPlayerSettings::m_bAlwaysShowControlBar, true},
    {L"EscToExitFullScreenMode", &CPlayerSettings::m_nEscToExitFullScreenMode, false},
    {L"RememberRecentFiles", &CPlayerSettings::m_bRememberRecentFiles, true},
    {L"MaxRecentFiles", &CPlayerSettings::m_nMaxRecentFiles, false},
    {L"RememberRecentPlaylists", &CPlayerSettings::m_bRememberRecentPlaylists, true},
    {L"MaxRecentPlaylists", &CPlayerSettings::m_nMaxRecentPlaylists, false},
    {L"LoadLastPlaylist", &CPlayerSettings::m_bLoadLastPlaylist, true},
    {L"AllowDuplicates", &CPlayerSettings::m_bAllowDuplicates, true},
    {L"Thumbnail.Time", &CPlayerSettings::m_nThumbnailTime, false},
    {L"ShowDuration", &CPlayerSettings::m_bShowDuration, true},
    {L"ShowDefinition", &CPlayerSettings::m_bShowDefinition, true},
    {L"ShowTitle", &CPlayerSettings::m_bShowTitle, true},
    {L"ShowIcon", &CPlayerSettings::m_bShowIcon, true},
    {L"Thumbnail.Width", &CPlayerSettings::m_nThumbnailWidth, false},
    {L"Thumbnail.Height", &CPlayerSettings::m_nThumbnailHeight, false},
    {L"RememberPosition", &CPlayerSettings::m_bRememberPosition, true},
    {L"AutoResumeInterrupted", &CPlayerSettings::m_bAutoResumeInterrupted, true},
    {L"ZoomRatio", &CPlayerSettings::m_nZoomRatio, false},
    {L"Volume", &CPlayerSettings::m_nVolume, false},
    {L"Mute", &CPlayerSettings::m_bMute, true},
    {L"FilterIndex", &CPlayerSettings::m_nFilterIndex, false},
};

int Clamp(int nValue, int nLowest, int nHighest)
{
    return nValue < nLowest ? nLowest : (nValue > nHighest ? nHighest : nValue);
}

}  // namespace

int CPlayerSettings::Load()
{
    CWinApp* pApp = AfxGetApp();
    for (const NumberKey& k : kNumberKeys)
        this->*k.field = static_cast<int>(pApp->GetProfileInt(kSection, k.key, this->*k.field));
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

void CPlayerSettings::Save()
{
    CWinApp* pApp = AfxGetApp();
    for (const NumberKey& k : kNumberKeys) {
        int nValue = this->*k.field;
        pApp->WriteProfileInt(kSection, k.key, k.isFlag ? (nValue != 0) : nValue);
    }
    pApp->WriteProfileString(kSection, L"LastFolder", m_strLastFolder);
    pApp->WriteProfileInt(kSection, L"LastScanSubfolders", m_bLastScanSubfolders != 0);
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
