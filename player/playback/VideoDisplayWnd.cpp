#include "player/playback/VideoDisplayWnd.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDC.h"
#include "classlib/CGdiObject.h"
#include "classlib/CWinApp.h"
#include "framework/controls/BitmapResource.h"
#include "framework/system/PathHelpers.h"
#include "framework/system/ShellHelpers.h"
#include "mediatools/MediaToolLocation.h"
#include "player/windows/CMediaPlayView.h"
#include "player/CPlayerSettings.h"
#include "player/playlist/CPlaylistCtrl.h"
#include "player/playlist/CPlaylistItem.h"
#include "player/windows/PlayerControlBar.h"
#include "player/windows/PlayerWindows.h"
#include "player/res/PlayerResources.h"

namespace {

const int kDotSize = 16;
const int kDotStep = 32;
const int kDotCount = 3;

}  // namespace

BEGIN_MESSAGE_MAP(VideoDisplayWnd, CItemVideoWnd)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

VideoDisplayWnd::VideoDisplayWnd()
{
    SetZoomRatio(g_playerSettings.m_nZoomRatio);
}

int VideoDisplayWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CItemVideoWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetVolume(g_playerSettings.m_nVolume);
    SetMute(g_playerSettings.m_bMute);
    m_nWaveEffect = 20;
    m_nWaveBlockSize = 4;
    m_nWaveBlockSpace = 1;
    m_nWaveGradient = 0;
    m_nWaveColor1 = 0x00FF00;
    m_nWaveColor2 = 0x00FF00;
    m_nWaveColor3 = 0x808080;
    if (!m_busyImages.Create(kDotSize, kDotSize, ILC_COLOR32 | ILC_MASK, 0, 2))
        return -1;
    CBitmap dots;
    if (LoadBitmapResource(dots, IDB_BUSY_DOTS))
        m_busyImages.Add(&dots, RGB(0xFF, 0x00, 0xFF));
    return 0;
}

void VideoDisplayWnd::OnDestroy()
{
    OnHideBusy();
    g_playerSettings.m_nZoomRatio = GetZoomRatio();
    g_playerSettings.m_nVolume = GetVolume();
    g_playerSettings.m_bMute = GetMute();
    CItemVideoWnd::OnDestroy();
}

BOOL VideoDisplayWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, m_crBackground);
    if (m_nBusyIndex == -1)
        return TRUE;
    int x = (client.Width() - 80) / 2;
    int y = (client.Height() - kDotSize) / 2;
    for (int k = 0; k < kDotCount; ++k)
        m_busyImages.Draw(pDC, k == m_nBusyIndex ? 1 : 0, CPoint(x + k * kDotStep, y), ILD_TRANSPARENT);
    return TRUE;
}

void VideoDisplayWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != BUSY_TIMER_ID) {
        CItemVideoWnd::OnTimer(nIDEvent);
        return;
    }
    m_nBusyIndex = (m_nBusyIndex + 1) % kDotCount;
    if (m_hWnd)
        InvalidateRect(nullptr, TRUE);
}

void VideoDisplayWnd::OnShowBusy()
{
    if (m_bBusyTimer)
        return;
    m_nBusyIndex = 0;
    SetTimer(BUSY_TIMER_ID, BUSY_TIMER_INTERVAL);
    m_bBusyTimer = 1;
}

void VideoDisplayWnd::OnHideBusy()
{
    if (!m_bBusyTimer)
        return;
    KillTimer(BUSY_TIMER_ID);
    m_nBusyIndex = -1;
    m_bBusyTimer = 0;
    // The dots go at once, not with the next paint.
    if (m_hWnd)
        InvalidateRect(nullptr, TRUE);
}

void VideoDisplayWnd::SetPlacement(int nPlacement)
{
    CItemVideoWnd::SetPlacement(nPlacement);
    if (!g_pPlayView || !g_pPlaylistCtrl || !m_hWnd)
        return;
    CWnd* pParent = nPlacement == PLACEMENT_PLAYLIST ? static_cast<CWnd*>(g_pPlaylistCtrl) : g_pPlayView;
    if (::GetParent(m_hWnd) != pParent->m_hWnd || m_hWndOwner != pParent->m_hWnd) {
        SetParent(pParent);
        SetOwner(pParent);
    }
    if (nPlacement == PLACEMENT_PLAYLIST)
        g_pPlaylistCtrl->PlaceVideoWindow();
    else
        g_pPlayView->FitVideoWindow();
}

void VideoDisplayWnd::ShowItemPane(CPlaylistItem* pItem, int nPlacement)
{
    UpdateMainWindowTitle(pItem);
    if (nPlacement != PLACEMENT_PLAYLIST) {
        ShowPlayPane();
        return;
    }
    if (g_pPlaylistCtrl) {
        int nIndex = g_pPlaylistCtrl->FindItem(pItem);
        if (nIndex >= 0) {
            g_pPlaylistCtrl->SelectItem(nIndex, TRUE, TRUE, TRUE, FALSE);
            g_pPlaylistCtrl->EnsureVisible(nIndex);
        }
    }
    ShowPlaylistPane();
}

void VideoDisplayWnd::RedrawItem(CPlaylistItem* pItem)
{
    if (g_pPlaylistCtrl && pItem)
        g_pPlaylistCtrl->RedrawItem(pItem);
}

int VideoDisplayWnd::StopByUser()
{
    m_bUserStop = 1;
    int result = Close(0);
    m_bUserStop = 0;
    return result;
}

int VideoDisplayWnd::Close(int bInterrupted)
{
    ++m_nClosing;
    int result = CItemVideoWnd::Close(bInterrupted);
    --m_nClosing;
    return result;
}

LRESULT VideoDisplayWnd::OnPlayThreadDone(WPARAM wParam, LPARAM lParam)
{
    if (!m_pPlayThread)
        return 0;
    if (LRESULT result = CItemVideoWnd::OnPlayThreadDone(wParam, lParam))
        return result;
    UpdateMainWindowTitle(nullptr);
    CPlaylistItem* pNext = nullptr;
    if (HasCompleted() && !m_nClosing && g_pPlaylistCtrl)
        pNext = g_pPlaylistCtrl->GetNextItem(g_playerSettings.m_nRepeat);
    EndAction action = DecideEndAction(pNext != nullptr);
    if (action == EndPlayNext)
        PlayItem(pNext, 0);
    else
        RunEndAction(action);
    return 0;
}

VideoDisplayWnd::EndAction VideoDisplayWnd::DecideEndAction(bool bNextItem) const
{
    if (m_nClosing && !m_bUserStop)
        return EndNothing;
    // A playback that the tool stopped on its own is no failure, but no end either.
    if (!m_bUserStop && !HasCompleted())
        return WasStopped() ? EndShowPlaylist : EndReportFailure;
    if (!m_bUserStop && bNextItem)
        return EndPlayNext;
    if (g_playerSettings.m_bShutDownAfterPlayback)
        return EndShutDown;
    if (g_playerSettings.m_bAutoCloseApp)
        return EndCloseWindow;
    return EndShowPlaylist;
}

void VideoDisplayWnd::RunEndAction(EndAction action)
{
    switch (action) {
    case EndShutDown:
        ShutdownWindows(EWX_POWEROFF | EWX_FORCE);
        break;
    case EndCloseWindow:
        if (CWnd* pMain = AfxGetMainWnd())
            pMain->PostMessage(WM_CLOSE);
        break;
    case EndShowPlaylist:
        ShowPlaylistPane();
        break;
    case EndReportFailure:
        ReportFailure();
        break;
    default:
        break;
    }
}

void VideoDisplayWnd::ReportFailure()
{
    CString text;
    if (!PathExists(ClipRunnerPath)) {
        text = L"Cannot play: the playback tool ClipRunner.exe is missing.";
    } else {
        CString name = m_pCurrentItem ? m_pCurrentItem->m_strTitle : CString();
        text.Format(L"Cannot play \"%s\".", static_cast<LPCWSTR>(name));
    }
    ShowPlaylistPane();
    if (g_pPlayerMainWindow)
        g_pPlayerMainWindow->SetStatusText(text);
}

void VideoDisplayWnd::OnPlaybackStateChanged()
{
    CItemVideoWnd::OnPlaybackStateChanged();
    ShowSessionInControlBar();
}

void VideoDisplayWnd::ShowSessionInControlBar()
{
    if (g_pControlBar)
        g_pControlBar->FollowSession();
}

int VideoDisplayWnd::OnPlaying(const PlayerStatus& status)
{
    if (int result = CItemVideoWnd::OnPlaying(status))
        return result;
    if (g_pPlayView)
        g_pPlayView->FitVideoWindow();
    RedrawItem(m_pCurrentItem);
    return 0;
}

int VideoDisplayWnd::OnProgress(const PlayerStatus& status)
{
    if (int result = CItemVideoWnd::OnProgress(status))
        return result;
    ShowSessionInControlBar();
    return 0;
}

int VideoDisplayWnd::OnPauseChanged(const PlayerStatus& status, int nFlag)
{
    if (int result = CItemVideoWnd::OnPauseChanged(status, nFlag))
        return result;
    RedrawItem(m_pCurrentItem);
    return 0;
}

int VideoDisplayWnd::OnEndOfMedia(const PlayerStatus& status)
{
    if (int result = CItemVideoWnd::OnEndOfMedia(status))
        return result;
    RedrawItem(m_pCurrentItem);
    return 0;
}

// A run can end without the tool's end-of-media event (a stop, a failure), and a stop that
// waits for the play thread handles its end before the state changes that thread posted: the
// bar and the row show the end all the same.
void VideoDisplayWnd::OnPlaybackEnded()
{
    CItemVideoWnd::OnPlaybackEnded();
    if (m_bDestroying)
        return;
    ShowSessionInControlBar();
    RedrawItem(m_pCurrentItem);
}
