// CRasterImageJPG: baseline and progressive JPEG through libjpeg. Its source does not include
// windows.h: jpeglib.h and windows.h disagree over boolean and INT32.
#pragma once
#include "image/RasterImage.h"

struct jpeg_compress_struct;
struct jpeg_decompress_struct;

class CRasterImageJPG : public CRasterImage {
public:
    CRasterImageJPG() : CRasterImage(RASTER_FORMAT_JPG) {}
    bool Decode(CImageStream* stream);
    bool Encode(CImageStream* stream);

    int32_t m_smoothing = 0;    // input smoothing, used with codec option 0x40
    int32_t m_dither = 0;       // libjpeg dither mode, used with codec option 0x200

private:
    bool DecodeImage(jpeg_decompress_struct* cinfo);
    void EncodeImage(jpeg_compress_struct* cinfo, bool gray);
    void ApplyDecodeOptions(jpeg_decompress_struct* cinfo);
    void ApplyDensity(const jpeg_decompress_struct* cinfo);
    void ApplyOutputPalette(const jpeg_decompress_struct* cinfo);
    bool ReadRows(jpeg_decompress_struct* cinfo);
    void ApplyEncodeOptions(jpeg_compress_struct* cinfo);
};
