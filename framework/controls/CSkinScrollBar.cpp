#include "framework/controls/CSkinScrollBar.h"
#include "framework/controls/BitmapResource.h"
#include "framework/controls/CMemoryDC.h"
#include "framework/res/FrameworkResources.h"
#include <algorithm>
#include <climits>

// CSkinScrollBar

BEGIN_MESSAGE_MAP(CSkinScrollBar, CWnd)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_TIMER()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CSkinScrollBar::CSkinScrollBar()
    : m_bArrows(TRUE), m_nBarWidth(16), m_nArrowHeight(16), m_crBack(RGB(0x20, 0x20, 0x20)),
      m_crArrowBack{RGB(0x20, 0x20, 0x20), RGB(0x20, 0x20, 0x20), RGB(0x20, 0x20, 0x20), RGB(0x20, 0x20, 0x20)},
      m_crArrow{RGB(0x80, 0x80, 0x80), RGB(0xC0, 0xC0, 0xC0), RGB(0xFF, 0xFF, 0xFF), RGB(0x40, 0x40, 0x40)},
      m_crThumb{RGB(0x40, 0x40, 0x40), RGB(0x60, 0x60, 0x60), RGB(0x80, 0x80, 0x80)}, m_nMin(0), m_nMax(0), m_nPage(0),
      m_nPos(0), m_nTrackPos(0), m_nHotPart(SBP_NONE), m_nPressedPart(SBP_NONE), m_nTimer(0), m_nDragThumbTop(0),
      m_bTracking(FALSE)
{
}

BOOL CSkinScrollBar::Create(CWnd* pParentWnd, UINT nID)
{
    LPCWSTR lpszClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW));
    return CWnd::Create(lpszClass, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParentWnd, nID);
}

int CSkinScrollBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_gripImages.Create(14, 2, ILC_COLOR32 | ILC_MASK, 2, 2))
        return -1;
    CBitmap grip;
    if (LoadBitmapResource(grip, IDB_SCROLL_GRIP))
        m_gripImages.Add(&grip, RGB(0xFF, 0x00, 0xFF));
    return 0;
}

void CSkinScrollBar::ClampPositions()
{
    int nMaxPos = std::max(m_nMin, GetMaxPos());
    m_nPos = std::max(m_nMin, std::min(m_nPos, nMaxPos));
    m_nTrackPos = std::max(m_nMin, std::min(m_nTrackPos, nMaxPos));
}

BOOL CSkinScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    UINT fMask = lpScrollInfo->fMask & SIF_ALL;
    if (fMask == SIF_POS && lpScrollInfo->nPos == m_nPos)
        return FALSE;
    if (fMask & SIF_RANGE) {
        m_nMin = lpScrollInfo->nMin;
        m_nMax = lpScrollInfo->nMax;
    }
    if (fMask & SIF_PAGE)
        m_nPage = lpScrollInfo->nPage;
    int nMaxPos = std::max(m_nMin, GetMaxPos());
    if (fMask & SIF_POS)
        m_nPos = std::max(m_nMin, std::min(lpScrollInfo->nPos, nMaxPos));
    if (fMask & SIF_TRACKPOS)
        m_nTrackPos = std::max(m_nMin, std::min(lpScrollInfo->nTrackPos, nMaxPos));
    BOOL bCovers = static_cast<long long>(m_nPage) >= static_cast<long long>(m_nMax) - m_nMin + 1;
    if (fMask & (SIF_RANGE | SIF_PAGE)) {
        ClampPositions();
        if (bCovers)
            m_nPos = m_nTrackPos = m_nMin;
    }
    if (m_hWnd)
        ShowWindow(bCovers ? SW_HIDE : SW_SHOW);
    if (bRedraw && m_hWnd) {
        CRect client;
        GetClientRect(&client);
        Layout(client);
        InvalidateRect(nullptr, TRUE);
    }
    return TRUE;
}

void CSkinScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo) const
{
    lpScrollInfo->nMin = m_nMin;
    lpScrollInfo->nMax = m_nMax;
    lpScrollInfo->nPage = m_nPage;
    lpScrollInfo->nPos = m_nPos;
    lpScrollInfo->nTrackPos = m_nTrackPos;
}

void CSkinScrollBar::Layout(const CRect& client)
{
    m_rcTrack = m_rcThumb = m_rcUp = m_rcDown = CRect(client.left, client.top, client.right, client.top);
    if (m_bArrows) {
        int h = client.Height() < 2 * m_nArrowHeight ? client.Height() / 2 : m_nArrowHeight;
        m_rcUp = CRect(client.left, client.top, client.right, client.top + h);
        m_rcDown = CRect(client.left, client.bottom - h, client.right, client.bottom);
        m_rcTrack = CRect(client.left, m_rcUp.bottom + 1, client.right, m_rcDown.top - 1);
    } else {
        m_rcTrack = client;
    }
    if (m_rcTrack.bottom < m_rcTrack.top)
        m_rcTrack.bottom = m_rcTrack.top;
    int nTrack = m_rcTrack.Height();
    if (nTrack <= 15) {
        int mid = m_rcTrack.top + nTrack / 2;
        m_rcThumb = CRect(client.left, mid, client.right, mid);
        return;
    }
    long long range = static_cast<long long>(m_nMax) - m_nMin + 1;
    double scale = range > 0 ? static_cast<double>(nTrack) / static_cast<double>(range) : 0.0;
    int top = m_rcTrack.top + static_cast<int>(scale * (m_nPos - m_nMin));
    int bottom = m_nPos >= GetMaxPos() ? m_rcTrack.bottom : top + static_cast<int>(scale * m_nPage);
    if (bottom - top < 16) {
        if (top - m_rcTrack.top < 8)
            top = m_rcTrack.top;
        else if (m_rcTrack.bottom - top >= 8)
            top -= 8;
        else
            top = m_rcTrack.bottom - 16;
        bottom = top + 16;
    }
    // Never outside the track.
    if (bottom > m_rcTrack.bottom) {
        top -= bottom - m_rcTrack.bottom;
        bottom = m_rcTrack.bottom;
    }
    if (top < m_rcTrack.top) {
        bottom = std::min(bottom + static_cast<int>(m_rcTrack.top - top), static_cast<int>(m_rcTrack.bottom));
        top = m_rcTrack.top;
    }
    m_rcThumb = CRect(client.left, top, client.right, bottom);
}

int CSkinScrollBar::PosFromThumbTop(int nThumbTop) const
{
    int nFree = m_rcTrack.Height() - m_rcThumb.Height();
    int nMaxPos = std::max(m_nMin, m_nMax + 1 - static_cast<int>(m_nPage));
    if (m_rcTrack.Height() <= 0 || nFree <= 0)
        return m_nMin;  // the thumb fills the track: nowhere to move (no division by zero)
    double pos = m_nMin + static_cast<double>(m_nMax + 1 - static_cast<int>(m_nPage)) / nFree * (nThumbTop - m_rcTrack.top);
    int n = static_cast<int>(std::max<double>(INT_MIN, std::min<double>(INT_MAX, pos)));
    return std::max(m_nMin, std::min(n, nMaxPos));
}

int CSkinScrollBar::HitTest(CPoint point) const
{
    if (m_hWnd && !(GetStyle() & WS_VISIBLE))
        return SBP_NONE;
    if (m_rcThumb.PtInRect(point))
        return SBP_THUMB;
    if (m_rcTrack.PtInRect(point))
        return point.y < m_rcThumb.top ? SBP_PAGEUP : SBP_PAGEDOWN;
    if (m_bArrows && m_rcUp.PtInRect(point))
        return SBP_UP;
    if (m_bArrows && m_rcDown.PtInRect(point))
        return SBP_DOWN;
    return SBP_NONE;
}

void CSkinScrollBar::Notify(UINT nCode, int nPos)
{
    if (CWnd* pParent = GetParent())
        pParent->PostMessage(WM_VSCROLL, MAKEWPARAM(nCode, nPos), reinterpret_cast<LPARAM>(m_hWnd));
}

static UINT CodeOfPart(int nPart)
{
    switch (nPart) {
    case SBP_UP: return SB_LINEUP;
    case SBP_DOWN: return SB_LINEDOWN;
    case SBP_PAGEUP: return SB_PAGEUP;
    default: return SB_PAGEDOWN;
    }
}

void CSkinScrollBar::OnLButtonDown(UINT, CPoint point)
{
    int nPart = HitTest(point);
    if (nPart == SBP_NONE)
        return;
    if (nPart == SBP_THUMB) {
        SetCapture();
        m_ptDrag = point;
        m_nDragThumbTop = m_rcThumb.top;
        m_nTrackPos = m_nPos;
    } else {
        Notify(CodeOfPart(nPart));
        if (m_nTimer)
            KillTimer(m_nTimer);
        m_nTimer = SetTimer(static_cast<UINT_PTR>(nPart), kRepeatMs);
    }
    m_nPressedPart = nPart;
    InvalidateRect(nullptr, FALSE);
}

void CSkinScrollBar::EndPress()
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_nTimer) {
        KillTimer(m_nTimer);
        m_nTimer = 0;
    }
    if (m_nPressedPart != SBP_NONE) {
        m_nPressedPart = SBP_NONE;
        CRect client;
        GetClientRect(&client);
        Layout(client);
        InvalidateRect(nullptr, FALSE);
    }
}

void CSkinScrollBar::OnLButtonUp(UINT, CPoint)
{
    EndPress();
}

void CSkinScrollBar::OnCancelMode()
{
    CWnd::OnCancelMode();
    EndPress();
}

void CSkinScrollBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == m_nTimer && m_nPressedPart >= SBP_UP && m_nPressedPart <= SBP_PAGEDOWN)
        Notify(CodeOfPart(m_nPressedPart));
    else
        CWnd::OnTimer(nIDEvent);
}

void CSkinScrollBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (::GetCapture() == m_hWnd && m_nPressedPart == SBP_THUMB) {
        int h = m_rcThumb.Height();
        int top = m_nDragThumbTop + (point.y - m_ptDrag.y);
        top = std::max(static_cast<int>(m_rcTrack.top), std::min(top, static_cast<int>(m_rcTrack.bottom) - h));
        m_rcThumb.top = top;
        m_rcThumb.bottom = top + h;
        int nPos = PosFromThumbTop(top);
        if (nPos != m_nTrackPos) {
            m_nTrackPos = nPos;
            Notify(SB_THUMBTRACK, nPos);
        }
        InvalidateRect(nullptr, FALSE);
        return;
    }
    if (nFlags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))
        return;
    int nPart = HitTest(point);
    if (nPart != m_nHotPart) {
        m_nHotPart = nPart;
        InvalidateRect(nullptr, FALSE);
    }
    if (!m_bTracking) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        m_bTracking = ::TrackMouseEvent(&tme);
    }
}

void CSkinScrollBar::OnMouseLeave()
{
    m_bTracking = FALSE;
    if (m_nTimer) {
        KillTimer(m_nTimer);
        m_nTimer = 0;
    }
    if (m_nHotPart != SBP_NONE || m_nPressedPart != SBP_NONE) {
        m_nHotPart = SBP_NONE;
        m_nPressedPart = SBP_NONE;
        InvalidateRect(nullptr, FALSE);
    }
}

BOOL CSkinScrollBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CSkinScrollBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CMemoryDC memDC(&dc, &client);
    Paint(&memDC);
}

void CSkinScrollBar::DrawArrow(CDC* pDC, const CRect& rect, BOOL bUp, int nState)
{
    pDC->FillSolidRect(&rect, m_crArrowBack[nState]);
    if (rect.Height() <= 3)
        return;
    int cx = (rect.left + rect.right) / 2;
    int cy = (rect.top + rect.bottom) / 2;
    for (int i = 0; i < 4; ++i) {
        int w = bUp ? 2 * (i + 1) : 2 * (4 - i);
        pDC->FillSolidRect(cx - w / 2, cy - 2 + i, w, 1, m_crArrow[nState]);
    }
}

void CSkinScrollBar::Paint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, m_crBack);
    if (static_cast<long long>(m_nPage) >= static_cast<long long>(m_nMax) - m_nMin + 1)
        return;
    if (m_bArrows) {
        auto state = [&](int nPart, BOOL bAtLimit) {
            if (bAtLimit)
                return 3;
            if (m_nPressedPart == nPart)
                return 2;
            return m_nHotPart == nPart ? 1 : 0;
        };
        DrawArrow(pDC, m_rcUp, TRUE, state(SBP_UP, m_nPos <= m_nMin));
        DrawArrow(pDC, m_rcDown, FALSE, state(SBP_DOWN, m_nPos >= GetMaxPos()));
    }
    if (m_rcTrack.Height() >= 16 && m_rcThumb.top >= m_rcTrack.top && m_rcThumb.bottom <= m_rcTrack.bottom &&
        !m_rcThumb.IsRectEmpty()) {
        int nState = m_nPressedPart == SBP_THUMB ? 2 : m_nHotPart == SBP_THUMB ? 1 : 0;
        CRect thumb = m_rcThumb;
        thumb.DeflateRect(1, 1);
        pDC->FillSolidRect(&thumb, m_crThumb[nState]);
        if (m_rcThumb.Height() >= 4 && m_gripImages.m_hImageList) {
            m_gripImages.Draw(pDC, 0, CPoint(m_rcThumb.left + 1, m_rcThumb.top + 1), ILD_NORMAL);
            m_gripImages.Draw(pDC, 1, CPoint(m_rcThumb.left + 1, m_rcThumb.bottom - 3), ILD_NORMAL);
        }
    }
}

// CSkinScrollWnd

BEGIN_MESSAGE_MAP(CSkinScrollWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CSkinScrollWnd::CSkinScrollWnd() : m_nMarginLeft(0), m_nMarginTop(0), m_nMarginRight(0), m_nMarginBottom(0) {}

BOOL CSkinScrollWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(nullptr, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CSkinScrollWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style &= ~(WS_HSCROLL | WS_VSCROLL);
    cs.style |= WS_CLIPCHILDREN;
    return CWnd::PreCreateWindow(cs);
}

int CSkinScrollWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_scrollBar.Create(this, 1))
        return -1;
    // Hidden until a range needs it.
    m_scrollBar.ShowWindow(SW_HIDE);
    return 0;
}

void CSkinScrollWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType == SIZE_MINIMIZED || cx <= 0 || cy <= 0)
        return;
    CRect rect;
    GetScrollBarRect(&rect);
    m_scrollBar.MoveWindow(&rect, TRUE);
    CRect client(0, 0, rect.Width(), rect.Height());
    m_scrollBar.Layout(client);
    UpdateScrollRange();
}

void CSkinScrollWnd::SetScrollPos(int nPos)
{
    MoveScrollPos(nPos);
    Refresh();
}

int CSkinScrollWnd::MoveScrollPos(int nPos)
{
    nPos = std::max(m_scrollBar.m_nMin, std::min(nPos, std::max(m_scrollBar.m_nMin, m_scrollBar.GetMaxPos())));
    SCROLLINFO si = {sizeof(si), SIF_POS};
    si.nPos = nPos;
    m_scrollBar.SetScrollInfo(&si, TRUE);
    return nPos;
}

BOOL CSkinScrollWnd::IsScrollBarVisible() const
{
    return m_scrollBar.m_hWnd && (m_scrollBar.GetStyle() & WS_VISIBLE);
}

int CSkinScrollWnd::GetScrollPos(int nBar) const
{
    return nBar == SB_VERT ? m_scrollBar.m_nPos : 0;
}

int CSkinScrollWnd::GetScrollMaxPos(int nBar) const
{
    return nBar == SB_VERT ? m_scrollBar.GetMaxPos() : 0;
}

BOOL CSkinScrollWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    return nBar == SB_VERT ? m_scrollBar.SetScrollInfo(lpScrollInfo, bRedraw) : FALSE;
}

void CSkinScrollWnd::GetScrollBarRect(LPRECT lpRect) const
{
    CRect client;
    GetClientRect(&client);
    *lpRect = CRect(client.right - m_scrollBar.m_nBarWidth, client.top, client.right, client.bottom);
}

void CSkinScrollWnd::GetContentRect(LPRECT lpRect) const
{
    CRect rect;
    GetClientRect(&rect);
    rect.left += m_nMarginLeft;
    rect.top += m_nMarginTop;
    rect.right -= m_nMarginRight;
    rect.bottom -= m_nMarginBottom;
    if (IsScrollBarVisible())
        rect.right -= m_scrollBar.m_nBarWidth;
    *lpRect = rect;
}

int CSkinScrollWnd::GetScrollMin(int nBar) const
{
    return nBar == SB_VERT ? m_scrollBar.m_nMin : 0;
}

int CSkinScrollWnd::GetScrollMax(int nBar) const
{
    return nBar == SB_VERT ? m_scrollBar.m_nMax : 0;
}

void CSkinScrollWnd::Refresh()
{
    if (!m_hWnd)
        return;
    InvalidateRect(nullptr, FALSE);
    UpdateWindow();
}

int CSkinScrollWnd::GetTextWidth(CDC* pDC, const CString& text)
{
    CRect rect(0, 0, 0, 0);
    pDC->DrawText(text, &rect, DT_CALCRECT | DT_SINGLELINE);
    return rect.Width();
}
