// Draws the subtitles on screen over the picture: text centred near the bottom, white with a
// dark outline, in a font that grows with the picture (drawn by GDI once per text and size);
// bitmaps with their alpha, placed and scaled from their canvas onto the picture. Window thread.
#pragma once

#include "tools/ClipRunner/MemoryCanvas.h"
#include "tools/ClipRunner/SubtitleQueue.h"

#include <windows.h>
#include <memory>
#include <string>
#include <vector>

class SubtitlePainter {
public:
    // True when they differ from those drawn so far.
    bool Set(const std::vector<std::shared_ptr<const Subtitle>>& subtitles);
    bool Empty() const { return m_subtitles.empty(); }
    // Blends the subtitles into the canvas, on which the picture fills `picture`.
    void Paint(MemoryCanvas& canvas, const RECT& picture) const;
    // The rectangle that Paint draws in; empty when it draws nothing.
    RECT Area(const RECT& picture) const;

private:
    struct Placed {
        const SubtitleBitmap* bitmap;
        RECT target;
    };
    std::vector<Placed> Layout(const RECT& picture) const;
    const SubtitleBitmap& TextLayer(int width, int height) const;

    std::vector<std::shared_ptr<const Subtitle>> m_subtitles;
    std::wstring m_text;  // of every text subtitle on screen, one under the other
    // The text drawn once for a picture of this size, blended onto each picture while it stays.
    mutable SubtitleBitmap m_layer;
    mutable std::wstring m_layerText;
    mutable int m_layerWidth = 0, m_layerHeight = 0;
};
