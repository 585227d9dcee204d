// CFrameWnd: a top-level window with a menu, accelerators, control bars along its edges and a
// view (the child AFX_IDW_PANE_FIRST) in the space they leave.
//
// Commands reach the active view (and through it its document) first, then the frame, then
// the application. Before a popup menu opens, the update handlers of its items run; a command
// whose update handler disables it is not run from a menu or an accelerator.
#pragma once
#include "classlib/CWnd.h"
#include "classlib/Resource.h"

class CControlBar;
class CDocTemplate;
class CDocument;
class CView;

// Frame styles, in the window style word.
#define FWS_ADDTOTITLE 0x00008000L  // the title shows the active document's name
#define FWS_PREFIXTITLE 0x00004000L // ... before the application's name
#define FWS_SNAPTOBARS 0x00002000L

// What a frame and its view are created for; passed as the creation parameter.
struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();

    static const CRect rectDefault;  // the system's default position and size

    // Menu, accelerators, icon and title (the first field of the string) from one resource
    // id; a missing menu or accelerator table is no error. Sends WM_INITIALUPDATE to the new
    // views when there is no pContext.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCWSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;  // the frame's accelerators
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL IsFrameWnd() const override;
    void PostNcDestroy() override;  // deletes the frame

    // Views and documents
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    // Makes the pane the active view, sends WM_INITIALUPDATE and shows the frame.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    // Shows the frame: nCmdShow -1 shows a hidden frame normally and restores an iconic one.
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCWSTR lpszDocName);
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCWSTR lpszTitle) { m_strTitle = lpszTitle; }

    // Control bars and layout
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    CControlBar* GetControlBar(UINT nID);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    BOOL OnBarCheck(UINT nID);  // toggles the bar whose id is the command's
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);

    // The status bar's message pane
    CWnd* GetMessageBar();
    void SetMessageText(LPCWSTR lpszText);
    void SetMessageText(UINT nID);
    virtual void GetMessageString(UINT nID, CString& rMessage) const;  // the prompt before "\n"

    HACCEL m_hAccelTable;
    BOOL m_bAutoMenuEnable;  // menu items without a command handler are disabled

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    void OnIdleUpdateCmdUI();
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    CView* m_pViewActive;
    CString m_strTitle;  // the application's part of the title
    UINT m_nIDHelp;      // the resource id the frame was loaded from
    BOOL m_bDelayedLayout;  // RecalcLayout waits for the next idle time
};
