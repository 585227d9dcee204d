// GIF decoding: a block walker that composes frames onto the logical screen and an LZW decoder
// that never writes outside its frame. The encoders are in RasterImageGIFEncoder.cpp.
#include "image/RasterImageGIF.h"
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>
#include "image/ByteReader.h"
#include "image/ImageStream.h"

namespace {

// Buffered reader over the stream that knows the logical position, so that the stream can be
// left just after the bytes the decoder used.
class GifInput {
public:
    explicit GifInput(CImageStream* stream) : m_stream(stream), m_base(stream->Tell()) {}

    int Byte()
    {
        if (m_pos == m_len && !Refill())
            return -1;
        return m_buffer[m_pos++];
    }

    size_t Read(uint8_t* dst, size_t n)
    {
        size_t got = 0;
        while (got < n) {
            if (m_pos == m_len && !Refill())
                break;
            size_t take = m_len - m_pos < n - got ? m_len - m_pos : n - got;
            std::memcpy(dst + got, m_buffer + m_pos, take);
            m_pos += take;
            got += take;
        }
        return got;
    }

    // Skips data sub-blocks up to and including the zero-length one.
    void SkipSubBlocks()
    {
        for (;;) {
            int n = Byte();
            if (n <= 0)
                return;
            for (int i = 0; i < n; i++) {
                if (Byte() < 0)
                    return;
            }
        }
    }

    int32_t Tell() const { return m_base + int32_t(m_pos); }

    void Seek(int32_t position)
    {
        m_stream->Seek(position, SEEK_SET);
        m_base = position;
        m_pos = m_len = 0;
    }

private:
    bool Refill()
    {
        m_base += int32_t(m_len);
        m_pos = 0;
        m_len = m_stream->Read(m_buffer, 1, sizeof(m_buffer));
        return m_len > 0;
    }

    CImageStream* m_stream;
    int32_t m_base;
    size_t m_pos = 0;
    size_t m_len = 0;
    uint8_t m_buffer[16384];
};

// Receives decoded rows top-down (in interlace order when asked) and ignores rows past the
// frame's height and pixels past its width.
class GifRowWriter {
public:
    GifRowWriter(CRasterImage& frame, bool interlaced)
        : m_frame(frame), m_width(int32_t(frame.GetWidth())), m_height(int32_t(frame.GetHeight())),
          m_mask(uint8_t((1u << frame.GetBpp()) - 1)), m_interlaced(interlaced), m_step(interlaced ? 8 : 1)
    {
    }

    bool Done() const { return m_row >= m_height; }

    void Pixel(uint8_t index)
    {
        if (Done())
            return;
        if (m_x < m_width)
            m_frame.SetPixelIndexUnchecked(m_x, m_height - 1 - m_row, uint8_t(index & m_mask));
        if (++m_x == m_width)
            NextRow();
    }

private:
    void NextRow()
    {
        m_x = 0;
        m_row += m_step;
        // Interlace passes start at rows 0, 4, 2, 1 with steps 8, 8, 4, 2.
        while (m_interlaced && m_row >= m_height && m_pass < 3) {
            static const int32_t kStart[] = {0, 4, 2, 1};
            static const int32_t kStep[] = {8, 8, 4, 2};
            m_pass++;
            m_row = kStart[m_pass];
            m_step = kStep[m_pass];
        }
    }

    CRasterImage& m_frame;
    int32_t m_width;
    int32_t m_height;
    uint8_t m_mask;
    bool m_interlaced;
    int32_t m_step;
    int32_t m_row = 0;
    int32_t m_x = 0;
    int m_pass = 0;
};

// LZW decoding of one image's data sub-blocks. A bad code or a short stream ends the frame;
// the remaining sub-blocks are skipped either way.
class GifLzwDecoder {
public:
    GifLzwDecoder(GifInput& input, GifRowWriter& rows) : m_in(input), m_rows(rows) {}

    bool Run()
    {
        int size = m_in.Byte();
        if (size < 2 || size > 9) {
            m_in.SkipSubBlocks();
            return false;
        }
        bool ok = Decode(size);
        if (!m_dataEnded) {
            // The rest of the sub-block being read, then the sub-blocks after it.
            while (m_blockLeft-- > 0 && m_in.Byte() >= 0) {
            }
            m_in.SkipSubBlocks();
        }
        return ok;
    }

private:
    int NextDataByte()
    {
        if (m_blockLeft == 0) {
            int n = m_in.Byte();
            if (n <= 0) {
                m_dataEnded = true;
                return -1;
            }
            m_blockLeft = n;
        }
        m_blockLeft--;
        int b = m_in.Byte();
        if (b < 0)
            m_dataEnded = true;
        return b;
    }

    int Code(int width)
    {
        while (m_bits < width) {
            int b = NextDataByte();
            if (b < 0)
                return -1;
            m_acc |= uint32_t(b) << m_bits;
            m_bits += 8;
        }
        int code = int(m_acc & ((1u << width) - 1));
        m_acc >>= width;
        m_bits -= width;
        return code;
    }

    bool Decode(int size)
    {
        const int clear = 1 << size, end = clear + 1;
        int width = size + 1, next = clear + 2, old = -1, first = 0;
        int code;
        while (!m_rows.Done() && (code = Code(width)) >= 0) {
            if (code == clear) {
                width = size + 1;
                next = clear + 2;
                old = -1;
                continue;
            }
            if (code == end)
                return true;
            if (old < 0) {
                if (code >= clear)
                    return false;
                m_rows.Pixel(uint8_t(code));
                old = first = code;
                continue;
            }
            int in = code, sp = 0;
            if (code > next || (code == next && next >= 4096))
                return false;
            if (code == next) {
                m_stack[sp++] = uint8_t(first);
                code = old;
            }
            while (code >= clear) {
                if (sp >= 4094)
                    return false;
                m_stack[sp++] = m_suffix[code];
                code = m_prefix[code];
            }
            first = code;
            m_stack[sp++] = uint8_t(first);
            if (next < 4096) {
                m_prefix[next] = uint16_t(old);
                m_suffix[next] = uint8_t(first);
                next++;
                if (next == (1 << width) && width < 12)
                    width++;
            }
            old = in;
            while (sp > 0)
                m_rows.Pixel(m_stack[--sp]);
        }
        return m_rows.Done();
    }

    GifInput& m_in;
    GifRowWriter& m_rows;
    int m_blockLeft = 0;
    bool m_dataEnded = false;
    uint32_t m_acc = 0;
    int m_bits = 0;
    uint16_t m_prefix[4096] = {};
    uint8_t m_suffix[4096] = {};
    uint8_t m_stack[4096] = {};
};

struct GifPalette {
    RasterRgb colors[256];
    int count = 0;
};

struct GifDescriptor {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
    uint8_t flags;
};

GifDescriptor ParseDescriptor(const uint8_t raw[9])
{
    ByteReader r(raw, 9);
    return GifDescriptor {r.U16(0), r.U16(2), r.U16(4), r.U16(6), r.U8(8)};
}

bool ReadPalette(GifInput& in, uint8_t flags, GifPalette& palette)
{
    palette.count = 2 << (flags & 7);
    return in.Read(&palette.colors[0].red, size_t(palette.count) * 3) == size_t(palette.count) * 3;
}

int BitsFor(int colors)
{
    return colors <= 2 ? 1 : colors <= 16 ? 4 : 8;
}

} // namespace


// One decode: the block walk over the file, the screen being composed and the frame settings
// the graphic control blocks give.
class GifDecoder {
public:
    GifDecoder(CRasterImageGIF& image, GifInput& input) : m_image(image), m_in(input) {}
    bool Run();

private:
    struct Control {
        int32_t transIndex = -1;
        uint16_t delay = 0;
        uint8_t disposal = 0;
    };

    int32_t CountFrames();
    bool FitsScreen(const GifDescriptor& d) const;
    void ReadExtension();
    bool ReadImage(bool& stop);
    std::unique_ptr<CRasterImage> NextScreen(int bits, const GifPalette& palette);
    void Compose(CRasterImage& frame, const GifDescriptor& d);
    void ComposeTile(CRasterImage& frame, const GifDescriptor& d);
    bool Finish();

    CRasterImageGIF& m_image;
    GifInput& m_in;
    int32_t m_screenWidth = 0;
    int32_t m_screenHeight = 0;
    uint8_t m_background = 0;
    GifPalette m_global;
    bool m_hasGlobal = false;
    int m_tileCounter = 0;
    int32_t m_count = 0;
    int32_t m_wanted = 0;
    int32_t m_index = 0;
    int32_t m_firstTransIndex = -1;
    bool m_restoresPrevious = false;    // a frame with disposal 3 exists
    Control m_control;
    uint8_t m_previousDisposal = 0;
    uint64_t m_keptFrameBytes = 0;      // pictures kept for an all-frames decode
    GifPalette m_lastPalette;
    std::unique_ptr<CRasterImage> m_screen;
    std::unique_ptr<CRasterImage> m_previous;
    std::unique_ptr<CRasterImage> m_tiles;
};

bool GifDecoder::Run()
{
    uint8_t header[13];
    if (m_in.Read(header, 13) != 13 || std::memcmp(header, "GIF8", 4) != 0)
        return false;
    ByteReader r(header, 13);
    m_screenWidth = r.U16(6);
    m_screenHeight = r.U16(8);
    m_background = r.U8(11);
    if (m_image.GetEscape() == -1) {
        m_image.SetDimensionsOnly(uint32_t(m_screenWidth), uint32_t(m_screenHeight), RASTER_FORMAT_GIF);
        return true;
    }
    m_hasGlobal = (r.U8(10) & 0x80) != 0;
    if (m_hasGlobal && !ReadPalette(m_in, r.U8(10), m_global))
        return false;
    m_tileCounter = m_hasGlobal ? 0 : 1;
    m_count = CountFrames();
    if (m_image.Info().retrieveAllFrames)
        m_image.ResetFrames(m_count);
    m_image.SetNumFrames(m_count);
    m_wanted = m_image.GetFrame();
    if (m_wanted < 0 || m_wanted >= m_count)
        return false;
    if (m_count == 1)
        m_tileCounter = 0;
    bool stop = false;
    while (!stop) {
        int b = m_in.Byte();
        if (b < 0 || b == 0x3B)
            break;
        if (m_image.GetEscape() > 0)
            return false;
        if (b == 0x21)
            ReadExtension();
        else if (b == 0x2C && !ReadImage(stop))
            return false;
        else if (b != 0x2C && b != 0) {
            // Not a block start: pass over bytes up to the next zero byte.
            while (b > 0)
                b = m_in.Byte();
        }
    }
    return Finish();
}

bool GifDecoder::FitsScreen(const GifDescriptor& d) const
{
    return d.width > 0 && d.height > 0 && d.left + d.width <= m_screenWidth && d.top + d.height <= m_screenHeight;
}

int32_t GifDecoder::CountFrames()
{
    int32_t start = m_in.Tell();
    int32_t count = 0;
    for (;;) {
        int b = m_in.Byte();
        if (b < 0 || b == 0x3B)
            break;
        if (b == 0x21) {
            int label = m_in.Byte();
            int size = m_in.Byte();
            if (size > 0) {
                uint8_t block[255];
                size_t got = m_in.Read(block, size_t(size));
                if (label == 0xF9 && got >= 1 && ((block[0] >> 2) & 7) == 3)
                    m_restoresPrevious = true;
                m_in.SkipSubBlocks();
            }
        } else if (b == 0x2C) {
            uint8_t raw[9];
            if (m_in.Read(raw, 9) != 9)
                break;
            GifDescriptor d = ParseDescriptor(raw);
            GifPalette local;
            if ((d.flags & 0x80) && !ReadPalette(m_in, d.flags, local))
                break;
            m_in.Byte();
            m_in.SkipSubBlocks();
            if (FitsScreen(d))
                count++;
        } else if (b != 0) {
            while (b > 0)
                b = m_in.Byte();
        }
    }
    m_in.Seek(start);
    return count;
}

void GifDecoder::ReadExtension()
{
    int label = m_in.Byte();
    int size = m_in.Byte();
    if (size <= 0)
        return;
    uint8_t block[255];
    size_t got = m_in.Read(block, size_t(size));
    ByteReader r(block, got);
    if (label == 0xF9 && size == 4 && got == 4) {
        m_control.transIndex = (r.U8(0) & 1) ? r.U8(3) : -1;
        m_control.delay = r.U16(1);
        m_control.disposal = uint8_t((r.U8(0) >> 2) & 7);
    } else if (label == 0xFE) {
        m_image.m_comment.assign(reinterpret_cast<const char*>(block), got);
    } else if (label == 0xFF && size == 11 && got == 11) {
        int n = m_in.Byte();
        if (n > 0) {
            uint8_t sub[255];
            size_t subGot = m_in.Read(sub, size_t(n));
            if (subGot > 2)
                m_image.m_loops = sub[1] | sub[2] << 8;
        } else {
            return;
        }
    }
    m_in.SkipSubBlocks();
}

// The screen a frame is painted on, by the previous frame's disposal method.
std::unique_ptr<CRasterImage> GifDecoder::NextScreen(int bits, const GifPalette& palette)
{
    std::unique_ptr<CRasterImage> screen(new CRasterImage(RASTER_FORMAT_GIF));
    screen->CopyInfo(m_image);
    if (!m_screen) {
        if (!screen->Create(uint32_t(m_screenWidth), uint32_t(m_screenHeight), uint32_t(bits), RASTER_FORMAT_GIF))
            return nullptr;
        screen->SetPalette(palette.colors, uint32_t(palette.count));
        screen->Clear(uint8_t(m_control.transIndex >= 0 ? m_control.transIndex : m_background));
        if (m_restoresPrevious)
            m_previous.reset(new CRasterImage(*screen));
        return screen;
    }
    if (m_previousDisposal == 2) {
        if (!screen->Create(m_screen->GetWidth(), m_screen->GetHeight(), m_screen->GetBpp(), RASTER_FORMAT_GIF))
            return nullptr;
        screen->SetPalette(m_screen->GetPalette(), m_screen->GetNumColors());
        screen->Clear(uint8_t(m_firstTransIndex >= 0 ? m_firstTransIndex : m_background));
        return screen;
    }
    if (m_previousDisposal == 3 && m_previous)
        return std::unique_ptr<CRasterImage>(new CRasterImage(*m_previous));
    return std::move(m_screen);     // painted on as it is
}

bool GifDecoder::ReadImage(bool& stop)
{
    uint8_t raw[9];
    if (m_in.Read(raw, 9) != 9) {
        stop = true;
        return true;
    }
    GifDescriptor d = ParseDescriptor(raw);
    GifPalette local;
    bool hasLocal = (d.flags & 0x80) != 0;
    if (hasLocal && !ReadPalette(m_in, d.flags, local)) {
        stop = true;
        return true;
    }
    if (!FitsScreen(d) || m_index >= m_count) {
        m_in.Byte();
        m_in.SkipSubBlocks();
        return true;
    }
    if (m_index == 0 && d.width != m_screenWidth && d.height != m_screenHeight)
        m_tileCounter++;
    const GifPalette& palette = hasLocal ? local : m_global;
    int colors = hasLocal || m_hasGlobal ? palette.count : 256;
    int bits = BitsFor(colors);
    if (m_index == 0)
        m_firstTransIndex = m_control.transIndex;

    CRasterImage frame(RASTER_FORMAT_GIF);
    if (!frame.Create(uint32_t(d.width), uint32_t(d.height), uint32_t(bits), RASTER_FORMAT_GIF)) {
        m_image.CopyErrorFrom(frame);
        return false;
    }
    frame.SetPalette(palette.colors, uint32_t(palette.count));
    frame.SetTransIndex(m_control.transIndex);
    if (m_control.transIndex >= 0 && palette.count < 256) {
        for (int i = palette.count; i < int(frame.GetNumColors()); i++)
            frame.SetPaletteColor(uint8_t(i), 255, 255, 255);
    }
    frame.Clear(0);
    GifRowWriter rows(frame, (d.flags & 0x40) != 0);
    GifLzwDecoder(m_in, rows).Run();
    if (m_image.GetEscape())
        return false;
    m_lastPalette = palette;
    if (m_tileCounter > 1) {
        ComposeTile(frame, d);
        m_wanted = m_count - 1;
    } else {
        std::unique_ptr<CRasterImage> screen = NextScreen(bits, palette);
        if (!screen) {
            m_image.SetError("CRasterImage::Create can't allocate memory");
            return false;
        }
        m_screen = std::move(screen);
        Compose(frame, d);
    }
    if (m_image.Info().retrieveAllFrames && m_tileCounter <= 1) {
        // Every kept frame is a whole screen: a small file of many frames on a large screen
        // must not claim more than one image may.
        m_keptFrameBytes += m_screen->GetSize();
        if (m_keptFrameBytes > kRasterMaxImageBytes) {
            m_image.SetError("RASTERIMAGE_MAX_MEMORY exceeded");
            return false;
        }
        CRasterImage* copy = new CRasterImage(*m_screen);
        copy->SetRetrieveAllFrames(false);
        m_image.SetFrameImage(m_index, copy);
    }
    // The screen is kept for a later "restore to previous" only when some frame asks for one.
    if (m_tileCounter <= 1 && m_control.disposal <= 1 && m_restoresPrevious)
        m_previous.reset(new CRasterImage(*m_screen));
    m_previousDisposal = m_control.disposal;
    stop = m_index == m_wanted && !m_image.Info().retrieveAllFrames;
    m_index++;
    return true;
}

// Paints the frame's non-transparent pixels onto the screen at its position.
void GifDecoder::Compose(CRasterImage& frame, const GifDescriptor& d)
{
    CRasterImage& screen = *m_screen;
    screen.IncreaseBpp(frame.GetBpp());
    int32_t yShift = m_screenHeight - d.top - d.height;
    int32_t trans = frame.GetTransIndex();
    for (int32_t y = 0; y < d.height; y++) {
        for (int32_t x = 0; x < d.width; x++) {
            uint8_t index = frame.GetPixelIndexUnchecked(x, y);
            if (int32_t(index) != trans)
                screen.SetPixelIndex(d.left + x, yShift + y, index);
        }
    }
    screen.SetTransIndex(m_firstTransIndex);
    screen.SetPalette(frame.GetPalette(), frame.GetNumColors());
}

// Tiles of a true-colour GIF go onto one 24-bit image.
void GifDecoder::ComposeTile(CRasterImage& frame, const GifDescriptor& d)
{
    if (!m_tiles) {
        m_tiles.reset(new CRasterImage(RASTER_FORMAT_GIF));
        m_tiles->CopyInfo(m_image);
        if (!m_tiles->Create(uint32_t(m_screenWidth), uint32_t(m_screenHeight), 24, RASTER_FORMAT_GIF))
            return;
        m_tiles->Clear(0);
    }
    int32_t yShift = m_screenHeight - d.top - d.height;
    for (int32_t y = 0; y < d.height; y++) {
        for (int32_t x = 0; x < d.width; x++)
            m_tiles->SetPixelColor(d.left + x, yShift + y, frame.GetPixelColorUnchecked(x, y, false));
    }
}

bool GifDecoder::Finish()
{
    CRasterImage* result = m_tiles ? m_tiles.get() : m_screen.get();
    if (!result || !result->IsValid())
        return false;
    if (m_tiles && m_control.transIndex >= 0) {
        const RasterRgb& c = m_lastPalette.colors[m_control.transIndex & 255];
        m_tiles->SetTransColor(RasterColor {c.blue, c.green, c.red, 0});
        m_tiles->SetTransIndex(0);
    }
    RasterImageInfo settings = m_image.Info();
    if (!m_image.MoveFrom(*result, false))
        return false;
    RasterImageInfo& info = m_image.Info();
    std::memcpy(info.lastError, settings.lastError, sizeof(info.lastError));
    info.escape = settings.escape;
    info.frame = settings.frame;
    info.retrieveAllFrames = settings.retrieveAllFrames;
    info.numFrames = m_count;
    info.frameDelay = m_control.delay;
    info.disposal = m_control.disposal;
    info.type = RASTER_FORMAT_GIF;
    return true;
}

bool CRasterImageGIF::Decode(CImageStream* stream)
{
    if (!stream)
        return false;
    std::unique_ptr<GifInput> input(new GifInput(stream));
    bool ok = GifDecoder(*this, *input).Run();
    // The stream is left just after the bytes the decoder used.
    stream->Seek(input->Tell(), SEEK_SET);
    return ok;
}
