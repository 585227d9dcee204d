#include "conversion/engine/catalogue/CVC_dvvideo.h"
#include "mediatools/CEncoderOptions.h"

// The pixel format goes into the run's own options: the codec object is shared by every task
// that converts to DV at the same time.
int CVC_dvvideo::AdjustOutputSize(CEncoderOptions& options, const CMediaStreamInfo* pSourceStream)
{
    if (options.Width == 720 && options.Height == 480)
        options.PixelFormat = L"yuv411p";
    return CVideoCodec::AdjustOutputSize(options, pSourceStream);
}
