#include "player/CPlayerAppSettings.h"
#include "player/CPlayerHistory.h"
#include "player/CPlayerSettings.h"

CPlayerAppSettings g_playerAppSettings;

CPlayerAppSettings::CPlayerAppSettings() : CProductAppSettings(L"Kavri Video Player", L"kavri-video-player")
{
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

int CPlayerAppSettings::GetAlwaysOnTop() const
{
    return g_playerSettings.m_bAlwaysOnTop;
}

void CPlayerAppSettings::SetAlwaysOnTop(int nValue)
{
    g_playerSettings.m_bAlwaysOnTop = nValue;
}

bool CPlayerAppSettings::SaveProfile()
{
    bool saved = g_playerSettings.Save();
    return g_playerHistory.Save() && saved;
}
