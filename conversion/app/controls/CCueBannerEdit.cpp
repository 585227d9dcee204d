#include "conversion/app/controls/CCueBannerEdit.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDC.h"

IMPLEMENT_DYNAMIC(CCueBannerEdit, CEdit)

BEGIN_MESSAGE_MAP(CCueBannerEdit, CEdit)
ON_WM_PAINT()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

void CCueBannerEdit::SetHint(LPCWSTR pszHint, BOOL bHideWhileFocused)
{
    m_hint = pszHint;
    m_hideWhileFocused = bHideWhileFocused;
    if (m_hWnd)
        Invalidate();
}

bool CCueBannerEdit::ShowsHint() const
{
    if (GetWindowTextLength() > 0)
        return false;
    return !(m_hideWhileFocused && ::GetFocus() == m_hWnd);
}

void CCueBannerEdit::OnPaint()
{
    if (!ShowsHint()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    dc.FillSolidRect(&rect, m_background);
    rect.DeflateRect(2, 0);
    dc.SetBkMode(TRANSPARENT);
    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hFont ? hFont : ::GetStockObject(DEFAULT_GUI_FONT));
    dc.SetTextColor(m_hintColour);
    ::DrawTextW(dc.m_hDC, m_hint, -1, &rect, DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dc.m_hDC, hOld);
}

// The hint comes and goes with the focus when it hides while focused.
void CCueBannerEdit::OnSetFocus(CWnd* pOldWnd)
{
    CEdit::OnSetFocus(pOldWnd);
    if (m_hideWhileFocused)
        Invalidate();
}

void CCueBannerEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    if (m_hideWhileFocused)
        Invalidate();
}
