// A test canvas: a memory DC over a top-down 32-bit DIB section whose pixels are read back
// directly, so that checks do not depend on GetPixel.
#pragma once
#include "classlib/CDC.h"

const COLORREF kWhite = RGB(255, 255, 255);

// Starts white.
class DibCanvas {
public:
    DibCanvas(int cx, int cy) : m_cx(cx), m_cy(cy)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = cx;
        info.bmiHeader.biHeight = -cy;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* pBits = nullptr;
        m_bitmap.Attach(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0));
        m_pBits = static_cast<DWORD*>(pBits);
        m_dc.CreateCompatibleDC(nullptr);
        m_pOldBitmap = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, cx, cy, kWhite);
    }
    ~DibCanvas() { m_dc.SelectObject(m_pOldBitmap); }

    // The pixel as a COLORREF (the DIB stores blue in the low byte).
    COLORREF At(int x, int y) const
    {
        GdiFlush();
        DWORD v = m_pBits[y * m_cx + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    // The number of pixels of the colour in the rectangle.
    int Count(const RECT& rect, COLORREF color) const
    {
        int n = 0;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x)
                n += At(x, y) == color;
        }
        return n;
    }
    int Count(COLORREF color) const { return Count({0, 0, m_cx, m_cy}, color); }

    CDC m_dc;
    CBitmap m_bitmap;

private:
    int m_cx;
    int m_cy;
    DWORD* m_pBits = nullptr;
    CBitmap* m_pOldBitmap = nullptr;
};
