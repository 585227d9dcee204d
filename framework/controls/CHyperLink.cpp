#include "framework/controls/CHyperLink.h"
#include "classlib/AfxMessageMap.h"
#include "framework/controls/AppUiResources.h"
#include "framework/controls/ButtonDrawing.h"
#include "framework/system/ShellCalls.h"

IMPLEMENT_DYNAMIC(CHyperLink, CButton)

BEGIN_MESSAGE_MAP(CHyperLink, CButton)
    ON_WM_SETCURSOR()
    ON_WM_ERASEBKGND()
    ON_CONTROL_REFLECT_EX(BN_CLICKED, &CHyperLink::OnClicked)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CHyperLink::CHyperLink() : m_crBack(::GetSysColor(COLOR_WINDOW))
{
}

CHyperLink::~CHyperLink()
{
    DestroyWindow();
}

void CHyperLink::SetURL(LPCWSTR lpszURL, LPCWSTR lpszText)
{
    m_strURL = lpszURL ? lpszURL : L"";
    if (m_hWnd) {
        if (lpszText)
            SetWindowText(lpszText);
        Invalidate(TRUE);
    }
}

void CHyperLink::SizeToText()
{
    if (!m_hWnd || (GetStyle() & BS_MULTILINE))
        return;
    CString strText;
    GetWindowText(strText);
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ hOld = ::SelectObject(hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    SIZE size = {};
    ::GetTextExtentPoint32W(hDC, strText, strText.GetLength(), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    CRect rect;
    GetWindowRect(&rect);
    SetWindowPos(nullptr, 0, 0, size.cx + 4, rect.Height(), SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

void CHyperLink::UseAppLinkLook()
{
    m_crText = GetAppLinkColor();
    m_crHover = GetAppLinkHoverColor();
    m_pHoverFont = GetAppFont(AppFontUnderline);
    if (m_hWnd) {
        if (CFont* pFont = GetAppFont(AppFontNormal))
            SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), TRUE);
    }
}

UINT CHyperLink::TextFormatOf(DWORD dwStyle)
{
    UINT nFormat;
    const DWORD dwAlign = dwStyle & BS_CENTER;
    if (dwAlign == BS_RIGHT)
        nFormat = DT_RIGHT;
    else if (dwAlign == BS_LEFT)
        nFormat = DT_LEFT;
    else
        nFormat = DT_CENTER;  // BS_CENTER, or no alignment
    nFormat |= (dwStyle & BS_MULTILINE) ? DT_WORDBREAK : (DT_SINGLELINE | DT_VCENTER);
    return nFormat | DT_END_ELLIPSIS;
}

void CHyperLink::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rect(lpDIS->rcItem);
    DrawButtonBackground(this, pDC, rect, m_bTransparent, m_crBack);

    CString strText;
    GetWindowText(strText);
    if (!strText.IsEmpty()) {
        const int nSaved = pDC->SaveDC();
        CRect rcText = rect;
        rcText.DeflateRect(2, 0);
        pDC->SetBkColor(m_crBack);
        HFONT hOwnFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
        HFONT hFont = hOwnFont;
        if (m_bHot) {
            pDC->SetTextColor(m_crHover);
            if (m_pHoverFont && m_pHoverFont->GetSafeHandle())
                hFont = static_cast<HFONT>(m_pHoverFont->GetSafeHandle());
        } else {
            pDC->SetTextColor(m_crText);
        }
        if (hFont)
            pDC->SelectObject(hFont);
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(strText, &rcText, TextFormatOf(GetStyle()));
        pDC->RestoreDC(nSaved);
    }
    if (lpDIS->itemState & ODS_FOCUS)
        pDC->DrawFocusRect(&rect);
}

BOOL CHyperLink::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(GetAppHandCursor());
    return TRUE;
}

BOOL CHyperLink::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

BOOL CHyperLink::OnClicked()
{
    if (m_strURL.IsEmpty())
        return FALSE;  // the parent hears of the click
    ShellCalls().pfnShellExecute(nullptr, L"open", m_strURL, nullptr, nullptr, SW_SHOWNORMAL);
    return TRUE;
}

void CHyperLink::OnMouseMove(UINT nFlags, CPoint point)
{
    BeginHotTracking(this, m_bHot, FALSE);
    CButton::OnMouseMove(nFlags, point);
}

void CHyperLink::OnMouseLeave()
{
    EndHotTracking(this, m_bHot, FALSE);
}
