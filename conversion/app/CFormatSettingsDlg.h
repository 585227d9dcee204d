// The "Format Settings" dialog, opened by a task page's "Advanced...": the output format and
// preset, and the preset's values with the Preset dialog's controls and rules. Any change that
// no preset of the format has switches the preset list to the format's custom preset
// ("Custom"); OK writes the shown values into that custom preset. The caller reads the chosen
// rows (and the format and preset) after OK and saves the registry. Modal, on the window thread.
#pragma once
#include "conversion/app/CFormatComboBox.h"
#include "conversion/app/CPresetDlg.h"

class CMediaFormats;

class CFormatSettingsDlg : public CPresetDlg {
    DECLARE_DYNAMIC(CFormatSettingsDlg)
public:
    // pFormat and pPreset may be null (the first format, its first preset). The lock flags
    // disable the format or the preset list. Without an image list the dialog uses its own.
    CFormatSettingsDlg(CMediaFormats& formats, CMediaFormat* pFormat, CMediaPreset* pPreset, BOOL bLockFormat,
                       BOOL bLockPreset, CWnd* pParentWnd = nullptr, CImageList* pImageList = nullptr);

    BOOL OnInitDialog() override;

    // The chosen rows of the format and preset lists (-1 none) and what they hold.
    int m_formatRow = -1;
    int m_presetRow = -1;
    CMediaFormat* GetFormat() const { return m_pChosenFormat; }
    CMediaPreset* GetPreset() const { return m_pChosenPreset; }

    CFormatComboBox m_formatCombo;
    CFormatComboBox m_presetCombo;

protected:
    void OnOK() override;
    void OnValuesChanged() override;
    void OnFormatChange();
    void OnPresetChange();
    DECLARE_MESSAGE_MAP()

private:
    void PlaceCombos();
    void SelectFormatRow(int row);
    void SelectPresetRow(int row);
    int CustomRow() const;

    CMediaFormats& m_formats;
    CMediaFormat* m_pStartFormat;
    CMediaPreset* m_pStartPreset;
    BOOL m_bLockFormat;
    BOOL m_bLockPreset;
    CImageList* m_pImageList;
    CImageList m_ownImages;
    CMediaFormat* m_pChosenFormat = nullptr;
    CMediaPreset* m_pChosenPreset = nullptr;
};
