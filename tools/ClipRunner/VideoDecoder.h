// The video thread: decodes, runs the video filter chain, gives every picture its due time on
// the clock and scales it for the window into the picture queue. With frame dropping, a
// picture that is already late is not scaled at all.
#pragma once

#include "tools/ClipRunner/FrameDecoder.h"
#include "tools/ClipRunner/FilterGraph.h"
#include "tools/ClipRunner/FrameQueue.h"
#include "tools/ClipRunner/MediaClock.h"

#include <atomic>

struct VideoSettings {
    std::string chain;   // -vf, UTF-8
    double speed = 1;    // how fast the chain plays the media
    bool frameDrop = false;
};

class VideoDecoder : public FrameDecoder {
public:
    VideoDecoder(AVStream* stream, int64_t startTimeUs, PacketQueue& packets, FrameQueue& pictures,
                 const MediaClock& clock, const VideoSettings& settings);
    ~VideoDecoder() override;

    // The size the picture is shown at, after the chain and the pixel aspect; worked out from
    // the stream before the first frame. Any thread.
    void DisplaySize(int& width, int& height) const;
    // The window's client size; pictures are scaled to fit it. Window thread.
    void SetWindowSize(int width, int height);
    int Dropped() const { return m_dropped; }

    // Builds the chain for the stream's own format, so that the display size is known at once.
    void PrepareDisplaySize();

protected:
    void Restart(int serial, int64_t startUs) override;
    void Take(AVFrame* frame) override;
    void Finish() override;

private:
    void Filter(AVFrame* frame);
    void EmitFiltered();
    void Emit(AVFrame* filtered);
    bool Late(double due, double duration);
    std::string SourceArgs(int width, int height, int format, AVRational aspect) const;
    bool BuildGraph(const std::string& args);
    std::unique_ptr<Picture> Scale(const AVFrame* frame, double due, double duration);
    void TargetSize(int& width, int& height) const;

    FrameQueue& m_pictures;
    const MediaClock& m_clock;
    VideoSettings m_settings;
    FilterGraph m_graph;
    SwsContext* m_scaler = nullptr;

    int m_serial = 0;
    int64_t m_startUs = 0;
    bool m_first = true;        // no picture of this serial has left the chain yet
    int64_t m_firstSourceUs = 0;
    double m_anchorDue = 0, m_anchorPts = 0, m_lastPts = 0;
    int m_lateInRow = 0;

    std::atomic<int> m_displayWidth{0}, m_displayHeight{0};
    std::atomic<int> m_windowWidth{0}, m_windowHeight{0};
    std::atomic<int> m_dropped{0};
};
