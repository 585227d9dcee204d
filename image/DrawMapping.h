// The arithmetic of drawing an image into a device context, free of GDI: the paint box, which
// image pixel each device pixel shows, and the blending over what the device holds.
#pragma once
#include <cstdint>

class CRasterImage;

struct DrawBox {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// The destination rectangle (x, y, cx, cy) clipped to the clip box; may be empty.
DrawBox ClipPaintBox(int32_t x, int32_t y, int32_t cx, int32_t cy, const DrawBox& clip);

struct DrawMapping {
    int32_t x;
    int32_t y;
    int32_t height;     // the image's height
    float fx;           // image pixels per device pixel
    float fy;
};

DrawMapping MakeDrawMapping(int32_t x, int32_t y, int32_t cx, int32_t cy, int32_t width, int32_t height);
// The image pixel shown at device pixel (X, Y); image rows run bottom-up.
void MapToImage(const DrawMapping& m, int32_t X, int32_t Y, int32_t& ix, int32_t& iy);
// Where a smoothed device pixel (X, Y) samples the image.
void MapToImageSmooth(const DrawMapping& m, int32_t X, int32_t Y, float& sx, float& sy);
// A pixel's alpha as drawing uses it, scaled by the alpha maximum.
uint32_t ScaleAlpha(uint32_t alpha, uint8_t alphaMax);
uint8_t BlendChannel(uint8_t color, uint8_t device, uint32_t alpha);

// Renders the paint box into bottom-up 24-bit rows: filled with the mapped colours, or with
// blend set, composed over the rows' contents by the image's alpha and transparency.
void RenderPaintBox(const CRasterImage& image, const DrawMapping& m, const DrawBox& paint, bool smooth, bool flip,
                    bool blend, uint8_t* rows, uint32_t rowBytes);
