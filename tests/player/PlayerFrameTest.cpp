// The player's frame as the application makes it (document template, container, both views,
// control bar, start panel), driven by its commands with the fake playback tool: the command
// table's enable and check states by playback mode, the repeat and after-playback toggles,
// what follows the end of a playback (natural end, the user's Stop, the player's own stops, a
// failed run), recent URLs, the playlist's commands from the display view, full screen and the
// placement stored when the window closes in full screen, the control bar that follows the
// session, and the row the default playlist saved at the close resumes at.
#include "classlib/CSingleDocTemplate.h"
#include "framework/system/ShellCalls.h"
#include "mediatools/MediaToolLocation.h"
#include "player/windows/CMainFrame.h"
#include "player/windows/CPlayView.h"
#include "player/CPlayerApp.h"
#include "player/CPlayerAppSettings.h"
#include "player/CPlayerHistory.h"
#include "player/CPlayerSettings.h"
#include "player/playlist/CPlaylistCtrl.h"
#include "player/playlist/CPlaylistData.h"
#include "player/playlist/CPlaylistDoc.h"
#include "player/playlist/CPlaylistFormat.h"
#include "player/playlist/CPlaylistItem.h"
#include "player/windows/CPlaylistView.h"
#include "player/PlayerCommandLineInfo.h"
#include "player/res/PlayerResources.h"
#include "tests/framework/RegistrySandbox.h"
#include "tests/support/DialogScript.h"
#include "tests/support/SuitePaths.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestWait.h"
#include "tests/support/WindowHarness.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <memory>
#include <string>

// The suite's application object, as the program has its own.
CPlayerApp theApp;

namespace {

// What an update handler said about one command.
class ProbeCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        m_bEnabled = bOn;
    }
    void SetCheck(int nCheck) override { m_nCheck = nCheck; }
    void SetRadio(BOOL bOn) override { m_nCheck = bOn ? 1 : 0; }
    void SetText(LPCWSTR lpszText) override { m_strText = lpszText; }
    BOOL m_bEnabled = TRUE;
    int m_nCheck = 0;
    CString m_strText;
};

// The fake tool reads no media: any file stands for a clip.
void WriteClipFile(const std::wstring& path)
{
    if (FILE* file = _wfopen(path.c_str(), L"wb")) {
        fputs("clip", file);
        fclose(file);
    }
}

int g_nShutdowns = 0;
BOOL WINAPI RecordShutdown(UINT, DWORD)
{
    ++g_nShutdowns;
    return TRUE;
}

class PlayerFrame : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = new TempFolder;
        for (const wchar_t* name : {L"a.mp4", L"b.mp4", L"c.mp4"})
            WriteClipFile(*s_folder / name);
        s_savedRunner = ClipRunnerPath;
        theApp.AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CPlaylistDoc),
                                                     RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CPlaylistView)));
    }
    static void TearDownTestSuite()
    {
        ClipRunnerPath = s_savedRunner;
        delete s_folder;
    }

    void SetUp() override
    {
        theApp.SetRegistryKey(L"Kavri Helper");
        g_playerSettings = CPlayerSettings();
        g_playerSettings.m_bLoadLastPlaylist = 0;
        g_playerSettings.m_nMainWindowLeft = 60;
        g_playerSettings.m_nMainWindowTop = 40;
        g_playerSettings.m_nMainWindowWidth = 800;
        g_playerSettings.m_nMainWindowHeight = 520;
        g_playerHistory.ClearRecentFiles();
        g_nShutdowns = 0;
        m_savedExitWindows = ShellCalls().pfnExitWindows;
        ShellCalls().pfnExitWindows = RecordShutdown;
        ClipRunnerPath = BesideThisProgram(L"FakeClipRunner.exe").c_str();
        UseFakeMode(L"endless");
        SetAppSettings(&g_playerAppSettings);
        OpenFrame();
    }
    // The frame as the application makes it at start, without files.
    void OpenFrame()
    {
        PlayerCommandLineInfo info;
        ASSERT_TRUE(theApp.ProcessShellCommand(info));
        m_pFrame = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
        ASSERT_NE(nullptr, m_pFrame);
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        PumpMessages();
    }
    void CloseFrame()
    {
        m_pFrame->SendMessage(WM_CLOSE);
        PumpMessages();
        theApp.m_pMainWnd = nullptr;
        m_pFrame = nullptr;
    }
    void TearDown() override
    {
        if (theApp.m_pMainWnd && ::IsWindow(theApp.m_pMainWnd->m_hWnd))
            theApp.m_pMainWnd->DestroyWindow();
        theApp.m_pMainWnd = nullptr;
        PumpMessages();
        SetAppSettings(nullptr);
        ShellCalls().pfnExitWindows = m_savedExitWindows;
        SetEnvironmentVariableW(L"KAVRI_FAKE_RUNNER_MODE", nullptr);
        SetEnvironmentVariableW(L"KAVRI_FAKE_RUNNER_MS", nullptr);
    }

    static void UseFakeMode(const wchar_t* pszMode, const wchar_t* pszMs = nullptr)
    {
        SetEnvironmentVariableW(L"KAVRI_FAKE_RUNNER_MODE", pszMode);
        SetEnvironmentVariableW(L"KAVRI_FAKE_RUNNER_MS", pszMs);
    }
    // Rows for a.mp4, b.mp4 and c.mp4.
    void AddThreeItems()
    {
        for (const wchar_t* name : {L"a.mp4", L"b.mp4", L"c.mp4"}) {
            CPlaylistItem* pItem = new CPlaylistItem;
            pItem->m_strPath = (*s_folder / name).c_str();
            pItem->m_strTitle = name;
            ASSERT_GE(g_pPlaylistCtrl->AddItem(pItem), 0);
        }
        // As the playlist says when its load thread adds rows.
        m_pFrame->SetPlaylistStatus(g_pPlaylistCtrl->GetStatusText(), FALSE);
    }
    VideoDisplayWnd& Display() { return *m_pFrame->GetDisplayWnd(); }
    CPlaylistItem* Item(int nIndex) { return g_pPlaylistCtrl->GetPlaylistItem(nIndex); }
    int Current() { return g_pPlaylistCtrl->FindItem(Display().m_pCurrentItem); }
    // Plays the row and waits until the fake tool plays it.
    bool PlayRow(int nIndex)
    {
        if (Display().PlayItem(Item(nIndex), 0) != 0)
            return false;
        return PumpUntil([&] { return Display().IsPlaying(); }, kTestWaitMs);
    }
    void Command(UINT nID) { m_pFrame->SendMessage(WM_COMMAND, nID); }
    ProbeCmdUI Query(UINT nID)
    {
        ProbeCmdUI ui;
        ui.m_nID = nID;
        ui.DoUpdate(m_pFrame, TRUE);
        return ui;
    }
    bool WaitForThreadEnd()
    {
        return PumpUntil([&] { return !Display().m_pPlayThread; }, kTestWaitMs);
    }

    static TempFolder* s_folder;
    static CString s_savedRunner;
    RegistrySandbox m_sandbox;
    CMainFrame* m_pFrame = nullptr;
    BOOL(WINAPI* m_savedExitWindows)(UINT, DWORD) = nullptr;
};

TempFolder* PlayerFrame::s_folder = nullptr;
CString PlayerFrame::s_savedRunner;

TEST_F(PlayerFrame, MakesItsPanesBarAndGlobals)
{
    EXPECT_EQ(static_cast<CPlayerMainWindow*>(m_pFrame), g_pPlayerMainWindow);
    ASSERT_NE(nullptr, g_pPlaylistCtrl);
    ASSERT_NE(nullptr, g_pControlBar);
    EXPECT_EQ(IDW_PLAYER_CONTROL_BAR, static_cast<int>(g_pControlBar->GetDlgCtrlID()));
    EXPECT_TRUE(g_pControlBar->IsWindowVisible());
    EXPECT_EQ(nullptr, ::GetMenu(m_pFrame->m_hWnd)) << "the drawn menu bar has the menu";
    EXPECT_EQ(6, m_pFrame->GetMenuBar().GetTitleCount());
    EXPECT_EQ(PANE_PLAYLIST, m_pFrame->GetShownPane());
    CString title;
    m_pFrame->GetWindowText(title);
    EXPECT_STREQ(L"Kavri Video Player", title);
    // The system menu starts with the window's own three items.
    CMenu* pSystem = m_pFrame->GetSystemMenu(FALSE);
    ASSERT_NE(nullptr, pSystem);
    EXPECT_EQ(IDM_SYS_ALWAYS_ON_TOP, static_cast<int>(pSystem->GetMenuItemID(0)));
    EXPECT_EQ(IDM_SYS_FULL_SCREEN, static_cast<int>(pSystem->GetMenuItemID(1)));
    EXPECT_EQ(IDM_SYS_TRANSPARENT, static_cast<int>(pSystem->GetMenuItemID(2)));

    m_pFrame->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    EXPECT_EQ(nullptr, g_pPlayerMainWindow) << "the frame's end clears the window pointers";
    EXPECT_EQ(nullptr, g_pPlaylistCtrl);
    EXPECT_EQ(nullptr, g_pControlBar);
    EXPECT_EQ(nullptr, g_pVideoWnd);
}

TEST_F(PlayerFrame, CommandStatesFollowThePlaybackMode)
{
    AddThreeItems();
    struct Expect {
        UINT id;
        bool enabled;
        int check;
    };
    auto verify = [&](const char* mode, std::initializer_list<Expect> expects) {
        for (const Expect& e : expects) {
            ProbeCmdUI ui = Query(e.id);
            EXPECT_EQ(e.enabled, ui.m_bEnabled != FALSE) << mode << ": command " << e.id;
            EXPECT_EQ(e.check, ui.m_nCheck) << mode << ": command " << e.id;
        }
    };
    verify("nothing plays", {{ID_PLAY_STOP, false, 0},
                             {ID_SEEK_FORWARD_10S, false, 0},
                             {ID_SEEK_BACKWARD_1MIN, false, 0},
                             {ID_PLAY_PREVIOUS, false, 0},
                             {ID_PLAY_NEXT, false, 0},
                             {ID_PLAY_PLAY, true, 0},
                             {ID_ZOOM_100, true, 1},
                             {ID_VIEW_DOCK_PLAYLIST, true, 0},
                             {ID_VIEW_FULL_SCREEN, true, 0}});
    EXPECT_STREQ(L"Play\tCtrl+P", Query(ID_PLAY_PLAY).m_strText);

    ASSERT_TRUE(PlayRow(0));
    verify("first row plays", {{ID_PLAY_STOP, true, 0},
                               {ID_SEEK_FORWARD_10S, true, 0},
                               {ID_SEEK_BACKWARD_10S, true, 0},
                               {ID_PLAY_PREVIOUS, false, 0},
                               {ID_PLAY_NEXT, true, 0},
                               {ID_ZOOM_50, true, 0}});
    EXPECT_STREQ(L"Pause\tCtrl+P", Query(ID_PLAY_PLAY).m_strText);
    EXPECT_STREQ(L"Pause", Query(ID_PLAY_PLAY_DROPBOX).m_strText);
    CString title;
    m_pFrame->GetWindowText(title);
    EXPECT_STREQ(L"a.mp4 - 1/3", title);
    CPlaylistItem* pFourth = new CPlaylistItem;
    pFourth->m_strPath = (*s_folder / L"c.mp4").c_str();
    g_pPlaylistCtrl->AddItem(pFourth);
    m_pFrame->SetPlaylistStatus(g_pPlaylistCtrl->GetStatusText(), FALSE);
    m_pFrame->GetWindowText(title);
    EXPECT_STREQ(L"a.mp4 - 1/4", title) << "the count follows rows added while it plays";

    Command(ID_PLAY_PLAY);
    ASSERT_TRUE(PumpUntil([&] { return Display().IsPaused(); }, kTestWaitMs));
    verify("paused", {{ID_PLAY_STOP, true, 0}, {ID_SEEK_FORWARD_1MIN, true, 0}, {ID_PLAY_NEXT, true, 0}});
    EXPECT_STREQ(L"Play\tCtrl+P", Query(ID_PLAY_PLAY).m_strText);

    g_playerSettings.m_nRepeat = REPEAT_ALL;
    verify("repeat all wraps", {{ID_PLAY_PREVIOUS, true, 0}, {ID_REPEAT_ALL, true, 1}, {ID_REPEAT_CURRENT, true, 0}});

    Command(ID_PLAY_STOP);
    ASSERT_TRUE(WaitForThreadEnd());
    verify("stopped", {{ID_PLAY_STOP, false, 0}, {ID_SEEK_FORWARD_10S, false, 0}, {ID_PLAY_NEXT, false, 0}});
}

TEST_F(PlayerFrame, VolumeZoomAndMuteCommandsActOnTheSession)
{
    VideoDisplayWnd& display = Display();
    display.SetVolume(100);
    EXPECT_FALSE(Query(ID_VOLUME_UP).m_bEnabled) << "at 100";
    Command(ID_VOLUME_DOWN);
    EXPECT_EQ(90, display.GetVolume());
    EXPECT_EQ(90, g_pControlBar->GetVolumeSlider()->GetPos()) << "the slider follows";
    Command(ID_VOLUME_25);
    EXPECT_EQ(25, display.GetVolume());
    display.SetVolume(0);
    EXPECT_FALSE(Query(ID_VOLUME_DOWN).m_bEnabled) << "at 0";
    EXPECT_TRUE(Query(ID_VOLUME_UP).m_bEnabled);

    EXPECT_EQ(0, Query(ID_VOLUME_MUTE).m_nCheck);
    Command(ID_VOLUME_MUTE);
    EXPECT_EQ(1, display.GetMute());
    EXPECT_EQ(1, Query(ID_VOLUME_MUTE).m_nCheck);

    Command(ID_ZOOM_FIT);
    EXPECT_EQ(0, display.GetZoomRatio());
    EXPECT_EQ(1, Query(ID_ZOOM_FIT).m_nCheck);
    EXPECT_EQ(0, Query(ID_ZOOM_100).m_nCheck);
    Command(ID_ZOOM_TOGGLE);
    EXPECT_EQ(100, display.GetZoomRatio());
    Command(ID_ZOOM_TOGGLE);
    EXPECT_EQ(0, display.GetZoomRatio());

    // The session's values are the settings' again when the window goes.
    display.SetVolume(40);
    m_pFrame->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    EXPECT_EQ(40, g_playerSettings.m_nVolume);
    EXPECT_EQ(1, g_playerSettings.m_bMute);
    EXPECT_EQ(0, g_playerSettings.m_nZoomRatio);
}

TEST_F(PlayerFrame, RepeatAndAfterPlaybackTogglesOfTheApplication)
{
    struct Case {
        const char* name;
        int before;
        UINT command;
        int after;
    } cases[] = {
        {"repeat all from current", REPEAT_CURRENT, ID_REPEAT_ALL, REPEAT_ALL},
        {"repeat all again turns it off", REPEAT_ALL, ID_REPEAT_ALL, REPEAT_OFF},
        {"repeat current from all", REPEAT_ALL, ID_REPEAT_CURRENT, REPEAT_CURRENT},
        {"repeat current again turns it off", REPEAT_CURRENT, ID_REPEAT_CURRENT, REPEAT_OFF},
    };
    for (const Case& c : cases) {
        g_playerSettings.m_nRepeat = c.before;
        Command(c.command);
        EXPECT_EQ(c.after, g_playerSettings.m_nRepeat) << c.name;
        EXPECT_FALSE(Query(ID_REPEAT_ALL).m_nCheck && Query(ID_REPEAT_CURRENT).m_nCheck) << c.name;
    }
    Command(ID_AFTER_SHUTDOWN);
    EXPECT_EQ(1, g_playerSettings.m_bShutDownAfterPlayback);
    EXPECT_EQ(1, Query(ID_AFTER_SHUTDOWN).m_nCheck);
    Command(ID_AFTER_CLOSE_WINDOW);
    EXPECT_EQ(1, g_playerSettings.m_bAutoCloseApp);
    Command(ID_AFTER_CLOSE_WINDOW);
    EXPECT_EQ(0, Query(ID_AFTER_CLOSE_WINDOW).m_nCheck);
}

// What the end of a playback leads to, by how it ended: only a natural end without a next item
// and the user's Stop run the after-playback action.
TEST_F(PlayerFrame, AfterPlaybackActionsOnlyAfterTheLastItemOrTheUsersStop)
{
    AddThreeItems();
    g_playerSettings.m_bShutDownAfterPlayback = 1;

    ASSERT_TRUE(PlayRow(0));
    Command(ID_PLAY_NEXT);
    ASSERT_TRUE(PumpUntil([&] { return Display().IsPlaying() && Current() == 1; }, kTestWaitMs));
    EXPECT_EQ(0, g_nShutdowns) << "Next stops the item to play another";

    ASSERT_TRUE(PlayRow(2));
    EXPECT_EQ(0, g_nShutdowns) << "playing another row stops the item";

    Command(ID_PLAY_STOP);
    ASSERT_TRUE(WaitForThreadEnd());
    EXPECT_EQ(1, g_nShutdowns) << "the user's Stop";

    // Short media: the first row ends by itself and the second follows; after the last one the
    // action runs.
    UseFakeMode(L"", L"300");
    g_nShutdowns = 0;
    ASSERT_TRUE(PlayRow(1));
    ASSERT_TRUE(PumpUntil([&] { return Current() == 2; }, kTestWaitMs)) << "the next item follows a natural end";
    EXPECT_EQ(0, g_nShutdowns);
    ASSERT_TRUE(PumpUntil([&] { return g_nShutdowns == 1; }, kTestWaitMs)) << "the last item's end";
}

TEST_F(PlayerFrame, ClosingWhilePlayingRunsNoAfterPlaybackAction)
{
    AddThreeItems();
    g_playerSettings.m_bShutDownAfterPlayback = 1;
    ASSERT_TRUE(PlayRow(1));
    CloseFrame();
    EXPECT_EQ(0, g_nShutdowns);
}

// The default playlist saved at the close names the row playing then as the one to resume;
// a row whose playback was over by then is none.
TEST_F(PlayerFrame, TheDefaultPlaylistSavedAtTheCloseResumesTheRowPlayingThen)
{
    struct Case {
        const char* name;
        int played;  // -1 none
        UINT ending;  // a command that ends the playback before the close, 0 none
        int lastItem;
    } cases[] = {
        {"the second row plays", 1, 0, 1},
        {"the third row is paused", 2, ID_PLAY_PLAY, 2},
        {"nothing played", -1, 0, -1},
        {"the second row was stopped", 1, ID_PLAY_STOP, -1},
    };
    CString saved = g_playerSettings.GetDefaultPlaylistPath();
    for (const Case& c : cases) {
        if (!m_pFrame) {
            g_playerSettings.m_bLoadLastPlaylist = 0;
            ASSERT_NO_FATAL_FAILURE(OpenFrame());
        }
        g_playerSettings.m_bLoadLastPlaylist = 1;
        AddThreeItems();
        if (c.played >= 0)
            ASSERT_TRUE(PlayRow(c.played)) << c.name;
        if (c.ending)
            Command(c.ending);
        CloseFrame();
        CPlaylistData data(TRUE);
        std::unique_ptr<CPlaylistFormat> pFormat(CreatePlaylistFormat(saved));
        ASSERT_EQ(0, pFormat->Read(saved, data)) << c.name;
        EXPECT_EQ(3, data.m_items.GetSize()) << c.name;
        EXPECT_EQ(c.lastItem, data.m_nLastItem) << c.name;
        DeleteFileW(saved);
    }
}

// The bar shows what the session does, whichever way the command came.
TEST_F(PlayerFrame, TheControlBarFollowsPlayPauseAndStopFromTheMenu)
{
    UseFakeMode(L"", L"600000");
    AddThreeItems();
    CBarButtonItem* pPlay = g_pControlBar->GetButton(PlayerControlBar::ItemPlay);
    CTimeLabelItem* pTime = g_pControlBar->GetTimeLabel();
    CSeekSliderItem* pSeek = g_pControlBar->GetSeekSlider();
    auto shows = [&](CImageList* pImages, int nDuration) {
        return pPlay->m_pImages == pImages && pTime->m_nDuration == nDuration &&
               pSeek->IsDisabled() == (nDuration == 0) &&
               pTime->m_nPosition == static_cast<int>(Display().m_status.PositionInUs / 1000);
    };
    ASSERT_TRUE(shows(&g_pControlBar->m_playImages, 0)) << "nothing plays";

    Command(ID_PLAY_PLAY);
    ASSERT_TRUE(PumpUntil([&] { return Display().IsPlaying(); }, kTestWaitMs));
    EXPECT_TRUE(shows(&g_pControlBar->m_pauseImages, 600000)) << "playing";
    EXPECT_TRUE(PumpUntil([&] { return pTime->m_nPosition > 0; }, kTestWaitMs)) << "the position moves on";
    Command(ID_PLAY_PLAY);
    ASSERT_TRUE(PumpUntil([&] { return Display().IsPaused(); }, kTestWaitMs));
    EXPECT_TRUE(shows(&g_pControlBar->m_playImages, 600000)) << "paused";
    EXPECT_GT(pSeek->GetPos(), 0);
    Command(ID_PLAY_PLAY);
    ASSERT_TRUE(PumpUntil([&] { return Display().IsPlaying(); }, kTestWaitMs));
    EXPECT_TRUE(shows(&g_pControlBar->m_pauseImages, 600000)) << "playing again";
    Command(ID_PLAY_STOP);
    ASSERT_TRUE(WaitForThreadEnd());
    PumpMessages();
    EXPECT_EQ(&g_pControlBar->m_playImages, pPlay->m_pImages) << "stopped";
    EXPECT_EQ(0, pTime->m_nDuration);
    EXPECT_EQ(0, pTime->m_nPosition);
    EXPECT_TRUE(pSeek->IsDisabled());
}

TEST_F(PlayerFrame, DecidesTheEndByHowThePlaybackEnded)
{
    class Probe : public VideoDisplayWnd {
    public:
        void End(int nState, int nReason)
        {
            m_nState = nState;
            m_nEndReason = nReason;
        }
    };
    struct Case {
        const char* name;
        int state, reason;
        int closing, userStop;
        bool next;
        int shutDown, autoClose;
        VideoDisplayWnd::EndAction expected;
    } cases[] = {
        {"natural end, next item", PLAYER_STATE_FINISHED, PLAYER_END_COMPLETED, 0, 0, true, 1, 1,
         VideoDisplayWnd::EndPlayNext},
        {"natural end, last item", PLAYER_STATE_FINISHED, PLAYER_END_COMPLETED, 0, 0, false, 0, 0,
         VideoDisplayWnd::EndShowPlaylist},
        {"shut down wins over closing", PLAYER_STATE_FINISHED, PLAYER_END_COMPLETED, 0, 0, false, 1, 1,
         VideoDisplayWnd::EndShutDown},
        {"close after the last item", PLAYER_STATE_FINISHED, PLAYER_END_COMPLETED, 0, 0, false, 0, 1,
         VideoDisplayWnd::EndCloseWindow},
        {"user stop never advances", PLAYER_STATE_FINISHED, PLAYER_END_STOPPED, 1, 1, true, 0, 1,
         VideoDisplayWnd::EndCloseWindow},
        {"the player's own stop", PLAYER_STATE_FINISHED, PLAYER_END_STOPPED, 1, 0, true, 1, 1,
         VideoDisplayWnd::EndNothing},
        {"a failed run", PLAYER_STATE_FINISHED, 0, 0, 0, true, 1, 1, VideoDisplayWnd::EndReportFailure},
        {"the tool stopped on its own", PLAYER_STATE_FINISHED, PLAYER_END_STOPPED, 0, 0, true, 1, 1,
         VideoDisplayWnd::EndShowPlaylist},
    };
    for (const Case& c : cases) {
        Probe probe;
        probe.End(c.state, c.reason);
        probe.m_nClosing = c.closing;
        probe.m_bUserStop = c.userStop;
        g_playerSettings.m_bShutDownAfterPlayback = c.shutDown;
        g_playerSettings.m_bAutoCloseApp = c.autoClose;
        EXPECT_EQ(c.expected, probe.DecideEndAction(c.next)) << c.name;
    }
}

TEST_F(PlayerFrame, AFailedRunShowsThePlaylistAndSaysWhy)
{
    AddThreeItems();
    g_playerSettings.m_bShutDownAfterPlayback = 1;
    m_pFrame->ShowPane(PANE_DISPLAY);
    ClipRunnerPath = (*s_folder / L"missing\\ClipRunner.exe").c_str();
    ASSERT_EQ(0, Display().PlayItem(Item(0), 0));
    ASSERT_TRUE(WaitForThreadEnd());
    EXPECT_EQ(PANE_PLAYLIST, m_pFrame->GetShownPane());
    EXPECT_NE(-1, m_pFrame->GetMenuBar().GetText().Find(L"ClipRunner.exe is missing"))
        << static_cast<LPCWSTR>(m_pFrame->GetMenuBar().GetText());
    EXPECT_EQ(0, g_nShutdowns) << "a failure is no end of playback";
    EXPECT_EQ(0, Current()) << "and does not move on";

    ClipRunnerPath = BesideThisProgram(L"FakeClipRunner.exe").c_str();
    UseFakeMode(L"silent");
    m_pFrame->ShowPane(PANE_DISPLAY);
    ASSERT_EQ(0, Display().PlayItem(Item(1), 0));
    ASSERT_TRUE(WaitForThreadEnd());
    EXPECT_EQ(PANE_PLAYLIST, m_pFrame->GetShownPane());
    EXPECT_STREQ(L"Cannot play \"b.mp4\".", m_pFrame->GetMenuBar().GetText());
}

TEST_F(PlayerFrame, RecentEntriesReopenAndOnlyThoseThatCannotOpenLeave)
{
    std::wstring clip = *s_folder / L"a.mp4";
    g_playerHistory.m_recentFiles.Add((*s_folder / L"gone.mp4").c_str());
    g_playerHistory.m_recentFiles.Add(L"http://127.0.0.1:9/stream.mp4");
    g_playerHistory.m_recentFiles.Add(clip.c_str());
    // Most recent first: the clip, the URL, the missing file.
    ASSERT_EQ(3, g_playerHistory.m_recentFiles.GetCount());

    theApp.OpenRecentEntry(1);
    EXPECT_EQ(3, g_playerHistory.m_recentFiles.GetCount()) << "a URL is kept";
    EXPECT_EQ(0, g_pPlaylistCtrl->m_nPendingPlayIndex) << "and opened in the playlist";

    theApp.OpenRecentEntry(0);
    EXPECT_EQ(3, g_playerHistory.m_recentFiles.GetCount()) << "an existing file is kept";

    {
        MessageBoxCloser closer(m_pFrame->m_hWnd);
        theApp.OpenRecentEntry(2);
        EXPECT_NE(-1, closer.Text().Find(L"gone.mp4")) << "the user hears why";
    }
    ASSERT_EQ(2, g_playerHistory.m_recentFiles.GetCount()) << "a missing file leaves the list";
    EXPECT_STREQ(L"http://127.0.0.1:9/stream.mp4", g_playerHistory.m_recentFiles.GetAt(1));
}

TEST_F(PlayerFrame, TheCaptionFollowsThePlayingRowWhenItMoves)
{
    AddThreeItems();
    ASSERT_TRUE(PlayRow(0));
    ASSERT_EQ(0, g_pPlaylistCtrl->MoveItem(0, 2, TRUE)) << "as a drag or Move Down does";
    CString title;
    m_pFrame->GetWindowText(title);
    EXPECT_STREQ(L"a.mp4 - 3/3", title);
}

// At start-up the default playlist fills the list during the first update, before the frame
// shows.
TEST_F(PlayerFrame, RowsAddedWhileTheFrameIsHiddenHideTheStartPanel)
{
    m_pFrame->ShowWindow(SW_HIDE);
    AddThreeItems();
    m_pFrame->ShowWindow(SW_SHOWNORMAL);
    EXPECT_FALSE(m_pFrame->m_startPanel.IsWindowVisible());
    EXPECT_TRUE(m_pFrame->m_container.IsWindowVisible());
}

TEST_F(PlayerFrame, PlaylistCommandsReachThePlaylistFromTheDisplayView)
{
    AddThreeItems();
    m_pFrame->ShowPane(PANE_DISPLAY);
    m_pFrame->SetActiveView(g_pPlayView);
    ASSERT_EQ(static_cast<CView*>(g_pPlayView), m_pFrame->GetActiveView());
    EXPECT_TRUE(Query(ID_PLAYLIST_SELECT_ALL).m_bEnabled);
    Command(ID_PLAYLIST_SELECT_ALL);
    EXPECT_EQ(3, g_pPlaylistCtrl->GetSelectedCount());
}

TEST_F(PlayerFrame, PlayWithAnEmptyPlaylistAsksForFiles)
{
    Command(ID_PLAY_PLAY);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, g_pPlaylistView->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(static_cast<WPARAM>(ID_FILE_OPEN_FILES), msg.wParam);
    EXPECT_FALSE(Display().m_pPlayThread);
}

TEST_F(PlayerFrame, DockingShowsBothPanesAndHidesTheSwitchButton)
{
    AddThreeItems();
    ASSERT_TRUE(m_pFrame->IsOnePaneMode());
    Command(ID_VIEW_DOCK_PLAYLIST);
    EXPECT_FALSE(m_pFrame->IsOnePaneMode());
    EXPECT_EQ(1, Query(ID_VIEW_DOCK_PLAYLIST).m_nCheck);
    EXPECT_TRUE(g_pPlayView->IsWindowVisible());
    EXPECT_TRUE(g_pPlaylistView->IsWindowVisible());
    EXPECT_TRUE(g_pControlBar->GetButton(PlayerControlBar::ItemSwitch)->IsHidden());
    Command(ID_VIEW_DOCK_PLAYLIST);
    EXPECT_TRUE(m_pFrame->IsOnePaneMode());
    EXPECT_FALSE(g_pControlBar->GetButton(PlayerControlBar::ItemSwitch)->IsHidden());
}

TEST_F(PlayerFrame, TheStartPanelShowsWhileThePlaylistIsEmptyAndKeepsTheMenuBar)
{
    EXPECT_TRUE(m_pFrame->m_startPanel.IsWindowVisible());
    EXPECT_FALSE(m_pFrame->m_container.IsWindowVisible());
    Command(ID_VIEW_SWITCH);
    EXPECT_TRUE(m_pFrame->GetMenuBar().IsWindowVisible()) << "F6 on the start panel";
    AddThreeItems();
    EXPECT_FALSE(m_pFrame->m_startPanel.IsWindowVisible());
    EXPECT_TRUE(m_pFrame->m_container.IsWindowVisible());
    EXPECT_FALSE(m_pFrame->GetMenuBar().IsWindowVisible()) << "the display pane shows alone";
    m_pFrame->m_startPanel.SendMessage(WM_COMMAND, IDW_START_BUTTON);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, m_pFrame->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(static_cast<WPARAM>(ID_FILE_OPEN_FILES), msg.wParam) << "the start button asks for files";
}

TEST_F(PlayerFrame, SwitchViewAlternatesThePanesAndTheMenuBar)
{
    AddThreeItems();
    ASSERT_EQ(PANE_PLAYLIST, m_pFrame->GetShownPane());
    Command(ID_VIEW_SWITCH);
    EXPECT_EQ(PANE_DISPLAY, m_pFrame->GetShownPane());
    EXPECT_FALSE(m_pFrame->GetMenuBar().IsWindowVisible()) << "the video shows without the menu bar";
    Command(ID_VIEW_SWITCH);
    EXPECT_EQ(PANE_PLAYLIST, m_pFrame->GetShownPane());
    EXPECT_TRUE(m_pFrame->GetMenuBar().IsWindowVisible());
}

TEST_F(PlayerFrame, FullScreenCoversTheScreenAndEscapeLeavesIt)
{
    CRect before;
    m_pFrame->GetWindowRect(&before);
    Command(ID_VIEW_FULL_SCREEN);
    EXPECT_EQ(FULL_SCREEN_ON, m_pFrame->m_nFullScreenState);
    EXPECT_EQ(1, Query(ID_VIEW_FULL_SCREEN).m_nCheck);
    CRect client;
    m_pFrame->GetClientRect(&client);
    m_pFrame->ClientToScreen(&client);
    // The menu bar and the control bar lie off the screen; the client area covers it.
    EXPECT_EQ(-m_pFrame->m_margins.top, client.top);
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), client.right);
    EXPECT_EQ(::GetSystemMetrics(SM_CYSCREEN) + m_pFrame->m_margins.bottom, client.bottom);

    MSG escape = {m_pFrame->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0};
    EXPECT_TRUE(m_pFrame->PreTranslateMessage(&escape));
    EXPECT_EQ(FULL_SCREEN_OFF, m_pFrame->m_nFullScreenState);
    CRect after;
    m_pFrame->GetWindowRect(&after);
    EXPECT_EQ(before, after);
    EXPECT_FALSE(m_pFrame->PreTranslateMessage(&escape)) << "outside full screen Escape is not taken";
}

TEST_F(PlayerFrame, ClosingInFullScreenStoresTheNormalPlacement)
{
    CRect normal;
    m_pFrame->GetWindowRect(&normal);
    m_pFrame->ToggleFullScreen();
    ASSERT_EQ(FULL_SCREEN_ON, m_pFrame->m_nFullScreenState);
    m_pFrame->SendMessage(WM_CLOSE);
    theApp.m_pMainWnd = nullptr;
    EXPECT_EQ(normal.left, g_playerSettings.m_nMainWindowLeft);
    EXPECT_EQ(normal.top, g_playerSettings.m_nMainWindowTop);
    EXPECT_EQ(normal.Width(), g_playerSettings.m_nMainWindowWidth);
    EXPECT_EQ(normal.Height(), g_playerSettings.m_nMainWindowHeight);
}

TEST_F(PlayerFrame, ClosingInFullScreenAfterMaximizedStoresMaximized)
{
    m_pFrame->ShowWindow(SW_MAXIMIZE);
    m_pFrame->ToggleFullScreen();
    m_pFrame->SendMessage(WM_CLOSE);
    theApp.m_pMainWnd = nullptr;
    EXPECT_EQ(-1, g_playerSettings.m_nMainWindowLeft);
    EXPECT_EQ(-1, g_playerSettings.m_nMainWindowWidth);
}

}  // namespace
