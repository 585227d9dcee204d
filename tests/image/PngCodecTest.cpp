// The PNG codec: every colour type and bit depth, interlaced or not, against libpng's own
// reading; transparency, resolution and the encoder leaving the image as it was.
#include <gtest/gtest.h>
#include <cstring>
#include "image/RasterImage.h"
#include "tests/image/PngFixtures.h"
#include "tests/image/MemoryCodec.h"

namespace {

bool Decode(CRasterImage& image, const std::vector<uint8_t>& bytes)
{
    return DecodeBytes(image, bytes, 4);
}

std::vector<uint8_t> Encode(CRasterImage& image)
{
    return EncodeBytes(image, 4);
}

std::vector<png_color> Palette(int n)
{
    std::vector<png_color> p;
    for (int i = 0; i < n; i++)
        p.push_back(png_color {png_byte(i * 37), png_byte(255 - i * 3), png_byte(i * 11)});
    return p;
}

struct ColorCase {
    const char* name;
    int colorType;
    int bitDepth;
    uint16_t bpp;
    bool alpha;
};

class PngColorTest : public ::testing::TestWithParam<std::tuple<ColorCase, bool>> {};

TEST_P(PngColorTest, DecodesAsLibpngReadsIt)
{
    const ColorCase& c = std::get<0>(GetParam());
    bool interlaced = std::get<1>(GetParam());
    PngLayout layout;
    layout.width = 11;
    layout.height = 9;
    layout.colorType = c.colorType;
    layout.bitDepth = c.bitDepth;
    layout.interlaced = interlaced;
    int maxValue = (1 << c.bitDepth) - 1;
    if (c.colorType == PNG_COLOR_TYPE_PALETTE)
        layout.palette = Palette(1 << c.bitDepth);
    std::vector<uint8_t> bytes = MakePng(layout, [&](int x, int y, int k) {
        return uint16_t((x * 7 + y * 13 + k * 29) * 2654435761u % uint32_t(maxValue + 1));
    });
    ASSERT_FALSE(bytes.empty());
    PngDecoded expected = ReadPng(bytes);
    CRasterImage image;
    ASSERT_TRUE(Decode(image, bytes)) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), c.bpp);
    EXPECT_EQ(image.AlphaIsValid(), c.alpha);
    EXPECT_EQ(image.GetCodecOption(4) & 1, interlaced ? 1u : 0u);
    for (int y = 0; y < 9; y++) {
        for (int x = 0; x < 11; x++) {
            const uint8_t* e = expected.rgba.data() + (size_t(y) * 11 + size_t(x)) * 4;
            RasterColor got = image.GetPixelColor(x, 8 - y, false);
            ASSERT_EQ(got.rgbRed, e[0]) << x << "," << y;
            ASSERT_EQ(got.rgbGreen, e[1]) << x << "," << y;
            ASSERT_EQ(got.rgbBlue, e[2]) << x << "," << y;
            if (c.alpha) {
                ASSERT_EQ(image.AlphaGet(x, 8 - y), e[3]) << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Types, PngColorTest, ::testing::Combine(::testing::Values(
    ColorCase {"Grey1", PNG_COLOR_TYPE_GRAY, 1, 1, false},
    ColorCase {"Grey2", PNG_COLOR_TYPE_GRAY, 2, 4, false},
    ColorCase {"Grey4", PNG_COLOR_TYPE_GRAY, 4, 4, false},
    ColorCase {"Grey8", PNG_COLOR_TYPE_GRAY, 8, 8, false},
    ColorCase {"Grey16", PNG_COLOR_TYPE_GRAY, 16, 8, false},
    ColorCase {"Palette1", PNG_COLOR_TYPE_PALETTE, 1, 1, false},
    ColorCase {"Palette2", PNG_COLOR_TYPE_PALETTE, 2, 4, false},
    ColorCase {"Palette4", PNG_COLOR_TYPE_PALETTE, 4, 4, false},
    ColorCase {"Palette8", PNG_COLOR_TYPE_PALETTE, 8, 8, false},
    ColorCase {"Rgb8", PNG_COLOR_TYPE_RGB, 8, 24, false},
    ColorCase {"Rgb16", PNG_COLOR_TYPE_RGB, 16, 24, false},
    ColorCase {"GreyAlpha8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, 8, true},
    ColorCase {"GreyAlpha16", PNG_COLOR_TYPE_GRAY_ALPHA, 16, 8, true},
    ColorCase {"Rgba8", PNG_COLOR_TYPE_RGB_ALPHA, 8, 24, true},
    ColorCase {"Rgba16", PNG_COLOR_TYPE_RGB_ALPHA, 16, 24, true}), ::testing::Bool()),
    [](const ::testing::TestParamInfo<std::tuple<ColorCase, bool>>& i) {
        return std::string(std::get<0>(i.param).name) + (std::get<1>(i.param) ? "Interlaced" : "");
    });

TEST(PngCodec, PaletteTransparencyBecomesPaletteAlpha)
{
    PngLayout layout;
    layout.colorType = PNG_COLOR_TYPE_PALETTE;
    layout.bitDepth = 4;
    layout.palette = Palette(16);
    layout.transAlpha = {0, 64, 128};
    CRasterImage image;
    ASSERT_TRUE(Decode(image, MakePng(layout, [](int x, int, int) { return uint16_t(x); })));
    EXPECT_TRUE(image.AlphaPaletteIsEnabled());
    EXPECT_EQ(image.GetPaletteColor(0).rgbReserved, 0);
    EXPECT_EQ(image.GetPaletteColor(2).rgbReserved, 128);
    EXPECT_EQ(image.GetPaletteColor(3).rgbReserved, 255);
    EXPECT_EQ(image.GetPaletteColor(15).rgbReserved, 255);
}

TEST(PngCodec, SingleTransparentValuesBecomeTheTransparentIndexOrColour)
{
    PngLayout gray;
    gray.colorType = PNG_COLOR_TYPE_GRAY;
    gray.bitDepth = 16;
    gray.transColor = true;
    gray.trans.gray = 0x4000;
    CRasterImage g;
    ASSERT_TRUE(Decode(g, MakePng(gray, [](int, int, int) { return uint16_t(0); })));
    EXPECT_EQ(g.GetTransIndex(), 0x40);
    PngLayout rgb;
    rgb.transColor = true;
    rgb.trans.red = 10;
    rgb.trans.green = 20;
    rgb.trans.blue = 30;
    CRasterImage c;
    ASSERT_TRUE(Decode(c, MakePng(rgb, [](int, int, int) { return uint16_t(0); })));
    EXPECT_EQ(c.GetTransIndex(), 0);
    EXPECT_EQ(c.GetTransColor().rgbRed, 10);
    EXPECT_EQ(c.GetTransColor().rgbBlue, 30);
}

TEST(PngCodec, ResolutionFromPhys)
{
    struct Case { bool phys; png_uint_32 ppm; int32_t dpi; } cases[] = {{true, 3780, 96}, {false, 0, 96}, {true, 11811, 300}};
    for (const Case& c : cases) {
        PngLayout layout;
        layout.physMetre = c.phys;
        layout.physX = layout.physY = c.ppm;
        CRasterImage image;
        ASSERT_TRUE(Decode(image, MakePng(layout, [](int, int, int) { return uint16_t(1); })));
        EXPECT_EQ(image.GetXDPI(), c.dpi) << c.ppm;
        EXPECT_EQ(image.GetYDPI(), c.dpi) << c.ppm;
    }
}

TEST(PngCodec, DimensionsOnlyAndBrokenFiles)
{
    PngLayout layout;
    layout.width = 30;
    layout.height = 20;
    std::vector<uint8_t> bytes = MakePng(layout, [](int x, int, int) { return uint16_t(x); });
    CRasterImage dims;
    dims.SetEscape(-1);
    ASSERT_TRUE(Decode(dims, bytes));
    EXPECT_EQ(dims.GetWidth(), 30u);
    EXPECT_FALSE(dims.IsValid());
    // Dimensions-only asks for a PNG header: other bytes still fail.
    std::vector<uint8_t> junk(64, 7);
    EXPECT_FALSE(Decode(dims, junk));
    std::vector<uint8_t> truncated(bytes.begin(), bytes.begin() + long(bytes.size() / 2));
    CRasterImage image;
    EXPECT_FALSE(Decode(image, truncated));
    EXPECT_STREQ(image.GetLastError(), "Read Error");
    CRasterImage cancelled;
    cancelled.SetEscape(1);
    EXPECT_FALSE(Decode(cancelled, bytes));
}

// The transparent entry is written as entry 0 and the image itself is left exactly as it was.
TEST(PngCodec, EncodingAPaletteWithATransparentIndexLeavesTheImageAlone)
{
    CRasterImage image(6, 2, 4);
    image.Clear(0);
    for (uint8_t i = 0; i < 16; i++)
        image.SetPaletteColor(i, uint8_t(i * 10), uint8_t(i * 5), 200);
    for (int32_t x = 0; x < 6; x++)
        image.SetPixelIndex(x, 0, uint8_t(x));
    image.SetTransIndex(5);
    CRasterImage before(image);
    std::vector<uint8_t> bytes = Encode(image);
    ASSERT_FALSE(bytes.empty()) << image.GetLastError();
    EXPECT_EQ(std::memcmp(before.GetDIB(), image.GetDIB(), image.GetSize()), 0);
    EXPECT_EQ(image.GetTransIndex(), 5);
    PngDecoded d = ReadPng(bytes);
    EXPECT_EQ(d.colorType, PNG_COLOR_TYPE_PALETTE);
    EXPECT_EQ(d.numTrans, 1);
    // Bottom row of the image is the last row of the file.
    const uint8_t* row = d.rgba.data() + size_t(1) * 6 * 4;
    EXPECT_EQ(row[5 * 4 + 3], 0);
    EXPECT_EQ(row[5 * 4 + 0], 50);
    EXPECT_EQ(row[0 * 4 + 3], 255);
    EXPECT_EQ(row[0 * 4 + 0], 0);
}

TEST(PngCodec, EncodingAlphaWithATransparentColourLeavesThePlaneAlone)
{
    CRasterImage image(3, 1, 24);
    image.Clear(0);
    image.SetPixelColor(1, 0, RasterColor {9, 9, 9, 0});
    image.AlphaCreate();
    image.SetTransIndex(0);
    image.SetTransColor(RasterColor {9, 9, 9, 0});
    PngDecoded d = ReadPng(Encode(image));
    EXPECT_EQ(d.colorType, PNG_COLOR_TYPE_RGB_ALPHA);
    EXPECT_EQ(d.rgba[1 * 4 + 3], 0);
    EXPECT_EQ(d.rgba[0 * 4 + 3], 255);
    EXPECT_EQ(image.AlphaGet(1, 0), 255);
}

TEST(PngCodec, EncoderOptionsAndRefusals)
{
    CRasterImage image(9, 9, 24);
    image.Clear(3);
    image.SetCodecOption(1 | 0x6, 4);
    PngDecoded d = ReadPng(Encode(image));
    EXPECT_EQ(d.interlace, PNG_INTERLACE_ADAM7);
    CRasterImage gray(4, 4, 8);
    gray.SetGrayPalette();
    EXPECT_EQ(ReadPng(Encode(gray)).colorType, PNG_COLOR_TYPE_GRAY);
    CRasterImage paletteAlpha(4, 4, 8);
    paletteAlpha.AlphaCreate();
    EXPECT_TRUE(Encode(paletteAlpha).empty());
    EXPECT_STREQ(paletteAlpha.GetLastError(), "Error saving PNG file");
}

} // namespace
