// A 32-bit top-down DIB section selected into a memory DC of its own: where a frame is put
// together before it goes to the window, and where a subtitle bitmap is blended from.
#pragma once

#include <windows.h>
#include <cstdint>

// The header of a 32-bit BGRA bitmap whose top row comes first.
BITMAPINFOHEADER TopDownBitmapHeader(int width, int height);

class MemoryCanvas {
public:
    MemoryCanvas(HDC compatible, int width, int height);
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    ~MemoryCanvas();

    bool Valid() const { return m_old != nullptr; }
    HDC Dc() const { return m_dc; }
    uint32_t* Pixels() const { return m_pixels; }  // BGRA, width * height, top row first
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    HDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    uint32_t* m_pixels = nullptr;
    int m_width, m_height;
};
