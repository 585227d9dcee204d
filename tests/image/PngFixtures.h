// PNG files for the tests, written by libpng into memory.
#pragma once
#include <csetjmp>
#include <cstdint>
#include <functional>
#include <vector>
#include <png.h>

struct PngSpec {
    int width = 8;
    int height = 6;
    int colorType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<png_color> palette;
    std::vector<png_byte> transAlpha;       // palette tRNS entries
    bool transColor = false;                // one tRNS colour or grey value
    png_color_16 trans {};
    bool physMetre = false;
    png_uint_32 physX = 0;
    png_uint_32 physY = 0;
};

// Sample c of pixel (x, y) from the top-left, at the file's bit depth.
using PngSample = std::function<uint16_t(int x, int y, int c)>;

inline int PngChannels(int colorType)
{
    switch (colorType) {
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1;
    }
}

inline void PngAppend(png_structp png, png_bytep data, size_t n)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}

inline void PngNoFlush(png_structp) {}

inline std::vector<uint8_t> MakePng(const PngSpec& spec, const PngSample& sample)
{
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, PngAppend, PngNoFlush);
    png_set_IHDR(png, info, png_uint_32(spec.width), png_uint_32(spec.height), spec.bitDepth, spec.colorType,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!spec.palette.empty())
        png_set_PLTE(png, info, spec.palette.data(), int(spec.palette.size()));
    if (!spec.transAlpha.empty())
        png_set_tRNS(png, info, spec.transAlpha.data(), int(spec.transAlpha.size()), nullptr);
    if (spec.transColor) {
        png_color_16 t = spec.trans;
        png_set_tRNS(png, info, nullptr, 1, &t);
    }
    if (spec.physMetre)
        png_set_pHYs(png, info, spec.physX, spec.physY, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    int channels = PngChannels(spec.colorType);
    size_t rowBytes = (size_t(spec.width) * size_t(channels) * size_t(spec.bitDepth) + 7) / 8;
    std::vector<std::vector<png_byte>> rows(size_t(spec.height), std::vector<png_byte>(rowBytes, 0));
    for (int y = 0; y < spec.height; y++) {
        png_byte* row = rows[size_t(y)].data();
        for (int x = 0; x < spec.width; x++) {
            for (int c = 0; c < channels; c++) {
                uint16_t v = sample(x, y, c);
                size_t bit = (size_t(x) * size_t(channels) + size_t(c)) * size_t(spec.bitDepth);
                if (spec.bitDepth == 16) {
                    row[bit / 8] = png_byte(v >> 8);
                    row[bit / 8 + 1] = png_byte(v);
                } else if (spec.bitDepth == 8) {
                    row[bit / 8] = png_byte(v);
                } else {
                    row[bit / 8] |= png_byte(v << (8 - spec.bitDepth - bit % 8));
                }
            }
        }
    }
    std::vector<png_bytep> pointers;
    for (auto& r : rows)
        pointers.push_back(r.data());
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// What libpng itself reads from a file: the header fields and the top-down 8-bit RGBA pixels.
struct PngDecoded {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int colorType = -1;
    int bitDepth = 0;
    int interlace = 0;
    int numTrans = 0;
    std::vector<uint8_t> rgba;
};

struct PngReadCursor {
    const std::vector<uint8_t>* bytes;
    size_t pos;
};

inline void PngTake(png_structp png, png_bytep data, size_t n)
{
    auto* c = static_cast<PngReadCursor*>(png_get_io_ptr(png));
    if (c->pos + n > c->bytes->size())
        png_error(png, "short");
    std::copy(c->bytes->begin() + long(c->pos), c->bytes->begin() + long(c->pos + n), data);
    c->pos += n;
}

inline PngDecoded ReadPng(const std::vector<uint8_t>& bytes)
{
    PngDecoded d;
    PngReadCursor cursor {&bytes, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return PngDecoded {};
    }
    png_set_read_fn(png, &cursor, PngTake);
    png_read_info(png, info);
    d.width = png_get_image_width(png, info);
    d.height = png_get_image_height(png, info);
    d.colorType = png_get_color_type(png, info);
    d.bitDepth = png_get_bit_depth(png, info);
    d.interlace = png_get_interlace_type(png, info);
    png_bytep alpha = nullptr;
    png_color_16p color = nullptr;
    png_get_tRNS(png, info, &alpha, &d.numTrans, &color);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    d.rgba.resize(size_t(d.width) * d.height * 4);
    std::vector<png_bytep> rows;
    for (png_uint_32 y = 0; y < d.height; y++)
        rows.push_back(d.rgba.data() + size_t(y) * d.width * 4);
    png_read_image(png, rows.data());
    png_destroy_read_struct(&png, &info, nullptr);
    return d;
}
