// The presentation clock in seconds: 0 at the start of the playback or of the latest seek,
// running while playing, held while paused or while the pipelines fill after a seek. Read by
// every thread of the tool; written by the window thread.
#pragma once

#include <cstdint>
#include <mutex>

class MediaClock {
public:
    explicit MediaClock(double rate);  // rate above 1 only for tests

    double Now() const;
    bool Running() const;
    void Set(double seconds);
    void SetRunning(bool running);

private:
    double Elapsed(int64_t ticks) const;

    mutable std::mutex m_lock;
    double m_rate;
    double m_frequency;
    double m_base = 0;      // clock value at m_baseTicks
    int64_t m_baseTicks = 0;
    bool m_running = false;
};
