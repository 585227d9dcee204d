#include "tools/ClipRunner/SubtitlePainter.h"

#include "tools/ClipRunner/MemoryCanvas.h"

#include <algorithm>
#include <cstring>

namespace {

const int kLinesPerHeight = 16;  // text height: this many lines would fill the picture
const int kSmallestText = 10;
const COLORREF kTextColour = RGB(255, 255, 255);
const COLORREF kOutlineColour = RGB(16, 16, 16);

// The rectangle that a stretch of the canvas covers on the picture.
RECT OnPicture(const RECT& picture, int canvasWidth, int canvasHeight, int x, int y, int width, int height)
{
    int pictureWidth = picture.right - picture.left, pictureHeight = picture.bottom - picture.top;
    return RECT{picture.left + MulDiv(x, pictureWidth, canvasWidth),
                picture.top + MulDiv(y, pictureHeight, canvasHeight),
                picture.left + MulDiv(x + width, pictureWidth, canvasWidth),
                picture.top + MulDiv(y + height, pictureHeight, canvasHeight)};
}

}  // namespace

bool SubtitlePainter::Set(const std::vector<std::shared_ptr<const Subtitle>>& subtitles)
{
    if (subtitles == m_subtitles)
        return false;
    m_subtitles = subtitles;
    return true;
}

void SubtitlePainter::Paint(HDC dc, const RECT& picture) const
{
    if (picture.right <= picture.left || picture.bottom <= picture.top)
        return;
    std::wstring text;
    for (const std::shared_ptr<const Subtitle>& subtitle : m_subtitles) {
        for (const SubtitleBitmap& bitmap : subtitle->bitmaps)
            PaintBitmap(dc, picture, *subtitle, bitmap);
        if (!subtitle->text.empty())
            text += (text.empty() ? L"" : L"\n") + subtitle->text;
    }
    if (!text.empty())
        PaintText(dc, picture, text);
}

void SubtitlePainter::PaintBitmap(HDC dc, const RECT& picture, const Subtitle& subtitle,
                                  const SubtitleBitmap& bitmap) const
{
    if (subtitle.canvasWidth <= 0 || subtitle.canvasHeight <= 0)
        return;
    MemoryCanvas source(dc, bitmap.width, bitmap.height);
    if (!source.Valid())
        return;
    memcpy(source.Pixels(), bitmap.pixels.data(), bitmap.pixels.size() * sizeof(uint32_t));
    RECT target = OnPicture(picture, subtitle.canvasWidth, subtitle.canvasHeight, bitmap.x, bitmap.y, bitmap.width,
                            bitmap.height);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, source.Dc(), 0, 0,
               bitmap.width, bitmap.height, blend);
}

// The outline is the text drawn dark around its place, the text then white on top.
void SubtitlePainter::PaintText(HDC dc, const RECT& picture, const std::wstring& text) const
{
    int textHeight = std::max(kSmallestText, static_cast<int>(picture.bottom - picture.top) / kLinesPerHeight);
    int outline = std::max(1, textHeight / 12);
    HFONT font = CreateFontW(-textHeight, 0, 0, 0, FW_SEMIBOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS,
                             L"Arial");
    int saved = SaveDC(dc);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    const UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    int margin = textHeight / 2;
    RECT box = {picture.left + margin, picture.top, picture.right - margin, picture.bottom - margin};
    RECT measured = box;
    DrawTextW(dc, text.c_str(), -1, &measured, format | DT_CALCRECT);
    box.top = std::max(picture.top, box.bottom - (measured.bottom - measured.top));
    SetTextColor(dc, kOutlineColour);
    for (int dy = -outline; dy <= outline; dy += outline) {
        for (int dx = -outline; dx <= outline; dx += outline) {
            RECT shifted = {box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
            if (dx != 0 || dy != 0)
                DrawTextW(dc, text.c_str(), -1, &shifted, format);
        }
    }
    SetTextColor(dc, kTextColour);
    DrawTextW(dc, text.c_str(), -1, &box, format);
    RestoreDC(dc, saved);
    DeleteObject(font);
}
