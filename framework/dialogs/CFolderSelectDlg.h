// CFolderSelectDlg: the resizable "Select a Folder" dialog (104 of
// framework/res/Framework.rc; the conversion tool uses it too, as 104): a shell
// folder tree, a file pattern combo ("Add files matched:") and "Scan subfolders".
//
// The initial folder is selected by a short worker thread. The worker initialises COM for
// itself; a dialog closed while it still runs waits for it (dispatching the messages it sends to
// the tree) before its windows go, so the two never race.
#pragma once
#include "classlib/CDialog.h"
#include "classlib/CScrollBar.h"
#include "classlib/CToolTipCtrl.h"
#include "framework/dialogs/CCustomComboBoxEx.h"
#include "framework/dialogs/CShellTreeCtrl.h"

class CWinThread;

class CFolderSelectDlg : public CDialog {
    DECLARE_DYNAMIC(CFolderSelectDlg)
public:
    explicit CFolderSelectDlg(CWnd* pParentWnd = nullptr);
    ~CFolderSelectDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Each '|'-separated entry of m_strPatterns, in order, up to the first empty one.
    virtual void FillPatternCombo();

    CString m_strTitle;          // not empty: replaces the caption
    CString m_strDescription;    // static 1022
    CString m_strInitialFolder;
    CString m_strPatterns;       // "*.mp4|*.mkv|*"
    CString m_strFolder;         // the result
    CString m_strPattern;        // combo 1018 ("*" when left empty)
    int m_bScanSubfolders = 0;   // check box 1025

    CToolTipCtrl m_toolTip;
    CCustomComboBoxEx m_patternCombo;
    CFolderTreeCtrl m_tree;
    CScrollBar m_sizeGrip;
    CWinThread* m_pThread = nullptr;

    static const int kMinWidth = 400;
    static const int kMinHeight = 300;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnDestroy();
    LRESULT OnThreadFinished(WPARAM wParam, LPARAM lParam);
    void Layout();
    DECLARE_MESSAGE_MAP()

private:
    static UINT __cdecl SelectThreadProc(LPVOID pParam);
    // Waits for the worker, answering what it sends to this thread's windows.
    void WaitForWorker();
};
