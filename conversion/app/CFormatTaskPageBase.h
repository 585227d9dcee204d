// CFormatTaskPageBase: a task page that also chooses its output format and preset from the
// global format table: the format list 1010 (categories as header rows when the table has
// several, a "name<TAB>.ext" row per offered format) and the preset list 1204 of the chosen
// format (its presets, then "Custom" when the format has a custom preset).
#pragma once
#include "conversion/app/CConversionTaskPage.h"
#include "conversion/app/CFormatComboBox.h"

class CMediaFormat;
class CMediaPreset;

class CFormatTaskPageBase : public CConversionTaskPage {
    DECLARE_DYNAMIC(CFormatTaskPageBase)
public:
    CFormatTaskPageBase(UINT nIDTemplate, CPageSettings& settings);
    ~CFormatTaskPageBase() override;

    BOOL OnInitDialog() override;
    void SaveSettings() override;
    void ReleasePreset() override;

    virtual void FillAndSelect();
    virtual void FillFormats();
    virtual void FillPresets();
    virtual void SelectFormat(int nIndex);
    virtual void SelectPreset(int nIndex);
    // The row of the first format whose id matches (any case), selected with its first
    // preset; -1 when there is none.
    virtual int SelectFormatById(LPCWSTR lpszId);
    // Whether a row of the format list is a category's header.
    BOOL IsHeaderRow(int nIndex) const;

    CString m_formatId;
    CString m_presetName;
    CMediaFormat* m_pFormat = nullptr;
    CMediaPreset* m_pPreset = nullptr;
    CFormatComboBox m_formatCombo;
    CFormatComboBox m_presetCombo;
    int m_formatIndex = 1;
    int m_presetIndex = -1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
