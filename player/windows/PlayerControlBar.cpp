#include "player/windows/PlayerControlBar.h"
#include "classlib/CMenu.h"
#include "framework/controls/AppUiResources.h"
#include "framework/controls/BitmapResource.h"
#include "framework/controls/CMemoryDC.h"
#include "framework/text/Duration.h"
#include "mediatools/CPlayerSession.h"
#include "player/res/PlayerResources.h"
#include <algorithm>

namespace {

const COLORREF kMask = RGB(0xFF, 0x00, 0xFF);
const COLORREF kTopLine = RGB(0x38, 0x38, 0x38);
const COLORREF kBackground = RGB(0x30, 0x30, 0x30);
const int kButtonImage = 32;
const int kGap = 8;
const int kSeekMinimum = 100;

// Item widths in table order (the seek slider's is its least, the time label's its text's).
const int kWidths[PlayerControlBar::ItemCount] = {48, 40, 40, 40, kSeekMinimum, 0, 36, 120, 40, 40, 40};

// The items that keep a gap before them, hidden or not.
BOOL GapBefore(int nItem)
{
    return nItem == PlayerControlBar::ItemSeek || nItem == PlayerControlBar::ItemSpeaker ||
           nItem == PlayerControlBar::ItemZoom;
}

// Fills the list with the bitmap's images, each cx wide and as high as the bitmap, the mask
// colour transparent. FALSE when the bitmap or the list fails.
BOOL LoadImageList(CImageList& list, UINT nBitmapID, int cx, COLORREF crMask)
{
    CBitmap bitmap;
    BITMAP info = {};
    if (!LoadBitmapResource(bitmap, nBitmapID) || !bitmap.GetBitmap(&info) || cx <= 0)
        return FALSE;
    if (!list.Create(cx, info.bmHeight, ILC_COLOR32 | ILC_MASK, 0, info.bmWidth / cx))
        return FALSE;
    return list.Add(&bitmap, crMask) != -1;
}

}  // namespace

IMPLEMENT_DYNAMIC(PlayerControlBar, CPopupBarWnd)

BEGIN_MESSAGE_MAP(PlayerControlBar, CPopupBarWnd)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_MOUSEMOVE()
ON_WM_CONTEXTMENU()
ON_COMMAND(ID_TIME_LABEL_SWITCH, &PlayerControlBar::OnTimeLabelSwitch)
ON_UPDATE_COMMAND_UI(ID_TIME_LABEL_SWITCH, &PlayerControlBar::OnUpdateTimeLabelSwitch)
ON_MESSAGE(WM_SLIDER_POSCHANGED, &PlayerControlBar::OnSliderPosChanged)
END_MESSAGE_MAP()

int PlayerControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CPopupBarWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_crBackground = kBackground;
    if (!LoadImages())
        return -1;
    AddItems();
    ShowTimes(0, 0);
    GetVolumeSlider()->SetRangeMax(100);
    RefreshVolume();
    return 0;
}

BOOL PlayerControlBar::LoadImages()
{
    struct ImageSource {
        CImageList* pList;
        UINT nBitmap;
        int cx;
        COLORREF crMask;
    };
    const ImageSource sources[] = {
        {&m_playImages, IDB_BAR_PLAY, kButtonImage, kMask},
        {&m_pauseImages, IDB_BAR_PAUSE, kButtonImage, kMask},
        {&m_stopImages, IDB_BAR_STOP, kButtonImage, kMask},
        {&m_previousImages, IDB_BAR_PREVIOUS, kButtonImage, kMask},
        {&m_nextImages, IDB_BAR_NEXT, kButtonImage, kMask},
        {&m_seekImages, IDB_SEEK_SLIDER, 12, RGB(0, 0, 0)},
        {&m_seekCaps, IDB_SEEK_CAPS, 3, kMask},
        {&m_mutedImages, IDB_BAR_MUTED, kButtonImage, kMask},
        {&m_volumeLowImages, IDB_BAR_VOLUME_LOW, kButtonImage, kMask},
        {&m_volumeHighImages, IDB_BAR_VOLUME_HIGH, kButtonImage, kMask},
        {&m_volumeImages, IDB_VOLUME_SLIDER, 20, kMask},
        {&m_zoomImages, IDB_BAR_ZOOM, kButtonImage, kMask},
        {&m_fullScreenImages, IDB_BAR_FULL_SCREEN, kButtonImage, kMask},
        {&m_restoreImages, IDB_BAR_RESTORE, kButtonImage, kMask},
        {&m_toDisplayImages, IDB_BAR_TO_DISPLAY, kButtonImage, kMask},
        {&m_toPlaylistImages, IDB_BAR_TO_PLAYLIST, kButtonImage, kMask},
    };
    for (const ImageSource& source : sources) {
        if (!LoadImageList(*source.pList, source.nBitmap, source.cx, source.crMask))
            return FALSE;
    }
    return TRUE;
}

void PlayerControlBar::AddTool(int nItem, LPCWSTR pszTip)
{
    CRect rect(0, 0, 0, 0);
    m_toolTip.AddTool(this, pszTip, &rect, static_cast<UINT_PTR>(nItem + 1));
}

void PlayerControlBar::AddButton(int nID, CImageList* pImages, LPCWSTR pszTip)
{
    auto* pButton = new CBarButtonItem(&Items(), nID);
    pButton->SetImageList(pImages, FALSE);
    AddTool(AddItem(pButton), pszTip);
}

void PlayerControlBar::AddItems()
{
    AddButton(ID_PLAY_PLAY, &m_playImages, L"Play/Pause (Ctrl+P)");
    AddButton(ID_PLAY_STOP, &m_stopImages, L"Stop (Ctrl+S)");
    AddButton(ID_PLAY_PREVIOUS, &m_previousImages, L"Previous (Ctrl+B)");
    AddButton(ID_PLAY_NEXT, &m_nextImages, L"Next (Ctrl+F)");

    auto* pSeek = new CSeekSliderItem(&Items());
    pSeek->SetThumbImageList(&m_seekImages);
    pSeek->SetEndImageList(&m_seekCaps);
    AddTool(AddItem(pSeek), L"");

    auto* pTime = new CTimeLabelItem(&Items(), ID_TIME_LABEL_SWITCH);
    pTime->m_crNormal = RGB(0xC0, 0xC0, 0xC0);
    pTime->m_crHot = RGB(0xF0, 0xF0, 0xF0);
    pTime->m_crDisabled = RGB(0x80, 0x80, 0x80);
    if (CFont* pFont = GetAppFont(AppFontNormal))
        pTime->m_hFont = *pFont;
    AddTool(AddItem(pTime), L"Toggle between elapsed and remaining time");

    AddButton(ID_VOLUME_MUTE, &m_volumeHighImages, L"Mute/Unmute (F8)");

    auto* pVolume = new CVolumeSliderItem(&Items());
    pVolume->SetThumbImageList(&m_volumeImages);
    AddTool(AddItem(pVolume), L"Volume");

    AddButton(ID_ZOOM_TOGGLE, &m_zoomImages, L"Fit Window/Original size");
    AddButton(ID_VIEW_FULL_SCREEN, &m_fullScreenImages, L"Full screen (Alt+Enter)");
    AddButton(ID_VIEW_SWITCH, &m_toDisplayImages, L"Go to display view (F6)");
}

CBarButtonItem* PlayerControlBar::GetButton(int nItem) const
{
    if (nItem == ItemSeek || nItem == ItemTime || nItem == ItemVolume)
        return nullptr;
    return static_cast<CBarButtonItem*>(GetItem(nItem));
}

void PlayerControlBar::SetButtonImages(int nItem, CImageList* pImages)
{
    // The play button is set again with every progress report.
    CBarButtonItem* pButton = GetButton(nItem);
    if (pButton && pButton->m_pImages != pImages)
        pButton->SetImageList(pImages, TRUE);
}

int PlayerControlBar::GetMinimumWidth() const
{
    int nWidth = 0;
    for (int i = 0; i < ItemCount; ++i) {
        CBarItem* pItem = GetItem(i);
        if (GapBefore(i))
            nWidth += kGap;
        if (!pItem || pItem->IsHidden())
            continue;
        nWidth += i == ItemTime ? GetTimeLabel()->GetPreferredWidth() : kWidths[i];
    }
    return nWidth;
}

void PlayerControlBar::Relayout()
{
    if (!m_hWnd || !HasItems())
        return;
    CRect row;
    GetClientRect(&row);
    row.top += 1;
    int nSeekWidth = std::max(kSeekMinimum, kSeekMinimum + row.Width() - GetMinimumWidth());
    int x = row.left;
    for (int i = 0; i < ItemCount; ++i) {
        CBarItem* pItem = GetItem(i);
        if (GapBefore(i))
            x += kGap;
        if (pItem->IsHidden()) {
            pItem->SetRect(0, 0, 0, 0, FALSE);
        } else {
            int nWidth = i == ItemSeek ? nSeekWidth : i == ItemTime ? GetTimeLabel()->GetPreferredWidth() : kWidths[i];
            pItem->SetRect(x, row.top, x + nWidth, row.bottom, FALSE);
            x += nWidth;
        }
        CRect rect;
        pItem->GetRect(&rect);
        m_toolTip.SetToolRect(this, static_cast<UINT_PTR>(i + 1), &rect);
    }
    Invalidate(FALSE);
}

void PlayerControlBar::FitTimeLabel()
{
    CTimeLabelItem* pTime = GetTimeLabel();
    CRect rect;
    pTime->GetRect(&rect);
    if (!pTime->IsHidden() && rect.Width() != pTime->GetPreferredWidth())
        Relayout();
}

void PlayerControlBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    // Only the update rectangle: the bar repaints an item whose state changes on its own.
    CMemoryDC memDC(&dc, &dc.m_ps.rcPaint);
    memDC.FillSolidRect(CRect(client.left, client.top, client.right, client.top + 1), kTopLine);
    memDC.FillSolidRect(CRect(client.left, client.top + 1, client.right, client.bottom), kBackground);
    Items().DrawItems(&memDC);
}

void PlayerControlBar::OnSize(UINT nType, int cx, int cy)
{
    CPopupBarWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0)
        Relayout();
}

void PlayerControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    CSeekSliderItem* pSeek = GetSeekSlider();
    if (pSeek && !pSeek->IsHidden() && pSeek->PtInItem(point.x, point.y)) {
        CString tip;
        if (m_pSession && m_pSession->IsActive()) {
            int nPos = pSeek->PosFromPoint(point.x, point.y, FALSE);
            if (nPos != -1)
                tip = FormatDuration(nPos, false, false, false);
        }
        m_toolTip.UpdateTipText(tip, this, ItemSeek + 1);
    }
    CPopupBarWnd::OnMouseMove(nFlags, point);
}

void PlayerControlBar::OnContextMenu(CWnd*, CPoint point)
{
    if (point.x == -1 && point.y == -1) {
        point = CPoint(8, 8);
        ClientToScreen(&point);
    }
    CPoint client = point;
    ScreenToClient(&client);
    int nItem = Items().HitTest(client.x, client.y);
    CBarItem* pItem = GetItem(nItem);
    if (!pItem || pItem->IsHidden())
        return;
    int nPopup;
    if (nItem <= ItemNext)
        nPopup = POPUP_BAR_PLAY;
    else if (nItem <= ItemTime)
        nPopup = POPUP_BAR_SEEK;
    else if (nItem <= ItemVolume)
        nPopup = POPUP_BAR_VOLUME;
    else if (nItem <= ItemFullScreen)
        nPopup = POPUP_BAR_ZOOM;
    else
        nPopup = POPUP_BAR_SWITCH;
    CMenu menu;
    if (!menu.LoadMenu(IDR_PLAYER_POPUP))
        return;
    if (CMenu* pPopup = menu.GetSubMenu(nPopup))
        pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, GetParentFrame());
}

void PlayerControlBar::OnTimeLabelSwitch()
{
    GetTimeLabel()->ToggleTimeMode();
    Relayout();
}

void PlayerControlBar::OnUpdateTimeLabelSwitch(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

LRESULT PlayerControlBar::OnSliderPosChanged(WPARAM wParam, LPARAM lParam)
{
    int nValue = static_cast<int>(wParam);
    auto* pItem = reinterpret_cast<CBarItem*>(lParam);
    if (pItem == GetSeekSlider()) {
        GetTimeLabel()->SetPosition(nValue);
        if (m_pSession)
            m_pSession->Seek(static_cast<LONGLONG>(nValue) * 1000, 0);
    } else if (pItem == GetVolumeSlider()) {
        if (m_pSession)
            m_pSession->SetVolume(nValue);
        RefreshSpeaker();
        SetVolumeTip(nValue);
    }
    return 0;
}

void PlayerControlBar::SetSession(CPlayerSession* pSession)
{
    m_pSession = pSession;
    RefreshVolume();
}

void PlayerControlBar::FollowSession()
{
    if (!HasItems() || !m_pSession)
        return;
    int nState = m_pSession->GetState();
    if (nState == PLAYER_STATE_STARTED || nState == PLAYER_STATE_STOPPING)
        return;
    SetButtonImages(ItemPlay, nState == PLAYER_STATE_PLAYING ? &m_pauseImages : &m_playImages);
    if (m_pSession->IsActive())
        ShowTimes(m_pSession->GetDuration(), m_pSession->m_status.PositionInUs);
    else
        ShowTimes(0, 0);
}

void PlayerControlBar::ShowTimes(LONGLONG nDurationUs, LONGLONG nPositionUs)
{
    GetSeekSlider()->SetRangeUs(nDurationUs);
    GetSeekSlider()->SetPositionUs(nPositionUs, TRUE);
    GetTimeLabel()->SetDurationUs(nDurationUs);
    GetTimeLabel()->SetPositionUs(nPositionUs);
    FitTimeLabel();
}

void PlayerControlBar::SetVolumeTip(int nVolume)
{
    CString tip;
    tip.Format(L"Volume: %d%%", nVolume);
    m_toolTip.UpdateTipText(tip, this, ItemVolume + 1);
}

void PlayerControlBar::RefreshVolume()
{
    if (!HasItems())
        return;
    int nVolume = m_pSession ? m_pSession->GetVolume() : GetVolumeSlider()->GetPos();
    GetVolumeSlider()->SetVolume(nVolume);
    RefreshSpeaker();
    SetVolumeTip(nVolume);
}

void PlayerControlBar::RefreshSpeaker()
{
    if (!HasItems())
        return;
    int nVolume = m_pSession ? m_pSession->GetVolume() : GetVolumeSlider()->GetPos();
    BOOL bMuted = m_pSession && m_pSession->GetMute();
    CImageList* pImages = &m_volumeHighImages;
    if (bMuted || nVolume == 0)
        pImages = &m_mutedImages;
    else if (nVolume < 50)
        pImages = &m_volumeLowImages;
    SetButtonImages(ItemSpeaker, pImages);
}

void PlayerControlBar::SetFullScreen(BOOL bFullScreen)
{
    SetButtonImages(ItemFullScreen, bFullScreen ? &m_restoreImages : &m_fullScreenImages);
}

void PlayerControlBar::SetSwitchTarget(BOOL bToPlaylist)
{
    SetButtonImages(ItemSwitch, bToPlaylist ? &m_toPlaylistImages : &m_toDisplayImages);
    m_toolTip.UpdateTipText(bToPlaylist ? L"Go to playlist view (F6)" : L"Go to display view (F6)", this,
                            ItemSwitch + 1);
}

void PlayerControlBar::SetDockMode(BOOL bBothPanes)
{
    if (CBarItem* pSwitch = GetItem(ItemSwitch))
        pSwitch->ModifyFlags(BIF_HIDDEN, bBothPanes ? BIF_HIDDEN : 0, FALSE);
    Relayout();
}
