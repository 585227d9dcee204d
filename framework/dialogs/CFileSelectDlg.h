// CFileSelectDlg: the programs' open and save dialog, a re-done CFileDialog that
// returns very long multi-selections (a buffer of 1,048,576 characters) and sizes its
// OPENFILENAME by the Windows version. Explorer style always; the hook dialog inside the common
// dialog is attached to this object, so its notifications reach the virtual handlers.
//
// A failed allocation leaves the object unusable and DoModal answers -1: no exception crosses
// the interface.
#pragma once
#include "classlib/CDialog.h"
#include "classlib/CList.h"
#include <commdlg.h>

class CFileSelectDlg : public CDialog {
    DECLARE_DYNAMIC(CFileSelectDlg)
public:
    static const DWORD kMaxFile = 1048576;

    // nStructSize 0: the size for this Windows (the whole OPENFILENAMEW on NT 5.0 or later,
    // else OPENFILENAME_SIZE_VERSION_400W). lpszFilter: "Name|*.ext|...|" ('|' become NULs).
    CFileSelectDlg(BOOL bOpenFileDialog, LPCWSTR lpszDefExt = nullptr, LPCWSTR lpszFileName = nullptr,
                   DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR lpszFilter = nullptr,
                   CWnd* pParentWnd = nullptr, DWORD nStructSize = 0);
    ~CFileSelectDlg() override;

    // IDOK, or IDCANCEL when the user cancelled or the dialog failed; -1 when the object could
    // not be made.
    INT_PTR DoModal() override;

    OPENFILENAMEW& GetOFN() { return *m_pOFN; }
    CString GetPathName() const;
    // The walk over a (multi-)selection; the position is null after the last path.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    BOOL IsValid() const { return m_pOFN && m_pszFile; }
    UINT m_nIDHelp;

protected:
    virtual void OnLBSelChangedNotify(UINT nIDBox, UINT iCurSel, UINT nCode) {}
    virtual void OnInitDone();  // centres the common dialog on its owner
    virtual void OnFileNameChange() {}
    virtual void OnFolderChange() {}
    virtual void OnTypeChange() {}
    virtual BOOL OnFileNameOK() { return FALSE; }  // 0: the name is accepted
    // The default answer accepts the file (OFN_SHAREFALLTHROUGH).
    virtual UINT OnShareViolation(LPCWSTR lpszPathName) { return OFN_SHAREFALLTHROUGH; }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnInitDialog() override { return TRUE; }

    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    OPENFILENAMEW* m_pOFN = nullptr;
    BOOL m_bOpenFileDialog;
    CString m_strFilter;  // with its NULs
    wchar_t m_szFileTitle[64] = {};
    wchar_t* m_pszFile = nullptr;

private:
    // The common dialog (the hook dialog's parent) while it is open.
    HWND CommonDialog() const { return m_hWnd ? ::GetParent(m_hWnd) : nullptr; }
};
