// Encoding into and decoding from memory by format id, for the codec tests.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <vector>
#include "image/RasterImage.h"

inline bool DecodeBytes(CRasterImage& image, const std::vector<uint8_t>& bytes, uint32_t type)
{
    return image.DecodeFromMemory(bytes.data(), uint32_t(bytes.size()), type);
}

// The encoded file, empty when the encoder fails.
inline std::vector<uint8_t> EncodeBytes(CRasterImage& image, uint32_t type)
{
    uint8_t* buffer = nullptr;
    int32_t size = 0;
    if (!image.EncodeToMemory(buffer, size, type))
        return {};
    std::vector<uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}
