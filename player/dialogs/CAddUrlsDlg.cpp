#include "player/dialogs/CAddUrlsDlg.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDataExchange.h"
#include "player/dialogs/COpenUrlDlg.h"
#include "player/res/PlayerResources.h"

BEGIN_MESSAGE_MAP(CAddUrlsDlg, CDialog)
ON_BN_CLICKED(IDC_URL_EXAMPLE, &CAddUrlsDlg::OnExampleClicked)
END_MESSAGE_MAP()

CAddUrlsDlg::CAddUrlsDlg(CWnd* pParent) : CDialog(IDD_ADD_URLS, pParent) {}

void CAddUrlsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_URL_LIST, m_strUrls);
}

BOOL CAddUrlsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetUpExampleLink(m_exampleLink, this, IDC_URL_EXAMPLE);
    return TRUE;
}

void CAddUrlsDlg::OnExampleClicked()
{
    CString text;
    m_exampleLink.GetWindowText(text);
    SetDlgItemText(IDC_URL_LIST, text);
}
