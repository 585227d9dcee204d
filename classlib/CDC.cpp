#include "classlib/CDC.h"
#include "classlib/AfxTempMap.h"
#include "classlib/CWnd.h"

IMPLEMENT_DYNAMIC(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CDC::~CDC()
{
    DeleteDC();
}

CDC* CDC::FromHandle(HDC hDC)
{
    return CTempMap<CDC, HDC>::FromHandle(hDC);
}

BOOL CDC::Attach(HDC hDC)
{
    if (m_hDC || !hDC)
        return FALSE;
    m_hDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    m_hDC = nullptr;
    return hDC;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    if (m_hDC)
        return FALSE;
    m_hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    return m_hDC != nullptr;
}

BOOL CDC::DeleteDC()
{
    HDC hDC = Detach();
    return hDC && ::DeleteDC(hDC);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT previous = {};
    ::SetViewportOrgEx(m_hDC, x, y, &previous);
    return previous;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT previous = {};
    ::SetWindowOrgEx(m_hDC, x, y, &previous);
    return previous;
}

CPoint CDC::GetWindowOrg() const
{
    POINT origin = {};
    ::GetWindowOrgEx(m_hDC, &origin);
    return origin;
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT previous = {};
    ::MoveToEx(m_hDC, x, y, &previous);
    return previous;
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF crColor)
{
    // An opaque text call with no text is the cheapest fill: it needs no brush.
    ::SetBkColor(m_hDC, crColor);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor)
{
    RECT rect = {x, y, x + cx, y + cy};
    FillSolidRect(&rect, crColor);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF crTopLeft, COLORREF crBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, crTopLeft, crBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF crTopLeft, COLORREF crBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, crTopLeft);
    FillSolidRect(x, y, 1, cy - 1, crTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, crBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, crBottomRight);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc,
                        nSrcWidth, nSrcHeight, dwRop);
}

CSize CDC::GetTextExtent(LPCWSTR lpszString, int nCount) const
{
    SIZE size = {};
    ::GetTextExtentPoint32W(m_hDC, lpszString, nCount, &size);
    return size;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd->m_hWnd)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
