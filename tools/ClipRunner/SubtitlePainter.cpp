#include "tools/ClipRunner/SubtitlePainter.h"

#include "tools/ClipRunner/MemoryCanvas.h"

#include <algorithm>
#include <cstring>

namespace {

const int kLinesPerHeight = 16;  // text height: this many lines would fill the picture
const int kSmallestText = 10;
const uint32_t kOutlineLevel = 16;  // the outline's grey
const UINT kTextFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;

// The rectangle that a stretch of the canvas covers on the picture.
RECT OnPicture(const RECT& picture, int canvasWidth, int canvasHeight, const SubtitleBitmap& bitmap)
{
    int pictureWidth = picture.right - picture.left, pictureHeight = picture.bottom - picture.top;
    return RECT{picture.left + MulDiv(bitmap.x, pictureWidth, canvasWidth),
                picture.top + MulDiv(bitmap.y, pictureHeight, canvasHeight),
                picture.left + MulDiv(bitmap.x + bitmap.width, pictureWidth, canvasWidth),
                picture.top + MulDiv(bitmap.y + bitmap.height, pictureHeight, canvasHeight)};
}

void PaintBitmap(HDC dc, const RECT& picture, int canvasWidth, int canvasHeight, const SubtitleBitmap& bitmap)
{
    if (canvasWidth <= 0 || canvasHeight <= 0 || bitmap.width <= 0 || bitmap.height <= 0)
        return;
    MemoryCanvas source(dc, bitmap.width, bitmap.height);
    if (!source.Valid())
        return;
    memcpy(source.Pixels(), bitmap.pixels.data(), bitmap.pixels.size() * sizeof(uint32_t));
    RECT target = OnPicture(picture, canvasWidth, canvasHeight, bitmap);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, source.Dc(), 0, 0,
               bitmap.width, bitmap.height, blend);
}

class Font {
public:
    explicit Font(int height)
        : m_font(CreateFontW(-height, 0, 0, 0, FW_SEMIBOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"))
    {}
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    ~Font() { DeleteObject(m_font); }
    HFONT Handle() const { return m_font; }

private:
    HFONT m_font;
};

// White letters on black in the canvas, each drawn at the given offsets; the grey level of a
// pixel is then how much the letters cover it.
void DrawCoverage(MemoryCanvas& canvas, const Font& font, const std::wstring& text, RECT box, int reach)
{
    memset(canvas.Pixels(), 0, static_cast<size_t>(canvas.Width()) * canvas.Height() * 4);
    HGDIOBJ old = SelectObject(canvas.Dc(), font.Handle());
    SetBkMode(canvas.Dc(), TRANSPARENT);
    SetTextColor(canvas.Dc(), RGB(255, 255, 255));
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            if (dx * dx + dy * dy > reach * reach + 1)
                continue;
            RECT shifted = {box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
            DrawTextW(canvas.Dc(), text.c_str(), -1, &shifted, kTextFormat);
        }
    }
    SelectObject(canvas.Dc(), old);
}

int TextBlockHeight(HDC dc, const Font& font, const std::wstring& text, int width)
{
    int saved = SaveDC(dc);
    SelectObject(dc, font.Handle());
    RECT measured = {0, 0, width, 0};
    DrawTextW(dc, text.c_str(), -1, &measured, kTextFormat | DT_CALCRECT);
    RestoreDC(dc, saved);
    return measured.bottom - measured.top;
}

// The text as a bitmap on the picture's frame, premultiplied: white letters inside a dark
// outline, centred half a line above the bottom.
SubtitleBitmap TextBitmap(HDC dc, int pictureWidth, int pictureHeight, const std::wstring& text)
{
    int textHeight = std::max(kSmallestText, pictureHeight / kLinesPerHeight);
    int outline = std::max(1, (textHeight + 5) / 10);
    int margin = textHeight / 2;
    Font font(textHeight);
    int boxWidth = std::max(1, pictureWidth - 2 * margin);
    int boxHeight = std::min(TextBlockHeight(dc, font, text, boxWidth), pictureHeight);
    SubtitleBitmap bitmap;
    bitmap.width = boxWidth + 2 * outline;
    bitmap.height = boxHeight + 2 * outline;
    bitmap.x = margin - outline;
    bitmap.y = std::max(0, pictureHeight - margin - boxHeight - outline);
    MemoryCanvas covered(dc, bitmap.width, bitmap.height), letters(dc, bitmap.width, bitmap.height);
    if (!covered.Valid() || !letters.Valid())
        return SubtitleBitmap();
    RECT box = {outline, outline, outline + boxWidth, outline + boxHeight};
    DrawCoverage(covered, font, text, box, outline);
    DrawCoverage(letters, font, text, box, 0);
    bitmap.pixels.resize(static_cast<size_t>(bitmap.width) * bitmap.height);
    for (size_t i = 0; i < bitmap.pixels.size(); ++i) {
        uint32_t letter = (letters.Pixels()[i] >> 8) & 0xFF;
        uint32_t alpha = std::max(letter, (covered.Pixels()[i] >> 8) & 0xFF);
        uint32_t grey = letter + (alpha - letter) * kOutlineLevel / 255;
        bitmap.pixels[i] = (alpha << 24) | (grey << 16) | (grey << 8) | grey;
    }
    return bitmap;
}

}  // namespace

bool SubtitlePainter::Set(const std::vector<std::shared_ptr<const Subtitle>>& subtitles)
{
    if (subtitles == m_subtitles)
        return false;
    m_subtitles = subtitles;
    m_text.clear();
    for (const std::shared_ptr<const Subtitle>& subtitle : m_subtitles)
        if (!subtitle->text.empty())
            m_text += (m_text.empty() ? L"" : L"\n") + subtitle->text;
    return true;
}

void SubtitlePainter::Paint(HDC dc, const RECT& picture) const
{
    int width = picture.right - picture.left, height = picture.bottom - picture.top;
    if (width <= 0 || height <= 0)
        return;
    for (const std::shared_ptr<const Subtitle>& subtitle : m_subtitles)
        for (const SubtitleBitmap& bitmap : subtitle->bitmaps)
            PaintBitmap(dc, picture, subtitle->canvasWidth, subtitle->canvasHeight, bitmap);
    if (!m_text.empty())
        PaintBitmap(dc, picture, width, height, TextLayer(dc, width, height));
}

const SubtitleBitmap& SubtitlePainter::TextLayer(HDC dc, int width, int height) const
{
    if (m_text != m_layerText || width != m_layerWidth || height != m_layerHeight) {
        m_layer = TextBitmap(dc, width, height, m_text);
        m_layerText = m_text;
        m_layerWidth = width;
        m_layerHeight = height;
    }
    return m_layer;
}
