// The option set of one run of the encoding tool: inputs, stream choice, output, video, audio
// and subtitle settings, filters and format-specific values. Times are 64-bit milliseconds; a
// time, size or number of 0 means "not given" unless said otherwise.
#pragma once
#include "classlib/CString.h"

const int ENCODER_OPTION_THREADS = 0x1;           // OptionsFlags: pass the runner's thread count
const int ENCODER_FORCE_QUALITY_ZERO = 0x1;       // VideoFlags, AudioFlags
const int ENCODER_NO_STREAM = 0x20000000;         // VideoFlags, AudioFlags, SubtitleFlags

// Stream choice values besides a stream number.
const int ENCODER_STREAM_DEFAULT = -1;
const int ENCODER_STREAM_DROP = -2;

class CEncoderOptions {
public:
    CEncoderOptions() { Reset(); }
    virtual ~CEncoderOptions() = default;

    // Normalises the option set before a run; it never refuses one (0).
    virtual int Validate();
    void Reset();

    // Inputs
    int OptionsFlags;
    CString InputPath;
    CString InputFormat;
    int SafeFlag;
    LONGLONG InputStart, InputDuration, InputOffset;
    int InputFrameRateNum, InputFrameRateDen;
    CString Input2Path;
    CString Input2Format;
    LONGLONG Input2Start, Input2Duration, Input2Offset;
    CString Input3Path;
    CString Input3Format;
    CString ExtraInputPath;
    // Video from the first input, audio from the second and subtitles from the third when
    // those are given; ENCODER_STREAM_DEFAULT or ENCODER_STREAM_DROP besides a number.
    int VideoStream, AudioStream, SubtitleStream;

    // Output
    LONGLONG OutputStart, OutputDuration;
    CString OutputFormat;
    CString Target;
    CString Codec;  // for all streams
    LONGLONG SizeLimit;
    int StrictLevel;
    CString OutputPath;
    CString FilterComplex;
    CString OutputExtra1, OutputExtra2;

    // Video
    int VideoFlags;
    CString VideoCodec, VideoTag, VideoExtra, PixelFormat;
    int VideoQuality;
    int Width, Height;
    int AspectNum, AspectDen;
    int FrameRateNum, FrameRateDen;
    int VideoBitRate;
    int VideoFrames;
    CString VideoSync, VideoBitstreamFilter, VideoProfile, VideoPresetFile, VideoFilter;

    // Audio
    int AudioFlags;
    CString AudioCodec, AudioTag, AudioExtra;
    int AudioQuality;
    int Channels;
    int SampleRate;
    int AudioBitRate;
    int Volume;  // on the tool's 256 scale
    CString AudioBitstreamFilter, AudioProfile, AudioPresetFile, AudioFilter;

    // Subtitles and format-specific settings
    int SubtitleFlags;
    CString SubtitleCodec;
    CString Preset;  // the encoder's preset name
    int HlsLowLatency;
    int HlsListSize;
    CString HlsSegmentPattern;
    int GifLoop;

    // Picture filters
    int CropX, CropY, CropWidth, CropHeight;
    int Rotation;  // 1 or 90, 2 or 180, 3 or 270
    int VFlip, HFlip, Grayscale, Negate, OldPhoto;
    int AudioVolumePercent;
};

// Adjusts an audio codec to one the container takes; 0.
int ChooseAudioCodecForContainer(CString& strCodec, LPCWSTR pszContainer);
