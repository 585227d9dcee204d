// The built-in codecs by id: the rules their lists and flags give, their own output-size
// steps, and the AAC encoder choice.
#include "conversion/engine/catalogue/CodecCatalogue.h"
#include "mediatools/MediaToolLocation.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

std::unique_ptr<CAudioCodec> Audio(LPCWSTR id)
{
    return std::unique_ptr<CAudioCodec>(CreateAudioCodec(id));
}

std::unique_ptr<CVideoCodec> Video(LPCWSTR id)
{
    return std::unique_ptr<CVideoCodec>(CreateVideoCodec(id));
}

TEST(CodecCatalogueTest, UnknownIdsGiveNoCodec)
{
    EXPECT_EQ(nullptr, CreateAudioCodec(L"AC_nothing"));
    EXPECT_EQ(nullptr, CreateVideoCodec(L"VC_nothing"));
    EXPECT_EQ(nullptr, CreateVideoCodec(L"AC_aac"));
    EXPECT_EQ(nullptr, CreateAudioCodec(L"ac_aac"));  // ids are exact
}

struct AudioPickCase {
    const char* name;
    LPCWSTR id;
    int requestedChannels, requestedRate, requestedBitRate;
    int sourceRate;
    int channels, sampleRate, bitRate;
};

const AudioPickCase kAudioPicks[] = {
    {"GSM forces its only values", L"AC_libgsm_ms", 2, 44100, 128000, 0, 1, 8000, 13000},
    {"GSM keeps nothing Auto", L"AC_libgsm_ms", 0, 0, 0, 0, 1, 8000, 13000},
    {"WMAV2 keeps Auto for all three", L"AC_wmav2", 0, 0, 0, 0, 0, 0, 0},
    {"WMAV2 forces unlisted values to its defaults", L"AC_wmav2", 6, 11025, 100000, 0, 0, 0, 0},
    {"WMAV2 keeps listed values", L"AC_wmav2", 2, 44100, 128000, 0, 2, 44100, 128000},
    {"MP3 in MP4 raises an Auto sample rate from a slow source", L"AC_libmp3lame.mp4", 0, 0, 0, 8000, 0, 16000, 0},
    {"MP3 in MP4 raises a low sample rate", L"AC_libmp3lame.mp4", 0, 11025, 0, 0, 0, 16000, 0},
    {"MP3 in MP4 keeps Auto from a fast source", L"AC_libmp3lame.mp4", 0, 0, 0, 44100, 0, 0, 0},
    {"AAC for 3GPP2 has no Auto bit rate but takes any", L"AC_aac.3g2", 0, 0, 100000, 0, 0, 0, 100000},
    {"AC3 for DVD takes any value", L"AC_ac3.DVD", 6, 44100, 640000, 0, 6, 44100, 640000},
    {"AMR-NB forces 6700 bit/s for an unlisted rate", L"AC_libopencore_amrnb", 1, 8000, 12000, 0, 1, 8000, 6700},
    {"AMR-WB forces 16000 Hz", L"AC_libvo_amrwbenc", 1, 8000, 15850, 0, 1, 16000, 15850},
    {"MP3 for FLV forces 44100 Hz for Auto", L"AC_libmp3lame.flv", 2, 0, 128000, 0, 2, 44100, 128000},
    {"PCM for GXF forces mono 48000", L"AC_pcm_s16le.gxf", 2, 44100, 0, 0, 1, 48000, 0},
    {"PCM for DV takes any channel count", L"AC_pcm_s16le.dv", 6, 44100, 0, 0, 6, 48000, 0},
    {"iLBC forces mono 8000 Hz for Auto", L"AC_libilbc", 0, 0, 0, 0, 1, 8000, 0},
};

TEST(CodecCatalogueTest, AudioPicks)
{
    for (const AudioPickCase& c : kAudioPicks) {
        std::unique_ptr<CAudioCodec> codec = Audio(c.id);
        ASSERT_TRUE(codec) << c.name;
        EXPECT_EQ(c.channels, codec->PickChannels(c.requestedChannels, 0)) << c.name;
        EXPECT_EQ(c.sampleRate, codec->PickSampleRate(c.requestedRate, c.sourceRate)) << c.name;
        EXPECT_EQ(c.bitRate, codec->PickBitRate(c.requestedBitRate, 0)) << c.name;
    }
}

TEST(CodecCatalogueTest, AudioDefaultsOfNarrowVariants)
{
    std::unique_ptr<CAudioCodec> aac3g2 = Audio(L"AC_aac.3g2");
    EXPECT_EQ(12200, aac3g2->m_defaultBitRate);
    EXPECT_EQ(44100, aac3g2->m_defaultSampleRate);
    EXPECT_EQ(8000, aac3g2->m_bitRates[0]);  // no Auto entry
    EXPECT_EQ(8000, aac3g2->m_sampleRates[0]);
    std::unique_ptr<CAudioCodec> ac3Dvd = Audio(L"AC_ac3.DVD");
    EXPECT_EQ(2, ac3Dvd->m_defaultChannels);
    EXPECT_EQ(48000, ac3Dvd->m_defaultSampleRate);
    EXPECT_EQ(192000, ac3Dvd->m_defaultBitRate);
    EXPECT_EQ(32000, ac3Dvd->m_bitRates[0]);
    EXPECT_EQ(3, ac3Dvd->m_sampleRates.GetSize());
    std::unique_ptr<CAudioCodec> android = Audio(L"AC_aac.Android");
    std::unique_ptr<CAudioCodec> aac = Audio(L"AC_aac");
    ASSERT_EQ(aac->m_bitRates.GetSize(), android->m_bitRates.GetSize());
    EXPECT_EQ(aac->m_sampleRates.GetSize(), android->m_sampleRates.GetSize());
    EXPECT_EQ(MEDIA_KIND_AUDIO, aac->m_mediaKind);
    EXPECT_STREQ(L"AAC", aac->m_name);
}

TEST(CodecCatalogueTest, AacEncoderFollowsTheToolChoiceWhenMade)
{
    const int saved = PreferFdkAac;
    PreferFdkAac = 0;
    std::unique_ptr<CAudioCodec> before = Audio(L"AC_aac.WindowsPhone");
    PreferFdkAac = 1;
    std::unique_ptr<CAudioCodec> after = Audio(L"AC_aac.3gp");
    std::unique_ptr<CAudioCodec> mp3 = Audio(L"AC_libmp3lame");
    PreferFdkAac = saved;
    EXPECT_STREQ(L"aac", before->m_encoder);
    EXPECT_STREQ(L"libfdk_aac", after->m_encoder);
    EXPECT_STREQ(L"libmp3lame", mp3->m_encoder);
}

struct VideoPickCase {
    const char* name;
    LPCWSTR id;
    MediaSize requestedSize;
    MediaRate requestedRate;
    int requestedBitRate;
    MediaSize size;
    MediaRate rate;
    int bitRate;
};

const VideoPickCase kVideoPicks[] = {
    {"DV forces its sizes and rates but not the bit rate", L"VC_dvvideo", {1280, 720}, {24, 1}, 123456, {720, 576},
        {30000, 1001}, 123456},
    {"DV keeps NTSC", L"VC_dvvideo", {720, 480}, {30000, 1001}, 0, {720, 480}, {30000, 1001}, 0},
    {"VCD forces everything", L"VC_mpeg1video.VCD", {640, 480}, {0, 0}, 0, {352, 240}, {30000, 1001}, 1150000},
    {"VCD keeps PAL", L"VC_mpeg1video.VCD", {352, 288}, {25, 1}, 1150000, {352, 288}, {25, 1}, 1150000},
    {"DVD forces an unlisted bit rate", L"VC_mpeg2video.DVD", {720, 576}, {25, 1}, 1000000, {720, 576}, {25, 1},
        5000000},
    {"SVCD forces its size", L"VC_mpeg2video.SVCD", {0, 0}, {0, 0}, 0, {480, 480}, {30000, 1001}, 2415000},
    {"H.263 never keeps Auto size", L"VC_h263", {0, 0}, {0, 0}, 0, {352, 288}, {0, 0}, 0},
    {"H.263 for 3GPP replaces an unlisted size", L"VC_h263.3gp", {320, 240}, {0, 0}, 0, {352, 288}, {0, 0}, 0},
    {"H.263 for 3GPP2 keeps a listed size", L"VC_h263.3g2", {176, 144}, {15, 1}, 0, {176, 144}, {15, 1}, 0},
    {"H.264 takes any value", L"VC_libx264", {1000, 500}, {7, 1}, 1234567, {1000, 500}, {7, 1}, 1234567},
    {"MPEG-2 for TS forces an unlisted size", L"VC_mpeg2video.ts", {640, 480}, {25, 1}, 1234567, {0, 0}, {25, 1},
        1234567},
    {"GIF keeps only Auto bit rate", L"VC_gif", {320, 240}, {5, 1}, 500000, {320, 240}, {5, 1}, 0},
};

TEST(CodecCatalogueTest, VideoPicks)
{
    for (const VideoPickCase& c : kVideoPicks) {
        std::unique_ptr<CVideoCodec> codec = Video(c.id);
        ASSERT_TRUE(codec) << c.name;
        MediaSize size = codec->PickResolution(c.requestedSize, {640, 360});
        MediaRate rate = codec->PickFrameRate(c.requestedRate, {25, 1});
        EXPECT_EQ(c.size.width, size.width) << c.name;
        EXPECT_EQ(c.size.height, size.height) << c.name;
        EXPECT_EQ(c.rate.num, rate.num) << c.name;
        EXPECT_EQ(c.rate.den, rate.den) << c.name;
        EXPECT_EQ(c.bitRate, codec->PickBitRate(c.requestedBitRate, 0)) << c.name;
    }
}

TEST(CodecCatalogueTest, VideoIdentities)
{
    struct Row {
        LPCWSTR id;
        LPCWSTR name;
        LPCWSTR encoder;
        DWORD flags;
        int alignment;
        LPCWSTR profile;
        LPCWSTR tag;
    };
    const Row rows[] = {
        {L"VC_apng", L"Animated PNG", L"", 6, 1, L"", L""},
        {L"VC_rv10", L"RealVideo 1.0", L"rv10", 7, 16, L"", L""},
        {L"VC_rv20", L"RealVideo 2.0", L"rv20", 7, 4, L"", L""},
        {L"VC_h263", L"H.263", L"h263", 3, 4, L"", L""},
        {L"VC_h263p", L"H.263+", L"h263p", 7, 4, L"", L""},
        {L"VC_libvpx_vp9", L"VP9", L"libvpx-vp9", 0x10007, 1, L"", L""},
        {L"VC_libx264.ts", L"H.264", L"libx264", 0x10007, 2, L"main", L""},
        {L"VC_libx264.Apple", L"H.264", L"libx264", 0x10007, 2, L"main", L""},
        {L"VC_libx264", L"H.264", L"libx264", 0x10007, 2, L"", L""},
        {L"VC_mpeg4.divx", L"DivX", L"mpeg4", 7, 1, L"", L"DIVX"},
        {L"VC_wmv2", L"WMV2", L"wmv2", 7, 2, L"", L""},
    };
    for (const Row& row : rows) {
        std::unique_ptr<CVideoCodec> codec = Video(row.id);
        ASSERT_TRUE(codec) << CStringA(row.id);
        EXPECT_STREQ(row.name, codec->m_name) << CStringA(row.id);
        EXPECT_STREQ(row.encoder, codec->m_encoder) << CStringA(row.id);
        EXPECT_EQ(row.flags, codec->m_flags) << CStringA(row.id);
        EXPECT_EQ(row.alignment, codec->m_alignment) << CStringA(row.id);
        EXPECT_STREQ(row.profile, codec->m_defaultProfile) << CStringA(row.id);
        EXPECT_STREQ(row.tag, codec->m_codecTag) << CStringA(row.id);
        EXPECT_STREQ(L"", codec->m_pixelFormat) << CStringA(row.id);
        EXPECT_EQ(MEDIA_KIND_VIDEO, codec->m_mediaKind);
    }
    EXPECT_EQ(3, Video(L"VC_wmv1")->m_aspects.GetSize());
    EXPECT_EQ(0, Video(L"VC_libx264")->m_aspects.GetSize());
    EXPECT_EQ(20, Video(L"VC_mpeg1video")->m_minFrameRate.num);
    EXPECT_EQ(0, Video(L"VC_mpeg1video.VCD")->m_minFrameRate.num);
}

// ---- the codecs' own output-size steps ----

struct AdjustCase {
    const char* name;
    LPCWSTR id;
    int width, height;
    int sourceNum, sourceDen;
    LPCWSTR pixelFormat;
    int aspectNum, aspectDen;
    int rateNum, rateDen;
};

const AdjustCase kAdjustCases[] = {
    {"DV NTSC is 4:1:1", L"VC_dvvideo", 720, 480, 30000, 1001, L"yuv411p", 0, 0, 0, 0},
    {"DV PAL has no pixel format", L"VC_dvvideo", 720, 576, 25, 1, L"", 0, 0, 0, 0},
    {"Xvid gets the size's aspect", L"VC_libxvid", 640, 480, 25, 1, L"", 640, 480, 0, 0},
    {"Xvid for 3GPP too", L"VC_libxvid.3gp", 320, 240, 25, 1, L"", 320, 240, 0, 0},
    {"Xvid without a size gets no aspect", L"VC_libxvid", 0, 0, 25, 1, L"", 0, 0, 0, 0},
    {"MPEG-1 lifts a 15 fps source to 20", L"VC_mpeg1video", 0, 0, 15, 1, L"", 0, 0, 20, 1},
    {"MPEG-1 leaves a 25 fps source", L"VC_mpeg1video", 0, 0, 25, 1, L"", 0, 0, 0, 0},
    {"MPEG-1 leaves a source of unknown rate", L"VC_mpeg1video", 0, 0, 15, 0, L"", 0, 0, 0, 0},
};

TEST(CodecCatalogueTest, OwnOutputSizeSteps)
{
    for (const AdjustCase& c : kAdjustCases) {
        std::unique_ptr<CVideoCodec> codec = Video(c.id);
        ASSERT_TRUE(codec) << c.name;
        CEncoderOptions options;
        options.Width = c.width;
        options.Height = c.height;
        CMediaStreamInfo source;
        source.FrameRateNum = c.sourceNum;
        source.FrameRateDen = c.sourceDen;
        EXPECT_EQ(0, codec->AdjustOutputSize(options, &source)) << c.name;
        EXPECT_STREQ(c.pixelFormat, options.PixelFormat) << c.name;
        EXPECT_EQ(c.aspectNum, options.AspectNum) << c.name;
        EXPECT_EQ(c.aspectDen, options.AspectDen) << c.name;
        EXPECT_EQ(c.rateNum, options.FrameRateNum) << c.name;
        EXPECT_EQ(c.rateDen, options.FrameRateDen) << c.name;
    }
}

// Two DV tasks at once share the format's codec object: each run's pixel format stays its own.
TEST(CodecCatalogueTest, DvPixelFormatBelongsToTheRun)
{
    std::unique_ptr<CVideoCodec> codec = Video(L"VC_dvvideo");
    CEncoderOptions ntsc, pal;
    ntsc.Width = 720;
    ntsc.Height = 480;
    pal.Width = 720;
    pal.Height = 576;
    CMediaStreamInfo source;
    ASSERT_EQ(0, codec->AdjustOutputSize(ntsc, &source));
    ASSERT_EQ(0, codec->AdjustOutputSize(pal, &source));
    EXPECT_STREQ(L"yuv411p", ntsc.PixelFormat) << "kept when another run adjusts its options";
    EXPECT_STREQ(L"", pal.PixelFormat);
    EXPECT_STREQ(L"", codec->m_pixelFormat) << "the shared codec holds no run's value";
}

TEST(CodecCatalogueTest, DcaRunsStrict)
{
    CEncoderOptions options;
    EXPECT_EQ(0, Audio(L"AC_dca")->AdjustOutputSize(options, nullptr));
    EXPECT_EQ(-2, options.StrictLevel);
    CEncoderOptions plain;
    Audio(L"AC_ac3")->AdjustOutputSize(plain, nullptr);
    EXPECT_EQ(0, plain.StrictLevel);
}

}  // namespace
