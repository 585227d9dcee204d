// CDialog: a dialog box made from a dialog-template resource, modal (DoModal) or modeless
// (Create, for example a child page inside another window).
//
// The dialog window is attached to the object from its creation, so the message map sees
// every message including WM_INITDIALOG, which calls OnInitDialog. IDOK and IDCANCEL call
// OnOK and OnCancel.
//
// DoModal runs its own message loop on the calling thread, which may be a worker thread. The
// dialog is owned by the top-level window of the parent given, else by the main window, or by
// a modal dialog running over that one (AfxGetModalOwner); the owner is disabled while the
// dialog runs. It opens centred over the owner unless its template or OnInitDialog places it
// (AfxCenterOpeningDialog). While the queue is empty the dialog gets WM_KICKIDLE.
#pragma once
#include <atomic>
#include "classlib/CWnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // Modeless: FALSE when the template is missing or the window cannot be made.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    // Modal: the value given to EndDialog; -1 when the dialog cannot be made, IDCANCEL when
    // WM_QUIT ends it.
    virtual INT_PTR DoModal();
    // Ends a modal dialog with nResult once the current message is handled.
    void EndDialog(int nResult);

    // TRUE lets the system focus the first tab stop; FALSE says the handler set the focus.
    // Here: UpdateData(FALSE) and TRUE.
    virtual BOOL OnInitDialog();
    virtual void OnOK();      // UpdateData(TRUE); EndDialog(IDOK) when it succeeds
    virtual void OnCancel();  // EndDialog(IDCANCEL)

    // Focus moves among the controls as Tab and Shift+Tab move it.
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID) { SendMessage(DM_SETDEFID, nID); }
    DWORD GetDefID() const { return static_cast<DWORD>(SendMessage(DM_GETDEFID)); }

    // Keyboard messages for the dialog or its controls go through IsDialogMessage, which gives
    // a modeless or child dialog the tabbing and default buttons of a modal one.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    LPCWSTR m_lpszTemplateName;  // a resource name, or an id made by MAKEINTRESOURCE
    CWnd* m_pParentWnd;

protected:
    // Creates the window from the template, attached to this object, owned by (or, for a
    // child template, inside) hWndParent.
    BOOL CreateFromTemplate(LPCWSTR lpszTemplateName, HWND hWndParent);
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    std::atomic<int> m_nModalResult;
    std::atomic<bool> m_bModalRunning;
};

// Hosting a system dialog (file open or save) in a CDialog-derived object. The object's hook
// procedure passes the dialog's messages on to AfxDlgProc; the object calls
// AfxHookDialogInit(this) just before the system call and AfxUnhookDialogInit() after it. The
// first dialog that then reaches AfxDlgProc with WM_INITDIALOG is attached to the object and
// subclassed (for an explorer-style file dialog, the hook dialog inside it), and its
// OnInitDialog runs. From then on its messages reach the object's message map first; the
// window detaches from the object when it is destroyed.
void AfxHookDialogInit(CDialog* pDlg);
// FALSE when no dialog was attached.
BOOL AfxUnhookDialogInit();
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
