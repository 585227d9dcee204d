// The BMP and ICO codecs: header forms, RLE, bit fields, alpha, icon masks and PNG entries, and
// files whose headers claim more than they hold.
#include <gtest/gtest.h>
#include <chrono>
#include <climits>
#include <cstring>
#include "image/RasterImage.h"
#include "tests/image/ByteFixtures.h"
#include "tests/image/FaultFixtures.h"
#include "tests/image/HeapUse.h"
#include "tests/image/MemoryCodec.h"
#include "tests/image/PngFixtures.h"

namespace {

const Bytes kTwoColours = {0, 0, 0, 0, 255, 255, 255, 0};

BmpInfo Info(int32_t w, int32_t h, uint16_t bits, uint32_t compression = 0, uint32_t colors = 0)
{
    BmpInfo info;
    info.width = w;
    info.height = h;
    info.bits = bits;
    info.compression = compression;
    info.colors = colors;
    return info;
}

// 4 x 2 at 24 bits: bottom row blue-ish, top row red-ish (file rows bottom-up, padded to 4).
Bytes Pixels24(bool topDown)
{
    Bytes bottom = {255, 0, 0, 250, 0, 0, 245, 0, 0, 240, 0, 0};
    Bytes top = {0, 0, 255, 0, 0, 250, 0, 0, 245, 0, 0, 240};
    Bytes out = topDown ? top : bottom;
    Bytes second = topDown ? bottom : top;
    out.insert(out.end(), second.begin(), second.end());
    return out;
}

TEST(BmpCodec, BareHeaderAndTopDownDecodeAlike)
{
    CRasterImage normal, bare, topDown;
    ASSERT_TRUE(DecodeBytes(normal, MakeBmp(Info(4, 2, 24), {}, Pixels24(false)), 1));
    ASSERT_TRUE(DecodeBytes(bare, MakeBmp(Info(4, 2, 24), {}, Pixels24(false), {}, false), 0));
    ASSERT_TRUE(DecodeBytes(topDown, MakeBmp(Info(4, -2, 24), {}, Pixels24(true)), 0));
    for (CRasterImage* image : {&normal, &bare, &topDown}) {
        ASSERT_EQ(image->GetHeight(), 2u);
        EXPECT_EQ(image->GetPixelColor(0, 0).rgbBlue, 255);
        EXPECT_EQ(image->GetPixelColor(3, 1).rgbRed, 240);
        EXPECT_EQ(image->GetXDPI(), 96);
    }
}

TEST(BmpCodec, CoreHeaderWithThreeBytePalette)
{
    BmpInfo info = Info(3, 1, 8);
    info.size = 12;
    Bytes palette(256 * 3, 0);
    palette[3 * 1 + 2] = 200;   // entry 1: red 200
    CRasterImage image;
    ASSERT_TRUE(DecodeBytes(image, MakeBmp(info, palette, {1, 0, 1, 0}), 1));
    EXPECT_EQ(image.GetPixelColor(0, 0).rgbRed, 200);
    EXPECT_EQ(image.GetPixelColor(1, 0).rgbRed, 0);
}

TEST(BmpCodec, Rle8RunsLiteralsDeltaAndRunsPastTheRow)
{
    // Row 0: run of 2 x 1, literal 1 0 1; row 1: delta (2, 0), run of 255 x 1 (cut at the row's end).
    Bytes rle = {2, 1, 0, 3, 1, 0, 1, 0, 0, 0, 0, 2, 2, 0, 255, 1, 0, 1};
    CRasterImage image;
    ASSERT_TRUE(DecodeBytes(image, MakeBmp(Info(6, 2, 8, 1, 2), kTwoColours, rle), 1)) << image.GetLastError();
    const uint8_t row0[] = {1, 1, 1, 0, 1, 0}, row1[] = {0, 0, 1, 1, 1, 1};
    for (int x = 0; x < 6; x++) {
        EXPECT_EQ(image.GetPixelIndex(x, 0), row0[x]) << x;
        EXPECT_EQ(image.GetPixelIndex(x, 1), row1[x]) << x;
    }
}

TEST(BmpCodec, Rle4AlternatesNibbles)
{
    // Run of 5 alternating 1 and 2, literal of 3 pixels 3 4 5 (2 bytes, padded to 2), end.
    Bytes rle = {5, 0x12, 0, 3, 0x34, 0x50, 0, 1};
    CRasterImage image;
    ASSERT_TRUE(DecodeBytes(image, MakeBmp(Info(8, 1, 4, 2, 16), Bytes(64, 0), rle), 1)) << image.GetLastError();
    const uint8_t expected[] = {1, 2, 1, 2, 1, 3, 4, 5};
    for (int x = 0; x < 8; x++)
        EXPECT_EQ(image.GetPixelIndex(x, 0), expected[x]) << x;
}

struct FieldCase {
    const char* name;
    uint32_t headerSize;
    uint32_t compression;
    bool masksAfterHeader;      // 40-byte header: masks follow it
    uint16_t word;
    uint8_t red, green, blue;
};

class BmpBitfieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(BmpBitfieldTest, SixteenBitLayouts)
{
    const FieldCase& c = GetParam();
    BmpInfo info = Info(1, 1, 16, c.compression);
    info.size = c.headerSize;
    ByteWriter m;
    m.U32(0xF800).U32(0x07E0).U32(0x001F);
    Bytes extra = c.headerSize == 124 ? m.bytes : Bytes {};
    Bytes palette = c.masksAfterHeader ? m.bytes : Bytes {};
    Bytes pixels = {uint8_t(c.word), uint8_t(c.word >> 8), 0, 0};
    CRasterImage image;
    ASSERT_TRUE(DecodeBytes(image, MakeBmp(info, palette, pixels, extra), 1)) << image.GetLastError();
    RasterColor p = image.GetPixelColor(0, 0);
    EXPECT_EQ(p.rgbRed, c.red);
    EXPECT_EQ(p.rgbGreen, c.green);
    EXPECT_EQ(p.rgbBlue, c.blue);
}

INSTANTIATE_TEST_SUITE_P(Layouts, BmpBitfieldTest, ::testing::Values(
    FieldCase {"Default555", 40, 0, false, uint16_t(31 << 10 | 16 << 5 | 1), 248, 128, 8},
    FieldCase {"Masks565", 40, 3, true, uint16_t(31 << 11 | 32 << 5 | 1), 248, 128, 8},
    FieldCase {"Version5Masks565", 124, 3, false, uint16_t(31 << 11 | 32 << 5 | 1), 248, 128, 8}),
    [](const ::testing::TestParamInfo<FieldCase>& i) { return std::string(i.param.name); });

TEST(BmpCodec, ThirtyTwoBitAlphaOnlyWhenAnyFourthByteIsSet)
{
    Bytes opaque = {1, 2, 3, 0, 4, 5, 6, 0};
    CRasterImage a;
    ASSERT_TRUE(DecodeBytes(a, MakeBmp(Info(2, 1, 32), {}, opaque), 1));
    EXPECT_FALSE(a.AlphaIsValid());
    EXPECT_EQ(a.GetPixelColor(1, 0).rgbRed, 6);
    Bytes alpha = {1, 2, 3, 0, 4, 5, 6, 77};
    CRasterImage b;
    ASSERT_TRUE(DecodeBytes(b, MakeBmp(Info(2, 1, 32), {}, alpha), 1));
    ASSERT_TRUE(b.AlphaIsValid());
    EXPECT_EQ(b.AlphaGet(1, 0), 77);
}

// A bit-field bitmap's alpha mask gives the alpha plane, for version-4 and version-5 headers.
TEST(BmpCodec, BitfieldAlphaMaskGivesTheAlphaPlane)
{
    for (uint32_t headerSize : {108u, 124u}) {
        CRasterImage image;
        ASSERT_TRUE(DecodeBytes(image, Bmp32AlphaBitfields(headerSize), 0)) << image.GetLastError();
        EXPECT_EQ(image.GetType(), 1u);
        ASSERT_TRUE(image.AlphaIsValid()) << headerSize;
        EXPECT_EQ(image.AlphaGet(0, 0), 0x80) << headerSize;
        EXPECT_EQ(image.AlphaGet(1, 0), 0xFF) << headerSize;
        EXPECT_EQ(image.AlphaGet(2, 0), 0) << headerSize;
        EXPECT_EQ(image.GetPixelColor(0, 0).rgbRed, 30);
        EXPECT_EQ(image.GetPixelColor(1, 0).rgbGreen, 50);
        EXPECT_EQ(image.GetPixelColor(2, 0).rgbBlue, 70);
    }
    // An alpha mask over bytes that are all 0 is no alpha at all, as for plain 32-bit bitmaps.
    BmpInfo info = Info(2, 1, 32, 3);
    info.size = 124;
    CRasterImage opaque;
    ASSERT_TRUE(DecodeBytes(opaque, MakeBmp(info, {}, {1, 2, 3, 0, 4, 5, 6, 0},
                                            BmpMaskBytes(0xFF0000, 0xFF00, 0xFF, 0xFF000000)), 1));
    EXPECT_FALSE(opaque.AlphaIsValid());
    EXPECT_EQ(opaque.GetPixelColor(1, 0).rgbRed, 6);
    // 16 bits, 1-5-5-5 with a 1-bit alpha: set is opaque, clear is transparent.
    BmpInfo info16 = Info(2, 1, 16, 3);
    info16.size = 108;
    CRasterImage sixteen;
    ASSERT_TRUE(DecodeBytes(sixteen, MakeBmp(info16, {}, {0x00, 0xFC, 0x1F, 0x00},
                                             BmpMaskBytes(0x7C00, 0x03E0, 0x001F, 0x8000)), 1));
    ASSERT_TRUE(sixteen.AlphaIsValid());
    EXPECT_EQ(sixteen.AlphaGet(0, 0), 255);
    EXPECT_EQ(sixteen.AlphaGet(1, 0), 0);
    EXPECT_EQ(sixteen.GetPixelColor(0, 0).rgbRed, 248);
    EXPECT_EQ(sixteen.GetPixelColor(1, 0).rgbBlue, 248);
}

// 32-bit masks need not be whole bytes: each channel is scaled by its own mask's width.
TEST(BmpCodec, ThirtyTwoBitMasksOfAnyWidth)
{
    CRasterImage image;
    ASSERT_TRUE(DecodeBytes(image, Bmp32Masks111110(), 1)) << image.GetLastError();
    const uint8_t expected[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {128, 64, 64}};
    for (int x = 0; x < 4; x++) {
        RasterColor p = image.GetPixelColor(x, 0);
        EXPECT_EQ(p.rgbRed, expected[x][0]) << x;
        EXPECT_EQ(p.rgbGreen, expected[x][1]) << x;
        EXPECT_EQ(p.rgbBlue, expected[x][2]) << x;
    }
    EXPECT_FALSE(image.AlphaIsValid());
}

// Version-4 headers read as the 40- and 124-byte ones do: colours used sizes the palette and an
// image size of 0 is computed; other sizes keep the stricter checks.
TEST(BmpCodec, VersionFourHeaders)
{
    CRasterImage palette;
    ASSERT_TRUE(DecodeBytes(palette, Bmp8Version4TwoColours(), 0)) << palette.GetLastError();
    EXPECT_EQ(palette.GetType(), 1u);
    EXPECT_EQ(palette.GetPixelColor(0, 0).rgbRed, 255);
    EXPECT_EQ(palette.GetPixelColor(1, 0).rgbRed, 0);
    EXPECT_EQ(palette.GetPixelColor(2, 0).rgbRed, 255);
    BmpInfo rgb = Info(4, 2, 24);
    rgb.size = 108;
    CRasterImage noImageSize;
    ASSERT_TRUE(DecodeBytes(noImageSize, MakeBmp(rgb, {}, Pixels24(false)), 1)) << noImageSize.GetLastError();
    EXPECT_EQ(noImageSize.GetPixelColor(3, 1).rgbRed, 240);
    CRasterImage bare;
    ASSERT_TRUE(DecodeBytes(bare, MakeBmp(rgb, {}, Pixels24(false), {}, false), 1)) << bare.GetLastError();
    EXPECT_EQ(bare.GetPixelColor(0, 0).rgbBlue, 255);
    BmpInfo odd = Info(3, 1, 8, 0, 2);
    odd.size = 100;
    odd.sizeImage = 4;
    CRasterImage refused;
    EXPECT_FALSE(DecodeBytes(refused, MakeBmp(odd, {0, 0, 0, 0, 0, 0, 255, 0}, {1, 0, 1, 0}), 1));
    EXPECT_STREQ(refused.GetLastError(), "Error reading BMP info");
}

// Headers that claim more than the image holds: reads stay inside the pixel block and the
// palette, and what cannot be a bitmap is refused.
TEST(BmpCodec, HostileHeaders)
{
    struct Case { const char* name; BmpInfo info; Bytes palette; Bytes pixels; bool ok; const char* error; };
    BmpInfo huge = Info(2, 2, 8, 0, 2);
    huge.sizeImage = 0x7FFFFFF0;
    BmpInfo minHeight = Info(2, INT_MIN, 24);
    Case cases[] = {
        {"BitCountThree", Info(2, 2, 3), {}, Bytes(8, 0), false, "unknown compression"},
        {"BitCountTwelve", Info(2, 2, 12), {}, Bytes(8, 0), false, "unknown compression"},
        {"HeightMin", minHeight, {}, Bytes(8, 0), false, "Error reading BMP info"},
        {"RleOnTwentyFourBits", Info(2, 2, 24, 1), {}, Bytes(16, 0), false, "unknown compression"},
        {"Rle4OnEightBits", Info(2, 2, 8, 2, 2), kTwoColours, Bytes(8, 0), false, "compression type not supported"},
        {"ImageSizePastTheBlock", huge, kTwoColours, Bytes(4096, 1), true, nullptr},
        {"ThousandColours", Info(2, 2, 8, 0, 1000), Bytes(4000, 9), Bytes(8, 1), true, nullptr},
        {"TruncatedPixels", Info(40, 40, 24), {}, Bytes(10, 5), true, nullptr},
    };
    for (const Case& c : cases) {
        CRasterImage image;
        EXPECT_EQ(DecodeBytes(image, MakeBmp(c.info, c.palette, c.pixels), 1), c.ok) << c.name;
        if (c.error) {
            EXPECT_STREQ(image.GetLastError(), c.error) << c.name;
        }
    }
    CRasterImage truncated;
    ASSERT_TRUE(DecodeBytes(truncated, MakeBmp(Info(40, 40, 24), {}, Bytes(10, 5)), 1));
    EXPECT_EQ(truncated.GetPixelColor(39, 39).rgbRed, 0);    // not heap contents
}

TEST(BmpCodec, DimensionsOnly)
{
    CRasterImage image;
    image.SetEscape(-1);
    ASSERT_TRUE(DecodeBytes(image, MakeBmp(Info(4, -2, 24), {}, Pixels24(true)), 1));
    EXPECT_EQ(image.GetHeight(), 2u);
    EXPECT_FALSE(image.IsValid());
    EXPECT_STREQ(image.GetLastError(), "output dimensions returned");
}

TEST(BmpCodec, AlphaIsSavedAsThirtyTwoBits)
{
    CRasterImage image(3, 2, 24);
    image.Clear(10);
    image.AlphaCreate();
    image.AlphaSet(2, 1, 99);
    Bytes bmp = EncodeBytes(image, 1);
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp[10], 54);
    EXPECT_EQ(bmp[14 + 14], 32);
    EXPECT_EQ(bmp.size(), 54u + 3 * 2 * 4);
    EXPECT_EQ(bmp[54 + (1 * 3 + 2) * 4 + 3], 99);
}

// ---- ICO ----

// A BMP icon entry: header (height doubled), palette, pixel rows, AND mask rows (bottom-up).
Bytes IconEntry(int32_t w, int32_t h, uint16_t bits, const Bytes& palette, const Bytes& pixels, const Bytes& mask)
{
    BmpInfo info = Info(w, h * 2, bits, 0, uint32_t(palette.size() / 4));
    ByteWriter e;
    e.Add(BmpInfoHeader(info)).Add(palette).Add(pixels).Add(mask);
    return e.bytes;
}

// 2 x 2 at 8 bits, one mask row per image row, 4 bytes each (only the top bits matter).
Bytes Mask2x2(uint8_t bottom, uint8_t top)
{
    return {bottom, 0, 0, 0, top, 0, 0, 0};
}

Bytes Palette3()
{
    return {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0};    // black, red, green
}

TEST(IcoCodec, MaskedPixelsOfOneIndexBecomeTheTransparentIndex)
{
    // Bottom row: red, red; top row: green, green. The left column is masked.
    Bytes pixels = {1, 1, 0, 0, 2, 2, 0, 0};
    CRasterImage image;
    ASSERT_TRUE(DecodeBytes(image, MakeIco({{2, 2, 8, IconEntry(2, 2, 8, Palette3(), pixels, Mask2x2(0x80, 0x80))}}), 5))
        << image.GetLastError();
    ASSERT_TRUE(image.IsTransparent());
    EXPECT_FALSE(image.AlphaIsValid());
    EXPECT_EQ(image.GetPixelIndex(0, 0), image.GetTransIndex());
    EXPECT_EQ(image.GetPixelIndex(0, 1), image.GetTransIndex());
    EXPECT_NE(image.GetPixelIndex(1, 0), image.GetTransIndex());
    EXPECT_EQ(image.GetPixelColor(1, 1).rgbGreen, 255);
}

TEST(IcoCodec, ThirtyTwoBitEntryKeepsAlphaAndMask)
{
    Bytes pixels = {1, 2, 3, 200, 4, 5, 6, 100, 7, 8, 9, 255, 10, 11, 12, 0};
    CRasterImage image;
    ASSERT_TRUE(DecodeBytes(image, MakeIco({{2, 2, 32, IconEntry(2, 2, 32, {}, pixels, Mask2x2(0x40, 0))}}), 0));
    EXPECT_EQ(image.GetType(), 5u);
    ASSERT_TRUE(image.AlphaIsValid());
    EXPECT_EQ(image.AlphaGet(0, 0), 200);
    EXPECT_EQ(image.AlphaGet(1, 0), 0);     // masked
    EXPECT_EQ(image.AlphaGet(0, 1), 255);
    EXPECT_EQ(image.GetPixelColor(1, 1).rgbRed, 12);
}

TEST(IcoCodec, FullMaskInvertsTheImage)
{
    Bytes pixels = {1, 1, 0, 0, 1, 1, 0, 0};
    CRasterImage image;
    ASSERT_TRUE(DecodeBytes(image, MakeIco({{2, 2, 8, IconEntry(2, 2, 8, Palette3(), pixels, Bytes(8, 0xFF))}}), 5));
    EXPECT_EQ(image.GetTransIndex(), 0);
    EXPECT_EQ(image.GetPixelColor(0, 0).rgbRed, 0);
    EXPECT_EQ(image.GetPixelColor(0, 0).rgbGreen, 255);
}

// A PNG entry is known by its signature, whatever the directory says; a broken one fails.
TEST(IcoCodec, PngEntries)
{
    PngLayout layout;
    layout.width = 20;
    layout.height = 10;
    Bytes png = MakePng(layout, [](int x, int, int) { return uint16_t(x * 10); });
    CRasterImage image;
    ASSERT_TRUE(DecodeBytes(image, MakeIco({{32, 32, 32, png}}), 5)) << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), 20u);
    EXPECT_EQ(image.GetType(), 5u);
    EXPECT_EQ(image.GetNumFrames(), 1);
    Bytes broken(png.begin(), png.begin() + 40);
    CRasterImage failed;
    EXPECT_FALSE(DecodeBytes(failed, MakeIco({{0, 0, 32, broken}}), 5));
    EXPECT_STREQ(failed.GetLastError(), "Read Error");
}

// The directory entry gives the size; an info header smaller than it, or larger than any icon,
// is refused before anything is allocated.
TEST(IcoCodec, HeaderThatDisagreesWithTheDirectoryIsRefused)
{
    Bytes huge = IcoHugeHeader();
    ASSERT_EQ(huge.size(), 198u);
    for (bool dimensionsOnly : {false, true}) {
        CRasterImage image;
        if (dimensionsOnly)
            image.SetEscape(-1);
        bool decoded = true;
        auto start = std::chrono::steady_clock::now();
        int64_t peak = PeakHeapBytes([&] { decoded = DecodeBytes(image, huge, 5); });
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_FALSE(decoded) << dimensionsOnly;
        EXPECT_FALSE(image.IsValid());
        EXPECT_LT(seconds, 1.0) << dimensionsOnly;
        EXPECT_LT(peak, int64_t(1) << 20) << dimensionsOnly;
    }
    // A bitmap smaller than its entry cannot fill it.
    Bytes pixels = {1, 1, 0, 0, 2, 2, 0, 0};
    CRasterImage narrower;
    EXPECT_FALSE(DecodeBytes(narrower, MakeIco({{3, 2, 8, IconEntry(2, 2, 8, Palette3(), pixels, Mask2x2(0, 0))}}), 5));
    CRasterImage shorter;
    EXPECT_FALSE(DecodeBytes(shorter, MakeIco({{2, 3, 8, IconEntry(2, 2, 8, Palette3(), pixels, Mask2x2(0, 0))}}), 5));
    // A header height equal to the entry's (no doubling) is accepted too.
    BmpInfo info = Info(2, 2, 8, 0, 3);
    Bytes single = BmpInfoHeader(info);
    for (const Bytes& part : {Palette3(), pixels, Mask2x2(0x80, 0)})
        single.insert(single.end(), part.begin(), part.end());
    CRasterImage undoubled;
    ASSERT_TRUE(DecodeBytes(undoubled, MakeIco({{2, 2, 8, single}}), 5));
    EXPECT_EQ(undoubled.GetHeight(), 2u);
    EXPECT_EQ(undoubled.GetPixelColor(1, 1).rgbGreen, 255);
}

struct OversizeCase {
    const char* name;
    int entryW, entryH, bitmapW, bitmapH;
    uint16_t bits;
};

class IcoOversizeTest : public ::testing::TestWithParam<OversizeCase> {};

// The entry's size wins: the bitmap's first rows and columns, with the mask stored after the
// whole bitmap.
TEST_P(IcoOversizeTest, BitmapLargerThanItsEntryIsCutToTheEntry)
{
    const OversizeCase& c = GetParam();
    Bytes ico = IcoBitmapLargerThanEntry(c.entryW, c.entryH, c.bitmapW, c.bitmapH, c.bits);
    CRasterImage image;
    ASSERT_TRUE(DecodeBytes(image, ico, 0)) << image.GetLastError();
    EXPECT_EQ(image.GetType(), 5u);
    ASSERT_EQ(image.GetWidth(), uint32_t(c.entryW));
    ASSERT_EQ(image.GetHeight(), uint32_t(c.entryH));
    for (int y = 0; y < c.entryH; y++) {
        for (int x = 0; x < c.entryW; x++) {
            bool masked = x == 0 && y == 0;
            if (c.bits <= 8) {
                if (masked)
                    ASSERT_EQ(image.GetPixelIndex(x, y), image.GetTransIndex());
                else
                    ASSERT_EQ(image.GetPixelIndex(x, y), IcoSampleIndex(x, y)) << x << "," << y;
                continue;
            }
            IcoSample want = IcoSampleColor(x, y);
            RasterColor got = image.GetPixelColor(x, y);
            ASSERT_EQ(got.rgbBlue, want.blue) << x << "," << y;
            ASSERT_EQ(got.rgbGreen, want.green) << x << "," << y;
            ASSERT_EQ(got.rgbRed, want.red) << x << "," << y;
            uint8_t opaque = c.bits == 32 ? want.alpha : 255;
            ASSERT_EQ(image.AlphaGet(x, y), masked ? 0 : opaque) << x << "," << y;
        }
    }
    CRasterImage dims;
    dims.SetEscape(-1);
    ASSERT_TRUE(DecodeBytes(dims, ico, 5));
    EXPECT_EQ(dims.GetWidth(), uint32_t(c.entryW));
    EXPECT_EQ(dims.GetHeight(), uint32_t(c.entryH));
}

INSTANTIATE_TEST_SUITE_P(Entries, IcoOversizeTest,
                         ::testing::Values(OversizeCase{"TallerTwentyFourBit", 16, 16, 16, 32, 24},
                                           OversizeCase{"TallerThirtyTwoBit", 16, 16, 16, 32, 32},
                                           OversizeCase{"WiderFourBit", 5, 3, 13, 3, 4},
                                           OversizeCase{"BothEightBit", 3, 2, 7, 5, 8}),
                         [](const ::testing::TestParamInfo<OversizeCase>& i) { return std::string(i.param.name); });

// 0 in the directory means 256, for BMP entries as well.
TEST(IcoCodec, ZeroSizedBmpEntryIs256)
{
    const int32_t side = 256;
    Bytes pixels(size_t(side) * side * 4, 0x80);
    Bytes mask(size_t(side / 8) * side, 0);
    CRasterImage image;
    ASSERT_TRUE(DecodeBytes(image, MakeIco({{0, 0, 32, IconEntry(side, side, 32, {}, pixels, mask)}}), 5))
        << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), 256u);
    EXPECT_EQ(image.GetHeight(), 256u);
    CRasterImage dims;
    dims.SetEscape(-1);
    ASSERT_TRUE(DecodeBytes(dims, MakeIco({{0, 0, 32, IconEntry(side, side, 32, {}, pixels, mask)}}), 5));
    EXPECT_EQ(dims.GetWidth(), 256u);
    EXPECT_FALSE(dims.IsValid());
}

TEST(IcoCodec, EntrySelection)
{
    Bytes red = {1, 1, 0, 0, 1, 1, 0, 0}, green = {2, 2, 0, 0, 2, 2, 0, 0};
    Bytes ico = MakeIco({{2, 2, 8, IconEntry(2, 2, 8, Palette3(), red, Bytes(8, 0))},
                         {2, 2, 8, IconEntry(2, 2, 8, Palette3(), green, Bytes(8, 0))}});
    CRasterImage second;
    second.SetFrame(1);
    ASSERT_TRUE(DecodeBytes(second, ico, 5));
    EXPECT_EQ(second.GetPixelColor(0, 0).rgbGreen, 255);
    EXPECT_EQ(second.GetNumFrames(), 2);
    CRasterImage beyond;
    beyond.SetFrame(2);
    EXPECT_FALSE(DecodeBytes(beyond, ico, 5));
    EXPECT_EQ(beyond.GetNumFrames(), 2);
}

TEST(IcoCodec, LargeImagesAreSavedAsPngEntries)
{
    CRasterImage image(300, 300, 24);
    image.Clear(30);
    Bytes ico = EncodeBytes(image, 5);
    ASSERT_GT(ico.size(), 30u);
    EXPECT_EQ(ico[6], 0);
    EXPECT_EQ(ico[7], 0);
    EXPECT_EQ(ico[22], 0x89);
    EXPECT_EQ(ico[23], 'P');
    CRasterImage back;
    ASSERT_TRUE(DecodeBytes(back, ico, 5));
    EXPECT_EQ(back.GetWidth(), 300u);
}

TEST(IcoCodec, SavedMaskMarksTransparentPixels)
{
    CRasterImage image(2, 2, 24);
    image.Clear(50);
    image.AlphaCreate();
    image.AlphaSet(1, 1, 0);
    CRasterImage back;
    ASSERT_TRUE(DecodeBytes(back, EncodeBytes(image, 5), 5));
    ASSERT_TRUE(back.AlphaIsValid());
    EXPECT_EQ(back.AlphaGet(1, 1), 0);
    EXPECT_EQ(back.AlphaGet(0, 1), 255);
}

} // namespace
