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
    bool ReadPixels(CImageStream* stream, const RasterInfoHeader& header, const uint32_t masks[4]);
    bool ReadRle(CImageStream* stream, bool fourBit);
    bool Read32(CImageStream* stream, const RasterInfoHeader& header, const uint32_t masks[4]);
    void DropEmptyAlpha();
    bool Encode32(CImageStream* stream);
};

// What an info header holds beyond its 40-byte form.
struct BitmapInfoExtra {
    bool core = false;              // 12-byte OS/2 header: 3-byte palette entries
    bool masksInHeader = false;     // version-4 or version-5 header: masks are its bytes 40-55
    uint32_t masks[4] = {};         // red, green, blue, alpha
};

// Reads an info header (40-byte, OS/2 core, OS/2 2.x, version 4, version 5 or another larger
// one) and normalises it to the 40-byte form; extra receives the bit-field masks a version-4 or
// version-5 header holds. True when usable.
bool ReadBitmapInfo(CImageStream* stream, RasterInfoHeader& header, BitmapInfoExtra& extra);
