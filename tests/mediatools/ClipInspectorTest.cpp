// ClipInspector.exe under Wine: the probe command line the programs use, on media made here,
// and the JSON members they read from its output.
#include "tests/support/ToolTestSupport.h"

#include <gtest/gtest.h>
#include <cctype>
#include <string>

using namespace tooltest;

namespace {

enum class Kind { Missing, Text, Number, Object };

// The kind of the first member called name in json; enough for output whose members the
// test knows.
Kind MemberKind(const std::string& json, const std::string& name)
{
    size_t at = json.find("\"" + name + "\": ");
    if (at == std::string::npos)
        return Kind::Missing;
    char first = json[at + name.size() + 4];
    if (first == '"')
        return Kind::Text;
    if (first == '{')
        return Kind::Object;
    return isdigit(static_cast<unsigned char>(first)) || first == '-' ? Kind::Number : Kind::Missing;
}

// The value of the first member called name as written: a text with its quotes, a number.
std::string MemberValue(const std::string& json, const std::string& name)
{
    size_t at = json.find("\"" + name + "\": ");
    if (at == std::string::npos)
        return "";
    size_t start = at + name.size() + 4;
    size_t end = json[start] == '"' ? json.find('"', start + 1) + 1 : json.find_first_of(",\r\n", start);
    return json.substr(start, end - start);
}

class ClipInspectorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = MakeTempFolder(L"kavri inspector");
        clip_ = folder_ + L"\\clip.mp4";
        made_ = MakeMedia(clip_, kClipH264Aac);
    }
    static void TearDownTestSuite() { RemoveFolder(folder_); }
    void SetUp() override { ASSERT_TRUE(made_) << "test media could not be made with ffmpeg.exe"; }

    // Runs the probe as the programs do, its output into a file, and returns that output.
    static std::string Probe(const std::wstring& path, const std::wstring& extra, DWORD* exitCode)
    {
        std::wstring output = folder_ + L"\\probe.json";
        ProcessRun run = RunProgram(ToolPath(L"ClipInspector.exe"),
                                    Quoted(path) + L" -loglevel quiet -show_format -show_streams -print_format json" +
                                        extra,
                                    60000, output);
        *exitCode = run.finished ? run.exitCode : 0xFFFFFFFF;
        return ReadFileBytes(output);
    }

    static inline std::wstring folder_, clip_;
    static inline bool made_ = false;
};

TEST_F(ClipInspectorTest, PrintsTheMembersTheProberReads)
{
    DWORD code = 0;
    std::string json = Probe(clip_, L"", &code);
    ASSERT_EQ(code, 0u);
    size_t formatAt = json.find("\"format\": {");
    ASSERT_NE(formatAt, std::string::npos) << json;
    std::string streams = json.substr(0, formatAt), format = json.substr(formatAt);
    size_t audioAt = streams.find("\"index\": 1,");
    ASSERT_NE(audioAt, std::string::npos);
    std::string video = streams.substr(0, audioAt), audio = streams.substr(audioAt);

    const struct {
        const char* part;
        const std::string& json;
        const char* member;
        Kind kind;
    } members[] = {
        {"format", format, "nb_streams", Kind::Number},
        {"format", format, "nb_programs", Kind::Number},
        {"format", format, "format_name", Kind::Text},
        {"format", format, "start_time", Kind::Text},
        {"format", format, "duration", Kind::Text},
        {"format", format, "size", Kind::Text},
        {"format", format, "bit_rate", Kind::Text},
        {"format", format, "probe_score", Kind::Number},
        {"format", format, "tags", Kind::Object},
        {"format", format, "encoder", Kind::Text},
        {"video", video, "index", Kind::Number},
        {"video", video, "codec_name", Kind::Text},
        {"video", video, "profile", Kind::Text},
        {"video", video, "codec_type", Kind::Text},
        {"video", video, "codec_tag_string", Kind::Text},
        {"video", video, "is_avc", Kind::Text},
        {"video", video, "time_base", Kind::Text},
        {"video", video, "start_time", Kind::Text},
        {"video", video, "duration", Kind::Text},
        {"video", video, "bit_rate", Kind::Text},
        {"video", video, "nb_frames", Kind::Text},
        {"video", video, "pix_fmt", Kind::Text},
        {"video", video, "width", Kind::Number},
        {"video", video, "height", Kind::Number},
        {"video", video, "avg_frame_rate", Kind::Text},
        {"video", video, "r_frame_rate", Kind::Text},
        {"video", video, "sample_aspect_ratio", Kind::Text},
        {"video", video, "disposition", Kind::Object},
        {"video", video, "default", Kind::Number},
        {"video", video, "language", Kind::Text},
        {"audio", audio, "sample_fmt", Kind::Text},
        {"audio", audio, "sample_rate", Kind::Text},
        {"audio", audio, "channels", Kind::Number},
    };
    for (const auto& m : members)
        EXPECT_EQ(MemberKind(m.json, m.member), m.kind) << m.part << " " << m.member;

    EXPECT_EQ(MemberValue(format, "nb_streams"), "2");
    EXPECT_EQ(MemberValue(format, "format_name"), "\"mov,mp4,m4a,3gp,3g2,mj2\"");
    EXPECT_NEAR(atof(MemberValue(format, "duration").c_str() + 1), 4.0, 0.05);
    EXPECT_EQ(MemberValue(video, "codec_name"), "\"h264\"");
    EXPECT_EQ(MemberValue(video, "width"), "320");
    EXPECT_EQ(MemberValue(video, "avg_frame_rate"), "\"25/1\"");
    EXPECT_EQ(MemberValue(audio, "codec_name"), "\"aac\"");
    EXPECT_EQ(MemberValue(audio, "sample_rate"), "\"44100\"");
}

TEST_F(ClipInspectorTest, OptionalOptionsAreAccepted)
{
    const struct {
        const char* name;
        const wchar_t* extra;
        const char* member;
        const char* value;
    } cases[] = {
        {"-count_frames", L" -count_frames", "nb_read_frames", "\"100\""},
        {"-analyzeduration", L" -analyzeduration 1000000", "nb_streams", "2"},
        {"-probesize", L" -probesize 100000", "nb_streams", "2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DWORD code = 0;
        std::string json = Probe(clip_, c.extra, &code);
        EXPECT_EQ(code, 0u);
        EXPECT_EQ(MemberValue(json, c.member), c.value);
    }
}

TEST_F(ClipInspectorTest, DamagedFileFails)
{
    std::string clip = ReadFileBytes(clip_);
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"not media", std::string(4096, 'x')},
        {"cut short", clip.substr(0, clip.size() / 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring path = folder_ + L"\\damaged.mp4";
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, c.bytes.data(), static_cast<DWORD>(c.bytes.size()), &written, nullptr);
        CloseHandle(file);
        DWORD code = 0;
        std::string json = Probe(path, L"", &code);
        EXPECT_NE(code, 0u);
        EXPECT_EQ(json.find("\"streams\": ["), std::string::npos);
    }
}

}  // namespace
