// CTaskProgressCtrl: the task pages' progress line: a status text over a thin bar along the
// bottom, drawn with rounded ends, and an optional grey track under it. Position and range
// are 64-bit (bytes or microseconds). The status text is the window's text.
#pragma once
#include "classlib/CImageList.h"
#include "classlib/CWnd.h"

class CTaskProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CTaskProgressCtrl)
public:
    CTaskProgressCtrl();

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetProgress(LONGLONG position, LONGLONG range);
    void SetText(LPCWSTR lpszText);
    LONGLONG GetPosition() const { return m_position; }
    LONGLONG GetRange() const { return m_range; }
    CString GetText() const;
    // The bar's width in a client area cx pixels wide: cx x position / range, 0 without a range.
    static int BarWidth(int cx, LONGLONG position, LONGLONG range);

    COLORREF m_crBar = 0;
    BOOL m_bTrack = FALSE;

protected:
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    void DrawBand(CDC* pDC, const CRect& band, COLORREF colour);

    LONGLONG m_range = 100;
    LONGLONG m_position = 0;
    COLORREF m_crBack;
    COLORREF m_crText;
    CImageList m_corners;
};
