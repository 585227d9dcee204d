#include "classlib/CWinApp.h"
#include "framework/system/AppFolders.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <shlobj.h>

namespace {

const wchar_t kCompany[] = L"Kavri Helper Tests";

class AppFolders : public ::testing::Test {
protected:
    AppFolders() : m_app(Name()) { m_app.SetRegistryKey(kCompany); }
    ~AppFolders() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, CString(L"Software\\") + kCompany + L"\\" + m_app.m_pszAppName);
        RegDeleteKeyW(HKEY_CURRENT_USER, CString(L"Software\\") + kCompany);
    }
    static CString Name()
    {
        CString name;
        name.Format(L"FolderTest-%lu", GetCurrentProcessId());
        return name;
    }

    CWinApp m_app;
};

TEST_F(AppFolders, ProgramFolderUnlessTheProfileNamesOne)
{
    CString module = GetModulePath();
    EXPECT_EQ(module.Right(19), L"\\AppFoldersTest.exe");
    EXPECT_EQ(GetAppFolder(), module.Left(module.GetLength() - 19));

    TempFolder temp;
    ASSERT_TRUE(m_app.WriteProfileString(L"", L"AppFolder", temp.Path().c_str()));
    EXPECT_STREQ(GetAppFolder(), temp.Path().c_str());
    EXPECT_STREQ(GetComponentsFolder(), (temp / L"Modules").c_str());  // not tested for existence
    CreateDirectoryW((temp / L"Components").c_str(), nullptr);
    EXPECT_STREQ(GetComponentsFolder(), (temp / L"Components").c_str());
}

TEST_F(AppFolders, DataFolderIsMadeUnderTheCompanyFolder)
{
    wchar_t appData[MAX_PATH];
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE));
    CString expected = CString(appData) + L"\\Kavri Helper\\" + m_app.m_pszAppName;
    EXPECT_EQ(GetDataFolder(), expected);
    EXPECT_NE(GetFileAttributesW(expected), INVALID_FILE_ATTRIBUTES);
    RemoveDirectoryW(expected);
    RemoveDirectoryW(CString(appData) + L"\\Kavri Helper");  // only when nothing else is in it
}

TEST(UniqueTempPath, FreshNamesInTheTemporaryFolder)
{
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    CString first = GetUniqueTempPath();
    CString second = GetUniqueTempPath();
    EXPECT_EQ(first.Left(lstrlenW(temp)), temp);
    EXPECT_EQ(first.GetLength(), lstrlenW(temp) + 32);
    EXPECT_EQ(second.Left(lstrlenW(temp)), temp);
    EXPECT_NE(first, second);
}

}  // namespace
