#include "conversion/app/CConversionTaskPage.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CCmdUI.h"
#include "classlib/CDataExchange.h"
#include "classlib/CWinApp.h"
#include "conversion/app/CConversionRecentLists.h"
#include "conversion/app/CConversionSettings.h"
#include "conversion/app/controls/CFolderPicker.h"
#include "conversion/app/res/FetcherResources.h"
#include "conversion/engine/CMediaConvertThread.h"
#include "conversion/engine/ShellOperations.h"
#include "framework/system/PathHelpers.h"
#include "framework/system/ShellHelpers.h"
#include "mediatools/EncoderProgress.h"

IMPLEMENT_DYNAMIC(CConversionTaskPage, CConversionPage)

namespace {

const wchar_t kClearRecentList[] = L"Clear Recent List";

}  // namespace

BEGIN_MESSAGE_MAP(CConversionTaskPage, CConversionPage)
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_DROPFILES()
    ON_BN_CLICKED(IDC_PAGE_START, &CConversionTaskPage::OnStart)
    ON_BN_CLICKED(IDC_PAGE_STOP, &CConversionTaskPage::OnStop)
    ON_BN_CLICKED(IDC_PAGE_CHOOSE_DESTINATION, &CConversionTaskPage::OnChooseDestination)
    ON_BN_CLICKED(IDC_PAGE_OPEN_DESTINATION, &CConversionTaskPage::OnOpenDestination)
    ON_UPDATE_COMMAND_UI(IDC_PAGE_OPEN_DESTINATION, &CConversionTaskPage::OnUpdateOpenDestination)
    ON_BN_CLICKED(IDC_PAGE_SAME_AS_INPUT, &CConversionTaskPage::OnSameAsInput)
    ON_BN_CLICKED(IDC_PAGE_PLAY, &CConversionTaskPage::OnPlay)
    ON_MESSAGE(WM_CONVERT_TASK_FINISHED, &CConversionTaskPage::OnTaskFinished)
    ON_MESSAGE(WM_PAGE_TASK_EVENT, &CConversionTaskPage::OnTaskEvent)
    ON_MESSAGE(WM_PAGE_SOURCE_PROBED, &CConversionTaskPage::OnSourceProbed)
END_MESSAGE_MAP()

CConversionTaskPage::CConversionTaskPage(UINT nIDTemplate, CPageSettings& settings)
    : CConversionPage(nIDTemplate), m_settings(settings)
{
    m_bSameAsInput = settings.m_sameAsInput;
    m_bDeleteSource = settings.m_deleteSourceFiles;
}

void CConversionTaskPage::DoDataExchange(CDataExchange* pDX)
{
    CConversionPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PAGE_DESTINATION, m_destinationCombo);
    // The combo's text is set where the page decides it (InitDestination, SetDestination).
    if (pDX->m_bSaveAndValidate)
        m_destination = m_destinationCombo.GetText();
    DDX_Check(pDX, IDC_PAGE_SAME_AS_INPUT, m_bSameAsInput);
}

BOOL CConversionTaskPage::OnInitDialog()
{
    CConversionPage::OnInitDialog();
    SetTip(IDC_PAGE_CHOOSE_DESTINATION, L"Choose destination folder");
    SetTip(IDC_PAGE_OPEN_DESTINATION, L"Open destination folder");
    DragAcceptFiles(TRUE);
    InitDestination();
    return TRUE;
}

void CConversionTaskPage::InitDestination()
{
    CMRUList& folders = theConversionRecentLists.m_outputFolders;
    if (m_destination.IsEmpty())
        m_destination = folders.GetCount() == 0 ? GetMyVideosFolder(false) : folders.GetAt(0);
    AttachRecentList(m_destinationCombo, folders, m_destination);
}

void CConversionTaskPage::AttachRecentList(CRecentDropComboBoxEx& combo, CMRUList& list, LPCWSTR path)
{
    combo.AttachRecentList(&list, kClearRecentList);
    combo.SetPathText(path);
}

void CConversionTaskPage::RefillRecentCombo(CRecentDropComboBoxEx& combo)
{
    combo.SetPathTextAndRefill(combo.GetText());
}

void CConversionTaskPage::SetDestination(LPCWSTR folder)
{
    m_destination = folder;
    m_destinationCombo.SetPathText(folder);
}

int CConversionTaskPage::ShowMessage(LPCWSTR lpszText, UINT nType)
{
    return ::MessageBoxW(m_hWnd, lpszText, AfxGetApp() ? AfxGetApp()->m_pszAppName : L"", nType);
}

void CConversionTaskPage::SetOutputName(LPCWSTR lpszName)
{
    if (GetDlgItem(IDC_PAGE_OUTPUT_NAME))
        SetDlgItemText(IDC_PAGE_OUTPUT_NAME, lpszName);
}

void CConversionTaskPage::SaveSettings()
{
    m_settings.m_sameAsInput = m_bSameAsInput ? 1 : 0;
    m_settings.m_deleteSourceFiles = m_bDeleteSource ? 1 : 0;
}

LRESULT CConversionTaskPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const COPYDATASTRUCT* pcds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (pcds && pcds->dwData == ENCODER_MSG_EVENT)
            return CConvertTask::OnCopyData(pcds);
    }
    return CConversionPage::WindowProc(message, wParam, lParam);
}

// Start and stop

void CConversionTaskPage::OnStart()
{
    if (IsBusy() || m_pThread)
        return;
    if (CollectData() != 0 || Validate() != 0)
        return;
    if (CConvertTask::Start(m_hWnd) != 0)
        ShowMessage(L"The conversion could not be started.");
}

void CConversionTaskPage::OnStop()
{
    if (m_probe.IsRunning()) {
        m_probe.Cancel();
        return;
    }
    CWnd* pStop = GetDlgItem(IDC_PAGE_STOP);
    pStop->EnableWindow(FALSE);
    pStop->SetWindowText(L"Stopping");
    CConvertTask::Stop();
    pStop->SetWindowText(L"Stop");
    pStop->EnableWindow(TRUE);
}

LRESULT CConversionTaskPage::OnTaskFinished(WPARAM, LPARAM)
{
    OnThreadFinished();
    return 0;
}

void CConversionTaskPage::OnDestroy()
{
    m_bClosing = TRUE;
    // A run or a probe ends before the page goes: its tool is stopped, its partial output
    // removed by the engine, and its thread waited for.
    KillTimer(kProbeTimer);
    m_probe.Stop();
    CConvertTask::Stop();
    DiscardPendingEvents();
    CollectData();
    SaveSettings();
    CConversionPage::OnDestroy();
}

void CConversionTaskPage::DiscardPendingEvents()
{
    MSG msg;
    while (PeekMessageW(&msg, m_hWnd, WM_PAGE_TASK_EVENT, WM_PAGE_TASK_EVENT, PM_REMOVE))
        delete reinterpret_cast<CPageTaskEvent*>(msg.lParam);
}

// The run, on the worker thread

int CConversionTaskPage::Prepare()
{
    if (!m_bSameAsInput) {
        if (m_destination.IsEmpty()) {
            ShowMessage(L"You must choose a destination folder!");
            return -1;
        }
        if (CreateFolderTree(m_destination) == -1) {
            CString message;
            message.Format(L"Cannot find or create folder:\n%s", static_cast<LPCWSTR>(m_destination));
            ShowMessage(message);
            return -1;
        }
    }
    if (FillTask(m_record) != 0)
        return -1;
    OnTaskProgress(0, 100, 0);
    m_bBusy = 1;
    CPageTaskEvent* pEvent = new CPageTaskEvent{CPageTaskEvent::Running};
    pEvent->first = 1;
    PostEvent(pEvent);
    return CConvertTask::Prepare();
}

void CConversionTaskPage::Finish()
{
    bool completed = m_record.m_progress.m_state == TASK_STATE_COMPLETED;
    if (completed && m_bDeleteSource && !m_bClosing)
        DeleteSources();
    m_bBusy = 0;
    CPageTaskEvent* pEvent = new CPageTaskEvent{CPageTaskEvent::Finished};
    pEvent->first = completed ? 1 : 0;
    PostEvent(pEvent);
}

// Hooks: any thread; they post, the window thread shows.

void CConversionTaskPage::PostEvent(CPageTaskEvent* pEvent)
{
    if (!m_hWnd || !::PostMessageW(m_hWnd, WM_PAGE_TASK_EVENT, 0, reinterpret_cast<LPARAM>(pEvent)))
        delete pEvent;
}

void CConversionTaskPage::OnTaskStarted()
{
    m_bBusy = 1;
    PostEvent(new CPageTaskEvent{CPageTaskEvent::Started});
}

void CConversionTaskPage::OnTaskStopped()
{
    PostEvent(new CPageTaskEvent{CPageTaskEvent::Stopped});
}

void CConversionTaskPage::OnTaskStateIcon(int statusCode)
{
    CPageTaskEvent* pEvent = new CPageTaskEvent{CPageTaskEvent::StateIcon};
    pEvent->first = statusCode;
    PostEvent(pEvent);
}

void CConversionTaskPage::OnTaskStateColour(int colourCode)
{
    CPageTaskEvent* pEvent = new CPageTaskEvent{CPageTaskEvent::StateColour};
    pEvent->first = colourCode;
    PostEvent(pEvent);
}

void CConversionTaskPage::OnTaskProgress(LONGLONG position, LONGLONG total, int mode)
{
    CConvertTask::OnTaskProgress(position, total, mode);
    CPageTaskEvent* pEvent = new CPageTaskEvent{CPageTaskEvent::Progress};
    pEvent->first = position;
    pEvent->second = total;
    PostEvent(pEvent);
}

void CConversionTaskPage::OnTaskStatusText(LPCWSTR text, LPCWSTR detail)
{
    CPageTaskEvent* pEvent = new CPageTaskEvent{CPageTaskEvent::StatusText};
    pEvent->text = text;
    pEvent->detail = detail;
    PostEvent(pEvent);
}

CString CConversionTaskPage::FormatStatusText(LPCWSTR text, LPCWSTR detail)
{
    CString result;
    if (detail && *detail)
        result.Format(L"%s: %s.", text, detail);
    else
        result.Format(L"%s.", text);
    return result;
}

LRESULT CConversionTaskPage::OnTaskEvent(WPARAM, LPARAM lParam)
{
    CPageTaskEvent* pEvent = reinterpret_cast<CPageTaskEvent*>(lParam);
    HandleEvent(*pEvent);
    delete pEvent;
    return 0;
}

void CConversionTaskPage::HandleEvent(const CPageTaskEvent& event)
{
    switch (event.kind) {
    case CPageTaskEvent::Started:
        m_progress.SetProgress(0, 100);
        SetTimer(kBusyTimer, 100);
        break;
    case CPageTaskEvent::Stopped:
        KillTimer(kBusyTimer);
        break;
    case CPageTaskEvent::StateIcon:
        m_stateIcon.SetImageIndex(CConversionSettings::GetStateIcon(static_cast<int>(event.first)));
        m_stateIcon.Invalidate();
        break;
    case CPageTaskEvent::StateColour:
        m_progress.m_crBar = CConversionSettings::GetStateColour(static_cast<int>(event.first));
        m_progress.Invalidate(FALSE);
        break;
    case CPageTaskEvent::Progress:
        m_progress.SetProgress(event.first, event.second);
        break;
    case CPageTaskEvent::StatusText:
        m_progress.SetText(FormatStatusText(event.text, event.detail));
        break;
    case CPageTaskEvent::Running:
        SetRunningLayout(TRUE);
        break;
    case CPageTaskEvent::Finished:
        KillTimer(kBusyTimer);
        SetRunningLayout(FALSE);
        if (event.first)
            AddToRecentLists();
        break;
    }
}

// Shows Start or Stop, focused, and the state icon and progress line.
void CConversionTaskPage::SetIdleFocus(BOOL bRunning)
{
    CWnd* pStart = GetDlgItem(IDC_PAGE_START);
    CWnd* pStop = GetDlgItem(IDC_PAGE_STOP);
    if (bRunning) {
        m_stateIcon.ShowWindow(SW_SHOW);
        m_progress.ShowWindow(SW_SHOW);
    }
    pStart->ShowWindow(bRunning ? SW_HIDE : SW_SHOW);
    pStop->ShowWindow(bRunning ? SW_SHOW : SW_HIDE);
    if (IsWindowVisible())
        GotoDlgCtrl(bRunning ? pStop : pStart);
}

// Probing a source

int CConversionTaskPage::StartProbe(WPARAM tag, CSourceProbe::ProbeFunction probe)
{
    if (m_pThread || m_probe.Start(m_hWnd, WM_PAGE_SOURCE_PROBED, tag, std::move(probe)) != 0)
        return -1;
    SetTimer(kProbeTimer, kProbeTimeLimitMs);
    m_stateIcon.SetImageIndex(CConversionSettings::GetStateIcon(TASK_STATUS_BUSY));
    m_stateIcon.ShowWindow(SW_SHOW);
    m_progress.m_crBar = CConversionSettings::GetStateColour(TASK_COLOUR_BUSY);
    m_progress.SetText(L"Reading source file...");
    m_progress.SetProgress(0, 100);
    m_progress.ShowWindow(SW_SHOW);
    SetTimer(kBusyTimer, 100);
    SetRunningLayout(TRUE);
    return 0;
}

LRESULT CConversionTaskPage::OnSourceProbed(WPARAM wParam, LPARAM lParam)
{
    m_probe.Finished();
    KillTimer(kProbeTimer);
    KillTimer(kBusyTimer);
    m_stateIcon.SetImageIndex(-1);
    m_progress.SetText(L"");
    m_progress.SetProgress(0, 100);
    SetRunningLayout(FALSE);
    if (!m_bClosing)
        SourceProbed(wParam, static_cast<int>(lParam));
    return 0;
}

void CConversionTaskPage::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kProbeTimer) {
        // A source that takes this long to read (a remote playlist, say) is given up.
        KillTimer(kProbeTimer);
        m_probe.Cancel();
        return;
    }
    CConversionPage::OnTimer(nIDEvent);
}

// Drops

void CConversionTaskPage::OnDropFiles(HDROP hDropInfo)
{
    CStringArray paths;
    GetDroppedPaths(hDropInfo, paths);
    DragFinish(hDropInfo);
    if (!IsBusy() && !m_pThread)
        DropFiles(paths);
}

// The first item counts: a folder becomes the destination, a file the source.
void CConversionTaskPage::DropFiles(const CStringArray& paths)
{
    if (paths.GetSize() == 0)
        return;
    if (FolderExists(paths[0]))
        SetDestination(paths[0]);
    else
        DropFile(paths[0]);
}

// The destination row

void CConversionTaskPage::OnChooseDestination()
{
    CString initial = m_destinationCombo.GetText();
    if (initial.IsEmpty())
        initial = GetMyVideosFolder(false);
    CFolderPicker picker(m_hWnd, L"Choose destination folder", initial);
    if (picker.Browse() != IDOK)
        return;
    SetDestination(picker.m_strPath);
}

void CConversionTaskPage::OnOpenDestination()
{
    if (m_record.m_progress.m_state == TASK_STATE_COMPLETED && !m_record.m_output.m_path.IsEmpty()) {
        ExploreSelect(m_record.m_output.m_path);
        return;
    }
    CString folder = m_destinationCombo.GetText();
    if (FolderExists(folder))
        ExploreFolder(folder);
    else
        ShowMessage(L"Folder doesn't exist!");
}

void CConversionTaskPage::OnUpdateOpenDestination(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_destinationCombo.m_hWnd && !m_destinationCombo.GetText().IsEmpty());
}

void CConversionTaskPage::OnSameAsInput()
{
    m_bSameAsInput = IsDlgButtonChecked(IDC_PAGE_SAME_AS_INPUT) ? 1 : 0;
    ApplySameAsInput();
}

void CConversionTaskPage::ApplySameAsInput()
{
    BOOL enable = !m_bSameAsInput && !IsBusy();
    m_destinationCombo.EnableWindow(enable);
    EnableItem(IDC_PAGE_CHOOSE_DESTINATION, enable);
    CString folder = GetInputFolder();
    if (m_bSameAsInput && !folder.IsEmpty())
        SetDestination(folder);
}

void CConversionTaskPage::EnableDestination(BOOL bRunning)
{
    if (!bRunning) {
        ApplySameAsInput();
        return;
    }
    m_destinationCombo.EnableWindow(FALSE);
    EnableItem(IDC_PAGE_CHOOSE_DESTINATION, FALSE);
}

void CConversionTaskPage::FillDestination(CConvertTaskRecord& record) const
{
    if (m_bSameAsInput)
        record.m_options.m_flags |= CONVERT_TO_INPUT_FOLDER;
    record.m_options.m_outputFolder = m_destination;
}

void CConversionTaskPage::OnPlay()
{
    if (m_record.OpenOutput() != 0)
        ShowMessage(L"File doesn't exist!");
}
