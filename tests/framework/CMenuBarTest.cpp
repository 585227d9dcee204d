// The menu bar: mnemonics and layout as tables; the frame's calls (Alt alone,
// Alt+letter); keys in keyboard navigation; modal menu loops opened by the bar and ended by
// posted keys, with Escape keeping the title hot and Right moving to the next title; drawing of
// the dark bar in a DIB section.
#include "framework/controls/CMenuBar.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/WindowHarness.h"
#include <gtest/gtest.h>
#include <deque>
#include <functional>

namespace {

// A top-level window hosting the bar as CAppMainWnd_VMB does: it forwards the menu messages.
class CMenuHost : public RecordingParent {
public:
    CAppMenuBar m_bar;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_INITMENUPOPUP: {
            m_popups.push_back(reinterpret_cast<HMENU>(wParam));
            LRESULT r = RecordingParent::WindowProc(message, wParam, lParam);
            m_bar.OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam));
            return r;
        }
        case WM_MENUSELECT: {
            LRESULT r = RecordingParent::WindowProc(message, wParam, lParam);
            m_bar.OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
            return r;
        }
        case WM_MENUCHAR:
            if (m_bar.OnMenuChar(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam)))
                return MAKELRESULT(0, MNC_CLOSE);
            break;
        case WM_SYSCOMMAND:
            m_sysCommands.push_back(wParam);
            if (m_bar.OnSysCommand(static_cast<UINT>(wParam), lParam))
                return 0;
            return 0;  // nothing of the system's own in the tests
        }
        return RecordingParent::WindowProc(message, wParam, lParam);
    }
    std::vector<WPARAM> m_sysCommands;
    std::vector<HMENU> m_popups;  // WM_INITMENUPOPUP, in order
};

// Steps run from a thread timer, also inside the menu's own loop: each waits for its moment
// (answers false) and then acts (answers true).
std::deque<std::function<bool()>> g_steps;
void CALLBACK RunSteps(HWND, UINT, UINT_PTR, DWORD)
{
    if (!g_steps.empty() && g_steps.front()())
        g_steps.pop_front();
}

class MenuBarTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateParent(500, 300));
        m_host.ShowWindow(SW_SHOW);
        ASSERT_TRUE(m_edit.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 40, 100, 80), &m_host, 5));
        ASSERT_TRUE(m_host.m_bar.Create(WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 480, 22), &m_host, 0xE800));
        m_host.m_bar.SetMenu(::LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(200)));
        m_host.m_bar.EnsureLayout();
        m_edit.SetFocus();
        m_timer = SetTimer(nullptr, 0, 20, &RunSteps);
    }
    void TearDown() override
    {
        KillTimer(nullptr, m_timer);
        g_steps.clear();
    }
    CMenuBar& Bar() { return m_host.m_bar; }
    void Open(int nIndex, LPARAM mode = 0)
    {
        Bar().PostMessage(WM_MENUBAR_OPENPOPUP, static_cast<WPARAM>(nIndex), mode);
        PumpMessages();
    }
    // A step that waits for the popup of title nIndex and then posts a key to the host.
    static std::function<bool()> WhenOpen(CMenuBar* pBar, int nIndex, UINT key, std::vector<int>* pSeen = nullptr)
    {
        return [=] {
            if (!pBar->IsPopupOpen() || pBar->GetCurrentItem() != nIndex)
                return false;
            if (pSeen)
                pSeen->push_back(pBar->GetTitle(nIndex)->IsPressed() ? nIndex : -100 - nIndex);
            PostMessageW(pBar->GetParent()->m_hWnd, WM_KEYDOWN, key, 0);
            return true;
        };
    }

    CMenuHost m_host;
    CWnd m_edit;
    UINT_PTR m_timer = 0;
};

TEST(MenuBarItem, MnemonicsTable)
{
    struct Case { const wchar_t* title; WCHAR ch; } cases[] = {
        {L"&File", L'F'}, {L"E&xit", L'x'}, {L"Help&", L'H'}, {L"View", L'V'}, {L"", 0}, {L"a&b&c", L'b'}};
    for (const Case& c : cases)
        EXPECT_EQ(c.ch, CMenuBarItem::MnemonicOf(c.title)) << c.title;
}

TEST_F(MenuBarTest, SetMenuMakesTitlesLaidOutFromTheLeft)
{
    ASSERT_EQ(3, Bar().GetTitleCount());
    EXPECT_EQ(L"&File", Bar().GetTitle(0)->m_strTitle);
    EXPECT_EQ(0, Bar().GetTitle(0)->GetID());
    CRect r0, r1, r2;
    Bar().GetTitle(0)->GetRect(&r0);
    Bar().GetTitle(1)->GetRect(&r1);
    Bar().GetTitle(2)->GetRect(&r2);
    EXPECT_EQ(0, r0.left);
    EXPECT_EQ(r0.right, r1.left);
    EXPECT_EQ(r1.right, r2.left);
    EXPECT_EQ(0, r0.top);
    EXPECT_EQ(21, r0.bottom);  // the dark bar's bottom line is not a title's
    // Each title is its text's width plus 24.
    CClientDC dc(&Bar());
    HGDIOBJ old = dc.SelectObject(GetStockObject(DEFAULT_GUI_FONT));
    CRect text(0, 0, 0, 0);
    dc.DrawText(CString(L"&View"), &text, DT_CALCRECT | DT_SINGLELINE);
    dc.SelectObject(old);
    EXPECT_EQ(text.Width() + 24, r1.Width());
    // Right to left: the last title ends at the right edge.
    Bar().SetMenu(::LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(200)), TRUE);
    Bar().EnsureLayout();
    Bar().GetTitle(2)->GetRect(&r2);
    Bar().GetTitle(1)->GetRect(&r1);
    EXPECT_EQ(480, r2.right);
    EXPECT_EQ(r2.left, r1.right);
}

TEST_F(MenuBarTest, AltLetterOpensTheTitleWithThatMnemonic)
{
    for (UINT ch : {L'v', L'V'}) {
        EXPECT_TRUE(Bar().OnMenuChar(ch, MF_SYSMENU, nullptr));
        MSG msg;
        ASSERT_TRUE(PeekMessageW(&msg, Bar().m_hWnd, WM_MENUBAR_OPENPOPUP, WM_MENUBAR_OPENPOPUP, PM_REMOVE));
        EXPECT_EQ(1u, msg.wParam);
        EXPECT_EQ(0x10001, msg.lParam);
    }
    EXPECT_FALSE(Bar().OnMenuChar(L'v', 0, nullptr));  // not Alt
    EXPECT_FALSE(Bar().OnMenuChar(L'q', MF_SYSMENU, nullptr));
    EXPECT_TRUE(Bar().OnMenuChar(L'h', MF_SYSMENU, nullptr));  // "Help&": its first character
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, Bar().m_hWnd, WM_MENUBAR_OPENPOPUP, WM_MENUBAR_OPENPOPUP, PM_REMOVE));
    EXPECT_EQ(2u, msg.wParam);
}

TEST_F(MenuBarTest, AltAloneStartsNavigationAndEscapeGivesTheFocusBack)
{
    EXPECT_FALSE(Bar().OnSysCommand(SC_KEYMENU, L'f'));
    m_host.SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_TRUE(Bar().IsNavigating());
    EXPECT_EQ(0, Bar().GetHotTitle());
    EXPECT_EQ(Bar().m_hWnd, GetFocus());
    EXPECT_EQ(Bar().m_hWnd, GetCapture());
    EXPECT_TRUE(Bar().SendMessage(WM_GETDLGCODE) & DLGC_WANTALLKEYS);
    Deliver(Bar().m_hWnd, WM_KEYDOWN, VK_LEFT);  // wraps to the last
    EXPECT_EQ(2, Bar().GetHotTitle());
    Deliver(Bar().m_hWnd, WM_KEYDOWN, VK_RIGHT);  // and back to the first
    EXPECT_EQ(0, Bar().GetHotTitle());
    Deliver(Bar().m_hWnd, WM_KEYDOWN, VK_RIGHT);
    EXPECT_EQ(1, Bar().GetHotTitle());
    Deliver(Bar().m_hWnd, WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(Bar().IsNavigating());
    EXPECT_EQ(-1, Bar().GetHotTitle());
    EXPECT_EQ(m_edit.m_hWnd, GetFocus());
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(MenuBarTest, SpaceOpensTheSystemMenuAndASystemKeyEndsNavigation)
{
    m_host.SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
    Deliver(Bar().m_hWnd, WM_KEYDOWN, VK_SPACE);
    EXPECT_FALSE(Bar().IsNavigating());
    ASSERT_EQ(2u, m_host.m_sysCommands.size());
    EXPECT_EQ(static_cast<WPARAM>(SC_KEYMENU), m_host.m_sysCommands[1]);
    m_host.SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
    Deliver(Bar().m_hWnd, WM_SYSKEYDOWN, VK_MENU);
    EXPECT_FALSE(Bar().IsNavigating());
}

TEST_F(MenuBarTest, AClickOnATitleOpensItsPopupAndEscapeKeepsTheTitleHot)
{
    std::vector<int> seen;
    g_steps.push_back(WhenOpen(&Bar(), 0, VK_ESCAPE, &seen));
    CRect title;
    Bar().GetTitle(0)->GetRect(&title);
    LeftDown(Bar().m_hWnd, title.CenterPoint().x, 10);
    PumpMessages();
    ASSERT_EQ(1u, seen.size());
    EXPECT_FALSE(Bar().IsPopupOpen());
    EXPECT_TRUE(Bar().IsNavigating());  // Escape in the title's own menu: still on the bar
    EXPECT_EQ(0, Bar().GetHotTitle());
    EXPECT_EQ(Bar().m_hWnd, GetCapture());
    Deliver(Bar().m_hWnd, WM_KEYDOWN, VK_ESCAPE);  // the second Escape
    EXPECT_FALSE(Bar().IsNavigating());
    EXPECT_EQ(m_edit.m_hWnd, GetFocus());
}

TEST_F(MenuBarTest, RightInAPopupOpensTheNextTitle)
{
    std::vector<int> seen;
    g_steps.push_back(WhenOpen(&Bar(), 1, VK_RIGHT, &seen));
    g_steps.push_back(WhenOpen(&Bar(), 2, VK_LEFT, &seen));
    g_steps.push_back(WhenOpen(&Bar(), 1, VK_ESCAPE, &seen));
    Open(1);
    EXPECT_EQ((std::vector<int>{1, 2, 1}), seen);
    EXPECT_TRUE(Bar().IsNavigating());
    EXPECT_EQ(1, Bar().GetHotTitle());
    Deliver(Bar().m_hWnd, WM_KEYDOWN, VK_ESCAPE);
}

TEST_F(MenuBarTest, RightOnAnEntryWithASubMenuOpensItAgainAfterEscapeClosedIt)
{
    // Down twice selects "Recent"; Right opens it; Escape closes it again; Right once more.
    g_steps.push_back([this] {
        if (!Bar().IsPopupOpen())
            return false;
        for (UINT key : {VK_DOWN, VK_DOWN, VK_RIGHT, VK_ESCAPE, VK_RIGHT})
            PostMessageW(m_host.m_hWnd, WM_KEYDOWN, key, 0);
        return true;
    });
    g_steps.push_back([this] {
        if (m_host.m_popups.size() < 3)
            return false;
        for (UINT key : {VK_ESCAPE, VK_ESCAPE})
            PostMessageW(m_host.m_hWnd, WM_KEYDOWN, key, 0);
        return true;
    });
    Open(0);
    HMENU hFile = ::GetSubMenu(Bar().GetMenu(), 0);
    HMENU hRecent = ::GetSubMenu(hFile, 1);
    EXPECT_EQ((std::vector<HMENU>{hFile, hRecent, hRecent}), m_host.m_popups);
    EXPECT_EQ(0, Bar().GetCurrentItem()) << "the bar stayed on File";
    Deliver(Bar().m_hWnd, WM_KEYDOWN, VK_ESCAPE);
}

TEST_F(MenuBarTest, ChoosingAnEntryPostsItsCommandToTheHostAndEndsNavigation)
{
    g_steps.push_back(WhenOpen(&Bar(), 1, VK_DOWN));
    g_steps.push_back([this] {
        PostMessageW(m_host.m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
        return true;
    });
    Open(1);
    PumpMessages();
    auto commands = m_host.Of(WM_COMMAND);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(3101u, LOWORD(commands[0].wParam));
    EXPECT_FALSE(Bar().IsNavigating());
    EXPECT_EQ(-1, Bar().GetHotTitle());
}

TEST_F(MenuBarTest, UpAndDownOnAHotTitleOpenItsPopup)
{
    m_host.SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
    Bar().SendMessage(WM_KEYDOWN, VK_RIGHT);
    Bar().SendMessage(WM_KEYDOWN, VK_DOWN);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, Bar().m_hWnd, WM_MENUBAR_OPENPOPUP, WM_MENUBAR_OPENPOPUP, PM_REMOVE));
    EXPECT_EQ(1u, msg.wParam);
    EXPECT_EQ(1, msg.lParam);
    Bar().SendMessage(WM_KEYDOWN, VK_ESCAPE);
}

TEST_F(MenuBarTest, HoverMakesATitleHotOutsideNavigation)
{
    CRect title;
    Bar().GetTitle(1)->GetRect(&title);
    MouseMove(Bar().m_hWnd, title.CenterPoint().x, 10);
    EXPECT_EQ(1, Bar().GetHotTitle());
    Deliver(Bar().m_hWnd, WM_MOUSELEAVE);
    EXPECT_EQ(-1, Bar().GetHotTitle());
}

TEST_F(MenuBarTest, AClickOnTheBareBarDragsTheWindow)
{
    LeftDown(Bar().m_hWnd, 400, 10);
    auto drags = m_host.Of(WM_NCLBUTTONDOWN);
    ASSERT_EQ(1u, drags.size());
    EXPECT_EQ(static_cast<WPARAM>(HTCAPTION), drags[0].wParam);
    EXPECT_FALSE(Bar().IsNavigating());
}

TEST_F(MenuBarTest, TheDarkBarDrawsItsBackgroundStatusTextAndHotTitle)
{
    Bar().SetText(L"Ready");
    DibCanvas canvas(480, 22);
    Bar().DrawBackground(&canvas.m_dc);
    Bar().DrawText(&canvas.m_dc);
    EXPECT_EQ(RGB(0x20, 0x20, 0x20), canvas.At(2, 2));
    EXPECT_EQ(RGB(0x20, 0x20, 0x20), canvas.At(2, 21));  // the last row too
    EXPECT_GT(canvas.Count(CRect(380, 0, 480, 22), RGB(0xC0, 0xC0, 0xC0)), 10);  // the status text, at the right
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, 300, 22), RGB(0xC0, 0xC0, 0xC0)));
    Bar().Items().SetHotItem(Bar().GetTitle(1));
    Bar().DrawTitles(&canvas.m_dc, Bar().m_crTitle, Bar().m_crTitleHot, Bar().m_crHighlight);
    CRect r0, r1;
    Bar().GetTitle(0)->GetRect(&r0);
    Bar().GetTitle(1)->GetRect(&r1);
    EXPECT_EQ(RGB(0x60, 0x60, 0x60), canvas.At(r1.left + 1, 1));
    EXPECT_GT(canvas.Count(r1, RGB(0xFF, 0xFF, 0xFF)), 5);      // hot title text in white
    EXPECT_GT(canvas.Count(r0, RGB(0xC0, 0xC0, 0xC0)), 5);      // the others in grey
    EXPECT_EQ(0, canvas.Count(r0, RGB(0x60, 0x60, 0x60)));
}

}  // namespace
