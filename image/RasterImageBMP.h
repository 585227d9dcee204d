// CRasterImageBMP: Windows and OS/2 bitmaps (uncompressed, RLE8, RLE4, bit fields, 32-bit with
// alpha) in, uncompressed bitmaps out.
#pragma once
#include "image/RasterImage.h"

class CRasterImageBMP : public CRasterImage {
public:
    CRasterImageBMP() : CRasterImage(RASTER_FORMAT_BMP) {}
    bool Decode(CImageStream* stream);
    bool Encode(CImageStream* stream);

private:
    bool Fail(const char* text);
    bool ReadPalette(CImageStream* stream, const RasterInfoHeader& header, bool coreHeader);
    bool ReadPixels(CImageStream* stream, const RasterInfoHeader& header, const uint32_t masks[3]);
    bool ReadRle(CImageStream* stream, bool fourBit);
    bool Read32(CImageStream* stream, const RasterInfoHeader& header, const uint32_t masks[3]);
    bool Encode32(CImageStream* stream);
};

// Reads an info header (40-byte, OS/2 core, OS/2 2.x, version 5 or a larger one) and normalises
// it to the 40-byte form; masks receives the bit fields a 124-byte header holds. True when usable.
bool ReadBitmapInfo(CImageStream* stream, RasterInfoHeader& header, uint32_t masks[3], bool* coreHeader);
