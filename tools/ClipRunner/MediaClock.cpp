#include "tools/ClipRunner/MediaClock.h"

#include <windows.h>

namespace {

int64_t Ticks()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

}  // namespace

MediaClock::MediaClock(double rate) : m_rate(rate)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    m_frequency = static_cast<double>(frequency.QuadPart);
}

double MediaClock::Elapsed(int64_t ticks) const
{
    return m_running ? (ticks - m_baseTicks) / m_frequency * m_rate : 0;
}

double MediaClock::Now() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_base + Elapsed(Ticks());
}

bool MediaClock::Running() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_running;
}

void MediaClock::Set(double seconds)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_base = seconds;
    m_baseTicks = Ticks();
}

void MediaClock::SetRunning(bool running)
{
    std::lock_guard<std::mutex> hold(m_lock);
    int64_t now = Ticks();
    m_base += Elapsed(now);
    m_baseTicks = now;
    m_running = running;
}
