// The playlist window: grid tiles with thumbnails or list rows, the play and delete buttons of
// the row under the mouse, the live video inside the current tile, type-ahead search, the
// context menus and the playlist's status text.
#pragma once
#include "classlib/CImageList.h"
#include "player/playlist/CPlaylistCtrlBase.h"

// View modes (the PlaylistViewStyle setting).
const int PLAYLIST_VIEW_GRID = 1;
const int PLAYLIST_VIEW_LIST = 2;

// Colours of the playlist.
const COLORREF PLAYLIST_BACKGROUND = 0x202020;
const COLORREF PLAYLIST_ITEM_ACTIVE = 0x303030;  // playing, paused or hot
const COLORREF PLAYLIST_ITEM_SELECTED = 0x808080;

class CPlaylistCtrl : public CPlaylistCtrlBase {
public:
    CPlaylistCtrl();

    int GetViewMode() const { return IsGridMode() ? PLAYLIST_VIEW_GRID : PLAYLIST_VIEW_LIST; }
    // Switches between grid and list and stores the choice.
    void SetViewMode(int nMode);
    // The tile size from the thumbnail size and whether titles show; lays the list out again.
    void UpdateTileSize();
    // Moves the video window onto the current tile when it lives in this control.
    void PlaceVideoWindow();
    // "n item(s)[, duration]", empty for an empty playlist.
    CString GetStatusText() const;

    // The rectangles of a row's buttons at its rectangle.
    CRect GetPlayButtonRect(const CRect& item) const;
    CRect GetDeleteButtonRect(const CRect& item) const;
    // The button of the row at the point: ID_PLAYLIST_PLAY, ID_PLAYLIST_DELETE or -1.
    int ButtonHitTest(int nIndex, CPoint point) const;

    int SubItemHitTest(int* pItem, int x, int y) override;
    int GetSubItemRect(int nItem, int nSubItem, LPRECT lpRect) override;
    void OnSubItemClick(int nItem, int nSubItem, int nFlag) override;
    void DrawGridItemEx(CDC* pDC, int nIndex, int left, int top, int right, int bottom, BOOL bForDragImage) override;
    void DrawListItemEx(CDC* pDC, int nIndex, int left, int top, int right, int bottom, BOOL bForDragImage) override;
    void Refresh() override;
    void SetScrollPos(int nPos) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Type-ahead: the row whose title has the character at the position the keys reached.
    void TypeAhead(wchar_t ch, DWORD dwTime);
    // The context menu at a screen point; (-1, -1) asks for it by the keyboard.
    void ShowContextMenu(CPoint point);

    CImageList m_tileCorners;
    CImageList m_gridState;
    CImageList m_listState;
    CImageList m_gridDelete;
    CImageList m_listDelete;
    CImageList m_gridPlay;
    CImageList m_listPlay;
    CImageList m_gridTypes;
    CImageList m_listTypes;
    CImageList m_gridLabel;
    CImageList m_listLabel;

protected:
    void OnPlaylistChanged() override;
    // The row under the mouse shows its delete button only while nothing loads.
    void OnLoadingChanged() override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    struct ItemLook;
    ItemLook GetItemLook(int nIndex, BOOL bForDragImage) const;
    int GetTextHeight();
    void DrawLabel(CDC* pDC, CImageList& pieces, int x, int y, BOOL bAlignRight, const CString& text, int nMaxWidth);
    void DrawButtons(CDC* pDC, int nIndex, const CRect& item, CImageList& play, CImageList& remove);
    BOOL CreateImageLists();

    int m_nTextHeight = 0;
    DWORD m_dwLastCharTime = 0;
    int m_nCharPos = 0;
};
