#include "framework/dialogs/UpdateDialogs.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDataExchange.h"
#include "classlib/CWinApp.h"
#include "classlib/CWinThread.h"
#include "framework/controls/AppUiResources.h"
#include "framework/controls/FrameworkMessages.h"
#include "framework/res/FrameworkResources.h"
#include "framework/system/IAppSettings.h"
#include <commctrl.h>

namespace {

const int kText = 1022;
const int kSecondText = 1098;
const int kProgress = 1099;
const int kAutoCheck = 1000;

void SetBoldFont(CWnd* pDlg, int nID)
{
    if (CFont* pFont = GetAppFont(AppFontBold))
        pDlg->SendDlgItemMessage(nID, WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), TRUE);
}

CString AppName()
{
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->m_pszAppName ? CString(pApp->m_pszAppName) : CString();
}

// The dialogs run on the check's thread, whose windows do not become the foreground by
// themselves: one the user asked for is brought there, so that Enter and Escape reach it.
void BringToTheUser(HWND hDlg)
{
    ::SetForegroundWindow(hDlg);
}

}  // namespace

// ---- CUpdateCheckingDlg

BEGIN_MESSAGE_MAP(CUpdateCheckingDlg, CDialog)
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_MESSAGE(WM_THREAD_FINISHED, &CUpdateCheckingDlg::OnThreadFinished)
END_MESSAGE_MAP()

CUpdateCheckingDlg::CUpdateCheckingDlg(CUpdateChecker& checker, CWnd* pParentWnd)
    : CDialog(IDD_UPDATE_CHECKING, pParentWnd), m_bAutoCheck(checker.m_nAutoCheck), m_checker(checker)
{
}

CUpdateCheckingDlg::~CUpdateCheckingDlg()
{
    // A dialog ended another way (WM_QUIT) still lets its thread finish before the checker goes.
    if (m_pThread) {
        m_checker.m_nCancel = 2;
        WaitForThread();
    }
    m_checker.m_nAutoCheck = m_bAutoCheck;
}

void CUpdateCheckingDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, kAutoCheck, m_bAutoCheck);
}

UINT __cdecl CUpdateCheckingDlg::CheckThreadProc(LPVOID pParam)
{
    CUpdateCheckingDlg* pDlg = static_cast<CUpdateCheckingDlg*>(pParam);
    int nResult = pDlg->m_checker.Check();
    ::PostMessageW(pDlg->m_hWnd, WM_THREAD_FINISHED, static_cast<WPARAM>(nResult), 0);
    return 0;
}

BOOL CUpdateCheckingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetBoldFont(this, kText);
    SendDlgItemMessage(kProgress, PBM_SETRANGE32, 0, 100);
    SetWindowText(AppName());
    SetDlgItemText(kText, L"Checking...");
    // The cancel flag is not cleared here: a check is new with its flag at 0, and one that
    // EndUpdateChecks cancelled before this dialog came up must stay cancelled.
    SetTimer(kProgressTimer, 100);
    BringToTheUser(m_hWnd);
    m_pThread = AfxBeginThread(CheckThreadProc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (m_pThread) {
        m_pThread->m_bAutoDelete = FALSE;
        m_pThread->ResumeThread();
    } else {
        // No thread: the check runs here, and its end arrives as it would from the thread.
        PostMessage(WM_THREAD_FINISHED, static_cast<WPARAM>(m_checker.Check()), 0);
    }
    return TRUE;
}

void CUpdateCheckingDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kProgressTimer) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    int nPos = static_cast<int>(SendDlgItemMessage(kProgress, PBM_GETPOS)) + 2;
    SendDlgItemMessage(kProgress, PBM_SETPOS, nPos > 100 ? 0 : nPos);
}

void CUpdateCheckingDlg::WaitForThread()
{
    if (!m_pThread)
        return;
    // The thread only posts to this window, so a plain wait cannot block it.
    ::WaitForSingleObject(m_pThread->m_hThread, INFINITE);
    delete m_pThread;
    m_pThread = nullptr;
}

LRESULT CUpdateCheckingDlg::OnThreadFinished(WPARAM, LPARAM)
{
    KillTimer(kProgressTimer);
    WaitForThread();
    m_bFinished = TRUE;
    UpdateData(TRUE);
    if (m_checker.m_bAutomatic || m_checker.m_nCancel) {
        EndDialog(m_checker.m_nCancel ? 2 : 1);
        return 0;
    }
    if (m_checker.m_nState == CUpdateChecker::StateNewer && m_checker.m_nError == 0) {
        EndDialog(1);
        return 0;
    }
    // The dialog stays with its word for the user.
    GetDlgItem(kProgress)->ShowWindow(SW_HIDE);
    GetDlgItem(IDCANCEL)->ShowWindow(SW_HIDE);
    CWnd* pOK = GetDlgItem(IDOK);
    pOK->SetWindowText(L"OK");
    pOK->ShowWindow(SW_SHOW);
    SetDefID(IDOK);
    GotoDlgCtrl(pOK);
    if (m_checker.m_nError == -1) {
        SetDlgItemText(kText, L"Error: failed to get update information!");
        SetDlgItemText(kSecondText, L"Please try again later.");
    } else {
        SetDlgItemText(kText, L"You already have the newest version.");
        SetDlgItemText(kSecondText, L"Please check again in future.");
    }
    return 0;
}

void CUpdateCheckingDlg::OnOK()
{
    if (!m_bFinished)
        return;  // only the word after the check has an OK
    CDialog::OnOK();
}

void CUpdateCheckingDlg::OnCancel()
{
    if (m_bFinished) {
        UpdateData(TRUE);
        EndDialog(IDCANCEL);
        return;
    }
    // The dialog stays until the thread has seen the flag and ended.
    m_checker.m_nCancel = 2;
    KillTimer(kProgressTimer);
    GetDlgItem(IDCANCEL)->EnableWindow(FALSE);
}

void CUpdateCheckingDlg::OnClose()
{
    OnCancel();
}

// ---- CNewVersionDlg

BEGIN_MESSAGE_MAP(CNewVersionDlg, CDialog)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CNewVersionDlg::CNewVersionDlg(CUpdateChecker& checker, CWnd* pParentWnd)
    : CDialog(IDD_NEW_VERSION, pParentWnd), m_bAutoCheck(checker.m_nAutoCheck), m_checker(checker)
{
}

CNewVersionDlg::~CNewVersionDlg()
{
    m_checker.m_nAutoCheck = m_bAutoCheck;
}

void CNewVersionDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, 1026, m_downloadLink);
    DDX_Control(pDX, 1002, m_productLink);
    DDX_Check(pDX, kAutoCheck, m_bAutoCheck);
}

BOOL CNewVersionDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    IAppSettings* pSettings = GetAppSettings();
    CString strProduct = pSettings ? pSettings->GetProductName() : AppName();
    CString strText;
    strText.Format(L"A newer version of %s is available:", static_cast<LPCWSTR>(strProduct));
    SetDlgItemText(kText, strText);
    SetBoldFont(this, kText);
    SetWindowText(AppName());

    m_downloadLink.UseAppLinkLook();
    m_downloadLink.SetURL(m_checker.m_strDownloadUrl, m_checker.m_strDownloadUrl);
    CString strProductPage = pSettings ? pSettings->GetProductPageUrl() : CString();
    m_productLink.UseAppLinkLook();
    m_productLink.SetURL(strProductPage, strProductPage);

    strText.Format(L"Your version is %s.", static_cast<LPCWSTR>(m_checker.m_strCurrentVersion));
    SetDlgItemText(1108, strText);
    SetDlgItemText(1001, m_checker.m_strDescription);
    // An automatic check's news waits for the user instead of taking the keys being typed.
    if (!m_checker.m_bAutomatic)
        BringToTheUser(m_hWnd);
    return TRUE;
}

void CNewVersionDlg::OnCancel()
{
    UpdateData(TRUE);
    CDialog::OnCancel();
}

void CNewVersionDlg::OnClose()
{
    OnCancel();
}

// ---- CUpdateDialogsUI

void CUpdateDialogsUI::RunCheckingDialog(CUpdateChecker& checker)
{
    CUpdateCheckingDlg dlg(checker);
    if (dlg.DoModal() == -1 && !dlg.IsThreadFinished())
        checker.Check();
}

INT_PTR CUpdateDialogsUI::ShowNewVersionDialog(CUpdateChecker& checker)
{
    CNewVersionDlg dlg(checker);
    return dlg.DoModal();
}
