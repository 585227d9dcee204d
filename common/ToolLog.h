// The test log: when KAVRI_TOOL_LOG names a file, a tool appends one UTF-8 line there
// for its arguments, the ffmpeg command line, every reply it gets and its exit code.
#pragma once

#include <string>

class ToolLog {
public:
    ToolLog();
    void Line(const std::wstring& text) const;

private:
    std::wstring m_path;
};
