#include "tools/ClipRunner/FrameDecoder.h"

FrameDecoder::FrameDecoder(AVStream* stream, int64_t startTimeUs, PacketQueue& packets)
    : Decoder(stream, startTimeUs, packets), m_frame(av_frame_alloc())
{}

FrameDecoder::~FrameDecoder()
{
    Join();
    av_frame_free(&m_frame);
}

// Sends the packet and takes every frame that it gives.
void FrameDecoder::Decode(const AVPacket* packet)
{
    bool sent = false;
    while (!sent) {
        // A decoder that has output waiting refuses input until it is taken.
        sent = avcodec_send_packet(m_codec, packet) != AVERROR(EAGAIN);
        while (avcodec_receive_frame(m_codec, m_frame) >= 0) {
            Take(m_frame);
            av_frame_unref(m_frame);
        }
    }
}
