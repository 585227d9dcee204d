#include "player/dialogs/COpenUrlDlg.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDataExchange.h"
#include "player/res/PlayerResources.h"

const wchar_t kExampleMediaUrl[] = L"https://www.kavri.example/samples/sample-video.mp4";

void SetUpExampleLink(CHyperLink& link, CWnd* pDialog, UINT nID)
{
    if (!link.SubclassDlgItem(nID, pDialog))
        return;
    link.m_crBack = ::GetSysColor(COLOR_BTNFACE);
    link.m_bTransparent = FALSE;
    link.UseAppLinkLook();
    // No URL of its own: a click reaches the dialog, which copies the address.
    link.SetURL(L"", kExampleMediaUrl);
}

BEGIN_MESSAGE_MAP(COpenUrlDlg, CDialog)
ON_BN_CLICKED(IDC_URL_EXAMPLE, &COpenUrlDlg::OnExampleClicked)
END_MESSAGE_MAP()

COpenUrlDlg::COpenUrlDlg(CWnd* pParent) : CDialog(IDD_OPEN_URL, pParent) {}

void COpenUrlDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_CBString(pDX, IDC_URL_ADDRESS, m_strUrl);
}

BOOL COpenUrlDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetUpExampleLink(m_exampleLink, this, IDC_URL_EXAMPLE);
    return TRUE;
}

void COpenUrlDlg::OnExampleClicked()
{
    CString text;
    m_exampleLink.GetWindowText(text);
    SetDlgItemText(IDC_URL_ADDRESS, text);
}
