#include "framework/system/PathHelpers.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <string>

namespace {

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW((L"\\\\?\\" + path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(PathHelpers, PathPieces)
{
    std::wstring longFolder = L"C:\\" + std::wstring(2100, L'f');
    const struct {
        std::wstring path, folder, extension;
    } cases[] = {
        {L"C:\\a\\b.txt", L"C:\\a", L"txt"},
        {L"C:\\b.MP4", L"C:\\", L"MP4"},
        {L"C:\\x.y\\z", L"C:\\x.y", L""},
        {L"a.tar.gz", L"", L"gz"},
        {L"C:\\", L"", L""},
        {longFolder + L"\\clip.mkv", longFolder, L"mkv"},
        {L"C:/Users/x/out/tone.mp3", L"C:/Users/x/out", L"mp3"},
        {L"C:/Users/x/out/", L"C:/Users/x/out", L""},
        {L"C:/x.y/z", L"C:/x.y", L""},
        {L"C:\\a/b.c\\d.mp4", L"C:\\a/b.c", L"mp4"},
        {L"C:/b.mp4", L"C:/", L"mp4"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(GetFolderOfPath(c.path.c_str()), c.folder.c_str()) << c.path.substr(0, 40);
        EXPECT_STREQ(GetFileExtension(c.path.c_str()), c.extension.c_str()) << c.path.substr(0, 40);
    }
    EXPECT_STREQ(GetFolderOfPath(nullptr), L"");
    EXPECT_STREQ(GetFileExtension(nullptr), L"");
}

TEST(PathHelpers, FileUrlsNameLocalPaths)
{
    const struct {
        const wchar_t* url;
        const wchar_t* path;  // empty: not a path
    } cases[] = {
        {L"file:///C:/Media/Pr%C3%B8ve%20clip.mp4", L"C:\\Media\\Pr\x00F8ve clip.mp4"},
        {L"file:///C:/%E6%97%A5%E6%9C%AC.mp4", L"C:\\\x65E5\x672C.mp4"},
        {L"file:///C:/\x65E5%20b.mp4", L"C:\\\x65E5 b.mp4"},
        {L"FILE://localhost/d:/a%23b.mp4", L"d:\\a#b.mp4"},
        {L"file:///c|/old/form.mp4", L"c:\\old\\form.mp4"},
        {L"file://C:/two/slashes.mp4", L"C:\\two\\slashes.mp4"},
        {L"file://server/share/a%20b.mp4", L"\\\\server\\share\\a b.mp4"},
        {L"file:///C:/bad%2", L""},
        {L"file:///C:/bad%zz.mp4", L""},
        {L"file:///C:/a%00b.mp4", L""},
        {L"file:///C:/a%0Ab.mp4", L""},
        {L"http://host/a.mp4", L""},
        {L"C:\\a.mp4", L""},
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.path, FileUrlToPath(c.url)) << testing::PrintToString(std::wstring(c.url));
    EXPECT_STREQ(L"", FileUrlToPath(nullptr));
}

TEST(PathHelpers, ChangeExtensionWithOrWithoutDot)
{
    std::wstring longStem = L"C:\\" + std::wstring(2100, L's');
    const struct {
        std::wstring path, extension, result;
    } cases[] = {
        {L"C:\\a\\b.avi", L"mp4", L"C:\\a\\b.mp4"},       {L"C:\\a\\b.avi", L".mp4", L"C:\\a\\b.mp4"},
        {L"C:\\x.y\\z", L"mp4", L"C:\\x.y\\z.mp4"},       {L"C:\\a\\b.tar.gz", L"zip", L"C:\\a\\b.tar.zip"},
        {longStem + L".avi", L"mp3", longStem + L".mp3"}, {L"C:/x.y/z", L"mp4", L"C:/x.y/z.mp4"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(ChangeFileExtension(c.path.c_str(), c.extension.c_str()), c.result.c_str()) << c.path.substr(0, 40);
}

TEST(PathHelpers, ShortAndLongFormsRoundTrip)
{
    TempFolder temp;
    std::wstring path = temp / L"A Long File Name.mp4";
    CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    CString shortPath, longPath;
    ASSERT_EQ(GetShortPath(path.c_str(), shortPath), 0);
    EXPECT_EQ(shortPath.Find(L' '), -1) << static_cast<LPCWSTR>(shortPath);
    ASSERT_EQ(GetLongPath(shortPath, longPath), 0);
    EXPECT_STREQ(longPath, path.c_str());

    std::wstring missing = temp / L"missing file.mp4";
    EXPECT_EQ(GetShortPath(missing.c_str(), shortPath), -1);
    EXPECT_TRUE(shortPath.IsEmpty());
    EXPECT_EQ(GetLongPath(missing.c_str(), longPath), -1);
    EXPECT_TRUE(longPath.IsEmpty());
}

TEST(PathHelpers, FileSizeBeyondTheClassicLimit)
{
    TempFolder temp;
    std::wstring folder = temp.Path() + L"\\" + std::wstring(150, L'd') + L"\\" + std::wstring(150, L'e');
    ASSERT_EQ(CreateFolderTree(folder.c_str()), 0);
    std::wstring path = folder + L"\\five bytes.bin";
    ASSERT_GT(path.size(), 300u);
    HANDLE hFile = CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    DWORD nWritten;
    WriteFile(hFile, "12345", 5, &nWritten, nullptr);
    CloseHandle(hFile);
    EXPECT_EQ(GetFileSize64(path.c_str()), 5);
    EXPECT_EQ(GetFileSize64((folder + L"\\missing.bin").c_str()), -1);
    EXPECT_EQ(GetFileSize64(L""), -1);
}

TEST(PathHelpers, ExistenceBeyondTheClassicLimit)
{
    TempFolder temp;
    std::wstring folder = temp.Path() + L"\\" + std::wstring(150, L'd') + L"\\" + std::wstring(150, L'e');
    ASSERT_EQ(CreateFolderTree(folder.c_str()), 0);
    std::wstring file = folder + L"\\clip.mp4";
    CloseHandle(CreateFileW((L"\\\\?\\" + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::wstring missing = folder + L"\\missing.mp4";
    const struct {
        const char* name;
        const wchar_t* path;
        bool exists, folder;
    } cases[] = {
        {"long file", file.c_str(), true, false},
        {"long folder", folder.c_str(), true, true},
        {"long missing", missing.c_str(), false, false},
        {"short folder", temp.Path().c_str(), true, true},
        {"empty", L"", false, false},
        {"null", nullptr, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PathExists(c.path), c.exists) << c.name;
        EXPECT_EQ(FolderExists(c.path), c.folder) << c.name;
    }
}

TEST(PathHelpers, CreatesFolderTrees)
{
    TempFolder temp;
    std::wstring slashed = temp.Path() + L"/one/two";
    EXPECT_EQ(CreateFolderTree(slashed.c_str()), 0);
    EXPECT_TRUE(Exists(temp / L"one\\two"));
    EXPECT_EQ(CreateFolderTree(slashed.c_str()), 1);
    EXPECT_EQ(CreateFolderTree(L"C:\\"), -1);
    EXPECT_EQ(CreateFolderTree(L""), -1);

    std::wstring deep = temp.Path();
    for (int i = 0; i < 4; i++)
        deep += L"\\" + std::wstring(80, static_cast<wchar_t>(L'a' + i));
    EXPECT_EQ(CreateFolderTree(deep.c_str()), 0);
    EXPECT_TRUE(Exists(deep));

    // A file where a folder should be.
    std::wstring file = temp / L"file.txt";
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_EQ(CreateFolderTree((file + L"\\sub").c_str()), -1);
}

}  // namespace
