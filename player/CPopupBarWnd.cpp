#include "player/CPopupBarWnd.h"

IMPLEMENT_DYNAMIC(CPopupBarWnd, CItemBar)

BEGIN_MESSAGE_MAP(CPopupBarWnd, CItemBar)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CPopupBarWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CItemBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_toolTip.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX))
        return -1;
    m_toolTip.SetMaxTipWidth(0xFFFF);
    return 0;
}

BOOL CPopupBarWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.m_hWnd)
        m_toolTip.RelayEvent(pMsg);
    return CItemBar::PreTranslateMessage(pMsg);
}

BOOL CPopupBarWnd::LoadImageList(CImageList& list, UINT nBitmapID, int cx, COLORREF crMask)
{
    CBitmap bitmap;
    BITMAP info = {};
    if (!bitmap.LoadBitmap(nBitmapID) || !bitmap.GetBitmap(&info) || cx <= 0)
        return FALSE;
    int nCount = info.bmWidth / cx;
    if (!list.Create(cx, info.bmHeight, ILC_COLOR32 | ILC_MASK, 0, nCount))
        return FALSE;
    return list.Add(&bitmap, crMask) != -1;
}
