// One playback: opens the media, creates the window, runs the reading and decoding threads,
// and on the window thread shows the pictures on time, obeys the owner's commands and reports
// the events through its OwnerLink. Run returns when the media has ended (by -autoexit or -exit_delay), on a stop
// request, or when the owner window has gone.
//
// Phases: Filling after the start and after every seek, until the pictures and the sound are
// ready (the clock holds at 0); Playing; Ended after the end of the media.
#pragma once

#include "common/ToolLog.h"
#include "tools/ClipRunner/AudioDecoder.h"
#include "tools/ClipRunner/AudioOutput.h"
#include "tools/ClipRunner/FrameQueue.h"
#include "tools/ClipRunner/MediaClock.h"
#include "tools/ClipRunner/MediaSource.h"
#include "tools/ClipRunner/OwnerLink.h"
#include "tools/ClipRunner/RunnerOptions.h"
#include "tools/ClipRunner/SubtitleDecoder.h"
#include "tools/ClipRunner/SubtitlePainter.h"
#include "tools/ClipRunner/SubtitleQueue.h"
#include "tools/ClipRunner/TestMode.h"
#include "tools/ClipRunner/VideoDecoder.h"
#include "tools/ClipRunner/VideoWindow.h"
#include "tools/ClipRunner/WaveformPainter.h"

#include <memory>

class Player : private VideoWindowHandler, private PlaybackControl {
public:
    Player(const RunnerOptions& options, const TestMode& test, const ToolLog& log);
    ~Player() override;

    // The exit code: 0 after a playback, 1 when the media cannot be played.
    int Run();
    int FramesShown() const { return m_shown; }
    int FramesDropped() const;
    bool UsesAudioDevice() const { return m_output.UsesDevice(); }

private:
    enum class Phase { Filling, Playing, Ended };

    LRESULT OnCopyData(const COPYDATASTRUCT* data) override { return m_link.Receive(data); }
    void OnSized(int width, int height) override;
    void OnDestroyed() override { m_windowGone = true; }

    void RequestPauseToggle() override { ++m_pauseToggles; }
    void RequestStop() override;
    void RequestSeek(int64_t offsetUs, bool relative) override;
    void SetMute(bool mute) override;
    void SetVolume(int volume) override;
    PlaybackState State() const override;

    bool OpenMedia();
    void OpenDecoders();
    void OpenSubtitleDecoder();
    bool CreateVideoWindow();
    void StartPipelines();
    void StopPipelines();

    void WaitForWork();
    void PumpMessages();
    void Step();
    void ApplyRequests();
    void TogglePause();
    void SeekTo(int64_t targetUs);
    void UpdateRunning();
    void CheckFilled();
    void StartPlaying();
    void FollowAudio();
    void PresentVideo();
    void ShowNextPicture();
    void PresentWaveform();
    void PresentSubtitles();
    bool ReachedEnd();
    void EnterEnd();
    bool EndWaitOver() const;
    void Finish(bool stopped);

    int64_t ClampedUs(int64_t us) const;
    int64_t PositionUs() const;
    int64_t MediaUs(double clockSeconds) const;  // of the playback running now
    void Report(int32_t event, int32_t flag = 0);

    RunnerOptions m_options;
    TestMode m_test;
    const ToolLog& m_log;
    HWND m_owner;
    double m_videoSpeed, m_audioSpeed;

    MediaClock m_clock;
    AudioOutput m_output;
    FrameQueue m_pictures;
    SubtitleQueue m_subtitles;
    MediaSource m_source;
    std::unique_ptr<VideoDecoder> m_video;  // after the queues: ended before them
    std::unique_ptr<AudioDecoder> m_audio;
    std::unique_ptr<SubtitleDecoder> m_subtitle;
    SubtitlePainter m_subtitlePainter;
    VideoWindow m_window;
    OwnerLink m_link;
    WaveformPainter m_waveform;

    bool m_running = false;
    bool m_windowGone = false;
    Phase m_phase = Phase::Filling;
    bool m_paused = false;
    bool m_reportedPlaying = false;
    int m_serial = 1;
    int64_t m_startUs = 0;      // media time at clock 0
    int64_t m_endPositionUs = 0;
    DWORD m_fillStart = 0, m_endTick = 0, m_lastReport = 0, m_lastWaveform = 0;
    std::unique_ptr<Picture> m_picture;  // on screen
    double m_pictureEnd = 0;             // clock time when the picture on screen runs out
    int m_shown = 0, m_droppedOnScreen = 0;
    int m_windowWidth = 0, m_windowHeight = 0;
    int64_t m_frameDueUs = -1;  // media time of a change of the subtitles the test mode has yet to write

    // Requests from the owner, taken on the next step.
    int m_pauseToggles = 0;
    bool m_stopRequested = false;
    bool m_seekPending = false;
    int64_t m_seekTargetUs = 0;
    int m_volume;
    bool m_mute;
};
