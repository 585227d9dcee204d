// CRasterImageGIF: GIF87a/GIF89a in (one frame or all, composed onto the logical screen with the
// disposal rules), GIF89a out (one image, an animation from a frame list, or a true-colour image
// cut into tiles with their own palettes).
#pragma once
#include <string>
#include "image/RasterImage.h"

class CRasterImageGIF : public CRasterImage {
public:
    CRasterImageGIF() : CRasterImage(RASTER_FORMAT_GIF) {}
    bool Decode(CImageStream* stream);
    bool Encode(CImageStream* stream);
    bool Encode(CImageStream* stream, CRasterImage* const* frames, int32_t count,
                bool localColorTables = false, bool localDisposal = false);

    void SetLoops(int32_t loops) { m_loops = loops; }
    int32_t GetLoops() const { return m_loops; }
    void SetComment(const char* text);
    const char* GetComment() const { return m_comment.c_str(); }

private:
    friend class GifDecoder;
    bool EncodeTrueColor(CImageStream* stream);

    int32_t m_loops = 0;
    std::string m_comment;
};
