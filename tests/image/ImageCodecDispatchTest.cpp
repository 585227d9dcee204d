// Codec dispatch: round trips through every format id, detection order, the stream position
// after failed tries, and the file and memory entry points.
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include "image/ImageMemoryStream.h"
#include "image/RasterImage.h"
#include "tests/image/ByteFixtures.h"
#include "tests/image/JpegFixtures.h"
#include "tests/image/MemoryCodec.h"
#include "tests/image/PngFixtures.h"
#include "tests/image/TestFiles.h"

namespace {

CRasterImage Pattern(uint32_t bpp, bool alpha)
{
    CRasterImage image(21, 13, bpp);
    image.Clear(0);     // row padding too, so that whole blocks compare
    if (bpp <= 8) {
        for (uint32_t i = 0; i < image.GetNumColors(); i++)
            image.SetPaletteColor(uint8_t(i), uint8_t(i * 37), uint8_t(i * 11), uint8_t(255 - i));
    }
    for (int32_t y = 0; y < 13; y++) {
        for (int32_t x = 0; x < 21; x++) {
            if (bpp <= 8)
                image.SetPixelIndex(x, y, uint8_t((x + 3 * y) % image.GetNumColors()));
            else
                image.SetPixelColor(x, y, RasterColor {uint8_t(x * 12), uint8_t(y * 19), uint8_t(x * y), 0});
        }
    }
    if (alpha) {
        image.AlphaCreate();
        for (int32_t y = 0; y < 13; y++) {
            for (int32_t x = 0; x < 21; x++)
                image.AlphaSet(x, y, uint8_t(x * 12));
        }
    }
    return image;
}

struct RoundTrip {
    const char* name;
    uint32_t type;
    uint32_t bpp;
    bool alpha;
    int tolerance;      // per channel: JPEG is lossy
    bool keepsAlpha;
};

class RoundTripTest : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RoundTripTest, EncodedImageDecodesByIdAndByDetection)
{
    const RoundTrip& c = GetParam();
    CRasterImage source = Pattern(c.bpp, c.alpha);
    std::vector<uint8_t> bytes = EncodeBytes(source, c.type);
    ASSERT_FALSE(bytes.empty()) << source.GetLastError();
    for (uint32_t id : {c.type, 0u}) {
        CRasterImage decoded;
        ASSERT_TRUE(decoded.DecodeFromMemory(bytes.data(), uint32_t(bytes.size()), id)) << decoded.GetLastError();
        EXPECT_EQ(decoded.GetType(), c.type);
        ASSERT_EQ(decoded.GetWidth(), 21u);
        ASSERT_EQ(decoded.GetHeight(), 13u);
        EXPECT_EQ(decoded.AlphaIsValid(), c.keepsAlpha);
        int worst = 0;
        for (int32_t y = 0; y < 13; y++) {
            for (int32_t x = 0; x < 21; x++) {
                RasterColor a = source.GetPixelColor(x, y, false), b = decoded.GetPixelColor(x, y, false);
                worst = std::max({worst, std::abs(a.rgbRed - b.rgbRed), std::abs(a.rgbGreen - b.rgbGreen),
                                  std::abs(a.rgbBlue - b.rgbBlue)});
                if (c.keepsAlpha) {
                    EXPECT_EQ(source.AlphaGet(x, y), decoded.AlphaGet(x, y));
                }
            }
        }
        EXPECT_LE(worst, c.tolerance);
    }
    // Encoding never changed the source.
    CRasterImage fresh = Pattern(c.bpp, c.alpha);
    EXPECT_EQ(std::memcmp(fresh.GetDIB(), source.GetDIB(), fresh.GetSize()), 0);
}

INSTANTIATE_TEST_SUITE_P(Formats, RoundTripTest, ::testing::Values(
    RoundTrip {"Bmp1", 1, 1, false, 0, false},
    RoundTrip {"Bmp4", 1, 4, false, 0, false},
    RoundTrip {"Bmp8", 1, 8, false, 0, false},
    RoundTrip {"Bmp24", 1, 24, false, 0, false},
    RoundTrip {"Bmp24Alpha", 1, 24, true, 0, true},
    RoundTrip {"Gif4", 2, 4, false, 0, false},
    RoundTrip {"Gif8", 2, 8, false, 0, false},
    RoundTrip {"Jpeg24", 3, 24, false, 60, false},
    RoundTrip {"Png1", 4, 1, false, 0, false},
    RoundTrip {"Png8", 4, 8, false, 0, false},
    RoundTrip {"Png24", 4, 24, false, 0, false},
    RoundTrip {"Png24Alpha", 4, 24, true, 0, true},
    RoundTrip {"Ico4", 5, 4, false, 0, false},
    RoundTrip {"Ico8", 5, 8, false, 0, false},
    RoundTrip {"Ico24Alpha", 5, 24, true, 0, true}),
    [](const ::testing::TestParamInfo<RoundTrip>& i) { return std::string(i.param.name); });

TEST(ImageCodecDispatch, UnknownBytesFailAndLeaveTheStreamWhereItWas)
{
    uint8_t data[64];
    for (int i = 0; i < 64; i++)
        data[i] = uint8_t(i * 7 + 3);
    CImageMemoryStream stream(data, 64);
    ASSERT_TRUE(stream.Seek(5, SEEK_SET));
    CRasterImage image;
    EXPECT_FALSE(image.Decode(&stream, 0));
    EXPECT_STREQ(image.GetLastError(), "Decode: Unknown or wrong format");
    EXPECT_EQ(stream.Tell(), 5);
    EXPECT_FALSE(image.Decode(&stream, 9));
    EXPECT_STREQ(image.GetLastError(), "Decode: Unknown or wrong format");
    EXPECT_EQ(stream.Tell(), 5);
    EXPECT_FALSE(image.Decode(nullptr, 0));
    EXPECT_STREQ(image.GetLastError(), "null file handler");
}

// Each failed try puts the stream back, so the next codec starts at the same place: a PNG
// behind a few bytes of prefix is found after BMP, JPEG, ICO and GIF have failed.
TEST(ImageCodecDispatch, DetectionStartsEachTryAtTheSamePosition)
{
    PngLayout layout;
    std::vector<uint8_t> png = MakePng(layout, [](int x, int y, int c) { return uint16_t(x * 10 + y + c); });
    std::vector<uint8_t> data = {1, 2, 3};
    data.insert(data.end(), png.begin(), png.end());
    CImageMemoryStream stream(data.data(), int32_t(data.size()));
    stream.Seek(3, SEEK_SET);
    CRasterImage image;
    ASSERT_TRUE(image.Decode(&stream, 0)) << image.GetLastError();
    EXPECT_EQ(image.GetType(), 4u);
    EXPECT_EQ(image.GetWidth(), 8u);
}

TEST(ImageCodecDispatch, FailedDecodeKeepsThePreviousImage)
{
    CRasterImage image(3, 3, 24);
    image.SetPixelColor(1, 1, RasterColor {1, 2, 3, 0});
    uint8_t junk[20] = {'G', 'I', 'F', '8'};
    EXPECT_FALSE(image.DecodeFromMemory(junk, sizeof(junk), 2));
    ASSERT_TRUE(image.IsValid());
    EXPECT_EQ(image.GetPixelColor(1, 1).rgbRed, 3);
}

TEST(ImageCodecDispatch, EncodeArgumentErrors)
{
    CRasterImage image(2, 2, 24);
    uint8_t* buffer = reinterpret_cast<uint8_t*>(&image);
    int32_t size = 0;
    EXPECT_FALSE(image.EncodeToMemory(buffer, size, 3));
    EXPECT_STREQ(image.GetLastError(), "the buffer must be empty");
    buffer = nullptr;
    EXPECT_FALSE(image.EncodeToMemory(buffer, size, 0));
    EXPECT_STREQ(image.GetLastError(), "Encode: Unknown format");
    CRasterImage empty;
    EXPECT_FALSE(empty.EncodeToMemory(buffer, size, 3));
    EXPECT_STREQ(empty.GetLastError(), "null image!!!");
    EXPECT_EQ(buffer, nullptr);
    EXPECT_FALSE(image.Encode(nullptr, 4));
    EXPECT_STREQ(image.GetLastError(), "null file handler");
}

TEST(ImageCodecDispatch, LoadFromFileFallsBackToDetection)
{
    PngLayout layout;
    std::wstring path = TestTempPath("dispatch-png.jpg");
    ASSERT_TRUE(WriteTestFile(path, MakePng(layout, [](int, int, int) { return uint16_t(9); })));
    CRasterImage image;
    ASSERT_TRUE(image.LoadFromFile(path.c_str(), 3));
    EXPECT_EQ(image.GetType(), 4u);
    RemoveImageFile(path.c_str());
}

TEST(ImageCodecDispatch, LoadFromFileReportsTheRequestedFormatsError)
{
    std::wstring path = TestTempPath("dispatch-junk.jpg");
    ASSERT_TRUE(WriteTestFile(path, std::vector<uint8_t>(100, 0x42)));
    CRasterImage image;
    EXPECT_FALSE(image.LoadFromFile(path.c_str(), 3));
    EXPECT_STRNE(image.GetLastError(), "Decode: Unknown or wrong format");
    EXPECT_NE(std::string(image.GetLastError()).find("JPEG"), std::string::npos) << image.GetLastError();
    EXPECT_FALSE(image.LoadFromFile(TestTempPath("no-such-file").c_str(), 0));
    RemoveImageFile(path.c_str());
}

TEST(ImageCodecDispatch, SaveToFileWritesAndReloads)
{
    std::wstring path = TestTempPath("dispatch-save.png");
    CRasterImage image = Pattern(24, false);
    ASSERT_TRUE(image.SaveToFile(path.c_str(), 4));
    CRasterImage loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path.c_str(), 0));
    EXPECT_EQ(loaded.GetWidth(), 21u);
    EXPECT_FALSE(TestFileExists(path + L".kvtmp"));
    RemoveImageFile(path.c_str());
}

// A failed encode leaves no truncated file, and an existing file as it was.
TEST(ImageCodecDispatch, FailedSaveLeavesNoFileAndKeepsTheOldOne)
{
    std::wstring path = TestTempPath("dispatch-failed.jpg");
    RemoveImageFile(path.c_str());
    CRasterImage palette(4, 4, 4);      // a colour palette: JPEG refuses it
    EXPECT_FALSE(palette.SaveToFile(path.c_str(), 3));
    EXPECT_FALSE(TestFileExists(path));
    std::vector<uint8_t> old = {1, 2, 3};
    ASSERT_TRUE(WriteTestFile(path, old));
    EXPECT_FALSE(palette.SaveToFile(path.c_str(), 3));
    EXPECT_EQ(ReadTestFile(path), old);
    EXPECT_FALSE(TestFileExists(path + L".kvtmp"));
    RemoveImageFile(path.c_str());
}

} // namespace
