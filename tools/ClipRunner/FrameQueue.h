// Pictures ready to show, from the video thread to the window thread. The window thread says
// which serial it wants (Retarget after a seek); the queue then holds only pictures of that
// serial, and a video thread blocked with a picture of a stale serial is released.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

// One picture in 32-bit BGRA rows, top row first, already scaled for the window.
struct Picture {
    std::vector<uint8_t> bits;
    int width = 0;
    int height = 0;
    double due = 0;       // clock time at which it is shown, seconds
    double duration = 0;  // seconds
    int serial = 0;
};

class FrameQueue {
public:
    explicit FrameQueue(size_t capacity) : m_capacity(capacity) {}

    // Video thread. Blocks while the queue is full; false (picture dropped) when the picture's
    // serial is no longer wanted or the queue was aborted.
    bool Push(std::unique_ptr<Picture> picture);
    void MarkEnded(int serial);

    // Window thread.
    void Retarget(int serial);
    Picture* Front();   // of the wanted serial, or null
    Picture* Second();
    std::unique_ptr<Picture> Pop();
    bool Ended() const;  // the wanted serial has ended and every picture was taken
    void Abort();

private:
    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    std::deque<std::unique_ptr<Picture>> m_pictures;
    size_t m_capacity;
    int m_wanted = 0;
    int m_ended = -1;
    bool m_aborted = false;
};
