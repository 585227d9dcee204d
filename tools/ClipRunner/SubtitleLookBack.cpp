#include "tools/ClipRunner/SubtitleLookBack.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <utility>

namespace {

// How far back from the target the reading starts: a subtitle that began earlier still is
// missed when it lies before the key frame the seek lands on.
const int64_t kLookBackUs = 30000000;
// Muxers lay subtitles among the other packets by time: past a marker packet this far after the
// target, none comes that began before it.
const int64_t kMarkerPastUs = 5000000;
// A slow disk gives up the look back rather than hold the start of the playback.
const DWORD kMostMs = 1500;

}  // namespace

int64_t PacketTime(const AVPacket& packet)
{
    return packet.pts != AV_NOPTS_VALUE ? packet.pts : packet.dts;
}

SubtitleLookBack::SubtitleLookBack(std::string url, AVFormatContext* main, Streams streams, bool seekToAny,
                                   std::function<bool()> interrupted)
    : m_url(std::move(url)),
      m_main(main),
      m_streams(streams),
      m_seekToAny(seekToAny),
      m_interrupted(std::move(interrupted))
{}

SubtitleLookBack::~SubtitleLookBack()
{
    avformat_close_input(&m_format);
}

bool SubtitleLookBack::ReadsBackCheaply(const std::string& url)
{
    const char* protocol = avio_find_protocol_name(url.c_str());
    return protocol && strcmp(protocol, "file") == 0;
}

int SubtitleLookBack::Interrupted(void* self)
{
    auto* lookBack = static_cast<SubtitleLookBack*>(self);
    return lookBack->m_interrupted() || static_cast<LONG>(GetTickCount() - lookBack->m_deadline) > 0;
}

// Opened at the first seek and kept for the later ones. The streams must be numbered as in the
// main context: where the header alone does not give them all, they are probed as there.
bool SubtitleLookBack::Prepare()
{
    if (m_format || m_unusable)
        return m_format != nullptr;
    m_format = avformat_alloc_context();
    m_format->interrupt_callback.callback = Interrupted;
    m_format->interrupt_callback.opaque = this;
    bool ready = avformat_open_input(&m_format, m_url.c_str(), m_main->iformat, nullptr) >= 0 &&
                 (Matches() || (avformat_find_stream_info(m_format, nullptr) >= 0 && Matches()));
    if (!ready) {
        avformat_close_input(&m_format);
        // Given up for a stop or a new seek, it is tried again at the next one.
        m_unusable = !m_interrupted();
    }
    return ready;
}

bool SubtitleLookBack::Matches() const
{
    if (m_format->nb_streams != m_main->nb_streams)
        return false;
    for (int index : {m_streams.subtitle, m_streams.marker}) {
        const AVCodecParameters* own = m_format->streams[index]->codecpar;
        const AVCodecParameters* main = m_main->streams[index]->codecpar;
        if (own->codec_type != main->codec_type || own->codec_id != main->codec_id)
            return false;
    }
    return true;
}

// Seeks as the main context does, with its streams, so that the reading here starts at or
// before the key frame where the main reading lands.
bool SubtitleLookBack::SeekBefore(int64_t positionUs)
{
    SetDiscards(false);
    bool moved = avformat_seek_file(m_format, -1, INT64_MIN, positionUs, positionUs,
                                    m_seekToAny ? AVSEEK_FLAG_ANY : 0) >= 0;
    SetDiscards(true);
    return moved;
}

void SubtitleLookBack::SetDiscards(bool forReading)
{
    for (unsigned i = 0; i < m_format->nb_streams; ++i) {
        int index = static_cast<int>(i);
        bool kept = index == m_streams.subtitle || index == m_streams.marker;
        m_format->streams[i]->discard = !forReading ? m_main->streams[i]->discard
                                        : kept      ? AVDISCARD_DEFAULT
                                                    : AVDISCARD_ALL;
    }
}

int64_t SubtitleLookBack::MediaUs(int64_t time, int index, int64_t startTimeUs) const
{
    return av_rescale_q(time, m_format->streams[index]->time_base, AVRational{1, AV_TIME_BASE}) - startTimeUs;
}

// Packets without a time belong to the timed one before them, and go where it goes.
void SubtitleLookBack::Read(int64_t targetUs, int64_t startTimeUs, const std::function<void(AVPacket*)>& put)
{
    m_deadline = GetTickCount() + kMostMs;
    if (!Prepare() || !SeekBefore(std::max<int64_t>(targetUs - kLookBackUs, 0) + startTimeUs))
        return;
    AVPacket* packet = av_packet_alloc();
    bool giving = false;
    while (av_read_frame(m_format, packet) >= 0) {
        int index = packet->stream_index;
        int64_t time = PacketTime(*packet);
        int64_t us = time != AV_NOPTS_VALUE ? MediaUs(time, index, startTimeUs) : INT64_MIN;
        if (index == m_streams.subtitle && time != AV_NOPTS_VALUE) {
            if (us >= targetUs)
                break;
            giving = true;
        }
        if (index == m_streams.marker && us >= targetUs + kMarkerPastUs)
            break;
        if (index == m_streams.subtitle && giving) {
            av_packet_rescale_ts(packet, m_format->streams[index]->time_base, m_main->streams[index]->time_base);
            put(packet);
        }
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
}
