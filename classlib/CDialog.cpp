#include "classlib/CDialog.h"
#include "classlib/AfxControls.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/AfxModal.h"
#include "classlib/AfxModule.h"
#include "classlib/CWinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

namespace {

// The object AfxDlgProc attaches the next dialog to (AfxHookDialogInit), and whether it did.
thread_local CDialog* t_pDlgInit = nullptr;
thread_local bool t_bDlgInitAttached = false;

bool IsDialogClass(HWND hWnd)
{
    wchar_t className[16] = {};
    ::GetClassNameW(hWnd, className, 16);
    return lstrcmpW(className, L"#32770") == 0;
}

}  // namespace

CDialog::CDialog() : CDialog(static_cast<LPCWSTR>(nullptr), nullptr) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(MAKEINTRESOURCEW(nIDTemplate), pParentWnd) {}

CDialog::CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd), m_nModalResult(-1), m_bModalRunning(false)
{
}

BOOL CDialog::CreateFromTemplate(LPCWSTR lpszTemplateName, HWND hWndParent)
{
    HINSTANCE hInstance = AfxGetResourceHandle();
    HRSRC hResource = lpszTemplateName ? ::FindResourceW(hInstance, lpszTemplateName, RT_DIALOG) : nullptr;
    HGLOBAL hTemplate = hResource ? ::LoadResource(hInstance, hResource) : nullptr;
    if (!hTemplate)
        return FALSE;
    // Templates may name common controls.
    AfxInitCommonControls();
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamW(hInstance, static_cast<LPCDLGTEMPLATEW>(::LockResource(hTemplate)),
                                             hWndParent, AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    return hWnd != nullptr;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    CWnd* pOwner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    return CreateFromTemplate(lpszTemplateName, pOwner ? pOwner->m_hWnd : nullptr);
}

INT_PTR CDialog::DoModal()
{
    CModalLoopScope modal;
    HWND hWndOwner = AfxGetModalOwner(m_pParentWnd);
    bool bOwnerDisabled = hWndOwner && ::IsWindowEnabled(hWndOwner);
    if (bOwnerDisabled)
        ::EnableWindow(hWndOwner, FALSE);

    m_nModalResult = -1;
    m_bModalRunning = true;
    if (CreateFromTemplate(m_lpszTemplateName, hWndOwner)) {
        // From here a dialog that disappears without EndDialog counts as cancelled.
        if (m_nModalResult == -1)
            m_nModalResult = IDCANCEL;
        if (m_bModalRunning && !(GetStyle() & WS_VISIBLE))
            ShowWindow(SW_SHOWNORMAL);
        if (!AfxRunModalLoop(m_hWnd, [this] { return m_bModalRunning && ::IsWindow(m_hWnd); }))
            m_nModalResult = IDCANCEL;
        if (m_hWnd)
            SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_bModalRunning = false;

    // The owner comes back before the dialog goes, so that it becomes the active window.
    if (bOwnerDisabled)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    if (m_hWnd)
        DestroyWindow();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_bModalRunning) {
        m_nModalResult = nResult;
        m_bModalRunning = false;
        // Wakes the modal loop when the call comes from another thread.
        PostMessage(WM_NULL);
    } else if (m_hWnd) {
        ::EndDialog(m_hWnd, nResult);
    }
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return AfxInitOpeningDialog(this, [this] { return OnInitDialog(); });
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::NextDlgCtrl() const
{
    SendMessage(WM_NEXTDLGCTL, 0, FALSE);
}

void CDialog::PrevDlgCtrl() const
{
    SendMessage(WM_NEXTDLGCTL, 1, FALSE);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->GetSafeHwnd()), TRUE);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Inside another dialog, the outer one does the keyboard navigation for both.
    bool bNested = (GetStyle() & WS_CHILD) && IsDialogClass(::GetParent(m_hWnd));
    if (!bNested && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)) && ::IsDialogMessageW(m_hWnd, pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
    // The sender of a notification to a dialog reads the answer from DWLP_MSGRESULT.
    if (message == WM_NOTIFY && m_hWnd)
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, lResult);
    return lResult;
}

void AfxHookDialogInit(CDialog* pDlg)
{
    t_pDlgInit = pDlg;
    t_bDlgInitAttached = false;
}

BOOL AfxUnhookDialogInit()
{
    t_pDlgInit = nullptr;
    bool bAttached = t_bDlgInitAttached;
    t_bDlgInitAttached = false;
    return bAttached;
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    // Dialogs of this library are attached when created, and their messages reach the
    // object before this procedure; only a hosted system dialog is attached here.
    if (message != WM_INITDIALOG || !t_pDlgInit || CWnd::FromHandlePermanent(hWnd))
        return FALSE;
    CDialog* pDlg = t_pDlgInit;
    t_pDlgInit = nullptr;
    if (!pDlg->SubclassWindow(hWnd))
        return FALSE;
    t_bDlgInitAttached = true;
    return pDlg->OnInitDialog();
}
