// What only Windows has: drawing into a device context (a memory DC over a DIB section whose
// pixels are read back) and loading an image from a module's resources.
#ifdef _WIN32
#include <windows.h>
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "image/ImageFit.h"
#include "image/RasterImage.h"
#include "tests/image/PngFixtures.h"
#include "tests/support/ChildProgram.h"

namespace {

// A 32-bit top-down DIB section selected into a memory DC, filled with one grey level.
class MemoryCanvas {
public:
    MemoryCanvas(int w, int h, uint8_t fill) : m_w(w), m_h(h)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<uint8_t*>(bits);
        m_old = SelectObject(m_dc, m_bitmap);
        std::memset(m_bits, fill, size_t(w) * size_t(h) * 4);
    }
    ~MemoryCanvas()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    HDC Dc() const { return m_dc; }
    bool Ready() const { return m_dc && m_bitmap && m_bits; }
    // (red, green, blue) at (x, y) from the top-left.
    std::tuple<int, int, int> At(int x, int y) const
    {
        GdiFlush();
        const uint8_t* p = m_bits + (size_t(y) * size_t(m_w) + size_t(x)) * 4;
        return {p[2], p[1], p[0]};
    }

private:
    int m_w;
    int m_h;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    uint8_t* m_bits = nullptr;
};

using Rgb = std::tuple<int, int, int>;

// 3 x 2: top row red, green, blue; bottom row grey levels 10, 20, 30.
CRasterImage Sample()
{
    CRasterImage image(3, 2, 24);
    image.SetPixelColor(0, 1, RasterColor {0, 0, 255, 0});
    image.SetPixelColor(1, 1, RasterColor {0, 255, 0, 0});
    image.SetPixelColor(2, 1, RasterColor {255, 0, 0, 0});
    for (int x = 0; x < 3; x++) {
        uint8_t v = uint8_t(10 * (x + 1));
        image.SetPixelColor(x, 0, RasterColor {v, v, v, 0});
    }
    return image;
}

TEST(Draw, NaturalSizeOpaque)
{
    MemoryCanvas canvas(8, 8, 255);
    ASSERT_TRUE(canvas.Ready());
    CRasterImage image = Sample();
    ASSERT_TRUE(image.Draw(canvas.Dc(), 1, 2));
    EXPECT_EQ(canvas.At(1, 2), Rgb(255, 0, 0));
    EXPECT_EQ(canvas.At(3, 2), Rgb(0, 0, 255));
    EXPECT_EQ(canvas.At(2, 3), Rgb(20, 20, 20));
    EXPECT_EQ(canvas.At(0, 2), Rgb(255, 255, 255));
    EXPECT_EQ(canvas.At(4, 2), Rgb(255, 255, 255));
}

TEST(Draw, StretchedAndFlipped)
{
    MemoryCanvas canvas(8, 8, 255);
    CRasterImage image = Sample();
    ASSERT_TRUE(image.Draw(canvas.Dc(), 0, 0, 6, 4));
    EXPECT_EQ(canvas.At(0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(canvas.At(1, 1), Rgb(255, 0, 0));
    EXPECT_EQ(canvas.At(5, 1), Rgb(0, 0, 255));
    EXPECT_EQ(canvas.At(5, 3), Rgb(30, 30, 30));
    EXPECT_EQ(canvas.At(6, 0), Rgb(255, 255, 255));
    MemoryCanvas flipped(8, 8, 255);
    ASSERT_TRUE(image.Draw(flipped.Dc(), 0, 0, 6, 4, nullptr, false, true));
    EXPECT_EQ(flipped.At(0, 0), Rgb(10, 10, 10));
    EXPECT_EQ(flipped.At(0, 3), Rgb(255, 0, 0));
}

TEST(Draw, AlphaBlendsOverTheDevice)
{
    MemoryCanvas canvas(4, 4, 255);
    CRasterImage image(2, 2, 24);
    image.Clear(0);
    image.AlphaCreate();
    image.AlphaClear(128);
    image.AlphaSet(1, 1, 0);
    ASSERT_TRUE(image.Draw(canvas.Dc(), 0, 0));
    int blended = (0 * 128 + 255 * 127) >> 8;
    EXPECT_EQ(canvas.At(0, 0), Rgb(blended, blended, blended));
    EXPECT_EQ(canvas.At(1, 0), Rgb(255, 255, 255));     // alpha 0: untouched
}

TEST(Draw, TransparentIndexIsLeftOut)
{
    MemoryCanvas canvas(4, 4, 200);
    CRasterImage image(2, 1, 8);
    image.SetPaletteColor(1, 0, 0, 255);
    image.SetPixelIndex(0, 0, 0);
    image.SetPixelIndex(1, 0, 1);
    image.SetTransIndex(0);
    ASSERT_TRUE(image.Draw(canvas.Dc(), 0, 0));
    EXPECT_EQ(canvas.At(0, 0), Rgb(200, 200, 200));
    EXPECT_EQ(canvas.At(1, 0), Rgb(0, 0, 255));
}

TEST(Draw, NothingToDraw)
{
    MemoryCanvas canvas(4, 4, 200);
    CRasterImage image = Sample();
    EXPECT_FALSE(image.Draw(canvas.Dc(), 0, 0, 0, 2));
    EXPECT_FALSE(image.Draw(nullptr, 0, 0));
    image.Enable(false);
    EXPECT_FALSE(image.Draw(canvas.Dc(), 0, 0));
    CRasterImage empty;
    EXPECT_FALSE(empty.Draw(canvas.Dc(), 0, 0));
    EXPECT_EQ(canvas.At(0, 0), Rgb(200, 200, 200));
}

TEST(Draw, ClipRectangleLimitsAndIsUndone)
{
    MemoryCanvas canvas(8, 8, 255);
    CRasterImage image(6, 6, 24);
    image.Clear(0);
    RECT clip = {0, 0, 2, 2};
    ASSERT_TRUE(image.Draw(canvas.Dc(), 0, 0, -1, -1, &clip));
    EXPECT_EQ(canvas.At(1, 1), Rgb(0, 0, 0));
    EXPECT_EQ(canvas.At(3, 3), Rgb(255, 255, 255));
    ASSERT_TRUE(image.Draw(canvas.Dc(), 0, 0));
    EXPECT_EQ(canvas.At(5, 5), Rgb(0, 0, 0));
}

TEST(DrawImageFitted, CentresAndScales)
{
    MemoryCanvas canvas(200, 200, 255);
    CRasterImage image(100, 50, 24);
    image.Clear(0);
    EXPECT_EQ(DrawImageFitted(canvas.Dc(), 0, 0, 200, 200, &image), 0);
    EXPECT_EQ(canvas.At(100, 49), Rgb(255, 255, 255));
    EXPECT_EQ(canvas.At(100, 50), Rgb(0, 0, 0));
    EXPECT_EQ(canvas.At(199, 149), Rgb(0, 0, 0));
    EXPECT_EQ(canvas.At(100, 150), Rgb(255, 255, 255));
    EXPECT_EQ(DrawImageFitted(canvas.Dc(), 0, 0, 200, 200, nullptr), -1);
    MemoryCanvas untouched(20, 20, 255);
    EXPECT_EQ(DrawImageFitted(untouched.Dc(), 10, 10, 10, 20, &image), 1);
    EXPECT_EQ(DrawImageFitted(untouched.Dc(), 15, 15, 5, 5, &image), 1);
    EXPECT_EQ(untouched.At(10, 15), Rgb(255, 255, 255));
}

// A PNG resource added to a copy of a small program, loaded as a data module.
TEST(LoadFromResource, DecodesAPngResource)
{
    PngLayout layout;
    layout.width = 7;
    layout.height = 3;
    std::vector<uint8_t> png = MakePng(layout, [](int, int, int c) { return uint16_t(c == 0 ? 200 : 0); });
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring copy = std::wstring(temp) + L"kavri-image-resource.exe";
    ASSERT_TRUE(CopyFileW(TestChildPath().c_str(), copy.c_str(), FALSE));
    HANDLE update = BeginUpdateResourceW(copy.c_str(), FALSE);
    ASSERT_NE(update, nullptr);
    ASSERT_TRUE(UpdateResourceW(update, L"PNG", MAKEINTRESOURCEW(101), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                png.data(), DWORD(png.size())));
    ASSERT_TRUE(EndUpdateResourceW(update, FALSE));
    HMODULE module = LoadLibraryExW(copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(101), L"PNG");
    ASSERT_NE(resource, nullptr);
    CRasterImage image;
    EXPECT_TRUE(image.LoadFromResource(resource, 4, module)) << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), 7u);
    EXPECT_EQ(image.GetPixelColor(0, 0).rgbRed, 200);
    FreeLibrary(module);
    DeleteFileW(copy.c_str());
}

} // namespace
#endif
