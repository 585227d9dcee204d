#include "classlib/CPropertySheet.h"
#include "classlib/AfxControls.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/AfxModal.h"
#include "classlib/AfxModule.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage(MAKEINTRESOURCEW(nIDTemplate), nIDCaption) {}

CPropertyPage::CPropertyPage(LPCWSTR lpszTemplateName, UINT nIDCaption)
    : CDialog(lpszTemplateName), m_psp(), m_bReset(false)
{
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = &CPropertyPage::PageDlgProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    if (nIDCaption && m_strCaption.LoadString(nIDCaption)) {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
}

INT_PTR CALLBACK CPropertyPage::PageDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    // The sheet passes its copy of the page's record, which names the page object. Once
    // attached, the page's messages reach the object before this procedure.
    if (message != WM_INITDIALOG || CWnd::FromHandlePermanent(hWnd))
        return FALSE;
    CPropertyPage* pPage = reinterpret_cast<CPropertyPage*>(reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam);
    if (!pPage->SubclassWindow(hWnd))
        return FALSE;
    return pPage->OnInitDialog();
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    if (m_hWnd)
        ::SendMessageW(::GetParent(m_hWnd), bChanged ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CPropertyPage::OnSetActive()
{
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

void CPropertyPage::OnOK()
{
    SetModified(FALSE);
}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (!pNMHDR || pNMHDR->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    switch (pNMHDR->code) {
    case PSN_SETACTIVE:
        *pResult = OnSetActive() ? 0 : -1;
        return TRUE;
    case PSN_KILLACTIVE:
        *pResult = !OnKillActive();
        return TRUE;
    case PSN_APPLY:
        *pResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        return TRUE;
    case PSN_RESET:
        m_bReset = true;
        OnReset();
        return TRUE;
    case PSN_QUERYCANCEL:
        *pResult = !OnQueryCancel();
        return TRUE;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
}

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, &CPropertySheet::HandleInitDialog)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet()
{
    Construct(nullptr, nullptr, 0);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CString caption;
    caption.LoadString(nIDCaption);
    Construct(caption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCWSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(LPCWSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_pParentWnd = pParentWnd;
    m_strCaption = pszCaption;
    m_psh = PROPSHEETHEADERW();
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nStartPage = iSelectPage;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    m_pages.Add(pPage);
    if (m_hWnd)
        PropSheet_AddPage(m_hWnd, ::CreatePropertySheetPageW(&pPage->m_psp));
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? static_cast<CPropertyPage*>(m_pages.GetAt(nPage)) : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    for (int i = 0; i < GetPageCount(); ++i) {
        if (GetPage(i) == pPage)
            return i;
    }
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (!m_hWnd)
        return static_cast<int>(m_psh.nStartPage);
    HWND hWndPage = PropSheet_GetCurrentPageHwnd(m_hWnd);
    for (int i = 0; hWndPage && i < GetPageCount(); ++i) {
        if (GetPage(i)->m_hWnd == hWndPage)
            return i;
    }
    return -1;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (!m_hWnd) {
        m_psh.nStartPage = nPage;
        return TRUE;
    }
    return PropSheet_SetCurSel(m_hWnd, nullptr, nPage);
}

void CPropertySheet::SetTitle(LPCWSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText;
    m_psh.pszCaption = m_strCaption;
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    if (m_hWnd)
        PropSheet_SetTitle(m_hWnd, nStyle, lpszText);
}

void CPropertySheet::BuildPropPageArray()
{
    m_pageRecords.clear();
    for (int i = 0; i < GetPageCount(); ++i)
        m_pageRecords.push_back(GetPage(i)->m_psp);
    m_psh.ppsp = m_pageRecords.data();
    m_psh.nPages = static_cast<UINT>(m_pageRecords.size());
}

INT_PTR CPropertySheet::DoModal()
{
    CModalLoopScope modal;
    HWND hWndOwner = AfxGetModalOwner(m_pParentWnd);
    BuildPropPageArray();
    bool bOwnerDisabled = hWndOwner && ::IsWindowEnabled(hWndOwner);
    if (bOwnerDisabled)
        ::EnableWindow(hWndOwner, FALSE);

    // The sheet is made modeless so that this library's loop runs it.
    DWORD dwFlags = m_psh.dwFlags;
    m_psh.dwFlags |= PSH_MODELESS;
    m_psh.hwndParent = hWndOwner;
    AfxInitCommonControls();
    AfxHookWindowCreate(this);
    HWND hWnd = reinterpret_cast<HWND>(::PropertySheetW(&m_psh));
    AfxUnhookWindowCreate();
    m_psh.dwFlags = dwFlags;
    int nResult = hWnd && hWnd == m_hWnd ? RunModal() : -1;

    if (bOwnerDisabled)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner && hWnd && ::GetActiveWindow() == hWnd)
        ::SetActiveWindow(hWndOwner);
    if (hWnd && ::IsWindow(hWnd))
        ::DestroyWindow(hWnd);
    return nResult;
}

int CPropertySheet::RunModal()
{
    for (int i = 0; i < GetPageCount(); ++i)
        GetPage(i)->m_bReset = false;
    AfxRunModalLoop(m_hWnd, [this] { return ::IsWindow(m_hWnd) && !IsClosing(); });
    if (!IsClosing())
        return IDCANCEL;  // destroyed, or WM_QUIT
    // Every way of cancelling tells the pages that exist; OK tells none.
    for (int i = 0; i < GetPageCount(); ++i) {
        if (GetPage(i)->m_bReset)
            return IDCANCEL;
    }
    return IDOK;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    return AfxInitOpeningDialog(this, [this] { return OnInitDialog(); });
}

BOOL CPropertySheet::OnInitDialog()
{
    return static_cast<BOOL>(Default());
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (PropSheet_IsDialogMessage(m_hWnd, pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}
