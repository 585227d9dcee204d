#include "classlib/CMenu.h"
#include "classlib/AfxModule.h"
#include "classlib/AfxTempMap.h"
#include "classlib/CWnd.h"

IMPLEMENT_DYNAMIC(CMenu, CObject)

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    return CTempMap<CMenu, HMENU>::FromHandle(hMenu);
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (m_hMenu || !hMenu)
        return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    m_hMenu = nullptr;
    return hMenu;
}

namespace {

// Keeps a menu just made, or destroys it when the object already holds one.
BOOL AttachNew(CMenu& menu, HMENU hMenu)
{
    if (menu.Attach(hMenu))
        return TRUE;
    if (hMenu)
        ::DestroyMenu(hMenu);
    return FALSE;
}

}  // namespace

BOOL CMenu::CreateMenu()
{
    return AttachNew(*this, ::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return AttachNew(*this, ::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(LPCWSTR lpszResourceName)
{
    return AttachNew(*this, ::LoadMenuW(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CMenu::DestroyMenu()
{
    HMENU hMenu = Detach();
    return hMenu && ::DestroyMenu(hMenu);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    // The length without the NUL; 0 for an item without text or a missing item.
    int nLength = ::GetMenuStringW(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (nLength <= 0) {
        rString.Empty();
        return 0;
    }
    nLength = ::GetMenuStringW(m_hMenu, nIDItem, rString.GetBuffer(nLength), nLength + 1, nFlags);
    rString.ReleaseBuffer(nLength);
    return nLength;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
}

BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm)
{
    return ::TrackPopupMenuEx(m_hMenu, fuFlags, x, y, pWnd->GetSafeHwnd(), lptpm);
}
