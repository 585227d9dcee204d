#include "player/dialogs/CSettingsPage3.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDataExchange.h"
#include "player/CPlayerHistory.h"
#include "player/CPlayerSettings.h"
#include "player/res/PlayerResources.h"
#include <algorithm>

namespace {

const int kMaxRecentItems = 30;

int ClampMaximum(int nValue)
{
    return std::min(std::max(nValue, 0), kMaxRecentItems);
}

}  // namespace

BEGIN_MESSAGE_MAP(CSettingsPage3, CPropertyPage)
ON_BN_CLICKED(IDC_REMEMBER_RECENT_FILES, &CSettingsPage3::OnRememberClicked)
ON_BN_CLICKED(IDC_REMEMBER_RECENT_PLAYLISTS, &CSettingsPage3::OnRememberClicked)
ON_EN_CHANGE(IDC_MAX_RECENT_FILES, &CSettingsPage3::OnMaximumChanged)
ON_EN_CHANGE(IDC_MAX_RECENT_PLAYLISTS, &CSettingsPage3::OnMaximumChanged)
ON_BN_CLICKED(IDC_CLEAR_RECENT_FILES, &CSettingsPage3::OnClearRecentFiles)
ON_BN_CLICKED(IDC_CLEAR_RECENT_PLAYLISTS, &CSettingsPage3::OnClearRecentPlaylists)
END_MESSAGE_MAP()

CSettingsPage3::CSettingsPage3() : CPropertyPage(IDD_SETTINGS_HISTORY) {}

BOOL CSettingsPage3::OnInitDialog()
{
    m_bRememberRecentFiles = g_playerSettings.m_bRememberRecentFiles ? 1 : 0;
    m_nMaxRecentFiles = g_playerSettings.m_nMaxRecentFiles;
    m_bRememberRecentPlaylists = g_playerSettings.m_bRememberRecentPlaylists ? 1 : 0;
    m_nMaxRecentPlaylists = g_playerSettings.m_nMaxRecentPlaylists;
    BOOL bResult = CPropertyPage::OnInitDialog();
    UpdateEnabling();
    return bResult;
}

void CSettingsPage3::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_REMEMBER_RECENT_FILES, m_bRememberRecentFiles);
    DDX_Text(pDX, IDC_MAX_RECENT_FILES, m_nMaxRecentFiles);
    DDV_MinMaxInt(pDX, m_nMaxRecentFiles, 0, kMaxRecentItems);
    DDX_Check(pDX, IDC_REMEMBER_RECENT_PLAYLISTS, m_bRememberRecentPlaylists);
    DDX_Text(pDX, IDC_MAX_RECENT_PLAYLISTS, m_nMaxRecentPlaylists);
    DDV_MinMaxInt(pDX, m_nMaxRecentPlaylists, 0, kMaxRecentItems);
}

BOOL CSettingsPage3::OnApply()
{
    if (!UpdateData(TRUE))
        return FALSE;
    g_playerSettings.m_bRememberRecentFiles = m_bRememberRecentFiles;
    g_playerSettings.m_nMaxRecentFiles = ClampMaximum(m_nMaxRecentFiles);
    g_playerSettings.m_bRememberRecentPlaylists = m_bRememberRecentPlaylists;
    g_playerSettings.m_nMaxRecentPlaylists = ClampMaximum(m_nMaxRecentPlaylists);
    g_playerHistory.ApplyRecentLimits();
    return CPropertyPage::OnApply();
}

BOOL CSettingsPage3::HasChanges() const
{
    struct List {
        int nCheck;
        int nMaximum;
        int bStored;
        int nStoredMaximum;
    } lists[] = {
        {IDC_REMEMBER_RECENT_FILES, IDC_MAX_RECENT_FILES, g_playerSettings.m_bRememberRecentFiles,
         g_playerSettings.m_nMaxRecentFiles},
        {IDC_REMEMBER_RECENT_PLAYLISTS, IDC_MAX_RECENT_PLAYLISTS, g_playerSettings.m_bRememberRecentPlaylists,
         g_playerSettings.m_nMaxRecentPlaylists},
    };
    for (const List& list : lists) {
        BOOL bChecked = IsDlgButtonChecked(list.nCheck) == BST_CHECKED;
        if (bChecked != (list.bStored != 0))
            return TRUE;
        if (bChecked && static_cast<int>(GetDlgItemInt(list.nMaximum)) != list.nStoredMaximum)
            return TRUE;
    }
    return FALSE;
}

void CSettingsPage3::UpdateEnabling()
{
    GetDlgItem(IDC_MAX_RECENT_FILES)->EnableWindow(IsDlgButtonChecked(IDC_REMEMBER_RECENT_FILES) == BST_CHECKED);
    GetDlgItem(IDC_MAX_RECENT_PLAYLISTS)
        ->EnableWindow(IsDlgButtonChecked(IDC_REMEMBER_RECENT_PLAYLISTS) == BST_CHECKED);
}

void CSettingsPage3::OnRememberClicked()
{
    UpdateEnabling();
    SetModified(HasChanges());
}

void CSettingsPage3::OnMaximumChanged()
{
    SetModified(HasChanges());
}

void CSettingsPage3::OnClearRecentFiles()
{
    g_playerHistory.ClearRecentFiles();
    SetModified(HasChanges());
}

void CSettingsPage3::OnClearRecentPlaylists()
{
    g_playerHistory.ClearRecentPlaylists();
    SetModified(HasChanges());
}
