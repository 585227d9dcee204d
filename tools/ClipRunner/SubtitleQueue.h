// Subtitles from the subtitle thread to the window thread, each with its time on the clock. As
// the picture queue, it holds only subtitles of the serial that the window thread wants; the
// window thread asks which are on screen now and so lets those that have ended go.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <limits>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// One decoded rectangle of a bitmap subtitle, in premultiplied BGRA rows, top row first.
struct SubtitleBitmap {
    int x = 0, y = 0, width = 0, height = 0;  // on the canvas
    std::vector<uint32_t> pixels;
};

// What one subtitle shows: text lines, or bitmaps placed on a canvas that stands for the picture.
struct Subtitle {
    std::wstring text;  // lines separated by '\n'
    std::vector<SubtitleBitmap> bitmaps;
    int canvasWidth = 0, canvasHeight = 0;
};

// The subtitles on screen at a clock time, and the clock time since when the queue's times have
// had them so: the start of the latest one shown or the end of the latest one gone, never before
// 0, the start of the playback.
struct SubtitlesOnScreen {
    std::vector<std::shared_ptr<const Subtitle>> shown;  // in the order they came
    double since = 0;
};

class SubtitleQueue {
public:
    static constexpr double kUntilNext = std::numeric_limits<double>::infinity();

    explicit SubtitleQueue(size_t capacity) : m_capacity(capacity) {}

    // Subtitle thread. Shows the subtitle from clock time `from` until `until`; one without an
    // end of its own (until kUntilNext) lasts until the next one comes. A subtitle with nothing
    // to show only ends those. Blocks while the queue is full; false when the serial is no
    // longer wanted or the queue was aborted.
    bool Push(std::shared_ptr<const Subtitle> subtitle, double from, double until, int serial);

    // Window thread.
    void Retarget(int serial);
    // The subtitles on screen at clock time now; those that have ended are let go.
    SubtitlesOnScreen OnScreen(double now);
    void Abort();

private:
    struct Entry {
        std::shared_ptr<const Subtitle> subtitle;
        double from, until;
    };
    void EndOpenEntries(double at);

    std::mutex m_lock;
    std::condition_variable m_changed;
    std::deque<Entry> m_entries;
    size_t m_capacity;
    int m_wanted = 0;
    bool m_aborted = false;
};
