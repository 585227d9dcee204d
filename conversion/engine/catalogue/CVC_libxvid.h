// Xvid: an output size without a display aspect gets the size's own aspect.
#pragma once
#include "conversion/engine/CVideoCodec.h"

class CVC_libxvid : public CVideoCodec {
public:
    int AdjustOutputSize(CEncoderOptions& options, const CMediaStreamInfo* pSourceStream) override;
};
