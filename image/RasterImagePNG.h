// CRasterImagePNG: PNG through libpng, every colour type and bit depth in; grey, palette and RGB
// with or without alpha out.
#pragma once
#include "image/RasterImage.h"

class CRasterImagePNG : public CRasterImage {
public:
    CRasterImagePNG() : CRasterImage(RASTER_FORMAT_PNG) {}
    bool Decode(CImageStream* stream);
    bool Encode(CImageStream* stream);
};
