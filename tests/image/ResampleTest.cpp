// Resampling, canvas padding, the thumbnail fit and sampling at fractional positions.
#include <gtest/gtest.h>
#include <cmath>
#include <cstdlib>
#include "image/RasterImage.h"
#include "image/ResampleKernels.h"

namespace {

CRasterImage Uniform(uint32_t w, uint32_t h, RasterColor c)
{
    CRasterImage image(w, h, 24);
    for (int32_t y = 0; y < int32_t(h); y++) {
        for (int32_t x = 0; x < int32_t(w); x++)
            image.SetPixelColor(x, y, c);
    }
    return image;
}

CRasterImage Checker(uint32_t w, uint32_t h, uint32_t bpp)
{
    CRasterImage image(w, h, bpp);
    if (bpp <= 8) {
        image.SetPaletteColor(0, 0, 0, 0);
        image.SetPaletteColor(1, 255, 255, 255);
    }
    for (int32_t y = 0; y < int32_t(h); y++) {
        for (int32_t x = 0; x < int32_t(w); x++) {
            uint8_t v = (x + y) % 2 ? 255 : 0;
            image.SetPixelColor(x, y, RasterColor {v, v, v, 0});
        }
    }
    return image;
}

CRasterImage Noise(uint32_t w, uint32_t h)
{
    CRasterImage image(w, h, 24);
    uint32_t seed = 99;
    for (int32_t y = 0; y < int32_t(h); y++) {
        for (int32_t x = 0; x < int32_t(w); x++) {
            seed = seed * 1664525u + 1013904223u;
            image.SetPixelColor(x, y, RasterColor {uint8_t(seed >> 24), uint8_t(seed >> 16), uint8_t(seed >> 8), 0});
        }
    }
    return image;
}

struct KernelCase {
    const char* name;
    int32_t method;
    float t;
    float value;
};

class KernelTest : public ::testing::TestWithParam<KernelCase> {};

TEST_P(KernelTest, Values)
{
    const KernelCase& c = GetParam();
    EXPECT_NEAR(ResampleKernel(c.method, c.t), c.value, 2e-5f);
}

INSTANTIATE_TEST_SUITE_P(Kernels, KernelTest, ::testing::Values(
    KernelCase {"BSplineCentre", IM_BSPLINE, 0.0f, 0.6666667f},
    KernelCase {"BSplineOne", IM_BSPLINE, 1.0f, 0.1666667f},
    KernelCase {"BSplineBeyond", IM_BSPLINE, 2.5f, 0.0f},
    KernelCase {"BicubicOne", IM_BICUBIC, 1.0f, 0.0f},
    KernelCase {"BicubicHalf", IM_BICUBIC, 0.5f, 0.625f},
    KernelCase {"BicubicA", IM_BICUBIC2, 0.5f, 0.5625f},
    KernelCase {"LanczosCentre", IM_LANCZOS, 0.0f, 1.0f},
    KernelCase {"LanczosHalf", IM_LANCZOS, 0.5f, 0.6293724f},
    KernelCase {"LanczosBeyond", IM_LANCZOS, 6.5f, 0.0f},
    KernelCase {"BoxLowerEdge", IM_BOX, -0.5f, 1.0f},
    KernelCase {"BoxUpperEdge", IM_BOX, 0.5f, 0.0f},
    KernelCase {"HermiteHalf", IM_HERMITE, 0.5f, 0.5f},
    KernelCase {"HammingHalf", IM_HAMMING, 0.5f, 0.54f},
    KernelCase {"SincHalf", IM_SINC, 0.5f, 0.6366198f},
    KernelCase {"BlackmanCentre", IM_BLACKMAN, 0.0f, 1.0f},
    KernelCase {"BesselCentre", IM_BESSEL, 0.0f, 0.7853982f},
    KernelCase {"BesselOne", IM_BESSEL, 1.0f, 0.1423077f},
    KernelCase {"BesselHalf", IM_BESSEL, 0.5f, 0.5668241f},
    KernelCase {"BesselFarArgument", IM_BESSEL, 3.0f, 0.0294542f},
    KernelCase {"GaussianCentre", IM_GAUSSIAN, 0.0f, 0.7978846f},
    KernelCase {"QuadraticOne", IM_QUADRATIC, 1.0f, 0.125f},
    KernelCase {"MitchellCentre", IM_MITCHELL, 0.0f, 0.8888889f},
    KernelCase {"CatromOne", IM_CATROM, 1.0f, 0.0f},
    KernelCase {"HanningHalf", IM_HANNING, 0.5f, 0.3183099f},
    KernelCase {"PowerHalf", IM_POWER, 0.5f, 0.75f}),
    [](const ::testing::TestParamInfo<KernelCase>& i) { return std::string(i.param.name); });

TEST(Resample, SameSizeCopiesOrDoesNothing)
{
    CRasterImage image = Noise(5, 4);
    CRasterImage copy;
    ASSERT_TRUE(image.Resample(5, 4, 0, &copy));
    EXPECT_EQ(copy.GetPixelColor(3, 2).rgbRed, image.GetPixelColor(3, 2).rgbRed);
    void* block = image.GetDIB();
    EXPECT_TRUE(image.Resample(5, 4, 0));
    EXPECT_EQ(image.GetDIB(), block);
    EXPECT_FALSE(image.Resample(0, 4));
}

// Shrinking 24 bits in both directions averages areas; anything else samples.
TEST(Resample, AreaAveragingOnlyForTwentyFourBitShrinks)
{
    CRasterImage rgb = Checker(400, 300, 24);
    ASSERT_TRUE(rgb.Resample(200, 150, 0));
    EXPECT_NEAR(rgb.GetPixelColor(100, 70).rgbRed, 127, 2);
    CRasterImage up = Checker(400, 300, 24);
    ASSERT_TRUE(up.Resample(800, 600, 0));
    EXPECT_EQ(up.GetPixelColor(0, 0).rgbRed, 0);
    CRasterImage indexed = Checker(400, 300, 8);
    ASSERT_TRUE(indexed.Resample(200, 150, 0));
    EXPECT_EQ(indexed.GetBpp(), 8);
    uint8_t v = indexed.GetPixelColor(100, 70).rgbRed;
    EXPECT_TRUE(v == 0 || v == 255) << int(v);
}

// Scale factors whose float sums drift: every destination pixel is written, none past the end.
TEST(Resample, AreaAveragingFillsExactlyTheDestination)
{
    struct Size { int32_t w, h, nw, nh; } sizes[] = {
        {997, 991, 331, 7}, {5, 5, 4, 4}, {1001, 3, 1000, 2}, {640, 480, 3, 479}, {7, 1000, 6, 999}, {300, 200, 299, 1}};
    for (const Size& s : sizes) {
        CRasterImage image = Uniform(uint32_t(s.w), uint32_t(s.h), RasterColor {40, 120, 200, 0});
        ASSERT_TRUE(image.Resample(s.nw, s.nh, 0)) << s.w << "x" << s.h;
        for (int32_t y = 0; y < s.nh; y++) {
            for (int32_t x = 0; x < s.nw; x++) {
                RasterColor c = image.GetPixelColor(x, y);
                ASSERT_NEAR(c.rgbRed, 200, 2) << s.nw << "x" << s.nh << " at " << x << "," << y;
                ASSERT_NEAR(c.rgbBlue, 40, 2) << s.nw << "x" << s.nh << " at " << x << "," << y;
            }
        }
    }
}

TEST(Resample, NearestAndBicubicModes)
{
    CRasterImage image = Noise(8, 6);
    CRasterImage nearest;
    ASSERT_TRUE(image.Resample(4, 3, 1, &nearest));
    EXPECT_EQ(nearest.GetPixelColor(3, 2).rgbGreen, image.GetPixelColor(6, 4).rgbGreen);
    CRasterImage uniform = Uniform(9, 9, RasterColor {200, 200, 200, 0});
    ASSERT_TRUE(uniform.Resample(20, 5, 2));
    EXPECT_NEAR(uniform.GetPixelColor(10, 2).rgbRed, 200, 1);
}

TEST(Resample, AlphaPlaneFollows)
{
    for (int32_t mode : {0, 1, 2}) {
        CRasterImage image = Uniform(10, 10, RasterColor {1, 2, 3, 0});
        image.AlphaCreate();
        image.AlphaClear(100);
        ASSERT_TRUE(image.Resample(5, 5, mode));
        ASSERT_TRUE(image.AlphaIsValid()) << mode;
        EXPECT_NEAR(image.AlphaGet(2, 2), 100, 1) << mode;
    }
}

struct ResamplePathCase {
    const char* name;
    int32_t nw, nh, mode;
};

class ResampleRowLoopTest : public ::testing::TestWithParam<ResamplePathCase> {};

// Every path reports the destination row it reached in the source image's progress.
TEST_P(ResampleRowLoopTest, WritesProgressRowByRow)
{
    const ResamplePathCase& c = GetParam();
    CRasterImage image = Uniform(40, 30, RasterColor{255, 255, 255, 0});
    CRasterImage dest;
    ASSERT_TRUE(image.Resample(c.nw, c.nh, c.mode, &dest));
    EXPECT_EQ(image.GetProgress(), 100 * (c.nh - 1) / c.nh);
    EXPECT_NEAR(dest.GetPixelColor(c.nw - 1, c.nh - 1).rgbRed, 255, 2);
}

// Escape stops every path before its first row: the result is the temporary as Create left it
// (whatever the heap held), not the resampled colour. No block of this colour was freed before,
// so a stopped run cannot come out as the full result.
TEST_P(ResampleRowLoopTest, StopsWhenEscapeIsSet)
{
    const ResamplePathCase& c = GetParam();
    const RasterColor colour{37, 142, 211, 0};
    CRasterImage image = Uniform(40, 30, colour);
    image.SetEscape(1);
    CRasterImage dest;
    ASSERT_TRUE(image.Resample(c.nw, c.nh, c.mode, &dest));
    EXPECT_EQ(image.GetProgress(), 0);
    ASSERT_EQ(dest.GetWidth(), uint32_t(c.nw));
    int32_t resampled = 0;
    for (int32_t y = 0; y < c.nh; y++) {
        for (int32_t x = 0; x < c.nw; x++) {
            RasterColor got = dest.GetPixelColor(x, y);
            resampled += std::abs(got.rgbBlue - colour.rgbBlue) <= 2 && std::abs(got.rgbGreen - colour.rgbGreen) <= 2 &&
                         std::abs(got.rgbRed - colour.rgbRed) <= 2;
        }
    }
    EXPECT_LT(resampled, c.nw * c.nh);
}

INSTANTIATE_TEST_SUITE_P(Paths, ResampleRowLoopTest,
                         ::testing::Values(ResamplePathCase{"Nearest", 20, 15, 1},
                                           ResamplePathCase{"Bicubic", 20, 15, 2},
                                           ResamplePathCase{"AreaAveraging", 20, 15, 0},
                                           ResamplePathCase{"AreaAveragingUneven", 13, 7, 0},
                                           ResamplePathCase{"Bilinear", 80, 60, 0}),
                         [](const ::testing::TestParamInfo<ResamplePathCase>& i) { return std::string(i.param.name); });

// 1- and 4-bit images report every new row, 24-bit images every copied source row.
TEST(Expand, WritesProgress)
{
    struct Case {
        uint32_t bpp;
        int32_t progress;
    } cases[] = {{1, 100 * 6 / 7}, {4, 100 * 6 / 7}, {24, 100 * 2 / 3}};
    for (const Case& c : cases) {
        CRasterImage image(4, 3, c.bpp);
        CRasterImage dest;
        ASSERT_TRUE(image.Expand(1, 2, 1, 2, RasterColor{0, 0, 0, 0}, &dest)) << c.bpp;
        EXPECT_EQ(dest.GetHeight(), 7u) << c.bpp;
        EXPECT_EQ(image.GetProgress(), c.progress) << c.bpp;
    }
}

TEST(Expand, MarginsCanvasAndPlanes)
{
    CRasterImage image = Uniform(2, 2, RasterColor {9, 9, 9, 0});
    image.AlphaCreate();
    image.AlphaClear(200);
    RasterColor canvas {100, 110, 120, 7};
    ASSERT_TRUE(image.Expand(1, 2, 3, 4, canvas));
    EXPECT_EQ(image.GetWidth(), 6u);
    EXPECT_EQ(image.GetHeight(), 8u);
    EXPECT_EQ(image.GetPixelColor(1, 4).rgbRed, 9);     // rows are bottom-up: the bottom margin first
    EXPECT_EQ(image.GetPixelColor(1, 3).rgbRed, 120);
    EXPECT_EQ(image.GetPixelColor(0, 4).rgbRed, 120);
    EXPECT_EQ(image.AlphaGet(1, 4), 200);
    EXPECT_EQ(image.AlphaGet(5, 7), 7);
    EXPECT_FALSE(image.Expand(-1, 0, 0, 0, canvas));
    EXPECT_FALSE(image.ExpandCentred(5, 8, canvas));
}

TEST(Expand, PaletteImagesUseTheNearestIndex)
{
    for (uint32_t bpp : {1u, 8u}) {
        CRasterImage image(3, 1, bpp);
        image.SetPaletteColor(0, 0, 0, 0);
        image.SetPaletteColor(1, 250, 250, 250);
        image.Clear(0);
        ASSERT_TRUE(image.ExpandCentred(6, 2, RasterColor {255, 255, 255, 0}));
        // Odd pixels go right and to the bottom, and the bottom rows come first.
        EXPECT_EQ(image.GetPixelIndex(1, 0), 1) << bpp;
        EXPECT_EQ(image.GetPixelIndex(0, 1), 1) << bpp;
        EXPECT_EQ(image.GetPixelIndex(1, 1), 0) << bpp;
        EXPECT_EQ(image.GetPixelIndex(3, 1), 0) << bpp;
        EXPECT_EQ(image.GetPixelIndex(4, 1), 1) << bpp;
    }
}

struct FitCase {
    const char* name;
    uint32_t w, h;
    int32_t canvasW, canvasH;
    int32_t firstImageColumn, lastImageColumn, firstImageRow, lastImageRow;   // rows bottom-up
};

class FitIntoCanvasTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitIntoCanvasTest, ScalesDownKeepingTheAspectAndCentres)
{
    const FitCase& c = GetParam();
    CRasterImage image = Uniform(c.w, c.h, RasterColor {200, 200, 200, 0});
    ASSERT_TRUE(image.FitIntoCanvas(c.canvasW, c.canvasH, RasterColor {0, 0, 0, 0}));
    ASSERT_EQ(image.GetWidth(), uint32_t(c.canvasW));
    ASSERT_EQ(image.GetHeight(), uint32_t(c.canvasH));
    int32_t midY = (c.firstImageRow + c.lastImageRow) / 2, midX = (c.firstImageColumn + c.lastImageColumn) / 2;
    EXPECT_GT(image.GetPixelColor(c.firstImageColumn, midY).rgbRed, 150);
    EXPECT_GT(image.GetPixelColor(c.lastImageColumn, midY).rgbRed, 150);
    EXPECT_EQ(image.GetPixelColor(c.firstImageColumn - 1, midY).rgbRed, c.firstImageColumn > 0 ? 0 : 200);
    EXPECT_GT(image.GetPixelColor(midX, c.firstImageRow).rgbRed, 150);
    if (c.firstImageRow > 0) {
        EXPECT_EQ(image.GetPixelColor(midX, c.firstImageRow - 1).rgbRed, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FitIntoCanvasTest, ::testing::Values(
    FitCase {"PortraitFrame", 1080, 1920, 192, 108, 66, 125, 0, 107},
    FitCase {"SmallerImage", 100, 50, 192, 108, 46, 145, 29, 78},
    FitCase {"WideFrame", 1920, 1080, 160, 90, 0, 159, 0, 89}),
    [](const ::testing::TestParamInfo<FitCase>& i) { return std::string(i.param.name); });

TEST(Interpolation, OverflowMethods)
{
    CRasterImage image(3, 1, 24);
    for (int32_t x = 0; x < 3; x++)
        image.SetPixelColor(x, 0, RasterColor {uint8_t(x * 10 + 10), 0, 0, 0});
    RasterColor replacement {77, 0, 0, 5};
    struct Case { int32_t method; uint8_t blue; } cases[] = {
        {OM_COLOR, 77}, {OM_BACKGROUND, 77}, {OM_TRANSPARENT, 77}, {OM_WRAP, 30}, {OM_REPEAT, 10}, {OM_MIRROR, 20}, {99, 77}};
    for (const Case& c : cases)
        EXPECT_EQ(image.GetPixelColorWithOverflow(-1, 0, c.method, &replacement).rgbBlue, c.blue) << c.method;
    EXPECT_EQ(image.GetPixelColorWithOverflow(3, 0, OM_MIRROR).rgbBlue, 30);
    image.SetTransIndex(0);
    image.SetTransColor(RasterColor {55, 0, 0, 0});
    EXPECT_EQ(image.GetPixelColorWithOverflow(-1, 0, OM_BACKGROUND, &replacement).rgbBlue, 55);
    image.AlphaCreate();
    RasterColor t = image.GetPixelColorWithOverflow(-1, 0, OM_TRANSPARENT, &replacement);
    EXPECT_EQ(t.rgbBlue, 77);
    EXPECT_EQ(t.rgbReserved, 0);
}

// Interpolating kernels give back the pixel itself at whole-pixel positions.
TEST(Interpolation, WholePixelPositionsAreExact)
{
    CRasterImage image = Noise(16, 16);
    for (int32_t method : {IM_NEAREST_NEIGHBOUR, IM_BILINEAR, IM_BICUBIC, IM_BICUBIC2, IM_LANCZOS, IM_BOX, IM_HERMITE,
                           IM_SINC, IM_CATROM, IM_HANNING, IM_POWER}) {
        for (int32_t p : {0, 7, 15}) {
            RasterColor want = image.GetPixelColor(p, 15 - p);
            RasterColor got = image.GetPixelColorInterpolated(float(p), float(15 - p), method, OM_REPEAT);
            EXPECT_NEAR(got.rgbRed, want.rgbRed, 1) << method << " at " << p;
            EXPECT_NEAR(got.rgbBlue, want.rgbBlue, 1) << method << " at " << p;
        }
    }
}

TEST(Interpolation, SmoothingKernelsKeepAUniformImage)
{
    CRasterImage image = Uniform(20, 20, RasterColor {80, 160, 240, 0});
    for (int32_t method : {IM_BILINEAR, IM_BSPLINE, IM_BICUBIC2, IM_LANCZOS, IM_MITCHELL, IM_CATROM, IM_QUADRATIC}) {
        RasterColor c = image.GetPixelColorInterpolated(9.3f, 4.7f, method, OM_REPEAT);
        EXPECT_NEAR(c.rgbRed, 240, 2) << method;
        EXPECT_NEAR(c.rgbBlue, 80, 2) << method;
        RasterColor edge = image.GetPixelColorInterpolated(-0.4f, 19.6f, method, OM_REPEAT);
        EXPECT_NEAR(edge.rgbGreen, 160, 2) << method;
    }
    RasterColor outside = image.GetPixelColorInterpolated(-50.0f, 3.0f, IM_LANCZOS, OM_COLOR);
    EXPECT_EQ(outside.rgbRed, 255);     // the default replacement: white
    RasterColor wrapped = image.GetPixelColorInterpolated(-50.5f, 3.0f, IM_LANCZOS, OM_WRAP);
    EXPECT_NEAR(wrapped.rgbRed, 240, 2);
}

TEST(Interpolation, AreaAveragesAndEmptyAreas)
{
    CRasterImage image = Checker(8, 8, 24);
    RasterColor avg = image.GetAreaColorInterpolated(4.0f, 4.0f, 4.0f, 4.0f, IM_BILINEAR, OM_REPEAT);
    EXPECT_NEAR(avg.rgbRed, 127, 2);
    RasterColor strip = image.GetAreaColorInterpolated(4.0f, 4.0f, 4.0f, 0.5f, IM_BILINEAR, OM_REPEAT);
    EXPECT_NEAR(strip.rgbRed, 127, 40);
    RasterColor replacement {1, 2, 3, 0};
    RasterColor empty = image.GetAreaColorInterpolated(4.0f, 4.0f, 6.0f, 0.0f, IM_BILINEAR, OM_REPEAT, &replacement);
    EXPECT_EQ(empty.rgbRed, 3);
    RasterColor nan = image.GetAreaColorInterpolated(4.0f, 4.0f, 6.0f, std::nanf(""), IM_BILINEAR, OM_REPEAT, &replacement);
    EXPECT_EQ(nan.rgbRed, 3);
}

} // namespace
