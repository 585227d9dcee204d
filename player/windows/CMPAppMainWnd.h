// The player's main-window layer: the two-pane view container, the start panel shown in its
// place while the playlist is empty, the control bar along the bottom, the system-menu items
// Full Screen and Transparent after its base's Always On Top, and the closing sequence (the item playing is
// closed as interrupted, so that it can resume next time).
#pragma once
#include "player/windows/CFullScreenMainWnd.h"
#include "player/windows/CStartPanelWnd.h"
#include "player/windows/PlayerControlBar.h"
#include "player/windows/PlayerWindows.h"
#include "player/windows/SplitPaneWnd.h"

class CMPAppMainWnd : public CFullScreenMainWnd, public CPlayerMainWindow {
    DECLARE_DYNCREATE(CMPAppMainWnd)
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void ToggleFullScreen() override;

    void SetTranslucent(BOOL bOn);
    // The start panel in the container's place (TRUE), or the container again.
    void ShowStartPanel(BOOL bShow);

    // What the player's parts ask of the main window.
    void ShowPane(int nPane) override;
    int GetShownPane() const override;
    BOOL IsOnePaneMode() const override;
    void HideMenuBar(BOOL bHide) override;
    void SetStatusText(LPCWSTR pszText) override;
    void SetPlaylistStatus(LPCWSTR pszText, BOOL bEmpty) override;

    SplitPaneWnd m_container;
    CStartPanelWnd m_startPanel;
    PlayerControlBar m_controlBar;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnClose();
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    void OnAlwaysOnTop();
    void OnUpdateAlwaysOnTop(CCmdUI* pCmdUI);
    void OnTransparent();
    void OnUpdateTransparent(CCmdUI* pCmdUI);
    void OnFullScreen();
    void OnUpdateFullScreen(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    void AddSystemMenuItems();
};
