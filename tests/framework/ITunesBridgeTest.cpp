// The iTunes bridge: detection by registry key and window, a refused automation server that
// leaves COM as it found it, and the calls it makes on an automation server of the test's own.
#include "framework/system/ITunesBridge.h"
#include "RegistrySandbox.h"
#include <objbase.h>
#include <oleauto.h>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <utility>
#include <string>
#include <vector>

namespace {

struct InstallKeyCase {
    const char* name;
    HKEY hRoot;
    const wchar_t* pszKey;
    bool bInstalled;
};

class ITunesInstalled : public ::testing::TestWithParam<InstallKeyCase> {};

TEST_P(ITunesInstalled, ByEitherKeyUnderEitherRoot)
{
    RegistrySandbox sandbox(true);
    ASSERT_TRUE(sandbox.IsReady());
    EXPECT_FALSE(IsITunesInstalled());

    const InstallKeyCase& c = GetParam();
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyW(c.hRoot, c.pszKey, &hKey));
    RegCloseKey(hKey);
    EXPECT_EQ(c.bInstalled, IsITunesInstalled());
}

const InstallKeyCase kInstallKeys[] = {
    {"MachineOldName", HKEY_LOCAL_MACHINE, L"Software\\Apple Computer, Inc.\\iTunes", true},
    {"MachineNewName", HKEY_LOCAL_MACHINE, L"Software\\Apple, Inc.\\iTunes", true},
    {"UserOldName", HKEY_CURRENT_USER, L"Software\\Apple Computer, Inc.\\iTunes", true},
    {"UserNewName", HKEY_CURRENT_USER, L"Software\\Apple, Inc.\\iTunes", true},
    {"CompanyKeyOnly", HKEY_CURRENT_USER, L"Software\\Apple, Inc.", false},
    {"OtherProgram", HKEY_LOCAL_MACHINE, L"Software\\Apple, Inc.\\QuickTime", false},
};
INSTANTIATE_TEST_SUITE_P(Keys, ITunesInstalled, ::testing::ValuesIn(kInstallKeys),
                         [](const auto& info) { return std::string(info.param.name); });

// A window of iTunes' class and title, as the running program shows one.
class FakeITunesWindow {
public:
    FakeITunesWindow()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"iTunes";
        if (RegisterClassW(&wc))
            m_hwnd = CreateWindowW(L"iTunes", L"iTunes", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                                   wc.hInstance, nullptr);
    }
    ~FakeITunesWindow()
    {
        if (m_hwnd)
            DestroyWindow(m_hwnd);
        UnregisterClassW(L"iTunes", GetModuleHandleW(nullptr));
    }
    FakeITunesWindow(const FakeITunesWindow&) = delete;
    FakeITunesWindow& operator=(const FakeITunesWindow&) = delete;

    HWND Get() const { return m_hwnd; }

private:
    HWND m_hwnd = nullptr;
};

TEST(ITunesRunning, FoundByItsWindowClassAndTitle)
{
    EXPECT_EQ(nullptr, IsITunesRunning());
    FakeITunesWindow window;
    ASSERT_NE(nullptr, window.Get());
    EXPECT_EQ(window.Get(), IsITunesRunning());
}

const CStringArray& TwoFiles()
{
    static CStringArray files;
    if (files.GetSize() == 0) {
        files.Add(L"C:\\media\\a.mp4");
        files.Add(L"C:\\media\\b.mp3");
    }
    return files;
}

TEST(AddFilesToITunes, WithoutTheServerFailsAndLeavesComUninitialised)
{
    EXPECT_EQ(-1, AddFilesToITunes(TwoFiles(), 0, TRUE));
    // Our CoInitialize was undone: the thread starts afresh.
    EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    CoUninitialize();
}

struct ApartmentCase {
    const char* name;
    DWORD dwCoInit;
};

class AddFilesInApartment : public ::testing::TestWithParam<ApartmentCase> {};

// The caller's own initialisation survives the call, whichever apartment it chose.
TEST_P(AddFilesInApartment, KeepsTheCallersCom)
{
    const DWORD dwCoInit = GetParam().dwCoInit;
    ASSERT_EQ(S_OK, CoInitializeEx(nullptr, dwCoInit));
    EXPECT_EQ(-1, AddFilesToITunes(TwoFiles(), 0, TRUE));
    EXPECT_EQ(S_FALSE, CoInitializeEx(nullptr, dwCoInit));  // still initialised
    CoUninitialize();
    CoUninitialize();
}

const ApartmentCase kApartments[] = {
    {"SingleThreaded", COINIT_APARTMENTTHREADED},
    {"MultiThreaded", COINIT_MULTITHREADED},
};
INSTANTIATE_TEST_SUITE_P(Apartments, AddFilesInApartment, ::testing::ValuesIn(kApartments),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- An automation server of the test's own ----

const CLSID kClsidITunesApp = {0xDC0C2640, 0x1415, 0x4644, {0x87, 0x5C, 0x6F, 0x4D, 0x76, 0x98, 0x39, 0xBA}};
const IID kIidITunes = {0x9DD6680B, 0x3EDC, 0x40DB, {0xA7, 0x71, 0xE6, 0xFE, 0x48, 0x32, 0xE3, 0x4A}};

// What the server was asked, and how it answers.
struct ServerLog {
    std::vector<std::wstring> added;
    int nQuits = 0;
    int nInstances = 0;
    HRESULT hrPlaylist = S_OK;
    std::wstring refusedPath;  // AddFile fails for this one
};

// A COM object as its callers see it: a pointer to a table of slots, then the reference count.
// The slots of the published interfaces that the bridge must not call stay null.
struct FakeObject {
    void* const* pSlots;
    LONG nRefs;
};

ServerLog* g_pLog = nullptr;
FakeObject g_app, g_playlist, g_status;

ULONG STDMETHODCALLTYPE FakeAddRef(FakeObject* pThis);

HRESULT STDMETHODCALLTYPE FakeQueryInterface(FakeObject* pThis, REFIID riid, void** ppv)
{
    *ppv = riid == IID_IUnknown || (pThis == &g_app && riid == kIidITunes) ? pThis : nullptr;
    if (!*ppv)
        return E_NOINTERFACE;
    FakeAddRef(pThis);
    return S_OK;
}

ULONG STDMETHODCALLTYPE FakeAddRef(FakeObject* pThis)
{
    return ULONG(++pThis->nRefs);
}

ULONG STDMETHODCALLTYPE FakeRelease(FakeObject* pThis)
{
    return ULONG(--pThis->nRefs);
}

HRESULT STDMETHODCALLTYPE FakeQuit(FakeObject*)
{
    g_pLog->nQuits++;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FakeGetLibraryPlaylist(FakeObject*, FakeObject** ppPlaylist)
{
    *ppPlaylist = nullptr;
    if (FAILED(g_pLog->hrPlaylist))
        return g_pLog->hrPlaylist;
    FakeAddRef(&g_playlist);
    *ppPlaylist = &g_playlist;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FakeAddFile(FakeObject*, BSTR path, FakeObject** ppStatus)
{
    *ppStatus = nullptr;
    g_pLog->added.push_back(std::wstring(path, SysStringLen(path)));
    if (g_pLog->added.back() == g_pLog->refusedPath)
        return E_FAIL;
    FakeAddRef(&g_status);
    *ppStatus = &g_status;
    return S_OK;
}

// IUnknown's three slots, and the given ones of the interface.
template <size_t N>
struct SlotTable {
    void* slots[N] = {};
    explicit SlotTable(std::initializer_list<std::pair<size_t, void*>> methods)
    {
        slots[0] = reinterpret_cast<void*>(FakeQueryInterface);
        slots[1] = reinterpret_cast<void*>(FakeAddRef);
        slots[2] = reinterpret_cast<void*>(FakeRelease);
        for (const auto& method : methods)
            slots[method.first] = method.second;
    }
};

// IiTunes: Quit is slot 29, LibraryPlaylist 61; IITLibraryPlaylist: AddFile is slot 30; the
// operation status only needs IUnknown.
const SlotTable<62> kAppSlots({{29, reinterpret_cast<void*>(FakeQuit)},
                               {61, reinterpret_cast<void*>(FakeGetLibraryPlaylist)}});
const SlotTable<31> kPlaylistSlots({{30, reinterpret_cast<void*>(FakeAddFile)}});
const SlotTable<3> kStatusSlots({});

class FakeITunesFactory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = riid == IID_IUnknown || riid == IID_IClassFactory ? this : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        *ppv = nullptr;
        if (pOuter)
            return CLASS_E_NOAGGREGATION;
        if (riid != kIidITunes && riid != IID_IUnknown)
            return E_NOINTERFACE;
        g_pLog->nInstances++;
        FakeAddRef(&g_app);
        *ppv = &g_app;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

// Registers the fake server for this thread's apartment while it lives.
class FakeITunesServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_pLog = &m_log;
        g_app = FakeObject{kAppSlots.slots, 1};
        g_playlist = FakeObject{kPlaylistSlots.slots, 1};
        g_status = FakeObject{kStatusSlots.slots, 1};
        ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        ASSERT_EQ(S_OK, CoRegisterClassObject(kClsidITunesApp, &m_factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                                              &m_dwCookie));
    }
    void TearDown() override
    {
        if (m_dwCookie)
            CoRevokeClassObject(m_dwCookie);
        CoUninitialize();
        g_pLog = nullptr;
    }

    // Everything the bridge obtained it released again.
    void ExpectAllReleased() const
    {
        EXPECT_EQ(1, g_app.nRefs);
        EXPECT_EQ(1, g_playlist.nRefs);
        EXPECT_EQ(1, g_status.nRefs);
    }

    ServerLog m_log;
    FakeITunesFactory m_factory;
    DWORD m_dwCookie = 0;
};

CStringArray Paths(const std::vector<std::wstring>& paths)
{
    CStringArray files;
    for (const std::wstring& path : paths)
        files.Add(path.c_str());
    return files;
}

TEST_F(FakeITunesServer, AddsEachPathOnceInOrder)
{
    const std::vector<std::wstring> paths = {L"C:\\media\\a.mp4", L"C:\\media\\b & c.mp3",
                                             L"D:\\M\u00fcsik\\\u65e5\u672c.m4a", L"C:\\media\\a.mp4"};
    EXPECT_EQ(0, AddFilesToITunes(Paths(paths), 0, FALSE));
    EXPECT_EQ(1, m_log.nInstances);
    EXPECT_EQ(paths, m_log.added);
    EXPECT_EQ(0, m_log.nQuits);
    ExpectAllReleased();
}

TEST_F(FakeITunesServer, RefusedFileDoesNotStopTheOthers)
{
    m_log.refusedPath = L"C:\\media\\b.avi";
    const std::vector<std::wstring> paths = {L"C:\\media\\a.mp4", m_log.refusedPath, L"C:\\media\\c.mp3"};
    EXPECT_EQ(0, AddFilesToITunes(Paths(paths), 0, FALSE));
    EXPECT_EQ(paths, m_log.added);
    ExpectAllReleased();
}

TEST_F(FakeITunesServer, NoLibraryPlaylistFailsWithoutAdding)
{
    m_log.hrPlaylist = E_FAIL;
    EXPECT_EQ(-1, AddFilesToITunes(Paths({L"C:\\media\\a.mp4"}), 0, FALSE));
    EXPECT_TRUE(m_log.added.empty());
    ExpectAllReleased();
}

struct QuitCase {
    const char* name;
    bool bRunningBefore;
    BOOL bQuitWhenStartedHere;
    int nQuits;
};

class ITunesQuit : public FakeITunesServer, public ::testing::WithParamInterface<QuitCase> {};

// iTunes is closed again only when this call started it and the caller asked for that.
TEST_P(ITunesQuit, OnlyWhenStartedHere)
{
    const QuitCase& c = GetParam();
    std::unique_ptr<FakeITunesWindow> window;
    if (c.bRunningBefore) {
        window.reset(new FakeITunesWindow);
        ASSERT_NE(nullptr, window->Get());
    }
    EXPECT_EQ(0, AddFilesToITunes(Paths({L"C:\\media\\a.mp4"}), 0, c.bQuitWhenStartedHere));
    EXPECT_EQ(1u, m_log.added.size());
    EXPECT_EQ(c.nQuits, m_log.nQuits);
    ExpectAllReleased();
}

const QuitCase kQuitCases[] = {
    {"StartedHereAndAsked", false, TRUE, 1},
    {"StartedHereNotAsked", false, FALSE, 0},
    {"AlreadyRunningAndAsked", true, TRUE, 0},
    {"AlreadyRunningNotAsked", true, FALSE, 0},
};
INSTANTIATE_TEST_SUITE_P(Cases, ITunesQuit, ::testing::ValuesIn(kQuitCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
