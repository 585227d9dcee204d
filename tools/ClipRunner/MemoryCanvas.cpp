#include "tools/ClipRunner/MemoryCanvas.h"

MemoryCanvas::MemoryCanvas(HDC compatible, int width, int height)
    : m_dc(CreateCompatibleDC(compatible)), m_width(width), m_height(height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
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
