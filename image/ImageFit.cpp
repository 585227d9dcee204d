#include "image/ImageFit.h"
#include <cmath>

double GetImageColorDeviation(const CRasterImage& image)
{
    // A running spread: each pixel is measured against the mean of the pixels seen so far.
    double n = 0, sum = 0, acc = 0, result = 0;
    if (!image.IsValid())
        return 0.0;
    int32_t width = int32_t(image.GetWidth()), height = int32_t(image.GetHeight());
    for (int32_t y = 0; y < height; y++) {
        for (int32_t x = 0; x < width; x++) {
            RasterColor p = image.GetPixelColor(x, y, true);
            double c = double(p.rgbRed) + double(p.rgbGreen) * 256.0 + double(p.rgbBlue) * 65536.0;
            n += 1;
            sum += c;
            double mean = sum / n;
            acc += (c - mean) * (c - mean);
            result = std::sqrt(acc / n);
        }
    }
    return result;
}

int IsImageNotBlank(const CRasterImage* image)
{
    if (!image)
        return -1;
    return GetImageColorDeviation(*image) >= 100000.0 ? 1 : 0;
}

int ShrinkImageToFit(CRasterImage* image, int32_t maxWidth, int32_t maxHeight)
{
    if (!image || !image->IsValid())
        return -1;
    double width = image->GetWidth(), height = image->GetHeight();
    if (width <= maxWidth && height <= maxHeight)
        return 1;
    if (maxWidth <= 0 || maxHeight <= 0)
        return -1;
    int32_t nw, nh;
    if (width / height > double(maxWidth) / double(maxHeight)) {
        nw = maxWidth;
        nh = int32_t(height * maxWidth / width);
    } else {
        nh = maxHeight;
        nw = int32_t(width * maxHeight / height);
    }
    if (nw == 0 || nh == 0)
        return -1;
    return image->FitIntoCanvas(nw, nh, RasterColor {}) ? 0 : -1;
}

int ResampleImageNearest(CRasterImage* image, int32_t width, int32_t height)
{
    if (!image || !image->IsValid() || width <= 0 || height <= 0)
        return -1;
    return image->Resample(width, height, 1) ? 0 : -1;
}

bool FitImageInBox(int32_t width, int32_t height, int32_t left, int32_t top, int32_t right, int32_t bottom,
                   FittedRect& out)
{
    int64_t bw = int64_t(right) - left, bh = int64_t(bottom) - top;
    if (bw <= 0 || bh <= 0 || width <= 0 || height <= 0)
        return false;
    int64_t dw = width, dh = height;
    if (width > bw || height > bh) {
        double rw = double(width) / double(bw), rh = double(height) / double(bh);
        if (rh <= rw) {
            dw = bw;
            dh = int64_t(height / rw);
        } else {
            dh = bh;
            dw = int64_t(width / rh);
        }
    } else if (width < bw && height < bh) {
        double sw = double(bw) / double(width), sh = double(bh) / double(height);
        if (sh >= sw) {
            dw = bw;
            dh = int64_t(height * sw);
        } else {
            dh = bh;
            dw = int64_t(width * sh);
        }
    }
    if (dw == 0 || dh == 0)
        return false;
    out = FittedRect {int32_t(left + (bw - dw) / 2), int32_t(top + (bh - dh) / 2), int32_t(dw), int32_t(dh)};
    return true;
}
