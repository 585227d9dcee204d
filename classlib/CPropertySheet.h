// CPropertySheet and CPropertyPage: a tabbed sheet of dialog pages.
//
// A page is a dialog made from its template when the sheet first shows it; its window is
// attached to the page object before WM_INITDIALOG. The sheet tells a page what happens
// through OnSetActive, OnKillActive, OnApply (OK or Apply Now) and OnReset (Cancel).
//
// DoModal runs the sheet with its own message loop, as CDialog::DoModal does: owned and owner
// disabled the same way, opened centred over the owner, WM_KICKIDLE to the sheet while the
// queue is empty.
#pragma once
#include <vector>
#include "classlib/CArray.h"
#include "classlib/CDialog.h"
#include <prsht.h>

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    // The tab shows the template's caption, or the string nIDCaption when given.
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCWSTR lpszTemplateName, UINT nIDCaption = 0);

    // Marks the page as holding changes to apply (the sheet enables Apply Now) or not.
    void SetModified(BOOL bChanged = TRUE);

    virtual BOOL OnSetActive();    // TRUE: the page may become the active one
    virtual BOOL OnKillActive();   // UpdateData(TRUE); FALSE keeps this page active
    virtual BOOL OnApply();        // OnOK() and TRUE; FALSE keeps the sheet open on this page
    virtual void OnReset();        // OnCancel()
    virtual BOOL OnQueryCancel();  // TRUE lets Cancel close the sheet
    void OnOK() override;          // the page no longer holds changes
    void OnCancel() override;      // nothing: the sheet closes itself

    // The record the sheet creates the page from. lParam names this object and pfnDlgProc
    // attaches the window to it: keep both when changing the record.
    PROPSHEETPAGEW m_psp;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    friend class CPropertySheet;
    static INT_PTR CALLBACK PageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    CString m_strCaption;
    bool m_bReset;  // the sheet was cancelled while the page existed
};

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCWSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    // The sheet does not own its pages.
    void AddPage(CPropertyPage* pPage);
    int GetPageCount() const { return static_cast<int>(m_pages.GetSize()); }
    CPropertyPage* GetPage(int nPage) const;  // null for a bad index
    int GetPageIndex(CPropertyPage* pPage) const;
    // Before the sheet is shown these name the page it starts on.
    CPropertyPage* GetActivePage() const { return GetPage(GetActiveIndex()); }
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }
    void SetTitle(LPCWSTR lpszText, UINT nStyle = 0);

    // IDOK when the sheet closed through OK, IDCANCEL otherwise, -1 when it cannot be made.
    virtual INT_PTR DoModal();
    // Runs the system's own handling, which creates the tabs and the first page.
    virtual BOOL OnInitDialog();

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // dwFlags holds PSH_PROPSHEETPAGE: ppsp and nPages are set by BuildPropPageArray.
    PROPSHEETHEADERW m_psh;

protected:
    // Points m_psh.ppsp at a copy of the pages' m_psp records and sets m_psh.nPages; DoModal
    // calls it before the sheet is made.
    virtual void BuildPropPageArray();
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    CPtrArray m_pages;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    void Construct(LPCWSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage);
    // After OK or Cancel the sheet has no current page, but its window stays.
    bool IsClosing() const { return m_hWnd && !PropSheet_GetCurrentPageHwnd(m_hWnd); }
    int RunModal();

    CString m_strCaption;
    std::vector<PROPSHEETPAGEW> m_pageRecords;
};
