// The ".m3u" and ".pls" lists of both programs, read from and written to files made here.
#include "framework/text/CPlaylistFile.h"
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

    std::wstring noCount = folder / L"nocount.pls";
    WriteBytes(noCount, "[playlist]\r\nFile1=C:\\v\\a.mp4\r\n");
    EXPECT_EQ(-1, ListFor(noCount)->Read(noCount.c_str(), files));
    EXPECT_EQ(-1, ListFor(noCount)->Read((folder / L"none.pls").c_str(), files));
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

TEST(CPlaylistFileTest, AHugeEntryCountEndsQuickly)
{
    TempFolder folder;
    std::wstring path = folder / L"huge.pls";
    WriteBytes(path, "[playlist]\r\nNumberOfEntries=2000000000\r\nFile1=C:\\v\\a.mp4\r\n");
    CStringArray files;
    DWORD start = GetTickCount();
    ASSERT_EQ(0, ListFor(path)->Read(path.c_str(), files));
    EXPECT_EQ(1, files.GetSize());
    EXPECT_LT(GetTickCount() - start, 5000u);
}

}  // namespace
