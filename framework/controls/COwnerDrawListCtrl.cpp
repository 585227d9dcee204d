#include "framework/controls/COwnerDrawListCtrl.h"
#include "framework/controls/CMemoryDC.h"
#include <climits>
#include <cstdlib>

BEGIN_MESSAGE_MAP(COwnerDrawListCtrl, CSkinScrollWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_VSCROLL()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_MOUSEWHEEL()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

COwnerDrawListCtrl::COwnerDrawListCtrl()
    : m_dwListStyle(ODL_GRID), m_crBackground(::GetSysColor(COLOR_WINDOW)), m_nTileWidth(240), m_nTileHeight(160),
      m_nHGap(16), m_nVGap(16), m_nColumns(1), m_nRowHeight(24), m_nRowGap(0), m_crRubber(RGB(0xFF, 0, 0)),
      m_nFocusItem(-1), m_nHotItem(-1), m_ptAnchor(-1, -1), m_rcRubber(0, 0, 0, 0), m_bTrackingLeave(FALSE)
{
}

COwnerDrawListCtrl::~COwnerDrawListCtrl()
{
    for (CListItem* pItem : m_items)
        delete pItem;  // the window is gone; no virtual DestroyItem from a destructor
    m_items.clear();
}

int COwnerDrawListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CSkinScrollWnd::OnCreate(lpCreateStruct);
}

void COwnerDrawListCtrl::OnDestroy()
{
    DeleteAllItems(TRUE);
    CSkinScrollWnd::OnDestroy();
}

void COwnerDrawListCtrl::SetGridMode(BOOL bGrid)
{
    if (bGrid)
        m_dwListStyle |= ODL_GRID;
    else
        m_dwListStyle &= ~ODL_GRID;
    UpdateScrollRange();
}

int COwnerDrawListCtrl::GetPitch() const
{
    return IsGridMode() ? m_nVGap + m_nTileHeight : m_nRowGap + m_nRowHeight;
}

void COwnerDrawListCtrl::SetScrollPos(int nPos)
{
    int nOld = GetScrollPos(SB_VERT);
    int nNew = MoveScrollPos(nPos);
    CRect content;
    GetContentRect(&content);
    long long dy = static_cast<long long>(nOld - nNew) * GetPitch();
    // A rubber band is drawn over the rows, and a jump of a page or more leaves nothing to move.
    if (!m_hWnd || dy == 0 || !m_rcRubber.IsRectEmpty() || std::llabs(dy) >= content.Height()) {
        Refresh();
        return;
    }
    ::ScrollWindowEx(m_hWnd, 0, static_cast<int>(dy), &content, &content, nullptr, nullptr, SW_INVALIDATE);
    UpdateWindow();
}

int COwnerDrawListCtrl::GetPageRows() const
{
    CRect content;
    GetContentRect(&content);
    int nPitch = GetPitch();
    return nPitch > 0 ? content.Height() / nPitch : 0;
}

void COwnerDrawListCtrl::UpdateColumns()
{
    if (!IsGridMode() || (m_dwListStyle & ODL_FIXEDCOLUMNS))
        return;
    CRect content;
    GetContentRect(&content);
    int nPitch = m_nHGap + m_nTileWidth;
    m_nColumns = std::max(1, nPitch > 0 ? content.Width() / nPitch : 1);
}

void COwnerDrawListCtrl::UpdateScrollRange()
{
    if (!m_hWnd)
        return;
    // Showing or hiding the bar changes the content width, and with it the columns: twice.
    for (int pass = 0; pass < 2; ++pass) {
        BOOL bVisible = IsScrollBarVisible();
        int nCount = GetItemCount();
        int nMax;
        if (IsGridMode()) {
            UpdateColumns();
            nMax = (nCount + m_nColumns - 1) / m_nColumns - 1;
        } else {
            nMax = nCount - 1;
        }
        SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE};
        si.nMin = 0;
        si.nMax = nMax;
        si.nPage = static_cast<UINT>(std::max(0, GetPageRows()));
        SetScrollInfo(SB_VERT, &si, TRUE);
        if (IsScrollBarVisible() == bVisible)
            break;
    }
    Refresh();
}

int COwnerDrawListCtrl::FindItemByData(DWORD_PTR data) const
{
    if (data == 0)
        return -1;
    for (int i = 0; i < GetItemCount(); ++i) {
        if (m_items[i]->m_data == data)
            return i;
    }
    return -1;
}

int COwnerDrawListCtrl::SetFocusItem(int nIndex, BOOL bRedraw)
{
    if (nIndex == m_nFocusItem)
        return 1;
    int nOld = m_nFocusItem;
    m_nFocusItem = nIndex;
    if (bRedraw) {
        InvalidateItem(nOld, FALSE);
        InvalidateItem(nIndex, FALSE);
    }
    return 0;
}

int COwnerDrawListCtrl::SetHotItem(int nIndex, BOOL bRedraw)
{
    if (nIndex == m_nHotItem)
        return 1;
    int nOld = m_nHotItem;
    m_nHotItem = nIndex;
    if (bRedraw) {
        InvalidateItem(nOld, FALSE);
        InvalidateItem(nIndex, FALSE);
    }
    return 0;
}

int COwnerDrawListCtrl::SelectItem(int nIndex, BOOL bSelect, BOOL bClearOthers, BOOL bRedraw, BOOL bUpdateNow)
{
    if (bClearOthers)
        SelectAllItems(FALSE);
    CListItem* pItem = GetItem(nIndex);
    if (!pItem)
        return -1;
    if (bSelect)
        pItem->m_nState |= LIS_SELECTED;
    else
        pItem->m_nState &= ~LIS_SELECTED;
    if (bRedraw) {
        InvalidateItem(nIndex, FALSE);
        if (bUpdateNow && m_hWnd)
            UpdateWindow();
    }
    return 0;
}

int COwnerDrawListCtrl::SelectRange(int nFirst, int nLast, BOOL bSelect, BOOL bRedraw)
{
    if (nFirst > nLast)
        std::swap(nFirst, nLast);
    for (CListItem* pItem : m_items)
        pItem->m_nState &= ~LIS_SELECTED;
    nFirst = std::max(0, nFirst);
    nLast = std::min(nLast, GetItemCount() - 1);
    for (int i = nFirst; i <= nLast; ++i) {
        if (bSelect)
            m_items[i]->m_nState |= LIS_SELECTED;
        else
            m_items[i]->m_nState &= ~LIS_SELECTED;
    }
    if (bRedraw && m_hWnd)
        Refresh();
    return 0;
}

CListItem* COwnerDrawListCtrl::CreateItem(DWORD_PTR data)
{
    return new CListItem(data);
}

int COwnerDrawListCtrl::DestroyItem(CListItem* pItem)
{
    if (!pItem)
        return -1;
    delete pItem;
    return 0;
}

int COwnerDrawListCtrl::AddItem(DWORD_PTR data, BOOL bRefresh)
{
    m_items.push_back(CreateItem(data));
    if (bRefresh)
        UpdateScrollRange();
    return GetItemCount() - 1;
}

int COwnerDrawListCtrl::InsertItem(int nIndex, DWORD_PTR data, BOOL bRefresh)
{
    nIndex = std::max(0, std::min(nIndex, GetItemCount()));
    m_items.insert(m_items.begin() + nIndex, CreateItem(data));
    if (bRefresh)
        UpdateScrollRange();
    return nIndex;
}

int COwnerDrawListCtrl::DeleteItem(int nIndex, BOOL bRefresh)
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return -1;
    CListItem* pItem = m_items[nIndex];
    m_items.erase(m_items.begin() + nIndex);
    // The rows after the deleted one move up, and their focus and hot marks with them.
    auto shift = [&](int& n) {
        if (n == nIndex)
            n = -1;
        else if (n > nIndex)
            --n;
        if (n >= GetItemCount())
            n = -1;
    };
    shift(m_nFocusItem);
    shift(m_nHotItem);
    if (bRefresh)
        UpdateScrollRange();
    DestroyItem(pItem);
    return 0;
}

int COwnerDrawListCtrl::DeleteSelectedItems(BOOL bRefresh)
{
    std::vector<CListItem*> removed;
    std::vector<CListItem*> kept;
    int nFocus = m_nFocusItem, nHot = m_nHotItem;
    int nNewFocus = -1, nNewHot = -1;
    for (int i = 0; i < GetItemCount(); ++i) {
        CListItem* pItem = m_items[i];
        if (pItem->m_nState & LIS_SELECTED) {
            removed.push_back(pItem);
        } else {
            if (i == nFocus)
                nNewFocus = static_cast<int>(kept.size());
            if (i == nHot)
                nNewHot = static_cast<int>(kept.size());
            kept.push_back(pItem);
        }
    }
    if (removed.empty())
        return 1;
    m_items.swap(kept);
    m_nFocusItem = nNewFocus;
    m_nHotItem = nNewHot;
    if (bRefresh)
        UpdateScrollRange();
    for (CListItem* pItem : removed)
        DestroyItem(pItem);
    return 0;
}

int COwnerDrawListCtrl::DeleteAllItems(BOOL bRefresh)
{
    if (m_items.empty())
        return 1;
    m_nFocusItem = -1;
    m_nHotItem = -1;
    std::vector<CListItem*> items;
    items.swap(m_items);
    if (bRefresh)
        UpdateScrollRange();
    for (CListItem* pItem : items)
        DestroyItem(pItem);
    return 0;
}

CListItem* COwnerDrawListCtrl::GetItem(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetItemCount() ? m_items[nIndex] : nullptr;
}

DWORD_PTR COwnerDrawListCtrl::GetItemData(int nIndex) const
{
    CListItem* pItem = GetItem(nIndex);
    return pItem ? pItem->m_data : 0;
}

int COwnerDrawListCtrl::GetItemState(int nIndex) const
{
    CListItem* pItem = GetItem(nIndex);
    return pItem ? pItem->m_nState : 0;
}

int COwnerDrawListCtrl::GetSelectedCount() const
{
    int n = 0;
    for (CListItem* pItem : m_items)
        n += (pItem->m_nState & LIS_SELECTED) ? 1 : 0;
    return n;
}

int COwnerDrawListCtrl::GetNextSelectedItem(int nStart) const
{
    for (int i = std::max(0, nStart); i < GetItemCount(); ++i) {
        if (m_items[i]->m_nState & LIS_SELECTED)
            return i;
    }
    return -1;
}

void COwnerDrawListCtrl::SelectAllItems(BOOL bSelect)
{
    for (CListItem* pItem : m_items) {
        if (bSelect)
            pItem->m_nState |= LIS_SELECTED;
        else
            pItem->m_nState &= ~LIS_SELECTED;
    }
    if (m_hWnd) {
        InvalidateRect(nullptr, FALSE);
        UpdateWindow();
    }
}

void COwnerDrawListCtrl::ModifyItemState(int nIndex, int nRemove, int nAdd, BOOL bRedraw)
{
    CListItem* pItem = GetItem(nIndex);
    if (!pItem)
        return;
    pItem->m_nState = (pItem->m_nState & ~nRemove) | nAdd;
    if (bRedraw)
        InvalidateItem(nIndex, FALSE);
}

void COwnerDrawListCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
{
    CRect content;
    GetContentRect(&content);
    int nPos = GetScrollPos(SB_VERT);
    if (IsGridMode()) {
        int nColumns = std::max(1, m_nColumns);
        int nRow = nIndex / nColumns - nPos;
        int nColumn = nIndex % nColumns;
        int left = content.left + m_nHGap + nColumn * (m_nHGap + m_nTileWidth);
        int top = content.top + m_nVGap + nRow * (m_nVGap + m_nTileHeight);
        *lpRect = CRect(left, top, left + m_nTileWidth, top + m_nTileHeight);
    } else {
        int top = content.top + m_nRowGap + (nIndex - nPos) * (m_nRowGap + m_nRowHeight);
        *lpRect = CRect(content.left, top, content.right, top + m_nRowHeight);
    }
}

void COwnerDrawListCtrl::GetItemRectWithGaps(int nIndex, LPRECT lpRect) const
{
    CRect rect;
    GetItemRect(nIndex, &rect);
    if (IsGridMode())
        rect.InflateRect(m_nHGap / 2, m_nVGap / 2);
    else
        rect.InflateRect(0, m_nRowGap / 2);
    *lpRect = rect;
}

void COwnerDrawListCtrl::InvalidateItem(int nIndex, BOOL bErase)
{
    if (!m_hWnd || nIndex < 0 || nIndex >= GetItemCount())
        return;
    CRect rect;
    GetItemRect(nIndex, &rect);
    InvalidateRect(&rect, bErase);
}

void COwnerDrawListCtrl::EnsureVisible(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return;
    int nPos = GetScrollPos(SB_VERT);
    if (!IsGridMode()) {
        int nLast = nPos + GetPageRows() - 1;
        if (nIndex < nPos)
            SetScrollPos(nIndex);
        else if (nIndex > nLast)
            SetScrollPos(nPos + nIndex - nLast);
        return;
    }
    CRect content, rect;
    GetContentRect(&content);
    GetItemRect(nIndex, &rect);
    int nRow = nIndex / std::max(1, m_nColumns);
    int nVisible = GetPageRows();
    if (rect.top < content.top)
        SetScrollPos(nRow);
    else if (rect.bottom > content.bottom)
        SetScrollPos(nRow + 1 - nVisible);
}

int COwnerDrawListCtrl::HitTest(int x, int y) const
{
    return IsGridMode() ? HitTestGrid(x, y) : HitTestList(x, y);
}

int COwnerDrawListCtrl::HitTestGrid(int x, int y) const
{
    CRect content;
    GetContentRect(&content);
    int nColumns = std::max(1, m_nColumns);
    int dx = x - content.left - m_nHGap, dy = y - content.top - m_nVGap;
    if (dx < 0 || dy < 0)
        return -1;  // in the first gap
    int nColumn = dx / (m_nHGap + m_nTileWidth);
    if (nColumn >= nColumns)
        return -1;
    int nRow = dy / (m_nVGap + m_nTileHeight);
    long long index = (static_cast<long long>(GetScrollPos(SB_VERT)) + nRow) * nColumns + nColumn;
    if (index >= GetItemCount())
        return -1;
    CRect rect;
    GetItemRect(static_cast<int>(index), &rect);
    return rect.PtInRect(CPoint(x, y)) ? static_cast<int>(index) : -1;
}

int COwnerDrawListCtrl::HitTestList(int x, int y) const
{
    CRect content;
    GetContentRect(&content);
    for (int i = std::max(0, GetScrollPos(SB_VERT)); i < GetItemCount(); ++i) {
        CRect rect;
        GetItemRect(i, &rect);
        if (rect.top >= content.bottom)
            break;
        if (rect.PtInRect(CPoint(x, y)))
            return i;
    }
    return -1;
}

BOOL COwnerDrawListCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void COwnerDrawListCtrl::OnPaint()
{
    CPaintDC dc(this);
    Draw(&dc);
}

void COwnerDrawListCtrl::Draw(CDC* pDC)
{
    CRect client, content, box;
    GetClientRect(&client);
    GetContentRect(&content);
    // Only what is to be painted goes through the buffer.
    if (pDC->GetClipBox(&box) <= NULLREGION || !box.IntersectRect(&box, &client))
        return;
    CMemoryDC memDC(pDC, &box);
    memDC.FillSolidRect(&client, m_crBackground);
    if (m_items.empty())
        DrawEmpty(&memDC, content);
    else if (IsGridMode())
        DrawGrid(&memDC, content.left, content.top, content.right, content.bottom);
    else
        DrawList(&memDC, content.left, content.top, content.right, content.bottom);
    if (!m_rcRubber.IsRectEmpty())
        memDC.Draw3dRect(&m_rcRubber, m_crRubber, m_crRubber);
}

void COwnerDrawListCtrl::DrawEmpty(CDC* pDC, const CRect& rect)
{
    pDC->FillSolidRect(&rect, m_crBackground);
}

void COwnerDrawListCtrl::DrawGrid(CDC* pDC, int left, int top, int right, int bottom)
{
    pDC->FillSolidRect(CRect(left, top, right, top + m_nVGap), m_crBackground);
    pDC->FillSolidRect(CRect(left, top, left + m_nHGap, bottom), m_crBackground);
    int nColumns = std::max(1, m_nColumns);
    int nCount = GetItemCount();
    int y = top + m_nVGap;
    bool bDone = false;
    for (int nRow = GetScrollPos(SB_VERT); y < bottom && !bDone; ++nRow) {
        int x = left + m_nHGap;
        for (int nColumn = 0; nColumn < nColumns; ++nColumn) {
            int nIndex = nRow * nColumns + nColumn;
            if (nIndex >= nCount) {
                pDC->FillSolidRect(CRect(x, y, right, y + m_nTileHeight), m_crBackground);
                bDone = true;
                break;
            }
            CRect tile(x, y, x + m_nTileWidth, y + m_nTileHeight);
            if (pDC->RectVisible(&tile))
                DrawGridItem(pDC, nIndex, x, y, x + m_nTileWidth, y + m_nTileHeight);
            int gapRight = nColumn == nColumns - 1 ? right : x + m_nTileWidth + m_nHGap;
            pDC->FillSolidRect(CRect(x + m_nTileWidth, y, gapRight, y + m_nTileHeight), m_crBackground);
            x += m_nTileWidth + m_nHGap;
        }
        pDC->FillSolidRect(CRect(left, y + m_nTileHeight, right, y + m_nTileHeight + m_nVGap), m_crBackground);
        y += m_nTileHeight + m_nVGap;
    }
    if (y < bottom)
        pDC->FillSolidRect(CRect(left, y, right, bottom), m_crBackground);
}

void COwnerDrawListCtrl::DrawList(CDC* pDC, int left, int top, int right, int bottom)
{
    int y = top;
    for (int i = std::max(0, GetScrollPos(SB_VERT)); i < GetItemCount(); ++i) {
        int rowTop = y + m_nRowGap;
        if (rowTop >= bottom)
            break;
        if (m_nRowGap > 0)
            pDC->FillSolidRect(CRect(left, y, right, rowTop), m_crBackground);
        CRect row(left, rowTop, right, rowTop + m_nRowHeight);
        if (pDC->RectVisible(&row))
            DrawListItem(pDC, i, left, rowTop, right, rowTop + m_nRowHeight);
        y = rowTop + m_nRowHeight;
    }
    if (y < bottom)
        pDC->FillSolidRect(CRect(left, y, right, bottom), m_crBackground);
}

void COwnerDrawListCtrl::SortItems(LPARAM lParam1, LPARAM lParam2)
{
    if (GetItemCount() > 1)
        QuickSortItems(m_items.data(), 0, GetItemCount() - 1, lParam1, lParam2);
}

void COwnerDrawListCtrl::QuickSortItems(CListItem** ppItems, int nFirst, int nLast, LPARAM lParam1, LPARAM lParam2)
{
    auto less = [&](CListItem* a, CListItem* b) { return CompareItems(a, b, lParam1, lParam2) < 0; };
    while (nLast - nFirst > 0) {
        if (nLast - nFirst < 16) {
            // Insertion sort for the short runs.
            for (int i = nFirst + 1; i <= nLast; ++i) {
                CListItem* pItem = ppItems[i];
                int j = i - 1;
                while (j >= nFirst && less(pItem, ppItems[j])) {
                    ppItems[j + 1] = ppItems[j];
                    --j;
                }
                ppItems[j + 1] = pItem;
            }
            return;
        }
        // The median of the first, middle and last items is the pivot.
        int nMid = nFirst + (nLast - nFirst) / 2;
        if (less(ppItems[nMid], ppItems[nFirst]))
            std::swap(ppItems[nMid], ppItems[nFirst]);
        if (less(ppItems[nLast], ppItems[nFirst]))
            std::swap(ppItems[nLast], ppItems[nFirst]);
        if (less(ppItems[nLast], ppItems[nMid]))
            std::swap(ppItems[nLast], ppItems[nMid]);
        CListItem* pPivot = ppItems[nMid];
        // Hoare partition: equal items split evenly.
        int i = nFirst - 1, j = nLast + 1;
        for (;;) {
            do {
                ++i;
            } while (less(ppItems[i], pPivot));
            do {
                --j;
            } while (less(pPivot, ppItems[j]));
            if (i >= j)
                break;
            std::swap(ppItems[i], ppItems[j]);
        }
        // Recurse into the smaller part, go on with the larger one.
        if (j - nFirst < nLast - j) {
            QuickSortItems(ppItems, nFirst, j, lParam1, lParam2);
            nFirst = j + 1;
        } else {
            QuickSortItems(ppItems, j + 1, nLast, lParam1, lParam2);
            nLast = j;
        }
    }
}

void COwnerDrawListCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    int nPage = GetPageRows();
    int nCurrent = GetScrollPos(SB_VERT);
    long long nNew = nCurrent;
    switch (nSBCode) {
    case SB_LINEUP: nNew = nCurrent - 1; break;
    case SB_LINEDOWN: nNew = nCurrent + 1; break;
    case SB_PAGEUP: nNew = nCurrent - nPage; break;
    case SB_PAGEDOWN: nNew = nCurrent + nPage; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: nNew = static_cast<int>(nPos); break;
    case SB_TOP: nNew = 0; break;
    case SB_BOTTOM: nNew = INT_MAX; break;
    default: return;
    }
    SetScrollPos(static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, nNew))));
}

BOOL COwnerDrawListCtrl::OnMouseWheel(UINT, short zDelta, CPoint)
{
    SetScrollPos(GetScrollPos(SB_VERT) - zDelta / 120);
    return TRUE;
}

void COwnerDrawListCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    int nIndex = HitTest(point.x, point.y);
    if (nIndex < 0) {
        SelectAllItems(FALSE);
        SetFocusItem(-1, TRUE);
        m_ptAnchor = point;
    } else {
        if (nFlags & MK_SHIFT)
            SelectRange(m_nFocusItem < 0 ? 0 : m_nFocusItem, nIndex, TRUE, TRUE);
        else if (nFlags & MK_CONTROL)
            SelectItem(nIndex, !IsSelected(nIndex), FALSE, TRUE, FALSE);
        else
            SelectItem(nIndex, TRUE, TRUE, TRUE, FALSE);
        SetFocusItem(nIndex, TRUE);
    }
    Default();
}

void COwnerDrawListCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_ptAnchor = CPoint(-1, -1);
    Default();
}

void COwnerDrawListCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    if (!(nFlags & MK_CONTROL)) {
        int nIndex = HitTest(point.x, point.y);
        if (nIndex < 0) {
            SelectAllItems(FALSE);
            SetFocusItem(-1, TRUE);
        } else {
            if (!IsSelected(nIndex))
                SelectItem(nIndex, TRUE, TRUE, TRUE, FALSE);
            SetFocusItem(nIndex, TRUE);
        }
    }
    Default();
}

void COwnerDrawListCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    int nIndex = HitTest(point.x, point.y);
    if (nIndex < 0) {
        if (m_nHotItem != -1)
            SetHotItem(-1, TRUE);
        if ((nFlags & MK_LBUTTON) && m_ptAnchor != CPoint(-1, -1) && !m_items.empty()) {
            int dx = std::abs(point.x - m_ptAnchor.x), dy = std::abs(point.y - m_ptAnchor.y);
            if ((dx > 3 && dy > 0) || (dx > 0 && dy > 3)) {
                CPoint anchor = m_ptAnchor;
                m_ptAnchor = CPoint(-1, -1);
                RunRubberBand(anchor);
                return;
            }
        }
    } else if (nIndex != m_nHotItem) {
        SetHotItem(nIndex, TRUE);
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&tme);
    }
    Default();
}

void COwnerDrawListCtrl::OnMouseLeave()
{
    if (m_nHotItem != -1)
        SetHotItem(-1, TRUE);
    Default();
}

// The rubber band's tracker: it draws nothing itself; the list paints the band.
class CListRubberBand : public CRectTracker {
public:
    explicit CListRubberBand(COwnerDrawListCtrl* pList) : m_pList(pList) {}
    void DrawTrackerRect(LPCRECT lpRect, CWnd*, CDC*, CWnd*) override
    {
        m_pList->OnRubberBand(m_bErase ? nullptr : lpRect, &m_rect);
    }

private:
    COwnerDrawListCtrl* m_pList;
};

void COwnerDrawListCtrl::RunRubberBand(CPoint anchor)
{
    CListRubberBand tracker(this);
    tracker.TrackRubberBand(this, anchor, TRUE);
    if (!m_rcRubber.IsRectEmpty()) {
        CRect old = m_rcRubber;
        m_rcRubber.SetRectEmpty();
        old.InflateRect(1, 1);
        InvalidateRect(&old, FALSE);
    }
    UpdateWindow();
}

void COwnerDrawListCtrl::OnRubberBand(const RECT* lpRect, CRect* pTrackerRect)
{
    CRect old = m_rcRubber;
    if (!lpRect) {
        // The erase before the next rectangle: nothing to do until that one comes.
        return;
    }
    CRect band(lpRect);
    band.NormalizeRect();
    m_rcRubber = band;
    old.InflateRect(1, 1);
    InvalidateRect(&old, FALSE);
    CRect now = band;
    now.InflateRect(1, 1);
    InvalidateRect(&now, FALSE);

    // Selection by the band.
    CRect content;
    GetContentRect(&content);
    int nCount = GetItemCount();
    if (IsGridMode()) {
        for (int i = 0; i < nCount; ++i) {
            CRect tile, overlap;
            GetItemRect(i, &tile);
            BOOL bSelect = overlap.IntersectRect(&tile, &band) &&
                           (overlap.Width() >= m_nTileWidth / 4 || overlap.Height() >= m_nTileHeight / 4);
            if (IsSelected(i) != bSelect)
                SelectItem(i, bSelect, FALSE, TRUE, FALSE);
        }
    } else {
        for (int i = std::max(0, GetScrollPos(SB_VERT)); i < nCount; ++i) {
            CRect row, overlap;
            GetItemRect(i, &row);
            if (row.top >= content.bottom && !IsSelected(i))
                break;
            BOOL bSelect = overlap.IntersectRect(&row, &band) && overlap.Height() >= m_nRowHeight / 2;
            if (IsSelected(i) != bSelect)
                SelectItem(i, bSelect, FALSE, TRUE, FALSE);
        }
    }

    // Scrolling under the band when the pointer (the tracker's free corner) leaves the content.
    if (IsScrollBarVisible() && pTrackerRect) {
        int y = pTrackerRect->bottom;
        int nPos = GetScrollPos(SB_VERT);
        int nStep = IsGridMode() ? m_nVGap + m_nTileHeight : m_nRowHeight;
        if (y >= content.bottom + m_nRowHeight && nPos < GetScrollMaxPos(SB_VERT)) {
            SetScrollPos(nPos + 1);
            pTrackerRect->OffsetRect(0, -nStep);
        } else if (y <= content.top - m_nRowHeight && nPos > 0) {
            SetScrollPos(nPos - 1);
            pTrackerRect->OffsetRect(0, nStep);
        }
    }
    UpdateWindow();
}

void COwnerDrawListCtrl::HandleKey(UINT nChar, BOOL bShift, BOOL bCtrl)
{
    int n = m_nFocusItem;
    int nCount = GetItemCount();
    int nColumns = std::max(1, m_nColumns);
    int nTarget = -2;
    if (IsGridMode()) {
        switch (nChar) {
        case VK_LEFT:
            if (n >= 1)
                nTarget = n - 1;
            break;
        case VK_UP:
            if (n >= nColumns)
                nTarget = n - nColumns;
            break;
        case VK_RIGHT:
            if (n < nCount - 1)
                nTarget = n + 1;
            break;
        case VK_DOWN:
            if (n < nColumns * (GetRowCount(nCount) - 1))
                nTarget = n + nColumns;
            break;
        }
    } else {
        switch (nChar) {
        case VK_UP:
            if (n >= 1)
                nTarget = n - 1;
            break;
        case VK_DOWN:
            if (n < nCount - 1)
                nTarget = n + 1;
            break;
        }
    }
    if (nTarget == -2 || nCount == 0)
        return;
    nTarget = std::max(0, std::min(nTarget, nCount - 1));
    if (bShift)
        SelectItem(nTarget, TRUE, FALSE, TRUE, FALSE);
    else if (!bCtrl)
        SelectItem(nTarget, TRUE, TRUE, TRUE, FALSE);
    SetFocusItem(nTarget, TRUE);
    EnsureVisible(nTarget);
}

void COwnerDrawListCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    BOOL bListed = nChar == VK_UP || nChar == VK_DOWN || (IsGridMode() && (nChar == VK_LEFT || nChar == VK_RIGHT));
    if (!bListed) {
        Default();
        return;
    }
    HandleKey(nChar, ::GetKeyState(VK_SHIFT) < 0, ::GetKeyState(VK_CONTROL) < 0);
}
