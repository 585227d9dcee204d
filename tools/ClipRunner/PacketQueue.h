// Packets from the reading thread to one decoding thread. A seek flushes the queue and starts a
// new serial with the media time its packets begin at; a decoder that sees a new serial starts
// over. The reading thread puts, the decoding thread gets; Abort wakes both for good.
#pragma once

#include "tools/ClipRunner/Ffmpeg.h"

#include <condition_variable>
#include <deque>
#include <mutex>

class PacketQueue {
public:
    enum class Got { Packet, End, Aborted };

    PacketQueue() = default;
    PacketQueue(const PacketQueue&) = delete;
    PacketQueue& operator=(const PacketQueue&) = delete;
    ~PacketQueue();

    void Put(AVPacket* packet);  // takes over the packet's data; the packet is left blank
    void PutEnd();               // the stream has no more packets in this serial
    void Flush(int serial, int64_t startUs);
    void Abort();

    // Blocks until a packet or the end marker is there; serial and startUs describe it.
    Got Get(AVPacket* packet, int& serial, int64_t& startUs);
    int Count() const;

private:
    struct Entry {
        AVPacket* packet;  // null: end of stream
        int serial;
        int64_t startUs;
    };
    void Clear();

    mutable std::mutex m_lock;
    std::condition_variable m_ready;
    std::deque<Entry> m_entries;
    int m_serial = 0;
    int64_t m_startUs = 0;
    bool m_aborted = false;
};
