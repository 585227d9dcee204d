// The "Preset" dialog: edits one preset of one format: its name, whether the output has video
// and audio, each stream's codec and values, picked from the codec's lists or typed after
// choosing "Custom" where the codec takes any value. CPresetEditor holds the edit and its
// rules; this window shows it. OK writes the edit into the preset. The Format Settings dialog
// builds on the same stream controls. Modal, on the window thread.
#pragma once
#include "conversion/app/CPresetEditor.h"
#include "conversion/app/controls/CCXDialog.h"
#include <memory>

class CPresetDlg : public CCXDialog {
    DECLARE_DYNAMIC(CPresetDlg)
public:
    // The format and the preset stay the caller's; the preset changes only on OK.
    CPresetDlg(const CMediaFormat& format, CMediaPreset& preset, CWnd* pParentWnd = nullptr);

    BOOL OnInitDialog() override;

    // The texts of the value lists.
    static CString SizeText(MediaSize size);
    static CString FrameRateText(MediaRate rate);
    static CString BitRateText(int bitRate);
    static CString ChannelsText(int channels);
    static CString SampleRateText(int sampleRate);

    const CPresetEditor* GetEditor() const { return m_pEditor.get(); }

protected:
    CPresetDlg(UINT nIDTemplate, CWnd* pParentWnd);

    // Starts editing the preset of the format (either may be null: nothing to edit) and
    // shows it; the change notifications of the fill are not passed on.
    void EditPreset(const CMediaFormat* pFormat, const CMediaPreset* pPreset);
    // Reads the name, the custom numbers and the boxes into the editor. With bStrict a number
    // that isn't one is shown to the user (the edit focused) and the answer is false.
    bool ReadControls(bool bStrict);
    // Writes the edit into the preset after ReadControls; a refusal is shown, false then.
    bool StoreInto(CMediaPreset& preset);
    // Something the user changed, after the editor has it; the Format Settings dialog
    // looks for the preset that now matches.
    virtual void OnValuesChanged() {}

    void OnOK() override;
    void OnVideoCheck();
    void OnAudioCheck();
    void OnVideoCodec();
    void OnAudioCodec();
    void OnResolution();
    void OnFrameRate();
    void OnVideoBitRate();
    void OnChannels();
    void OnSampleRate();
    void OnAudioBitRate();
    void OnSameQuality();
    void OnCustomEditChange();
    DECLARE_MESSAGE_MAP()

    std::unique_ptr<CPresetEditor> m_pEditor;
    const CMediaFormat* m_pFormat = nullptr;
    CMediaPreset* m_pPreset = nullptr;  // the preset OK writes; null in the Format Settings dialog
    int m_filling = 0;                  // above 0 while the controls are filled

private:
    void AddTips();
    void ShowAll();
    void ShowVideoValues();
    void ShowAudioValues();
    void ShowCustomEdits();
    void ShowStreamSwitches();
    void EnableStream(bool video);
    void ReadQuietly() { ReadControls(false); }
    bool ReadNumber(int id, bool bStrict, int& value);
    int SelectedIndex(int id) const;
    void AfterSelection(int editId, bool custom);
};
