// Temporary files for the image tests, named by wide paths on both platforms.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "image/ImageFile.h"

inline std::wstring TestTempPath(const std::string& name)
{
    const char* dir = std::getenv("TEMP");
    if (!dir)
        dir = std::getenv("TMPDIR");
    std::string base = dir ? dir : "/tmp";
#ifdef _WIN32
    base += "\\";
#else
    base += "/";
#endif
    std::string full = base + "kavri-image-" + name;
    return std::wstring(full.begin(), full.end());
}

inline bool WriteTestFile(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    FILE* f = OpenImageFile(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

inline std::vector<uint8_t> ReadTestFile(const std::wstring& path)
{
    std::vector<uint8_t> bytes;
    FILE* f = OpenImageFile(path.c_str(), "rb");
    if (!f)
        return bytes;
    int c;
    while ((c = std::fgetc(f)) != EOF)
        bytes.push_back(uint8_t(c));
    std::fclose(f);
    return bytes;
}

inline bool TestFileExists(const std::wstring& path)
{
    FILE* f = OpenImageFile(path.c_str(), "rb");
    if (f)
        std::fclose(f);
    return f != nullptr;
}
