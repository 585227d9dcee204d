// CDC: a device context. It holds one HDC and deletes it when destroyed (a DC made by
// CreateCompatibleDC), unless it was detached first; the window DCs CPaintDC, CClientDC and
// CWindowDC give theirs back to the window instead.
//
// SelectObject returns the object that was selected before as a temporary wrapper (see
// AfxTempMap.h), ready to be selected back.
#pragma once
#include "classlib/CGdiObject.h"
#include "classlib/CString.h"

class CDC : public CObject {
    DECLARE_DYNAMIC(CDC)
public:
    CDC() : m_hDC(nullptr), m_bPrinting(FALSE) {}
    ~CDC() override;

    static CDC* FromHandle(HDC hDC);
    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    // Attach fails when the object already holds a DC or hDC is null.
    BOOL Attach(HDC hDC);
    HDC Detach();

    BOOL CreateCompatibleDC(CDC* pDC);  // the screen's when pDC is null
    BOOL DeleteDC();

    // Objects and state
    CPen* SelectObject(CPen* pPen) { return CPen::FromHandle(static_cast<HPEN>(SelectObject(pPen->m_hObject))); }
    CBrush* SelectObject(CBrush* pBrush) { return CBrush::FromHandle(static_cast<HBRUSH>(SelectObject(pBrush->m_hObject))); }
    CFont* SelectObject(CFont* pFont) { return CFont::FromHandle(static_cast<HFONT>(SelectObject(pFont->m_hObject))); }
    CBitmap* SelectObject(CBitmap* pBitmap) { return CBitmap::FromHandle(static_cast<HBITMAP>(SelectObject(pBitmap->m_hObject))); }
    CGdiObject* SelectObject(CGdiObject* pObject) { return CGdiObject::FromHandle(SelectObject(pObject->m_hObject)); }
    // A region is copied into the clip region; the result is its type (SIMPLEREGION, ...) or ERROR.
    int SelectObject(CRgn* pRgn) { return static_cast<int>(reinterpret_cast<INT_PTR>(SelectObject(pRgn->m_hObject))); }
    HGDIOBJ SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }
    CGdiObject* SelectStockObject(int nIndex) { return CGdiObject::FromHandle(SelectObject(::GetStockObject(nIndex))); }
    CFont* GetCurrentFont() const { return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT))); }
    CBitmap* GetCurrentBitmap() const { return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP))); }
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }
    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hDC, nIndex); }
    int SetMapMode(int nMapMode) { return ::SetMapMode(m_hDC, nMapMode); }
    int SetStretchBltMode(int nStretchMode) { return ::SetStretchBltMode(m_hDC, nStretchMode); }
    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    int GetBkMode() const { return ::GetBkMode(m_hDC); }
    int SetROP2(int nDrawMode) { return ::SetROP2(m_hDC, nDrawMode); }
    // Each Set returns the origin before.
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
    CPoint GetWindowOrg() const;
    BOOL DPtoLP(LPPOINT lpPoints, int nCount = 1) const { return ::DPtoLP(m_hDC, lpPoints, nCount); }
    BOOL LPtoDP(LPPOINT lpPoints, int nCount = 1) const { return ::LPtoDP(m_hDC, lpPoints, nCount); }

    // TRUE only for a DC that a program prints through, which it sets itself: an off-screen
    // drawing helper draws straight to such a DC.
    BOOL IsPrinting() const { return m_bPrinting; }

    // Clipping
    int GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
    BOOL RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }
    int IntersectClipRect(int x1, int y1, int x2, int y2) { return ::IntersectClipRect(m_hDC, x1, y1, x2, y2); }
    int IntersectClipRect(LPCRECT lpRect) { return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    int ExcludeClipRect(int x1, int y1, int x2, int y2) { return ::ExcludeClipRect(m_hDC, x1, y1, x2, y2); }
    int ExcludeClipRect(LPCRECT lpRect) { return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    // A null region removes the clip region.
    int SelectClipRgn(CRgn* pRgn) { return ::SelectClipRgn(m_hDC, pRgn ? static_cast<HRGN>(*pRgn) : nullptr); }

    // Pixels, lines and shapes
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
    COLORREF SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
    COLORREF SetPixel(POINT point, COLORREF crColor) { return SetPixel(point.x, point.y, crColor); }
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    BOOL Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }
    BOOL Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }
    BOOL Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
    BOOL Rectangle(LPCRECT lpRect) { return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) { return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3); }
    BOOL RoundRect(LPCRECT lpRect, POINT point) { return RoundRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, point.x, point.y); }
    BOOL Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
    BOOL Ellipse(LPCRECT lpRect) { return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }

    // Filled and framed rectangles. FillSolidRect leaves crColor as the background colour.
    void FillSolidRect(LPCRECT lpRect, COLORREF crColor);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor);
    void FillRect(LPCRECT lpRect, CBrush* pBrush) { ::FillRect(m_hDC, lpRect, *pBrush); }
    void FrameRect(LPCRECT lpRect, CBrush* pBrush) { ::FrameRect(m_hDC, lpRect, *pBrush); }
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) { return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop); }
    // A one-pixel frame: the top and left edges in crTopLeft, the right and bottom edges
    // (with the top-right and bottom-left corners) in crBottomRight.
    void Draw3dRect(LPCRECT lpRect, COLORREF crTopLeft, COLORREF crBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF crTopLeft, COLORREF crBottomRight);
    void DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }
    BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) { return ::DrawFrameControl(m_hDC, lpRect, nType, nState); }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
    BOOL DrawIcon(POINT point, HICON hIcon) { return DrawIcon(point.x, point.y, hIcon); }

    // Bit blocks
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, DWORD dwRop);

    // Text
    int DrawText(LPCWSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
    {
        return ::DrawTextW(m_hDC, lpszString, nCount, lpRect, nFormat);
    }
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat) { return DrawText(str, str.GetLength(), lpRect, nFormat); }
    BOOL TextOut(int x, int y, LPCWSTR lpszString, int nCount) { return ::TextOutW(m_hDC, x, y, lpszString, nCount); }
    BOOL TextOut(int x, int y, const CString& str) { return TextOut(x, y, str, str.GetLength()); }
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCWSTR lpszString, UINT nCount, const INT* lpDxWidths)
    {
        return ::ExtTextOutW(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
    }
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, const INT* lpDxWidths)
    {
        return ExtTextOut(x, y, nOptions, lpRect, str, str.GetLength(), lpDxWidths);
    }
    CSize GetTextExtent(LPCWSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const { return GetTextExtent(str, str.GetLength()); }
    BOOL GetTextMetrics(LPTEXTMETRICW lpMetrics) const { return ::GetTextMetricsW(m_hDC, lpMetrics); }

    HDC m_hDC;
    BOOL m_bPrinting;
};

class CWnd;

// The DC of a window's paint cycle: BeginPaint when made, EndPaint when destroyed.
class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};

// A window's client-area DC, given back to the window when destroyed.
class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);  // null: the screen
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};

// The DC of a whole window, its frame included, given back when destroyed.
class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);  // null: the screen
    ~CWindowDC() override;

protected:
    HWND m_hWnd;
};
