// A decoding thread for one stream: takes packets from its queue and hands each to the derived
// class to decode. A packet of a new serial (a seek) flushes the decoder first; the end marker
// drains it.
#pragma once

#include "tools/ClipRunner/Ffmpeg.h"
#include "tools/ClipRunner/PacketQueue.h"

#include <cstdint>
#include <string>
#include <thread>

class Decoder {
public:
    Decoder(AVStream* stream, int64_t startTimeUs, PacketQueue& packets);
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
    virtual ~Decoder();

    bool Open(int threads, std::string& error);
    void Start();
    // The packet queue must have been aborted first, so that the thread sees the end.
    void Join();

protected:
    // A new serial starts at media time startUs.
    virtual void Restart(int serial, int64_t startUs) = 0;
    // Decodes one packet; null drains the decoder.
    virtual void Decode(const AVPacket* packet) = 0;
    // Every frame of the serial has been taken.
    virtual void Finish() = 0;

    // The frame's media time in microseconds, or INT64_MIN without a time.
    int64_t MediaTimeUs(const AVFrame* frame) const;
    // Media time of a stream time in microseconds.
    int64_t MediaTimeUs(int64_t streamUs) const { return streamUs - m_startTimeUs; }

    AVStream* m_stream;
    AVCodecContext* m_codec = nullptr;

private:
    void Run();

    int64_t m_startTimeUs;
    PacketQueue& m_packets;
    std::thread m_thread;
};
