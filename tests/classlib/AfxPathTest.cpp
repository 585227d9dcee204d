// AfxGetFullPath makes paths full or gives nothing; AfxComparePath compares full paths without
// regard to case.
#include "classlib/AfxPath.h"
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(AfxGetFullPath, FullPathOrEmpty)
{
    wchar_t cwd[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, cwd);
    CString here(cwd);
    if (here.Right(1) != L"\\")
        here += L"\\";
    // Beyond the classic limit the result is still whole, never cut.
    std::wstring longName = L"C:\\" + std::wstring(300, L'n') + L"\\clip.mp4";
    struct Case {
        const char* name;
        const wchar_t* path;
        CString full;
    } cases[] = {
        {"already full", L"C:\\Dir\\File.txt", L"C:\\Dir\\File.txt"},
        {"relative", L"file.txt", here + L"file.txt"},
        {"dots resolved", L"C:\\Dir\\.\\Sub\\..\\f", L"C:\\Dir\\f"},
        {"forward slashes", L"C:/Dir/f", L"C:\\Dir\\f"},
        {"trailing separator kept", L"C:\\Dir\\", L"C:\\Dir\\"},
        {"UNC", L"\\\\server\\share\\a\\..\\b", L"\\\\server\\share\\b"},
        {"longer than MAX_PATH", longName.c_str(), longName.c_str()},
        {"empty", L"", L""},
        {"null", nullptr, L""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.full, AfxGetFullPath(c.path)) << c.name;
}

TEST(AfxComparePath, ComparesFullPathsIgnoringCase)
{
    wchar_t cwd[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, cwd);
    CString here = CString(cwd) + L"\\file.txt";
    struct Case {
        const char* name;
        const wchar_t* a;
        const wchar_t* b;
        BOOL same;
    } cases[] = {
        {"identical", L"C:\\Dir\\File.txt", L"C:\\Dir\\File.txt", TRUE},
        {"case differs", L"C:\\DIR\\file.TXT", L"c:\\dir\\File.txt", TRUE},
        {"non-ASCII case differs", L"C:\\\x00c4\\a", L"C:\\\x00e4\\A", TRUE},
        {"dot dot resolved", L"C:\\Dir\\..\\Other\\f", L"C:\\Other\\f", TRUE},
        {"forward slashes", L"C:/Dir/f", L"C:\\Dir\\f", TRUE},
        {"relative against full", L"file.txt", here, TRUE},
        {"different names", L"C:\\Dir\\a", L"C:\\Dir\\b", FALSE},
        {"prefix only", L"C:\\Dir", L"C:\\Dir\\a", FALSE},
        {"empty", L"", L"", FALSE},
        {"null", nullptr, L"C:\\a", FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.same, AfxComparePath(c.a, c.b));
    }
}

}  // namespace
