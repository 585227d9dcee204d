#include "tools/ClipRunner/SubtitleText.h"

#include "common/Utf8.h"

#include <cstdlib>
#include <cwctype>

namespace {

const int kFieldsBeforeText = 8;

// The drawing scale a tag block leaves in force: \p0 ends a drawing, \p1 and above start one.
int DrawingScale(const std::wstring& block, int scale)
{
    for (size_t at = block.find(L"\\p"); at != std::wstring::npos; at = block.find(L"\\p", at + 2)) {
        size_t digits = at + 2;
        if (digits < block.size() && iswdigit(block[digits]))
            scale = _wtoi(block.c_str() + digits);
    }
    return scale;
}

// A backslash sequence at text[at]: the characters it stands for, and how many it takes.
size_t Escape(const std::wstring& text, size_t at, std::wstring& out)
{
    wchar_t next = at + 1 < text.size() ? text[at + 1] : 0;
    if (next == L'N' || next == L'n') {
        out += L'\n';
        return 2;
    }
    if (next == L'h') {
        out += L' ';
        return 2;
    }
    out += L'\\';
    return 1;
}

std::wstring TrimmedLines(const std::wstring& text)
{
    size_t first = text.find_first_not_of(L"\n ");
    if (first == std::wstring::npos)
        return L"";
    size_t last = text.find_last_not_of(L"\n ");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::wstring AssEventText(const std::string& event)
{
    size_t at = 0;
    for (int field = 0; field < kFieldsBeforeText; ++field) {
        at = event.find(',', at);
        if (at == std::string::npos)
            return L"";
        ++at;
    }
    return PlainSubtitleText(FromUtf8(event.substr(at)));
}

std::wstring PlainSubtitleText(const std::wstring& text)
{
    std::wstring out;
    int drawing = 0;
    for (size_t at = 0; at < text.size();) {
        wchar_t c = text[at];
        size_t close = c == L'{' ? text.find(L'}', at) : std::wstring::npos;
        if (close != std::wstring::npos) {
            drawing = DrawingScale(text.substr(at, close - at), drawing);
            at = close + 1;
        } else if (drawing > 0) {
            ++at;
        } else if (c == L'\\') {
            at += Escape(text, at, out);
        } else {
            if (c != L'\r')
                out += c;
            ++at;
        }
    }
    return TrimmedLines(out);
}
