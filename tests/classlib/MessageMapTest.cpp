// Message maps: which handler a message reaches, in which order, and what it is given.
#include "classlib/Afx.h"
#include "tests/classlib/CallLog.h"
#include <gtest/gtest.h>
#include <string>

namespace {

const UINT WM_BOTH = WM_APP + 1;       // mapped in the base and in the derived class
const UINT WM_BASE_ONLY = WM_APP + 2;  // mapped in the base class only
const UINT WM_NOWHERE = WM_APP + 3;    // mapped nowhere
const UINT WM_CALLS_DEFAULT = WM_APP + 4;

// The window class underneath: it logs what our maps left unhandled.
LRESULT CALLBACK SuperProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_APP)
        Log(L"super:" + std::to_wstring(message - WM_APP));
    if (message == WM_DRAWITEM)
        Log(L"super:drawitem");
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

LPCWSTR SuperClass()
{
    static const ATOM atom = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = SuperProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MessageMapTestSuper";
        return RegisterClassW(&wc);
    }();
    return MAKEINTATOM(atom);
}

class CBaseWnd : public CWnd {
public:
    BOOL CreateTop() { return CreateEx(0, SuperClass(), L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr); }

protected:
    LRESULT OnBoth(WPARAM, LPARAM)
    {
        Log(L"base:both");
        return 1;
    }
    LRESULT OnBaseOnly(WPARAM wParam, LPARAM)
    {
        Log(L"base:only");
        return static_cast<LRESULT>(wParam) * 2;
    }
    void OnCommandBase() { Log(L"base:command"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_MESSAGE(WM_BOTH, &CBaseWnd::OnBoth)
    ON_MESSAGE(WM_BASE_ONLY, &CBaseWnd::OnBaseOnly)
    ON_COMMAND(300, &CBaseWnd::OnCommandBase)
    ON_COMMAND(301, &CBaseWnd::OnCommandBase)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
public:
    BOOL m_bEnable301 = TRUE;

protected:
    LRESULT OnBoth(WPARAM, LPARAM)
    {
        Log(L"derived:both");
        return 2;
    }
    LRESULT OnCallsDefault(WPARAM, LPARAM)
    {
        Log(L"derived:default");
        return Default();
    }
    void OnCommandDerived() { Log(L"derived:command"); }
    void OnRange(UINT nID) { Log(L"range:" + std::to_wstring(nID)); }
    BOOL OnRangeEx(UINT nID)
    {
        Log(L"rangeex:" + std::to_wstring(nID));
        return nID != 205;  // 205 passes on
    }
    void OnUpdate301(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bEnable301); }
    void OnUpdateRange(CCmdUI* pCmdUI) { Log(L"update:" + std::to_wstring(pCmdUI->m_nID)); }
    void OnSize(UINT nType, int cx, int cy) { Log(L"size:" + std::to_wstring(cx) + L"x" + std::to_wstring(cy)); }
    void OnLButtonDown(UINT nFlags, CPoint point)
    {
        Log(L"lbutton:" + std::to_wstring(point.x) + L"," + std::to_wstring(point.y));
    }
    void OnNotifyRange(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
    {
        Log(L"notify:" + std::to_wstring(nID));
        *pResult = 42;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_MESSAGE(WM_BOTH, &CDerivedWnd::OnBoth)
    ON_MESSAGE(WM_CALLS_DEFAULT, &CDerivedWnd::OnCallsDefault)
    ON_COMMAND(300, &CDerivedWnd::OnCommandDerived)
    ON_UPDATE_COMMAND_UI(301, &CDerivedWnd::OnUpdate301)
    ON_COMMAND_RANGE(100, 110, &CDerivedWnd::OnRange)
    ON_COMMAND_EX_RANGE(200, 210, &CDerivedWnd::OnRangeEx)
    ON_UPDATE_COMMAND_UI_RANGE(100, 110, &CDerivedWnd::OnUpdateRange)
    ON_NOTIFY_RANGE(NM_CLICK, 400, 410, &CDerivedWnd::OnNotifyRange)
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class MessageMap : public ::testing::Test {
protected:
    MessageMap()
    {
        g_log.clear();
        EXPECT_TRUE(m_wnd.CreateTop());
        g_log.clear();
    }
    ~MessageMap() override { m_wnd.DestroyWindow(); }

    std::wstring Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, LRESULT* pResult = nullptr)
    {
        g_log.clear();
        LRESULT lResult = m_wnd.SendMessage(message, wParam, lParam);
        if (pResult)
            *pResult = lResult;
        return g_log;
    }

    CDerivedWnd m_wnd;
};

struct DispatchCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const wchar_t* log;
    LRESULT result;
};

TEST_F(MessageMap, DispatchOrder)
{
    const DispatchCase cases[] = {
        {"derived entry wins over the base's", WM_BOTH, 0, 0, L"derived:both", 2},
        {"unhandled in derived reaches the base map", WM_BASE_ONLY, 21, 0, L"base:only", 42},
        {"unhandled everywhere reaches the window procedure", WM_NOWHERE, 0, 0, L"super:3", 0},
        {"Default() reaches the window procedure", WM_CALLS_DEFAULT, 0, 0, L"derived:default super:4", 0},
        {"derived command wins", WM_COMMAND, 300, 0, L"derived:command", 0},
        {"command range passes the id", WM_COMMAND, 107, 0, L"update:107 range:107", 0},
        {"range bounds are inclusive", WM_COMMAND, 110, 0, L"update:110 range:110", 0},
        {"outside the range nothing runs", WM_COMMAND, 111, 0, L"", 0},
        {"EX range handles its command", WM_COMMAND, 204, 0, L"rangeex:204", 0},
        {"mouse point unpacked", WM_LBUTTONDOWN, 0, MAKELPARAM(12, 34), L"lbutton:12,34", 0},
        {"size unpacked", WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 480), L"size:640x480", 0},
    };
    for (const DispatchCase& c : cases) {
        LRESULT lResult = -1;
        EXPECT_EQ(c.log, Send(c.message, c.wParam, c.lParam, &lResult)) << c.name;
        if (c.message != WM_COMMAND) {
            EXPECT_EQ(c.result, lResult) << c.name;
        }
    }
}

TEST_F(MessageMap, EnabledStateDecidesWhetherMenuAndAcceleratorCommandsRun)
{
    struct Case {
        const char* name;
        BOOL bEnabled;
        WORD nSource;  // 0 menu, 1 accelerator
        const wchar_t* log;
    } cases[] = {
        {"enabled from a menu", TRUE, 0, L"base:command"},
        {"enabled from an accelerator", TRUE, 1, L"base:command"},
        {"disabled from a menu", FALSE, 0, L""},
        {"disabled from an accelerator", FALSE, 1, L""},
    };
    for (const Case& c : cases) {
        m_wnd.m_bEnable301 = c.bEnabled;
        EXPECT_EQ(c.log, Send(WM_COMMAND, MAKEWPARAM(301, c.nSource))) << c.name;
    }
}

TEST_F(MessageMap, NotificationRangePassesTheSendersIdAndResult)
{
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, L"", WS_CHILD, CRect(0, 0, 10, 10), &m_wnd, 404));
    NMHDR nmhdr = {child.m_hWnd, 404, static_cast<UINT>(NM_CLICK)};
    LRESULT lResult = 0;
    EXPECT_EQ(L"notify:404", Send(WM_NOTIFY, 404, reinterpret_cast<LPARAM>(&nmhdr), &lResult));
    EXPECT_EQ(42, lResult);

    nmhdr.code = static_cast<UINT>(NM_DBLCLK);  // another code is not this entry's
    EXPECT_EQ(L"", Send(WM_NOTIFY, 404, reinterpret_cast<LPARAM>(&nmhdr), &lResult));
}

TEST_F(MessageMap, OnCmdMsgFindsHandlersWithoutCallingThem)
{
    AFX_CMDHANDLERINFO info = {};
    g_log.clear();
    EXPECT_TRUE(m_wnd.OnCmdMsg(105, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(&m_wnd, info.pTarget);
    EXPECT_EQ(L"", g_log);
    EXPECT_FALSE(m_wnd.OnCmdMsg(111, CN_COMMAND, nullptr, &info));
}

TEST_F(MessageMap, ExRangeHandlerThatDeclinesLeavesTheCommandUnhandled)
{
    g_log.clear();
    EXPECT_TRUE(m_wnd.OnCmdMsg(204, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(m_wnd.OnCmdMsg(205, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(L"rangeex:204 rangeex:205", g_log);
}

// Reflection: a control's notification to its parent is offered to the control's own map first.

class CReflectingChild : public CWnd {
public:
    BOOL m_bPassOn = FALSE;  // the _EX handlers let the parent handle it as well

protected:
    void OnClicked() { Log(L"child:clicked"); }
    BOOL OnChangedEx()
    {
        Log(L"child:changed");
        return !m_bPassOn;
    }
    void OnNmClick(NMHDR*, LRESULT* pResult)
    {
        Log(L"child:nmclick");
        *pResult = 7;
    }
    BOOL OnNmDblClkEx(NMHDR*, LRESULT* pResult)
    {
        Log(L"child:nmdblclk");
        *pResult = 8;
        return !m_bPassOn;
    }
    void DrawItem(LPDRAWITEMSTRUCT) { Log(L"child:drawitem"); }
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        Log(L"child:ctlcolor:" + std::to_wstring(nCtlColor));
        return m_bPassOn ? nullptr : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    }
    void HScroll(UINT nSBCode, UINT nPos) { Log(L"child:hscroll:" + std::to_wstring(nPos)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingChild, CWnd)
    ON_CONTROL_REFLECT(BN_CLICKED, &CReflectingChild::OnClicked)
    ON_CONTROL_REFLECT_EX(EN_CHANGE, &CReflectingChild::OnChangedEx)
    ON_NOTIFY_REFLECT(NM_CLICK, &CReflectingChild::OnNmClick)
    ON_NOTIFY_REFLECT_EX(NM_DBLCLK, &CReflectingChild::OnNmDblClkEx)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_HSCROLL_REFLECT()
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CParentWnd : public CWnd {
protected:
    void OnClicked() { Log(L"parent:clicked"); }
    void OnChanged() { Log(L"parent:changed"); }
    void OnNotifyClick(NMHDR*, LRESULT* pResult)
    {
        Log(L"parent:nmclick");
        *pResult = 9;
    }
    void OnNotifyDblClk(NMHDR*, LRESULT* pResult)
    {
        Log(L"parent:nmdblclk");
        *pResult = 10;
    }
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    {
        Log(L"parent:hscroll");
        CWnd::OnHScroll(nSBCode, nPos, pScrollBar);  // the base offers it to the control
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_BN_CLICKED(500, &CParentWnd::OnClicked)
    ON_EN_CHANGE(500, &CParentWnd::OnChanged)
    ON_NOTIFY(NM_CLICK, 500, &CParentWnd::OnNotifyClick)
    ON_NOTIFY(NM_DBLCLK, 500, &CParentWnd::OnNotifyDblClk)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

class Reflection : public ::testing::Test {
protected:
    Reflection()
    {
        EXPECT_TRUE(m_parent.CreateEx(0, SuperClass(), L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
        EXPECT_TRUE(m_child.Create(nullptr, L"", WS_CHILD, CRect(0, 0, 10, 10), &m_parent, 500));
        g_log.clear();
    }
    ~Reflection() override { m_parent.DestroyWindow(); }

    std::wstring Command(WORD nCode)
    {
        g_log.clear();
        m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(500, nCode), reinterpret_cast<LPARAM>(m_child.m_hWnd));
        return g_log;
    }
    std::wstring Notify(int nCode, LRESULT* pResult)
    {
        g_log.clear();
        NMHDR nmhdr = {m_child.m_hWnd, 500, static_cast<UINT>(nCode)};
        *pResult = m_parent.SendMessage(WM_NOTIFY, 500, reinterpret_cast<LPARAM>(&nmhdr));
        return g_log;
    }

    CParentWnd m_parent;
    CReflectingChild m_child;
};

TEST_F(Reflection, ControlNotificationsReachTheChildFirst)
{
    LRESULT lResult = 0;
    EXPECT_EQ(L"child:clicked", Command(BN_CLICKED));
    EXPECT_EQ(L"child:changed", Command(EN_CHANGE));
    EXPECT_EQ(L"child:nmclick", Notify(NM_CLICK, &lResult));
    EXPECT_EQ(7, lResult);
    EXPECT_EQ(L"child:nmdblclk", Notify(NM_DBLCLK, &lResult));
    EXPECT_EQ(8, lResult);
}

TEST_F(Reflection, ExVariantsPassTheNotificationOnToTheParent)
{
    m_child.m_bPassOn = TRUE;
    LRESULT lResult = 0;
    EXPECT_EQ(L"child:changed parent:changed", Command(EN_CHANGE));
    EXPECT_EQ(L"child:nmdblclk parent:nmdblclk", Notify(NM_DBLCLK, &lResult));
    EXPECT_EQ(10, lResult);
    EXPECT_EQ(L"child:clicked", Command(BN_CLICKED));  // not an _EX entry: still the child's alone
}

TEST_F(Reflection, NotificationsTheChildDoesNotMapReachTheParent)
{
    LRESULT lResult = 0;
    EXPECT_EQ(L"", Command(BN_DOUBLECLICKED));
    EXPECT_EQ(L"", Notify(NM_RCLICK, &lResult));
}

TEST_F(Reflection, DrawItemAndScrollAreReflected)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 500;
    dis.hwndItem = m_child.m_hWnd;
    m_parent.SendMessage(WM_DRAWITEM, 500, reinterpret_cast<LPARAM>(&dis));
    EXPECT_EQ(L"child:drawitem", g_log);

    // A menu item is drawn by the parent's window procedure, never by a control.
    g_log.clear();
    dis.CtlType = ODT_MENU;
    m_parent.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    EXPECT_EQ(L"super:drawitem", g_log);

    g_log.clear();
    m_parent.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 33), reinterpret_cast<LPARAM>(m_child.m_hWnd));
    EXPECT_EQ(L"parent:hscroll child:hscroll:33", g_log);
}

TEST_F(Reflection, ControlChoosesItsColoursUnlessItReturnsNoBrush)
{
    HDC hDC = GetDC(nullptr);
    LRESULT lBrush = m_parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                                          reinterpret_cast<LPARAM>(m_child.m_hWnd));
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH)), lBrush);
    EXPECT_EQ(L"child:ctlcolor:6", g_log);  // CTLCOLOR_STATIC

    g_log.clear();
    m_child.m_bPassOn = TRUE;
    lBrush = m_parent.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(m_child.m_hWnd));
    EXPECT_EQ(L"child:ctlcolor:1", g_log);
    EXPECT_NE(reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH)), lBrush) << "the parent's default colours";
    ReleaseDC(nullptr, hDC);
}

// Every window-message entry with CWnd's own handlers: each unpacks its message and passes it
// on through Default() unchanged, so the answers are those of the window class underneath
// (a handler declared void answers 0).
class CEveryMessageWnd : public CWnd {
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEveryMessageWnd, CWnd)
    ON_WM_CREATE() ON_WM_NCCREATE() ON_WM_DESTROY() ON_WM_NCDESTROY() ON_WM_CLOSE() ON_WM_SIZE() ON_WM_SIZING()
    ON_WM_MOVE() ON_WM_GETMINMAXINFO() ON_WM_WINDOWPOSCHANGING() ON_WM_WINDOWPOSCHANGED() ON_WM_SHOWWINDOW()
    ON_WM_ENABLE() ON_WM_PAINT() ON_WM_NCPAINT() ON_WM_ERASEBKGND() ON_WM_SYSCOLORCHANGE() ON_WM_SETTINGCHANGE()
    ON_WM_NCCALCSIZE() ON_WM_CTLCOLOR() ON_WM_DRAWITEM() ON_WM_MEASUREITEM() ON_WM_TIMER() ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN() ON_WM_LBUTTONUP() ON_WM_LBUTTONDBLCLK() ON_WM_RBUTTONDOWN() ON_WM_RBUTTONUP()
    ON_WM_RBUTTONDBLCLK() ON_WM_MBUTTONDOWN() ON_WM_MBUTTONUP() ON_WM_MBUTTONDBLCLK() ON_WM_MOUSEHOVER()
    ON_WM_MOUSELEAVE() ON_WM_MOUSEWHEEL() ON_WM_MOUSEACTIVATE() ON_WM_SETCURSOR() ON_WM_CAPTURECHANGED()
    ON_WM_CANCELMODE() ON_WM_NCHITTEST() ON_WM_NCMOUSEMOVE() ON_WM_NCLBUTTONDOWN() ON_WM_NCLBUTTONUP()
    ON_WM_NCLBUTTONDBLCLK() ON_WM_NCRBUTTONDOWN() ON_WM_NCRBUTTONUP() ON_WM_KEYDOWN() ON_WM_KEYUP()
    ON_WM_SYSKEYDOWN() ON_WM_SYSKEYUP() ON_WM_CHAR() ON_WM_SYSCHAR() ON_WM_GETDLGCODE() ON_WM_HSCROLL()
    ON_WM_VSCROLL() ON_WM_SETFOCUS() ON_WM_KILLFOCUS() ON_WM_ACTIVATE() ON_WM_ACTIVATEAPP() ON_WM_NCACTIVATE()
    ON_WM_SYSCOMMAND() ON_WM_CONTEXTMENU() ON_WM_INITMENU() ON_WM_INITMENUPOPUP() ON_WM_MENUCHAR()
    ON_WM_MENUSELECT() ON_WM_ENTERMENULOOP() ON_WM_EXITMENULOOP() ON_WM_ENTERIDLE() ON_WM_QUERYENDSESSION()
    ON_WM_ENDSESSION() ON_WM_DROPFILES() ON_WM_COPYDATA() ON_WM_PARENTNOTIFY() ON_WM_HELPINFO()
END_MESSAGE_MAP()

TEST(MessageMapEntries, DefaultHandlersAnswerAsTheWindowClassDoes)
{
    CEveryMessageWnd mapped;
    ASSERT_TRUE(mapped.CreateEx(0, L"EDIT", L"text", WS_POPUP, 0, 0, 100, 30, nullptr, nullptr));
    HWND hPlain = CreateWindowExW(0, L"EDIT", L"text", WS_POPUP, 0, 0, 100, 30, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hPlain);
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } cases[] = {
        {"WM_GETDLGCODE", WM_GETDLGCODE, 0, 0},
        {"WM_NCHITTEST", WM_NCHITTEST, 0, MAKELPARAM(10, 10)},
        {"WM_MOUSEACTIVATE", WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)},
        {"WM_QUERYENDSESSION", WM_QUERYENDSESSION, 0, 0},
        {"WM_MENUCHAR", WM_MENUCHAR, MAKEWPARAM('x', MF_POPUP), 0},
        {"WM_NCACTIVATE", WM_NCACTIVATE, FALSE, 0},
        {"WM_SETCURSOR", WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)},
    };
    for (const Case& c : cases) {
        LRESULT lMapped = mapped.SendMessage(c.message, c.wParam, c.lParam);
        LRESULT lPlain = SendMessageW(hPlain, c.message, c.wParam, c.lParam);
        EXPECT_EQ(lPlain, lMapped) << c.name;
    }
    mapped.SendMessage(WM_CHAR, 'z', 1);
    SendMessageW(hPlain, WM_CHAR, 'z', 1);
    CString text;
    mapped.GetWindowText(text);
    wchar_t plain[32] = {};
    GetWindowTextW(hPlain, plain, 32);
    EXPECT_EQ(CString(plain), text);
    DestroyWindow(hPlain);
    mapped.DestroyWindow();
}

}  // namespace
