// HLS: the playlist keeps every segment.
#pragma once
#include "conversion/engine/catalogue/CBuiltInFormat.h"

class CVF_hls : public CBuiltInFormat {
public:
    using CBuiltInFormat::CBuiltInFormat;

    int BuildEncoderOptions(CEncoderOptions& options, const CMediaPreset& preset,
        const CMediaStreamInfo* pVideoStream, const CMediaStreamInfo* pAudioStream) override;
};
