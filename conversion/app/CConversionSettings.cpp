#include "conversion/app/CConversionSettings.h"
#include "classlib/CWinApp.h"
#include "conversion/engine/CConvertTaskRecord.h"
#include "conversion/engine/IFileExistsPrompt.h"

CConversionSettings theConversionSettings;

namespace {

const wchar_t kSection[] = L"Settings";

// Reads and writes one section of the application's profile; a write that fails is
// remembered so that the save reports it.
class CProfileSection {
public:
    explicit CProfileSection(LPCWSTR name) : m_name(name), m_pApp(AfxGetApp()) {}

    void Read(LPCWSTR key, int& value) const
    {
        if (m_pApp)
            value = static_cast<int>(m_pApp->GetProfileInt(m_name, key, value));
    }
    void Read(LPCWSTR key, CString& value) const
    {
        if (m_pApp)
            value = m_pApp->GetProfileString(m_name, key, value);
    }
    void Write(LPCWSTR key, int value) { Check(m_pApp && m_pApp->WriteProfileInt(m_name, key, value)); }
    void WriteFlag(LPCWSTR key, int value) { Write(key, value ? 1 : 0); }
    void Write(LPCWSTR key, const CString& value) { Check(m_pApp && m_pApp->WriteProfileString(m_name, key, value)); }
    bool Failed() const { return m_failed; }

private:
    void Check(bool written) { m_failed = m_failed || !written; }

    CString m_name;
    CWinApp* m_pApp;
    bool m_failed = false;
};

CString PageSectionName(LPCWSTR page)
{
    CString name;
    name.Format(L"%s\\%s", kSection, page);
    return name;
}

void LoadPage(LPCWSTR page, CPageSettings& settings, bool hasFormat)
{
    CProfileSection section(PageSectionName(page));
    if (hasFormat) {
        section.Read(L"MediaFormatID", settings.m_formatId);
        section.Read(L"MediaFormatPresetName", settings.m_presetName);
    }
    section.Read(L"SameAsInput", settings.m_sameAsInput);
    section.Read(L"DeleteSourceFiles", settings.m_deleteSourceFiles);
}

bool SavePage(LPCWSTR page, const CPageSettings& settings, bool hasFormat)
{
    CProfileSection section(PageSectionName(page));
    if (hasFormat) {
        section.Write(L"MediaFormatID", settings.m_formatId);
        section.Write(L"MediaFormatPresetName", settings.m_presetName);
    }
    section.WriteFlag(L"SameAsInput", settings.m_sameAsInput);
    section.WriteFlag(L"DeleteSourceFiles", settings.m_deleteSourceFiles);
    return !section.Failed();
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
    CProfileSection section(kSection);
    section.Read(L"AutoCheckUpdate", m_autoCheckUpdate);
    section.Read(L"AutoCheckUpdateDays", m_autoCheckUpdateDays);
    section.Read(L"MainWindow.Left", m_mainWindowLeft);
    section.Read(L"MainWindow.Top", m_mainWindowTop);
    section.Read(L"MainWindow.Width", m_mainWindowWidth);
    section.Read(L"MainWindow.Height", m_mainWindowHeight);
    section.Read(L"AlwaysOnTop", m_alwaysOnTop);
    section.Read(L"ActivePage", m_activePage);
    section.Read(L"ShowStatusBar", m_showStatusBar);
    int autoClose = GetAutoCloseOverwriteDlg();
    section.Read(L"AutoCloseOverwriteDlg", autoClose);
    SetAutoCloseOverwriteDlg(autoClose);
    int overwrite = GetOverwritePolicy();
    section.Read(L"Overwrite", overwrite);
    SetOverwritePolicy(overwrite);
    section.Read(L"LastFileFilterIndex", m_lastFileFilterIndex);
    section.Read(L"LastFolder", m_lastFolder);
    section.Read(L"LastScanSubfolders", m_lastScanSubfolders);
    LoadPage(L"Mux", m_mux, false);
    LoadPage(L"Concatenate", m_concatenate, false);
    LoadPage(L"Extract", m_extract, true);
    LoadPage(L"Convert", m_convert, true);
    return 0;
}

int CConversionSettings::SaveSettings()
{
    CProfileSection section(kSection);
    section.WriteFlag(L"AutoCheckUpdate", m_autoCheckUpdate);
    section.Write(L"AutoCheckUpdateDays", m_autoCheckUpdateDays);
    section.Write(L"MainWindow.Left", m_mainWindowLeft);
    section.Write(L"MainWindow.Top", m_mainWindowTop);
    section.Write(L"MainWindow.Width", m_mainWindowWidth);
    section.Write(L"MainWindow.Height", m_mainWindowHeight);
    section.WriteFlag(L"AlwaysOnTop", m_alwaysOnTop);
    section.Write(L"ActivePage", m_activePage);
    section.WriteFlag(L"ShowStatusBar", m_showStatusBar);
    section.WriteFlag(L"AutoCloseOverwriteDlg", GetAutoCloseOverwriteDlg());
    section.Write(L"Overwrite", GetOverwritePolicy());
    section.Write(L"LastFileFilterIndex", m_lastFileFilterIndex);
    section.Write(L"LastFolder", m_lastFolder);
    section.WriteFlag(L"LastScanSubfolders", m_lastScanSubfolders);
    bool saved = !section.Failed();
    saved = SavePage(L"Mux", m_mux, false) && saved;
    saved = SavePage(L"Concatenate", m_concatenate, false) && saved;
    saved = SavePage(L"Extract", m_extract, true) && saved;
    saved = SavePage(L"Convert", m_convert, true) && saved;
    return saved ? 0 : -1;
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
