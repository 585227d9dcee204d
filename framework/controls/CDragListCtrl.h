// CDragListCtrl: the owner-drawn list whose items the user reorders by dragging
// one with the left button, with a drag image, an insertion mark and cursors that say where
// the item will land; and sub-items, small clickable areas inside an item.
//
// A drag that loses the mouse (WM_CANCELMODE,
// WM_CAPTURECHANGED, WM_KILLFOCUS) ends without moving anything.
#pragma once
#include "framework/controls/COwnerDrawListCtrl.h"

class CDragListCtrl : public COwnerDrawListCtrl {
public:
    CDragListCtrl();
    ~CDragListCtrl() override;

    int SetFocusItem(int nIndex, BOOL bRedraw) override;
    int SetHotItem(int nIndex, BOOL bRedraw) override;
    void DrawGridItem(CDC* pDC, int nIndex, int left, int top, int right, int bottom) override;
    void DrawListItem(CDC* pDC, int nIndex, int left, int top, int right, int bottom) override;

    virtual int SwapItems(int nIndex1, int nIndex2, BOOL bRedraw);
    virtual int MoveItem(int nFrom, int nTo, BOOL bRefresh);
    virtual int SubItemHitTest(int* pItem, int x, int y) { return -1; }
    virtual int GetSubItemRect(int nItem, int nSubItem, LPRECT lpRect) { return 1; }
    virtual void SetSubItemHot(int nItem, int nSubItem);
    virtual void SetSubItemPressed(int nItem, int nSubItem);
    virtual void OnSubItemClick(int nItem, int nSubItem, int nFlag) {}
    virtual CImageList* CreateGridDragImage(int nIndex);
    virtual CImageList* CreateListDragImage(int nIndex);
    virtual void DrawGridItemEx(CDC* pDC, int nIndex, int left, int top, int right, int bottom, BOOL bForDragImage) {}
    virtual void DrawListItemEx(CDC* pDC, int nIndex, int left, int top, int right, int bottom, BOOL bForDragImage) {}

    // Where a drop at (x, y) of item nDragged lands: FALSE for nowhere (or where it is).
    BOOL FindDropTarget(int nDragged, int x, int y, int* pTarget, BOOL* pAfter) const;
    // The one-pixel insertion mark before or after the target.
    CRect GetInsertMarkRect(int nTarget, BOOL bAfter) const;
    BOOL IsDragging() const { return m_nDragItem >= 0; }
    int GetDragItem() const { return m_nDragItem; }
    int GetDropTarget() const { return m_nDropTarget; }
    BOOL GetDropAfter() const { return m_bDropAfter; }
    HCURSOR GetDragCursor() const { return m_hCurrentCursor; }
    int GetHotSubItem() const { return m_nHotSubItem; }
    int GetPressedSubItem() const { return m_nPressedSubItem; }

    HCURSOR m_hArrowCursor;
    HCURSOR m_hTileCursor;  // resource 139
    HCURSOR m_hRowCursor;   // resource 137
    HCURSOR m_hCursor401;   // resource 401, loaded but not used here
    COLORREF m_crInsertMark;
    COLORREF m_crDragMask;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnCaptureChanged(CWnd* pWnd);
    void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

    BOOL StartDrag(CPoint point);
    void DragTo(CPoint point);
    // Ends the drag's state (capture, image, mark); answers the item that was dragged.
    int EndDragState();
    void CancelDrag();
    void MoveInsertMark(int nTarget, BOOL bAfter);
    CImageList* MakeDragImage(int nIndex, BOOL bGrid);

    int m_nDragItem;
    int m_nDropTarget;
    BOOL m_bDropAfter;
    CPoint m_ptPress;
    CImageList* m_pDragImage;
    int m_nHotSubItem;
    int m_nPressedSubItem;
    HCURSOR m_hCurrentCursor;
    CRect m_rcMark;
};
