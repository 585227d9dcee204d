// Reads what ffmpeg's log on standard error tells about the inputs: each is described
// ("Input #N, ..." then "  Duration: 00:01:02.50, start: ...") before "Stream mapping:" and the
// outputs. Texts of the media themselves (titles, document types) reach the log as they stand,
// so any line may be forged: an index names only an input the command has, and no line makes
// the reader hold more than one line's worth of bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class FfmpegLogReader {
public:
    explicit FfmpegLogReader(size_t inputCount) : m_durationsUs(inputCount, 0) {}

    // Bytes of the log as they come; a line ends at '\n' or '\r'.
    void Take(const char* bytes, size_t count);
    // The log has ended: its last line counts even without a line break.
    void End();

    bool InputsOpened() const { return m_inputsOpened; }
    // One per input of the command; 0 while unknown.
    const std::vector<int64_t>& InputDurationsUs() const { return m_durationsUs; }

private:
    void TakeLine();

    std::vector<int64_t> m_durationsUs;
    std::string m_line;
    int m_input = -1;
    bool m_inputsOpened = false;
};
