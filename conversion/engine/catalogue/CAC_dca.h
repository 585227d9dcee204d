// DCA audio: the encoder is experimental, so the tool is run with "-strict" "-2".
#pragma once
#include "conversion/engine/CAudioCodec.h"

class CAC_dca : public CAudioCodec {
public:
    int AdjustOutputSize(CEncoderOptions& options, const CMediaStreamInfo* pSourceStream) override;
};
