#include "player/CTipListWnd.h"
#include "classlib/AfxMessageMap.h"

BEGIN_MESSAGE_MAP(CTipListWnd, CDragListCtrl)
    ON_WM_CREATE()
    ON_WM_MOUSEMOVE()
    ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOW, 0, 0xFFFF, &CTipListWnd::OnGetTipText)
    ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOA, 0, 0xFFFF, &CTipListWnd::OnGetTipText)
END_MESSAGE_MAP()

int CTipListWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDragListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    // A list without its tips still works: a failed tooltip leaves them out.
    if (m_toolTip.Create(this))
        m_toolTip.SetMaxTipWidth(600);
    return 0;
}

BOOL CTipListWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.m_hWnd && pMsg->hwnd == m_hWnd && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
        m_toolTip.RelayEvent(pMsg);
    return CDragListCtrl::PreTranslateMessage(pMsg);
}

void CTipListWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    CDragListCtrl::OnMouseMove(nFlags, point);
    if (!IsDragging())
        TrackTipRow(point);
}

void CTipListWnd::TrackTipRow(CPoint point)
{
    int nRow = HitTest(point.x, point.y);
    if (nRow == m_nTipRow || !m_toolTip.m_hWnd)
        return;
    if (m_nTipRow >= 0)
        m_toolTip.DelTool(this, static_cast<UINT_PTR>(m_nTipRow) + 1);
    m_nTipRow = nRow;
    if (nRow < 0)
        return;
    CRect rect;
    GetItemRect(nRow, &rect);
    // Tool ids start at 1: id 0 would name the whole window.
    m_toolTip.AddTool(this, LPSTR_TEXTCALLBACKW, &rect, static_cast<UINT_PTR>(nRow) + 1);
}

BOOL CTipListWnd::OnGetTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    bool bWide = pNMHDR->code == TTN_GETDISPINFOW;
    UINT uFlags = bWide ? reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->uFlags : reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->uFlags;
    if (uFlags & TTF_IDISHWND)
        return FALSE;
    int nRow = static_cast<int>(pNMHDR->idFrom) - 1;
    CString text = nRow >= 0 ? GetRowTipText(nRow) : CString();
    if (text.IsEmpty())
        return FALSE;
    // The text lives in the list until the next request: the tip copies it when it shows.
    m_tipText = text.Left(kMaxTipLength);
    if (bWide) {
        reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->lpszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(m_tipText));
    } else {
        m_tipTextAnsi = CStringA(m_tipText);
        reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->lpszText = const_cast<LPSTR>(static_cast<LPCSTR>(m_tipTextAnsi));
    }
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}
