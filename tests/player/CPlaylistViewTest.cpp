// The playlist view's commands on the selected item and on the playlist: effects that toggle
// back, track choices, moves, URL lines, dropped paths, recent playlists that give no rows and
// the name Save Playlist writes.
#include "classlib/CCmdUI.h"
#include "classlib/CWinApp.h"
#include "classlib/CMenu.h"
#include "player/playback/CItemVideoWnd.h"
#include "player/CPlayerHistory.h"
#include "player/CPlayerUIResources.h"
#include "player/CPlayerSettings.h"
#include "player/playlist/CPlaylistItem.h"
#include "player/windows/CPlaylistView.h"
#include "player/windows/PlayerWindows.h"
#include "player/res/PlayerResources.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestWait.h"
#include "tests/support/ToolTestSupport.h"
#include "tests/support/WindowHarness.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// What an update handler said about an item.
class CRecordingCmdUI : public CCmdUI {
public:
    explicit CRecordingCmdUI(UINT nID) { m_nID = nID; }
    void Enable(BOOL bOn) override { m_bEnabled = bOn; }
    void SetCheck(int nCheck) override { m_nCheck = nCheck; }
    void SetRadio(BOOL bOn) override { m_nCheck = bOn ? 1 : 0; }
    BOOL m_bEnabled = TRUE;
    int m_nCheck = -1;
};

class PlaylistView : public testing::Test {
protected:
    void SetUp() override
    {
        g_playerSettings = CPlayerSettings();
        g_playerSettings.m_bLoadLastPlaylist = 0;
        ASSERT_TRUE(m_parent.CreateParent(700, 500));
        m_pView = new CPlaylistView;  // deletes itself with its window
        ASSERT_TRUE(m_pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 400), &m_parent,
                                    IDW_PLAYLIST_VIEW, nullptr));
        g_pPlaylistCtrl = &m_pView->m_playlistCtrl;
        g_pVideoWnd = &m_video;
        // No thread starts: the rows are made here, and queued paths stay to be looked at.
        Ctrl().m_bClosing = 1;
        for (int i = 0; i < 3; ++i) {
            auto* pItem = new CPlaylistItem;
            pItem->m_strPath.Format(L"C:\\media\\clip%d.mp4", i);
            Ctrl().AddItem(pItem);
        }
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        g_pPlaylistCtrl = nullptr;
        g_pVideoWnd = nullptr;
    }

    CPlaylistCtrl& Ctrl() { return m_pView->m_playlistCtrl; }
    void Command(UINT nID) { m_pView->SendMessage(WM_COMMAND, nID); }
    CRecordingCmdUI Update(UINT nID)
    {
        CRecordingCmdUI ui(nID);
        m_pView->OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &ui, nullptr);
        return ui;
    }
    void Select(int nIndex) { Ctrl().SelectItem(nIndex, TRUE, TRUE, FALSE, FALSE); }

    RecordingParent m_parent;
    CPlaylistView* m_pView = nullptr;
    CItemVideoWnd m_video;
};

TEST_F(PlaylistView, WithoutITunesThePlaylistMenuLosesItsEntriesAndTheirSeparator)
{
    struct Case {
        const char* name;
        BOOL bInstalled;
        int nRemoved;
    } cases[] = {{"iTunes installed", TRUE, 0}, {"no iTunes", FALSE, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_playerUIResources.m_bITunesInstalled = c.bInstalled;
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
        CMenu* pPlaylist = menu.GetSubMenu(1);
        int nBefore = pPlaylist->GetMenuItemCount();
        AfxUpdatePopupMenu(m_pView, pPlaylist, TRUE);
        int nCount = pPlaylist->GetMenuItemCount();
        EXPECT_EQ(nBefore - c.nRemoved, nCount);
        EXPECT_EQ(c.bInstalled ? ID_ITUNES_ADD_ALL : ID_MEDIA_INFO, pPlaylist->GetMenuItemID(nCount - 1))
            << "no separator closes the menu";
    }
    g_playerUIResources.m_bITunesInstalled = FALSE;
}

TEST_F(PlaylistView, EffectsOnTheSelectedItemToggleBack)
{
    struct Case {
        UINT id;
        int CPlaylistEntry::*field;
        int on, off;
    } cases[] = {
        {ID_PICTURE_FLIP_H, &CPlaylistEntry::m_bFlipH, 1, 0},
        {ID_PICTURE_NEGATE, &CPlaylistEntry::m_bNegate, 1, 0},
        {ID_ROTATE_180, &CPlaylistEntry::m_nRotate, 180, 0},
        {ID_ITEM_VOLUME_300, &CPlaylistEntry::m_nVolume, 300, 100},
        {ID_SPEED_HALF, &CPlaylistEntry::m_nPlaySpeed, 50, 100},
    };
    EXPECT_FALSE(Update(ID_PICTURE_FLIP_H).m_bEnabled) << "nothing selected";
    Select(1);
    CPlaylistItem* pItem = Ctrl().GetPlaylistItem(1);
    for (const Case& c : cases) {
        Command(c.id);
        EXPECT_EQ(c.on, pItem->*c.field) << c.id;
        CRecordingCmdUI ui = Update(c.id);
        EXPECT_TRUE(ui.m_bEnabled) << c.id;
        EXPECT_EQ(1, ui.m_nCheck) << c.id;
        Command(c.id);
        EXPECT_EQ(c.off, pItem->*c.field) << c.id;
        EXPECT_EQ(0, Update(c.id).m_nCheck) << c.id;
    }
    Command(ID_ROTATE_90);
    Command(ID_ROTATE_270);
    EXPECT_EQ(270, pItem->m_nRotate) << "another angle replaces the first";
    Command(ID_EFFECTS_RESET);
    EXPECT_EQ(0, pItem->m_nRotate);
    EXPECT_EQ(0, Ctrl().GetPlaylistItem(0)->m_nRotate + Ctrl().GetPlaylistItem(2)->m_nRotate) << "only the selected";
}

TEST_F(PlaylistView, TrackCommandsChooseTheStreamsOfTheSelectedItem)
{
    Select(0);
    CMediaInfo& info = Ctrl().GetPlaylistItem(0)->m_mediaInfo;
    for (int type : {MEDIA_TYPE_VIDEO, MEDIA_TYPE_AUDIO, MEDIA_TYPE_AUDIO}) {
        auto* pStream = new CMediaStreamInfo;
        pStream->MediaType = type;
        info.StreamList.Add(pStream);
    }
    info.Analyse();
    Command(ID_AUDIO_TRACK_BASE + 1);
    EXPECT_EQ(1, info.SelectedAudioStream);
    EXPECT_EQ(1, Update(ID_AUDIO_TRACK_BASE + 1).m_nCheck);
    EXPECT_EQ(0, Update(ID_AUDIO_TRACK_AUTO).m_nCheck);
    Command(ID_AUDIO_TRACK_OFF);
    EXPECT_EQ(-2, info.SelectedAudioStream);
    Command(ID_VIDEO_TRACK_AUTO);
    EXPECT_EQ(-1, info.SelectedVideoStream);
    EXPECT_EQ(1, Update(ID_VIDEO_TRACK_AUTO).m_nCheck);
    EXPECT_NE(1, Update(ID_SUBTITLE_TRACK_AUTO).m_nCheck) << "no subtitles: nothing checked";
}

TEST_F(PlaylistView, MovesTakeTheFirstSelectedItemOneRow)
{
    CPlaylistItem* pFirst = Ctrl().GetPlaylistItem(0);
    Select(0);
    EXPECT_FALSE(Update(ID_PLAYLIST_MOVE_UP).m_bEnabled);
    EXPECT_TRUE(Update(ID_PLAYLIST_MOVE_DOWN).m_bEnabled);
    Command(ID_PLAYLIST_MOVE_DOWN);
    EXPECT_EQ(1, Ctrl().FindItem(pFirst));
    EXPECT_EQ(1, m_pView->GetSelectedIndex()) << "the moved item stays selected";
    Command(ID_PLAYLIST_MOVE_DOWN);
    EXPECT_EQ(2, Ctrl().FindItem(pFirst));
    EXPECT_FALSE(Update(ID_PLAYLIST_MOVE_DOWN).m_bEnabled);
    EXPECT_EQ(-1, m_pView->MoveSelected(1));
    Command(ID_PLAYLIST_MOVE_UP);
    EXPECT_EQ(1, Ctrl().FindItem(pFirst));
}

TEST_F(PlaylistView, UrlLinesAndDroppedPathsAreQueued)
{
    EXPECT_EQ(0, m_pView->AddUrlLines(L"  http://example.com/a.mp4 \r\n\r\n\thttp://example.com/b.mp4\r\n"));
    ASSERT_EQ(2, Ctrl().GetPendingCount());
    EXPECT_STREQ(L"http://example.com/a.mp4", Ctrl().m_pendingPaths[0].path);
    EXPECT_EQ(PENDING_URL, Ctrl().m_pendingPaths[1].kind);
    EXPECT_EQ(-1, m_pView->AddUrlLines(L" \r\n "));
    EXPECT_EQ(3, Ctrl().GetItemCount()) << "adding keeps the rows";

    CStringArray dropped;
    dropped.Add(L"C:\\media\\folder");
    m_pView->TakeDroppedPaths(dropped, TRUE);
    EXPECT_EQ(3, Ctrl().GetItemCount());
    EXPECT_EQ(3, Ctrl().GetPendingCount());
    m_pView->TakeDroppedPaths(dropped, FALSE);
    EXPECT_EQ(0, Ctrl().GetItemCount()) << "a drop that replaces empties the playlist";
    ASSERT_EQ(1, Ctrl().GetPendingCount());
    EXPECT_EQ(PENDING_DECIDE, Ctrl().m_pendingPaths[0].kind);
    EXPECT_EQ(0, Ctrl().m_nPendingPlayIndex) << "and its first row will play";
}

TEST_F(PlaylistView, RecentPlaylistsThatGiveNoRowsLeaveTheListOnceRead)
{
    TempFolder folder;
    const std::wstring rows = folder / L"rows.m3u", damaged = folder / L"damaged.playlist",
                       empty = folder / L"empty.m3u", missing = folder / L"missing.playlist";
    ASSERT_TRUE(tooltest::WriteFileBytes(rows, "C:\\media\\clip0.mp4\r\n"));
    ASSERT_TRUE(tooltest::WriteFileBytes(damaged, "<?xml version=\"1.0\"?><Playlists><Playlist><Item><Med"));
    ASSERT_TRUE(tooltest::WriteFileBytes(empty, ""));
    const wchar_t kNewer[] = L"C:\\lists\\newer.m3u";
    struct Case {
        const char* name;
        const std::wstring& path;
        bool read;                         // on the load thread
        int rows;                          // -1: those before stay
        std::vector<std::wstring> recent;  // once read
    } cases[] = {
        {"a list with rows", rows, true, 1, {rows, kNewer}},
        {"a damaged .playlist", damaged, true, 0, {kNewer}},
        {"an empty .m3u", empty, true, 0, {kNewer}},
        {"a missing file, at once", missing, false, -1, {kNewer}},
    };
    Ctrl().m_bClosing = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_playerHistory.ClearRecentPlaylists();
        g_playerHistory.AddRecentPlaylist(c.path.c_str());
        int nRowsBefore = Ctrl().GetItemCount();
        Command(ID_RECENT_PLAYLIST_FIRST);
        EXPECT_EQ(c.read ? 0 : nRowsBefore, Ctrl().GetItemCount()) << "the command returns before the file is read";
        EXPECT_EQ(c.read ? 1 : 0, g_playerHistory.m_recentPlaylists.GetCount());
        // An entry added meanwhile moves the opened one down: it is found by its path.
        g_playerHistory.AddRecentPlaylist(kNewer);
        ASSERT_TRUE(PumpUntil([&] { return !Ctrl().IsLoading() && !Ctrl().m_threads.IsUpdating(); }, kTestWaitMs));
        EXPECT_EQ(c.rows < 0 ? nRowsBefore : c.rows, Ctrl().GetItemCount());
        std::vector<std::wstring> recent;
        for (int i = 0; i < g_playerHistory.m_recentPlaylists.GetCount(); ++i)
            recent.push_back(static_cast<LPCWSTR>(g_playerHistory.m_recentPlaylists.GetAt(i)));
        EXPECT_EQ(c.recent, recent);
    }
    g_playerHistory.ClearRecentPlaylists();
}

TEST_F(PlaylistView, TypedKeysFindTitlesByTheCharacterAtTheirPosition)
{
    const wchar_t* titles[] = {L"Alpha", L"abc", L"beta"};
    for (int i = 0; i < 3; ++i)
        Ctrl().GetPlaylistItem(i)->m_strTitle = titles[i];
    struct Step {
        wchar_t key;
        DWORD after;  // ms after the previous key
        int selected;
    } steps[] = {
        {L'a', 5000, 0},  // first character, any case
        {L'b', 100, 1},   // within 500 ms: the second character
        {L'b', 1000, 2},  // after a pause: the first character again
        {L'e', 100, 2},   // "be"
        {L'x', 100, 2},   // nothing has it: the search starts over, and finds nothing either
        {L'A', 100, 0},   // no title has it second: found as the first character
    };
    DWORD time = 100000;
    for (const Step& step : steps) {
        time += step.after;
        Ctrl().TypeAhead(step.key, time);
        EXPECT_EQ(step.selected, m_pView->GetSelectedIndex()) << static_cast<char>(step.key);
        EXPECT_EQ(1, Ctrl().GetSelectedCount());
    }
}

TEST_F(PlaylistView, SavePlaylistNamesGetTheChosenFiltersExtension)
{
    struct Case {
        const wchar_t* typed;
        int filter;
        const wchar_t* saved;
    } cases[] = {
        {L"C:\\l\\mine", 1, L"C:\\l\\mine.playlist"},
        {L"C:\\l\\mine", 2, L"C:\\l\\mine.m3u"},
        {L"C:\\l\\mine", 3, L"C:\\l\\mine.pls"},
        {L"C:\\l\\mine.m3u", 3, L"C:\\l\\mine.m3u"},
        {L"C:\\l.d\\mine", 0, L"C:\\l.d\\mine.playlist"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.saved, CPlaylistView::GetSaveName(c.typed, c.filter)) << c.typed;
}

}  // namespace
