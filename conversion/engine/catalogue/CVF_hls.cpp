#include "conversion/engine/catalogue/CVF_hls.h"

int CVF_hls::BuildEncoderOptions(CEncoderOptions& options, const CMediaPreset& preset,
    const CMediaStreamInfo* pVideoStream, const CMediaStreamInfo* pAudioStream)
{
    if (CBuiltInFormat::BuildEncoderOptions(options, preset, pVideoStream, pAudioStream) != 0)
        return -1;
    options.HlsListSize = 0;
    return 0;
}
