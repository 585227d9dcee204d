#include "player/CPlayerAppSettings.h"
#include "player/CPlayerSettings.h"

CPlayerAppSettings g_playerAppSettings;

CString CPlayerAppSettings::GetVersionText() const
{
    return L"7.3.0";
}

CString CPlayerAppSettings::GetSupportMailAddress() const
{
    return L"support@kavri.example";
}

CString CPlayerAppSettings::GetProductName() const
{
    return L"Kavri Video Player";
}

CString CPlayerAppSettings::GetUpdateManifestUrl() const
{
    return L"https://www.kavri.example/kavri-video-player/update.xml";
}

CString CPlayerAppSettings::GetProductPageUrl() const
{
    return L"https://www.kavri.example/kavri-video-player";
}

CString CPlayerAppSettings::GetWebSiteUrl() const
{
    return L"https://www.kavri.example/";
}

int CPlayerAppSettings::GetAutoCheckUpdate() const
{
    return g_playerSettings.m_bAutoCheckUpdate;
}

void CPlayerAppSettings::SetAutoCheckUpdate(int nValue)
{
    g_playerSettings.m_bAutoCheckUpdate = nValue;
}

int CPlayerAppSettings::GetAutoCheckUpdateDays() const
{
    return g_playerSettings.m_nAutoCheckUpdateDays;
}

CMainWindowPlacement CPlayerAppSettings::GetMainWindowPlacement() const
{
    CMainWindowPlacement placement;
    placement.nLeft = g_playerSettings.m_nMainWindowLeft;
    placement.nTop = g_playerSettings.m_nMainWindowTop;
    placement.nWidth = g_playerSettings.m_nMainWindowWidth;
    placement.nHeight = g_playerSettings.m_nMainWindowHeight;
    return placement;
}

void CPlayerAppSettings::SetMainWindowPlacement(const CMainWindowPlacement& placement)
{
    g_playerSettings.m_nMainWindowLeft = placement.nLeft;
    g_playerSettings.m_nMainWindowTop = placement.nTop;
    g_playerSettings.m_nMainWindowWidth = placement.nWidth;
    g_playerSettings.m_nMainWindowHeight = placement.nHeight;
}
