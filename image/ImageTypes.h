// Plain data types of the image library. The header never includes windows.h, so that the JPEG
// codec (whose jpeglib.h clashes with it over boolean and INT32) can include the image class.
// The layouts equal the Win32 ones: the drawing code hands the pixel block to GDI as it is.
#pragma once
#include <cstdint>

// One palette entry or colour value: blue, green, red, alpha (the Win32 RGBQUAD layout).
struct RasterColor {
    uint8_t rgbBlue;
    uint8_t rgbGreen;
    uint8_t rgbRed;
    uint8_t rgbReserved;
};
static_assert(sizeof(RasterColor) == 4, "RasterColor is 4 bytes");

// The 40-byte device-independent bitmap header (the Win32 BITMAPINFOHEADER layout).
struct RasterInfoHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};
static_assert(sizeof(RasterInfoHeader) == 40, "RasterInfoHeader is 40 bytes");

// Handles and small Win32 types named by the interface. On Windows they are declared exactly as
// windows.h declares them (strict handles), so both may meet in one source file.
#ifdef _WIN32
struct HDC__;
typedef HDC__* HDC;
struct HRSRC__;
typedef HRSRC__* HRSRC;
struct HINSTANCE__;
typedef HINSTANCE__* HMODULE;
typedef unsigned long COLORREF;
struct tagRECT;
typedef tagRECT RECT;
#else
typedef uint32_t COLORREF;
struct tagRECT {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};
typedef tagRECT RECT;
static_assert(sizeof(RECT) == 16, "RECT is 16 bytes");
#endif
static_assert(sizeof(COLORREF) == 4, "COLORREF is 4 bytes");

// The most bytes one pixel block, alpha plane or selection plane may take (RASTERIMAGE_MAX_MEMORY).
const uint64_t kRasterMaxImageBytes = uint64_t(1) << 28;

// Format ids of the image library.
enum : uint32_t {
    RASTER_FORMAT_UNKNOWN = 0,
    RASTER_FORMAT_BMP = 1,
    RASTER_FORMAT_GIF = 2,
    RASTER_FORMAT_JPG = 3,
    RASTER_FORMAT_PNG = 4,
    RASTER_FORMAT_ICO = 5,
};
