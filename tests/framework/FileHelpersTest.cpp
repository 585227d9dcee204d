#include "framework/text/FileHelpers.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

void WriteRaw(const std::wstring& path, const std::string& bytes)
{
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    DWORD nWritten = 0;
    WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &nWritten, nullptr);
    CloseHandle(hFile);
}

std::string ReadRaw(const std::wstring& path)
{
    CStringA bytes;
    EXPECT_EQ(ReadFileToString(path.c_str(), bytes), 0);
    return static_cast<LPCSTR>(bytes);
}

// The names in the folder, to see that no temporary file is left behind.
std::vector<std::wstring> Names(const TempFolder& temp)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE hFind = FindFirstFileW((temp / L"*").c_str(), &found);
    do {
        if (wcscmp(found.cFileName, L".") != 0 && wcscmp(found.cFileName, L"..") != 0)
            names.push_back(found.cFileName);
    } while (FindNextFileW(hFind, &found));
    FindClose(hFind);
    return names;
}

// A sparse file of the given size that starts with "x".
void MakeSizedFile(const std::wstring& path, LONGLONG nSize)
{
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    DWORD nWritten;
    WriteFile(hFile, "x", 1, &nWritten, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = nSize;
    SetFilePointerEx(hFile, size, nullptr, FILE_BEGIN);
    SetEndOfFile(hFile);
    CloseHandle(hFile);
}

TEST(FileHelpers, ReadsBytesUpToTheFirstNul)
{
    TempFolder temp;
    const struct {
        const char* name;
        std::string contents;
        int result;
        std::string bytes;
    } cases[] = {
        {"whole file", "line one\r\nline two", 0, "line one\r\nline two"},
        {"cut at NUL", std::string("abc\0def", 7), 0, "abc"},
        {"empty file", "", 1, ""},
    };
    for (const auto& c : cases) {
        std::wstring path = temp / L"read.bin";
        WriteRaw(path, c.contents);
        CStringA bytes("old");
        EXPECT_EQ(ReadFileToString(path.c_str(), bytes), c.result) << c.name;
        EXPECT_STREQ(bytes, c.bytes.c_str()) << c.name;
    }
    CStringA bytes;
    EXPECT_EQ(ReadFileToString((temp / L"missing.bin").c_str(), bytes), -1);
}

TEST(FileHelpers, ReadsFilesUpTo256Megabytes)
{
    TempFolder temp;
    std::wstring path = temp / L"big.bin";
    CStringA bytes;
    MakeSizedFile(path, 0x10000000);
    EXPECT_EQ(ReadFileToString(path.c_str(), bytes), 0);
    EXPECT_STREQ(bytes, "x");
    MakeSizedFile(path, 0x10000001);
    EXPECT_EQ(ReadFileToString(path.c_str(), bytes), 1);
}

TEST(FileHelpers, WriteReplacesTheFileWhole)
{
    TempFolder temp;
    std::wstring path = temp / L"out.txt";
    WriteRaw(path, "an older and longer text");
    EXPECT_EQ(WriteBufferToFile(path.c_str(), "new", 3), 0);
    EXPECT_EQ(ReadRaw(path), "new");
    EXPECT_EQ(Names(temp), std::vector<std::wstring>{L"out.txt"});
}

TEST(FileHelpers, FailedWriteKeepsTheOldFileAndLeavesNothing)
{
    TempFolder temp;
    std::wstring path = temp / L"kept.txt";
    WriteRaw(path, "good contents");

    EXPECT_EQ(WriteBufferToFile(path.c_str(), "", 0), -1);
    EXPECT_EQ(WriteBufferToFile((temp / L"no folder\\x.txt").c_str(), "x", 1), -1);

    // The old file is held open without delete sharing, so it cannot be replaced.
    HANDLE hLock = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hLock, INVALID_HANDLE_VALUE);
    EXPECT_EQ(WriteBufferToFile(path.c_str(), "bad", 3), -1);
    CloseHandle(hLock);

    EXPECT_EQ(ReadRaw(path), "good contents");
    EXPECT_EQ(Names(temp), std::vector<std::wstring>{L"kept.txt"});
}

TEST(FileHelpers, TextRoundTripsThroughTheAnsiCodePage)
{
    TempFolder temp;
    std::wstring path = temp / L"text.txt";
    EXPECT_EQ(WriteTextFile(path.c_str(), L"K\u00e4se & Wein"), 0);
    EXPECT_EQ(ReadRaw(path), "K\xe4se & Wein");
    CString text;
    EXPECT_EQ(ReadTextFile(path.c_str(), text), 0);
    EXPECT_STREQ(text, L"K\u00e4se & Wein");

    EXPECT_EQ(WriteTextFile(path.c_str(), L""), -1);
    WriteRaw(path, "");
    EXPECT_EQ(ReadTextFile(path.c_str(), text), -1);
}

TEST(FileHelpers, ReadsLinesByTheirBreaks)
{
    TempFolder temp;
    const struct {
        const char* name;
        std::string contents;
        bool trim, skipEmpty;
        std::vector<std::wstring> lines;
    } cases[] = {
        {"CRLF", "a\r\nb\r\n", false, false, {L"a", L"b"}},
        {"LF only", "a\n\nb", false, false, {L"a", L"", L"b"}},
        {"CRLF wins over LF", "a\nb\r\nc", false, false, {L"a\nb", L"c"}},
        {"trim and skip", " a \r\n \r\nb", true, true, {L"a", L"b"}},
        {"no break", "single", false, false, {L"single"}},
    };
    for (const auto& c : cases) {
        std::wstring path = temp / L"lines.txt";
        WriteRaw(path, c.contents);
        CStringArray lines;
        EXPECT_EQ(ReadTextFileLines(path.c_str(), lines, c.trim, c.skipEmpty), 0) << c.name;
        std::vector<std::wstring> got;
        for (int i = 0; i < lines.GetSize(); i++)
            got.push_back(static_cast<LPCWSTR>(lines[i]));
        EXPECT_EQ(got, c.lines) << c.name;
    }
    CStringArray lines;
    EXPECT_EQ(ReadTextFileLines((temp / L"missing.txt").c_str(), lines, false, false), -1);
}

}  // namespace
