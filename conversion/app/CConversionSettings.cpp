#include "conversion/app/CConversionSettings.h"
#include "conversion/app/CConversionRecentLists.h"
#include "conversion/engine/CConvertTaskRecord.h"
#include "conversion/engine/IFileExistsPrompt.h"
#include "framework/system/ProfileKey.h"

CConversionSettings theConversionSettings;

namespace {

const wchar_t kSection[] = L"Settings";

// In the profile's order; the Overwrite policy and the closing of its question, which task
// threads read, are written after these.
const ProfileKey<CConversionSettings> kKeys[] = {
    FlagKey(L"AutoCheckUpdate", &CConversionSettings::m_autoCheckUpdate),
    NumberKey(L"AutoCheckUpdateDays", &CConversionSettings::m_autoCheckUpdateDays),
    NumberKey(L"MainWindow.Left", &CConversionSettings::m_mainWindowLeft),
    NumberKey(L"MainWindow.Top", &CConversionSettings::m_mainWindowTop),
    NumberKey(L"MainWindow.Width", &CConversionSettings::m_mainWindowWidth),
    NumberKey(L"MainWindow.Height", &CConversionSettings::m_mainWindowHeight),
    FlagKey(L"AlwaysOnTop", &CConversionSettings::m_alwaysOnTop),
    NumberKey(L"ActivePage", &CConversionSettings::m_activePage),
    FlagKey(L"ShowStatusBar", &CConversionSettings::m_showStatusBar),
};

const ProfileKey<CConversionSettings> kLastFolderKeys[] = {
    NumberKey(L"LastFileFilterIndex", &CConversionSettings::m_lastFileFilterIndex),
    TextKey(L"LastFolder", &CConversionSettings::m_lastFolder),
    FlagKey(L"LastScanSubfolders", &CConversionSettings::m_lastScanSubfolders),
};

const ProfileKey<CPageSettings> kPageKeys[] = {
    TextKey(L"MediaFormatID", &CPageSettings::m_formatId),
    TextKey(L"MediaFormatPresetName", &CPageSettings::m_presetName),
    FlagKey(L"SameAsInput", &CPageSettings::m_sameAsInput),
    FlagKey(L"DeleteSourceFiles", &CPageSettings::m_deleteSourceFiles),
};

// The pages without a format choice store the last two of kPageKeys alone.
const ProfileKey<CPageSettings> kPageKeysWithoutFormat[] = {
    FlagKey(L"SameAsInput", &CPageSettings::m_sameAsInput),
    FlagKey(L"DeleteSourceFiles", &CPageSettings::m_deleteSourceFiles),
};

CString PageSectionName(LPCWSTR page)
{
    CString name;
    name.Format(L"%s\\%s", kSection, page);
    return name;
}

void LoadPage(LPCWSTR page, CPageSettings& settings, bool hasFormat)
{
    if (hasFormat)
        LoadProfileKeys(PageSectionName(page), settings, kPageKeys);
    else
        LoadProfileKeys(PageSectionName(page), settings, kPageKeysWithoutFormat);
}

bool SavePage(LPCWSTR page, const CPageSettings& settings, bool hasFormat)
{
    if (hasFormat)
        return SaveProfileKeys(PageSectionName(page), settings, kPageKeys);
    return SaveProfileKeys(PageSectionName(page), settings, kPageKeysWithoutFormat);
}

bool IsOverwritePolicy(int value)
{
    return value == FILE_EXISTS_ASK || value == FILE_EXISTS_NEW_NAME_ALL || value == FILE_EXISTS_OVERWRITE_ALL ||
           value == FILE_EXISTS_SKIP_ALL;
}

}  // namespace

CConversionSettings::CConversionSettings() : CProductAppSettings(L"Kavri Media Fetcher", L"kavri-media-fetcher")
{
}

int CConversionSettings::LoadSettings()
{
    LoadProfileKeys(kSection, *this, kKeys);
    int autoClose = GetAutoCloseOverwriteDlg();
    ReadProfileValue(kSection, L"AutoCloseOverwriteDlg", autoClose);
    SetAutoCloseOverwriteDlg(autoClose);
    int overwrite = GetOverwritePolicy();
    ReadProfileValue(kSection, L"Overwrite", overwrite);
    SetOverwritePolicy(overwrite);
    LoadProfileKeys(kSection, *this, kLastFolderKeys);
    LoadPage(L"Mux", m_mux, false);
    LoadPage(L"Concatenate", m_concatenate, false);
    LoadPage(L"Extract", m_extract, true);
    LoadPage(L"Convert", m_convert, true);
    return 0;
}

int CConversionSettings::SaveSettings()
{
    bool saved = SaveProfileKeys(kSection, *this, kKeys);
    saved = WriteProfileValue(kSection, L"AutoCloseOverwriteDlg", GetAutoCloseOverwriteDlg() != 0) && saved;
    saved = WriteProfileValue(kSection, L"Overwrite", GetOverwritePolicy()) && saved;
    saved = SaveProfileKeys(kSection, *this, kLastFolderKeys) && saved;
    saved = SavePage(L"Mux", m_mux, false) && saved;
    saved = SavePage(L"Concatenate", m_concatenate, false) && saved;
    saved = SavePage(L"Extract", m_extract, true) && saved;
    saved = SavePage(L"Convert", m_convert, true) && saved;
    return saved ? 0 : -1;
}

bool CConversionSettings::SaveProfile()
{
    bool saved = SaveSettings() == 0;
    return theConversionRecentLists.Save() == 0 && saved;
}

CMainWindowPlacement CConversionSettings::GetMainWindowPlacement() const
{
    CMainWindowPlacement placement;
    placement.nLeft = m_mainWindowLeft;
    placement.nTop = m_mainWindowTop;
    placement.nWidth = m_mainWindowWidth;
    placement.nHeight = m_mainWindowHeight;
    return placement;
}

void CConversionSettings::SetMainWindowPlacement(const CMainWindowPlacement& placement)
{
    m_mainWindowLeft = placement.nLeft;
    m_mainWindowTop = placement.nTop;
    m_mainWindowWidth = placement.nWidth;
    m_mainWindowHeight = placement.nHeight;
}

int CConversionSettings::GetOverwritePolicy() const
{
    int policy = m_overwrite.load();
    return IsOverwritePolicy(policy) ? policy : FILE_EXISTS_ASK;
}

void CConversionSettings::SetOverwritePolicy(int policy)
{
    m_overwrite.store(IsOverwritePolicy(policy) ? policy : FILE_EXISTS_ASK);
}

int CConversionSettings::GetStateIcon(int status)
{
    switch (status) {
    case 0:
        return -1;
    case TASK_STATUS_BUSY:
    case TASK_STATUS_CONVERTING:
        return 2;
    case TASK_STATUS_CANCELED:
        return 6;
    case TASK_STATUS_SKIPPED:
        return 4;
    case TASK_STATUS_FAILED:
        return 5;
    case TASK_STATUS_COMPLETED:
        return 3;
    default:
        return -2;
    }
}

COLORREF CConversionSettings::GetStateColour(int colourCode)
{
    switch (colourCode) {
    case 0:
        return 0xFFFFFF;
    case TASK_COLOUR_BUSY:
        return 0x00A0FF;
    case TASK_COLOUR_CONVERTING:
        return 0xFFC000;
    default:
        return 0x000000;
    }
}
