// CRasterImageICO: one image out of an icon or cursor file (BMP or PNG entries), and single-image
// icons out.
#pragma once
#include "image/RasterImage.h"

class CRasterImageICO : public CRasterImage {
public:
    CRasterImageICO() : CRasterImage(RASTER_FORMAT_ICO) {}
    bool Decode(CImageStream* stream);
    bool Encode(CImageStream* stream);

private:
    bool DecodePngEntry(CImageStream* stream, int32_t count);
    bool DecodeBmpEntry(CImageStream* stream, int32_t width, int32_t height);
    bool ReadPalette(CImageStream* stream, uint32_t colors);
    void TakePixels(const uint8_t* pixels, uint32_t pixelRow, uint16_t bits);
    void ApplyMask(const uint8_t* mask, uint32_t maskRow, bool hadAlpha);
    bool EncodePngEntry(CImageStream* stream);

    int32_t m_entries = 0;
};
