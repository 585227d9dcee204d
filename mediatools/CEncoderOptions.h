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
    CEncoderOptions() = default;
    CEncoderOptions(const CEncoderOptions&) = default;
    CEncoderOptions& operator=(const CEncoderOptions&) = default;
    virtual ~CEncoderOptions() = default;

    // Normalises the option set before a run; it never refuses one (0).
    virtual int Validate();
    // Every field back to its default, as given on its declaration.
    void Reset() { *this = CEncoderOptions(); }
    // The picture filters as one chain in the tool's order: crop, rotation, flips, colour
    // effects. Empty without any.
    CString PictureFilterChain() const;
    // The rotation in degrees (90, 180, 270); 0 for none.
    int RotationDegrees() const;

    // Inputs
    int OptionsFlags = 0;
    CString InputPath;
    CString InputFormat;
    int SafeFlag = 1;
    LONGLONG InputStart = 0, InputDuration = 0, InputOffset = 0;
    int InputFrameRateNum = 0, InputFrameRateDen = 0;
    CString Input2Path;
    CString Input2Format;
    LONGLONG Input2Start = 0, Input2Duration = 0, Input2Offset = 0;
    CString Input3Path;
    CString Input3Format;
    CString ExtraInputPath;
    // Video from the first input, audio from the second and subtitles from the third when
    // those are given; ENCODER_STREAM_DEFAULT or ENCODER_STREAM_DROP besides a number.
    int VideoStream = ENCODER_STREAM_DEFAULT;
    int AudioStream = ENCODER_STREAM_DEFAULT;
    int SubtitleStream = ENCODER_STREAM_DEFAULT;

    // Output
    LONGLONG OutputStart = 0, OutputDuration = 0;
    CString OutputFormat;
    CString Target;
    CString Codec;  // for all streams
    LONGLONG SizeLimit = 0;
    int StrictLevel = 0;
    CString OutputPath;
    CString FilterComplex;
    CString OutputExtra1, OutputExtra2;

    // Video
    int VideoFlags = 0;
    CString VideoCodec, VideoTag, VideoExtra, PixelFormat;
    int VideoQuality = -1;
    int Width = 0, Height = 0;
    int AspectNum = 0, AspectDen = 0;
    int FrameRateNum = 0, FrameRateDen = 0;
    int VideoBitRate = 0;
    int VideoFrames = 0;
    CString VideoSync, VideoBitstreamFilter, VideoProfile, VideoPresetFile, VideoFilter;

    // Audio
    int AudioFlags = 0;
    CString AudioCodec, AudioTag, AudioExtra;
    int AudioQuality = -1;
    int Channels = 0;
    int SampleRate = 0;
    int AudioBitRate = 0;
    int Volume = 256;  // on the tool's 256 scale
    CString AudioBitstreamFilter, AudioProfile, AudioPresetFile, AudioFilter;

    // Subtitles and format-specific settings
    int SubtitleFlags = 0;
    CString SubtitleCodec;
    CString Preset;  // the encoder's preset name
    int HlsLowLatency = 0;
    int HlsListSize = -1;
    CString HlsSegmentPattern;
    int GifLoop = -1;

    // Picture filters
    int CropX = 0, CropY = 0, CropWidth = 0, CropHeight = 0;
    int Rotation = 0;  // 1 or 90, 2 or 180, 3 or 270
    int VFlip = 0, HFlip = 0, Grayscale = 0, Negate = 0, OldPhoto = 0;
    int AudioVolumePercent = 100;
};

// Adjusts an audio codec to one the container takes; 0.
int ChooseAudioCodecForContainer(CString& strCodec, LPCWSTR pszContainer);
