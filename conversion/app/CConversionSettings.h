// The conversion tool's settings: registry values under the application's key (section
// "Settings" and four page sections below it), what the framework reads of the program, and
// the Overwrite policy the engine consults before it asks about an existing output. The one
// object, theConversionSettings, lives on the window thread; a task thread only reads and sets
// the Overwrite policy.
#pragma once
#include "framework/system/CProductAppSettings.h"
#include <atomic>

// What a task page keeps of its output choices between runs.
struct CPageSettings {
    CString m_formatId;    // empty on the pages without a format choice
    CString m_presetName;
    int m_sameAsInput = 0;
    int m_deleteSourceFiles = 0;
};

class CConversionSettings : public CProductAppSettings {
public:
    CConversionSettings();

    // Reads every value, keeping the current one for a missing key. 0.
    int LoadSettings();
    // Writes every value: 0, or -1 when a value could not be written (the others still are).
    int SaveSettings();

    CMainWindowPlacement GetMainWindowPlacement() const override;
    void SetMainWindowPlacement(const CMainWindowPlacement& placement) override;
    int GetAlwaysOnTop() const override { return m_alwaysOnTop; }
    void SetAlwaysOnTop(int value) override { m_alwaysOnTop = value ? 1 : 0; }
    // SaveSettings, then the recent lists.
    bool SaveProfile() override;
    int GetAutoCheckUpdate() const override { return m_autoCheckUpdate; }
    void SetAutoCheckUpdate(int value) override { m_autoCheckUpdate = value ? 1 : 0; }
    int GetAutoCheckUpdateDays() const override { return m_autoCheckUpdateDays; }

    // The Overwrite setting: 0 ask, 11 new name, 12 overwrite, 13 skip for every file. Any
    // other value reads as 0, so an unknown stored number never decides for the user.
    int GetOverwritePolicy() const;
    void SetOverwritePolicy(int policy);

    // Whether the file-exists question closes itself; the question runs on a task's thread.
    int GetAutoCloseOverwriteDlg() const { return m_autoCloseOverwriteDlg.load(); }
    void SetAutoCloseOverwriteDlg(int value) { m_autoCloseOverwriteDlg.store(value ? 1 : 0); }

    // The task states' look: an index into the 24 x 24 state images (-1 none, -2 unknown
    // state) and the progress bar's colour for a colour code.
    static int GetStateIcon(int status);
    static COLORREF GetStateColour(int colourCode);

    int m_autoCheckUpdate = 1;
    int m_autoCheckUpdateDays = 1;
    int m_mainWindowLeft = -1;
    int m_mainWindowTop = -1;
    int m_mainWindowWidth = 0;
    int m_mainWindowHeight = 0;
    int m_alwaysOnTop = 0;
    int m_activePage = 0;
    int m_showStatusBar = 1;
    int m_lastFileFilterIndex = 0;
    CString m_lastFolder;
    int m_lastScanSubfolders = 0;
    CPageSettings m_mux;
    CPageSettings m_concatenate;
    CPageSettings m_extract;
    CPageSettings m_convert;

private:
    // Read by task threads while the window thread may change it.
    std::atomic<int> m_overwrite{0};
    std::atomic<int> m_autoCloseOverwriteDlg{0};
};

extern CConversionSettings theConversionSettings;
