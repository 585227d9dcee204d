#include "framework/controls/CPaneSplitter.h"
#include <algorithm>

CPaneSplitterBase::CPaneSplitterBase()
    : m_bResizable(TRUE), m_nMode(SPLIT_ONE), m_nAnchor(1), m_nBarWidth(4), m_nSize(0), m_nWantedSize(-1),
      m_nDragOffset(0), m_hBarCursor(nullptr), m_crBar(RGB(0x20, 0x20, 0x20))
{
}

CPaneSplitterBase::~CPaneSplitterBase()
{
    if (m_hBarCursor)
        ::DestroyCursor(m_hBarCursor);  // a shared system cursor: no effect
}

BOOL CPaneSplitterBase::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(nullptr, nullptr, dwStyle | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect, pParentWnd, nID);
}

CWnd* CPaneSplitterBase::CreatePaneView(CWnd* pParent, CCreateContext* pContext, UINT nID)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return nullptr;
    CWnd* pView = static_cast<CWnd*>(pContext->m_pNewViewClass->CreateObject());
    if (!pView)
        return nullptr;
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_TABSTOP, CRect(0, 0, 0, 0), pParent, nID, pContext))
        return nullptr;  // a view deletes itself when its window fails
    return pView;
}

CWnd* CPaneSplitterBase::GetVisiblePane() const
{
    return m_hWnd ? CWnd::FromHandle(reinterpret_cast<HWND>(::GetWindowLongPtrW(m_hWnd, GWLP_USERDATA))) : nullptr;
}

int CPaneSplitterBase::SetMode(int nMode)
{
    m_nMode = nMode;
    CWnd* pPane0 = GetPane(0);
    CWnd* pPane1 = GetPane(1);
    if (!m_hWnd || !pPane0 || !pPane1 || !pPane0->m_hWnd || !pPane1->m_hWnd)
        return 0;
    if (nMode == SPLIT_BOTH) {
        pPane0->ShowWindow(SW_SHOW);
        pPane1->ShowWindow(SW_SHOW);
    } else {
        CWnd* pVisible = GetVisiblePane();
        BOOL bFirst = pVisible && pVisible->m_hWnd == pPane0->m_hWnd;
        (bFirst ? pPane0 : pPane1)->ShowWindow(SW_SHOW);
        (bFirst ? pPane1 : pPane0)->ShowWindow(SW_HIDE);
    }
    RecalcLayout();
    return 0;
}

void CPaneSplitterBase::ActivateWindow(CWnd* pPane)
{
    if (CView* pView = dynamic_cast<CView*>(pPane)) {
        if (CFrameWnd* pFrame = GetParentFrame()) {
            pFrame->SetActiveView(pView, TRUE);
            return;
        }
    }
    pPane->SetFocus();
}

BOOL CPaneSplitterBase::ShowPane(int nPane)
{
    CWnd* pPane0 = GetPane(0);
    CWnd* pPane1 = GetPane(1);
    CWnd* pShown = nPane == 1 ? pPane1 : pPane0;
    if (m_nMode == SPLIT_BOTH) {
        if (pShown && pShown->m_hWnd)
            ActivateWindow(pShown);
    } else {
        if (!pPane0 || !pPane1 || !pPane0->m_hWnd || !pPane1->m_hWnd)
            return FALSE;
        CWnd* pHidden = nPane == 1 ? pPane0 : pPane1;
        pShown->ShowWindow(SW_SHOW);
        pHidden->ShowWindow(SW_HIDE);
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pShown->m_hWnd));
        ActivateWindow(pShown);
    }
    if (HWND hParent = m_hWnd ? ::GetParent(m_hWnd) : nullptr)
        ::PostMessageW(hParent, WM_SPLITTER_PANECHANGED, static_cast<WPARAM>(m_nMode), static_cast<LPARAM>(nPane));
    return TRUE;
}

BOOL CPaneSplitterBase::ActivatePane(CWnd* pPane)
{
    CWnd* pPane1 = GetPane(1);
    return ShowPane(pPane && pPane1 && pPane->m_hWnd == pPane1->m_hWnd ? 1 : 0);
}

int CPaneSplitterBase::GetMinPaneSize(int) const
{
    return ::GetSystemMetrics(SM_CXVSCROLL);
}

CRect CPaneSplitterBase::GetBarRect() const
{
    CRect client;
    GetClientRect(&client);
    if (m_nAnchor)
        return CRect(client.left + m_nSize, client.top, client.left + m_nSize + m_nBarWidth, client.bottom);
    return CRect(client.right - m_nSize - m_nBarWidth, client.top, client.right - m_nSize, client.bottom);
}

void CPaneSplitterBase::RecalcLayout()
{
    CWnd* pPane0 = GetPane(0);
    CWnd* pPane1 = GetPane(1);
    if (!m_hWnd || !pPane0 || !pPane1 || !pPane0->m_hWnd || !pPane1->m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    if (client.Width() < 1 || client.Height() < 1)
        return;
    if (m_nMode == SPLIT_ONE) {
        pPane0->MoveWindow(&client, TRUE);
        pPane1->MoveWindow(&client, TRUE);
        return;
    }
    const int M = ::GetSystemMetrics(SM_CXVSCROLL) + m_nBarWidth;
    const int nMin = GetMinPaneSize(m_nAnchor);
    const int nMax = GetMaxPaneSize(m_nAnchor);
    const int left = client.left, right = client.right;
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (m_nAnchor) {
        int e = left + m_nSize;
        if (m_bResizable) {
            if (m_nWantedSize > m_nSize)
                e = left + m_nWantedSize;
            else
                m_nWantedSize = -1;
            if (nMin > 0 && nMin > e - left)
                e = left + nMin;
            if (nMax > 0 && nMax < e - left) {
                m_nWantedSize = e - left;
                e = left + nMax;
            }
            if (right - e < M)
                e = right - M;
            if (e - left < M)
                e = left + M;
            m_nSize = e - left;
        }
        pPane0->SetWindowPos(nullptr, left, client.top, e - left, client.Height(), flags);
        pPane1->SetWindowPos(nullptr, e + m_nBarWidth, client.top, right - e - m_nBarWidth, client.Height(), flags);
    } else {
        int e = right - m_nSize;
        if (m_bResizable) {
            if (m_nWantedSize > m_nSize)
                e = right - m_nWantedSize;
            else
                m_nWantedSize = -1;
            if (nMin > 0 && nMin > right - e)
                e = right - nMin;
            if (nMax > 0 && nMax < right - e) {
                m_nWantedSize = right - e;
                e = right - nMax;
            }
            if (e - left < M)
                e = left + M;
            if (right - e < M)
                e = right - M;
            m_nSize = right - e;
        }
        pPane0->SetWindowPos(nullptr, left, client.top, e - m_nBarWidth - left, client.Height(), flags);
        pPane1->SetWindowPos(nullptr, e, client.top, right - e, client.Height(), flags);
    }
    InvalidateRect(nullptr, TRUE);
}

// CPaneSplitter

BEGIN_MESSAGE_MAP(CPaneSplitter, CPaneSplitterBase)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CANCELMODE()
END_MESSAGE_MAP()

int CPaneSplitter::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CPaneSplitterBase::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_hBarCursor = ::LoadCursorW(nullptr, IDC_SIZEWE);
    return 0;
}

void CPaneSplitter::OnSize(UINT nType, int cx, int cy)
{
    CPaneSplitterBase::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0)
        RecalcLayout();
}

BOOL CPaneSplitter::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, m_crBar);
    return TRUE;
}

void CPaneSplitter::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bResizable && m_nMode == SPLIT_BOTH && GetBarRect().PtInRect(point)) {
        ::SetCursor(m_hBarCursor);
        SetCapture();
        m_nDragOffset = GetBarRect().left - point.x;
        return;
    }
    CPaneSplitterBase::OnLButtonDown(nFlags, point);
}

void CPaneSplitter::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    CPaneSplitterBase::OnLButtonUp(nFlags, point);
}

void CPaneSplitter::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bResizable)
        return;
    if (::GetCapture() == m_hWnd) {
        CRect client;
        GetClientRect(&client);
        const int M = ::GetSystemMetrics(SM_CXVSCROLL) + m_nBarWidth;
        int barLeft = point.x + m_nDragOffset;
        // The anchored pane's width, measured as RecalcLayout measures it.
        int w = m_nAnchor ? barLeft - client.left : client.right - (barLeft + m_nBarWidth);
        int nMin = GetMinPaneSize(m_nAnchor), nMax = GetMaxPaneSize(m_nAnchor);
        w = std::max(w, nMin);
        if (nMax > 0)
            w = std::min(w, nMax);
        w = std::min(w, static_cast<int>(client.Width()) - M);
        w = std::max(w, M);
        m_nWantedSize = -1;
        if (w != m_nSize) {
            m_nSize = w;
            RecalcLayout();
            UpdateWindow();
        }
        return;
    }
    if (m_nMode == SPLIT_BOTH && GetBarRect().PtInRect(point))
        ::SetCursor(m_hBarCursor);
}

void CPaneSplitter::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    int nCollapse = GetCollapseSize(m_nAnchor);
    if (m_nMode == SPLIT_BOTH && GetBarRect().PtInRect(point) && nCollapse > 0) {
        m_nWantedSize = -1;
        m_nSize = nCollapse;
        RecalcLayout();
    }
}

void CPaneSplitter::OnCancelMode()
{
    CPaneSplitterBase::OnCancelMode();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

// Layered windows

BOOL SetLayeredAttributes(HWND hWnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags)
{
    typedef BOOL(WINAPI * PFN)(HWND, COLORREF, BYTE, DWORD);
    HMODULE hUser = ::GetModuleHandleW(L"USER32.DLL");
    PFN pfn = hUser ? reinterpret_cast<PFN>(reinterpret_cast<void*>(::GetProcAddress(hUser, "SetLayeredWindowAttributes"))) : nullptr;
    return pfn ? pfn(hWnd, crKey, bAlpha, dwFlags) : FALSE;
}

BOOL EnableLayeredWindow(HWND hWnd, BYTE bAlpha)
{
    ::SetWindowLongPtrW(hWnd, GWL_EXSTYLE, ::GetWindowLongPtrW(hWnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    return SetLayeredAttributes(hWnd, 0, bAlpha, LWA_ALPHA);
}

BOOL DisableLayeredWindow(HWND hWnd)
{
    ::SetWindowLongPtrW(hWnd, GWL_EXSTYLE, ::GetWindowLongPtrW(hWnd, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
    return TRUE;
}
