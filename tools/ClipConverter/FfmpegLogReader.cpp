#include "tools/ClipConverter/FfmpegLogReader.h"

#include "tools/ClipConverter/CommandTranslator.h"

#include <cstring>

namespace {

// The log's own lines are short; the rest of a longer one tells nothing and is dropped.
const size_t kLongestLine = 4096;

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, strlen(prefix), prefix) == 0;
}

// The number at the start of the text when it is an index below count, else -1.
int IndexBelow(const char* text, size_t count)
{
    size_t index = 0;
    const char* digit = text;
    for (; *digit >= '0' && *digit <= '9'; ++digit) {
        index = index * 10 + static_cast<size_t>(*digit - '0');
        if (index >= count)
            return -1;
    }
    return digit == text ? -1 : static_cast<int>(index);
}

}  // namespace

void FfmpegLogReader::Take(const char* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (bytes[i] == '\n' || bytes[i] == '\r') {
            TakeLine();
            m_line.clear();
        } else if (m_line.size() < kLongestLine) {
            m_line += bytes[i];
        }
    }
}

void FfmpegLogReader::End()
{
    TakeLine();
    m_line.clear();
}

void FfmpegLogReader::TakeLine()
{
    if (m_inputsOpened)
        return;
    if (StartsWith(m_line, "Input #")) {
        m_input = IndexBelow(m_line.c_str() + 7, m_durationsUs.size());
        return;
    }
    if (StartsWith(m_line, "Stream mapping:") || StartsWith(m_line, "Output #")) {
        m_inputsOpened = true;
        return;
    }
    const char kDuration[] = "  Duration: ";
    if (m_input < 0 || !StartsWith(m_line, kDuration))
        return;
    size_t start = sizeof(kDuration) - 1;
    size_t end = m_line.find(',', start);
    std::string clock = m_line.substr(start, end == std::string::npos ? std::string::npos : end - start);
    int64_t us = 0;
    if (ParseTimeUs(std::wstring(clock.begin(), clock.end()), &us))
        m_durationsUs[m_input] = us;
}
