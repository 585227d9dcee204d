// Drawing into a device context: the GDI side. The pixel arithmetic lives in DrawMapping.
#include <windows.h>
#include <cstddef>
#include "image/DrawMapping.h"
#include "image/RasterImage.h"

static_assert(sizeof(RasterInfoHeader) == sizeof(BITMAPINFOHEADER), "info header layout");
static_assert(offsetof(RasterInfoHeader, biBitCount) == offsetof(BITMAPINFOHEADER, biBitCount), "info header layout");
static_assert(offsetof(RasterInfoHeader, biClrUsed) == offsetof(BITMAPINFOHEADER, biClrUsed), "info header layout");
static_assert(sizeof(RasterColor) == sizeof(RGBQUAD), "palette entry layout");
static_assert(sizeof(RECT) == 16, "RECT layout");

namespace {

// A 24-bit DIB section of the paint box's size on a memory context.
struct PaintSurface {
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    BITMAPINFO info = {};
    uint8_t* bits = nullptr;

    bool Create(HDC dc, int32_t w, int32_t h)
    {
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        void* p = nullptr;
        memory = CreateCompatibleDC(dc);
        bitmap = memory ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &p, nullptr, 0) : nullptr;
        if (!bitmap)
            return false;
        old = SelectObject(memory, bitmap);
        bits = static_cast<uint8_t*>(p);
        return true;
    }

    ~PaintSurface()
    {
        if (old)
            SelectObject(memory, old);
        if (bitmap)
            DeleteObject(bitmap);
        if (memory)
            DeleteDC(memory);
    }
};

} // namespace

bool CRasterImage::DrawInRect(HDC dc, const RECT& rect, const RECT* clip, bool smooth, bool flip)
{
    return Draw(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, clip, smooth, flip);
}

bool CRasterImage::Draw(HDC dc, int32_t x, int32_t y, int32_t cx, int32_t cy, const RECT* clip, bool smooth, bool flip)
{
    if (!m_block || !dc || cx == 0 || cy == 0 || !m_info.enabled)
        return false;
    if (cx < 0)
        cx = m_header.biWidth;
    if (cy < 0)
        cy = m_header.biHeight;
    int saved = SaveDC(dc);
    if (!saved)
        return false;
    RECT oldClip = {};
    if (clip) {
        GetClipBox(dc, &oldClip);
        HRGN region = CreateRectRgnIndirect(clip);
        ExtSelectClipRgn(dc, region, RGN_AND);
        DeleteObject(region);
    }
    RECT box = {};
    GetClipBox(dc, &box);
    DrawBox paint = ClipPaintBox(x, y, cx, cy, DrawBox {box.left, box.top, box.right, box.bottom});
    int32_t w = paint.right - paint.left, h = paint.bottom - paint.top;
    DrawMapping mapping = MakeDrawMapping(x, y, cx, cy, m_header.biWidth, m_header.biHeight);
    const BITMAPINFO* dib = reinterpret_cast<const BITMAPINFO*>(m_block);
    bool stretch = cx != m_header.biWidth || cy != m_header.biHeight;

    if (IsTransparent() || m_alpha || m_info.alphaPalette) {
        PaintSurface surface;
        if (surface.Create(dc, w, h)) {
            BitBlt(surface.memory, 0, 0, w, h, dc, paint.left, paint.top, SRCCOPY);
            GdiFlush();
            uint32_t rowBytes = uint32_t((w * 24 + 31) / 32 * 4);
            RenderPaintBox(*this, mapping, paint, smooth, flip, true, surface.bits, rowBytes);
            SetDIBitsToDevice(dc, paint.left, paint.top, DWORD(w), DWORD(h), 0, 0, 0, UINT(h), surface.bits,
                              &surface.info, DIB_RGB_COLORS);
        }
    } else if (!stretch) {
        SetStretchBltMode(dc, COLORONCOLOR);
        if (flip)
            StretchDIBits(dc, x, y + cy - 1, cx, -cy, 0, 0, m_header.biWidth, m_header.biHeight, m_bits, dib,
                          DIB_RGB_COLORS, SRCCOPY);
        else
            SetDIBitsToDevice(dc, x, y, DWORD(cx), DWORD(cy), 0, 0, 0, UINT(m_header.biHeight), m_bits, dib,
                              DIB_RGB_COLORS);
    } else {
        PaintSurface surface;
        if (surface.Create(dc, w, h)) {
            uint32_t rowBytes = uint32_t((w * 24 + 31) / 32 * 4);
            RenderPaintBox(*this, mapping, paint, smooth, flip, false, surface.bits, rowBytes);
            SetDIBitsToDevice(dc, paint.left, paint.top, DWORD(w), DWORD(h), 0, 0, 0, UINT(h), surface.bits,
                              &surface.info, DIB_RGB_COLORS);
        }
    }
    if (clip) {
        HRGN region = CreateRectRgnIndirect(&oldClip);
        ExtSelectClipRgn(dc, region, RGN_OR);
        DeleteObject(region);
    }
    RestoreDC(dc, saved);
    return true;
}
