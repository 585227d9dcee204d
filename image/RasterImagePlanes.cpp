// The alpha and selection planes: one byte per pixel, rows bottom-up, no row padding.
#include "image/RasterImage.h"
#include <cstdlib>
#include <cstring>

size_t CRasterImage::PlaneSize() const
{
    return size_t(m_header.biWidth) * size_t(m_header.biHeight);
}

// A plane is one byte a pixel, up to eight times a 1-bit pixel block: it keeps to the same limit
// as the block, so that no plane of an image Create allowed can reach gigabytes.
uint8_t* CRasterImage::PlaneAllocate(uint8_t fill) const
{
    if (!m_block || uint64_t(m_header.biWidth) * uint64_t(m_header.biHeight) > kRasterMaxImageBytes)
        return nullptr;
    uint8_t* plane = static_cast<uint8_t*>(std::malloc(PlaneSize()));
    if (plane)
        std::memset(plane, fill, PlaneSize());
    return plane;
}

// Copies the source's plane into this image's, made first where there is none; false unless the
// source has the plane and this image's size.
bool CRasterImage::PlaneCopy(uint8_t*& plane, const uint8_t* sourcePlane, const CRasterImage& source, uint8_t fill)
{
    if (!sourcePlane || source.GetWidth() != GetWidth() || source.GetHeight() != GetHeight())
        return false;
    if (!plane)
        plane = PlaneAllocate(fill);
    if (!plane)
        return false;
    std::memcpy(plane, sourcePlane, PlaneSize());
    return true;
}

// Swaps the rows of a plane top for bottom through one row buffer.
static bool FlipPlane(uint8_t* plane, size_t width, size_t height)
{
    uint8_t* row = static_cast<uint8_t*>(std::malloc(width ? width : 1));
    if (!row)
        return false;
    for (size_t top = height - 1, bottom = 0; bottom < top; top--, bottom++) {
        std::memcpy(row, plane + top * width, width);
        std::memcpy(plane + top * width, plane + bottom * width, width);
        std::memcpy(plane + bottom * width, row, width);
    }
    std::free(row);
    return true;
}

// ---- alpha ----

bool CRasterImage::AlphaCreate()
{
    if (!m_alpha)
        m_alpha = PlaneAllocate(255);
    return m_alpha != nullptr;
}

void CRasterImage::AlphaDelete()
{
    std::free(m_alpha);
    m_alpha = nullptr;
}

void CRasterImage::AlphaClear(uint8_t level)
{
    if (m_alpha)
        std::memset(m_alpha, level, PlaneSize());
}

void CRasterImage::AlphaInvert()
{
    if (!m_alpha)
        return;
    size_t n = PlaneSize();
    for (size_t i = 0; i < n; i++)
        m_alpha[i] = uint8_t(255 - m_alpha[i]);
}

void CRasterImage::AlphaSet(int32_t x, int32_t y, uint8_t level)
{
    if (m_alpha && IsInside(x, y))
        m_alpha[size_t(y) * size_t(m_header.biWidth) + size_t(x)] = level;
}

uint8_t CRasterImage::AlphaGet(int32_t x, int32_t y) const
{
    if (m_alpha && IsInside(x, y))
        return m_alpha[size_t(y) * size_t(m_header.biWidth) + size_t(x)];
    return 0;
}

uint8_t CRasterImage::AlphaGetUnchecked(int32_t x, int32_t y) const
{
    return m_alpha[size_t(y) * size_t(m_header.biWidth) + size_t(x)];
}

uint8_t* CRasterImage::AlphaGetPointer(int32_t x, int32_t y) const
{
    if (m_alpha && IsInside(x, y))
        return m_alpha + size_t(y) * size_t(m_header.biWidth) + size_t(x);
    return nullptr;
}

bool CRasterImage::AlphaCopy(const CRasterImage& source)
{
    if (!PlaneCopy(m_alpha, source.m_alpha, source, 255))
        return false;
    m_info.alphaMax = source.m_info.alphaMax;
    return true;
}

bool CRasterImage::AlphaSetFromGray(const CRasterImage& gray)
{
    if (!gray.IsGrayScale() || gray.GetWidth() != GetWidth() || gray.GetHeight() != GetHeight())
        return false;
    if (!m_alpha)
        m_alpha = PlaneAllocate(255);
    if (!m_alpha)
        return false;
    size_t width = size_t(m_header.biWidth);
    for (int32_t y = 0; y < m_header.biHeight; y++)
        std::memcpy(m_alpha + size_t(y) * width, gray.GetRowPointer(y), width);
    return true;
}

bool CRasterImage::AlphaSplit(CRasterImage* dest) const
{
    if (!m_alpha || !dest)
        return false;
    CRasterImage tmp;
    if (!tmp.Create(GetWidth(), GetHeight(), 8, 0)) {
        dest->CopyErrorFrom(tmp);
        return false;
    }
    tmp.SetGrayPalette();
    size_t width = size_t(m_header.biWidth);
    for (int32_t y = 0; y < m_header.biHeight; y++)
        std::memcpy(tmp.GetRowPointer(y), m_alpha + size_t(y) * width, width);
    return dest->MoveFrom(tmp);
}

bool CRasterImage::AlphaFlip()
{
    if (!m_alpha)
        return false;
    return FlipPlane(m_alpha, size_t(m_header.biWidth), size_t(m_header.biHeight));
}

bool CRasterImage::AlphaPaletteIsValid() const
{
    RasterColor* palette = GetPalette();
    if (!palette)
        return false;
    for (uint32_t i = 0; i < m_header.biClrUsed; i++) {
        if (palette[i].rgbReserved != 0)
            return true;
    }
    return false;
}

// ---- selection ----

bool CRasterImage::SelectionCreate()
{
    SelectionDelete();
    m_selection = PlaneAllocate(0);
    return m_selection != nullptr;
}

void CRasterImage::SelectionDelete()
{
    std::free(m_selection);
    m_selection = nullptr;
    m_info.selectionBox = RasterBox {m_header.biWidth, 0, 0, m_header.biHeight};
}

bool CRasterImage::SelectionIsInside(int32_t x, int32_t y) const
{
    if (!m_selection)
        return true;
    if (!IsInside(x, y))
        return false;
    return m_selection[size_t(y) * size_t(m_header.biWidth) + size_t(x)] != 0;
}

bool CRasterImage::SelectionCopy(const CRasterImage& source)
{
    if (!PlaneCopy(m_selection, source.m_selection, source, 0))
        return false;
    m_info.selectionBox = source.m_info.selectionBox;
    return true;
}

uint8_t* CRasterImage::SelectionGetPointer(int32_t x, int32_t y) const
{
    if (m_selection && IsInside(x, y))
        return m_selection + size_t(y) * size_t(m_header.biWidth) + size_t(x);
    return nullptr;
}

bool CRasterImage::SelectionFlip()
{
    if (!m_selection || !FlipPlane(m_selection, size_t(m_header.biWidth), size_t(m_header.biHeight)))
        return false;
    RasterBox& box = m_info.selectionBox;
    int32_t top = m_header.biHeight - box.bottom;
    box.bottom = m_header.biHeight - box.top;
    box.top = top;
    return true;
}
