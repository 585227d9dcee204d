// JPEG through libjpeg. libjpeg reports errors by calling error_exit, which jumps back to the
// codec with longjmp: everything alive across that jump (the libjpeg object, the error manager,
// the stream adapter and its buffer) is one plain struct owned by the calling frame, and the
// functions that libjpeg can jump out of hold no object with a destructor.
#include "image/RasterImageJPG.h"
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "image/ImageStream.h"
// jpeglib.h first: the error codes jerror.h numbers depend on the library version it sets.
#include <jpeglib.h>
#include <jerror.h>

namespace {

const size_t kBufferSize = 4096;
// A hostile progressive file can hold thousands of tiny scans, each a full pass over the image.
const int kMaxScans = 1000;

struct JpegErrorManager {
    jpeg_error_mgr pub;
    jmp_buf jump;
    char* text;                 // the image's 256-char error text
};

// Both the destination and the source manager over one CImageStream.
struct JpegStreamAdapter {
    jpeg_destination_mgr dest;
    jpeg_source_mgr src;
    CImageStream* stream;
    bool startOfFile;
    JOCTET buffer[kBufferSize];
};

struct JpegDecodeJob {
    jpeg_decompress_struct cinfo;
    JpegErrorManager err;
    jpeg_progress_mgr progress;
    JpegStreamAdapter adapter;
};

struct JpegEncodeJob {
    jpeg_compress_struct cinfo;
    JpegErrorManager err;
    JpegStreamAdapter adapter;
};

void StoreText(char* dst, const char* text)
{
    std::strncpy(dst, text, 255);
    dst[255] = 0;
}

void ErrorExit(j_common_ptr cinfo)
{
    JpegErrorManager* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    char message[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, message);
    StoreText(err->text, message);
    longjmp(err->jump, 1);
}

// Warnings (a truncated file, corrupt data) are not errors, and nothing is printed.
void OutputMessage(j_common_ptr)
{
}

void InitErrorManager(JpegErrorManager& err, char* text)
{
    jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.output_message = OutputMessage;
    err.text = text;
}

// A job lives on the heap, so that nothing libjpeg changes is a local of the frame it jumps back
// to. Null, with the error text set, when memory is short.
template <class Job>
Job* NewJob(char* errorText)
{
    Job* job = static_cast<Job*>(std::calloc(1, sizeof(Job)));
    if (!job) {
        StoreText(errorText, "CRasterImage::Create can't allocate memory");
        return nullptr;
    }
    InitErrorManager(job->err, errorText);
    job->cinfo.err = &job->err.pub;
    return job;
}

template <class Job>
void FreeJob(Job* job)
{
    jpeg_destroy(reinterpret_cast<j_common_ptr>(&job->cinfo));
    std::free(job);
}

void LimitScans(j_common_ptr cinfo)
{
    j_decompress_ptr d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->is_decompressor && d->input_scan_number > kMaxScans) {
        JpegErrorManager* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
        StoreText(err->text, "Too many scans in progressive JPEG file");
        longjmp(err->jump, 1);
    }
}

JpegStreamAdapter* AdapterOf(j_common_ptr cinfo)
{
    return static_cast<JpegStreamAdapter*>(cinfo->client_data);
}

// ---- destination ----

void InitDestination(j_compress_ptr cinfo)
{
    JpegStreamAdapter* a = AdapterOf(reinterpret_cast<j_common_ptr>(cinfo));
    a->dest.next_output_byte = a->buffer;
    a->dest.free_in_buffer = kBufferSize;
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo)
{
    JpegStreamAdapter* a = AdapterOf(reinterpret_cast<j_common_ptr>(cinfo));
    if (a->stream->Write(a->buffer, 1, kBufferSize) != kBufferSize)
        ERREXIT(cinfo, JERR_FILE_WRITE);
    a->dest.next_output_byte = a->buffer;
    a->dest.free_in_buffer = kBufferSize;
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo)
{
    JpegStreamAdapter* a = AdapterOf(reinterpret_cast<j_common_ptr>(cinfo));
    size_t count = kBufferSize - a->dest.free_in_buffer;
    if (count > 0 && a->stream->Write(a->buffer, 1, count) != count)
        ERREXIT(cinfo, JERR_FILE_WRITE);
    a->stream->Flush();
    if (a->stream->Error())
        ERREXIT(cinfo, JERR_FILE_WRITE);
}

// ---- source ----

void InitSource(j_decompress_ptr cinfo)
{
    AdapterOf(reinterpret_cast<j_common_ptr>(cinfo))->startOfFile = true;
}

boolean FillInputBuffer(j_decompress_ptr cinfo)
{
    JpegStreamAdapter* a = AdapterOf(reinterpret_cast<j_common_ptr>(cinfo));
    size_t n = a->stream->Read(a->buffer, 1, kBufferSize);
    if (n == 0) {
        if (a->startOfFile)
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        // A truncated file ends with an inserted end-of-image marker: what is there decodes.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        a->buffer[0] = 0xFF;
        a->buffer[1] = JPEG_EOI;
        n = 2;
    }
    a->src.next_input_byte = a->buffer;
    a->src.bytes_in_buffer = n;
    a->startOfFile = false;
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count)
{
    JpegStreamAdapter* a = AdapterOf(reinterpret_cast<j_common_ptr>(cinfo));
    if (count <= 0)
        return;
    while (size_t(count) > a->src.bytes_in_buffer) {
        count -= long(a->src.bytes_in_buffer);
        FillInputBuffer(cinfo);
    }
    a->src.next_input_byte += count;
    a->src.bytes_in_buffer -= size_t(count);
}

void TermSource(j_decompress_ptr)
{
}

void AttachSource(j_decompress_ptr cinfo, JpegStreamAdapter& a, CImageStream* stream)
{
    a.stream = stream;
    a.src.init_source = InitSource;
    a.src.fill_input_buffer = FillInputBuffer;
    a.src.skip_input_data = SkipInputData;
    a.src.resync_to_restart = jpeg_resync_to_restart;
    a.src.term_source = TermSource;
    cinfo->client_data = &a;
    cinfo->src = &a.src;
}

void AttachDestination(j_compress_ptr cinfo, JpegStreamAdapter& a, CImageStream* stream)
{
    a.stream = stream;
    a.dest.init_destination = InitDestination;
    a.dest.empty_output_buffer = EmptyOutputBuffer;
    a.dest.term_destination = TermDestination;
    cinfo->client_data = &a;
    cinfo->dest = &a.dest;
}

// Adobe CMYK is stored inverted: blue = Y x K / 255 and so on.
void ConvertCmykRow(const JSAMPLE* src, uint8_t* dst, uint32_t width)
{
    for (uint32_t x = 0; x < width; x++, src += 4, dst += 3) {
        uint32_t k = src[3];
        dst[0] = uint8_t(src[2] * k / 255);
        dst[1] = uint8_t(src[1] * k / 255);
        dst[2] = uint8_t(src[0] * k / 255);
    }
}

} // namespace

void CRasterImageJPG::ApplyDecodeOptions(jpeg_decompress_struct* cinfo)
{
    uint32_t options = GetCodecOption(RASTER_FORMAT_JPG);
    if (options & 0x80)
        cinfo->out_color_space = JCS_GRAYSCALE;
    if (options & 0x100) {
        cinfo->quantize_colors = TRUE;
        cinfo->desired_number_of_colors = GetJpegQuality() & 255;
    }
    if ((options & 0x200) && m_dither >= JDITHER_NONE && m_dither <= JDITHER_FS)
        cinfo->dither_mode = J_DITHER_MODE(m_dither);
    if (options & 0x400)
        cinfo->two_pass_quantize = FALSE;
    if (options & 0x800)
        cinfo->do_fancy_upsampling = FALSE;
    cinfo->scale_num = 1;
    cinfo->scale_denom = GetJpegScale() ? GetJpegScale() : 1;
    // libjpeg writes blue, green, red itself: the rows go straight into the image.
    if (cinfo->out_color_space == JCS_RGB && !cinfo->quantize_colors)
        cinfo->out_color_space = JCS_EXT_BGR;
}

void CRasterImageJPG::ApplyDensity(const jpeg_decompress_struct* cinfo)
{
    if (cinfo->density_unit == 0 && cinfo->X_density && cinfo->Y_density) {
        SetYDPI(int32_t(int64_t(GetXDPI()) * cinfo->Y_density / cinfo->X_density));
    } else if (cinfo->density_unit == 2) {
        SetXDPI(int32_t(std::floor(cinfo->X_density * 2.54 + 0.5)));
        SetYDPI(int32_t(std::floor(cinfo->Y_density * 2.54 + 0.5)));
    } else {
        SetXDPI(cinfo->X_density);
        SetYDPI(cinfo->Y_density);
    }
}

void CRasterImageJPG::ApplyOutputPalette(const jpeg_decompress_struct* cinfo)
{
    if (cinfo->quantize_colors) {
        // The palette block always holds 256 entries: the colours libjpeg chose come first and
        // the count goes to the colours important.
        int n = cinfo->actual_number_of_colors;
        const uint8_t* g = cinfo->out_color_components > 1 ? cinfo->colormap[1] : nullptr;
        const uint8_t* b = cinfo->out_color_components > 2 ? cinfo->colormap[2] : nullptr;
        SetPalette(uint32_t(n), cinfo->colormap[0], g, b);
        SetClrImportant(uint32_t(n));
    } else if (cinfo->out_color_space == JCS_GRAYSCALE) {
        SetGrayPalette();
    }
}

// Rows arrive top-down and go into the bottom-up rows. False when escape cancels.
bool CRasterImageJPG::ReadRows(jpeg_decompress_struct* cinfo)
{
    uint32_t width = cinfo->output_width;
    int components = cinfo->output_components;
    bool direct = (components == 1 && GetBpp() == 8) || cinfo->out_color_space == JCS_EXT_BGR;
    JSAMPARRAY buffer = nullptr;
    if (!direct)
        buffer = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                             width * JDIMENSION(components), 1);
    uint32_t rowBytes = width * uint32_t(components);
    if (rowBytes > GetEffWidth())
        rowBytes = GetEffWidth();
    while (cinfo->output_scanline < cinfo->output_height) {
        if (GetEscape())
            return false;
        uint8_t* dst = GetRowPointer(int32_t(cinfo->output_height - 1 - cinfo->output_scanline));
        JSAMPROW row = direct ? dst : buffer[0];
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1)
            return false;
        if (direct)
            continue;
        if (components == 4)
            ConvertCmykRow(buffer[0], dst, width * 3 <= GetEffWidth() ? width : GetEffWidth() / 3);
        else
            std::memcpy(dst, buffer[0], rowBytes);
    }
    return true;
}

bool CRasterImageJPG::Decode(CImageStream* stream)
{
    if (!stream) {
        SetError("null file handler");
        return false;
    }
    JpegDecodeJob* const job = NewJob<JpegDecodeJob>(Info().lastError);
    if (!job)
        return false;
    if (setjmp(job->err.jump)) {
        FreeJob(job);
        return false;
    }
    jpeg_create_decompress(&job->cinfo);
    job->progress.progress_monitor = LimitScans;
    job->cinfo.progress = &job->progress;
    AttachSource(&job->cinfo, job->adapter, stream);
    jpeg_read_header(&job->cinfo, TRUE);
    bool ok = DecodeImage(&job->cinfo);
    FreeJob(job);
    return ok;
}

bool CRasterImageJPG::DecodeImage(jpeg_decompress_struct* cinfo)
{
    ApplyDecodeOptions(cinfo);
    jpeg_calc_output_dimensions(cinfo);
    if (GetEscape() == -1) {
        SetDimensionsOnly(cinfo->output_width, cinfo->output_height, RASTER_FORMAT_JPG);
        return true;
    }
    // The image is made before libjpeg allocates its own buffers, so an oversized file fails
    // at the size limit rather than deep inside the library.
    if (!Create(cinfo->output_width, cinfo->output_height, uint32_t(cinfo->output_components) * 8, RASTER_FORMAT_JPG))
        return false;
    ApplyDensity(cinfo);
    jpeg_start_decompress(cinfo);
    ApplyOutputPalette(cinfo);
    if (!ReadRows(cinfo))
        return false;
    jpeg_finish_decompress(cinfo);
    return true;
}

void CRasterImageJPG::ApplyEncodeOptions(jpeg_compress_struct* cinfo)
{
    uint32_t options = GetCodecOption(RASTER_FORMAT_JPG);
    if (options & 0x2)
        cinfo->arith_code = TRUE;
    if (options & 0x8)
        cinfo->optimize_coding = TRUE;
    if (options & 0x4)
        jpeg_set_colorspace(cinfo, JCS_GRAYSCALE);
    if (options & 0x40)
        cinfo->smoothing_factor = m_smoothing < 0 ? 0 : m_smoothing > 100 ? 100 : m_smoothing;
    jpeg_set_quality(cinfo, GetJpegQuality() & 255, (options & 0x1) ? TRUE : FALSE);
    if (options & 0x10)
        jpeg_simple_progression(cinfo);
    if (cinfo->num_components == 3) {
        cinfo->comp_info[0].h_samp_factor = (options & 0x2000) ? 1 : 2;
        cinfo->comp_info[0].v_samp_factor = (options & 0x3000) ? 1 : 2;
        for (int i = 1; i < 3; i++)
            cinfo->comp_info[i].h_samp_factor = cinfo->comp_info[i].v_samp_factor = 1;
    }
    cinfo->density_unit = 1;
    cinfo->X_density = UINT16(GetXDPI() > 65535 ? 65535 : GetXDPI());
    cinfo->Y_density = UINT16(GetYDPI() > 65535 ? 65535 : GetYDPI());
}

bool CRasterImageJPG::Encode(CImageStream* stream)
{
    if (CheckEncodeArgs(stream))
        return false;
    bool gray = IsIndexed();
    // A grey image is written as 1-byte samples, so only an 8-bit grey palette qualifies.
    if (gray && !(GetBpp() == 8 && IsGrayScale())) {
        SetError("JPEG can save only RGB or GreyScale images");
        return false;
    }
    JpegEncodeJob* const job = NewJob<JpegEncodeJob>(Info().lastError);
    if (!job)
        return false;
    if (setjmp(job->err.jump)) {
        FreeJob(job);
        return false;
    }
    jpeg_create_compress(&job->cinfo);
    AttachDestination(&job->cinfo, job->adapter, stream);
    EncodeImage(&job->cinfo, gray);
    FreeJob(job);
    return true;
}

// Rows go to libjpeg straight from the image, top row first, blue-green-red as stored.
void CRasterImageJPG::EncodeImage(jpeg_compress_struct* cinfo, bool gray)
{
    cinfo->image_width = GetWidth();
    cinfo->image_height = GetHeight();
    cinfo->input_components = gray ? 1 : 3;
    cinfo->in_color_space = gray ? JCS_GRAYSCALE : JCS_EXT_BGR;
    jpeg_set_defaults(cinfo);
    ApplyEncodeOptions(cinfo);
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        JSAMPROW row = GetRowPointer(int32_t(cinfo->image_height - 1 - cinfo->next_scanline));
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
}
