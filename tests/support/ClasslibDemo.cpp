// A small program on the class library to look at: a frame with a menu, a tool bar and a
// status bar, a view that draws its document's title, and a dialog with data exchange that
// opens by itself once the frame is up.
#include "classlib/Afx.h"

namespace {

const UINT IDR_MAINFRAME = 128;
const UINT IDD_ABOUT = 200;
const UINT IDC_NAME = 201;
const UINT IDC_LOUD = 202;

class CDemoDoc : public CDocument {
    DECLARE_DYNCREATE(CDemoDoc)
public:
    CString m_strName = L"World";
    int m_nLoud = 1;
};
IMPLEMENT_DYNCREATE(CDemoDoc, CDocument)

class CDemoView : public CView {
    DECLARE_DYNCREATE(CDemoView)
public:
    void OnDraw(CDC* pDC) override
    {
        CRect rc;
        GetClientRect(&rc);
        pDC->FillSolidRect(&rc, RGB(0xF0, 0xF4, 0xFA));
        CRect box(rc.left + 20, rc.top + 20, rc.right - 20, rc.top + 90);
        pDC->FillSolidRect(&box, RGB(0x2E, 0x5C, 0x8A));
        CDemoDoc* pDoc = static_cast<CDemoDoc*>(GetDocument());
        CString greeting;
        greeting.Format(L"Hello, %s%s", static_cast<LPCWSTR>(pDoc->m_strName), pDoc->m_nLoud ? L"!" : L".");
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(RGB(0xFF, 0xFF, 0xFF));
        pDC->DrawText(greeting, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        CRect note(box.left, box.bottom + 10, box.right, box.bottom + 40);
        pDC->SetTextColor(RGB(0x30, 0x30, 0x30));
        pDC->DrawText(CString(L"Document: ") + pDoc->GetTitle(), &note, DT_LEFT | DT_SINGLELINE);
    }
};
IMPLEMENT_DYNCREATE(CDemoView, CView)

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        cs.x = 60;
        cs.y = 40;
        cs.cx = 640;
        cs.cy = 440;
        return CFrameWnd::PreCreateWindow(cs);
    }
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS) ||
            !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
            return -1;
        if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 3))
            return -1;
        return 0;
    }
    DECLARE_MESSAGE_MAP()

    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
};
IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CDemoDoc* pDoc) : CDialog(IDD_ABOUT), m_strName(pDoc->m_strName), m_nLoud(pDoc->m_nLoud) {}
    CString m_strName;
    int m_nLoud;

protected:
    // Lower right over the frame, so that the menu, the bars and the view stay in sight.
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        CRect rcFrame;
        AfxGetMainWnd()->GetWindowRect(&rcFrame);
        SetWindowPos(nullptr, rcFrame.left + 300, rcFrame.top + 190, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDX_Check(pDX, IDC_LOUD, m_nLoud);
    }
};

class CDemoApp : public CWinApp {
public:
    CDemoApp() : CWinApp(L"Classlib Demo") {}
    BOOL InitInstance() override
    {
        AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CDemoDoc), RUNTIME_CLASS(CMainFrame),
                                              RUNTIME_CLASS(CDemoView)));
        CCommandLineInfo info;
        ParseCommandLine(info);
        if (!ProcessShellCommand(info))
            return FALSE;
        m_pMainWnd->ShowWindow(SW_SHOW);
        m_pMainWnd->UpdateWindow();
        m_pMainWnd->PostMessage(WM_COMMAND, ID_APP_ABOUT);
        return TRUE;
    }

protected:
    void OnAppAbout()
    {
        CFrameWnd* pFrame = static_cast<CFrameWnd*>(m_pMainWnd);
        CDemoDoc* pDoc = static_cast<CDemoDoc*>(pFrame->GetActiveDocument());
        CAboutDlg dlg(pDoc);
        if (dlg.DoModal() == IDOK) {
            pDoc->m_strName = dlg.m_strName;
            pDoc->m_nLoud = dlg.m_nLoud;
            pDoc->UpdateAllViews(nullptr);
        }
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDemoApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
    ON_COMMAND(ID_APP_ABOUT, &CDemoApp::OnAppAbout)
END_MESSAGE_MAP()

CDemoApp theApp;

}  // namespace
