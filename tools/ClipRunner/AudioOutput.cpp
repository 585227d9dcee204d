#include "tools/ClipRunner/AudioOutput.h"

#include <algorithm>
#include <cstring>

namespace {

// About a third of a second of sound is queued ahead, in blocks of 40 ms.
const double kQueueSeconds = 0.3;
const int kBufferCount = 12;
const double kBufferSeconds = 0.04;

}  // namespace

AudioOutput::AudioOutput(const MediaClock& clock, bool allowDevice) : m_clock(clock), m_allowDevice(allowDevice) {}

AudioOutput::~AudioOutput()
{
    CloseDevice();
}

void AudioOutput::Open(int rate, int channels)
{
    m_channels = channels;
    if (m_allowDevice)
        OpenDevice(rate, channels);
    m_rate = rate;
}

void AudioOutput::OpenDevice(int rate, int channels)
{
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = rate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(channels * 2);
    format.nAvgBytesPerSec = rate * format.nBlockAlign;
    std::lock_guard<std::mutex> hold(m_deviceLock);
    if (waveOutOpen(&m_device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        m_device = nullptr;  // plays by the clock instead
        return;
    }
    if (m_held)
        waveOutPause(m_device);
    size_t bytes = static_cast<size_t>(rate * kBufferSeconds) * format.nBlockAlign;
    m_buffers.assign(kBufferCount, std::vector<char>(bytes));
    m_headers.assign(kBufferCount, WAVEHDR{});
    for (int i = 0; i < kBufferCount; ++i) {
        m_headers[i].lpData = m_buffers[i].data();
        m_headers[i].dwBufferLength = static_cast<DWORD>(bytes);
        waveOutPrepareHeader(m_device, &m_headers[i], sizeof(WAVEHDR));
        m_headers[i].dwFlags |= WHDR_DONE;  // free for the first write
    }
    m_usesDevice = true;
}

void AudioOutput::CloseDevice()
{
    std::lock_guard<std::mutex> hold(m_deviceLock);
    if (!m_device)
        return;
    waveOutReset(m_device);
    for (WAVEHDR& header : m_headers)
        waveOutUnprepareHeader(m_device, &header, sizeof(WAVEHDR));
    waveOutClose(m_device);
    m_device = nullptr;
}

void AudioOutput::Reset(int serial)
{
    {
        std::lock_guard<std::mutex> hold(m_deviceLock);
        if (m_device) {
            // Resetting returns every buffer and sets the position back to 0.
            waveOutReset(m_device);
            if (m_held)
                waveOutPause(m_device);
        }
    }
    m_written = 0;
    m_serial = serial;
}

bool AudioOutput::Writable() const
{
    return !m_aborted && m_serial == m_wanted;
}

WAVEHDR* AudioOutput::FreeBuffer()
{
    for (WAVEHDR& header : m_headers)
        if (header.dwFlags & WHDR_DONE)
            return &header;
    return nullptr;
}

// Waits while a third of a second is queued (and, on the device, while no buffer is free).
bool AudioOutput::WaitForRoom()
{
    for (;;) {
        if (!Writable())
            return false;
        bool room = m_written - PlayedFrames() < static_cast<int64_t>(m_rate * kQueueSeconds);
        if (room && (!m_device || FreeBuffer()))
            return true;
        Sleep(5);
    }
}

bool AudioOutput::Write(const int16_t* samples, int frames)
{
    while (frames > 0) {
        if (!WaitForRoom())
            return false;
        int chunk = frames;
        if (m_device) {
            WAVEHDR* header = FreeBuffer();
            size_t capacity = m_buffers[header - m_headers.data()].size() / (m_channels * 2);
            chunk = std::min<int>(frames, static_cast<int>(capacity));
            memcpy(header->lpData, samples, static_cast<size_t>(chunk) * m_channels * 2);
            header->dwBufferLength = static_cast<DWORD>(chunk * m_channels * 2);
            header->dwFlags &= ~WHDR_DONE;
            std::lock_guard<std::mutex> hold(m_deviceLock);
            waveOutWrite(m_device, header, sizeof(WAVEHDR));
        }
        m_written += chunk;
        samples += static_cast<size_t>(chunk) * m_channels;
        frames -= chunk;
    }
    return true;
}

void AudioOutput::MarkEnded(int serial)
{
    m_ended = serial;
}

void AudioOutput::Retarget(int serial)
{
    m_wanted = serial;
}

void AudioOutput::SetHeld(bool held)
{
    m_held = held;
    std::lock_guard<std::mutex> hold(m_deviceLock);
    if (m_device) {
        if (held)
            waveOutPause(m_device);
        else
            waveOutRestart(m_device);
    }
}

int64_t AudioOutput::PlayedFrames() const
{
    int64_t written = m_written;
    if (m_rate == 0)
        return 0;
    if (!m_usesDevice) {
        // No device: the sound is taken as played when the clock passes it.
        int64_t byClock = static_cast<int64_t>(m_clock.Now() * m_rate);
        return std::max<int64_t>(0, std::min(written, byClock));
    }
    MMTIME time = {};
    time.wType = TIME_SAMPLES;
    {
        std::lock_guard<std::mutex> hold(m_deviceLock);
        waveOutGetPosition(m_device, &time, sizeof(time));
    }
    int64_t played = 0;
    if (time.wType == TIME_SAMPLES)
        played = time.u.sample;
    else if (time.wType == TIME_BYTES)
        played = time.u.cb / (m_channels * 2);
    return std::min(written, played);
}

double AudioOutput::PlayedSeconds() const
{
    return m_rate > 0 ? static_cast<double>(PlayedFrames()) / m_rate : 0;
}

bool AudioOutput::Ready(int serial, double seconds) const
{
    if (m_ended == serial && m_serial == serial)
        return true;
    return m_serial == serial && m_rate > 0 && m_written >= static_cast<int64_t>(seconds * m_rate);
}

bool AudioOutput::Drained(int serial) const
{
    return m_ended == serial && m_serial == serial && PlayedFrames() >= m_written;
}

void AudioOutput::Abort()
{
    m_aborted = true;
}
