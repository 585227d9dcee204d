#include "framework/text/CPlaylistFile.h"
#include "framework/system/PathHelpers.h"
#include "framework/text/CodePage.h"
#include "framework/text/FileHelpers.h"
#include "framework/text/TextHelpers.h"
#include <shlwapi.h>
#include <map>
#include <vector>
#include <wchar.h>

namespace {

const wchar_t kPlsSection[] = L"Playlist";
const int kPlsEntryLength = 1024;
// A damaged count must not keep the reader busy for hours.
const int kPlsMostEntries = 100000;
const size_t kPlsLargestSection = 16 * 1024 * 1024;  // characters

bool HasExtension(LPCWSTR path, LPCWSTR extension)
{
    return GetFileExtension(path).CompareNoCase(extension) == 0;
}

// A relative entry names a file beside the list, not one in the current folder.
CString ResolveEntry(const CString& listFolder, const CString& entry)
{
    if (!PathIsRelativeW(entry) || PathIsURLW(entry) || listFolder.IsEmpty())
        return entry;
    CString joined = listFolder + L"\\" + entry;
    DWORD needed = GetFullPathNameW(joined, 0, nullptr, nullptr);
    if (needed == 0)
        return joined;
    CString full;
    DWORD length = GetFullPathNameW(joined, needed, full.GetBuffer(needed), nullptr);
    full.ReleaseBuffer(length < needed ? length : 0);
    return full.IsEmpty() ? joined : full;
}

const char kUtf8Mark[] = "\xEF\xBB\xBF";
const wchar_t kUtf16Mark = 0xFEFF;

// The text in the ANSI code page, or false when a character has no exact form there.
bool ToAnsiExactly(const CString& text, CStringA& bytes)
{
    BOOL bLossy = FALSE;
    int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, nullptr, 0, nullptr, &bLossy);
    if (size <= 0 || bLossy)
        return false;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, bytes.GetBuffer(size), size, nullptr, nullptr);
    bytes.ReleaseBuffer();
    return true;
}

bool FitsAnsi(const CStringArray& files)
{
    CStringA bytes;
    for (int i = 0; i < files.GetSize(); ++i) {
        if (!ToAnsiExactly(files[i], bytes))
            return false;
    }
    return true;
}

CString DecodeText(const CStringA& bytes)
{
    bool bUtf8 = bytes.GetLength() >= 3 && memcmp(static_cast<LPCSTR>(bytes), kUtf8Mark, 3) == 0;
    if (bUtf8)
        return Utf8ToWide(static_cast<LPCSTR>(bytes) + 3);
    CString wide;
    AnsiToWide(bytes, wide);
    return wide;
}

CStringA EncodeText(const CString& text)
{
    CStringA bytes;
    if (ToAnsiExactly(text, bytes))
        return bytes;
    return CStringA(kUtf8Mark) + WideToUtf8(text);
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

// A name beside the list that nobody uses yet.
CString SiblingTempPath(LPCWSTR path)
{
    static LONG s_counter = 0;
    CString temp;
    temp.Format(L"%s.%lx-%lx.tmp", path, GetCurrentProcessId(),
                static_cast<unsigned long>(InterlockedIncrement(&s_counter)));
    return temp;
}

// The start of a ".pls" written anew: with the UTF-16 mark the profile functions keep the
// file in UTF-16.
bool StartPlsFile(LPCWSTR path, bool bUnicode)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool bOk = !bUnicode || (WriteFile(file, &kUtf16Mark, sizeof(kUtf16Mark), &written, nullptr) &&
                             written == sizeof(kUtf16Mark));
    CloseHandle(file);
    return bOk;
}

bool IsUtf16File(LPCWSTR path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    wchar_t mark = 0;
    DWORD read = 0;
    bool bUtf16 = ReadFile(file, &mark, sizeof(mark), &read, nullptr) && read == sizeof(mark) && mark == kUtf16Mark;
    CloseHandle(file);
    return bUtf16;
}

class CM3uPlaylistFile : public CPlaylistFile {
public:
    int Read(LPCWSTR path, CStringArray& files) override
    {
        CStringA bytes;
        if (!PathExists(path))
            return -1;
        int result = ReadFileToString(path, bytes);
        if (result < 0 || (result == 1 && GetFileSize64(path) != 0))
            return -1;
        CString text = DecodeText(bytes);
        CStringArray lines;
        SplitString(text, lines, text.Find(L"\r\n") >= 0 ? L"\r\n" : L"\n", true, true);
        CString folder = GetFolderOfPath(path);
        for (int i = 0; i < lines.GetSize(); ++i) {
            if (lines[i][0] != L'#')  // directives and comments
                files.Add(ResolveEntry(folder, lines[i]));
        }
        return 0;
    }

    int Write(LPCWSTR path, const CStringArray& files) override
    {
        if (files.GetSize() == 0)
            return WriteEmptyFile(path);
        CString text;
        for (int i = 0; i < files.GetSize(); ++i)
            text += files[i] + L"\r\n";
        CStringA bytes = EncodeText(text);
        return WriteBufferToFile(path, static_cast<LPCSTR>(bytes), bytes.GetLength());
    }
};

class CPlsPlaylistFile : public CPlaylistFile {
public:
    int Read(LPCWSTR path, CStringArray& files) override
    {
        if (!PathExists(path))
            return -1;
        int count = static_cast<int>(GetPrivateProfileIntW(kPlsSection, L"NumberOfEntries", -1, path));
        if (count < 0)
            return -1;
        // The section is read once: asking for each of a huge count of keys would take hours.
        std::map<int, CString> entries = ReadFileEntries(path, count < kPlsMostEntries ? count : kPlsMostEntries);
        CString folder = GetFolderOfPath(path);
        for (const auto& entry : entries)
            files.Add(ResolveEntry(folder, entry.second));
        return 0;
    }

    // Other sections of an old list are kept while its encoding can hold the new paths.
    int Write(LPCWSTR path, const CStringArray& files) override
    {
        bool bUnicode = !FitsAnsi(files);
        CString temp = SiblingTempPath(path);
        bool bKeepOld = PathExists(path) && (!bUnicode || IsUtf16File(path));
        bool bStarted = bKeepOld ? CopyFileW(path, temp, TRUE) != FALSE : StartPlsFile(temp, bUnicode);
        if (!bStarted || WriteEntries(temp, files) != 0 || !MoveFileExW(temp, path, MOVEFILE_REPLACE_EXISTING)) {
            DeleteFileW(temp);
            return -1;
        }
        return 0;
    }

private:
    // The non-empty values of "File1" up to "File<last>", by number.
    static std::map<int, CString> ReadFileEntries(LPCWSTR path, int last)
    {
        std::map<int, CString> entries;
        std::vector<wchar_t> section(4096);
        for (;;) {
            DWORD length = GetPrivateProfileSectionW(kPlsSection, section.data(), static_cast<DWORD>(section.size()), path);
            if (length + 2 < section.size() || section.size() >= kPlsLargestSection)
                break;
            section.resize(section.size() * 4);
        }
        for (LPCWSTR line = section.data(); *line; line += wcslen(line) + 1) {
            int number = 0;
            int consumed = 0;
            if (swscanf(line, L"%*1[Ff]%*1[Ii]%*1[Ll]%*1[Ee]%d=%n", &number, &consumed) < 1 || consumed == 0)
                continue;
            CString value(line + consumed);
            value.Trim();
            if (number >= 1 && number <= last && !value.IsEmpty() && entries.count(number) == 0)
                entries[number] = value.Left(kPlsEntryLength - 1);
        }
        return entries;
    }

    static int WriteEntries(LPCWSTR path, const CStringArray& files)
    {
        WritePrivateProfileStringW(kPlsSection, nullptr, nullptr, path);
        CString value;
        value.Format(L"%d", static_cast<int>(files.GetSize()));
        if (!WritePrivateProfileStringW(kPlsSection, L"NumberOfEntries", value, path))
            return -1;
        for (int i = 0; i < files.GetSize(); ++i) {
            CString key;
            key.Format(L"File%d", i + 1);
            if (!WritePrivateProfileStringW(kPlsSection, key, files[i], path))
                return -1;
        }
        // Flushes the profile functions' cache before the file is moved.
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, path);
        return 0;
    }
};

}  // namespace

CPlaylistFile* CPlaylistFile::CreateForPath(LPCWSTR path)
{
    if (HasExtension(path, L"m3u"))
        return new CM3uPlaylistFile;
    if (HasExtension(path, L"pls"))
        return new CPlsPlaylistFile;
    return nullptr;
}

bool IsPlaylistFile(LPCWSTR path)
{
    return HasExtension(path, L"m3u") || HasExtension(path, L"pls");
}
