#include "framework/text/CFileStream.h"
#include "framework/text/LongPath.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <string>

namespace {

// A folder chain under the test folder whose full path reaches nLength characters.
std::wstring MakeLongFolder(const TempFolder& temp, size_t nLength)
{
    std::wstring folder = temp.Path();
    while (folder.size() < nLength) {
        folder += L"\\" + std::wstring(std::min<size_t>(100, nLength - folder.size()), L'd');
        CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr);
    }
    return folder;
}

TEST(CFileStream, WritesSeeksAndReads)
{
    TempFolder temp;
    std::wstring path = temp / L"data.bin";
    CFileStream file;
    ASSERT_EQ(file.Open(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL), 0);
    DWORD nDone = 0;
    EXPECT_EQ(file.Write("0123456789", 10, &nDone), 0);
    EXPECT_EQ(nDone, 10u);
    EXPECT_EQ(file.GetSize(), 10);
    EXPECT_EQ(file.GetPosition(), 10);
    EXPECT_EQ(file.Seek(-4, 2), 6);
    char buffer[16] = {};
    EXPECT_EQ(file.Read(buffer, sizeof(buffer), &nDone), 0);
    EXPECT_EQ(std::string(buffer, nDone), "6789");
    EXPECT_EQ(file.Read(buffer, sizeof(buffer), &nDone), 1);  // end of file
    EXPECT_EQ(file.SetSize(3), 3);
    EXPECT_EQ(file.GetSize(), 3);
    EXPECT_EQ(file.Seek(0, 7), -1);
    EXPECT_EQ(file.Flush(), 0);
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(file.Close(), 1);
}

TEST(CFileStream, ClosedStreamFails)
{
    TempFolder temp;
    CFileStream file;
    EXPECT_EQ(file.Open((temp / L"missing.bin").c_str(), GENERIC_READ, 0, OPEN_EXISTING, 0), -1);
    EXPECT_FALSE(file.IsOpen());
    char ch;
    DWORD nDone = 5;
    EXPECT_EQ(file.Read(&ch, 1, &nDone), -1);
    EXPECT_EQ(nDone, 0u);
    EXPECT_EQ(file.Write("x", 1, &nDone), -1);
    EXPECT_EQ(file.GetSize(), -1);
    EXPECT_EQ(file.GetPosition(), -1);
    EXPECT_EQ(file.Flush(), 1);
}

TEST(CFileStream, OpensPathsBeyondTheClassicLimit)
{
    TempFolder temp;
    std::wstring path = MakeLongFolder(temp, 290) + L"\\long name.bin";
    ASSERT_GT(path.size(), 300u);
    CFileStream file;
    ASSERT_EQ(file.Open(path.c_str(), GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL), 0);
    EXPECT_EQ(file.Write("x", 1, nullptr), 0);
    file.Close();
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExW((L"\\\\?\\" + path).c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, 1u);
}

TEST(LongPath, PrefixesOnlyLongFullPaths)
{
    std::wstring longTail(280, L'a');
    wchar_t cwd[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, cwd);
    std::wstring relativeFull = std::wstring(cwd) + (cwd[wcslen(cwd) - 1] == L'\\' ? L"" : L"\\") + longTail;
    const struct {
        const char* name;
        std::wstring path, expected;
    } cases[] = {
        {"short path as given", L"C:\\a\\b.txt", L"C:\\a\\b.txt"},
        {"short relative path as given", L"b.txt", L"b.txt"},
        {"long drive path", L"C:\\" + longTail, L"\\\\?\\C:\\" + longTail},
        {"long path with slashes", L"C:/x/" + longTail, L"\\\\?\\C:\\x\\" + longTail},
        {"long UNC path", L"\\\\server\\share\\" + longTail, L"\\\\?\\UNC\\server\\share\\" + longTail},
        {"long relative path made full", longTail, L"\\\\?\\" + relativeFull},
        {"already prefixed", L"\\\\?\\C:\\" + longTail, L"\\\\?\\C:\\" + longTail},
        {"device path", L"\\\\.\\pipe\\x", L"\\\\.\\pipe\\x"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(ExtendedLengthPath(c.path.c_str()), c.expected.c_str()) << c.name;
}

}  // namespace
