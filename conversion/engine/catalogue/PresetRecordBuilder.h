// The one builder of the built-in preset records: each table row names its video and audio
// parts with the values that differ from Auto, and the record is made at compile time.
#pragma once
#include "conversion/engine/MediaPresetRecord.h"

namespace BuiltInPresets {

struct VideoPart {
    UINT32 flags;
    const wchar_t* codec;
    int width;
    int height;
    int frameRateNum;
    int frameRateDen;
    int bitRate;
    const wchar_t* profile;
    const wchar_t* presetFile;
};

struct AudioPart {
    UINT32 flags;
    const wchar_t* codec;
    int channels;
    int sampleRate;
    int bitRate;
};

constexpr VideoPart Video(UINT32 flags, const wchar_t* codec, int width = 0, int height = 0, int frameRateNum = 0,
    int frameRateDen = 0, int bitRate = 0, const wchar_t* profile = L"", const wchar_t* presetFile = L"")
{
    return {flags, codec, width, height, frameRateNum, frameRateDen, bitRate, profile, presetFile};
}

constexpr AudioPart Audio(UINT32 flags, const wchar_t* codec, int channels = 0, int sampleRate = 0, int bitRate = 0)
{
    return {flags, codec, channels, sampleRate, bitRate};
}

// The stream part of a format without that stream.
constexpr VideoPart kNoVideo = Video(0, L"");
constexpr AudioPart kNoAudio = Audio(0, L"");

// A text that does not fit its field stops the build.
constexpr void CopyText(MediaPresetText& field, const wchar_t* text)
{
    for (int i = 0; text[i] != 0; ++i) {
        if (i + 1 >= MEDIA_PRESET_TEXT_SIZE)
            throw "preset text too long";
        field[i] = text[i];
    }
}

constexpr MediaPresetRecord Preset(const wchar_t* name, const VideoPart& video, const AudioPart& audio)
{
    MediaPresetRecord record = {};
    CopyText(record.name, name);
    record.videoFlags = video.flags;
    CopyText(record.videoCodec, video.codec);
    record.width = video.width;
    record.height = video.height;
    record.frameRateNum = video.frameRateNum;
    record.frameRateDen = video.frameRateDen;
    record.videoBitRate = video.bitRate;
    CopyText(record.videoProfile, video.profile);
    CopyText(record.videoPresetFile, video.presetFile);
    record.audioFlags = audio.flags;
    CopyText(record.audioCodec, audio.codec);
    record.channels = audio.channels;
    record.sampleRate = audio.sampleRate;
    record.audioBitRate = audio.bitRate;
    return record;
}

}  // namespace BuiltInPresets
