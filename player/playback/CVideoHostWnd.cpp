#include "player/playback/CVideoHostWnd.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDC.h"
#include "classlib/CWinApp.h"
#include "framework/controls/FrameworkMessages.h"
#include "framework/system/PathHelpers.h"
#include "framework/system/SystemHelpers.h"
#include "player/playback/CMediaPlayThread.h"
#include <shlwapi.h>

namespace {

// Posted by the play thread so a state change is handled on the window thread.
const UINT WM_PLAYBACK_STATE_CHANGED = WM_USER + 8874;
// Posted by the play thread as a run begins.
const UINT WM_PLAYBACK_STARTING = WM_USER + 8875;

int MakeEven(int n)
{
    return n - n % 2;
}

}  // namespace

CRect FitVideoRect(const CRect& area, int nVideoWidth, int nVideoHeight, int nZoomPercent)
{
    int W = area.right - area.left;
    int H = area.bottom - area.top;
    int cx = 0, cy = 0;
    if (nZoomPercent != 0) {
        cx = static_cast<int>(nZoomPercent * nVideoWidth * 0.01);
        cy = static_cast<int>(nZoomPercent * nVideoHeight * 0.01);
        if (cx > W || cy > H)
            nZoomPercent = 0;
    }
    if (nZoomPercent == 0) {
        double scaleW = static_cast<double>(W) / nVideoWidth;
        double scaleH = static_cast<double>(H) / nVideoHeight;
        if (scaleW > scaleH) {
            cx = static_cast<int>(nVideoWidth * scaleH + 0.5);
            cy = H;
        } else {
            cx = W;
            cy = static_cast<int>(scaleW * nVideoHeight + 0.5);
        }
        cx = MakeEven(cx);
        cy = MakeEven(cy);
    }
    int x = area.left + (W - cx) / 2;
    if (x < area.left)
        x = area.left;
    if (x + cx > area.right)
        x = area.right - cx;
    int y = area.top + (H - cy) / 2;
    if (y < area.top)
        y = area.top;
    if (y + cy > area.bottom)
        y = area.bottom - cy;
    return CRect(x, y, x + cx, y + cy);
}

BEGIN_MESSAGE_MAP(CVideoHostWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_THREAD_FINISHED, &CVideoHostWnd::OnPlayThreadDone)
    ON_MESSAGE(WM_PLAYBACK_STATE_CHANGED, &CVideoHostWnd::OnStateChangedMessage)
    ON_MESSAGE(WM_PLAYBACK_STARTING, &CVideoHostWnd::OnPlaybackStarting)
END_MESSAGE_MAP()

CVideoHostWnd::CVideoHostWnd() = default;

CVideoHostWnd::~CVideoHostWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CVideoHostWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::Create(nullptr, nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    AllowCopyDataMessages();
    return TRUE;
}

BOOL CVideoHostWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPCHILDREN;
    return CWnd::PreCreateWindow(cs);
}

LRESULT CVideoHostWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const COPYDATASTRUCT* pcds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (message == WM_COPYDATA && pcds && pcds->dwData == PLAYER_MSG_EVENT && pcds->cbData == sizeof(PlayerEventBlock))
        return m_bDestroying ? 1 : CPlayerSession::DeliverEvent(pcds);
    return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CVideoHostWnd::OnPlayThreadDone(WPARAM wParam, LPARAM lParam)
{
    if (!m_pPlayThread)
        return 0;
    m_pPlayThread.WaitAndDelete();
    OnPlaybackEnded();
    return 0;
}

void CVideoHostWnd::OnPlaybackEnded()
{
    if (m_hWnd)
        ShowWindow(SW_HIDE);
    OnHideBusy();
}

int CVideoHostWnd::OpenFile(LPCWSTR pszPath)
{
    if (!pszPath)
        return -1;
    if (!PathIsURLW(pszPath) && !FileExists(pszPath)) {
        MessageBox(L"File does not exist.");
        return -1;
    }
    Close(0);
    m_params.Path = pszPath;
    return StartPlayThread();
}

int CVideoHostWnd::Close(int bInterrupted)
{
    if (m_params.Path.IsEmpty())
        return 1;
    Stop();
    m_params.Path.Empty();
    return 0;
}

void CVideoHostWnd::SetDisplayMode(int nMode)
{
    m_nDisplayMode = nMode;
    m_nExitDelay = nMode == DISPLAY_MODE_STILL_IMAGE ? m_nStillImageTime : 0;
}

BOOL CVideoHostWnd::HasSomethingToShow()
{
    return m_pPlayThread ? TRUE : FALSE;
}

LONGLONG CVideoHostWnd::GetDuration()
{
    if (m_nDisplayMode == DISPLAY_MODE_STILL_IMAGE)
        return static_cast<LONGLONG>(m_nStillImageTime) * 1000;
    return CPlayerSession::GetDuration();
}

int CVideoHostWnd::StartPlayThread()
{
    return m_pPlayThread.Start(new CMediaPlayThread(this), THREAD_PRIORITY_NORMAL) ? 0 : -1;
}

void CVideoHostWnd::UpdateVideoRect(int bRedraw)
{
    HWND hTool = ToolWindow();
    if (!hTool)
        return;
    CRect area;
    GetVideoArea(area);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (bRedraw ? 0 : SWP_NOREDRAW);
    if (m_status.VideoStreamIndex < 0 || GetState() == PLAYER_STATE_RESET || m_status.VideoWidth == 0 ||
        m_status.VideoHeight == 0) {
        ::SetWindowPos(hTool, nullptr, area.left, area.top, area.Width(), area.Height(), flags);
        return;
    }
    int w = m_status.DisplayWidth;
    int h = m_status.DisplayHeight;
    if (w == 0 || h == 0)
        return;
    m_lastVideoSize = CSize(w, h);
    CRect placed = FitVideoRect(area, w, h, GetZoomRatio());
    m_lastPlacedSize = CSize(placed.Width(), placed.Height());
    ::SetWindowPos(hTool, nullptr, placed.left, placed.top, placed.Width(), placed.Height(), flags);
}

void CVideoHostWnd::GetVideoArea(CRect& rect)
{
    GetClientRect(&rect);
}

void CVideoHostWnd::ResetStatus()
{
    CPlayerSession::ResetStatus();
    m_status.OwnerObject = reinterpret_cast<UINT_PTR>(static_cast<CPlayerSession*>(this));
    m_status.OwnerWindow = reinterpret_cast<UINT_PTR>(m_hWnd);
}

int CVideoHostWnd::Play()
{
    return m_pPlayThread ? CPlayerSession::Play() : 1;
}

int CVideoHostWnd::PlayOnce()
{
    return m_pPlayThread ? CPlayerSession::PlayOnce() : 1;
}

int CVideoHostWnd::Stop()
{
    if (!m_pPlayThread)
        return 1;
    int result = CPlayerSession::Stop();
    // The end message's handler deletes the thread and tells the windows.
    m_pPlayThread.Stop(WM_THREAD_FINISHED);
    return result;
}

// Play thread.
void CVideoHostWnd::OnBeforePlay()
{
    CPlayerSession::OnBeforePlay();
    ::PostMessageW(m_hWnd, WM_PLAYBACK_STARTING, 0, 0);
}

LRESULT CVideoHostWnd::OnPlaybackStarting(WPARAM wParam, LPARAM lParam)
{
    // The tool's events are sent, this is posted: a start that arrives once the tool has gone
    // past starting comes too late to show anything.
    if (m_bDestroying || !m_pPlayThread || GetState() >= PLAYER_STATE_STOPPING)
        return 0;
    ShowWindow(SW_SHOW);
    OnShowBusy();
    return 0;
}

// Play thread: the session notes how its run ended; the windows hear of it when the thread's
// end message arrives (OnPlaybackEnded).
void CVideoHostWnd::OnAfterPlay()
{
    CPlayerSession::OnEndOfMedia(m_status);
    CPlayerSession::OnPlayerFinished(m_status);
}

int CVideoHostWnd::OnPlayerStarted(const PlayerStatus& status)
{
    if (m_bDestroying)
        return 1;
    int result = CPlayerSession::OnPlayerStarted(status);
    ShowWindow(SW_SHOW);
    return result;
}

int CVideoHostWnd::OnPlayerStopping(const PlayerStatus& status)
{
    return m_bDestroying ? 1 : CPlayerSession::OnPlayerStopping(status);
}

int CVideoHostWnd::OnPlayerFinished(const PlayerStatus& status)
{
    return m_bDestroying ? 1 : CPlayerSession::OnPlayerFinished(status);
}

void CVideoHostWnd::SetZoomRatio(int nPercent)
{
    CPlayerSession::SetZoomRatio(nPercent);
    if (m_hWnd)
        UpdateVideoRect(1);
}

int CVideoHostWnd::OnStateChanged()
{
    if (!m_hWnd || m_bDestroying)
        return 1;
    if (OnWindowThread())
        OnPlaybackStateChanged();
    else
        ::PostMessageW(m_hWnd, WM_PLAYBACK_STATE_CHANGED, 0, 0);
    return 0;
}

LRESULT CVideoHostWnd::OnStateChangedMessage(WPARAM wParam, LPARAM lParam)
{
    if (!m_bDestroying)
        OnPlaybackStateChanged();
    return 0;
}

int CVideoHostWnd::OnMediaOpened(const PlayerStatus& status, int nFlag)
{
    OnHideBusy();
    if (m_bDestroying)
        return 1;
    int result = CPlayerSession::OnMediaOpened(status, nFlag);
    if (nFlag == 1)
        UpdateVideoRect(0);
    return result;
}

int CVideoHostWnd::OnPlaying(const PlayerStatus& status)
{
    OnHideBusy();
    if (m_bDestroying)
        return 1;
    int result = CPlayerSession::OnPlaying(status);
    UpdateVideoRect(0);
    return result;
}

int CVideoHostWnd::OnProgress(const PlayerStatus& status)
{
    return m_bDestroying ? 1 : CPlayerSession::OnProgress(status);
}

int CVideoHostWnd::OnPauseChanged(const PlayerStatus& status, int nFlag)
{
    return m_bDestroying ? 1 : CPlayerSession::OnPauseChanged(status, nFlag);
}

int CVideoHostWnd::OnEndOfMedia(const PlayerStatus& status)
{
    return m_bDestroying ? 1 : CPlayerSession::OnEndOfMedia(status);
}

void CVideoHostWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0 && ToolWindow())
        UpdateVideoRect(0);
}

BOOL CVideoHostWnd::OnEraseBkgnd(CDC* pDC)
{
    return TRUE;
}

void CVideoHostWnd::OnDestroy()
{
    m_bDestroying = 1;
    Stop();
    CWnd::OnDestroy();
}

bool CVideoHostWnd::OnWindowThread() const
{
    return ::GetWindowThreadProcessId(m_hWnd, nullptr) == ::GetCurrentThreadId();
}

HWND CVideoHostWnd::ToolWindow() const
{
    HWND hTool = reinterpret_cast<HWND>(static_cast<UINT_PTR>(m_status.ToolWindow));
    return hTool && ::IsWindow(hTool) ? hTool : nullptr;
}
