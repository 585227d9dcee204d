// The ".m3u" and ".pls" lists of both programs, read from and written to files made here.
#include "framework/text/CPlaylistFile.h"
#include "framework/text/CFileStream.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

void WriteBytes(const std::wstring& path, const char* text)
{
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    DWORD written = 0;
    WriteFile(hFile, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
    CloseHandle(hFile);
}

std::unique_ptr<CPlaylistFile> ListFor(const std::wstring& path)
{
    return std::unique_ptr<CPlaylistFile>(CPlaylistFile::CreateForPath(path.c_str()));
}

TEST(CPlaylistFileTest, KnownExtensions)
{
    struct Case {
        const wchar_t* path;
        bool isList;
    } cases[] = {
        {L"C:\\a.m3u", true}, {L"C:\\a.M3U", true}, {L"a.pls", true}, {L"C:\\a.Pls", true},
        {L"C:\\a.m3u8", false}, {L"C:\\a.mp4", false}, {L"C:\\m3u", false}, {L"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.isList, IsPlaylistFile(c.path)) << c.path;
        std::unique_ptr<CPlaylistFile> list(CPlaylistFile::CreateForPath(c.path));
        EXPECT_EQ(c.isList, list != nullptr) << c.path;
    }
}

TEST(CPlaylistFileTest, M3uSkipsDirectivesAndResolvesRelativeEntries)
{
    TempFolder folder;
    std::wstring path = folder / L"list.m3u";
    WriteBytes(path,
               "#EXTM3U\r\n#EXTINF:10,First\r\n  seg1.ts  \r\n\r\nsub\\seg2.ts\r\n..\\up.ts\r\n"
               "D:\\media\\abs.ts\r\nhttp://host/x.ts\r\n");
    CStringArray files;
    files.Add(L"kept");
    ASSERT_EQ(0, ListFor(path)->Read(path.c_str(), files));
    ASSERT_EQ(6, files.GetSize());
    EXPECT_EQ(L"kept", files[0]) << "reading appends";
    EXPECT_EQ(CString((folder / L"seg1.ts").c_str()), files[1]);
    EXPECT_EQ(CString((folder / L"sub\\seg2.ts").c_str()), files[2]);
    std::wstring parent = folder.Path().substr(0, folder.Path().find_last_of(L'\\'));
    EXPECT_EQ(CString((parent + L"\\up.ts").c_str()), files[3]);
    EXPECT_EQ(L"D:\\media\\abs.ts", files[4]);
    EXPECT_EQ(L"http://host/x.ts", files[5]);
}

TEST(CPlaylistFileTest, M3uRoundTripAndMissingFile)
{
    TempFolder folder;
    std::wstring path = folder / L"out.m3u";
    CStringArray written;
    written.Add(L"C:\\v\\a.mp4");
    written.Add(L"C:\\v\\b c.mp4");
    std::unique_ptr<CPlaylistFile> list = ListFor(path);
    ASSERT_EQ(0, list->Write(path.c_str(), written));
    CStringArray read;
    ASSERT_EQ(0, list->Read(path.c_str(), read));
    ASSERT_EQ(2, read.GetSize());
    EXPECT_EQ(written[1], read[1]);
    EXPECT_EQ(-1, list->Read((folder / L"none.m3u").c_str(), read));
}

TEST(CPlaylistFileTest, PlsEntries)
{
    TempFolder folder;
    std::wstring path = folder / L"list.pls";
    WriteBytes(path,
               "[playlist]\r\nNumberOfEntries=4\r\nFile1=  C:\\v\\a.mp4 \r\nFile2=\r\nFile3=b.mp4\r\n"
               "Title3=ignored\r\nFile9=never read\r\n");
    CStringArray files;
    ASSERT_EQ(0, ListFor(path)->Read(path.c_str(), files));
    ASSERT_EQ(2, files.GetSize()) << "empty and missing entries are skipped";
    EXPECT_EQ(L"C:\\v\\a.mp4", files[0]);
    EXPECT_EQ(CString((folder / L"b.mp4").c_str()), files[1]);

    EXPECT_EQ(-1, ListFor(path)->Read((folder / L"none.pls").c_str(), files));
}

TEST(CPlaylistFileTest, PlsWriteReplacesTheSection)
{
    TempFolder folder;
    std::wstring path = folder / L"out.pls";
    std::unique_ptr<CPlaylistFile> list = ListFor(path);
    CStringArray three;
    three.Add(L"C:\\v\\1.mp4");
    three.Add(L"C:\\v\\2.mp4");
    three.Add(L"C:\\v\\3.mp4");
    ASSERT_EQ(0, list->Write(path.c_str(), three)) << "a missing file is made";
    CStringArray one;
    one.Add(L"C:\\v\\only.mp4");
    ASSERT_EQ(0, list->Write(path.c_str(), one));
    EXPECT_EQ(1, static_cast<int>(GetPrivateProfileIntW(L"Playlist", L"NumberOfEntries", -1, path.c_str())));
    wchar_t stale[64] = {};
    GetPrivateProfileStringW(L"Playlist", L"File2", L"", stale, 64, path.c_str());
    EXPECT_STREQ(L"", stale) << "entries of the old list are gone";
    CStringArray read;
    ASSERT_EQ(0, list->Read(path.c_str(), read));
    ASSERT_EQ(1, read.GetSize());
    EXPECT_EQ(L"C:\\v\\only.mp4", read[0]);
}

int CountFilesIn(const TempFolder& folder)
{
    int count = 0;
    WIN32_FIND_DATAW found;
    HANDLE hFind = FindFirstFileW((folder / L"*").c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++count;
    } while (FindNextFileW(hFind, &found));
    FindClose(hFind);
    return count;
}

TEST(CPlaylistFileTest, PathsOutsideTheAnsiCodePageSurvive)
{
    struct Case {
        const wchar_t* name;
        const char* start;  // the first bytes of the written file
    } cases[] = {
        {L"list.m3u", "\xEF\xBB\xBF"},
        {L"list.pls", "\xFF\xFE"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        std::wstring path = folder / c.name;
        CStringArray written;
        written.Add(L"C:\\v\\caf\x00E9.mp4");
        written.Add(L"C:\\\x0412\x0438\x0434\x0435\x043E\\\x6620\x753B.mp4");
        std::unique_ptr<CPlaylistFile> list = ListFor(path);
        ASSERT_EQ(0, list->Write(path.c_str(), written)) << c.name;
        std::string bytes = std::string(c.start);
        HANDLE hFile = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        char head[3] = {};
        DWORD read = 0;
        ReadFile(hFile, head, static_cast<DWORD>(bytes.size()), &read, nullptr);
        CloseHandle(hFile);
        EXPECT_EQ(bytes, std::string(head, read)) << c.name;
        CStringArray back;
        ASSERT_EQ(0, list->Read(path.c_str(), back)) << c.name;
        ASSERT_EQ(2, back.GetSize()) << c.name;
        EXPECT_EQ(written[0], back[0]) << c.name;
        EXPECT_EQ(written[1], back[1]) << c.name;
    }
}

TEST(CPlaylistFileTest, AnsiPathsStayInTheAnsiCodePage)
{
    TempFolder folder;
    std::wstring path = folder / L"plain.m3u";
    CStringArray written;
    written.Add(L"C:\\v\\a.mp4");
    ASSERT_EQ(0, ListFor(path)->Write(path.c_str(), written));
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char bytes[64] = {};
    DWORD read = 0;
    ReadFile(hFile, bytes, sizeof(bytes), &read, nullptr);
    CloseHandle(hFile);
    EXPECT_EQ(std::string("C:\\v\\a.mp4\r\n"), std::string(bytes, read));
}

TEST(CPlaylistFileTest, AnEmptyListIsAnEmptyFile)
{
    for (const wchar_t* name : {L"empty.m3u", L"empty.pls"}) {
        TempFolder folder;
        std::wstring path = folder / name;
        std::unique_ptr<CPlaylistFile> list = ListFor(path);
        CStringArray none;
        ASSERT_EQ(0, list->Write(path.c_str(), none)) << name;
        CStringArray back;
        EXPECT_EQ(0, list->Read(path.c_str(), back)) << name;
        EXPECT_EQ(0, back.GetSize()) << name;
    }
}

TEST(CPlaylistFileTest, AFailedWriteLeavesTheOldListAndNoTemporaryFile)
{
    for (const wchar_t* name : {L"kept.m3u", L"kept.pls"}) {
        TempFolder folder;
        std::wstring path = folder / name;
        std::unique_ptr<CPlaylistFile> list = ListFor(path);
        CStringArray old;
        old.Add(L"C:\\v\\old.mp4");
        ASSERT_EQ(0, list->Write(path.c_str(), old)) << name;
        // Open without delete sharing, the old list cannot be replaced.
        HANDLE hBusy = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
        CStringArray replacement;
        replacement.Add(L"C:\\v\\new.mp4");
        EXPECT_EQ(-1, list->Write(path.c_str(), replacement)) << name;
        CloseHandle(hBusy);
        CStringArray back;
        ASSERT_EQ(0, list->Read(path.c_str(), back)) << name;
        ASSERT_EQ(1, back.GetSize()) << name;
        EXPECT_EQ(old[0], back[0]) << name;
        EXPECT_EQ(1, CountFilesIn(folder)) << name;
    }
}

// A damaged count must not keep the reader busy: it reads the list once, whatever it claims.
TEST(CPlaylistFileTest, AHugeEntryCountEndsQuickly)
{
    TempFolder folder;
    std::wstring path = folder / L"huge.pls";
    WriteBytes(path, "[playlist]\r\nNumberOfEntries=2147483647\r\nFile1=C:\\v\\a.mp4\r\n");
    CStringArray files;
    DWORD start = GetTickCount();
    ASSERT_EQ(0, ListFor(path)->Read(path.c_str(), files));
    EXPECT_EQ(1, files.GetSize());
    EXPECT_LT(GetTickCount() - start, 20000u) << "a hang, not a slow machine";
}

TEST(CPlaylistFileTest, PlsReadsAsTheProfileFunctionsDo)
{
    struct Case {
        const char* name;
        const char* text;
        const wchar_t* entries;  // '|' between them; null when the read fails
    } cases[] = {
        {"keys in any case", "[PLAYLIST]\r\nnumberofentries=2\r\nfile1=C:\\a.mp4\r\nFILE2=C:\\b.mp4\r\n",
         L"C:\\a.mp4|C:\\b.mp4"},
        {"enclosing quotes", "[playlist]\nNumberOfEntries=1\nFile1=\"C:\\a b.mp4\"\n", L"C:\\a b.mp4"},
        {"other sections",
         "[other]\r\nFile1=C:\\x.mp4\r\n[playlist]\r\nNumberOfEntries=1\r\nFile1=C:\\a.mp4\r\n"
         "[more]\r\nFile2=C:\\y.mp4\r\n",
         L"C:\\a.mp4"},
        {"first of a key given twice", "[playlist]\r\nNumberOfEntries=1\r\nFile1=C:\\a.mp4\r\nFile1=C:\\b.mp4\r\n",
         L"C:\\a.mp4"},
        {"numbered in any order", "[playlist]\r\nFile2=C:\\b.mp4\r\nNumberOfEntries=2\r\nFile1=C:\\a.mp4\r\n",
         L"C:\\a.mp4|C:\\b.mp4"},
        {"count not a number", "[playlist]\r\nNumberOfEntries=many\r\nFile1=C:\\a.mp4\r\n", L""},
        {"negative count", "[playlist]\r\nNumberOfEntries=-3\r\nFile1=C:\\a.mp4\r\n", nullptr},
        {"count elsewhere only", "[other]\r\nNumberOfEntries=1\r\n[playlist]\r\nFile1=C:\\a.mp4\r\n", L"C:\\a.mp4"},
        {"no count: entries while numbered on",
         "[playlist]\r\nFile2=C:\\b.mp4\r\nFile1=C:\\a.mp4\r\nFile3=\r\nFile4=C:\\d.mp4\r\nFile6=C:\\f.mp4\r\n",
         L"C:\\a.mp4|C:\\b.mp4|C:\\d.mp4"},
        {"no count and no entries", "[playlist]\r\nVersion=2\r\n", L""},
        {"no section", "NumberOfEntries=1\r\nFile1=C:\\a.mp4\r\n", nullptr},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        std::wstring path = folder / L"case.pls";
        WriteBytes(path, c.text);
        CStringArray files;
        int result = ListFor(path)->Read(path.c_str(), files);
        if (!c.entries) {
            EXPECT_EQ(-1, result) << c.name;
            continue;
        }
        ASSERT_EQ(0, result) << c.name;
        std::wstring joined;
        for (int i = 0; i < files.GetSize(); ++i)
            joined += (i ? L"|" : L"") + std::wstring(files[i]);
        EXPECT_EQ(c.entries, joined) << c.name;
    }
}

TEST(CPlaylistFileTest, PlsWriteKeepsOtherSections)
{
    TempFolder folder;
    std::wstring path = folder / L"kept.pls";
    WriteBytes(path,
               "[Playlist]\r\nNumberOfEntries=1\r\nFile1=C:\\old.mp4\r\nTitle1=Old\r\n\r\n[Player]\r\nVolume=7\r\n");
    CStringArray written;
    written.Add(L"C:\\v\\\x6620\x753B.mp4");
    ASSERT_EQ(0, ListFor(path)->Write(path.c_str(), written));
    EXPECT_EQ(7u, GetPrivateProfileIntW(L"Player", L"Volume", 0, path.c_str())) << "the profile functions read it";
    wchar_t title[16] = {};
    GetPrivateProfileStringW(L"Playlist", L"Title1", L"", title, 16, path.c_str());
    EXPECT_STREQ(L"", title) << "the old section went whole";
    CStringArray back;
    ASSERT_EQ(0, ListFor(path)->Read(path.c_str(), back));
    ASSERT_EQ(1, back.GetSize());
    EXPECT_EQ(written[0], back[0]);
}

// Entries longer than the classic path length stay whole: a cut one names another file.
TEST(CPlaylistFileTest, LongEntriesAreReadWhole)
{
    std::wstring longPath = L"C:\\";
    for (int i = 0; longPath.size() < 3000; ++i)
        longPath += L"folder " + std::to_wstring(i) + L"\\";
    longPath += L"clip.mp4";
    for (const wchar_t* name : {L"long.m3u", L"long.pls"}) {
        TempFolder folder;
        std::wstring path = folder / name;
        CStringArray written;
        written.Add(longPath.c_str());
        written.Add(L"C:\\v\\short.mp4");
        std::unique_ptr<CPlaylistFile> list = ListFor(path);
        ASSERT_EQ(0, list->Write(path.c_str(), written)) << name;
        CStringArray back;
        ASSERT_EQ(0, list->Read(path.c_str(), back)) << name;
        ASSERT_EQ(2, back.GetSize()) << name;
        EXPECT_EQ(longPath.size(), static_cast<size_t>(back[0].GetLength())) << name;
        EXPECT_EQ(written[0], back[0]) << name;
    }
    TempFolder folder;
    std::wstring path = folder / L"toolong.pls";
    std::string text = "[playlist]\r\nNumberOfEntries=2\r\nFile1=C:\\" + std::string(40000, 'x') +
                       "\r\nFile2=C:\\b.mp4\r\n";
    WriteBytes(path, text.c_str());
    CStringArray back;
    ASSERT_EQ(0, ListFor(path)->Read(path.c_str(), back));
    ASSERT_EQ(1, back.GetSize()) << "an entry longer than any path is left out, not cut";
    EXPECT_EQ(L"C:\\b.mp4", back[0]);
}

TEST(CPlaylistFileTest, AnEntryWithALineBreakIsRefused)
{
    for (const wchar_t* name : {L"broken.m3u", L"broken.pls"}) {
        TempFolder folder;
        std::wstring path = folder / name;
        CStringArray written;
        written.Add(L"C:\\v\\a.mp4\r\nFile2=C:\\evil.mp4");
        EXPECT_EQ(-1, ListFor(path)->Write(path.c_str(), written)) << name;
        EXPECT_EQ(0, CountFilesIn(folder)) << name;
    }
}

// Writes that stop after a few bytes with the error of a full disk.
class FullDisk {
public:
    explicit FullDisk(DWORD room)
    {
        s_room = room;
        m_saved = FileStreamWriteCall();
        FileStreamWriteCall() = Write;
    }
    ~FullDisk() { FileStreamWriteCall() = m_saved; }

private:
    static BOOL WINAPI Write(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped)
    {
        DWORD fits = size < s_room ? size : s_room;
        s_room -= fits;
        if (!WriteFile(file, data, fits, written, overlapped) || fits < size) {
            SetLastError(ERROR_DISK_FULL);
            return FALSE;
        }
        return TRUE;
    }

    static DWORD s_room;
    FileWriteCall m_saved;
};

DWORD FullDisk::s_room = 0;

TEST(CPlaylistFileTest, AFullDiskLeavesTheOldListWhole)
{
    for (const wchar_t* name : {L"full.m3u", L"full.pls"}) {
        TempFolder folder;
        std::wstring path = folder / name;
        std::unique_ptr<CPlaylistFile> list = ListFor(path);
        CStringArray old;
        for (int i = 0; i < 3; ++i)
            old.Add((L"C:\\v\\old " + std::to_wstring(i) + L".mp4").c_str());
        ASSERT_EQ(0, list->Write(path.c_str(), old)) << name;
        CStringArray replacement;
        for (int i = 0; i < 50; ++i)
            replacement.Add((L"C:\\v\\new " + std::to_wstring(i) + L".mp4").c_str());
        {
            FullDisk disk(100);
            EXPECT_EQ(-1, list->Write(path.c_str(), replacement)) << name;
        }
        CStringArray back;
        ASSERT_EQ(0, list->Read(path.c_str(), back)) << name;
        ASSERT_EQ(3, back.GetSize()) << name;
        EXPECT_EQ(old[2], back[2]) << name;
        EXPECT_EQ(1, CountFilesIn(folder)) << name << ": no partial file beside it";
    }
}

// Lists as other programs write them: UTF-8 without a mark, "file:" URLs.
std::string Utf8(const std::wstring& text)
{
    std::string bytes(text.size() * 4, '\0');
    bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0],
                                     static_cast<int>(bytes.size()), nullptr, nullptr));
    return bytes;
}

std::wstring Ansi(const std::string& bytes)
{
    std::wstring text(bytes.size(), L'\0');
    text.resize(MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0],
                                    static_cast<int>(text.size())));
    return text;
}

// The list's entries joined by '|'; "failed" when the read fails.
std::wstring ReadJoined(const std::wstring& path)
{
    CStringArray files;
    if (ListFor(path)->Read(path.c_str(), files) != 0)
        return L"failed";
    std::wstring joined;
    for (int i = 0; i < files.GetSize(); ++i)
        joined += (i ? L"|" : L"") + std::wstring(files[i]);
    return joined;
}

TEST(CPlaylistFileTest, ListsWithoutAMarkAreUtf8WhenTheirBytesAre)
{
    const wchar_t* names[] = {
        L"Pr\x00F8ve.flac",
        L"\x05E9\x05DC\x05D5\x05DD.flac",
        L"\x65E5\x672C\x8A9E\x306E\x52D5\x753B.mp4",
        L"\x0412\x0438\x0434\x0435\x043E \x043A\x043B\x0438\x043F.mkv",
        L"plain.mp4",
    };
    std::string m3u = "#EXTM3U\n", pls = "[playlist]\r\nNumberOfEntries=5\r\n";
    std::wstring expected;
    for (int i = 0; i < 5; ++i) {
        std::wstring path = std::wstring(L"C:\\m\\") + names[i];
        m3u += "#EXTINF:-1," + Utf8(names[i]) + "\n" + Utf8(path) + "\n";
        pls += "File" + std::to_string(i + 1) + "=" + Utf8(path) + "\r\n";
        expected += (i ? L"|" : L"") + path;
    }
    // Bytes that are no UTF-8 are in the ANSI code page, as before.
    std::string ansi = "C:\\m\\Pr\xF8ve \xE9t\xE9.flac";
    const struct {
        const wchar_t* name;
        std::string bytes;
        std::wstring entries;
    } cases[] = {
        {L"utf8.m3u", m3u, expected},
        {L"utf8.pls", pls, expected},
        {L"marked.m3u", "\xEF\xBB\xBF" + m3u, expected},
        {L"ansi.m3u", ansi + "\r\n", Ansi(ansi)},
        {L"ansi.pls", "[playlist]\r\nFile1=" + ansi + "\r\n", Ansi(ansi)},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        std::wstring path = folder / c.name;
        WriteBytes(path, c.bytes.c_str());
        EXPECT_EQ(c.entries, ReadJoined(path)) << testing::PrintToString(std::wstring(c.name));
    }
}

TEST(CPlaylistFileTest, FileUrlsAreTheLocalPathsTheyName)
{
    const char* entries[] = {
        "file:///C:/Media/Pr%C3%B8ve%20clip.mp4",
        "file:///C:/Media/%D7%A9%D7%9C%D7%95%D7%9D.flac",
        "file://localhost/D:/a%23b.mp4",
        "file:///C:/bad%zz.mp4",
        "http://host/a%20b.mp4",
    };
    std::wstring expected =
        L"C:\\Media\\Pr\x00F8ve clip.mp4|C:\\Media\\\x05E9\x05DC\x05D5\x05DD.flac|D:\\a#b.mp4|"
        L"file:///C:/bad%zz.mp4|http://host/a%20b.mp4";
    std::string m3u, pls = "[playlist]\r\n";
    for (int i = 0; i < 5; ++i) {
        m3u += std::string(entries[i]) + "\r\n";
        pls += "File" + std::to_string(i + 1) + "=" + entries[i] + "\r\n";
    }
    for (const auto& list : {std::make_pair(L"urls.m3u", m3u), std::make_pair(L"urls.pls", pls)}) {
        TempFolder folder;
        std::wstring path = folder / list.first;
        WriteBytes(path, list.second.c_str());
        EXPECT_EQ(expected, ReadJoined(path)) << testing::PrintToString(std::wstring(list.first));
    }
}

}  // namespace
