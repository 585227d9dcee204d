// Real encodes of the built-in catalogue: every format switched on by default with its default
// preset, every preset of a sample of the others, and the presets that name the encoder
// libraries, converted from a short clip by the format itself (an encoder job with the preset's
// own options) and probed back. Then the encoders this build lacks, through the encoding tool.
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include "mediatools/CMediaInfo.h"
#include "mediatools/MediaToolLocation.h"
#include "tests/support/ToolTestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>

using namespace tooltest;

namespace {

struct Row {
    const wchar_t* format;
    const wchar_t* preset;     // null: the format's default preset
    const wchar_t* container;  // as the prober names it
    const wchar_t* video;      // the prober's codec name; null: no video stream
    const wchar_t* audio;      // likewise for audio
    const char* cannot;        // why the format cannot work here (the run must fail); null: it works
};

const char* const kNoIlbc = "no free iLBC encoder source: the encoding tool refuses it by name";

const Row kRows[] = {
    // Switched on by default: the default preset.
    {L"VF_mp4", nullptr, L"mp4", L"h264", L"aac"},
    {L"VF_3g2", nullptr, L"3g2", L"h264", L"amr_nb"},
    {L"VF_3gp", nullptr, L"3gp", L"h263", L"amr_nb"},
    {L"VF_avi", nullptr, L"avi", L"h264", L"ac3"},
    {L"VF_flv", nullptr, L"flv", L"flv1", L"mp3"},
    {L"VF_gif", nullptr, L"gif", L"gif", nullptr},
    {L"VF_hls", nullptr, L"hls", L"h264", L"aac"},
    {L"VF_mkv", nullptr, L"matroska", L"h264", L"aac"},
    {L"VF_mov", nullptr, L"mov", L"h264", L"aac"},
    {L"VF_ogv", nullptr, L"ogg", L"theora", L"vorbis"},
    {L"VF_ts", nullptr, L"mpegts", L"h264", L"ac3"},
    {L"VF_vob", nullptr, L"mpeg", L"mpeg2video", L"ac3"},
    {L"VF_webm", nullptr, L"webm", L"vp8", L"vorbis"},
    {L"VF_wmv", nullptr, L"asf", L"wmv2", L"wmav2"},
    {L"VF_DVD", nullptr, L"mpeg", L"mpeg2video", L"ac3"},
    {L"AF_mp3", nullptr, L"mp3", nullptr, L"mp3"},
    {L"AF_aac", nullptr, L"aac", nullptr, L"aac"},
    {L"AF_ac3", nullptr, L"ac3", nullptr, L"ac3"},
    {L"AF_flac", nullptr, L"flac", nullptr, L"flac"},
    {L"AF_m4a", nullptr, L"m4a", nullptr, L"aac"},
    {L"AF_mka", nullptr, L"matroska", nullptr, L"aac"},
    {L"AF_mp2", nullptr, L"mp3", nullptr, L"mp2"},
    {L"AF_ogg", nullptr, L"ogg", nullptr, L"vorbis"},
    {L"AF_opus", nullptr, L"ogg", nullptr, L"opus"},
    {L"AF_spx", nullptr, L"ogg", nullptr, L"speex"},
    {L"AF_wav", nullptr, L"wav", nullptr, L"pcm_s16le"},
    {L"AF_wma", nullptr, L"asf", nullptr, L"wmav2"},
    {L"VF_Apple", nullptr, L"mp4", L"h264", L"aac"},
    {L"VF_Amazon", nullptr, L"mp4", L"h264", L"aac"},
    {L"VF_Android", nullptr, L"mp4", L"h264", L"aac"},
    {L"VF_Google", nullptr, L"mp4", L"h264", L"aac"},
    {L"VF_Huawei", nullptr, L"mp4", L"h264", L"aac"},
    {L"VF_Lenovo", nullptr, L"mp4", L"h264", L"aac"},
    {L"VF_Microsoft", nullptr, L"mp4", L"mpeg4", L"aac"},
    {L"VF_Motorola", nullptr, L"mp4", L"h264", L"aac"},
    {L"VF_Nintendo", nullptr, L"mp4", L"h264", L"aac"},
    {L"VF_Samsung", nullptr, L"mp4", L"h264", L"aac"},
    {L"VF_Sony", nullptr, L"mp4", L"h264", L"aac"},
    {L"VF_Tablet", nullptr, L"mp4", L"h264", L"aac"},
    {L"VF_TV", nullptr, L"mp4", L"h264", L"aac"},
    {L"VF_Xiaomi", nullptr, L"mp4", L"h264", L"aac"},
    // Presets of formats switched on that name the other encoder libraries.
    {L"VF_mp4", L"HEVC - 240p", L"mp4", L"hevc", L"aac"},
    {L"VF_mp4", L"XviD", L"mp4", L"mpeg4", L"aac"},
    {L"VF_avi", L"Xvid", L"avi", L"mpeg4", L"mp3"},
    {L"VF_mkv", L"HEVC", L"matroska", L"hevc", L"aac"},
    {L"VF_webm", L"VP8 - 360p", L"webm", L"vp8", L"vorbis"},
    {L"VF_webm", L"VP8 - HD 720p", L"webm", L"vp8", L"vorbis"},
    {L"VF_webm", L"VP8 - HD 1080p", L"webm", L"vp8", L"vorbis"},
    {L"VF_webm", L"VP9", L"webm", L"vp9", L"vorbis"},
    {L"AF_spx", L"WB", L"ogg", nullptr, L"speex"},
    // Every preset of a sample of the formats switched off.
    {L"AF_amr", L"Narrow-Band", L"amr", nullptr, L"amr_nb"},
    {L"AF_amr", L"Wide-Band", L"amr", nullptr, L"amr_wb"},
    {L"AF_gsm", L"Auto", L"wav", nullptr, L"gsm_ms"},
    {L"AF_ilbc", L"Auto", L"ilbc", nullptr, L"ilbc", kNoIlbc},
    {L"AF_oga", L"Auto", L"ogg", nullptr, L"flac"},
    {L"VF_nut", L"Auto", L"nut", L"mpeg4", L"vorbis"},
    {L"VF_dv", L"NTSC Compatible", L"dv", L"dvvideo", L"pcm_s16le"},
    {L"VF_dv", L"PAL Compatible", L"dv", L"dvvideo", L"pcm_s16le"},
    {L"VF_mpeg1", L"Auto", L"mpeg", L"mpeg1video", L"mp2"},
    {L"VF_mpeg1", L"240p", L"mpeg", L"mpeg1video", L"mp2"},
    {L"VF_mpeg1", L"360p", L"mpeg", L"mpeg1video", L"mp2"},
    {L"VF_mpeg1", L"480p", L"mpeg", L"mpeg1video", L"mp2"},
    {L"VF_mpeg1", L"HD 720p", L"mpeg", L"mpeg1video", L"mp2"},
    {L"VF_mpeg1", L"HD 1080p", L"mpeg", L"mpeg1video", L"mp2"},
    {L"VF_mpeg1", L"VCD NTSC Compatible", L"mpeg", L"mpeg1video", L"mp2"},
    {L"VF_mpeg1", L"VCD PAL Compatible", L"mpeg", L"mpeg1video", L"mp2"},
};

// The encodes share the machine: a few at a time keep the suite well inside its time limit.
const unsigned kWorkers = 4;

std::string Narrow(const CString& text)
{
    return std::string(CStringA(text));
}

std::string Label(const Row& row)
{
    return Narrow(row.format) + " / " + (row.preset ? Narrow(row.preset) : std::string("default preset"));
}

// What the probe shows against what the row expects: empty when they agree.
std::string Compare(const Row& row, const CMediaInfo& info)
{
    std::string problems;
    auto check = [&](const char* what, const wchar_t* expected, const CString& got) {
        if (CString(expected ? expected : L"") != got)
            problems += std::string(what) + " '" + Narrow(got) + "' (expected '" +
                        (expected ? Narrow(expected) : std::string()) + "') ";
    };
    check("container", row.container, info.Format);
    const CMediaStreamInfo* video = info.GetVideoStream();
    check("video", row.video, video ? video->Codec : CString());
    const CMediaStreamInfo* audio = info.AudioStreams.GetSize() > 0 ? info.AudioStreams[0] : nullptr;
    check("audio", row.audio, audio ? audio->Codec : CString());
    return problems;
}

class CatalogueEncodeTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = MakeTempFolder(L"kavri catalogue");
        s_made = MakeMedia(s_folder + L"\\clip.mp4",
                           L"-f lavfi -i testsrc=duration=1:size=320x240:rate=25 "
                           L"-f lavfi -i sine=frequency=440:duration=1:sample_rate=44100 -ac 2 "
                           L"-c:v libx264 -pix_fmt yuv420p -c:a aac -shortest -f mp4");
    }
    static void TearDownTestSuite() { RemoveFolder(s_folder); }

    void SetUp() override
    {
        ASSERT_TRUE(s_made) << "the clip could not be made with ffmpeg.exe";
        m_saved = {ClipConverterPath, ClipInspectorPath};
        LocateMediaTools(ToolFolder().c_str());
        ASSERT_EQ(0, m_formats.BuildBuiltIns());
        for (int c = 0; c < m_formats.m_categories.GetSize(); ++c) {
            CMediaFormatCategory& category = *m_formats.m_categories[c];
            for (int f = 0; f < category.m_formats.GetSize(); ++f)
                ASSERT_EQ(0, category.m_formats[f]->ResetPresets());
        }
    }
    void TearDown() override
    {
        SetEnvironmentVariableW(L"KAVRI_TOOL_LOG", nullptr);
        ClipConverterPath = m_saved[0];
        ClipInspectorPath = m_saved[1];
    }

    std::wstring Media(const std::wstring& name) const { return s_folder + L"\\" + name; }

    // Converts the clip, probed as clip, with the row's format and preset; empty when the
    // outcome is the expected one, else what went wrong.
    std::string Encode(const Row& row, size_t index, const CMediaInfo& clip)
    {
        CMediaFormat* format = m_formats.FindFormat(row.format);
        if (!format)
            return "no such format";
        CMediaPreset* preset = row.preset ? format->FindPreset(row.preset) : format->m_presets[format->m_defaultPreset];
        if (!preset || (row.preset && preset->GetName() != row.preset))
            return "no such preset";
        std::wstring output = Media(L"out" + std::to_wstring(index) + std::wstring(format->m_extension));
        CEncoderOptions options;
        options.InputPath = Media(L"clip.mp4").c_str();
        options.OutputPath = output.c_str();
        int result = format->Convert(options, *preset, clip, nullptr, nullptr, nullptr);
        if (row.cannot) {
            if (result != -1)
                return "converted although it cannot work here";
            return FileExists(output) ? "the failed run left an output" : "";
        }
        if (result != 0)
            return "the conversion failed (" + std::to_string(result) + ")";
        CMediaInfo info;
        if (info.Probe(output.c_str(), nullptr) != 0)
            return "the output could not be probed";
        return Compare(row, info);
    }

    static std::wstring s_folder;
    static bool s_made;
    std::vector<CString> m_saved;
    CBuiltInMediaFormats m_formats;
};

std::wstring CatalogueEncodeTest::s_folder;
bool CatalogueEncodeTest::s_made = false;

TEST_F(CatalogueEncodeTest, EveryFormatSwitchedOnHasARow)
{
    std::set<std::wstring> covered;
    for (const Row& row : kRows)
        if (!row.preset)
            covered.insert(row.format);
    for (int c = 0; c < m_formats.m_categories.GetSize(); ++c) {
        const CMediaFormatCategory& category = *m_formats.m_categories[c];
        for (int f = 0; f < category.m_formats.GetSize(); ++f) {
            const CMediaFormat& format = *category.m_formats[f];
            bool on = (format.m_flags & FORMAT_OFF) == 0;
            EXPECT_EQ(on, covered.count(format.m_id) == 1) << Narrow(format.m_id);
        }
    }
}

TEST_F(CatalogueEncodeTest, EachRowConvertsToItsContainerAndCodecs)
{
    const size_t count = sizeof(kRows) / sizeof(kRows[0]);
    CMediaInfo clip;
    ASSERT_EQ(0, clip.Probe(Media(L"clip.mp4").c_str(), nullptr));
    std::vector<std::string> outcomes(count);
    std::atomic<size_t> next(0);
    std::vector<std::thread> workers;
    for (unsigned w = 0; w < kWorkers; ++w)
        workers.emplace_back([&] {
            for (size_t i = next++; i < count; i = next++)
                outcomes[i] = Encode(kRows[i], i, clip);
        });
    for (std::thread& worker : workers)
        worker.join();
    for (size_t i = 0; i < count; ++i) {
        const Row& row = kRows[i];
        EXPECT_EQ("", outcomes[i]) << Label(row) << (row.cannot ? std::string(": ") + row.cannot : std::string());
    }
}

// The encoding tool's stand-ins, given the encoders by name as any caller may.
TEST_F(CatalogueEncodeTest, TheToolStandsInForEncodersThisBuildLacks)
{
    const struct {
        const char* name;
        const wchar_t* args;       // between the input and the output
        const wchar_t* extension;
        const wchar_t* codec;      // of the output's first stream; null: no output
        const wchar_t* tag;        // its fourcc; null: not checked
        const char* logLine;       // in the tool's log
    } cases[] = {
        {"Xvid in AVI", L"-an -codec:v libxvid -f avi", L".avi", L"mpeg4", L"xvid", "libxvid is not in this build"},
        {"Xvid in MP4 keeps MP4's own tag", L"-an -codec:v libxvid -f mp4", L".mp4", L"mpeg4", L"mp4v",
         "libxvid is not in this build"},
        {"FDK AAC at the same bit rate", L"-vn -codec:a libfdk_aac -b:a 96k -f adts", L".aac", L"aac", nullptr,
         "libfdk_aac is not in this build"},
        {"iLBC has no stand-in", L"-vn -codec:a libilbc -f ilbc", L".ilbc", nullptr, nullptr,
         "the encoder libilbc is not in this build"},
    };
    int index = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring output = Media(L"stand-in" + std::to_wstring(++index) + c.extension);
        std::wstring log = Media(L"stand-in.log");
        DeleteFileW(log.c_str());
        SetEnvironmentVariableW(L"KAVRI_TOOL_LOG", log.c_str());
        ProcessRun run = RunProgram(ToolPath(L"ClipConverter.exe"), L"-i " + Quoted(Media(L"clip.mp4")) + L" " +
                                                                         c.args + L" " + Quoted(output) + L" -y");
        ASSERT_TRUE(run.finished);
        EXPECT_NE(std::string::npos, ReadFileBytes(log).find(c.logLine)) << ReadFileBytes(log);
        if (!c.codec) {
            EXPECT_EQ(1u, run.exitCode);
            EXPECT_FALSE(FileExists(output)) << "nothing was started";
            continue;
        }
        ASSERT_EQ(0u, run.exitCode);
        CMediaInfo info;
        ASSERT_EQ(0, info.Probe(output.c_str(), nullptr));
        ASSERT_EQ(1, info.StreamList.GetSize());
        const CMediaStreamInfo& stream = *info.StreamList[0];
        EXPECT_EQ(CString(c.codec), stream.Codec);
        if (c.tag) {
            EXPECT_EQ(CString(c.tag), stream.CodecTag);
        }
        if (stream.MediaType == MEDIA_TYPE_AUDIO) {
            EXPECT_NEAR(96000, info.BitRate, 16000) << "the bit rate asked for";
        }
    }
}

}  // namespace
