#include "conversion/app/CConversionSettingsDlg.h"
#include "classlib/CDataExchange.h"
#include "conversion/app/CConversionSettings.h"
#include "conversion/app/res/ConversionAppResources.h"
#include "conversion/engine/IFileExistsPrompt.h"

namespace {

// The Overwrite value of each radio button, in the group's order.
const int kOverwriteOfRadio[] = {FILE_EXISTS_ASK, FILE_EXISTS_NEW_NAME_ALL, FILE_EXISTS_OVERWRITE_ALL, FILE_EXISTS_SKIP_ALL};
const int kRadioCount = sizeof(kOverwriteOfRadio) / sizeof(kOverwriteOfRadio[0]);

}  // namespace

CConversionSettingsDlg::CConversionSettingsDlg(CConversionSettings& settings, CWnd* pParentWnd)
    : CDialog(IDD_CONVERSION_SETTINGS, pParentWnd),
      m_overwriteChoice(RadioFromOverwrite(settings.GetOverwritePolicy())),
      m_bAutoCheckUpdate(settings.GetAutoCheckUpdate() ? 1 : 0),
      m_settings(settings)
{
}

int CConversionSettingsDlg::RadioFromOverwrite(int overwrite)
{
    for (int radio = 0; radio < kRadioCount; radio++) {
        if (kOverwriteOfRadio[radio] == overwrite)
            return radio;
    }
    return 0;
}

int CConversionSettingsDlg::OverwriteFromRadio(int radio)
{
    return radio >= 0 && radio < kRadioCount ? kOverwriteOfRadio[radio] : FILE_EXISTS_ASK;
}

void CConversionSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_OVERWRITE_PROMPT, m_overwriteChoice);
    DDX_Check(pDX, IDC_AUTO_CHECK_UPDATE, m_bAutoCheckUpdate);
}

void CConversionSettingsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_settings.SetOverwritePolicy(OverwriteFromRadio(m_overwriteChoice));
    m_settings.SetAutoCheckUpdate(m_bAutoCheckUpdate);
    EndDialog(IDOK);
}
