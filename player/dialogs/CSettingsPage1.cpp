#include "player/dialogs/CSettingsPage1.h"
#include "classlib/CDataExchange.h"
#include "player/CPlayerSettings.h"
#include "player/res/PlayerResources.h"

namespace {

struct CheckSetting {
    int nID;
    int CPlayerSettings::*pField;
};

const CheckSetting kChecks[CSettingsPage1::kCheckCount] = {
    {IDC_LOAD_LAST_PLAYLIST, &CPlayerSettings::m_bLoadLastPlaylist},
    {IDC_REMEMBER_POSITION, &CPlayerSettings::m_bRememberPosition},
    {IDC_RESUME_INTERRUPTED, &CPlayerSettings::m_bAutoResumeInterrupted},
    {IDC_ALLOW_DUPLICATES, &CPlayerSettings::m_bAllowDuplicates},
    {IDC_FULL_SCREEN_CONTROL_BAR, &CPlayerSettings::m_bAlwaysShowControlBar},
    {IDC_SETTINGS_AUTO_UPDATE, &CPlayerSettings::m_bAutoCheckUpdate},
};

}  // namespace

CSettingsPage1::CSettingsPage1() : CPropertyPage(IDD_SETTINGS_GENERAL) {}

BOOL CSettingsPage1::OnInitDialog()
{
    for (int i = 0; i < kCheckCount; ++i)
        m_checks[i] = g_playerSettings.*kChecks[i].pField ? 1 : 0;
    m_nThumbnailWidth = g_playerSettings.m_nThumbnailWidth;
    m_nThumbnailHeight = g_playerSettings.m_nThumbnailHeight;
    return CPropertyPage::OnInitDialog();
}

void CSettingsPage1::DoDataExchange(CDataExchange* pDX)
{
    for (int i = 0; i < kCheckCount; ++i)
        DDX_Check(pDX, kChecks[i].nID, m_checks[i]);
    DDX_Text(pDX, IDC_THUMBNAIL_WIDTH, m_nThumbnailWidth);
    DDV_MinMaxInt(pDX, m_nThumbnailWidth, 40, 400);
    DDX_Text(pDX, IDC_THUMBNAIL_HEIGHT, m_nThumbnailHeight);
    DDV_MinMaxInt(pDX, m_nThumbnailHeight, 30, 300);
}

BOOL CSettingsPage1::OnApply()
{
    if (!UpdateData(TRUE))
        return FALSE;
    for (int i = 0; i < kCheckCount; ++i)
        g_playerSettings.*kChecks[i].pField = m_checks[i];
    g_playerSettings.m_nThumbnailWidth = m_nThumbnailWidth;
    g_playerSettings.m_nThumbnailHeight = m_nThumbnailHeight;
    return CPropertyPage::OnApply();
}
