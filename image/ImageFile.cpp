#include "image/ImageFile.h"
#include <cstdint>
#include <cwchar>
#ifdef _WIN32
#include <windows.h>
#else
#include <string>
#endif

#ifdef _WIN32

FILE* OpenImageFile(const wchar_t* path, const char* mode)
{
    wchar_t wideMode[8] = {};
    for (int i = 0; i < 7 && mode[i]; i++)
        wideMode[i] = wchar_t(mode[i]);
    return _wfopen(path, wideMode);
}

bool ReplaceImageFile(const wchar_t* from, const wchar_t* to)
{
    return MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void RemoveImageFile(const wchar_t* path)
{
    DeleteFileW(path);
}

#else

namespace {

// Linux file names are UTF-8 bytes.
std::string Utf8Path(const wchar_t* path)
{
    std::string out;
    for (; *path; path++) {
        uint32_t c = uint32_t(*path);
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace

FILE* OpenImageFile(const wchar_t* path, const char* mode)
{
    return fopen(Utf8Path(path).c_str(), mode);
}

bool ReplaceImageFile(const wchar_t* from, const wchar_t* to)
{
    return rename(Utf8Path(from).c_str(), Utf8Path(to).c_str()) == 0;
}

void RemoveImageFile(const wchar_t* path)
{
    remove(Utf8Path(path).c_str());
}

#endif
