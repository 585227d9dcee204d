// One log that the handlers and window procedures of a test append to, entries separated by
// blanks, so that a test compares the calls and their order as one text.
#pragma once
#include <string>

inline std::wstring g_log;

inline void Log(const std::wstring& entry)
{
    if (!g_log.empty())
        g_log += L" ";
    g_log += entry;
}
