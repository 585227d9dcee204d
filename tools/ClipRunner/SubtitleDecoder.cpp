#include "tools/ClipRunner/SubtitleDecoder.h"

#include "tools/ClipRunner/SubtitleText.h"
#include "common/Utf8.h"

namespace {

const int kLargestSide = 4096;

// The rectangle's palette indexes through its palette, premultiplied for drawing.
SubtitleBitmap BitmapOf(const AVSubtitleRect& rect)
{
    SubtitleBitmap bitmap;
    bitmap.x = rect.x;
    bitmap.y = rect.y;
    bitmap.width = rect.w;
    bitmap.height = rect.h;
    bitmap.pixels.resize(static_cast<size_t>(rect.w) * rect.h);
    const uint32_t* palette = reinterpret_cast<const uint32_t*>(rect.data[1]);
    int colours = rect.nb_colors > 0 ? std::min(rect.nb_colors, 256) : 0;
    for (int y = 0; y < rect.h; ++y) {
        const uint8_t* row = rect.data[0] + static_cast<ptrdiff_t>(y) * rect.linesize[0];
        for (int x = 0; x < rect.w; ++x) {
            uint32_t argb = row[x] < colours ? palette[row[x]] : 0;
            uint32_t alpha = argb >> 24;
            uint32_t red = ((argb >> 16) & 0xFF) * alpha / 255, green = ((argb >> 8) & 0xFF) * alpha / 255;
            uint32_t blue = (argb & 0xFF) * alpha / 255;
            bitmap.pixels[static_cast<size_t>(y) * rect.w + x] = (alpha << 24) | (red << 16) | (green << 8) | blue;
        }
    }
    return bitmap;
}

// A bitmap larger than any picture is a broken stream's, and is not drawn.
bool UsableBitmap(const AVSubtitleRect& rect)
{
    return rect.type == SUBTITLE_BITMAP && rect.w > 0 && rect.h > 0 && rect.w <= kLargestSide &&
           rect.h <= kLargestSide && rect.data[0] && rect.data[1] && rect.linesize[0] >= rect.w;
}

}  // namespace

SubtitleDecoder::SubtitleDecoder(AVStream* stream, int64_t startTimeUs, PacketQueue& packets, SubtitleQueue& subtitles,
                                 const SubtitleSettings& settings)
    : Decoder(stream, startTimeUs, packets), m_subtitles(subtitles), m_settings(settings)
{}

SubtitleDecoder::~SubtitleDecoder()
{
    Join();
}

void SubtitleDecoder::Restart(int serial, int64_t startUs)
{
    m_serial = serial;
    m_startUs = startUs;
}

double SubtitleDecoder::ClockTime(int64_t mediaUs) const
{
    return (mediaUs - m_startUs) / 1e6 / m_settings.speed;
}

// A packet the decoder refuses is passed over: the picture plays on without it.
void SubtitleDecoder::Decode(const AVPacket* packet)
{
    if (!packet)
        return;
    AVSubtitle decoded = {};
    int got = 0;
    if (avcodec_decode_subtitle2(m_codec, &decoded, &got, const_cast<AVPacket*>(packet)) < 0 || !got)
        return;
    int64_t streamUs = decoded.pts;
    if (streamUs == AV_NOPTS_VALUE && packet->pts != AV_NOPTS_VALUE)
        streamUs = av_rescale_q(packet->pts, m_stream->time_base, AVRational{1, AV_TIME_BASE});
    if (streamUs != AV_NOPTS_VALUE)
        Queue(decoded, MediaTimeUs(streamUs));
    avsubtitle_free(&decoded);
}

// Shown from its start until its end; without an end (or with an end before its start) until
// the next subtitle.
void SubtitleDecoder::Queue(const AVSubtitle& decoded, int64_t mediaUs)
{
    double until = SubtitleQueue::kUntilNext;
    if (decoded.end_display_time != UINT32_MAX && decoded.end_display_time > decoded.start_display_time)
        until = ClockTime(mediaUs + decoded.end_display_time * int64_t{1000});
    m_subtitles.Push(Convert(decoded), ClockTime(mediaUs + decoded.start_display_time * int64_t{1000}), until,
                     m_serial);
}

std::shared_ptr<Subtitle> SubtitleDecoder::Convert(const AVSubtitle& decoded) const
{
    auto subtitle = std::make_shared<Subtitle>();
    subtitle->canvasWidth = m_codec->width > 0 ? m_codec->width : m_settings.canvasWidth;
    subtitle->canvasHeight = m_codec->height > 0 ? m_codec->height : m_settings.canvasHeight;
    for (unsigned i = 0; i < decoded.num_rects; ++i) {
        const AVSubtitleRect& rect = *decoded.rects[i];
        std::wstring text;
        if (rect.type == SUBTITLE_ASS && rect.ass)
            text = AssEventText(rect.ass);
        else if (rect.type == SUBTITLE_TEXT && rect.text)
            text = PlainSubtitleText(FromUtf8(rect.text));
        else if (UsableBitmap(rect))
            subtitle->bitmaps.push_back(BitmapOf(rect));
        if (!text.empty())
            subtitle->text += (subtitle->text.empty() ? L"" : L"\n") + text;
    }
    return subtitle;
}
