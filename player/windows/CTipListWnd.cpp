#include "player/windows/CTipListWnd.h"
#include "classlib/AfxMessageMap.h"
#include "framework/text/CodePage.h"
#include "player/playlist/CPlaylistItem.h"

namespace {

const int kTipLength = 80;

bool IsClientMouseMessage(UINT message)
{
    return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && message != WM_MOUSEWHEEL && message != WM_MOUSEHWHEEL;
}

}  // namespace

BEGIN_MESSAGE_MAP(CTipListWnd, CDragListCtrl)
ON_WM_CREATE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

int CTipListWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDragListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_toolTip.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX))
        m_toolTip.SetMaxTipWidth(0xFFFF);
    return 0;
}

void CTipListWnd::OnDestroy()
{
    if (m_toolTip.m_hWnd)
        m_toolTip.DestroyWindow();
    m_nTipRow = -1;
    CDragListCtrl::OnDestroy();
}

BOOL CTipListWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == m_hWnd && m_toolTip.m_hWnd && IsClientMouseMessage(pMsg->message)) {
        TrackTipRow(CPoint(static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam))));
        m_toolTip.RelayEvent(pMsg);
    }
    return CDragListCtrl::PreTranslateMessage(pMsg);
}

void CTipListWnd::TrackTipRow(CPoint point)
{
    int nRow = HitTest(point.x, point.y);
    CRect rect;
    if (nRow >= 0)
        GetItemRect(nRow, &rect);
    if (nRow == m_nTipRow) {
        if (nRow >= 0)
            m_toolTip.SetToolRect(this, nRow + 1, &rect);  // the list may have scrolled
        return;
    }
    if (m_nTipRow >= 0)
        m_toolTip.DelTool(this, m_nTipRow + 1);
    m_nTipRow = nRow;
    if (nRow >= 0)
        m_toolTip.AddTool(this, LPSTR_TEXTCALLBACKW, &rect, nRow + 1);
}

CString CTipListWnd::GetTipText(int nRow) const
{
    const auto* pItem = reinterpret_cast<const CPlaylistItem*>(GetItemData(nRow));
    return pItem ? pItem->m_strPathText.Left(kTipLength) : CString();
}

BOOL CTipListWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR && m_toolTip.m_hWnd && pNMHDR->hwndFrom == m_toolTip.m_hWnd &&
        (pNMHDR->code == TTN_GETDISPINFOW || pNMHDR->code == TTN_GETDISPINFOA)) {
        SupplyTipText(pNMHDR);
        *pResult = 0;
        return TRUE;
    }
    return CDragListCtrl::OnNotify(wParam, lParam, pResult);
}

void CTipListWnd::SupplyTipText(NMHDR* pNMHDR)
{
    // Both forms keep uFlags at the same place.
    UINT uFlags = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->uFlags;
    if (uFlags & TTF_IDISHWND)
        return;
    m_strTip = GetTipText(static_cast<int>(pNMHDR->idFrom) - 1);
    if (m_strTip.IsEmpty())
        return;
    if (pNMHDR->code == TTN_GETDISPINFOW) {
        reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->lpszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(m_strTip));
    } else {
        WideToAnsi(m_strTip, m_strTipA);
        reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->lpszText = const_cast<LPSTR>(static_cast<LPCSTR>(m_strTipA));
    }
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
