// CAppMainWnd: the frame-window base of both programs' main windows. It keeps the
// window's last normal position and size in the placement values of the program's settings
// (IAppSettings::GetMainWindowPlacement / SetMainWindowPlacement): read once in PreCreateWindow,
// written once in WM_DESTROY; and it starts an update check on WM_CHECK_FOR_UPDATES
// (framework/controls/FrameworkMessages.h) with the settings' manifest address, version and
// interval ("AutoCheckUpdateDays"). Without settings (SetAppSettings not called) it does
// neither.
//
// The duties both programs share sit here as well: the system menu starts with "Always On Top"
// (IDM_SYS_ALWAYS_ON_TOP, the settings' AlwaysOnTop) and a separator; when Windows may end the
// session the settings and recent lists are saved (IAppSettings::SaveProfile), and a failed save
// is told to the user in a message box (SaveAppProfile); a colour change has the visual-style
// state detected again. Without settings the item toggles nothing and nothing is saved.
//
// The player's CAppMainWnd_VMB (the drawn menu bar) derives from it; the conversion
// tool's CMainFrame derives from it directly.
#pragma once
#include "classlib/CFrameWnd.h"

class CAppMainWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CAppMainWnd)
public:
    CAppMainWnd() = default;
    ~CAppMainWnd() override = default;

    // CFrameWnd's first (FALSE passes on); then a saved placement with left and top not -1 and
    // a positive width and height becomes the window's position and size.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Keeps the window above the others (or not) and stores the choice as AlwaysOnTop.
    void SetTopmost(BOOL bOn);

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // A window that is not iconic stores its placement: all -1 when maximized, else its window
    // rectangle when that has a positive width and height.
    void OnDestroy();
    void OnClose();
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    BOOL OnQueryEndSession();
    void OnSysColorChange();
    // wParam 0: StartUpdateCheck(..., lParam != 0 = automatic); other wParams do nothing. 0.
    LRESULT OnCheckForUpdates(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void AddAlwaysOnTopItem();
};
