// Images as base64 text: round trips through JPEG and PNG, and text that must leave the image alone.
#include "framework/text/ImageBase64.h"
#include "image/RasterImage.h"
#include <gtest/gtest.h>

namespace {

const int kJpeg = 3;
const int kPng = 4;

void MakeGradient(CRasterImage& image, uint32_t width, uint32_t height)
{
    ASSERT_NE(nullptr, image.Create(width, height, 24));
    for (uint32_t y = 0; y < height; y++)
        for (uint32_t x = 0; x < width; x++)
            image.SetPixelColor(int32_t(x), int32_t(y),
                                RasterColor{uint8_t(x * 8), uint8_t(y * 16), uint8_t(255 - x * 8), 0});
}

TEST(ImageBase64, RoundTripsThroughEachFormat)
{
    const struct {
        const char* name;
        int format;
        const wchar_t* prefix;  // the format's signature as base64
    } cases[] = {
        {"jpeg", kJpeg, L"/9j/"},
        {"png", kPng, L"iVBORw0KGgo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CRasterImage source;
        MakeGradient(source, 24, 12);
        CString text;
        ASSERT_EQ(0, ImageToBase64(source, text, c.format));
        EXPECT_EQ(0, text.Find(c.prefix));

        CRasterImage copy;
        ASSERT_EQ(0, Base64ToImage(text, copy, c.format));
        EXPECT_EQ(24u, copy.GetWidth());
        EXPECT_EQ(12u, copy.GetHeight());
        if (c.format == kPng) {
            RasterColor want = source.GetPixelColor(5, 7, false), got = copy.GetPixelColor(5, 7, false);
            EXPECT_EQ(want.rgbRed, got.rgbRed);
            EXPECT_EQ(want.rgbGreen, got.rgbGreen);
            EXPECT_EQ(want.rgbBlue, got.rgbBlue);
        }
    }
}

TEST(ImageBase64, EmptyImageGivesNoText)
{
    CRasterImage empty;
    CString text = L"left over";
    EXPECT_EQ(-1, ImageToBase64(empty, text, kJpeg));
    EXPECT_TRUE(text.IsEmpty());
}

TEST(ImageBase64, TextThatIsNoImageLeavesTheImageAsItWas)
{
    const struct {
        const char* name;
        const wchar_t* text;
    } cases[] = {
        {"empty", L""},
        {"no base64 characters", L"!!!!"},
        {"padding only", L"===="},
        {"bytes that are no jpeg", L"AAECAwQFBgcICQ=="},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CRasterImage image;
        MakeGradient(image, 10, 6);
        EXPECT_EQ(-1, Base64ToImage(c.text, image, kJpeg));
        EXPECT_TRUE(image.IsValid());
        EXPECT_EQ(10u, image.GetWidth());
        EXPECT_EQ(6u, image.GetHeight());
    }
    CRasterImage image;
    EXPECT_EQ(-1, Base64ToImage(nullptr, image, kJpeg));
}

}  // namespace
