// CMergePage: "Merge video and audio": a video file and a separate audio file joined into one
// output; the engine picks the container from the inputs.
#pragma once
#include "conversion/app/CConversionTaskPage.h"

class CMergePage : public CConversionTaskPage {
    DECLARE_DYNAMIC(CMergePage)
public:
    CMergePage();

    BOOL OnInitDialog() override;
    int CollectData() override;
    int Validate() override;
    int FillTask(CConvertTaskRecord& record) override;
    void SetRunningLayout(BOOL bRunning) override;
    CString GetInputFolder() const override;
    void AddToRecentLists() override;
    void DeleteSources() override;

    // Probe the file on the probe thread; the combo takes it when it is a video (an audio).
    int SetVideo(LPCWSTR lpszPath);
    int SetAudio(LPCWSTR lpszPath);

    CRecentFileComboBoxEx m_videoCombo{DROP_FILES};
    CRecentFileComboBoxEx m_audioCombo{DROP_FILES};
    CString m_videoPath;
    CString m_audioPath;
    CString m_outputName;

    enum ProbeTag { kVideoProbe = 1, kAudioProbe = 2 };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnChooseVideo();
    void OnChooseAudio();
    void OnVideoEdited();
    void OnVideoSelected();
    void DropFile(LPCWSTR path) override;
    void SourceProbed(WPARAM tag, int result) override;
    // The video path changed: the output name and, with "same as input", the destination follow.
    void VideoPathChanged(const CString& path);
    DECLARE_MESSAGE_MAP()

private:
    CString m_probingPath;
};
