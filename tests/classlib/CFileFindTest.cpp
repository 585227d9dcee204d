// CFileFind over a folder the test makes: names, paths, titles, sizes, times, folders and the
// "." and ".." entries, and the calls around a search.
#include "classlib/CFileFind.h"
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

struct Seen {
    std::wstring path;
    std::wstring title;
    bool directory = false;
    ULONGLONG length = 0;
};

class CFileFindTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_dir.Format(L"%sclasslib-find-%lu", temp, GetCurrentProcessId());
        m_dir.TrimRight(L'\\');
        ASSERT_TRUE(CreateDirectoryW(m_dir, nullptr));
        ASSERT_TRUE(CreateDirectoryW(m_dir + L"\\Sub", nullptr));
        MakeFile(L"a.txt", "abc");
        MakeFile(L"noext", "");
        MakeFile(L"two.dots.dat", "0123456789");
    }
    void TearDown() override
    {
        for (const wchar_t* name : {L"a.txt", L"noext", L"two.dots.dat"})
            DeleteFileW(m_dir + L"\\" + name);
        RemoveDirectoryW(m_dir + L"\\Sub");
        RemoveDirectoryW(m_dir);
    }
    void MakeFile(const wchar_t* name, const char* text)
    {
        HANDLE h = CreateFileW(m_dir + L"\\" + name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        DWORD written = 0;
        WriteFile(h, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
        CloseHandle(h);
    }
    std::map<std::wstring, Seen> FindAll(const CString& pattern, int* dots)
    {
        std::map<std::wstring, Seen> found;
        CFileFind finder;
        for (BOOL more = finder.FindFile(pattern); more;) {
            more = finder.FindNextFile();
            if (finder.IsDots()) {
                ++*dots;
                continue;
            }
            Seen& s = found[std::wstring(finder.GetFileName())];
            s.path = finder.GetFilePath();
            s.title = finder.GetFileTitle();
            s.directory = finder.IsDirectory() != FALSE;
            s.length = finder.GetLength();
        }
        return found;
    }

    CString m_dir;
};

TEST_F(CFileFindTest, FindsEveryEntryWithItsDetails)
{
    int dots = 0;
    std::map<std::wstring, Seen> found = FindAll(m_dir + L"\\*", &dots);
    EXPECT_EQ(2, dots);
    ASSERT_EQ(4u, found.size());
    struct Case {
        const wchar_t* name;
        const wchar_t* title;
        bool directory;
        ULONGLONG length;
    } cases[] = {
        {L"a.txt", L"a", false, 3},
        {L"noext", L"noext", false, 0},
        {L"two.dots.dat", L"two.dots", false, 10},
        {L"Sub", L"Sub", true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CStringA(c.name));
        const Seen& s = found[c.name];
        EXPECT_EQ(std::wstring(m_dir + L"\\" + c.name), s.path);
        EXPECT_EQ(std::wstring(c.title), s.title);
        EXPECT_EQ(c.directory, s.directory);
        EXPECT_EQ(c.length, s.length);
    }
}

TEST_F(CFileFindTest, PatternsRelativePathsAndMisses)
{
    int dots = 0;
    std::map<std::wstring, Seen> txt = FindAll(m_dir + L"\\*.txt", &dots);
    ASSERT_EQ(1u, txt.size());
    EXPECT_EQ(1u, txt.count(L"a.txt"));

    // A relative pattern still gives full paths.
    wchar_t cwd[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, cwd);
    ASSERT_TRUE(SetCurrentDirectoryW(m_dir));
    std::map<std::wstring, Seen> relative = FindAll(L"Sub\\..\\a.*", &dots);
    SetCurrentDirectoryW(cwd);
    ASSERT_EQ(1u, relative.size());
    EXPECT_EQ(std::wstring(m_dir + L"\\a.txt"), relative[L"a.txt"].path);

    CFileFind finder;
    EXPECT_FALSE(finder.FindFile(m_dir + L"\\nothing*"));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_STREQ(L"", finder.GetFilePath());
}

TEST_F(CFileFindTest, NoCurrentFileBeforeFirstNextOrAfterClose)
{
    FILETIME stamp = {0x12345678, 0x01D00000};
    HANDLE h = CreateFileW(m_dir + L"\\a.txt", FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    SetFileTime(h, nullptr, nullptr, &stamp);
    CloseHandle(h);

    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(m_dir + L"\\a.txt"));
    FILETIME got = {};
    EXPECT_STREQ(L"", finder.GetFileName());
    EXPECT_FALSE(finder.IsDirectory());
    EXPECT_FALSE(finder.GetLastWriteTime(&got));
    EXPECT_EQ(0u, finder.GetLength());

    EXPECT_FALSE(finder.FindNextFile());  // the only match: current now, and no more
    EXPECT_STREQ(L"a.txt", finder.GetFileName());
    ASSERT_TRUE(finder.GetLastWriteTime(&got));
    EXPECT_EQ(stamp.dwLowDateTime, got.dwLowDateTime);
    EXPECT_EQ(stamp.dwHighDateTime, got.dwHighDateTime);

    finder.Close();
    EXPECT_STREQ(L"", finder.GetFileName());
    EXPECT_FALSE(finder.FindNextFile());
}

}  // namespace
