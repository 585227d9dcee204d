// ICO: one entry of an icon or cursor file. A PNG entry is recognised by the PNG signature at its
// offset; a BMP entry takes its size from the directory (0 means 256 there, for BMP entries as
// well), and its info header must agree with it before anything is allocated.
#include "image/RasterImageICO.h"
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include "image/ByteReader.h"
#include "image/ImageMemoryStream.h"
#include "image/ImageStream.h"
#include "image/RasterImagePNG.h"

namespace {

const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
// The directory gives no entry wider or taller than this.
const int32_t kMaxIconSide = 256;

// Bytes in one stored row of a bitmap or mask: whole 32-bit words.
uint32_t RowBytes(int32_t width, uint16_t bits)
{
    return (uint32_t(width) * bits + 31) / 32 * 4;
}

bool SeekTo(CImageStream* stream, int32_t start, uint32_t offset)
{
    int64_t position = int64_t(start) + offset;
    return position <= INT32_MAX && stream->Seek(int32_t(position), SEEK_SET);
}

bool IsPngAt(CImageStream* stream, int32_t start, uint32_t offset)
{
    uint8_t signature[8] = {};
    bool png = SeekTo(stream, start, offset) && stream->Read(signature, 1, 8) == 8
        && std::memcmp(signature, kPngSignature, 8) == 0;
    SeekTo(stream, start, offset);
    return png;
}

void ReadOrZero(CImageStream* stream, uint8_t* dst, size_t bytes)
{
    size_t got = stream->Read(dst, 1, bytes);
    if (got < bytes)
        std::memset(dst + got, 0, bytes - got);
}

bool MaskBit(const uint8_t* mask, uint32_t maskRow, int32_t x, int32_t y)
{
    return (mask[size_t(y) * maskRow + size_t(x >> 3)] >> (7 - (x & 7))) & 1;
}

} // namespace

bool CRasterImageICO::Decode(CImageStream* stream)
{
    if (!stream)
        return false;
    int32_t start = stream->Tell();
    uint8_t header[6];
    if (stream->Read(header, 1, 6) != 6)
        return false;
    ByteReader h(header, 6);
    if (h.U16(0) != 0 || (h.U16(2) != 1 && h.U16(2) != 2))
        return false;
    int32_t count = h.U16(4);
    m_entries = count;
    SetNumFrames(count);
    std::vector<uint8_t> entries(size_t(count) * 16);
    if (count == 0 || stream->Read(entries.data(), 16, size_t(count)) != size_t(count))
        return false;
    int32_t frame = GetFrame();
    if (frame < 0 || frame >= count)
        return false;
    ByteReader entry(entries.data() + size_t(frame) * 16, 16);
    uint32_t offset = entry.U32(12);
    if (IsPngAt(stream, start, offset))
        return DecodePngEntry(stream, count);
    if (!SeekTo(stream, start, offset))
        return false;
    return DecodeBmpEntry(stream, entry.U8(0) ? entry.U8(0) : 256, entry.U8(1) ? entry.U8(1) : 256);
}

// A PNG entry that fails to decode fails the icon, with the PNG decoder's text.
bool CRasterImageICO::DecodePngEntry(CImageStream* stream, int32_t count)
{
    CRasterImagePNG png;
    png.CopyInfo(*this);
    if (!png.Decode(stream)) {
        CopyErrorFrom(png);
        return false;
    }
    if (!MoveFrom(png))
        return false;
    SetNumFrames(count);
    SetType(RASTER_FORMAT_ICO);
    return true;
}

// The entry's size is the directory's. The info header describes the bitmap as stored: its
// width and twice its height (image and mask, the usual form) or its height alone. A bitmap
// larger than the entry (real icons hold a 16 x 32 image, header height 64, under a 16 x 16
// entry) is read at its own size and cut to the entry's, keeping its first rows and columns.
// A smaller one, or one larger than any icon, is refused here, so that a header claiming a
// huge bitmap never sizes an allocation.
bool CRasterImageICO::DecodeBmpEntry(CImageStream* stream, int32_t width, int32_t height)
{
    uint8_t raw[40];
    if (stream->Read(raw, 1, 40) != 40)
        return false;
    ByteReader r(raw, 40);
    int32_t bitmapWidth = r.I32(4);
    int32_t headerHeight = r.I32(8);
    int32_t bitmapHeight = headerHeight == height ? height : headerHeight / 2;
    uint16_t bits = r.U16(14);
    uint32_t colors = r.U32(32);
    if (bitmapWidth < width || bitmapHeight < height || bitmapWidth > kMaxIconSide || bitmapHeight > kMaxIconSide)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return false;
    if (GetEscape() == -1) {
        SetDimensionsOnly(uint32_t(width), uint32_t(height), RASTER_FORMAT_ICO);
        return true;
    }
    if (!Create(uint32_t(width), uint32_t(height), bits, RASTER_FORMAT_ICO))
        return false;
    if (IsIndexed() && !ReadPalette(stream, colors))
        return false;
    uint32_t pixelRow = RowBytes(bitmapWidth, bits);
    std::vector<uint8_t> pixels(size_t(pixelRow) * size_t(bitmapHeight));
    ReadOrZero(stream, pixels.data(), pixels.size());
    uint32_t bitmapMaskRow = RowBytes(bitmapWidth, 1);
    std::vector<uint8_t> bitmapMask(size_t(bitmapMaskRow) * size_t(bitmapHeight));
    ReadOrZero(stream, bitmapMask.data(), bitmapMask.size());
    if (bits == 32 && !AlphaCreate())
        return false;
    TakePixels(pixels.data(), pixelRow, bits);
    uint32_t maskRow = RowBytes(width, 1);
    std::vector<uint8_t> mask(size_t(maskRow) * size_t(height));
    for (int32_t y = 0; y < height; y++)
        std::memcpy(&mask[size_t(y) * maskRow], &bitmapMask[size_t(y) * bitmapMaskRow], maskRow);
    ApplyMask(mask.data(), maskRow, bits == 32);
    return true;
}

// Entries past the palette's size are passed over.
bool CRasterImageICO::ReadPalette(CImageStream* stream, uint32_t colors)
{
    uint32_t n = colors && colors < GetNumColors() ? colors : GetNumColors();
    RasterColor palette[256] = {};
    stream->Read(palette, 4, n);
    SetPalette(palette, n);
    uint64_t extra = uint64_t(colors > n ? colors - n : 0) * 4;
    return extra <= uint64_t(INT32_MAX) && (!extra || stream->Seek(int32_t(extra), SEEK_CUR));
}

// Copies the image's rows out of the bitmap's (pixelRow bytes each, at least as wide); 32-bit
// pixels give the colour and the alpha plane.
void CRasterImageICO::TakePixels(const uint8_t* pixels, uint32_t pixelRow, uint16_t bits)
{
    int32_t width = int32_t(GetWidth()), height = int32_t(GetHeight());
    uint32_t usedBits = uint32_t(width) * bits;
    for (int32_t y = 0; y < height; y++) {
        const uint8_t* src = pixels + size_t(y) * pixelRow;
        uint8_t* row = GetRowPointer(y);
        if (bits == 32) {
            for (int32_t x = 0; x < width; x++, src += 4) {
                std::memcpy(row + 3 * x, src, 3);
                AlphaSet(x, y, src[3]);
            }
            continue;
        }
        std::memcpy(row, src, (usedBits + 7) / 8);
        // Pixels past the entry's width that share its last byte are not the image's.
        if (usedBits % 8)
            row[usedBits / 8] &= uint8_t(0xFF << (8 - usedBits % 8));
    }
}

// The AND mask (bit set = transparent) becomes an alpha plane or a transparent index.
void CRasterImageICO::ApplyMask(const uint8_t* mask, uint32_t maskRow, bool hadAlpha)
{
    int32_t width = int32_t(GetWidth()), height = int32_t(GetHeight());
    size_t maskBytes = size_t(maskRow) * size_t(height);
    size_t full = 0;
    while (full < maskBytes && mask[full] == 0xFF)
        full++;
    if (full == maskBytes) {
        SetTransIndex(0);
        Negative();
        return;
    }
    if (!AlphaCreate())
        return;
    bool used[256] = {};
    int32_t masked = 0;
    int32_t maskedIndex = -1;
    bool oneIndex = true;
    for (int32_t y = 0; y < height; y++) {
        for (int32_t x = 0; x < width; x++) {
            uint8_t index = IsIndexed() ? GetPixelIndexUnchecked(x, y) : 0;
            used[index] = true;
            if (!MaskBit(mask, maskRow, x, y))
                continue;
            AlphaSet(x, y, 0);
            masked++;
            if (maskedIndex >= 0 && maskedIndex != index)
                oneIndex = false;
            maskedIndex = index;
        }
    }
    if (!hadAlpha && masked == 0)
        AlphaDelete();
    if (!IsIndexed())
        return;
    if (masked > 0 && oneIndex) {
        SetTransIndex(maskedIndex);
        AlphaDelete();
    }
    int32_t unused = int32_t(GetNumColors()) - 1;
    while (unused >= 0 && used[unused])
        unused--;
    if (unused < 0)
        return;
    // A palette entry no pixel uses takes the masked pixels, so that no visible pixel turns
    // transparent with them.
    for (int32_t y = 0; y < height; y++) {
        for (int32_t x = 0; x < width; x++) {
            if (MaskBit(mask, maskRow, x, y))
                SetPixelIndexUnchecked(x, y, uint8_t(unused));
        }
    }
    if (masked > 0)
        SetTransIndex(unused);
    AlphaDelete();
}

// Entries wider or taller than 255 pixels are stored as PNG.
bool CRasterImageICO::EncodePngEntry(CImageStream* stream)
{
    uint8_t* png = nullptr;
    int32_t size = 0;
    if (!EncodeToMemory(png, size, RASTER_FORMAT_PNG))
        return false;
    uint8_t header[22] = {};
    PutU16(header + 2, 1);
    PutU16(header + 4, 1);
    PutU16(header + 6 + 6, GetBpp());
    PutU32(header + 6 + 8, uint32_t(size));
    PutU32(header + 6 + 12, 22);
    bool ok = stream->Write(header, 1, 22) == 22 && stream->Write(png, 1, size_t(size)) == size_t(size);
    std::free(png);
    return ok;
}

bool CRasterImageICO::Encode(CImageStream* stream)
{
    if (CheckEncodeArgs(stream) || (GetBpp() <= 8 && !GetPalette()))
        return false;
    if (GetWidth() > 255 || GetHeight() > 255)
        return EncodePngEntry(stream);
    int32_t width = int32_t(GetWidth()), height = int32_t(GetHeight());
    bool alpha32 = GetBpp() == 24 && AlphaIsValid();
    uint16_t bits = alpha32 ? 32 : GetBpp();
    uint32_t pixelBytes = alpha32 ? uint32_t(width * height * 4) : GetHeader().biSizeImage;
    uint32_t maskRow = (uint32_t(width) + 31) / 32 * 4;
    uint32_t maskBytes = maskRow * uint32_t(height);

    uint8_t header[22 + 40] = {};
    PutU16(header + 2, 1);
    PutU16(header + 4, 1);
    header[6] = uint8_t(width);
    header[7] = uint8_t(height);
    header[8] = uint8_t(GetNumColors());
    PutU16(header + 6 + 6, bits);
    PutU32(header + 6 + 8, pixelBytes + GetPaletteSize() + maskBytes + 40);
    PutU32(header + 6 + 12, 22);
    uint8_t* info = header + 22;
    PutU32(info, 40);
    PutU32(info + 4, uint32_t(width));
    PutU32(info + 8, uint32_t(height * 2));
    PutU16(info + 12, 1);
    PutU16(info + 14, bits);
    PutU32(info + 20, pixelBytes);

    std::vector<uint8_t> body;
    body.reserve(GetPaletteSize() + pixelBytes + maskBytes);
    for (uint32_t i = 0; i < GetNumColors(); i++) {
        RasterColor c = GetPaletteColor(uint8_t(i));
        if (IsTransparent() && int32_t(i) == GetTransIndex())
            c = RasterColor {};
        body.insert(body.end(), {c.rgbBlue, c.rgbGreen, c.rgbRed, c.rgbReserved});
    }
    if (alpha32) {
        for (int32_t y = 0; y < height; y++) {
            const uint8_t* row = GetRowPointer(y);
            for (int32_t x = 0; x < width; x++)
                body.insert(body.end(), {row[3 * x], row[3 * x + 1], row[3 * x + 2], AlphaGetUnchecked(x, y)});
        }
    } else {
        body.insert(body.end(), Bits(), Bits() + pixelBytes);
    }
    size_t maskStart = body.size();
    body.resize(maskStart + maskBytes, 0);
    bool alphaPalette = AlphaPaletteIsValid();
    RasterColor trans = GetTransColor();
    for (int32_t y = 0; y < height; y++) {
        for (int32_t x = 0; x < width; x++) {
            RasterColor c = GetPixelColorUnchecked(x, y, false);
            bool masked = (AlphaIsValid() && AlphaGetUnchecked(x, y) == 0)
                || (alphaPalette && c.rgbReserved == 0)
                || (IsTransparent() && c.rgbBlue == trans.rgbBlue && c.rgbGreen == trans.rgbGreen
                    && c.rgbRed == trans.rgbRed);
            if (masked)
                body[maskStart + size_t(y) * maskRow + size_t(x >> 3)] |= uint8_t(0x80 >> (x & 7));
        }
    }
    return stream->Write(header, 1, sizeof(header)) == sizeof(header)
        && stream->Write(body.data(), 1, body.size()) == body.size();
}
