// GIF encoding: the three encoders (LZW, uncompressed-compatible, run-length), the file's blocks
// around them, and true-colour images as tiles. The decoder is in RasterImageGIF.cpp.
#include "image/RasterImageGIF.h"
#include <algorithm>
#include <string>
#include <vector>
#include "image/ByteReader.h"
#include "image/ImageStream.h"

namespace {

// Writes bytes and LZW codes; codes go out least-significant bit first in sub-blocks of at
// most 254 bytes.
class GifOutput {
public:
    explicit GifOutput(CImageStream* stream) : m_stream(stream) {}

    void Bytes(const void* data, size_t n)
    {
        if (m_stream->Write(data, 1, n) != n)
            m_failed = true;
    }
    void Byte(uint8_t b) { Bytes(&b, 1); }
    void U16(uint32_t v)
    {
        uint8_t b[2];
        PutU16(b, v);
        Bytes(b, 2);
    }
    bool Failed() { return m_failed || m_stream->Error() > 0; }

    void Code(int code, int width)
    {
        m_acc |= uint32_t(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            BlockByte(uint8_t(m_acc & 0xFF));
            m_acc >>= 8;
            m_bits -= 8;
        }
    }

    void EndCodes()
    {
        if (m_bits > 0)
            BlockByte(uint8_t(m_acc & 0xFF));
        m_acc = 0;
        m_bits = 0;
        if (m_count > 0)
            FlushBlock();
        Byte(0);
    }

private:
    void BlockByte(uint8_t b)
    {
        m_block[m_count++] = b;
        if (m_count == 254)
            FlushBlock();
    }

    void FlushBlock()
    {
        Byte(uint8_t(m_count));
        Bytes(m_block, size_t(m_count));
        m_count = 0;
    }

    CImageStream* m_stream;
    bool m_failed = false;
    uint32_t m_acc = 0;
    int m_bits = 0;
    uint8_t m_block[256] = {};
    int m_count = 0;
};

// The pixels of an image from the top row down, left to right.
class GifPixels {
public:
    explicit GifPixels(const CRasterImage& image)
        : m_image(image), m_width(int32_t(image.GetWidth())), m_height(int32_t(image.GetHeight()))
    {
    }
    int Next()
    {
        if (m_row >= m_height)
            return -1;
        int p = m_image.GetPixelIndexUnchecked(m_x, m_height - 1 - m_row);
        if (++m_x == m_width) {
            m_x = 0;
            m_row++;
        }
        return p;
    }

private:
    const CRasterImage& m_image;
    int32_t m_width;
    int32_t m_height;
    int32_t m_x = 0;
    int32_t m_row = 0;
};

// Follows the table a decoder builds from the codes sent, so that the code width always
// matches the decoder's.
class GifCodeTable {
public:
    GifCodeTable(GifOutput& out, int minSize) : m_out(out), m_clear(1 << minSize), m_initWidth(minSize + 1)
    {
        Reset();
    }

    void Reset()
    {
        m_width = m_initWidth;
        m_next = m_clear + 2;
        m_first = true;
    }
    int Clear() const { return m_clear; }
    int NextCode() const { return m_next; }
    bool Full() const { return m_next >= 4093; }

    // Sends a code and grows the table (and the width) as the decoder will.
    void Send(int code)
    {
        m_out.Code(code, m_width);
        if (m_first) {
            m_first = false;
        } else if (m_next < 4096) {
            m_next++;
            if (m_next == (1 << m_width) && m_width < 12)
                m_width++;
        }
    }
    void SendClear()
    {
        m_out.Code(m_clear, m_width);
        Reset();
    }
    void SendEnd()
    {
        m_out.Code(m_clear + 1, m_width);
        m_out.EndCodes();
    }

private:
    GifOutput& m_out;
    int m_clear;
    int m_initWidth;
    int m_width = 0;
    int m_next = 0;
    bool m_first = true;
};

void CompressUncompressed(GifOutput& out, GifPixels& pixels, int minSize)
{
    GifCodeTable table(out, minSize);
    table.SendClear();
    for (int p; (p = pixels.Next()) >= 0;) {
        if (table.Full())
            table.SendClear();
        table.Send(p);
    }
    table.SendEnd();
}

// A run of n equal pixels goes out as a literal, then codes that the decoder builds itself
// (each the next free code: a string one pixel longer than the last), then one code for what
// is left.
void CompressRunLength(GifOutput& out, GifPixels& pixels, int minSize)
{
    GifCodeTable table(out, minSize);
    table.SendClear();
    int lengthCode[4096];
    int p = pixels.Next();
    while (p >= 0) {
        int run = 1, q;
        while ((q = pixels.Next()) == p)
            run++;
        while (run > 0) {
            if (table.Full())
                table.SendClear();
            table.Send(p);
            run--;
            int length = 1;
            while (run >= length + 1 && !table.Full()) {
                lengthCode[length + 1] = table.NextCode();
                table.Send(table.NextCode());
                length++;
                run -= length;
            }
            if (run >= 2 && run <= length && !table.Full()) {
                table.Send(lengthCode[run]);
                run = 0;
            }
        }
        p = q;
    }
    table.SendEnd();
}

// Hash-table LZW over 12-bit codes (table of 5003 slots, open addressing).
void CompressLzw(GifOutput& out, GifPixels& pixels, int minSize)
{
    const int kHashSize = 5003, kShift = 4;
    std::vector<int32_t> hash(kHashSize, -1);
    std::vector<uint16_t> codes(kHashSize, 0);
    GifCodeTable table(out, minSize);
    table.SendClear();
    int prefix = pixels.Next();
    if (prefix < 0) {
        table.SendEnd();
        return;
    }
    int next = table.Clear() + 2;
    for (int c; (c = pixels.Next()) >= 0;) {
        int32_t key = (int32_t(c) << 12) + prefix;
        int i = (c << kShift) ^ prefix;
        int step = i == 0 ? 1 : kHashSize - i;
        bool found = false;
        while (hash[size_t(i)] >= 0) {
            if (hash[size_t(i)] == key) {
                prefix = codes[size_t(i)];
                found = true;
                break;
            }
            i -= step;
            if (i < 0)
                i += kHashSize;
        }
        if (found)
            continue;
        table.Send(prefix);
        prefix = c;
        if (next < 4096) {
            codes[size_t(i)] = uint16_t(next++);
            hash[size_t(i)] = key;
        } else {
            std::fill(hash.begin(), hash.end(), -1);
            table.SendClear();
            next = table.Clear() + 2;
        }
    }
    table.Send(prefix);
    table.SendEnd();
}

void WritePalette(GifOutput& out, const CRasterImage& image, int bits)
{
    for (int i = 0; i < (1 << bits); i++) {
        RasterColor c = image.GetPaletteColor(uint8_t(i));
        uint8_t rgb[3] = {c.rgbRed, c.rgbGreen, c.rgbBlue};
        out.Bytes(rgb, 3);
    }
}

void WriteControl(GifOutput& out, const CRasterImage& image, uint8_t disposal)
{
    uint8_t block[8] = {0x21, 0xF9, 4, uint8_t((image.IsTransparent() ? 1 : 0) | (disposal & 7) << 2), 0, 0,
                        uint8_t(image.GetTransIndex() >= 0 ? image.GetTransIndex() : 0), 0};
    PutU16(block + 4, image.GetFrameDelay());
    out.Bytes(block, sizeof(block));
}

void WriteImage(GifOutput& out, const CRasterImage& image, bool localTable, uint32_t compression)
{
    int bits = image.GetBpp();
    out.Byte(0x2C);
    out.U16(uint32_t(image.GetXOffset()));
    out.U16(uint32_t(image.GetYOffset()));
    out.U16(image.GetWidth());
    out.U16(image.GetHeight());
    out.Byte(localTable ? uint8_t(0x80 | (bits - 1)) : 0);
    if (localTable)
        WritePalette(out, image, bits);
    int minSize = bits < 2 ? 2 : bits;
    out.Byte(uint8_t(minSize));
    GifPixels pixels(image);
    if (compression == 1)
        CompressUncompressed(out, pixels, minSize);
    else if (compression == 2)
        CompressRunLength(out, pixels, minSize);
    else
        CompressLzw(out, pixels, minSize);
}

void WriteHeader(GifOutput& out, const CRasterImage& image, bool palette)
{
    int bits = image.GetBpp();
    out.Bytes("GIF89a", 6);
    out.U16(image.GetWidth());
    out.U16(image.GetHeight());
    out.Byte(palette ? uint8_t(0x80 | (((bits + 7) << 5) & 0xFF) | (bits - 1)) : 0x11);
    out.Byte(0);
    out.Byte(0);
    if (palette)
        WritePalette(out, image, bits);
}

void WriteComment(GifOutput& out, const std::string& comment)
{
    if (comment.empty())
        return;
    out.Byte(0x21);
    out.Byte(0xFE);
    out.Byte(uint8_t(comment.size()));
    out.Bytes(comment.data(), comment.size());
    out.Byte(0);
}

} // namespace

void CRasterImageGIF::SetComment(const char* text)
{
    m_comment = text ? std::string(text).substr(0, 255) : std::string();
}

bool CRasterImageGIF::Encode(CImageStream* stream)
{
    if (CheckEncodeArgs(stream))
        return false;
    if (GetWidth() > 65535 || GetHeight() > 65535) {
        SetError("Write Error in GIF file");
        return false;
    }
    if (GetBpp() > 8)
        return EncodeTrueColor(stream);
    if (GetFrameImageCount() > 1) {
        std::vector<CRasterImage*> frames;
        for (int32_t i = 0; i < GetFrameImageCount(); i++)
            frames.push_back(GetFrameImage(i));
        return Encode(stream, frames.data(), int32_t(frames.size()));
    }
    GifOutput out(stream);
    WriteHeader(out, *this, true);
    WriteControl(out, *this, GetDisposalMethod());
    WriteComment(out, m_comment);
    WriteImage(out, *this, false, GetCodecOption(RASTER_FORMAT_GIF));
    out.Byte(0x3B);
    if (out.Failed()) {
        SetError("Write Error in GIF file");
        return false;
    }
    return true;
}

bool CRasterImageGIF::Encode(CImageStream* stream, CRasterImage* const* frames, int32_t count,
                             bool localColorTables, bool localDisposal)
{
    const char* error = nullptr;
    if (!stream)
        error = "invalid file pointer";
    else if (!frames || count <= 0)
        error = "multipage GIF, no images!";
    for (int32_t i = 0; !error && i < count; i++) {
        if (!frames[i])
            error = "Bad image pointer";
        else if (!frames[i]->IsValid())
            error = "Empty image";
        else if (!frames[i]->IsIndexed())
            error = "CRasterImageGIF::Encode cannot create animated GIFs with a true color frame. Use DecreaseBpp before";
    }
    if (error) {
        SetError(error);
        return false;
    }
    GifOutput out(stream);
    WriteHeader(out, *frames[0], true);
    if (m_loops != 1) {
        static const uint8_t kNetscape[] = {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 0x03, 0x01};
        out.Bytes(kNetscape, sizeof(kNetscape));
        out.U16(uint32_t(m_loops > 1 ? m_loops - 1 : 0));
        out.Byte(0);
    }
    WriteComment(out, m_comment);
    for (int32_t i = 0; i < count; i++) {
        WriteControl(out, *frames[i], localDisposal ? frames[i]->GetDisposalMethod() : GetDisposalMethod());
        WriteImage(out, *frames[i], i > 0 && localColorTables, GetCodecOption(RASTER_FORMAT_GIF));
    }
    out.Byte(0x3B);
    if (out.Failed()) {
        SetError("Write Error in GIF file");
        return false;
    }
    return true;
}

// A true-colour image goes out as 17 x 15 tiles, each an 8-bit image whose palette holds its
// own pixels' colours.
bool CRasterImageGIF::EncodeTrueColor(CImageStream* stream)
{
    const int32_t kTileWidth = 17, kTileHeight = 15;
    GifOutput out(stream);
    WriteHeader(out, *this, false);
    WriteComment(out, m_comment);
    int32_t width = int32_t(GetWidth()), height = int32_t(GetHeight());
    for (int32_t top = 0; top < height; top += kTileHeight) {
        for (int32_t left = 0; left < width; left += kTileWidth) {
            int32_t w = width - left < kTileWidth ? width - left : kTileWidth;
            int32_t h = height - top < kTileHeight ? height - top : kTileHeight;
            CRasterImage tile(uint32_t(w), uint32_t(h), 8, RASTER_FORMAT_GIF);
            if (!tile.IsValid()) {
                CopyErrorFrom(tile);
                return false;
            }
            if (IsTransparent()) {
                tile.SetPaletteColor(0, GetTransColor());
                tile.SetTransIndex(0);
            }
            for (int32_t y = 0; y < h; y++) {
                for (int32_t x = 0; x < w; x++) {
                    uint8_t index = uint8_t(y * kTileWidth + 1 + x);
                    tile.SetPaletteColor(index, GetPixelColorUnchecked(left + x, height - 1 - top - y, false));
                    tile.SetPixelIndexUnchecked(x, h - 1 - y, index);
                }
            }
            tile.SetOffset(left, top);
            WriteControl(out, tile, 0);
            WriteImage(out, tile, true, GetCodecOption(RASTER_FORMAT_GIF));
        }
    }
    out.Byte(0x3B);
    if (out.Failed()) {
        SetError("Write Error in GIF file");
        return false;
    }
    return true;
}
