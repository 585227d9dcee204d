// Draws the subtitles on screen over the picture with GDI: text centred near the bottom, white
// with a dark outline, in a font that grows with the picture; bitmaps with their alpha, placed
// and scaled from their canvas onto the picture. Window thread.
#pragma once

#include "tools/ClipRunner/SubtitleQueue.h"

#include <windows.h>
#include <memory>
#include <vector>

class SubtitlePainter {
public:
    // True when they differ from those drawn so far.
    bool Set(const std::vector<std::shared_ptr<const Subtitle>>& subtitles);
    bool Empty() const { return m_subtitles.empty(); }
    // Draws into dc, whose picture fills `picture`.
    void Paint(HDC dc, const RECT& picture) const;

private:
    void PaintBitmap(HDC dc, const RECT& picture, const Subtitle& subtitle, const SubtitleBitmap& bitmap) const;
    void PaintText(HDC dc, const RECT& picture, const std::wstring& text) const;

    std::vector<std::shared_ptr<const Subtitle>> m_subtitles;
};
