#include "player/windows/CMainFrame.h"
#include "classlib/AfxMessageMap.h"
#include "player/windows/CPlayView.h"
#include "player/CPlayerSettings.h"
#include "player/playlist/CPlaylistCtrl.h"
#include "player/windows/CPlaylistView.h"
#include "player/res/PlayerResources.h"

namespace {

struct SeekCommand {
    UINT id;
    LONGLONG offsetUs;
};

const SeekCommand kSeekCommands[] = {
    {ID_SEEK_BACKWARD_10S, -10000000},
    {ID_SEEK_FORWARD_10S, 10000000},
    {ID_SEEK_BACKWARD_1MIN, -60000000},
    {ID_SEEK_FORWARD_1MIN, 60000000},
};

struct ValueCommand {
    UINT id;
    int value;
};

const ValueCommand kZoomCommands[] = {{ID_ZOOM_FIT, 0}, {ID_ZOOM_50, 50}, {ID_ZOOM_100, 100}, {ID_ZOOM_200, 200}};
const ValueCommand kVolumeCommands[] = {{ID_VOLUME_25, 25}, {ID_VOLUME_50, 50}, {ID_VOLUME_100, 100}};

template <typename T, size_t N>
const T* FindCommand(const T (&table)[N], UINT nID)
{
    for (const T& entry : table) {
        if (entry.id == nID)
            return &entry;
    }
    return nullptr;
}

const int kVolumeStep = 10;

}  // namespace

IMPLEMENT_DYNCREATE(CMainFrame, CMPAppMainWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMPAppMainWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_DROPFILES()
    ON_WM_SYSCOMMAND()
    ON_COMMAND(ID_VIEW_DOCK_PLAYLIST, &CMainFrame::OnDockPlaylist)
    ON_UPDATE_COMMAND_UI(ID_VIEW_DOCK_PLAYLIST, &CMainFrame::OnUpdateDockPlaylist)
    ON_COMMAND(ID_VIEW_TOOLBAR, &CMainFrame::OnShowControlBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, &CMainFrame::OnUpdateShowControlBar)
    ON_COMMAND(ID_VIEW_RESTORE_OR_MINIMIZE, &CMainFrame::OnRestoreOrMinimize)
    ON_COMMAND(ID_VOLUME_MUTE, &CMainFrame::OnMute)
    ON_UPDATE_COMMAND_UI(ID_VOLUME_MUTE, &CMainFrame::OnUpdateMute)
    ON_COMMAND(ID_VOLUME_DOWN, &CMainFrame::OnVolumeDown)
    ON_UPDATE_COMMAND_UI(ID_VOLUME_DOWN, &CMainFrame::OnUpdateVolumeDown)
    ON_COMMAND(ID_VOLUME_UP, &CMainFrame::OnVolumeUp)
    ON_UPDATE_COMMAND_UI(ID_VOLUME_UP, &CMainFrame::OnUpdateVolumeUp)
    ON_COMMAND_RANGE(ID_VOLUME_25, ID_VOLUME_100, &CMainFrame::OnVolumePreset)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VOLUME_25, ID_VOLUME_100, &CMainFrame::OnUpdateVolumePreset)
    ON_COMMAND_RANGE(ID_ZOOM_FIT, ID_ZOOM_200, &CMainFrame::OnZoom)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ZOOM_FIT, ID_ZOOM_200, &CMainFrame::OnUpdateZoom)
    ON_COMMAND(ID_ZOOM_TOGGLE, &CMainFrame::OnZoomToggle)
    ON_COMMAND(ID_PLAY_PREVIOUS, &CMainFrame::OnPrevious)
    ON_UPDATE_COMMAND_UI(ID_PLAY_PREVIOUS, &CMainFrame::OnUpdatePrevious)
    ON_COMMAND(ID_PLAY_NEXT, &CMainFrame::OnNext)
    ON_UPDATE_COMMAND_UI(ID_PLAY_NEXT, &CMainFrame::OnUpdateNext)
    ON_COMMAND_RANGE(ID_SEEK_FORWARD_10S, ID_SEEK_BACKWARD_1MIN, &CMainFrame::OnSeek)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SEEK_FORWARD_10S, ID_SEEK_BACKWARD_1MIN, &CMainFrame::OnUpdateSeek)
    ON_COMMAND(ID_PLAY_STOP, &CMainFrame::OnStop)
    ON_UPDATE_COMMAND_UI(ID_PLAY_STOP, &CMainFrame::OnUpdateStop)
    ON_COMMAND(ID_PLAY_PLAY, &CMainFrame::OnPlay)
    ON_UPDATE_COMMAND_UI(ID_PLAY_PLAY, &CMainFrame::OnUpdatePlay)
    ON_COMMAND(ID_PLAY_PLAY_DROPBOX, &CMainFrame::OnPlay)
    ON_UPDATE_COMMAND_UI(ID_PLAY_PLAY_DROPBOX, &CMainFrame::OnUpdatePlayDropBox)
    ON_COMMAND(ID_VIEW_SWITCH, &CMainFrame::OnSwitchView)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
{
    m_menuBar.m_nBottomLine = 1;
    m_menuBar.m_crBack = RGB(0x20, 0x20, 0x20);
    m_menuBar.m_crBottomLine = RGB(0x20, 0x20, 0x20);
    m_menuBar.m_crTitle = RGB(0xC0, 0xC0, 0xC0);
    m_menuBar.m_crTitleHot = RGB(0xFF, 0xFF, 0xFF);
    m_menuBar.m_crHighlight = RGB(0x60, 0x60, 0x60);
    m_menuBar.m_crStatus = RGB(0xC0, 0xC0, 0xC0);
    m_nMenuBarHeight = 22;
}

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    return CMPAppMainWnd::PreCreateWindow(cs);
}

VideoDisplayWnd* CMainFrame::GetDisplayWnd() const
{
    return m_container.m_pDisplayView ? &m_container.m_pDisplayView->GetDisplayWnd() : nullptr;
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MBUTTONUP)
        PostMessage(WM_COMMAND, ID_VIEW_FULL_SCREEN);
    return CMPAppMainWnd::PreTranslateMessage(pMsg);
}

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CMPAppMainWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // The playlist's commands (Ctrl+O, Insert, Del ...) work from the display view as well.
    CView* pPlaylistView = m_container.m_pPlaylistView;
    return pPlaylistView && pPlaylistView != GetActiveView() && pPlaylistView->m_hWnd &&
           pPlaylistView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CMPAppMainWnd::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

void CMainFrame::OnDestroy()
{
    CMPAppMainWnd::OnDestroy();
    g_pControlBar = nullptr;
    g_pPlayerMainWindow = nullptr;
    g_pPlaylistView = nullptr;
    g_pPlaylistCtrl = nullptr;
    g_pPlayView = nullptr;
    g_pVideoWnd = nullptr;
}

void CMainFrame::OnDropFiles(HDROP hDropInfo)
{
    SetActiveWindow();
    SetForegroundWindow();
    if (m_container.m_pPlaylistView)
        m_container.m_pPlaylistView->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(hDropInfo));
}

void CMainFrame::OnSysCommand(UINT nID, LPARAM lParam)
{
    // The screen saver waits while a video plays (not while it pauses). The request is sent as
    // often as posted, so it is caught here rather than before dispatch.
    VideoDisplayWnd* pDisplay = GetDisplayWnd();
    if ((nID & 0xFFF0) == SC_SCREENSAVE && g_playerSettings.m_bPreventScreenSaver && pDisplay && pDisplay->IsPlaying())
        return;
    CMPAppMainWnd::OnSysCommand(nID, lParam);
}

void CMainFrame::OnDockPlaylist()
{
    int nMode = m_container.GetMode() == SPLIT_BOTH ? SPLIT_ONE : SPLIT_BOTH;
    m_container.SetMode(nMode);
    VideoDisplayWnd* pDisplay = GetDisplayWnd();
    if (pDisplay && pDisplay->IsActive())
        m_container.ActivatePane(m_container.m_pDisplayView);
    else
        m_container.ActivatePane(m_container.m_pPlaylistView);
    m_controlBar.SetDockMode(nMode == SPLIT_BOTH);
}

void CMainFrame::OnUpdateDockPlaylist(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_container.GetMode() == SPLIT_BOTH);
}

void CMainFrame::OnShowControlBar()
{
    ShowControlBar(&m_controlBar, !m_controlBar.IsWindowVisible(), FALSE);
}

void CMainFrame::OnUpdateShowControlBar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_controlBar.m_hWnd && m_controlBar.IsWindowVisible());
}

void CMainFrame::OnRestoreOrMinimize()
{
    if (IsIconic()) {
        ShowWindow(SW_RESTORE);
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
    } else {
        ShowWindow(SW_MINIMIZE);
    }
}

void CMainFrame::RefreshVolume()
{
    if (m_controlBar.m_hWnd)
        m_controlBar.RefreshVolume();
}

void CMainFrame::OnMute()
{
    if (VideoDisplayWnd* pDisplay = GetDisplayWnd()) {
        pDisplay->SetMute(!pDisplay->GetMute());
        if (m_controlBar.m_hWnd)
            m_controlBar.RefreshSpeaker();
    }
}

void CMainFrame::OnUpdateMute(CCmdUI* pCmdUI)
{
    VideoDisplayWnd* pDisplay = GetDisplayWnd();
    pCmdUI->SetCheck(pDisplay && pDisplay->GetMute());
}

void CMainFrame::OnVolumeDown()
{
    if (VideoDisplayWnd* pDisplay = GetDisplayWnd()) {
        pDisplay->SetVolume(pDisplay->GetVolume() - kVolumeStep);
        RefreshVolume();
    }
}

void CMainFrame::OnUpdateVolumeDown(CCmdUI* pCmdUI)
{
    VideoDisplayWnd* pDisplay = GetDisplayWnd();
    pCmdUI->Enable(pDisplay && pDisplay->GetVolume() > 0);
}

void CMainFrame::OnVolumeUp()
{
    if (VideoDisplayWnd* pDisplay = GetDisplayWnd()) {
        pDisplay->SetVolume(pDisplay->GetVolume() + kVolumeStep);
        RefreshVolume();
    }
}

void CMainFrame::OnUpdateVolumeUp(CCmdUI* pCmdUI)
{
    VideoDisplayWnd* pDisplay = GetDisplayWnd();
    pCmdUI->Enable(pDisplay && pDisplay->GetVolume() < 100);
}

void CMainFrame::OnVolumePreset(UINT nID)
{
    const ValueCommand* pCommand = FindCommand(kVolumeCommands, nID);
    VideoDisplayWnd* pDisplay = GetDisplayWnd();
    if (pCommand && pDisplay) {
        pDisplay->SetVolume(pCommand->value);
        RefreshVolume();
    }
}

void CMainFrame::OnUpdateVolumePreset(CCmdUI* pCmdUI) {}

void CMainFrame::OnZoom(UINT nID)
{
    const ValueCommand* pCommand = FindCommand(kZoomCommands, nID);
    VideoDisplayWnd* pDisplay = GetDisplayWnd();
    if (pCommand && pDisplay)
        pDisplay->SetZoomRatio(pCommand->value);
}

void CMainFrame::OnUpdateZoom(CCmdUI* pCmdUI)
{
    const ValueCommand* pCommand = FindCommand(kZoomCommands, pCmdUI->m_nID);
    VideoDisplayWnd* pDisplay = GetDisplayWnd();
    if (!pCommand || !pDisplay)
        return;
    // Half of an odd size would not be a whole pixel.
    if (pCommand->id == ID_ZOOM_50)
        pCmdUI->Enable(pDisplay->m_status.VideoWidth % 2 == 0 && pDisplay->m_status.VideoHeight % 2 == 0);
    pCmdUI->SetRadio(pDisplay->GetZoomRatio() == pCommand->value);
}

void CMainFrame::OnZoomToggle()
{
    if (VideoDisplayWnd* pDisplay = GetDisplayWnd())
        pDisplay->SetZoomRatio(pDisplay->GetZoomRatio() == 0 ? 100 : 0);
}

void CMainFrame::OnPrevious()
{
    VideoDisplayWnd* pDisplay = GetDisplayWnd();
    CPlaylistItem* pItem = g_pPlaylistCtrl ? g_pPlaylistCtrl->GetPreviousItem(g_playerSettings.m_nRepeat) : nullptr;
    if (pDisplay && pItem)
        pDisplay->PlayItem(pItem, 0);
}

void CMainFrame::OnUpdatePrevious(CCmdUI* pCmdUI)
{
    VideoDisplayWnd* pDisplay = GetDisplayWnd();
    pCmdUI->Enable(pDisplay && pDisplay->IsActive() && g_pPlaylistCtrl &&
                   g_pPlaylistCtrl->GetPreviousItem(g_playerSettings.m_nRepeat) != nullptr);
}

void CMainFrame::OnNext()
{
    VideoDisplayWnd* pDisplay = GetDisplayWnd();
    CPlaylistItem* pItem = g_pPlaylistCtrl ? g_pPlaylistCtrl->GetNextItem(g_playerSettings.m_nRepeat) : nullptr;
    if (pDisplay && pItem)
        pDisplay->PlayItem(pItem, 0);
}

void CMainFrame::OnUpdateNext(CCmdUI* pCmdUI)
{
    VideoDisplayWnd* pDisplay = GetDisplayWnd();
    pCmdUI->Enable(pDisplay && pDisplay->IsActive() && g_pPlaylistCtrl &&
                   g_pPlaylistCtrl->GetNextItem(g_playerSettings.m_nRepeat) != nullptr);
}

void CMainFrame::OnSeek(UINT nID)
{
    const SeekCommand* pCommand = FindCommand(kSeekCommands, nID);
    VideoDisplayWnd* pDisplay = GetDisplayWnd();
    if (pCommand && pDisplay)
        pDisplay->Seek(pCommand->offsetUs, 1);
}

void CMainFrame::OnUpdateSeek(CCmdUI* pCmdUI)
{
    VideoDisplayWnd* pDisplay = GetDisplayWnd();
    pCmdUI->Enable(pDisplay && pDisplay->IsActive());
}

void CMainFrame::OnStop()
{
    if (VideoDisplayWnd* pDisplay = GetDisplayWnd())
        pDisplay->StopByUser();
}

void CMainFrame::OnUpdateStop(CCmdUI* pCmdUI)
{
    VideoDisplayWnd* pDisplay = GetDisplayWnd();
    pCmdUI->Enable(pDisplay && pDisplay->IsActive());
}

void CMainFrame::OnPlay()
{
    VideoDisplayWnd* pDisplay = GetDisplayWnd();
    if (!pDisplay || !g_pPlaylistCtrl)
        return;
    if (g_pPlaylistCtrl->GetItemCount() == 0) {
        if (m_container.m_pPlaylistView)
            m_container.m_pPlaylistView->PostMessage(WM_COMMAND, ID_FILE_OPEN_FILES);
        return;
    }
    if (pDisplay->IsActive()) {
        pDisplay->TogglePause();
        return;
    }
    int nIndex = g_pPlaylistCtrl->GetNextSelectedItem(0);
    pDisplay->PlayItem(g_pPlaylistCtrl->GetPlaylistItem(nIndex >= 0 ? nIndex : 0), 0);
}

void CMainFrame::OnUpdatePlay(CCmdUI* pCmdUI)
{
    VideoDisplayWnd* pDisplay = GetDisplayWnd();
    pCmdUI->SetText(pDisplay && pDisplay->IsPlaying() ? L"Pause\tCtrl+P" : L"Play\tCtrl+P");
}

void CMainFrame::OnUpdatePlayDropBox(CCmdUI* pCmdUI)
{
    VideoDisplayWnd* pDisplay = GetDisplayWnd();
    pCmdUI->SetText(pDisplay && pDisplay->IsPlaying() ? L"Pause" : L"Play");
}

void CMainFrame::OnSwitchView()
{
    CWnd* pVisible = m_container.GetVisiblePane();
    CWnd* pPlaylist = m_container.GetPane(PANE_PLAYLIST);
    bool bPlaylistShown = pVisible && pPlaylist && pVisible->m_hWnd == pPlaylist->m_hWnd;
    m_container.ShowPane(bPlaylistShown ? PANE_DISPLAY : PANE_PLAYLIST);
}
