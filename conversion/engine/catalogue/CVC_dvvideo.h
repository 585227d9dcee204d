// DV video: an NTSC frame (720 x 480) is encoded as 4:1:1.
#pragma once
#include "conversion/engine/CVideoCodec.h"

class CVC_dvvideo : public CVideoCodec {
public:
    int AdjustOutputSize(CEncoderOptions& options, const CMediaStreamInfo* pSourceStream) override;
};
