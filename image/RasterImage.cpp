#include "image/RasterImage.h"
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

uint32_t NormalisedBpp(uint32_t bpp)
{
    if (bpp <= 1)
        return 1;
    if (bpp <= 4)
        return 4;
    if (bpp <= 8)
        return 8;
    return 24;
}

bool SameColor(RasterColor a, RasterColor b)
{
    return a.rgbBlue == b.rgbBlue && a.rgbGreen == b.rgbGreen && a.rgbRed == b.rgbRed
        && a.rgbReserved == b.rgbReserved;
}

void DeleteImages(std::vector<CRasterImage*>& images)
{
    for (CRasterImage* image : images)
        delete image;
    images.clear();
}

} // namespace

CRasterImage::CRasterImage(uint32_t imageType)
{
    InitDefaults(imageType);
}

CRasterImage::CRasterImage(uint32_t width, uint32_t height, uint32_t bpp, uint32_t imageType)
{
    InitDefaults(imageType);
    Create(width, height, bpp, imageType);
}

CRasterImage::CRasterImage(const CRasterImage& src, bool copyPixels, bool copySelection, bool copyAlpha)
{
    InitDefaults(src.m_info.type);
    CopyFrom(src, copyPixels, copySelection, copyAlpha);
}

CRasterImage::~CRasterImage()
{
    DeleteFrames();
    Destroy();
}

void CRasterImage::InitDefaults(uint32_t imageType)
{
    m_header = RasterInfoHeader {};
    m_info = RasterImageInfo {};
    m_info.type = imageType;
    m_info.jpegQuality = 90.0f;
    m_info.transIndex = -1;
    m_info.alphaMax = 255;
    m_info.enabled = true;
    m_info.jpegScale = 1;
    SetXDPI(96);
    SetYDPI(96);
    m_info.littleEndianHost = true;
}

void CRasterImage::SetError(const char* text)
{
    std::strncpy(m_info.lastError, text, sizeof(m_info.lastError) - 1);
    m_info.lastError[sizeof(m_info.lastError) - 1] = 0;
}

void CRasterImage::CopyErrorFrom(const CRasterImage& other)
{
    if (&other != this)
        SetError(other.m_info.lastError);
}

void* CRasterImage::Create(uint32_t width, uint32_t height, uint32_t bpp, uint32_t imageType)
{
    if (!Destroy())
        return nullptr;
    if (width == 0 || height == 0) {
        SetError("CRasterImage::Create : width and height must be greater than zero");
        return nullptr;
    }
    bpp = NormalisedBpp(bpp);
    // 64-bit sizes: a narrow, tall image must not wrap round to a small block.
    uint64_t effWidth = (uint64_t(width) * bpp + 31) / 32 * 4;
    uint64_t imageSize = effWidth * height;
    if (imageSize > kRasterMaxImageBytes || width > INT32_MAX || height > INT32_MAX) {
        SetError("RASTERIMAGE_MAX_MEMORY exceeded");
        return nullptr;
    }
    m_header.biSize = sizeof(RasterInfoHeader);
    m_header.biWidth = int32_t(width);
    m_header.biHeight = int32_t(height);
    m_header.biPlanes = 1;
    m_header.biBitCount = uint16_t(bpp);
    m_header.biCompression = 0;
    m_header.biSizeImage = uint32_t(imageSize);
    m_header.biClrUsed = bpp == 1 ? 2 : bpp == 4 ? 16 : bpp == 8 ? 256 : 0;
    m_header.biClrImportant = 0;
    m_info.type = imageType;
    m_info.effWidth = uint32_t(effWidth);
    m_info.nearestValid = false;

    m_block = static_cast<uint8_t*>(std::malloc(GetSize()));
    if (!m_block) {
        SetError("CRasterImage::Create can't allocate memory");
        return nullptr;
    }
    std::memset(m_block + sizeof(RasterInfoHeader), 0, GetPaletteSize());
    RefreshBlockHeader();
    m_bits = m_block + sizeof(RasterInfoHeader) + GetPaletteSize();
    return m_block;
}

void CRasterImage::RefreshBlockHeader()
{
    if (m_block)
        std::memcpy(m_block, &m_header, sizeof(RasterInfoHeader));
}

bool CRasterImage::Destroy()
{
    if (m_owner)
        return false;
    DeleteImages(m_layers);
    m_info.numLayers = 0;
    FreePlanes();
    std::free(m_block);
    m_block = nullptr;
    m_bits = nullptr;
    return true;
}

void CRasterImage::FreePlanes()
{
    std::free(m_selection);
    m_selection = nullptr;
    std::free(m_alpha);
    m_alpha = nullptr;
}

bool CRasterImage::DeleteFrames()
{
    if (m_owner)
        return false;
    DeleteImages(m_frames);
    m_info.numFrames = 0;
    return true;
}

void CRasterImage::ResetFrames(int32_t count)
{
    DeleteFrames();
    m_frames.assign(size_t(count > 0 ? count : 0), nullptr);
}

void CRasterImage::SetFrameImage(int32_t index, CRasterImage* image)
{
    if (index < 0 || size_t(index) >= m_frames.size()) {
        delete image;
        return;
    }
    delete m_frames[size_t(index)];
    m_frames[size_t(index)] = image;
}

CRasterImage* CRasterImage::GetFrameImage(int32_t index) const
{
    if (index < 0 || size_t(index) >= m_frames.size())
        return nullptr;
    return m_frames[size_t(index)];
}

bool CRasterImage::CopyFrom(const CRasterImage& src, bool copyPixels, bool copySelection, bool copyAlpha)
{
    if (&src == this)
        return true;
    if (src.m_owner) {
        Borrow(src);
        return true;
    }
    if (m_owner)
        return false;
    m_info = src.m_info;
    m_header = src.m_header;
    if (!Create(src.GetWidth(), src.GetHeight(), src.GetBpp(), src.GetType()))
        return false;
    m_header.biClrImportant = src.m_header.biClrImportant;
    if (copyPixels && src.m_block)
        std::memcpy(m_block, src.m_block, src.GetSize());
    else if (src.GetPalette())
        std::memcpy(GetPalette(), src.GetPalette(), GetPaletteSize());
    RefreshBlockHeader();
    if (copySelection && src.m_selection && !PlaneCopy(m_selection, src.m_selection, src, 0))
        return false;
    if (copyAlpha && src.m_alpha && !PlaneCopy(m_alpha, src.m_alpha, src, 0))
        return false;
    return true;
}

void CRasterImage::CopyInfo(const CRasterImage& src)
{
    if (!m_block && &src != this)
        m_info = src.m_info;
}

bool CRasterImage::MoveFrom(CRasterImage& src, bool takeFrames)
{
    if (&src == this)
        return true;
    if (m_owner || src.m_owner || !Destroy())
        return false;
    if (takeFrames) {
        DeleteFrames();
        m_frames.swap(src.m_frames);
    }
    TakeStorageOf(src);
    m_layers.swap(src.m_layers);
    src.m_header = RasterInfoHeader {};
    src.m_info = RasterImageInfo {};
    src.m_block = nullptr;
    src.m_bits = nullptr;
    src.m_selection = nullptr;
    src.m_alpha = nullptr;
    return true;
}

void CRasterImage::Borrow(const CRasterImage& src)
{
    if (&src == this)
        return;
    if (!m_owner) {
        DeleteFrames();
        Destroy();
    }
    TakeStorageOf(src);
    m_layers = src.m_layers;
    m_frames = src.m_frames;
    m_owner = src.m_owner ? src.m_owner : &src;
}

// Points this image at the source's header, description, pixel block and planes; what it held
// before is the caller's to release.
void CRasterImage::TakeStorageOf(const CRasterImage& src)
{
    m_header = src.m_header;
    m_info = src.m_info;
    m_block = src.m_block;
    m_bits = src.m_bits;
    m_selection = src.m_selection;
    m_alpha = src.m_alpha;
}

void CRasterImage::SetDimensionsOnly(uint32_t width, uint32_t height, uint32_t type)
{
    m_header.biWidth = int32_t(width > INT32_MAX ? INT32_MAX : width);
    m_header.biHeight = int32_t(height > INT32_MAX ? INT32_MAX : height);
    m_info.type = type;
}

RasterColor* CRasterImage::GetPalette() const
{
    if (!m_block || m_header.biClrUsed == 0)
        return nullptr;
    return reinterpret_cast<RasterColor*>(m_block + sizeof(RasterInfoHeader));
}

uint32_t CRasterImage::GetSize() const
{
    return uint32_t(sizeof(RasterInfoHeader)) + GetPaletteSize() + m_header.biSizeImage;
}

bool CRasterImage::IsInside(int32_t x, int32_t y) const
{
    return x >= 0 && y >= 0 && x < m_header.biWidth && y < m_header.biHeight;
}

uint8_t* CRasterImage::GetRowPointer(int32_t row) const
{
    if (!m_block || row < 0 || row >= m_header.biHeight)
        return nullptr;
    return m_bits + size_t(row) * m_info.effWidth;
}

uint8_t* CRasterImage::GetPixelPointer24(int32_t x, int32_t y) const
{
    if (!m_block || IsIndexed() || !IsInside(x, y))
        return nullptr;
    return m_bits + size_t(y) * m_info.effWidth + size_t(x) * 3;
}

bool CRasterImage::SetType(uint32_t type)
{
    if (type >= 1 && type <= 5) {
        m_info.type = type;
        return true;
    }
    m_info.type = 0;
    return false;
}

void CRasterImage::SetTransIndex(int32_t index)
{
    m_info.transIndex = index < int32_t(m_header.biClrUsed) ? index : 0;
}

void CRasterImage::SetTransColor(RasterColor color)
{
    color.rgbReserved = 0;
    m_info.transColor = color;
}

RasterColor CRasterImage::GetTransColor() const
{
    if (m_header.biBitCount < 24 && m_info.transIndex >= 0)
        return GetPaletteColor(uint8_t(m_info.transIndex));
    return m_info.transColor;
}

void CRasterImage::SetOffset(int32_t x, int32_t y)
{
    m_info.xOffset = x;
    m_info.yOffset = y;
}

uint32_t CRasterImage::GetCodecOption(uint32_t imageType) const
{
    if (imageType == 0 || imageType > 5)
        imageType = m_info.type <= 5 ? m_info.type : 0;
    return m_info.codecOptions[imageType];
}

void CRasterImage::SetCodecOption(uint32_t option, uint32_t imageType)
{
    if (imageType == 0 || imageType > 5)
        imageType = m_info.type <= 5 ? m_info.type : 0;
    m_info.codecOptions[imageType] = option;
}

void CRasterImage::SetXDPI(int32_t dpi)
{
    if (dpi <= 0)
        dpi = 96;
    m_info.xDpi = dpi;
    m_header.biXPelsPerMeter = int32_t(std::floor(dpi * 39.37007874015748 + 0.5));
    RefreshBlockHeader();
}

void CRasterImage::SetYDPI(int32_t dpi)
{
    if (dpi <= 0)
        dpi = 96;
    m_info.yDpi = dpi;
    m_header.biYPelsPerMeter = int32_t(std::floor(dpi * 39.37007874015748 + 0.5));
    RefreshBlockHeader();
}

// ---- palette ----

RasterColor CRasterImage::GetPaletteColor(uint8_t index) const
{
    RasterColor* palette = GetPalette();
    if (palette && index < m_header.biClrUsed)
        return palette[index];
    return RasterColor {};
}

bool CRasterImage::GetPaletteRGB(int32_t index, uint8_t* red, uint8_t* green, uint8_t* blue) const
{
    RasterColor* palette = GetPalette();
    if (!palette || index < 0 || uint32_t(index) >= m_header.biClrUsed)
        return false;
    *red = palette[index].rgbRed;
    *green = palette[index].rgbGreen;
    *blue = palette[index].rgbBlue;
    return true;
}

void CRasterImage::SetPaletteColor(uint8_t index, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha)
{
    SetPaletteColor(index, RasterColor {blue, green, red, alpha});
}

void CRasterImage::SetPaletteColor(uint8_t index, RasterColor color)
{
    RasterColor* palette = GetPalette();
    if (palette && index < m_header.biClrUsed) {
        palette[index] = color;
        m_info.nearestValid = false;
    }
}

void CRasterImage::SetPalette(const RasterColor* colors, uint32_t count)
{
    RasterColor* palette = GetPalette();
    if (!palette || !colors)
        return;
    uint32_t n = count < m_header.biClrUsed ? count : m_header.biClrUsed;
    std::memcpy(palette, colors, n * sizeof(RasterColor));
    m_info.nearestValid = false;
}

// The first entries, as many as the palette holds, take the colours rgbAt(i) gives; each entry
// keeps its fourth byte.
template <class RgbAt>
void CRasterImage::SetPaletteRgb(uint32_t count, RgbAt rgbAt)
{
    RasterColor* palette = GetPalette();
    if (!palette)
        return;
    uint32_t n = count < m_header.biClrUsed ? count : m_header.biClrUsed;
    for (uint32_t i = 0; i < n; i++) {
        RasterRgb rgb = rgbAt(i);
        palette[i].rgbRed = rgb.red;
        palette[i].rgbGreen = rgb.green;
        palette[i].rgbBlue = rgb.blue;
    }
    m_info.nearestValid = false;
}

void CRasterImage::SetPalette(uint32_t count, const uint8_t* red, const uint8_t* green, const uint8_t* blue)
{
    if (!red)
        return;
    if (!green)
        green = red;
    if (!blue)
        blue = green;
    SetPaletteRgb(count, [=](uint32_t i) { return RasterRgb {red[i], green[i], blue[i]}; });
}

void CRasterImage::SetPalette(const RasterRgb* rgb, uint32_t count)
{
    if (rgb)
        SetPaletteRgb(count, [=](uint32_t i) { return rgb[i]; });
}

void CRasterImage::SetGrayPalette()
{
    RasterColor* palette = GetPalette();
    uint32_t n = m_header.biClrUsed;
    if (!palette || n < 2)
        return;
    uint32_t step = 255 / (n - 1);
    for (uint32_t i = 0; i < n; i++) {
        uint8_t v = uint8_t(i * step);
        palette[i].rgbBlue = palette[i].rgbGreen = palette[i].rgbRed = v;
    }
    m_info.nearestValid = false;
}

bool CRasterImage::IsGrayScale() const
{
    RasterColor* palette = GetPalette();
    if (!palette)
        return false;
    for (uint32_t i = 0; i < m_header.biClrUsed; i++) {
        if (palette[i].rgbBlue != i || palette[i].rgbGreen != i || palette[i].rgbRed != i)
            return false;
    }
    return true;
}

void CRasterImage::SwapIndex(uint8_t a, uint8_t b)
{
    RasterColor* palette = GetPalette();
    if (!palette || a >= m_header.biClrUsed || b >= m_header.biClrUsed || a == b)
        return;
    RasterColor t = palette[a];
    palette[a] = palette[b];
    palette[b] = t;
    m_info.nearestValid = false;
    for (int32_t y = 0; y < m_header.biHeight; y++) {
        for (int32_t x = 0; x < m_header.biWidth; x++) {
            uint8_t i = GetPixelIndexUnchecked(x, y);
            if (i == a)
                SetPixelIndexUnchecked(x, y, b);
            else if (i == b)
                SetPixelIndexUnchecked(x, y, a);
        }
    }
}

void CRasterImage::SetClrImportant(uint32_t count)
{
    if (count == 0 || count > 256) {
        m_header.biClrImportant = 0;
    } else {
        switch (m_header.biBitCount) {
        case 1: m_header.biClrImportant = count < 2 ? count : 2; break;
        case 4: m_header.biClrImportant = count < 16 ? count : 16; break;
        case 8: m_header.biClrImportant = count; break;
        default: return;
        }
    }
    m_info.nearestValid = false;
    RefreshBlockHeader();
}

uint8_t CRasterImage::GetNearestIndex(RasterColor color)
{
    RasterColor* palette = GetPalette();
    if (!palette)
        return 0;
    if (m_info.nearestValid && SameColor(m_info.nearestColor, color))
        return m_info.nearestIndex;
    uint32_t n = m_header.biClrImportant ? m_header.biClrImportant : m_header.biClrUsed;
    if (n > m_header.biClrUsed)
        n = m_header.biClrUsed;
    int32_t best = 200000;
    uint8_t bestIndex = 0;
    for (uint32_t i = 0; i < n; i++) {
        int32_t dr = palette[i].rgbRed - color.rgbRed;
        int32_t dg = palette[i].rgbGreen - color.rgbGreen;
        int32_t db = palette[i].rgbBlue - color.rgbBlue;
        int32_t d = dr * dr + dg * dg + db * db;
        if (d < best) {
            best = d;
            bestIndex = uint8_t(i);
            if (d == 0)
                break;
        }
    }
    m_info.nearestColor = color;
    m_info.nearestIndex = bestIndex;
    m_info.nearestValid = true;
    return bestIndex;
}

// ---- pixels ----

uint8_t CRasterImage::GetPixelIndex(int32_t x, int32_t y) const
{
    if (!m_block || m_header.biClrUsed == 0)
        return 0;
    if (!IsInside(x, y))
        return m_info.transIndex >= 0 ? uint8_t(m_info.transIndex) : *m_bits;
    return GetPixelIndexUnchecked(x, y);
}

uint8_t CRasterImage::GetPixelIndexUnchecked(int32_t x, int32_t y) const
{
    const uint8_t* row = m_bits + size_t(y) * m_info.effWidth;
    switch (m_header.biBitCount) {
    case 8: return row[x];
    case 4: return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    default: return 0;
    }
}

void CRasterImage::SetPixelIndex(int32_t x, int32_t y, uint8_t index)
{
    if (!m_block || m_header.biClrUsed == 0 || !IsInside(x, y) || index >= m_header.biClrUsed)
        return;
    SetPixelIndexUnchecked(x, y, index);
}

void CRasterImage::SetPixelIndexUnchecked(int32_t x, int32_t y, uint8_t index)
{
    uint8_t* row = m_bits + size_t(y) * m_info.effWidth;
    switch (m_header.biBitCount) {
    case 8:
        row[x] = index;
        break;
    case 4: {
        uint8_t& b = row[x >> 1];
        b = (x & 1) ? uint8_t((b & 0xF0) | (index & 0x0F)) : uint8_t((b & 0x0F) | (index << 4));
        break;
    }
    case 1: {
        uint8_t mask = uint8_t(0x80 >> (x & 7));
        uint8_t& b = row[x >> 3];
        b = (index & 1) ? uint8_t(b | mask) : uint8_t(b & ~mask);
        break;
    }
    default:
        break;
    }
}

RasterColor CRasterImage::GetPixelColor(int32_t x, int32_t y, bool getAlpha) const
{
    if (!m_block || !IsInside(x, y)) {
        if (m_info.transIndex < 0)
            return m_block ? GetPixelColorUnchecked(0, 0, getAlpha) : m_info.transColor;
        if (m_header.biBitCount < 24)
            return GetPaletteColor(uint8_t(m_info.transIndex));
        return m_info.transColor;
    }
    return GetPixelColorUnchecked(x, y, getAlpha);
}

RasterColor CRasterImage::GetPixelColorUnchecked(int32_t x, int32_t y, bool getAlpha) const
{
    RasterColor c;
    if (m_header.biClrUsed) {
        c = GetPaletteColor(GetPixelIndexUnchecked(x, y));
    } else {
        const uint8_t* p = m_bits + size_t(y) * m_info.effWidth + size_t(x) * 3;
        c = RasterColor {p[0], p[1], p[2], m_info.transColor.rgbReserved};
    }
    if (m_alpha && getAlpha)
        c.rgbReserved = AlphaGetUnchecked(x, y);
    return c;
}

void CRasterImage::SetPixelColor(int32_t x, int32_t y, RasterColor color, bool setAlpha)
{
    if (!m_block || !IsInside(x, y))
        return;
    SetPixelColorUnchecked(x, y, color, setAlpha);
}

void CRasterImage::SetPixelColorUnchecked(int32_t x, int32_t y, RasterColor color, bool setAlpha)
{
    if (m_header.biClrUsed) {
        SetPixelIndexUnchecked(x, y, GetNearestIndex(color));
    } else {
        uint8_t* p = m_bits + size_t(y) * m_info.effWidth + size_t(x) * 3;
        p[0] = color.rgbBlue;
        p[1] = color.rgbGreen;
        p[2] = color.rgbRed;
    }
    if (setAlpha)
        AlphaSet(x, y, color.rgbReserved);
}

void CRasterImage::SetPixelColorRef(int32_t x, int32_t y, COLORREF color)
{
    RasterColor c {uint8_t((color >> 16) & 0xFF), uint8_t((color >> 8) & 0xFF), uint8_t(color & 0xFF), 0};
    SetPixelColor(x, y, c, false);
}
