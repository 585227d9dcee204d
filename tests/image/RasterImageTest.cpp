// The image object: creation and its limits, copies and moves, palette and pixel access per bit
// depth, and the alpha and selection planes.
#include <gtest/gtest.h>
#include <cstring>
#include "image/RasterImage.h"
#include "tests/image/HeapUse.h"

namespace {

struct CreateCase {
    const char* name;
    uint32_t width;
    uint32_t height;
    uint32_t bpp;
    bool ok;
    uint16_t bits;
    uint32_t colors;
    uint32_t effWidth;
    const char* error;
};

class CreateTest : public ::testing::TestWithParam<CreateCase> {};

TEST_P(CreateTest, SizesDepthsAndLimits)
{
    const CreateCase& c = GetParam();
    CRasterImage image;
    void* block = image.Create(c.width, c.height, c.bpp);
    EXPECT_EQ(block != nullptr, c.ok);
    EXPECT_EQ(image.IsValid(), c.ok);
    if (c.ok) {
        EXPECT_EQ(image.GetBpp(), c.bits);
        EXPECT_EQ(image.GetNumColors(), c.colors);
        EXPECT_EQ(image.GetEffWidth(), c.effWidth);
        EXPECT_EQ(image.GetSize(), 40 + c.colors * 4 + c.effWidth * c.height);
    } else {
        EXPECT_STREQ(image.GetLastError(), c.error);
    }
}

const char* const kZero = "CRasterImage::Create : width and height must be greater than zero";
const char* const kLimit = "RASTERIMAGE_MAX_MEMORY exceeded";

INSTANTIATE_TEST_SUITE_P(Cases, CreateTest, ::testing::Values(
    CreateCase {"OneBitFromZero", 1, 1, 0, true, 1, 2, 4, nullptr},
    CreateCase {"TwoBitsBecomeFour", 3, 2, 2, true, 4, 16, 4, nullptr},
    CreateCase {"SixBitsBecomeEight", 5, 2, 6, true, 8, 256, 8, nullptr},
    CreateCase {"ThirtyTwoBecomeTwentyFour", 100, 100, 32, true, 24, 0, 300, nullptr},
    CreateCase {"ExactlyTheLimit", 16384, 16384, 8, true, 8, 256, 16384, nullptr},
    CreateCase {"ZeroWidth", 0, 5, 8, false, 0, 0, 0, kZero},
    CreateCase {"ZeroHeight", 5, 0, 24, false, 0, 0, 0, kZero},
    CreateCase {"ThreeTimesTheLimit", 16384, 16384, 24, false, 0, 0, 0, kLimit},
    // 1 x 2^28 at 1 bit is 32 MiB of pixels but 1 GiB of padded rows.
    CreateCase {"NarrowTallOneBit", 1, 1u << 28, 1, false, 0, 0, 0, kLimit},
    CreateCase {"NarrowTallFourBit", 2, 1u << 27, 4, false, 0, 0, 0, kLimit},
    CreateCase {"RowWidthTimesHeightWraps", 1, 0xFFFFFFFFu, 1, false, 0, 0, 0, kLimit},
    CreateCase {"WidthBeyondHeaderRange", 0x80000000u, 1, 1, false, 0, 0, 0, kLimit}),
    [](const ::testing::TestParamInfo<CreateCase>& i) { return std::string(i.param.name); });

TEST(RasterImage, FailedCreateLeavesTheImageEmpty)
{
    CRasterImage image(4, 4, 24);
    ASSERT_TRUE(image.IsValid());
    EXPECT_EQ(image.Create(0, 4, 24), nullptr);
    EXPECT_FALSE(image.IsValid());
}

TEST(RasterImage, DefaultsAndSettings)
{
    CRasterImage image;
    EXPECT_EQ(image.GetJpegQuality(), 90);
    EXPECT_EQ(image.GetTransIndex(), -1);
    EXPECT_EQ(image.GetXDPI(), 96);
    image.SetXDPI(0);
    EXPECT_EQ(image.GetXDPI(), 96);
    EXPECT_EQ(image.GetHeader().biXPelsPerMeter, 3780);
    EXPECT_FALSE(image.SetType(9));
    EXPECT_EQ(image.GetType(), 0u);
    EXPECT_TRUE(image.SetType(4));
    image.SetCodecOption(7, 0);     // 0 selects the image's own format
    EXPECT_EQ(image.GetCodecOption(4), 7u);
    EXPECT_EQ(image.GetCodecOption(12), 7u);
}

TEST(RasterImage, TransparentIndexIsBoundedByThePalette)
{
    CRasterImage rgb(2, 2, 24);
    rgb.SetTransIndex(5);
    EXPECT_EQ(rgb.GetTransIndex(), 0);
    rgb.SetTransIndex(-1);
    EXPECT_EQ(rgb.GetTransIndex(), -1);
    CRasterImage indexed(2, 2, 4);
    indexed.SetTransIndex(15);
    EXPECT_EQ(indexed.GetTransIndex(), 15);
    indexed.SetTransIndex(16);
    EXPECT_EQ(indexed.GetTransIndex(), 0);
}

struct DepthCase {
    const char* name;
    uint32_t bpp;
    uint8_t maxIndex;
};

class PixelDepthTest : public ::testing::TestWithParam<DepthCase> {};

// Every pixel written reads back, and neighbours in the same byte stay as they were.
TEST_P(PixelDepthTest, IndicesRoundTripWithoutTouchingNeighbours)
{
    const DepthCase& c = GetParam();
    CRasterImage image(13, 3, c.bpp);
    image.Clear(0);
    for (int32_t y = 0; y < 3; y++) {
        for (int32_t x = 0; x < 13; x++)
            image.SetPixelIndex(x, y, uint8_t((x + y * 5) % (c.maxIndex + 1)));
    }
    for (int32_t y = 0; y < 3; y++) {
        for (int32_t x = 0; x < 13; x++)
            EXPECT_EQ(image.GetPixelIndex(x, y), (x + y * 5) % (c.maxIndex + 1)) << x << "," << y;
    }
    image.SetPixelIndex(2, 1, uint8_t(c.maxIndex + 1 == 256 ? 0 : c.maxIndex + 1));  // beyond the palette
    if (c.maxIndex < 255) {
        EXPECT_EQ(image.GetPixelIndex(2, 1), (2 + 5) % (c.maxIndex + 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, PixelDepthTest, ::testing::Values(
    DepthCase {"OneBit", 1, 1}, DepthCase {"FourBits", 4, 15}, DepthCase {"EightBits", 8, 255}),
    [](const ::testing::TestParamInfo<DepthCase>& i) { return std::string(i.param.name); });

TEST(RasterImage, ReadsOutsideTheImage)
{
    CRasterImage image(4, 4, 8);
    image.Clear(7);
    EXPECT_EQ(image.GetPixelIndex(-1, 0), 7);       // the first byte of the pixel data
    image.SetPaletteColor(3, 10, 20, 30);
    image.SetTransIndex(3);
    EXPECT_EQ(image.GetPixelIndex(4, 0), 3);
    RasterColor c = image.GetPixelColor(9, 9);
    EXPECT_EQ(c.rgbRed, 10);
    EXPECT_EQ(c.rgbBlue, 30);
    image.SetPixelIndex(-1, 0, 1);                  // ignored
    image.SetPixelColor(4, 4, RasterColor {1, 2, 3, 0});
}

TEST(RasterImage, ColoursOnTwentyFourBitsAndColorRefOrder)
{
    CRasterImage image(3, 2, 24);
    image.SetPixelColorRef(1, 1, 0x00332211);       // red in the low byte
    RasterColor c = image.GetPixelColor(1, 1);
    EXPECT_EQ(c.rgbRed, 0x11);
    EXPECT_EQ(c.rgbGreen, 0x22);
    EXPECT_EQ(c.rgbBlue, 0x33);
    uint8_t* p = image.GetPixelPointer24(1, 1);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[0], 0x33);
    EXPECT_EQ(image.GetPixelPointer24(3, 0), nullptr);
    ASSERT_TRUE(image.AlphaCreate());
    image.SetPixelColor(0, 0, RasterColor {1, 2, 3, 77}, true);
    EXPECT_EQ(image.GetPixelColor(0, 0).rgbReserved, 77);
    EXPECT_EQ(image.GetPixelColor(0, 0, false).rgbReserved, 0);
}

TEST(RasterImage, NearestIndexScansUntilTheFirstExactMatch)
{
    CRasterImage image(1, 1, 8);
    for (int i = 0; i < 256; i++)
        image.SetPaletteColor(uint8_t(i), 0, 0, 0);
    image.SetPaletteColor(5, 200, 100, 50);
    image.SetPaletteColor(9, 200, 100, 50);
    EXPECT_EQ(image.GetNearestIndex(RasterColor {50, 100, 200, 0}), 5);
    EXPECT_EQ(image.GetNearestIndex(RasterColor {50, 100, 199, 0}), 5);
    CRasterImage far(1, 1, 1);
    far.SetPaletteColor(0, 0, 0, 0);
    far.SetPaletteColor(1, 0, 0, 0);
    EXPECT_EQ(far.GetNearestIndex(RasterColor {255, 255, 255, 0}), 0);  // beyond 200000 of both
}

TEST(RasterImage, GrayPalettesAndGreyScaleTest)
{
    CRasterImage gray(2, 2, 8);
    gray.SetGrayPalette();
    EXPECT_TRUE(gray.IsGrayScale());
    EXPECT_EQ(gray.GetPaletteColor(200).rgbGreen, 200);
    CRasterImage four(2, 2, 4);
    four.SetGrayPalette();
    EXPECT_EQ(four.GetPaletteColor(1).rgbRed, 17);
    EXPECT_FALSE(four.IsGrayScale());
    CRasterImage rgb(2, 2, 24);
    rgb.SetGrayPalette();               // no palette: nothing happens
    EXPECT_EQ(rgb.GetPalette(), nullptr);
    uint8_t r, g, b;
    EXPECT_FALSE(rgb.GetPaletteRGB(0, &r, &g, &b));
    EXPECT_FALSE(gray.GetPaletteRGB(256, &r, &g, &b));
    EXPECT_TRUE(gray.GetPaletteRGB(255, &r, &g, &b));
}

TEST(RasterImage, PaletteSettersStayInsideThePalette)
{
    CRasterImage image(2, 2, 1);
    RasterColor many[256] = {};
    many[1] = RasterColor {9, 9, 9, 0};
    image.SetPalette(many, 256);
    EXPECT_EQ(image.GetPaletteColor(1).rgbBlue, 9);
    uint8_t red[3] = {1, 2, 3};
    image.SetPalette(3, red);           // green and blue default to red
    EXPECT_EQ(image.GetPaletteColor(1).rgbBlue, 2);
    image.SetClrImportant(300);
    EXPECT_EQ(image.GetClrImportant(), 0u);
    image.SetClrImportant(5);
    EXPECT_EQ(image.GetClrImportant(), 2u);
}

TEST(RasterImage, SwapIndexRewritesPixels)
{
    CRasterImage image(3, 1, 4);
    image.SetPaletteColor(1, 10, 0, 0);
    image.SetPaletteColor(2, 20, 0, 0);
    image.SetPixelIndex(0, 0, 1);
    image.SetPixelIndex(1, 0, 2);
    image.SetPixelIndex(2, 0, 3);
    image.SwapIndex(1, 2);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 2);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 1);
    EXPECT_EQ(image.GetPixelIndex(2, 0), 3);
    EXPECT_EQ(image.GetPaletteColor(1).rgbRed, 20);
}

TEST(RasterImage, CopyFromCopiesPixelsAndPlanesButNeverPointers)
{
    CRasterImage src(5, 3, 24);
    src.Clear(0x40);
    ASSERT_TRUE(src.AlphaCreate());
    src.AlphaSet(1, 1, 9);
    ASSERT_TRUE(src.SelectionCreate());
    CRasterImage copy(src);
    ASSERT_TRUE(copy.IsValid());
    EXPECT_NE(copy.GetDIB(), src.GetDIB());
    EXPECT_NE(copy.AlphaGetPointer(), src.AlphaGetPointer());
    EXPECT_EQ(copy.AlphaGet(1, 1), 9);
    EXPECT_TRUE(copy.SelectionIsValid());
    EXPECT_EQ(std::memcmp(copy.GetRowPointer(2), src.GetRowPointer(2), 15), 0);
    CRasterImage noPixels(src, false, false, false);
    EXPECT_FALSE(noPixels.AlphaIsValid());
    EXPECT_FALSE(noPixels.SelectionIsValid());
}

TEST(RasterImage, CopyInfoOnlyIntoAnEmptyImageAndNeverItsBlock)
{
    CRasterImage src(4, 4, 8);
    src.SetJpegScale(4);
    CRasterImage empty;
    empty.CopyInfo(src);
    EXPECT_EQ(empty.GetJpegScale(), 4);
    EXPECT_FALSE(empty.IsValid());
    EXPECT_EQ(empty.GetRowPointer(0), nullptr);
    CRasterImage full(2, 2, 8);
    full.CopyInfo(src);
    EXPECT_EQ(full.GetJpegScale(), 1);
}

TEST(RasterImage, MoveFromLeavesTheSourceEmpty)
{
    CRasterImage src(6, 2, 8);
    src.SetPixelIndex(5, 1, 200);
    void* block = src.GetDIB();
    CRasterImage dst;
    ASSERT_TRUE(dst.MoveFrom(src));
    EXPECT_EQ(dst.GetDIB(), block);
    EXPECT_EQ(dst.GetPixelIndex(5, 1), 200);
    EXPECT_FALSE(src.IsValid());
    EXPECT_EQ(src.GetWidth(), 0u);
    EXPECT_EQ(src.GetRowPointer(0), nullptr);
}

TEST(RasterImage, BorrowedViewFreesNothing)
{
    CRasterImage owner(4, 4, 24);
    owner.AlphaCreate();
    {
        CRasterImage view;
        view.Borrow(owner);
        EXPECT_EQ(view.GetDIB(), owner.GetDIB());
        EXPECT_FALSE(view.Destroy());
        EXPECT_FALSE(view.DeleteFrames());
        CRasterImage other(2, 2, 8);
        EXPECT_FALSE(view.MoveFrom(other));
        EXPECT_FALSE(view.Create(2, 2, 8));
    }
    EXPECT_TRUE(owner.IsValid());
    EXPECT_TRUE(owner.AlphaIsValid());
}

TEST(RasterImage, ReportedFramesAreApartFromOwnedFrames)
{
    CRasterImage image(2, 2, 8);
    CRasterImage other(2, 2, 8);
    image.CopyInfo(other);
    EXPECT_EQ(image.GetFrameImageCount(), 0);
    EXPECT_EQ(image.GetFrameImage(0), nullptr);
    EXPECT_TRUE(image.DeleteFrames());
}

TEST(RasterImage, IncreaseBppKeepsColoursAndAlphaPalette)
{
    CRasterImage image(3, 2, 4);
    image.SetPaletteColor(2, 10, 20, 30, 128);
    image.SetPaletteColor(1, 40, 50, 60, 0);
    image.Clear(1);
    image.SetPixelIndex(2, 1, 2);
    EXPECT_FALSE(image.IncreaseBpp(1));
    EXPECT_FALSE(image.IncreaseBpp(16));
    ASSERT_TRUE(image.IncreaseBpp(24));
    EXPECT_EQ(image.GetBpp(), 24);
    RasterColor c = image.GetPixelColor(2, 1);
    EXPECT_EQ(c.rgbRed, 10);
    EXPECT_EQ(c.rgbBlue, 30);
    ASSERT_TRUE(image.AlphaIsValid());
    EXPECT_EQ(image.AlphaGet(2, 1), 128);
    EXPECT_EQ(image.AlphaGet(0, 0), 0);
    EXPECT_TRUE(image.IncreaseBpp(24));
}

TEST(RasterImage, FlipSwapsRowsAndPlanes)
{
    CRasterImage image(2, 3, 8);
    image.Clear(0);
    image.SetPixelIndex(0, 0, 5);
    image.AlphaCreate();
    image.AlphaSet(1, 0, 3);
    ASSERT_TRUE(image.Flip());
    EXPECT_EQ(image.GetPixelIndex(0, 2), 5);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 0);
    EXPECT_EQ(image.AlphaGet(1, 2), 3);
}

TEST(RasterImage, NegativeOfColourPaletteGreyAndRgb)
{
    CRasterImage rgb(2, 1, 24);
    rgb.SetPixelColor(0, 0, RasterColor {0, 10, 255, 0});
    rgb.Negative();
    EXPECT_EQ(rgb.GetPixelColor(0, 0).rgbBlue, 255);
    EXPECT_EQ(rgb.GetPixelColor(0, 0).rgbRed, 0);
    CRasterImage gray(2, 1, 8);
    gray.SetGrayPalette();
    gray.SetPixelIndex(0, 0, 30);
    gray.Negative();
    EXPECT_EQ(gray.GetPixelIndex(0, 0), 225);
    CRasterImage color(2, 1, 1);
    color.SetPaletteColor(1, 255, 0, 0);
    color.Negative();
    EXPECT_EQ(color.GetPaletteColor(1).rgbRed, 0);
    EXPECT_EQ(color.GetPaletteColor(1).rgbBlue, 255);
}

TEST(RasterImage, NegativeWithASelectionStaysInsideTheImage)
{
    CRasterImage image(4, 4, 24);
    image.Clear(0);
    ASSERT_TRUE(image.SelectionCreate());
    *image.SelectionGetPointer(1, 1) = 1;
    RasterBox box = image.GetSelectionBox();
    EXPECT_EQ(box.left, 4);
    EXPECT_EQ(box.bottom, 4);
    image.Negative();       // an empty box: nothing changes, nothing is read outside
    EXPECT_EQ(image.GetPixelColor(1, 1).rgbRed, 0);
}

TEST(RasterImage, ConvertBitfieldsSixteenBitLayouts)
{
    struct Case { const char* name; uint32_t r, g, b; uint16_t word; uint8_t red, green, blue; };
    const Case cases[] = {
        {"FiveFiveFive", 0x7C00, 0x03E0, 0x001F, uint16_t(31 << 10 | 1 << 5 | 16), 248, 8, 128},
        {"FiveSixFive", 0xF800, 0x07E0, 0x001F, uint16_t(31 << 11 | 63 << 5 | 0), 248, 252, 0},
        // A mask layout no common file uses still stays within bounds and defined.
        {"OddMasks", 0x0003, 0xFFFC, 0x0000, uint16_t(3), 192, 0, 0},
    };
    for (const Case& c : cases) {
        CRasterImage image(1, 1, 24);
        uint8_t source[4] = {uint8_t(c.word), uint8_t(c.word >> 8), 0, 0};
        image.ConvertBitfields(source, c.r, c.g, c.b, 16);
        RasterColor p = image.GetPixelColor(0, 0);
        EXPECT_EQ(p.rgbRed, c.red) << c.name;
        EXPECT_EQ(p.rgbGreen, c.green) << c.name;
        EXPECT_EQ(p.rgbBlue, c.blue) << c.name;
    }
}

TEST(RasterImage, Unpack2BitRowWidensInPlace)
{
    CRasterImage image(5, 1, 4);
    uint8_t* row = image.GetRowPointer(0);
    row[0] = 0x1B;      // pixels 0 1 2 3
    row[1] = 0x80;      // pixel 2
    image.Unpack2BitRow(row);
    const uint8_t expected[] = {0, 1, 2, 3, 2};
    for (int x = 0; x < 5; x++)
        EXPECT_EQ(image.GetPixelIndex(x, 0), expected[x]) << x;
}

// ---- planes ----

TEST(RasterImagePlanes, AlphaCreateKeepsAnExistingPlane)
{
    CRasterImage image(3, 3, 24);
    ASSERT_TRUE(image.AlphaCreate());
    EXPECT_EQ(image.AlphaGet(2, 2), 255);
    image.AlphaSet(2, 2, 4);
    ASSERT_TRUE(image.AlphaCreate());
    EXPECT_EQ(image.AlphaGet(2, 2), 4);
    EXPECT_EQ(image.AlphaGet(3, 0), 0);
    EXPECT_EQ(image.AlphaGetPointer(-1, 0), nullptr);
    image.AlphaInvert();
    EXPECT_EQ(image.AlphaGet(2, 2), 251);
}

// The planes are one byte per pixel, eight times a 1-bit pixel block: they obey Create's limit
// of 2^28 bytes on their own.
TEST(RasterImagePlanes, PlanesObeyTheImageSizeLimit)
{
    CRasterImage image;
    if (!image.Create(65535, 32767, 1))
        GTEST_SKIP() << "no memory for the 256 MiB pixel block: " << image.GetLastError();
    int64_t peak = PeakHeapBytes([&] {
        EXPECT_FALSE(image.AlphaCreate());
        EXPECT_FALSE(image.SelectionCreate());
    });
    EXPECT_FALSE(image.AlphaIsValid());
    EXPECT_FALSE(image.SelectionIsValid());
    EXPECT_LT(peak, int64_t(1) << 20);
}

TEST(RasterImagePlanes, AlphaCopyNeedsTheSameSize)
{
    CRasterImage a(3, 3, 24), b(4, 3, 24), c(3, 3, 8);
    a.AlphaCreate();
    a.AlphaSet(0, 0, 1);
    EXPECT_FALSE(b.AlphaCopy(a));
    EXPECT_FALSE(b.AlphaIsValid());
    EXPECT_TRUE(c.AlphaCopy(a));
    EXPECT_EQ(c.AlphaGet(0, 0), 1);
}

TEST(RasterImagePlanes, AlphaSplitAndSetFromGrayRoundTrip)
{
    CRasterImage image(3, 2, 24);
    image.AlphaCreate();
    image.AlphaSet(2, 1, 99);
    CRasterImage gray;
    ASSERT_TRUE(image.AlphaSplit(&gray));
    EXPECT_TRUE(gray.IsGrayScale());
    EXPECT_EQ(gray.GetPixelIndex(2, 1), 99);
    CRasterImage other(3, 2, 24);
    ASSERT_TRUE(other.AlphaSetFromGray(gray));
    EXPECT_EQ(other.AlphaGet(2, 1), 99);
    CRasterImage color(3, 2, 8);
    EXPECT_FALSE(other.AlphaSetFromGray(color));
}

TEST(RasterImagePlanes, AlphaFlipOfOneRowChangesNothing)
{
    CRasterImage image(3, 1, 24);
    image.AlphaCreate();
    image.AlphaSet(1, 0, 7);
    EXPECT_TRUE(image.AlphaFlip());
    EXPECT_EQ(image.AlphaGet(1, 0), 7);
    CRasterImage none(3, 1, 24);
    EXPECT_FALSE(none.AlphaFlip());
}

TEST(RasterImagePlanes, SelectionLifecycle)
{
    CRasterImage image(4, 4, 24);
    EXPECT_TRUE(image.SelectionIsInside(2, 2));
    ASSERT_TRUE(image.SelectionCreate());
    EXPECT_FALSE(image.SelectionIsInside(2, 2));
    *image.SelectionGetPointer(2, 2) = 1;
    EXPECT_TRUE(image.SelectionIsInside(2, 2));
    EXPECT_FALSE(image.SelectionIsInside(4, 2));
    EXPECT_FALSE(image.SelectionIsInside(-1, -1));
    image.SelectionDelete();
    EXPECT_TRUE(image.SelectionIsInside(2, 2));
}

TEST(RasterImagePlanes, SelectionFlipMovesTheBox)
{
    CRasterImage a(4, 4, 24), b(4, 4, 24);
    a.SelectionCreate();
    *a.SelectionGetPointer(0, 0) = 1;
    ASSERT_TRUE(b.SelectionCopy(a));
    ASSERT_TRUE(b.SelectionFlip());
    EXPECT_TRUE(b.SelectionIsInside(0, 3));
    RasterBox box = b.GetSelectionBox();
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.bottom, 4);
}

} // namespace
