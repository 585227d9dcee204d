#include "tools/ClipRunner/MemoryCanvas.h"

BITMAPINFOHEADER TopDownBitmapHeader(int width, int height)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    return header;
}

MemoryCanvas::MemoryCanvas(HDC compatible, int width, int height)
    : m_dc(CreateCompatibleDC(compatible)), m_width(width), m_height(height)
{
    BITMAPINFO info = {};
    info.bmiHeader = TopDownBitmapHeader(width, height);
    void* bits = nullptr;
    if (m_dc && width > 0 && height > 0)
        m_bitmap = CreateDIBSection(compatible, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (m_bitmap && bits) {
        m_pixels = static_cast<uint32_t*>(bits);
        m_old = SelectObject(m_dc, m_bitmap);
    }
}

MemoryCanvas::~MemoryCanvas()
{
    if (m_old)
        SelectObject(m_dc, m_old);
    if (m_bitmap)
        DeleteObject(m_bitmap);
    if (m_dc)
        DeleteDC(m_dc);
}
