// File associations in a sandboxed HKEY_CURRENT_USER: registering a type, taking an extension
// and giving it back without destroying what others keep in the same keys.
#include "framework/system/CFileAssociation.h"
#include "RegistrySandbox.h"
#include <gtest/gtest.h>

namespace {

const wchar_t kClasses[] = L"Software\\Classes";
const wchar_t kExtKey[] = L"Software\\Classes\\.kvtest";
const wchar_t kProgID[] = L"KavriHelper.KavriTestPlayer.kvtest";
const wchar_t kProgKey[] = L"Software\\Classes\\KavriHelper.KavriTestPlayer.kvtest";
const wchar_t kProgram[] = L"C:\\Program Files\\Kavri\\KavriTestPlayer.exe";

bool KeyExists(const CString& path)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

// The default value, or "<none>" when the key or the value is missing.
CString Default(const CString& path)
{
    CString value;
    return ReadRegistryDefault(HKEY_CURRENT_USER, path, value) ? value : CString(L"<none>");
}

CString Named(const CString& path, LPCWSTR pszName)
{
    wchar_t buf[256] = {};
    DWORD cb = sizeof(buf);
    if (RegGetValueW(HKEY_CURRENT_USER, path, pszName, RRF_RT_REG_SZ, nullptr, buf, &cb) != ERROR_SUCCESS)
        return L"<none>";
    return buf;
}

class FileAssociation : public ::testing::Test {
protected:
    FileAssociation() : m_type(L".kvtest", kProgID, L"Kavri Test File", -1) {}
    void SetUp() override
    {
        ASSERT_TRUE(m_sandbox.IsReady());
        // Other programs' classes beside ours, as on any real system.
        ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, L"Software\\Classes\\.other", L"Other.File", nullptr));
    }

    RegistrySandbox m_sandbox;
    CFileAssociation m_type;
};

TEST_F(FileAssociation, RegisterWritesDescriptionAndOpenCommand)
{
    EXPECT_FALSE(m_type.IsRegistered());
    ASSERT_TRUE(m_type.Register(kProgram));
    EXPECT_TRUE(m_type.IsRegistered());
    EXPECT_STREQ(L"Kavri Test File", Default(kProgKey));
    EXPECT_STREQ(L"\"C:\\Program Files\\Kavri\\KavriTestPlayer.exe\" \"%1\"",
                 Default(CString(kProgKey) + L"\\shell\\open\\command"));
    EXPECT_FALSE(KeyExists(CString(kProgKey) + L"\\DefaultIcon"));  // icon index -1

    m_type.m_strDescription = L"Renamed";
    EXPECT_FALSE(m_type.IsRegistered());
}

struct IconCase {
    const char* name;
    const wchar_t* program;  // null: the system's shell32.dll
    int nIndex;
    int nExpected;
};

class FileAssociationIcon : public FileAssociation, public ::testing::WithParamInterface<IconCase> {};

TEST_P(FileAssociationIcon, IndexOnlyWhenTheProgramHasThatIcon)
{
    const IconCase& c = GetParam();
    wchar_t shell32[MAX_PATH];
    GetSystemDirectoryW(shell32, MAX_PATH);
    wcscat(shell32, L"\\shell32.dll");
    CString program = c.program ? c.program : shell32;

    m_type.m_nIconIndex = c.nIndex;
    ASSERT_TRUE(m_type.Register(program));
    CString expected;
    expected.Format(L"%s,%d", static_cast<LPCWSTR>(program), c.nExpected);
    EXPECT_STREQ(expected, Default(CString(kProgKey) + L"\\DefaultIcon"));
}

const IconCase kIcons[] = {
    {"ExistingIcon", nullptr, 3, 3},
    {"FirstIcon", nullptr, 0, 0},
    {"BeyondTheIcons", nullptr, 100000, 0},
    {"MissingProgram", L"C:\\nowhere\\missing.exe", 4, 0},
};
INSTANTIATE_TEST_SUITE_P(Icons, FileAssociationIcon, ::testing::ValuesIn(kIcons),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileAssociation, AssociateFreeExtension)
{
    CString previous = L"stale";
    EXPECT_FALSE(m_type.IsAssociated());
    ASSERT_TRUE(m_type.Associate(previous));
    EXPECT_STREQ(L"", previous);
    EXPECT_TRUE(m_type.IsAssociated());
    EXPECT_STREQ(kProgID, Default(kExtKey));
}

TEST_F(FileAssociation, AssociateTakesOverAndRestoreGivesBack)
{
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, kExtKey, L"OtherPlayer.kvtest", nullptr));
    CString previous;
    ASSERT_TRUE(m_type.Associate(previous));
    EXPECT_STREQ(L"OtherPlayer.kvtest", previous);
    EXPECT_TRUE(m_type.IsAssociated());

    EXPECT_EQ(1, m_type.Restore(previous));
    EXPECT_FALSE(m_type.IsAssociated());
    EXPECT_STREQ(L"OtherPlayer.kvtest", Default(kExtKey));
}

TEST_F(FileAssociation, AssociateTwiceReportsItselfAsPrevious)
{
    CString previous;
    ASSERT_TRUE(m_type.Associate(previous));
    ASSERT_TRUE(m_type.Associate(previous));
    EXPECT_STREQ(kProgID, previous);
    EXPECT_TRUE(m_type.IsAssociated());
}

struct RestoreCase {
    const char* name;
    const wchar_t* previous;
};

class FileAssociationRestore : public FileAssociation, public ::testing::WithParamInterface<RestoreCase> {};

// Without another owner to give it back to, the extension's key goes, and its parents stay.
TEST_P(FileAssociationRestore, RemovesTheBareExtensionKey)
{
    CString previous;
    ASSERT_TRUE(m_type.Associate(previous));
    EXPECT_EQ(1, m_type.Restore(GetParam().previous));
    EXPECT_FALSE(KeyExists(kExtKey));
    EXPECT_TRUE(KeyExists(kClasses));
    EXPECT_STREQ(L"Other.File", Default(L"Software\\Classes\\.other"));
}

const RestoreCase kRestores[] = {
    {"NoPreviousOwner", L""},
    {"PreviousOwnerWasThisProgram", kProgID},
};
INSTANTIATE_TEST_SUITE_P(Previous, FileAssociationRestore, ::testing::ValuesIn(kRestores),
                         [](const auto& info) { return std::string(info.param.name); });

// Values and subkeys that others keep in the extension's key survive the restore.
TEST_F(FileAssociation, RestoreKeepsWhatOthersStoredInTheExtensionKey)
{
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, kExtKey, L"video/x-kvtest", L"Content Type"));
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, CString(kExtKey) + L"\\OpenWithProgids", L"",
                                    L"OtherPlayer.kvtest"));
    CString previous;
    ASSERT_TRUE(m_type.Associate(previous));
    EXPECT_STREQ(L"", previous);

    EXPECT_EQ(1, m_type.Restore(previous));
    EXPECT_FALSE(m_type.IsAssociated());
    EXPECT_STREQ(L"<none>", Named(kExtKey, nullptr));  // only our value went
    EXPECT_STREQ(L"video/x-kvtest", Named(kExtKey, L"Content Type"));
    EXPECT_TRUE(KeyExists(CString(kExtKey) + L"\\OpenWithProgids"));
}

TEST_F(FileAssociation, RestoreWhenNotAssociatedChangesNothing)
{
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, kExtKey, L"OtherPlayer.kvtest", nullptr));
    EXPECT_EQ(0, m_type.Restore(L"Older.kvtest"));
    EXPECT_STREQ(L"OtherPlayer.kvtest", Default(kExtKey));
}

TEST_F(FileAssociation, UnregisterRemovesTheProgIDButNotTheClassesKey)
{
    m_type.m_nIconIndex = 0;
    ASSERT_TRUE(m_type.Register(kProgram));
    EXPECT_EQ(1, m_type.Unregister());
    EXPECT_FALSE(KeyExists(kProgKey));
    EXPECT_FALSE(m_type.IsRegistered());
    EXPECT_TRUE(KeyExists(kClasses));
}

TEST_F(FileAssociation, UnregisterKeepsOtherVerbsOfTheProgID)
{
    ASSERT_TRUE(m_type.Register(kProgram));
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, CString(kProgKey) + L"\\shell\\print\\command", L"x", nullptr));
    EXPECT_EQ(1, m_type.Unregister());
    EXPECT_TRUE(KeyExists(CString(kProgKey) + L"\\shell\\print\\command"));
    EXPECT_FALSE(KeyExists(CString(kProgKey) + L"\\shell\\open"));
}

TEST(DeleteKeyAndEmptyParents, StopsAtAParentThatHoldsAValue)
{
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.IsReady());
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, L"A\\B\\C", L"leaf", nullptr));
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, L"A", L"kept", L"Setting"));
    EXPECT_EQ(1, DeleteKeyAndEmptyParents(HKEY_CURRENT_USER, L"A\\B\\C"));
    EXPECT_FALSE(KeyExists(L"A\\B"));
    EXPECT_STREQ(L"kept", Named(L"A", L"Setting"));
}

struct UnusableCase {
    const char* name;
    const wchar_t* extension;
    const wchar_t* progID;
};

class FileAssociationUnusable : public ::testing::TestWithParam<UnusableCase> {};

TEST_P(FileAssociationUnusable, AnswersZeroAndWritesNothing)
{
    RegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.IsReady());
    const UnusableCase& c = GetParam();
    CFileAssociation type(c.extension, c.progID, L"Nothing", 0);
    CString previous;
    EXPECT_FALSE(type.Register(kProgram));
    EXPECT_FALSE(type.Associate(previous));
    EXPECT_FALSE(type.IsAssociated());
    EXPECT_FALSE(type.IsRegistered());
    EXPECT_EQ(0, type.Restore(L""));
    EXPECT_EQ(0, type.Unregister());
    EXPECT_FALSE(KeyExists(kClasses));
}

const UnusableCase kUnusable[] = {
    {"NoExtension", L"", kProgID},
    {"NoProgID", L".kvtest", L""},
};
INSTANTIATE_TEST_SUITE_P(Types, FileAssociationUnusable, ::testing::ValuesIn(kUnusable),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
