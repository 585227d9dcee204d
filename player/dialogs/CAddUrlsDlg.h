// "Add URLs": several addresses, one a line, appended to the playlist. The example link
// replaces the whole text with the sample address.
#pragma once
#include "classlib/CDialog.h"
#include "framework/controls/CHyperLink.h"

class CAddUrlsDlg : public CDialog {
public:
    explicit CAddUrlsDlg(CWnd* pParent = nullptr);

    CString m_strUrls;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnExampleClicked();
    DECLARE_MESSAGE_MAP()

    CHyperLink m_exampleLink;
};
