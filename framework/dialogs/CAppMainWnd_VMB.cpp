#include "framework/dialogs/CAppMainWnd_VMB.h"

IMPLEMENT_DYNCREATE(CAppMainWnd_VMB, CAppMainWnd)

BEGIN_MESSAGE_MAP(CAppMainWnd_VMB, CAppMainWnd)
    ON_WM_CREATE()
    ON_WM_MENUCHAR()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

CAppMainWnd_VMB::CAppMainWnd_VMB() : m_nMenuBarHeight(21) {}

CAppMainWnd_VMB::~CAppMainWnd_VMB()
{
    if (m_menuBar.m_hWnd)
        m_menuBar.DestroyWindow();
}

int CAppMainWnd_VMB::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CAppMainWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    int h = m_nMenuBarHeight;
    if (!m_menuBar.Create(0x50002000, CRect(0, 0, h, h), this, 0xE800))
        return -1;
    m_menuBar.SetMenu(::GetMenu(m_hWnd));
    ::SetMenu(m_hWnd, nullptr);
    return 0;
}

LRESULT CAppMainWnd_VMB::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (m_menuBar.OnMenuChar(nChar, nFlags, pMenu ? pMenu->GetSafeHmenu() : nullptr))
        return 0x10000;  // MNC_CLOSE
    return CAppMainWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CAppMainWnd_VMB::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CAppMainWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    m_menuBar.OnInitMenuPopup(pPopupMenu ? pPopupMenu->GetSafeHmenu() : nullptr, nIndex, bSysMenu);
}

void CAppMainWnd_VMB::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    CAppMainWnd::OnMenuSelect(nItemID, nFlags, hSysMenu);
    m_menuBar.OnMenuSelect(nItemID, nFlags, hSysMenu);
}

void CAppMainWnd_VMB::OnSysCommand(UINT nID, LPARAM lParam)
{
    if (m_menuBar.OnSysCommand(nID, lParam))
        return;
    CAppMainWnd::OnSysCommand(nID, lParam);
}
