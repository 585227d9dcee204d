// Recent lists: their order and limits, their profile section in a sandboxed registry, and the
// menu items a file list shows.
#include "framework/system/CMRUList.h"
#include "classlib/CCmdUI.h"
#include "classlib/CMenu.h"
#include "classlib/CWinApp.h"
#include "RegistrySandbox.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> Entries(const CMRUList& list)
{
    std::vector<std::wstring> entries;
    for (int i = 0; i < list.GetCount(); i++)
        entries.push_back(static_cast<LPCWSTR>(list.GetAt(i)));
    return entries;
}

using Texts = std::vector<std::wstring>;

TEST(MRUList, AddPutsTheTextFirstOnceAndTrimmed)
{
    CMRUList list;
    list.Add(L"a");
    list.Add(L"  b \t");
    list.Add(L"c");
    list.Add(L"b");
    list.Add(L"   ");
    list.Add(L"");
    EXPECT_EQ((Texts{L"b", L"c", L"a"}), Entries(list));
}

TEST(MRUList, MaximumCutsTheOldest)
{
    CMRUList list;
    list.m_nMaxEntries = 2;
    list.Add(L"a");
    list.Add(L"b");
    list.Add(L"c");
    EXPECT_EQ((Texts{L"c", L"b"}), Entries(list));

    CMRUList none;
    none.m_nMaxEntries = 0;
    none.Add(L"a");
    EXPECT_EQ(0, none.GetCount());
}

TEST(MRUList, RemoveIgnoresIndexesOutOfRange)
{
    CMRUList list;
    list.Add(L"a");
    list.Add(L"b");
    list.Remove(-1);
    list.Remove(2);
    EXPECT_EQ(2, list.GetCount());
    list.Remove(0);
    EXPECT_EQ((Texts{L"a"}), Entries(list));
}

struct SameEntryCase {
    const char* name;
    const wchar_t* first;
    const wchar_t* second;
    Texts plain;  // what a text list holds after adding both
    Texts files;  // what a file list holds
};

class MRUSameEntry : public ::testing::TestWithParam<SameEntryCase> {};

TEST_P(MRUSameEntry, TextListComparesExactlyFileListComparesPaths)
{
    const SameEntryCase& c = GetParam();
    CMRUList plain;
    CMRUFileList files;
    for (CMRUList* list : {&plain, static_cast<CMRUList*>(&files)}) {
        list->Add(c.first);
        list->Add(c.second);
    }
    EXPECT_EQ(c.plain, Entries(plain));
    EXPECT_EQ(c.files, Entries(files));
}

const SameEntryCase kSameEntries[] = {
    {"LetterCase", L"C:\\Media\\Clip.mp4", L"c:\\media\\CLIP.MP4",
     {L"c:\\media\\CLIP.MP4", L"C:\\Media\\Clip.mp4"}, {L"c:\\media\\CLIP.MP4"}},
    {"SameFileOtherSpelling", L"C:\\Media\\Clip.mp4", L"C:\\Media\\.\\Sub\\..\\Clip.mp4",
     {L"C:\\Media\\.\\Sub\\..\\Clip.mp4", L"C:\\Media\\Clip.mp4"}, {L"C:\\Media\\.\\Sub\\..\\Clip.mp4"}},
    {"OtherFile", L"C:\\Media\\Clip.mp4", L"C:\\Media\\Clip2.mp4",
     {L"C:\\Media\\Clip2.mp4", L"C:\\Media\\Clip.mp4"}, {L"C:\\Media\\Clip2.mp4", L"C:\\Media\\Clip.mp4"}},
};
INSTANTIATE_TEST_SUITE_P(Pairs, MRUSameEntry, ::testing::ValuesIn(kSameEntries),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- The profile

class MRUProfile : public ::testing::Test {
protected:
    MRUProfile() : m_app(L"MRUListTest")
    {
        m_app.SetRegistryKey(L"Kavri Helper");
        m_list.m_strSection = L"Data\\Recent Files";
        m_list.m_strEntryFormat = L"%02d";
        m_list.m_nMaxEntries = 4;
    }
    void SetUp() override { ASSERT_TRUE(m_sandbox.IsReady()); }
    void Write(LPCWSTR pszEntry, LPCWSTR pszValue) { m_app.WriteProfileString(L"Data\\Recent Files", pszEntry, pszValue); }
    CString Read(LPCWSTR pszEntry) { return m_app.GetProfileString(L"Data\\Recent Files", pszEntry, L"<none>"); }

    RegistrySandbox m_sandbox;
    CWinApp m_app;
    CMRUFileList m_list;
};

TEST_F(MRUProfile, SaveThenLoadRoundTrips)
{
    m_list.Add(L"C:\\a.mp4");
    m_list.Add(L"C:\\b.mp4");
    m_list.Save();
    EXPECT_STREQ(L"C:\\b.mp4", Read(L"01"));
    EXPECT_STREQ(L"C:\\a.mp4", Read(L"02"));

    CMRUFileList loaded;
    loaded.m_strSection = m_list.m_strSection;
    loaded.m_strEntryFormat = m_list.m_strEntryFormat;
    loaded.Load();
    EXPECT_EQ((Texts{L"C:\\b.mp4", L"C:\\a.mp4"}), Entries(loaded));
}

TEST_F(MRUProfile, LoadSkipsGapsAndBlanksAndStopsAtTheMaximum)
{
    Write(L"01", L"C:\\one.mp4");
    Write(L"02", L"   ");
    Write(L"03", L"  C:\\three.mp4 ");
    Write(L"04", L"C:\\four.mp4");
    Write(L"05", L"C:\\five.mp4");  // past the maximum of 4
    m_list.Load();
    EXPECT_EQ((Texts{L"C:\\one.mp4", L"C:\\three.mp4", L"C:\\four.mp4"}), Entries(m_list));
}

TEST_F(MRUProfile, LoadReplacesTheList)
{
    Write(L"01", L"C:\\one.mp4");
    m_list.Load();
    m_list.Load();
    EXPECT_EQ((Texts{L"C:\\one.mp4"}), Entries(m_list));
}

TEST_F(MRUProfile, SaveRewritesTheSectionAndAnEmptyListLeavesNone)
{
    Write(L"01", L"C:\\one.mp4");
    Write(L"07", L"C:\\stale.mp4");
    Write(L"Other", L"x");
    m_list.Add(L"C:\\new.mp4");
    m_list.Save();
    EXPECT_STREQ(L"C:\\new.mp4", Read(L"01"));
    EXPECT_STREQ(L"<none>", Read(L"07"));
    EXPECT_STREQ(L"<none>", Read(L"Other"));

    m_list.Remove(0);
    m_list.Save();
    HKEY hSection = m_app.GetAppRegistryKey();
    HKEY hKey = nullptr;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExW(hSection, L"Data\\Recent Files", 0, KEY_READ, &hKey));
    RegCloseKey(hSection);
}

TEST_F(MRUProfile, NothingHappensWithoutSectionOrFormat)
{
    Write(L"01", L"C:\\one.mp4");
    CMRUList list;
    list.m_strSection = L"Data\\Recent Files";  // no entry format
    list.Load();
    EXPECT_EQ(0, list.GetCount());
    list.Add(L"C:\\two.mp4");
    list.Save();
    EXPECT_STREQ(L"C:\\one.mp4", Read(L"01"));
}

// A list whose n-th entry write fails, as a full or locked profile would.
class FailingWriteList : public CMRUFileList {
public:
    int m_nFailAt = 0;  // 1-based write that fails; 0 none
    int m_nWrites = 0;

protected:
    BOOL WriteEntry(LPCWSTR pszEntry, LPCWSTR pszValue) override
    {
        if (++m_nWrites == m_nFailAt)
            return FALSE;
        return CMRUFileList::WriteEntry(pszEntry, pszValue);
    }
};

TEST_F(MRUProfile, AFailedSaveKeepsTheStoredListAndSaysSo)
{
    Write(L"01", L"C:\\one.mp4");
    Write(L"02", L"C:\\two.mp4");
    Write(L"03", L"C:\\three.mp4");
    // Fails at the first entry, in the middle, and at the last one.
    for (int nFailAt : {1, 2, 3}) {
        FailingWriteList list;
        list.m_strSection = m_list.m_strSection;
        list.m_strEntryFormat = m_list.m_strEntryFormat;
        list.m_nMaxEntries = 4;
        list.Add(L"C:\\c.mp4");
        list.Add(L"C:\\b.mp4");
        list.Add(L"C:\\a.mp4");
        list.m_nFailAt = nFailAt;
        EXPECT_FALSE(list.Save()) << "failing write " << nFailAt;
        EXPECT_STREQ(L"C:\\one.mp4", Read(L"01")) << "failing write " << nFailAt;
        EXPECT_STREQ(L"C:\\two.mp4", Read(L"02")) << "failing write " << nFailAt;
        EXPECT_STREQ(L"C:\\three.mp4", Read(L"03")) << "failing write " << nFailAt;
    }
    // A shorter list that fails keeps the entries past it as well, and a new one that would
    // have been added is not left behind.
    FailingWriteList longer;
    longer.m_strSection = m_list.m_strSection;
    longer.m_strEntryFormat = m_list.m_strEntryFormat;
    for (LPCWSTR path : {L"C:\\w.mp4", L"C:\\x.mp4", L"C:\\y.mp4", L"C:\\z.mp4"})
        longer.Add(path);
    longer.m_nFailAt = 4;
    EXPECT_FALSE(longer.Save());
    EXPECT_STREQ(L"C:\\three.mp4", Read(L"03"));
    EXPECT_STREQ(L"<none>", Read(L"04"));
}

// ---- The menu

// A command UI that records what the list asks of it.
class RecordingCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_nEnableCalls++;
        m_bEnabled = bOn;
    }
    int m_nEnableCalls = 0;
    BOOL m_bEnabled = TRUE;
};

const UINT kFirstRecent = 33100;

// Each item as "id text", separators as "-", popups as "> text".
Texts MenuItems(const CMenu& menu)
{
    Texts items;
    for (UINT i = 0; i < menu.GetMenuItemCount(); i++) {
        CString text;
        menu.GetMenuString(i, text, MF_BYPOSITION);
        UINT state = menu.GetMenuState(i, MF_BYPOSITION);
        if (state & MF_SEPARATOR)
            items.push_back(L"-");
        else if (state & MF_POPUP)
            items.push_back(L"> " + std::wstring(text));
        else
            items.push_back(std::to_wstring(menu.GetMenuItemID(i)) + L" " + std::wstring(text));
    }
    return items;
}

class MRUMenu : public ::testing::Test {
protected:
    MRUMenu()
    {
        m_menu.CreatePopupMenu();
        m_menu.AppendMenu(MF_STRING, 100, L"&Open...");
        m_menu.AppendMenu(MF_STRING, kFirstRecent, L"Recent File");
        m_menu.AppendMenu(MF_SEPARATOR);
        m_menu.AppendMenu(MF_STRING, 101, L"E&xit");
        m_ui.m_nID = kFirstRecent;
        m_ui.m_nIndex = 1;
        m_ui.m_nIndexMax = 4;
        m_ui.m_pMenu = &m_menu;
    }
    int Update()
    {
        // Every update pass starts afresh at the item.
        m_ui.m_nID = kFirstRecent;
        m_ui.m_nIndex = 1;
        m_ui.m_nIndexMax = m_menu.GetMenuItemCount();
        return m_list.UpdateMenu(&m_ui, -1);
    }

    CMenu m_menu;
    RecordingCmdUI m_ui;
    CMRUFileList m_list;
};

TEST_F(MRUMenu, EntriesReplaceThePlaceholderAndThePassWalksPastThem)
{
    m_list.Add(L"C:\\media\\c.mp4");
    m_list.Add(L"C:\\media\\b.mp4");
    m_list.Add(L"C:\\media\\a.mp4");
    EXPECT_EQ(3, m_list.UpdateMenu(&m_ui, -1));
    EXPECT_EQ((Texts{L"100 &Open...", L"33100 C:\\media\\a.mp4", L"33101 C:\\media\\b.mp4",
                     L"33102 C:\\media\\c.mp4", L"-", L"101 E&xit"}),
              MenuItems(m_menu));
    EXPECT_EQ(3u, m_ui.m_nIndex);  // the last entry; the pass goes on after it
    EXPECT_EQ(6u, m_ui.m_nIndexMax);
    EXPECT_TRUE(m_ui.m_bEnabled);
}

TEST_F(MRUMenu, RepeatedUpdatesShowTheCurrentListOnce)
{
    m_list.Add(L"C:\\media\\a.mp4");
    m_list.Add(L"C:\\media\\b.mp4");
    Update();
    m_list.Add(L"C:\\media\\a.mp4");
    m_list.Add(L"C:\\media\\c.mp4");
    EXPECT_EQ(3, Update());
    EXPECT_EQ((Texts{L"100 &Open...", L"33100 C:\\media\\c.mp4", L"33101 C:\\media\\a.mp4",
                     L"33102 C:\\media\\b.mp4", L"-", L"101 E&xit"}),
              MenuItems(m_menu));
    m_list.Remove(2);
    EXPECT_EQ(2, Update());
    EXPECT_EQ(5u, m_menu.GetMenuItemCount());
}

TEST_F(MRUMenu, EmptyListRestoresTheDisabledPlaceholder)
{
    const Texts original = MenuItems(m_menu);
    EXPECT_EQ(0, Update());
    EXPECT_EQ(original, MenuItems(m_menu));
    EXPECT_FALSE(m_ui.m_bEnabled);

    m_list.Add(L"C:\\media\\a.mp4");
    m_list.Add(L"C:\\media\\b.mp4");
    Update();
    m_list.Remove(0);
    m_list.Remove(0);
    EXPECT_EQ(0, Update());
    EXPECT_EQ(original, MenuItems(m_menu));
    EXPECT_FALSE(m_ui.m_bEnabled);
}

TEST_F(MRUMenu, FileNamesOnlyAndAmpersandsShownAsSuch)
{
    m_list.m_nFullPath = 0;
    m_list.Add(L"C:\\media\\Tom&Jerry.mp4");
    EXPECT_EQ(1, Update());
    CString text;
    m_menu.GetMenuString(kFirstRecent, text, MF_BYCOMMAND);
    EXPECT_STREQ(L"Tom&&Jerry.mp4", text);
}

TEST_F(MRUMenu, SubMenuGetsTheEntriesAndTheWalkedMenuStaysPut)
{
    CMenu parent;
    parent.CreatePopupMenu();
    parent.AppendMenu(MF_STRING, 100, L"&Open...");
    HMENU hRecent = CreatePopupMenu();
    AppendMenuW(hRecent, MF_STRING, kFirstRecent, L"Recent Files");
    parent.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(hRecent), L"Recent &Files");
    CMenu recent;
    recent.Attach(hRecent);

    RecordingCmdUI ui;
    ui.m_nID = kFirstRecent;
    ui.m_nIndex = 1;
    ui.m_nIndexMax = 2;
    ui.m_pMenu = &parent;
    ui.m_pSubMenu = &recent;
    m_list.Add(L"C:\\media\\a.mp4");
    m_list.Add(L"C:\\media\\b.mp4");
    EXPECT_EQ(2, m_list.UpdateMenu(&ui, 0));
    EXPECT_EQ((Texts{L"33100 C:\\media\\b.mp4", L"33101 C:\\media\\a.mp4"}), MenuItems(recent));
    EXPECT_EQ(1u, ui.m_nIndex);
    EXPECT_EQ(2u, ui.m_nIndexMax);
    recent.Detach();  // the parent owns it
}

TEST(MRUFileList, UpdateMenuWithoutAMenu)
{
    CMRUFileList list;
    list.Add(L"C:\\a.mp4");
    RecordingCmdUI ui;
    ui.m_nID = kFirstRecent;
    EXPECT_EQ(-1, list.UpdateMenu(&ui, -1));
}

}  // namespace
