#include "image/DrawMapping.h"
#include <cmath>
#include "image/RasterImage.h"

DrawBox ClipPaintBox(int32_t x, int32_t y, int32_t cx, int32_t cy, const DrawBox& clip)
{
    auto clamp = [](int64_t v, int32_t lo, int32_t hi) { return int32_t(v < lo ? lo : v > hi ? hi : v); };
    DrawBox box;
    box.left = clamp(x > clip.left ? x : clip.left, clip.left, clip.right);
    box.top = clamp(y > clip.top ? y : clip.top, clip.top, clip.bottom);
    int64_t right = int64_t(x) + cx, bottom = int64_t(y) + cy;
    box.right = clamp(right < clip.right ? right : clip.right, clip.left, clip.right);
    box.bottom = clamp(bottom < clip.bottom ? bottom : clip.bottom, clip.top, clip.bottom);
    return box;
}

DrawMapping MakeDrawMapping(int32_t x, int32_t y, int32_t cx, int32_t cy, int32_t width, int32_t height)
{
    return DrawMapping {x, y, height, float(width) / float(cx), float(height) / float(cy)};
}

void MapToImage(const DrawMapping& m, int32_t X, int32_t Y, int32_t& ix, int32_t& iy)
{
    float fx = std::floor(float(X - m.x) * m.fx);
    float fy = std::floor(float(m.height) - float(Y + 1 - m.y) * m.fy);
    ix = fx > 0.0f ? int32_t(fx) : 0;
    iy = fy > 0.0f ? int32_t(fy) : 0;
}

void MapToImageSmooth(const DrawMapping& m, int32_t X, int32_t Y, float& sx, float& sy)
{
    sx = float(X - m.x) * m.fx - 0.5f;
    sy = float(m.height) - float(Y + 1 - m.y) * m.fy - 0.5f;
}

uint32_t ScaleAlpha(uint32_t alpha, uint8_t alphaMax)
{
    return alpha * (uint32_t(alphaMax) + 1) >> 8;
}

uint8_t BlendChannel(uint8_t color, uint8_t device, uint32_t alpha)
{
    return uint8_t((color * alpha + device * (255 - alpha)) >> 8);
}

namespace {

RasterColor SampleColor(const CRasterImage& image, const DrawMapping& m, int32_t X, int32_t Y, bool smooth,
                        int32_t ix, int32_t iy)
{
    if (smooth) {
        float sx, sy;
        MapToImageSmooth(m, X, Y, sx, sy);
        if (m.fx > 1.0f && m.fy > 1.0f)
            return image.GetAreaColorInterpolated(sx, sy, m.fx, m.fy, IM_BILINEAR, OM_REPEAT);
        return image.GetPixelColorInterpolated(sx, sy, IM_BILINEAR, OM_REPEAT);
    }
    return image.GetPixelColorUnchecked(ix, iy, false);
}

// The alpha a pixel is drawn with; 0 leaves the device as it is.
uint32_t PixelAlpha(const CRasterImage& image, int32_t ix, int32_t iy, RasterColor color)
{
    uint32_t a = ScaleAlpha(image.AlphaIsValid() ? image.AlphaGetUnchecked(ix, iy) : 255, image.AlphaGetMax());
    if (image.IsIndexed()) {
        uint8_t index = image.GetPixelIndexUnchecked(ix, iy);
        if (image.AlphaPaletteIsEnabled())
            a = a * (uint32_t(image.GetPaletteColor(index).rgbReserved) + 1) >> 8;
        if (image.IsTransparent() && index == image.GetTransIndex())
            return 0;
    } else if (image.IsTransparent()) {
        RasterColor t = image.GetTransColor();
        if (color.rgbBlue == t.rgbBlue && color.rgbGreen == t.rgbGreen && color.rgbRed == t.rgbRed)
            return 0;
    }
    return a;
}

} // namespace

void RenderPaintBox(const CRasterImage& image, const DrawMapping& m, const DrawBox& paint, bool smooth, bool flip,
                    bool blend, uint8_t* rows, uint32_t rowBytes)
{
    int32_t h = paint.bottom - paint.top;
    int32_t maxX = int32_t(image.GetWidth()) - 1, maxY = int32_t(image.GetHeight()) - 1;
    for (int32_t Y = paint.top; Y < paint.bottom; Y++) {
        int32_t r = flip ? Y - paint.top : h - 1 - (Y - paint.top);
        uint8_t* d = rows + size_t(r) * rowBytes;
        for (int32_t X = paint.left; X < paint.right; X++, d += 3) {
            int32_t ix, iy;
            MapToImage(m, X, Y, ix, iy);
            ix = ix < maxX ? ix : maxX;
            iy = iy < maxY ? iy : maxY;
            RasterColor c = SampleColor(image, m, X, Y, smooth, ix, iy);
            uint32_t a = blend ? PixelAlpha(image, ix, iy, image.GetPixelColorUnchecked(ix, iy, false)) : 255;
            if (a == 0)
                continue;
            if (a >= 255) {
                d[0] = c.rgbBlue;
                d[1] = c.rgbGreen;
                d[2] = c.rgbRed;
            } else {
                d[0] = BlendChannel(c.rgbBlue, d[0], a);
                d[1] = BlendChannel(c.rgbGreen, d[1], a);
                d[2] = BlendChannel(c.rgbRed, d[2], a);
            }
        }
    }
}
