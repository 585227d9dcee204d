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

// Premultiplied source over the destination pixel.
uint32_t Over(uint32_t source, uint32_t destination)
{
    uint32_t keep = 255 - (source >> 24), result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        uint32_t channel = ((source >> shift) & 0xFF) + ((destination >> shift) & 0xFF) * keep / 255;
        result |= std::min<uint32_t>(channel, 255) << shift;
    }
    return result;
}

// The bitmap stretched over the target rectangle of the canvas, nearest pixel, clipped.
void Blend(MemoryCanvas& canvas, const SubtitleBitmap& bitmap, const RECT& target)
{
    RECT bounds = {0, 0, canvas.Width(), canvas.Height()}, clipped;
    if (!IntersectRect(&clipped, &bounds, &target))
        return;
    int64_t targetWidth = target.right - target.left, targetHeight = target.bottom - target.top;
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        const uint32_t* source = bitmap.pixels.data() + (y - target.top) * bitmap.height / targetHeight * bitmap.width;
        uint32_t* row = canvas.Pixels() + static_cast<size_t>(y) * canvas.Width();
        for (int x = clipped.left; x < clipped.right; ++x) {
            uint32_t pixel = source[(x - target.left) * bitmap.width / targetWidth];
            if (pixel >> 24)
                row[x] = Over(pixel, row[x]);
        }
    }
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

int TextBlockHeight(const Font& font, const std::wstring& text, int width)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font.Handle());
    RECT measured = {0, 0, width, 0};
    DrawTextW(dc, text.c_str(), -1, &measured, kTextFormat | DT_CALCRECT);
    SelectObject(dc, old);
    DeleteDC(dc);
    return measured.bottom - measured.top;
}

// The text as a bitmap on the picture's frame, premultiplied: white letters inside a dark
// outline, centred half a line above the bottom.
SubtitleBitmap TextBitmap(int pictureWidth, int pictureHeight, const std::wstring& text)
{
    int textHeight = std::max(kSmallestText, pictureHeight / kLinesPerHeight);
    int outline = std::max(1, (textHeight + 5) / 10);
    int margin = textHeight / 2;
    Font font(textHeight);
    int boxWidth = std::max(1, pictureWidth - 2 * margin);
    int boxHeight = std::min(TextBlockHeight(font, text, boxWidth), pictureHeight);
    SubtitleBitmap bitmap;
    bitmap.width = boxWidth + 2 * outline;
    bitmap.height = boxHeight + 2 * outline;
    bitmap.x = margin - outline;
    bitmap.y = std::max(0, pictureHeight - margin - boxHeight - outline);
    MemoryCanvas covered(nullptr, bitmap.width, bitmap.height), letters(nullptr, bitmap.width, bitmap.height);
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

void SubtitlePainter::Paint(MemoryCanvas& canvas, const RECT& picture) const
{
    for (const Placed& placed : Layout(picture))
        Blend(canvas, *placed.bitmap, placed.target);
}

RECT SubtitlePainter::Area(const RECT& picture) const
{
    RECT area = {0, 0, 0, 0};
    for (const Placed& placed : Layout(picture))
        UnionRect(&area, &area, &placed.target);
    return area;
}

// Every bitmap with the rectangle it covers on the picture, the text's last.
std::vector<SubtitlePainter::Placed> SubtitlePainter::Layout(const RECT& picture) const
{
    std::vector<Placed> placed;
    int width = picture.right - picture.left, height = picture.bottom - picture.top;
    if (width <= 0 || height <= 0)
        return placed;
    auto place = [&](int canvasWidth, int canvasHeight, const SubtitleBitmap& bitmap) {
        if (canvasWidth > 0 && canvasHeight > 0 && bitmap.width > 0 && bitmap.height > 0)
            placed.push_back({&bitmap, OnPicture(picture, canvasWidth, canvasHeight, bitmap)});
    };
    for (const std::shared_ptr<const Subtitle>& subtitle : m_subtitles)
        for (const SubtitleBitmap& bitmap : subtitle->bitmaps)
            place(subtitle->canvasWidth, subtitle->canvasHeight, bitmap);
    if (!m_text.empty())
        place(width, height, TextLayer(width, height));
    return placed;
}

const SubtitleBitmap& SubtitlePainter::TextLayer(int width, int height) const
{
    if (m_text != m_layerText || width != m_layerWidth || height != m_layerHeight) {
        m_layer = TextBitmap(width, height, m_text);
        m_layerText = m_text;
        m_layerWidth = width;
        m_layerHeight = height;
    }
    return m_layer;
}
