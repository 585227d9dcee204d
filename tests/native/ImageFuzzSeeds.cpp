// Writes the decode fuzzer's seed corpus: one small file of each format and kind the tests
// use, each behind its selector byte. Usage: ImageFuzzSeeds <folder>
#include <cstdio>
#include <string>
#include "tests/image/ByteFixtures.h"
#include "tests/image/FaultFixtures.h"
#include "tests/image/JpegFixtures.h"
#include "tests/image/PngFixtures.h"

namespace {

bool WriteSeed(const std::string& folder, const std::string& name, uint8_t selector, const Bytes& bytes)
{
    FILE* f = std::fopen((folder + "/" + name).c_str(), "wb");
    if (!f)
        return false;
    std::fputc(selector, f);
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

Bytes Bmp8()
{
    BmpInfo info;
    info.width = 3;
    info.height = 2;
    info.bits = 8;
    info.colors = 2;
    return MakeBmp(info, {0, 0, 0, 0, 255, 255, 255, 0}, {0, 1, 0, 0, 1, 0, 1, 0});
}

Bytes BmpRle8()
{
    BmpInfo info;
    info.width = 6;
    info.height = 2;
    info.bits = 8;
    info.compression = 1;
    info.colors = 2;
    return MakeBmp(info, {0, 0, 0, 0, 255, 255, 255, 0}, {3, 1, 0, 3, 1, 0, 0, 0, 0, 2, 1, 0, 2, 1, 0, 1});
}

Bytes Ico()
{
    Bytes entry = BmpInfoHeader(BmpInfo {40, 2, 4, 8, 0, 0, 0, 0, 2});
    Bytes tail = {0, 0, 0, 0, 0, 0, 255, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0x40, 0, 0, 0, 0x80, 0, 0, 0};
    entry.insert(entry.end(), tail.begin(), tail.end());
    return MakeIco({IcoEntry {2, 2, 8, entry}});
}

Bytes Gif()
{
    GifFrame a;
    a.width = 2;
    a.height = 2;
    a.indices = {0, 1, 2, 3};
    GifFrame b = a;
    b.disposal = 2;
    b.transIndex = 0;
    b.indices = {3, 0, 1, 2};
    return MakeGif(2, 2, GifPalette4(), {a, b});
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    std::string dir = argv[1];
    JpegLayout jpeg;
    JpegLayout progressive;
    progressive.progressive = true;
    PngLayout png;
    PngLayout palette;
    palette.colorType = PNG_COLOR_TYPE_PALETTE;
    palette.bitDepth = 2;
    palette.palette = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}};
    palette.transAlpha = {0, 128};
    palette.interlaced = true;
    auto rgb = [](int x, int y, int c) { return uint16_t((x * 30 + y * 20 + c * 50) & 0xFF); };
    bool ok = WriteSeed(dir, "jpeg", 3, MakeJpeg(jpeg, JpegGradient))
        && WriteSeed(dir, "jpeg-progressive", 0, MakeJpeg(progressive, JpegGradient))
        && WriteSeed(dir, "png", 4, MakePng(png, rgb))
        && WriteSeed(dir, "png-palette", 0, MakePng(palette, [](int x, int, int) { return uint16_t(x % 3); }))
        && WriteSeed(dir, "bmp", 1, Bmp8())
        && WriteSeed(dir, "bmp-rle8", 0, BmpRle8())
        && WriteSeed(dir, "ico", 5, Ico())
        && WriteSeed(dir, "gif", 2, Gif())
        && WriteSeed(dir, "gif-all-frames", 0x10, Gif())
        && WriteSeed(dir, "gif-dimensions", 0x0A, Gif())
        // Files that real-world images showed the decoders getting wrong.
        && WriteSeed(dir, "png-huge-text-chunk", 4, PngHugeAncillaryChunk("tEXt"))
        && WriteSeed(dir, "png-huge-unknown-chunk", 0, PngHugeAncillaryChunk("prVt"))
        && WriteSeed(dir, "ico-huge-header", 5, IcoHugeHeader())
        && WriteSeed(dir, "ico-huge-header-dimensions", 0x0D, IcoHugeHeader())
        && WriteSeed(dir, "ico-bitmap-larger-than-entry", 5, IcoBitmapLargerThanEntry(16, 16, 16, 32, 24))
        && WriteSeed(dir, "ico-wider-4-bit-bitmap", 0, IcoBitmapLargerThanEntry(5, 3, 13, 3, 4))
        && WriteSeed(dir, "bmp-v4-alpha-bitfields", 1, Bmp32AlphaBitfields(108))
        && WriteSeed(dir, "bmp-v5-alpha-bitfields", 0, Bmp32AlphaBitfields(124))
        && WriteSeed(dir, "bmp-masks-11-11-10", 1, Bmp32Masks111110())
        && WriteSeed(dir, "bmp-v4-colours-used", 0, Bmp8Version4TwoColours())
        && WriteSeed(dir, "png-grey16-key", 4, PngGrey16Key())
        && WriteSeed(dir, "png-rgb16-key", 0, PngRgb16Key())
        && WriteSeed(dir, "png-palette-half-alpha", 4, PngPaletteHalfAlpha());
    return ok ? 0 : 1;
}
