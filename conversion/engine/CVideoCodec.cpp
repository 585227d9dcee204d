#include "conversion/engine/CVideoCodec.h"
#include <algorithm>

namespace {

bool IsSet(const MediaSize& size) { return size.width > 0 && size.height > 0; }
bool IsSet(const MediaRate& rate) { return rate.num > 0 && rate.den > 0; }
double ToDouble(const MediaRate& rate) { return static_cast<double>(rate.num) / rate.den; }

}  // namespace

int CVideoCodec::PickBitRate(int requested, int source) const
{
    return PickScalar(m_bitRates, (m_flags & CODEC_ANY_BIT_RATE) != 0, m_minBitRate, m_maxBitRate,
        m_defaultBitRate, requested, source);
}

namespace {

int AlignUp(int value, int alignment)
{
    return value % alignment == 0 ? value : value + alignment - value % alignment;
}

}  // namespace

int CVideoCodec::AdjustOutputSize(CEncoderOptions& options, const CMediaStreamInfo* pSourceStream)
{
    const int sourceWidth = pSourceStream ? pSourceStream->DisplayWidth : 0;
    const int sourceHeight = pSourceStream ? pSourceStream->DisplayHeight : 0;
    if (m_alignment > 1) {
        int width = options.Width > 0 ? options.Width : sourceWidth;
        int height = options.Height > 0 ? options.Height : sourceHeight;
        if (AlignUp(width, m_alignment) != width)
            options.Width = AlignUp(width, m_alignment);
        if (AlignUp(height, m_alignment) != height)
            options.Height = AlignUp(height, m_alignment);
    }
    if (options.Width > 0 && options.Height <= 0)
        options.Height = sourceHeight;
    else if (options.Height > 0 && options.Width <= 0)
        options.Width = sourceWidth;
    return 0;
}

// The steps run in sequence, each on the size the previous one left, so an Auto size that
// meets a bound in one dimension is completed to that bound in the other.
MediaSize CVideoCodec::PickResolution(MediaSize requested, MediaSize source) const
{
    MediaSize size = requested;
    if (!(m_flags & CODEC_ANY_SIZE) && (m_resolutions.GetSize() == 0 || !m_resolutions.Contains(size)))
        size = m_defaultSize;
    const bool hasMin = IsSet(m_minSize);
    const bool hasMax = IsSet(m_maxSize);
    if (size.width == 0 || size.height == 0) {
        if (hasMin && source.width < m_minSize.width)
            size.width = m_minSize.width;
        if (hasMin && source.height < m_minSize.height)
            size.height = m_minSize.height;
        if (hasMax && source.width > m_maxSize.width)
            size.width = m_maxSize.width;
        if (hasMax && source.height > m_maxSize.height)
            size.height = m_maxSize.height;
    }
    if (size.width > 0 || size.height > 0) {
        if (hasMin) {
            size.width = std::max(size.width, m_minSize.width);
            size.height = std::max(size.height, m_minSize.height);
        }
        if (hasMax) {
            size.width = std::min(size.width, m_maxSize.width);
            size.height = std::min(size.height, m_maxSize.height);
        }
    }
    return size;
}

MediaRate CVideoCodec::PickFrameRate(MediaRate requested, MediaRate source) const
{
    MediaRate rate = requested;
    if (!(m_flags & CODEC_ANY_RATE) && (m_frameRates.GetSize() == 0 || !m_frameRates.Contains(rate)))
        rate = m_defaultFrameRate;
    if (rate.den == 0 && rate.num != 0)
        return rate;
    const bool hasMin = IsSet(m_minFrameRate);
    const bool hasMax = IsSet(m_maxFrameRate);
    // Auto follows the source within the bounds; a source of unknown rate (denominator 0)
    // has nothing to compare.
    if (rate.den == 0 && rate.num == 0 && source.den != 0) {
        double sourceRate = static_cast<double>(source.num) / source.den;
        if (hasMin && sourceRate < ToDouble(m_minFrameRate))
            rate = m_minFrameRate;
        if (hasMax && sourceRate > ToDouble(m_maxFrameRate))
            rate = m_maxFrameRate;
    }
    if (IsSet(rate)) {
        if (hasMin && ToDouble(rate) < ToDouble(m_minFrameRate))
            rate = m_minFrameRate;
        if (hasMax && ToDouble(rate) > ToDouble(m_maxFrameRate))
            rate = m_maxFrameRate;
    }
    return rate;
}
