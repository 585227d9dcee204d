// CToolTipCtrl: a tool-tip control and the tools it shows tips for.
#pragma once
#include "classlib/AfxControls.h"

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    // A top-level tip window owned by pParentWnd.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    // A tool is pWnd's rectangle lpRectTool named by a non-zero nIDTool, or else the window
    // pWnd itself. LPSTR_TEXTCALLBACK asks the owner with TTN_GETDISPINFO. The tip sees the
    // mouse only through RelayEvent.
    BOOL AddTool(CWnd* pWnd, LPCWSTR lpszText = LPSTR_TEXTCALLBACKW, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCWSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    BOOL GetToolInfo(TTTOOLINFOW* pToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;

    void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg)); }
    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }
    void Pop() { SendMessage(TTM_POP); }
    int SetMaxTipWidth(int iWidth) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth)); }
    void SetDelayTime(DWORD dwDuration, int iTime) { SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
    void SetTipBkColor(COLORREF clr) { SendMessage(TTM_SETTIPBKCOLOR, clr); }
    void SetTipTextColor(COLORREF clr) { SendMessage(TTM_SETTIPTEXTCOLOR, clr); }

private:
    // A TTTOOLINFO of the size this comctl32 version accepts, naming the tool.
    static TTTOOLINFOW ToolInfo(CWnd* pWnd, UINT_PTR nIDTool);
};
