// PNG through libpng. libpng reports errors through a handler that jumps back with longjmp:
// the structures are released on that path, the row buffer is the one local that changes after
// setjmp (volatile), and nothing with a destructor lives in the frames it jumps over.
#include "image/RasterImagePNG.h"
#include <climits>
#include <cmath>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <png.h>
#include "image/ImageStream.h"

namespace {

void ReadData(png_structp png, png_bytep data, size_t length)
{
    CImageStream* stream = static_cast<CImageStream*>(png_get_io_ptr(png));
    if (stream->Read(data, 1, length) != length)
        png_error(png, "Read Error");
}

void WriteData(png_structp png, png_bytep data, size_t length)
{
    CImageStream* stream = static_cast<CImageStream*>(png_get_io_ptr(png));
    if (stream->Write(data, 1, length) != length)
        png_error(png, "Write Error");
}

void FlushData(png_structp png)
{
    CImageStream* stream = static_cast<CImageStream*>(png_get_io_ptr(png));
    if (!stream->Flush())
        png_error(png, "Flush Error");
}

void ErrorHandler(png_structp png, png_const_charp message)
{
    char* text = static_cast<char*>(png_get_error_ptr(png));
    std::strncpy(text, message, 255);
    text[255] = 0;
    png_longjmp(png, 1);
}

void WarningHandler(png_structp, png_const_charp)
{
}

int32_t Dpi(png_uint_32 value, int unit)
{
    if (unit == PNG_RESOLUTION_METER)
        return int32_t(std::floor(value * 0.0254 + 0.5));
    return value > INT32_MAX ? INT32_MAX : int32_t(value);
}

uint8_t RowIndex(const uint8_t* row, int32_t x, int bpp)
{
    switch (bpp) {
    case 8: return row[x];
    case 4: return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    default: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    }
}

void SetRowIndex(uint8_t* row, int32_t x, int bpp, uint8_t v)
{
    switch (bpp) {
    case 8:
        row[x] = v;
        break;
    case 4:
        row[x >> 1] = (x & 1) ? uint8_t((row[x >> 1] & 0xF0) | (v & 0x0F))
                              : uint8_t((row[x >> 1] & 0x0F) | (v << 4));
        break;
    default: {
        uint8_t mask = uint8_t(0x80 >> (x & 7));
        row[x >> 3] = (v & 1) ? uint8_t(row[x >> 3] | mask) : uint8_t(row[x >> 3] & ~mask);
        break;
    }
    }
}

} // namespace

// ---- decoding ----

namespace {

struct PngDecodeShape {
    png_uint_32 width;
    png_uint_32 height;
    int colorType;
    int bitDepth;
    int channels;
};

// Ancillary chunks the decoder never uses. libpng passes over them (reading them in small
// pieces, keeping nothing), so that one declaring a gigabyte costs no memory: the file simply
// runs short. Each name is 5 bytes, the fifth a 0.
const png_byte kUnusedChunks[] = "tEXt\0zTXt\0iTXt\0sPLT\0pCAL\0sCAL\0eXIf\0iCCP\0hIST\0sBIT\0tIME\0oFFs\0"
                                 "gAMA\0cHRM\0sRGB";
const int kUnusedChunkCount = int(sizeof(kUnusedChunks) / 5);

// Limits set on every read structure, whatever libpng's own build defaults are: the largest
// chunk libpng may allocate (and decompress into), and the largest width and height.
const png_alloc_size_t kMaxChunkBytes = png_alloc_size_t(8) << 20;
const png_uint_32 kMaxSide = 1000000;

void SetReadLimits(png_structp png)
{
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kUnusedChunks, kUnusedChunkCount);
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    png_set_user_limits(png, kMaxSide, kMaxSide);
}

int ChannelsOf(int colorType)
{
    switch (colorType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_PALETTE: return 1;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 0;
    }
}

} // namespace

static void ApplyPalette(CRasterImage& image, png_structp png, png_infop info, int bitDepth)
{
    png_colorp plte = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &plte, &count) && count > 0) {
        RasterRgb rgb[256];
        int n = count < 256 ? count : 256;
        for (int i = 0; i < n; i++)
            rgb[i] = RasterRgb {plte[i].red, plte[i].green, plte[i].blue};
        image.SetPalette(rgb, uint32_t(n));
        image.SetClrImportant(uint32_t(n));
    } else if (bitDepth == 2) {
        for (uint8_t i = 0; i < 4; i++)
            image.SetPaletteColor(i, uint8_t(i * 85), uint8_t(i * 85), uint8_t(i * 85));
    } else {
        image.SetGrayPalette();
    }
}

static void ApplyTransparency(CRasterImage& image, png_structp png, png_infop info, int colorType, int bitDepth)
{
    png_bytep alpha = nullptr;
    int count = 0;
    png_color_16p color = nullptr;
    if (!png_get_tRNS(png, info, &alpha, &count, &color))
        return;
    // 16-bit images with a key arrive here as grey + alpha or colour + alpha (see Decode), so a
    // key is at most 8 bits; one beyond the bit depth matches no pixel and is left out.
    uint32_t largest = (1u << (bitDepth < 8 ? bitDepth : 8)) - 1;
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        // tRNS entry i belongs to palette entry i. One fully transparent entry is entry 0 as the
        // transparent index; any other alpha values, partial ones included, go into the palette.
        if (count == 1 && alpha && alpha[0] == 0) {
            image.SetTransIndex(0);
        } else if (count >= 1 && alpha) {
            for (uint32_t i = 0; i < image.GetNumColors(); i++) {
                RasterColor c = image.GetPaletteColor(uint8_t(i));
                c.rgbReserved = int(i) < count ? alpha[i] : 255;
                image.SetPaletteColor(uint8_t(i), c);
            }
            image.AlphaPaletteEnable(true);
        }
    } else if (colorType == PNG_COLOR_TYPE_GRAY && color && color->gray <= largest) {
        image.SetTransIndex(color->gray);
    } else if (colorType == PNG_COLOR_TYPE_RGB && color && color->red <= largest && color->green <= largest
               && color->blue <= largest) {
        image.SetTransColor(RasterColor {uint8_t(color->blue), uint8_t(color->green), uint8_t(color->red), 0});
        image.SetTransIndex(0);
    }
}

// Splits a grey + alpha or blue-green-red-alpha row into the image row and the alpha plane, or,
// with toBuffer, merges them back so that libpng can add the next interlace pass.
static void ExchangeAlphaRow(CRasterImage& image, uint8_t* buffer, int32_t y, int channels, bool toBuffer)
{
    uint8_t* row = image.GetRowPointer(y);
    uint8_t* alpha = image.AlphaGetPointer(0, y);
    int32_t width = int32_t(image.GetWidth());
    for (int32_t x = 0; x < width; x++) {
        uint8_t* p = buffer + size_t(x) * size_t(channels);
        if (channels == 2) {
            if (toBuffer) { p[0] = row[x]; p[1] = alpha[x]; }
            else { row[x] = p[0]; alpha[x] = p[1]; }
        } else {
            if (toBuffer) { std::memcpy(p, row + 3 * x, 3); p[3] = alpha[x]; }
            else { std::memcpy(row + 3 * x, p, 3); alpha[x] = p[3]; }
        }
    }
}

bool CRasterImagePNG::Decode(CImageStream* stream)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, Info().lastError, ErrorHandler,
                                             WarningHandler);
    if (!png) {
        SetError("Failed to create PNG structure");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        SetError("Failed to initialize PNG info structure");
        return false;
    }
    uint8_t* volatile buffer = nullptr;
    if (setjmp(png_jmpbuf(png))) {
        std::free(buffer);
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, stream, ReadData);
    SetReadLimits(png);
    png_read_info(png, info);
    PngDecodeShape s {png_get_image_width(png, info), png_get_image_height(png, info),
                      png_get_color_type(png, info), png_get_bit_depth(png, info), 0};
    s.channels = ChannelsOf(s.colorType);
    // The transparent grey value or colour of a 16-bit image is compared with whole 16-bit
    // samples: libpng turns it into an alpha channel before the samples are cut to 8 bits, and
    // the image is decoded as grey + alpha or colour + alpha.
    if (s.bitDepth == 16 && (s.colorType == PNG_COLOR_TYPE_GRAY || s.colorType == PNG_COLOR_TYPE_RGB)
        && png_get_valid(png, info, PNG_INFO_tRNS)) {
        png_set_tRNS_to_alpha(png);
        s.colorType |= PNG_COLOR_MASK_ALPHA;
        s.channels++;
    }
    bool ok = false;
    if (GetEscape() == -1) {
        SetDimensionsOnly(s.width, s.height, RASTER_FORMAT_PNG);
        ok = true;
    } else if (s.channels == 0) {
        SetError("unknown PNG color type");
    } else {
        buffer = PrepareImage(png, info, s.colorType, s.bitDepth, s.channels);
        ok = IsValid() && (s.channels == 1 || s.channels == 3 || buffer) && !GetEscape()
            && ReadRows(png, buffer, s.bitDepth, s.channels);
        if (ok)
            png_read_end(png, nullptr);
    }
    std::free(buffer);
    png_destroy_read_struct(&png, &info, nullptr);
    return ok;
}

// Creates the image, its palette, transparency and alpha plane and sets libpng's output format.
// Returns the row buffer the alpha channels pass through (null for the other colour types).
uint8_t* CRasterImagePNG::PrepareImage(png_structp png, png_infop info, int colorType, int bitDepth, int channels)
{
    uint32_t bits = channels == 1 ? uint32_t(bitDepth == 16 ? 8 : bitDepth) : channels == 2 ? 8 : 24;
    if (!Create(png_get_image_width(png, info), png_get_image_height(png, info), bits, RASTER_FORMAT_PNG))
        return nullptr;
    png_uint_32 rx = 0, ry = 0;
    int unit = PNG_RESOLUTION_UNKNOWN;
    png_get_pHYs(png, info, &rx, &ry, &unit);
    SetXDPI(Dpi(rx, unit));
    SetYDPI(Dpi(ry, unit));
    ApplyPalette(*this, png, info, bitDepth);
    ApplyTransparency(*this, png, info, colorType, bitDepth);
    if (bitDepth == 16)
        png_set_strip_16(png);
    if (colorType & PNG_COLOR_MASK_COLOR && colorType != PNG_COLOR_TYPE_PALETTE)
        png_set_bgr(png);
    int passes = png_set_interlace_handling(png);
    SetCodecOption(passes > 1 ? GetCodecOption(RASTER_FORMAT_PNG) | 1 : GetCodecOption(RASTER_FORMAT_PNG) & ~1u,
                   RASTER_FORMAT_PNG);
    m_passes = passes;
    png_read_update_info(png, info);
    if (channels != 2 && channels != 4)
        return nullptr;
    if (!AlphaCreate()) {
        SetError("CRasterImage::Create can't allocate memory");
        return nullptr;
    }
    uint8_t* buffer = static_cast<uint8_t*>(std::malloc(png_get_rowbytes(png, info) + 8));
    if (!buffer)
        SetError("CRasterImage::Create can't allocate memory");
    return buffer;
}

// Rows come top-down; without alpha libpng writes straight into the image rows (and merges
// later interlace passes into them), with alpha through the buffer. False when escape cancels.
bool CRasterImagePNG::ReadRows(png_structp png, uint8_t* buffer, int bitDepth, int channels)
{
    int32_t height = int32_t(GetHeight());
    for (int pass = 0; pass < m_passes; pass++) {
        for (int32_t y = height - 1; y >= 0; y--) {
            if (GetEscape())
                return false;
            if (!buffer) {
                png_read_row(png, GetRowPointer(y), nullptr);
                continue;
            }
            if (pass > 0)
                ExchangeAlphaRow(*this, buffer, y, channels, true);
            png_read_row(png, buffer, nullptr);
            ExchangeAlphaRow(*this, buffer, y, channels, false);
        }
    }
    if (bitDepth == 2) {
        for (int32_t y = 0; y < height; y++)
            Unpack2BitRow(GetRowPointer(y));
    }
    return true;
}

// ---- encoding ----

// What is written in place of the image's own palette: a copy, so the image is never changed.
struct PngPalette {
    png_color colors[256];
    png_byte alpha[256];
    uint8_t remap[256];         // image index -> written index
    int count;
    bool remapped;
};

static void BuildPalette(const CRasterImage& image, bool colorPalette, PngPalette& p)
{
    p.count = int(image.GetClrImportant() ? image.GetClrImportant() : image.GetNumColors());
    p.remapped = false;
    for (int i = 0; i < 256; i++) {
        RasterColor c = image.GetPaletteColor(uint8_t(i));
        p.colors[i] = png_color {c.rgbRed, c.rgbGreen, c.rgbBlue};
        p.alpha[i] = c.rgbReserved;
        p.remap[i] = uint8_t(i);
    }
    int t = image.GetTransIndex();
    // One tRNS entry covers entry 0: the transparent entry is written as entry 0.
    if (colorPalette && t > 0 && uint32_t(t) < image.GetNumColors()) {
        std::swap(p.colors[0], p.colors[t]);
        std::swap(p.alpha[0], p.alpha[t]);
        p.remap[0] = uint8_t(t);
        p.remap[t] = 0;
        p.remapped = true;
        if (p.count <= t)
            p.count = t + 1;
    }
}

void CRasterImagePNG::WriteRow(png_structp png, uint8_t* buffer, int32_t y, int colorType, const PngPalette& p)
{
    int32_t width = int32_t(GetWidth());
    const uint8_t* row = GetRowPointer(y);
    if (!(colorType & PNG_COLOR_MASK_ALPHA)) {
        std::memcpy(buffer, row, GetEffWidth());
        if (p.remapped) {
            for (int32_t x = 0; x < width; x++)
                SetRowIndex(buffer, x, GetBpp(), p.remap[RowIndex(row, x, GetBpp())]);
        }
    } else if (colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        for (int32_t x = 0; x < width; x++) {
            buffer[2 * x] = GetPixelIndexUnchecked(x, y);
            buffer[2 * x + 1] = AlphaGetUnchecked(x, y);
        }
    } else {
        RasterColor trans = GetTransColor();
        for (int32_t x = 0; x < width; x++) {
            const uint8_t* px = row + 3 * x;
            uint8_t* out = buffer + 4 * x;
            out[0] = px[2];
            out[1] = px[1];
            out[2] = px[0];
            out[3] = AlphaGetUnchecked(x, y);
            if (IsTransparent() && px[0] == trans.rgbBlue && px[1] == trans.rgbGreen && px[2] == trans.rgbRed)
                out[3] = 0;
        }
    }
    png_write_row(png, buffer);
}

void CRasterImagePNG::WriteHeader(png_structp png, png_infop info, int colorType, int bitDepth, PngPalette& p)
{
    uint32_t options = GetCodecOption(RASTER_FORMAT_PNG);
    switch (options & 0xE) {
    case 0x2: png_set_compression_level(png, 0); break;
    case 0x4: png_set_compression_level(png, 1); break;
    case 0x6: png_set_compression_level(png, 9); break;
    default: break;
    }
    png_color_16 background {};
    background.red = background.green = background.blue = 255;
    background.gray = png_uint_16((1 << bitDepth) - 1);
    if (IsTransparent()) {
        RasterColor t = GetTransColor();
        background.red = t.rgbRed;
        background.green = t.rgbGreen;
        background.blue = t.rgbBlue;
    }
    png_set_bKGD(png, info, &background);
    png_set_pHYs(png, info, png_uint_32(GetHeader().biXPelsPerMeter > 0 ? GetHeader().biXPelsPerMeter : 0),
                 png_uint_32(GetHeader().biYPelsPerMeter > 0 ? GetHeader().biYPelsPerMeter : 0),
                 PNG_RESOLUTION_METER);
    png_set_IHDR(png, info, GetWidth(), GetHeight(), bitDepth, colorType,
                 (options & 1) ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (colorType & PNG_COLOR_MASK_ALPHA)
        return;     // no tRNS beside an alpha channel
    if (IsTransparent()) {
        RasterColor t = GetTransColor();
        png_color_16 color {};
        color.red = t.rgbRed;
        color.green = t.rgbGreen;
        color.blue = t.rgbBlue;
        color.gray = png_uint_16(GetTransIndex());
        png_byte none = 0;
        png_set_tRNS(png, info, &none, 1, &color);
    }
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        png_set_PLTE(png, info, p.colors, p.count);
        if (AlphaPaletteIsEnabled())
            png_set_tRNS(png, info, p.alpha, p.count, nullptr);
    }
}

bool CRasterImagePNG::Encode(CImageStream* stream)
{
    if (CheckEncodeArgs(stream))
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, Info().lastError, ErrorHandler,
                                              WarningHandler);
    if (!png) {
        SetError("Failed to create PNG structure");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        SetError("Failed to initialize PNG info structure");
        return false;
    }
    PngPalette* volatile palette = nullptr;
    uint8_t* volatile buffer = nullptr;
    if (setjmp(png_jmpbuf(png))) {
        std::free(buffer);
        std::free(palette);
        png_destroy_write_struct(&png, &info);
        SetError("Error saving PNG file");
        return false;
    }
    png_set_write_fn(png, stream, WriteData, FlushData);
    int channels = GetBpp() > 8 ? 3 : 1;
    int bitDepth = GetBpp() / channels;
    int colorType = !IsIndexed() ? PNG_COLOR_TYPE_RGB : IsGrayScale() ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_PALETTE;
    if (AlphaIsValid()) {
        colorType |= PNG_COLOR_MASK_ALPHA;
        channels++;
        bitDepth = 8;
    }
    palette = static_cast<PngPalette*>(std::malloc(sizeof(PngPalette)));
    size_t rowBytes = size_t(channels) * GetWidth();
    buffer = static_cast<uint8_t*>(std::malloc((rowBytes > GetEffWidth() ? rowBytes : GetEffWidth()) + 8));
    if (!palette || !buffer)
        png_error(png, "out of memory");
    BuildPalette(*this, colorType == PNG_COLOR_TYPE_PALETTE, *palette);
    WriteHeader(png, info, colorType, bitDepth, *palette);
    png_write_info(png, info);
    if (colorType == PNG_COLOR_TYPE_RGB)
        png_set_bgr(png);
    int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; pass++) {
        for (int32_t y = int32_t(GetHeight()) - 1; y >= 0; y--)
            WriteRow(png, buffer, y, colorType, *palette);
    }
    png_write_end(png, info);
    std::free(buffer);
    std::free(palette);
    png_destroy_write_struct(&png, &info);
    return true;
}
