#include "framework/text/CPlaylistFile.h"
#include "classlib/AfxPath.h"
#include "framework/system/PathHelpers.h"
#include "framework/text/CodePage.h"
#include "framework/text/FileHelpers.h"
#include <shlwapi.h>
#include <climits>
#include <map>
#include <optional>
#include <vector>
#include <wchar.h>

namespace {

const wchar_t kPlsSection[] = L"Playlist";
// The longest path the system takes: a longer entry names no file and is skipped, never cut.
const int kLongestEntry = 32767;

const char kUtf8Mark[] = "\xEF\xBB\xBF";
const char kUtf16Mark[] = "\xFF\xFE";

enum class TextEncoding { Ansi, Utf8, Utf16 };

// A list file's text and the encoding it came in.
struct ListText {
    CString text;
    TextEncoding encoding = TextEncoding::Ansi;
};

bool HasExtension(LPCWSTR path, LPCWSTR extension)
{
    return GetFileExtension(path).CompareNoCase(extension) == 0;
}

bool StartsWith(const std::vector<char>& bytes, const char* mark)
{
    size_t length = strlen(mark);
    return bytes.size() >= length && memcmp(bytes.data(), mark, length) == 0;
}

bool HasNonAscii(const std::vector<char>& bytes)
{
    for (char b : bytes) {
        if (static_cast<unsigned char>(b) >= 0x80)
            return true;
    }
    return false;
}

// 0, or -1 when the file is missing or can't be read; an empty file is an empty text.
int ReadListText(LPCWSTR path, ListText& list)
{
    std::vector<char> bytes;
    int result = ReadFileBytes(path, bytes);
    if (result < 0 || (result == 1 && GetFileSize64(path) != 0))
        return -1;
    if (StartsWith(bytes, kUtf16Mark)) {
        list.encoding = TextEncoding::Utf16;
        list.text = CString(reinterpret_cast<LPCWSTR>(bytes.data() + 2), static_cast<int>((bytes.size() - 2) / 2));
    } else if (StartsWith(bytes, kUtf8Mark)) {
        list.encoding = TextEncoding::Utf8;
        list.text = Utf8ToWide(bytes.data() + 3, static_cast<int>(bytes.size() - 3));
    } else if (IsValidUtf8(bytes.data(), static_cast<int>(bytes.size()))) {
        // Most lists written today: UTF-8 without a mark. Plain ASCII reads the same either way.
        list.encoding = HasNonAscii(bytes) ? TextEncoding::Utf8 : TextEncoding::Ansi;
        list.text = Utf8ToWide(bytes.data(), static_cast<int>(bytes.size()));
    } else {
        list.encoding = TextEncoding::Ansi;
        bytes.push_back(0);
        AnsiToWide(bytes.data(), list.text);
    }
    return 0;
}

// The text in the ANSI code page, or false when a character has no exact form there.
bool ToAnsiExactly(const CString& text, std::vector<char>& bytes)
{
    BOOL lossy = FALSE;
    int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, text.GetLength(), nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy)
        return false;
    bytes.resize(size);
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, text.GetLength(), bytes.data(), size, nullptr, nullptr);
    return true;
}

std::vector<char> Encode(const CString& text, TextEncoding encoding)
{
    std::vector<char> bytes;
    if (encoding == TextEncoding::Utf16) {
        bytes.assign(kUtf16Mark, kUtf16Mark + 2);
        const char* chars = reinterpret_cast<LPCSTR>(static_cast<LPCWSTR>(text));
        bytes.insert(bytes.end(), chars, chars + text.GetLength() * sizeof(wchar_t));
    } else if (encoding == TextEncoding::Utf8) {
        CStringA utf8 = WideToUtf8(text, text.GetLength());
        bytes.assign(kUtf8Mark, kUtf8Mark + 3);
        bytes.insert(bytes.end(), static_cast<LPCSTR>(utf8), static_cast<LPCSTR>(utf8) + utf8.GetLength());
    } else {
        ToAnsiExactly(text, bytes);
    }
    return bytes;
}

// Whole: a failed write leaves the old list as it was.
int WriteListText(LPCWSTR path, const CString& text, TextEncoding encoding)
{
    std::vector<char> bytes = Encode(text, encoding);
    return WriteBufferToFile(path, bytes.data(), static_cast<DWORD>(bytes.size()));
}

// Kept in the ANSI code page while it can hold the text whole, else in the given form.
TextEncoding EncodingFor(const CString& text, TextEncoding otherwise)
{
    std::vector<char> bytes;
    return ToAnsiExactly(text, bytes) ? TextEncoding::Ansi : otherwise;
}

// A line break inside an entry would turn it into other entries.
bool AreWritable(const CStringArray& files)
{
    for (int i = 0; i < files.GetSize(); ++i) {
        if (wcspbrk(files[i], L"\r\n"))
            return false;
    }
    return true;
}

// The lines of the text, without their line breaks.
std::vector<CString> SplitLines(const CString& text)
{
    std::vector<CString> lines;
    int start = 0;
    while (start < text.GetLength()) {
        int end = text.Find(L'\n', start);
        if (end < 0)
            end = text.GetLength();
        CString line = text.Mid(start, end - start);
        line.TrimRight(L'\r');
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// A relative entry names a file beside the list, not one in the current folder; a "file:" URL
// names a local file.
CString ResolveEntry(const CString& listFolder, const CString& entry)
{
    CString local = FileUrlToPath(entry);
    if (!local.IsEmpty())
        return local;
    if (!PathIsRelativeW(entry) || PathIsURLW(entry) || listFolder.IsEmpty())
        return entry;
    CString joined = listFolder + L"\\" + entry;
    CString full = AfxGetFullPath(joined);
    return full.IsEmpty() ? joined : full;
}

// An empty list is an empty file; CREATE_ALWAYS either makes it or leaves the old one.
int WriteEmptyFile(LPCWSTR path)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    CloseHandle(file);
    return 0;
}

class CM3uPlaylistFile : public CPlaylistFile {
public:
    int Read(LPCWSTR path, CStringArray& files) override
    {
        ListText list;
        if (!PathExists(path) || ReadListText(path, list) != 0)
            return -1;
        CString folder = GetFolderOfPath(path);
        for (CString& line : SplitLines(list.text)) {
            line.Trim();
            if (!line.IsEmpty() && line[0] != L'#')  // directives and comments
                files.Add(ResolveEntry(folder, line));
        }
        return 0;
    }

    // UTF-8 with its mark when a path does not fit the ANSI code page, as ".m3u8" readers expect.
    int Write(LPCWSTR path, const CStringArray& files) override
    {
        if (!AreWritable(files))
            return -1;
        if (files.GetSize() == 0)
            return WriteEmptyFile(path);
        CString text;
        for (int i = 0; i < files.GetSize(); ++i)
            text += files[i] + L"\r\n";
        return WriteListText(path, text, EncodingFor(text, TextEncoding::Utf8));
    }
};

// The profile-file syntax of ".pls", read and written here as one text: the profile functions
// would ask the file once for every entry, and they report success when a write falls short.
class CPlsPlaylistFile : public CPlaylistFile {
public:
    int Read(LPCWSTR path, CStringArray& files) override
    {
        ListText list;
        if (!PathExists(path) || ReadListText(path, list) != 0)
            return -1;
        std::optional<int> number;
        std::map<int, CString> entries;
        if (!ReadSection(SplitLines(list.text), number, entries))
            return -1;
        int count = number ? *number : CountWithoutNumber(entries);
        if (count < 0)
            return -1;
        CString folder = GetFolderOfPath(path);
        for (const auto& entry : entries) {
            if (entry.first <= count && !entry.second.IsEmpty() && entry.second.GetLength() <= kLongestEntry)
                files.Add(ResolveEntry(folder, entry.second));
        }
        return 0;
    }

    // Other sections of an old list stay, in the old list's encoding when it can hold the new
    // paths; a new list is in the ANSI code page, else in the profile functions' UTF-16 form.
    int Write(LPCWSTR path, const CStringArray& files) override
    {
        if (!AreWritable(files))
            return -1;
        ListText old;
        bool keepOld = FileExists(path) && ReadListText(path, old) == 0;
        CString text = keepOld ? WithoutSection(old.text) : CString();
        if (!text.IsEmpty())
            text += L"\r\n";
        text.AppendFormat(L"[%s]\r\nNumberOfEntries=%d\r\n", kPlsSection, static_cast<int>(files.GetSize()));
        for (int i = 0; i < files.GetSize(); ++i)
            text.AppendFormat(L"File%d=%s\r\n", i + 1, static_cast<LPCWSTR>(files[i]));
        bool keepEncoding = keepOld && old.encoding != TextEncoding::Ansi;
        return WriteListText(path, text, keepEncoding ? old.encoding : EncodingFor(text, TextEncoding::Utf16));
    }

private:
    // The name of a "[name]" line, trimmed; false for other lines.
    static bool IsSectionLine(const CString& line, CString& name)
    {
        CString trimmed(line);
        trimmed.Trim();
        int close = trimmed.Find(L']');
        if (trimmed[0] != L'[' || close < 0)
            return false;
        name = trimmed.Mid(1, close - 1);
        name.Trim();
        return true;
    }

    static bool IsPlaylistSection(const CString& line)
    {
        CString name;
        return IsSectionLine(line, name) && name.CompareNoCase(kPlsSection) == 0;
    }

    // The number N of a key "FileN" (any case), or 0.
    static int EntryNumber(const CString& key)
    {
        if (key.GetLength() < 5 || key.GetLength() > 14 || key.Left(4).CompareNoCase(L"File") != 0 || key[4] == L'0')
            return 0;
        LONGLONG number = 0;
        for (int i = 4; i < key.GetLength(); ++i) {
            if (key[i] < L'0' || key[i] > L'9')
                return 0;
            number = number * 10 + (key[i] - L'0');
        }
        return number <= INT_MAX ? static_cast<int>(number) : 0;
    }

    // As the profile functions read a value: trimmed, one pair of enclosing quotes taken off.
    static CString ValueOf(const CString& line, int equals)
    {
        CString value = line.Mid(equals + 1);
        value.Trim();
        int last = value.GetLength() - 1;
        if (last > 0 && (value[0] == L'"' || value[0] == L'\'') && value[last] == value[0])
            value = value.Mid(1, last - 1);
        return value;
    }

    // Many lists leave "NumberOfEntries" out: then "File1", "File2", ... count while present.
    static int CountWithoutNumber(const std::map<int, CString>& entries)
    {
        int count = 0;
        while (entries.count(count + 1) != 0)
            ++count;
        return count;
    }

    // The count and the "FileN" values of the first "[Playlist]" section (any case); false
    // without one. The first of keys given twice counts. The count stays empty without a
    // "NumberOfEntries" value, and a value that is no number counts 0.
    static bool ReadSection(const std::vector<CString>& lines, std::optional<int>& count,
                            std::map<int, CString>& entries)
    {
        size_t i = 0;
        while (i < lines.size() && !IsPlaylistSection(lines[i]))
            ++i;
        if (i == lines.size())
            return false;
        CString name;
        for (++i; i < lines.size() && !IsSectionLine(lines[i], name); ++i) {
            int equals = lines[i].Find(L'=');
            if (equals < 0)
                continue;
            CString key = lines[i].Left(equals);
            key.Trim();
            CString value = ValueOf(lines[i], equals);
            int number = EntryNumber(key);
            if (number > 0 && entries.count(number) == 0) {
                entries[number] = value;
            } else if (!count && key.CompareNoCase(L"NumberOfEntries") == 0 && !value.IsEmpty()) {
                long parsed = wcstol(value, nullptr, 10);
                count = parsed > INT_MAX ? INT_MAX : static_cast<int>(parsed);
            }
        }
        return true;
    }

    // The text with every "[Playlist]" section taken out, lines joined by "\r\n".
    static CString WithoutSection(const CString& text)
    {
        CString kept, name;
        bool inPlaylist = false;
        for (const CString& line : SplitLines(text)) {
            if (IsSectionLine(line, name))
                inPlaylist = name.CompareNoCase(kPlsSection) == 0;
            if (!inPlaylist)
                kept += line + L"\r\n";
        }
        kept.TrimRight();
        return kept.IsEmpty() ? kept : kept + L"\r\n";
    }
};

}  // namespace

CPlaylistFile* CPlaylistFile::CreateM3u()
{
    return new CM3uPlaylistFile;
}

CPlaylistFile* CPlaylistFile::CreatePls()
{
    return new CPlsPlaylistFile;
}

CPlaylistFile* CPlaylistFile::CreateForPath(LPCWSTR path)
{
    if (HasExtension(path, L"m3u"))
        return CreateM3u();
    if (HasExtension(path, L"pls"))
        return CreatePls();
    return nullptr;
}

bool IsPlaylistFile(LPCWSTR path)
{
    return HasExtension(path, L"m3u") || HasExtension(path, L"pls");
}
