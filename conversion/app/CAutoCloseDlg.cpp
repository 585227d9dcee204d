#include "conversion/app/CAutoCloseDlg.h"
#include "classlib/AfxMessageMap.h"
#include "conversion/app/res/ConversionAppResources.h"

IMPLEMENT_DYNAMIC(CAutoCloseDlg, CCXDialog)

BEGIN_MESSAGE_MAP(CAutoCloseDlg, CCXDialog)
ON_BN_CLICKED(IDC_AUTO_CLOSE, &CAutoCloseDlg::OnAutoCloseClicked)
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CString CAutoCloseDlg::CountdownText(int seconds)
{
    CString text;
    text.Format(L"Auto close in 00:%02d", seconds > 0 ? seconds : 0);
    return text;
}

BOOL CAutoCloseDlg::OnInitDialog()
{
    BOOL result = CCXDialog::OnInitDialog();
    SetDlgItemText(IDC_AUTO_CLOSE, CountdownText(m_countdown));
    CheckDlgButton(IDC_AUTO_CLOSE, m_autoClose ? BST_CHECKED : BST_UNCHECKED);
    if (m_autoClose)
        SetTimer(kTimerId, 1000, nullptr);
    return result;
}

void CAutoCloseDlg::OnAutoCloseClicked()
{
    m_autoClose = IsDlgButtonChecked(IDC_AUTO_CLOSE) == BST_CHECKED ? 1 : 0;
    if (m_autoClose)
        SetTimer(kTimerId, 1000, nullptr);
    else
        KillTimer(kTimerId);
}

void CAutoCloseDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTimerId || !m_autoClose) {
        CCXDialog::OnTimer(nIDEvent);
        return;
    }
    m_countdown--;
    SetDlgItemText(IDC_AUTO_CLOSE, CountdownText(m_countdown));
    if (m_countdown <= 0) {
        KillTimer(kTimerId);
        PostMessage(WM_COMMAND, IDOK);
    }
}

void CAutoCloseDlg::OnDestroy()
{
    KillTimer(kTimerId);
    CCXDialog::OnDestroy();
}
