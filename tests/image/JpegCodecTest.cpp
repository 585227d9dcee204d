// The JPEG codec: grey, CMYK, progressive, scaled and dimension-only decodes, resolution,
// encoder options and broken files.
#include <gtest/gtest.h>
#include <cstdlib>
#include "image/RasterImage.h"
#include "tests/image/JpegFixtures.h"
#include "tests/image/MemoryCodec.h"

namespace {

bool Decode(CRasterImage& image, const std::vector<uint8_t>& bytes)
{
    return DecodeBytes(image, bytes, 3);
}

std::vector<uint8_t> Encode(CRasterImage& image)
{
    return EncodeBytes(image, 3);
}

// Largest difference between the decoded image (bottom-up, BGR) and the pattern (top-down).
int WorstError(const CRasterImage& image, const JpegSample& sample, int components)
{
    int worst = 0;
    int h = int(image.GetHeight());
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < int(image.GetWidth()); x++) {
            RasterColor c = image.GetPixelColor(x, h - 1 - y, false);
            int got[3] = {c.rgbRed, c.rgbGreen, c.rgbBlue};
            for (int k = 0; k < (components == 1 ? 1 : 3); k++)
                worst = std::max(worst, std::abs(got[k] - sample(x, y, k)));
        }
    }
    return worst;
}

TEST(JpegCodec, ColourDecodesToTwentyFourBitsTopRowLast)
{
    JpegLayout layout;
    CRasterImage image;
    ASSERT_TRUE(Decode(image, MakeJpeg(layout, JpegGradient))) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), 24);
    EXPECT_EQ(image.GetType(), 3u);
    EXPECT_LE(WorstError(image, JpegGradient, 3), 8);
}

TEST(JpegCodec, GreyDecodesToEightBitsWithAGreyPalette)
{
    JpegLayout layout;
    layout.components = 1;
    CRasterImage image;
    ASSERT_TRUE(Decode(image, MakeJpeg(layout, JpegGradient)));
    EXPECT_EQ(image.GetBpp(), 8);
    EXPECT_EQ(image.GetNumColors(), 256u);
    EXPECT_TRUE(image.IsGrayScale());
    EXPECT_LE(WorstError(image, JpegGradient, 1), 6);
}

TEST(JpegCodec, AdobeCmykIsConvertedWithTheBlackChannel)
{
    JpegLayout layout;
    layout.components = 4;
    // Stored inverted: 255 is no ink. K = 128 halves every channel.
    auto cmyk = [](int, int, int c) { return uint8_t(c == 0 ? 200 : c == 1 ? 100 : c == 2 ? 50 : 128); };
    CRasterImage image;
    ASSERT_TRUE(Decode(image, MakeJpeg(layout, cmyk))) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), 24);
    RasterColor c = image.GetPixelColor(5, 5);
    EXPECT_NEAR(c.rgbRed, 200 * 128 / 255, 3);
    EXPECT_NEAR(c.rgbGreen, 100 * 128 / 255, 3);
    EXPECT_NEAR(c.rgbBlue, 50 * 128 / 255, 3);
}

TEST(JpegCodec, ProgressiveDecodesLikeBaseline)
{
    JpegLayout layout;
    layout.progressive = true;
    CRasterImage image;
    ASSERT_TRUE(Decode(image, MakeJpeg(layout, JpegGradient)));
    EXPECT_LE(WorstError(image, JpegGradient, 3), 8);
}

TEST(JpegCodec, ScaledDecodeRoundsUp)
{
    JpegLayout layout;
    layout.width = 33;
    layout.height = 17;
    struct Case { uint8_t scale; uint32_t w, h; } cases[] = {{1, 33, 17}, {2, 17, 9}, {4, 9, 5}, {8, 5, 3}, {0, 33, 17}};
    std::vector<uint8_t> bytes = MakeJpeg(layout, JpegGradient);
    for (const Case& c : cases) {
        CRasterImage image;
        image.SetJpegScale(c.scale);
        ASSERT_TRUE(Decode(image, bytes));
        EXPECT_EQ(image.GetWidth(), c.w) << int(c.scale);
        EXPECT_EQ(image.GetHeight(), c.h) << int(c.scale);
    }
}

TEST(JpegCodec, DimensionsOnlyDecodeLeavesNoPixels)
{
    JpegLayout layout;
    layout.width = 40;
    layout.height = 24;
    CRasterImage image;
    image.SetEscape(-1);
    ASSERT_TRUE(Decode(image, MakeJpeg(layout, JpegGradient)));
    EXPECT_EQ(image.GetWidth(), 40u);
    EXPECT_EQ(image.GetHeight(), 24u);
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(image.GetType(), 3u);
}

TEST(JpegCodec, EscapeCancels)
{
    JpegLayout layout;
    CRasterImage image;
    image.SetEscape(1);
    EXPECT_FALSE(Decode(image, MakeJpeg(layout, JpegGradient)));
}

struct DensityCase {
    const char* name;
    int unit;
    int x;
    int y;
    int32_t xDpi;
    int32_t yDpi;
};

class JpegDensityTest : public ::testing::TestWithParam<DensityCase> {};

TEST_P(JpegDensityTest, ResolutionFromTheJfifHeader)
{
    const DensityCase& c = GetParam();
    JpegLayout layout;
    layout.densityUnit = c.unit;
    layout.xDensity = c.x;
    layout.yDensity = c.y;
    CRasterImage image;
    ASSERT_TRUE(Decode(image, MakeJpeg(layout, JpegGradient)));
    EXPECT_EQ(image.GetXDPI(), c.xDpi);
    EXPECT_EQ(image.GetYDPI(), c.yDpi);
}

INSTANTIATE_TEST_SUITE_P(Units, JpegDensityTest, ::testing::Values(
    DensityCase {"Inches", 1, 300, 150, 300, 150},
    DensityCase {"Centimetres", 2, 38, 38, 97, 97},
    DensityCase {"AspectOnly", 0, 1, 2, 96, 192},
    DensityCase {"ZeroDensity", 1, 0, 0, 96, 96}),
    [](const ::testing::TestParamInfo<DensityCase>& i) { return std::string(i.param.name); });

TEST(JpegCodec, DefaultEncodeIsQualityNinetyFourTwoZeroAndNinetySixDpi)
{
    CRasterImage image(32, 16, 24);
    image.Clear(100);
    JpegDecoded d = ReadJpeg(Encode(image));
    JpegLayout reference;
    reference.quality = 90;
    EXPECT_EQ(d.quant0, ReadJpeg(MakeJpeg(reference, JpegGradient)).quant0);
    EXPECT_EQ(d.components, 3);
    EXPECT_EQ(d.hSampling, 2);
    EXPECT_EQ(d.vSampling, 2);
    EXPECT_EQ(d.densityUnit, 1);
    EXPECT_EQ(d.xDensity, 96);
    EXPECT_EQ(d.yDensity, 96);
    EXPECT_FALSE(d.progressive);
}

struct OptionCase {
    const char* name;
    uint32_t option;
    int h;
    int v;
    bool progressive;
    int components;
};

class JpegOptionTest : public ::testing::TestWithParam<OptionCase> {};

TEST_P(JpegOptionTest, EncoderOptions)
{
    const OptionCase& c = GetParam();
    CRasterImage image(32, 16, 24);
    image.Clear(60);
    image.SetCodecOption(c.option, 3);
    JpegDecoded d = ReadJpeg(Encode(image));
    EXPECT_EQ(d.components, c.components);
    if (c.components == 3) {
        EXPECT_EQ(d.hSampling, c.h);
        EXPECT_EQ(d.vSampling, c.v);
    }
    EXPECT_EQ(d.progressive, c.progressive);
}

INSTANTIATE_TEST_SUITE_P(Options, JpegOptionTest, ::testing::Values(
    OptionCase {"FourTwoTwo", 0x1000, 2, 1, false, 3},
    OptionCase {"FourFourFour", 0x2000, 1, 1, false, 3},
    OptionCase {"Progressive", 0x10, 2, 2, true, 3},
    OptionCase {"Optimised", 0x8, 2, 2, false, 3},
    OptionCase {"GreyOutput", 0x4, 1, 1, false, 1}),
    [](const ::testing::TestParamInfo<OptionCase>& i) { return std::string(i.param.name); });

TEST(JpegCodec, OnlyRgbOrEightBitGreyIsWritten)
{
    CRasterImage color(4, 4, 4);
    EXPECT_TRUE(Encode(color).empty());
    EXPECT_STREQ(color.GetLastError(), "JPEG can save only RGB or GreyScale images");
    CRasterImage gray(4, 4, 8);
    gray.SetGrayPalette();
    gray.Clear(77);
    JpegDecoded d = ReadJpeg(Encode(gray));
    EXPECT_EQ(d.components, 1);
    EXPECT_NEAR(d.samples[0], 77, 2);
}

TEST(JpegCodec, TruncatedFileDecodesWhatIsThere)
{
    JpegLayout layout;
    layout.width = 64;
    layout.height = 64;
    std::vector<uint8_t> bytes = MakeJpeg(layout, JpegGradient);
    bytes.resize(bytes.size() * 2 / 3);
    CRasterImage image;
    ASSERT_TRUE(Decode(image, bytes));
    EXPECT_EQ(image.GetWidth(), 64u);
}

TEST(JpegCodec, BrokenFilesFailWithTheLibrarysMessage)
{
    CRasterImage image;
    uint8_t none[1] = {0};
    EXPECT_FALSE(image.DecodeFromMemory(none, 0, 3));
    EXPECT_STREQ(image.GetLastError(), "Empty input file");
    std::vector<uint8_t> junk = {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x02, 0x13, 0x37, 0x00};
    EXPECT_FALSE(Decode(image, junk));
    EXPECT_STRNE(image.GetLastError(), "Empty input file");
    // A header that claims a picture past the memory limit fails before any pixel is read.
    JpegLayout layout;
    std::vector<uint8_t> big = MakeJpeg(layout, JpegGradient);
    for (size_t i = 0; i + 8 < big.size(); i++) {
        if (big[i] == 0xFF && big[i + 1] == 0xC0) {
            big[i + 5] = 0x4E;  // height 20000
            big[i + 6] = 0x20;
            big[i + 7] = 0x4E;  // width 20000
            big[i + 8] = 0x20;
            break;
        }
    }
    EXPECT_FALSE(Decode(image, big));
    EXPECT_STREQ(image.GetLastError(), "RASTERIMAGE_MAX_MEMORY exceeded");
}

} // namespace
