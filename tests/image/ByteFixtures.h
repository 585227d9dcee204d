// BMP, ICO and GIF files for the tests, assembled byte by byte.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct ByteWriter {
    Bytes bytes;
    ByteWriter& U8(uint32_t v) { bytes.push_back(uint8_t(v)); return *this; }
    ByteWriter& U16(uint32_t v) { return U8(v).U8(v >> 8); }
    ByteWriter& U32(uint32_t v) { return U16(v).U16(v >> 16); }
    ByteWriter& Add(const Bytes& b) { bytes.insert(bytes.end(), b.begin(), b.end()); return *this; }
    ByteWriter& Text(const std::string& s) { bytes.insert(bytes.end(), s.begin(), s.end()); return *this; }
};

struct BmpInfo {
    uint32_t size = 40;
    int32_t width = 4;
    int32_t height = 2;
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    int32_t xPpm = 3780;
    int32_t yPpm = 3780;
    uint32_t colors = 0;
};

// An info header of info.size bytes (12 for the OS/2 core form); extra holds bytes 40 onwards.
inline Bytes BmpInfoHeader(const BmpInfo& info, const Bytes& extra = {})
{
    ByteWriter w;
    if (info.size == 12) {
        w.U32(12).U16(uint32_t(info.width)).U16(uint32_t(info.height)).U16(1).U16(info.bits);
        return w.bytes;
    }
    w.U32(info.size).U32(uint32_t(info.width)).U32(uint32_t(info.height)).U16(1).U16(info.bits)
        .U32(info.compression).U32(info.sizeImage).U32(uint32_t(info.xPpm)).U32(uint32_t(info.yPpm))
        .U32(info.colors).U32(0);
    w.Add(extra);
    while (w.bytes.size() < info.size)
        w.U8(0);
    return w.bytes;
}

// File header, info header, palette (4 bytes an entry, 3 for core headers) and pixel data.
inline Bytes MakeBmp(const BmpInfo& info, const Bytes& palette, const Bytes& pixels, const Bytes& extra = {},
                     bool fileHeader = true)
{
    Bytes header = BmpInfoHeader(info, extra);
    ByteWriter w;
    if (fileHeader) {
        uint32_t offset = uint32_t(14 + header.size() + palette.size());
        w.U16(0x4D42).U32(uint32_t(offset + pixels.size())).U16(0).U16(0).U32(offset);
    }
    return w.Add(header).Add(palette).Add(pixels).bytes;
}

struct IcoEntry {
    uint8_t width;
    uint8_t height;
    uint16_t bits;
    Bytes data;     // a BMP entry (info header, palette, pixels, mask) or a PNG file
};

inline Bytes MakeIco(const std::vector<IcoEntry>& entries)
{
    ByteWriter w;
    w.U16(0).U16(1).U16(uint32_t(entries.size()));
    uint32_t offset = uint32_t(6 + 16 * entries.size());
    for (const IcoEntry& e : entries) {
        w.U8(e.width).U8(e.height).U8(0).U8(0).U16(1).U16(e.bits).U32(uint32_t(e.data.size())).U32(offset);
        offset += uint32_t(e.data.size());
    }
    for (const IcoEntry& e : entries)
        w.Add(e.data);
    return w.bytes;
}

// LZW data that sends every pixel as its own code after a clear code, so the code width never
// grows: any decoder reads it, and it is written without the encoder under test.
inline Bytes GifPlainLzw(const std::vector<uint8_t>& indices, int minSize)
{
    int width = minSize + 1, clear = 1 << minSize;
    Bytes data;
    uint32_t acc = 0;
    int bits = 0;
    auto code = [&](int c) {
        acc |= uint32_t(c) << bits;
        bits += width;
        while (bits >= 8) {
            data.push_back(uint8_t(acc));
            acc >>= 8;
            bits -= 8;
        }
    };
    for (uint8_t p : indices) {
        code(clear);
        code(p);
    }
    code(clear + 1);
    if (bits > 0)
        data.push_back(uint8_t(acc));
    ByteWriter w;
    w.U8(uint32_t(minSize));
    for (size_t i = 0; i < data.size(); i += 255) {
        size_t n = data.size() - i < 255 ? data.size() - i : 255;
        w.U8(uint32_t(n));
        w.bytes.insert(w.bytes.end(), data.begin() + long(i), data.begin() + long(i + n));
    }
    w.U8(0);
    return w.bytes;
}

struct GifFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> indices;   // top-down, in file order (already interlaced when set)
    int disposal = 0;
    int transIndex = -1;
    int delay = 0;
    bool interlaced = false;
    Bytes localPalette;             // RGB triples, a power of two of them
};

inline int GifTableBits(size_t entries)
{
    int b = 0;
    while ((2u << b) < entries)
        b++;
    return b;
}

inline Bytes MakeGif(int width, int height, const Bytes& globalPalette, const std::vector<GifFrame>& frames)
{
    ByteWriter w;
    w.Text("GIF89a").U16(uint32_t(width)).U16(uint32_t(height));
    w.U8(globalPalette.empty() ? 0 : 0x80 | GifTableBits(globalPalette.size() / 3)).U8(0).U8(0);
    w.Add(globalPalette);
    for (const GifFrame& f : frames) {
        w.U8(0x21).U8(0xF9).U8(4).U8(uint32_t((f.transIndex >= 0 ? 1 : 0) | f.disposal << 2)).U16(uint32_t(f.delay))
            .U8(uint32_t(f.transIndex >= 0 ? f.transIndex : 0)).U8(0);
        uint32_t flags = f.interlaced ? 0x40 : 0;
        if (!f.localPalette.empty())
            flags |= 0x80 | uint32_t(GifTableBits(f.localPalette.size() / 3));
        w.U8(0x2C).U16(uint32_t(f.left)).U16(uint32_t(f.top)).U16(uint32_t(f.width)).U16(uint32_t(f.height)).U8(flags);
        w.Add(f.localPalette);
        w.Add(GifPlainLzw(f.indices, 8));
    }
    w.U8(0x3B);
    return w.bytes;
}

// Four colours: black, red, green, blue, then padding up to a table of 4.
inline Bytes GifPalette4()
{
    return {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255};
}
