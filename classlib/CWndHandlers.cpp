// CWnd: the default message handlers. Each lets the window procedure underneath handle the
// message; the ones for control notifications first offer it to the control that sent it.
#include "classlib/CWnd.h"

int CWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return static_cast<int>(Default());
}

void CWnd::OnDestroy()
{
    Default();
}

void CWnd::OnClose()
{
    Default();
}

void CWnd::OnSize(UINT nType, int cx, int cy)
{
    Default();
}

void CWnd::OnMove(int x, int y)
{
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

BOOL CWnd::OnEraseBkgnd(CDC* pDC)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnTimer(UINT_PTR nIDEvent)
{
    Default();
}

void CWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    Default();
}

void CWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    Default();
}

void CWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    Default();
}

void CWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    Default();
}

void CWnd::OnRButtonDown(UINT nFlags, CPoint point)
{
    Default();
}

void CWnd::OnRButtonUp(UINT nFlags, CPoint point)
{
    Default();
}

void CWnd::OnRButtonDblClk(UINT nFlags, CPoint point)
{
    Default();
}

void CWnd::OnMButtonDown(UINT nFlags, CPoint point)
{
    Default();
}

void CWnd::OnMButtonUp(UINT nFlags, CPoint point)
{
    Default();
}

void CWnd::OnMButtonDblClk(UINT nFlags, CPoint point)
{
    Default();
}

BOOL CWnd::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnMouseLeave()
{
    Default();
}

void CWnd::OnMouseHover(UINT nFlags, CPoint point)
{
    Default();
}

int CWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    return static_cast<int>(Default());
}

void CWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    Default();
}

void CWnd::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    Default();
}

void CWnd::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    Default();
}

void CWnd::OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    Default();
}

void CWnd::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    Default();
}

void CWnd::OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    Default();
}

void CWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    ReflectOrDefault(HandleOf(reinterpret_cast<CWnd*>(pScrollBar)));
}

void CWnd::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    ReflectOrDefault(HandleOf(reinterpret_cast<CWnd*>(pScrollBar)));
}

BOOL CWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnContextMenu(CWnd* pWnd, CPoint pos)
{
    Default();
}

void CWnd::OnDropFiles(HDROP hDropInfo)
{
    Default();
}

void CWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    Default();
}

void CWnd::OnInitMenu(CMenu* pMenu)
{
    Default();
}

void CWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    Default();
}

LRESULT CWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    return static_cast<LRESULT>(Default());
}

void CWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    Default();
}

void CWnd::OnEnterMenuLoop(BOOL bIsTrackPopupMenu)
{
    Default();
}

void CWnd::OnExitMenuLoop(BOOL bIsTrackPopupMenu)
{
    Default();
}

void CWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    Default();
}

void CWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    Default();
}

void CWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    Default();
}

BOOL CWnd::OnQueryEndSession()
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnEndSession(BOOL bEnding)
{
    Default();
}

void CWnd::OnSysColorChange()
{
    Default();
}

void CWnd::OnSettingChange(UINT uFlags, LPCWSTR lpszSection)
{
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    return reinterpret_cast<HBRUSH>(ReflectOrDefault(HandleOf(pWnd)));
}

UINT CWnd::OnGetDlgCode()
{
    return static_cast<UINT>(Default());
}

void CWnd::OnKillFocus(CWnd* pNewWnd)
{
    Default();
}

void CWnd::OnSetFocus(CWnd* pOldWnd)
{
    Default();
}

void CWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    Default();
}

void CWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    Default();
}

void CWnd::OnCancelMode()
{
    Default();
}

void CWnd::OnCaptureChanged(CWnd* pWnd)
{
    Default();
}

void CWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    Default();
}

void CWnd::OnEnable(BOOL bEnable)
{
    Default();
}

BOOL CWnd::OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    ReflectOrDefault(lpDrawItemStruct && lpDrawItemStruct->CtlType != ODT_MENU ? lpDrawItemStruct->hwndItem : nullptr);
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    bool bControl = lpMeasureItemStruct && lpMeasureItemStruct->CtlType != ODT_MENU;
    ReflectOrDefault(bControl ? ::GetDlgItem(m_hWnd, lpMeasureItemStruct->CtlID) : nullptr);
}

LRESULT CWnd::OnNcHitTest(CPoint point)
{
    return static_cast<LRESULT>(Default());
}

BOOL CWnd::OnNcCreate(LPCREATESTRUCT lpCreateStruct)
{
    return static_cast<BOOL>(Default());
}

BOOL CWnd::OnNcActivate(BOOL bActive)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    Default();
}

void CWnd::OnNcPaint()
{
    Default();
}

void CWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    Default();
}

void CWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    Default();
}

void CWnd::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    Default();
}

void CWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    Default();
}

void CWnd::OnNcRButtonDown(UINT nHitTest, CPoint point)
{
    Default();
}

void CWnd::OnNcRButtonUp(UINT nHitTest, CPoint point)
{
    Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    Default();
}

void CWnd::OnEnterIdle(UINT nWhy, CWnd* pWho)
{
    Default();
}

BOOL CWnd::OnHelpInfo(HELPINFO* lpHelpInfo)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnSizing(UINT fwSide, LPRECT pRect)
{
    Default();
}

void CWnd::OnNcDestroy()
{
    Default();
    FinishNcDestroy();
}
