#include "conversion/app/CPresetDlg.h"
#include "classlib/AfxMessageMap.h"
#include "conversion/app/res/ConversionAppResources.h"
#include "conversion/engine/EngineTexts.h"
#include "framework/text/TextHelpers.h"
#include "mediatools/MediaInfoText.h"

IMPLEMENT_DYNAMIC(CPresetDlg, CCXDialog)

BEGIN_MESSAGE_MAP(CPresetDlg, CCXDialog)
ON_BN_CLICKED(IDC_VIDEO_CHECK, &CPresetDlg::OnVideoCheck)
ON_BN_CLICKED(IDC_AUDIO_CHECK, &CPresetDlg::OnAudioCheck)
ON_CBN_SELCHANGE(IDC_VIDEO_CODEC, &CPresetDlg::OnVideoCodec)
ON_CBN_SELCHANGE(IDC_AUDIO_CODEC, &CPresetDlg::OnAudioCodec)
ON_CBN_SELCHANGE(IDC_RESOLUTION, &CPresetDlg::OnResolution)
ON_CBN_SELCHANGE(IDC_FRAME_RATE, &CPresetDlg::OnFrameRate)
ON_CBN_SELCHANGE(IDC_VIDEO_BIT_RATE, &CPresetDlg::OnVideoBitRate)
ON_CBN_SELCHANGE(IDC_CHANNELS, &CPresetDlg::OnChannels)
ON_CBN_SELCHANGE(IDC_SAMPLE_RATE, &CPresetDlg::OnSampleRate)
ON_CBN_SELCHANGE(IDC_AUDIO_BIT_RATE, &CPresetDlg::OnAudioBitRate)
ON_BN_CLICKED(IDC_VIDEO_SAME_QUALITY, &CPresetDlg::OnSameQuality)
ON_BN_CLICKED(IDC_AUDIO_SAME_QUALITY, &CPresetDlg::OnSameQuality)
ON_EN_CHANGE(IDC_WIDTH, &CPresetDlg::OnCustomEditChange)
ON_EN_CHANGE(IDC_HEIGHT, &CPresetDlg::OnCustomEditChange)
ON_EN_CHANGE(IDC_FRAME_RATE_EDIT, &CPresetDlg::OnCustomEditChange)
ON_EN_CHANGE(IDC_VIDEO_BIT_RATE_EDIT, &CPresetDlg::OnCustomEditChange)
ON_EN_CHANGE(IDC_SAMPLE_RATE_EDIT, &CPresetDlg::OnCustomEditChange)
ON_EN_CHANGE(IDC_AUDIO_BIT_RATE_EDIT, &CPresetDlg::OnCustomEditChange)
END_MESSAGE_MAP()

namespace {

const wchar_t kCustom[] = L"Custom";
// The largest number a custom edit takes (bit rates in bit/s, sizes, sample rates).
const int kMaxCustomNumber = 1000000000;

struct TipText {
    int id;
    LPCWSTR text;
};

const TipText kTips[] = {
    {IDC_VIDEO_CHECK,
     L"Enable/disable video\n- Checked = the output file contains video stream\n- Unchecked = the "
     L"output file doesn't contain video stream"},
    {IDC_AUDIO_CHECK,
     L"Enable/disable audio\n- Checked = the output file contains audio stream\n- Unchecked = the "
     L"output file doesn't contain audio stream"},
    {IDC_VIDEO_CODEC, L"Select video format/codec"},
    {IDC_RESOLUTION, L"Set video resolution (width x height)"},
    {IDC_FRAME_RATE, L"Set video frame rate (fps)"},
    {IDC_VIDEO_BIT_RATE,
     L"Set video bitrate (kbps)\n- Higher bitrate = higher quality & larger file\n- Lower bitrate "
     L"= lower quality & smaller file"},
    {IDC_AUDIO_CODEC, L"Select audio format/codec"},
    {IDC_CHANNELS, L"Set audio channels"},
    {IDC_SAMPLE_RATE, L"Set audio sample rate (Hz)"},
    {IDC_AUDIO_BIT_RATE,
     L"Set audio bitrate (kbps)\n- Higher bitrate = higher quality & larger file\n- Lower bitrate "
     L"= lower quality & smaller file"},
    {IDC_WIDTH, L"Enter video width here"},
    {IDC_HEIGHT, L"Enter video height here"},
    {IDC_FRAME_RATE_EDIT, L"Enter video frame rate here"},
    {IDC_VIDEO_BIT_RATE_EDIT, L"Enter video bit rate here (bps)"},
    {IDC_SAMPLE_RATE_EDIT, L"Enter audio sample rate here"},
    {IDC_AUDIO_BIT_RATE_EDIT, L"Enter audio bit rate here (bps)"},
};

// The controls each stream's check enables, its check box and group aside.
const int kVideoControls[] = {IDC_VIDEO_CODEC_LABEL,
                              IDC_VIDEO_CODEC,
                              IDC_RESOLUTION_LABEL,
                              IDC_RESOLUTION,
                              IDC_WIDTH,
                              IDC_SIZE_X,
                              IDC_HEIGHT,
                              IDC_FRAME_RATE_LABEL,
                              IDC_FRAME_RATE,
                              IDC_FRAME_RATE_EDIT,
                              IDC_VIDEO_BIT_RATE_LABEL,
                              IDC_VIDEO_BIT_RATE,
                              IDC_VIDEO_BIT_RATE_EDIT,
                              IDC_VIDEO_SAME_QUALITY};
const int kAudioControls[] = {
    IDC_AUDIO_CODEC_LABEL, IDC_AUDIO_CODEC,         IDC_CHANNELS_LABEL,    IDC_CHANNELS,
    IDC_SAMPLE_RATE_LABEL, IDC_SAMPLE_RATE,         IDC_SAMPLE_RATE_EDIT,  IDC_AUDIO_BIT_RATE_LABEL,
    IDC_AUDIO_BIT_RATE,    IDC_AUDIO_BIT_RATE_EDIT, IDC_AUDIO_SAME_QUALITY};

template <class T, class TextOf>
void FillCombo(CWnd& dlg, int id, const CPresetChoice<T>& choice, TextOf textOf)
{
    HWND hCombo = ::GetDlgItem(dlg.m_hWnd, id);
    ::SendMessageW(hCombo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < choice.GetEntries().GetSize(); i++)
        ::SendMessageW(hCombo, CB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(textOf(choice.GetEntries()[i]))));
    if (choice.CustomIndex() >= 0)
        ::SendMessageW(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kCustom));
    ::SendMessageW(hCombo, CB_SETCURSEL, choice.GetSelected(), 0);
}

template <class Codec>
void FillCodecs(CWnd& dlg, int id, const COwnedPtrArray<Codec>& codecs, int selected)
{
    HWND hCombo = ::GetDlgItem(dlg.m_hWnd, id);
    ::SendMessageW(hCombo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < codecs.GetSize(); i++)
        ::SendMessageW(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(codecs[i]->m_name));
    ::SendMessageW(hCombo, CB_SETCURSEL, selected, 0);
}

void ShowControl(CWnd& dlg, int id, bool show)
{
    ::ShowWindow(::GetDlgItem(dlg.m_hWnd, id), show ? SW_SHOW : SW_HIDE);
}

void EnableControl(CWnd& dlg, int id, bool enable)
{
    ::EnableWindow(::GetDlgItem(dlg.m_hWnd, id), enable);
}

}  // namespace

CString CPresetDlg::SizeText(MediaSize size)
{
    return FormatPairOrAuto(size.width, size.height, L"%d x %d", true);
}

CString CPresetDlg::FrameRateText(MediaRate rate)
{
    return FormatFrameRateText(rate.num, rate.den, L"%.3f", false, true);
}

CString CPresetDlg::BitRateText(int bitRate)
{
    return FormatBitrate(bitRate, L"%.3f", false, true);
}

CString CPresetDlg::ChannelsText(int channels)
{
    return FormatChannels(channels, true);
}

CString CPresetDlg::SampleRateText(int sampleRate)
{
    return FormatSampleRate(sampleRate, L"%d", false, true);
}

CPresetDlg::CPresetDlg(const CMediaFormat& format, CMediaPreset& preset, CWnd* pParentWnd)
    : CCXDialog(IDD_PRESET, pParentWnd), m_pFormat(&format), m_pPreset(&preset)
{}

CPresetDlg::CPresetDlg(UINT nIDTemplate, CWnd* pParentWnd) : CCXDialog(nIDTemplate, pParentWnd) {}

BOOL CPresetDlg::OnInitDialog()
{
    BOOL result = CCXDialog::OnInitDialog();
    AddTips();
    SendDlgItemMessage(IDC_PRESET_NAME, EM_LIMITTEXT, CPresetEditor::kMaxNameLength);
    if (m_pPreset)
        EditPreset(m_pFormat, m_pPreset);
    return result;
}

void CPresetDlg::AddTips()
{
    for (const TipText& tip : kTips)
        SetControlTip(tip.id, tip.text);
}

void CPresetDlg::EditPreset(const CMediaFormat* pFormat, const CMediaPreset* pPreset)
{
    m_pFormat = pFormat;
    m_pEditor.reset(pFormat && pPreset ? new CPresetEditor(*pFormat, *pPreset) : nullptr);
    ShowAll();
}

void CPresetDlg::ShowAll()
{
    m_filling++;
    const bool hasVideo = m_pEditor && m_pFormat->HasVideo();
    const bool hasAudio = m_pEditor && m_pFormat->HasAudio();
    SetDlgItemText(IDC_PRESET_NAME, m_pEditor ? static_cast<LPCWSTR>(m_pEditor->m_name) : L"");
    EnableControl(*this, IDC_VIDEO_GROUP, hasVideo);
    EnableControl(*this, IDC_AUDIO_GROUP, hasAudio);
    if (hasVideo) {
        FillCodecs(*this, IDC_VIDEO_CODEC, m_pFormat->m_videoCodecs, m_pEditor->GetVideoCodecIndex());
        ShowVideoValues();
    } else {
        for (int id : {IDC_VIDEO_CODEC, IDC_RESOLUTION, IDC_FRAME_RATE, IDC_VIDEO_BIT_RATE})
            SendDlgItemMessage(id, CB_RESETCONTENT);
    }
    if (hasAudio) {
        FillCodecs(*this, IDC_AUDIO_CODEC, m_pFormat->m_audioCodecs, m_pEditor->GetAudioCodecIndex());
        ShowAudioValues();
    } else {
        for (int id : {IDC_AUDIO_CODEC, IDC_CHANNELS, IDC_SAMPLE_RATE, IDC_AUDIO_BIT_RATE})
            SendDlgItemMessage(id, CB_RESETCONTENT);
    }
    CheckDlgButton(IDC_VIDEO_SAME_QUALITY, m_pEditor && m_pEditor->m_videoSameQuality ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_AUDIO_SAME_QUALITY, m_pEditor && m_pEditor->m_audioSameQuality ? BST_CHECKED : BST_UNCHECKED);
    ShowCustomEdits();
    ShowStreamSwitches();
    m_filling--;
}

void CPresetDlg::ShowVideoValues()
{
    m_filling++;
    FillCombo(*this, IDC_RESOLUTION, m_pEditor->m_resolution, &CPresetDlg::SizeText);
    FillCombo(*this, IDC_FRAME_RATE, m_pEditor->m_frameRate, &CPresetDlg::FrameRateText);
    FillCombo(*this, IDC_VIDEO_BIT_RATE, m_pEditor->m_videoBitRate, &CPresetDlg::BitRateText);
    ShowCustomEdits();
    m_filling--;
}

void CPresetDlg::ShowAudioValues()
{
    m_filling++;
    FillCombo(*this, IDC_CHANNELS, m_pEditor->m_channels, &CPresetDlg::ChannelsText);
    FillCombo(*this, IDC_SAMPLE_RATE, m_pEditor->m_sampleRate, &CPresetDlg::SampleRateText);
    FillCombo(*this, IDC_AUDIO_BIT_RATE, m_pEditor->m_audioBitRate, &CPresetDlg::BitRateText);
    ShowCustomEdits();
    m_filling--;
}

// Each custom edit shows the number its list stands for, and is visible while "Custom" is chosen.
void CPresetDlg::ShowCustomEdits()
{
    m_filling++;
    const CPresetEditor* e = m_pEditor.get();
    const bool video = e && m_pFormat->HasVideo();
    const bool audio = e && m_pFormat->HasAudio();
    SetDlgItemInt(IDC_WIDTH, video ? e->m_resolution.GetCustom().width : 0);
    SetDlgItemInt(IDC_HEIGHT, video ? e->m_resolution.GetCustom().height : 0);
    SetDlgItemText(IDC_FRAME_RATE_EDIT, video ? static_cast<LPCWSTR>(e->m_customFrameRate) : L"");
    SetDlgItemInt(IDC_VIDEO_BIT_RATE_EDIT, video ? e->m_videoBitRate.GetCustom() : 0);
    SetDlgItemInt(IDC_SAMPLE_RATE_EDIT, audio ? e->m_sampleRate.GetCustom() : 0);
    SetDlgItemInt(IDC_AUDIO_BIT_RATE_EDIT, audio ? e->m_audioBitRate.GetCustom() : 0);
    for (int id : {IDC_WIDTH, IDC_SIZE_X, IDC_HEIGHT})
        ShowControl(*this, id, video && e->m_resolution.IsCustom());
    ShowControl(*this, IDC_FRAME_RATE_EDIT, video && e->m_frameRate.IsCustom());
    ShowControl(*this, IDC_VIDEO_BIT_RATE_EDIT, video && e->m_videoBitRate.IsCustom());
    ShowControl(*this, IDC_SAMPLE_RATE_EDIT, audio && e->m_sampleRate.IsCustom());
    ShowControl(*this, IDC_AUDIO_BIT_RATE_EDIT, audio && e->m_audioBitRate.IsCustom());
    m_filling--;
}

// At least one stream stays on: a check box is enabled only while the editor lets it switch.
void CPresetDlg::ShowStreamSwitches()
{
    const CPresetEditor* e = m_pEditor.get();
    CheckDlgButton(IDC_VIDEO_CHECK, e && e->IsVideoOn() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_AUDIO_CHECK, e && e->IsAudioOn() ? BST_CHECKED : BST_UNCHECKED);
    EnableControl(*this, IDC_VIDEO_CHECK, e && e->CanSwitchVideo());
    EnableControl(*this, IDC_AUDIO_CHECK, e && e->CanSwitchAudio());
    EnableStream(true);
    EnableStream(false);
}

void CPresetDlg::EnableStream(bool video)
{
    const CPresetEditor* e = m_pEditor.get();
    const bool on = e && (video ? e->IsVideoOn() : e->IsAudioOn());
    if (video) {
        for (int id : kVideoControls)
            EnableControl(*this, id, on);
    } else {
        for (int id : kAudioControls)
            EnableControl(*this, id, on);
    }
}

int CPresetDlg::SelectedIndex(int id) const
{
    return static_cast<int>(SendDlgItemMessage(id, CB_GETCURSEL));
}

// A number of a custom edit; the quiet read takes what it can and keeps the rest.
bool CPresetDlg::ReadNumber(int id, bool bStrict, int& value)
{
    CString text;
    GetDlgItemText(id, text);
    text.Trim();
    LPCWSTR p = text;
    LONGLONG number = 0;
    bool digits = *p != 0;
    for (; *p; p++) {
        if (*p < L'0' || *p > L'9') {
            digits = false;
            break;
        }
        if (number <= kMaxCustomNumber)
            number = number * 10 + (*p - L'0');
    }
    if (digits && number <= kMaxCustomNumber) {
        value = static_cast<int>(number);
        return true;
    }
    if (bStrict) {
        MessageBox(L"Please enter a whole number from 0 to 1000000000.", L"Preset", MB_OK | MB_ICONWARNING);
        GotoDlgCtrl(GetDlgItem(id));
    }
    return !bStrict;
}

bool CPresetDlg::ReadControls(bool bStrict)
{
    CPresetEditor* e = m_pEditor.get();
    if (!e)
        return !bStrict;
    if (GetDlgItem(IDC_PRESET_NAME))
        GetDlgItemText(IDC_PRESET_NAME, e->m_name);
    e->m_videoSameQuality = IsDlgButtonChecked(IDC_VIDEO_SAME_QUALITY) == BST_CHECKED;
    e->m_audioSameQuality = IsDlgButtonChecked(IDC_AUDIO_SAME_QUALITY) == BST_CHECKED;
    // Only the edits in use are read: a hidden one holds its list's value.
    MediaSize size = e->m_resolution.GetCustom();
    if (e->m_resolution.IsCustom()) {
        if (!ReadNumber(IDC_WIDTH, bStrict, size.width) || !ReadNumber(IDC_HEIGHT, bStrict, size.height))
            return false;
        e->m_resolution.SetCustom(size);
    }
    if (e->m_frameRate.IsCustom())
        GetDlgItemText(IDC_FRAME_RATE_EDIT, e->m_customFrameRate);
    struct NumberEdit {
        CPresetChoice<int>& choice;
        int id;
    };
    NumberEdit edits[] = {{e->m_videoBitRate, IDC_VIDEO_BIT_RATE_EDIT},
                          {e->m_sampleRate, IDC_SAMPLE_RATE_EDIT},
                          {e->m_audioBitRate, IDC_AUDIO_BIT_RATE_EDIT}};
    for (NumberEdit& edit : edits) {
        int value = edit.choice.GetCustom();
        if (!edit.choice.IsCustom())
            continue;
        if (!ReadNumber(edit.id, bStrict, value))
            return false;
        edit.choice.SetCustom(value);
    }
    return true;
}

bool CPresetDlg::StoreInto(CMediaPreset& preset)
{
    CString name = m_pEditor->m_name;
    if (GetDlgItem(IDC_PRESET_NAME) && name.Trim().IsEmpty()) {
        MessageBox(L"Please enter a name for the preset.", L"Preset", MB_OK | MB_ICONWARNING);
        GotoDlgCtrl(GetDlgItem(IDC_PRESET_NAME));
        return false;
    }
    switch (m_pEditor->Apply(preset)) {
    case PRESET_EDIT_OK:
        return true;
    case PRESET_EDIT_NAME_TOO_LONG:
        MessageBox(L"A preset name can be at most 63 characters long.", L"Preset", MB_OK | MB_ICONWARNING);
        GotoDlgCtrl(GetDlgItem(IDC_PRESET_NAME));
        return false;
    case PRESET_EDIT_BAD_FRAME_RATE:
        MessageBox(L"Please enter a frame rate from 0 to 1000, for example 25 or 29.97.", L"Preset",
                   MB_OK | MB_ICONWARNING);
        GotoDlgCtrl(GetDlgItem(IDC_FRAME_RATE_EDIT));
        return false;
    default:
        MessageBox(L"The format offers no codec for a stream that is switched on.", L"Preset", MB_OK | MB_ICONWARNING);
        return false;
    }
}

void CPresetDlg::OnOK()
{
    if (!m_pEditor || !m_pPreset || !ReadControls(true) || !StoreInto(*m_pPreset))
        return;
    EndDialog(IDOK);
}

void CPresetDlg::OnVideoCheck()
{
    if (m_pEditor)
        m_pEditor->SetVideoOn(IsDlgButtonChecked(IDC_VIDEO_CHECK) == BST_CHECKED);
    ShowStreamSwitches();
    OnValuesChanged();
}

void CPresetDlg::OnAudioCheck()
{
    if (m_pEditor)
        m_pEditor->SetAudioOn(IsDlgButtonChecked(IDC_AUDIO_CHECK) == BST_CHECKED);
    ShowStreamSwitches();
    OnValuesChanged();
}

void CPresetDlg::OnVideoCodec()
{
    if (!m_pEditor)
        return;
    ReadQuietly();
    m_pEditor->SelectVideoCodec(SelectedIndex(IDC_VIDEO_CODEC));
    ShowVideoValues();
    OnValuesChanged();
}

void CPresetDlg::OnAudioCodec()
{
    if (!m_pEditor)
        return;
    ReadQuietly();
    m_pEditor->SelectAudioCodec(SelectedIndex(IDC_AUDIO_CODEC));
    ShowAudioValues();
    OnValuesChanged();
}

// Choosing "Custom" shows its edit and moves there; choosing an entry hides it.
void CPresetDlg::AfterSelection(int editId, bool custom)
{
    ShowCustomEdits();
    if (custom)
        GotoDlgCtrl(GetDlgItem(editId));
    OnValuesChanged();
}

void CPresetDlg::OnResolution()
{
    if (!m_pEditor)
        return;
    ReadQuietly();
    m_pEditor->SelectResolution(SelectedIndex(IDC_RESOLUTION));
    AfterSelection(IDC_WIDTH, m_pEditor->m_resolution.IsCustom());
}

void CPresetDlg::OnFrameRate()
{
    if (!m_pEditor)
        return;
    ReadQuietly();
    m_pEditor->SelectFrameRate(SelectedIndex(IDC_FRAME_RATE));
    AfterSelection(IDC_FRAME_RATE_EDIT, m_pEditor->m_frameRate.IsCustom());
}

void CPresetDlg::OnVideoBitRate()
{
    if (!m_pEditor)
        return;
    ReadQuietly();
    m_pEditor->m_videoBitRate.Select(SelectedIndex(IDC_VIDEO_BIT_RATE));
    AfterSelection(IDC_VIDEO_BIT_RATE_EDIT, m_pEditor->m_videoBitRate.IsCustom());
}

void CPresetDlg::OnChannels()
{
    if (!m_pEditor)
        return;
    m_pEditor->m_channels.Select(SelectedIndex(IDC_CHANNELS));
    OnValuesChanged();
}

void CPresetDlg::OnSampleRate()
{
    if (!m_pEditor)
        return;
    ReadQuietly();
    m_pEditor->m_sampleRate.Select(SelectedIndex(IDC_SAMPLE_RATE));
    AfterSelection(IDC_SAMPLE_RATE_EDIT, m_pEditor->m_sampleRate.IsCustom());
}

void CPresetDlg::OnAudioBitRate()
{
    if (!m_pEditor)
        return;
    ReadQuietly();
    m_pEditor->m_audioBitRate.Select(SelectedIndex(IDC_AUDIO_BIT_RATE));
    AfterSelection(IDC_AUDIO_BIT_RATE_EDIT, m_pEditor->m_audioBitRate.IsCustom());
}

void CPresetDlg::OnSameQuality()
{
    if (!m_pEditor)
        return;
    ReadQuietly();
    OnValuesChanged();
}

void CPresetDlg::OnCustomEditChange()
{
    if (m_filling || !m_pEditor)
        return;
    ReadQuietly();
    OnValuesChanged();
}
