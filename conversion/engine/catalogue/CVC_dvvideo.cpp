#include "conversion/engine/catalogue/CVC_dvvideo.h"
#include "mediatools/CEncoderOptions.h"

int CVC_dvvideo::AdjustOutputSize(CEncoderOptions& options, const CMediaStreamInfo* pSourceStream)
{
    m_pixelFormat = (options.Width == 720 && options.Height == 480) ? L"yuv411p" : L"";
    return CVideoCodec::AdjustOutputSize(options, pSourceStream);
}
