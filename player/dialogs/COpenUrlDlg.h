// "Open URL": one address typed or picked, which replaces the playlist. The example link below
// the address fills it in.
#pragma once
#include "classlib/CDialog.h"
#include "framework/controls/CHyperLink.h"

// The sample address both URL dialogs offer.
extern const wchar_t kExampleMediaUrl[];

// Shows the example link in the program's link look on the dialog's face colour.
void SetUpExampleLink(CHyperLink& link, CWnd* pDialog, UINT nID);

class COpenUrlDlg : public CDialog {
public:
    explicit COpenUrlDlg(CWnd* pParent = nullptr);

    CString m_strUrl;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnExampleClicked();
    DECLARE_MESSAGE_MAP()

    CHyperLink m_exampleLink;
};
