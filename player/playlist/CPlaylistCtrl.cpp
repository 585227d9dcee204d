#include "player/playlist/CPlaylistCtrl.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CFrameWnd.h"
#include "classlib/CMenu.h"
#include "framework/controls/AppUiResources.h"
#include "framework/controls/BitmapResource.h"
#include "framework/text/Duration.h"
#include "image/ImageFit.h"
#include "player/playback/CItemVideoWnd.h"
#include "player/CPlayerSettings.h"
#include "player/playlist/CPlaylistItem.h"
#include "player/windows/PlayerWindows.h"
#include "player/playback/TrackMenus.h"
#include "player/res/PlayerResources.h"
#include <algorithm>

namespace {

const int kItemGap = 12;
const int kListRowHeight = 24;
const int kTileInset = 5;
const int kListInset = 4;
const int kGridButton = 40;
const int kGridDelete = 24;
const int kListButton = 20;
const int kLabelHeight = 14;
const int kLabelPiece = 4;
const int kListTextLeft = 24;
const int kListIconWidth = 20;
const int kMinDefinitionRowWidth = 240;
const DWORD kTypeAheadMs = 500;
const COLORREF kTextMissing = 0x606060;
const COLORREF kTextPlaying = 0x00FF00;
const COLORREF kTextBright = 0xFFFFFF;
const COLORREF kTextNormal = 0xC0C0C0;
const COLORREF kLabelText = 0xE0E0E0;
const COLORREF kThumbnailFrame = 0x303030;

int RoundUp4(int n)
{
    return (n + 3) / 4 * 4;
}

// The media-type icon of an item: video and audio have one, at index type - 1.
int TypeIconIndex(const CPlaylistItem* pItem)
{
    return pItem->m_nMediaType == MEDIA_TYPE_VIDEO || pItem->m_nMediaType == MEDIA_TYPE_AUDIO ? pItem->m_nMediaType - 1 : -1;
}

BOOL LoadImages(CImageList& list, UINT nBitmap, int cx, int cy, int nGrow, COLORREF crMask)
{
    CBitmap bitmap;
    if (!LoadBitmapResource(bitmap, nBitmap) || !list.Create(cx, cy, ILC_COLOR32 | ILC_MASK, 0, nGrow))
        return FALSE;
    return list.Add(&bitmap, crMask) >= 0;
}

}  // namespace

struct CPlaylistCtrl::ItemLook {
    CPlaylistItem* pItem = nullptr;
    bool bPlaying = false;
    bool bPaused = false;
    bool bHighlighted = false;  // playing, paused, selected, dragged or hot
    COLORREF crText = kTextNormal;
    COLORREF crBack = PLAYLIST_BACKGROUND;
};

BEGIN_MESSAGE_MAP(CPlaylistCtrl, CPlaylistCtrlBase)
    ON_WM_CREATE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CHAR()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CPlaylistCtrl::CPlaylistCtrl()
{
    m_crBackground = PLAYLIST_BACKGROUND;
    m_nHGap = m_nVGap = kItemGap;
    m_nRowHeight = kListRowHeight;
}

BOOL CPlaylistCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CPlaylistCtrlBase::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CLIPCHILDREN;
    if (g_playerSettings.m_nPlaylistViewStyle == PLAYLIST_VIEW_LIST)
        m_dwListStyle &= ~ODL_GRID;
    else
        m_dwListStyle |= ODL_GRID;
    return TRUE;
}

int CPlaylistCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CPlaylistCtrlBase::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!CreateImageLists())
        return -1;
    m_nRowHeight = kListRowHeight;
    UpdateTileSize();
    return 0;
}

BOOL CPlaylistCtrl::CreateImageLists()
{
    const COLORREF magenta = 0xFF00FF, white = 0xFFFFFF;
    return LoadImages(m_tileCorners, IDB_TILE_CORNERS, 5, 5, 4, magenta) &&
           LoadImages(m_gridState, IDB_GRID_STATE, 40, 40, 2, magenta) &&
           LoadImages(m_listState, IDB_LIST_STATE, 20, 20, 2, magenta) &&
           LoadImages(m_gridDelete, IDB_GRID_DELETE_BUTTON, 24, 24, 3, white) &&
           LoadImages(m_listDelete, IDB_LIST_DELETE_BUTTON, 20, 20, 3, white) &&
           LoadImages(m_gridPlay, IDB_GRID_PLAY_BUTTON, 40, 40, 3, white) &&
           LoadImages(m_listPlay, IDB_LIST_PLAY_BUTTON, 20, 20, 3, white) &&
           LoadImages(m_gridTypes, IDB_GRID_TYPES, 32, 32, 2, magenta) &&
           LoadImages(m_listTypes, IDB_LIST_TYPES, 16, 16, 2, magenta) &&
           LoadImages(m_gridLabel, IDB_GRID_LABEL, 4, 14, 3, white) &&
           LoadImages(m_listLabel, IDB_LIST_LABEL, 4, 14, 3, white);
}

int CPlaylistCtrl::GetTextHeight()
{
    if (m_nTextHeight > 0)
        return m_nTextHeight;
    CClientDC dc(m_hWnd ? this : nullptr);
    CFont* pOld = dc.SelectObject(GetAppFont(AppFontNormal));
    CSize size = dc.GetTextExtent(L"f", 1);
    dc.SelectObject(pOld);
    m_nTextHeight = size.cy > 0 ? size.cy : 13;
    return m_nTextHeight;
}

void CPlaylistCtrl::UpdateTileSize()
{
    int nWidth = g_playerSettings.m_nThumbnailWidth, nHeight = g_playerSettings.m_nThumbnailHeight;
    m_nTileWidth = nWidth + 2 * kTileInset;
    m_nTileHeight = g_playerSettings.m_bShowTitle ? nHeight + GetTextHeight() + 15 : nHeight + 2 * kTileInset;
    UpdateScrollRange();
}

void CPlaylistCtrl::SetViewMode(int nMode)
{
    g_playerSettings.m_nPlaylistViewStyle = nMode;
    SetGridMode(nMode != PLAYLIST_VIEW_LIST);
}

void CPlaylistCtrl::Refresh()
{
    CPlaylistCtrlBase::Refresh();
    PlaceVideoWindow();
}

void CPlaylistCtrl::SetScrollPos(int nPos)
{
    CPlaylistCtrlBase::SetScrollPos(nPos);
    PlaceVideoWindow();
}

void CPlaylistCtrl::PlaceVideoWindow()
{
    CItemVideoWnd* pVideo = g_pVideoWnd;
    if (!m_hWnd || !pVideo || !pVideo->m_hWnd || ::GetParent(pVideo->m_hWnd) != m_hWnd)
        return;
    int nCurrent = CurrentIndex();
    if (!IsGridMode() || nCurrent < 0 || !pVideo->IsActive()) {
        pVideo->ShowWindow(SW_HIDE);
        return;
    }
    CRect tile;
    GetItemRect(nCurrent, &tile);
    CRect area(tile.left + kTileInset, tile.top + kTileInset, tile.right - kTileInset,
               tile.top + kTileInset + g_playerSettings.m_nThumbnailHeight);
    pVideo->SetWindowPos(nullptr, area.left, area.top, area.Width(), area.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// Status -------------------------------------------------------------------------------------

CString CPlaylistCtrl::GetStatusText() const
{
    int n = GetItemCount();
    CString text;
    if (n == 0)
        return text;
    LONGLONG duration = GetTotalDuration();
    LPCWSTR pszNoun = n == 1 ? L"item" : L"items";
    if (duration <= 0)
        text.Format(L"%d %s", n, pszNoun);
    else
        text.Format(L"%d %s, %s", n, pszNoun, static_cast<LPCWSTR>(FormatDuration(duration, false, false, false)));
    return text;
}

void CPlaylistCtrl::OnPlaylistChanged()
{
    if (g_pPlayerMainWindow)
        g_pPlayerMainWindow->SetPlaylistStatus(GetStatusText(), GetItemCount() == 0);
}

void CPlaylistCtrl::OnLoadingChanged()
{
    if (m_hWnd && m_nHotItem >= 0)
        InvalidateItem(m_nHotItem, FALSE);
}

// Buttons -------------------------------------------------------------------------------------

CRect CPlaylistCtrl::GetPlayButtonRect(const CRect& item) const
{
    if (IsGridMode()) {
        int bottom = item.top + kTileInset + g_playerSettings.m_nThumbnailHeight;
        return CRect(item.left + kTileInset, bottom - kGridButton, item.left + kTileInset + kGridButton, bottom);
    }
    int top = item.top + (item.Height() - kListButton) / 2;
    return CRect(item.left + kListInset, top, item.left + kListInset + kListButton, top + kListButton);
}

CRect CPlaylistCtrl::GetDeleteButtonRect(const CRect& item) const
{
    if (IsGridMode()) {
        int right = item.right - kTileInset, top = item.top + kTileInset;
        return CRect(right - kGridDelete, top, right, top + kGridDelete);
    }
    int top = item.top + (item.Height() - kListButton) / 2;
    return CRect(item.right - kListInset - kListButton, top, item.right - kListInset, top + kListButton);
}

int CPlaylistCtrl::ButtonHitTest(int nIndex, CPoint point) const
{
    if (!GetPlaylistItem(nIndex))
        return -1;
    CRect item;
    GetItemRect(nIndex, &item);
    bool bPlaying = nIndex == CurrentIndex() && GetPlaylistItem(nIndex)->m_nPlayState == PLAYER_STATE_PLAYING;
    if (!bPlaying && GetPlayButtonRect(item).PtInRect(point))
        return ID_PLAYLIST_PLAY;
    // Deleting stops the load thread; while it loads, the button is not there.
    if (!IsLoading() && GetDeleteButtonRect(item).PtInRect(point))
        return ID_PLAYLIST_DELETE;
    return -1;
}

int CPlaylistCtrl::SubItemHitTest(int* pItem, int x, int y)
{
    return pItem ? ButtonHitTest(*pItem, CPoint(x, y)) : -1;
}

int CPlaylistCtrl::GetSubItemRect(int nItem, int nSubItem, LPRECT lpRect)
{
    if (!GetPlaylistItem(nItem))
        return 1;
    CRect item;
    GetItemRect(nItem, &item);
    if (nSubItem == ID_PLAYLIST_PLAY)
        *lpRect = GetPlayButtonRect(item);
    else if (nSubItem == ID_PLAYLIST_DELETE)
        *lpRect = GetDeleteButtonRect(item);
    else
        return 1;
    return 0;
}

void CPlaylistCtrl::OnSubItemClick(int nItem, int nSubItem, int nFlag)
{
    if (nSubItem == ID_PLAYLIST_DELETE) {
        m_nPressedSubItem = -1;
        DeleteItemAt(nItem);
    } else if (nSubItem == ID_PLAYLIST_PLAY) {
        m_nPressedSubItem = -1;
        PlayIndex(nItem, nFlag ? PLACEMENT_PLAYLIST : PLACEMENT_PLAY_VIEW);
    }
}

// Drawing -------------------------------------------------------------------------------------

CPlaylistCtrl::ItemLook CPlaylistCtrl::GetItemLook(int nIndex, BOOL bForDragImage) const
{
    ItemLook look;
    look.pItem = GetPlaylistItem(nIndex);
    if (!look.pItem)
        return look;
    bool bCurrent = nIndex == CurrentIndex();
    look.bPlaying = bCurrent && look.pItem->m_nPlayState == PLAYER_STATE_PLAYING;
    look.bPaused = bCurrent && look.pItem->m_nPlayState == PLAYER_STATE_PAUSED;
    bool bSelected = IsSelected(nIndex) || bForDragImage;
    bool bHot = nIndex == m_nHotItem;
    look.bHighlighted = look.bPlaying || look.bPaused || bSelected || bHot;
    if (look.pItem->m_dwState & ITEM_STATE_MISSING)
        look.crText = kTextMissing;
    else if (look.bPlaying)
        look.crText = kTextPlaying;
    else if (bSelected || bHot)
        look.crText = kTextBright;
    if (look.bPlaying || look.bPaused)
        look.crBack = PLAYLIST_ITEM_ACTIVE;
    else if (bSelected)
        look.crBack = PLAYLIST_ITEM_SELECTED;
    else if (bHot)
        look.crBack = PLAYLIST_ITEM_ACTIVE;
    return look;
}

void CPlaylistCtrl::DrawLabel(CDC* pDC, CImageList& pieces, int x, int y, BOOL bAlignRight, const CString& text,
                              int nMaxWidth)
{
    int nWidth = RoundUp4(std::min(GetTextWidth(pDC, text) + 2 * kLabelPiece, nMaxWidth));
    if (nWidth < 3 * kLabelPiece)
        return;
    int left = bAlignRight ? x - nWidth : x;
    pieces.Draw(pDC, 0, CPoint(left, y), ILD_TRANSPARENT);
    for (int px = left + kLabelPiece; px < left + nWidth - kLabelPiece; px += kLabelPiece)
        pieces.Draw(pDC, 1, CPoint(px, y), ILD_TRANSPARENT);
    pieces.Draw(pDC, 2, CPoint(left + nWidth - kLabelPiece, y), ILD_TRANSPARENT);
    CRect rect(left + 2, y, left + nWidth - 2, y + kLabelHeight);
    pDC->SetTextColor(kLabelText);
    pDC->DrawText(text, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CPlaylistCtrl::DrawButtons(CDC* pDC, int nIndex, const CRect& item, CImageList& play, CImageList& remove)
{
    auto image = [&](int nButton) { return m_nPressedSubItem == nButton ? 2 : m_nHotSubItem == nButton ? 1 : 0; };
    play.Draw(pDC, image(ID_PLAYLIST_PLAY), GetPlayButtonRect(item).TopLeft(), ILD_TRANSPARENT);
    if (!IsLoading())
        remove.Draw(pDC, image(ID_PLAYLIST_DELETE), GetDeleteButtonRect(item).TopLeft(), ILD_TRANSPARENT);
}

void CPlaylistCtrl::DrawGridItemEx(CDC* pDC, int nIndex, int left, int top, int right, int bottom, BOOL bForDragImage)
{
    CRect tile(left, top, right, bottom);
    ItemLook look = GetItemLook(nIndex, bForDragImage);
    pDC->FillSolidRect(&tile, m_crBackground);
    if (!look.pItem)
        return;
    CPlaylistItem* pItem = look.pItem;
    int nThumbWidth = g_playerSettings.m_nThumbnailWidth, nThumbHeight = g_playerSettings.m_nThumbnailHeight;
    if (look.bHighlighted) {
        pDC->FillSolidRect(&tile, look.crBack);
        m_tileCorners.Draw(pDC, 0, CPoint(left, top), ILD_TRANSPARENT);
        m_tileCorners.Draw(pDC, 1, CPoint(right - 5, top), ILD_TRANSPARENT);
        m_tileCorners.Draw(pDC, 2, CPoint(left, bottom - 5), ILD_TRANSPARENT);
        m_tileCorners.Draw(pDC, 3, CPoint(right - 5, bottom - 5), ILD_TRANSPARENT);
    } else {
        pDC->Draw3dRect(left + 4, top + 4, nThumbWidth + 2, nThumbHeight + 2, kThumbnailFrame, kThumbnailFrame);
    }
    CRect thumb(left + kTileInset, top + kTileInset, right - kTileInset, top + kTileInset + nThumbHeight);
    pDC->FillSolidRect(&thumb, 0);
    pItem->DecodeStoredThumbnail();
    if (pItem->m_thumbnail.IsValid())
        DrawImageFitted(pDC->m_hDC, thumb.left, thumb.top, thumb.right, thumb.bottom, &pItem->m_thumbnail);
    int nIcon = TypeIconIndex(pItem);
    if (nIcon >= 0 && (pItem->m_nMediaType == MEDIA_TYPE_AUDIO || !pItem->m_thumbnail.IsValid()))
        m_gridTypes.Draw(pDC, nIcon, CPoint(thumb.CenterPoint().x - 16, thumb.CenterPoint().y - 16), ILD_TRANSPARENT);

    CFont* pOldFont = pDC->SelectObject(GetAppFont(AppFontNormal));
    pDC->SetBkMode(TRANSPARENT);
    if (g_playerSettings.m_bShowDuration && !pItem->m_strDurationText.IsEmpty())
        DrawLabel(pDC, m_gridLabel, thumb.right - 3, thumb.bottom - 3 - kLabelHeight, TRUE, pItem->m_strDurationText,
                  thumb.Width() - 6);
    if (g_playerSettings.m_bShowDefinition && !pItem->m_strDefinitionText.IsEmpty())
        DrawLabel(pDC, m_gridLabel, thumb.left + 3, thumb.top + 3, FALSE, pItem->m_strDefinitionText, thumb.Width() - 6);
    CRect playRect = GetPlayButtonRect(tile);
    if (look.bPlaying || look.bPaused)
        m_gridState.Draw(pDC, look.bPaused ? 1 : 0, playRect.TopLeft(), ILD_TRANSPARENT);
    else if (nIndex == m_nHotItem && !bForDragImage)
        DrawButtons(pDC, nIndex, tile, m_gridPlay, m_gridDelete);
    // The playing tile shows its live picture and no title.
    if (g_playerSettings.m_bShowTitle && !look.bPlaying) {
        CRect text(thumb.left, thumb.bottom + 5, thumb.right, bottom - 5);
        pDC->SetTextColor(look.crText);
        pDC->DrawText(pItem->m_strTitle, &text, DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    pDC->SelectObject(pOldFont);
}

void CPlaylistCtrl::DrawListItemEx(CDC* pDC, int nIndex, int left, int top, int right, int bottom, BOOL bForDragImage)
{
    CRect row(left, top, right, bottom);
    ItemLook look = GetItemLook(nIndex, bForDragImage);
    pDC->FillSolidRect(&row, look.pItem ? look.crBack : m_crBackground);
    if (!look.pItem)
        return;
    CPlaylistItem* pItem = look.pItem;
    CFont* pOldFont = pDC->SelectObject(GetAppFont(AppFontNormal));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(look.crText);

    int nDurationRight = right - kListTextLeft;
    int nDurationWidth = pItem->m_strDurationText.IsEmpty() ? 0 : GetTextWidth(pDC, pItem->m_strDurationText);
    CRect duration(nDurationRight - nDurationWidth, top, nDurationRight, bottom);
    pDC->DrawText(pItem->m_strDurationText, &duration, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);

    int nTextLeft = left + kListTextLeft;
    int nIcon = TypeIconIndex(pItem);
    if (g_playerSettings.m_bShowIcon && nIcon >= 0) {
        m_listTypes.Draw(pDC, nIcon, CPoint(nTextLeft, top + (row.Height() - 16) / 2), ILD_TRANSPARENT);
        nTextLeft += kListIconWidth;
    }
    bool bDefinition = g_playerSettings.m_bShowDefinition && !pItem->m_strDefinitionText.IsEmpty() &&
                       row.Width() >= kMinDefinitionRowWidth;
    int nLabelWidth = bDefinition ? RoundUp4(GetTextWidth(pDC, pItem->m_strDefinitionText) + 2 * kLabelPiece) : 0;
    int nTitleRight = duration.left - (bDefinition ? nLabelWidth + 8 : 8);
    CRect title(nTextLeft, top, std::max(nTextLeft, nTitleRight), bottom);
    pDC->DrawText(pItem->m_strTitle, &title, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (bDefinition) {
        int nTitleWidth = std::min(GetTextWidth(pDC, pItem->m_strTitle), title.Width());
        DrawLabel(pDC, m_listLabel, title.left + nTitleWidth + 8, top + (row.Height() - kLabelHeight) / 2, FALSE,
                  pItem->m_strDefinitionText, nLabelWidth);
    }
    if (look.bPlaying || look.bPaused)
        m_listState.Draw(pDC, look.bPaused ? 1 : 0, GetPlayButtonRect(row).TopLeft(), ILD_TRANSPARENT);
    else if (nIndex == m_nHotItem && !bForDragImage)
        DrawButtons(pDC, nIndex, row, m_listPlay, m_listDelete);
    pDC->SelectObject(pOldFont);
}

// Mouse and keys ------------------------------------------------------------------------------

void CPlaylistCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    int nIndex = GetNextSelectedItem(0);
    if (nIndex >= 0) {
        bool bCurrent = nIndex == CurrentIndex() && g_pVideoWnd && g_pVideoWnd->IsActive();
        if (bCurrent)
            ShowPlayPane();
        else
            PlayIndex(nIndex, PLACEMENT_PLAY_VIEW);
    }
    Default();
}

void CPlaylistCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar >= L' ')
        TypeAhead(static_cast<wchar_t>(nChar), GetTickCount());
    Default();
}

void CPlaylistCtrl::TypeAhead(wchar_t ch, DWORD dwTime)
{
    m_nCharPos = dwTime - m_dwLastCharTime <= kTypeAheadMs ? m_nCharPos + 1 : 0;
    m_dwLastCharTime = dwTime;
    wchar_t typed[2] = {ch, 0};
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < GetItemCount(); ++i) {
            const CString& title = GetPlaylistItem(i)->m_strTitle;
            if (m_nCharPos >= title.GetLength())
                continue;
            wchar_t at[2] = {title[m_nCharPos], 0};
            if (lstrcmpiW(at, typed) != 0)
                continue;
            SelectItem(i, TRUE, TRUE, TRUE, FALSE);
            SetFocusItem(i, TRUE);
            EnsureVisible(i);
            return;
        }
        // Nothing has the character there: the search starts again at the first character.
        if (m_nCharPos == 0)
            return;
        m_nCharPos = 0;
    }
}

void CPlaylistCtrl::OnContextMenu(CWnd*, CPoint point)
{
    ShowContextMenu(point);
}

void CPlaylistCtrl::ShowContextMenu(CPoint point)
{
    int nSelected = GetNextSelectedItem(0);
    if (point.x == -1 && point.y == -1) {
        CRect client;
        GetClientRect(&client);
        point = client.TopLeft();
        if (nSelected >= 0) {
            CRect item;
            GetItemRect(nSelected, &item);
            CPoint centre = item.CenterPoint();
            if (IsGridMode())
                centre.x = item.left + 64;
            if (client.PtInRect(centre))
                point = centre;
        }
        ClientToScreen(&point);
    }
    CMenu menu;
    if (!menu.LoadMenu(IDR_PLAYER_POPUP))
        return;
    CMenu* pPopup = menu.GetSubMenu(nSelected >= 0 ? POPUP_PLAYLISTVIEW : POPUP_ADD_ITEMS);
    if (!pPopup)
        return;
    if (nSelected >= 0) {
        FillTrackMenus(pPopup, GetPlaylistItem(nSelected), POPUP_PLAYLISTVIEW_VIDEO_TRACK,
                       POPUP_PLAYLISTVIEW_AUDIO_TRACK, POPUP_PLAYLISTVIEW_SUBTITLE_TRACK);
        pPopup->SetDefaultItem(ID_PLAYLIST_PLAY);
    } else if (g_pPlayerMainWindow && g_pPlayerMainWindow->IsOnePaneMode()) {
        pPopup->SetDefaultItem(ID_VIEW_SWITCH);
    }
    CWnd* pFrame = GetParentFrame();
    pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, pFrame ? pFrame : GetParent());
}
