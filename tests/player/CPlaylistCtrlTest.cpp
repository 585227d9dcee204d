// The playlist control with the real tools on clips made here: opening plays the first row as
// soon as it is added, adding plays nothing, duplicates and folders, playlist files that start
// playing and that replace a load still running, the display window's end of a playback (the
// next row by the repeat mode, a Stop or a failed run that moves nothing on), thumbnails built
// on the update threads, and stopping the threads while their tools hang.
#include "classlib/CWinApp.h"
#include "mediatools/MediaToolLocation.h"
#include "player/playback/CItemVideoWnd.h"
#include "player/CPlayerHistory.h"
#include "player/CPlayerSettings.h"
#include "player/playlist/CPlaylistCtrl.h"
#include "player/playlist/CPlaylistItem.h"
#include "player/windows/PlayerWindows.h"
#include "player/playback/VideoDisplayWnd.h"
#include "player/res/PlayerResources.h"
#include "tests/support/DialogScript.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestWait.h"
#include "tests/support/ToolTestSupport.h"
#include "tests/support/WindowHarness.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <vector>

// The suite's application object, as the program has its own.
CWinApp theApp(L"Kavri Video Player");

namespace {

// Stands in for the display window: plays nothing, records what it is asked to play.
class CRecordingVideoWnd : public CItemVideoWnd {
public:
    struct Play {
        int index;
        int placement;
        bool loading;  // whether the load thread was still at work
    };
    int PlayItem(CPlaylistItem* pItem, int nPlacement) override
    {
        m_plays.push_back({g_pPlaylistCtrl->FindItem(pItem), nPlacement, g_pPlaylistCtrl->IsLoading() != 0});
        m_pCurrentItem = pItem;
        return 0;
    }
    int Close(int) override
    {
        m_pCurrentItem = nullptr;
        return 0;
    }
    std::vector<Play> m_plays;
};

// The main window's side: the panes shown and the status texts, the playlist's and others.
class CRecordingMainWindow : public CPlayerMainWindow {
public:
    void ShowPane(int nPane) override { m_panes.push_back(nPane); }
    int GetShownPane() const override { return m_panes.empty() ? PANE_PLAYLIST : m_panes.back(); }
    BOOL IsOnePaneMode() const override { return TRUE; }
    void HideMenuBar(BOOL) override {}
    void SetStatusText(LPCWSTR pszText) override { m_report = pszText; }
    void SetPlaylistStatus(LPCWSTR pszText, BOOL bEmpty) override
    {
        m_status = pszText;
        m_bEmpty = bEmpty;
        m_statuses.push_back(m_status);
    }
    std::vector<int> m_panes;
    CString m_status;
    CString m_report;
    std::vector<CString> m_statuses;  // every status shown, in order
    BOOL m_bEmpty = TRUE;
};

const wchar_t kH264[] = L" -c:v libx264 -pix_fmt yuv420p -f mp4";

class PlaylistCtrl : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = new TempFolder;
        s_made = true;
        for (int i = 0; i < 5; ++i) {
            std::wstring args = L"-f lavfi -i testsrc=duration=2:size=160x120:rate=25 -vf hue=h=" +
                                std::to_wstring(i * 60) + kH264;
            s_made = s_made && tooltest::MakeMedia(Clip(i), args);
        }
        // Black for 1.5 s, then a picture: a grab from 0 ms is blank.
        s_made = s_made && tooltest::MakeMedia(*s_folder / L"late.mp4",
                                               std::wstring(L"-f lavfi -i color=c=black:size=160x120:rate=25:duration=1.5 "
                                                            L"-f lavfi -i testsrc=size=160x120:rate=25:duration=2.5 "
                                                            L"-filter_complex [0:v][1:v]concat=n=2:v=1") +
                                                   kH264);
    }
    static void TearDownTestSuite()
    {
        delete s_folder;
        s_folder = nullptr;
    }
    static std::wstring Clip(int i) { return *s_folder / (L"clip" + std::to_wstring(i) + L".mp4"); }
    static CStringArray Clips(int n)
    {
        CStringArray paths;
        for (int i = 0; i < n; ++i)
            paths.Add(Clip(i).c_str());
        return paths;
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_made) << "ffmpeg.exe could not make the clips";
        g_playerSettings = CPlayerSettings();
        g_playerSettings.m_bLoadLastPlaylist = 0;
        LocateMediaTools(tooltest::ToolFolder().c_str());
        ASSERT_TRUE(m_parent.CreateParent(700, 500));
        ASSERT_TRUE(m_ctrl.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 680, 460), &m_parent, 100));
        g_pPlaylistCtrl = &m_ctrl;
        g_pVideoWnd = &m_video;
        g_pPlayerMainWindow = &m_main;
    }
    void TearDown() override
    {
        SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", nullptr);
        if (m_ctrl.m_hWnd)
            m_ctrl.DestroyWindow();
        m_parent.DestroyWindow();
        g_pPlaylistCtrl = nullptr;
        g_pVideoWnd = nullptr;
        g_pPlayerMainWindow = nullptr;
    }

    bool PumpUntilIdle(DWORD ms = 120000)
    {
        return PumpUntil([&] { return !m_ctrl.IsLoading() && !m_ctrl.m_threads.IsUpdating(); }, ms);
    }
    // Rows with paths only, added directly.
    void AddPlainRows(int n)
    {
        for (int i = 0; i < n; ++i) {
            auto* pItem = new CPlaylistItem;
            pItem->m_strPath = Clip(i).c_str();
            m_ctrl.AddItem(pItem);
        }
    }
    CString PathAt(int nIndex) { return m_ctrl.GetPlaylistItem(nIndex)->m_strPath; }

    static TempFolder* s_folder;
    static bool s_made;
    RecordingParent m_parent;
    CPlaylistCtrl m_ctrl;
    CRecordingVideoWnd m_video;
    CRecordingMainWindow m_main;
};

TempFolder* PlaylistCtrl::s_folder = nullptr;
bool PlaylistCtrl::s_made = false;

TEST_F(PlaylistCtrl, OpeningAddsRowsInOrderAndPlaysTheFirstAsSoonAsItIsAdded)
{
    ASSERT_EQ(0, m_ctrl.OpenPaths(Clips(5), PENDING_FILE, L"", 0));
    EXPECT_TRUE(m_ctrl.IsLoading());
    ASSERT_TRUE(PumpUntilIdle());
    ASSERT_EQ(5, m_ctrl.GetItemCount());
    for (int i = 0; i < 5; ++i)
        EXPECT_STREQ(Clip(i).c_str(), PathAt(i)) << i;
    ASSERT_EQ(1u, m_video.m_plays.size());
    EXPECT_EQ(0, m_video.m_plays[0].index);
    EXPECT_EQ(PLACEMENT_PLAY_VIEW, m_video.m_plays[0].placement);
    EXPECT_TRUE(m_video.m_plays[0].loading) << "the first row plays while the rest still load";
    EXPECT_EQ(-1, m_ctrl.m_nPendingPlayIndex);
    EXPECT_EQ(0, m_main.m_status.Find(L"5 items, 0:10")) << (LPCWSTR)m_main.m_status;
    EXPECT_FALSE(m_main.m_bEmpty);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(m_ctrl.GetPlaylistItem(i)->m_thumbnail.IsValid()) << i << ": built by the update threads";

    EXPECT_EQ(-1, m_ctrl.OpenPaths(CStringArray(), PENDING_FILE, L"", 0));
    EXPECT_EQ(5, m_ctrl.GetItemCount()) << "an empty open changes nothing";
}

TEST_F(PlaylistCtrl, AddingPlaysNothingAndRefusesDuplicatesInAnyCase)
{
    g_playerSettings.m_bAllowDuplicates = 0;
    ASSERT_EQ(0, m_ctrl.AddPaths(Clips(3), PENDING_FILE, L"", 1));
    ASSERT_TRUE(PumpUntilIdle());
    EXPECT_EQ(3, m_ctrl.GetItemCount());
    EXPECT_TRUE(m_video.m_plays.empty());

    CString upper = Clip(1).c_str();
    upper.MakeUpper();
    m_ctrl.AddPath(upper, PENDING_FILE, L"", 1);
    ASSERT_TRUE(PumpUntilIdle());
    EXPECT_EQ(3, m_ctrl.GetItemCount()) << "the same path in other letters";

    g_playerSettings.m_bAllowDuplicates = 1;
    m_ctrl.AddPath(upper, PENDING_FILE, L"", 1);
    ASSERT_TRUE(PumpUntilIdle());
    EXPECT_EQ(4, m_ctrl.GetItemCount());
    EXPECT_TRUE(m_video.m_plays.empty());
}

TEST_F(PlaylistCtrl, ADroppedFolderTakesTheMediaPatternsAndALinkLoopEnds)
{
    TempFolder dropped;
    CopyFileW(Clip(0).c_str(), (dropped / L"a.mp4").c_str(), FALSE);
    CopyFileW(Clip(1).c_str(), (dropped / L"notes.txt").c_str(), FALSE);
    CreateDirectoryW((dropped / L"sub").c_str(), nullptr);
    CopyFileW(Clip(2).c_str(), (dropped / L"sub\\b.mp4").c_str(), FALSE);
    std::wstring loop = dropped / L"sub\\loop";
    bool bLinked = CreateSymbolicLinkW(loop.c_str(), dropped.Path().c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) != 0;

    CStringArray paths;
    paths.Add(dropped.Path().c_str());
    ASSERT_EQ(0, m_ctrl.OpenPaths(paths, PENDING_DECIDE, L"", 1));
    ASSERT_TRUE(PumpUntilIdle());
    EXPECT_EQ(2, m_ctrl.GetItemCount()) << "the two clips, not the text file" << (bLinked ? ", once each" : "");
    EXPECT_EQ(1u, m_video.m_plays.size());
    if (bLinked)
        RemoveDirectoryW(loop.c_str());
}

TEST_F(PlaylistCtrl, PlaylistFilesOpenedAsFilesOrResumedStartPlaying)
{
    m_ctrl.AddPaths(Clips(3), PENDING_FILE, L"", 1);
    ASSERT_TRUE(PumpUntilIdle());
    m_ctrl.m_nLastPlayedIndex = 2;
    std::wstring saved = *s_folder / L"three";
    ASSERT_EQ(3, m_ctrl.SavePlaylistFile(saved.c_str(), 1, 0));
    std::wstring list = saved + L".playlist";
    ASSERT_TRUE(tooltest::FileExists(list)) << "a name without extension is saved as .playlist";

    struct Case {
        const char* name;
        bool asFile;  // through the queue, as the command line and a drop open it
        int resume, play, recent;
        int played;  // -1 none
    } cases[] = {
        {"opened like a media file", true, 0, 0, 1, 0},
        {"resumed at its last item", false, 1, 0, 0, 2},
        {"resumed rather than played from the top", false, 1, 1, 0, 2},
        {"opened to play", false, 0, 1, 0, 0},
        {"opened only, as the default playlist", false, 0, 0, 0, -1},
        {"opened from the menu", false, 0, 0, 1, -1},
    };
    for (const Case& c : cases) {
        m_video.m_plays.clear();
        g_playerHistory.ClearRecentPlaylists();
        g_playerSettings.m_bAutoResumeInterrupted = c.resume;
        m_ctrl.m_nLastPlayedIndex = 1;
        if (c.asFile) {
            CStringArray paths;
            paths.Add(list.c_str());
            m_ctrl.OpenPaths(paths, PENDING_FILE, L"", 1);
        } else {
            EXPECT_EQ(0, m_ctrl.OpenPlaylistFile(list.c_str(), c.play, c.recent)) << c.name;
            EXPECT_EQ(0, m_ctrl.GetItemCount()) << c.name << ": read on the load thread";
        }
        ASSERT_TRUE(PumpUntilIdle()) << c.name;
        PumpFor(100);
        EXPECT_EQ(3, m_ctrl.GetItemCount()) << c.name;
        EXPECT_EQ(-1, m_ctrl.m_nLastPlayedIndex) << c.name;
        ASSERT_EQ(c.recent, g_playerHistory.m_recentPlaylists.GetCount()) << c.name;
        if (c.recent) {
            EXPECT_STREQ(list.c_str(), g_playerHistory.m_recentPlaylists.GetAt(0)) << c.name;
        }
        ASSERT_EQ(c.played < 0 ? 0u : 1u, m_video.m_plays.size()) << c.name;
        if (c.played >= 0) {
            EXPECT_EQ(c.played, m_video.m_plays[0].index) << c.name;
        }
    }
    EXPECT_EQ(-1, m_ctrl.OpenPlaylistFile((*s_folder / L"none.playlist").c_str(), 1, 1));
    EXPECT_EQ(3, m_ctrl.GetItemCount()) << "a missing file leaves the rows";
    EXPECT_EQ(0, m_ctrl.GetPendingCount());
}

// An ".m3u" with the clips n times over, beside them.
std::wstring WriteList(const std::wstring& folder, const std::wstring& name, int nRepeat, int nClips)
{
    std::string text;
    for (int n = 0; n < nRepeat; ++n) {
        for (int i = 0; i < nClips; ++i)
            text += "clip" + std::to_string(i) + ".mp4\r\n";
    }
    std::wstring path = folder + L"\\" + name;
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(hFile, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(hFile);
    return path;
}

TEST_F(PlaylistCtrl, OpeningAPlaylistFileLeavesTheProbesToTheUpdateThreads)
{
    std::wstring list = WriteList(s_folder->Path(), L"three.m3u", 1, 3);
    ASSERT_EQ(0, m_ctrl.OpenPlaylistFile(list.c_str(), 0, 0));
    m_main.m_statuses.clear();
    ASSERT_TRUE(PumpUntilIdle());
    // A probe may wait on the network: the rows came in together, named, before any probe.
    ASSERT_FALSE(m_main.m_statuses.empty());
    EXPECT_STREQ(L"3 items", m_main.m_statuses.front()) << "no duration known yet";
    for (int i = 0; i < 3; ++i)
        EXPECT_STREQ((L"clip" + std::to_wstring(i) + L".mp4").c_str(), m_ctrl.GetPlaylistItem(i)->m_strTitle) << i;
    for (int i = 0; i < 3; ++i) {
        CPlaylistItem* pItem = m_ctrl.GetPlaylistItem(i);
        EXPECT_TRUE(pItem->m_dwFlags & ITEM_FLAG_PROBED) << i;
        EXPECT_STREQ(L"0:02", pItem->m_strDurationText) << i;
        EXPECT_EQ(MEDIA_TYPE_VIDEO, pItem->m_nMediaType) << i;
        EXPECT_TRUE(pItem->m_thumbnail.IsValid()) << i;
    }
    EXPECT_EQ(0, m_main.m_status.Find(L"3 items, 0:06")) << (LPCWSTR)m_main.m_status;
}

TEST_F(PlaylistCtrl, NoTileDeletesWhileLoadingAndAStoppedLoadLeavesNoBlankRow)
{
    CStringArray first;
    first.Add(Clip(0).c_str());
    ASSERT_EQ(0, m_ctrl.AddPaths(first, PENDING_FILE, L"", 1));
    ASSERT_TRUE(PumpUntilIdle());
    CRect tile;
    m_ctrl.GetItemRect(0, &tile);
    CPoint deleteButton = m_ctrl.GetDeleteButtonRect(tile).CenterPoint();
    ASSERT_EQ(ID_PLAYLIST_DELETE, m_ctrl.ButtonHitTest(0, deleteButton));

    std::wstring list = WriteList(s_folder->Path(), L"many.m3u", 3, 5);
    m_ctrl.AddPath(list.c_str(), PENDING_FILE, L"", 1);
    ASSERT_TRUE(
        PumpUntil([] { return tooltest::ChildStillRunning(GetCurrentProcessId(), L"ClipInspector.exe"); }, 60000))
        << "the load probes the list's clips";
    ASSERT_TRUE(m_ctrl.IsLoading());
    EXPECT_EQ(-1, m_ctrl.ButtonHitTest(0, deleteButton)) << "no delete button while loading";

    // A delete by other means stops the load: the rows it had not probed are named at once
    // and probed on the next pass.
    ASSERT_EQ(0, m_ctrl.DeleteItemAt(0));
    ASSERT_EQ(15, m_ctrl.GetItemCount());
    for (int i = 0; i < 15; ++i)
        EXPECT_STREQ((L"clip" + std::to_wstring(i % 5) + L".mp4").c_str(), m_ctrl.GetPlaylistItem(i)->m_strTitle) << i;
    ASSERT_TRUE(PumpUntilIdle(300000));
    for (int i = 0; i < 15; ++i) {
        CPlaylistItem* pItem = m_ctrl.GetPlaylistItem(i);
        EXPECT_STREQ(L"0:02", pItem->m_strDurationText) << i;
        EXPECT_EQ(MEDIA_TYPE_VIDEO, pItem->m_nMediaType) << i;
        EXPECT_TRUE(pItem->m_thumbnail.IsValid()) << i;
    }
    EXPECT_EQ(ID_PLAYLIST_DELETE, m_ctrl.ButtonHitTest(0, deleteButton)) << "back once the load is done";
}

TEST_F(PlaylistCtrl, PreviousAndNextFollowTheRepeatMode)
{
    AddPlainRows(3);
    struct Case {
        int current;  // -1 nothing plays
        int repeat;
        int previous, next;  // -1 none
    } cases[] = {
        {-1, REPEAT_OFF, -1, -1}, {-1, REPEAT_CURRENT, -1, -1}, {-1, REPEAT_ALL, -1, -1},
        {0, REPEAT_OFF, -1, 1},   {0, REPEAT_CURRENT, 0, 0},    {0, REPEAT_ALL, 2, 1},
        {1, REPEAT_OFF, 0, 2},    {2, REPEAT_OFF, 1, -1},       {2, REPEAT_ALL, 1, 0},
    };
    for (const Case& c : cases) {
        m_video.m_pCurrentItem = m_ctrl.GetPlaylistItem(c.current);
        EXPECT_EQ(c.previous, m_ctrl.FindItem(m_ctrl.GetPreviousItem(c.repeat))) << c.current << " " << c.repeat;
        EXPECT_EQ(c.next, m_ctrl.FindItem(m_ctrl.GetNextItem(c.repeat))) << c.current << " " << c.repeat;
    }
}

// The player's display window, which decides itself what follows a playback's end; it records
// the rows it is asked to play.
class CAdvancingDisplayWnd : public VideoDisplayWnd {
public:
    int PlayItem(CPlaylistItem* pItem, int nPlacement) override
    {
        m_played.push_back(g_pPlaylistCtrl->FindItem(pItem));
        return VideoDisplayWnd::PlayItem(pItem, nPlacement);
    }
    std::vector<int> m_played;
};

TEST_F(PlaylistCtrl, OnlyANaturalEndMovesOnByTheRepeatModeAndAFailureIsReportedOnce)
{
    AddPlainRows(2);
    CPlaylistItem* pFirst = m_ctrl.GetPlaylistItem(0);
    pFirst->m_strTitle = L"first";
    CString clip = pFirst->m_strPath;
    std::wstring notMedia = *s_folder / L"not a clip.mp4";
    HANDLE hFile = CreateFileW(notMedia.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    DWORD written = 0;
    WriteFile(hFile, "no frames here", 14, &written, nullptr);
    CloseHandle(hFile);
    CString runner = ClipRunnerPath;
    // How a case ends once its rows have started.
    enum Ending { ByItself, PlayerCloses, UserStops };
    enum Fault { NoFault, NoTool, ToolDies, NotMedia };
    struct Case {
        const char* name;
        int repeat;
        Fault fault;
        Ending ending;
        std::vector<int> played;
        const wchar_t* report;  // the main window's status text, empty for none
    } cases[] = {
        {"repeat off: both rows, then the end", REPEAT_OFF, NoFault, ByItself, {0, 1}, L""},
        {"repeat one: the same row again", REPEAT_CURRENT, NoFault, PlayerCloses, {0, 0, 0}, L""},
        {"repeat all: back to the first row", REPEAT_ALL, NoFault, PlayerCloses, {0, 1, 0}, L""},
        {"the user's Stop: no advance", REPEAT_ALL, NoFault, UserStops, {0}, L""},
        {"no playback tool: one row, one report", REPEAT_ALL, NoTool, ByItself, {0},
         L"Cannot play: the playback tool ClipRunner.exe is missing."},
        {"the tool dies after it started: one row", REPEAT_ALL, ToolDies, ByItself, {0}, L"Cannot play \"first\"."},
        {"the tool rejects the file: one row", REPEAT_ALL, NotMedia, ByItself, {0}, L"Cannot play \"first\"."},
    };
    for (const Case& c : cases) {
        g_playerSettings.m_nRepeat = c.repeat;
        SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", c.fault == ToolDies ? L"crash" : nullptr);
        ClipRunnerPath = c.fault == NoTool ? CString((*s_folder / L"gone\\ClipRunner.exe").c_str()) : runner;
        pFirst->m_strPath = c.fault == NotMedia ? CString(notMedia.c_str()) : clip;
        m_main.m_report.Empty();
        m_main.m_panes.clear();
        CAdvancingDisplayWnd video;
        ASSERT_TRUE(video.Create(WS_CHILD, CRect(0, 0, 160, 120), &m_parent, 200)) << c.name;
        g_pVideoWnd = &video;
        MessageBoxCloser closer(m_parent.m_hWnd);
        ASSERT_EQ(0, m_ctrl.PlayIndex(0, PLACEMENT_PLAY_VIEW)) << c.name;
        if (c.ending == UserStops) {
            ASSERT_TRUE(PumpUntil([&] { return video.IsPlaying(); }, kTestWaitMs)) << c.name;
            video.StopByUser();
        }
        EXPECT_TRUE(PumpUntil(
            [&] { return video.m_played.size() >= c.played.size() && (c.ending != ByItself || !video.m_pPlayThread); },
            2 * kTestWaitMs))
            << c.name;
        if (c.ending == PlayerCloses)
            video.Close(0);
        EXPECT_TRUE(PumpUntil([&] { return !video.m_pPlayThread; }, kTestWaitMs)) << c.name;
        PumpFor(300);
        EXPECT_EQ(c.played, video.m_played) << c.name;
        if (c.ending != PlayerCloses) {
            EXPECT_EQ(PANE_PLAYLIST, m_main.GetShownPane()) << c.name;
        }
        EXPECT_STREQ(c.report, m_main.m_report) << c.name;
        EXPECT_STREQ(L"", MessageBoxCloser::Text()) << c.name << ": the status text is the only report";
        g_pVideoWnd = &m_video;
    }
    ClipRunnerPath = runner;
}

TEST_F(PlaylistCtrl, AThumbnailAfterTheEndOfAShortClipIsTakenFromItsStart)
{
    g_playerSettings.m_nThumbnailTime = 5000;
    CStringArray paths;
    paths.Add((*s_folder / L"late.mp4").c_str());
    m_ctrl.AddPaths(paths, PENDING_FILE, L"", 1);
    ASSERT_TRUE(PumpUntilIdle());
    ASSERT_EQ(1, m_ctrl.GetItemCount());
    CPlaylistItem* pItem = m_ctrl.GetPlaylistItem(0);
    EXPECT_TRUE(pItem->m_thumbnail.IsValid());
    EXPECT_TRUE(pItem->m_dwFlags & ITEM_FLAG_GRABBED_FRAME);
    EXPECT_TRUE(pItem->m_dwState & ITEM_STATE_THUMBNAIL);
}

// A named pipe that nobody writes to: the prober reading it waits for ever.
class SilentPipe {
public:
    SilentPipe()
    {
        m_path = L"\\\\.\\pipe\\kavri-silent-" + std::to_wstring(GetCurrentProcessId()) + L".mp4";
        m_pipe = CreateNamedPipeW(m_path.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 4, 4096, 4096, 0, nullptr);
    }
    ~SilentPipe() { CloseHandle(m_pipe); }
    bool IsOpen() const { return m_pipe != INVALID_HANDLE_VALUE; }
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
    HANDLE m_pipe;
};

// Opens a clip, the pipe and another clip: true once the first row is in and the load thread
// still waits on the probe of the pipe.
bool OpenUpToThePipe(CPlaylistCtrl& ctrl, const SilentPipe& pipe, const std::wstring& before, const std::wstring& after)
{
    CStringArray paths;
    paths.Add(before.c_str());
    paths.Add(pipe.Path().c_str());
    paths.Add(after.c_str());
    ctrl.OpenPaths(paths, PENDING_MEDIA_FILE, L"", 0);
    if (!PumpUntil([&] { return ctrl.GetItemCount() == 1; }, 60000))
        return false;
    PumpFor(1500);
    return ctrl.IsLoading() != 0;
}

TEST_F(PlaylistCtrl, StoppingTheLoadThreadDuringASlowProbeEndsItsTool)
{
    SilentPipe pipe;
    ASSERT_TRUE(pipe.IsOpen());
    ASSERT_TRUE(OpenUpToThePipe(m_ctrl, pipe, Clip(0), Clip(1))) << "the probe of the pipe waits";
    EXPECT_EQ(-1, m_ctrl.MoveItem(0, 0, TRUE)) << "no reorder while loading";

    DWORD start = GetTickCount();
    m_ctrl.ClearPendingPaths();
    m_ctrl.DeleteAll();
    EXPECT_LT(GetTickCount() - start, 4500u);
    EXPECT_FALSE(m_ctrl.IsLoading());
    EXPECT_EQ(0, m_ctrl.GetItemCount());
    EXPECT_TRUE(tooltest::ChildGoneWithin(GetCurrentProcessId(), L"ClipInspector.exe", 2000));
}

TEST_F(PlaylistCtrl, OpeningAPlaylistStopsTheRunningLoadAndDropsWhatItQueued)
{
    SilentPipe pipe;
    ASSERT_TRUE(pipe.IsOpen());
    ASSERT_TRUE(OpenUpToThePipe(m_ctrl, pipe, Clip(4), Clip(3))) << "the probe of the pipe waits";
    g_playerHistory.ClearRecentPlaylists();

    std::wstring first = WriteList(s_folder->Path(), L"two.m3u", 1, 2);
    DWORD start = GetTickCount();
    ASSERT_EQ(0, m_ctrl.OpenPlaylistFile(first.c_str(), 0, 1));
    EXPECT_LT(GetTickCount() - start, 4500u);
    EXPECT_TRUE(tooltest::ChildGoneWithin(GetCurrentProcessId(), L"ClipInspector.exe", 2000));
    EXPECT_EQ(0, m_ctrl.GetItemCount());
    EXPECT_EQ(1, m_ctrl.GetPendingCount()) << "the clip after the pipe is dropped";

    // Opened again before the first list was read: that list is never loaded.
    std::wstring second = WriteList(s_folder->Path(), L"three.m3u", 1, 3);
    ASSERT_EQ(0, m_ctrl.OpenPlaylistFile(second.c_str(), 0, 1));
    ASSERT_TRUE(PumpUntilIdle());
    ASSERT_EQ(3, m_ctrl.GetItemCount());
    for (int i = 0; i < 3; ++i)
        EXPECT_STREQ(Clip(i).c_str(), PathAt(i)) << i;
    ASSERT_EQ(1, g_playerHistory.m_recentPlaylists.GetCount());
    EXPECT_STREQ(second.c_str(), g_playerHistory.m_recentPlaylists.GetAt(0));
    EXPECT_EQ(1u, m_video.m_plays.size()) << "only the first open played its first row";
}

TEST_F(PlaylistCtrl, ChangingRowsStopsHangingThumbnailGrabsAndBuildsTheRestLater)
{
    g_playerSettings.m_nThumbnailTime = 0;
    SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", L"hang");
    m_ctrl.AddPaths(Clips(4), PENDING_FILE, L"", 1);
    ASSERT_TRUE(PumpUntil([&] { return !m_ctrl.IsLoading() && m_ctrl.m_threads.IsUpdating(); }, 60000));
    PumpFor(1500);

    DWORD start = GetTickCount();
    EXPECT_EQ(0, m_ctrl.MoveItem(3, 0, TRUE)) << "a reorder waits for the update threads";
    EXPECT_LT(GetTickCount() - start, 4500u);
    EXPECT_STREQ(Clip(3).c_str(), PathAt(0));
    EXPECT_TRUE(tooltest::ChildGoneWithin(GetCurrentProcessId(), L"ClipConverter.exe", 2000));

    SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", nullptr);
    start = GetTickCount();
    EXPECT_EQ(0, m_ctrl.DeleteItemAt(1));
    EXPECT_LT(GetTickCount() - start, 4500u);
    ASSERT_TRUE(PumpUntilIdle());
    ASSERT_EQ(3, m_ctrl.GetItemCount());
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(m_ctrl.GetPlaylistItem(i)->m_thumbnail.IsValid()) << i << ": built once the tool behaves";
}

TEST_F(PlaylistCtrl, DeletingShiftsTheRememberedRowsAndStopsWhatPlays)
{
    struct Case {
        const char* name;
        int deleted;  // -1: the selected rows 1 and 3
        int current;
        int lastPlayed, lastAfter;
        bool closed;
    } cases[] = {
        {"a row before the remembered one", 1, -1, 3, 2, false},
        {"the remembered row itself", 3, -1, 3, -1, false},
        {"a row after the remembered one", 4, -1, 1, 1, false},
        {"the playing row", 2, 2, -1, -1, true},
        {"another row than the playing one", 0, 2, -1, -1, false},
        {"selected rows", -1, 3, 4, 2, true},
    };
    for (const Case& c : cases) {
        m_ctrl.DeleteAll();
        AddPlainRows(5);
        m_video.m_pCurrentItem = m_ctrl.GetPlaylistItem(c.current);
        CPlaylistItem* pCurrent = m_video.m_pCurrentItem;
        m_ctrl.m_nLastPlayedIndex = c.lastPlayed;
        if (c.deleted >= 0) {
            EXPECT_EQ(0, m_ctrl.DeleteItemAt(c.deleted)) << c.name;
        } else {
            m_ctrl.SelectItem(1, TRUE, TRUE, FALSE, FALSE);
            m_ctrl.SelectItem(3, TRUE, FALSE, FALSE, FALSE);
            m_ctrl.DeleteSelected();
        }
        EXPECT_EQ(c.deleted >= 0 ? 4 : 3, m_ctrl.GetItemCount()) << c.name;
        EXPECT_EQ(c.lastAfter, m_ctrl.m_nLastPlayedIndex) << c.name;
        EXPECT_EQ(c.closed, pCurrent && m_video.m_pCurrentItem == nullptr) << c.name;
    }
    EXPECT_EQ(-1, m_ctrl.DeleteItemAt(99));
    m_ctrl.DeleteAll();
    EXPECT_TRUE(m_main.m_bEmpty);
    EXPECT_STREQ(L"", m_main.m_status);
}

}  // namespace
