// The two-pane splitter: layout as a table of widths, anchors, sizes and limits;
// modes and ShowPane with WM_SPLITTER_PANECHANGED to a recording parent; dragging the bar with
// its clamps; the layered-window functions.
#include "framework/controls/CPaneSplitter.h"
#include "tests/support/WindowHarness.h"
#include <gtest/gtest.h>

namespace {

class CTestSplitter : public CPaneSplitter {
public:
    CWnd m_panes[2];
    int m_nMax = -1;
    int m_nCollapse = 0;
    CWnd* GetPane(int nIndex) const override
    {
        return nIndex == 0 || nIndex == 1 ? const_cast<CWnd*>(&m_panes[nIndex]) : nullptr;
    }
    int GetMaxPaneSize(int) const override { return m_nMax; }
    int GetCollapseSize(int) const override { return m_nCollapse; }
};

class SplitterTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateParent(400, 300, WS_POPUP));
        ASSERT_TRUE(m_split.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 50), &m_parent, 7));
        for (CWnd& pane : m_split.m_panes)
            ASSERT_TRUE(pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &m_split, 0));
        S = GetSystemMetrics(SM_CXVSCROLL);
    }
    CRect PaneRect(int nIndex)
    {
        CRect rect;
        m_split.m_panes[nIndex].GetWindowRect(&rect);
        m_split.ScreenToClient(&rect);
        return rect;
    }
    BOOL Visible(int nIndex) { return (m_split.m_panes[nIndex].GetStyle() & WS_VISIBLE) != 0; }
    HWND Split() const { return m_split.m_hWnd; }

    RecordingParent m_parent;
    CTestSplitter m_split;
    int S = 0;
};

TEST_F(SplitterTest, BothPanesLayoutTable)
{
    m_split.SetMode(SPLIT_BOTH);
    const int M = S + 4;
    struct Case { int width, anchor, size, max; int edge; int wanted; } cases[] = {
        {100, 1, 30, -1, 30, -1},
        {100, 1, 90, -1, 100 - M, -1},       // the right pane keeps M: 90 becomes 100 - M
        {100, 1, 5, -1, M, -1},              // the left pane keeps M
        {300, 1, 200, 120, 120, 200},        // a maximum cuts it and remembers the wish
        {300, 0, 50, -1, 250, -1},           // right anchor: the right pane is 50 wide
        {100, 0, 95, -1, M, -1},             // right anchor: the left pane keeps M
    };
    for (const Case& c : cases) {
        m_split.m_nAnchor = c.anchor;
        m_split.m_nSize = c.size;
        m_split.m_nWantedSize = -1;
        m_split.m_nMax = c.max;
        m_split.MoveWindow(0, 0, c.width, 50);
        m_split.RecalcLayout();
        if (c.anchor) {
            EXPECT_EQ(CRect(0, 0, c.edge, 50), PaneRect(0)) << c.width << " " << c.size;
            EXPECT_EQ(CRect(c.edge + 4, 0, c.width, 50), PaneRect(1)) << c.width << " " << c.size;
            EXPECT_EQ(c.edge, m_split.m_nSize);
        } else {
            EXPECT_EQ(CRect(0, 0, c.edge - 4, 50), PaneRect(0)) << c.width << " " << c.size;
            EXPECT_EQ(CRect(c.edge, 0, c.width, 50), PaneRect(1)) << c.width << " " << c.size;
            EXPECT_EQ(c.width - c.edge, m_split.m_nSize);
        }
        EXPECT_EQ(c.wanted, m_split.m_nWantedSize) << c.width << " " << c.size;
    }
}

TEST_F(SplitterTest, ACutSizeStaysCutWhenTheWindowGrowsUnlessAMaximumCutIt)
{
    m_split.SetMode(SPLIT_BOTH);
    m_split.m_nSize = 90;
    m_split.MoveWindow(0, 0, 100, 60);
    EXPECT_EQ(100 - S - 4, m_split.m_nSize);
    m_split.MoveWindow(0, 0, 300, 50);
    EXPECT_EQ(100 - S - 4, m_split.m_nSize);
    // With a maximum of 120 the wish of 200 comes back when the maximum goes.
    m_split.m_nMax = 120;
    m_split.m_nSize = 200;
    m_split.RecalcLayout();
    EXPECT_EQ(120, m_split.m_nSize);
    m_split.m_nMax = -1;
    m_split.RecalcLayout();
    EXPECT_EQ(200, m_split.m_nSize);
    m_split.RecalcLayout();  // the wish is met: forgotten
    EXPECT_EQ(-1, m_split.m_nWantedSize);
}

TEST_F(SplitterTest, OnePaneModeShowsOnePaneOverTheWholeWindow)
{
    m_split.m_nSize = 30;
    m_split.MoveWindow(0, 0, 200, 80);
    m_split.SetMode(SPLIT_ONE);
    EXPECT_TRUE(Visible(1));  // no pane remembered yet: pane 1
    EXPECT_FALSE(Visible(0));
    EXPECT_EQ(CRect(0, 0, 200, 80), PaneRect(0));
    EXPECT_EQ(CRect(0, 0, 200, 80), PaneRect(1));
    EXPECT_TRUE(m_split.ShowPane(0));
    EXPECT_TRUE(Visible(0));
    EXPECT_FALSE(Visible(1));
    EXPECT_EQ(&m_split.m_panes[0], m_split.GetVisiblePane());
    PumpMessages();
    auto changes = m_parent.Of(WM_SPLITTER_PANECHANGED);
    ASSERT_EQ(1u, changes.size());
    EXPECT_EQ(static_cast<WPARAM>(SPLIT_ONE), changes[0].wParam);
    EXPECT_EQ(0, changes[0].lParam);
    EXPECT_TRUE(m_split.ActivatePane(&m_split.m_panes[1]));
    EXPECT_TRUE(Visible(1));
    EXPECT_FALSE(Visible(0));
    m_split.SetMode(SPLIT_BOTH);
    EXPECT_TRUE(Visible(0));
    EXPECT_TRUE(Visible(1));
    m_split.SetMode(SPLIT_ONE);  // pane 1 was the one shown last
    EXPECT_TRUE(Visible(1));
    EXPECT_FALSE(Visible(0));
}

TEST_F(SplitterTest, ShowPaneInBothPanesModeOnlyActivates)
{
    m_split.SetMode(SPLIT_BOTH);
    m_parent.ShowWindow(SW_SHOW);
    EXPECT_TRUE(m_split.ShowPane(1));
    EXPECT_TRUE(Visible(0));
    EXPECT_TRUE(Visible(1));
    EXPECT_EQ(m_split.m_panes[1].m_hWnd, GetFocus());
    PumpMessages();
    auto changes = m_parent.Of(WM_SPLITTER_PANECHANGED);
    ASSERT_EQ(1u, changes.size());
    EXPECT_EQ(static_cast<WPARAM>(SPLIT_BOTH), changes[0].wParam);
    EXPECT_EQ(1, changes[0].lParam);
}

TEST_F(SplitterTest, DraggingTheBarClamps)
{
    m_split.SetMode(SPLIT_BOTH);
    m_split.m_nSize = 100;
    m_split.MoveWindow(0, 0, 300, 50);
    ASSERT_EQ(CRect(100, 0, 104, 50), m_split.GetBarRect());
    LeftDown(Split(), 101, 10);
    EXPECT_EQ(Split(), GetCapture());
    MouseMove(Split(), 151, 10, MK_LBUTTON);
    EXPECT_EQ(150, m_split.m_nSize);
    EXPECT_EQ(CRect(0, 0, 150, 50), PaneRect(0));
    MouseMove(Split(), 5, 10, MK_LBUTTON);
    EXPECT_EQ(S + 4, m_split.m_nSize);
    MouseMove(Split(), 299, 10, MK_LBUTTON);
    EXPECT_EQ(300 - S - 4, m_split.m_nSize);
    m_split.m_nMax = 200;
    MouseMove(Split(), 251, 10, MK_LBUTTON);
    EXPECT_EQ(200, m_split.m_nSize);
    LeftUp(Split(), 251, 10);
    EXPECT_EQ(nullptr, GetCapture());
    // Not resizable: nothing moves.
    m_split.m_bResizable = FALSE;
    LeftDown(Split(), 201, 10);
    MouseMove(Split(), 120, 10, MK_LBUTTON);
    LeftUp(Split(), 120, 10);
    EXPECT_EQ(200, m_split.m_nSize);
}

TEST_F(SplitterTest, DoubleClickCollapsesOnlyWithACollapseSize)
{
    m_split.SetMode(SPLIT_BOTH);
    m_split.m_nSize = 100;
    m_split.MoveWindow(0, 0, 300, 50);
    Deliver(Split(), WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(101, 10));
    EXPECT_EQ(100, m_split.m_nSize);
    m_split.m_nCollapse = 60;
    Deliver(Split(), WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(101, 10));
    EXPECT_EQ(60, m_split.m_nSize);
}

TEST_F(SplitterTest, LayeredWindows)
{
    HWND hWnd = m_parent.m_hWnd;
    EnableLayeredWindow(hWnd, 200);
    EXPECT_TRUE(GetWindowLongPtrW(hWnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    if (GetLayeredWindowAttributes(hWnd, nullptr, &alpha, &flags)) {
        EXPECT_EQ(200, alpha);
        EXPECT_EQ(static_cast<DWORD>(LWA_ALPHA), flags);
    }
    EXPECT_TRUE(DisableLayeredWindow(hWnd));
    EXPECT_FALSE(GetWindowLongPtrW(hWnd, GWL_EXSTYLE) & WS_EX_LAYERED);
}

}  // namespace
