// Free file names in a folder the test fills.
#include "conversion/engine/UniqueFileName.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>

namespace {

void Touch(const std::wstring& path)
{
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    CloseHandle(hFile);
}

TEST(UniqueFileNameTest, FirstFreeNumber)
{
    TempFolder folder;
    LPCWSTR dir = folder.Path().c_str();
    EXPECT_EQ(L"a", MakeUniqueFileName(dir, L"a", L".mp3"));
    Touch(folder / L"a.mp3");
    Touch(folder / L"a (1).mp3");
    EXPECT_EQ(L"a (2)", MakeUniqueFileName(dir, L"a", L".mp3"));
    EXPECT_EQ(L"a (2)", MakeUniqueFileName(dir, L"a", L"..mp3")) << "leading dots are ignored";
    EXPECT_EQ(L"a", MakeUniqueFileName(dir, L"a", L"wav")) << "another extension is free";
    EXPECT_EQ(CString((folder / L"a (2).mp3").c_str()), MakeUniqueFilePath(dir, L"a", L".mp3"));
    Touch(folder / L"a (2).mp3");
    EXPECT_EQ(CString((folder / L"a (3).mp3").c_str()), MakeUniqueFilePath(dir, L"a", L"mp3"));
}

// Each call creates a name of its own: one taken by a file or a folder, or by an earlier
// call, is never handed out again.
TEST(UniqueFileNameTest, CreatedNamesAreExclusive)
{
    TempFolder folder;
    LPCWSTR dir = folder.Path().c_str();
    Touch(folder / L"[converting] a.mp3");
    CreateDirectoryW((folder / L"[converting] a (1).mp3").c_str(), nullptr);
    EXPECT_EQ(CString((folder / L"[converting] a (2).mp3").c_str()), CreateUniqueFile(dir, L"[converting] a", L"mp3"));
    EXPECT_EQ(CString((folder / L"[converting] a (3).mp3").c_str()), CreateUniqueFile(dir, L"[converting] a", L".mp3"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((folder / L"[converting] a (3).mp3").c_str())) << "made";
    EXPECT_EQ(CString((folder / L"[converting] a (4)").c_str()), CreateUniqueFolder(dir, L"[converting] a (4)"));
    EXPECT_EQ(CString((folder / L"[converting] a (4) (1)").c_str()), CreateUniqueFolder(dir, L"[converting] a (4)"));
    EXPECT_EQ(L"", CreateUniqueFile((folder / L"missing").c_str(), L"a", L"mp3")) << "no folder to create it in";
}

}  // namespace
