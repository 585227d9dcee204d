#include "conversion/app/CFormatTaskPage.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDataExchange.h"
#include "conversion/app/CConversionRecentLists.h"
#include "conversion/app/CConversionUiResources.h"
#include "conversion/app/CFormatSettingsDlg.h"
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include "conversion/app/res/FetcherResources.h"
#include "conversion/engine/CMediaFormat.h"
#include "conversion/engine/FileOperations.h"
#include "framework/dialogs/CFileSelectDlg.h"
#include "framework/system/PathHelpers.h"

IMPLEMENT_DYNAMIC(CFormatTaskPage, CFormatTaskPageBase)

BEGIN_MESSAGE_MAP(CFormatTaskPage, CFormatTaskPageBase)
    ON_CBN_SELCHANGE(IDC_PAGE_FORMAT, &CFormatTaskPage::OnSelchangeFormat)
    ON_CBN_SELCHANGE(IDC_PAGE_PRESET, &CFormatTaskPage::OnSelchangePreset)
    ON_BN_CLICKED(IDC_PAGE_ADVANCED, &CFormatTaskPage::OnAdvanced)
    ON_BN_CLICKED(IDC_PAGE_CHOOSE_SOURCE, &CFormatTaskPage::OnChooseSource)
END_MESSAGE_MAP()

CFormatTaskPage::CFormatTaskPage(UINT nIDTemplate, CPageSettings& settings)
    : CFormatTaskPageBase(nIDTemplate, settings)
{
}

void CFormatTaskPage::DoDataExchange(CDataExchange* pDX)
{
    CFormatTaskPageBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PAGE_SOURCE, m_sourcePath);
}

BOOL CFormatTaskPage::OnInitDialog()
{
    CFormatTaskPageBase::OnInitDialog();
    SetTip(IDC_PAGE_START, L"Start converting");
    SetTip(IDC_PAGE_STOP, L"Stop converting");
    return TRUE;
}

int CFormatTaskPage::RefreshFormats()
{
    // A preset let go of for a reset is taken again by its name.
    if (!m_pPreset && m_pFormat) {
        m_pPreset = m_pFormat->FindPreset(m_presetName);
        if (m_pPreset)
            m_pPreset->m_useCount++;
    }
    // The rows are found again by the chosen format and preset, never by their old places: the
    // format may be switched off now, presets deleted or moved.
    m_formatIndex = -1;
    m_presetIndex = -1;
    FillAndSelect();
    return 0;
}

int CFormatTaskPage::CollectData()
{
    UpdateData(TRUE);
    m_sourcePath.Trim();
    return 0;
}

int CFormatTaskPage::Validate()
{
    if (!m_pFormat) {
        // An empty or fully hidden format table leaves nothing to convert to.
        ShowMessage(L"There is no output format to convert to. Choose one in \"Video & Audio Formats...\".");
        return -1;
    }
    if (!FileExists(m_sourcePath)) {
        ShowMessage(L"Source file doesn't exist!");
        return -1;
    }
    return 0;
}

void CFormatTaskPage::OnSelchangeFormat()
{
    ReapplyFormat();
}

void CFormatTaskPage::OnSelchangePreset()
{
    int selected = m_presetCombo.GetCurSel();
    if (selected >= 0)
        SelectPreset(selected);
}

void CFormatTaskPage::ReapplyFormat()
{
    int selected = m_formatCombo.GetCurSel();
    if (selected < 0)
        return;
    // The format being left keeps its preset for the next time it is chosen, or for now when
    // it is chosen again.
    if (m_pFormat)
        m_pFormat->m_lastPreset = m_presetIndex;
    SelectFormat(selected);
    m_presetIndex = -1;
    if (m_pFormat)
        SelectPreset(RememberedPresetRow());
}

int CFormatTaskPage::RememberedPresetRow() const
{
    // Rows the format manager took away since are no longer offered.
    const int rows = m_presetCombo.GetCount();
    for (int row : {m_pFormat->m_lastPreset, m_pFormat->m_defaultPreset}) {
        if (row >= 0 && row < rows)
            return row;
    }
    return 0;
}

void CFormatTaskPage::OnAdvanced()
{
    CFormatSettingsDlg dialog(theMediaFormats, m_pFormat, m_pPreset, FALSE, FALSE, this,
                              &theConversionUiResources.m_formatImages);
    if (dialog.DoModal() != IDOK)
        return;
    // The dialog's choice, found again in the page's lists (a custom preset may be new).
    FillFormats();
    int formatRow = m_formatCombo.FindFormat(dialog.GetFormat());
    if (formatRow >= 0)
        SelectFormat(formatRow);
    for (int row = 0; row < m_presetCombo.GetCount(); row++) {
        if (reinterpret_cast<CMediaPreset*>(m_presetCombo.GetItemData(row)) == dialog.GetPreset())
            SelectPreset(row);
    }
    theMediaFormats.SaveIfModified();
}

void CFormatTaskPage::OnChooseSource()
{
    CFileSelectDlg dialog(TRUE, nullptr, nullptr, OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                          GetSourceFilter(), this);
    dialog.GetOFN().lpstrTitle = L"Choose Source File";
    if (dialog.DoModal() == IDOK)
        SetSource(dialog.GetPathName());
}

void CFormatTaskPage::DropFile(LPCWSTR path)
{
    // Taken as typed: the run probes it.
    m_sourcePath = path;
    SetDlgItemText(IDC_PAGE_SOURCE, path);
    ApplySameAsInput();
}

int CFormatTaskPage::SetSource(LPCWSTR lpszPath)
{
    CString path(lpszPath);
    if (StartProbe(0, [this, path](const StopFlag* pStop) { return m_record.SetMainInput(path, pStop); }) != 0)
        return -1;
    m_probingPath = path;
    return 0;
}

void CFormatTaskPage::SourceProbed(WPARAM, int result)
{
    if (result != 0) {
        m_sourcePath.Empty();
        SetDlgItemText(IDC_PAGE_SOURCE, L"");
        CString message;
        message.Format(L"\"%s\"\n\nis not a valid video or audio file.", static_cast<LPCWSTR>(m_probingPath));
        ShowMessage(message);
        return;
    }
    m_sourcePath = m_probingPath;
    SetDlgItemText(IDC_PAGE_SOURCE, m_sourcePath);
    const CMediaInfo& info = m_record.m_inputs.m_mainInfo;
    m_bSourceHasVideo = info.VideoStreams.GetSize() > 0 ? 1 : 0;
    m_bSourceHasAudio = info.AudioStreams.GetSize() > 0 ? 1 : 0;
    ApplySameAsInput();
    SourceApplied();
    ReapplyFormat();
}

CString CFormatTaskPage::GetInputFolder() const
{
    return m_sourcePath.IsEmpty() ? CString() : GetFolderOfPath(m_sourcePath);
}

void CFormatTaskPage::PrepareMainInput(CConvertTaskRecord& record)
{
    bool probed = (record.m_progress.m_probeFlags & TASK_PROBED_MAIN) != 0;
    if (probed && record.m_inputs.m_mainPath == m_sourcePath)
        return;
    // Typed or dropped, or another file since the last probe: what the record knows is not
    // this file's. A failed probe leaves the run to report the source as unsupported.
    record.SetMainInput(m_sourcePath, &m_nStopRequest);
    const CMediaInfo& info = record.m_inputs.m_mainInfo;
    m_bSourceHasVideo = info.VideoStreams.GetSize() > 0 ? 1 : 0;
    m_bSourceHasAudio = info.AudioStreams.GetSize() > 0 ? 1 : 0;
}

void CFormatTaskPage::FillFormatTask(CConvertTaskRecord& record)
{
    PrepareMainInput(record);
    record.m_kind = TASK_KIND_AUTO;
    record.m_options.Reset();
    record.m_options.m_formatId = m_formatId;
    record.m_options.m_presetName = m_presetName;
    FillDestination(record);
}

void CFormatTaskPage::AddToRecentLists()
{
    theConversionRecentLists.m_inputFiles.Add(m_sourcePath);
    if (!m_bSameAsInput && !m_destination.IsEmpty())
        theConversionRecentLists.m_outputFolders.Add(m_destination);
    RefillRecentCombo(m_destinationCombo);
}

void CFormatTaskPage::DeleteSources()
{
    OnTaskStarted();
    OnTaskStatusText(L"Deleting source file...", L"");
    m_record.RecycleInput(m_sourcePath);
    OnTaskStopped();
}
