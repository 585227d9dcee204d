// The player's frame window: the commands of playback, seeking, volume, zoom, previous and
// next, the pane layout and the control bar, all on the session of the one display window.
// Commands that the active view and the frame leave unhandled go to the playlist view too, so
// that the playlist's commands work while the display view is active.
#pragma once
#include "player/windows/CMPAppMainWnd.h"

class VideoDisplayWnd;

class CMainFrame : public CMPAppMainWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // The display window, null before the client area is made.
    VideoDisplayWnd* GetDisplayWnd() const;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnDropFiles(HDROP hDropInfo);
    void OnSysCommand(UINT nID, LPARAM lParam);

    void OnDockPlaylist();
    void OnUpdateDockPlaylist(CCmdUI* pCmdUI);
    void OnShowControlBar();
    void OnUpdateShowControlBar(CCmdUI* pCmdUI);
    void OnRestoreOrMinimize();
    void OnMute();
    void OnUpdateMute(CCmdUI* pCmdUI);
    void OnVolumeDown();
    void OnUpdateVolumeDown(CCmdUI* pCmdUI);
    void OnVolumeUp();
    void OnUpdateVolumeUp(CCmdUI* pCmdUI);
    void OnVolumePreset(UINT nID);
    void OnUpdateVolumePreset(CCmdUI* pCmdUI);
    void OnZoom(UINT nID);
    void OnUpdateZoom(CCmdUI* pCmdUI);
    void OnZoomToggle();
    void OnPrevious();
    void OnUpdatePrevious(CCmdUI* pCmdUI);
    void OnNext();
    void OnUpdateNext(CCmdUI* pCmdUI);
    void OnSeek(UINT nID);
    void OnUpdateSeek(CCmdUI* pCmdUI);
    void OnStop();
    void OnUpdateStop(CCmdUI* pCmdUI);
    void OnPlay();
    void OnUpdatePlay(CCmdUI* pCmdUI);
    void OnUpdatePlayDropBox(CCmdUI* pCmdUI);
    void OnSwitchView();
    DECLARE_MESSAGE_MAP()

private:
    void RefreshVolume();
};
