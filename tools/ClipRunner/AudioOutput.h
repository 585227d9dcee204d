// Where decoded sound goes: the machine's waveOut device when there is one (and the clock runs
// at its true speed), else nowhere, consumed at the pace of the clock, so that a machine
// without sound plays silently in time. Interleaved 16-bit samples.
//
// The audio thread opens, resets (at each serial) and writes; the window thread retargets it
// at a seek, holds it while paused or filling, and reads how much has played.
#pragma once

#include "tools/ClipRunner/MediaClock.h"

#include <windows.h>
#include <mmsystem.h>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

class AudioOutput {
public:
    AudioOutput(const MediaClock& clock, bool allowDevice);
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;
    ~AudioOutput();

    // Audio thread.
    void Open(int rate, int channels);
    bool IsOpen() const { return m_rate > 0; }
    void Reset(int serial);
    // Blocks for room; false when the serial is no longer wanted or the output was aborted.
    bool Write(const int16_t* samples, int frames);
    void MarkEnded(int serial);
    int64_t WrittenFrames() const { return m_written; }

    // Window thread.
    void Retarget(int serial);
    void SetHeld(bool held);
    bool Ready(int serial, double seconds) const;  // that much is queued, or the serial has ended
    bool Drained(int serial) const;                // ended and all played
    int64_t PlayedFrames() const;
    double PlayedSeconds() const;
    bool UsesDevice() const { return m_usesDevice; }
    int Rate() const { return m_rate; }
    void Abort();

private:
    bool Writable() const;
    bool WaitForRoom();
    WAVEHDR* FreeBuffer();
    void OpenDevice(int rate, int channels);
    void CloseDevice();

    const MediaClock& m_clock;
    bool m_allowDevice;
    HWAVEOUT m_device = nullptr;
    mutable std::mutex m_deviceLock;  // waveOut calls come from two threads
    std::vector<WAVEHDR> m_headers;
    std::vector<std::vector<char>> m_buffers;
    std::atomic<bool> m_usesDevice{false};
    std::atomic<int> m_rate{0};  // set last by Open: 0 while nothing is open
    int m_channels = 2;

    std::atomic<int64_t> m_written{0};
    std::atomic<int> m_serial{0};
    std::atomic<int> m_wanted{0};
    std::atomic<int> m_ended{-1};
    std::atomic<bool> m_held{true};
    std::atomic<bool> m_aborted{false};
};
