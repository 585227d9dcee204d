// The "Settings" dialog: what happens to an output file that already exists, and whether
// updates are checked automatically. OK writes both into the settings object; the caller
// saves it. Modal, on the window thread.
#pragma once
#include "classlib/CDialog.h"

class CConversionSettings;

class CConversionSettingsDlg : public CDialog {
public:
    explicit CConversionSettingsDlg(CConversionSettings& settings, CWnd* pParentWnd = nullptr);

    // The radio buttons in order stand for the Overwrite values 0, 11, 12 and 13; any other
    // value shows as the first button and any other button index gives 0.
    static int RadioFromOverwrite(int overwrite);
    static int OverwriteFromRadio(int radio);

    int m_overwriteChoice = 0;
    int m_bAutoCheckUpdate = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    CConversionSettings& m_settings;
};
