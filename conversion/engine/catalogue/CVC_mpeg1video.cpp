#include "conversion/engine/catalogue/CVC_mpeg1video.h"
#include "mediatools/CEncoderOptions.h"
#include "mediatools/CMediaInfo.h"

int CVC_mpeg1video::AdjustOutputSize(CEncoderOptions& options, const CMediaStreamInfo* pSourceStream)
{
    if (CVideoCodec::AdjustOutputSize(options, pSourceStream) != 0)
        return -1;
    if ((options.FrameRateNum == 0 || options.FrameRateDen == 0) && pSourceStream
        && pSourceStream->FrameRateDen > 0 && pSourceStream->FrameRateNum > 0
        && static_cast<double>(pSourceStream->FrameRateNum) / pSourceStream->FrameRateDen < 20.0) {
        options.FrameRateNum = 20;
        options.FrameRateDen = 1;
    }
    return 0;
}
