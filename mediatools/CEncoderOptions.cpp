#include "mediatools/CEncoderOptions.h"
#include "mediatools/MediaToolLocation.h"
#include <initializer_list>

void CEncoderOptions::Reset()
{
    OptionsFlags = 0;
    InputPath.Empty();
    InputFormat.Empty();
    SafeFlag = 1;
    InputStart = InputDuration = InputOffset = 0;
    InputFrameRateNum = InputFrameRateDen = 0;
    Input2Path.Empty();
    Input2Format.Empty();
    Input2Start = Input2Duration = Input2Offset = 0;
    Input3Path.Empty();
    Input3Format.Empty();
    ExtraInputPath.Empty();
    VideoStream = AudioStream = SubtitleStream = ENCODER_STREAM_DEFAULT;

    OutputStart = OutputDuration = 0;
    OutputFormat.Empty();
    Target.Empty();
    Codec.Empty();
    SizeLimit = 0;
    StrictLevel = 0;
    OutputPath.Empty();
    FilterComplex.Empty();
    OutputExtra1.Empty();
    OutputExtra2.Empty();

    VideoFlags = 0;
    VideoCodec.Empty();
    VideoTag.Empty();
    VideoExtra.Empty();
    PixelFormat.Empty();
    VideoQuality = -1;
    Width = Height = 0;
    AspectNum = AspectDen = 0;
    FrameRateNum = FrameRateDen = 0;
    VideoBitRate = 0;
    VideoFrames = 0;
    VideoSync.Empty();
    VideoBitstreamFilter.Empty();
    VideoProfile.Empty();
    VideoPresetFile.Empty();
    VideoFilter.Empty();

    AudioFlags = 0;
    AudioCodec.Empty();
    AudioTag.Empty();
    AudioExtra.Empty();
    AudioQuality = -1;
    Channels = 0;
    SampleRate = 0;
    AudioBitRate = 0;
    Volume = 256;
    AudioBitstreamFilter.Empty();
    AudioProfile.Empty();
    AudioPresetFile.Empty();
    AudioFilter.Empty();

    SubtitleFlags = 0;
    SubtitleCodec.Empty();
    Preset.Empty();
    HlsLowLatency = 0;
    HlsListSize = -1;
    HlsSegmentPattern.Empty();
    GifLoop = -1;

    CropX = CropY = CropWidth = CropHeight = 0;
    Rotation = 0;
    VFlip = HFlip = Grayscale = Negate = OldPhoto = 0;
    AudioVolumePercent = 100;
}

namespace {

// Output format names the tool knows under another name.
struct FormatAlias {
    LPCWSTR pszName;
    LPCWSTR pszToolName;
};

const FormatAlias kFormatAliases[] = {
    {L"ts", L"mpegts"}, {L"vtt", L"webvtt"}, {L"ec3", L"eac3"}, {L"m4s", L"mp4"}, {L"m3u8", L"hls"},
};

bool IsOneOfNoCase(const CString& strText, std::initializer_list<LPCWSTR> names)
{
    for (LPCWSTR pszName : names)
        if (strText.CompareNoCase(pszName) == 0)
            return true;
    return false;
}

}  // namespace

int CEncoderOptions::Validate()
{
    SafeFlag = InputFormat == L"concat" ? 0 : 1;
    OutputFormat.MakeLower();
    for (const FormatAlias& alias : kFormatAliases) {
        if (OutputFormat == alias.pszName) {
            OutputFormat = alias.pszToolName;
            break;
        }
    }
    if (HlsLowLatency > 0)
        StrictLevel = -2;
    return 0;
}

int ChooseAudioCodecForContainer(CString& strCodec, LPCWSTR pszContainer)
{
    CString strContainer(pszContainer);
    if (strCodec.IsEmpty())
        strCodec = L"copy";
    if (strContainer.CompareNoCase(L"webm") == 0) {
        if (!IsOneOfNoCase(strCodec, {L"vorbis", L"libvorbis", L"opus"}))
            strCodec = L"libvorbis";
    } else if (IsOneOfNoCase(strContainer, {L"mp4", L"mpegts"})) {
        if (!IsOneOfNoCase(strCodec, {L"aac", L"libfdk_aac", L"mp3"}))
            strCodec = PreferFdkAac == 1 ? L"libfdk_aac" : L"aac";
    }
    if (PreferFdkAac == 1 && strCodec == L"aac")
        strCodec = L"libfdk_aac";
    return 0;
}
