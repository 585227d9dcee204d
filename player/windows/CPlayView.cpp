#include "player/windows/CPlayView.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CFrameWnd.h"
#include "classlib/CMenu.h"
#include "player/playlist/CPlaylistCtrl.h"
#include "player/playlist/CPlaylistItem.h"
#include "player/playback/ItemSettingCommands.h"
#include "player/windows/PlayerWindows.h"
#include "player/playback/TrackMenus.h"
#include "player/res/PlayerResources.h"

IMPLEMENT_DYNCREATE(CPlayView, CMediaPlayView)

BEGIN_MESSAGE_MAP(CPlayView, CMediaPlayView)
    ON_WM_CHAR()
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_MEDIA_INFO, &CPlayView::OnMediaInfo)
    ON_UPDATE_COMMAND_UI(ID_MEDIA_INFO, &CPlayView::OnUpdateMediaInfo)
    ON_COMMAND_RANGE(ID_ROTATE_90, ID_ROTATE_270, &CPlayView::OnItemSetting)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ROTATE_90, ID_ROTATE_270, &CPlayView::OnUpdateItemSetting)
    ON_COMMAND_RANGE(ID_PICTURE_OLD_PHOTO, ID_PICTURE_NEGATE, &CPlayView::OnItemSetting)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PICTURE_OLD_PHOTO, ID_PICTURE_NEGATE, &CPlayView::OnUpdateItemSetting)
    ON_COMMAND_RANGE(ID_SPEED_DOUBLE, ID_SPEED_HALF, &CPlayView::OnItemSetting)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SPEED_DOUBLE, ID_SPEED_HALF, &CPlayView::OnUpdateItemSetting)
    ON_COMMAND_RANGE(ID_ITEM_VOLUME_150, ID_ITEM_VOLUME_300, &CPlayView::OnItemSetting)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ITEM_VOLUME_150, ID_ITEM_VOLUME_300, &CPlayView::OnUpdateItemSetting)
    ON_COMMAND(ID_EFFECTS_RESET, &CPlayView::OnResetFilters)
    ON_UPDATE_COMMAND_UI(ID_EFFECTS_RESET, &CPlayView::OnUpdateResetFilters)
    ON_COMMAND_RANGE(ID_VIDEO_TRACK_OFF, ID_SUBTITLE_TRACK_LAST, &CPlayView::OnTrack)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIDEO_TRACK_OFF, ID_SUBTITLE_TRACK_LAST, &CPlayView::OnUpdateTrack)
END_MESSAGE_MAP()

CPlayView::CPlayView() : CMediaPlayView(new VideoDisplayWnd) {}

void CPlayView::OnInitialUpdate()
{
    CMediaPlayView::OnInitialUpdate();
    FitVideoWindow();
    UpdateMainWindowTitle(nullptr);
}

void CPlayView::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // The view routes commands only to itself and its document: the frame gets them.
    UINT nCommand = 0;
    switch (towlower(static_cast<wint_t>(nChar))) {
    case L'z': nCommand = ID_PLAY_PLAY; break;
    case L'x': nCommand = ID_PLAY_STOP; break;
    case L'c': nCommand = ID_PLAY_PREVIOUS; break;
    case L'v': nCommand = ID_PLAY_NEXT; break;
    case L'f': nCommand = ID_VIEW_FULL_SCREEN; break;
    default: break;
    }
    CFrameWnd* pFrame = GetParentFrame();
    if (nCommand && pFrame)
        pFrame->PostMessage(WM_COMMAND, nCommand);
    CMediaPlayView::OnChar(nChar, nRepCnt, nFlags);
}

BOOL CPlayView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_LBUTTONDBLCLK)
        return CMediaPlayView::PreTranslateMessage(pMsg);
    bool bModifier = (::GetKeyState(VK_SHIFT) < 0) || (::GetKeyState(VK_CONTROL) < 0);
    if (g_pPlayerMainWindow && g_pPlayerMainWindow->IsOnePaneMode() && !bModifier) {
        ShowPlaylistPane();
    } else if (CFrameWnd* pFrame = GetTopLevelFrame()) {
        pFrame->PostMessage(WM_COMMAND, ID_VIEW_FULL_SCREEN);
    }
    return TRUE;
}

void CPlayView::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (point.x == -1 && point.y == -1) {
        point = CPoint(0, 0);
        ClientToScreen(&point);
        point.Offset(8, 8);
    }
    CMenu menu;
    if (!menu.LoadMenu(IDR_PLAYER_POPUP))
        return;
    CMenu* pPopup = menu.GetSubMenu(POPUP_PLAYVIEW);
    if (!pPopup)
        return;
    FillTrackMenus(pPopup, GetCurrentItem(), POPUP_PLAYVIEW_VIDEO_TRACK, POPUP_PLAYVIEW_AUDIO_TRACK,
                   POPUP_PLAYVIEW_SUBTITLE_TRACK);
    bool bModifier = (::GetKeyState(VK_SHIFT) < 0) || (::GetKeyState(VK_CONTROL) < 0);
    bool bOnePane = g_pPlayerMainWindow && g_pPlayerMainWindow->IsOnePaneMode();
    pPopup->SetDefaultItem(bOnePane && !bModifier ? ID_VIEW_SWITCH : ID_VIEW_FULL_SCREEN);
    pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, GetParentFrame());
}

void CPlayView::OnMediaInfo()
{
    if (g_pPlaylistCtrl && GetCurrentItem())
        g_pPlaylistCtrl->ShowItemInfo(GetCurrentItem());
}

void CPlayView::OnUpdateMediaInfo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetCurrentItem() != nullptr);
}

void CPlayView::OnItemSetting(UINT nID)
{
    CPlaylistItem* pItem = GetCurrentItem();
    if (pItem && ApplyItemSetting(*pItem, nID))
        m_videoWnd.RestartItem();
}

void CPlayView::OnUpdateItemSetting(CCmdUI* pCmdUI)
{
    UpdateItemSetting(GetCurrentItem(), pCmdUI);
}

void CPlayView::OnResetFilters()
{
    if (CPlaylistItem* pItem = GetCurrentItem()) {
        pItem->ResetFilters();
        m_videoWnd.RestartItem();
    }
}

void CPlayView::OnUpdateResetFilters(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetCurrentItem() != nullptr);
}

void CPlayView::OnTrack(UINT nID)
{
    CPlaylistItem* pItem = GetCurrentItem();
    if (pItem && ApplyTrackChoice(*pItem, nID))
        m_videoWnd.RestartItem();
}

void CPlayView::OnUpdateTrack(CCmdUI* pCmdUI)
{
    UpdateTrackChoice(GetCurrentItem(), pCmdUI);
}
