#include "tools/ClipRunner/VideoDecoder.h"

#include <algorithm>
#include <cmath>

namespace {

// A frame this late behind the clock is not even scaled; but after this many in a row one is
// shown anyway, so that a machine too slow for the media still shows something.
const int kMostLateInRow = 4;
const double kDefaultFrameDuration = 0.04;

// Pixel aspects outside 1/16 to 16 are broken streams: such pixels count as square.
AVRational SaneAspect(AVRational aspect)
{
    if (aspect.num <= 0 || aspect.den <= 0)
        return AVRational{1, 1};
    double ratio = av_q2d(aspect);
    return ratio < 1.0 / 16 || ratio > 16 ? AVRational{1, 1} : aspect;
}

// The largest rectangle of the shape width:height inside the box, at least one pixel each way.
void Fit(int width, int height, int boxWidth, int boxHeight, int& fitWidth, int& fitHeight)
{
    if (static_cast<int64_t>(boxWidth) * height <= static_cast<int64_t>(boxHeight) * width) {
        fitWidth = boxWidth;
        fitHeight = static_cast<int>(static_cast<int64_t>(boxWidth) * height / width);
    } else {
        fitHeight = boxHeight;
        fitWidth = static_cast<int>(static_cast<int64_t>(boxHeight) * width / height);
    }
    fitWidth = std::max(fitWidth, 1);
    fitHeight = std::max(fitHeight, 1);
}

}  // namespace

std::string VideoDecoder::SourceArgs(int width, int height, int format, AVRational aspect) const
{
    aspect = SaneAspect(aspect);
    char args[256];
    snprintf(args, sizeof(args), "video_size=%dx%d:pix_fmt=%d:time_base=%d/%d:pixel_aspect=%d/%d", width, height,
             format, m_stream->time_base.num, m_stream->time_base.den, aspect.num, aspect.den);
    return args;
}

VideoDecoder::VideoDecoder(AVStream* stream, int64_t startTimeUs, PacketQueue& packets, FrameQueue& pictures,
                           const MediaClock& clock, const VideoSettings& settings)
    : FrameDecoder(stream, startTimeUs, packets), m_pictures(pictures), m_clock(clock), m_settings(settings)
{
}

VideoDecoder::~VideoDecoder()
{
    Join();
    sws_freeContext(m_scaler);
}

void VideoDecoder::DisplaySize(int& width, int& height) const
{
    width = m_displayWidth;
    height = m_displayHeight;
}

void VideoDecoder::SetWindowSize(int width, int height)
{
    m_windowWidth = width;
    m_windowHeight = height;
}

void VideoDecoder::PrepareDisplaySize()
{
    const AVCodecParameters* parameters = m_stream->codecpar;
    int format = parameters->format >= 0 ? parameters->format : AV_PIX_FMT_YUV420P;
    if (parameters->width > 0 && parameters->height > 0)
        BuildGraph(SourceArgs(parameters->width, parameters->height, format, parameters->sample_aspect_ratio));
}

// Builds the chain for frames of this format; a chain that does not build is left out, so that
// the media still plays.
bool VideoDecoder::BuildGraph(const std::string& args)
{
    std::string error;
    if (!m_graph.Build("buffer", args, m_settings.chain.empty() ? "null" : m_settings.chain, "buffersink", error) &&
        !m_graph.Build("buffer", args, "null", "buffersink", error))
        return false;
    int outWidth = av_buffersink_get_w(m_graph.Sink());
    int outHeight = av_buffersink_get_h(m_graph.Sink());
    AVRational outAspect = SaneAspect(av_buffersink_get_sample_aspect_ratio(m_graph.Sink()));
    m_displayWidth = std::max(1, static_cast<int>(std::lround(outWidth * av_q2d(outAspect))));
    m_displayHeight = outHeight;
    return true;
}

void VideoDecoder::Restart(int serial, int64_t startUs)
{
    m_graph.Clear();
    m_serial = serial;
    m_startUs = startUs;
    m_first = true;
    m_lateInRow = 0;
}

void VideoDecoder::Take(AVFrame* frame)
{
    int64_t timeUs = MediaTimeUs(frame);
    int64_t durationUs = frame->pkt_duration > 0
                             ? av_rescale_q(frame->pkt_duration, m_stream->time_base, AVRational{1, AV_TIME_BASE})
                             : 0;
    // A seek lands on an earlier key frame: what lies before the target is decoded, not shown.
    if (timeUs != INT64_MIN && timeUs + durationUs <= m_startUs)
        return;
    if (m_first && !m_graph.Built())
        m_firstSourceUs = timeUs != INT64_MIN ? timeUs : m_startUs;
    Filter(frame);
}

void VideoDecoder::Filter(AVFrame* frame)
{
    std::string args = SourceArgs(frame->width, frame->height, frame->format, frame->sample_aspect_ratio);
    if ((!m_graph.Built() || m_graph.SourceArgs() != args) && !BuildGraph(args))
        return;
    frame->pts = frame->best_effort_timestamp;
    if (m_graph.Push(frame) >= 0)
        EmitFiltered();
}

void VideoDecoder::EmitFiltered()
{
    m_graph.PullEach([this](AVFrame* filtered) { Emit(filtered); });
}

void VideoDecoder::Finish()
{
    if (m_graph.Built() && m_graph.Push(nullptr) >= 0)
        EmitFiltered();
    m_pictures.MarkEnded(m_serial);
}

bool VideoDecoder::Late(double due, double duration)
{
    if (!m_settings.frameDrop || !m_clock.Running() || due + duration >= m_clock.Now() ||
        m_lateInRow >= kMostLateInRow) {
        m_lateInRow = 0;
        return false;
    }
    ++m_lateInRow;
    ++m_dropped;
    return true;
}

// Gives the picture its due time: the first one after a start or seek is due when its media
// time comes (at the speed the chain plays), the others follow the chain's own timestamps.
void VideoDecoder::Emit(AVFrame* filtered)
{
    AVRational timeBase = av_buffersink_get_time_base(m_graph.Sink());
    AVRational rate = av_buffersink_get_frame_rate(m_graph.Sink());
    double duration = rate.num > 0 && rate.den > 0 ? av_q2d(av_inv_q(rate)) : kDefaultFrameDuration;
    double pts = filtered->pts != AV_NOPTS_VALUE ? filtered->pts * av_q2d(timeBase) : m_lastPts + duration;
    if (m_first) {
        m_first = false;
        m_anchorPts = pts;
        m_anchorDue = std::max(0.0, (m_firstSourceUs - m_startUs) / 1e6 / m_settings.speed);
    } else if (pts > m_lastPts) {
        duration = std::min(duration, pts - m_lastPts);
    }
    m_lastPts = pts;
    double due = m_anchorDue + (pts - m_anchorPts);
    if (Late(due, duration))
        return;
    std::unique_ptr<Picture> picture = Scale(filtered, due, duration);
    if (picture)
        m_pictures.Push(std::move(picture));
}

void VideoDecoder::TargetSize(int& width, int& height) const
{
    int displayWidth = std::max(1, m_displayWidth.load()), displayHeight = std::max(1, m_displayHeight.load());
    int boxWidth = m_windowWidth, boxHeight = m_windowHeight;
    // A window not sized yet gets the picture at its display size.
    if (boxWidth <= 0 || boxHeight <= 0) {
        boxWidth = displayWidth;
        boxHeight = displayHeight;
    }
    Fit(displayWidth, displayHeight, boxWidth, boxHeight, width, height);
}

std::unique_ptr<Picture> VideoDecoder::Scale(const AVFrame* frame, double due, double duration)
{
    int width = 0, height = 0;
    TargetSize(width, height);
    m_scaler = sws_getCachedContext(m_scaler, frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
                                    width, height, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!m_scaler)
        return nullptr;
    auto picture = std::make_unique<Picture>();
    picture->bits.resize(static_cast<size_t>(width) * height * 4);
    picture->width = width;
    picture->height = height;
    picture->due = due;
    picture->duration = duration;
    picture->serial = m_serial;
    uint8_t* planes[4] = {picture->bits.data(), nullptr, nullptr, nullptr};
    int strides[4] = {width * 4, 0, 0, 0};
    sws_scale(m_scaler, frame->data, frame->linesize, 0, frame->height, planes, strides);
    return picture;
}
