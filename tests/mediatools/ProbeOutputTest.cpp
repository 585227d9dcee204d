// The prober's JSON output read into media records: the members taken, the fallbacks, and
// malformed or hostile documents failing cleanly.
#include "mediatools/CProbeSession.h"
#include "mediatools/ProbeOutputParser.h"
#include <gtest/gtest.h>
#include <string>

namespace {

int Parse(const std::string& json, CMediaInfo& info)
{
    return ParseProbeOutput(json.data(), static_cast<int>(json.size()), info);
}

// What the prober prints for an MP4 with H.264 and AAC (members trimmed to those read).
const char kMp4[] = R"({
  "streams": [
    { "index": 0, "codec_name": "h264", "profile": "High", "codec_type": "video",
      "codec_tag_string": "avc1", "width": 1280, "height": 720, "sample_aspect_ratio": "1:1",
      "pix_fmt": "yuv420p", "r_frame_rate": "25/1", "avg_frame_rate": "25/1", "time_base": "1/12800",
      "start_time": "0.000000", "duration": "2.000000", "bit_rate": "254330", "nb_frames": "50",
      "is_avc": "true", "disposition": { "default": 1 }, "tags": { "language": "und" } },
    { "index": 1, "codec_name": "aac", "profile": "LC", "codec_type": "audio", "sample_fmt": "fltp",
      "sample_rate": "44100", "channels": 2, "time_base": "1/44100", "start_time": "0.000000",
      "duration": "2.021224", "bit_rate": "130554", "nb_frames": "89",
      "disposition": { "default": 0 }, "tags": { "language": "eng" } }
  ],
  "format": { "filename": "a.mp4", "nb_streams": 2, "nb_programs": 0,
    "format_name": "mov,mp4,m4a,3gp,3g2,mj2", "start_time": "0.000000", "duration": "2.021000",
    "size": "102400", "bit_rate": "405344", "probe_score": 100,
    "tags": { "encoder": "Lavf59.27.100" } }
})";

TEST(ProbeOutput, ReadsFormatAndStreams)
{
    CMediaInfo info;
    ASSERT_EQ(0, Parse(kMp4, info));
    EXPECT_EQ(2, info.Streams);
    EXPECT_EQ(CString(L"mov,mp4,m4a,3gp,3g2,mj2"), info.Format);
    EXPECT_EQ(2021000, info.DurationInUs);
    EXPECT_EQ(102400, info.Size);
    EXPECT_EQ(405344, info.BitRate);
    EXPECT_EQ(100, info.ProbeScore);
    EXPECT_EQ(CString(L"Lavf59.27.100"), info.EncoderTag);
    ASSERT_EQ(2, info.StreamList.GetSize());

    const CMediaStreamInfo& video = *info.StreamList[0];
    EXPECT_EQ(0, video.Index);
    EXPECT_EQ(MEDIA_TYPE_VIDEO, video.MediaType);
    EXPECT_EQ(CString(L"h264"), video.Codec);
    EXPECT_EQ(CString(L"High"), video.Profile);
    EXPECT_EQ(CString(L"avc1"), video.CodecTag);
    EXPECT_EQ(STREAM_FLAG_AVC | STREAM_FLAG_DEFAULT, video.Flags);
    EXPECT_EQ(1, video.TimeBaseNum);
    EXPECT_EQ(12800, video.TimeBaseDen);
    EXPECT_EQ(2000000, video.DurationInUs);
    EXPECT_EQ(50, video.Frames);
    EXPECT_EQ(254330, video.BitRate);
    EXPECT_EQ(1280, video.Width);
    EXPECT_EQ(720, video.Height);
    EXPECT_EQ(25, video.FrameRateNum);
    EXPECT_EQ(1, video.FrameRateDen);
    EXPECT_EQ(1, video.AspectNum);
    EXPECT_EQ(CString(L"yuv420p"), video.PixelFormat);
    EXPECT_TRUE(video.Language.IsEmpty()) << "und is dropped";

    const CMediaStreamInfo& audio = *info.StreamList[1];
    EXPECT_EQ(MEDIA_TYPE_AUDIO, audio.MediaType);
    EXPECT_EQ(0, audio.Flags);
    EXPECT_EQ(44100, audio.SampleRate);
    EXPECT_EQ(2, audio.Channels);
    EXPECT_EQ(CString(L"fltp"), audio.SampleFormat);
    EXPECT_EQ(CString(L"eng"), audio.Language);
    EXPECT_EQ(0, audio.Width) << "video members are not read for audio";
}

// One stream element, wrapped into a document with a format of the given members.
std::string Document(const std::string& stream, const std::string& format = R"("format_name": "x")")
{
    return "{\"format\": {" + format + "}, \"streams\": [" + stream + "]}";
}

TEST(ProbeOutput, StreamFallbacks)
{
    struct Case {
        const char* name;
        std::string stream;
        LONGLONG frames;
        LONGLONG streamDuration;
        int index;
        int flags;
        const wchar_t* language;
    };
    const Case cases[] = {
        {"nb_read_frames when nb_frames is empty",
         R"({"codec_type":"video","nb_frames":"","nb_read_frames":"250"})", 250, 0, -1, 0, L""},
        {"no index keeps -1", R"({"codec_type":"video"})", 0, 0, -1, 0, L""},
        {"is_avc of True", R"({"index":3,"codec_type":"video","is_avc":"True"})", 0, 0, 3, STREAM_FLAG_AVC, L""},
        {"is_avc of false", R"({"codec_type":"video","is_avc":"false"})", 0, 0, -1, 0, L""},
        {"UND dropped", R"({"codec_type":"audio","tags":{"language":"UND"}})", 0, 0, -1, 0, L""},
        {"DURATION tag read as clock time",
         R"({"codec_type":"video","duration":"5.0","tags":{"DURATION":"00:01:30.500000000"}})", 0, 90500000, -1, 0, L""},
        {"DURATION tag minutes and seconds", R"({"codec_type":"audio","tags":{"DURATION":"2:03.25"}})", 0, 123250000, -1, 0, L""},
        {"malformed DURATION tag leaves the duration",
         R"({"codec_type":"audio","duration":"5.0","tags":{"DURATION":"1:x"}})", 0, 5000000, -1, 0, L""},
        {"default disposition", R"({"codec_type":"audio","disposition":{"default":1}})", 0, 0, -1, STREAM_FLAG_DEFAULT, L""},
        {"members of the wrong kind count as absent",
         R"({"index":"2","codec_type":"video","nb_frames":50,"disposition":{"default":"1"},"tags":["x"]})", 0, 0, -1, 0, L""},
        {"an element that is not an object", R"(7)", 0, 0, -1, 0, L""},
    };
    for (const Case& c : cases) {
        CMediaInfo info;
        ASSERT_EQ(0, Parse(Document(c.stream), info)) << c.name;
        ASSERT_EQ(1, info.StreamList.GetSize()) << c.name;
        const CMediaStreamInfo& stream = *info.StreamList[0];
        EXPECT_EQ(c.frames, stream.Frames) << c.name;
        EXPECT_EQ(c.streamDuration, stream.DurationInUs) << c.name;
        EXPECT_EQ(c.index, stream.Index) << c.name;
        EXPECT_EQ(c.flags, stream.Flags) << c.name;
        EXPECT_EQ(CString(c.language), stream.Language) << c.name;
    }
}

TEST(ProbeOutput, DurationFromFramesAndRate)
{
    CMediaInfo info;
    ASSERT_EQ(0, Parse(Document(R"({"codec_type":"video","nb_frames":"250","avg_frame_rate":"25/1"})"), info));
    EXPECT_EQ(10000000, info.DurationInUs);

    CMediaInfo known;
    ASSERT_EQ(0, Parse(Document(R"({"codec_type":"video","nb_frames":"250","avg_frame_rate":"25/1"})",
                                R"("duration":"3.5")"), known));
    EXPECT_EQ(3500000, known.DurationInUs) << "a duration of the container is kept";

    CMediaInfo rateless;
    ASSERT_EQ(0, Parse(Document(R"({"codec_type":"video","nb_frames":"250","avg_frame_rate":"0/0"})"), rateless));
    EXPECT_EQ(0, rateless.DurationInUs);
}

TEST(ProbeOutput, TextIsUtf8)
{
    CMediaInfo info;
    ASSERT_EQ(0, Parse(Document(R"({"codec_type":"audio","tags":{"language":"fr\u00e9"}})",
                                "\"format_name\":\"x\",\"tags\":{\"encoder\":\"\xE6\x97\xA5\xE6\x9C\xAC\"}"),
                       info));
    EXPECT_EQ(CString(L"fr\u00e9"), info.StreamList[0]->Language);
    EXPECT_EQ(CString(L"\u65e5\u672c"), info.EncoderTag);
}

TEST(ProbeOutput, HugeNumbersAreClamped)
{
    CMediaInfo info;
    ASSERT_EQ(0, Parse(Document(R"({"codec_type":"video","duration":"1e300","bit_rate":"99999999999","nb_frames":"-5"})",
                                R"("duration":"-1e300","nb_streams":1e30,"bit_rate":"nan")"), info));
    EXPECT_EQ(LLONG_MIN, info.DurationInUs);
    EXPECT_EQ(0, info.Streams) << "not an integer: absent";
    EXPECT_EQ(0, info.BitRate);
    EXPECT_EQ(LLONG_MAX, info.StreamList[0]->DurationInUs);
    EXPECT_EQ(INT_MAX, info.StreamList[0]->BitRate);
    EXPECT_EQ(-5, info.StreamList[0]->Frames);
}

TEST(ProbeOutput, BadDocumentsFail)
{
    const struct {
        const char* name;
        std::string json;
    } cases[] = {
        {"empty", ""},
        {"not JSON", "Invalid data found when processing input"},
        {"cut short", std::string(kMp4).substr(0, 300)},
        {"no format", R"({"streams":[{"codec_type":"video"}]})"},
        {"format of the wrong kind", R"({"format":"mp4","streams":[{"codec_type":"video"}]})"},
        {"no streams", R"({"format":{}})"},
        {"empty streams", R"({"format":{},"streams":[]})"},
        {"streams not an array", R"({"format":{},"streams":{"0":{}}})"},
        {"root an array", R"([1,2])"},
        {"nested beyond the reader's limit", std::string(5000, '[') + std::string(5000, ']')},
    };
    for (const auto& c : cases) {
        CMediaInfo info;
        EXPECT_EQ(-1, Parse(c.json, info)) << c.name;
    }
}

TEST(ProbeOutput, ContainerListsNarrowedByExtension)
{
    const wchar_t kMovFamily[] = L"mov,mp4,m4a,3gp,3g2,mj2";
    const struct {
        const wchar_t* format;
        const wchar_t* path;
        const wchar_t* expected;
    } cases[] = {
        {kMovFamily, L"C:\\v\\a.mp4", L"mp4"},
        {kMovFamily, L"C:\\v\\a.M4A", L"m4a"},
        {kMovFamily, L"C:\\v\\a.mov", L"mov"},
        {kMovFamily, L"C:\\v\\a.3gp", L"3gp"},
        {kMovFamily, L"C:\\v\\a.3g2", L"3g2"},
        {kMovFamily, L"C:\\v\\a.mkv", kMovFamily},  // the extension names no member
        {kMovFamily, L"C:\\v\\a", kMovFamily},
        {L"matroska,webm", L"C:\\v\\a.mkv", L"matroska"},
        {L"matroska,webm", L"C:\\v\\a.mka", L"matroska"},
        {L"matroska,webm", L"C:\\v\\a.webm", L"webm"},
        {L"matroska,webm", L"C:\\v\\a.avi", L"matroska,webm"},
        {L"mpegts", L"C:\\v\\a.ts", L"mpegts"},
        {L"mp3", L"C:\\v\\a.mp4", L"mp3"},  // a single name stays
    };
    for (const auto& c : cases) {
        CProbeSession session;
        CMediaInfo info;
        info.Format = c.format;
        info.Size = 7;
        EXPECT_EQ(0, session.CompleteMediaInfo(info, c.path));
        EXPECT_EQ(CString(c.expected), info.Format) << CStringA(c.path);
        EXPECT_EQ(7, info.Size) << "a known size is kept";
    }
    CProbeSession session;
    CMediaInfo unknownSize;
    session.CompleteMediaInfo(unknownSize, L"C:\\no such folder\\a.mp4");
    EXPECT_EQ(-1, unknownSize.Size);
}

TEST(ProbeOutput, ClockTimes)
{
    const struct {
        const char* text;
        bool ok;
        LONGLONG us;
    } cases[] = {
        {"00:01:30.500000000", true, 90500000},
        {"1:00:00", true, 3600000000LL},
        {"45", true, 45000000},
        {"0.000001", true, 1},
        {"12:34", true, 754000000},
        {"", false, 0},
        {"1:2:3:4", false, 0},
        {"1:", false, 0},
        {"1.", false, 0},
        {"-1", false, 0},
        {"1:30 ", false, 0},
        {"9999999999:00:00", false, 0},
    };
    for (const auto& c : cases) {
        LONGLONG us = -7;
        EXPECT_EQ(c.ok, ParseClockTimeUs(c.text, us)) << c.text;
        if (c.ok) {
            EXPECT_EQ(c.us, us) << c.text;
        }
    }
}

}  // namespace
