// CRasterImagePNG: PNG through libpng, every colour type and bit depth in; grey, palette and RGB
// with or without alpha out. The image being encoded is never changed.
#pragma once
#include "image/RasterImage.h"

struct png_struct_def;
struct png_info_def;
struct PngPalette;

class CRasterImagePNG : public CRasterImage {
public:
    CRasterImagePNG() : CRasterImage(RASTER_FORMAT_PNG) {}
    bool Decode(CImageStream* stream);
    bool Encode(CImageStream* stream);

private:
    uint8_t* PrepareImage(png_struct_def* png, png_info_def* info, int colorType, int bitDepth, int channels);
    bool ReadRows(png_struct_def* png, uint8_t* buffer, int bitDepth, int channels);
    void WriteHeader(png_struct_def* png, png_info_def* info, int colorType, int bitDepth, PngPalette& p);
    void WriteRow(png_struct_def* png, uint8_t* buffer, int32_t y, int colorType, const PngPalette& p);

    int m_passes = 1;
};
