// CAppAboutDlg: the shared About box (dialog 100 of framework/res/Framework.rc).
// Caption "About <application name>"; the name and major version in the bold font; "Version
// <version>"; the company "Kavri Helper"; the maker's web site (IAppSettings::GetWebSiteUrl) as
// a link that opens itself, and the support mail address as a link whose click runs
// MailSupport() (framework/system/ShellHelpers.h). Both links use the program's link look and
// are sized to their text.
#pragma once
#include "classlib/CDialog.h"
#include "framework/controls/CHyperLink.h"

class CAppAboutDlg : public CDialog {
public:
    explicit CAppAboutDlg(CWnd* pParentWnd = nullptr);
    ~CAppAboutDlg() override;

    BOOL OnInitDialog() override;

    CHyperLink m_webLink;   // 1002
    CHyperLink m_mailLink;  // 1004

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnMailLink();
    DECLARE_MESSAGE_MAP()
};
