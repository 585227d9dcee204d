#include "tools/ClipRunner/WaveformPainter.h"

#include <algorithm>
#include <cmath>

namespace {

const int kDefaultBarWidth = 6;
const int kDefaultGap = 2;
const int kDefaultBar = 0x78C840;  // COLORREF values, red in the low byte
const int kDefaultTip = 0x5AE6E6;
const int kDefaultBackground = 0x000000;

uint32_t Pixel(int colour)
{
    uint32_t red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

uint32_t Mix(uint32_t from, uint32_t to, int step, int steps)
{
    uint32_t mixed = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        int a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
        mixed |= static_cast<uint32_t>(a + (b - a) * step / std::max(steps, 1)) << shift;
    }
    return mixed;
}

// Loudness from a peak: 0 at -60 dB and below, 1 at full scale.
float Level(float peak)
{
    if (peak <= 0.001f)
        return 0;
    return std::clamp(1.0f + 20.0f * std::log10(peak) / 60.0f, 0.0f, 1.0f);
}

}  // namespace

WaveformPainter::WaveformPainter(const WaveformStyle& style)
    : m_style(style),
      m_barWidth(style.blockSize > 0 ? style.blockSize : kDefaultBarWidth),
      m_gap(style.blockSpace >= 0 ? style.blockSpace : kDefaultGap),
      m_bar(Pixel(style.color1 ? style.color1 : kDefaultBar)),
      m_tip(Pixel(style.color2 ? style.color2 : kDefaultTip)),
      m_background(Pixel(style.color3 ? style.color3 : kDefaultBackground))
{
}

int WaveformPainter::BarCount(int width) const
{
    return std::max(1, (width + m_gap) / (m_barWidth + m_gap));
}

uint32_t WaveformPainter::Colour(int step, int steps) const
{
    return m_style.gradient > 0 ? Mix(m_bar, m_tip, step, steps) : m_bar;
}

// One bar: from the middle line both ways (effect 0) or up from the bottom (effect 1).
void WaveformPainter::Bar(Picture& picture, int left, float level) const
{
    auto* pixels = reinterpret_cast<uint32_t*>(picture.bits.data());
    int right = std::min(left + m_barWidth, picture.width);
    bool mirrored = m_style.effect != 1;
    int reach = mirrored ? picture.height / 2 : picture.height;
    int base = mirrored ? picture.height / 2 : picture.height - 1;
    int extent = static_cast<int>(level * reach);
    for (int step = 0; step < extent; ++step) {
        uint32_t colour = Colour(step, reach);
        int rows[2] = {base - step, mirrored ? base + step : -1};
        for (int row : rows) {
            if (row < 0 || row >= picture.height)
                continue;
            std::fill(pixels + row * picture.width + left, pixels + row * picture.width + right, colour);
        }
    }
}

void WaveformPainter::Paint(const std::vector<float>& peaks, int width, int height, Picture& picture) const
{
    picture.width = width;
    picture.height = height;
    picture.bits.resize(static_cast<size_t>(width) * height * 4);
    auto* pixels = reinterpret_cast<uint32_t*>(picture.bits.data());
    std::fill(pixels, pixels + static_cast<size_t>(width) * height, m_background);
    for (size_t i = 0; i < peaks.size(); ++i) {
        int left = static_cast<int>(i) * (m_barWidth + m_gap);
        if (left >= width)
            break;
        Bar(picture, left, Level(peaks[i]));
    }
}
