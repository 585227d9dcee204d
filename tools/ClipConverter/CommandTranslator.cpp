#include "tools/ClipConverter/CommandTranslator.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

namespace {

// Far beyond any real time, and far from overflowing once scaled to microseconds.
const int64_t kLargestTimeField = 1000000000;

// A dash and a letter start an option; "-2" is a value, as in "-strict -2".
bool LooksLikeOption(const std::wstring& arg)
{
    return arg.size() > 1 && arg[0] == L'-' && iswalpha(arg[1]);
}

// Options that never take a value. Any other option takes the next argument unless that one
// looks like an option itself.
bool IsFlag(const std::wstring& name)
{
    static const wchar_t* const kFlags[] = {
        L"-vn", L"-an", L"-sn", L"-dn", L"-y", L"-n", L"-shortest", L"-re", L"-copyts",
        L"-hide_banner", L"-nostdin", L"-nostats", L"-stats",
    };
    for (const wchar_t* flag : kFlags)
        if (name == flag)
            return true;
    return false;
}

bool IsFrameLimit(const std::wstring& name)
{
    return name == L"-frames:v" || name == L"-vframes" || name == L"-frames";
}

bool IsCodecOption(const std::wstring& name)
{
    return name == L"-c" || name == L"-codec" || name == L"-vcodec" || name == L"-acodec" ||
           name.compare(0, 3, L"-c:") == 0 || name.compare(0, 7, L"-codec:") == 0;
}

// Encoders the catalogue names that this build lacks, and the build's own encoder of the same
// format. Xvid's fourcc goes into AVI files only: other muxers refuse a tag of their own choosing.
struct StandIn {
    const wchar_t* missing;
    const wchar_t* standIn;  // null: nothing can take its place
    const wchar_t* aviTag;   // null: no tag
    const wchar_t* note;
};

const StandIn kStandIns[] = {
    {L"libxvid", L"mpeg4", L"xvid", L"libxvid is not in this build: mpeg4 encodes the same format, tagged xvid in AVI"},
    {L"libfdk_aac", L"aac", nullptr, L"libfdk_aac is not in this build: aac encodes at the same bit rate"},
    {L"libilbc", nullptr, nullptr, nullptr},
};

const StandIn* FindStandIn(const std::wstring& encoder)
{
    for (const StandIn& standIn : kStandIns)
        if (encoder == standIn.missing)
            return &standIn;
    return nullptr;
}

std::wstring Join(const std::vector<std::wstring>& parts, wchar_t separator)
{
    std::wstring joined;
    for (const std::wstring& part : parts) {
        if (!joined.empty())
            joined += separator;
        joined += part;
    }
    return joined;
}

}  // namespace

CommandTranslator::CommandTranslator(const std::vector<std::wstring>& args, bool readAtNativeRate)
{
    Translate(Split(args), readAtNativeRate);
}

std::vector<CommandTranslator::Option> CommandTranslator::Split(const std::vector<std::wstring>& args)
{
    std::vector<Option> options;
    for (size_t i = 0; i < args.size(); ++i) {
        Option option;
        if (!LooksLikeOption(args[i])) {
            option.value = args[i];
            option.hasValue = true;
        } else {
            option.name = args[i];
            if (!IsFlag(option.name) && i + 1 < args.size() && !LooksLikeOption(args[i + 1])) {
                option.value = args[++i];
                option.hasValue = true;
            }
        }
        options.push_back(option);
    }
    return options;
}

void CommandTranslator::Translate(const std::vector<Option>& options, bool readAtNativeRate)
{
    size_t lastInput = SIZE_MAX;
    for (size_t i = 0; i < options.size(); ++i)
        if (options[i].name == L"-i")
            lastInput = i;

    std::wstring outputFormat;
    for (size_t i = lastInput == SIZE_MAX ? 0 : lastInput; i < options.size(); ++i)
        if (options[i].name == L"-f")
            outputFormat = options[i].value;

    std::vector<Option> movedToOutput;
    bool picture = false, singleFrame = false;
    size_t outputSlot = SIZE_MAX;
    for (size_t i = 0; i < options.size(); ++i) {
        const Option& option = options[i];
        bool beforeLastInput = lastInput != SIZE_MAX && i < lastInput;
        if (TakeCallbackOption(option) || TakeFilterOption(option) || TakeEncoderOption(option, outputFormat))
            continue;
        if (option.name == L"-hwaccel" && option.value != L"none") {
            Emit(L"-hwaccel", L"auto");  // a named one this build lacks fails the run
            continue;
        }
        if (option.name == L"-bufsize" && beforeLastInput) {
            movedToOutput.push_back(option);  // an encoder setting; 5.1 refuses it on an input
            continue;
        }
        NoteTime(option, beforeLastInput);
        if (i > lastInput || lastInput == SIZE_MAX) {
            picture = option.name == L"-f" ? option.value == L"image2" : picture;
            singleFrame = singleFrame || (IsFrameLimit(option.name) && option.value == L"1");
            outputSlot = option.name.empty() ? m_ffmpegArgs.size() : outputSlot;
        }
        if (option.name == L"-i") {
            m_inputs.push_back(m_pendingInput);
            m_pendingInput = InputTimes();
            if (readAtNativeRate)
                m_ffmpegArgs.push_back(L"-re");
        }
        Emit(option);
        if (i == lastInput)
            for (const Option& moved : movedToOutput)
                Emit(moved);
    }
    PlaceFilters();
    // One picture's name is a name: the picture muxer would take '%' in it for a frame-number
    // pattern and write "frame %d.jpg" as "frame 1.jpg" (and it keeps a doubled '%' as it is).
    if (picture && singleFrame && outputSlot != SIZE_MAX)
        m_ffmpegArgs.insert(m_ffmpegArgs.begin() + static_cast<std::ptrdiff_t>(outputSlot), {L"-update", L"1"});
}

bool CommandTranslator::TakeCallbackOption(const Option& option)
{
    if (option.name == L"-callback_window") {
        INT_PTR handle = static_cast<INT_PTR>(_wcstoi64(option.value.c_str(), nullptr, 10));
        m_callbackWindow = reinterpret_cast<HWND>(handle);
        return true;
    }
    if (option.name == L"-callback_context") {
        m_callbackContext = _wcstoi64(option.value.c_str(), nullptr, 10);
        return true;
    }
    return false;
}

// ffmpeg keeps only the last filter option of a kind, and 5.1 has no "-vol": every audio
// filter, the volume among them, joins one chain, and every video filter another.
bool CommandTranslator::TakeFilterOption(const Option& option)
{
    std::vector<std::wstring>* chain = nullptr;
    size_t* slot = nullptr;
    std::wstring filter = option.value;
    if (option.name == L"-vol") {
        chain = &m_audioFilters;
        slot = &m_audioFilterSlot;
        filter = L"volume=" + option.value + L"/256";
    } else if (option.name == L"-filter:a" || option.name == L"-af") {
        chain = &m_audioFilters;
        slot = &m_audioFilterSlot;
    } else if (option.name == L"-filter:v" || option.name == L"-vf") {
        chain = &m_videoFilters;
        slot = &m_videoFilterSlot;
    } else {
        return false;
    }
    if (!option.hasValue || option.value.empty())
        return true;
    if (*slot == SIZE_MAX) {
        *slot = m_ffmpegArgs.size();
        m_ffmpegArgs.resize(*slot + 2);
    }
    chain->push_back(filter);
    return true;
}

bool CommandTranslator::TakeEncoderOption(const Option& option, const std::wstring& outputFormat)
{
    const StandIn* standIn = IsCodecOption(option.name) ? FindStandIn(option.value) : nullptr;
    if (!standIn)
        return false;
    if (!standIn->standIn) {
        m_missingEncoder = option.value;
        return false;
    }
    Emit(option.name, standIn->standIn);
    if (standIn->aviTag && outputFormat == L"avi")
        Emit(L"-tag:v", standIn->aviTag);
    m_standInNotes.push_back(standIn->note);
    return true;
}

void CommandTranslator::PlaceFilters()
{
    if (m_videoFilterSlot != SIZE_MAX) {
        m_ffmpegArgs[m_videoFilterSlot] = L"-filter:v";
        m_ffmpegArgs[m_videoFilterSlot + 1] = Join(m_videoFilters, L',');
    }
    if (m_audioFilterSlot != SIZE_MAX) {
        m_ffmpegArgs[m_audioFilterSlot] = L"-filter:a";
        m_ffmpegArgs[m_audioFilterSlot + 1] = Join(m_audioFilters, L',');
    }
}

void CommandTranslator::NoteTime(const Option& option, bool beforeLastInput)
{
    int64_t us = 0;
    if (!option.hasValue || !ParseTimeUs(option.value, &us))
        return;
    if (option.name == L"-ss")
        (beforeLastInput ? m_pendingInput.StartUs : m_outputStartUs) = us;
    else if (option.name == L"-t")
        (beforeLastInput ? m_pendingInput.LengthUs : m_outputLengthUs) = us;
    else if (option.name == L"-itsoffset" && beforeLastInput)
        m_pendingInput.OffsetUs = us;
}

void CommandTranslator::Emit(const std::wstring& name, const std::wstring& value)
{
    m_ffmpegArgs.push_back(name);
    m_ffmpegArgs.push_back(value);
}

void CommandTranslator::Emit(const Option& option)
{
    if (!option.name.empty())
        m_ffmpegArgs.push_back(option.name);
    if (option.hasValue)
        m_ffmpegArgs.push_back(option.value);
}

int64_t CommandTranslator::OutputDurationUs(const std::vector<int64_t>& inputDurationsUs) const
{
    int64_t total = 0;
    for (size_t i = 0; i < m_inputs.size(); ++i) {
        const InputTimes& input = m_inputs[i];
        int64_t duration = i < inputDurationsUs.size() ? inputDurationsUs[i] : 0;
        int64_t length = duration > 0 ? std::max<int64_t>(duration - input.StartUs, 0) : 0;
        if (input.LengthUs > 0 && (length == 0 || input.LengthUs < length))
            length = input.LengthUs;
        if (length > 0)
            total = std::max(total, length + input.OffsetUs);
    }
    bool known = total > 0;
    total = std::max<int64_t>(total - m_outputStartUs, 0);
    if (m_outputLengthUs > 0 && (!known || m_outputLengthUs < total))
        total = m_outputLengthUs;
    return total;
}

bool ParseTimeUs(const std::wstring& text, int64_t* us)
{
    const wchar_t* p = text.c_str();
    bool negative = *p == L'-';
    if (negative)
        ++p;
    int64_t seconds = 0;
    int fields = 0;
    for (;;) {
        if (!iswdigit(*p))
            return false;
        int64_t field = 0;
        while (iswdigit(*p)) {
            field = field * 10 + (*p++ - L'0');
            if (field > kLargestTimeField)
                return false;
        }
        seconds = seconds * 60 + field;
        if (++fields == 3 || *p != L':')
            break;
        ++p;
    }
    int64_t value = seconds * 1000000;
    if (*p == L'.') {
        int64_t scale = 100000;
        for (++p; iswdigit(*p); ++p, scale /= 10)
            value += (*p - L'0') * scale;
    }
    if (fields == 1 && wcscmp(p, L"ms") == 0)
        value /= 1000;
    else if (fields == 1 && wcscmp(p, L"us") == 0)
        value /= 1000000;
    else if (!(fields == 1 && wcscmp(p, L"s") == 0) && *p != 0)
        return false;
    *us = negative ? -value : value;
    return true;
}
