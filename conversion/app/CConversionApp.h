// CConversionApp: the application object of the conversion tool. It loads the configuration,
// prepares the engine (tool folder, external tools, format table), opens the one empty
// document in the main frame and answers the main menu's application commands; at exit it
// writes the configuration back. The command line is not read.
#pragma once
#include "classlib/CWinApp.h"
#include "mediatools/MediaToolLocation.h"

class CConversionApp : public CWinApp {
public:
    CConversionApp();

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL OnIdle(LONG lCount) override;

    // Tool folder, tools and format table: 0, or -1 when the format table can't be built.
    static int InitEngine();

protected:
    void OnAppSettings();
    void OnCheckForUpdates();
    void OnEmailUs();
    void OnWebSite();
    void OnAppAbout();
    void OnStartPlayer();
    DECLARE_MESSAGE_MAP()

private:
    void ReportDamagedCatalogue();

    bool m_bStarted = false;  // the configuration was loaded, so exit saves it
    // The hidden start of the first tool, after the first paint; the exit waits for it.
    MediaToolWarmUp m_toolWarmUp;
};
