// What the framework reads of the program it runs in, and the few choices it hands back to the
// program's settings object. Each program hands one to SetAppSettings at start-up, so the
// framework never includes a program's own code. Used on the window thread.
//
// Start-up and exit wiring that each program's application object does:
//
//   InitInstance, in this order, before the main window is made:
//     1. SetAppSettings(&theSettings) once its settings are loaded (the main window's
//        PreCreateWindow reads the placement below, the About box and the update dialogs the
//        texts).
//     2. SetAppFontSet / SetAppHandCursor with its own drawing resources
//        (framework/controls/AppUiResources.h); without them the framework's own are used.
//     3. SetUpdateCheckUI(&theUpdateDialogs): a CUpdateDialogsUI
//        (framework/dialogs/UpdateDialogs.h), an object that lives as long as the program;
//        without it checks run silently.
//     4. At the end of start-up, when AutoCheckUpdate is on: PostMessage(WM_CHECK_FOR_UPDATES,
//        0, 1) to the main window (a CAppMainWnd starts the automatic check).
//   ExitInstance, before the settings are saved (SaveAppProfile):
//     1. EndUpdateChecks(timeout) (framework/net/UpdateCheck.h): cancels running checks and
//        posts WM_CLOSE to their windows; dialogs 521 and 527 end on WM_CLOSE as on Cancel,
//        and the checks' "check automatically" choices reach SetAutoCheckUpdate.
//     2. The settings are saved (the main window's placement was stored by its WM_DESTROY).
//     3. SetUpdateCheckUI(nullptr), SetAppFontSet(nullptr), SetAppHandCursor(nullptr),
//        FreeAppUiResources(), and last SetAppSettings(nullptr).
//   The shell allocator and desktop folder of the folder dialog are the
//   framework's own: made on first use, released when the process ends; no program step.
#pragma once
#include "classlib/CString.h"

// The main window's last normal position and size, persisted by the program's
// settings object (player: "MainWindow.Left", "MainWindow.Top", "MainWindow.Width",
// "MainWindow.Height"). -1 in left or top means no position is saved; a width or height of 0
// or less is ignored when the window is made.
struct CMainWindowPlacement {
    int nLeft = -1;
    int nTop = -1;
    int nWidth = -1;
    int nHeight = -1;
};

class IAppSettings {
public:
    virtual ~IAppSettings() = default;
    virtual CString GetVersionText() const = 0;         // "7.3.0"
    virtual CString GetSupportMailAddress() const = 0;  // the maker's support mailbox
    virtual CString GetProductName() const = 0;         // shown to the user: "Kavri Video Player"
    virtual CString GetUpdateManifestUrl() const = 0;
    virtual CString GetProductPageUrl() const = 0;
    // The maker's web site (an https:// home page), shown and opened by the About box.
    virtual CString GetWebSiteUrl() const = 0;

    // "AutoCheckUpdate": 1 checks for updates at start-up; the update dialogs may change it.
    virtual int GetAutoCheckUpdate() const = 0;
    virtual void SetAutoCheckUpdate(int nValue) = 0;
    virtual int GetAutoCheckUpdateDays() const = 0;  // "AutoCheckUpdateDays"

    // Read when the main window is made, written when it is destroyed (CAppMainWnd).
    virtual CMainWindowPlacement GetMainWindowPlacement() const = 0;
    virtual void SetMainWindowPlacement(const CMainWindowPlacement& placement) = 0;

    // "AlwaysOnTop": the main window stays above the others (CAppMainWnd's system-menu item).
    // A program that keeps no such choice leaves these as they are.
    virtual int GetAlwaysOnTop() const { return 0; }
    virtual void SetAlwaysOnTop(int) {}
    // Writes the settings and the program's recent lists, as at the end of a Windows session:
    // false when a value could not be written (the others still are).
    virtual bool SaveProfile() { return true; }
};

// The object stays the caller's; null (the state before start-up) unsets it.
void SetAppSettings(IAppSettings* pSettings);
IAppSettings* GetAppSettings();

// Saves the program's settings and recent lists (SaveProfile) and, when a value could not be
// written, tells the user so in a message box owned by hWndOwner (null: no owner). True when
// everything was written, or when no settings are set.
bool SaveAppProfile(HWND hWndOwner);
