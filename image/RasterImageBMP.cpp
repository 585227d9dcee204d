// BMP: headers are read through ByteReader; pixel data never goes past the image's own
// computed size, whatever the header claims.
#include "image/RasterImageBMP.h"
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "image/ByteReader.h"
#include "image/ImageStream.h"

namespace {

const uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;

uint64_t ComputedSize(uint32_t bits, int32_t width, int32_t height)
{
    uint64_t w = uint64_t(width < 0 ? -int64_t(width) : width);
    uint64_t h = uint64_t(height < 0 ? -int64_t(height) : height);
    return (uint64_t(bits) * w + 31) / 32 * 4 * h;
}

bool Skip(CImageStream* stream, uint64_t bytes)
{
    return bytes <= uint64_t(INT32_MAX) && stream->Seek(int32_t(bytes), SEEK_CUR);
}

// Reads what is there; a short read leaves zeros rather than old heap contents.
void ReadOrZero(CImageStream* stream, uint8_t* dst, size_t bytes)
{
    size_t got = stream->Read(dst, 1, bytes);
    if (got < bytes)
        std::memset(dst + got, 0, bytes - got);
}

RasterInfoHeader ParseInfoHeader(const ByteReader& r)
{
    RasterInfoHeader h;
    h.biSize = r.U32(0);
    h.biWidth = r.I32(4);
    h.biHeight = r.I32(8);
    h.biPlanes = r.U16(12);
    h.biBitCount = r.U16(14);
    h.biCompression = r.U32(16);
    h.biSizeImage = r.U32(20);
    h.biXPelsPerMeter = r.I32(24);
    h.biYPelsPerMeter = r.I32(28);
    h.biClrUsed = r.U32(32);
    h.biClrImportant = r.U32(36);
    return h;
}

// The pixel'th colour index of a run or literal byte.
uint8_t RlePixel(int32_t byte, int32_t pixel, bool fourBit)
{
    if (!fourBit)
        return uint8_t(byte);
    return uint8_t((pixel & 1) ? byte & 0x0F : byte >> 4);
}

} // namespace

bool ReadBitmapInfo(CImageStream* stream, RasterInfoHeader& header, BitmapInfoExtra& extra)
{
    uint8_t raw[124] = {};
    if (stream->Read(raw, 1, 40) != 40)
        return false;
    ByteReader r(raw, sizeof(raw));
    header = ParseInfoHeader(r);
    extra = BitmapInfoExtra {};
    extra.core = header.biSize == 12;
    if (header.biSize == 12) {
        header = RasterInfoHeader {};
        header.biSize = 12;
        header.biWidth = r.U16(4);
        header.biHeight = r.U16(6);
        header.biPlanes = r.U16(8);
        header.biBitCount = r.U16(10);
        if (!stream->Seek(-28, SEEK_CUR))
            return false;
    } else if (header.biSize == 64) {
        if (!Skip(stream, 24))
            return false;
    } else if (header.biSize == 108 || header.biSize == 124) {
        // Version-4 and version-5 headers: the 40-byte fields, then the red, green, blue and
        // alpha masks in bytes 40-55 (colour space and the rest are not used). Both are read as
        // the 40-byte header is: colours used sizes the palette, an image size of 0 is computed.
        size_t rest = header.biSize - 40;
        if (stream->Read(raw + 40, 1, rest) != rest)
            return false;
        extra.masksInHeader = true;
        for (int i = 0; i < 4; i++)
            extra.masks[i] = r.U32(40 + 4 * size_t(i));
    } else if (header.biSize != 40) {
        if (header.biSize < 41 || header.biSizeImage < ComputedSize(header.biBitCount, header.biWidth, header.biHeight)
            || header.biPlanes != 1 || header.biClrUsed != 0)
            return false;
        // Bit-field masks of larger headers are its bytes 40-51 and are read next.
        if (header.biCompression == kBiRgb && !Skip(stream, header.biSize - 40))
            return false;
    }
    if (header.biSizeImage == 0) {
        uint64_t size = ComputedSize(header.biBitCount, header.biWidth, header.biHeight);
        header.biSizeImage = uint32_t(size > UINT32_MAX ? UINT32_MAX : size);
    }
    if (header.biClrUsed == 0 && header.biBitCount <= 8)
        header.biClrUsed = 1u << header.biBitCount;
    return true;
}

bool CRasterImageBMP::Fail(const char* text)
{
    SetError(text);
    return false;
}

bool CRasterImageBMP::Decode(CImageStream* stream)
{
    if (!stream)
        return false;
    int32_t start = stream->Tell();
    uint8_t fileHeader[14];
    if (stream->Read(fileHeader, 1, sizeof(fileHeader)) != sizeof(fileHeader))
        return Fail("Not a BMP");
    ByteReader fh(fileHeader, sizeof(fileHeader));
    uint32_t offset = fh.U32(10);
    if (fh.U16(0) != 0x4D42) {
        // No file header: a bare info header.
        offset = 0;
        stream->Seek(start, SEEK_SET);
    }
    RasterInfoHeader h;
    BitmapInfoExtra extra;
    if (!ReadBitmapInfo(stream, h, extra) || h.biHeight == INT32_MIN)
        return Fail("Error reading BMP info");
    bool topDown = h.biHeight < 0;
    int32_t height = topDown ? -h.biHeight : h.biHeight;
    if (GetEscape() == -1) {
        SetDimensionsOnly(uint32_t(h.biWidth), uint32_t(height), RASTER_FORMAT_BMP);
        SetError("output dimensions returned");
        return true;
    }
    uint16_t bits = h.biBitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return Fail("unknown compression");
    if (h.biWidth <= 0)
        return Fail("Error reading BMP info");
    if (!Create(uint32_t(h.biWidth), uint32_t(height), bits, RASTER_FORMAT_BMP))
        return false;
    SetXDPI(int32_t(std::floor(h.biXPelsPerMeter * 0.0254 + 0.5)));
    SetYDPI(int32_t(std::floor(h.biYPelsPerMeter * 0.0254 + 0.5)));
    if (GetEscape())
        return Fail("Cancelled");
    if (bits <= 8 && !ReadPalette(stream, h, extra.core))
        return false;
    if (GetEscape())
        return Fail("Cancelled");
    if (bits >= 16 && h.biCompression == kBiBitfields && !extra.masksInHeader) {
        // Three masks follow a 40-byte header: no alpha mask.
        uint8_t raw[12] = {};
        stream->Read(raw, 1, sizeof(raw));
        ByteReader r(raw, sizeof(raw));
        extra.masks[0] = r.U32(0);
        extra.masks[1] = r.U32(4);
        extra.masks[2] = r.U32(8);
        extra.masks[3] = 0;
    }
    int64_t pixelStart = int64_t(start) + offset;
    if (offset && (pixelStart > INT32_MAX || !stream->Seek(int32_t(pixelStart), SEEK_SET)))
        return Fail("Error reading BMP info");
    if (!ReadPixels(stream, h, extra.masks))
        return false;
    if (topDown)
        Flip(true, true);
    return true;
}

bool CRasterImageBMP::ReadPalette(CImageStream* stream, const RasterInfoHeader& h, bool coreHeader)
{
    uint32_t entrySize = coreHeader ? 3 : 4;
    uint32_t fileEntries = h.biClrUsed;
    uint32_t n = fileEntries < GetNumColors() ? fileEntries : GetNumColors();
    uint8_t raw[256 * 4] = {};
    stream->Read(raw, entrySize, n);
    RasterColor colors[256] = {};
    for (uint32_t i = 0; i < n; i++)
        colors[i] = RasterColor {raw[i * entrySize], raw[i * entrySize + 1], raw[i * entrySize + 2], 0};
    SetPalette(colors, n);
    // Entries beyond the image's own palette are passed over, not read into it.
    if (fileEntries > n && !Skip(stream, uint64_t(fileEntries - n) * entrySize))
        return Fail("Error reading BMP info");
    return true;
}

bool CRasterImageBMP::ReadPixels(CImageStream* stream, const RasterInfoHeader& h, const uint32_t masks[4])
{
    uint32_t compression = h.biCompression;
    switch (h.biBitCount) {
    case 1:
    case 4:
    case 8:
        if (compression == kBiRgb) {
            ReadOrZero(stream, Bits(), GetHeader().biSizeImage);
            return true;
        }
        if (compression == kBiRle8 && h.biBitCount == 8)
            return ReadRle(stream, false);
        if (compression == kBiRle4 && h.biBitCount == 4)
            return ReadRle(stream, true);
        return Fail("compression type not supported");
    case 16: {
        if (compression != kBiRgb && compression != kBiBitfields)
            return Fail("unknown compression");
        bool own = compression == kBiBitfields;
        // 16-bit rows are narrower than the image's 24-bit rows: they are read into the
        // pixel area and converted in place.
        ReadOrZero(stream, Bits(), size_t((GetWidth() + 1) / 2) * 4 * GetHeight());
        ConvertBitfields(Bits(), own ? masks[0] : 0x7C00, own ? masks[1] : 0x03E0, own ? masks[2] : 0x001F, 16,
                         own ? masks[3] : 0);
        DropEmptyAlpha();
        return true;
    }
    case 24:
        if (compression != kBiRgb)
            return Fail("unknown compression");
        ReadOrZero(stream, Bits(), GetHeader().biSizeImage);
        return true;
    default:
        return Read32(stream, h, masks);
    }
}

// Run-length data writes only inside the image: runs, literals and deltas that reach beyond a
// row or past the top are cut off. RLE4 packs two pixels a byte, the high nibble first.
bool CRasterImageBMP::ReadRle(CImageStream* stream, bool fourBit)
{
    Clear(0);
    int32_t perByte = fourBit ? 2 : 1;
    int32_t x = 0, y = 0;
    for (;;) {
        int32_t count = stream->GetChar();
        int32_t value = stream->GetChar();
        if (count < 0 || value < 0)
            return true;
        if (count > 0) {
            for (int32_t i = 0; i < count; i++)
                SetPixelIndex(x + i, y, RlePixel(value, i, fourBit));
            x += count;
        } else if (value == 0) {
            x = 0;
            y++;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            int32_t dx = stream->GetChar(), dy = stream->GetChar();
            if (dx < 0 || dy < 0)
                return true;
            x += dx;
            y += dy;
        } else {
            int32_t bytes = (value + perByte - 1) / perByte;
            int32_t c = 0;
            for (int32_t i = 0; i < value; i++) {
                if (i % perByte == 0) {
                    c = stream->GetChar();
                    if (c < 0)
                        return true;
                }
                SetPixelIndex(x + i, y, RlePixel(c, i, fourBit));
            }
            x += value;
            // The literal's bytes fill whole 16-bit words.
            if (bytes & 1)
                stream->GetChar();
        }
        if (y >= int32_t(GetHeight()))
            return true;
    }
}

// 32-bit pixels: plain ones hold blue, green, red and alpha bytes; bit-field ones are described
// by their masks, the alpha mask of a version-4 or version-5 header included.
bool CRasterImageBMP::Read32(CImageStream* stream, const RasterInfoHeader& h, const uint32_t masks[4])
{
    uint32_t compression = h.biCompression;
    if (compression != kBiRgb && compression != kBiBitfields)
        return Fail("unknown compression");
    size_t pixels = size_t(GetWidth()) * GetHeight();
    uint8_t* buffer = static_cast<uint8_t*>(std::malloc(pixels * 4));
    if (!buffer)
        return Fail("can't allocate memory");
    ReadOrZero(stream, buffer, pixels * 4);
    if (compression == kBiRgb)
        ConvertBitfields(buffer, 0xFF0000, 0x00FF00, 0x0000FF, 32, 0xFF000000);
    else
        ConvertBitfields(buffer, masks[0], masks[1], masks[2], 32, masks[3]);
    std::free(buffer);
    DropEmptyAlpha();
    return true;
}

// Most bitmaps with room for alpha leave it 0 everywhere: that is no alpha at all.
void CRasterImageBMP::DropEmptyAlpha()
{
    const uint8_t* alpha = AlphaGetPointer();
    if (!alpha)
        return;
    size_t pixels = size_t(GetWidth()) * GetHeight();
    for (size_t i = 0; i < pixels; i++) {
        if (alpha[i])
            return;
    }
    AlphaDelete();
}

bool CRasterImageBMP::Encode(CImageStream* stream)
{
    if (CheckEncodeArgs(stream))
        return false;
    if (GetBpp() == 24 && AlphaIsValid())
        return Encode32(stream);
    uint8_t fileHeader[14] = {};
    PutU16(fileHeader, 0x4D42);
    PutU32(fileHeader + 2, GetSize() + 14);
    PutU32(fileHeader + 10, 14 + 40 + GetPaletteSize());
    if (stream->Write(fileHeader, 1, 14) != 14 || stream->Write(GetDIB(), 1, GetSize()) != GetSize())
        return Fail("Write Error in BMP file");
    return true;
}

// A 24-bit image with an alpha plane is written as a 32-bit bitmap.
bool CRasterImageBMP::Encode32(CImageStream* stream)
{
    uint32_t width = GetWidth(), height = GetHeight();
    uint32_t imageSize = width * height * 4;
    uint8_t headers[54] = {};
    PutU16(headers, 0x4D42);
    PutU32(headers + 2, imageSize + 40 + 14);
    PutU32(headers + 10, 54);
    std::memcpy(headers + 14, GetDIB(), 40);
    PutU16(headers + 14 + 14, 32);
    PutU32(headers + 14 + 16, 0);
    PutU32(headers + 14 + 20, imageSize);
    if (stream->Write(headers, 1, sizeof(headers)) != sizeof(headers))
        return Fail("Write Error in BMP file");
    uint8_t* row = static_cast<uint8_t*>(std::malloc(size_t(width) * 4));
    if (!row)
        return Fail("can't allocate memory");
    bool ok = true;
    for (int32_t y = 0; y < int32_t(height) && ok; y++) {
        const uint8_t* src = GetRowPointer(y);
        for (uint32_t x = 0; x < width; x++) {
            std::memcpy(row + 4 * x, src + 3 * x, 3);
            row[4 * x + 3] = AlphaGetUnchecked(int32_t(x), y);
        }
        ok = stream->Write(row, 4, width) == width;
    }
    std::free(row);
    return ok || Fail("Write Error in BMP file");
}
