// One playback by the playback tool. Play blocks the play thread until the tool exits; the
// window thread steers the tool with commands and receives its events, which carry the
// tool's status record. The player's video host embeds a session and overrides its hooks.
#pragma once
#include "mediatools/CPlayerRunner.h"
#include <atomic>

// The events that the tool reports besides its start and end; the session implements them.
class CPlayerEventListener {
public:
    virtual ~CPlayerEventListener() = default;
    virtual int OnMediaOpened(const PlayerStatus& status, int nFlag) = 0;
    virtual int OnPlaying(const PlayerStatus& status) = 0;
    virtual int OnProgress(const PlayerStatus& status) = 0;
    virtual int OnPauseChanged(const PlayerStatus& status, int nFlag) = 0;
    virtual int OnEndOfMedia(const PlayerStatus& status) = 0;
};

// Playback states.
enum {
    PLAYER_STATE_RESET = 0,
    PLAYER_STATE_STARTED = 10,
    PLAYER_STATE_STOPPING = 20,
    PLAYER_STATE_PLAYING = 30,
    PLAYER_STATE_PAUSED = 40,
    PLAYER_STATE_END_OF_MEDIA = 50,
    PLAYER_STATE_FINISHED = 100
};

// End reasons of a finished playback; 0 when the run failed or has not finished.
const int PLAYER_END_STOPPED = 20;
const int PLAYER_END_COMPLETED = 100;

class CPlayerSession : public CPlayerRunner, public CPlayerEventListener {
public:
    CPlayerSession();

    // Resets state, end reason, stop request and the status record. A host that overrides it
    // stores its owner fields in the status after the base reset.
    virtual void ResetStatus();
    // Runs the tool, again at the current position as long as Restart asks for it. Blocks the
    // play thread until the tool has ended; Stop on the window thread ends it. Returns the last
    // run's result.
    virtual int Play();
    // Window thread; -1 when not playing or paused.
    virtual int Restart();
    virtual int ApplyRestartPosition();
    virtual void OnBeforePlay();
    virtual void OnAfterPlay();
    virtual int PlayOnce();
    // 0 when the stop command was sent, 1 when not playing or paused (the request is kept,
    // and the runner kills the tool 3 s after it when it is still running). A stop that comes
    // before the next Play has begun ends that Play without starting the tool.
    virtual int Stop();
    virtual int TogglePause();
    virtual int Seek(LONGLONG nPositionUs, int nMode);  // mode 0 absolute, 1 relative

    int GetZoomRatio() const { return m_nZoomRatio; }
    virtual void SetZoomRatio(int nPercent) { m_nZoomRatio = nPercent; }
    int GetPlaySpeed() const { return m_nPlaySpeed; }
    void SetPlaySpeed(int nPercent) { m_nPlaySpeed = nPercent; }

    // Of the media playing, in microseconds; 0 while unknown.
    virtual LONGLONG GetDuration();
    int GetState() const { return m_nState; }
    bool IsPlaying() const { return m_nState == PLAYER_STATE_PLAYING; }
    bool IsPaused() const { return m_nState == PLAYER_STATE_PAUSED; }
    bool IsActive() const { return IsPlaying() || IsPaused(); }
    bool HasCompleted() const { return m_nState == PLAYER_STATE_FINISHED && m_nEndReason == PLAYER_END_COMPLETED; }
    bool WasStopped() const { return m_nState == PLAYER_STATE_FINISHED && m_nEndReason == PLAYER_END_STOPPED; }
    int GetEndReason() const { return m_nEndReason; }

    int GetMute() const { return m_bMute; }
    virtual int SetMute(int bMute);
    int GetVolume() const { return m_nVolume; }
    virtual int SetVolume(int nVolume);  // clamped to 0..100

    virtual int OnPlayerStarted(const PlayerStatus& status);
    virtual int OnPlayerStopping(const PlayerStatus& status);
    virtual int OnPlayerFinished(const PlayerStatus& status);
    // The base does nothing (1); the host updates its views.
    virtual int OnStateChanged() { return 1; }
    // Takes the block's status and dispatches its event. The reply is the stop request (20 once
    // a stop was requested, else 0); -1 for a null block or an unknown event.
    virtual int OnPlayerMessage(const PlayerEventBlock* pBlock);

    int OnMediaOpened(const PlayerStatus& status, int nFlag) override;
    int OnPlaying(const PlayerStatus& status) override;
    int OnProgress(const PlayerStatus& status) override;
    int OnPauseChanged(const PlayerStatus& status, int nFlag) override;
    int OnEndOfMedia(const PlayerStatus& status) override;

    // The tool's reply, or -1 without sending while the tool has not reported its window or
    // when it does not answer within the command time-out. Window thread.
    int SendCommand(int nCode, LONGLONG nArg1, LONGLONG nArg2, const char* pszText);
    // The folder the next run starts in: the media file's. -1 for a URL or a folder that
    // cannot be entered.
    int SetWorkingFolder();

    // Hands a WM_COPYDATA event block to the session it names, when that session is playing
    // in this process now; a block naming anything else is answered 0 untouched, a block that
    // is no event block -1. Window thread.
    static LRESULT DeliverEvent(const COPYDATASTRUCT* pcds);

    static const UINT kCommandTimeout = 3000;  // ms

    CPlayParams m_params;

protected:
    void SetState(int nState);
    int RunOnce();

    int m_nZoomRatio;   // 0 fit to the window
    int m_nPlaySpeed;   // percent, kept for the player
    std::atomic<int> m_nState;
    std::atomic<int> m_nEndReason;
    std::atomic<int> m_nStopRequest;  // the stop flag of the tool runs
    std::atomic<int> m_nRestartMarker;
    LONGLONG m_nRestartPosition;   // microseconds
    CString m_strWorkingFolder;

private:
    void KeepOwner();
    void StoreOwner();

    std::atomic<bool> m_bStopPending;   // a stop was asked for since the last Play ended
    std::atomic<bool> m_bToolReported;  // the running tool has said it started or plays
    std::atomic<int> m_nRunResult;      // the last run's result: 0 when the tool ended well
    uint64_t m_nOwnerObject;
    uint64_t m_nOwnerWindow;
};
