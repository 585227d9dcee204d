// The update check's dialogs: "Checking..." (dialog 521) and the announcement of a
// newer version (dialog 527), and CUpdateDialogsUI, the CUpdateCheckUI that shows them. Both
// run on the check's thread (framework/net/UpdateCheck.h), owned by the main window.
//
// Each program installs one object for its whole run: SetUpdateCheckUI(&theUpdateDialogs) in
// InitInstance, SetUpdateCheckUI(nullptr) in ExitInstance after EndUpdateChecks (see
// framework/system/IAppSettings.h). Both dialogs end on WM_CLOSE as on Cancel, so
// EndUpdateChecks closes them. Texts come from IAppSettings (product name, product page); the
// caption of 521 is the application's name. The dialogs' resources are in
// framework/res/Framework.rc, which the program's resource script includes.
#pragma once
#include "classlib/CDialog.h"
#include "framework/controls/CHyperLink.h"
#include "framework/net/CUpdateChecker.h"

class CWinThread;

// Dialog 521: runs checker.Check() on a thread of its own while a progress bar moves. The
// progress timer is started in OnInitDialog and stopped on WM_THREAD_FINISHED and on Cancel, all
// on the dialog's own thread (SetTimer for another thread's window fails). Cancel sets the cancel flag to 2 and waits for the thread's end.
class CUpdateCheckingDlg : public CDialog {
public:
    explicit CUpdateCheckingDlg(CUpdateChecker& checker, CWnd* pParentWnd = nullptr);
    ~CUpdateCheckingDlg() override;  // the check box goes back to the checker

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    BOOL IsThreadFinished() const { return m_bFinished; }
    static const UINT_PTR kProgressTimer = 1;

    int m_bAutoCheck;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnClose();
    LRESULT OnThreadFinished(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    static UINT __cdecl CheckThreadProc(LPVOID pParam);
    void WaitForThread();

    CUpdateChecker& m_checker;
    CWinThread* m_pThread = nullptr;
    BOOL m_bFinished = FALSE;
};

// Dialog 527: the new version, its description, links to the download and product pages.
// IDOK ("Download New Version") and Cancel both read the check box first.
class CNewVersionDlg : public CDialog {
public:
    explicit CNewVersionDlg(CUpdateChecker& checker, CWnd* pParentWnd = nullptr);
    ~CNewVersionDlg() override;  // the check box goes back to the checker

    BOOL OnInitDialog() override;
    void OnCancel() override;

    int m_bAutoCheck;
    CHyperLink m_downloadLink;  // 1026
    CHyperLink m_productLink;   // 1002

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnClose();
    DECLARE_MESSAGE_MAP()

private:
    CUpdateChecker& m_checker;
};

class CUpdateDialogsUI : public CUpdateCheckUI {
public:
    // The modal 521; when it cannot be shown the check runs without it.
    void RunCheckingDialog(CUpdateChecker& checker) override;
    INT_PTR ShowNewVersionDialog(CUpdateChecker& checker) override;
};
