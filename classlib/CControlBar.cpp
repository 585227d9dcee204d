#include "classlib/CControlBar.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CFrameWnd.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, &CControlBar::OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar() : m_dwStyle(0) {}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: {
        // What the bar's children send and the bar does not handle is for the frame.
        LRESULT lResult = 0;
        if (OnWndMsg(message, wParam, lParam, &lResult))
            return lResult;
        CWnd* pOwner = GetOwner();
        if (!pOwner)
            return DefWindowProc(message, wParam, lParam);
        lResult = pOwner->SendMessage(message, wParam, lParam);
        // A tip the owner left empty may still come from the control itself.
        if (message == WM_NOTIFY && lResult == 0) {
            UINT nCode = reinterpret_cast<NMHDR*>(lParam)->code;
            if (nCode == TTN_GETDISPINFOW || nCode == TTN_GETDISPINFOA)
                lResult = DefWindowProc(message, wParam, lParam);
        }
        return lResult;
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!(GetStyle() & WS_VISIBLE) || !(m_dwStyle & CBRS_ALIGN_ANY))
        return 0;
    CRect rect(pLayout->rect);
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CSize size = CalcFixedLayout(pLayout->bStretch, bHorz);
    size.cx = std::min<LONG>(size.cx, rect.Width());
    size.cy = std::min<LONG>(size.cy, rect.Height());
    if (bHorz) {
        pLayout->sizeTotal.cy += size.cy;
        pLayout->sizeTotal.cx = std::max(pLayout->sizeTotal.cx, size.cx);
        if (m_dwStyle & CBRS_ALIGN_TOP) {
            pLayout->rect.top += size.cy;
        } else {
            rect.top = rect.bottom - size.cy;
            pLayout->rect.bottom -= size.cy;
        }
    } else {
        pLayout->sizeTotal.cx += size.cx;
        pLayout->sizeTotal.cy = std::max(pLayout->sizeTotal.cy, size.cy);
        if (m_dwStyle & CBRS_ALIGN_LEFT) {
            pLayout->rect.left += size.cx;
        } else {
            rect.left = rect.right - size.cx;
            pLayout->rect.right -= size.cx;
        }
    }
    if (pLayout->hDWP)
        pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, nullptr, rect.left, rect.top, size.cx, size.cy,
                                         SWP_NOACTIVATE | SWP_NOZORDER);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget = pOwner && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : GetParentFrame();
    if (pTarget)
        OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
    return 0;
}
