#include "conversion/engine/CAudioCodec.h"

int CAudioCodec::PickBitRate(int requested, int source) const
{
    return PickScalar(m_bitRates, (m_flags & CODEC_ANY_BIT_RATE) != 0, m_minBitRate, m_maxBitRate,
        m_defaultBitRate, requested, source);
}

int CAudioCodec::PickChannels(int requested, int source) const
{
    return PickScalar(m_channelCounts, (m_flags & CODEC_ANY_SIZE) != 0, m_minChannels, m_maxChannels,
        m_defaultChannels, requested, source);
}

int CAudioCodec::PickSampleRate(int requested, int source) const
{
    return PickScalar(m_sampleRates, (m_flags & CODEC_ANY_RATE) != 0, m_minSampleRate, m_maxSampleRate,
        m_defaultSampleRate, requested, source);
}

int CAudioCodec::AdjustOutputSize(CEncoderOptions& options, const CMediaStreamInfo* pSourceStream)
{
    return 0;
}
