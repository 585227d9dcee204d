// The Settings sheet in a sandboxed profile and registry: each page shows the player's settings
// and stores them on OK, out-of-range numbers keep the sheet open, the History page cuts the
// recent lists at once, and the File Associations page associates, gives back and deletes file
// types for the current user.
#include "player/dialogs/CSettingsSheet.h"
#include "framework/system/AppFolders.h"
#include "framework/system/CFileAssociation.h"
#include "player/dialogs/CNewFileTypeDlg.h"
#include "player/CPlayerHistory.h"
#include "player/res/PlayerResources.h"
#include "tests/player/PlayerProfile.h"
#include "tests/support/DialogScript.h"
#include <functional>
#include <memory>
#include <set>
#include <string>

namespace {

std::function<void(HWND)> g_script;

BOOL CALLBACK FindSheet(HWND hWnd, LPARAM lParam)
{
    if (PropSheet_GetTabControl(hWnd) && IsWindowVisible(hWnd)) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

// Runs the script once the sheet shows (from a timer: the sheet runs its own loop), then
// cancels the sheet unless the script closed it.
void CALLBACK SheetTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND hSheet = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindSheet, reinterpret_cast<LPARAM>(&hSheet));
    if (!hSheet)
        return;
    KillTimer(nullptr, id);
    g_script(hSheet);
    if (PropSheet_GetCurrentPageHwnd(hSheet))
        PostMessageW(hSheet, WM_COMMAND, IDCANCEL, 0);
}

INT_PTR RunSheet(CSettingsSheet& sheet, const std::function<void(HWND)>& script)
{
    g_script = script;
    UINT_PTR nTimer = SetTimer(nullptr, 0, 50, &SheetTimer);
    INT_PTR nResult = sheet.DoModal();
    KillTimer(nullptr, nTimer);
    return nResult;
}

// Presses OK; true when the sheet closed (a page may refuse, with a message box that the
// closer answers).
bool PressOK(HWND hSheet)
{
    MessageBoxCloser closer(hSheet);
    SendMessageW(hSheet, WM_COMMAND, IDOK, 0);
    return PropSheet_GetCurrentPageHwnd(hSheet) == nullptr;
}

void ShowPage(HWND hSheet, int nPage)
{
    PropSheet_SetCurSel(hSheet, nullptr, nPage);
}

bool IsChecked(CWnd& page, int nID)
{
    return page.IsDlgButtonChecked(nID) == BST_CHECKED;
}

void SetCheck(CWnd& page, int nID, bool bChecked)
{
    if (IsChecked(page, nID) != bChecked)
        Click(page, nID);
}

class SettingsSheet : public PlayerProfile {
protected:
    SettingsSheet()
    {
        g_playerHistory.DeleteFileTypes();
        g_playerHistory.m_recentFiles.m_entries.RemoveAll();
        g_playerHistory.m_recentPlaylists.m_entries.RemoveAll();
        g_playerHistory.Load();
    }
    ~SettingsSheet() override { g_playerHistory.DeleteFileTypes(); }

    static CString ClassDefault(LPCWSTR pszKey)
    {
        CString value;
        ReadRegistryDefault(HKEY_CURRENT_USER, CString(L"Software\\Classes\\") + pszKey, value);
        return value;
    }
    static void SetClassDefault(LPCWSTR pszKey, LPCWSTR pszValue)
    {
        WriteRegistryString(HKEY_CURRENT_USER, CString(L"Software\\Classes\\") + pszKey, pszValue, nullptr);
    }
    static std::set<std::wstring> Extensions(const CPlayerHistory& history)
    {
        std::set<std::wstring> extensions;
        for (int i = 0; i < history.m_fileTypes.GetSize(); ++i)
            extensions.insert(static_cast<LPCWSTR>(history.m_fileTypes[i]->m_strExtension));
        return extensions;
    }
    static int RowOf(const CSettingsPage2& page, LPCWSTR pszExtension)
    {
        for (int i = 0; i < page.m_list.GetItemCount(); ++i) {
            if (page.GetRowType(i)->m_strExtension == pszExtension)
                return i;
        }
        return -1;
    }
};

// ---- General

struct GeneralCheck {
    int nID;
    int CPlayerSettings::*pField;
};

const GeneralCheck kGeneralChecks[] = {
    {IDC_LOAD_LAST_PLAYLIST, &CPlayerSettings::m_bLoadLastPlaylist},
    {IDC_REMEMBER_POSITION, &CPlayerSettings::m_bRememberPosition},
    {IDC_RESUME_INTERRUPTED, &CPlayerSettings::m_bAutoResumeInterrupted},
    {IDC_ALLOW_DUPLICATES, &CPlayerSettings::m_bAllowDuplicates},
    {IDC_FULL_SCREEN_CONTROL_BAR, &CPlayerSettings::m_bAlwaysShowControlBar},
    {IDC_SETTINGS_AUTO_UPDATE, &CPlayerSettings::m_bAutoCheckUpdate},
};

TEST_F(SettingsSheet, TheGeneralPageShowsTheSettingsAndStoresWhatTheUserChanged)
{
    ASSERT_TRUE(m_sandbox.IsReady());
    // Every check the other way round from its default, so a page that shows defaults fails.
    for (const GeneralCheck& check : kGeneralChecks)
        g_playerSettings.*check.pField = !(CPlayerSettings().*check.pField);
    g_playerSettings.m_nThumbnailWidth = 160;
    g_playerSettings.m_nThumbnailHeight = 90;

    CSettingsSheet sheet;
    std::vector<int> shown;
    CString width, height;
    bool bClosed = false;
    INT_PTR nResult = RunSheet(sheet, [&](HWND hSheet) {
        CSettingsPage1& page = sheet.m_generalPage;
        for (const GeneralCheck& check : kGeneralChecks) {
            shown.push_back(IsChecked(page, check.nID) ? 1 : 0);
            Click(page, check.nID);
        }
        width = ItemText(page, IDC_THUMBNAIL_WIDTH);
        height = ItemText(page, IDC_THUMBNAIL_HEIGHT);
        page.SetDlgItemText(IDC_THUMBNAIL_WIDTH, L"320");
        page.SetDlgItemText(IDC_THUMBNAIL_HEIGHT, L"180");
        bClosed = PressOK(hSheet);
    });
    EXPECT_STREQ(L"", MessageBoxCloser::Text());
    ASSERT_TRUE(bClosed);
    EXPECT_EQ(IDOK, nResult);
    for (size_t i = 0; i < shown.size(); ++i) {
        const GeneralCheck& check = kGeneralChecks[i];
        int bDefault = CPlayerSettings().*check.pField;
        EXPECT_EQ(!bDefault, shown[i]) << "shown: control " << check.nID;
        EXPECT_EQ(bDefault, g_playerSettings.*check.pField) << "stored: control " << check.nID;
    }
    EXPECT_STREQ(L"160", width);
    EXPECT_STREQ(L"90", height);
    EXPECT_EQ(320, g_playerSettings.m_nThumbnailWidth);
    EXPECT_EQ(180, g_playerSettings.m_nThumbnailHeight);
}

TEST_F(SettingsSheet, AThumbnailSizeOutOfRangeKeepsTheSheetOpen)
{
    struct Case {
        const char* name;
        const wchar_t* width;
        const wchar_t* height;
        bool accepted;
    } cases[] = {
        {"width 39", L"39", L"108", false},   {"height 301", L"192", L"301", false},
        {"width 401", L"401", L"108", false}, {"height 29", L"192", L"29", false},
        {"no number", L"", L"108", false},    {"smallest", L"40", L"30", true},
        {"largest", L"400", L"300", true},
    };
    for (const Case& c : cases) {
        g_playerSettings = CPlayerSettings();
        CSettingsSheet sheet;
        bool bClosed = false;
        CString message;
        RunSheet(sheet, [&](HWND hSheet) {
            sheet.m_generalPage.SetDlgItemText(IDC_THUMBNAIL_WIDTH, c.width);
            sheet.m_generalPage.SetDlgItemText(IDC_THUMBNAIL_HEIGHT, c.height);
            bClosed = PressOK(hSheet);
            message = MessageBoxCloser::Text();
        });
        EXPECT_EQ(c.accepted, bClosed) << c.name;
        EXPECT_EQ(c.accepted, message.IsEmpty()) << c.name;
        if (!c.accepted) {
            EXPECT_EQ(192, g_playerSettings.m_nThumbnailWidth) << c.name;
            EXPECT_EQ(108, g_playerSettings.m_nThumbnailHeight) << c.name;
        }
    }
}

TEST_F(SettingsSheet, CancelStoresNothing)
{
    CSettingsSheet sheet;
    INT_PTR nResult = RunSheet(sheet, [&](HWND hSheet) {
        Click(sheet.m_generalPage, IDC_ALLOW_DUPLICATES);
        sheet.m_generalPage.SetDlgItemText(IDC_THUMBNAIL_WIDTH, L"50");
    });
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_EQ(1, g_playerSettings.m_bAllowDuplicates);
    EXPECT_EQ(192, g_playerSettings.m_nThumbnailWidth);
}

// ---- History

TEST_F(SettingsSheet, TheHistoryPageShowsTheSettingsAndEditsOnlyTheMaximumOfAKeptList)
{
    g_playerSettings.m_bRememberRecentFiles = 0;
    g_playerSettings.m_nMaxRecentFiles = 7;
    g_playerSettings.m_nMaxRecentPlaylists = 12;
    CSettingsSheet sheet;
    std::vector<bool> enabled;
    CString maxFiles, maxPlaylists;
    bool bFilesChecked = true, bPlaylistsChecked = false;
    RunSheet(sheet, [&](HWND hSheet) {
        ShowPage(hSheet, 2);
        CSettingsPage3& page = sheet.m_historyPage;
        maxFiles = ItemText(page, IDC_MAX_RECENT_FILES);
        maxPlaylists = ItemText(page, IDC_MAX_RECENT_PLAYLISTS);
        bFilesChecked = IsChecked(page, IDC_REMEMBER_RECENT_FILES);
        bPlaylistsChecked = IsChecked(page, IDC_REMEMBER_RECENT_PLAYLISTS);
        enabled.push_back(page.GetDlgItem(IDC_MAX_RECENT_FILES)->IsWindowEnabled());
        enabled.push_back(page.GetDlgItem(IDC_MAX_RECENT_PLAYLISTS)->IsWindowEnabled());
        Click(page, IDC_REMEMBER_RECENT_FILES);
        Click(page, IDC_REMEMBER_RECENT_PLAYLISTS);
        enabled.push_back(page.GetDlgItem(IDC_MAX_RECENT_FILES)->IsWindowEnabled());
        enabled.push_back(page.GetDlgItem(IDC_MAX_RECENT_PLAYLISTS)->IsWindowEnabled());
    });
    EXPECT_STREQ(L"7", maxFiles);
    EXPECT_STREQ(L"12", maxPlaylists);
    EXPECT_FALSE(bFilesChecked);
    EXPECT_TRUE(bPlaylistsChecked);
    EXPECT_EQ((std::vector<bool>{false, true, true, false}), enabled);
}

TEST_F(SettingsSheet, TheHistoryPageHasChangesWhenAKeptListOrItsMaximumDiffers)
{
    struct Case {
        const char* name;
        bool filesChecked;
        const wchar_t* maxFiles;
        bool playlistsChecked;
        const wchar_t* maxPlaylists;
        bool changed;
    } cases[] = {
        {"as stored", true, L"10", true, L"10", false},
        {"only the playlists' maximum", true, L"10", true, L"12", true},
        {"only the files' maximum", true, L"3", true, L"10", true},
        {"files no longer kept", false, L"10", true, L"10", true},
        {"the maximum of a list that is not kept", true, L"10", false, L"25", true},
    };
    CSettingsSheet sheet;
    std::vector<bool> changed;
    RunSheet(sheet, [&](HWND hSheet) {
        ShowPage(hSheet, 2);
        CSettingsPage3& page = sheet.m_historyPage;
        for (const Case& c : cases) {
            SetCheck(page, IDC_REMEMBER_RECENT_FILES, c.filesChecked);
            page.SetDlgItemText(IDC_MAX_RECENT_FILES, c.maxFiles);
            SetCheck(page, IDC_REMEMBER_RECENT_PLAYLISTS, c.playlistsChecked);
            page.SetDlgItemText(IDC_MAX_RECENT_PLAYLISTS, c.maxPlaylists);
            changed.push_back(page.HasChanges() != FALSE);
        }
    });
    ASSERT_EQ(sizeof(cases) / sizeof(cases[0]), changed.size());
    for (size_t i = 0; i < changed.size(); ++i)
        EXPECT_EQ(cases[i].changed, changed[i]) << cases[i].name;
}

TEST_F(SettingsSheet, OKCutsTheRecentListsAtOnceAndAListTurnedOffKeepsNothingMore)
{
    for (const wchar_t* path : {L"C:\\1.mp4", L"C:\\2.mp4", L"C:\\3.mp4", L"C:\\4.mp4"})
        g_playerHistory.AddRecentFile(path);
    g_playerHistory.AddRecentPlaylist(L"C:\\a.playlist");

    CSettingsSheet sheet;
    bool bClosed = false;
    RunSheet(sheet, [&](HWND hSheet) {
        ShowPage(hSheet, 2);
        sheet.m_historyPage.SetDlgItemText(IDC_MAX_RECENT_FILES, L"2");
        Click(sheet.m_historyPage, IDC_REMEMBER_RECENT_PLAYLISTS);
        bClosed = PressOK(hSheet);
    });
    ASSERT_TRUE(bClosed);
    EXPECT_EQ(2, g_playerSettings.m_nMaxRecentFiles);
    EXPECT_EQ(0, g_playerSettings.m_bRememberRecentPlaylists);
    ASSERT_EQ(2, g_playerHistory.m_recentFiles.GetCount());
    EXPECT_STREQ(L"C:\\4.mp4", g_playerHistory.m_recentFiles.GetAt(0));
    EXPECT_EQ(0, g_playerHistory.m_recentPlaylists.GetCount());

    g_playerHistory.AddRecentPlaylist(L"C:\\b.playlist");
    g_playerHistory.AddRecentFile(L"C:\\5.mp4");
    EXPECT_EQ(0, g_playerHistory.m_recentPlaylists.GetCount()) << "nothing more is kept this run";
    EXPECT_EQ(2, g_playerHistory.m_recentFiles.GetCount());
    g_playerHistory.Save();
    EXPECT_STREQ(L"", m_app.GetProfileString(L"Data\\Recent Playlists", L"01", L""));
    EXPECT_STREQ(L"", m_app.GetProfileString(L"Data\\Recent Files", L"03", L""));
}

TEST_F(SettingsSheet, TheClearButtonsEmptyTheirListAtOnce)
{
    g_playerHistory.AddRecentFile(L"C:\\1.mp4");
    g_playerHistory.AddRecentPlaylist(L"C:\\a.playlist");
    CSettingsSheet sheet;
    int nFilesAfterFirst = -1;
    RunSheet(sheet, [&](HWND hSheet) {
        ShowPage(hSheet, 2);
        Click(sheet.m_historyPage, IDC_CLEAR_RECENT_FILES);
        nFilesAfterFirst = g_playerHistory.m_recentFiles.GetCount();
        EXPECT_EQ(1, g_playerHistory.m_recentPlaylists.GetCount());
        Click(sheet.m_historyPage, IDC_CLEAR_RECENT_PLAYLISTS);
    });
    EXPECT_EQ(0, nFilesAfterFirst);
    EXPECT_EQ(0, g_playerHistory.m_recentPlaylists.GetCount());
}

TEST_F(SettingsSheet, AMaximumAbove30KeepsTheSheetOpen)
{
    CSettingsSheet sheet;
    bool bClosed = true;
    RunSheet(sheet, [&](HWND hSheet) {
        ShowPage(hSheet, 2);
        sheet.m_historyPage.SetDlgItemText(IDC_MAX_RECENT_PLAYLISTS, L"31");
        bClosed = PressOK(hSheet);
    });
    EXPECT_FALSE(bClosed);
    EXPECT_EQ(10, g_playerSettings.m_nMaxRecentPlaylists);
}

// ---- File associations

TEST_F(SettingsSheet, RowsAreThePlayersFileTypesCheckedWhenTheyOpenWithThePlayer)
{
    CFileAssociation mp4(L".mp4", MakeFileTypeProgID(L".mp4"), L"MP4 Video", 2);
    CString previous;
    ASSERT_TRUE(mp4.Register(GetModulePath()));
    ASSERT_TRUE(mp4.Associate(previous));

    CSettingsSheet sheet;
    std::vector<std::wstring> checked;
    int nRows = 0;
    CString name, image;
    RunSheet(sheet, [&](HWND hSheet) {
        ShowPage(hSheet, 1);
        CSettingsPage2& page = sheet.m_fileTypesPage;
        nRows = page.m_list.GetItemCount();
        for (int i = 0; i < nRows; ++i) {
            if (page.m_list.GetCheck(i))
                checked.push_back(static_cast<LPCWSTR>(page.m_list.GetItemText(i, 0)));
        }
        name = page.m_list.GetItemText(RowOf(page, L".mp4"), 1);
    });
    EXPECT_EQ(24, nRows);
    EXPECT_EQ((std::vector<std::wstring>{L".mp4"}), checked);
    EXPECT_STREQ(L"MP4 Video", name);
}

TEST_F(SettingsSheet, AssociatingMkvKeepsTheOwnerBeforeAndUncheckingGivesItBack)
{
    const CString progID = L"KavriHelper.KavriVideoPlayer.mkv";
    SetClassDefault(L".mkv", L"OtherPlayer.mkv");

    CSettingsSheet sheet;
    int nRow = -1;
    RunSheet(sheet, [&](HWND hSheet) {
        ShowPage(hSheet, 1);
        nRow = sheet.m_fileTypesPage.AddNewType(L"mkv", L"MKV Video", 0);
        EXPECT_TRUE(PressOK(hSheet));
    });
    ASSERT_GE(nRow, 0);
    EXPECT_EQ(progID, ClassDefault(L".mkv"));
    EXPECT_STREQ(L"MKV Video", ClassDefault(progID));
    EXPECT_NE(-1, ClassDefault(progID + L"\\shell\\open\\command").Find(GetModulePath()));
    EXPECT_STREQ(L"OtherPlayer.mkv", m_app.GetProfileString(L"Data\\File Types\\.mkv", L"Backup", L""));
    EXPECT_EQ(1u, Extensions(g_playerHistory).count(L".mkv"));

    // Associating again keeps the other program as the backup, not the player itself.
    CSettingsSheet again;
    RunSheet(again, [&](HWND hSheet) {
        ShowPage(hSheet, 1);
        CSettingsPage2& page = again.m_fileTypesPage;
        int nMkv = RowOf(page, L".mkv");
        EXPECT_TRUE(page.m_list.GetCheck(nMkv));
        EXPECT_EQ(2, page.GetRowType(nMkv)->m_nIconIndex) << "the video icon";
        EXPECT_TRUE(PressOK(hSheet));
    });
    EXPECT_STREQ(L"OtherPlayer.mkv", m_app.GetProfileString(L"Data\\File Types\\.mkv", L"Backup", L""));

    CSettingsSheet uncheck;
    RunSheet(uncheck, [&](HWND hSheet) {
        ShowPage(hSheet, 1);
        CSettingsPage2& page = uncheck.m_fileTypesPage;
        page.m_list.SetCheck(RowOf(page, L".mkv"), FALSE);
        EXPECT_TRUE(PressOK(hSheet));
    });
    EXPECT_STREQ(L"OtherPlayer.mkv", ClassDefault(L".mkv"));
    EXPECT_STREQ(L"", ClassDefault(progID));
    EXPECT_EQ(1u, Extensions(g_playerHistory).count(L".mkv")) << "an unchecked type stays listed";
}

TEST_F(SettingsSheet, ADeletedTypeIsGivenBackAtOnceAndDoesNotComeBackAfterARestart)
{
    CFileAssociation mp4(L".mp4", MakeFileTypeProgID(L".mp4"), L"MP4 Video", 2);
    SetClassDefault(L".mp4", L"OtherPlayer.mp4");
    CString previous;
    mp4.Register(GetModulePath());
    mp4.Associate(previous);
    SetFileTypeBackup(mp4, previous);
    g_playerHistory.Save();

    CSettingsSheet sheet;
    CString ownerAfterDelete;
    RunSheet(sheet, [&](HWND hSheet) {
        ShowPage(hSheet, 1);
        CSettingsPage2& page = sheet.m_fileTypesPage;
        EXPECT_FALSE(page.DeleteSelectedType()) << "nothing selected";
        page.m_list.SetItemState(RowOf(page, L".mp4"), LVIS_SELECTED, LVIS_SELECTED);
        Click(page, IDC_DELETE_FILE_TYPE);
        ownerAfterDelete = ClassDefault(L".mp4");
        EXPECT_EQ(-1, RowOf(page, L".mp4"));
        EXPECT_EQ(23, page.m_list.GetItemCount());
        EXPECT_TRUE(PressOK(hSheet));
    });
    EXPECT_STREQ(L"OtherPlayer.mp4", ownerAfterDelete);
    EXPECT_STREQ(L"", ClassDefault(MakeFileTypeProgID(L".mp4")));
    g_playerHistory.Save();

    CPlayerHistory restarted;
    restarted.Load();
    std::set<std::wstring> extensions = Extensions(restarted);
    EXPECT_EQ(23u, extensions.size());
    EXPECT_EQ(0u, extensions.count(L".mp4"));
    EXPECT_EQ(1u, extensions.count(L".mp3"));
}

TEST_F(SettingsSheet, NewTypesNeedAnExtensionAndANameAndAreNeverListedTwice)
{
    struct Case {
        const char* name;
        const wchar_t* extension;
        const wchar_t* typeName;
        int icon;
        const wchar_t* expected;  // null: no row
        int iconIndex;
    } cases[] = {
        {"without a dot", L"mkv", L"MKV Video", 0, L".mkv", 2},
        {"blanks around", L"  .ts ", L" TS Video ", 1, L".ts", 3},
        {"a playlist icon", L".xspf", L"XSPF Playlist", 2, L".xspf", 4},
        {"empty extension", L"  ", L"Nothing", 0, nullptr, 0},
        {"a dot only", L".", L"Nothing", 0, nullptr, 0},
        {"a path", L"a\\b", L"Nothing", 0, nullptr, 0},
        {"two dots", L".tar.gz", L"Archive", 0, nullptr, 0},
        {"no name", L".abc", L"  ", 0, nullptr, 0},
        {"no icon", L".abc", L"ABC", -1, nullptr, 0},
    };
    CSettingsSheet sheet;
    RunSheet(sheet, [&](HWND hSheet) {
        ShowPage(hSheet, 1);
        CSettingsPage2& page = sheet.m_fileTypesPage;
        for (const Case& c : cases) {
            int nCount = page.m_list.GetItemCount();
            int nRow = page.AddNewType(c.extension, c.typeName, c.icon);
            if (!c.expected) {
                EXPECT_EQ(-1, nRow) << c.name;
                EXPECT_EQ(nCount, page.m_list.GetItemCount()) << c.name;
                continue;
            }
            ASSERT_GE(nRow, 0) << c.name;
            const CFileAssociation* pType = page.GetRowType(nRow);
            EXPECT_STREQ(c.expected, pType->m_strExtension) << c.name;
            EXPECT_EQ(MakeFileTypeProgID(c.expected), pType->m_strProgID) << c.name;
            EXPECT_EQ(c.iconIndex, pType->m_nIconIndex) << c.name;
            EXPECT_TRUE(page.m_list.GetCheck(nRow)) << c.name;
        }
        int nCount = page.m_list.GetItemCount();
        int nMp4 = RowOf(page, L".mp4");
        EXPECT_EQ(nMp4, page.AddNewType(L"MP4", L"Another MP4", 0)) << "the listed row, checked";
        EXPECT_TRUE(page.m_list.GetCheck(nMp4));
        EXPECT_EQ(nCount, page.m_list.GetItemCount());
    });
}

// ---- The "File Type" dialog

BOOL CALLBACK FindFileTypeDialog(HWND hWnd, LPARAM lParam)
{
    wchar_t caption[32] = {};
    GetWindowTextW(hWnd, caption, 32);
    if (!lstrcmpW(caption, L"File Type") && IsWindowVisible(hWnd)) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK DialogTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND hDlg = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindFileTypeDialog, reinterpret_cast<LPARAM>(&hDlg));
    if (!hDlg)
        return;
    KillTimer(nullptr, id);
    g_script(hDlg);
    if (IsWindowVisible(hDlg))
        PostMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
}

INT_PTR RunFileTypeDialog(CNewFileTypeDlg& dlg, const std::function<void(HWND)>& script)
{
    g_script = script;
    UINT_PTR nTimer = SetTimer(nullptr, 0, 50, &DialogTimer);
    INT_PTR nResult = dlg.DoModal();
    KillTimer(nullptr, nTimer);
    return nResult;
}

TEST_F(SettingsSheet, TheFileTypeDialogOffersThreeIconsTheFirstChosen)
{
    CNewFileTypeDlg dlg;
    int nItems = 0, nSelected = -1, nImages = 0;
    INT_PTR nResult = RunFileTypeDialog(dlg, [&](HWND hDlg) {
        nItems = static_cast<int>(SendDlgItemMessageW(hDlg, IDC_FILE_TYPE_ICON, CB_GETCOUNT, 0, 0));
        nImages = ImageList_GetImageCount(
            reinterpret_cast<HIMAGELIST>(SendDlgItemMessageW(hDlg, IDC_FILE_TYPE_ICON, CBEM_GETIMAGELIST, 0, 0)));
        nSelected = static_cast<int>(SendDlgItemMessageW(hDlg, IDC_FILE_TYPE_ICON, CB_GETCURSEL, 0, 0));
        SetDlgItemTextW(hDlg, IDC_FILE_EXTENSION, L" mkv ");
        SetDlgItemTextW(hDlg, IDC_FILE_TYPE_NAME, L"MKV Video ");
        SendDlgItemMessageW(hDlg, IDC_FILE_TYPE_ICON, CB_SETCURSEL, 1, 0);
        SendMessageW(hDlg, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(3, nItems);
    EXPECT_EQ(3, nImages) << "the video, audio and playlist icons";
    EXPECT_EQ(0, nSelected);
    EXPECT_EQ(IDOK, nResult);
    EXPECT_STREQ(L".mkv", dlg.m_strExtension);
    EXPECT_STREQ(L"MKV Video", dlg.m_strName);
    EXPECT_EQ(1, dlg.m_nIcon);
}

TEST_F(SettingsSheet, TheFileTypeDialogRefusesWhatMakesNoTypeAndSaysWhy)
{
    struct Case {
        const char* name;
        const wchar_t* extension;
        const wchar_t* typeName;
        const wchar_t* said;  // part of the message
    } cases[] = {
        {"no extension", L"", L"MKV Video", L"extension"},
        {"a dot only", L".", L"MKV Video", L"extension"},
        {"a wildcard", L"*.mkv", L"MKV Video", L"extension"},
        {"no name", L".mkv", L" ", L"name"},
    };
    for (const Case& c : cases) {
        CNewFileTypeDlg dlg;
        bool bStayed = false;
        CString message;
        INT_PTR nResult = RunFileTypeDialog(dlg, [&](HWND hDlg) {
            SetDlgItemTextW(hDlg, IDC_FILE_EXTENSION, c.extension);
            SetDlgItemTextW(hDlg, IDC_FILE_TYPE_NAME, c.typeName);
            MessageBoxCloser closer(hDlg);
            SendMessageW(hDlg, WM_COMMAND, IDOK, 0);
            bStayed = IsWindowVisible(hDlg) != FALSE;
            message = MessageBoxCloser::Text();
        });
        EXPECT_TRUE(bStayed) << c.name;
        EXPECT_EQ(IDCANCEL, nResult) << c.name;
        EXPECT_NE(-1, message.Find(c.said)) << c.name << ": " << static_cast<LPCWSTR>(message);
    }
}

}  // namespace
