#include "tools/ClipRunner/RunnerOptions.h"

#include <cwchar>
#include <cwctype>
#include <functional>
#include <map>

namespace {

bool ParseInt64(const std::wstring& text, int64_t& value)
{
    if (text.empty())
        return false;
    wchar_t* end = nullptr;
    long long parsed = wcstoll(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != 0)
        return false;
    value = parsed;
    return true;
}

bool ParseInt(const std::wstring& text, int& value)
{
    int64_t wide = 0;
    if (!ParseInt64(text, wide) || wide < INT32_MIN || wide > INT32_MAX)
        return false;
    value = static_cast<int>(wide);
    return true;
}

bool ParseNumber(const std::wstring& text, double& value)
{
    if (text.empty() || iswspace(text[0]))
        return false;
    wchar_t* end = nullptr;
    value = wcstod(text.c_str(), &end);
    return end != text.c_str() && *end == 0;
}

// The command line counts streams from 1; 0 or less leaves the choice to the tool.
int StreamIndexOf(const std::wstring& text)
{
    int number = 0;
    return ParseInt(text, number) && number >= 1 ? number - 1 : -1;
}

using ValueSetter = std::function<void(RunnerOptions&, const std::wstring&)>;
using FlagSetter = std::function<void(RunnerOptions&)>;

const std::map<std::wstring, FlagSetter>& Flags()
{
    static const std::map<std::wstring, FlagSetter> flags = {
        {L"-autoexit", [](RunnerOptions& o) { o.autoExit = true; }},
        {L"-infbuf", [](RunnerOptions&) {}},
        {L"-framedrop", [](RunnerOptions& o) { o.frameDrop = true; }},
        {L"-vn", [](RunnerOptions& o) { o.noVideo = true; }},
        {L"-an", [](RunnerOptions& o) { o.noAudio = true; }},
        {L"-sn", [](RunnerOptions& o) { o.noSubtitles = true; }},
        {L"-mute", [](RunnerOptions& o) { o.mute = true; }},
    };
    return flags;
}

const std::map<std::wstring, ValueSetter>& ValueOptions()
{
    static const std::map<std::wstring, ValueSetter> options = {
        {L"-exit_delay", [](RunnerOptions& o, const std::wstring& v) { ParseInt(v, o.exitDelayMs); }},
        {L"-threads", [](RunnerOptions& o, const std::wstring& v) { ParseInt(v, o.threads); }},
        {L"-seek2any", [](RunnerOptions& o, const std::wstring& v) { o.seekToAny = v != L"0"; }},
        // Drawing and sound always go through GDI and waveOut.
        {L"-video_driver", [](RunnerOptions&, const std::wstring&) {}},
        {L"-audio_driver", [](RunnerOptions&, const std::wstring&) {}},
        {L"-ss", [](RunnerOptions& o, const std::wstring& v) { ParseToolTime(v, o.startUs); }},
        {L"-t", [](RunnerOptions& o, const std::wstring& v) { ParseToolTime(v, o.lengthUs); }},
        {L"-i", [](RunnerOptions& o, const std::wstring& v) { o.input = v; }},
        {L"-vst", [](RunnerOptions& o, const std::wstring& v) { o.videoStream = StreamIndexOf(v); }},
        {L"-ast", [](RunnerOptions& o, const std::wstring& v) { o.audioStream = StreamIndexOf(v); }},
        {L"-sst", [](RunnerOptions& o, const std::wstring& v) { o.subtitleStream = StreamIndexOf(v); }},
        {L"-sync", [](RunnerOptions& o, const std::wstring& v) { o.sync = v; }},
        {L"-vf", [](RunnerOptions& o, const std::wstring& v) { o.videoFilters = v; }},
        {L"-af", [](RunnerOptions& o, const std::wstring& v) { o.audioFilters = v; }},
        {L"-volume", [](RunnerOptions& o, const std::wstring& v) { ParseInt(v, o.volume); }},
        {L"-wave_effect", [](RunnerOptions& o, const std::wstring& v) { ParseInt(v, o.waveform.effect); }},
        {L"-wave_block_size", [](RunnerOptions& o, const std::wstring& v) { ParseInt(v, o.waveform.blockSize); }},
        {L"-wave_block_space", [](RunnerOptions& o, const std::wstring& v) { ParseInt(v, o.waveform.blockSpace); }},
        {L"-wave_gradient", [](RunnerOptions& o, const std::wstring& v) { ParseInt(v, o.waveform.gradient); }},
        {L"-wave_color_1", [](RunnerOptions& o, const std::wstring& v) { ParseInt(v, o.waveform.color1); }},
        {L"-wave_color_2", [](RunnerOptions& o, const std::wstring& v) { ParseInt(v, o.waveform.color2); }},
        {L"-wave_color_3", [](RunnerOptions& o, const std::wstring& v) { ParseInt(v, o.waveform.color3); }},
        {L"-owner_window", [](RunnerOptions& o, const std::wstring& v) {
             int64_t value = 0;
             if (ParseInt64(v, value))
                 o.ownerWindow = static_cast<uint64_t>(value);
         }},
        {L"-callback_context", [](RunnerOptions& o, const std::wstring& v) {
             int64_t value = 0;
             if (ParseInt64(v, value))
                 o.callbackContext = static_cast<uint64_t>(value);
         }},
    };
    return options;
}

}  // namespace

RunnerOptions ParseRunnerOptions(const std::vector<std::wstring>& args)
{
    RunnerOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        auto flag = Flags().find(args[i]);
        if (flag != Flags().end()) {
            flag->second(options);
            continue;
        }
        auto valued = ValueOptions().find(args[i]);
        if (valued != ValueOptions().end() && i + 1 < args.size())
            valued->second(options, args[++i]);
    }
    if (options.volume < 0)
        options.volume = 0;
    if (options.volume > 100)
        options.volume = 100;
    return options;
}

bool ParseToolTime(const std::wstring& text, int64_t& us)
{
    double total = 0;
    size_t begin = 0;
    int fields = 0;
    for (;;) {
        size_t colon = text.find(L':', begin);
        std::wstring part = text.substr(begin, colon == std::wstring::npos ? std::wstring::npos : colon - begin);
        double value = 0;
        bool last = colon == std::wstring::npos;
        // Hours and minutes are whole numbers; only the seconds have a fraction.
        if (!ParseNumber(part, value) || value < 0 || (!last && part.find(L'.') != std::wstring::npos))
            return false;
        total = total * 60 + value;
        if (++fields > 3)
            return false;
        if (last)
            break;
        begin = colon + 1;
    }
    us = static_cast<int64_t>(total * 1000000.0 + 0.5);
    return true;
}

namespace {

// The factors of every "name=<number>" filter of a comma-separated chain whose text after the
// number is exactly suffix.
std::vector<double> FilterFactors(const std::wstring& chain, const std::wstring& name, const std::wstring& suffix)
{
    std::vector<double> factors;
    size_t begin = 0;
    while (begin <= chain.size()) {
        size_t comma = chain.find(L',', begin);
        std::wstring filter = chain.substr(begin, comma == std::wstring::npos ? std::wstring::npos : comma - begin);
        std::wstring prefix = name + L"=";
        if (filter.compare(0, prefix.size(), prefix) == 0 && filter.size() > prefix.size() + suffix.size() &&
            filter.compare(filter.size() - suffix.size(), suffix.size(), suffix) == 0) {
            double value = 0;
            if (ParseNumber(filter.substr(prefix.size(), filter.size() - prefix.size() - suffix.size()), value) &&
                value > 0)
                factors.push_back(value);
        }
        if (comma == std::wstring::npos)
            break;
        begin = comma + 1;
    }
    return factors;
}

}  // namespace

double VideoChainSpeed(const std::wstring& chain)
{
    double speed = 1;
    for (double factor : FilterFactors(chain, L"setpts", L"*PTS"))
        speed /= factor;
    return speed;
}

double AudioChainSpeed(const std::wstring& chain)
{
    double speed = 1;
    for (double factor : FilterFactors(chain, L"atempo", L""))
        speed *= factor;
    return speed;
}
