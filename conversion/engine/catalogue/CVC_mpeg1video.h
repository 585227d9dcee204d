// MPEG-1 video: a source slower than 20 frames per second is encoded at 20, the codec's
// lowest rate.
#pragma once
#include "conversion/engine/CVideoCodec.h"

class CVC_mpeg1video : public CVideoCodec {
public:
    int AdjustOutputSize(CEncoderOptions& options, const CMediaStreamInfo* pSourceStream) override;
};
