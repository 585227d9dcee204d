// The format base on built-in formats: finding and matching presets, their list and
// description texts, binding records, and the encoder options a preset gives for a source.
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

class CMediaFormatTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, m_formats.BuildBuiltIns());
        for (int c = 0; c < m_formats.m_categories.GetSize(); ++c) {
            for (int f = 0; f < m_formats.m_categories[c]->m_formats.GetSize(); ++f)
                m_formats.m_categories[c]->m_formats[f]->ResetPresets();
        }
        m_video.MediaType = 1;
        m_video.Width = m_video.DisplayWidth = 1920;
        m_video.Height = m_video.DisplayHeight = 1080;
        m_video.FrameRateNum = 25;
        m_video.FrameRateDen = 1;
        m_video.BitRate = 8000000;
        m_audio.MediaType = 2;
        m_audio.Channels = 2;
        m_audio.SampleRate = 48000;
        m_audio.BitRate = 128000;
    }
    CMediaFormat& Format(LPCWSTR id) { return *m_formats.FindFormat(id); }
    CMediaPreset& Preset(LPCWSTR formatId, LPCWSTR name)
    {
        CMediaPreset* pPreset = Format(formatId).FindPreset(name);
        EXPECT_EQ(CString(name), pPreset->GetName());
        return *pPreset;
    }

    CBuiltInMediaFormats m_formats;
    CMediaStreamInfo m_video;
    CMediaStreamInfo m_audio;
};

TEST_F(CMediaFormatTest, FindPreset)
{
    CMediaFormat& mp3 = Format(L"AF_mp3");
    struct Row {
        LPCWSTR name;
        const CMediaPreset* expected;
    };
    const Row rows[] = {
        {nullptr, mp3.m_presets[0]},
        {L"", mp3.m_presets[0]},
        {L"custom", mp3.m_pCustomPreset},
        {L"CUSTOM", mp3.m_pCustomPreset},
        {L"medium quality", mp3.m_presets[2]},
        {L"Higher Quality", mp3.m_presets[4]},
        {L"Unknown", mp3.m_presets[0]},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.expected, mp3.FindPreset(row.name)) << CStringA(row.name ? row.name : L"(null)");
    mp3.m_presets.DeleteAll();
    EXPECT_EQ(nullptr, mp3.FindPreset(L"Auto"));
    EXPECT_EQ(mp3.m_pCustomPreset, mp3.FindPreset(L"Custom"));
}

TEST_F(CMediaFormatTest, MediaKind)
{
    CMediaFormat& mp4 = Format(L"VF_mp4");
    EXPECT_EQ(1, mp4.GetMediaKind());
    mp4.m_mediaKind = -1;
    EXPECT_EQ(1, mp4.GetMediaKind());
    mp4.m_flags = FORMAT_AUDIO;
    EXPECT_EQ(2, mp4.GetMediaKind());
    mp4.m_flags = 0;
    EXPECT_EQ(-1, mp4.GetMediaKind());
}

TEST_F(CMediaFormatTest, PresetSummary)
{
    struct Row {
        LPCWSTR format;
        LPCWSTR preset;
        LPCWSTR twoColumns;
        LPCWSTR brackets;
    };
    const Row rows[] = {
        {L"VF_mp4", L"H.264", L"H.264", L"H.264"},
        {L"VF_mp4", L"H.264 - 240p", L"H.264 - 240p\t320 x 240", L"H.264 - 240p (320 x 240)"},
        {L"VF_hls", L"Audio Only", L"Audio Only", L"Audio Only"},
        {L"AF_mp3", L"Auto", L"Auto", L"Auto"},
        {L"AF_mp3", L"Low Quality", L"Low Quality\t128 kbps", L"Low Quality (128 kbps)"},
        {L"AF_spx", L"NB", L"NB\t24.6 kbps", L"NB (24.6 kbps)"},
    };
    for (const Row& row : rows) {
        const CMediaPreset& preset = Preset(row.format, row.preset);
        EXPECT_EQ(row.twoColumns, GetPresetSummary(&preset, TRUE)) << CStringA(row.preset);
        EXPECT_EQ(row.brackets, GetPresetSummary(&preset, FALSE)) << CStringA(row.preset);
    }
    CMediaPreset unbound;
    SetPresetText(unbound.m_record.name, L"Nothing");
    unbound.m_record.width = 320;
    unbound.m_record.height = 240;
    EXPECT_EQ(L"", GetPresetSummary(&unbound, TRUE));
    EXPECT_EQ(L"", GetPresetSummary(nullptr, TRUE));
}

TEST_F(CMediaFormatTest, PresetDescription)
{
    CMediaFormat& mp3 = Format(L"AF_mp3");
    EXPECT_EQ(L"MP3; Audio: MP3, Channel=Auto, Sample Rate=Auto, Bit Rate=128 kbps",
        mp3.GetPresetDescription(*mp3.FindPreset(L"Low Quality")));
    CMediaFormat& dvd = Format(L"VF_DVD");
    EXPECT_EQ(L"DVD; Video: MPEG2, Resolution=720x480, Frame Rate=29.97, Bit Rate=3000 kbps; "
              L"Audio: AC3, Channel=Stereo, Sample Rate=44100, Bit Rate=160 kbps",
        dvd.GetPresetDescription(*dvd.FindPreset(L"NTSC - Low Quality")));
    CMediaFormat& gif = Format(L"VF_gif");
    EXPECT_EQ(L"Animated GIF; Video: GIF, Resolution=Auto, Frame Rate=Auto, Bit Rate=Auto",
        gif.GetPresetDescription(*gif.FindPreset(L"Auto")));
    CMediaPreset unbound;
    EXPECT_EQ(L"Animated GIF", gif.GetPresetDescription(unbound));
}

TEST_F(CMediaFormatTest, FindMatchingPreset)
{
    CMediaFormat& dvd = Format(L"VF_DVD");
    CMediaPreset copy;
    ASSERT_EQ(1, dvd.InitPresetFromRecord(copy, dvd.m_presets[4]->m_record));
    SetPresetText(copy.m_record.name, L"Another name");
    SetPresetText(copy.m_record.videoProfile, L"main");
    copy.m_record.aspectNum = 16;
    copy.m_record.aspectDen = 9;
    EXPECT_EQ(4, dvd.FindMatchingPreset(copy)) << "names, profiles and aspect are not compared";
    copy.m_record.frameRateNum = 2500;
    copy.m_record.frameRateDen = 100;
    EXPECT_EQ(4, dvd.FindMatchingPreset(copy)) << "25/1 and 2500/100 are the same rate";
    copy.m_record.audioBitRate = 224000;
    EXPECT_EQ(-1, dvd.FindMatchingPreset(copy));

    CMediaFormat& amr = Format(L"AF_amr");
    CMediaPreset custom;
    amr.InitPresetFromRecord(custom, amr.m_pCustomPreset->m_record);
    EXPECT_EQ(-1, amr.FindMatchingPreset(custom)) << "the custom flag is compared";
    custom.m_record.flags = 0;
    EXPECT_EQ(0, amr.FindMatchingPreset(custom));
    custom.m_pAudioCodec = amr.m_audioCodecs[1];
    EXPECT_EQ(-1, amr.FindMatchingPreset(custom)) << "the bound codec is compared";
}

TEST_F(CMediaFormatTest, InitPresetFromRecordBindsByExactId)
{
    CMediaFormat& mp4 = Format(L"VF_mp4");
    MediaPresetRecord record = mp4.m_presets[0]->m_record;
    CMediaPreset preset;
    SetPresetText(record.videoCodec, L"vc_libx264");
    EXPECT_EQ(0, mp4.InitPresetFromRecord(preset, record));
    EXPECT_EQ(nullptr, preset.m_pVideoCodec);
    EXPECT_EQ(mp4.m_audioCodecs[0], preset.m_pAudioCodec);
    SetPresetText(record.videoCodec, L"VC_libx265");
    SetPresetText(record.audioCodec, L"AC_libmp3lame");  // not offered by MP4
    EXPECT_EQ(0, mp4.InitPresetFromRecord(preset, record));
    EXPECT_EQ(mp4.m_videoCodecs[1], preset.m_pVideoCodec);
    EXPECT_EQ(nullptr, preset.m_pAudioCodec);
    SetPresetText(record.audioCodec, L"AC_libmp3lame.mp4");
    EXPECT_EQ(1, mp4.InitPresetFromRecord(preset, record));

    CMediaFormat& gif = Format(L"VF_gif");
    EXPECT_EQ(1, gif.InitPresetFromRecord(preset, gif.m_presets[1]->m_record));
    EXPECT_EQ(nullptr, preset.m_pAudioCodec);
    preset.Clear();
    EXPECT_EQ(nullptr, preset.m_pVideoCodec);
    EXPECT_EQ(L"", preset.GetName());
}

TEST_F(CMediaFormatTest, ResolveSettings)
{
    CMediaFormat& ts = Format(L"VF_ts");
    MediaPresetRecord resolved;
    EXPECT_EQ(1, ts.ResolveSettings(resolved, Preset(L"VF_ts", L"H.264"), &m_video, &m_audio));
    EXPECT_EQ(0x3u, resolved.flags);
    EXPECT_EQ(L"mpegts", GetPresetText(resolved.name));
    EXPECT_EQ(L"libx264", GetPresetText(resolved.videoCodec));
    EXPECT_EQ(L"main", GetPresetText(resolved.videoProfile)) << "the codec's default profile";
    EXPECT_EQ(L"ac3", GetPresetText(resolved.audioCodec));
    EXPECT_EQ(0, resolved.width);

    CMediaFormat& vcd = Format(L"VF_VCD");
    CMediaPreset& pal = Preset(L"VF_VCD", L"PAL");
    pal.m_record.width = 640;  // not a VCD size
    vcd.ResolveSettings(resolved, pal, &m_video, &m_audio);
    EXPECT_EQ(352, resolved.width) << "picked with a source";
    EXPECT_EQ(240, resolved.height);
    vcd.ResolveSettings(resolved, pal, nullptr, nullptr);
    EXPECT_EQ(640, resolved.width) << "copied without a source";
    EXPECT_EQ(288, resolved.height);
    EXPECT_EQ(224000, resolved.audioBitRate);
}

struct OptionsCase {
    const char* name;
    LPCWSTR format;
    LPCWSTR preset;
    bool withVideo, withAudio;
    LPCWSTR outputFormat;
    bool videoOff;
    LPCWSTR videoCodec;
    int width, height, rateNum, rateDen, videoBitRate;
    int videoFlags;
    bool threads;
    LPCWSTR pixelFormat, profile, presetFile, tag;
    bool audioOff;
    LPCWSTR audioCodec;
    int channels, sampleRate, audioBitRate, audioFlags;
};

const OptionsCase kOptionsCases[] = {
    {"H.264 HD 720p", L"VF_mp4", L"H.264 - HD 720p", true, true, L"mp4", false, L"libx264", 1280, 720, 0, 0, 0, 1,
        true, L"", L"main", L"", L"", false, L"aac", 0, 0, 0, 1},
    {"no video stream drops video", L"VF_mp4", L"H.264", false, true, L"mp4", true, L"", 0, 0, 0, 0, 0, 0x20000000,
        false, L"", L"", L"", L"", false, L"aac", 0, 0, 0, 1},
    {"no audio stream drops audio", L"VF_mp4", L"H.264", true, false, L"mp4", false, L"libx264", 0, 0, 0, 0, 0, 1,
        true, L"", L"", L"", L"", true, L"", 0, 0, 0, 0x20000000},
    {"an audio format drops the video", L"AF_mp3", L"Low Quality", true, true, L"mp3", true, L"", 0, 0, 0, 0, 0,
        0x20000000, false, L"", L"", L"", L"", false, L"libmp3lame", 0, 0, 128000, 0},
    {"video switched off", L"VF_hls", L"Audio Only", true, true, L"hls", true, L"", 0, 0, 0, 0, 0, 0x20000000, false,
        L"", L"", L"", L"", false, L"aac", 0, 0, 0, 1},
    {"DVD NTSC", L"VF_DVD", L"NTSC - Medium Quality", true, true, L"dvd", false, L"mpeg2video", 720, 480, 30000, 1001,
        5500000, 0, false, L"", L"", L"", L"", false, L"ac3", 2, 48000, 192000, 0},
    {"DV NTSC is 4:1:1", L"VF_dv", L"NTSC Compatible", true, true, L"dv", false, L"dvvideo", 720, 480, 30000, 1001, 0,
        1, false, L"yuv411p", L"", L"", L"", false, L"pcm_s16le", 2, 48000, 0, 0},
    {"DV PAL", L"VF_dv", L"PAL Compatible", true, true, L"dv", false, L"dvvideo", 720, 576, 25, 1, 0, 1, false, L"",
        L"", L"", L"", false, L"pcm_s16le", 2, 48000, 0, 0},
    {"Filmstrip is RGBA", L"VF_flm", L"Auto", true, true, L"filmstrip", false, L"rawvideo", 0, 0, 0, 0, 0, 1,
        false, L"rgba", L"", L"", L"", true, L"", 0, 0, 0, 0x20000000},
    {"DivX tag", L"VF_avi", L"DivX", true, true, L"avi", false, L"mpeg4", 0, 0, 0, 0, 0, 1, false, L"", L"", L"",
        L"DIVX", false, L"libmp3lame", 0, 0, 0, 1},
    {"VP8 preset file", L"VF_webm", L"VP8 - 360p", true, true, L"webm", false, L"libvpx", 480, 360, 0, 0, 0, 1, true,
        L"", L"", L"libvpx-360p", L"", false, L"libvorbis", 0, 0, 0, 1},
    {"TS takes the codec's default profile", L"VF_ts", L"H.264", true, true, L"mpegts", false, L"libx264", 0, 0, 0, 0,
        0, 1, true, L"", L"main", L"", L"", false, L"ac3", 0, 0, 0, 1},
    {"GXF forces mono", L"VF_gxf", L"PAL", true, true, L"gxf", false, L"mpeg2video", 480, 576, 0, 0, 0, 0, false, L"",
        L"", L"", L"", false, L"pcm_s16le", 1, 48000, 0, 0},
};

TEST_F(CMediaFormatTest, BuildEncoderOptions)
{
    for (const OptionsCase& c : kOptionsCases) {
        CMediaFormat& format = Format(c.format);
        CEncoderOptions options;
        ASSERT_EQ(0, format.BuildEncoderOptions(options, Preset(c.format, c.preset), c.withVideo ? &m_video : nullptr,
                         c.withAudio ? &m_audio : nullptr))
            << c.name;
        EXPECT_EQ(c.outputFormat, options.OutputFormat) << c.name;
        EXPECT_EQ(c.videoFlags, options.VideoFlags) << c.name;
        EXPECT_EQ(c.videoCodec, options.VideoCodec) << c.name;
        EXPECT_EQ(c.width, options.Width) << c.name;
        EXPECT_EQ(c.height, options.Height) << c.name;
        EXPECT_EQ(c.rateNum, options.FrameRateNum) << c.name;
        EXPECT_EQ(c.rateDen, options.FrameRateDen) << c.name;
        EXPECT_EQ(c.videoBitRate, options.VideoBitRate) << c.name;
        EXPECT_EQ(c.threads ? 1 : 0, options.OptionsFlags & ENCODER_OPTION_THREADS) << c.name;
        EXPECT_EQ(c.pixelFormat, options.PixelFormat) << c.name;
        EXPECT_EQ(c.profile, options.VideoProfile) << c.name;
        EXPECT_EQ(c.presetFile, options.VideoPresetFile) << c.name;
        EXPECT_EQ(c.tag, options.VideoTag) << c.name;
        EXPECT_EQ(c.audioFlags, options.AudioFlags) << c.name;
        EXPECT_EQ(c.audioCodec, options.AudioCodec) << c.name;
        EXPECT_EQ(c.channels, options.Channels) << c.name;
        EXPECT_EQ(c.sampleRate, options.SampleRate) << c.name;
        EXPECT_EQ(c.audioBitRate, options.AudioBitRate) << c.name;
        EXPECT_EQ(0, options.AspectNum) << c.name;
        EXPECT_EQ(L"", options.OutputExtra1) << c.name;
    }
}

TEST_F(CMediaFormatTest, HlsKeepsEverySegment)
{
    CEncoderOptions options;
    EXPECT_EQ(-1, options.HlsListSize);
    ASSERT_EQ(0, Format(L"VF_hls").BuildEncoderOptions(options, Preset(L"VF_hls", L"480p"), &m_video, &m_audio));
    EXPECT_EQ(0, options.HlsListSize);
    EXPECT_EQ(854, options.Width);
    CEncoderOptions other;
    Format(L"VF_mp4").BuildEncoderOptions(other, Preset(L"VF_mp4", L"H.264"), &m_video, &m_audio);
    EXPECT_EQ(-1, other.HlsListSize);
}

TEST_F(CMediaFormatTest, FormatExtraOptionsFollowTheOutputsOwn)
{
    CMediaFormat& mkv = Format(L"VF_mkv");
    mkv.m_extraOptions = L"-write_crc32 0";
    CEncoderOptions options;
    options.OutputExtra1 = L"-map_metadata -1";
    mkv.BuildEncoderOptions(options, *mkv.m_presets[0], &m_video, &m_audio);
    EXPECT_EQ(L"-map_metadata -1 -write_crc32 0", options.OutputExtra1);
}

// A custom preset is kept whatever its codecs bind to: its missing codec is left to the
// encoding tool's choice for the muxer, never followed.
TEST_F(CMediaFormatTest, UnboundCodecsAreGuarded)
{
    CMediaFormat& mp4 = Format(L"VF_mp4");
    CMediaPreset& custom = *mp4.m_pCustomPreset;
    MediaPresetRecord record = custom.m_record;
    SetPresetText(record.videoCodec, L"VC_gone");
    SetPresetText(record.audioCodec, L"AC_gone");
    record.width = 640;
    record.height = 480;
    EXPECT_EQ(0, mp4.InitPresetFromRecord(custom, record));
    CEncoderOptions options;
    EXPECT_EQ(0, mp4.BuildEncoderOptions(options, custom, &m_video, &m_audio));
    EXPECT_EQ(L"mp4", options.OutputFormat);
    EXPECT_EQ(L"", options.VideoCodec);
    EXPECT_EQ(0, options.Width);
    EXPECT_EQ(0, options.VideoFlags);
    EXPECT_EQ(L"", options.AudioCodec);
    MediaPresetRecord resolved;
    EXPECT_EQ(1, mp4.ResolveSettings(resolved, custom, &m_video, &m_audio));
    EXPECT_EQ(L"", GetPresetText(resolved.videoCodec));
    EXPECT_EQ(L"", GetPresetSummary(&custom, TRUE));
    EXPECT_EQ(L"MP4", mp4.GetPresetDescription(custom));
}

// The job takes the streams the caller probed: the input itself is not read again.
TEST_F(CMediaFormatTest, GifIsPreparedFromTheStreamsGiven)
{
    CEncoderOptions options;
    options.InputPath = L"C:\\no such folder\\missing.mp4";
    CMediaInfo input;
    CMediaStreamInfo* pAudio = new CMediaStreamInfo(m_audio);
    input.StreamList.Add(pAudio);
    input.AudioStreams.Add(pAudio);
    CMediaFormat& gif = Format(L"VF_gif");
    EXPECT_EQ(-1, gif.PrepareJob(options, Preset(L"VF_gif", L"Auto"), input, nullptr)) << "no video stream";
    EXPECT_EQ(L"", options.OutputFormat);
    CMediaStreamInfo* pVideo = new CMediaStreamInfo(m_video);
    input.StreamList.Add(pVideo);
    input.VideoStreams.Add(pVideo);
    EXPECT_EQ(0, gif.PrepareJob(options, Preset(L"VF_gif", L"Auto"), input, nullptr));
    EXPECT_EQ(L"gif", options.OutputFormat);
    EXPECT_EQ(1920, options.Width);
    EXPECT_EQ(1080, options.Height);
}

}  // namespace
