#include "framework/dialogs/CAppAboutDlg.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDataExchange.h"
#include "classlib/CWinApp.h"
#include "framework/controls/AppUiResources.h"
#include "framework/net/VersionCompare.h"
#include "framework/res/FrameworkResources.h"
#include "framework/system/IAppSettings.h"
#include "framework/system/ShellHelpers.h"

BEGIN_MESSAGE_MAP(CAppAboutDlg, CDialog)
    ON_BN_CLICKED(1004, &CAppAboutDlg::OnMailLink)
END_MESSAGE_MAP()

CAppAboutDlg::CAppAboutDlg(CWnd* pParentWnd) : CDialog(IDD_ABOUTBOX, pParentWnd)
{
}

CAppAboutDlg::~CAppAboutDlg()
{
    m_mailLink.DestroyWindow();
    m_webLink.DestroyWindow();
}

void CAppAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, 1002, m_webLink);
    DDX_Control(pDX, 1004, m_mailLink);
}

BOOL CAppAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWinApp* pApp = AfxGetApp();
    CString strAppName = pApp && pApp->m_pszAppName ? CString(pApp->m_pszAppName) : CString();
    IAppSettings* pSettings = GetAppSettings();
    CString strVersion = pSettings ? pSettings->GetVersionText() : CString();

    CString strCaption;
    GetWindowText(strCaption);
    SetWindowText(strCaption + L" " + strAppName);

    VersionTriple version = {};
    ParseVersionString(strVersion, version);
    CString strText;
    strText.Format(L"%s %d", static_cast<LPCWSTR>(strAppName), version.nMajor);
    if (CFont* pBold = GetAppFont(AppFontBold))
        SendDlgItemMessage(1022, WM_SETFONT, reinterpret_cast<WPARAM>(pBold->GetSafeHandle()), TRUE);
    SetDlgItemText(1022, strText);

    strText.Format(L"Version %s", static_cast<LPCWSTR>(strVersion));
    SetDlgItemText(1026, strText);

    if (CFont* pNormal = GetAppFont(AppFontNormal))
        SendDlgItemMessage(1024, WM_SETFONT, reinterpret_cast<WPARAM>(pNormal->GetSafeHandle()), TRUE);
    SetDlgItemText(1024, L"Kavri Helper");

    CString strSite = pSettings ? pSettings->GetWebSiteUrl() : CString();
    m_webLink.UseAppLinkLook();
    m_webLink.SetURL(strSite, strSite);
    m_webLink.SizeToText();

    CString strMail = pSettings ? pSettings->GetSupportMailAddress() : CString();
    m_mailLink.UseAppLinkLook();
    m_mailLink.SetURL(L"", strMail);
    m_mailLink.SizeToText();
    return TRUE;
}

void CAppAboutDlg::OnMailLink()
{
    MailSupport();
}
