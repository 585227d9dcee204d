// The arithmetic of drawing: paint box, pixel mapping, alpha scaling and blending, and the
// rendering of a paint box into 24-bit rows.
#include <gtest/gtest.h>
#include <vector>
#include "image/DrawMapping.h"
#include "image/RasterImage.h"

namespace {

struct PaintCase {
    const char* name;
    int32_t x, y, cx, cy;
    DrawBox clip;
    DrawBox paint;
};

class PaintBoxTest : public ::testing::TestWithParam<PaintCase> {};

TEST_P(PaintBoxTest, ClippedToTheClipBox)
{
    const PaintCase& c = GetParam();
    DrawBox b = ClipPaintBox(c.x, c.y, c.cx, c.cy, c.clip);
    EXPECT_EQ(b.left, c.paint.left);
    EXPECT_EQ(b.top, c.paint.top);
    EXPECT_EQ(b.right, c.paint.right);
    EXPECT_EQ(b.bottom, c.paint.bottom);
}

INSTANTIATE_TEST_SUITE_P(Cases, PaintBoxTest, ::testing::Values(
    PaintCase {"Inside", 10, 10, 20, 5, {0, 0, 100, 100}, {10, 10, 30, 15}},
    PaintCase {"CutLeftAndBottom", -5, 90, 20, 20, {0, 0, 100, 100}, {0, 90, 15, 100}},
    PaintCase {"WhollyRight", 150, 10, 20, 20, {0, 0, 100, 100}, {100, 10, 100, 30}},
    PaintCase {"WhollyAbove", 10, -50, 20, 20, {0, 0, 100, 100}, {10, 0, 30, 0}}),
    [](const ::testing::TestParamInfo<PaintCase>& i) { return std::string(i.param.name); });

TEST(DrawMapping, NaturalAndStretchedMapping)
{
    int32_t ix, iy;
    DrawMapping natural = MakeDrawMapping(10, 20, 4, 3, 4, 3);
    MapToImage(natural, 10, 20, ix, iy);
    EXPECT_EQ(ix, 0);
    EXPECT_EQ(iy, 2);       // the top device row shows the top image row
    MapToImage(natural, 13, 22, ix, iy);
    EXPECT_EQ(ix, 3);
    EXPECT_EQ(iy, 0);
    DrawMapping doubled = MakeDrawMapping(0, 0, 8, 6, 4, 3);
    MapToImage(doubled, 7, 5, ix, iy);
    EXPECT_EQ(ix, 3);
    EXPECT_EQ(iy, 0);
    MapToImage(doubled, 2, 1, ix, iy);
    EXPECT_EQ(ix, 1);
    EXPECT_EQ(iy, 2);
}

TEST(DrawMapping, AlphaScaleAndBlend)
{
    EXPECT_EQ(ScaleAlpha(255, 255), 255u);
    EXPECT_EQ(ScaleAlpha(128, 255), 128u);
    EXPECT_EQ(ScaleAlpha(200, 127), 100u);
    EXPECT_EQ(BlendChannel(200, 100, 128), (200 * 128 + 100 * 127) >> 8);
}

// Renders a 2 x 2 image over a grey buffer: an alpha pixel blends, a transparent one is skipped.
TEST(DrawMapping, RenderComposesOverTheDevice)
{
    CRasterImage image(2, 2, 24);
    image.Clear(0);
    image.SetPixelColor(0, 1, RasterColor {0, 0, 255, 0});     // top-left red
    image.SetPixelColor(1, 1, RasterColor {255, 0, 0, 0});     // top-right blue
    image.AlphaCreate();
    image.AlphaSet(0, 1, 128);
    image.SetTransIndex(0);
    image.SetTransColor(RasterColor {0, 0, 0, 0});             // the black bottom row is transparent
    DrawBox paint {0, 0, 2, 2};
    uint32_t rowBytes = 8;
    std::vector<uint8_t> rows(rowBytes * 2, 100);
    RenderPaintBox(image, MakeDrawMapping(0, 0, 2, 2, 2, 2), paint, false, false, true, rows.data(), rowBytes);
    const uint8_t* top = rows.data() + rowBytes;   // bottom-up rows: the top device row is last
    EXPECT_EQ(top[2], (255 * 128 + 100 * 127) >> 8);
    EXPECT_EQ(top[0], (0 * 128 + 100 * 127) >> 8);
    EXPECT_EQ(top[3], 255);
    EXPECT_EQ(rows[0], 100);                       // transparent: left as it was
    std::vector<uint8_t> flipped(rowBytes * 2, 100);
    RenderPaintBox(image, MakeDrawMapping(0, 0, 2, 2, 2, 2), paint, false, true, true, flipped.data(), rowBytes);
    EXPECT_EQ(flipped[3], 255);
}

TEST(DrawMapping, RenderWithSmoothingAndPalette)
{
    CRasterImage image(4, 4, 8);
    image.SetPaletteColor(3, 30, 60, 90);
    image.Clear(3);
    DrawBox paint {0, 0, 2, 2};
    std::vector<uint8_t> rows(16, 0);
    RenderPaintBox(image, MakeDrawMapping(0, 0, 2, 2, 4, 4), paint, true, false, false, rows.data(), 8);
    EXPECT_EQ(rows[0], 90);
    EXPECT_EQ(rows[2], 30);
    std::vector<uint8_t> enlarged(3 * 8 * 8 + 64, 0);
    RenderPaintBox(image, MakeDrawMapping(0, 0, 8, 8, 4, 4), DrawBox {0, 0, 8, 8}, true, false, false,
                   enlarged.data(), 24);
    EXPECT_EQ(enlarged[24 * 7 + 3 * 7 + 1], 60);
}

} // namespace
