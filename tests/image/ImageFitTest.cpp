// Fit and thumbnail helpers: the blank-frame test, shrinking, nearest resizing and the box a
// fitted drawing takes.
#include <gtest/gtest.h>
#include <cmath>
#include "image/ImageFit.h"

namespace {

TEST(ImageFit, UniformImageIsBlank)
{
    CRasterImage image(10, 10, 24);
    image.Clear(90);
    EXPECT_EQ(GetImageColorDeviation(image), 0.0);
    EXPECT_EQ(IsImageNotBlank(&image), 0);
    EXPECT_EQ(IsImageNotBlank(nullptr), -1);
    CRasterImage empty;
    EXPECT_EQ(GetImageColorDeviation(empty), 0.0);
}

TEST(ImageFit, RunningSpreadOfBlackAndWhite)
{
    CRasterImage image(2, 1, 24);
    image.SetPixelColor(0, 0, RasterColor {0, 0, 0, 0});
    image.SetPixelColor(1, 0, RasterColor {255, 255, 255, 0});
    EXPECT_NEAR(GetImageColorDeviation(image), 8388607.5 / std::sqrt(2.0), 1e-3);
    EXPECT_EQ(IsImageNotBlank(&image), 1);
}

struct ShrinkCase {
    const char* name;
    uint32_t w, h;
    int32_t maxW, maxH;
    int result;
    uint32_t outW, outH;
};

class ShrinkTest : public ::testing::TestWithParam<ShrinkCase> {};

TEST_P(ShrinkTest, Results)
{
    const ShrinkCase& c = GetParam();
    CRasterImage image(c.w, c.h, 24);
    image.Clear(10);
    EXPECT_EQ(ShrinkImageToFit(&image, c.maxW, c.maxH), c.result);
    EXPECT_EQ(image.GetWidth(), c.outW);
    EXPECT_EQ(image.GetHeight(), c.outH);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShrinkTest, ::testing::Values(
    ShrinkCase {"Landscape", 1920, 1080, 192, 108, 0, 192, 108},
    ShrinkCase {"Portrait", 1080, 1920, 192, 108, 0, 60, 108},
    ShrinkCase {"AlreadyFits", 100, 50, 192, 108, 1, 100, 50},
    ShrinkCase {"SideWouldBeZero", 5000, 1, 100, 100, -1, 5000, 1},
    ShrinkCase {"NoRoom", 50, 50, 0, 10, -1, 50, 50}),
    [](const ::testing::TestParamInfo<ShrinkCase>& i) { return std::string(i.param.name); });

TEST(ImageFit, ShrinkAndResampleRefuseNothing)
{
    EXPECT_EQ(ShrinkImageToFit(nullptr, 10, 10), -1);
    CRasterImage empty;
    EXPECT_EQ(ShrinkImageToFit(&empty, 10, 10), -1);
    EXPECT_EQ(ResampleImageNearest(&empty, 10, 10), -1);
    CRasterImage image(8, 8, 24);
    image.Clear(1);
    EXPECT_EQ(ResampleImageNearest(&image, 0, 4), -1);
    EXPECT_EQ(ResampleImageNearest(&image, 3, 5), 0);
    EXPECT_EQ(image.GetWidth(), 3u);
}

struct BoxCase {
    const char* name;
    int32_t w, h;
    int32_t left, top, right, bottom;
    bool drawn;
    FittedRect rect;
};

class FitBoxTest : public ::testing::TestWithParam<BoxCase> {};

TEST_P(FitBoxTest, Placement)
{
    const BoxCase& c = GetParam();
    FittedRect r {};
    ASSERT_EQ(FitImageInBox(c.w, c.h, c.left, c.top, c.right, c.bottom, r), c.drawn);
    if (c.drawn) {
        EXPECT_EQ(r.x, c.rect.x);
        EXPECT_EQ(r.y, c.rect.y);
        EXPECT_EQ(r.width, c.rect.width);
        EXPECT_EQ(r.height, c.rect.height);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FitBoxTest, ::testing::Values(
    BoxCase {"SmallerIsScaledUp", 100, 50, 0, 0, 200, 200, true, {0, 50, 200, 100}},
    BoxCase {"WiderIsScaledDown", 400, 100, 0, 0, 200, 200, true, {0, 75, 200, 50}},
    BoxCase {"TouchingIsNatural", 200, 50, 0, 0, 200, 200, true, {0, 75, 200, 50}},
    BoxCase {"OffsetBox", 10, 10, 100, 20, 140, 40, true, {110, 20, 20, 20}},
    BoxCase {"TallIsScaledDown", 50, 1000, 0, 0, 100, 100, true, {47, 0, 5, 100}},
    BoxCase {"EmptyBox", 10, 10, 5, 5, 5, 50, false, {}},
    BoxCase {"InvertedBox", 10, 10, 50, 50, 10, 10, false, {}},
    BoxCase {"SideRoundsToZero", 1000, 1, 0, 0, 100, 100, false, {}}),
    [](const ::testing::TestParamInfo<BoxCase>& i) { return std::string(i.param.name); });

} // namespace
