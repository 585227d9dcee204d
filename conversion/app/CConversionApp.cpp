#include "conversion/app/CConversionApp.h"
#include "classlib/CSingleDocTemplate.h"
#include "conversion/app/CConversionDoc.h"
#include "conversion/app/CConversionRecentLists.h"
#include "conversion/app/CConversionSettings.h"
#include "conversion/app/CConversionSettingsDlg.h"
#include "conversion/app/CConversionUiResources.h"
#include "conversion/app/CConversionView.h"
#include "conversion/app/CFileExistsPrompt.h"
#include "conversion/app/CMainFrame.h"
#include "conversion/app/res/FetcherResources.h"
#include "conversion/engine/ShellOperations.h"
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include "framework/controls/FrameworkMessages.h"
#include "framework/dialogs/CAppAboutDlg.h"
#include "framework/dialogs/UpdateDialogs.h"
#include "framework/net/UpdateCheck.h"
#include "framework/system/AppFolders.h"
#include "framework/system/ShellCalls.h"
#include "framework/system/ShellHelpers.h"
#include "mediatools/MediaToolLocation.h"
#include <shlwapi.h>

namespace {

CUpdateDialogsUI theUpdateDialogs;
// The "File already exists" question of a run, asked on the run's thread.
CFileExistsPrompt theFileExistsPrompt(theConversionSettings);
// Update checks still running at exit get this long to end before the settings are saved.
const DWORD kUpdateCheckEndMs = 5000;
const DWORD kToolWarmUpEndMs = 10000;

}  // namespace

BEGIN_MESSAGE_MAP(CConversionApp, CWinApp)
    ON_COMMAND(ID_APP_SETTINGS, &CConversionApp::OnAppSettings)
    ON_COMMAND(ID_CHECK_FOR_UPDATES, &CConversionApp::OnCheckForUpdates)
    ON_COMMAND(ID_EMAIL_US, &CConversionApp::OnEmailUs)
    ON_COMMAND(ID_WEB_SITE, &CConversionApp::OnWebSite)
    ON_COMMAND(ID_APP_ABOUT, &CConversionApp::OnAppAbout)
    ON_COMMAND(ID_START_PLAYER, &CConversionApp::OnStartPlayer)
END_MESSAGE_MAP()

CConversionApp::CConversionApp() : CWinApp(L"Kavri Media Fetcher") {}

int CConversionApp::InitEngine()
{
    CString toolFolder = GetComponentsFolder();
    CString dataFolder = GetDataFolder();
    LocateMediaTools(toolFolder);
    return theMediaFormats.Load(dataFolder) != 0 ? -1 : 0;
}

BOOL CConversionApp::InitInstance()
{
    if (!AfxOleInit())
        return FALSE;
    Enable3dControlsStatic();
    SetRegistryKey(L"Kavri Helper");
    LoadStdProfileSettings(0);
    if (theConversionUiResources.Load() != 0 || theConversionSettings.LoadSettings() != 0 ||
        theConversionRecentLists.Load() != 0)
        return FALSE;
    m_bStarted = true;
    SetAppSettings(&theConversionSettings);
    SetUpdateCheckUI(&theUpdateDialogs);
    SetFileExistsPrompt(&theFileExistsPrompt);
    if (InitEngine() != 0)
        return FALSE;

    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CConversionDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CConversionView)));
    EnableShellOpen();
    // The command line is never read: start-up always opens one new, empty document.
    CCommandLineInfo cmdInfo;
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;
    m_pMainWnd->ShowWindow(m_nCmdShow);
    m_pMainWnd->UpdateWindow();
    m_pMainWnd->DragAcceptFiles(TRUE);
    ReportDamagedCatalogue();
    if (theConversionSettings.GetAutoCheckUpdate())
        m_pMainWnd->PostMessage(WM_CHECK_FOR_UPDATES, 0, 1);
    return TRUE;
}

// The built-in formats stand in for a stored copy that could not be read; the user's presets
// may still be in the copy kept aside.
void CConversionApp::ReportDamagedCatalogue()
{
    if (theMediaFormats.m_damagedCopyPath.IsEmpty())
        return;
    CString text;
    text.Format(L"The saved list of formats and presets could not be read, so the built-in formats are used.\n\n"
                L"The damaged file was kept as:\n%s",
                static_cast<LPCWSTR>(theMediaFormats.m_damagedCopyPath));
    m_pMainWnd->MessageBox(text, L"Kavri Media Fetcher", MB_OK | MB_ICONWARNING);
}

BOOL CConversionApp::OnIdle(LONG lCount)
{
    BOOL bMore = CWinApp::OnIdle(lCount);
    // Nothing is left to do: the window has had its first paint.
    if (!bMore)
        m_toolWarmUp.Start();
    return bMore;
}

int CConversionApp::ExitInstance()
{
    m_toolWarmUp.Wait(kToolWarmUpEndMs);
    if (m_bStarted) {
        EndUpdateChecks(kUpdateCheckEndMs);
        theMediaFormats.Save();
        SaveAppProfile(nullptr);
    }
    SetFileExistsPrompt(nullptr);
    SetUpdateCheckUI(nullptr);
    theConversionUiResources.Free();
    FreeAppUiResources();
    SetAppSettings(nullptr);
    return CWinApp::ExitInstance();
}

void CConversionApp::OnAppSettings()
{
    CConversionSettingsDlg dialog(theConversionSettings, m_pMainWnd);
    if (dialog.DoModal() != IDOK)
        return;
    SaveAppProfile(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr);
}

void CConversionApp::OnCheckForUpdates()
{
    StartUpdateCheck(theConversionSettings.GetUpdateManifestUrl(), theConversionSettings.GetVersionText(), 0, FALSE);
}

void CConversionApp::OnEmailUs()
{
    CString subject;
    subject.Format(L"About %s %s", m_pszAppName, static_cast<LPCWSTR>(theConversionSettings.GetVersionText()));
    OpenMailto(theConversionSettings.GetSupportMailAddress(), subject);
}

void CConversionApp::OnWebSite()
{
    ShellCalls().pfnShellExecute(nullptr, L"open", theConversionSettings.GetProductPageUrl(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CConversionApp::OnAppAbout()
{
    CAppAboutDlg dialog(m_pMainWnd);
    dialog.DoModal();
}

void CConversionApp::OnStartPlayer()
{
    CString playerPath = GetPlayerPath();
    if (PathFileExistsW(playerPath))
        ShellCalls().pfnShellExecute(nullptr, nullptr, playerPath, nullptr, nullptr, SW_SHOW);
}
