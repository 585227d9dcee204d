#include "player/windows/CPopupBarWnd.h"
#include "classlib/AfxMessageMap.h"

IMPLEMENT_DYNAMIC(CPopupBarWnd, CItemBar)

BEGIN_MESSAGE_MAP(CPopupBarWnd, CItemBar)
ON_WM_CREATE()
END_MESSAGE_MAP()

BOOL CreatePopupToolTip(CToolTipCtrl& toolTip, CWnd* pOwner)
{
    if (!toolTip.Create(pOwner, TTS_ALWAYSTIP | TTS_NOPREFIX))
        return FALSE;
    toolTip.SetMaxTipWidth(0xFFFF);
    return TRUE;
}

BOOL CPopupBarWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.m_hWnd)
        m_toolTip.RelayEvent(pMsg);
    return CItemBar::PreTranslateMessage(pMsg);
}

int CPopupBarWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CItemBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    return CreatePopupToolTip(m_toolTip, this) ? 0 : -1;
}
