// The playlist control in a window of its own, to look at under Xvfb (scripts/screenshots
// playlist-demo ...): the files and folders named on the command line are opened as the player
// opens them, the first plays with the real playback tool, and the line above the playlist
// (child 900) shows the playlist's status. F2 switches between grid and list; the context menu's commands that the
// control handles itself (view mode, play, delete, select all) work here too.
#include "classlib/AfxMessageMap.h"
#include "classlib/CStatic.h"
#include "classlib/CWinApp.h"
#include "framework/system/AppFolders.h"
#include "framework/system/PathHelpers.h"
#include "mediatools/MediaToolLocation.h"
#include "player/playback/CItemVideoWnd.h"
#include "player/CPlayerSettings.h"
#include "player/CPlayerUIResources.h"
#include "player/playlist/CPlaylistCtrl.h"
#include "player/windows/PlayerWindows.h"
#include "player/res/PlayerResources.h"
#include <shellapi.h>

namespace {

const UINT kStatusId = 900;
const int kStatusHeight = 22;

// The display window as far as the demo needs it: the row of what plays is redrawn when its
// state changes.
class CDemoVideoWnd : public CItemVideoWnd {
public:
    void OnPlaybackStateChanged() override
    {
        CItemVideoWnd::OnPlaybackStateChanged();
        if (g_pPlaylistCtrl)
            g_pPlaylistCtrl->RedrawItem(m_pCurrentItem);
    }
    void RedrawItem(CPlaylistItem* pItem) override
    {
        if (g_pPlaylistCtrl)
            g_pPlaylistCtrl->RedrawItem(pItem);
    }
};

class CDemoWnd : public CWnd, public CPlayerMainWindow {
public:
    BOOL CreateDemo()
    {
        return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW)), L"Playlist Demo",
                        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 20, 20, 900, 620, nullptr, nullptr);
    }

    void ShowPane(int nPane) override {}
    int GetShownPane() const override { return PANE_PLAYLIST; }
    BOOL IsOnePaneMode() const override { return TRUE; }
    void HideMenuBar(BOOL bHide) override {}
    void SetStatusText(LPCWSTR pszText) override { m_status.SetWindowText(pszText); }
    void SetPlaylistStatus(LPCWSTR pszText, BOOL bEmpty) override { SetStatusText(bEmpty ? L"empty" : pszText); }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F2) {
            m_playlist.SetViewMode(m_playlist.GetViewMode() == PLAYLIST_VIEW_GRID ? PLAYLIST_VIEW_LIST : PLAYLIST_VIEW_GRID);
            return TRUE;
        }
        return CWnd::PreTranslateMessage(pMsg);
    }

    CPlaylistCtrl m_playlist;
    CDemoVideoWnd m_video;
    CStatic m_status;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        if (!m_status.Create(L"empty", WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE, CRect(0, 0, 0, 0), this, kStatusId) ||
            !m_playlist.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 0, 0), this, IDW_PLAYLIST_CTRL) ||
            !m_video.Create(WS_CHILD, CRect(0, 0, 0, 0), this, IDW_VIDEO_DISPLAY))
            return -1;
        g_pPlaylistCtrl = &m_playlist;
        g_pVideoWnd = &m_video;
        g_pPlayerMainWindow = this;
        return 0;
    }
    void OnSize(UINT nType, int cx, int cy)
    {
        if (!m_playlist.m_hWnd || cx <= 0 || cy <= 0)
            return;
        m_status.MoveWindow(0, 0, cx, kStatusHeight);
        m_playlist.MoveWindow(0, kStatusHeight, cx, cy - kStatusHeight);
    }
    void OnSetFocus(CWnd*) { m_playlist.SetFocus(); }
    void OnDestroy()
    {
        g_pPlayerMainWindow = nullptr;
        CWnd::OnDestroy();
    }
    void OnNcDestroy()
    {
        CWnd::OnNcDestroy();
        g_pPlaylistCtrl = nullptr;
        g_pVideoWnd = nullptr;
        PostQuitMessage(0);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        int nSelected = m_playlist.GetNextSelectedItem(0);
        switch (LOWORD(wParam)) {
        case ID_PLAYLIST_GRID_VIEW: m_playlist.SetViewMode(PLAYLIST_VIEW_GRID); return TRUE;
        case ID_PLAYLIST_LIST_VIEW: m_playlist.SetViewMode(PLAYLIST_VIEW_LIST); return TRUE;
        case ID_PLAYLIST_PLAY: m_playlist.PlayIndex(nSelected, PLACEMENT_PLAYLIST); return TRUE;
        case ID_PLAYLIST_DELETE: m_playlist.DeleteSelected(); return TRUE;
        case ID_PLAYLIST_DELETE_ALL: m_playlist.DeleteAll(); return TRUE;
        case ID_PLAYLIST_SELECT_ALL: m_playlist.SelectAllItems(TRUE); return TRUE;
        }
        return CWnd::OnCommand(wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

class CPlaylistDemoApp : public CWinApp {
public:
    CPlaylistDemoApp() : CWinApp(L"Playlist Demo") {}

    BOOL InitInstance() override
    {
        g_playerSettings.m_bLoadLastPlaylist = 0;
        g_playerUIResources.Load();
        // The demo sits in build/tests, the tools in build/bin/Components.
        LocateMediaTools(GetFolderOfPath(GetModulePath()) + L"\\..\\bin\\Components");
        m_pDemo = new CDemoWnd;
        if (!m_pDemo->CreateDemo())
            return FALSE;
        m_pMainWnd = m_pDemo;
        CStringArray paths;
        int argc = 0;
        LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
        for (int i = 1; argv && i < argc; ++i)
            paths.Add(argv[i]);
        LocalFree(argv);
        m_pDemo->m_playlist.OpenPaths(paths, PENDING_DECIDE, L"", 1);
        return TRUE;
    }
    int ExitInstance() override
    {
        delete m_pDemo;
        return CWinApp::ExitInstance();
    }

    CDemoWnd* m_pDemo = nullptr;
};

CPlaylistDemoApp theApp;

}  // namespace
