#include "framework/controls/CMenuBar.h"
#include "framework/controls/CMemoryDC.h"
#include <cwctype>

// CMenuBarItem

CMenuBarItem::CMenuBarItem(CBarItemContainer* pOwner, LPCWSTR lpszTitle)
    : CBarItem(pOwner), m_strTitle(lpszTitle), m_chMnemonic(MnemonicOf(m_strTitle))
{
}

WCHAR CMenuBarItem::MnemonicOf(const CString& title)
{
    int n = title.GetLength();
    int nAmp = title.Find(L'&');
    if (nAmp >= 0 && nAmp < n - 1)
        return title[nAmp + 1];
    return n > 0 ? title[0] : 0;
}

BOOL CMenuBarItem::OnMessage(const MSG* pMsg)
{
    if (IsDisabled() || IsHidden())
        return FALSE;
    CPoint pt = MessagePoint(pMsg);
    switch (pMsg->message) {
    case WM_MOUSEMOVE:
        return TrackMouseMove(pt);
    case WM_MOUSELEAVE:
        m_pOwner->StopPressed(this, TRUE);
        return TRUE;
    }
    return FALSE;
}

void CMenuBarItem::DrawTitle(CDC* pDC, COLORREF crText, COLORREF crHotText, COLORREF crHighlight)
{
    if (IsHidden())
        return;
    DrawTitleBackground(pDC, crHighlight, m_rect);
    DrawTitleText(pDC, crText, crHotText, m_rect);
}

void CMenuBarItem::DrawTitleBackground(CDC* pDC, COLORREF crHighlight, const CRect& rect)
{
    if (IsPressed() || IsHot())
        pDC->FillSolidRect(&rect, crHighlight);
}

void CMenuBarItem::DrawTitleText(CDC* pDC, COLORREF crText, COLORREF crHotText, const CRect& rect)
{
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF crOld = pDC->SetTextColor(IsPressed() || IsHot() ? crHotText : crText);
    CRect text = rect;
    pDC->DrawText(m_strTitle, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    pDC->SetTextColor(crOld);
    pDC->SetBkMode(nOldMode);
}

// CMenuBar

IMPLEMENT_DYNAMIC(CMenuBar, CItemBar)

BEGIN_MESSAGE_MAP(CMenuBar, CItemBar)
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
    ON_WM_KILLFOCUS()
    ON_WM_CANCELMODE()
    ON_WM_GETDLGCODE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_MOUSELEAVE, &CMenuBar::OnMouseLeaveMessage)
    ON_MESSAGE(WM_MENUBAR_OPENPOPUP, &CMenuBar::OnOpenPopup)
END_MESSAGE_MAP()

CMenuBar::CMenuBar()
    : m_nBottomLine(0),
      m_crBack(::GetSysColor(COLOR_BTNFACE)),
      m_crBottomLine(::GetSysColor(COLOR_BTNFACE)),
      m_crTitle(::GetSysColor(COLOR_MENUTEXT)),
      m_crTitleHot(::GetSysColor(COLOR_MENUTEXT)),
      m_crHighlight(::GetSysColor(COLOR_HIGHLIGHT)),
      m_crStatus(::GetSysColor(COLOR_MENUTEXT)),
      m_hMenu(nullptr),
      m_bRightToLeft(FALSE),
      m_ptLastMouse(-1, -1),
      m_hWndOldFocus(nullptr),
      m_hOpenMenu(nullptr),
      m_hSelectMenu(nullptr),
      m_nCurrent(-1),
      m_bNavigating(FALSE),
      m_bPopupOpen(FALSE),
      m_bOwnMenu(FALSE),
      m_bHasSubMenu(FALSE),
      m_bStayInNavigation(FALSE),
      m_bOpenNext(FALSE),
      m_bByKeyboard(FALSE),
      m_bLayoutDirty(TRUE)
{
}

CMenuBar::~CMenuBar()
{
    if (s_pHookOwner == this) {
        if (s_hHook)
            ::UnhookWindowsHookEx(s_hHook);
        s_hHook = nullptr;
        s_pHookOwner = nullptr;
    }
    if (m_hMenu)
        ::DestroyMenu(m_hMenu);
}

void CMenuBar::SetMenu(HMENU hMenu, BOOL bRightToLeft)
{
    m_items.RemoveAllItems();
    int nCount = hMenu ? ::GetMenuItemCount(hMenu) : 0;
    for (int i = 0; i < nCount; ++i) {
        wchar_t text[256] = {};
        ::GetMenuStringW(hMenu, i, text, 256, MF_BYPOSITION);
        m_items.AddItem(new CMenuBarItem(&m_items, text));
    }
    if (m_hMenu && m_hMenu != hMenu)
        ::DestroyMenu(m_hMenu);
    m_hMenu = hMenu;
    m_bRightToLeft = bRightToLeft;
    m_bLayoutDirty = TRUE;
    if (m_hWnd)
        Invalidate();
}

void CMenuBar::SetText(LPCWSTR lpszText)
{
    m_strText = lpszText;
    if (m_hWnd)
        InvalidateRect(nullptr, TRUE);
}

HFONT CMenuBar::TitleFont() const
{
    HFONT hFont = m_hFont;
    return hFont ? hFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void CMenuBar::Refresh()
{
    if (!m_hWnd)
        return;
    InvalidateRect(nullptr, FALSE);
    UpdateWindow();
}

void CMenuBar::Layout(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    client.bottom -= m_nBottomLine;
    HGDIOBJ hOldFont = pDC->SelectObject(TitleFont());
    int nCount = m_items.GetCount();
    std::vector<int> widths(nCount);
    for (int i = 0; i < nCount; ++i) {
        CRect text(0, 0, 0, 0);
        pDC->DrawText(GetTitle(i)->m_strTitle, &text, DT_CALCRECT | DT_SINGLELINE);
        widths[i] = text.Width() + 24;
    }
    pDC->SelectObject(hOldFont);
    if (!m_bRightToLeft) {
        int x = client.left;
        for (int i = 0; i < nCount; ++i) {
            GetTitle(i)->SetRect(x, client.top, x + widths[i], client.bottom, FALSE);
            x += widths[i];
        }
    } else {
        int x = client.right;
        for (int i = nCount - 1; i >= 0; --i) {
            GetTitle(i)->SetRect(x - widths[i], client.top, x, client.bottom, FALSE);
            x -= widths[i];
        }
    }
    m_bLayoutDirty = FALSE;
}

void CMenuBar::EnsureLayout()
{
    if (!m_bLayoutDirty || !m_hWnd)
        return;
    CClientDC dc(this);
    Layout(&dc);
}

void CMenuBar::DrawBackground(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, m_crBack);
    if (m_nBottomLine > 0)
        pDC->FillSolidRect(CRect(client.left, client.bottom - m_nBottomLine, client.right, client.bottom), m_crBottomLine);
}

void CMenuBar::DrawText(CDC* pDC)
{
    if (m_strText.IsEmpty())
        return;
    CRect rect;
    GetClientRect(&rect);
    rect.right -= 4;
    rect.bottom -= 1;
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF crOld = pDC->SetTextColor(m_crStatus);
    HGDIOBJ hOldFont = pDC->SelectObject(TitleFont());
    pDC->DrawText(m_strText, &rect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    pDC->SelectObject(hOldFont);
    pDC->SetTextColor(crOld);
    pDC->SetBkMode(nOldMode);
}

void CMenuBar::DrawTitles(CDC* pDC, COLORREF crText, COLORREF crHotText, COLORREF crHighlight)
{
    HGDIOBJ hOldFont = pDC->SelectObject(TitleFont());
    for (int i = 0; i < m_items.GetCount(); ++i)
        GetTitle(i)->DrawTitle(pDC, crText, crHotText, crHighlight);
    pDC->SelectObject(hOldFont);
}

void CMenuBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CMemoryDC memDC(&dc, &client);
    DrawBackground(&memDC);
    if (m_bLayoutDirty)
        Layout(&memDC);
    DrawText(&memDC);
    DrawTitles(&memDC, m_crTitle, m_crTitleHot, m_crHighlight);
}

int CMenuBar::TitleAt(CPoint point)
{
    EnsureLayout();
    return m_items.HitTest(point.x, point.y);
}

int CMenuBar::GetHotTitle() const
{
    CBarItem* pHot = CBarItemContainer::GetHotItem();
    return pHot ? const_cast<CMenuBar*>(this)->Items().IndexOf(pHot) : -1;
}

BOOL CMenuBar::PreTranslateMessage(MSG* pMsg)
{
    // The titles' hover tracking is the item bar's, outside keyboard navigation only; a click
    // on the bare bar is this bar's own (no second window drag).
    if (pMsg->hwnd == m_hWnd && !m_bNavigating && !m_bPopupOpen) {
        switch (pMsg->message) {
        case WM_MOUSEMOVE:
        case WM_MOUSELEAVE:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            EnsureLayout();
            RelayEvent(pMsg);
            break;
        }
    }
    return CCustomControlBar::PreTranslateMessage(pMsg);
}

void CMenuBar::StartNavigation(int nIndex)
{
    if (m_bNavigating)
        return;
    m_bNavigating = TRUE;
    if (::GetFocus() != m_hWnd) {
        m_hWndOldFocus = ::GetFocus();
        SetFocus();
    }
    if (::GetCapture() != m_hWnd) {
        SetCapture();
        SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }
    m_items.SetHotItem(GetItem(nIndex));
}

void CMenuBar::EndNavigation()
{
    if (!m_bNavigating)
        return;
    m_bNavigating = FALSE;  // first: the focus and capture changes below come back here
    m_items.SetHotItem(nullptr);
    HWND hOld = m_hWndOldFocus;
    m_hWndOldFocus = nullptr;
    if (::GetFocus() == m_hWnd && hOld && ::IsWindow(hOld))
        ::SetFocus(hOld);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CMenuBar::SwitchPopup(BOOL bByKeyboard)
{
    if (CWnd* pParent = GetParent())
        pParent->PostMessage(WM_CANCELMODE);
    m_bOpenNext = TRUE;
    m_bByKeyboard = bByKeyboard;
}

LRESULT CMenuBar::OnOpenPopup(WPARAM wParam, LPARAM lParam)
{
    int nIndex = static_cast<int>(wParam);
    EnsureLayout();
    StartNavigation(nIndex);
    m_nCurrent = nIndex;
    m_bOpenNext = TRUE;
    m_bStayInNavigation = FALSE;
    m_bByKeyboard = LOWORD(lParam) != 0;
    HWND hOwner = ::GetParent(m_hWnd);
    while (m_bOpenNext) {
        HMENU hSub = m_hMenu ? ::GetSubMenu(m_hMenu, m_nCurrent) : nullptr;
        CBarItem* pTitle = GetItem(m_nCurrent);
        if (!hSub || !pTitle)
            break;
        m_items.SetPressedItem(pTitle);
        UpdateWindow();
        if (m_bByKeyboard) {
            keybd_event(VK_DOWN, 0, 0, 0);
            keybd_event(VK_DOWN, 0, KEYEVENTF_KEYUP, 0);
        }
        CRect rect;
        pTitle->GetRect(&rect);
        ClientToScreen(&rect);
        if (rect.left < 0)
            rect.left = 0;
        TPMPARAMS tpm = {sizeof(tpm), rect};
        m_bPopupOpen = TRUE;
        m_bOwnMenu = FALSE;
        m_bHasSubMenu = FALSE;
        m_bOpenNext = FALSE;
        m_hOpenMenu = hSub;
        m_hSelectMenu = hSub;
        s_pHookOwner = this;
        s_hHook = ::SetWindowsHookExW(WH_MSGFILTER, &CMenuBar::MessageFilter, nullptr, ::GetCurrentThreadId());
        ::TrackPopupMenuEx(hSub, TPM_VERTICAL, rect.left, rect.bottom, hOwner, &tpm);
        if (s_hHook)
            ::UnhookWindowsHookEx(s_hHook);
        s_hHook = nullptr;
        s_pHookOwner = nullptr;
        m_hOpenMenu = nullptr;
        m_hSelectMenu = nullptr;
        m_bPopupOpen = FALSE;
        // No title is pressed any more; the current one stays hot while navigating goes on.
        m_items.StopPressed(pTitle, FALSE);
        if (!::IsWindow(m_hWnd))
            return 0;
    }
    if (m_bStayInNavigation) {
        SetCapture();
        SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        m_items.SetHotItem(GetItem(m_nCurrent));
    } else {
        EndNavigation();
    }
    return 0;
}

LRESULT CALLBACK CMenuBar::MessageFilter(int nCode, WPARAM wParam, LPARAM lParam)
{
    CMenuBar* pBar = s_pHookOwner;
    MSG* pMsg = reinterpret_cast<MSG*>(lParam);
    if (nCode == MSGF_MENU && pBar && pMsg) {
        switch (pMsg->message) {
        case WM_KEYDOWN:
            if (pMsg->wParam == VK_ESCAPE) {
                pBar->m_bStayInNavigation = pBar->m_bOwnMenu;
                if (!pBar->m_bOwnMenu)
                    pBar->BackToParentMenu();
            } else if ((pMsg->wParam == VK_LEFT && pBar->m_bOwnMenu) ||
                       (pMsg->wParam == VK_RIGHT && !pBar->m_bHasSubMenu))
                pBar->SendMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
            break;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDBLCLK: {
            CPoint pt = pMsg->pt;
            pBar->ScreenToClient(&pt);
            pBar->SendMessage(pMsg->message, pMsg->wParam, MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
            break;
        }
        }
    }
    return ::CallNextHookEx(s_hHook, nCode, wParam, lParam);
}

namespace {

// The menu in hRoot's tree that holds hChild as one of its entries' sub-menus, or null.
HMENU ParentMenuOf(HMENU hRoot, HMENU hChild)
{
    int nCount = ::GetMenuItemCount(hRoot);
    for (int i = 0; i < nCount; ++i) {
        HMENU hSub = ::GetSubMenu(hRoot, i);
        if (hSub == hChild)
            return hRoot;
        if (HMENU hFound = hSub ? ParentMenuOf(hSub, hChild) : nullptr)
            return hFound;
    }
    return nullptr;
}

}  // namespace

void CMenuBar::BackToParentMenu()
{
    // Escape closes one level and tells the frame nothing: the selection is back on the entry
    // that opened that level, which has a sub-menu.
    HMENU hParent = m_hOpenMenu ? ParentMenuOf(m_hOpenMenu, m_hSelectMenu) : nullptr;
    if (!hParent)
        return;
    m_hSelectMenu = hParent;
    m_bOwnMenu = hParent == m_hOpenMenu;
    m_bHasSubMenu = TRUE;
}

void CMenuBar::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_bNavigating && nChar == VK_ESCAPE) {
        EndNavigation();
        return;
    }
    if (m_bNavigating && nChar == VK_SPACE) {
        EndNavigation();
        if (CWnd* pParent = GetParent())
            pParent->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, L' ');
        return;
    }
    int nCount = m_items.GetCount();
    int nHot = GetHotTitle();
    if ((nChar == VK_LEFT || nChar == VK_RIGHT) && nCount > 0) {
        int nFrom = nHot >= 0 ? nHot : (m_nCurrent >= 0 ? m_nCurrent : 0);
        int nNext = nChar == VK_LEFT ? (nFrom + nCount - 1) % nCount : (nFrom + 1) % nCount;
        if (nNext != nHot) {
            m_items.SetHotItem(GetItem(nNext));
            if (m_bPopupOpen) {
                m_nCurrent = nNext;
                SwitchPopup(TRUE);
            }
        }
        m_nCurrent = nNext;
    } else if ((nChar == VK_UP || nChar == VK_DOWN) && nHot >= 0) {
        PostMessage(WM_MENUBAR_OPENPOPUP, static_cast<WPARAM>(nHot), 1);
    }
    CItemBar::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CMenuBar::OnSysKeyDown(UINT, UINT, UINT)
{
    EndNavigation();
}

void CMenuBar::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    // While a popup is open its loop owns the state and ends the navigation itself (a window
    // activated by the click that opened it may take the focus meanwhile).
    if (!m_bPopupOpen)
        EndNavigation();
}

void CMenuBar::OnCancelMode()
{
    if (m_bPopupOpen) {
        CWnd::OnCancelMode();  // the popup's own loop keeps its title pressed
        return;
    }
    CItemBar::OnCancelMode();
}

UINT CMenuBar::OnGetDlgCode()
{
    UINT nCode = CItemBar::OnGetDlgCode();
    return m_bNavigating ? nCode | DLGC_WANTALLKEYS : nCode;
}

LRESULT CMenuBar::OnMouseLeaveMessage(WPARAM, LPARAM)
{
    MSG msg = {m_hWnd, WM_MOUSELEAVE, 0, 0, 0, {0, 0}};
    if (!m_bNavigating && !m_bPopupOpen)
        RelayEvent(&msg);  // the hover-only titles let go of the hot state
    return 0;
}

BOOL CMenuBar::CheckOutsideClick(UINT message, UINT nFlags, CPoint point)
{
    if (!m_bNavigating || m_bPopupOpen)
        return FALSE;
    CPoint screen = point;
    ClientToScreen(&screen);
    HWND hUnder = ::WindowFromPoint(screen);
    if (hUnder == m_hWnd)
        return FALSE;
    EndNavigation();
    if (!hUnder)
        return TRUE;
    LRESULT nHit = ::SendMessageW(hUnder, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
    if (nHit == HTCLIENT) {
        CPoint client = screen;
        ::ScreenToClient(hUnder, &client);
        ::PostMessageW(hUnder, message, nFlags, MAKELPARAM(static_cast<WORD>(client.x), static_cast<WORD>(client.y)));
    } else {
        ::PostMessageW(hUnder, message == WM_LBUTTONDOWN ? WM_NCLBUTTONDOWN : WM_NCRBUTTONDOWN, static_cast<WPARAM>(nHit),
                       MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
    }
    return TRUE;
}

void CMenuBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (CheckOutsideClick(WM_LBUTTONDOWN, nFlags, point))
        return;
    int nTitle = TitleAt(point);
    if (nTitle >= 0) {
        PostMessage(WM_MENUBAR_OPENPOPUP, static_cast<WPARAM>(nTitle), 0);
        return;
    }
    if (CWnd* pParent = GetParent()) {
        CPoint screen = point;
        ClientToScreen(&screen);
        pParent->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
    }
}

void CMenuBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (CheckOutsideClick(WM_RBUTTONDOWN, nFlags, point))
        return;
    CItemBar::OnRButtonDown(nFlags, point);
}

void CMenuBar::OnMouseMove(UINT nFlags, CPoint point)
{
    CPoint last = m_ptLastMouse;
    m_ptLastMouse = point;
    if (!m_bNavigating)
        return;
    if (m_bPopupOpen && point == last)
        return;
    CPoint screen = point;
    ClientToScreen(&screen);
    if (::WindowFromPoint(screen) != m_hWnd)
        return;
    int nTitle = TitleAt(point);
    if (nTitle >= 0) {
        if (nTitle != GetHotTitle())
            m_items.SetHotItem(GetItem(nTitle));
        if (nTitle != m_nCurrent && m_bPopupOpen) {
            m_nCurrent = nTitle;
            SwitchPopup(FALSE);
        }
        m_nCurrent = nTitle;
    } else if (GetHotTitle() >= 0) {
        m_items.SetHotItem(nullptr);
    }
}

BOOL CMenuBar::OnSysCommand(UINT nID, LPARAM lParam)
{
    if (m_hWnd && IsWindowVisible() && (nID & 0xFFF0) == SC_KEYMENU && lParam == 0) {
        EnsureLayout();
        StartNavigation(0);
        m_nCurrent = 0;
        return TRUE;
    }
    return FALSE;
}

BOOL CMenuBar::OnMenuChar(UINT nChar, UINT nFlags, HMENU)
{
    if (!m_hWnd || !IsWindowVisible() || !(nFlags & MF_SYSMENU))
        return FALSE;
    WCHAR ch = static_cast<WCHAR>(std::towupper(static_cast<wint_t>(nChar)));
    for (int i = 0; i < m_items.GetCount(); ++i) {
        if (static_cast<WCHAR>(std::towupper(GetTitle(i)->m_chMnemonic)) == ch) {
            PostMessage(WM_MENUBAR_OPENPOPUP, static_cast<WPARAM>(i), 0x10001);
            return TRUE;
        }
    }
    return FALSE;
}

void CMenuBar::OnInitMenuPopup(HMENU hPopup, UINT nIndex, BOOL)
{
    if (!m_bPopupOpen)
        return;
    m_hSelectMenu = hPopup;
    m_bOwnMenu = hPopup == m_hOpenMenu;
    m_bHasSubMenu = ::GetSubMenu(hPopup, static_cast<int>(nIndex)) != nullptr;
}

void CMenuBar::OnMenuSelect(UINT, UINT nFlags, HMENU hMenu)
{
    if (!m_bPopupOpen)
        return;
    if (hMenu)
        m_hSelectMenu = hMenu;
    m_bOwnMenu = hMenu == m_hOpenMenu;
    m_bHasSubMenu = (nFlags & MF_POPUP) != 0;
}

// CAppMenuBar

CAppMenuBar::CAppMenuBar()
{
    m_nBottomLine = 1;
    m_crTitle = RGB(0xC0, 0xC0, 0xC0);
    m_crTitleHot = RGB(0xFF, 0xFF, 0xFF);
    m_crHighlight = RGB(0x60, 0x60, 0x60);
    m_crStatus = RGB(0xC0, 0xC0, 0xC0);
}

void CAppMenuBar::DrawBackground(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, RGB(0x20, 0x20, 0x20));
    COLORREF crStatus = m_crStatus;
    m_crStatus = RGB(0xC0, 0xC0, 0xC0);
    DrawText(pDC);
    m_crStatus = crStatus;
}
