// The subtitle thread: decodes the chosen subtitle stream, text or bitmap, and gives every
// subtitle its time on the clock in the subtitle queue, as the video thread does its pictures.
#pragma once

#include "tools/ClipRunner/Decoder.h"
#include "tools/ClipRunner/SubtitleQueue.h"

struct SubtitleSettings {
    double speed = 1;                       // how fast the picture plays the media
    int canvasWidth = 0, canvasHeight = 0;  // where bitmaps lie when the stream does not say
};

class SubtitleDecoder : public Decoder {
public:
    SubtitleDecoder(AVStream* stream, int64_t startTimeUs, PacketQueue& packets, SubtitleQueue& subtitles,
                    const SubtitleSettings& settings);
    ~SubtitleDecoder() override;

protected:
    void Restart(int serial, int64_t startUs) override;
    void Decode(const AVPacket* packet) override;
    void Finish() override {}

private:
    void Queue(const AVSubtitle& decoded, int64_t mediaUs);
    std::shared_ptr<Subtitle> Convert(const AVSubtitle& decoded) const;
    double ClockTime(int64_t mediaUs) const;

    SubtitleQueue& m_subtitles;
    SubtitleSettings m_settings;
    int m_serial = 0;
    int64_t m_startUs = 0;
};
