// UTF-8 text for FFmpeg (file names, filter chains) and the tools' logs, and back.
#pragma once

#include <string>

std::string Utf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);
