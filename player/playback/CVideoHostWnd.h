// The window that hosts the playback tool's video window and embeds the playback session.
// Playback runs on the play thread; the tool's events arrive here as WM_COPYDATA on the window
// thread. This class is the one boundary between the two: what the play thread reports (a
// start, a state change, the end of its run) it posts here, so that every hook of the derived
// windows runs on the window thread.
#pragma once
#include <atomic>
#include "classlib/CRect.h"
#include "classlib/CWnd.h"
#include "framework/system/CWorkerThreadOwner.h"
#include "mediatools/CPlayerSession.h"

class CMediaPlayThread;

// Display modes.
const int DISPLAY_MODE_MEDIA = 1;
const int DISPLAY_MODE_STILL_IMAGE = 2;

// Where a video of that display size goes in the area at that zoom (0 fits it): centred, a
// zoomed size that does not fit is fitted instead, fitted sides are even.
CRect FitVideoRect(const CRect& area, int nVideoWidth, int nVideoHeight, int nZoomPercent);

class CVideoHostWnd : public CWnd, public CPlayerSession {
public:
    CVideoHostWnd();
    ~CVideoHostWnd() override;

    // A child without class name or title that admits the tool's WM_COPYDATA. TRUE / FALSE.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // Waits for the ended play thread and deletes it, then OnPlaybackEnded. 0.
    virtual LRESULT OnPlayThreadDone(WPARAM wParam, LPARAM lParam);
    // A URL or an existing file: closes what plays and starts playing it. 0 / -1.
    virtual int OpenFile(LPCWSTR pszPath);
    virtual int Close(int bInterrupted);  // 1 when nothing is open
    virtual void SetDisplayMode(int nMode);
    // Whether the window is worth showing: while a playback runs.
    virtual BOOL HasSomethingToShow();
    LONGLONG GetDuration() override;  // a still image: its time on screen
    virtual int StartPlayThread();   // 0 / -1
    virtual void UpdateVideoRect(int bRedraw);
    virtual void OnShowBusy() {}
    virtual void OnHideBusy() {}
    virtual void GetVideoArea(CRect& rect);
    // Window thread, after every state change of the session.
    virtual void OnPlaybackStateChanged() {}
    // Window thread, once the play thread has ended: hides the window and the busy hook.
    virtual void OnPlaybackEnded();

    void ResetStatus() override;
    int Play() override;
    int PlayOnce() override;
    int Stop() override;
    void OnBeforePlay() override;
    void OnAfterPlay() override;
    int OnPlayerStarted(const PlayerStatus& status) override;
    int OnPlayerStopping(const PlayerStatus& status) override;
    int OnPlayerFinished(const PlayerStatus& status) override;
    void SetZoomRatio(int nPercent) override;
    int OnStateChanged() override;
    int OnMediaOpened(const PlayerStatus& status, int nFlag) override;
    int OnPlaying(const PlayerStatus& status) override;
    int OnProgress(const PlayerStatus& status) override;
    int OnPauseChanged(const PlayerStatus& status, int nFlag) override;
    int OnEndOfMedia(const PlayerStatus& status) override;

    COLORREF m_crBackground = 0;
    std::atomic<int> m_bDestroying{0};  // from WM_DESTROY on, the session's callbacks do nothing
    int m_nDisplayMode = 0;
    int m_nStillImageTime = 5000;  // ms a still image stays on screen
    CWorkerThreadOwner<CMediaPlayThread> m_pPlayThread;
    CSize m_lastVideoSize;   // display size of the last video placed
    CSize m_lastPlacedSize;  // size the tool's window was given

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnDestroy();
    LRESULT OnStateChangedMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnPlaybackStarting(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    HWND ToolWindow() const;
    bool OnWindowThread() const;
};
