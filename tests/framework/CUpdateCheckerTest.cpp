// Update checks: version comparison, when a check is due, the manifest as served by a loopback
// server, and whole checks started and ended the way the programs do it.
#include "framework/net/CUpdateChecker.h"
#include "tests/support/TestWait.h"
#include "framework/net/UpdateCheck.h"
#include "framework/net/VersionCompare.h"
#include "classlib/CWinApp.h"
#include "FakeAppSettings.h"
#include "LoopbackHttpServer.h"
#include "RegistrySandbox.h"
#include <gtest/gtest.h>
#include <functional>
#include <map>

namespace {

// ---- Version comparison

struct VersionCase {
    const char* name;
    const wchar_t* a;
    const wchar_t* b;
    int nExpected;
};

class VersionComparison : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionComparison, BothWays)
{
    const VersionCase& c = GetParam();
    EXPECT_EQ(c.nExpected, CompareVersionStrings(c.a, c.b));
    EXPECT_EQ(-c.nExpected, CompareVersionStrings(c.b, c.a));
}

const VersionCase kVersions[] = {
    {"Same", L"7.3.0", L"7.3.0", 0},
    {"MissingBuildIsZero", L"7.3", L"7.3.0", 0},
    {"MissingMinorIsZero", L"8", L"8.0.0", 0},
    {"FieldsAreNumbersNotText", L"7.10", L"7.3.0", 1},
    {"NewerBuild", L"7.3.1", L"7.3.0", 1},
    {"MajorWins", L"8.0.0", L"7.99.99", 1},
    {"OlderMajor", L"6.9.9", L"7.0.0", -1},
    {"BlanksIgnored", L" 7 . 3 . 2 ", L"7.3.2", 0},
    {"FourthFieldIgnored", L"7.3.0.9", L"7.3.0", 0},
    {"EmptyFieldBelowZero", L"7..1", L"7.0.1", -1},
    {"TrailingDot", L"7.3.", L"7.3.0", 0},
    {"EmptyTextIsZero", L"", L"0.0.0", 0},
    {"NonNumericIsZero", L"beta", L"0.0.0", 0},
    {"LeadingDigitsCount", L"7.3rc2", L"7.3.0", 0},
};
INSTANTIATE_TEST_SUITE_P(Pairs, VersionComparison, ::testing::ValuesIn(kVersions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ParseVersionString, FieldsAndInvalidText)
{
    VersionTriple v = {9, 9, 9};
    EXPECT_EQ(0, ParseVersionString(L"12.04.5", v));
    EXPECT_EQ(12, v.nMajor);
    EXPECT_EQ(4, v.nMinor);
    EXPECT_EQ(5, v.nBuild);
    EXPECT_EQ(-1, ParseVersionString(L"   ", v));
    EXPECT_EQ(0, v.nMajor);
    EXPECT_EQ(0, v.nMinor);
    EXPECT_EQ(0, v.nBuild);
}

// ---- When a check is due

time_t LocalTime(int year, int month, int day, int hour, int minute)
{
    struct tm t = {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_isdst = -1;
    return mktime(&t);
}

struct DueCase {
    const char* name;
    int nInterval;
    int last[5];  // year, month, day, hour, minute (local)
    int now[5];
    bool bDue;
};

class UpdateCheckDue : public ::testing::TestWithParam<DueCase> {};

TEST_P(UpdateCheckDue, ByInterval)
{
    const DueCase& c = GetParam();
    time_t last = LocalTime(c.last[0], c.last[1], c.last[2], c.last[3], c.last[4]);
    time_t now = LocalTime(c.now[0], c.now[1], c.now[2], c.now[3], c.now[4]);
    EXPECT_EQ(c.bDue, IsUpdateCheckDue(now, last, c.nInterval));
}

const DueCase kDue[] = {
    {"WeekAfterSixAndAHalfDays", 7, {2024, 1, 1, 0, 0}, {2024, 1, 7, 12, 0}, false},
    {"WeekAfterSevenDays", 7, {2024, 1, 1, 0, 0}, {2024, 1, 8, 0, 0}, true},
    {"DailyAcrossMidnight", 1, {2024, 1, 9, 23, 59}, {2024, 1, 10, 0, 1}, true},
    {"DailySameDay", 1, {2024, 1, 10, 0, 1}, {2024, 1, 10, 23, 59}, false},
    {"DailySameDayOfAnotherMonth", 1, {2024, 1, 10, 12, 0}, {2024, 2, 10, 12, 0}, true},
    {"TwoDaysAfterOneAndAHalf", 2, {2024, 1, 1, 0, 0}, {2024, 1, 2, 12, 0}, false},
    {"TwoDaysAfterTwo", 2, {2024, 1, 1, 0, 0}, {2024, 1, 3, 0, 0}, true},
    {"AlwaysAtZero", 0, {2024, 1, 1, 0, 0}, {2024, 1, 1, 0, 0}, true},
    {"NeverWhenNegative", -1, {2020, 1, 1, 0, 0}, {2024, 1, 1, 0, 0}, false},
};
INSTANTIATE_TEST_SUITE_P(Intervals, UpdateCheckDue, ::testing::ValuesIn(kDue),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Manifests served over HTTP

const char kDownloadPage[] = "https://www.kavri.example/kavri-video-player/download.html";

std::string Manifest(const std::string& appAttributes, const std::string& children)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Updates>\n  <Application " + appAttributes + ">" +
           children + "</Application>\n</Updates>\n";
}

std::string DownloadUrl(const std::string& url = kDownloadPage)
{
    return "<DownloadURL>" + url + "</DownloadURL>";
}

// A manifest long enough to arrive in many blocks, sent slowly: 40 blocks, 20 s in all.
const DWORD kSlowBlockDelayMs = 500;

std::string SlowManifest()
{
    return Manifest("Version=\"9.0.0\"", DownloadUrl() + "<!--" + std::string(40 * 4096, '.') + "-->");
}

const std::map<std::string, std::string>& Manifests()
{
    static const std::map<std::string, std::string> manifests = {
        {"/newer.xml", Manifest("Version=\"7.4.0\" Level=\"2\"",
                                DownloadUrl() + "<Description>Faster start.\nFewer crashes.</Description>")},
        {"/equal.xml", Manifest("Version=\"7.3.0\"", DownloadUrl())},
        {"/two-fields.xml", Manifest("Version=\"7.3\"", DownloadUrl())},
        {"/minor-ten.xml", Manifest("Version=\"7.10\"", DownloadUrl())},
        {"/older.xml", Manifest("Version=\"7.2.9\"", DownloadUrl())},
        {"/url-element.xml", Manifest("Version=\"7.4.0\"", "<URL>http://www.kavri.example/get</URL>")},
        {"/url-blanks.xml", Manifest("Version=\"7.4.0\"", "<DownloadURL>\n   HTTPS://www.kavri.example/get  \n</DownloadURL>")},
        {"/bad-download-good-url.xml",
         Manifest("Version=\"7.4.0\"", DownloadUrl("javascript:alert(1)") + "<URL>https://www.kavri.example/get</URL>")},
        {"/ftp-url.xml", Manifest("Version=\"7.4.0\"", DownloadUrl("ftp://www.kavri.example/setup.exe"))},
        {"/program-url.xml", Manifest("Version=\"7.4.0\"", DownloadUrl("C:\\Windows\\System32\\calc.exe"))},
        {"/utf8.xml", Manifest("Version=\"7.4.0\"", DownloadUrl() + "<Description>Gr\xC3\xB6\xC3\x9F"
                                                                    "ere Dateien \xE2\x80\x93 schneller</Description>")},
        {"/no-version.xml", Manifest("Level=\"1\"", DownloadUrl())},
        {"/empty-version.xml", Manifest("Version=\"\"", DownloadUrl())},
        {"/no-url.xml", Manifest("Version=\"7.4.0\"", "<Description>x</Description>")},
        {"/other-app.xml", "<Updates><Converter Version=\"9.0\"><URL>https://a.example/</URL></Converter></Updates>"},
        {"/not-xml.xml", "<Updates><Application Version=\"7.4.0\">"},
        {"/slow.xml", SlowManifest()},
    };
    return manifests;
}

LoopbackHttpServer::Response ServeManifest(const std::string& target)
{
    LoopbackHttpServer::Response r;
    auto it = Manifests().find(target);
    if (it == Manifests().end()) {
        r.nStatus = 404;
        return r;
    }
    r.body = it->second;
    if (target == "/slow.xml") {
        r.nChunk = 4096;
        r.nChunkDelayMs = kSlowBlockDelayMs;
    }
    return r;
}

struct ManifestCase {
    const char* name;
    const wchar_t* target;
    int nResult;
    int nState;
    const wchar_t* newVersion;
    const wchar_t* downloadUrl;
    const wchar_t* description;
};

class ManifestCheck : public ::testing::TestWithParam<ManifestCase> {
protected:
    ManifestCheck() : m_server(ServeManifest) {}
    LoopbackHttpServer m_server;
};

TEST_P(ManifestCheck, StateAndFields)
{
    ASSERT_TRUE(m_server.IsReady());
    const ManifestCase& c = GetParam();
    CUpdateChecker checker(m_server.Url(c.target).c_str(), L"Application", L"7.3.0", 1, TRUE);
    EXPECT_EQ(c.nResult, checker.Check());
    EXPECT_EQ(c.nResult, checker.m_nError);
    EXPECT_EQ(c.nState, checker.m_nState);
    EXPECT_STREQ(c.newVersion, checker.m_strNewVersion);
    EXPECT_STREQ(c.downloadUrl, checker.m_strDownloadUrl);
    EXPECT_STREQ(c.description, checker.m_strDescription);
}

#define PAGE L"https://www.kavri.example/kavri-video-player/download.html"
const ManifestCase kManifests[] = {
    {"Newer", L"/newer.xml", 0, 3, L"7.4.0", PAGE, L"Faster start.\r\nFewer crashes."},
    {"Equal", L"/equal.xml", 0, 2, L"7.3.0", PAGE, L""},
    {"TwoFieldsEqual", L"/two-fields.xml", 0, 2, L"7.3", PAGE, L""},
    {"MinorTenIsNewer", L"/minor-ten.xml", 0, 3, L"7.10", PAGE, L""},
    {"Older", L"/older.xml", 0, 1, L"7.2.9", PAGE, L""},
    {"UrlElementWhenNoDownloadUrl", L"/url-element.xml", 0, 3, L"7.4.0", L"http://www.kavri.example/get", L""},
    {"AddressTrimmed", L"/url-blanks.xml", 0, 3, L"7.4.0", L"HTTPS://www.kavri.example/get", L""},
    {"NonWebDownloadUrlFallsBackToUrl", L"/bad-download-good-url.xml", 0, 3, L"7.4.0",
     L"https://www.kavri.example/get", L""},
    {"Utf8Description", L"/utf8.xml", 0, 3, L"7.4.0", PAGE, L"Gr\u00F6\u00DFere Dateien \u2013 schneller"},
    {"FtpAddressIsNoDownloadUrl", L"/ftp-url.xml", -1, 0, L"", L"", L""},
    {"ProgramPathIsNoDownloadUrl", L"/program-url.xml", -1, 0, L"", L"", L""},
    {"NoVersion", L"/no-version.xml", -1, 0, L"", L"", L""},
    {"EmptyVersion", L"/empty-version.xml", -1, 0, L"", L"", L""},
    {"NoUrl", L"/no-url.xml", -1, 0, L"", L"", L""},
    {"OtherApplication", L"/other-app.xml", -1, 0, L"", L"", L""},
    {"BrokenXml", L"/not-xml.xml", -1, 0, L"", L"", L""},
    {"NotFound", L"/missing.xml", -1, 0, L"", L"", L""},
};
#undef PAGE
INSTANTIATE_TEST_SUITE_P(Manifests, ManifestCheck, ::testing::ValuesIn(kManifests),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ParseUpdateXml, LevelKeepsThePreviousValueWhenAbsent)
{
    CUpdateChecker checker(L"", L"Application", L"7.3.0", 1, TRUE);
    checker.m_nLevel = 5;
    EXPECT_EQ(0, checker.ParseUpdateXml(CStringA(Manifests().at("/equal.xml").c_str())));
    EXPECT_EQ(5, checker.m_nLevel);
    EXPECT_EQ(0, checker.ParseUpdateXml(CStringA(Manifests().at("/newer.xml").c_str())));
    EXPECT_EQ(2, checker.m_nLevel);
}

// ---- Whole checks

// Stands in for the two dialogs; never reaches the shell.
class FakeUI : public CUpdateCheckUI {
public:
    void RunCheckingDialog(CUpdateChecker& checker) override
    {
        m_nCheckingDialogs++;
        if (m_runChecking)
            m_runChecking(checker);
        else
            checker.Check();
    }
    INT_PTR ShowNewVersionDialog(CUpdateChecker& checker) override
    {
        m_nNewVersionDialogs++;
        m_shownVersion = checker.m_strNewVersion;
        checker.m_nAutoCheck = m_nBoxOnClose;
        return m_nAnswer;
    }
    void OpenDownloadPage(LPCWSTR pszUrl) override { m_openedPages.push_back(pszUrl); }

    std::function<void(CUpdateChecker&)> m_runChecking;
    INT_PTR m_nAnswer = IDCANCEL;
    int m_nBoxOnClose = 1;
    int m_nCheckingDialogs = 0;
    int m_nNewVersionDialogs = 0;
    CString m_shownVersion;
    std::vector<std::wstring> m_openedPages;
};

// How long a check may take on a busy machine: generous, as it only keeps a broken check from
// hanging the suite.
const DWORD kCheckLimitMs = 120000;

class UpdateCheckRun : public ::testing::Test {
protected:
    UpdateCheckRun() : m_server(ServeManifest), m_app(L"UpdateCheckTest")
    {
        m_app.SetRegistryKey(L"Kavri Helper");
        SetAppSettings(&m_settings);
        SetUpdateCheckUI(&m_ui);
    }
    ~UpdateCheckRun() override
    {
        EndUpdateChecks(kCheckLimitMs);  // no check may outlive the objects it reports to
        SetUpdateCheckUI(nullptr);
        SetAppSettings(nullptr);
    }
    void SetUp() override
    {
        ASSERT_TRUE(m_sandbox.IsReady());
        ASSERT_TRUE(m_server.IsReady());
    }

    int Start(const wchar_t* target, BOOL bAutomatic, int nInterval = 7)
    {
        return StartUpdateCheck(m_server.Url(target).c_str(), L"7.3.0", nInterval, bAutomatic);
    }
    bool WaitForChecks() { return PumpUntil([] { return GetPendingUpdateChecks() == 0; }, kCheckLimitMs); }
    int LastCheck() { return static_cast<int>(m_app.GetProfileInt(L"Settings", L"LastUpdateCheck", -7)); }

    RegistrySandbox m_sandbox;
    LoopbackHttpServer m_server;
    CWinApp m_app;
    FakeSettings m_settings;
    FakeUI m_ui;
};

TEST_F(UpdateCheckRun, AutomaticCheckNotDueDoesNothing)
{
    int nRecent = static_cast<int>(time(nullptr)) - 3600;
    m_app.WriteProfileInt(L"Settings", L"LastUpdateCheck", nRecent);
    EXPECT_EQ(1, Start(L"/newer.xml", TRUE));
    EXPECT_EQ(0, GetPendingUpdateChecks());
    EXPECT_EQ(nRecent, LastCheck());
    EXPECT_TRUE(m_server.Requests().empty());
}

TEST_F(UpdateCheckRun, AutomaticCheckFindsNewerVersionAndOpensThePage)
{
    m_ui.m_nAnswer = IDOK;
    m_ui.m_nBoxOnClose = 0;  // the user unticked "Auto check for updates"
    int nBefore = static_cast<int>(time(nullptr));
    ASSERT_EQ(0, Start(L"/newer.xml", TRUE));
    EXPECT_GE(LastCheck(), nBefore);
    ASSERT_TRUE(WaitForChecks());

    EXPECT_EQ(0, m_ui.m_nCheckingDialogs);
    EXPECT_EQ(1, m_ui.m_nNewVersionDialogs);
    EXPECT_STREQ(L"7.4.0", m_ui.m_shownVersion);
    ASSERT_EQ(1u, m_ui.m_openedPages.size());
    EXPECT_EQ(std::wstring(L"https://www.kavri.example/kavri-video-player/download.html"), m_ui.m_openedPages[0]);
    // The choice reached the settings on this (the window) thread.
    EXPECT_EQ(1, m_settings.m_nWrites);
    EXPECT_EQ(0, m_settings.m_nAutoCheck);
    EXPECT_EQ(GetCurrentThreadId(), m_settings.m_dwWriterThread);
}

TEST_F(UpdateCheckRun, NewVersionDeclinedOpensNothing)
{
    ASSERT_EQ(0, Start(L"/newer.xml", TRUE, 0));
    ASSERT_TRUE(WaitForChecks());
    EXPECT_EQ(1, m_ui.m_nNewVersionDialogs);
    EXPECT_TRUE(m_ui.m_openedPages.empty());
}

struct QuietCase {
    const char* name;
    const wchar_t* target;
};

class QuietAutomaticCheck : public UpdateCheckRun, public ::testing::WithParamInterface<QuietCase> {};

// An automatic check that finds nothing newer, or fails, shows nothing but still counts as a check.
TEST_P(QuietAutomaticCheck, ShowsNothing)
{
    m_app.WriteProfileInt(L"Settings", L"LastUpdateCheck", 1000);
    ASSERT_EQ(0, Start(GetParam().target, TRUE));
    EXPECT_GT(LastCheck(), 1000);
    ASSERT_TRUE(WaitForChecks());
    EXPECT_EQ(0, m_ui.m_nCheckingDialogs);
    EXPECT_EQ(0, m_ui.m_nNewVersionDialogs);
    EXPECT_EQ(1, m_settings.m_nWrites);
    EXPECT_EQ(1, m_settings.m_nAutoCheck);
}

const QuietCase kQuiet[] = {
    {"SameVersion", L"/equal.xml"},
    {"OlderVersion", L"/older.xml"},
    {"NoManifest", L"/missing.xml"},
    {"NonWebDownloadUrl", L"/ftp-url.xml"},
};
INSTANTIATE_TEST_SUITE_P(Outcomes, QuietAutomaticCheck, ::testing::ValuesIn(kQuiet),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(UpdateCheckRun, ManualCheckIgnoresTheIntervalAndShowsTheCheckingDialog)
{
    m_app.WriteProfileInt(L"Settings", L"LastUpdateCheck", static_cast<int>(time(nullptr)));
    ASSERT_EQ(0, Start(L"/equal.xml", FALSE));
    ASSERT_TRUE(WaitForChecks());
    EXPECT_EQ(1, m_ui.m_nCheckingDialogs);
    EXPECT_EQ(0, m_ui.m_nNewVersionDialogs);
}

TEST_F(UpdateCheckRun, ManualCheckCancelledShowsNoNewVersion)
{
    m_ui.m_runChecking = [](CUpdateChecker& checker) {
        checker.Check();
        checker.m_nCancel = 2;  // the user pressed Cancel as the answer came in
    };
    ASSERT_EQ(0, Start(L"/newer.xml", FALSE));
    ASSERT_TRUE(WaitForChecks());
    EXPECT_EQ(0, m_ui.m_nNewVersionDialogs);
}

TEST_F(UpdateCheckRun, EndCancelsASlowDownload)
{
    ASSERT_EQ(0, Start(L"/slow.xml", TRUE));
    ASSERT_TRUE(PumpUntil([this] { return !m_server.Requests().empty(); }, kCheckLimitMs));
    Sleep(200);  // into the body

    DWORD dwStart = GetTickCount();
    EXPECT_EQ(0, EndUpdateChecks(kCheckLimitMs));
    // A cancelled check ends after the block under way; the whole manifest would take 20 s.
    EXPECT_LT(GetTickCount() - dwStart, 15000u);
    EXPECT_EQ(0, GetPendingUpdateChecks());
    EXPECT_EQ(0, m_ui.m_nNewVersionDialogs);
    EXPECT_EQ(1, m_settings.m_nWrites);
    EXPECT_EQ(GetCurrentThreadId(), m_settings.m_dwWriterThread);
}

LRESULT CALLBACK DialogStandInProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_CLOSE) {
        reinterpret_cast<CUpdateChecker*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))->m_nCancel = 2;
        DestroyWindow(hwnd);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, uMsg, wParam, lParam);
}

// A checking dialog still open at exit is closed, and its check ends with it.
TEST_F(UpdateCheckRun, EndClosesAnOpenDialog)
{
    HANDLE hShown = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_ui.m_runChecking = [hShown](CUpdateChecker& checker) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DialogStandInProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KavriTestCheckingDialog";
        RegisterClassW(&wc);
        HWND hwnd = CreateWindowW(wc.lpszClassName, L"Checking", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  wc.hInstance, nullptr);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&checker));
        SetEvent(hShown);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0)
            DispatchMessageW(&msg);
    };
    ASSERT_EQ(0, Start(L"/newer.xml", FALSE));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hShown, kCheckLimitMs));
    EXPECT_EQ(0, EndUpdateChecks(kCheckLimitMs));
    EXPECT_EQ(0, GetPendingUpdateChecks());
    EXPECT_EQ(0, m_ui.m_nNewVersionDialogs);
    CloseHandle(hShown);
}

}  // namespace
