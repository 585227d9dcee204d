// The subtitles that began before a seek target. A seek lands on the key frame at or before the
// target, and a subtitle that began before that key frame but still shows at the target is not
// read from there. A second demuxer context on the same local file reads the subtitle stream a
// little back from the target instead, every other stream discarded but one that tells how far
// the reading has come. Reading thread only; a network input is not read twice.
#pragma once

#include "tools/ClipRunner/Ffmpeg.h"

#include <windows.h>
#include <cstdint>
#include <functional>
#include <string>

// The time a packet is known by: its pts, else its dts.
int64_t PacketTime(const AVPacket& packet);

class SubtitleLookBack {
public:
    struct Streams {
        int subtitle = -1;
        int marker = -1;  // a played stream whose packets tell how far the reading has come
    };

    // main: the reading context, whose stream numbering and time bases the packets keep.
    // interrupted: true when the reading must give up (a stop or a new seek).
    SubtitleLookBack(std::string url, AVFormatContext* main, Streams streams, bool seekToAny,
                     std::function<bool()> interrupted);
    SubtitleLookBack(const SubtitleLookBack&) = delete;
    SubtitleLookBack& operator=(const SubtitleLookBack&) = delete;
    ~SubtitleLookBack();

    // Whether the input can be read back cheaply: a file, not a network address.
    static bool ReadsBackCheaply(const std::string& url);

    // Gives put the subtitle packets that come before media time targetUs (media time 0 at
    // startTimeUs), in their order, from up to a fixed span before it; those that ended long
    // before are the decoders' to drop. Gives nothing when the file cannot be read back.
    void Read(int64_t targetUs, int64_t startTimeUs, const std::function<void(AVPacket*)>& put);

private:
    static int Interrupted(void* self);
    bool Prepare();
    bool Matches() const;
    bool SeekBefore(int64_t positionUs);
    void SetDiscards(bool forReading);
    int64_t MediaUs(int64_t time, int index, int64_t startTimeUs) const;

    std::string m_url;
    AVFormatContext* m_main;
    Streams m_streams;
    bool m_seekToAny;
    std::function<bool()> m_interrupted;
    AVFormatContext* m_format = nullptr;
    bool m_unusable = false;
    DWORD m_deadline = 0;
};
