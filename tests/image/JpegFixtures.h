// JPEG files for the tests, written by libjpeg into memory. (No windows.h here: jpeglib.h.)
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>
#include <jpeglib.h>

struct JpegSpec {
    int width = 32;
    int height = 16;
    int components = 3;             // 1 grey, 3 RGB, 4 CMYK
    bool progressive = false;
    int densityUnit = 1;
    int xDensity = 96;
    int yDensity = 96;
    int quality = 95;
};

// Sample c of pixel (x, y) counted from the top-left, in the file's own component order.
using JpegSample = std::function<uint8_t(int x, int y, int c)>;

inline std::vector<uint8_t> MakeJpeg(const JpegSpec& spec, const JpegSample& sample)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = JDIMENSION(spec.width);
    cinfo.image_height = JDIMENSION(spec.height);
    cinfo.input_components = spec.components;
    cinfo.in_color_space = spec.components == 1 ? JCS_GRAYSCALE : spec.components == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    if (spec.components == 4)
        jpeg_set_colorspace(&cinfo, JCS_CMYK);
    jpeg_set_quality(&cinfo, spec.quality, TRUE);
    if (spec.progressive)
        jpeg_simple_progression(&cinfo);
    cinfo.density_unit = UINT8(spec.densityUnit);
    cinfo.X_density = UINT16(spec.xDensity);
    cinfo.Y_density = UINT16(spec.yDensity);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(size_t(spec.width) * size_t(spec.components));
    while (cinfo.next_scanline < cinfo.image_height) {
        int y = int(cinfo.next_scanline);
        for (int x = 0; x < spec.width; x++) {
            for (int c = 0; c < spec.components; c++)
                row[size_t(x * spec.components + c)] = sample(x, y, c);
        }
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> bytes(out, out + size);
    std::free(out);
    return bytes;
}

// A smooth pattern that survives JPEG within a few levels.
inline uint8_t JpegGradient(int x, int y, int c)
{
    int v = x * 3 + y * 2 + c * 40;
    return uint8_t(v < 255 ? v : 255);
}

// What libjpeg itself reads from a file: width, height, components and top-down samples.
struct JpegDecoded {
    int width = 0;
    int height = 0;
    int components = 0;
    int densityUnit = 0;
    int xDensity = 0;
    int yDensity = 0;
    bool progressive = false;
    int hSampling = 0;
    int vSampling = 0;
    int quant0 = 0;             // first value of the first quantisation table
    std::vector<uint8_t> samples;
};

inline JpegDecoded ReadJpeg(const std::vector<uint8_t>& bytes)
{
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    JpegDecoded d;
    d.densityUnit = cinfo.density_unit;
    d.xDensity = cinfo.X_density;
    d.yDensity = cinfo.Y_density;
    d.progressive = cinfo.progressive_mode != 0;
    d.hSampling = cinfo.comp_info[0].h_samp_factor;
    d.vSampling = cinfo.comp_info[0].v_samp_factor;
    d.quant0 = cinfo.quant_tbl_ptrs[0] ? cinfo.quant_tbl_ptrs[0]->quantval[0] : 0;
    jpeg_start_decompress(&cinfo);
    d.width = int(cinfo.output_width);
    d.height = int(cinfo.output_height);
    d.components = cinfo.output_components;
    d.samples.resize(size_t(d.width) * size_t(d.height) * size_t(d.components));
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW p = d.samples.data() + size_t(cinfo.output_scanline) * size_t(d.width) * size_t(d.components);
        jpeg_read_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return d;
}
