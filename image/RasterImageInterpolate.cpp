// Sampling one colour at a fractional position, and what a sample outside the image takes.
#include "image/RasterImage.h"
#include <cmath>
#include "image/ResampleKernels.h"

namespace {

const RasterColor kDefaultReplacement = {255, 255, 255, 0};

uint8_t ClampByte(float v)
{
    if (!(v > 0.0f))
        return 0;
    return v >= 255.0f ? 255 : uint8_t(v);
}

// trunc(v), one less for negative positions.
int32_t FloorIndex(float v)
{
    int32_t i = TruncToInt(v);
    return v < 0.0f ? i - 1 : i;
}

bool MovesCoordinates(int32_t overflow)
{
    return overflow == OM_WRAP || overflow == OM_REPEAT || overflow == OM_MIRROR;
}

} // namespace

void CRasterImage::OverflowCoordinates(int32_t& x, int32_t& y, int32_t overflow) const
{
    int32_t w = m_header.biWidth, h = m_header.biHeight;
    if (IsInside(x, y) || w <= 0 || h <= 0)
        return;
    switch (overflow) {
    case OM_WRAP:
        x %= w;
        y %= h;
        if (x < 0)
            x += w;
        if (y < 0)
            y += h;
        break;
    case OM_REPEAT:
        x = x < 0 ? 0 : x >= w ? w - 1 : x;
        y = y < 0 ? 0 : y >= h ? h - 1 : y;
        break;
    case OM_MIRROR:
        if (x < 0)
            x = int32_t((-int64_t(x)) % w);
        else if (x >= w)
            x = w - (x % w) - 1;
        if (y < 0)
            y = int32_t((-int64_t(y)) % h);
        else if (y >= h)
            y = h - (y % h) - 1;
        break;
    default:
        break;
    }
}

void CRasterImage::OverflowCoordinates(float& x, float& y, int32_t overflow) const
{
    float w = float(m_header.biWidth), h = float(m_header.biHeight);
    if (w <= 0.0f || h <= 0.0f || (x >= 0.0f && y >= 0.0f && x < w && y < h))
        return;
    switch (overflow) {
    case OM_WRAP:
        x = std::fmod(x, w);
        y = std::fmod(y, h);
        if (x < 0.0f)
            x += w;
        if (y < 0.0f)
            y += h;
        break;
    case OM_REPEAT:
        x = x < 0.0f ? 0.0f : x > w - 1.0f ? w - 1.0f : x;
        y = y < 0.0f ? 0.0f : y > h - 1.0f ? h - 1.0f : y;
        break;
    case OM_MIRROR:
        if (x < 0.0f)
            x = std::fmod(-x, w);
        else if (x >= w)
            x = w - std::fmod(x, w) - 1.0f;
        if (y < 0.0f)
            y = std::fmod(-y, h);
        else if (y >= h)
            y = h - std::fmod(y, h) - 1.0f;
        break;
    default:
        break;
    }
}

RasterColor CRasterImage::GetPixelColorWithOverflow(int32_t x, int32_t y, int32_t overflow,
                                                    const RasterColor* replacement) const
{
    RasterColor other = replacement ? *replacement : kDefaultReplacement;
    if (!m_block)
        return other;
    if (!IsInside(x, y)) {
        switch (overflow) {
        case OM_WRAP:
        case OM_REPEAT:
        case OM_MIRROR:
            OverflowCoordinates(x, y, overflow);
            break;
        case OM_BACKGROUND:
            return m_info.transIndex >= 0 ? GetTransColor() : other;
        case OM_TRANSPARENT:
            if (m_alpha) {
                other.rgbReserved = 0;
                return other;
            }
            return m_info.transIndex >= 0 ? GetTransColor() : other;
        default:
            return other;
        }
    }
    return GetPixelColorUnchecked(x, y, true);
}

RasterColor CRasterImage::GetPixelColorInterpolated(float x, float y, int32_t method, int32_t overflow,
                                                    const RasterColor* replacement) const
{
    if (method == IM_NEAREST_NEIGHBOUR)
        return GetPixelColorWithOverflow(TruncToInt(x + 0.5f), TruncToInt(y + 0.5f), overflow, replacement);
    if (method < IM_BSPLINE || method > IM_POWER)
        return InterpolateBilinear(x, y, overflow, replacement);
    return InterpolateKernel(x, y, method, overflow, replacement);
}

RasterColor CRasterImage::InterpolateBilinear(float x, float y, int32_t overflow, const RasterColor* replacement) const
{
    int32_t w = m_header.biWidth, h = m_header.biHeight;
    int32_t ix = FloorIndex(x), iy = FloorIndex(y);
    if (ix < -1 || ix >= w || iy < -1 || iy >= h) {
        if (!MovesCoordinates(overflow))
            return GetPixelColorWithOverflow(ix, iy, overflow, replacement);
        OverflowCoordinates(x, y, overflow);
        ix = FloorIndex(x);
        iy = FloorIndex(y);
    }
    if (m_block && !IsIndexed() && ix >= 0 && iy >= 0 && ix + 1 < w && iy + 1 < h) {
        // Fixed point over the four neighbours, read straight from the rows.
        int32_t t1 = TruncToInt((x - float(ix)) * 256.0f), t2 = TruncToInt((y - float(iy)) * 256.0f);
        int32_t d = (t1 * t2) >> 8, b = t1 - d, c = t2 - d, a = 256 - t1 - c;
        const uint8_t* p11 = GetPixelPointer24(ix, iy);
        const uint8_t* p12 = GetPixelPointer24(ix, iy + 1);
        RasterColor out;
        out.rgbBlue = uint8_t((a * p11[0] + b * p11[3] + c * p12[0] + d * p12[3]) >> 8);
        out.rgbGreen = uint8_t((a * p11[1] + b * p11[4] + c * p12[1] + d * p12[4]) >> 8);
        out.rgbRed = uint8_t((a * p11[2] + b * p11[5] + c * p12[2] + d * p12[5]) >> 8);
        out.rgbReserved = 0;
        if (m_alpha) {
            out.rgbReserved = uint8_t((a * AlphaGetUnchecked(ix, iy) + b * AlphaGetUnchecked(ix + 1, iy)
                                       + c * AlphaGetUnchecked(ix, iy + 1) + d * AlphaGetUnchecked(ix + 1, iy + 1)) >> 8);
        }
        return out;
    }
    float t1 = x - float(ix), t2 = y - float(iy);
    float d = t1 * t2, b = t1 - d, c = t2 - d, a = 1.0f - t1 - c;
    RasterColor p11 = GetPixelColorWithOverflow(ix, iy, overflow, replacement);
    RasterColor p21 = GetPixelColorWithOverflow(ix + 1, iy, overflow, replacement);
    RasterColor p12 = GetPixelColorWithOverflow(ix, iy + 1, overflow, replacement);
    RasterColor p22 = GetPixelColorWithOverflow(ix + 1, iy + 1, overflow, replacement);
    RasterColor out;
    out.rgbBlue = ClampByte(a * p11.rgbBlue + b * p21.rgbBlue + c * p12.rgbBlue + d * p22.rgbBlue);
    out.rgbGreen = ClampByte(a * p11.rgbGreen + b * p21.rgbGreen + c * p12.rgbGreen + d * p22.rgbGreen);
    out.rgbRed = ClampByte(a * p11.rgbRed + b * p21.rgbRed + c * p12.rgbRed + d * p22.rgbRed);
    out.rgbReserved = ClampByte(a * p11.rgbReserved + b * p21.rgbReserved + c * p12.rgbReserved + d * p22.rgbReserved);
    return out;
}

RasterColor CRasterImage::InterpolateKernel(float x, float y, int32_t method, int32_t overflow,
                                            const RasterColor* replacement) const
{
    int32_t w = m_header.biWidth, h = m_header.biHeight;
    int32_t radius = KernelRadius(method);
    int32_t ix = FloorIndex(x), iy = FloorIndex(y);
    if (ix + radius < 0 || ix - radius + 1 >= w || iy + radius < 0 || iy - radius + 1 >= h) {
        if (!MovesCoordinates(overflow))
            return GetPixelColorWithOverflow(ix, iy, overflow, replacement);
        OverflowCoordinates(x, y, overflow);
        ix = FloorIndex(x);
        iy = FloorIndex(y);
    }
    int32_t x0 = ix - radius + 1, y0 = iy - radius + 1, n = 2 * radius;
    float wx[12], wy[12];
    for (int32_t i = 0; i < n; i++) {
        wx[i] = ResampleKernel(method, float(x0 + i) - x);
        wy[i] = ResampleKernel(method, float(y0 + i) - y);
    }
    bool direct = m_block && !IsIndexed() && x0 >= 0 && y0 >= 0 && x0 + n <= w && y0 + n <= h;
    float sb = 0, sg = 0, sr = 0, sa = 0;
    for (int32_t j = 0; j < n; j++) {
        for (int32_t i = 0; i < n; i++) {
            float weight = wx[i] * wy[j];
            RasterColor c;
            if (direct) {
                const uint8_t* p = GetPixelPointer24(x0 + i, y0 + j);
                c = RasterColor {p[0], p[1], p[2], uint8_t(m_alpha ? AlphaGetUnchecked(x0 + i, y0 + j) : 0)};
            } else {
                c = GetPixelColorWithOverflow(x0 + i, y0 + j, overflow, replacement);
            }
            sb += weight * c.rgbBlue;
            sg += weight * c.rgbGreen;
            sr += weight * c.rgbRed;
            sa += weight * c.rgbReserved;
        }
    }
    return RasterColor {ClampByte(sb), ClampByte(sg), ClampByte(sr), ClampByte(sa)};
}

RasterColor CRasterImage::GetAreaColorInterpolated(float x, float y, float width, float height, int32_t method,
                                                   int32_t overflow, const RasterColor* replacement) const
{
    if (width <= 1.0f && height <= 1.0f)
        return GetPixelColorInterpolated(x, y, method, overflow, replacement);
    // An empty area has nothing to average: it shows the background.
    if (!(width > 0.0f) || !(height > 0.0f) || !std::isfinite(width * height)) {
        RasterColor other = replacement ? *replacement : kDefaultReplacement;
        return m_info.transIndex >= 0 ? GetTransColor() : other;
    }
    float left = x - width / 2, right = x + width / 2, top = y - height / 2, bottom = y + height / 2;
    int32_t x1 = TruncToInt(left + 0.5f), x2 = TruncToInt(right + 0.5f);
    int32_t y1 = TruncToInt(top + 0.5f), y2 = TruncToInt(bottom + 0.5f);
    bool both = width > 1.0f && height > 1.0f;
    float sb = 0, sg = 0, sr = 0, sa = 0;
    for (int32_t py = y1; py <= y2; py++) {
        float oy0 = std::fmax(top, float(py) - 0.5f), oy1 = std::fmin(bottom, float(py) + 0.5f);
        if (oy1 <= oy0)
            continue;
        for (int32_t px = x1; px <= x2; px++) {
            float ox0 = std::fmax(left, float(px) - 0.5f), ox1 = std::fmin(right, float(px) + 0.5f);
            if (ox1 <= ox0)
                continue;
            float weight = (ox1 - ox0) * (oy1 - oy0);
            RasterColor c = both ? GetPixelColorWithOverflow(px, py, overflow, replacement)
                                 : GetPixelColorInterpolated((ox0 + ox1) / 2, (oy0 + oy1) / 2, method, overflow,
                                                             replacement);
            sb += weight * c.rgbBlue;
            sg += weight * c.rgbGreen;
            sr += weight * c.rgbRed;
            sa += weight * c.rgbReserved;
        }
    }
    float surface = width * height;
    return RasterColor {ClampByte(sb / surface), ClampByte(sg / surface), ClampByte(sr / surface),
                        ClampByte(sa / surface)};
}
