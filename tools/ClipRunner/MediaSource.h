// The opened media and the reading thread that fills one packet queue per played stream. Media
// time 0 is the container's start time. The reading thread stays after the end of the input,
// waiting for a seek, until Stop. After a seek in a local file the subtitles that began before
// the target and may still show there come first (SubtitleLookBack).
#pragma once

#include "tools/ClipRunner/Ffmpeg.h"
#include "tools/ClipRunner/PacketQueue.h"
#include "tools/ClipRunner/RunnerOptions.h"
#include "tools/ClipRunner/SubtitleLookBack.h"

#include <windows.h>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>

class MediaSource {
public:
    MediaSource() = default;
    MediaSource(const MediaSource&) = delete;
    MediaSource& operator=(const MediaSource&) = delete;
    ~MediaSource();

    // Opens the file or URL and picks the streams the options ask for. Opening gives up when
    // the owner window (if any) goes away meanwhile.
    bool Open(const RunnerOptions& options, HWND owner, std::string& error);
    AVStream* VideoStream() const { return Stream(m_video); }
    AVStream* AudioStream() const { return Stream(m_audio); }
    AVStream* SubtitleStream() const { return Stream(m_subtitle); }
    int VideoIndex() const { return m_video; }
    int AudioIndex() const { return m_audio; }
    int SubtitleIndex() const { return m_subtitle; }
    void DropVideo();  // its decoder could not be opened
    void DropAudio();
    void DropSubtitles();
    int64_t DurationUs() const;   // 0 when unknown
    int64_t StartTimeUs() const;  // stream time of media time 0

    PacketQueue& VideoPackets() { return m_videoPackets; }
    PacketQueue& AudioPackets() { return m_audioPackets; }
    PacketQueue& SubtitlePackets() { return m_subtitlePackets; }

    // Starts reading at media time startUs as serial 1.
    void Start(int64_t startUs, bool seekToAny);
    // Moves the reading to targetUs; the packets after it carry the serial.
    void Seek(int serial, int64_t targetUs);
    void Stop();

private:
    AVStream* Stream(int index) const { return index >= 0 ? m_format->streams[index] : nullptr; }
    static int Interrupted(void* self);
    void PickStreams(const RunnerOptions& options);
    void Read();
    bool TakeSeek(int& serial, int64_t& targetUs);
    void MoveTo(int serial, int64_t targetUs);
    void RecallSubtitles(int64_t targetUs);
    bool SeekWaiting();
    bool Recalled(const AVPacket& packet);
    bool QueuesFull() const;
    void Route(AVPacket* packet);
    void EndStreams();

    AVFormatContext* m_format = nullptr;
    std::string m_url;
    HWND m_owner = nullptr;
    int m_video = -1, m_audio = -1, m_subtitle = -1;
    bool m_seekToAny = false;
    PacketQueue m_videoPackets;
    PacketQueue m_audioPackets;
    PacketQueue m_subtitlePackets;  // sparse: it never holds the reading back

    std::thread m_thread;
    std::atomic<bool> m_stopping{false};
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_seekPending = false;
    int m_seekSerial = 0;
    int64_t m_seekTargetUs = 0;

    // Reading thread: the subtitle packets from before the target that the look back gave,
    // by time, which the main reading then passes over.
    std::unique_ptr<SubtitleLookBack> m_lookBack;
    std::set<int64_t> m_recalled;
    bool m_skippingRecalled = false;
};
