// The audio thread: decodes, runs the audio filter chain (ending in 16-bit stereo), applies the
// volume and mute, and writes the sound to the output. After a start or seek it first writes
// silence up to the media time of its first sound, so that the output stays on the clock. It
// keeps the last moments of sound for the waveform drawing.
#pragma once

#include "tools/ClipRunner/AudioOutput.h"
#include "tools/ClipRunner/FrameDecoder.h"
#include "tools/ClipRunner/FilterGraph.h"

#include <atomic>
#include <mutex>

struct AudioSettings {
    std::string chain;  // -af, UTF-8
    double speed = 1;   // how fast the chain plays the media
};

class AudioDecoder : public FrameDecoder {
public:
    AudioDecoder(AVStream* stream, int64_t startTimeUs, PacketQueue& packets, AudioOutput& output,
                 const AudioSettings& settings);
    ~AudioDecoder() override;

    // Volume 0 to 100 and mute, from the window thread; they apply to what is written next.
    void SetLevel(int volume, bool mute);
    // Peak levels (0 to 1) of count equal slices of the sound that ends at output frame `end`.
    void Peaks(int64_t end, int frames, std::vector<float>& peaks) const;

protected:
    void Restart(int serial, int64_t startUs) override;
    void Take(AVFrame* frame) override;
    void Finish() override;

private:
    bool BuildGraph(const AVFrame* frame);
    void EmitFiltered();
    void Emit(const AVFrame* filtered);
    bool WriteSilence(double seconds, int rate);
    void Keep(const int16_t* samples, int frames);

    AudioOutput& m_output;
    AudioSettings m_settings;
    FilterGraph m_graph;
    int m_serial = 0;
    int64_t m_startUs = 0;
    bool m_first = true;
    int64_t m_firstSourceUs = 0;
    std::atomic<int> m_gain{65536};  // 16.16 fixed point
    std::vector<int16_t> m_scaled;

    mutable std::mutex m_recentLock;
    std::vector<int16_t> m_recent;   // mono, a ring indexed by output frame
};
