// CRasterImage: the in-memory raster image of the image library, with its alpha and selection
// planes, its codecs (through Encode and Decode) and its resampling and drawing operations.
// Failures return false or null and leave a message in the image's error text; nothing throws.
#pragma once
#include <cstdint>
#include <cstdio>
#include <vector>
#include "image/ImageTypes.h"

class CImageStream;

// Interpolation methods of GetPixelColorInterpolated; any other number behaves as bilinear.
enum : int32_t {
    IM_NEAREST_NEIGHBOUR = 1, IM_BILINEAR, IM_BSPLINE, IM_BICUBIC, IM_BICUBIC2, IM_LANCZOS, IM_BOX,
    IM_HERMITE, IM_HAMMING, IM_SINC, IM_BLACKMAN, IM_BESSEL, IM_GAUSSIAN, IM_QUADRATIC, IM_MITCHELL,
    IM_CATROM, IM_HANNING, IM_POWER
};

// What a sample outside the image takes; any other number behaves as OM_COLOR.
enum : int32_t { OM_COLOR = 1, OM_BACKGROUND, OM_TRANSPARENT, OM_WRAP, OM_REPEAT, OM_MIRROR };

// A packed red-green-blue triple, as GIF and PNG palettes store them.
struct RasterRgb {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

// Selection bounding box; rows run bottom-up, so an empty box is left = width, right = 0,
// top = 0, bottom = height.
struct RasterBox {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// Extended information, copied as one block between images. It holds no pointer: the pixel
// block and the owner of a borrowed view live beside it, so no copy can carry a stale one.
struct RasterImageInfo {
    uint32_t effWidth;          // bytes per pixel row, a multiple of 4
    uint32_t type;              // format id 0-5
    char lastError[256];
    int32_t progress;           // 0-100, written by long loops
    int32_t escape;             // non-zero stops a long loop; -1 asks a decoder for dimensions only
    int32_t transIndex;         // -1 = none
    RasterColor transColor;
    float jpegQuality;
    uint8_t jpegScale;          // decode down-scaling denominator
    int32_t frame;              // frame or icon entry to decode
    int32_t numFrames;          // frames the file holds, as the decoder reported them
    uint16_t frameDelay;        // hundredths of a second
    int32_t xDpi;
    int32_t yDpi;
    RasterBox selectionBox;
    uint8_t alphaMax;
    bool alphaPalette;
    bool enabled;
    int32_t xOffset;
    int32_t yOffset;
    uint32_t codecOptions[6];
    RasterColor nearestColor;   // nearest-colour cache
    uint8_t nearestIndex;
    bool nearestValid;
    int32_t numLayers;
    uint8_t disposal;
    bool retrieveAllFrames;
    bool littleEndianHost;
};

class CRasterImage {
public:
    explicit CRasterImage(uint32_t imageType = 0);
    CRasterImage(uint32_t width, uint32_t height, uint32_t bpp, uint32_t imageType = 0);
    CRasterImage(const CRasterImage& src, bool copyPixels = true, bool copySelection = true,
                 bool copyAlpha = true);
    CRasterImage& operator=(const CRasterImage&) = delete;
    virtual ~CRasterImage();

    // Construction and ownership.
    void* Create(uint32_t width, uint32_t height, uint32_t bpp, uint32_t imageType = 0);
    bool Destroy();
    bool DeleteFrames();
    bool CopyFrom(const CRasterImage& src, bool copyPixels = true, bool copySelection = true,
                  bool copyAlpha = true);
    void CopyInfo(const CRasterImage& src);
    bool MoveFrom(CRasterImage& src, bool takeFrames = false);
    void Borrow(const CRasterImage& src);

    // Accessors.
    bool IsValid() const { return m_block != nullptr; }
    uint32_t GetWidth() const { return uint32_t(m_header.biWidth); }
    uint32_t GetHeight() const { return uint32_t(m_header.biHeight); }
    uint16_t GetBpp() const { return m_header.biBitCount; }
    uint32_t GetNumColors() const { return m_header.biClrUsed; }
    uint32_t GetEffWidth() const { return m_info.effWidth; }
    uint32_t GetType() const { return m_info.type; }
    const char* GetLastError() const { return m_info.lastError; }
    RasterColor* GetPalette() const;
    uint32_t GetPaletteSize() const { return m_header.biClrUsed * 4; }
    uint32_t GetSize() const;
    void* GetDIB() const { return m_block; }
    bool IsIndexed() const { return m_header.biClrUsed != 0; }
    bool IsInside(int32_t x, int32_t y) const;
    uint8_t* GetRowPointer(int32_t row) const;
    uint8_t* GetPixelPointer24(int32_t x, int32_t y) const;
    const RasterInfoHeader& GetHeader() const { return m_header; }
    CRasterImage* GetFrameImage(int32_t index) const;
    int32_t GetFrameImageCount() const { return int32_t(m_frames.size()); }

    // Settings.
    bool SetType(uint32_t type);
    void SetTransIndex(int32_t index);
    int32_t GetTransIndex() const { return m_info.transIndex; }
    bool IsTransparent() const { return m_info.transIndex >= 0; }
    void SetTransColor(RasterColor color);
    RasterColor GetTransColor() const;
    void SetJpegQuality(float quality) { m_info.jpegQuality = quality; }
    uint8_t GetJpegQuality() const { return uint8_t(m_info.jpegQuality + 0.5f); }
    void SetJpegScale(uint8_t scale) { m_info.jpegScale = scale; }
    uint8_t GetJpegScale() const { return m_info.jpegScale; }
    void SetEscape(int32_t escape) { m_info.escape = escape; }
    int32_t GetEscape() const { return m_info.escape; }
    int32_t GetProgress() const { return m_info.progress; }
    void SetFrame(int32_t frame) { m_info.frame = frame; }
    int32_t GetFrame() const { return m_info.frame; }
    int32_t GetNumFrames() const { return m_info.numFrames; }
    uint16_t GetFrameDelay() const { return m_info.frameDelay; }
    void SetDisposalMethod(uint8_t method) { m_info.disposal = method; }
    uint8_t GetDisposalMethod() const { return m_info.disposal; }
    void SetRetrieveAllFrames(bool all) { m_info.retrieveAllFrames = all; }
    void SetOffset(int32_t x, int32_t y);
    int32_t GetXOffset() const { return m_info.xOffset; }
    int32_t GetYOffset() const { return m_info.yOffset; }
    uint32_t GetCodecOption(uint32_t imageType = 0) const;
    void SetCodecOption(uint32_t option, uint32_t imageType = 0);
    int32_t GetXDPI() const { return m_info.xDpi; }
    int32_t GetYDPI() const { return m_info.yDpi; }
    void SetXDPI(int32_t dpi);
    void SetYDPI(int32_t dpi);
    void Enable(bool enabled) { m_info.enabled = enabled; }
    bool IsEnabled() const { return m_info.enabled; }
    uint8_t AlphaGetMax() const { return m_info.alphaMax; }
    bool AlphaPaletteIsEnabled() const { return m_info.alphaPalette; }
    void AlphaPaletteEnable(bool enable) { m_info.alphaPalette = enable; }
    RasterBox GetSelectionBox() const { return m_info.selectionBox; }

    // Palette.
    RasterColor GetPaletteColor(uint8_t index) const;
    bool GetPaletteRGB(int32_t index, uint8_t* red, uint8_t* green, uint8_t* blue) const;
    void SetPaletteColor(uint8_t index, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 0);
    void SetPaletteColor(uint8_t index, RasterColor color);
    void SetPalette(const RasterColor* palette, uint32_t count = 256);
    void SetPalette(uint32_t count, const uint8_t* red, const uint8_t* green = nullptr,
                    const uint8_t* blue = nullptr);
    void SetPalette(const RasterRgb* rgb, uint32_t count);
    void SetGrayPalette();
    bool IsGrayScale() const;
    void SwapIndex(uint8_t a, uint8_t b);
    uint32_t GetClrImportant() const { return m_header.biClrImportant; }
    void SetClrImportant(uint32_t count);
    uint8_t GetNearestIndex(RasterColor color);

    // Pixels.
    uint8_t GetPixelIndex(int32_t x, int32_t y) const;
    uint8_t GetPixelIndexUnchecked(int32_t x, int32_t y) const;
    void SetPixelIndex(int32_t x, int32_t y, uint8_t index);
    void SetPixelIndexUnchecked(int32_t x, int32_t y, uint8_t index);
    RasterColor GetPixelColor(int32_t x, int32_t y, bool getAlpha = true) const;
    RasterColor GetPixelColorUnchecked(int32_t x, int32_t y, bool getAlpha = true) const;
    void SetPixelColor(int32_t x, int32_t y, RasterColor color, bool setAlpha = false);
    void SetPixelColorUnchecked(int32_t x, int32_t y, RasterColor color, bool setAlpha = false);
    void SetPixelColorRef(int32_t x, int32_t y, COLORREF color);

    // Whole-image operations.
    void SwapRedBlue(uint8_t* buffer, uint32_t length) const;
    void Clear(uint8_t value = 0);
    bool IncreaseBpp(uint32_t bits);
    bool Flip(bool flipSelection = true, bool flipAlpha = true);
    bool Negative();
    // Fills this 24-bit image from 16- or 32-bit pixels described by masks of any width; with an
    // alpha mask the alpha plane is made (where there is none) and filled from it as well.
    void ConvertBitfields(const uint8_t* source, uint32_t redMask, uint32_t greenMask,
                          uint32_t blueMask, uint8_t bits, uint32_t alphaMask = 0);
    void Unpack2BitRow(uint8_t* row) const;
    void SwapHeaderBytes(RasterInfoHeader& header) const;
    uint16_t SwapShort(uint16_t value) const;
    uint32_t SwapLong(uint32_t value) const;

    // Alpha plane.
    bool AlphaIsValid() const { return m_alpha != nullptr; }
    bool AlphaCreate();
    void AlphaDelete();
    void AlphaClear(uint8_t level);
    void AlphaInvert();
    void AlphaSet(int32_t x, int32_t y, uint8_t level);
    uint8_t AlphaGet(int32_t x, int32_t y) const;
    uint8_t AlphaGetUnchecked(int32_t x, int32_t y) const;
    uint8_t* AlphaGetPointer(int32_t x = 0, int32_t y = 0) const;
    bool AlphaCopy(const CRasterImage& source);
    bool AlphaSetFromGray(const CRasterImage& gray);
    bool AlphaSplit(CRasterImage* dest) const;
    bool AlphaFlip();
    bool AlphaPaletteIsValid() const;

    // Selection plane.
    bool SelectionIsValid() const { return m_selection != nullptr; }
    bool SelectionCreate();
    void SelectionDelete();
    bool SelectionIsInside(int32_t x, int32_t y) const;
    bool SelectionCopy(const CRasterImage& source);
    uint8_t* SelectionGetPointer(int32_t x = 0, int32_t y = 0) const;
    bool SelectionFlip();

    // Codecs, files and memory.
    bool Encode(CImageStream* stream, uint32_t imageType);
    bool Decode(CImageStream* stream, uint32_t imageType);
    bool SaveToFile(const wchar_t* path, uint32_t imageType);
    bool EncodeToFile(FILE* file, uint32_t imageType);
    bool EncodeToMemory(uint8_t*& buffer, int32_t& size, uint32_t imageType);
    bool LoadFromFile(const wchar_t* path, uint32_t imageType);
    bool DecodeFromFile(FILE* file, uint32_t imageType);
    bool DecodeFromMemory(const void* data, uint32_t size, uint32_t imageType);
#ifdef _WIN32
    bool LoadFromResource(HRSRC resource, uint32_t imageType, HMODULE module = nullptr);
#endif
    bool CheckEncodeArgs(CImageStream* stream);

    // Resampling, canvas and interpolation.
    bool Resample(int32_t newWidth, int32_t newHeight, int32_t mode = 1, CRasterImage* dest = nullptr);
    bool Expand(int32_t left, int32_t top, int32_t right, int32_t bottom, RasterColor canvas,
                CRasterImage* dest = nullptr);
    bool ExpandCentred(int32_t newWidth, int32_t newHeight, RasterColor canvas,
                       CRasterImage* dest = nullptr);
    bool FitIntoCanvas(int32_t width, int32_t height, RasterColor canvas, CRasterImage* dest = nullptr);
    RasterColor GetPixelColorWithOverflow(int32_t x, int32_t y, int32_t overflow = OM_BACKGROUND,
                                          const RasterColor* replacement = nullptr) const;
    void OverflowCoordinates(int32_t& x, int32_t& y, int32_t overflow) const;
    void OverflowCoordinates(float& x, float& y, int32_t overflow) const;
    RasterColor GetPixelColorInterpolated(float x, float y, int32_t method = IM_BILINEAR,
                                          int32_t overflow = OM_BACKGROUND,
                                          const RasterColor* replacement = nullptr) const;
    RasterColor GetAreaColorInterpolated(float x, float y, float width, float height,
                                         int32_t method = IM_BILINEAR, int32_t overflow = OM_BACKGROUND,
                                         const RasterColor* replacement = nullptr) const;

#ifdef _WIN32
    // Drawing into a device context.
    bool Draw(HDC dc, int32_t x, int32_t y, int32_t cx = -1, int32_t cy = -1,
              const RECT* clip = nullptr, bool smooth = false, bool flip = false);
    bool DrawInRect(HDC dc, const RECT& rect, const RECT* clip = nullptr, bool smooth = false,
                    bool flip = false);
#endif

protected:
    void InitDefaults(uint32_t imageType);
    void SetError(const char* text);
    void CopyErrorFrom(const CRasterImage& other);
    uint8_t* Bits() const { return m_bits; }
    RasterImageInfo& Info() { return m_info; }
    const RasterImageInfo& Info() const { return m_info; }
    void SetDimensionsOnly(uint32_t width, uint32_t height, uint32_t type);
    void ResetFrames(int32_t count);
    void SetFrameImage(int32_t index, CRasterImage* image);
    void SetNumFrames(int32_t count) { m_info.numFrames = count; }

private:
    template <class Codec> bool EncodeWith(CImageStream* stream);
    template <class Codec> bool DecodeWith(CImageStream* stream, int32_t position, bool reportsFrames);
    bool DecodeAs(uint32_t imageType, CImageStream* stream, int32_t position);
    bool ResampleInto(CRasterImage& tmp, int32_t newWidth, int32_t newHeight, int32_t mode);
    void FreePlanes();
    void TakeStorageOf(const CRasterImage& src);
    void RefreshBlockHeader();
    uint8_t* PlaneAllocate(uint8_t fill) const;
    size_t PlaneSize() const;
    bool PlaneCopy(uint8_t*& plane, const uint8_t* sourcePlane, const CRasterImage& source, uint8_t fill);
    template <class RgbAt> void SetPaletteRgb(uint32_t count, RgbAt rgbAt);
    void ResampleNearest(CRasterImage& tmp, float xScale, float yScale);
    void ResampleBicubic(CRasterImage& tmp, float xScale, float yScale);
    void ResampleBilinear(CRasterImage& tmp, float xScale, float yScale);
    void ResampleAreaAverage(CRasterImage& tmp, float xScale, float yScale);
    bool ResampleAlpha(CRasterImage& tmp, int32_t mode, float xScale, float yScale);
    RasterColor InterpolateBilinear(float x, float y, int32_t overflow, const RasterColor* replacement) const;
    RasterColor InterpolateKernel(float x, float y, int32_t method, int32_t overflow,
                                  const RasterColor* replacement) const;

    uint8_t* m_block = nullptr;         // header copy, palette and rows, one C heap block
    uint8_t* m_bits = nullptr;          // row 0 (the bottom row) inside m_block
    const CRasterImage* m_owner = nullptr;  // set when this object is a view of another image
    RasterInfoHeader m_header {};
    RasterImageInfo m_info {};
    uint8_t* m_selection = nullptr;
    uint8_t* m_alpha = nullptr;
    std::vector<CRasterImage*> m_layers;    // owned unless borrowing
    std::vector<CRasterImage*> m_frames;    // owned unless borrowing; may hold empty slots
};
