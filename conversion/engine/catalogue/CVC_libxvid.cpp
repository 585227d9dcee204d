#include "conversion/engine/catalogue/CVC_libxvid.h"
#include "mediatools/CEncoderOptions.h"

int CVC_libxvid::AdjustOutputSize(CEncoderOptions& options, const CMediaStreamInfo* pSourceStream)
{
    if (CVideoCodec::AdjustOutputSize(options, pSourceStream) != 0)
        return -1;
    if ((options.AspectNum == 0 || options.AspectDen == 0) && options.Width > 0 && options.Height > 0) {
        options.AspectNum = options.Width;
        options.AspectDen = options.Height;
    }
    return 0;
}
