// Whole-image operations: clear, depth increase, flip, negative and the row conversions that the
// BMP and PNG decoders use.
#include "image/RasterImage.h"
#include <cstdlib>
#include <cstring>

namespace {

uint32_t CountBits(uint32_t mask)
{
    uint32_t n = 0;
    for (; mask; mask &= mask - 1)
        n++;
    return n;
}

uint32_t LowestBit(uint32_t mask)
{
    uint32_t shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        shift++;
    }
    return shift;
}

// One channel of a 16- or 32-bit pixel, described by its mask: the mask's bits are moved to the
// top of a byte, whatever the mask's width and place. The 5-5-5 and 5-6-5 layouts give
// value << (8 - bits) as usual; masks of 8 bits or more keep their top 8 bits (8-8-8, 10-10-10
// and 11-11-10 alike). An alpha mask narrower than 8 bits is instead scaled over the whole range,
// so that its largest value is 255 (opaque) and not, say, 128 for 1 bit. Any mask a file gives
// is safe here.
class MaskChannel {
public:
    MaskChannel(uint32_t mask, bool alpha)
        : m_mask(mask), m_shift(LowestBit(mask)), m_bits(CountBits(mask)), m_largest(0), m_scale(false)
    {
        m_scale = alpha && m_bits > 0 && m_bits < 8;
        if (m_scale)
            m_largest = (1u << m_bits) - 1;
    }

    uint8_t Get(uint32_t word) const
    {
        if (m_bits == 0)
            return 0;
        uint32_t value = (word & m_mask) >> m_shift;
        if (m_scale) {
            if (value > m_largest)    // a mask with gaps
                value = m_largest;
            return uint8_t((value * 255 + m_largest / 2) / m_largest);
        }
        return uint8_t(m_bits <= 8 ? value << (8 - m_bits) : value >> (m_bits - 8));
    }

private:
    uint32_t m_mask;
    uint32_t m_shift;
    uint32_t m_bits;
    uint32_t m_largest;
    bool m_scale;
};

} // namespace

void CRasterImage::SwapRedBlue(uint8_t* buffer, uint32_t length) const
{
    if (!buffer || IsIndexed())
        return;
    uint32_t n = length;
    if (n > m_info.effWidth)
        n = m_info.effWidth;
    if (n > GetWidth() * 3)
        n = GetWidth() * 3;
    for (uint32_t i = 0; i + 2 < n; i += 3) {
        uint8_t t = buffer[i];
        buffer[i] = buffer[i + 2];
        buffer[i + 2] = t;
    }
}

void CRasterImage::Clear(uint8_t value)
{
    if (!m_block)
        return;
    if (m_header.biBitCount == 1 && value)
        value = 255;
    else if (m_header.biBitCount == 4)
        value = uint8_t((value & 0x0F) * 17);
    std::memset(m_bits, value, m_header.biSizeImage);
}

bool CRasterImage::IncreaseBpp(uint32_t bits)
{
    if (bits == m_header.biBitCount)
        return true;
    if ((bits != 4 && bits != 8 && bits != 24) || bits < m_header.biBitCount || !m_block)
        return false;
    CRasterImage tmp;
    tmp.CopyInfo(*this);
    if (!tmp.Create(GetWidth(), GetHeight(), bits, GetType())) {
        CopyErrorFrom(tmp);
        return false;
    }
    int32_t width = m_header.biWidth;
    if (bits < 24) {
        tmp.SetPalette(GetPalette(), GetNumColors());
        for (int32_t y = 0; y < m_header.biHeight && !m_info.escape; y++) {
            for (int32_t x = 0; x < width; x++)
                tmp.SetPixelIndexUnchecked(x, y, GetPixelIndexUnchecked(x, y));
        }
    } else {
        for (int32_t y = 0; y < m_header.biHeight && !m_info.escape; y++) {
            for (int32_t x = 0; x < width; x++)
                tmp.SetPixelColorUnchecked(x, y, GetPixelColorUnchecked(x, y, true));
        }
        if (m_info.transIndex >= 0)
            tmp.SetTransColor(GetPaletteColor(uint8_t(m_info.transIndex)));
        if (AlphaPaletteIsValid() && !m_alpha && tmp.AlphaCreate()) {
            for (int32_t y = 0; y < m_header.biHeight; y++) {
                for (int32_t x = 0; x < width; x++)
                    tmp.AlphaSet(x, y, GetPaletteColor(GetPixelIndexUnchecked(x, y)).rgbReserved);
            }
        }
    }
    tmp.SelectionCopy(*this);
    tmp.AlphaCopy(*this);
    // This image's own frames stay: the temporary has none to give.
    return MoveFrom(tmp, false);
}

bool CRasterImage::Flip(bool flipSelection, bool flipAlpha)
{
    if (!m_block)
        return false;
    uint8_t* buffer = static_cast<uint8_t*>(std::malloc(m_info.effWidth));
    if (!buffer)
        return false;
    for (int32_t top = m_header.biHeight - 1, bottom = 0; bottom < top; top--, bottom++) {
        std::memcpy(buffer, GetRowPointer(top), m_info.effWidth);
        std::memcpy(GetRowPointer(top), GetRowPointer(bottom), m_info.effWidth);
        std::memcpy(GetRowPointer(bottom), buffer, m_info.effWidth);
    }
    std::free(buffer);
    if (flipSelection)
        SelectionFlip();
    if (flipAlpha)
        AlphaFlip();
    return true;
}

bool CRasterImage::Negative()
{
    if (!m_block)
        return false;
    // The selection box may hold anything a caller put there: clamp it to the image.
    RasterBox box = m_info.selectionBox;
    int32_t x0 = box.left > 0 ? box.left : 0;
    int32_t x1 = box.right < m_header.biWidth ? box.right : m_header.biWidth;
    int32_t y0 = box.bottom > 0 ? box.bottom : 0;
    int32_t y1 = box.top < m_header.biHeight ? box.top : m_header.biHeight;
    if (m_header.biBitCount > 8) {
        if (m_selection) {
            for (int32_t y = y0; y < y1; y++) {
                for (int32_t x = x0; x < x1; x++) {
                    if (SelectionIsInside(x, y)) {
                        uint8_t* p = GetPixelPointer24(x, y);
                        p[0] = uint8_t(255 - p[0]);
                        p[1] = uint8_t(255 - p[1]);
                        p[2] = uint8_t(255 - p[2]);
                    }
                }
            }
        } else {
            for (uint32_t i = 0; i < m_header.biSizeImage; i++)
                m_bits[i] = uint8_t(255 - m_bits[i]);
        }
        m_info.transColor.rgbBlue = uint8_t(255 - m_info.transColor.rgbBlue);
        m_info.transColor.rgbGreen = uint8_t(255 - m_info.transColor.rgbGreen);
        m_info.transColor.rgbRed = uint8_t(255 - m_info.transColor.rgbRed);
    } else if (!IsGrayScale()) {
        RasterColor* palette = GetPalette();
        for (uint32_t i = 0; i < m_header.biClrUsed; i++) {
            palette[i].rgbBlue = uint8_t(255 - palette[i].rgbBlue);
            palette[i].rgbGreen = uint8_t(255 - palette[i].rgbGreen);
            palette[i].rgbRed = uint8_t(255 - palette[i].rgbRed);
        }
        m_info.nearestValid = false;
    } else if (m_selection) {
        for (int32_t y = y0; y < y1; y++) {
            for (int32_t x = x0; x < x1; x++) {
                if (SelectionIsInside(x, y))
                    SetPixelIndex(x, y, uint8_t(255 - GetPixelIndexUnchecked(x, y)));
            }
        }
    } else {
        for (uint32_t i = 0; i < m_header.biSizeImage; i++)
            m_bits[i] = uint8_t(255 - m_bits[i]);
    }
    return true;
}

// Both depths through one mask conversion; 16-bit words are little-endian 2 bytes, 32-bit ones 4.
void CRasterImage::ConvertBitfields(const uint8_t* source, uint32_t redMask, uint32_t greenMask,
                                    uint32_t blueMask, uint8_t bits, uint32_t alphaMask)
{
    if (!m_block || !source || m_header.biBitCount != 24 || (bits != 16 && bits != 32))
        return;
    int32_t width = m_header.biWidth;
    size_t bytes = bits / 8;
    size_t srcRow = bits == 16 ? size_t((width + 1) / 2) * 4 : size_t(width) * 4;
    if (bits == 16) {
        redMask &= 0xFFFF;
        greenMask &= 0xFFFF;
        blueMask &= 0xFFFF;
        alphaMask &= 0xFFFF;
    }
    const MaskChannel red(redMask, false), green(greenMask, false), blue(blueMask, false), alphaOf(alphaMask, true);
    uint8_t* alpha = alphaMask && AlphaCreate() ? m_alpha : nullptr;
    // Backwards from the last pixel, so 16-bit rows read into this image's own (wider) rows
    // convert in place.
    for (int32_t y = m_header.biHeight - 1; y >= 0; y--) {
        uint8_t* dst = GetRowPointer(y);
        const uint8_t* src = source + size_t(y) * srcRow;
        for (int32_t x = width - 1; x >= 0; x--) {
            const uint8_t* p = src + size_t(x) * bytes;
            uint32_t w = uint32_t(p[0]) | uint32_t(p[1]) << 8;
            if (bits == 32)
                w |= uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
            dst[3 * x] = blue.Get(w);
            dst[3 * x + 1] = green.Get(w);
            dst[3 * x + 2] = red.Get(w);
            if (alpha)
                alpha[size_t(y) * size_t(width) + size_t(x)] = alphaOf.Get(w);
        }
    }
}

void CRasterImage::Unpack2BitRow(uint8_t* row) const
{
    if (!row)
        return;
    // Backwards, so that no 2-bit input is overwritten before it is read.
    for (int32_t x = m_header.biWidth - 1; x >= 0; x--) {
        uint8_t v = uint8_t((row[x >> 2] >> (6 - 2 * (x & 3))) & 3);
        uint8_t& b = row[x >> 1];
        b = (x & 1) ? uint8_t((b & 0xF0) | v) : uint8_t((b & 0x0F) | (v << 4));
    }
}

uint16_t CRasterImage::SwapShort(uint16_t value) const
{
    if (m_info.littleEndianHost)
        return value;
    return uint16_t((value >> 8) | (value << 8));
}

uint32_t CRasterImage::SwapLong(uint32_t value) const
{
    if (m_info.littleEndianHost)
        return value;
    return (value >> 24) | ((value >> 8) & 0xFF00) | ((value << 8) & 0xFF0000) | (value << 24);
}

void CRasterImage::SwapHeaderBytes(RasterInfoHeader& h) const
{
    h.biSize = SwapLong(h.biSize);
    h.biWidth = int32_t(SwapLong(uint32_t(h.biWidth)));
    h.biHeight = int32_t(SwapLong(uint32_t(h.biHeight)));
    h.biPlanes = SwapShort(h.biPlanes);
    h.biBitCount = SwapShort(h.biBitCount);
    h.biCompression = SwapLong(h.biCompression);
    h.biSizeImage = SwapLong(h.biSizeImage);
    h.biXPelsPerMeter = int32_t(SwapLong(uint32_t(h.biXPelsPerMeter)));
    h.biYPelsPerMeter = int32_t(SwapLong(uint32_t(h.biYPelsPerMeter)));
    h.biClrUsed = SwapLong(h.biClrUsed);
    h.biClrImportant = SwapLong(h.biClrImportant);
}
