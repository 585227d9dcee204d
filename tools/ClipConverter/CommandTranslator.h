// Turns the converter's command line into ffmpeg's: takes out the callback options, spells
// what ffmpeg 5.1 writes differently its own way, puts this build's own encoders in place of
// the ones it lacks, and keeps what the progress maths needs.
#pragma once

#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

// An input's "-ss", "-t" and "-itsoffset" in microseconds; 0 when not given.
struct InputTimes {
    int64_t StartUs = 0;
    int64_t LengthUs = 0;
    int64_t OffsetUs = 0;
};

class CommandTranslator {
public:
    // args: the converter's arguments without its own name. With readAtNativeRate every input
    // is read no faster than it plays.
    CommandTranslator(const std::vector<std::wstring>& args, bool readAtNativeRate);

    const std::vector<std::wstring>& FfmpegArguments() const { return m_ffmpegArgs; }
    HWND CallbackWindow() const { return m_callbackWindow; }
    int64_t CallbackContext() const { return m_callbackContext; }
    size_t InputCount() const { return m_inputs.size(); }
    // What the translation put in place of an encoder this build lacks, one line each.
    const std::vector<std::wstring>& StandInNotes() const { return m_standInNotes; }
    // An encoder that the command names and this build can neither run nor stand in for.
    const std::wstring& MissingEncoder() const { return m_missingEncoder; }

    // The output's length from the inputs' durations (index by input, 0 when unknown), their
    // times and the output's own "-ss" and "-t"; 0 when nothing tells.
    int64_t OutputDurationUs(const std::vector<int64_t>& inputDurationsUs) const;

private:
    struct Option {
        std::wstring name;   // with its dash; empty for a bare argument
        std::wstring value;
        bool hasValue = false;
    };

    static std::vector<Option> Split(const std::vector<std::wstring>& args);
    void Translate(const std::vector<Option>& options, bool readAtNativeRate);
    bool TakeCallbackOption(const Option& option);
    bool TakeFilterOption(const Option& option);
    bool TakeEncoderOption(const Option& option, const std::wstring& outputFormat);
    void NoteTime(const Option& option, bool beforeLastInput);
    void Emit(const std::wstring& name, const std::wstring& value);
    void Emit(const Option& option);
    void PlaceFilters();

    std::vector<std::wstring> m_ffmpegArgs;
    HWND m_callbackWindow = nullptr;
    int64_t m_callbackContext = 0;
    std::vector<InputTimes> m_inputs;
    InputTimes m_pendingInput;
    int64_t m_outputStartUs = 0;
    int64_t m_outputLengthUs = 0;
    std::vector<std::wstring> m_standInNotes;
    std::wstring m_missingEncoder;

    // Each chain goes in one option at the place of the first filter option of its kind.
    std::vector<std::wstring> m_videoFilters;
    std::vector<std::wstring> m_audioFilters;
    size_t m_videoFilterSlot = SIZE_MAX;
    size_t m_audioFilterSlot = SIZE_MAX;
};

// Reads ffmpeg's time syntax ("[-][HH:]MM:SS[.frac]" or "[-]S[.frac][s|ms|us]") as microseconds.
bool ParseTimeUs(const std::wstring& text, int64_t* us);
