#include "tools/ClipRunner/Player.h"

#include "common/Utf8.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

const DWORD kProgressMs = 200;
const DWORD kWaveformMs = 40;
const DWORD kFillTimeoutMs = 3000;   // a stream that gives nothing must not hold the other
const double kFillSeconds = 0.1;     // sound queued before the clock starts
const double kMostDrift = 0.04;      // the clock follows the sound device beyond this
const int kQueuedPictures = 3;
const int kQueuedSubtitles = 64;
const int kDefaultWidth = 640, kDefaultHeight = 360;

bool AudioDeviceUsable(const TestMode& test)
{
    // A test clock running fast would garble the sound.
    return test.speed == 1 && waveOutGetNumDevs() > 0;
}

// Into the log, and to the standard error when whoever started the tool gave one.
void Complain(const ToolLog& log, const std::wstring& text)
{
    log.Line(text);
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error && error != INVALID_HANDLE_VALUE) {
        std::string utf8 = Utf8(text + L"\n");
        DWORD written = 0;
        WriteFile(error, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    }
}

[[noreturn]] void Crash()
{
    volatile int* volatile nowhere = nullptr;
    *nowhere = 1;
    abort();
}

}  // namespace

Player::Player(const RunnerOptions& options, const TestMode& test, const ToolLog& log)
    : m_options(options),
      m_test(test),
      m_log(log),
      m_owner(reinterpret_cast<HWND>(static_cast<uintptr_t>(options.ownerWindow))),
      m_videoSpeed(VideoChainSpeed(options.videoFilters)),
      m_audioSpeed(AudioChainSpeed(options.audioFilters)),
      m_clock(test.speed),
      m_output(m_clock, AudioDeviceUsable(test)),
      m_pictures(kQueuedPictures),
      m_subtitles(kQueuedSubtitles),
      m_window(*this, m_subtitlePainter),
      m_link(options.ownerWindow, options.callbackContext, *this, log),
      m_waveform(options.waveform),
      m_volume(options.volume),
      m_mute(options.mute)
{
}

// The window goes first: its last messages still reach this object whole.
Player::~Player()
{
    m_window.Destroy();
    StopPipelines();
}

int Player::FramesDropped() const
{
    return m_droppedOnScreen + (m_video ? m_video->Dropped() : 0);
}

int Player::Run()
{
    if (!OpenMedia())
        return 1;
    m_startUs = ClampedUs(m_options.startUs);
    if (!CreateVideoWindow()) {
        Complain(m_log, L"ClipRunner: cannot create the window, error " + std::to_wstring(GetLastError()));
        return 1;
    }
    Report(PLAYER_EVENT_STARTED);
    if (m_test.mode == ToolMode::Crash)
        Crash();
    Report(PLAYER_EVENT_MEDIA_OPENED, 1);
    StartPipelines();
    m_running = true;
    while (m_running) {
        WaitForWork();
        PumpMessages();
        if (m_running)
            Step();
    }
    return 0;
}

bool Player::OpenMedia()
{
    std::string error;
    if (m_test.mode == ToolMode::Fail) {
        error = "test mode: the media cannot be opened";
    } else if (m_options.input.empty()) {
        error = "no media given";
    } else if (m_source.Open(m_options, m_owner, error)) {
        OpenDecoders();
        if (m_video || m_audio)
            return true;
        error = "no stream of the media can be decoded";
    }
    Complain(m_log, L"ClipRunner: " + FromUtf8(error));
    return false;
}

void Player::OpenDecoders()
{
    std::string error;
    if (m_source.VideoStream()) {
        VideoSettings settings{Utf8(m_options.videoFilters), m_videoSpeed, m_options.frameDrop};
        m_video = std::make_unique<VideoDecoder>(m_source.VideoStream(), m_source.StartTimeUs(),
                                                 m_source.VideoPackets(), m_pictures, m_clock, settings);
        if (m_video->Open(m_options.threads, error)) {
            m_video->PrepareDisplaySize();
        } else {
            Complain(m_log, L"ClipRunner: video left out: " + FromUtf8(error));
            m_video.reset();
            m_source.DropVideo();
        }
    }
    if (m_source.AudioStream()) {
        AudioSettings settings{Utf8(m_options.audioFilters), m_audioSpeed};
        m_audio = std::make_unique<AudioDecoder>(m_source.AudioStream(), m_source.StartTimeUs(),
                                                 m_source.AudioPackets(), m_output, settings);
        if (m_audio->Open(m_options.threads, error)) {
            m_audio->SetLevel(m_volume, m_mute);
        } else {
            Complain(m_log, L"ClipRunner: audio left out: " + FromUtf8(error));
            m_audio.reset();
            m_source.DropAudio();
        }
    }
    if (m_source.SubtitleStream())
        OpenSubtitleDecoder();
}

// Subtitles keep time with the picture, and their bitmaps lie on the picture's frame unless
// the stream gives one of its own.
void Player::OpenSubtitleDecoder()
{
    SubtitleSettings settings;
    settings.speed = m_video ? m_videoSpeed : m_audioSpeed;
    if (m_video) {
        settings.canvasWidth = m_source.VideoStream()->codecpar->width;
        settings.canvasHeight = m_source.VideoStream()->codecpar->height;
    }
    m_subtitle = std::make_unique<SubtitleDecoder>(m_source.SubtitleStream(), m_source.StartTimeUs(),
                                                   m_source.SubtitlePackets(), m_subtitles, settings);
    std::string error;
    if (!m_subtitle->Open(m_options.threads, error)) {
        Complain(m_log, L"ClipRunner: subtitles left out: " + FromUtf8(error));
        m_subtitle.reset();
        m_source.DropSubtitles();
    }
}

bool Player::CreateVideoWindow()
{
    int width = kDefaultWidth, height = kDefaultHeight;
    if (m_video)
        m_video->DisplaySize(width, height);
    return m_window.Create(m_owner, width, height);
}

void Player::StartPipelines()
{
    m_pictures.Retarget(m_serial);
    m_subtitles.Retarget(m_serial);
    m_output.Retarget(m_serial);
    m_fillStart = GetTickCount();
    if (m_video)
        m_video->Start();
    if (m_audio)
        m_audio->Start();
    if (m_subtitle)
        m_subtitle->Start();
    m_source.Start(m_startUs, m_options.seekToAny);
}

// Every thread may be blocked in a queue or in the output: all are aborted before any is
// waited for.
void Player::StopPipelines()
{
    m_source.Stop();
    m_pictures.Abort();
    m_subtitles.Abort();
    m_output.Abort();
    if (m_video)
        m_video->Join();
    if (m_audio)
        m_audio->Join();
    if (m_subtitle)
        m_subtitle->Join();
}

void Player::WaitForWork()
{
    DWORD timeout = 10;
    if (m_phase == Phase::Playing && !m_paused) {
        Picture* next = m_pictures.Front();
        if (next)
            timeout = static_cast<DWORD>(std::clamp((next->due - m_clock.Now()) * 1000.0, 1.0, 10.0));
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeout, QS_ALLINPUT);
}

void Player::PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Player::Step()
{
    // Nobody is left to tell: the tool just ends.
    if (m_windowGone || m_link.OwnerGone()) {
        m_log.Line(L"the window has gone");
        StopPipelines();
        m_running = false;
        return;
    }
    ApplyRequests();
    if (m_stopRequested) {
        Finish(true);
        return;
    }
    if (m_phase == Phase::Filling) {
        CheckFilled();
    } else if (m_phase == Phase::Playing) {
        FollowAudio();
        if (m_video)
            PresentVideo();
        else
            PresentWaveform();
        // A paused player stays where it is, also at the end (after a seek there).
        if (!m_paused && ReachedEnd())
            EnterEnd();
    } else if (EndWaitOver()) {
        Finish(false);
        return;
    }
    PresentSubtitles();
    if (GetTickCount() - m_lastReport >= kProgressMs)
        Report(PLAYER_EVENT_PROGRESS);
}

void Player::ApplyRequests()
{
    for (; m_pauseToggles > 0; --m_pauseToggles)
        TogglePause();
    if (m_seekPending) {
        m_seekPending = false;
        SeekTo(m_seekTargetUs);
    }
}

void Player::TogglePause()
{
    if (m_phase == Phase::Ended)
        return;
    m_paused = !m_paused;
    UpdateRunning();
    Report(PLAYER_EVENT_PAUSE_CHANGED, m_paused ? 1 : 0);
}

void Player::UpdateRunning()
{
    bool running = m_phase == Phase::Playing && !m_paused;
    m_clock.SetRunning(running);
    m_output.SetHeld(!running);
}

void Player::SeekTo(int64_t targetUs)
{
    ++m_serial;
    m_startUs = targetUs;
    m_phase = Phase::Filling;
    m_fillStart = GetTickCount();
    m_pictureEnd = 0;
    UpdateRunning();
    m_clock.Set(0);
    m_output.Retarget(m_serial);
    m_pictures.Retarget(m_serial);
    m_subtitles.Retarget(m_serial);
    m_source.Seek(m_serial, targetUs);
}

void Player::CheckFilled()
{
    bool videoReady = !m_video || m_pictures.Front() || m_pictures.Ended();
    bool audioReady = !m_audio || m_output.Ready(m_serial, kFillSeconds);
    if ((videoReady && audioReady) || GetTickCount() - m_fillStart > kFillTimeoutMs)
        StartPlaying();
}

// The first picture shows at once, also while paused, so that a seek shows where it went.
void Player::StartPlaying()
{
    m_phase = Phase::Playing;
    m_clock.Set(0);
    if (m_video && m_pictures.Front())
        ShowNextPicture();
    UpdateRunning();
    if (!m_reportedPlaying) {
        m_reportedPlaying = true;
        Report(PLAYER_EVENT_PLAYING);
    }
}

// With a sound device the clock follows the sound actually played, unless -sync asks
// otherwise; without one the sound follows the clock.
void Player::FollowAudio()
{
    bool followSound = m_options.sync.empty() || m_options.sync == L"audio";
    if (!m_audio || !m_output.UsesDevice() || !followSound || m_paused || m_output.Drained(m_serial) ||
        !m_output.Ready(m_serial, 0))
        return;
    double played = m_output.PlayedSeconds();
    if (played > 0 && std::fabs(played - m_clock.Now()) > kMostDrift)
        m_clock.Set(played);
}

void Player::PresentVideo()
{
    double now = m_clock.Now();
    for (;;) {
        Picture* front = m_pictures.Front();
        if (!front || front->due > now)
            return;
        Picture* next = m_pictures.Second();
        if (m_options.frameDrop && next && next->due <= now) {
            m_pictures.Pop();
            ++m_droppedOnScreen;
            continue;
        }
        ShowNextPicture();
        return;
    }
}

void Player::ShowNextPicture()
{
    m_picture = m_pictures.Pop();
    m_pictureEnd = m_picture->due + m_picture->duration;
    m_window.Show(m_picture.get());
    ++m_shown;
}

void Player::PresentWaveform()
{
    if (GetTickCount() - m_lastWaveform < kWaveformMs || m_windowWidth <= 0 || m_windowHeight <= 0)
        return;
    m_lastWaveform = GetTickCount();
    std::vector<float> peaks(m_waveform.BarCount(m_windowWidth));
    // The bars span the last tenth of a second played.
    m_audio->Peaks(m_output.PlayedFrames(), std::max(m_output.Rate() / 10, 1), peaks);
    if (!m_picture)
        m_picture = std::make_unique<Picture>();
    m_waveform.Paint(peaks, m_windowWidth, m_windowHeight, *m_picture);
    m_window.Show(m_picture.get());
}

// The window is drawn again when the subtitles on screen change, also between pictures and
// while paused. The test mode's picture of the change waits for the first picture; it is named
// by the media time the change was due at, which a late step does not move.
void Player::PresentSubtitles()
{
    if (!m_subtitle)
        return;
    SubtitlesOnScreen screen = m_subtitles.OnScreen(m_clock.Now());
    if (m_subtitlePainter.Set(screen.shown)) {
        m_window.Show(m_picture.get());
        if (!m_test.framesFolder.empty())
            m_frameDueUs = MediaUs(screen.since);
    }
    if (m_frameDueUs >= 0 &&
        m_window.SaveFrame(m_test.framesFolder + L"\\" + std::to_wstring(m_frameDueUs / 1000) + L".bmp"))
        m_frameDueUs = -1;
}

bool Player::ReachedEnd()
{
    if (m_options.lengthUs > 0 && PositionUs() >= m_options.startUs + m_options.lengthUs)
        return true;
    bool videoDone = !m_video || (m_pictures.Ended() && m_clock.Now() >= m_pictureEnd);
    bool audioDone = !m_audio || m_output.Drained(m_serial);
    return videoDone && audioDone;
}

void Player::EnterEnd()
{
    m_endPositionUs = PositionUs();
    m_phase = Phase::Ended;
    m_endTick = GetTickCount();
    UpdateRunning();
    Report(PLAYER_EVENT_END_OF_MEDIA);
}

bool Player::EndWaitOver() const
{
    if (m_test.mode == ToolMode::Hang)
        return false;
    if (m_options.exitDelayMs > 0)
        return GetTickCount() - m_endTick >= static_cast<DWORD>(m_options.exitDelayMs);
    return m_options.autoExit;
}

void Player::Finish(bool stopped)
{
    if (stopped)
        Report(PLAYER_EVENT_STOPPING);
    StopPipelines();
    Report(PLAYER_EVENT_FINISHED);
    m_window.Destroy();
    m_running = false;
}

int64_t Player::ClampedUs(int64_t us) const
{
    int64_t duration = m_source.DurationUs();
    return std::max<int64_t>(0, duration > 0 ? std::min(us, duration) : us);
}

int64_t Player::PositionUs() const
{
    if (m_phase == Phase::Ended)
        return m_endPositionUs;
    if (m_phase == Phase::Filling)
        return m_startUs;
    return MediaUs(m_clock.Now());
}

int64_t Player::MediaUs(double clockSeconds) const
{
    double speed = m_audio ? m_audioSpeed : m_videoSpeed;
    return ClampedUs(m_startUs + std::llround(clockSeconds * speed * 1e6));
}

PlaybackState Player::State() const
{
    PlaybackState state;
    state.Window = m_window.Handle();
    state.DurationUs = m_source.DurationUs();
    state.PositionUs = PositionUs();
    if (m_video) {
        state.VideoIndex = m_source.VideoIndex();
        state.VideoWidth = m_source.VideoStream()->codecpar->width;
        state.VideoHeight = m_source.VideoStream()->codecpar->height;
        m_video->DisplaySize(state.DisplayWidth, state.DisplayHeight);
    }
    state.AudioIndex = m_audio ? m_source.AudioIndex() : -1;
    state.SubtitleIndex = m_source.SubtitleIndex();
    state.Volume = m_volume;
    state.Mute = m_mute;
    state.Paused = m_paused;
    state.AudioDevice = m_output.UsesDevice();
    state.FramesShown = m_shown;
    state.FramesDropped = FramesDropped();
    return state;
}

void Player::Report(int32_t event, int32_t flag)
{
    m_lastReport = GetTickCount();
    m_link.Report(event, flag);
}

void Player::OnSized(int width, int height)
{
    m_windowWidth = width;
    m_windowHeight = height;
    if (m_video)
        m_video->SetWindowSize(width, height);
}

// A tool in the hang test mode never stops by itself.
void Player::RequestStop()
{
    if (m_test.mode != ToolMode::Hang)
        m_stopRequested = true;
}

void Player::RequestSeek(int64_t offsetUs, bool relative)
{
    int64_t base = !relative ? 0 : m_seekPending ? m_seekTargetUs : PositionUs();
    m_seekTargetUs = ClampedUs(base + offsetUs);
    m_seekPending = true;
}

void Player::SetMute(bool mute)
{
    m_mute = mute;
    if (m_audio)
        m_audio->SetLevel(m_volume, m_mute);
}

void Player::SetVolume(int volume)
{
    m_volume = volume;
    if (m_audio)
        m_audio->SetLevel(m_volume, m_mute);
}
