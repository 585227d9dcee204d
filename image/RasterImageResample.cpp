// Resampling to an exact size, padding onto a larger canvas and the thumbnail fit. Each works
// on a temporary image that replaces the target only at the end.
#include "image/RasterImage.h"
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>
#include "image/ResampleKernels.h"

namespace {

const int32_t kAccuracy = 1000;

// Where a source column goes: the destination column it adds to and, for a column that
// straddles two destination columns, the thousandths that go to the next one.
struct AreaColumn {
    int32_t current;    // clamped to the destination
    int32_t next;       // clamped to the spare column past the destination
    int32_t wx;
    bool split;
};

std::vector<AreaColumn> AreaColumns(int32_t width, int32_t nw, float xScale)
{
    std::vector<AreaColumn> columns(static_cast<size_t>(width));
    float endX = xScale - 1.0f;
    int32_t dx = 0;
    for (int32_t x = 0; x < width; x++) {
        AreaColumn& c = columns[size_t(x)];
        c.current = dx < nw ? dx : nw - 1;
        c.next = dx + 1 < nw ? dx + 1 : nw;
        c.split = !(float(x) < endX);
        c.wx = c.split ? TruncToInt((float(x) - endX) * kAccuracy) : 0;
        if (c.split) {
            endX += xScale;
            dx++;
        }
    }
    return columns;
}

// Area averaging for shrinking a 24-bit image in both directions, in fixed point: every source
// pixel adds to the one or two destination columns and rows it overlaps. Column and row are
// clamped, so float drift in the running bounds never writes past the destination.
template <class Acc>
class AreaAverager {
public:
    AreaAverager(const CRasterImage& src, CRasterImage& dst, float xScale, float yScale)
        : m_src(src), m_dst(dst), m_nw(int32_t(dst.GetWidth())), m_nh(int32_t(dst.GetHeight())),
          m_columns(AreaColumns(int32_t(src.GetWidth()), m_nw, xScale)),
          m_rowA(size_t(m_nw + 1) * 3, 0), m_rowB(size_t(m_nw + 1) * 3, 0), m_accu(m_rowA.data()),
          m_carry(m_rowB.data()), m_yScale(yScale)
    {
        Acc scale = Acc(TruncToInt(kAccuracy * xScale * yScale));
        m_scale = scale > 0 ? scale : 1;
    }

    // Writes the destination row reached into progress; a non-zero escape stops it before the
    // next source row.
    void Run(int32_t& progress, const int32_t& escape)
    {
        float endY = m_yScale - 1.0f;
        int32_t dy = 0;
        int32_t height = int32_t(m_src.GetHeight());
        for (int32_t y = 0; y < height && dy < m_nh; y++) {
            if (escape)
                return;
            progress = int32_t(100LL * dy / m_nh);
            if (float(y) < endY) {
                AddWholeRow(m_src.GetRowPointer(y));
                continue;
            }
            AddSplitRow(m_src.GetRowPointer(y), Acc(TruncToInt((float(y) - endY) * kAccuracy)), dy);
            std::swap(m_accu, m_carry);
            dy++;
            endY += m_yScale;
        }
        if (dy < m_nh) {
            for (int32_t dx = 0; dx < m_nw; dx++)
                Put(dx, dy);
        }
    }

private:
    // Whole pixels are summed in registers and added to their column once, at the column's end.
    void AddWholeRow(const uint8_t* s)
    {
        Acc sum[3] = {0, 0, 0};
        for (const AreaColumn& c : m_columns) {
            if (!c.split) {
                sum[0] += s[0];
                sum[1] += s[1];
                sum[2] += s[2];
            } else {
                Acc* a = m_accu + 3 * c.current;
                Acc* n = m_accu + 3 * c.next;
                for (int k = 0; k < 3; k++) {
                    a[k] += kAccuracy * sum[k] + (kAccuracy - c.wx) * s[k];
                    n[k] += c.wx * s[k];
                    sum[k] = 0;
                }
            }
            s += 3;
        }
        Acc* a = m_accu + 3 * m_columns.back().current;
        for (int k = 0; k < 3; k++)
            a[k] += kAccuracy * sum[k];
    }

    // The row straddles two destination rows: its first part completes the current one, which
    // is written out; the rest goes into the carry that becomes the next accumulator.
    void AddSplitRow(const uint8_t* s, Acc wy, int32_t dy)
    {
        m_carry[0] = m_carry[1] = m_carry[2] = 0;
        int32_t written = 0;
        Acc sum[3] = {0, 0, 0};
        for (const AreaColumn& c : m_columns) {
            if (!c.split) {
                sum[0] += s[0];
                sum[1] += s[1];
                sum[2] += s[2];
                s += 3;
                continue;
            }
            Acc* a = m_accu + 3 * c.current;
            Acc* k = m_carry + 3 * c.current;
            Acc wx = c.wx;
            for (int i = 0; i < 3; i++) {
                a[i] += (kAccuracy - wy) * sum[i] + (kAccuracy - wy) * (kAccuracy - wx) * s[i] / kAccuracy;
                k[i] += wy * sum[i];
            }
            Put(c.current, dy);
            written++;
            for (int i = 0; i < 3; i++) {
                k[i] += wy * (kAccuracy - wx) * s[i] / kAccuracy;
                m_accu[3 * c.next + i] += (kAccuracy - wy) * wx * s[i] / kAccuracy;
                m_carry[3 * c.next + i] = wy * wx * s[i] / kAccuracy;
                sum[i] = 0;
            }
            s += 3;
        }
        int32_t last = m_columns.back().current;
        for (int i = 0; i < 3; i++) {
            m_accu[3 * last + i] += (kAccuracy - wy) * sum[i];
            m_carry[3 * last + i] += wy * sum[i];
        }
        if (written < m_nw)
            Put(written, dy);
    }

    void Put(int32_t dx, int32_t dy)
    {
        int32_t x = dx < m_nw ? dx : m_nw - 1;
        uint8_t* p = m_dst.GetPixelPointer24(x, dy);
        if (p) {
            const Acc* a = m_accu + 3 * x;
            p[0] = uint8_t(a[0] / m_scale);
            p[1] = uint8_t(a[1] / m_scale);
            p[2] = uint8_t(a[2] / m_scale);
        }
    }

    const CRasterImage& m_src;
    CRasterImage& m_dst;
    int32_t m_nw;
    int32_t m_nh;
    std::vector<AreaColumn> m_columns;
    std::vector<Acc> m_rowA;
    std::vector<Acc> m_rowB;
    Acc* m_accu;
    Acc* m_carry;
    float m_yScale;
    Acc m_scale = 1;
};

} // namespace

bool CRasterImage::Resample(int32_t newWidth, int32_t newHeight, int32_t mode, CRasterImage* dest)
{
    if (newWidth <= 0 || newHeight <= 0 || !m_block)
        return false;
    if (newWidth == m_header.biWidth && newHeight == m_header.biHeight) {
        if (dest)
            return dest->CopyFrom(*this);
        return true;
    }
    CRasterImage tmp;
    tmp.CopyInfo(*this);
    if (!tmp.Create(uint32_t(newWidth), uint32_t(newHeight), GetBpp(), GetType())) {
        CopyErrorFrom(tmp);
        return false;
    }
    tmp.SetPalette(GetPalette(), GetNumColors());
    if (!ResampleInto(tmp, newWidth, newHeight, mode))
        return false;
    return dest ? dest->MoveFrom(tmp) : MoveFrom(tmp);
}

bool CRasterImage::ResampleInto(CRasterImage& tmp, int32_t newWidth, int32_t newHeight, int32_t mode)
{
    float xScale = float(m_header.biWidth) / float(newWidth);
    float yScale = float(m_header.biHeight) / float(newHeight);
    if (mode == 1)
        ResampleNearest(tmp, xScale, yScale);
    else if (mode == 2)
        ResampleBicubic(tmp, xScale, yScale);
    else if (newWidth < m_header.biWidth && newHeight < m_header.biHeight && GetBpp() == 24)
        ResampleAreaAverage(tmp, xScale, yScale);
    else
        ResampleBilinear(tmp, xScale, yScale);
    return !m_alpha || ResampleAlpha(tmp, mode, xScale, yScale);
}

void CRasterImage::ResampleNearest(CRasterImage& tmp, float xScale, float yScale)
{
    int32_t nw = tmp.m_header.biWidth, nh = tmp.m_header.biHeight;
    std::vector<int32_t> columns(static_cast<size_t>(nw));
    for (int32_t x = 0; x < nw; x++)
        columns[size_t(x)] = TruncToInt(float(x) * xScale);
    for (int32_t y = 0; y < nh && !m_info.escape; y++) {
        m_info.progress = int32_t(100LL * y / nh);
        int32_t sy = TruncToInt(float(y) * yScale);
        if (IsIndexed()) {
            for (int32_t x = 0; x < nw; x++)
                tmp.SetPixelIndexUnchecked(x, y, GetPixelIndexUnchecked(columns[size_t(x)], sy));
            continue;
        }
        const uint8_t* s = GetRowPointer(sy);
        uint8_t* d = tmp.GetRowPointer(y);
        for (int32_t x = 0; x < nw; x++, d += 3)
            std::memcpy(d, s + 3 * columns[size_t(x)], 3);
    }
}

// B-spline weights over a 4 x 4 neighbourhood clamped into the image.
void CRasterImage::ResampleBicubic(CRasterImage& tmp, float xScale, float yScale)
{
    int32_t w = m_header.biWidth, h = m_header.biHeight;
    int32_t nw = tmp.m_header.biWidth, nh = tmp.m_header.biHeight;
    for (int32_t y = 0; y < nh && !m_info.escape; y++) {
        m_info.progress = int32_t(100LL * y / nh);
        float fy = float(y) * yScale - 0.5f;
        int32_t iy = int32_t(std::floor(fy));
        float a = fy - float(iy);
        for (int32_t x = 0; x < nw; x++) {
            float fx = float(x) * xScale - 0.5f;
            int32_t ix = int32_t(std::floor(fx));
            float b = fx - float(ix);
            float r = 0, g = 0, bl = 0;
            for (int32_t m = -1; m <= 2; m++) {
                float wy = KernelBSpline(float(m) - a);
                int32_t sy = iy + m < 0 ? 0 : iy + m >= h ? h - 1 : iy + m;
                for (int32_t n = -1; n <= 2; n++) {
                    float weight = wy * KernelBSpline(b - float(n));
                    int32_t sx = ix + n < 0 ? 0 : ix + n >= w ? w - 1 : ix + n;
                    RasterColor c = GetPixelColorUnchecked(sx, sy, false);
                    r += weight * c.rgbRed;
                    g += weight * c.rgbGreen;
                    bl += weight * c.rgbBlue;
                }
            }
            RasterColor out {uint8_t(TruncToInt(bl)), uint8_t(TruncToInt(g)), uint8_t(TruncToInt(r)), 0};
            tmp.SetPixelColorUnchecked(x, y, out);
        }
    }
}

void CRasterImage::ResampleBilinear(CRasterImage& tmp, float xScale, float yScale)
{
    int32_t w = m_header.biWidth, h = m_header.biHeight;
    int32_t nw = tmp.m_header.biWidth, nh = tmp.m_header.biHeight;
    for (int32_t y = 0; y < nh && !m_info.escape; y++) {
        m_info.progress = int32_t(100LL * y / nh);
        float fy = float(y) * yScale;
        int32_t iy = TruncToInt(fy);
        int32_t iy1 = iy + 1 < h ? iy + 1 : h - 1;
        float dy = fy - float(iy);
        for (int32_t x = 0; x < nw; x++) {
            float fx = float(x) * xScale;
            int32_t ix = TruncToInt(fx);
            int32_t ix1 = ix + 1 < w ? ix + 1 : w - 1;
            float dx = fx - float(ix);
            RasterColor c1 = GetPixelColorUnchecked(ix, iy, false), c2 = GetPixelColorUnchecked(ix1, iy, false);
            RasterColor c3 = GetPixelColorUnchecked(ix, iy1, false), c4 = GetPixelColorUnchecked(ix1, iy1, false);
            auto mix = [&](uint8_t p1, uint8_t p2, uint8_t p3, uint8_t p4) {
                float first = p1 + (p3 - p1) * dy, second = p2 + (p4 - p2) * dy;
                return uint8_t(TruncToInt(first + (second - first) * dx));
            };
            RasterColor out {mix(c1.rgbBlue, c2.rgbBlue, c3.rgbBlue, c4.rgbBlue),
                             mix(c1.rgbGreen, c2.rgbGreen, c3.rgbGreen, c4.rgbGreen),
                             mix(c1.rgbRed, c2.rgbRed, c3.rgbRed, c4.rgbRed), 0};
            tmp.SetPixelColorUnchecked(x, y, out);
        }
    }
}

void CRasterImage::ResampleAreaAverage(CRasterImage& tmp, float xScale, float yScale)
{
    // 32-bit sums while a destination pixel's sum cannot overflow them.
    if (xScale * yScale < 8000.0f)
        AreaAverager<int32_t>(*this, tmp, xScale, yScale).Run(m_info.progress, m_info.escape);
    else
        AreaAverager<int64_t>(*this, tmp, xScale, yScale).Run(m_info.progress, m_info.escape);
}

// Nearest-pixel resampling copies alpha values; the other modes resample the alpha plane as a
// grey image with the same mode.
bool CRasterImage::ResampleAlpha(CRasterImage& tmp, int32_t mode, float xScale, float yScale)
{
    if (mode == 1) {
        if (!tmp.AlphaCreate())
            return false;
        for (int32_t y = 0; y < tmp.m_header.biHeight; y++) {
            for (int32_t x = 0; x < tmp.m_header.biWidth; x++)
                tmp.AlphaSet(x, y, AlphaGetUnchecked(TruncToInt(float(x) * xScale), TruncToInt(float(y) * yScale)));
        }
        return true;
    }
    CRasterImage gray;
    if (!AlphaSplit(&gray) || !gray.Resample(tmp.m_header.biWidth, tmp.m_header.biHeight, mode)) {
        CopyErrorFrom(gray);
        return false;
    }
    return tmp.AlphaSetFromGray(gray);
}

bool CRasterImage::Expand(int32_t left, int32_t top, int32_t right, int32_t bottom, RasterColor canvas,
                          CRasterImage* dest)
{
    if (!m_block || left < 0 || top < 0 || right < 0 || bottom < 0)
        return false;
    int64_t nw = int64_t(left) + m_header.biWidth + right, nh = int64_t(bottom) + m_header.biHeight + top;
    CRasterImage tmp;
    tmp.CopyInfo(*this);
    if (nw > INT32_MAX || nh > INT32_MAX || !tmp.Create(uint32_t(nw), uint32_t(nh), GetBpp(), GetType())) {
        CopyErrorFrom(tmp);
        return false;
    }
    tmp.SetPalette(GetPalette(), GetNumColors());
    int32_t w = m_header.biWidth, h = m_header.biHeight;
    if (GetBpp() < 8) {
        uint8_t index = tmp.GetNearestIndex(canvas);
        for (int32_t y = 0; y < int32_t(nh); y++) {
            m_info.progress = int32_t(100LL * y / nh);
            for (int32_t x = 0; x < int32_t(nw); x++) {
                bool inside = x >= left && x < left + w && y >= bottom && y < bottom + h;
                tmp.SetPixelIndexUnchecked(x, y, inside ? GetPixelIndexUnchecked(x - left, y - bottom) : index);
            }
        }
    } else if (GetBpp() == 8) {
        std::memset(tmp.m_bits, tmp.GetNearestIndex(canvas), tmp.m_header.biSizeImage);
        for (int32_t y = 0; y < h; y++)
            std::memcpy(tmp.GetRowPointer(y + bottom) + left, GetRowPointer(y), size_t(w));
    } else {
        for (int32_t y = 0; y < int32_t(nh); y++) {
            uint8_t* d = tmp.GetRowPointer(y);
            for (int32_t x = 0; x < int32_t(nw); x++, d += 3) {
                d[0] = canvas.rgbBlue;
                d[1] = canvas.rgbGreen;
                d[2] = canvas.rgbRed;
            }
        }
        for (int32_t y = 0; y < h; y++) {
            m_info.progress = int32_t(100LL * y / h);
            std::memcpy(tmp.GetRowPointer(y + bottom) + 3 * size_t(left), GetRowPointer(y), 3 * size_t(w));
        }
    }
    if (m_selection) {
        if (!tmp.SelectionCreate())
            return false;
        for (int32_t y = 0; y < h; y++)
            std::memcpy(tmp.SelectionGetPointer(left, y + bottom), SelectionGetPointer(0, y), size_t(w));
        RasterBox box = m_info.selectionBox;
        tmp.m_info.selectionBox = RasterBox {box.left + left, box.top + bottom, box.right + left, box.bottom + bottom};
    }
    if (m_alpha) {
        if (!tmp.AlphaCreate())
            return false;
        tmp.AlphaClear(canvas.rgbReserved);
        for (int32_t y = 0; y < h; y++)
            std::memcpy(tmp.AlphaGetPointer(left, y + bottom), AlphaGetPointer(0, y), size_t(w));
    }
    return dest ? dest->MoveFrom(tmp) : MoveFrom(tmp);
}

bool CRasterImage::ExpandCentred(int32_t newWidth, int32_t newHeight, RasterColor canvas, CRasterImage* dest)
{
    if (!m_block || newWidth < m_header.biWidth || newHeight < m_header.biHeight)
        return false;
    int32_t left = (newWidth - m_header.biWidth) / 2, top = (newHeight - m_header.biHeight) / 2;
    return Expand(left, top, newWidth - m_header.biWidth - left, newHeight - m_header.biHeight - top, canvas, dest);
}

bool CRasterImage::FitIntoCanvas(int32_t width, int32_t height, RasterColor canvas, CRasterImage* dest)
{
    if (!m_block || width <= 0 || height <= 0)
        return false;
    CRasterImage copy;
    int32_t w = m_header.biWidth, h = m_header.biHeight;
    if (w > width || h > height) {
        float scale = float(h) * (float(width) / float(height)) > float(w) ? float(height) / float(h)
                                                                           : float(width) / float(w);
        // Resampled straight into the copy: the large image is never copied whole.
        if (!Resample(TruncToInt(float(w) * scale), TruncToInt(float(h) * scale), 0, &copy)) {
            CopyErrorFrom(copy);
            return false;
        }
    } else if (!copy.CopyFrom(*this)) {
        CopyErrorFrom(copy);
        return false;
    }
    if (!copy.ExpandCentred(width, height, canvas)) {
        CopyErrorFrom(copy);
        return false;
    }
    return dest ? dest->MoveFrom(copy) : MoveFrom(copy);
}
