#include "classlib/CFrameWnd.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/AfxModule.h"
#include "classlib/AfxSubString.h"
#include "classlib/CCmdUI.h"
#include "classlib/CControlBar.h"
#include "classlib/CDocument.h"
#include "classlib/CMenu.h"
#include "classlib/CView.h"
#include "classlib/CWinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_MESSAGE_VOID(WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_SETMESSAGESTRING, &CFrameWnd::OnSetMessageString)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, &CFrameWnd::OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, &CFrameWnd::OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, &CFrameWnd::OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, &CFrameWnd::OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, &CFrameWnd::OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, &CFrameWnd::OnUpdateKeyIndicator)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CFrameWnd::OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CFrameWnd::OnToolTipText)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd()
    : m_hAccelTable(nullptr), m_bAutoMenuEnable(TRUE), m_pViewActive(nullptr), m_nIDHelp(0), m_bDelayedLayout(FALSE)
{
}

BOOL CFrameWnd::IsFrameWnd() const
{
    return TRUE;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

// Creation

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    HINSTANCE hInstance = AfxGetResourceHandle();
    LPCWSTR lpszResource = MAKEINTRESOURCEW(nIDResource);
    CString full;
    if (full.LoadString(nIDResource))
        AfxExtractSubString(m_strTitle, full, 0);
    LPCWSTR lpszClass =
        AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW),
                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), ::LoadIconW(hInstance, lpszResource));
    LPCWSTR lpszMenu = FindResourceW(hInstance, lpszResource, RT_MENU) ? lpszResource : nullptr;
    CString title = m_strTitle;
    // A frame whose creation fails has deleted itself.
    if (!Create(lpszClass, title, dwDefaultStyle, rectDefault, pParentWnd, lpszMenu, 0, pContext))
        return FALSE;
    m_hAccelTable = ::LoadAcceleratorsW(hInstance, lpszResource);
    if (!pContext)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCWSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = lpszMenuName ? ::LoadMenuW(AfxGetResourceHandle(), lpszMenuName) : nullptr;
    m_strTitle = lpszWindowName;
    bool bDefault = EqualRect(&rect, &rectDefault) != FALSE;
    int x = bDefault ? CW_USEDEFAULT : rect.left;
    int y = bDefault ? CW_USEDEFAULT : rect.top;
    int cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
    int cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                 pParentWnd ? pParentWnd->m_hWnd : nullptr, hMenu, pContext))
        return TRUE;
    if (hMenu && ::IsMenu(hMenu))  // a window that existed took its menu with it
        ::DestroyMenu(hMenu);
    return FALSE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return cs.lpszClass != nullptr;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!OnCreateClient(lpCreateStruct, static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams)))
        return -1;
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    return !pContext || !pContext->m_pNewViewClass || CreateView(pContext, AFX_IDW_PANE_FIRST);
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CWnd* pView = static_cast<CWnd*>(AfxCreateObjectOfKind(pContext->m_pNewViewClass, RUNTIME_CLASS(CWnd)));
    if (!pView)
        return nullptr;
    // A view whose window was made and failed has deleted itself.
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    // The view's sunken edge takes the place of the frame's.
    if (pView->GetExStyle() & WS_EX_CLIENTEDGE)
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return pView;
}

// Views, documents and showing the frame

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = pViewNew;
    if (bNotify && pViewOld)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    if (bNotify && pViewNew)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = nullptr;
    if (!m_pViewActive) {
        CWnd* pPane = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pPane && pPane->IsKindOf(RUNTIME_CLASS(CView))) {
            pView = static_cast<CView*>(pPane);
            SetActiveView(pView, FALSE);
        }
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (pView)
            pView->OnActivateFrame(WA_INACTIVE, this);
        // The main window shows itself the way the program was started.
        CWinApp* pApp = AfxGetApp();
        ActivateFrame(pApp && pApp->m_pMainWnd == this ? pApp->m_nCmdShow : -1);
        if (pView)
            pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    bool bActivates = nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE &&
                      nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE;
    if (!(GetStyle() & WS_CHILD) && bActivates)
        ::BringWindowToTop(::GetLastActivePopup(m_hWnd));
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* pDoc = GetActiveDocument();
    UpdateFrameTitleForDocument(bAddToTitle && pDoc ? static_cast<LPCWSTR>(pDoc->GetTitle()) : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCWSTR lpszDocName)
{
    CString title = m_strTitle;
    if (lpszDocName && *lpszDocName) {
        if (GetStyle() & FWS_PREFIXTITLE)
            title = CString(lpszDocName) + L" - " + m_strTitle;
        else
            title = m_strTitle + L" - " + lpszDocName;
    }
    CString current;
    GetWindowText(current);
    if (current != title)
        SetWindowText(title);
}

// Messages and commands

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable)
        return ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg);
    return FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active view (and its document), the frame, then the application.
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::OnClose()
{
    CDocument* pDocument = GetActiveDocument();
    if (pDocument && !pDocument->CanCloseFrame(this))
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this) {
        pApp->CloseAllDocuments(FALSE);
        if (!pApp->m_pMainWnd)
            return;  // closing the documents destroyed this frame
        pDocument = GetActiveDocument();
    }
    // The last frame of a document closes the document, which destroys the frame.
    if (pDocument && pDocument->m_bAutoDelete) {
        bool bOtherFrame = false;
        for (POSITION pos = pDocument->GetFirstViewPosition(); pos && !bOtherFrame;)
            bOtherFrame = pDocument->GetNextView(pos)->GetParentFrame() != this;
        if (!bOtherFrame) {
            pDocument->OnCloseDocument();
            return;
        }
    }
    DestroyWindow();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    AfxCancelModes(m_hWnd);
    if (bSysMenu || !pPopupMenu)
        return;
    AfxUpdatePopupMenu(this, pPopupMenu, m_bAutoMenuEnable);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    CWnd::OnMenuSelect(nItemID, nFlags, hSysMenu);
    if (nFlags == 0xFFFF && !hSysMenu)
        SetMessageText(AFX_IDS_IDLEMESSAGE);  // the menu closed
    else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP | MF_SYSMENU)))
        SetMessageText(L"");
    else
        SetMessageText(nItemID);
}

void CFrameWnd::OnIdleUpdateCmdUI()
{
    if (m_bDelayedLayout) {
        m_bDelayedLayout = FALSE;
        RecalcLayout();
    }
    OnUpdateFrameTitle(TRUE);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    if (lParam)
        SetMessageText(reinterpret_cast<LPCWSTR>(lParam));
    else
        SetMessageText(static_cast<UINT>(wParam));
    return 0;
}

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    UINT_PTR nID = pNMHDR->idFrom;
    bool bWide = pNMHDR->code == TTN_NEEDTEXTW;
    UINT uFlags = bWide ? reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR)->uFlags : reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR)->uFlags;
    if (uFlags & TTF_IDISHWND)
        nID = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(nID)));
    CString full;
    if (nID == 0 || nID > 0xFFFF || !full.LoadString(static_cast<UINT>(nID)))
        return FALSE;
    CString tip;
    AfxExtractSubString(tip, full, 1);  // the prompt comes first, the tip after "\n"
    if (bWide) {
        TOOLTIPTEXTW* pTTT = reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR);
        lstrcpynW(pTTT->szText, tip, ARRAYSIZE(pTTT->szText));
        pTTT->lpszText = pTTT->szText;
    } else {
        TOOLTIPTEXTA* pTTT = reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR);
        pTTT->szText[0] = '\0';
        WideCharToMultiByte(CP_ACP, 0, tip, -1, pTTT->szText, ARRAYSIZE(pTTT->szText), nullptr, nullptr);
        pTTT->szText[ARRAYSIZE(pTTT->szText) - 1] = '\0';
        pTTT->lpszText = pTTT->szText;
    }
    *pResult = 0;
    return TRUE;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int nVirtKey = pCmdUI->m_nID == ID_INDICATOR_CAPS ? VK_CAPITAL
                   : pCmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK
                                                       : VK_SCROLL;
    pCmdUI->Enable(::GetKeyState(nVirtKey) & 1);
}

// Control bars and layout

void CFrameWnd::RecalcLayout(BOOL)
{
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    CWnd* pWnd = FromHandlePermanent(::GetDlgItem(m_hWnd, nID));
    return pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)) ? static_cast<CControlBar*>(pWnd) : nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (bDelay)
        m_bDelayedLayout = TRUE;  // at the next idle time
    else
        RecalcLayout();
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (!pBar)
        return FALSE;
    ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar)
        pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
    else
        pCmdUI->ContinueRouting();
}

// The message pane

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::SetMessageText(LPCWSTR lpszText)
{
    if (CWnd* pMessageBar = GetMessageBar()) {
        pMessageBar->SetWindowText(lpszText);
        pMessageBar->UpdateWindow();
    }
}

void CFrameWnd::SetMessageText(UINT nID)
{
    CString message;
    GetMessageString(nID, message);
    SetMessageText(message);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    CString full;
    if (full.LoadString(nID))
        AfxExtractSubString(rMessage, full, 0);
    else
        rMessage.Empty();
}

// The frames around any window

CFrameWnd* CWnd::GetParentFrame() const
{
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->IsFrameWnd())
            return static_cast<CFrameWnd*>(pWnd);
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* pFrame = IsFrameWnd() ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
    while (pFrame) {
        CFrameWnd* pUp = pFrame->GetParentFrame();
        if (!pUp)
            break;
        pFrame = pUp;
    }
    return pFrame;
}
