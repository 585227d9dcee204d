#include "conversion/app/CConvertPage.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDataExchange.h"
#include <commctrl.h>
#include "conversion/app/CConversionSettings.h"
#include "conversion/app/res/FetcherResources.h"
#include "conversion/engine/CMediaFormat.h"

IMPLEMENT_DYNAMIC(CConvertPage, CFormatTaskPage)

namespace {

const UINT kCutControls[] = {IDC_PAGE_START_LABEL, IDC_PAGE_CUT_START, IDC_PAGE_END_LABEL, IDC_PAGE_CUT_END};
const UINT kPictureControls[] = {IDC_PAGE_VIDEO_GROUP, IDC_PAGE_FLIP_HORIZONTALLY, IDC_PAGE_FLIP_VERTICALLY,
                                 IDC_PAGE_ROTATE, IDC_PAGE_GRAYSCALE, IDC_PAGE_NEGATE, IDC_PAGE_OLD_PHOTO};
const UINT kPictureChecks[] = {IDC_PAGE_FLIP_HORIZONTALLY, IDC_PAGE_FLIP_VERTICALLY, IDC_PAGE_ROTATE,
                               IDC_PAGE_GRAYSCALE, IDC_PAGE_NEGATE, IDC_PAGE_OLD_PHOTO, IDC_PAGE_CHANGE_VOLUME};
const UINT kSourceControls[] = {IDC_PAGE_SOURCE, IDC_PAGE_CHOOSE_SOURCE, IDC_PAGE_FORMAT, IDC_PAGE_PRESET,
                                IDC_PAGE_ADVANCED, IDC_PAGE_CUT, IDC_PAGE_RESET};
const int kMaxVolume = 300;

}  // namespace

BEGIN_MESSAGE_MAP(CConvertPage, CFormatTaskPage)
    ON_BN_CLICKED(IDC_PAGE_CUT, &CConvertPage::OnCut)
    ON_BN_CLICKED(IDC_PAGE_ROTATE, &CConvertPage::OnRotate)
    ON_BN_CLICKED(IDC_PAGE_CHANGE_VOLUME, &CConvertPage::OnChangeVolume)
    ON_BN_CLICKED(IDC_PAGE_RESET, &CConvertPage::OnReset)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

CConvertPage::CConvertPage() : CFormatTaskPage(IDD_CONVERT_PAGE, theConversionSettings.m_convert) {}

CConvertPage::CConvertPage(UINT nIDTemplate, CPageSettings& settings) : CFormatTaskPage(nIDTemplate, settings) {}

LPCWSTR CConvertPage::GetSourceFilter() const
{
    return L"All Files (*.*)|*.*|MP4 Files (*.mp4)|*.mp4|WEBM Files (*.webm)|*.webm|TS Files (*.ts)|*.ts|"
           L"FLV Files (*.flv)|*.flv|MP3 Files (*.mp3)|*.mp3|AAC Files (*.aac)|*.aac||";
}

void CConvertPage::DoDataExchange(CDataExchange* pDX)
{
    CFormatTaskPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PAGE_CUT_START, m_cutStartEdit);
    DDX_Control(pDX, IDC_PAGE_CUT_END, m_cutEndEdit);
}

BOOL CConvertPage::OnInitDialog()
{
    CFormatTaskPage::OnInitDialog();
    SetTip(IDC_PAGE_SOURCE, L"Please click 'Choose...' button to choose a source file");
    SetTip(IDC_PAGE_CHOOSE_SOURCE, L"Choose source file");
    SetTip(IDC_PAGE_CUT, L"Convert only a part of the source video/audio");
    SetTip(IDC_PAGE_RESET, L"Reset options");
    for (LPCWSTR angle : {L"90\u00B0", L"180\u00B0", L"270\u00B0"})
        SendDlgItemMessage(IDC_PAGE_ROTATION, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(angle));
    SendDlgItemMessage(IDC_PAGE_ROTATION, CB_SETCURSEL, m_rotateIndex);
    SendDlgItemMessage(IDC_PAGE_VOLUME, TBM_SETRANGE, TRUE, MAKELPARAM(0, kMaxVolume));
    SendDlgItemMessage(IDC_PAGE_VOLUME, TBM_SETPOS, TRUE, m_volume);
    ShowVolume();
    ShowTimes();
    SetRunningLayout(FALSE);
    ApplySameAsInput();
    return TRUE;
}

int CConvertPage::CollectData()
{
    CFormatTaskPage::CollectData();
    m_bCut = IsDlgButtonChecked(IDC_PAGE_CUT) ? 1 : 0;
    m_bFlipHorizontally = IsDlgButtonChecked(IDC_PAGE_FLIP_HORIZONTALLY) ? 1 : 0;
    m_bFlipVertically = IsDlgButtonChecked(IDC_PAGE_FLIP_VERTICALLY) ? 1 : 0;
    m_bRotate = IsDlgButtonChecked(IDC_PAGE_ROTATE) ? 1 : 0;
    m_rotateIndex = static_cast<int>(SendDlgItemMessage(IDC_PAGE_ROTATION, CB_GETCURSEL));
    m_bGrayscale = IsDlgButtonChecked(IDC_PAGE_GRAYSCALE) ? 1 : 0;
    m_bNegate = IsDlgButtonChecked(IDC_PAGE_NEGATE) ? 1 : 0;
    m_bOldPhoto = IsDlgButtonChecked(IDC_PAGE_OLD_PHOTO) ? 1 : 0;
    m_bChangeVolume = IsDlgButtonChecked(IDC_PAGE_CHANGE_VOLUME) ? 1 : 0;
    m_volume = static_cast<int>(SendDlgItemMessage(IDC_PAGE_VOLUME, TBM_GETPOS));
    m_cutStart = m_cutStartEdit.GetTime();
    m_cutEnd = m_cutEndEdit.GetWindowTextLength() == 0 ? -1 : m_cutEndEdit.GetTime();
    return 0;
}

void CConvertPage::GetCut(BOOL bCut, LONGLONG start, LONGLONG end, int& cutStart, int& cutEnd)
{
    cutStart = 0;
    cutEnd = -1;
    if (!bCut)
        return;
    if (end > 0)
        cutEnd = static_cast<int>(end);
    if (start > 0)
        cutStart = static_cast<int>(start);
    if (cutEnd > 0 && cutStart >= cutEnd) {
        cutStart = 0;
        cutEnd = -1;
    }
}

void CConvertPage::CorrectTimes(LONGLONG duration, LONGLONG& start, LONGLONG& end)
{
    if (start <= 0 || start >= duration)
        start = 0;
    if (end <= start || end > duration)
        end = duration;
}

int CConvertPage::FillTask(CConvertTaskRecord& record)
{
    FillFormatTask(record);
    CConvertOptions& options = record.m_options;
    GetCut(m_bCut, m_cutStart, m_cutEnd, options.m_cutStart, options.m_cutEnd);
    if (m_bSourceHasVideo) {
        options.m_horizontalFlip = m_bFlipHorizontally ? 1 : 0;
        options.m_verticalFlip = m_bFlipVertically ? 1 : 0;
        options.m_rotation = m_bRotate ? (m_rotateIndex + 1) * 90 : 0;
        options.m_grayscale = m_bGrayscale ? 1 : 0;
        options.m_negate = m_bNegate ? 1 : 0;
        options.m_oldPhoto = m_bOldPhoto ? 1 : 0;
    }
    if (m_bSourceHasAudio)
        options.m_volume = m_bChangeVolume ? m_volume : 100;
    return 0;
}

void CConvertPage::SourceApplied()
{
    LONGLONG duration = m_record.m_inputs.m_mainDuration / 1000;
    CollectData();
    CorrectTimes(duration, m_cutStart, m_cutEnd);
    ShowTimes();
    ApplyOptionRules(FALSE);
}

void CConvertPage::ShowTimes()
{
    m_cutStartEdit.SetTime(m_cutStart);
    if (m_cutEnd < 0)
        m_cutEndEdit.SetWindowText(L"");
    else
        m_cutEndEdit.SetTime(m_cutEnd);
}

void CConvertPage::ShowVolume()
{
    CString label;
    label.Format(L"%d%%", static_cast<int>(SendDlgItemMessage(IDC_PAGE_VOLUME, TBM_GETPOS)));
    SetDlgItemText(IDC_PAGE_VOLUME_LABEL, label);
}

void CConvertPage::ApplyOptionRules(BOOL bRunning)
{
    BOOL idle = !bRunning;
    BOOL cut = idle && IsDlgButtonChecked(IDC_PAGE_CUT);
    for (UINT id : kCutControls)
        EnableItem(id, cut);
    // Without a probed source every group stays usable; a probe tells which streams there are.
    BOOL video = idle && (m_bSourceHasVideo || m_sourcePath.IsEmpty());
    for (UINT id : kPictureControls)
        EnableItem(id, video);
    EnableItem(IDC_PAGE_ROTATION, video && IsDlgButtonChecked(IDC_PAGE_ROTATE));
    BOOL audio = idle && (m_bSourceHasAudio || m_sourcePath.IsEmpty()) && m_pFormat && m_pFormat->HasAudio();
    EnableItem(IDC_PAGE_AUDIO_GROUP, audio);
    EnableItem(IDC_PAGE_CHANGE_VOLUME, audio);
    BOOL volume = audio && IsDlgButtonChecked(IDC_PAGE_CHANGE_VOLUME);
    EnableItem(IDC_PAGE_VOLUME, volume);
    EnableItem(IDC_PAGE_VOLUME_LABEL, volume);
}

void CConvertPage::SetRunningLayout(BOOL bRunning)
{
    for (UINT id : kSourceControls)
        EnableItem(id, !bRunning);
    EnableItem(IDC_PAGE_SAME_AS_INPUT, !bRunning);
    if (!bRunning) {
        m_presetCombo.EnableWindow(m_pFormat != nullptr);
        EnableItem(IDC_PAGE_ADVANCED, m_pFormat != nullptr);
    }
    EnableDestination(bRunning);
    ApplyOptionRules(bRunning);
    SetIdleFocus(bRunning);
}

void CConvertPage::SelectFormat(int nIndex)
{
    CFormatTaskPage::SelectFormat(nIndex);
    ApplyOptionRules(m_bBusy != 0);
}

void CConvertPage::OnCut()
{
    ApplyOptionRules(FALSE);
}

void CConvertPage::OnRotate()
{
    ApplyOptionRules(FALSE);
}

void CConvertPage::OnChangeVolume()
{
    ApplyOptionRules(FALSE);
}

void CConvertPage::OnReset()
{
    CheckDlgButton(IDC_PAGE_CUT, 0);
    m_cutStart = 0;
    m_cutEnd = m_record.m_inputs.m_mainDuration > 0 ? m_record.m_inputs.m_mainDuration / 1000 : -1;
    ShowTimes();
    for (UINT id : kPictureChecks)
        CheckDlgButton(id, 0);
    ApplyOptionRules(FALSE);
}

void CConvertPage::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    ShowVolume();
    CFormatTaskPage::OnHScroll(nSBCode, nPos, pScrollBar);
}
