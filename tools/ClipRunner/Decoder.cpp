#include "tools/ClipRunner/Decoder.h"

Decoder::Decoder(AVStream* stream, int64_t startTimeUs, PacketQueue& packets)
    : m_stream(stream), m_startTimeUs(startTimeUs), m_packets(packets)
{
}

Decoder::~Decoder()
{
    Join();
    avcodec_free_context(&m_codec);
}

bool Decoder::Open(int threads, std::string& error)
{
    const AVCodec* codec = avcodec_find_decoder(m_stream->codecpar->codec_id);
    if (!codec) {
        error = std::string("no decoder for ") + avcodec_get_name(m_stream->codecpar->codec_id);
        return false;
    }
    m_codec = avcodec_alloc_context3(codec);
    int result = avcodec_parameters_to_context(m_codec, m_stream->codecpar);
    if (result >= 0) {
        m_codec->pkt_timebase = m_stream->time_base;
        m_codec->thread_count = threads > 0 ? threads : 0;
        result = avcodec_open2(m_codec, codec, nullptr);
    }
    if (result < 0) {
        error = std::string("cannot open the decoder ") + codec->name + ": " + FfmpegError(result);
        return false;
    }
    return true;
}

void Decoder::Start()
{
    m_thread = std::thread(&Decoder::Run, this);
}

void Decoder::Join()
{
    if (m_thread.joinable())
        m_thread.join();
}

int64_t Decoder::MediaTimeUs(const AVFrame* frame) const
{
    int64_t time = frame->best_effort_timestamp != AV_NOPTS_VALUE ? frame->best_effort_timestamp : frame->pts;
    if (time == AV_NOPTS_VALUE)
        return INT64_MIN;
    return av_rescale_q(time, m_stream->time_base, AVRational{1, AV_TIME_BASE}) - m_startTimeUs;
}

// Decoding thread, until the queue is aborted.
void Decoder::Run()
{
    AVPacket* packet = av_packet_alloc();
    int current = -1;
    for (;;) {
        int serial = 0;
        int64_t startUs = 0;
        PacketQueue::Got got = m_packets.Get(packet, serial, startUs);
        if (got == PacketQueue::Got::Aborted)
            break;
        if (serial != current) {
            avcodec_flush_buffers(m_codec);
            current = serial;
            Restart(serial, startUs);
        }
        Decode(got == PacketQueue::Got::End ? nullptr : packet);
        av_packet_unref(packet);
        if (got == PacketQueue::Got::End)
            Finish();
    }
    av_packet_free(&packet);
}
