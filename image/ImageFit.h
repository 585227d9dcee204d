// Fit and thumbnail helpers over CRasterImage for playlist thumbnails and frame grabs. They
// answer 0 done, 1 nothing needed (or nothing to draw), -1 failure or no image.
#pragma once
#include <cstdint>
#include "image/RasterImage.h"

int IsImageNotBlank(const CRasterImage* image);
double GetImageColorDeviation(const CRasterImage& image);
int ShrinkImageToFit(CRasterImage* image, int32_t maxWidth, int32_t maxHeight);
int ResampleImageNearest(CRasterImage* image, int32_t width, int32_t height);

// Where DrawImageFitted puts an image of width x height in the box: centred, scaled to touch
// the box. False when the box is empty or inverted or a drawn side comes out 0.
struct FittedRect {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};
bool FitImageInBox(int32_t width, int32_t height, int32_t left, int32_t top, int32_t right, int32_t bottom,
                   FittedRect& out);

#ifdef _WIN32
int DrawImageFitted(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, CRasterImage* image);
#endif
