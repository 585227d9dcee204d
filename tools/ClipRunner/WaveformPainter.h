// Draws the bars that stand for an audio-only file: one bar per slice of the sound just played,
// as high as the slice is loud (on a 60 dB scale), in the style the command line gives.
#pragma once

#include "tools/ClipRunner/FrameQueue.h"
#include "tools/ClipRunner/RunnerOptions.h"

#include <vector>

class WaveformPainter {
public:
    explicit WaveformPainter(const WaveformStyle& style);

    int BarCount(int width) const;
    // Fills the picture, width x height, with the background and one bar per peak (0 to 1).
    void Paint(const std::vector<float>& peaks, int width, int height, Picture& picture) const;

private:
    void Bar(Picture& picture, int left, float level) const;
    uint32_t Colour(int step, int steps) const;

    WaveformStyle m_style;
    int m_barWidth;
    int m_gap;
    uint32_t m_bar, m_tip, m_background;  // BGRA pixels
};
