#include "tools/ClipRunner/PacketQueue.h"

PacketQueue::~PacketQueue()
{
    Clear();
}

void PacketQueue::Clear()
{
    for (Entry& entry : m_entries)
        av_packet_free(&entry.packet);
    m_entries.clear();
}

void PacketQueue::Put(AVPacket* packet)
{
    AVPacket* copy = av_packet_alloc();
    av_packet_move_ref(copy, packet);
    std::lock_guard<std::mutex> hold(m_lock);
    m_entries.push_back({copy, m_serial, m_startUs});
    m_ready.notify_one();
}

void PacketQueue::PutEnd()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_entries.push_back({nullptr, m_serial, m_startUs});
    m_ready.notify_one();
}

void PacketQueue::Flush(int serial, int64_t startUs)
{
    std::lock_guard<std::mutex> hold(m_lock);
    Clear();
    m_serial = serial;
    m_startUs = startUs;
}

void PacketQueue::Abort()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_aborted = true;
    m_ready.notify_all();
}

PacketQueue::Got PacketQueue::Get(AVPacket* packet, int& serial, int64_t& startUs)
{
    std::unique_lock<std::mutex> hold(m_lock);
    m_ready.wait(hold, [this] { return m_aborted || !m_entries.empty(); });
    if (m_aborted)
        return Got::Aborted;
    Entry entry = m_entries.front();
    m_entries.pop_front();
    serial = entry.serial;
    startUs = entry.startUs;
    if (!entry.packet)
        return Got::End;
    av_packet_move_ref(packet, entry.packet);
    av_packet_free(&entry.packet);
    return Got::Packet;
}

int PacketQueue::Count() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return static_cast<int>(m_entries.size());
}
