#include "framework/controls/CDragListCtrl.h"
#include "framework/controls/AppUiResources.h"
#include "framework/res/FrameworkResources.h"

BEGIN_MESSAGE_MAP(CDragListCtrl, COwnerDrawListCtrl)
    ON_WM_CREATE()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CDragListCtrl::CDragListCtrl()
    : m_hArrowCursor(::LoadCursorW(nullptr, IDC_ARROW)), m_hTileCursor(nullptr), m_hRowCursor(nullptr),
      m_hCursor401(nullptr), m_crInsertMark(RGB(0xFF, 0, 0)), m_crDragMask(RGB(0xFF, 0xFF, 0xFF)), m_nDragItem(-1),
      m_nDropTarget(-1), m_bDropAfter(FALSE), m_ptPress(-1, -1), m_pDragImage(nullptr), m_nHotSubItem(-1),
      m_nPressedSubItem(-1), m_hCurrentCursor(m_hArrowCursor), m_rcMark(0, 0, 0, 0)
{
}

CDragListCtrl::~CDragListCtrl()
{
    delete m_pDragImage;
    if (m_hTileCursor)
        ::DestroyCursor(m_hTileCursor);
    if (m_hRowCursor)
        ::DestroyCursor(m_hRowCursor);
    if (m_hCursor401)
        ::DestroyCursor(m_hCursor401);
}

int CDragListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (COwnerDrawListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    HINSTANCE hInstance = AfxGetResourceHandle();
    m_hTileCursor = ::LoadCursorW(hInstance, MAKEINTRESOURCEW(IDC_INSERT_TILE));
    m_hRowCursor = ::LoadCursorW(hInstance, MAKEINTRESOURCEW(IDC_INSERT_ROW));
    m_hCursor401 = ::LoadCursorW(hInstance, MAKEINTRESOURCEW(401));
    return 0;
}

int CDragListCtrl::SetFocusItem(int nIndex, BOOL bRedraw)
{
    if (nIndex != m_nFocusItem)
        m_nHotSubItem = m_nPressedSubItem = -1;
    return COwnerDrawListCtrl::SetFocusItem(nIndex, bRedraw);
}

int CDragListCtrl::SetHotItem(int nIndex, BOOL bRedraw)
{
    if (nIndex != m_nHotItem)
        m_nHotSubItem = m_nPressedSubItem = -1;
    return COwnerDrawListCtrl::SetHotItem(nIndex, bRedraw);
}

void CDragListCtrl::DrawGridItem(CDC* pDC, int nIndex, int left, int top, int right, int bottom)
{
    if (nIndex == m_nDragItem)
        pDC->FillSolidRect(CRect(left, top, right, bottom), m_crBackground);
    else
        DrawGridItemEx(pDC, nIndex, left, top, right, bottom, FALSE);
}

void CDragListCtrl::DrawListItem(CDC* pDC, int nIndex, int left, int top, int right, int bottom)
{
    if (nIndex == m_nDragItem)
        pDC->FillSolidRect(CRect(left, top, right, bottom), m_crBackground);
    else
        DrawListItemEx(pDC, nIndex, left, top, right, bottom, FALSE);
}

int CDragListCtrl::SwapItems(int nIndex1, int nIndex2, BOOL bRedraw)
{
    int nCount = GetItemCount();
    if (nIndex1 < 0 || nIndex1 >= nCount || nIndex2 < 0 || nIndex2 >= nCount)
        return -1;
    std::swap(m_items[nIndex1], m_items[nIndex2]);
    if (bRedraw) {
        InvalidateItem(nIndex1, FALSE);
        InvalidateItem(nIndex2, FALSE);
        if (m_hWnd)
            UpdateWindow();
    }
    return 0;
}

int CDragListCtrl::MoveItem(int nFrom, int nTo, BOOL bRefresh)
{
    if (nFrom == nTo)
        return 1;
    int nCount = GetItemCount();
    if (nFrom < 0 || nFrom >= nCount || nTo < 0)
        return -1;
    CListItem* pItem = m_items[nFrom];
    m_items.erase(m_items.begin() + nFrom);
    int nAt = std::min(nTo, nCount - 1);
    m_items.insert(m_items.begin() + nAt, pItem);
    // The focus stays on the item it was on.
    if (m_nFocusItem == nFrom)
        m_nFocusItem = nAt;
    else if (m_nFocusItem > nFrom && m_nFocusItem <= nAt)
        --m_nFocusItem;
    else if (m_nFocusItem < nFrom && m_nFocusItem >= nAt)
        ++m_nFocusItem;
    if (bRefresh)
        Refresh();
    return 0;
}

void CDragListCtrl::SetSubItemHot(int nItem, int nSubItem)
{
    if (nSubItem == m_nHotSubItem)
        return;
    CRect rect;
    if (m_nHotSubItem > 0 && GetSubItemRect(nItem, m_nHotSubItem, &rect) == 0 && m_hWnd)
        InvalidateRect(&rect, FALSE);
    m_nHotSubItem = nSubItem;
    if (nSubItem > 0 && GetSubItemRect(nItem, nSubItem, &rect) == 0 && m_hWnd)
        InvalidateRect(&rect, FALSE);
}

void CDragListCtrl::SetSubItemPressed(int nItem, int nSubItem)
{
    if (nSubItem == m_nPressedSubItem)
        return;
    CRect rect;
    if (m_nPressedSubItem > 0 && GetSubItemRect(nItem, m_nPressedSubItem, &rect) == 0 && m_hWnd)
        InvalidateRect(&rect, FALSE);
    m_nPressedSubItem = nSubItem;
    if (nSubItem > 0 && GetSubItemRect(nItem, nSubItem, &rect) == 0 && m_hWnd)
        InvalidateRect(&rect, FALSE);
}

CImageList* CDragListCtrl::MakeDragImage(int nIndex, BOOL bGrid)
{
    CRect rect;
    GetItemRect(nIndex, &rect);
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return nullptr;
    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, rect.Width(), rect.Height());
    HGDIOBJ hOld = dc.SelectObject(bitmap.m_hObject);
    dc.FillSolidRect(CRect(0, 0, rect.Width(), rect.Height()), m_crDragMask);
    if (bGrid)
        DrawGridItemEx(&dc, nIndex, 0, 0, rect.Width(), rect.Height(), TRUE);
    else
        DrawListItemEx(&dc, nIndex, 0, 0, rect.Width(), rect.Height(), TRUE);
    dc.SelectObject(hOld);
    OSVERSIONINFOW version = {sizeof(version)};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExW(&version);
#pragma GCC diagnostic pop
    UINT nColour = version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion > 5 ? ILC_COLORDDB : ILC_COLOR24;
    auto* pImages = new CImageList;
    if (!pImages->Create(rect.Width(), rect.Height(), ILC_MASK | nColour, 1, 0) || pImages->Add(&bitmap, m_crDragMask) < 0) {
        delete pImages;
        return nullptr;
    }
    return pImages;
}

CImageList* CDragListCtrl::CreateGridDragImage(int nIndex)
{
    return MakeDragImage(nIndex, TRUE);
}

CImageList* CDragListCtrl::CreateListDragImage(int nIndex)
{
    return MakeDragImage(nIndex, FALSE);
}

BOOL CDragListCtrl::FindDropTarget(int nDragged, int x, int y, int* pTarget, BOOL* pAfter) const
{
    *pTarget = -1;
    *pAfter = FALSE;
    int nCount = GetItemCount();
    if (nCount <= 1)
        return FALSE;
    BOOL bColumns = IsGridMode() && m_nColumns > 1;
    CPoint point(x, y);
    int nTarget = -1;
    BOOL bAfter = FALSE;
    for (int i = 0; i < nCount; ++i) {
        if (i == nDragged)
            continue;
        CRect rect;
        GetItemRectWithGaps(i, &rect);
        if (!rect.PtInRect(point))
            continue;
        nTarget = i;
        bAfter = bColumns ? x >= rect.right - rect.Width() / 2 : y >= rect.bottom - rect.Height() / 2;
        break;
    }
    if (nTarget < 0) {
        CRect first, last;
        GetItemRectWithGaps(0, &first);
        GetItemRectWithGaps(nCount - 1, &last);
        if (!bColumns) {
            if (y < first.top) {
                nTarget = 0;
                bAfter = FALSE;
            } else if (y >= last.bottom) {
                nTarget = nCount - 1;
                bAfter = TRUE;
            }
        } else {
            if (x < first.left && y < first.bottom) {
                nTarget = 0;
                bAfter = FALSE;
            } else if (x >= last.right && y >= last.top) {
                nTarget = nCount - 1;
                bAfter = TRUE;
            }
        }
    }
    if (nTarget < 0)
        return FALSE;
    // A drop that leaves the item where it is goes nowhere.
    if (nTarget == nDragged || (!bAfter && nTarget == nDragged + 1) || (bAfter && nTarget == nDragged - 1))
        return FALSE;
    *pTarget = nTarget;
    *pAfter = bAfter;
    return TRUE;
}

CRect CDragListCtrl::GetInsertMarkRect(int nTarget, BOOL bAfter) const
{
    CRect rect, content;
    GetItemRect(nTarget, &rect);
    GetContentRect(&content);
    if (IsGridMode() && m_nColumns > 1) {
        int x = bAfter ? rect.right + m_nHGap / 2 : rect.left - m_nHGap / 2;
        return CRect(x, rect.top - m_nVGap / 2, x + 1, rect.bottom + m_nVGap / 2);
    }
    int nGap = IsGridMode() ? m_nVGap : m_nRowGap;
    int y = bAfter ? rect.bottom + nGap / 2 : rect.top - nGap / 2;
    return CRect(content.left, y, content.right, y + 1);
}

void CDragListCtrl::MoveInsertMark(int nTarget, BOOL bAfter)
{
    if (!m_rcMark.IsRectEmpty() && m_hWnd) {
        InvalidateRect(&m_rcMark, FALSE);
        UpdateWindow();
    }
    m_rcMark.SetRectEmpty();
    if (nTarget >= 0 && nTarget != m_nDragItem && m_hWnd) {
        m_rcMark = GetInsertMarkRect(nTarget, bAfter);
        CClientDC dc(this);
        dc.FillSolidRect(&m_rcMark, m_crInsertMark);
    }
    m_nDropTarget = nTarget;
    m_bDropAfter = bAfter;
}

BOOL CDragListCtrl::StartDrag(CPoint point)
{
    int nIndex = GetNextSelectedItem(0);
    if (nIndex < 0)
        return FALSE;
    CImageList* pImage = IsGridMode() ? CreateGridDragImage(nIndex) : CreateListDragImage(nIndex);
    if (!pImage)
        return FALSE;
    m_pDragImage = pImage;
    m_nDragItem = nIndex;
    m_nDropTarget = -1;
    m_bDropAfter = FALSE;
    InvalidateItem(nIndex, FALSE);
    UpdateWindow();
    CRect rect;
    GetItemRect(nIndex, &rect);
    m_pDragImage->BeginDrag(0, CPoint(point.x - rect.left, point.y - rect.top));
    // The image is locked to the list rather than to the screen: under Wine a
    // screen lock saves a stale copy of what lies under the image and puts it back as the image
    // moves, over the emptied slot and the insertion mark.
    CImageList::DragEnter(this, point);
    SetCapture();
    return TRUE;
}

void CDragListCtrl::DragTo(CPoint point)
{
    CImageList::DragMove(point);
    int nTarget;
    BOOL bAfter;
    FindDropTarget(m_nDragItem, point.x, point.y, &nTarget, &bAfter);
    if (nTarget != m_nDropTarget || bAfter != m_bDropAfter) {
        CImageList::DragLeave(this);
        MoveInsertMark(nTarget, bAfter);
        CImageList::DragEnter(this, point);
    }
    HCURSOR hCursor = m_hArrowCursor;
    if (nTarget >= 0) {
        if (IsGridMode() && m_nColumns > 1)
            hCursor = m_hTileCursor ? m_hTileCursor : m_hArrowCursor;
        else
            hCursor = m_hRowCursor ? m_hRowCursor : m_hArrowCursor;
    }
    if (hCursor != m_hCurrentCursor) {
        m_hCurrentCursor = hCursor;
        ::SetCursor(hCursor);
    }
}

int CDragListCtrl::EndDragState()
{
    int nDragged = m_nDragItem;
    m_nDragItem = -1;  // first: the capture's release below must not cancel anything
    m_ptPress = CPoint(-1, -1);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    CImageList::DragLeave(this);
    CImageList::EndDrag();
    delete m_pDragImage;
    m_pDragImage = nullptr;
    MoveInsertMark(-1, FALSE);
    m_nDropTarget = -1;
    m_bDropAfter = FALSE;
    if (m_hCurrentCursor != m_hArrowCursor) {
        m_hCurrentCursor = m_hArrowCursor;
        ::SetCursor(m_hArrowCursor);
    }
    return nDragged;
}

void CDragListCtrl::CancelDrag()
{
    if (m_nDragItem < 0)
        return;
    int nDragged = EndDragState();
    InvalidateItem(nDragged, FALSE);
    if (m_hWnd)
        UpdateWindow();
}

BOOL CDragListCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_nDragItem >= 0) {
        ::SetCursor(m_hCurrentCursor);
        return TRUE;
    }
    if (m_nHotItem >= 0 && nHitTest == HTCLIENT) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        int nItem = m_nHotItem;
        if (SubItemHitTest(&nItem, point.x, point.y) > 0) {
            ::SetCursor(GetAppHandCursor());
            return TRUE;
        }
    }
    return static_cast<BOOL>(Default());
}

void CDragListCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nDragItem >= 0) {
        DragTo(point);
        return;
    }
    if ((nFlags & MK_LBUTTON) && m_nPressedSubItem < 0 && GetSelectedCount() == 1 && m_nHotItem >= 0) {
        if (m_ptPress == CPoint(-1, -1)) {
            m_ptPress = point;
        } else if (point != m_ptPress) {
            if (StartDrag(point))
                return;
        } else {
            return;
        }
    }
    COwnerDrawListCtrl::OnMouseMove(nFlags, point);
    if (m_nHotItem >= 0) {
        int nItem = m_nHotItem;
        int nSub = SubItemHitTest(&nItem, point.x, point.y);
        SetSubItemHot(m_nHotItem, nSub > 0 ? nSub : -1);
    }
}

void CDragListCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_nHotItem >= 0) {
        int nItem = m_nHotItem;
        int nSub = SubItemHitTest(&nItem, point.x, point.y);
        if (nSub > 0) {
            SetSubItemPressed(m_nHotItem, nSub);
            return;
        }
    }
    COwnerDrawListCtrl::OnLButtonDown(nFlags, point);
}

void CDragListCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_nDragItem >= 0) {
        int nDragged = EndDragState();
        int nTarget;
        BOOL bAfter;
        if (!FindDropTarget(nDragged, point.x, point.y, &nTarget, &bAfter)) {
            InvalidateItem(nDragged, FALSE);
            UpdateWindow();
            return;
        }
        int t = nTarget + (bAfter ? 1 : 0);
        MoveItem(nDragged, t - (nDragged < t ? 1 : 0), TRUE);
        return;
    }
    m_ptPress = CPoint(-1, -1);
    if (m_nHotItem >= 0) {
        int nHot = m_nHotItem;
        SetSubItemPressed(nHot, -1);
        int nItem = nHot;
        int nSub = SubItemHitTest(&nItem, point.x, point.y);
        if (nSub > 0) {
            OnSubItemClick(nHot, nSub, 0);
            return;
        }
    }
    m_nPressedSubItem = -1;
    COwnerDrawListCtrl::OnLButtonUp(nFlags, point);
}

void CDragListCtrl::OnCancelMode()
{
    COwnerDrawListCtrl::OnCancelMode();
    CancelDrag();
}

void CDragListCtrl::OnCaptureChanged(CWnd* pWnd)
{
    if (m_nDragItem >= 0 && (!pWnd || pWnd->m_hWnd != m_hWnd))
        CancelDrag();
    COwnerDrawListCtrl::OnCaptureChanged(pWnd);
}

void CDragListCtrl::OnKillFocus(CWnd* pNewWnd)
{
    CancelDrag();
    COwnerDrawListCtrl::OnKillFocus(pNewWnd);
}
