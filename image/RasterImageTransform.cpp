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

// One colour component of a 16-bit pixel: the mask's bits moved to the top of a byte. Any mask a
// file gives is safe here; the 5-5-5 and 5-6-5 layouts give value << (8 - bits) as usual.
uint8_t MaskedComponent(uint32_t word, uint32_t mask)
{
    uint32_t bits = CountBits(mask);
    if (bits == 0)
        return 0;
    uint32_t value = (word & mask) >> LowestBit(mask);
    return uint8_t(bits <= 8 ? value << (8 - bits) : value >> (bits - 8));
}

uint32_t BytePosition(uint32_t mask)
{
    return uint32_t((mask >> 8) != 0) + uint32_t((mask >> 16) != 0) + uint32_t((mask >> 24) != 0);
}

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

void CRasterImage::ConvertBitfields(const uint8_t* source, uint32_t redMask, uint32_t greenMask,
                                    uint32_t blueMask, uint8_t bits)
{
    if (!m_block || !source || m_header.biBitCount != 24)
        return;
    int32_t width = m_header.biWidth;
    // Backwards from the last pixel, so 16-bit rows read into this image's own (wider) rows
    // convert in place.
    if (bits == 16) {
        size_t srcRow = size_t((width + 1) / 2) * 4;
        redMask &= 0xFFFF;
        greenMask &= 0xFFFF;
        blueMask &= 0xFFFF;
        for (int32_t y = m_header.biHeight - 1; y >= 0; y--) {
            uint8_t* dst = GetRowPointer(y);
            const uint8_t* src = source + size_t(y) * srcRow;
            for (int32_t x = width - 1; x >= 0; x--) {
                uint32_t w = uint32_t(src[2 * x]) | uint32_t(src[2 * x + 1]) << 8;
                dst[3 * x] = MaskedComponent(w, blueMask);
                dst[3 * x + 1] = MaskedComponent(w, greenMask);
                dst[3 * x + 2] = MaskedComponent(w, redMask);
            }
        }
    } else if (bits == 32) {
        uint32_t rp = BytePosition(redMask), gp = BytePosition(greenMask), bp = BytePosition(blueMask);
        size_t srcRow = size_t(width) * 4;
        for (int32_t y = m_header.biHeight - 1; y >= 0; y--) {
            uint8_t* dst = GetRowPointer(y);
            const uint8_t* src = source + size_t(y) * srcRow;
            for (int32_t x = width - 1; x >= 0; x--) {
                const uint8_t* p = src + 4 * size_t(x);
                dst[3 * x] = p[bp];
                dst[3 * x + 1] = p[gp];
                dst[3 * x + 2] = p[rp];
            }
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
