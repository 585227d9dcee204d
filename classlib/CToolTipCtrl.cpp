#include "classlib/CToolTipCtrl.h"
#include "classlib/AfxModule.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    if (!AfxCreateControl(this, TOOLTIPS_CLASSW, nullptr, WS_POPUP | dwStyle, CRect(), pParentWnd, 0))
        return FALSE;
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

TTTOOLINFOW CToolTipCtrl::ToolInfo(CWnd* pWnd, UINT_PTR nIDTool)
{
    // The size both comctl32 versions accept.
    TTTOOLINFOW info = {};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = pWnd->GetSafeHwnd();
    if (nIDTool) {
        info.uId = nIDTool;
    } else {
        info.uId = reinterpret_cast<UINT_PTR>(info.hwnd);
        info.uFlags = TTF_IDISHWND;
    }
    return info;
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCWSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TTTOOLINFOW info = ToolInfo(pWnd, nIDTool);
    if (nIDTool && lpRectTool)
        info.rect = *lpRectTool;
    info.lpszText = const_cast<LPWSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TTTOOLINFOW info = ToolInfo(pWnd, nIDTool);
    if (nIDTool && lpRectTool)
        info.rect = *lpRectTool;
    info.hinst = AfxGetResourceHandle();
    info.lpszText = MAKEINTRESOURCEW(nIDText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOW info = ToolInfo(pWnd, nIDTool);
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(LPCWSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOW info = ToolInfo(pWnd, nIDTool);
    info.lpszText = const_cast<LPWSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TTTOOLINFOW info = ToolInfo(pWnd, nIDTool);
    info.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

BOOL CToolTipCtrl::GetToolInfo(TTTOOLINFOW* pToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const
{
    *pToolInfo = ToolInfo(pWnd, nIDTool);
    return static_cast<BOOL>(SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(pToolInfo)));
}
