// CView: the window that shows a document, inside a frame. A click activates it; WM_PAINT draws
// through OnDraw; commands it does not handle go on to its document.
#pragma once
#include "classlib/CWnd.h"

class CDocument;

// The style of a view that a frame creates for its pane.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;  // leaves its document

    CDocument* GetDocument() const { return m_pDocument; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override;  // deletes the view

    virtual void OnInitialUpdate();  // OnUpdate(nullptr, 0, nullptr)
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);  // invalidates
    virtual void OnDraw(CDC* pDC) = 0;
    // The frame's active view changed; the view that becomes active takes the focus.
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnPaint();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    CDocument* m_pDocument;
    friend class CDocument;
};
