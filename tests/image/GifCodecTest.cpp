// The GIF codec: frame composition with each disposal mode, all-frames decoding, interlacing,
// corrupt data, and the three encoders read back by the decoder.
#include <gtest/gtest.h>
#include <cstring>
#include "image/ImageMemoryStream.h"
#include "image/RasterImageGIF.h"
#include "tests/image/ByteFixtures.h"
#include "tests/image/MemoryCodec.h"

namespace {

bool Decode(CRasterImage& image, const Bytes& bytes)
{
    return DecodeBytes(image, bytes, 2);
}

Bytes Encode(CRasterImage& image)
{
    return EncodeBytes(image, 2);
}

GifFrame Frame(int left, int top, int w, int h, uint8_t index, int disposal = 0)
{
    GifFrame f;
    f.left = left;
    f.top = top;
    f.width = w;
    f.height = h;
    f.indices.assign(size_t(w * h), index);
    f.disposal = disposal;
    return f;
}

// Colour (red, green, blue) at (x, y) counted from the top-left of the screen.
std::tuple<int, int, int> At(const CRasterImage& image, int x, int y)
{
    RasterColor c = image.GetPixelColor(x, int(image.GetHeight()) - 1 - y, false);
    return {c.rgbRed, c.rgbGreen, c.rgbBlue};
}

const std::tuple<int, int, int> kBlack {0, 0, 0}, kRed {255, 0, 0}, kGreen {0, 255, 0}, kBlue {0, 0, 255};

struct DisposalCase {
    const char* name;
    int disposal;                       // of the second frame
    std::tuple<int, int, int> topLeft;  // in the third frame's picture
};

class GifDisposalTest : public ::testing::TestWithParam<DisposalCase> {};

// Frame 0 fills the screen red, frame 1 paints the top-left quarter green, frame 2 the
// bottom-right quarter blue: what frame 2 shows top-left depends on frame 1's disposal.
TEST_P(GifDisposalTest, ThirdFrameComposesByTheSecondFramesDisposal)
{
    const DisposalCase& c = GetParam();
    Bytes gif = MakeGif(4, 4, GifPalette4(), {Frame(0, 0, 4, 4, 1), Frame(0, 0, 2, 2, 2, c.disposal), Frame(2, 2, 2, 2, 3)});
    CRasterImage image;
    image.SetFrame(2);
    ASSERT_TRUE(Decode(image, gif)) << image.GetLastError();
    EXPECT_EQ(image.GetNumFrames(), 3);
    EXPECT_EQ(At(image, 0, 0), c.topLeft);
    EXPECT_EQ(At(image, 3, 3), kBlue);
    EXPECT_EQ(At(image, 3, 0), c.disposal == 2 ? kBlack : kRed);
}

INSTANTIATE_TEST_SUITE_P(Modes, GifDisposalTest, ::testing::Values(
    DisposalCase {"None", 0, kGreen},
    DisposalCase {"Keep", 1, kGreen},
    DisposalCase {"Background", 2, kBlack},
    DisposalCase {"Previous", 3, kRed}),
    [](const ::testing::TestParamInfo<DisposalCase>& i) { return std::string(i.param.name); });

TEST(GifCodec, RetrieveAllFramesKeepsEveryComposedFrame)
{
    Bytes gif = MakeGif(4, 4, GifPalette4(), {Frame(0, 0, 4, 4, 1), Frame(0, 0, 2, 2, 2), Frame(2, 2, 2, 2, 3)});
    CRasterImage image;
    image.SetRetrieveAllFrames(true);
    ASSERT_TRUE(Decode(image, gif));
    ASSERT_EQ(image.GetFrameImageCount(), 3);
    EXPECT_EQ(At(*image.GetFrameImage(0), 0, 0), kRed);
    EXPECT_EQ(At(*image.GetFrameImage(1), 0, 0), kGreen);
    EXPECT_EQ(At(*image.GetFrameImage(1), 3, 3), kRed);
    EXPECT_EQ(At(*image.GetFrameImage(2), 3, 3), kBlue);
    EXPECT_EQ(At(image, 3, 3), kBlue);      // the image itself is the last frame
    // Another image told of three frames owns none of them: nothing is freed twice.
    CRasterImage told;
    told.CopyInfo(image);
    EXPECT_EQ(told.GetNumFrames(), 3);
    EXPECT_EQ(told.GetFrameImageCount(), 0);
    EXPECT_TRUE(told.DeleteFrames());
    CRasterImage moved;
    ASSERT_TRUE(moved.MoveFrom(image, false));
    EXPECT_EQ(moved.GetFrameImageCount(), 0);
    EXPECT_EQ(image.GetFrameImageCount(), 3);
    image.DeleteFrames();
    EXPECT_EQ(image.GetFrameImageCount(), 0);
}

// Each kept frame is a whole screen: five one-row frames on a 64 MB screen ask for more than
// one image may hold, and fail at once instead of claiming hundreds of megabytes.
TEST(GifCodec, AllFramesOfAHugeScreenStopAtTheImageLimit)
{
    std::vector<GifFrame> frames(5, Frame(0, 0, 16384, 1, 1));
    Bytes gif = MakeGif(16384, 8192, GifPalette4(), frames);
    CRasterImage all;
    all.SetRetrieveAllFrames(true);
    EXPECT_FALSE(Decode(all, gif));
    EXPECT_STREQ(all.GetLastError(), "RASTERIMAGE_MAX_MEMORY exceeded");
    CRasterImage last;
    last.SetFrame(4);
    ASSERT_TRUE(Decode(last, gif)) << last.GetLastError();
    EXPECT_EQ(At(last, 0, 0), kRed);
}

TEST(GifCodec, FrameCountAndRangeAndSignature)
{
    Bytes gif = MakeGif(2, 2, GifPalette4(), {Frame(0, 0, 2, 2, 1), Frame(0, 0, 2, 2, 2)});
    CRasterImage image;
    image.SetFrame(2);
    EXPECT_FALSE(Decode(image, gif));
    EXPECT_EQ(image.GetNumFrames(), 2);     // still reported after the failed try
    Bytes notGif = gif;
    notGif[3] = '9';
    CRasterImage other;
    EXPECT_FALSE(Decode(other, notGif));
    CRasterImage dims;
    dims.SetEscape(-1);
    ASSERT_TRUE(Decode(dims, gif));
    EXPECT_EQ(dims.GetWidth(), 2u);
    EXPECT_FALSE(dims.IsValid());
}

TEST(GifCodec, InterlacedFrameDecodesLikeItsTwin)
{
    const int w = 3, h = 10;
    GifFrame plain = Frame(0, 0, w, h, 0);
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++)
            plain.indices[size_t(y * w + x)] = uint8_t((x + y) % 4);
    }
    GifFrame interlaced = plain;
    interlaced.interlaced = true;
    interlaced.indices.clear();
    for (int pass : {0, 1, 2, 3}) {
        static const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
        for (int y = start[pass]; y < h; y += step[pass])
            interlaced.indices.insert(interlaced.indices.end(), plain.indices.begin() + y * w, plain.indices.begin() + (y + 1) * w);
    }
    CRasterImage a, b;
    ASSERT_TRUE(Decode(a, MakeGif(w, h, GifPalette4(), {plain})));
    ASSERT_TRUE(Decode(b, MakeGif(w, h, GifPalette4(), {interlaced})));
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++)
            EXPECT_EQ(a.GetPixelIndex(x, y), b.GetPixelIndex(x, y)) << x << "," << y;
    }
}

// Extra pixels past the last row, indices past the bit depth and a broken code stream end the
// frame quietly: nothing is written outside it.
TEST(GifCodec, HostileFrameDataStaysInsideTheFrame)
{
    GifFrame f = Frame(0, 0, 3, 2, 1);
    f.indices = {1, 2, 200, 3, 3, 3, 1, 1, 1, 1, 1, 1, 1};     // 200 > 15, and 7 pixels too many
    CRasterImage image;
    ASSERT_TRUE(Decode(image, MakeGif(3, 2, GifPalette4(), {f})));
    EXPECT_EQ(image.GetPixelIndex(2, 1), 200 & 15);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 3);
    // A code past the table: replace the frame's LZW data with codes the decoder never built.
    Bytes gif = MakeGif(3, 2, GifPalette4(), {Frame(0, 0, 3, 2, 1)});
    Bytes broken(gif.begin(), gif.end());
    size_t lzw = broken.size() - 1;
    while (lzw > 0 && broken[lzw - 1] != 8)
        lzw--;
    ASSERT_GT(broken.size() - lzw, 4u);
    broken[lzw + 1] = 0xFF;
    broken[lzw + 2] = 0xFF;
    broken[lzw + 3] = 0xFF;
    CRasterImage damaged;
    EXPECT_TRUE(Decode(damaged, broken));
    Bytes cut(gif.begin(), gif.begin() + long(gif.size() - 6));
    CRasterImage truncated;
    Decode(truncated, cut);
}

CRasterImage Noisy(int w, int h)
{
    CRasterImage image(uint32_t(w), uint32_t(h), 8);
    for (int i = 0; i < 256; i++)
        image.SetPaletteColor(uint8_t(i), uint8_t(i), uint8_t(255 - i), uint8_t(i * 3));
    uint32_t seed = 7;
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            seed = seed * 1103515245u + 12345u;
            // Long runs on the left, noise on the right.
            image.SetPixelIndex(x, y, uint8_t(x < w / 2 ? (y / 3) % 5 : (seed >> 16) & 0xFF));
        }
    }
    return image;
}

class GifEncoderTest : public ::testing::TestWithParam<uint32_t> {};

TEST_P(GifEncoderTest, EncodedIndicesDecodeIdentically)
{
    for (auto size : {std::pair<int, int>(7, 5), std::pair<int, int>(300, 200)}) {
        CRasterImage image = Noisy(size.first, size.second);
        image.SetCodecOption(GetParam(), 2);
        Bytes gif = Encode(image);
        ASSERT_FALSE(gif.empty()) << image.GetLastError();
        CRasterImage decoded;
        ASSERT_TRUE(Decode(decoded, gif)) << decoded.GetLastError();
        ASSERT_EQ(decoded.GetWidth(), image.GetWidth());
        for (int32_t y = 0; y < size.second; y++) {
            for (int32_t x = 0; x < size.first; x++)
                ASSERT_EQ(decoded.GetPixelIndex(x, y), image.GetPixelIndex(x, y)) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Compression, GifEncoderTest, ::testing::Values(0u, 1u, 2u),
    [](const ::testing::TestParamInfo<uint32_t>& i) {
        return std::string(i.param == 1 ? "Uncompressed" : i.param == 2 ? "RunLength" : "Lzw");
    });

TEST(GifCodec, TrueColourImagesAreWrittenAsTiles)
{
    CRasterImage image(40, 20, 24);
    for (int32_t y = 0; y < 20; y++) {
        for (int32_t x = 0; x < 40; x++)
            image.SetPixelColor(x, y, RasterColor {uint8_t(x * 6), uint8_t(y * 12), uint8_t(x ^ y), 0});
    }
    Bytes gif = Encode(image);
    size_t descriptors = 0;
    for (size_t i = 0; i + 10 < gif.size(); i++) {
        // graphic control block followed by an image descriptor with a local table
        if (gif[i] == 0x21 && gif[i + 1] == 0xF9 && gif[i + 7] == 0 && gif[i + 8] == 0x2C && (gif[i + 17] & 0x80))
            descriptors++;
    }
    EXPECT_EQ(descriptors, 3u * 2u);    // ceil(40 / 17) x ceil(20 / 15)
    CRasterImage decoded;
    ASSERT_TRUE(Decode(decoded, gif));
    ASSERT_EQ(decoded.GetBpp(), 24);
    for (int32_t y = 0; y < 20; y++) {
        for (int32_t x = 0; x < 40; x++) {
            RasterColor a = image.GetPixelColor(x, y), b = decoded.GetPixelColor(x, y);
            ASSERT_EQ(a.rgbRed, b.rgbRed);
            ASSERT_EQ(a.rgbGreen, b.rgbGreen);
            ASSERT_EQ(a.rgbBlue, b.rgbBlue);
        }
    }
}

TEST(GifCodec, FrameListEncoder)
{
    CRasterImage a(3, 3, 4), b(3, 3, 4), empty, rgb(3, 3, 24);
    a.Clear(1);
    b.Clear(2);
    CImageMemoryStream stream;
    ASSERT_TRUE(stream.Open());
    CRasterImageGIF gif;
    struct Case { std::vector<CRasterImage*> frames; const char* error; } cases[] = {
        {{}, "multipage GIF, no images!"},
        {{&a, nullptr}, "Bad image pointer"},
        {{&a, &empty}, "Empty image"},
        {{&a, &rgb}, "CRasterImageGIF::Encode cannot create animated GIFs with a true color frame. Use DecreaseBpp before"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(gif.Encode(&stream, c.frames.data(), int32_t(c.frames.size())));
        EXPECT_STREQ(gif.GetLastError(), c.error);
    }
    EXPECT_FALSE(gif.Encode(nullptr, nullptr, 0));
    EXPECT_STREQ(gif.GetLastError(), "invalid file pointer");
    CRasterImage* frames[] = {&a, &b};
    ASSERT_TRUE(gif.Encode(&stream, frames, 2, true, false));
    Bytes bytes(stream.GetBuffer(false), stream.GetBuffer(false) + stream.Size());
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), std::begin("NETSCAPE2.0"), std::end("NETSCAPE2.0") - 1), bytes.end());
    CRasterImage second;
    second.SetFrame(1);
    ASSERT_TRUE(Decode(second, bytes));
    EXPECT_EQ(second.GetNumFrames(), 2);
    EXPECT_EQ(second.GetPixelIndex(1, 1), 2);
}

} // namespace
