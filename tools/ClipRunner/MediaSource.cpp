#include "tools/ClipRunner/MediaSource.h"
#include "common/Utf8.h"

namespace {

// Reading pauses while every played stream has this many packets waiting (about two seconds of
// usual media), or while any one has the hard limit (badly interleaved files).
const int kEnoughPackets = 60;
const int kMostPackets = 1000;

bool IsPicture(const AVStream* stream)
{
    return stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC);
}

bool IsKind(const AVStream* stream, AVMediaType kind)
{
    return kind == AVMEDIA_TYPE_VIDEO ? IsPicture(stream) : stream->codecpar->codec_type == kind;
}

// The wanted stream when it exists and is of the kind, else FFmpeg's best one of the kind, else
// the first of the kind. Cover art is no video to play.
int ChooseStream(AVFormatContext* format, AVMediaType kind, int wanted, int related)
{
    if (wanted >= 0 && wanted < static_cast<int>(format->nb_streams) && IsKind(format->streams[wanted], kind))
        return wanted;
    int best = av_find_best_stream(format, kind, -1, related, nullptr, 0);
    if (best >= 0 && IsKind(format->streams[best], kind))
        return best;
    for (unsigned i = 0; i < format->nb_streams; ++i)
        if (IsKind(format->streams[i], kind))
            return static_cast<int>(i);
    return -1;
}

}  // namespace

MediaSource::~MediaSource()
{
    Stop();
    m_lookBack.reset();
    avformat_close_input(&m_format);
}

int MediaSource::Interrupted(void* self)
{
    auto* source = static_cast<MediaSource*>(self);
    return source->m_stopping || (source->m_owner && !IsWindow(source->m_owner));
}

bool MediaSource::Open(const RunnerOptions& options, HWND owner, std::string& error)
{
    m_owner = owner;
    m_url = Utf8(options.input);
    m_format = avformat_alloc_context();
    m_format->interrupt_callback.callback = Interrupted;
    m_format->interrupt_callback.opaque = this;
    int result = avformat_open_input(&m_format, m_url.c_str(), nullptr, nullptr);
    if (result < 0) {
        error = "cannot open the media: " + FfmpegError(result);
        return false;
    }
    result = avformat_find_stream_info(m_format, nullptr);
    if (result < 0) {
        error = "cannot read the media: " + FfmpegError(result);
        return false;
    }
    PickStreams(options);
    if (m_video < 0 && m_audio < 0) {
        error = "the media has no stream to play";
        return false;
    }
    return true;
}

void MediaSource::PickStreams(const RunnerOptions& options)
{
    if (!options.noVideo)
        m_video = ChooseStream(m_format, AVMEDIA_TYPE_VIDEO, options.videoStream, -1);
    if (!options.noAudio)
        m_audio = ChooseStream(m_format, AVMEDIA_TYPE_AUDIO, options.audioStream, m_video);
    if (!options.noSubtitles)
        m_subtitle = ChooseStream(m_format, AVMEDIA_TYPE_SUBTITLE, options.subtitleStream,
                                  m_audio >= 0 ? m_audio : m_video);
    // Nothing but the played streams is read.
    for (unsigned i = 0; i < m_format->nb_streams; ++i) {
        int index = static_cast<int>(i);
        if (index != m_video && index != m_audio && index != m_subtitle)
            m_format->streams[i]->discard = AVDISCARD_ALL;
    }
}

void MediaSource::DropVideo()
{
    m_format->streams[m_video]->discard = AVDISCARD_ALL;
    m_video = -1;
}

void MediaSource::DropAudio()
{
    m_format->streams[m_audio]->discard = AVDISCARD_ALL;
    m_audio = -1;
}

void MediaSource::DropSubtitles()
{
    m_format->streams[m_subtitle]->discard = AVDISCARD_ALL;
    m_subtitle = -1;
}

int64_t MediaSource::DurationUs() const
{
    return m_format->duration != AV_NOPTS_VALUE && m_format->duration > 0 ? m_format->duration : 0;
}

int64_t MediaSource::StartTimeUs() const
{
    return m_format->start_time != AV_NOPTS_VALUE ? m_format->start_time : 0;
}

void MediaSource::Start(int64_t startUs, bool seekToAny)
{
    m_seekToAny = seekToAny;
    Seek(1, startUs);
    m_thread = std::thread(&MediaSource::Read, this);
}

void MediaSource::Seek(int serial, int64_t targetUs)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_seekPending = true;
    m_seekSerial = serial;
    m_seekTargetUs = targetUs;
    m_wake.notify_all();
}

void MediaSource::Stop()
{
    m_stopping = true;
    m_videoPackets.Abort();
    m_audioPackets.Abort();
    m_subtitlePackets.Abort();
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_wake.notify_all();
    }
    if (m_thread.joinable())
        m_thread.join();
}

bool MediaSource::TakeSeek(int& serial, int64_t& targetUs)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (!m_seekPending)
        return false;
    m_seekPending = false;
    serial = m_seekSerial;
    targetUs = m_seekTargetUs;
    return true;
}

// A seek lands on the key frame at or before the target (any frame with -seek2any); the
// decoders drop what comes before the target.
void MediaSource::MoveTo(int serial, int64_t targetUs)
{
    bool moved = false;
    if (targetUs > 0 || serial > 1) {
        int64_t position = targetUs + StartTimeUs();
        moved = avformat_seek_file(m_format, -1, INT64_MIN, position, position, m_seekToAny ? AVSEEK_FLAG_ANY : 0) >= 0;
    }
    m_videoPackets.Flush(serial, targetUs);
    m_audioPackets.Flush(serial, targetUs);
    m_subtitlePackets.Flush(serial, targetUs);
    m_recalled.clear();
    m_skippingRecalled = false;
    if (moved && targetUs > 0)
        RecallSubtitles(targetUs);
}

// The subtitle that shows at the target may have begun before the landing key frame: a local
// file gives it by a look back; a network input keeps to what the reading meets.
void MediaSource::RecallSubtitles(int64_t targetUs)
{
    if (m_subtitle < 0 || (m_audio < 0 && m_video < 0) || !SubtitleLookBack::ReadsBackCheaply(m_url))
        return;
    if (!m_lookBack) {
        // Sound marks the time more cheaply than pictures do.
        SubtitleLookBack::Streams streams{m_subtitle, m_audio >= 0 ? m_audio : m_video};
        m_lookBack = std::make_unique<SubtitleLookBack>(m_url, m_format, streams, m_seekToAny,
                                                        [this] { return Interrupted(this) || SeekWaiting(); });
    }
    m_lookBack->Read(targetUs, StartTimeUs(), [this](AVPacket* packet) {
        m_recalled.insert(PacketTime(*packet));
        m_subtitlePackets.Put(packet);
    });
    m_skippingRecalled = !m_recalled.empty();
}

bool MediaSource::SeekWaiting()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_seekPending;
}

// A subtitle packet that the look back gave is passed over, with the packets without a time
// that follow it.
bool MediaSource::Recalled(const AVPacket& packet)
{
    if (m_recalled.empty())
        return false;
    int64_t time = PacketTime(packet);
    if (time != AV_NOPTS_VALUE)
        m_skippingRecalled = m_recalled.count(time) > 0;
    return m_skippingRecalled;
}

bool MediaSource::QueuesFull() const
{
    int video = m_video >= 0 ? m_videoPackets.Count() : kEnoughPackets;
    int audio = m_audio >= 0 ? m_audioPackets.Count() : kEnoughPackets;
    return (video >= kEnoughPackets && audio >= kEnoughPackets) || video >= kMostPackets || audio >= kMostPackets;
}

void MediaSource::Route(AVPacket* packet)
{
    if (packet->stream_index == m_video)
        m_videoPackets.Put(packet);
    else if (packet->stream_index == m_audio)
        m_audioPackets.Put(packet);
    else if (packet->stream_index == m_subtitle && !Recalled(*packet))
        m_subtitlePackets.Put(packet);
    av_packet_unref(packet);
}

void MediaSource::EndStreams()
{
    if (m_video >= 0)
        m_videoPackets.PutEnd();
    if (m_audio >= 0)
        m_audioPackets.PutEnd();
    if (m_subtitle >= 0)
        m_subtitlePackets.PutEnd();
}

// Reading thread: reads until the end of the input, then waits for a seek or the stop.
void MediaSource::Read()
{
    AVPacket* packet = av_packet_alloc();
    bool ended = false;
    while (!m_stopping) {
        int serial = 0;
        int64_t targetUs = 0;
        if (TakeSeek(serial, targetUs)) {
            MoveTo(serial, targetUs);
            ended = false;
            continue;
        }
        if (ended || QueuesFull()) {
            std::unique_lock<std::mutex> hold(m_lock);
            m_wake.wait_for(hold, std::chrono::milliseconds(10), [this] { return m_seekPending || m_stopping; });
            continue;
        }
        int result = av_read_frame(m_format, packet);
        if (result == AVERROR(EAGAIN)) {
            Sleep(10);
        } else if (result < 0) {
            // A read error ends the media as the end of the file does.
            EndStreams();
            ended = true;
        } else {
            Route(packet);
        }
    }
    av_packet_free(&packet);
}
