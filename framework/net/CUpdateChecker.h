// One update check: fetches the maker's manifest, compares its version with the running one,
// and shows the outcome through the dialogs of CUpdateCheckUI. Runs on the check's own thread
// (see UpdateCheck.h); the checking dialog runs Check on a second thread, and the two share the
// object without locks, so only m_nCancel is written while both run.
#pragma once
#include "classlib/CString.h"
#include "framework/system/StopFlag.h"

class CUpdateChecker {
public:
    enum State {
        StateUndecided = 0,
        StateOlder = 1,  // the manifest names an older version than the running one
        StateSame = 2,
        StateNewer = 3,
    };

    CUpdateChecker(LPCWSTR pszManifestUrl, LPCWSTR pszAppElement, LPCWSTR pszCurrentVersion, int nAutoCheck,
                   BOOL bAutomatic);
    CUpdateChecker(const CUpdateChecker&) = delete;
    CUpdateChecker& operator=(const CUpdateChecker&) = delete;

    // The whole check with its dialogs: 1 when cancelled or the download page was opened, else 0.
    int Run();
    // Fetch and compare, showing nothing: 0 with m_nState decided, -1 with m_nError -1.
    int Check();
    int DownloadAndParse();
    int DownloadManifest(CStringA& bytes);
    // The manifest's bytes as received; their encoding is the document's own (UTF-8 unless it
    // says otherwise). 0, or -1 leaving the fields as they were.
    int ParseUpdateXml(const CStringA& bytes);

    CString m_strManifestUrl;
    CString m_strAppElement;  // "Application"
    CString m_strCurrentVersion;
    CString m_strNewVersion;
    CString m_strDownloadUrl;  // only http:// or https:// addresses are taken
    CString m_strDescription;
    int m_nLevel = 0;
    int m_nAutoCheck;  // the dialogs' "check automatically" box; goes back to the settings
    BOOL m_bAutomatic;
    StopFlag m_nCancel{0};  // 2 = cancelled; also the HTTP client's cancel flag
    int m_nState = StateUndecided;
    int m_nError = 0;
};

// The dialogs of a check, provided by the window layer. Called on the check's thread.
class CUpdateCheckUI {
public:
    virtual ~CUpdateCheckUI() = default;
    // Manual check: the modal "Checking..." dialog, which runs checker.Check() on a thread of
    // its own and ends when that is done (setting m_nCancel to 2 when the user cancels).
    virtual void RunCheckingDialog(CUpdateChecker& checker) = 0;
    // A newer version: IDOK when the user chose "Download New Version".
    virtual INT_PTR ShowNewVersionDialog(CUpdateChecker& checker) = 0;
    // Opens the page in the user's browser (through ShellCalls(), so tests can record it).
    virtual void OpenDownloadPage(LPCWSTR pszUrl);
};

// Without an installed UI a check runs silently and announces nothing.
void SetUpdateCheckUI(CUpdateCheckUI* pUI);
CUpdateCheckUI* GetUpdateCheckUI();
