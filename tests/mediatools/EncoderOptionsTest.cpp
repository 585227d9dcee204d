// The encoder option set: validation before a run and the audio codec chosen for a container.
#include "mediatools/CEncoderOptions.h"
#include "mediatools/MediaToolLocation.h"
#include <gtest/gtest.h>

namespace {

TEST(EncoderOptions, ResetGivesBackTheDefaults)
{
    CEncoderOptions options;
    options.InputPath = L"C:\\a.mp4";
    options.SafeFlag = 0;
    options.VideoStream = 3;
    options.VideoQuality = 20;
    options.Volume = 100;
    options.HlsListSize = 5;
    options.GifLoop = 0;
    options.AudioVolumePercent = 50;
    options.Reset();
    EXPECT_TRUE(options.InputPath.IsEmpty());
    EXPECT_EQ(1, options.SafeFlag);
    EXPECT_EQ(ENCODER_STREAM_DEFAULT, options.VideoStream);
    EXPECT_EQ(-1, options.VideoQuality);
    EXPECT_EQ(256, options.Volume);
    EXPECT_EQ(-1, options.HlsListSize);
    EXPECT_EQ(-1, options.GifLoop);
    EXPECT_EQ(100, options.AudioVolumePercent);
    EXPECT_EQ(0, options.Width);
}

TEST(EncoderOptions, ValidateRenamesOutputFormats)
{
    const struct {
        const wchar_t* given;
        const wchar_t* expected;
    } cases[] = {
        {L"TS", L"mpegts"}, {L"ts", L"mpegts"}, {L"M3U8", L"hls"}, {L"vtt", L"webvtt"}, {L"ec3", L"eac3"},
        {L"m4s", L"mp4"},   {L"MP4", L"mp4"},   {L"mpegts", L"mpegts"}, {L"", L""}, {L"tsx", L"tsx"},
    };
    for (const auto& c : cases) {
        CEncoderOptions options;
        options.OutputFormat = c.given;
        EXPECT_EQ(0, options.Validate());
        EXPECT_EQ(CString(c.expected), options.OutputFormat) << CStringA(c.given);
    }
}

TEST(EncoderOptions, ValidateSetsTheSafeFlagFromTheInputFormat)
{
    CEncoderOptions options;
    options.InputFormat = L"concat";
    options.SafeFlag = 1;
    options.Validate();
    EXPECT_EQ(0, options.SafeFlag);
    options.InputFormat = L"mpegts";
    options.SafeFlag = 0;
    options.Validate();
    EXPECT_EQ(1, options.SafeFlag) << "any other format makes it 1 again";
    options.InputFormat = L"Concat";
    options.Validate();
    EXPECT_EQ(1, options.SafeFlag) << "the comparison is exact";
}

TEST(EncoderOptions, LowLatencyHlsIsStrict)
{
    CEncoderOptions options;
    options.HlsLowLatency = 1;
    options.Validate();
    EXPECT_EQ(-2, options.StrictLevel);
    CEncoderOptions plain;
    plain.Validate();
    EXPECT_EQ(0, plain.StrictLevel);
}

TEST(EncoderOptions, ChooseAudioCodecForContainer)
{
    const struct {
        const wchar_t* codec;
        const wchar_t* container;
        int preferFdk;
        const wchar_t* expected;
    } cases[] = {
        {L"copy", L"mp4", 1, L"libfdk_aac"},
        {L"copy", L"mp4", 0, L"aac"},
        {L"", L"MP4", 1, L"libfdk_aac"},
        {L"mp3", L"mp4", 1, L"mp3"},
        {L"AAC", L"mpegts", 1, L"AAC"},
        {L"aac", L"mpegts", 1, L"libfdk_aac"},
        {L"aac", L"mpegts", 0, L"aac"},
        {L"aac", L"webm", 1, L"libvorbis"},
        {L"opus", L"WebM", 1, L"opus"},
        {L"Vorbis", L"webm", 1, L"Vorbis"},
        {L"copy", L"mkv", 1, L"copy"},
        {L"", L"mkv", 1, L"copy"},
        {L"aac", L"matroska", 1, L"libfdk_aac"},
        {L"aac", L"matroska", 0, L"aac"},
    };
    int saved = PreferFdkAac;
    for (const auto& c : cases) {
        PreferFdkAac = c.preferFdk;
        CString codec(c.codec);
        EXPECT_EQ(0, ChooseAudioCodecForContainer(codec, c.container));
        EXPECT_EQ(CString(c.expected), codec) << CStringA(c.codec) << " in " << CStringA(c.container);
    }
    PreferFdkAac = saved;
}

}  // namespace
