// Message-map entries for window messages, control notifications and their reflected forms.
// Each ON_WM_<MESSAGE>() calls the handler of the usual name and signature on the map's own
// class; the typed member pointer makes a wrong signature a compile error. Handlers that take
// CDC*, CMenu* or CScrollBar* need those classes complete where the map is written.
#pragma once
#include "classlib/CCmdTarget.h"
#include "classlib/CWnd.h"
#include <commctrl.h>

#define AFX_POINT_LPARAM(lParam) CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)))
#define AFX_WND_ARG(value) CWnd::FromHandle(reinterpret_cast<HWND>(value))

#define AFX_ON_WM_VOID(message, Handler, Params, Args) \
    {message, 0, 0, 0, \
     AFX_MSG_THUNK(void (ThisClass::*pfn) Params = &ThisClass::Handler; (p->*pfn) Args; return TRUE;)},
#define AFX_ON_WM_RESULT(message, Ret, Handler, Params, Args) \
    {message, 0, 0, 0, \
     AFX_MSG_THUNK(Ret (ThisClass::*pfn) Params = &ThisClass::Handler; \
                   m.lResult = (LRESULT)(p->*pfn) Args; return TRUE;)},

#define AFX_ON_MOUSE(message, Handler) \
    AFX_ON_WM_VOID(message, Handler, (UINT, CPoint), (static_cast<UINT>(m.wParam), AFX_POINT_LPARAM(m.lParam)))
#define AFX_ON_NCMOUSE(message, Handler) \
    AFX_ON_WM_VOID(message, Handler, (UINT, CPoint), (static_cast<UINT>(m.wParam), AFX_POINT_LPARAM(m.lParam)))
#define AFX_ON_KEY(message, Handler) \
    AFX_ON_WM_VOID(message, Handler, (UINT, UINT, UINT), \
                   (static_cast<UINT>(m.wParam), LOWORD(m.lParam), HIWORD(m.lParam)))

// Lifetime and layout
#define ON_WM_CREATE() AFX_ON_WM_RESULT(WM_CREATE, int, OnCreate, (LPCREATESTRUCT), (reinterpret_cast<LPCREATESTRUCT>(m.lParam)))
#define ON_WM_NCCREATE() AFX_ON_WM_RESULT(WM_NCCREATE, BOOL, OnNcCreate, (LPCREATESTRUCT), (reinterpret_cast<LPCREATESTRUCT>(m.lParam)))
#define ON_WM_DESTROY() AFX_ON_WM_VOID(WM_DESTROY, OnDestroy, (), ())
#define ON_WM_NCDESTROY() AFX_ON_WM_VOID(WM_NCDESTROY, OnNcDestroy, (), ())
#define ON_WM_CLOSE() AFX_ON_WM_VOID(WM_CLOSE, OnClose, (), ())
#define ON_WM_SIZE() \
    AFX_ON_WM_VOID(WM_SIZE, OnSize, (UINT, int, int), \
                   (static_cast<UINT>(m.wParam), static_cast<int>(LOWORD(m.lParam)), static_cast<int>(HIWORD(m.lParam))))
#define ON_WM_SIZING() AFX_ON_WM_VOID(WM_SIZING, OnSizing, (UINT, LPRECT), (static_cast<UINT>(m.wParam), reinterpret_cast<LPRECT>(m.lParam)))
#define ON_WM_MOVE() \
    AFX_ON_WM_VOID(WM_MOVE, OnMove, (int, int), (static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))))
#define ON_WM_GETMINMAXINFO() AFX_ON_WM_VOID(WM_GETMINMAXINFO, OnGetMinMaxInfo, (MINMAXINFO*), (reinterpret_cast<MINMAXINFO*>(m.lParam)))
#define ON_WM_WINDOWPOSCHANGING() \
    AFX_ON_WM_VOID(WM_WINDOWPOSCHANGING, OnWindowPosChanging, (WINDOWPOS*), (reinterpret_cast<WINDOWPOS*>(m.lParam)))
#define ON_WM_WINDOWPOSCHANGED() \
    AFX_ON_WM_VOID(WM_WINDOWPOSCHANGED, OnWindowPosChanged, (WINDOWPOS*), (reinterpret_cast<WINDOWPOS*>(m.lParam)))
#define ON_WM_SHOWWINDOW() AFX_ON_WM_VOID(WM_SHOWWINDOW, OnShowWindow, (BOOL, UINT), (static_cast<BOOL>(m.wParam), static_cast<UINT>(m.lParam)))
#define ON_WM_ENABLE() AFX_ON_WM_VOID(WM_ENABLE, OnEnable, (BOOL), (static_cast<BOOL>(m.wParam)))

// Painting
#define ON_WM_PAINT() AFX_ON_WM_VOID(WM_PAINT, OnPaint, (), ())
#define ON_WM_NCPAINT() AFX_ON_WM_VOID(WM_NCPAINT, OnNcPaint, (), ())
#define ON_WM_ERASEBKGND() \
    AFX_ON_WM_RESULT(WM_ERASEBKGND, BOOL, OnEraseBkgnd, (CDC*), (CDC::FromHandle(reinterpret_cast<HDC>(m.wParam))))
#define ON_WM_SYSCOLORCHANGE() AFX_ON_WM_VOID(WM_SYSCOLORCHANGE, OnSysColorChange, (), ())
#define ON_WM_SETTINGCHANGE() \
    AFX_ON_WM_VOID(WM_SETTINGCHANGE, OnSettingChange, (UINT, LPCWSTR), (static_cast<UINT>(m.wParam), reinterpret_cast<LPCWSTR>(m.lParam)))
#define ON_WM_NCCALCSIZE() \
    AFX_ON_WM_VOID(WM_NCCALCSIZE, OnNcCalcSize, (BOOL, NCCALCSIZE_PARAMS*), \
                   (static_cast<BOOL>(m.wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(m.lParam)))
// All seven WM_CTLCOLOR* messages; nCtlColor is CTLCOLOR_MSGBOX ... CTLCOLOR_STATIC.
#define AFX_ON_CTLCOLOR(message) \
    AFX_ON_WM_RESULT(message, HBRUSH, OnCtlColor, (CDC*, CWnd*, UINT), \
                     (CDC::FromHandle(reinterpret_cast<HDC>(m.wParam)), AFX_WND_ARG(m.lParam), m.nMessage - WM_CTLCOLORMSGBOX))
#define ON_WM_CTLCOLOR() \
    AFX_ON_CTLCOLOR(WM_CTLCOLORMSGBOX) AFX_ON_CTLCOLOR(WM_CTLCOLOREDIT) AFX_ON_CTLCOLOR(WM_CTLCOLORLISTBOX) \
    AFX_ON_CTLCOLOR(WM_CTLCOLORBTN) AFX_ON_CTLCOLOR(WM_CTLCOLORDLG) AFX_ON_CTLCOLOR(WM_CTLCOLORSCROLLBAR) \
    AFX_ON_CTLCOLOR(WM_CTLCOLORSTATIC)
#define ON_WM_DRAWITEM() \
    AFX_ON_WM_VOID(WM_DRAWITEM, OnDrawItem, (int, LPDRAWITEMSTRUCT), (static_cast<int>(m.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(m.lParam)))
#define ON_WM_MEASUREITEM() \
    AFX_ON_WM_VOID(WM_MEASUREITEM, OnMeasureItem, (int, LPMEASUREITEMSTRUCT), \
                   (static_cast<int>(m.wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(m.lParam)))

// Timers, mouse and keyboard
#define ON_WM_TIMER() AFX_ON_WM_VOID(WM_TIMER, OnTimer, (UINT_PTR), (static_cast<UINT_PTR>(m.wParam)))
#define ON_WM_MOUSEMOVE() AFX_ON_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_ON_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_ON_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_ON_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_ON_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_ON_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_ON_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_ON_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_ON_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() AFX_ON_MOUSE(WM_MBUTTONDBLCLK, OnMButtonDblClk)
#define ON_WM_MOUSEHOVER() AFX_ON_MOUSE(WM_MOUSEHOVER, OnMouseHover)
#define ON_WM_MOUSELEAVE() AFX_ON_WM_VOID(WM_MOUSELEAVE, OnMouseLeave, (), ())
#define ON_WM_MOUSEWHEEL() \
    AFX_ON_WM_RESULT(WM_MOUSEWHEEL, BOOL, OnMouseWheel, (UINT, short, CPoint), \
                     (LOWORD(m.wParam), static_cast<short>(HIWORD(m.wParam)), AFX_POINT_LPARAM(m.lParam)))
#define ON_WM_MOUSEACTIVATE() \
    AFX_ON_WM_RESULT(WM_MOUSEACTIVATE, int, OnMouseActivate, (CWnd*, UINT, UINT), \
                     (AFX_WND_ARG(m.wParam), LOWORD(m.lParam), HIWORD(m.lParam)))
#define ON_WM_SETCURSOR() \
    AFX_ON_WM_RESULT(WM_SETCURSOR, BOOL, OnSetCursor, (CWnd*, UINT, UINT), \
                     (AFX_WND_ARG(m.wParam), LOWORD(m.lParam), HIWORD(m.lParam)))
#define ON_WM_CAPTURECHANGED() AFX_ON_WM_VOID(WM_CAPTURECHANGED, OnCaptureChanged, (CWnd*), (AFX_WND_ARG(m.lParam)))
#define ON_WM_CANCELMODE() AFX_ON_WM_VOID(WM_CANCELMODE, OnCancelMode, (), ())
#define ON_WM_NCHITTEST() AFX_ON_WM_RESULT(WM_NCHITTEST, LRESULT, OnNcHitTest, (CPoint), (AFX_POINT_LPARAM(m.lParam)))
#define ON_WM_NCMOUSEMOVE() AFX_ON_NCMOUSE(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_ON_NCMOUSE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_ON_NCMOUSE(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_ON_NCMOUSE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_ON_NCMOUSE(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() AFX_ON_NCMOUSE(WM_NCRBUTTONUP, OnNcRButtonUp)
#define ON_WM_KEYDOWN() AFX_ON_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_ON_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_SYSKEYDOWN() AFX_ON_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_ON_KEY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_CHAR() AFX_ON_KEY(WM_CHAR, OnChar)
#define ON_WM_SYSCHAR() AFX_ON_KEY(WM_SYSCHAR, OnSysChar)
#define ON_WM_GETDLGCODE() AFX_ON_WM_RESULT(WM_GETDLGCODE, UINT, OnGetDlgCode, (), ())
#define ON_WM_HSCROLL() \
    AFX_ON_WM_VOID(WM_HSCROLL, OnHScroll, (UINT, UINT, CScrollBar*), \
                   (LOWORD(m.wParam), HIWORD(m.wParam), reinterpret_cast<CScrollBar*>(AFX_WND_ARG(m.lParam))))
#define ON_WM_VSCROLL() \
    AFX_ON_WM_VOID(WM_VSCROLL, OnVScroll, (UINT, UINT, CScrollBar*), \
                   (LOWORD(m.wParam), HIWORD(m.wParam), reinterpret_cast<CScrollBar*>(AFX_WND_ARG(m.lParam))))

// Focus and activation
#define ON_WM_SETFOCUS() AFX_ON_WM_VOID(WM_SETFOCUS, OnSetFocus, (CWnd*), (AFX_WND_ARG(m.wParam)))
#define ON_WM_KILLFOCUS() AFX_ON_WM_VOID(WM_KILLFOCUS, OnKillFocus, (CWnd*), (AFX_WND_ARG(m.wParam)))
#define ON_WM_ACTIVATE() \
    AFX_ON_WM_VOID(WM_ACTIVATE, OnActivate, (UINT, CWnd*, BOOL), \
                   (LOWORD(m.wParam), AFX_WND_ARG(m.lParam), static_cast<BOOL>(HIWORD(m.wParam))))
#define ON_WM_ACTIVATEAPP() \
    AFX_ON_WM_VOID(WM_ACTIVATEAPP, OnActivateApp, (BOOL, DWORD), (static_cast<BOOL>(m.wParam), static_cast<DWORD>(m.lParam)))
#define ON_WM_NCACTIVATE() AFX_ON_WM_RESULT(WM_NCACTIVATE, BOOL, OnNcActivate, (BOOL), (static_cast<BOOL>(m.wParam)))

// Menus and system commands
#define ON_WM_SYSCOMMAND() AFX_ON_WM_VOID(WM_SYSCOMMAND, OnSysCommand, (UINT, LPARAM), (static_cast<UINT>(m.wParam), m.lParam))
#define ON_WM_CONTEXTMENU() AFX_ON_WM_VOID(WM_CONTEXTMENU, OnContextMenu, (CWnd*, CPoint), (AFX_WND_ARG(m.wParam), AFX_POINT_LPARAM(m.lParam)))
#define ON_WM_INITMENU() AFX_ON_WM_VOID(WM_INITMENU, OnInitMenu, (CMenu*), (CMenu::FromHandle(reinterpret_cast<HMENU>(m.wParam))))
#define ON_WM_INITMENUPOPUP() \
    AFX_ON_WM_VOID(WM_INITMENUPOPUP, OnInitMenuPopup, (CMenu*, UINT, BOOL), \
                   (CMenu::FromHandle(reinterpret_cast<HMENU>(m.wParam)), LOWORD(m.lParam), static_cast<BOOL>(HIWORD(m.lParam))))
#define ON_WM_MENUCHAR() \
    AFX_ON_WM_RESULT(WM_MENUCHAR, LRESULT, OnMenuChar, (UINT, UINT, CMenu*), \
                     (LOWORD(m.wParam), HIWORD(m.wParam), CMenu::FromHandle(reinterpret_cast<HMENU>(m.lParam))))
#define ON_WM_MENUSELECT() \
    AFX_ON_WM_VOID(WM_MENUSELECT, OnMenuSelect, (UINT, UINT, HMENU), (LOWORD(m.wParam), HIWORD(m.wParam), reinterpret_cast<HMENU>(m.lParam)))
#define ON_WM_ENTERMENULOOP() AFX_ON_WM_VOID(WM_ENTERMENULOOP, OnEnterMenuLoop, (BOOL), (static_cast<BOOL>(m.wParam)))
#define ON_WM_EXITMENULOOP() AFX_ON_WM_VOID(WM_EXITMENULOOP, OnExitMenuLoop, (BOOL), (static_cast<BOOL>(m.wParam)))
#define ON_WM_ENTERIDLE() AFX_ON_WM_VOID(WM_ENTERIDLE, OnEnterIdle, (UINT, CWnd*), (static_cast<UINT>(m.wParam), AFX_WND_ARG(m.lParam)))

// Session, shell and data
#define ON_WM_QUERYENDSESSION() AFX_ON_WM_RESULT(WM_QUERYENDSESSION, BOOL, OnQueryEndSession, (), ())
#define ON_WM_ENDSESSION() AFX_ON_WM_VOID(WM_ENDSESSION, OnEndSession, (BOOL), (static_cast<BOOL>(m.wParam)))
#define ON_WM_DROPFILES() AFX_ON_WM_VOID(WM_DROPFILES, OnDropFiles, (HDROP), (reinterpret_cast<HDROP>(m.wParam)))
#define ON_WM_COPYDATA() \
    AFX_ON_WM_RESULT(WM_COPYDATA, BOOL, OnCopyData, (CWnd*, COPYDATASTRUCT*), \
                     (AFX_WND_ARG(m.wParam), reinterpret_cast<COPYDATASTRUCT*>(m.lParam)))
#define ON_WM_PARENTNOTIFY() \
    AFX_ON_WM_VOID(WM_PARENTNOTIFY, OnParentNotify, (UINT, LPARAM), (LOWORD(m.wParam), m.lParam))
#define ON_WM_HELPINFO() AFX_ON_WM_RESULT(WM_HELP, BOOL, OnHelpInfo, (HELPINFO*), (reinterpret_cast<HELPINFO*>(m.lParam)))

// Any message: LRESULT f(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) \
    {(UINT)(message), 0, 0, 0, \
     AFX_MSG_THUNK(LRESULT (ThisClass::*pfn)(WPARAM, LPARAM) = memberFxn; \
                   m.lResult = (p->*pfn)(m.wParam, m.lParam); return TRUE;)},

// Any message whose result does not matter: void f().
#define ON_MESSAGE_VOID(message, memberFxn) \
    {(UINT)(message), 0, 0, 0, AFX_MSG_THUNK(void (ThisClass::*pfn)() = memberFxn; (p->*pfn)(); return TRUE;)},

// Control notifications through WM_COMMAND: void f(), or void f(UINT id) for a range.
#define ON_CONTROL(code, id, memberFxn) \
    {WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(id), \
     AFX_MSG_THUNK(void (ThisClass::*pfn)() = memberFxn; (p->*pfn)(); return TRUE;)},
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn) \
    {WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(idLast), \
     AFX_MSG_THUNK(void (ThisClass::*pfn)(UINT) = memberFxn; (p->*pfn)(m.nID); return TRUE;)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)

// WM_NOTIFY: void f(NMHDR*, LRESULT*); ranges add the id first; _EX handlers answer whether
// they handled it.
#define ON_NOTIFY(code, id, memberFxn) \
    {WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(id), \
     AFX_MSG_THUNK(void (ThisClass::*pfn)(NMHDR*, LRESULT*) = memberFxn; \
                   AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(m.pExtra); \
                   (p->*pfn)(pNotify->pNMHDR, pNotify->pResult); return TRUE;)},
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn) \
    {WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(idLast), \
     AFX_MSG_THUNK(void (ThisClass::*pfn)(UINT, NMHDR*, LRESULT*) = memberFxn; \
                   AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(m.pExtra); \
                   (p->*pfn)(m.nID, pNotify->pNMHDR, pNotify->pResult); return TRUE;)},
#define ON_NOTIFY_EX(code, id, memberFxn) ON_NOTIFY_EX_RANGE(code, id, id, memberFxn)
#define ON_NOTIFY_EX_RANGE(code, id, idLast, memberFxn) \
    {WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(idLast), \
     AFX_MSG_THUNK(BOOL (ThisClass::*pfn)(UINT, NMHDR*, LRESULT*) = memberFxn; \
                   AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(m.pExtra); \
                   return (p->*pfn)(m.nID, pNotify->pNMHDR, pNotify->pResult);)},

// Reflected notifications, handled by the control itself before its parent sees them. The
// _EX forms answer FALSE to let the parent handle the notification as well.
#define ON_CONTROL_REFLECT(code, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND, (UINT)(code), 0, 0, \
     AFX_MSG_THUNK(void (ThisClass::*pfn)() = memberFxn; (p->*pfn)(); return TRUE;)},
#define ON_CONTROL_REFLECT_EX(code, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND, (UINT)(code), 0, 0, \
     AFX_MSG_THUNK(BOOL (ThisClass::*pfn)() = memberFxn; return (p->*pfn)();)},
#define ON_NOTIFY_REFLECT(code, memberFxn) \
    {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(code), 0, 0, \
     AFX_MSG_THUNK(void (ThisClass::*pfn)(NMHDR*, LRESULT*) = memberFxn; \
                   AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(m.pExtra); \
                   (p->*pfn)(pNotify->pNMHDR, pNotify->pResult); return TRUE;)},
#define ON_NOTIFY_REFLECT_EX(code, memberFxn) \
    {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(code), 0, 0, \
     AFX_MSG_THUNK(BOOL (ThisClass::*pfn)(NMHDR*, LRESULT*) = memberFxn; \
                   AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(m.pExtra); \
                   return (p->*pfn)(pNotify->pNMHDR, pNotify->pResult);)},
// A NULL brush from CtlColor leaves the colours to the parent.
#define AFX_ON_CTLCOLOR_REFLECT(message) \
    {WM_REFLECT_BASE + (message), 0, 0, 0, \
     AFX_MSG_THUNK(HBRUSH (ThisClass::*pfn)(CDC*, UINT) = &ThisClass::CtlColor; \
                   HBRUSH hbr = (p->*pfn)(CDC::FromHandle(reinterpret_cast<HDC>(m.wParam)), m.nMessage - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX); \
                   m.lResult = reinterpret_cast<LRESULT>(hbr); return hbr != nullptr;)},
#define ON_WM_CTLCOLOR_REFLECT() \
    AFX_ON_CTLCOLOR_REFLECT(WM_CTLCOLORMSGBOX) AFX_ON_CTLCOLOR_REFLECT(WM_CTLCOLOREDIT) \
    AFX_ON_CTLCOLOR_REFLECT(WM_CTLCOLORLISTBOX) AFX_ON_CTLCOLOR_REFLECT(WM_CTLCOLORBTN) \
    AFX_ON_CTLCOLOR_REFLECT(WM_CTLCOLORDLG) AFX_ON_CTLCOLOR_REFLECT(WM_CTLCOLORSCROLLBAR) \
    AFX_ON_CTLCOLOR_REFLECT(WM_CTLCOLORSTATIC)
#define ON_WM_DRAWITEM_REFLECT() \
    AFX_ON_WM_VOID(WM_REFLECT_BASE + WM_DRAWITEM, DrawItem, (LPDRAWITEMSTRUCT), (reinterpret_cast<LPDRAWITEMSTRUCT>(m.lParam)))
#define ON_WM_MEASUREITEM_REFLECT() \
    AFX_ON_WM_VOID(WM_REFLECT_BASE + WM_MEASUREITEM, MeasureItem, (LPMEASUREITEMSTRUCT), \
                   (reinterpret_cast<LPMEASUREITEMSTRUCT>(m.lParam)))
#define ON_WM_HSCROLL_REFLECT() \
    AFX_ON_WM_VOID(WM_REFLECT_BASE + WM_HSCROLL, HScroll, (UINT, UINT), (LOWORD(m.wParam), HIWORD(m.wParam)))
#define ON_WM_VSCROLL_REFLECT() \
    AFX_ON_WM_VOID(WM_REFLECT_BASE + WM_VSCROLL, VScroll, (UINT, UINT), (LOWORD(m.wParam), HIWORD(m.wParam)))
