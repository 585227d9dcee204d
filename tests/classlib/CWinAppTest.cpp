// CWinApp: the application object and its profile values, which round-trip through the
// registry of the test prefix under a key of this test's own.
#include "classlib/CWinApp.h"
#include "classlib/CWnd.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "tests/support/TestWait.h"

namespace {

// This suite's own parent key, which it deletes when empty: other suites have their own.
const wchar_t kCompany[] = L"Kavri Classlib Tests";  // also string 200 of the test's resources

CString UniqueAppName()
{
    CString name;
    name.Format(L"ProfileTest-%lu", GetCurrentProcessId());
    return name;
}

CString AppKeyPath(const CString& app)
{
    return CString(L"Software\\") + kCompany + L"\\" + app;
}

bool KeyExists(const CString& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

class CWinAppProfile : public ::testing::Test {
protected:
    CWinAppProfile() : m_app(UniqueAppName()) { m_app.SetRegistryKey(kCompany); }
    ~CWinAppProfile() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, AppKeyPath(m_app.m_pszAppName));
        // Only when no other run still uses it.
        RegDeleteKeyW(HKEY_CURRENT_USER, CString(L"Software\\") + kCompany);
    }
    CString AppKey() const { return AppKeyPath(m_app.m_pszAppName); }

    CWinApp m_app;
};

TEST(CWinApp, OneApplicationObjectNamedByItsTitleString)
{
    EXPECT_EQ(nullptr, AfxGetApp());
    {
        CWinApp app;
        EXPECT_EQ(&app, AfxGetApp());
        EXPECT_EQ(&app, AfxGetThread());
        EXPECT_STREQ(L"Classlib Test Title", app.m_pszAppName);
        EXPECT_EQ(nullptr, app.m_pszRegistryKey);
        EXPECT_FALSE(app.m_bAutoDelete);

        CWinApp second(L"Second");
        EXPECT_EQ(&app, AfxGetApp());  // the first one stays the application
        EXPECT_STREQ(L"Second", second.m_pszAppName);
    }
    EXPECT_EQ(nullptr, AfxGetApp());
}

TEST(CWinApp, WithoutRegistryKeyReadsDefaultsAndWritesFail)
{
    CWinApp app(L"NoKey");
    EXPECT_EQ(7u, app.GetProfileInt(L"Settings", L"Value", 7));
    EXPECT_STREQ(L"def", app.GetProfileString(L"Settings", L"Text", L"def"));
    EXPECT_FALSE(app.WriteProfileInt(L"Settings", L"Value", 1));
    EXPECT_FALSE(app.WriteProfileString(L"Settings", L"Text", L"x"));
    EXPECT_EQ(nullptr, app.GetAppRegistryKey());
}

TEST_F(CWinAppProfile, RegistryKeyFromResourceAndNames)
{
    CWinApp app(L"FromResource");
    app.SetRegistryKey(200u);
    EXPECT_STREQ(kCompany, app.m_pszRegistryKey);
    EXPECT_STREQ(L"FromResource", app.m_pszProfileName);
    EXPECT_STREQ(m_app.m_pszAppName, m_app.m_pszProfileName);
}

TEST_F(CWinAppProfile, ValuesRoundTripInEverySection)
{
    const wchar_t* sections[] = {L"", L"Settings", L"Deep\\Nested\\Section"};
    const std::vector<BYTE> bytes = {0, 1, 0xFF, 0, 42};
    // Longer than any first guess at a value's size.
    const CString longText(L'x', 3000);
    std::vector<BYTE> longBytes(5000);
    for (size_t i = 0; i < longBytes.size(); ++i)
        longBytes[i] = static_cast<BYTE>(i * 7);
    for (const wchar_t* section : sections) {
        SCOPED_TRACE(testing::Message() << "section \"" << CStringA(section) << "\"");
        EXPECT_TRUE(m_app.WriteProfileInt(section, L"Int", -12));
        EXPECT_TRUE(m_app.WriteProfileInt(section, L"Zero", 0));
        EXPECT_TRUE(m_app.WriteProfileString(section, L"Text", L"caf\x00e9 \x4e2d"));
        EXPECT_TRUE(m_app.WriteProfileString(section, L"Empty", L""));
        EXPECT_TRUE(m_app.WriteProfileBinary(section, L"Bytes", const_cast<BYTE*>(bytes.data()),
                                             static_cast<UINT>(bytes.size())));
        EXPECT_TRUE(m_app.WriteProfileString(section, L"LongText", longText));
        EXPECT_TRUE(
            m_app.WriteProfileBinary(section, L"LongBytes", longBytes.data(), static_cast<UINT>(longBytes.size())));

        EXPECT_EQ(static_cast<UINT>(-12), m_app.GetProfileInt(section, L"Int", 5));
        EXPECT_EQ(0u, m_app.GetProfileInt(section, L"Zero", 5));
        EXPECT_STREQ(L"caf\x00e9 \x4e2d", m_app.GetProfileString(section, L"Text"));
        EXPECT_STREQ(L"", m_app.GetProfileString(section, L"Empty", L"default"));
        BYTE* data = nullptr;
        UINT size = 0;
        ASSERT_TRUE(m_app.GetProfileBinary(section, L"Bytes", &data, &size));
        EXPECT_EQ(bytes, std::vector<BYTE>(data, data + size));
        delete[] data;
        EXPECT_STREQ(longText, m_app.GetProfileString(section, L"LongText"));
        ASSERT_TRUE(m_app.GetProfileBinary(section, L"LongBytes", &data, &size));
        EXPECT_EQ(longBytes, std::vector<BYTE>(data, data + size));
        delete[] data;
        EXPECT_EQ(5u, m_app.GetProfileInt(section, L"LongText", 5)) << "a long string is no number either";
    }
    // The empty section is the application key itself.
    DWORD value = 0;
    DWORD size = sizeof(value);
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_CURRENT_USER, AppKey(), L"Int", RRF_RT_REG_DWORD,
                                          nullptr, &value, &size));
    EXPECT_EQ(static_cast<DWORD>(-12), value);
    EXPECT_TRUE(KeyExists(AppKey() + L"\\Deep\\Nested\\Section"));
}

TEST_F(CWinAppProfile, MissingOrMistypedValuesGiveTheDefault)
{
    m_app.WriteProfileString(L"Settings", L"Text", L"12");
    m_app.WriteProfileInt(L"Settings", L"Int", 12);
    struct Case {
        const char* name;
        const wchar_t* section;
        const wchar_t* entry;
    } cases[] = {
        {"missing entry", L"Settings", L"Nothing"},
        {"missing section", L"NoSuchSection", L"Int"},
        {"null entry", L"Settings", nullptr},
        {"null section", nullptr, L"Int"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(99u, m_app.GetProfileInt(c.section, c.entry, 99));
        EXPECT_STREQ(L"dflt", m_app.GetProfileString(c.section, c.entry, L"dflt"));
        BYTE* data = reinterpret_cast<BYTE*>(1);
        UINT size = 1;
        EXPECT_FALSE(m_app.GetProfileBinary(c.section, c.entry, &data, &size));
        EXPECT_EQ(nullptr, data);
        EXPECT_EQ(0u, size);
    }
    EXPECT_EQ(99u, m_app.GetProfileInt(L"Settings", L"Text", 99));  // a string is no number
    EXPECT_STREQ(L"dflt", m_app.GetProfileString(L"Settings", L"Int", L"dflt"));
    EXPECT_STREQ(L"", m_app.GetProfileString(L"Settings", L"Nothing"));
    EXPECT_FALSE(KeyExists(AppKey() + L"\\NoSuchSection"));  // reading creates nothing
}

TEST_F(CWinAppProfile, DeletingEntriesAndSections)
{
    m_app.WriteProfileString(L"Outer", L"Keep", L"a");
    m_app.WriteProfileString(L"Outer", L"Drop", L"b");
    m_app.WriteProfileInt(L"Outer\\Inner", L"Value", 1);
    m_app.WriteProfileInt(L"Other", L"Value", 2);
    m_app.WriteProfileInt(L"", L"Top", 3);

    EXPECT_TRUE(m_app.WriteProfileString(L"Outer", L"Drop", nullptr));
    EXPECT_STREQ(L"gone", m_app.GetProfileString(L"Outer", L"Drop", L"gone"));
    EXPECT_STREQ(L"a", m_app.GetProfileString(L"Outer", L"Keep"));
    EXPECT_TRUE(m_app.WriteProfileString(L"Outer", L"Drop", nullptr));  // already gone

    EXPECT_TRUE(m_app.WriteProfileString(L"Outer", nullptr, nullptr));
    EXPECT_FALSE(KeyExists(AppKey() + L"\\Outer"));
    EXPECT_EQ(0u, m_app.GetProfileInt(L"Outer\\Inner", L"Value", 0));
    EXPECT_EQ(2u, m_app.GetProfileInt(L"Other", L"Value", 0));
    EXPECT_TRUE(m_app.WriteProfileString(L"Outer", nullptr, nullptr));  // already gone

    // The empty section names the application key, which this never deletes.
    EXPECT_FALSE(m_app.WriteProfileString(L"", nullptr, nullptr));
    EXPECT_EQ(3u, m_app.GetProfileInt(L"", L"Top", 0));
    EXPECT_EQ(2u, m_app.GetProfileInt(L"Other", L"Value", 0));
}

TEST_F(CWinAppProfile, SectionKeysForTheCaller)
{
    HKEY section = m_app.GetSectionKey(L"Keys\\Sub");
    ASSERT_NE(nullptr, section);
    DWORD value = 77;
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(section, L"Direct", 0, REG_DWORD,
                                            reinterpret_cast<BYTE*>(&value), sizeof(value)));
    RegCloseKey(section);
    EXPECT_EQ(77u, m_app.GetProfileInt(L"Keys\\Sub", L"Direct", 0));

    HKEY app = m_app.GetAppRegistryKey();
    ASSERT_NE(nullptr, app);
    HKEY same = m_app.GetSectionKey(L"");
    ASSERT_NE(nullptr, same);
    m_app.WriteProfileInt(L"", L"Top", 5);
    DWORD read = 0;
    DWORD size = sizeof(read);
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(same, L"Top", nullptr, nullptr, reinterpret_cast<BYTE*>(&read), &size));
    EXPECT_EQ(5u, read);
    RegCloseKey(same);
    RegCloseKey(app);
}

// AfxGetMainWnd answers the calling thread's main window, else the application's.
struct MainWndSeen {
    CWnd* pSeen = nullptr;
    CWnd* pOwn = nullptr;  // the worker thread's own main window, when it has one
};

UINT SeeMainWnd(LPVOID pParam)
{
    MainWndSeen* pSeen = static_cast<MainWndSeen*>(pParam);
    AfxGetThread()->m_pMainWnd = pSeen->pOwn;
    pSeen->pSeen = AfxGetMainWnd();
    return 0;
}

TEST(CWinApp, MainWindowAlsoOnWorkerThreads)
{
    CWinApp app(L"MainWnd");
    CWnd appWindow;
    CWnd ownWindow;
    app.m_pMainWnd = &appWindow;
    EXPECT_EQ(&appWindow, AfxGetMainWnd());
    struct Case {
        const char* name;
        CWnd* pOwn;
        CWnd* pWant;
    } cases[] = {
        {"a worker without its own", nullptr, &appWindow},
        {"a thread with its own main window", &ownWindow, &ownWindow},
    };
    for (const Case& c : cases) {
        MainWndSeen seen = {nullptr, c.pOwn};
        CWinThread* thread = AfxBeginThread(SeeMainWnd, &seen, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        ASSERT_NE(nullptr, thread);
        thread->m_bAutoDelete = FALSE;
        thread->ResumeThread();
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread->m_hThread, kTestWaitMs));
        EXPECT_EQ(c.pWant, seen.pSeen) << c.name;
        delete thread;
    }
    app.m_pMainWnd = nullptr;
}

}  // namespace
