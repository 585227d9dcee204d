// Codec dispatch: format ids, the order in which an unknown format is probed, and the file and
// memory entry points.
#include "image/RasterImage.h"
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include "image/ImageFile.h"
#include "image/ImageFileStream.h"
#include "image/ImageMemoryStream.h"
#include "image/RasterImageBMP.h"
#include "image/RasterImageGIF.h"
#include "image/RasterImageICO.h"
#include "image/RasterImageJPG.h"
#include "image/RasterImagePNG.h"

bool CRasterImage::CheckEncodeArgs(CImageStream* stream)
{
    if (!stream) {
        SetError("null file handler");
        return true;
    }
    if (!m_block) {
        SetError("null image!!!");
        return true;
    }
    return false;
}

template <class Codec>
bool CRasterImage::EncodeWith(CImageStream* stream)
{
    Codec codec;
    codec.Borrow(*this);
    if (codec.Encode(stream))
        return true;
    CopyErrorFrom(codec);
    return false;
}

bool CRasterImage::Encode(CImageStream* stream, uint32_t imageType)
{
    switch (imageType) {
    case RASTER_FORMAT_BMP: return EncodeWith<CRasterImageBMP>(stream);
    case RASTER_FORMAT_GIF: return EncodeWith<CRasterImageGIF>(stream);
    case RASTER_FORMAT_JPG: return EncodeWith<CRasterImageJPG>(stream);
    case RASTER_FORMAT_PNG: return EncodeWith<CRasterImagePNG>(stream);
    case RASTER_FORMAT_ICO: return EncodeWith<CRasterImageICO>(stream);
    default:
        SetError("Encode: Unknown format");
        return false;
    }
}

// One decode try on the codec's own object: on success this image takes the codec's picture
// and frames; on failure it keeps what it had, takes the codec's text (and, for the multi-frame
// formats, its frame count, so that a count-only decode still reports it) and the stream goes
// back to where the try began.
template <class Codec>
bool CRasterImage::DecodeWith(CImageStream* stream, int32_t position, bool reportsFrames)
{
    Codec codec;
    codec.CopyInfo(*this);
    if (codec.Decode(stream))
        return MoveFrom(codec, true);
    if (reportsFrames)
        m_info.numFrames = codec.GetNumFrames();
    CopyErrorFrom(codec);
    stream->Seek(position, SEEK_SET);
    return false;
}

bool CRasterImage::DecodeAs(uint32_t imageType, CImageStream* stream, int32_t position)
{
    switch (imageType) {
    case RASTER_FORMAT_BMP: return DecodeWith<CRasterImageBMP>(stream, position, false);
    case RASTER_FORMAT_JPG: return DecodeWith<CRasterImageJPG>(stream, position, false);
    case RASTER_FORMAT_ICO: return DecodeWith<CRasterImageICO>(stream, position, true);
    case RASTER_FORMAT_GIF: return DecodeWith<CRasterImageGIF>(stream, position, true);
    case RASTER_FORMAT_PNG: return DecodeWith<CRasterImagePNG>(stream, position, false);
    default: return false;
    }
}

bool CRasterImage::Decode(CImageStream* stream, uint32_t imageType)
{
    static const uint32_t kProbeOrder[] = {RASTER_FORMAT_BMP, RASTER_FORMAT_JPG, RASTER_FORMAT_ICO,
                                           RASTER_FORMAT_GIF, RASTER_FORMAT_PNG};
    if (!stream) {
        SetError("null file handler");
        return false;
    }
    if (imageType <= 5) {
        int32_t position = stream->Tell();
        for (uint32_t id : kProbeOrder) {
            if (imageType != 0 && imageType != id)
                continue;
            if (DecodeAs(id, stream, position))
                return true;
            if (imageType != 0)
                return false;
        }
    }
    SetError("Decode: Unknown or wrong format");
    return false;
}

// Written under a temporary name beside the target and moved over it when complete: a failed
// encode leaves neither a truncated image nor a damaged old one.
bool CRasterImage::SaveToFile(const wchar_t* path, uint32_t imageType)
{
    if (!path)
        return false;
    std::wstring temporary = std::wstring(path) + L".kvtmp";
    FILE* file = OpenImageFile(temporary.c_str(), "wb");
    if (!file)
        return false;
    bool ok = EncodeToFile(file, imageType);
    if (fclose(file) != 0)
        ok = false;
    if (ok && ReplaceImageFile(temporary.c_str(), path))
        return true;
    RemoveImageFile(temporary.c_str());
    return false;
}

bool CRasterImage::EncodeToFile(FILE* file, uint32_t imageType)
{
    if (!file) {
        SetError("null file handler");
        return false;
    }
    CImageFileStream stream(file);
    return Encode(&stream, imageType);
}

bool CRasterImage::EncodeToMemory(uint8_t*& buffer, int32_t& size, uint32_t imageType)
{
    if (buffer) {
        SetError("the buffer must be empty");
        return false;
    }
    CImageMemoryStream stream;
    if (!stream.Open() || !Encode(&stream, imageType))
        return false;
    size = stream.Size();
    buffer = stream.GetBuffer(true);
    return true;
}

bool CRasterImage::LoadFromFile(const wchar_t* path, uint32_t imageType)
{
    if (!path)
        return false;
    if (imageType >= 1 && imageType <= 5) {
        FILE* file = OpenImageFile(path, "rb");
        if (!file)
            return false;
        bool ok = DecodeFromFile(file, imageType);
        fclose(file);
        if (ok)
            return true;
    }
    char saved[sizeof(m_info.lastError)];
    std::memcpy(saved, m_info.lastError, sizeof(saved));
    FILE* file = OpenImageFile(path, "rb");
    if (!file)
        return false;
    bool ok = DecodeFromFile(file, 0);
    fclose(file);
    // The caller sees the message of the format it asked for, not the auto-detection's.
    if (!ok && imageType != 0)
        std::memcpy(m_info.lastError, saved, sizeof(saved));
    return ok;
}

bool CRasterImage::DecodeFromFile(FILE* file, uint32_t imageType)
{
    if (!file) {
        SetError("null file handler");
        return false;
    }
    CImageFileStream stream(file);
    return Decode(&stream, imageType);
}

bool CRasterImage::DecodeFromMemory(const void* data, uint32_t size, uint32_t imageType)
{
    // The stream only reads here; it never writes to, grows or frees the caller's memory.
    CImageMemoryStream stream(static_cast<uint8_t*>(const_cast<void*>(data)),
                              int32_t(size > INT32_MAX ? INT32_MAX : size));
    return Decode(&stream, imageType);
}
