// The player's application object: the start-up sequence (settings, file types, tools, the
// document template, the ".playlist" type, the files of the command line), the exit that saves
// what the user set, and the program-wide commands of the Help, Tools, After Playback and
// repeat menus and of the recent-files list. One global object, in the program's own file.
#pragma once
#include "classlib/CWinApp.h"
#include "mediatools/MediaToolLocation.h"

class PlayerCommandLineInfo;

class CPlayerApp : public CWinApp {
public:
    CPlayerApp();
    ~CPlayerApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL OnIdle(LONG lCount) override;
    virtual void RegisterPlaylistFileType(BOOL bRegister);
    // The library's shell command with the files handed to the playlist instead: they replace
    // it, and the first one plays. FALSE when no main window could be made.
    BOOL ProcessShellCommand(PlayerCommandLineInfo& info);
    // A recent entry: a URL goes to the playlist as a URL, a file opens as the document; an
    // entry that does not open leaves the list.
    void OpenRecentEntry(int nIndex);

    bool m_bStarted = false;  // the loaders ran: the exit saves
    // The hidden start of the first tool, after the first paint; the exit waits for it.
    MediaToolWarmUp m_toolWarmUp;

protected:
    void OnAbout();
    void OnSettings();
    void OnWebSite();
    void OnEmailUs();
    void OnStartConversionTool();
    void OnCloseThisWindow();
    void OnUpdateCloseThisWindow(CCmdUI* pCmdUI);
    void OnShutdownThisComputer();
    void OnUpdateShutdownThisComputer(CCmdUI* pCmdUI);
    void OnRepeatAll();
    void OnUpdateRepeatAll(CCmdUI* pCmdUI);
    void OnRepeatCurrentItem();
    void OnUpdateRepeatCurrentItem(CCmdUI* pCmdUI);
    void OnCheckForUpdates();
    void OnClearRecentFileList();
    void OnUpdateClearRecentFileList(CCmdUI* pCmdUI);
    void OnOpenRecentFile(UINT nID);
    void OnUpdateRecentFile(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    int LoadStartupData();
    int SetUpTools();
};
