#include "conversion/engine/catalogue/CAC_dca.h"
#include "mediatools/CEncoderOptions.h"

int CAC_dca::AdjustOutputSize(CEncoderOptions& options, const CMediaStreamInfo* pSourceStream)
{
    CAudioCodec::AdjustOutputSize(options, pSourceStream);
    options.StrictLevel = -2;
    return 0;
}
