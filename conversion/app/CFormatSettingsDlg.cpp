#include "conversion/app/CFormatSettingsDlg.h"
#include "classlib/AfxMessageMap.h"
#include "conversion/app/controls/ImageLists.h"
#include "conversion/app/res/ConversionAppResources.h"
#include "conversion/engine/CMediaFormats.h"

IMPLEMENT_DYNAMIC(CFormatSettingsDlg, CPresetDlg)

BEGIN_MESSAGE_MAP(CFormatSettingsDlg, CPresetDlg)
ON_CBN_SELCHANGE(IDC_FORMAT_COMBO, &CFormatSettingsDlg::OnFormatChange)
ON_CBN_SELCHANGE(IDC_PRESET_COMBO, &CFormatSettingsDlg::OnPresetChange)
END_MESSAGE_MAP()

CFormatSettingsDlg::CFormatSettingsDlg(CMediaFormats& formats, CMediaFormat* pFormat, CMediaPreset* pPreset,
                                       BOOL bLockFormat, BOOL bLockPreset, CWnd* pParentWnd, CImageList* pImageList)
    : CPresetDlg(IDD_FORMAT_SETTINGS, pParentWnd),
      m_formats(formats),
      m_pStartFormat(pFormat),
      m_pStartPreset(pPreset),
      m_bLockFormat(bLockFormat),
      m_bLockPreset(bLockPreset),
      m_pImageList(pImageList)
{}

BOOL CFormatSettingsDlg::OnInitDialog()
{
    BOOL result = CPresetDlg::OnInitDialog();
    m_formatCombo.SubclassDlgItem(IDC_FORMAT_COMBO, this);
    m_presetCombo.SubclassDlgItem(IDC_PRESET_COMBO, this);
    if (!m_pImageList && CreateImageListFromBitmap(m_ownImages, IDB_FORMAT_ICONS, 16, ILC_COLOR32, 0xFF00FF))
        m_pImageList = &m_ownImages;
    for (CFormatComboBox* pCombo : {&m_formatCombo, &m_presetCombo}) {
        pCombo->m_pImageList = m_pImageList;
        pCombo->m_rightWidth = 32;
        pCombo->m_rightColour = 0xFF0000;
    }
    PlaceCombos();
    m_formatCombo.EnableWindow(!m_bLockFormat);
    m_presetCombo.EnableWindow(!m_bLockPreset);
    m_formatCombo.FillFormats(m_formats);
    int row = m_formatCombo.FindFormat(m_pStartFormat);
    SelectFormatRow(row >= 0 ? row : 0);
    if (m_pChosenFormat) {
        int start = -1;
        for (int i = 0; m_pStartPreset && i < m_presetCombo.GetCount(); i++) {
            if (reinterpret_cast<CMediaPreset*>(m_presetCombo.GetItemData(i)) == m_pStartPreset)
                start = i;
        }
        SelectPresetRow(start >= 0 ? start : 0);
    }
    return result;
}

// A template whose format list is hidden moves the preset list and its label into their place.
void CFormatSettingsDlg::PlaceCombos()
{
    if (m_formatCombo.GetStyle() & WS_VISIBLE)
        return;
    const int pairs[][2] = {{IDC_FORMAT_LABEL, IDC_PRESET_LABEL}, {IDC_FORMAT_COMBO, IDC_PRESET_COMBO}};
    for (const auto& pair : pairs) {
        CWnd* pFrom = GetDlgItem(pair[0]);
        CWnd* pTo = GetDlgItem(pair[1]);
        CRect place;
        pFrom->GetWindowRect(&place);
        ScreenToClient(&place);
        pFrom->ShowWindow(SW_HIDE);
        CRect own;
        pTo->GetWindowRect(&own);
        pTo->SetWindowPos(nullptr, place.left, place.top, own.Width(), own.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

int CFormatSettingsDlg::CustomRow() const
{
    return m_pChosenFormat && m_pChosenFormat->m_pCustomPreset ? m_pChosenFormat->m_customPresetPosition : -1;
}

// Header rows lead on to the next format; without a format nothing can be edited.
void CFormatSettingsDlg::SelectFormatRow(int row)
{
    row = m_formatCombo.NextFormatRow(row);
    m_formatRow = row;
    m_formatCombo.SetCurSel(row);
    m_pChosenFormat = m_formatCombo.GetFormat(row);
    m_presetCombo.FillPresets(m_pChosenFormat);
    if (m_pChosenFormat && m_pChosenFormat->m_pCustomPreset)
        m_pChosenFormat->m_customPresetPosition = m_presetCombo.GetCount() - 1;
    m_presetCombo.EnableWindow(m_pChosenFormat && !m_bLockPreset);
    if (!m_pChosenFormat) {
        m_presetRow = -1;
        m_pChosenPreset = nullptr;
        EditPreset(nullptr, nullptr);
        return;
    }
    int preset = m_pChosenFormat->m_lastPreset >= 0 ? m_pChosenFormat->m_lastPreset : m_pChosenFormat->m_defaultPreset;
    SelectPresetRow(preset >= 0 && preset < m_presetCombo.GetCount() ? preset : 0);
}

void CFormatSettingsDlg::SelectPresetRow(int row)
{
    if (row < 0 || row >= m_presetCombo.GetCount())
        row = m_presetCombo.GetCount() > 0 ? 0 : -1;
    m_presetRow = row;
    m_presetCombo.SetCurSel(row);
    m_pChosenPreset = row >= 0 ? reinterpret_cast<CMediaPreset*>(m_presetCombo.GetItemData(row)) : nullptr;
    EditPreset(m_pChosenFormat, m_pChosenPreset);
}

void CFormatSettingsDlg::OnFormatChange()
{
    if (m_pChosenFormat)
        m_pChosenFormat->m_lastPreset = m_presetRow;
    SelectFormatRow(m_formatCombo.GetCurSel());
}

void CFormatSettingsDlg::OnPresetChange()
{
    int row = m_presetCombo.GetCurSel();
    if (row >= 0)
        SelectPresetRow(row);
}

// The preset list follows the values: the first preset with the same settings, else "Custom".
void CFormatSettingsDlg::OnValuesChanged()
{
    if (m_filling || !m_pEditor || !m_pChosenFormat || !m_pChosenFormat->m_pCustomPreset || !m_pChosenPreset)
        return;
    CMediaPreset shown;
    m_pChosenFormat->InitPresetFromRecord(shown, m_pChosenPreset->m_record);
    shown.m_record.flags &= ~PRESET_CUSTOM;
    int row = CustomRow();
    if (m_pEditor->Apply(shown) == PRESET_EDIT_OK) {
        int match = m_pChosenFormat->FindMatchingPreset(shown);
        if (match >= 0)
            row = match;
    }
    m_presetRow = row;
    m_presetCombo.SetCurSel(row);
}

void CFormatSettingsDlg::OnOK()
{
    if (!m_pChosenFormat || !m_pChosenPreset || !m_pEditor) {
        MessageBox(L"There is no format to choose. Please switch on at least one format in \"Video & Audio Formats\".",
                   L"Format Settings", MB_OK | MB_ICONWARNING);
        return;
    }
    if (!ReadControls(true))
        return;
    // The custom preset takes the values and keeps its name.
    CMediaPreset* pTarget = m_pChosenFormat->m_pCustomPreset ? m_pChosenFormat->m_pCustomPreset : m_pChosenPreset;
    m_pEditor->m_name = pTarget->GetName();
    if (!StoreInto(*pTarget))
        return;
    m_pChosenPreset = reinterpret_cast<CMediaPreset*>(m_presetCombo.GetItemData(m_presetRow));
    m_pChosenFormat->m_lastPreset = m_presetRow;
    m_formats.m_modified = 1;
    EndDialog(IDOK);
}
