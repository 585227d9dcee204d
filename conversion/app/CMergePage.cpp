#include "conversion/app/CMergePage.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDataExchange.h"
#include "conversion/app/CConversionRecentLists.h"
#include "conversion/app/CConversionSettings.h"
#include "conversion/app/res/FetcherResources.h"
#include "framework/dialogs/CFileSelectDlg.h"
#include "framework/system/PathHelpers.h"
#include <shlwapi.h>

IMPLEMENT_DYNAMIC(CMergePage, CConversionTaskPage)

namespace {

const wchar_t kVideoFilter[] = L"All Files (*.*)|*.*|MP4 Files (*.mp4)|*.mp4|WEBM Files (*.webm)|*.webm|"
                               L"TS Files (*.ts)|*.ts|FLV Files (*.flv)|*.flv||";
const wchar_t kAudioFilter[] = L"All Files (*.*)|*.*|MP4 Files (*.mp4)|*.mp4|WEBM Files (*.webm)|*.webm|"
                               L"MP3 Files (*.mp3)|*.mp3|AAC Files (*.aac)|*.aac|OGG Files (*.ogg)|*.ogg||";
const UINT kInputControls[] = {IDC_PAGE_VIDEO,       IDC_PAGE_CHOOSE_VIDEO, IDC_PAGE_AUDIO,
                               IDC_PAGE_CHOOSE_AUDIO, IDC_PAGE_SAME_AS_INPUT, IDC_PAGE_OUTPUT_NAME,
                               IDC_PAGE_PLAY};

CString ChooseFile(CWnd* pParent, LPCWSTR title, LPCWSTR filter)
{
    CFileSelectDlg dialog(TRUE, nullptr, nullptr, OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter,
                          pParent);
    dialog.GetOFN().lpstrTitle = title;
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : CString();
}

}  // namespace

BEGIN_MESSAGE_MAP(CMergePage, CConversionTaskPage)
    ON_BN_CLICKED(IDC_PAGE_CHOOSE_VIDEO, &CMergePage::OnChooseVideo)
    ON_BN_CLICKED(IDC_PAGE_CHOOSE_AUDIO, &CMergePage::OnChooseAudio)
    ON_CBN_EDITCHANGE(IDC_PAGE_VIDEO, &CMergePage::OnVideoEdited)
    ON_CBN_SELCHANGE(IDC_PAGE_VIDEO, &CMergePage::OnVideoSelected)
END_MESSAGE_MAP()

CMergePage::CMergePage() : CConversionTaskPage(IDD_MERGE_PAGE, theConversionSettings.m_mux) {}

void CMergePage::DoDataExchange(CDataExchange* pDX)
{
    CConversionTaskPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PAGE_VIDEO, m_videoCombo);
    DDX_Control(pDX, IDC_PAGE_AUDIO, m_audioCombo);
    if (pDX->m_bSaveAndValidate) {
        m_videoPath = m_videoCombo.GetText();
        m_audioPath = m_audioCombo.GetText();
    }
    DDX_Text(pDX, IDC_PAGE_OUTPUT_NAME, m_outputName);
}

BOOL CMergePage::OnInitDialog()
{
    CConversionTaskPage::OnInitDialog();
    SetTip(IDC_PAGE_VIDEO, L"Please click 'Choose...' button to choose a video file");
    SetTip(IDC_PAGE_CHOOSE_VIDEO, L"Choose video file");
    SetTip(IDC_PAGE_AUDIO, L"Please click 'Choose...' button to choose an audio file");
    SetTip(IDC_PAGE_CHOOSE_AUDIO, L"Choose audio file");
    SetTip(IDC_PAGE_START, L"Start merging");
    SetTip(IDC_PAGE_STOP, L"Stop merging");
    AttachRecentList(m_videoCombo, theConversionRecentLists.m_inputVideoFiles, m_videoPath);
    AttachRecentList(m_audioCombo, theConversionRecentLists.m_inputAudioFiles, m_audioPath);
    SetRunningLayout(FALSE);
    return TRUE;
}

int CMergePage::CollectData()
{
    UpdateData(TRUE);
    m_videoPath.Trim();
    m_audioPath.Trim();
    m_outputName.Trim();
    return 0;
}

int CMergePage::Validate()
{
    if (!FileExists(m_videoPath) || !FileExists(m_audioPath)) {
        ShowMessage(L"Source video file or audio file doesn't exist!");
        return -1;
    }
    return 0;
}

int CMergePage::SetVideo(LPCWSTR lpszPath)
{
    CString path(lpszPath);
    if (StartProbe(kVideoProbe, [this, path](const StopFlag* pStop) { return m_record.SetMainInput(path, pStop); }) != 0)
        return -1;
    m_probingPath = path;
    return 0;
}

int CMergePage::SetAudio(LPCWSTR lpszPath)
{
    CString path(lpszPath);
    if (StartProbe(kAudioProbe, [this, path](const StopFlag* pStop) { return m_record.SetAudioInput(path, pStop); }) !=
        0)
        return -1;
    m_probingPath = path;
    return 0;
}

void CMergePage::SourceProbed(WPARAM tag, int result)
{
    CRecentFileComboBoxEx& combo = tag == kVideoProbe ? m_videoCombo : m_audioCombo;
    CString& path = tag == kVideoProbe ? m_videoPath : m_audioPath;
    if (result != 0) {
        path.Empty();
        combo.SetPathText(L"");
        CString message;
        message.Format(tag == kVideoProbe ? L"\"%s\"\n\nis not a valid video file." : L"\"%s\"\n\nis not a valid audio file.",
                       static_cast<LPCWSTR>(m_probingPath));
        ShowMessage(message);
        return;
    }
    path = m_probingPath;
    combo.SetPathText(path);
    if (tag == kVideoProbe)
        VideoPathChanged(path);
}

void CMergePage::VideoPathChanged(const CString& path)
{
    m_videoPath = path;
    if (path.IsEmpty())
        return;
    SetOutputName(PathFindFileNameW(path));
    ApplySameAsInput();
}

void CMergePage::OnChooseVideo()
{
    CString path = ChooseFile(this, L"Choose Source Video File", kVideoFilter);
    if (!path.IsEmpty())
        SetVideo(path);
}

void CMergePage::OnChooseAudio()
{
    CString path = ChooseFile(this, L"Choose Source Audio File", kAudioFilter);
    if (!path.IsEmpty())
        SetAudio(path);
}

void CMergePage::OnVideoEdited()
{
    VideoPathChanged(m_videoCombo.GetText());
}

// A path picked from the recent list; the clearing entry is the combo's own business.
void CMergePage::OnVideoSelected()
{
    int selected = m_videoCombo.GetCurSel();
    if (selected >= 0 && !m_videoCombo.IsClearingEntry(selected))
        VideoPathChanged(m_videoCombo.GetItemText(selected));
}

void CMergePage::DropFile(LPCWSTR path)
{
    // Taken as typed: the run probes it.
    m_videoCombo.SetPathText(path);
    VideoPathChanged(path);
}

CString CMergePage::GetInputFolder() const
{
    return m_videoPath.IsEmpty() ? CString() : GetFolderOfPath(m_videoPath);
}

int CMergePage::FillTask(CConvertTaskRecord& record)
{
    // A source typed, dropped or picked from the recent list is probed by the run itself.
    if (record.m_inputs.m_mainPath != m_videoPath || !(record.m_progress.m_probeFlags & TASK_PROBED_MAIN))
        record.SetMainInput(m_videoPath, &m_nStopRequest);
    if (record.m_inputs.m_audioPath != m_audioPath || !(record.m_progress.m_probeFlags & TASK_PROBED_AUDIO)) {
        record.m_inputs.m_audioPath = m_audioPath;
        record.m_progress.m_probeFlags &= ~TASK_PROBED_AUDIO;
    }
    record.m_kind = TASK_KIND_MERGE;
    record.m_options.Reset();
    FillDestination(record);
    record.m_options.m_outputName = m_outputName;
    return 0;
}

void CMergePage::SetRunningLayout(BOOL bRunning)
{
    for (UINT id : kInputControls)
        EnableItem(id, !bRunning);
    EnableDestination(bRunning);
    SetIdleFocus(bRunning);
}

void CMergePage::AddToRecentLists()
{
    CConversionRecentLists& lists = theConversionRecentLists;
    if (!m_videoPath.IsEmpty())
        lists.m_inputVideoFiles.Add(m_videoPath);
    if (!m_audioPath.IsEmpty())
        lists.m_inputAudioFiles.Add(m_audioPath);
    if (!m_bSameAsInput && !m_destination.IsEmpty())
        lists.m_outputFolders.Add(m_destination);
    RefillRecentCombo(m_videoCombo);
    RefillRecentCombo(m_audioCombo);
    RefillRecentCombo(m_destinationCombo);
}

void CMergePage::DeleteSources()
{
    OnTaskStarted();
    OnTaskStatusText(L"Deleting source video file and audio file...", L"");
    m_record.RecycleInput(m_videoPath);
    m_record.RecycleInput(m_audioPath);
    OnTaskStopped();
}
