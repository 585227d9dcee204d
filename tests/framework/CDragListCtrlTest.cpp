// The drag-reorder list: FindDropTarget and the insertion mark as tables in list,
// one-column grid and grid modes; drags by the mouse on a real window with their cursors and
// results; drags that lose the mouse; sub-items; drawing of the dragged slot.
#include "framework/controls/AppUiResources.h"
#include "framework/controls/CDragListCtrl.h"
#include "framework/res/FrameworkResources.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/WindowHarness.h"
#include <gtest/gtest.h>
#include <string>

namespace {

const COLORREF kBack = RGB(10, 10, 10);

// Items are letters; each draws in its own colour; sub-item 1 is the 10 x 10 square at the
// item's top-right corner.
class CTestDragList : public CDragListCtrl {
public:
    static COLORREF ColourOf(DWORD_PTR data) { return RGB(0, 0, 100 + data % 100); }
    void DrawGridItemEx(CDC* pDC, int nIndex, int left, int top, int right, int bottom, BOOL) override
    {
        pDC->FillSolidRect(CRect(left, top, right, bottom), ColourOf(GetItemData(nIndex)));
    }
    void DrawListItemEx(CDC* pDC, int nIndex, int left, int top, int right, int bottom, BOOL b) override
    {
        DrawGridItemEx(pDC, nIndex, left, top, right, bottom, b);
    }
    int SubItemHitTest(int* pItem, int x, int y) override
    {
        int nItem = HitTest(x, y);
        if (nItem < 0)
            return -1;
        *pItem = nItem;
        CRect rect;
        GetSubItemRect(nItem, 1, &rect);
        return rect.PtInRect(CPoint(x, y)) ? 1 : -1;
    }
    int GetSubItemRect(int nItem, int nSubItem, LPRECT lpRect) override
    {
        CRect rect;
        GetItemRect(nItem, &rect);
        *lpRect = CRect(rect.right - 10, rect.top, rect.right, rect.top + 10);
        return 0;
    }
    void OnSubItemClick(int nItem, int nSubItem, int) override { m_clicks.push_back({nItem, nSubItem}); }
    std::wstring Order() const
    {
        std::wstring order;
        for (int i = 0; i < GetItemCount(); ++i)
            order += static_cast<wchar_t>(GetItemData(i));
        return order;
    }
    std::vector<std::pair<int, int>> m_clicks;
};

class DragListTest : public testing::Test {
protected:
    // List mode: rows of 20 with gaps of 4 (row i spans 4 + 24 i .. 24 + 24 i).
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateParent());
        m_parent.ShowWindow(SW_SHOWNOACTIVATE);
        m_list.m_nTileWidth = 40;
        m_list.m_nTileHeight = 30;
        m_list.m_nHGap = 10;
        m_list.m_nVGap = 10;
        m_list.m_nRowHeight = 20;
        m_list.m_nRowGap = 4;
        m_list.m_crBackground = kBack;
        m_list.m_dwListStyle = 0;
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 216, 200), &m_parent, 100));
        for (wchar_t c : std::wstring(L"ABCD"))
            m_list.AddItem(c, FALSE);
        m_list.UpdateScrollRange();
    }
    HWND List() const { return m_list.m_hWnd; }
    // Presses on (x0, y0), moves to (x1, y1) and releases there (or not).
    void Drag(int x0, int y0, int x1, int y1, bool bRelease = true)
    {
        MouseMove(List(), x0, y0);
        LeftDown(List(), x0, y0);
        MouseMove(List(), x0, y0 + 1, MK_LBUTTON);  // records the press point
        MouseMove(List(), x0, y0 + 3, MK_LBUTTON);  // starts the drag
        MouseMove(List(), x1, y1, MK_LBUTTON);
        if (bRelease)
            LeftUp(List(), x1, y1);
    }

    RecordingParent m_parent;
    CTestDragList m_list;
};

TEST_F(DragListTest, FindDropTargetInListModeTable)
{
    struct Case { int dragged, y; int target; BOOL after; } cases[] = {
        {1, 90, 3, TRUE},    // B onto the lower half of D
        {1, 80, 3, FALSE},   // B onto the upper half of D
        {2, 5, 0, FALSE},    // C onto the upper half of A
        {1, 52, -1, FALSE},  // B before C: where it is
        {1, 22, -1, FALSE},  // B after A: where it is
        {1, 30, -1, FALSE},  // B onto itself (C's... no: B's own row) is skipped, then nothing
        {0, 150, 3, TRUE},   // below the last row: after the last item
        {3, 1, 0, FALSE},    // above... inside A's inflated top half
        {3, 0, 0, FALSE}};
    for (const Case& c : cases) {
        int target;
        BOOL after;
        BOOL found = m_list.FindDropTarget(c.dragged, 50, c.y, &target, &after);
        EXPECT_EQ(c.target >= 0, !!found) << c.dragged << " at " << c.y;
        EXPECT_EQ(c.target, target) << c.dragged << " at " << c.y;
        if (found) {
            EXPECT_EQ(c.after, after) << c.dragged << " at " << c.y;
        }
    }
    m_list.DeleteItem(3, TRUE);
    m_list.DeleteItem(2, TRUE);
    m_list.DeleteItem(1, TRUE);
    int target;
    BOOL after;
    EXPECT_FALSE(m_list.FindDropTarget(0, 50, 10, &target, &after));  // one item: nowhere
}

TEST_F(DragListTest, FindDropTargetInGridModesTable)
{
    m_list.SetGridMode(TRUE);  // 216 wide: 4 columns; tiles at x 10, 60, 110, 160
    for (wchar_t c : std::wstring(L"EFGH"))
        m_list.AddItem(c, FALSE);
    m_list.UpdateScrollRange();
    ASSERT_EQ(4, m_list.GetColumnCount());
    struct Case { int dragged, x, y; int target; BOOL after; } cases[] = {
        {1, 120, 20, -1, FALSE} /* B before C: where it is */, {1, 140, 20, 2, TRUE}, {0, 190, 60, 7, TRUE},
        {7, 2, 20, 0, FALSE} /* left of the first, not below it */, {0, 210, 60, 7, TRUE} /* right of the last */,
        {0, 2, 70, -1, FALSE} /* left of the first row but below it */, {6, 52, 60, 4, TRUE} /* G onto the right half of E */};
    for (const Case& c : cases) {
        int target;
        BOOL after;
        m_list.FindDropTarget(c.dragged, c.x, c.y, &target, &after);
        EXPECT_EQ(c.target, target) << c.dragged << " at " << c.x << "," << c.y;
        if (target >= 0) {
            EXPECT_EQ(c.after, after) << c.dragged << " at " << c.x << "," << c.y;
        }
    }
    // One column: halves are upper and lower again.
    m_list.m_dwListStyle |= ODL_FIXEDCOLUMNS;
    m_list.m_nColumns = 1;
    int target;
    BOOL after;
    ASSERT_TRUE(m_list.FindDropTarget(0, 20, 130, &target, &after));  // tile 3 spans 130..160
    EXPECT_EQ(3, target);
    EXPECT_FALSE(after);
    ASSERT_TRUE(m_list.FindDropTarget(0, 20, 150, &target, &after));
    EXPECT_TRUE(after);
}

TEST_F(DragListTest, InsertMarkRectanglesTable)
{
    EXPECT_EQ(CRect(0, 74, 216, 75), m_list.GetInsertMarkRect(3, FALSE));  // row gap 4: 2 above D's top
    EXPECT_EQ(CRect(0, 98, 216, 99), m_list.GetInsertMarkRect(3, TRUE));
    m_list.SetGridMode(TRUE);
    EXPECT_EQ(CRect(105, 5, 106, 45), m_list.GetInsertMarkRect(2, FALSE));
    EXPECT_EQ(CRect(155, 5, 156, 45), m_list.GetInsertMarkRect(2, TRUE));
}

TEST_F(DragListTest, DraggingBOntoTheLowerHalfOfDGivesACDB)
{
    Drag(50, 30, 50, 66, false);
    ASSERT_TRUE(m_list.IsDragging());
    EXPECT_EQ(1, m_list.GetDragItem());
    EXPECT_EQ(List(), GetCapture());
    EXPECT_EQ(2, m_list.GetDropTarget());  // the lower half of C
    EXPECT_TRUE(m_list.GetDropAfter());
    EXPECT_EQ(m_list.m_hRowCursor, m_list.GetDragCursor());
    EXPECT_NE(nullptr, m_list.m_hRowCursor);
    // The dragged item draws as an empty slot.
    DibCanvas canvas(216, 200);
    m_list.Draw(&canvas.m_dc);
    EXPECT_EQ(kBack, canvas.At(50, 30));
    EXPECT_EQ(CTestDragList::ColourOf(L'A'), canvas.At(50, 10));
    MouseMove(List(), 50, 90, MK_LBUTTON);
    EXPECT_EQ(3, m_list.GetDropTarget());
    LeftUp(List(), 50, 90);
    EXPECT_FALSE(m_list.IsDragging());
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(L"ACDB", m_list.Order());
    EXPECT_EQ(3, m_list.GetFocusItem());
}

TEST_F(DragListTest, DraggingCOntoTheUpperHalfOfAGivesCABD)
{
    Drag(50, 55, 50, 8);
    EXPECT_EQ(L"CABD", m_list.Order());
}

TEST_F(DragListTest, DraggingBBeforeCMovesNothing)
{
    Drag(50, 30, 50, 45, false);
    EXPECT_EQ(-1, m_list.GetDropTarget());
    EXPECT_EQ(m_list.m_hArrowCursor, m_list.GetDragCursor());
    LeftUp(List(), 50, 45);
    EXPECT_EQ(L"ABCD", m_list.Order());
}

TEST_F(DragListTest, GridDragUsesTheTileCursor)
{
    m_list.SetGridMode(TRUE);  // A B C D at x 10, 60, 110, 160
    Drag(20, 20, 185, 20, false);
    EXPECT_EQ(3, m_list.GetDropTarget());
    EXPECT_TRUE(m_list.GetDropAfter());
    EXPECT_EQ(m_list.m_hTileCursor, m_list.GetDragCursor());
    EXPECT_NE(nullptr, m_list.m_hTileCursor);
    LeftUp(List(), 185, 20);
    EXPECT_EQ(L"BCDA", m_list.Order());
}

TEST_F(DragListTest, NoDragWithTwoItemsSelected)
{
    MouseMove(List(), 50, 30);
    LeftDown(List(), 50, 30);
    LeftUp(List(), 50, 30);
    MouseMove(List(), 50, 55);
    LeftDown(List(), 50, 55, MK_CONTROL);
    ASSERT_EQ(2, m_list.GetSelectedCount());
    MouseMove(List(), 50, 56, MK_LBUTTON);
    MouseMove(List(), 50, 70, MK_LBUTTON);
    EXPECT_FALSE(m_list.IsDragging());
    LeftUp(List(), 50, 70);
    EXPECT_EQ(L"ABCD", m_list.Order());
}

TEST_F(DragListTest, ADragThatLosesTheMouseMovesNothing)
{
    Drag(50, 30, 50, 90, false);
    ASSERT_TRUE(m_list.IsDragging());
    m_list.SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(m_list.IsDragging());
    EXPECT_NE(List(), GetCapture());
    LeftUp(List(), 50, 90);
    EXPECT_EQ(L"ABCD", m_list.Order());

    Drag(50, 30, 50, 90, false);
    ASSERT_TRUE(m_list.IsDragging());
    m_parent.SetCapture();  // another window takes the mouse
    EXPECT_FALSE(m_list.IsDragging());
    ReleaseCapture();
    LeftUp(List(), 50, 90);
    EXPECT_EQ(L"ABCD", m_list.Order());

    Drag(50, 30, 50, 90, false);
    ASSERT_TRUE(m_list.IsDragging());
    m_list.SendMessage(WM_KILLFOCUS);
    EXPECT_FALSE(m_list.IsDragging());
    LeftUp(List(), 50, 90);
    EXPECT_EQ(L"ABCD", m_list.Order());
    // The dragged item draws again.
    DibCanvas canvas(216, 200);
    m_list.Draw(&canvas.m_dc);
    EXPECT_EQ(CTestDragList::ColourOf(L'B'), canvas.At(50, 30));
}

TEST_F(DragListTest, SubItemsGetHotPressedAndClickedAndStartNoDrag)
{
    // B's sub-item: x 206..216, y 28..38.
    MouseMove(List(), 210, 30);
    EXPECT_EQ(1, m_list.GetHotItem());
    EXPECT_EQ(1, m_list.GetHotSubItem());
    LeftDown(List(), 210, 30);
    EXPECT_EQ(1, m_list.GetPressedSubItem());
    EXPECT_EQ(0, m_list.GetSelectedCount());  // the list's own press handling did not run
    MouseMove(List(), 210, 32, MK_LBUTTON);
    MouseMove(List(), 210, 36, MK_LBUTTON);
    EXPECT_FALSE(m_list.IsDragging());
    LeftUp(List(), 210, 36);
    ASSERT_EQ(1u, m_list.m_clicks.size());
    EXPECT_EQ(1, m_list.m_clicks[0].first);
    EXPECT_EQ(1, m_list.m_clicks[0].second);
    EXPECT_EQ(-1, m_list.GetPressedSubItem());
    MouseMove(List(), 50, 30);
    EXPECT_EQ(-1, m_list.GetHotSubItem());
}

TEST_F(DragListTest, ASubItemUnderThePointerShowsTheProgramsHandCursor)
{
    HCURSOR hHand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_INSERT_TILE));
    ASSERT_NE(nullptr, hHand);
    SetAppHandCursor(hHand);
    MouseMove(List(), 210, 30);  // B's sub-item
    CPoint screen(210, 30);
    m_list.ClientToScreen(&screen);
    SetCursorPos(screen.x, screen.y);
    SetCursor(nullptr);
    m_list.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(List()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(hHand, GetCursor());
    SetAppHandCursor(nullptr);
    DestroyCursor(hHand);
}

TEST_F(DragListTest, MoveAndSwapItems)
{
    EXPECT_EQ(1, m_list.MoveItem(2, 2, FALSE));
    EXPECT_EQ(-1, m_list.MoveItem(7, 0, FALSE));
    EXPECT_EQ(-1, m_list.MoveItem(0, -1, FALSE));
    EXPECT_EQ(0, m_list.MoveItem(0, 99, FALSE));  // to the end
    EXPECT_EQ(L"BCDA", m_list.Order());
    EXPECT_EQ(0, m_list.SwapItems(0, 3, TRUE));
    EXPECT_EQ(L"ACDB", m_list.Order());
    EXPECT_EQ(-1, m_list.SwapItems(0, 4, TRUE));
}

TEST_F(DragListTest, TheCursorsComeFromTheFrameworkResources)
{
    EXPECT_NE(nullptr, LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_INSERT_ROW)));
    EXPECT_NE(nullptr, LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_INSERT_TILE)));
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(m_list.m_hRowCursor, &info));
    EXPECT_EQ(15u, info.xHotspot);
    EXPECT_EQ(15u, info.yHotspot);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
}

}  // namespace
