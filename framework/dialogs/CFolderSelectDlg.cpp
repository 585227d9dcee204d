#include "framework/dialogs/CFolderSelectDlg.h"
#include "framework/system/MessagePumps.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDataExchange.h"
#include "classlib/CMenu.h"
#include "classlib/CWinThread.h"
#include "framework/controls/FrameworkMessages.h"
#include "framework/res/FrameworkResources.h"
#include <objbase.h>
#include <shlwapi.h>

IMPLEMENT_DYNAMIC(CFolderSelectDlg, CDialog)

BEGIN_MESSAGE_MAP(CFolderSelectDlg, CDialog)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_THREAD_FINISHED, &CFolderSelectDlg::OnThreadFinished)
END_MESSAGE_MAP()

CFolderSelectDlg::CFolderSelectDlg(CWnd* pParentWnd) : CDialog(IDD_FOLDER_DIALOG, pParentWnd)
{
}

CFolderSelectDlg::~CFolderSelectDlg()
{
    WaitForWorker();
}

void CFolderSelectDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, 1018, m_patternCombo);
    DDX_Control(pDX, 1019, m_tree);
    DDX_CBString(pDX, 1018, m_strPattern);
    DDX_Text(pDX, 1022, m_strDescription);
    DDX_Check(pDX, 1025, m_bScanSubfolders);
}

int CFolderSelectDlg::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDialog::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_sizeGrip.Create(WS_CHILD | WS_VISIBLE | SBS_SIZEBOX | SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN,
                           CRect(0, 0, 200, 200), this, 0xE900))
        return -1;
    if (!m_toolTip.Create(this))
        return -1;
    return 0;
}

BOOL CFolderSelectDlg::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.m_hWnd)
        m_toolTip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
    return CDialog::PreTranslateMessage(pMsg);
}

void CFolderSelectDlg::FillPatternCombo()
{
    int nIndex = 0;
    int nStart = 0;
    const int nLength = m_strPatterns.GetLength();
    while (nStart < nLength) {
        int nEnd = m_strPatterns.Find(L'|', nStart);
        if (nEnd < 0)
            nEnd = nLength;
        CString strEntry = m_strPatterns.Mid(nStart, nEnd - nStart);
        if (strEntry.IsEmpty())
            break;
        m_patternCombo.InsertItem(nIndex++, strEntry);
        nStart = nEnd + 1;
    }
}

UINT __cdecl CFolderSelectDlg::SelectThreadProc(LPVOID pParam)
{
    CFolderSelectDlg* pDlg = static_cast<CFolderSelectDlg*>(pParam);
    HRESULT hrCom = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    pDlg->m_tree.SelectPath(pDlg->m_strInitialFolder, TRUE);
    if (SUCCEEDED(hrCom))
        ::CoUninitialize();
    ::PostMessageW(pDlg->m_hWnd, WM_THREAD_FINISHED, 0, 0);
    return 0;
}

BOOL CFolderSelectDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ModifyStyleEx(0, WS_EX_DLGMODALFRAME);
    if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
        pSysMenu->DeleteMenu(SC_RESTORE, MF_BYCOMMAND);
        pSysMenu->DeleteMenu(SC_MINIMIZE, MF_BYCOMMAND);
        pSysMenu->DeleteMenu(SC_MAXIMIZE, MF_BYCOMMAND);
    }
    if (!m_strTitle.IsEmpty())
        SetWindowText(m_strTitle);
    m_tree.m_bAbortSelect = false;
    m_tree.Reload();
    FillPatternCombo();
    if (!m_strPattern.IsEmpty()) {
        if (CEdit* pEdit = m_patternCombo.GetEditCtrl())
            pEdit->SetWindowText(m_strPattern);
    } else if (m_patternCombo.GetCount() > 0) {
        m_patternCombo.SetCurSel(0);
    }

    if (!m_strInitialFolder.IsEmpty() && ::PathFileExistsW(m_strInitialFolder)) {
        wchar_t szFolder[1024] = {};
        lstrcpynW(szFolder, m_strInitialFolder, 1024);
        ::PathMakePrettyW(szFolder);
        m_strInitialFolder = szFolder;
        m_pThread = AfxBeginThread(SelectThreadProc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        if (m_pThread) {
            m_pThread->m_bAutoDelete = FALSE;
            m_pThread->ResumeThread();
        } else {
            m_tree.SelectPath(m_strInitialFolder, TRUE);
        }
    }
    Layout();
    return TRUE;
}

void CFolderSelectDlg::WaitForWorker()
{
    if (!m_pThread)
        return;
    m_tree.m_bAbortSelect = true;
    WaitServingSentMessages(m_pThread->m_hThread, INFINITE);
    delete m_pThread;
    m_pThread = nullptr;
}

LRESULT CFolderSelectDlg::OnThreadFinished(WPARAM, LPARAM)
{
    WaitForWorker();  // the worker has posted its last word and is ending
    return 0;
}

void CFolderSelectDlg::OnDestroy()
{
    // The worker may still be walking the tree: it ends before the windows go.
    WaitForWorker();
    CDialog::OnDestroy();
}

void CFolderSelectDlg::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CDialog::OnGetMinMaxInfo(lpMMI);
    lpMMI->ptMinTrackSize.x = kMinWidth;
    lpMMI->ptMinTrackSize.y = kMinHeight;
}

void CFolderSelectDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (m_tree.m_hWnd)
        Layout();
}

void CFolderSelectDlg::Layout()
{
    CWnd* pOK = GetDlgItem(IDOK);
    CWnd* pCancel = GetDlgItem(IDCANCEL);
    CWnd* pCheck = GetDlgItem(1025);
    CWnd* pLabel = GetDlgItem(1029);
    CWnd* pText = GetDlgItem(1022);
    if (!pOK || !pCancel || !pCheck || !pLabel || !pText || !m_patternCombo.m_hWnd || !m_tree.m_hWnd)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    auto RectOf = [this](CWnd* pWnd) {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        ScreenToClient(&rect);
        return rect;
    };
    CRect rcOK = RectOf(pOK), rcCancel = RectOf(pCancel), rcCheck = RectOf(pCheck), rcLabel = RectOf(pLabel),
          rcText = RectOf(pText), rcCombo = RectOf(&m_patternCombo), rcTree = RectOf(&m_tree);

    const int nButtonTop = rcClient.bottom - 10 - rcCancel.Height();
    CRect rcNewCancel(rcClient.right - 10 - rcCancel.Width(), nButtonTop, rcClient.right - 10, rcClient.bottom - 10);
    CRect rcNewOK(rcNewCancel.left - 6 - rcOK.Width(), nButtonTop, rcNewCancel.left - 6, nButtonTop + rcOK.Height());
    int nCheckTop = nButtonTop + (rcCancel.Height() - rcCheck.Height()) / 2;
    CRect rcNewCheck(rcCheck.left, nCheckTop, rcCheck.right, nCheckTop + rcCheck.Height());
    const int nComboBottom = nButtonTop - 9;
    CRect rcNewCombo(rcCombo.left, nComboBottom - rcCombo.Height(), rcClient.right - 10, nComboBottom);
    CRect rcNewLabel(rcLabel.left, rcNewCombo.top - 2 - rcLabel.Height(), rcClient.right - 10, rcNewCombo.top - 2);
    CRect rcNewTree(rcTree.left, rcTree.top, rcClient.right - 10, rcNewLabel.top - 4);
    CRect rcNewText(rcText.left, rcText.top, rcClient.right - 10, rcText.bottom);
    const int cxGrip = ::GetSystemMetrics(SM_CXVSCROLL), cyGrip = ::GetSystemMetrics(SM_CYHSCROLL);
    CRect rcGrip(rcClient.right - cxGrip, rcClient.bottom - cyGrip, rcClient.right, rcClient.bottom);

    HDWP hDWP = ::BeginDeferWindowPos(8);
    auto Place = [&hDWP](CWnd* pWnd, const CRect& rect) {
        if (hDWP && pWnd && pWnd->m_hWnd)
            hDWP = ::DeferWindowPos(hDWP, pWnd->m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE);
    };
    Place(pCancel, rcNewCancel);
    Place(pOK, rcNewOK);
    Place(pCheck, rcNewCheck);
    Place(&m_patternCombo, rcNewCombo);
    Place(pLabel, rcNewLabel);
    Place(&m_tree, rcNewTree);
    Place(pText, rcNewText);
    Place(&m_sizeGrip, rcGrip);
    if (hDWP)
        ::EndDeferWindowPos(hDWP);
}

void CFolderSelectDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_strFolder = m_tree.GetSelectedPath();
    m_strPattern = m_patternCombo.GetText();  // the edit field, as typed or chosen
    m_strPattern.Trim();
    if (m_strPattern.IsEmpty())
        m_strPattern = L"*";
    EndDialog(IDOK);
}
