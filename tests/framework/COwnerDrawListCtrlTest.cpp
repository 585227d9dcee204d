// The owner-drawn list control and its scroll bar: geometry, hit tests, keys and
// the scroll bar's layout as tables; mouse selection, the rubber band, scrolling and the
// scroll bar's notifications on real windows; drawing in a DIB section; deleting and sorting.
#include "framework/controls/COwnerDrawListCtrl.h"
#include "framework/controls/CMemoryDC.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/WindowHarness.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>

namespace {

// Items are drawn in a colour made of their data; compared by their data.
class CTestList : public COwnerDrawListCtrl {
public:
    static COLORREF ColourOf(DWORD_PTR data) { return RGB(0, 100 + data % 100, 200); }
    void DrawGridItem(CDC* pDC, int nIndex, int left, int top, int right, int bottom) override
    {
        m_drawn.push_back(nIndex);
        pDC->FillSolidRect(CRect(left, top, right, bottom), IsSelected(nIndex) ? RGB(255, 0, 255) : ColourOf(GetItemData(nIndex)));
    }
    void DrawListItem(CDC* pDC, int nIndex, int left, int top, int right, int bottom) override
    {
        DrawGridItem(pDC, nIndex, left, top, right, bottom);
    }
    int CompareItems(const CListItem* a, const CListItem* b, LPARAM, LPARAM) override
    {
        ++m_nCompares;
        return a->m_data < b->m_data ? -1 : a->m_data > b->m_data ? 1 : 0;
    }
    void SetBand(const CRect& rect) { m_rcRubber = rect; }
    long long m_nCompares = 0;
    std::vector<int> m_drawn;
};

class ListTest : public testing::Test {
protected:
    // A grid of 40 x 30 tiles with 10-pixel gaps: 50 across, 40 down.
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateParent());
        m_list.m_nTileWidth = 40;
        m_list.m_nTileHeight = 30;
        m_list.m_nHGap = 10;
        m_list.m_nVGap = 10;
        m_list.m_nRowHeight = 20;
        m_list.m_nRowGap = 4;
        m_list.m_crBackground = RGB(10, 10, 10);
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 216, 130), &m_parent, 100));
    }
    void Fill(int n)
    {
        for (int i = 0; i < n; ++i)
            m_list.AddItem(static_cast<DWORD_PTR>(i + 1), FALSE);
        m_list.UpdateScrollRange();
    }
    HWND List() const { return m_list.m_hWnd; }

    RecordingParent m_parent;
    CTestList m_list;
};

TEST_F(ListTest, GridGeometryAndScrollRange)
{
    Fill(10);  // 3 tile rows, 3 fit: no bar, 4 columns
    EXPECT_FALSE(m_list.IsScrollBarVisible());
    EXPECT_EQ(4, m_list.GetColumnCount());
    struct Case { int index; CRect rect; } cases[] = {
        {0, CRect(10, 10, 50, 40)}, {3, CRect(160, 10, 200, 40)}, {4, CRect(10, 50, 50, 80)}, {9, CRect(60, 90, 100, 120)}};
    for (const Case& c : cases) {
        CRect rect;
        m_list.GetItemRect(c.index, &rect);
        EXPECT_EQ(c.rect, rect) << c.index;
    }
    CRect gaps;
    m_list.GetItemRectWithGaps(0, &gaps);
    EXPECT_EQ(CRect(5, 5, 55, 45), gaps);

    Fill(10);  // 20 items: 5 tile rows, 3 fit: the bar shows and takes 16 pixels (columns 200 / 50)
    EXPECT_TRUE(m_list.IsScrollBarVisible());
    EXPECT_EQ(4, m_list.GetColumnCount());
    EXPECT_EQ(4, m_list.GetScrollMax(SB_VERT));
    EXPECT_EQ(2, m_list.GetScrollMaxPos(SB_VERT));
    m_list.SetScrollPos(1);
    CRect rect;
    m_list.GetItemRect(4, &rect);
    EXPECT_EQ(CRect(10, 10, 50, 40), rect);
    m_list.GetItemRect(0, &rect);
    EXPECT_EQ(CRect(10, -30, 50, 0), rect);
    m_list.SetScrollPos(50);
    EXPECT_EQ(2, m_list.GetScrollPos(SB_VERT));
}

TEST_F(ListTest, GridHitTestTable)
{
    Fill(10);
    struct Case { int x, y, index; } cases[] = {
        {10, 10, 0}, {49, 39, 0}, {50, 20, -1} /* gap */, {55, 20, -1}, {60, 10, 1}, {5, 5, -1}, {199, 15, 3},
        {205, 15, -1} /* right of the last column */, {60, 90, 9}, {110, 90, -1} /* past the last item */,
        {20, 45, -1} /* gap below */};
    for (const Case& c : cases)
        EXPECT_EQ(c.index, m_list.HitTest(c.x, c.y)) << c.x << "," << c.y;
}

TEST_F(ListTest, ListGeometryAndHitTestTable)
{
    m_list.SetGridMode(FALSE);
    Fill(3);  // rows of 20 with gaps of 4; 130 / 24 = 5 rows fit
    EXPECT_FALSE(m_list.IsScrollBarVisible());
    CRect rect;
    m_list.GetItemRect(1, &rect);
    EXPECT_EQ(CRect(0, 28, 216, 48), rect);
    struct Case { int x, y, index; } cases[] = {{0, 4, 0}, {100, 23, 0}, {100, 25, -1}, {100, 28, 1}, {215, 70, 2}, {10, 80, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(c.index, m_list.HitTest(c.x, c.y)) << c.x << "," << c.y;
    Fill(3);  // 6 rows: more than the page of 5, the bar shows
    EXPECT_TRUE(m_list.IsScrollBarVisible());
    m_list.GetItemRect(1, &rect);
    EXPECT_EQ(200, rect.right);
}

TEST_F(ListTest, KeysInTheGridTable)
{
    Fill(10);  // 4 columns, the last tile row holds 8 and 9
    struct Case { int from; UINT key; int to; } cases[] = {
        {6, VK_DOWN, 9}, {8, VK_DOWN, 8}, {9, VK_RIGHT, 9}, {0, VK_LEFT, 0}, {5, VK_LEFT, 4}, {5, VK_UP, 1},
        {2, VK_UP, 2}, {3, VK_RIGHT, 4}, {1, VK_DOWN, 5}};
    for (const Case& c : cases) {
        m_list.SetFocusItem(c.from, FALSE);
        m_list.HandleKey(c.key, FALSE, FALSE);
        EXPECT_EQ(c.to, m_list.GetFocusItem()) << c.from << " key " << c.key;
    }
}

TEST_F(ListTest, KeysInTheListAndTheirSelection)
{
    m_list.SetGridMode(FALSE);
    Fill(10);
    m_list.SetFocusItem(2, FALSE);
    m_list.HandleKey(VK_DOWN, FALSE, FALSE);
    EXPECT_EQ(3, m_list.GetFocusItem());
    EXPECT_EQ(1, m_list.GetSelectedCount());
    EXPECT_TRUE(m_list.IsSelected(3));
    m_list.HandleKey(VK_DOWN, TRUE, FALSE);  // Shift adds
    EXPECT_EQ(2, m_list.GetSelectedCount());
    m_list.HandleKey(VK_DOWN, FALSE, TRUE);  // Ctrl alone moves the focus only
    EXPECT_EQ(5, m_list.GetFocusItem());
    EXPECT_EQ(2, m_list.GetSelectedCount());
    m_list.HandleKey(VK_RIGHT, FALSE, FALSE);  // not a list key
    EXPECT_EQ(5, m_list.GetFocusItem());
    // Down to the last row scrolls it into view: 5 rows fit, the bar takes none of them.
    for (int i = 0; i < 4; ++i)
        m_list.HandleKey(VK_DOWN, FALSE, FALSE);
    EXPECT_EQ(9, m_list.GetFocusItem());
    EXPECT_EQ(5, m_list.GetScrollPos(SB_VERT));
    m_list.HandleKey(VK_UP, FALSE, FALSE);
    m_list.SetFocusItem(2, FALSE);
    m_list.EnsureVisible(2);
    EXPECT_EQ(2, m_list.GetScrollPos(SB_VERT));
}

TEST_F(ListTest, ClicksSelect)
{
    Fill(10);
    LeftDown(List(), 70, 20, MK_SHIFT);  // no focus: from item 0 to item 1
    EXPECT_EQ(2, m_list.GetSelectedCount());
    EXPECT_TRUE(m_list.IsSelected(0));
    EXPECT_EQ(1, m_list.GetFocusItem());
    LeftUp(List(), 70, 20);
    LeftDown(List(), 170, 60, MK_SHIFT);  // item 7, from the focus 1: 1..7
    EXPECT_EQ(7, m_list.GetSelectedCount());
    EXPECT_FALSE(m_list.IsSelected(0));
    LeftDown(List(), 20, 20, MK_CONTROL);  // toggles item 0
    EXPECT_TRUE(m_list.IsSelected(0));
    LeftDown(List(), 20, 20, MK_CONTROL);
    EXPECT_FALSE(m_list.IsSelected(0));
    LeftDown(List(), 120, 20);  // item 2 alone
    EXPECT_EQ(1, m_list.GetSelectedCount());
    EXPECT_TRUE(m_list.IsSelected(2));
    EXPECT_EQ(List(), GetFocus());
    // Right click on a selected item keeps the selection; on an unselected one selects it alone.
    m_list.SelectItem(3, TRUE, FALSE, FALSE, FALSE);
    Deliver(List(), WM_RBUTTONDOWN, MK_RBUTTON, PointParam(170, 20));
    EXPECT_EQ(2, m_list.GetSelectedCount());
    EXPECT_EQ(3, m_list.GetFocusItem());
    Deliver(List(), WM_RBUTTONDOWN, MK_RBUTTON, PointParam(20, 60));
    EXPECT_EQ(1, m_list.GetSelectedCount());
    EXPECT_EQ(4, m_list.GetFocusItem());
    // A click in a gap clears everything.
    LeftDown(List(), 55, 20);
    EXPECT_EQ(0, m_list.GetSelectedCount());
    EXPECT_EQ(-1, m_list.GetFocusItem());
}

TEST_F(ListTest, HotItemFollowsThePointer)
{
    Fill(10);
    MouseMove(List(), 70, 20);
    EXPECT_EQ(1, m_list.GetHotItem());
    MouseMove(List(), 55, 20);
    EXPECT_EQ(-1, m_list.GetHotItem());
    MouseMove(List(), 70, 20);
    Deliver(List(), WM_MOUSELEAVE);
    EXPECT_EQ(-1, m_list.GetHotItem());
}

TEST_F(ListTest, RubberBandOverFourTilesSelectsThem)
{
    Fill(10);
    // Press in the top-left gap, drag over tiles 0, 1, 4 and 5, release.
    LeftDown(List(), 5, 5);
    PostMessageW(List(), WM_MOUSEMOVE, MK_LBUTTON, PointParam(60, 50));
    PostMessageW(List(), WM_MOUSEMOVE, MK_LBUTTON, PointParam(80, 70));
    PostMessageW(List(), WM_LBUTTONUP, 0, PointParam(80, 70));
    MouseMove(List(), 9, 9, MK_LBUTTON);  // 4 pixels across, 4 down: the band starts
    EXPECT_EQ(4, m_list.GetSelectedCount());
    for (int i : {0, 1, 4, 5})
        EXPECT_TRUE(m_list.IsSelected(i)) << i;
    EXPECT_TRUE(m_list.GetRubberBand().IsRectEmpty());
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(ListTest, SmallMovesStartNoRubberBand)
{
    Fill(10);
    LeftDown(List(), 5, 5);
    MouseMove(List(), 8, 5, MK_LBUTTON);  // 3 across, none down
    MouseMove(List(), 5, 8, MK_LBUTTON);
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(0, m_list.GetSelectedCount());
}

TEST_F(ListTest, ScrollCodesAndTheWheel)
{
    m_list.SetGridMode(FALSE);
    Fill(30);  // page of 5 rows, maximum position 25
    struct Case { UINT code; int pos; int before; int after; } cases[] = {
        {SB_LINEDOWN, 0, 0, 1}, {SB_LINEUP, 0, 0, 0}, {SB_PAGEDOWN, 0, 3, 8}, {SB_PAGEUP, 0, 8, 3},
        {SB_THUMBTRACK, 12, 0, 12}, {SB_THUMBPOSITION, 99, 0, 25}, {SB_BOTTOM, 0, 0, 25}, {SB_TOP, 0, 17, 0}};
    for (const Case& c : cases) {
        m_list.SetScrollPos(c.before);
        m_list.SendMessage(WM_VSCROLL, MAKEWPARAM(c.code, c.pos), 0);
        EXPECT_EQ(c.after, m_list.GetScrollPos(SB_VERT)) << c.code;
    }
    m_list.SetScrollPos(10);
    m_list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(9, m_list.GetScrollPos(SB_VERT));
    m_list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
    EXPECT_EQ(11, m_list.GetScrollPos(SB_VERT));
}

// A step moves the picture and draws only the row that comes into view; the window then shows
// what a whole paint at that position draws.
TEST_F(ListTest, AScrollStepDrawsOnlyWhatComesIntoView)
{
    Fill(60);  // 4 columns, a 40-pixel pitch, tile rows at 10, 50 and 90 in view
    m_parent.ShowWindow(SW_SHOWNOACTIVATE);
    m_list.UpdateWindow();
    struct Case {
        const char* name;
        int pos;
        std::vector<int> drawn;
    } cases[] = {
        {"one row down", 1, {12, 13, 14, 15}},
        {"one row up", 0, {0, 1, 2, 3}},
        {"a jump past the page", 10, {40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51}},
    };
    for (const Case& c : cases) {
        m_list.m_drawn.clear();
        m_list.SetScrollPos(c.pos);
        EXPECT_EQ(c.drawn, m_list.m_drawn) << c.name;
        DibCanvas shown(216, 130), whole(216, 130);
        HDC hWindow = ::GetDC(List());
        ::BitBlt(shown.m_dc.m_hDC, 0, 0, 200, 130, hWindow, 0, 0, SRCCOPY);
        ::ReleaseDC(List(), hWindow);
        m_list.Draw(&whole.m_dc);
        for (int y = 0; y < 130; y += 5) {
            for (int x = 0; x < 200; x += 5)
                ASSERT_EQ(whole.At(x, y), shown.At(x, y)) << c.name << " at " << x << "," << y;
        }
    }
}

TEST_F(ListTest, DeletingShiftsTheFocusAndHotRowsAfterIt)
{
    Fill(10);
    m_list.SetFocusItem(5, FALSE);
    m_list.SetHotItem(7, FALSE);
    EXPECT_EQ(0, m_list.DeleteItem(2, TRUE));
    EXPECT_EQ(4, m_list.GetFocusItem());
    EXPECT_EQ(6, m_list.GetHotItem());
    EXPECT_EQ(6u, m_list.GetItemData(4));  // still the same item
    EXPECT_EQ(0, m_list.DeleteItem(4, TRUE));
    EXPECT_EQ(-1, m_list.GetFocusItem());
    EXPECT_EQ(5, m_list.GetHotItem());
    m_list.SetFocusItem(1, FALSE);
    EXPECT_EQ(0, m_list.DeleteItem(6, TRUE));
    EXPECT_EQ(1, m_list.GetFocusItem());
    EXPECT_EQ(5, m_list.GetHotItem());
    EXPECT_EQ(-1, m_list.DeleteItem(99, TRUE));
    EXPECT_EQ(7, m_list.GetItemCount());
}

TEST_F(ListTest, DeleteSelectedAndAll)
{
    Fill(6);
    EXPECT_EQ(1, m_list.DeleteSelectedItems(TRUE));
    EXPECT_EQ(6, m_list.GetItemCount());
    m_list.SelectItem(1, TRUE, FALSE, FALSE, FALSE);
    m_list.SelectItem(3, TRUE, FALSE, FALSE, FALSE);
    m_list.SetFocusItem(4, FALSE);
    m_list.SetHotItem(3, FALSE);
    EXPECT_EQ(0, m_list.DeleteSelectedItems(TRUE));
    EXPECT_EQ(4, m_list.GetItemCount());
    EXPECT_EQ(2, m_list.GetFocusItem());
    EXPECT_EQ(-1, m_list.GetHotItem());
    EXPECT_EQ(5u, m_list.GetItemData(2));
    EXPECT_EQ(2, m_list.FindItemByData(5));
    EXPECT_EQ(-1, m_list.FindItemByData(0));
    EXPECT_EQ(0, m_list.DeleteAllItems(TRUE));
    EXPECT_EQ(1, m_list.DeleteAllItems(TRUE));
    EXPECT_EQ(-1, m_list.GetFocusItem());
}

TEST_F(ListTest, SelectionHelpers)
{
    Fill(8);
    m_list.SelectRange(6, 2, TRUE, FALSE);
    EXPECT_EQ(5, m_list.GetSelectedCount());
    EXPECT_EQ(2, m_list.GetNextSelectedItem(-4));
    EXPECT_EQ(6, m_list.GetNextSelectedItem(6));
    EXPECT_EQ(-1, m_list.GetNextSelectedItem(7));
    EXPECT_EQ(-1, m_list.SelectItem(8, TRUE, FALSE, FALSE, FALSE));
    m_list.SelectRange(5, 50, TRUE, FALSE);
    EXPECT_EQ(3, m_list.GetSelectedCount());
    m_list.ModifyItemState(0, 0, 0x10, FALSE);
    EXPECT_EQ(0x10, m_list.GetItemState(0));
    EXPECT_EQ(0, m_list.GetItemState(99));
    EXPECT_EQ(1, m_list.SetFocusItem(-1, FALSE));
    m_list.SelectAllItems(TRUE);
    EXPECT_EQ(8, m_list.GetSelectedCount());
    EXPECT_EQ(2, m_list.InsertItem(2, 77, TRUE));
    EXPECT_EQ(9, m_list.InsertItem(50, 78, TRUE));
    EXPECT_EQ(0, m_list.InsertItem(-3, 79, TRUE));
}

TEST(ListSort, FiftyThousandSortedReversedAndEqualItemsSortQuickly)
{
    for (int kind = 0; kind < 3; ++kind) {
        CTestList list;  // no window is needed to sort
        const int n = 50000;
        for (int i = 0; i < n; ++i) {
            DWORD_PTR data = kind == 0 ? i : kind == 1 ? n - i : 7;
            list.AddItem(data, FALSE);
        }
        DWORD start = GetTickCount();
        list.SortItems(0, 0);
        DWORD spent = GetTickCount() - start;
        for (int i = 1; i < n; ++i)
            ASSERT_LE(list.GetItemData(i - 1), list.GetItemData(i)) << kind << " at " << i;
        // n log n is about 800,000 comparisons; quadratic would be over a billion.
        EXPECT_LT(list.m_nCompares, 3000000) << kind;
        EXPECT_LT(spent, 5000u) << kind;
    }
}

TEST(ListSort, RandomOrderSortsStably)
{
    CTestList list;
    unsigned seed = 12345;
    for (int i = 0; i < 5000; ++i) {
        seed = seed * 1103515245 + 12345;
        list.AddItem((seed >> 8) % 1000 + 1, FALSE);
    }
    list.SortItems(0, 0);
    for (int i = 1; i < 5000; ++i)
        ASSERT_LE(list.GetItemData(i - 1), list.GetItemData(i));
}

TEST_F(ListTest, DrawsTilesGapsAndTheRubberBand)
{
    Fill(6);
    m_list.SelectItem(5, TRUE, FALSE, FALSE, FALSE);
    DibCanvas canvas(216, 130);
    m_list.Draw(&canvas.m_dc);
    EXPECT_EQ(CTestList::ColourOf(1), canvas.At(10, 10));
    EXPECT_EQ(CTestList::ColourOf(1), canvas.At(49, 39));
    EXPECT_EQ(RGB(10, 10, 10), canvas.At(50, 20));  // the gap
    EXPECT_EQ(CTestList::ColourOf(4), canvas.At(160, 10));
    EXPECT_EQ(RGB(255, 0, 255), canvas.At(60, 50));  // item 5, selected
    EXPECT_EQ(RGB(10, 10, 10), canvas.At(120, 60));  // past the last item
    EXPECT_EQ(RGB(10, 10, 10), canvas.At(205, 125));
    EXPECT_EQ(40 * 30, canvas.Count(CTestList::ColourOf(2)));
    m_list.SetBand(CRect(100, 85, 150, 125));
    m_list.Draw(&canvas.m_dc);
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(100, 85));
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(149, 124));
    EXPECT_EQ(RGB(10, 10, 10), canvas.At(120, 100));
    m_list.DeleteAllItems(TRUE);
    m_list.SetBand(CRect());
    m_list.Draw(&canvas.m_dc);
    EXPECT_EQ(216 * 130, canvas.Count(RGB(10, 10, 10)));
}

TEST_F(ListTest, ListModeDrawsRowsAndGaps)
{
    m_list.SetGridMode(FALSE);
    Fill(2);
    DibCanvas canvas(216, 130);
    m_list.Draw(&canvas.m_dc);
    EXPECT_EQ(RGB(10, 10, 10), canvas.At(5, 2));
    EXPECT_EQ(CTestList::ColourOf(1), canvas.At(5, 4));
    EXPECT_EQ(CTestList::ColourOf(2), canvas.At(215, 47));
    EXPECT_EQ(RGB(10, 10, 10), canvas.At(5, 60));
}

// The scroll bar alone, under a recording parent.
class ScrollBarTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateParent());
        ASSERT_TRUE(m_bar.Create(&m_parent, 1));
        m_bar.MoveWindow(0, 0, 16, 200);
    }
    void Set(int nMin, int nMax, UINT nPage, int nPos)
    {
        SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS};
        si.nMin = nMin;
        si.nMax = nMax;
        si.nPage = nPage;
        si.nPos = nPos;
        m_bar.SetScrollInfo(&si, TRUE);
    }
    RecordingParent m_parent;
    CSkinScrollBar m_bar;
};

TEST_F(ScrollBarTest, LayoutTable)
{
    struct Case { int height, nMax; UINT nPage; int nPos; CRect up, track, thumb; } cases[] = {
        // 200 high: arrows of 16, track 17..183 (166); range 100, page 10
        {200, 99, 10, 0, CRect(0, 0, 16, 16), CRect(0, 17, 16, 183), CRect(0, 17, 16, 33)},
        {200, 99, 50, 0, CRect(0, 0, 16, 16), CRect(0, 17, 16, 183), CRect(0, 17, 16, 100)},
        {200, 99, 50, 50, CRect(0, 0, 16, 16), CRect(0, 17, 16, 183), CRect(0, 100, 16, 183)},
        // a small thumb centred on its top when room remains below
        {200, 99, 5, 40, CRect(0, 0, 16, 16), CRect(0, 17, 16, 183), CRect(0, 75, 16, 91)},
        // at its end (top 174): made 16 high, centred on its top as 9 pixels remain below it
        {200, 99, 5, 95, CRect(0, 0, 16, 16), CRect(0, 17, 16, 183), CRect(0, 166, 16, 182)},
        // lower than 32: arrows of half the height, a track of 15 or less has an empty thumb
        {30, 99, 10, 0, CRect(0, 0, 16, 15), CRect(0, 16, 16, 16), CRect(0, 16, 16, 16)},
    };
    for (const Case& c : cases) {
        m_bar.MoveWindow(0, 0, 16, c.height);
        Set(0, c.nMax, c.nPage, c.nPos);
        EXPECT_EQ(c.up, m_bar.m_rcUp) << c.height << " " << c.nPage << " " << c.nPos;
        EXPECT_EQ(c.track, m_bar.m_rcTrack) << c.height << " " << c.nPage << " " << c.nPos;
        EXPECT_EQ(c.thumb, m_bar.m_rcThumb) << c.height << " " << c.nPage << " " << c.nPos;
    }
}

TEST_F(ScrollBarTest, ScrollInfoClampsAndShowsTheBarOnlyWhenNeeded)
{
    Set(0, 99, 10, 500);
    EXPECT_EQ(90, m_bar.GetPos());
    EXPECT_TRUE(m_bar.GetStyle() & WS_VISIBLE);
    SCROLLINFO pos = {sizeof(pos), SIF_POS};
    pos.nPos = 90;
    EXPECT_FALSE(m_bar.SetScrollInfo(&pos, TRUE));  // the current position: nothing
    pos.nPos = -4;
    EXPECT_TRUE(m_bar.SetScrollInfo(&pos, TRUE));
    EXPECT_EQ(0, m_bar.GetPos());
    Set(0, 4, 5, 3);  // the page covers the range
    EXPECT_EQ(0, m_bar.GetPos());
    EXPECT_FALSE(m_bar.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(SBP_NONE, m_bar.HitTest(CPoint(5, 5)));
}

TEST_F(ScrollBarTest, HitTestTable)
{
    Set(0, 99, 10, 45);  // thumb around the middle
    struct Case { int y, part; } cases[] = {{3, SBP_UP}, {195, SBP_DOWN}, {20, SBP_PAGEUP}, {180, SBP_PAGEDOWN},
                                            {m_bar.m_rcThumb.top + 2, SBP_THUMB}, {16, SBP_NONE}};
    for (const Case& c : cases)
        EXPECT_EQ(c.part, m_bar.HitTest(CPoint(8, c.y))) << c.y;
}

TEST_F(ScrollBarTest, ArrowsPostAtOnceAndRepeatEvery200Ms)
{
    Set(0, 99, 10, 45);
    LeftDown(m_bar.m_hWnd, 8, 195);
    PumpMessages();
    auto scrolls = m_parent.Of(WM_VSCROLL);
    ASSERT_EQ(1u, scrolls.size());
    EXPECT_EQ(static_cast<WORD>(SB_LINEDOWN), LOWORD(scrolls[0].wParam));
    EXPECT_EQ(reinterpret_cast<LPARAM>(m_bar.m_hWnd), scrolls[0].lParam);
    PumpFor(700);
    int n = m_parent.Count(WM_VSCROLL);
    EXPECT_GE(n, 3);  // about three repeats in 700 ms
    EXPECT_LE(n, 5);
    LeftUp(m_bar.m_hWnd, 8, 195);
    PumpFor(300);
    EXPECT_EQ(n, m_parent.Count(WM_VSCROLL));
    m_parent.Clear();
    LeftDown(m_bar.m_hWnd, 8, 20);  // page up
    LeftUp(m_bar.m_hWnd, 8, 20);
    ASSERT_EQ(1, m_parent.Count(WM_VSCROLL));
    EXPECT_EQ(static_cast<WORD>(SB_PAGEUP), LOWORD(m_parent.Of(WM_VSCROLL)[0].wParam));
}

TEST_F(ScrollBarTest, DraggingTheThumbPostsThumbTrack)
{
    Set(0, 99, 10, 0);  // thumb 17..33, track 166, free 150 for 90 positions
    LeftDown(m_bar.m_hWnd, 8, 20);
    EXPECT_EQ(m_bar.m_hWnd, GetCapture());
    MouseMove(m_bar.m_hWnd, 8, 95, MK_LBUTTON);  // 75 down: 90 / 150 * 75 = 45
    auto scrolls = m_parent.Of(WM_VSCROLL);
    ASSERT_EQ(1u, scrolls.size());
    EXPECT_EQ(static_cast<WORD>(SB_THUMBTRACK), LOWORD(scrolls[0].wParam));
    EXPECT_EQ(45, HIWORD(scrolls[0].wParam));
    MouseMove(m_bar.m_hWnd, 8, 900, MK_LBUTTON);
    EXPECT_EQ(90, HIWORD(m_parent.Of(WM_VSCROLL).back().wParam));
    LeftUp(m_bar.m_hWnd, 8, 900);
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(ScrollBarTest, AThumbThatFillsTheTrackDividesByNothing)
{
    m_bar.MoveWindow(0, 0, 16, 50);  // track of 16: the thumb is made 16 high and fills it
    Set(0, 99, 10, 0);
    ASSERT_EQ(m_bar.m_rcTrack.Height(), m_bar.m_rcThumb.Height());
    EXPECT_EQ(0, m_bar.PosFromThumbTop(m_bar.m_rcTrack.top));
    EXPECT_EQ(0, m_bar.PosFromThumbTop(m_bar.m_rcTrack.top + 5));
    LeftDown(m_bar.m_hWnd, 8, 20);
    MouseMove(m_bar.m_hWnd, 8, 40, MK_LBUTTON);
    LeftUp(m_bar.m_hWnd, 8, 40);
    EXPECT_EQ(0, m_parent.Count(WM_VSCROLL));
}

TEST_F(ScrollBarTest, PaintsArrowsAndThumb)
{
    Set(0, 99, 10, 0);
    DibCanvas canvas(16, 200);
    m_bar.Paint(&canvas.m_dc);
    EXPECT_EQ(RGB(0x20, 0x20, 0x20), canvas.At(0, 100));
    EXPECT_EQ(RGB(0x40, 0x40, 0x40), canvas.At(8, 25));  // the thumb
    EXPECT_EQ(RGB(0x20, 0x20, 0x20), canvas.At(0, 25));  // its one-pixel border
    // The up arrow is at its limit, the down arrow normal: 2 + 4 + 6 + 8 pixels each.
    EXPECT_EQ(20, canvas.Count(CRect(0, 0, 16, 16), RGB(0x40, 0x40, 0x40)));
    EXPECT_EQ(20, canvas.Count(CRect(0, 184, 16, 200), RGB(0x80, 0x80, 0x80)));
    // The grip images lie on the thumb (their gaps show the thumb colour).
    EXPECT_GT(canvas.Count(CRect(0, 17, 16, 33), RGB(0xA0, 0xA0, 0xA0)), 0);
}

TEST(MemoryDC, CopiesTheRectangleToTheTargetOnDestruction)
{
    DibCanvas canvas(50, 50);
    {
        CRect rect(10, 10, 30, 30);
        CMemoryDC memDC(&canvas.m_dc, &rect);
        memDC.FillSolidRect(CRect(0, 0, 50, 50), RGB(1, 2, 3));  // in the target's coordinates
        EXPECT_EQ(kWhite, canvas.At(15, 15));                    // nothing shows before the end
    }
    EXPECT_EQ(20 * 20, canvas.Count(RGB(1, 2, 3)));
    EXPECT_EQ(RGB(1, 2, 3), canvas.At(10, 10));
    EXPECT_EQ(kWhite, canvas.At(30, 30));
}

}  // namespace
