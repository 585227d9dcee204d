// An audio codec: bit rates, channel counts and sample rates with their pick rules.
#pragma once
#include "conversion/engine/CMediaCodec.h"
#include "mediatools/CEncoderOptions.h"
#include "mediatools/CMediaInfo.h"

class CAudioCodec : public CMediaCodec {
public:
    CAudioCodec() { m_mediaKind = MEDIA_KIND_AUDIO; }

    CValueList<int> m_channelCounts;  // 0 is Auto
    int m_minChannels = 0;
    int m_maxChannels = 0;
    int m_defaultChannels = 0;
    CValueList<int> m_sampleRates;  // Hz, 0 is Auto
    int m_minSampleRate = 0;
    int m_maxSampleRate = 0;
    int m_defaultSampleRate = 0;

    int PickBitRate(int requested, int source) const override;
    // Fixes the encoder options for this codec; 0, or -1 when the output can't be made.
    // Changes nothing here.
    virtual int AdjustOutputSize(CEncoderOptions& options, const CMediaStreamInfo* pSourceStream);
    virtual int PickChannels(int requested, int source) const;
    virtual int PickSampleRate(int requested, int source) const;
};
