// The player's small windows and shared resources: the playlist's row tips, the popup window
// that moves by its body, the popup bar's tooltip, and the fonts and cursor the player hands to
// the framework.
#include "player/CPlayerUIResources.h"
#include "player/playlist/CPlaylistItem.h"
#include "player/windows/CPopupBarWnd.h"
#include "player/windows/CPopupWnd.h"
#include "player/windows/CTipListWnd.h"
#include "tests/support/WindowHarness.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// ---- CTipListWnd

// Rows of 20 pixels with gaps of 4: row i spans 4 + 24 i .. 24 + 24 i. Row 1 has no item.
class TipList : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateParent());
        m_parent.ShowWindow(SW_SHOWNOACTIVATE);
        m_list.m_nRowHeight = 20;
        m_list.m_nRowGap = 4;
        m_list.m_dwListStyle = 0;
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &m_parent, 100));
        for (int i = 0; i < 3; ++i) {
            m_items.emplace_back(new CPlaylistItem);
            m_items.back()->m_strPathText.Format(L"C:\\Videos\\%d\\%s.mp4", i, static_cast<LPCWSTR>(CString(L'v', 90)));
            m_list.AddItem(i == 1 ? 0 : reinterpret_cast<DWORD_PTR>(m_items.back().get()), FALSE);
        }
        m_list.UpdateScrollRange();
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
        m_parent.DestroyWindow();
    }
    int ToolCount() const { return m_list.m_toolTip.GetToolCount(); }
    CRect ToolRect(int nRow) const
    {
        TTTOOLINFOW info;
        if (!m_list.m_toolTip.GetToolInfo(&info, const_cast<CTipListWnd*>(&m_list), nRow + 1))
            return CRect();
        return CRect(info.rect);
    }
    CRect RowRect(int nRow) const
    {
        CRect rect;
        m_list.GetItemRect(nRow, &rect);
        return rect;
    }
    // What the list answers a tooltip's request for a tool's text (null: nothing).
    template <typename Info>
    decltype(Info().lpszText) AskText(UINT code, UINT_PTR idFrom, UINT uFlags)
    {
        Info info = {};
        info.hdr.hwndFrom = m_list.m_toolTip.m_hWnd;
        info.hdr.idFrom = idFrom;
        info.hdr.code = code;
        info.uFlags = uFlags;
        m_list.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return info.lpszText;
    }

    RecordingParent m_parent;
    CTipListWnd m_list;
    std::vector<std::unique_ptr<CPlaylistItem>> m_items;
};

TEST_F(TipList, TheToolIsTheRowUnderTheMouse)
{
    ASSERT_NE(nullptr, m_list.m_toolTip.m_hWnd);
    MouseMove(m_list.m_hWnd, 50, 10);
    EXPECT_EQ(0, m_list.GetTipRow());
    EXPECT_EQ(1, ToolCount());
    EXPECT_EQ(RowRect(0), ToolRect(0));

    MouseMove(m_list.m_hWnd, 50, 60);
    EXPECT_EQ(2, m_list.GetTipRow());
    EXPECT_EQ(1, ToolCount()) << "one tool at a time";
    EXPECT_EQ(RowRect(2), ToolRect(2));

    MouseMove(m_list.m_hWnd, 50, 150);
    EXPECT_EQ(-1, m_list.GetTipRow());
    EXPECT_EQ(0, ToolCount());
}

TEST_F(TipList, ATipIsTheRowItemsPathCutTo80Characters)
{
    const CString path = m_items[0]->m_strPathText.Left(80);
    CStringA pathA(path);
    EXPECT_STREQ(path, AskText<NMTTDISPINFOW>(TTN_GETDISPINFOW, 1, 0));
    EXPECT_STREQ(pathA, AskText<NMTTDISPINFOA>(TTN_GETDISPINFOA, 1, 0));
    EXPECT_STREQ(m_items[2]->m_strPathText.Left(80), AskText<NMTTDISPINFOW>(TTN_GETDISPINFOW, 3, 0));

    struct Case {
        const char* name;
        UINT_PTR idFrom;
        UINT uFlags;
    } nothing[] = {
        {"a window as the tool", reinterpret_cast<UINT_PTR>(m_list.m_hWnd), TTF_IDISHWND},
        {"a row without an item", 2, 0},
        {"a row that is not there", 9, 0},
    };
    for (const Case& c : nothing) {
        EXPECT_EQ(nullptr, AskText<NMTTDISPINFOW>(TTN_GETDISPINFOW, c.idFrom, c.uFlags)) << c.name;
        EXPECT_EQ(nullptr, AskText<NMTTDISPINFOA>(TTN_GETDISPINFOA, c.idFrom, c.uFlags)) << c.name;
    }
}

// ---- CPopupWnd

// Records the caption presses the window posts itself without starting a move loop.
class CRecordingPopup : public CPopupWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NCLBUTTONDOWN) {
            m_presses.push_back({message, wParam, lParam});
            return 0;
        }
        return CPopupWnd::WindowProc(message, wParam, lParam);
    }
    void Repaint() override
    {
        ++m_nRepaints;
        CPopupWnd::Repaint();
    }
    std::vector<RecordedMessage> m_presses;
    int m_nRepaints = 0;
};

TEST(PopupWnd, APressOnTheBodyStartsAMoveFromThatPoint)
{
    CRecordingPopup popup;
    ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), L"Popup", WS_POPUP | WS_VISIBLE, 120, 90, 200, 100, nullptr,
                               nullptr));
    LeftDown(popup.m_hWnd, 15, 25);
    ASSERT_EQ(1u, popup.m_presses.size());
    EXPECT_EQ(static_cast<WPARAM>(HTCAPTION), popup.m_presses[0].wParam);
    CPoint screen(15, 25);
    popup.ClientToScreen(&screen);
    EXPECT_EQ(screen.x, static_cast<short>(LOWORD(popup.m_presses[0].lParam)));
    EXPECT_EQ(screen.y, static_cast<short>(HIWORD(popup.m_presses[0].lParam)));
    popup.DestroyWindow();
}

TEST(PopupWnd, ActivationIsRememberedAndRedrawn)
{
    CRecordingPopup popup;
    ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), L"Popup", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr));
    struct Case {
        UINT state;
        BOOL active;
    } cases[] = {{WA_CLICKACTIVE, TRUE}, {WA_INACTIVE, FALSE}, {WA_ACTIVE, TRUE}};
    for (const Case& c : cases) {
        int nBefore = popup.m_nRepaints;
        popup.SendMessage(WM_ACTIVATE, MAKEWPARAM(c.state, 0), 0);
        EXPECT_EQ(c.active, popup.m_bActive) << c.state;
        EXPECT_GT(popup.m_nRepaints, nBefore) << c.state;
    }
    popup.DestroyWindow();
}

// ---- The tooltips of the popup windows

void ExpectPopupToolTip(const CToolTipCtrl& toolTip)
{
    ASSERT_NE(nullptr, toolTip.m_hWnd);
    DWORD dwStyle = static_cast<DWORD>(::GetWindowLongPtrW(toolTip.m_hWnd, GWL_STYLE));
    EXPECT_EQ(static_cast<DWORD>(TTS_ALWAYSTIP | TTS_NOPREFIX), dwStyle & (TTS_ALWAYSTIP | TTS_NOPREFIX));
    EXPECT_EQ(0xFFFF, static_cast<int>(toolTip.SendMessage(TTM_GETMAXTIPWIDTH)));
}

TEST(PopupToolTips, ThePopupWindowAndThePopupBarMakeTheirTooltip)
{
    CPopupWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), L"Popup", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr));
    ExpectPopupToolTip(popup.m_toolTip);
    popup.DestroyWindow();

    RecordingParent parent;
    ASSERT_TRUE(parent.CreateParent());
    CPopupBarWnd bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 40), &parent, 59397));
    ExpectPopupToolTip(bar.m_toolTip);
    bar.DestroyWindow();
}

// ---- CPlayerUIResources

TEST(PlayerUIResources, LoadHandsTheFontsAndTheCursorToTheFrameworkUntilTheyGo)
{
    HFONT hOwn = nullptr;
    {
        CPlayerUIResources resources;
        EXPECT_EQ(0, resources.Load());
        ASSERT_TRUE(resources.m_fonts.IsCreated());
        for (AppFont font : {AppFontNormal, AppFontUnderline, AppFontBold, AppFontLargeBold})
            EXPECT_EQ(resources.GetFont(font), GetAppFont(font)) << font;
        LOGFONTW normal = {}, large = {};
        resources.GetFont(AppFontNormal)->GetLogFont(&normal);
        resources.GetFont(AppFontLargeBold)->GetLogFont(&large);
        EXPECT_EQ(normal.lfHeight + normal.lfHeight / 2, large.lfHeight);
        EXPECT_EQ(700, large.lfWeight);
        ASSERT_NE(nullptr, resources.m_hHandCursor);
        EXPECT_EQ(resources.m_hHandCursor, GetAppHandCursor());
        EXPECT_NE(0u, resources.OSInfo().m_version.dwMajorVersion) << "the system record is filled";
        hOwn = static_cast<HFONT>(resources.GetFont(AppFontNormal)->GetSafeHandle());
    }
    EXPECT_NE(hOwn, static_cast<HFONT>(GetAppFont(AppFontNormal)->GetSafeHandle()));
    EXPECT_EQ(LoadCursorW(nullptr, IDC_HAND), GetAppHandCursor());
}

}  // namespace
