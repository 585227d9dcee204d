// Small files that real-world images showed the decoders getting wrong, a few dozen bytes each,
// written here byte by byte (or by libpng): shared by the codec tests and the fuzz seed corpus.
#pragma once
#include <cstdint>
#include <cstring>
#include "tests/image/ByteFixtures.h"
#include "tests/image/PngFixtures.h"

// ---- PNG, byte by byte ----

inline uint32_t PngCrc(const uint8_t* data, size_t length)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < length; i++) {
        crc ^= data[i];
        for (int k = 0; k < 8; k++)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return crc ^ 0xFFFFFFFFu;
}

inline void PutBigEndian(Bytes& out, uint32_t v)
{
    out.insert(out.end(), {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
}

// A whole chunk: length, type, data, CRC over type and data.
inline Bytes PngChunk(const char* type, const Bytes& data)
{
    Bytes out;
    PutBigEndian(out, uint32_t(data.size()));
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBigEndian(out, PngCrc(body.data(), body.size()));
    return out;
}

// The signature and the header chunk of a width x height image.
inline Bytes PngStart(uint32_t width, uint32_t height, uint8_t bitDepth, uint8_t colorType)
{
    Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes ihdr;
    PutBigEndian(ihdr, width);
    PutBigEndian(ihdr, height);
    ihdr.insert(ihdr.end(), {bitDepth, colorType, 0, 0, 0});
    Bytes chunk = PngChunk("IHDR", ihdr);
    out.insert(out.end(), chunk.begin(), chunk.end());
    return out;
}

// 57 bytes: a 1 x 1 grey PNG whose ancillary chunk of the given type declares 1 GiB of data and
// holds 16 bytes; the file ends there.
inline Bytes PngHugeAncillaryChunk(const char* type = "tEXt")
{
    Bytes out = PngStart(1, 1, 8, 0);
    PutBigEndian(out, 0x40000000u);
    out.insert(out.end(), type, type + 4);
    const char text[] = "Comment\0Kavri 16";
    out.insert(out.end(), text, text + 16);
    return out;
}

// ---- PNG, through libpng ----

// 16-bit grey, 4 x 2, with the transparent key 0x4000. Top row 0x4000 0x4001 0x40FF 0x4000,
// bottom row 0x3FFF 0x8000 0x0040 0x4080: only the two key samples are transparent, though
// four more share its high byte.
inline Bytes PngGrey16Key()
{
    PngLayout layout;
    layout.width = 4;
    layout.height = 2;
    layout.colorType = PNG_COLOR_TYPE_GRAY;
    layout.bitDepth = 16;
    layout.transColor = true;
    layout.trans.gray = 0x4000;
    static const uint16_t samples[2][4] = {{0x4000, 0x4001, 0x40FF, 0x4000}, {0x3FFF, 0x8000, 0x0040, 0x4080}};
    return MakePng(layout, [](int x, int y, int) { return samples[y][x]; });
}

// The same for 16-bit colour: the key (0x1000, 0x2000, 0x3000) and colours that share its high
// bytes.
inline Bytes PngRgb16Key()
{
    PngLayout layout;
    layout.width = 3;
    layout.height = 1;
    layout.colorType = PNG_COLOR_TYPE_RGB;
    layout.bitDepth = 16;
    layout.transColor = true;
    layout.trans.red = 0x1000;
    layout.trans.green = 0x2000;
    layout.trans.blue = 0x3000;
    return MakePng(layout, [](int x, int, int c) { return uint16_t(((c + 1) << 12) + (x == 1 ? 0 : x + 1)); });
}

// Four palette entries and one tRNS entry of alpha 0x80 (entry 0 half transparent); pixels 0-3.
inline Bytes PngPaletteHalfAlpha()
{
    PngLayout layout;
    layout.width = 4;
    layout.height = 1;
    layout.colorType = PNG_COLOR_TYPE_PALETTE;
    layout.bitDepth = 2;
    layout.palette = {{200, 0, 0}, {0, 200, 0}, {0, 0, 200}, {90, 90, 90}};
    layout.transAlpha = {0x80};
    return MakePng(layout, [](int x, int, int) { return uint16_t(x); });
}

// ---- BMP and ICO ----

// 198 bytes: an icon whose directory entry is 16 x 16 at 1 bit but whose info header says
// 65535 x 65534 (twice 32767).
inline Bytes IcoHugeHeader()
{
    BmpInfo info;
    info.width = 65535;
    info.height = 65534;
    info.bits = 1;
    info.xPpm = info.yPpm = 0;
    info.colors = 2;
    Bytes entry = BmpInfoHeader(info);
    const Bytes palette = {0, 0, 0, 0, 255, 255, 255, 0};
    entry.insert(entry.end(), palette.begin(), palette.end());
    entry.resize(entry.size() + 16 * 4 + 16 * 4, 0x55);    // 16 pixel rows and 16 mask rows
    return MakeIco({IcoEntry {16, 16, 1, entry}});
}

// An icon whose directory entry is smaller than the bitmap it holds (real icons hold a 16 x 32
// bitmap under a 16 x 16 entry). Every pixel differs from its neighbours in both directions:
// the colour (blue, green, red, alpha) of IcoSampleColor, or for 4 and 8 bits the palette index
// IcoSampleIndex of a 16-colour palette. The AND mask, stored after the whole bitmap, marks
// pixel (0, 0) and everything outside the entry.
inline uint8_t IcoSampleIndex(int x, int y)
{
    return uint8_t((x + 3 * y) % 15 + 1);  // palette index 0 stays unused
}

struct IcoSample {
    uint8_t blue, green, red, alpha;
};

inline IcoSample IcoSampleColor(int x, int y)
{
    return IcoSample{uint8_t(8 * x + 1), uint8_t(8 * y + 2), uint8_t(x + y + 3), uint8_t(100 + x)};
}

inline Bytes IcoBitmapLargerThanEntry(int entryW, int entryH, int bitmapW, int bitmapH, uint16_t bits)
{
    BmpInfo info;
    info.width = bitmapW;
    info.height = 2 * bitmapH;
    info.bits = bits;
    info.colors = bits <= 8 ? 16 : 0;
    ByteWriter w;
    w.Add(BmpInfoHeader(info));
    for (uint32_t i = 0; i < info.colors; i++)
        w.U8(i * 16).U8(255 - i * 16).U8(i * 5).U8(0);
    size_t pixelRow = (size_t(bitmapW) * bits + 31) / 32 * 4, maskRow = (size_t(bitmapW) + 31) / 32 * 4;
    for (int y = 0; y < bitmapH; y++) {
        Bytes row(pixelRow, 0);
        for (int x = 0; x < bitmapW; x++) {
            IcoSample c = IcoSampleColor(x, y);
            if (bits == 32 || bits == 24)
                std::memcpy(&row[size_t(x) * (bits / 8)], &c, bits / 8);
            else if (bits == 8)
                row[size_t(x)] = IcoSampleIndex(x, y);
            else
                row[size_t(x) / 2] |= uint8_t(IcoSampleIndex(x, y) << (x % 2 ? 0 : 4));
        }
        w.Add(row);
    }
    for (int y = 0; y < bitmapH; y++) {
        Bytes row(maskRow, 0);
        for (int x = 0; x < bitmapW; x++) {
            if ((x == 0 && y == 0) || x >= entryW || y >= entryH)
                row[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
        }
        w.Add(row);
    }
    return MakeIco({IcoEntry{uint8_t(entryW), uint8_t(entryH), bits, w.bytes}});
}

// The bit-field masks red, green, blue and alpha as bytes 40-55 of a larger info header.
inline Bytes BmpMaskBytes(uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha)
{
    return ByteWriter().U32(red).U32(green).U32(blue).U32(alpha).bytes;
}

// A 3 x 1 32-bit bit-field bitmap with a version-4 (108-byte) or version-5 (124-byte) header
// whose alpha mask is 0xFF000000: pixels (red 30, alpha 0x80), (red 60, alpha 0xFF), (red 90,
// alpha 0).
inline Bytes Bmp32AlphaBitfields(uint32_t headerSize)
{
    BmpInfo info;
    info.size = headerSize;
    info.width = 3;
    info.height = 1;
    info.bits = 32;
    info.compression = 3;
    return MakeBmp(info, {}, {10, 20, 30, 0x80, 40, 50, 60, 0xFF, 70, 80, 90, 0},
                   BmpMaskBytes(0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000));
}

// A 4 x 1 32-bit bitmap, 40-byte header and masks 11-11-10 (red 0xFFE00000, green 0x001FFC00,
// blue 0x000003FF): pure red, pure green, pure blue, and red 1024 / green 512 / blue 256.
inline Bytes Bmp32Masks111110()
{
    BmpInfo info;
    info.width = 4;
    info.height = 1;
    info.bits = 32;
    info.compression = 3;
    Bytes masks = ByteWriter().U32(0xFFE00000).U32(0x001FFC00).U32(0x000003FF).bytes;
    Bytes pixels = ByteWriter().U32(0xFFE00000).U32(0x001FFC00).U32(0x000003FF)
                       .U32(1024u << 21 | 512u << 10 | 256u).bytes;
    return MakeBmp(info, masks, pixels);
}

// A 3 x 1 8-bit bitmap with a version-4 (108-byte) header that says 2 colours used: pixels 1 0 1,
// entry 1 red.
inline Bytes Bmp8Version4TwoColours()
{
    BmpInfo info;
    info.size = 108;
    info.width = 3;
    info.height = 1;
    info.bits = 8;
    info.colors = 2;
    return MakeBmp(info, {0, 0, 0, 0, 0, 0, 255, 0}, {1, 0, 1, 0});
}
