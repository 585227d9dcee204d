// The work the image benchmark measures: a photo-like JPEG made here, decoded by libjpeg into a
// plain buffer (the baseline), decoded by the image library, and decoded plus fitted into a
// 160 x 90 thumbnail.
#pragma once
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>
#include <jpeglib.h>
#include "image/RasterImage.h"

// Gradients, a few soft shapes and sensor-like noise, as a camera frame has them.
inline std::vector<uint8_t> MakePhotoJpeg(int width, int height)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(size_t(width) * 3);
    uint32_t seed = 12345;
    while (cinfo.next_scanline < cinfo.image_height) {
        int y = int(cinfo.next_scanline);
        for (int x = 0; x < width; x++) {
            seed = seed * 1664525u + 1013904223u;
            int noise = int(seed >> 28) - 8;
            double fx = double(x) / width, fy = double(y) / height;
            double shape = 60.0 * std::sin(fx * 9.0 + std::cos(fy * 7.0)) * std::cos(fy * 5.0);
            int r = int(120 + 90 * fx + shape) + noise;
            int g = int(90 + 110 * fy - shape / 2) + noise;
            int b = int(160 - 80 * fx * fy + shape / 3) + noise;
            row[size_t(x) * 3] = JSAMPLE(r < 0 ? 0 : r > 255 ? 255 : r);
            row[size_t(x) * 3 + 1] = JSAMPLE(g < 0 ? 0 : g > 255 ? 255 : g);
            row[size_t(x) * 3 + 2] = JSAMPLE(b < 0 ? 0 : b > 255 ? 255 : b);
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

// The baseline: libjpeg alone, RGB rows into one plain buffer.
inline size_t BareLibraryDecode(const std::vector<uint8_t>& bytes, std::vector<uint8_t>& buffer)
{
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    size_t stride = size_t(cinfo.output_width) * size_t(cinfo.output_components);
    buffer.resize(stride * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW p = buffer.data() + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return buffer.size();
}

inline bool LibraryDecode(const std::vector<uint8_t>& bytes, CRasterImage& image)
{
    return image.DecodeFromMemory(bytes.data(), uint32_t(bytes.size()), RASTER_FORMAT_JPG);
}

inline bool LibraryDecodeAndFit(const std::vector<uint8_t>& bytes, CRasterImage& image)
{
    return LibraryDecode(bytes, image) && image.FitIntoCanvas(160, 90, RasterColor {});
}
