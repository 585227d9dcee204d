#include "mediatools/ProbeOutputParser.h"
#include "framework/text/CodePage.h"
#include "framework/text/TextHelpers.h"
#include <json/json.h>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

const Json::Value& Member(const Json::Value& object, const char* pszName)
{
    static const Json::Value null;
    if (!object.isObject())
        return null;
    const Json::Value* pValue = object.find(pszName, pszName + strlen(pszName));
    return pValue ? *pValue : null;
}

// The member's bytes when it is a JSON string, else empty.
std::string RawText(const Json::Value& object, const char* pszName)
{
    const Json::Value& value = Member(object, pszName);
    return value.isString() ? value.asString() : std::string();
}

CString Text(const Json::Value& object, const char* pszName)
{
    std::string text = RawText(object, pszName);
    if (text.empty() || text.size() > INT_MAX / 2)
        return CString();
    return Utf8ToWide(text.data(), static_cast<int>(text.size()));
}

int Int(const Json::Value& object, const char* pszName)
{
    const Json::Value& value = Member(object, pszName);
    return value.isInt() ? value.asInt() : 0;
}

int TextToInt(const std::string& text)
{
    long long n = strtoll(text.c_str(), nullptr, 10);
    return n > INT_MAX ? INT_MAX : n < INT_MIN ? INT_MIN : static_cast<int>(n);
}

LONGLONG ClampToInt64(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 9.2e18)
        return LLONG_MAX;
    if (value <= -9.2e18)
        return LLONG_MIN;
    return static_cast<LONGLONG>(value);
}

LONGLONG SecondsTextToUs(const std::string& text)
{
    return ClampToInt64(atof(text.c_str()) * 1000000.0);
}

void ReadFormat(const Json::Value& format, CMediaInfo& info)
{
    info.Streams = Int(format, "nb_streams");
    info.Programs = Int(format, "nb_programs");
    info.Format = Text(format, "format_name");
    info.StartTimeInUs = SecondsTextToUs(RawText(format, "start_time"));
    info.DurationInUs = SecondsTextToUs(RawText(format, "duration"));
    info.Size = _atoi64(RawText(format, "size").c_str());
    info.BitRate = TextToInt(RawText(format, "bit_rate"));
    info.ProbeScore = Int(format, "probe_score");
    CString strEncoder = Text(Member(format, "tags"), "encoder");
    if (!strEncoder.IsEmpty())
        info.EncoderTag = strEncoder;
}

int MediaTypeOf(const std::string& type)
{
    if (type == "video")
        return MEDIA_TYPE_VIDEO;
    if (type == "audio")
        return MEDIA_TYPE_AUDIO;
    if (type == "subtitle")
        return MEDIA_TYPE_SUBTITLE;
    return MEDIA_TYPE_OTHER;
}

void ReadVideo(const Json::Value& element, CMediaStreamInfo& stream)
{
    stream.PixelFormat = Text(element, "pix_fmt");
    stream.Width = Int(element, "width");
    stream.Height = Int(element, "height");
    std::string rate = RawText(element, "avg_frame_rate");
    if (rate.empty())
        rate = RawText(element, "r_frame_rate");
    if (!rate.empty()) {
        std::pair<int, int> pair = ScanIntPairA(rate.c_str(), "%d/%d");
        stream.FrameRateNum = pair.first;
        stream.FrameRateDen = pair.second;
    }
    std::string aspect = RawText(element, "sample_aspect_ratio");
    if (!aspect.empty()) {
        std::pair<int, int> pair = ScanIntPairA(aspect.c_str(), "%d:%d");
        stream.AspectNum = pair.first;
        stream.AspectDen = pair.second;
    }
}

void ReadAudio(const Json::Value& element, CMediaStreamInfo& stream)
{
    stream.SampleFormat = Text(element, "sample_fmt");
    stream.SampleRate = TextToInt(RawText(element, "sample_rate"));
    stream.Channels = Int(element, "channels");
}

void ReadTags(const Json::Value& tags, CMediaStreamInfo& stream)
{
    CString strLanguage = Text(tags, "language");
    if (!strLanguage.IsEmpty() && strLanguage.CompareNoCase(L"und") != 0)
        stream.Language = strLanguage;
    std::string duration = RawText(tags, "DURATION");
    LONGLONG nDuration = 0;
    if (!duration.empty() && ParseClockTimeUs(duration.c_str(), nDuration))
        stream.DurationInUs = nDuration;
}

void ReadStream(const Json::Value& element, CMediaStreamInfo& stream)
{
    const Json::Value& index = Member(element, "index");
    stream.Index = index.isInt() ? index.asInt() : -1;
    stream.Codec = Text(element, "codec_name");
    stream.Profile = Text(element, "profile");
    stream.CodecTag = Text(element, "codec_tag_string");
    stream.MediaType = MediaTypeOf(RawText(element, "codec_type"));
    if (Text(element, "is_avc").CompareNoCase(L"true") == 0)
        stream.Flags |= STREAM_FLAG_AVC;
    std::string timeBase = RawText(element, "time_base");
    if (timeBase.find('/') != std::string::npos) {
        std::pair<int, int> pair = ScanIntPairA(timeBase.c_str(), "%d/%d");
        stream.TimeBaseNum = pair.first;
        stream.TimeBaseDen = pair.second;
    }
    stream.StartTimeInUs = SecondsTextToUs(RawText(element, "start_time"));
    stream.DurationInUs = SecondsTextToUs(RawText(element, "duration"));
    stream.BitRate = TextToInt(RawText(element, "bit_rate"));
    std::string frames = RawText(element, "nb_frames");
    if (frames.empty())
        frames = RawText(element, "nb_read_frames");
    stream.Frames = TextToInt(frames);
    if (stream.MediaType == MEDIA_TYPE_VIDEO)
        ReadVideo(element, stream);
    else if (stream.MediaType == MEDIA_TYPE_AUDIO)
        ReadAudio(element, stream);
    if (Int(Member(element, "disposition"), "default") != 0)
        stream.Flags |= STREAM_FLAG_DEFAULT;
    ReadTags(Member(element, "tags"), stream);
}

// A container that gives no duration of its own takes the first countable stream's.
void FillDurationFromFrames(const CMediaStreamInfo& stream, CMediaInfo& info)
{
    if (info.DurationInUs != 0 || stream.Frames <= 0 || stream.FrameRateNum <= 0 || stream.FrameRateDen <= 0)
        return;
    double rate = static_cast<double>(stream.FrameRateNum) / stream.FrameRateDen;
    info.DurationInUs = ClampToInt64(stream.Frames * 1000000.0 / rate);
}

bool ParseDocument(const char* pchJson, int nLength, Json::Value& root)
{
    Json::CharReaderBuilder builder;
    builder["collectComments"] = false;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    try {
        return reader->parse(pchJson, pchJson + nLength, &root, &errors);
    } catch (const std::exception&) {
        return false;  // too deeply nested, among others
    }
}

}  // namespace

int ParseProbeOutput(const char* pchJson, int nLength, CMediaInfo& info)
{
    Json::Value root;
    if (pchJson == nullptr || nLength <= 0 || !ParseDocument(pchJson, nLength, root))
        return -1;
    const Json::Value& format = Member(root, "format");
    if (!format.isObject())
        return -1;
    ReadFormat(format, info);
    const Json::Value& streams = Member(root, "streams");
    if (!streams.isArray() || streams.empty())
        return -1;
    for (Json::ArrayIndex i = 0; i < streams.size(); i++) {
        CMediaStreamInfo* pStream = new CMediaStreamInfo;
        ReadStream(streams[i], *pStream);
        FillDurationFromFrames(*pStream, info);
        info.StreamList.Add(pStream);
    }
    return 0;
}

namespace {

// Reads digits into n; false when there are none or too many.
bool ReadDigits(const char*& p, LONGLONG& n)
{
    const char* pStart = p;
    n = 0;
    while (*p >= '0' && *p <= '9' && p - pStart < 9)
        n = n * 10 + (*p++ - '0');
    return p > pStart && !(*p >= '0' && *p <= '9');
}

}  // namespace

bool ParseClockTimeUs(const char* pszText, LONGLONG& nMicroseconds)
{
    const char* p = pszText;
    LONGLONG nSeconds = 0;
    LONGLONG nField = 0;
    for (int nFields = 0;; nFields++) {
        if (nFields == 3 || !ReadDigits(p, nField))
            return false;
        nSeconds = nSeconds * 60 + nField;
        if (*p != ':')
            break;
        p++;
    }
    LONGLONG nFraction = 0;  // microseconds
    if (*p == '.') {
        p++;
        LONGLONG nScale = 100000;
        if (!(*p >= '0' && *p <= '9'))
            return false;
        for (; *p >= '0' && *p <= '9'; p++, nScale /= 10)
            nFraction += (*p - '0') * nScale;
    }
    if (*p != '\0')
        return false;
    nMicroseconds = nSeconds * 1000000 + nFraction;
    return true;
}
