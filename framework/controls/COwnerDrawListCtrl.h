// COwnerDrawListCtrl: a list drawn entirely by the program, as full-width rows
// (list mode) or as tiles in a grid (grid mode), with its own scroll bar, multi-selection with
// focus and hot items, rubber-band selection, keyboard and wheel scrolling and double-buffered
// painting. Subclasses draw the items (DrawGridItem, DrawListItem).
//
// DeleteItem shifts the focus and hot indexes
// of the rows after the deleted one, and QuickSortItems takes the median of three as its pivot
// and recurses into the smaller part only (no deep recursion, no quadratic time on sorted
// input).
#pragma once
#include "framework/controls/CSkinScrollBar.h"
#include <algorithm>
#include <vector>

// List item state
const int LIS_SELECTED = 0x1;

// List style flags
const DWORD ODL_GRID = 0x1;
const DWORD ODL_FIXEDCOLUMNS = 0x10;

class CListItem {
public:
    explicit CListItem(DWORD_PTR data = 0) : m_data(data), m_nState(0) {}
    virtual ~CListItem() = default;
    DWORD_PTR m_data;
    int m_nState;
};

class COwnerDrawListCtrl : public CSkinScrollWnd {
public:
    COwnerDrawListCtrl();
    ~COwnerDrawListCtrl() override;

    void UpdateScrollRange() override;
    // The picture moves by the rows scrolled, and only the rows that come into view are drawn.
    void SetScrollPos(int nPos) override;

    virtual int FindItemByData(DWORD_PTR data) const;
    virtual int SetFocusItem(int nIndex, BOOL bRedraw);
    virtual int SetHotItem(int nIndex, BOOL bRedraw);
    virtual int SelectItem(int nIndex, BOOL bSelect, BOOL bClearOthers, BOOL bRedraw, BOOL bUpdateNow);
    virtual int SelectRange(int nFirst, int nLast, BOOL bSelect, BOOL bRedraw);
    virtual int AddItem(DWORD_PTR data, BOOL bRefresh);
    virtual int InsertItem(int nIndex, DWORD_PTR data, BOOL bRefresh);
    virtual int DeleteItem(int nIndex, BOOL bRefresh);
    virtual int DeleteSelectedItems(BOOL bRefresh);
    virtual int DeleteAllItems(BOOL bRefresh);
    virtual int HitTest(int x, int y) const;
    virtual int HitTestGrid(int x, int y) const;
    virtual int HitTestList(int x, int y) const;
    virtual void Draw(CDC* pDC);
    virtual void DrawEmpty(CDC* pDC, const CRect& rect);
    virtual void DrawGrid(CDC* pDC, int left, int top, int right, int bottom);
    virtual void DrawGridItem(CDC* pDC, int nIndex, int left, int top, int right, int bottom) {}
    virtual void DrawList(CDC* pDC, int left, int top, int right, int bottom);
    virtual void DrawListItem(CDC* pDC, int nIndex, int left, int top, int right, int bottom) {}
    virtual void SortItems(LPARAM lParam1, LPARAM lParam2);
    virtual int CompareItems(const CListItem* pItem1, const CListItem* pItem2, LPARAM lParam1, LPARAM lParam2)
    {
        return 0;
    }
    virtual void QuickSortItems(CListItem** ppItems, int nFirst, int nLast, LPARAM lParam1, LPARAM lParam2);
    virtual CListItem* CreateItem(DWORD_PTR data);
    virtual int DestroyItem(CListItem* pItem);

    CListItem* GetItem(int nIndex) const;
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    DWORD_PTR GetItemData(int nIndex) const;
    int GetItemState(int nIndex) const;
    BOOL IsSelected(int nIndex) const { return (GetItemState(nIndex) & LIS_SELECTED) != 0; }
    int GetSelectedCount() const;
    int GetNextSelectedItem(int nStart) const;
    void SelectAllItems(BOOL bSelect);
    void ModifyItemState(int nIndex, int nRemove, int nAdd, BOOL bRedraw);
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    void GetItemRectWithGaps(int nIndex, LPRECT lpRect) const;
    void InvalidateItem(int nIndex, BOOL bErase);
    void EnsureVisible(int nIndex);
    int GetRowCount(int nItems) const { return (nItems + m_nColumns - 1) / std::max(1, m_nColumns); }
    int GetFocusItem() const { return m_nFocusItem; }
    int GetHotItem() const { return m_nHotItem; }
    BOOL IsGridMode() const { return (m_dwListStyle & ODL_GRID) != 0; }
    void SetGridMode(BOOL bGrid);
    int GetColumnCount() const { return m_nColumns; }
    // Rows (list) or tile rows (grid) from one to the next.
    int GetPitch() const;
    // Whole rows or tile rows that fit in the content rectangle.
    int GetPageRows() const;
    const CRect& GetRubberBand() const { return m_rcRubber; }

    // Keys and mouse as the message handlers take them (public for tests and subclasses).
    void HandleKey(UINT nChar, BOOL bShift, BOOL bCtrl);

    DWORD m_dwListStyle;
    COLORREF m_crBackground;
    int m_nTileWidth;
    int m_nTileHeight;
    int m_nHGap;
    int m_nVGap;
    int m_nColumns;
    int m_nRowHeight;
    int m_nRowGap;
    COLORREF m_crRubber;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

    void UpdateColumns();
    // The rubber band: the tracker's rectangle changed (lpRect null: it ends). pTracker may be
    // moved by a step when the list scrolls under it.
    void OnRubberBand(const RECT* lpRect, CRect* pTrackerRect);
    void RunRubberBand(CPoint anchor);
    friend class CListRubberBand;

    std::vector<CListItem*> m_items;
    int m_nFocusItem;
    int m_nHotItem;
    CPoint m_ptAnchor;
    CRect m_rcRubber;
    BOOL m_bTrackingLeave;
};
