#include "conversion/engine/catalogue/CVF_flm.h"

CVF_flm::CVF_flm(const BuiltInFormatSpec& spec) : CBuiltInFormat(spec)
{
    if (CVideoCodec* pRawVideo = FindVideoCodec(L"VC_rawvideo"))
        pRawVideo->m_pixelFormat = L"rgba";
}
