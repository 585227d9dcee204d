// The PNG codec: every colour type and bit depth, interlaced or not, against libpng's own
// reading; transparency, resolution and the encoder leaving the image as it was.
#include <gtest/gtest.h>
#include <chrono>
#include <cstring>
#include <string>
#include "image/RasterImage.h"
#include "tests/image/FaultFixtures.h"
#include "tests/image/HeapUse.h"
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
    gray.bitDepth = 8;
    gray.transColor = true;
    gray.trans.gray = 0x40;
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

// How opaque a decoded pixel shows: its alpha plane value, its palette entry's alpha, 0 when
// it is the transparent index or colour, else 255.
uint8_t Opacity(const CRasterImage& image, int32_t x, int32_t y)
{
    if (image.AlphaIsValid())
        return image.AlphaGet(x, y);
    RasterColor c = image.GetPixelColor(x, y, false);
    if (image.IsIndexed() && image.AlphaPaletteIsEnabled())
        return c.rgbReserved;
    if (!image.IsTransparent())
        return 255;
    if (image.IsIndexed())
        return image.GetPixelIndex(x, y) == image.GetTransIndex() ? 0 : 255;
    RasterColor t = image.GetTransColor();
    return c.rgbRed == t.rgbRed && c.rgbGreen == t.rgbGreen && c.rgbBlue == t.rgbBlue ? 0 : 255;
}

// Colour and opacity of every pixel as libpng itself reads them (tRNS expanded at the file's
// own depth, then 16 bits cut to 8).
void ExpectAsLibpngReadsIt(const std::vector<uint8_t>& bytes)
{
    PngDecoded expected = ReadPng(bytes);
    ASSERT_GT(expected.width, 0u);
    CRasterImage image;
    ASSERT_TRUE(Decode(image, bytes)) << image.GetLastError();
    ASSERT_EQ(image.GetWidth(), expected.width);
    ASSERT_EQ(image.GetHeight(), expected.height);
    int32_t h = int32_t(expected.height);
    for (int32_t y = 0; y < h; y++) {
        for (int32_t x = 0; x < int32_t(expected.width); x++) {
            const uint8_t* e = expected.rgba.data() + (size_t(y) * expected.width + size_t(x)) * 4;
            RasterColor got = image.GetPixelColor(x, h - 1 - y, false);
            EXPECT_EQ(got.rgbRed, e[0]) << x << "," << y;
            EXPECT_EQ(got.rgbGreen, e[1]) << x << "," << y;
            EXPECT_EQ(got.rgbBlue, e[2]) << x << "," << y;
            EXPECT_EQ(Opacity(image, x, h - 1 - y), e[3]) << x << "," << y;
        }
    }
}

// A 16-bit transparent key is compared at 16 bits: samples that only share its high byte stay
// opaque.
TEST(PngCodec, SixteenBitTransparentKeysMatchWholeSamples)
{
    ExpectAsLibpngReadsIt(PngGrey16Key());
    ExpectAsLibpngReadsIt(PngRgb16Key());
    // Interlaced, so that later passes merge into rows that already have alpha.
    PngLayout interlaced;
    interlaced.width = 11;
    interlaced.height = 9;
    interlaced.bitDepth = 16;
    interlaced.interlaced = true;
    interlaced.transColor = true;
    interlaced.trans.red = 0x1234;
    interlaced.trans.green = 0x5678;
    interlaced.trans.blue = 0x9ABC;
    const uint16_t key[3] = {0x1234, 0x5678, 0x9ABC};
    ExpectAsLibpngReadsIt(MakePng(interlaced, [&](int x, int y, int c) {
        return uint16_t((x + y) % 3 == 0 ? key[c] : key[c] + x % 2);
    }));
    CRasterImage grey;
    ASSERT_TRUE(Decode(grey, PngGrey16Key()));
    int transparent = 0;
    for (int32_t y = 0; y < 2; y++) {
        for (int32_t x = 0; x < 4; x++)
            transparent += Opacity(grey, x, y) == 0;
    }
    EXPECT_EQ(transparent, 2);
    EXPECT_EQ(grey.GetBpp(), 8);
}

// One tRNS entry is that palette entry's alpha, whatever its value; only a 0 makes it the
// transparent index.
TEST(PngCodec, OnePartialPaletteAlphaIsKept)
{
    ExpectAsLibpngReadsIt(PngPaletteHalfAlpha());
    CRasterImage image;
    ASSERT_TRUE(Decode(image, PngPaletteHalfAlpha()));
    EXPECT_EQ(image.GetPaletteColor(0).rgbReserved, 0x80);
    EXPECT_EQ(Opacity(image, 0, 0), 0x80);
    EXPECT_EQ(Opacity(image, 1, 0), 255);
    PngLayout clear;
    clear.colorType = PNG_COLOR_TYPE_PALETTE;
    clear.bitDepth = 2;
    clear.palette = {{200, 0, 0}, {0, 200, 0}};
    clear.transAlpha = {0};
    CRasterImage indexed;
    ASSERT_TRUE(Decode(indexed, MakePng(clear, [](int x, int, int) { return uint16_t(x & 1); })));
    EXPECT_EQ(indexed.GetTransIndex(), 0);
    EXPECT_FALSE(indexed.AlphaPaletteIsEnabled());
}

// An ancillary chunk that declares far more than the file holds fails at once, without the
// decoder (or libpng) taking memory for it; in the native build the test measures the heap.
TEST(PngCodec, HugeAncillaryChunksFailAtOnce)
{
    for (const char* type : {"tEXt", "zTXt", "iTXt", "iCCP", "sPLT", "pCAL", "sCAL", "eXIf", "prVt"}) {
        std::vector<uint8_t> bytes = PngHugeAncillaryChunk(type);
        ASSERT_EQ(bytes.size(), 57u);
        CRasterImage image;
        bool decoded = true;
        auto start = std::chrono::steady_clock::now();
        int64_t peak = PeakHeapBytes([&] { decoded = Decode(image, bytes); });
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_FALSE(decoded) << type;
        EXPECT_STRNE(image.GetLastError(), "") << type;
        EXPECT_LT(seconds, 1.0) << type;
        EXPECT_LT(peak, int64_t(4) << 20) << type;
    }
}

// Metadata the decoder does not use is passed over, however large, without being kept.
TEST(PngCodec, LargeTextChunksArePassedOver)
{
    PngLayout layout;
    std::vector<uint8_t> bytes = MakePng(layout, [](int x, int y, int c) { return uint16_t(x * 9 + y * 5 + c); });
    Bytes text = {'X', 'M', 'L', 0};
    text.resize(3u << 20, 'a');
    Bytes chunk = PngChunk("tEXt", text);
    bytes.insert(bytes.begin() + 33, chunk.begin(), chunk.end());     // after the header chunk
    CRasterImage image;
    bool decoded = false;
    int64_t peak = PeakHeapBytes([&] { decoded = Decode(image, bytes); });
    ASSERT_TRUE(decoded) << image.GetLastError();
    EXPECT_LT(peak, int64_t(1) << 20);
    ExpectAsLibpngReadsIt(bytes);
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
