#include "player/CPlayerApp.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CSingleDocTemplate.h"
#include "framework/controls/FrameworkMessages.h"
#include "framework/dialogs/CAppAboutDlg.h"
#include "framework/dialogs/UpdateDialogs.h"
#include "framework/net/CUpdateChecker.h"
#include "framework/net/UpdateCheck.h"
#include "framework/system/AppFolders.h"
#include "framework/system/CFileAssociation.h"
#include "framework/system/ShellCalls.h"
#include "framework/system/ShellHelpers.h"
#include "mediatools/MediaToolLocation.h"
#include "player/windows/CMainFrame.h"
#include "player/CPlayerAppSettings.h"
#include "player/CPlayerHistory.h"
#include "player/CPlayerSettings.h"
#include "player/CPlayerUIResources.h"
#include "player/playlist/CPlaylistCtrl.h"
#include "player/playlist/CPlaylistDoc.h"
#include "player/windows/CPlaylistView.h"
#include "player/dialogs/CSettingsSheet.h"
#include "player/PlayerCommandLineInfo.h"
#include "player/windows/PlayerWindows.h"
#include "player/res/PlayerResources.h"
#include <shlwapi.h>

namespace {

const DWORD kUpdateCheckEndMs = 3000;
const DWORD kToolWarmUpEndMs = 10000;

CUpdateDialogsUI g_updateDialogs;

}  // namespace

BEGIN_MESSAGE_MAP(CPlayerApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, &CPlayerApp::OnAbout)
    ON_COMMAND(ID_TOOLS_SETTINGS, &CPlayerApp::OnSettings)
    ON_COMMAND(ID_HELP_WEB_SITE, &CPlayerApp::OnWebSite)
    ON_COMMAND(ID_HELP_EMAIL, &CPlayerApp::OnEmailUs)
    ON_COMMAND(ID_TOOLS_MEDIA_FETCHER, &CPlayerApp::OnStartConversionTool)
    ON_COMMAND(ID_AFTER_CLOSE_WINDOW, &CPlayerApp::OnCloseThisWindow)
    ON_UPDATE_COMMAND_UI(ID_AFTER_CLOSE_WINDOW, &CPlayerApp::OnUpdateCloseThisWindow)
    ON_COMMAND(ID_AFTER_SHUTDOWN, &CPlayerApp::OnShutdownThisComputer)
    ON_UPDATE_COMMAND_UI(ID_AFTER_SHUTDOWN, &CPlayerApp::OnUpdateShutdownThisComputer)
    ON_COMMAND(ID_REPEAT_ALL, &CPlayerApp::OnRepeatAll)
    ON_UPDATE_COMMAND_UI(ID_REPEAT_ALL, &CPlayerApp::OnUpdateRepeatAll)
    ON_COMMAND(ID_REPEAT_CURRENT, &CPlayerApp::OnRepeatCurrentItem)
    ON_UPDATE_COMMAND_UI(ID_REPEAT_CURRENT, &CPlayerApp::OnUpdateRepeatCurrentItem)
    ON_COMMAND(ID_HELP_CHECK_UPDATES, &CPlayerApp::OnCheckForUpdates)
    ON_COMMAND(ID_CLEAR_RECENT_FILES, &CPlayerApp::OnClearRecentFileList)
    ON_UPDATE_COMMAND_UI(ID_CLEAR_RECENT_FILES, &CPlayerApp::OnUpdateClearRecentFileList)
    ON_COMMAND_RANGE(ID_RECENT_FILE_FIRST, ID_RECENT_FILE_LAST, &CPlayerApp::OnOpenRecentFile)
    ON_UPDATE_COMMAND_UI(ID_RECENT_FILE_FIRST, &CPlayerApp::OnUpdateRecentFile)
END_MESSAGE_MAP()

CPlayerApp::CPlayerApp() : CWinApp(L"Kavri Video Player")
{
    g_bStartWithoutFiles = 1;
}

CPlayerApp::~CPlayerApp() = default;

BOOL CPlayerApp::InitInstance()
{
    if (!AfxOleInit())
        return FALSE;
    Enable3dControlsStatic();
    SetRegistryKey(L"Kavri Helper");
    PlayerCommandLineInfo info;
    ParseCommandLine(info);
    if (LoadStartupData() != 0)
        return FALSE;
    m_bStarted = true;
    SetAppSettings(&g_playerAppSettings);
    SetUpdateCheckUI(&g_updateDialogs);
    if (SetUpTools() != 0)
        return FALSE;
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CPlaylistDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CPlaylistView)));
    EnableShellOpen();
    RegisterPlaylistFileType(TRUE);
    if (!ProcessShellCommand(info))
        return FALSE;
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    m_pMainWnd->DragAcceptFiles(TRUE);
    if (g_playerSettings.m_bAutoCheckUpdate)
        m_pMainWnd->PostMessage(WM_CHECK_FOR_UPDATES, 0, 1);
    return TRUE;
}

int CPlayerApp::LoadStartupData()
{
    if (g_playerUIResources.Load() != 0 || g_playerSettings.Load() != 0 || g_playerHistory.Load() != 0)
        return -1;
    return 0;
}

int CPlayerApp::SetUpTools()
{
    LocateMediaTools(GetComponentsFolder());
    return 0;
}

BOOL CPlayerApp::OnIdle(LONG lCount)
{
    BOOL bMore = CWinApp::OnIdle(lCount);
    // Nothing is left to do: the window has had its first paint.
    if (!bMore)
        m_toolWarmUp.Start();
    return bMore;
}

int CPlayerApp::ExitInstance()
{
    m_toolWarmUp.Wait(kToolWarmUpEndMs);
    if (m_bStarted) {
        EndUpdateChecks(kUpdateCheckEndMs);
        SaveAppProfile(nullptr);
    }
    SetUpdateCheckUI(nullptr);
    SetAppSettings(nullptr);
    return CWinApp::ExitInstance();
}

void CPlayerApp::RegisterPlaylistFileType(BOOL bRegister)
{
    if (!bRegister)
        return;
    CFileAssociation association(L".playlist", MakeFileTypeProgID(L".playlist"), L"Playlist", 1);
    association.Register(GetModulePath());
    CString previous;
    association.Associate(previous);
}

BOOL CPlayerApp::ProcessShellCommand(PlayerCommandLineInfo& info)
{
    if (info.m_nShellCommand == CCommandLineInfo::FileOpen) {
        info.m_nShellCommand = CCommandLineInfo::FileNew;
        g_bStartWithoutFiles = 0;
    }
    if (!CWinApp::ProcessShellCommand(info))
        return FALSE;
    if (!g_bStartWithoutFiles && g_pPlaylistCtrl)
        g_pPlaylistCtrl->OpenPaths(info.m_files, PENDING_DECIDE, nullptr, 1);
    g_bStartWithoutFiles = 0;
    return TRUE;
}

void CPlayerApp::OnAbout()
{
    CAppAboutDlg dialog(m_pMainWnd);
    dialog.DoModal();
}

void CPlayerApp::OnSettings()
{
    CSettingsSheet sheet(m_pMainWnd);
    if (sheet.DoModal() != IDOK)
        return;
    SaveAppProfile(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr);
}

void CPlayerApp::OnWebSite()
{
    ShellCalls().pfnShellExecute(nullptr, L"open", g_playerAppSettings.GetWebSiteUrl(), nullptr, nullptr,
                                 SW_SHOWNORMAL);
}

void CPlayerApp::OnEmailUs()
{
    MailSupport();
}

void CPlayerApp::OnStartConversionTool()
{
    CString path = g_playerSettings.GetConverterToolPath();
    if (PathFileExistsW(path))
        ShellCalls().pfnShellExecute(nullptr, nullptr, path, nullptr, nullptr, SW_SHOW);
}

void CPlayerApp::OnCloseThisWindow()
{
    g_playerSettings.m_bAutoCloseApp = !g_playerSettings.m_bAutoCloseApp;
}

void CPlayerApp::OnUpdateCloseThisWindow(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(g_playerSettings.m_bAutoCloseApp != 0);
}

void CPlayerApp::OnShutdownThisComputer()
{
    g_playerSettings.m_bShutDownAfterPlayback = !g_playerSettings.m_bShutDownAfterPlayback;
}

void CPlayerApp::OnUpdateShutdownThisComputer(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(g_playerSettings.m_bShutDownAfterPlayback != 0);
}

void CPlayerApp::OnRepeatAll()
{
    g_playerSettings.m_nRepeat = g_playerSettings.m_nRepeat == REPEAT_ALL ? REPEAT_OFF : REPEAT_ALL;
}

void CPlayerApp::OnUpdateRepeatAll(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(g_playerSettings.m_nRepeat == REPEAT_ALL);
}

void CPlayerApp::OnRepeatCurrentItem()
{
    g_playerSettings.m_nRepeat = g_playerSettings.m_nRepeat != REPEAT_CURRENT ? REPEAT_CURRENT : REPEAT_OFF;
}

void CPlayerApp::OnUpdateRepeatCurrentItem(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(g_playerSettings.m_nRepeat == REPEAT_CURRENT);
}

void CPlayerApp::OnCheckForUpdates()
{
    StartUpdateCheck(g_playerAppSettings.GetUpdateManifestUrl(), g_playerAppSettings.GetVersionText(), 0, FALSE);
}

void CPlayerApp::OnClearRecentFileList()
{
    g_playerHistory.ClearRecentFiles();
}

void CPlayerApp::OnUpdateClearRecentFileList(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(g_playerHistory.m_recentFiles.GetCount() > 0);
}

void CPlayerApp::OnOpenRecentFile(UINT nID)
{
    OpenRecentEntry(static_cast<int>(nID - ID_RECENT_FILE_FIRST));
}

void CPlayerApp::OpenRecentEntry(int nIndex)
{
    CMRUFileList& list = g_playerHistory.m_recentFiles;
    if (nIndex < 0 || nIndex >= list.GetCount())
        return;
    CString entry = list.GetAt(nIndex);
    // A URL is no document file: it goes to the playlist as it is.
    if (PathIsURLW(entry)) {
        if (!g_pPlaylistCtrl || g_pPlaylistCtrl->OpenPath(entry, PENDING_URL, nullptr, 1) < 0)
            list.Remove(nIndex);
        return;
    }
    if (!OpenDocumentFile(entry))
        list.Remove(nIndex);
}

void CPlayerApp::OnUpdateRecentFile(CCmdUI* pCmdUI)
{
    g_playerHistory.m_recentFiles.UpdateMenu(pCmdUI, 0);
}
