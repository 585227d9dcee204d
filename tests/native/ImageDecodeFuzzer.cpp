// libFuzzer target: arbitrary bytes through DecodeFromMemory. The first byte picks the variant:
// bits 0-2 the format id (0-5), bit 3 a dimensions-only decode, bit 4 all GIF frames.
// Whatever decodes is encoded again in its own format and decoded once more.
#include <cstdint>
#include <cstdlib>
#include "image/RasterImage.h"

namespace {

// Pictures past these sizes only make each run slow; their size limits have unit tests.
const uint64_t kMaxPixels = uint64_t(1) << 22;
const uint64_t kMaxEncodedPixels = uint64_t(1) << 18;

bool SmallEnough(const uint8_t* data, size_t size, uint32_t id)
{
    CRasterImage probe;
    probe.SetEscape(-1);
    if (!probe.DecodeFromMemory(data, uint32_t(size), id))
        return true;
    return uint64_t(probe.GetWidth()) * probe.GetHeight() <= kMaxPixels;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    uint8_t selector = data[0];
    data++;
    size--;
    uint32_t id = selector & 7;
    if (id > 5)
        id = 0;
    bool dimensionsOnly = (selector & 0x08) != 0;
    CRasterImage image;
    image.SetRetrieveAllFrames((selector & 0x10) != 0);
    if (dimensionsOnly) {
        image.SetEscape(-1);
        image.DecodeFromMemory(data, uint32_t(size), id);
        return 0;
    }
    if (!SmallEnough(data, size, id) || !image.DecodeFromMemory(data, uint32_t(size), id) || !image.IsValid())
        return 0;
    if (uint64_t(image.GetWidth()) * image.GetHeight() > kMaxEncodedPixels)
        return 0;
    uint32_t type = image.GetType() >= 1 && image.GetType() <= 5 ? image.GetType() : 4;
    uint8_t* encoded = nullptr;
    int32_t length = 0;
    if (image.EncodeToMemory(encoded, length, type)) {
        CRasterImage again;
        again.DecodeFromMemory(encoded, uint32_t(length), type);
        std::free(encoded);
    }
    return 0;
}
