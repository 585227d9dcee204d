#include "conversion/engine/CPlaylistFile.h"
#include "conversion/engine/EngineTexts.h"
#include "framework/system/PathHelpers.h"
#include "framework/text/FileHelpers.h"
#include <shlwapi.h>

namespace {

const wchar_t kPlsSection[] = L"Playlist";
const int kPlsEntryLength = 1024;
// A damaged count must not keep the reader busy for hours.
const int kPlsMostEntries = 100000;

bool FileExists(LPCWSTR path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

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

class CM3uPlaylistFile : public CPlaylistFile {
public:
    int Read(LPCWSTR path, CStringArray& files) override
    {
        CStringArray lines;
        if (!FileExists(path) || ReadTextFileLines(path, lines, true, true) != 0)
            return -1;
        CString folder = GetFolderOfPath(path);
        for (int i = 0; i < lines.GetSize(); ++i) {
            if (lines[i][0] != L'#')  // directives and comments
                files.Add(ResolveEntry(folder, lines[i]));
        }
        return 0;
    }

    int Write(LPCWSTR path, const CStringArray& files) override { return WriteTextLines(path, files, L"\r\n"); }
};

class CPlsPlaylistFile : public CPlaylistFile {
public:
    int Read(LPCWSTR path, CStringArray& files) override
    {
        if (!FileExists(path))
            return -1;
        int count = static_cast<int>(GetPrivateProfileIntW(kPlsSection, L"NumberOfEntries", -1, path));
        if (count < 0)
            return -1;
        CString folder = GetFolderOfPath(path);
        for (int i = 1; i <= count && i <= kPlsMostEntries; ++i) {
            CString key;
            key.Format(L"File%d", i);
            CString entry;
            GetPrivateProfileStringW(kPlsSection, key, L"", entry.GetBuffer(kPlsEntryLength), kPlsEntryLength, path);
            entry.ReleaseBuffer();
            entry.Trim();
            if (!entry.IsEmpty())
                files.Add(ResolveEntry(folder, entry));
        }
        return 0;
    }

    int Write(LPCWSTR path, const CStringArray& files) override
    {
        if (!FileExists(path)) {
            HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file == INVALID_HANDLE_VALUE)
                return -1;
            CloseHandle(file);
        }
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
