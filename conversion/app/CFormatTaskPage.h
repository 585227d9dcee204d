// CFormatTaskPage: a format page with one source file (the convert, M3U8 and video-to-audio
// pages): the source field 1213 with "Choose..." 1147, drops, the source's probe on its own
// thread, the format and preset lists and "Advanced...". A source typed or dropped without a
// probe is probed on the task's thread before the run, so a run never uses the information
// of a previous file.
#pragma once
#include "conversion/app/CFormatTaskPageBase.h"

class CFormatTaskPage : public CFormatTaskPageBase {
    DECLARE_DYNAMIC(CFormatTaskPage)
public:
    CFormatTaskPage(UINT nIDTemplate, CPageSettings& settings);

    BOOL OnInitDialog() override;
    int RefreshFormats() override;
    int CollectData() override;
    int Validate() override;
    CString GetInputFolder() const override;
    void AddToRecentLists() override;
    void DeleteSources() override;

    // Probes the file on the probe thread; SourceApplied follows when it is a media file.
    // 0 started, -1 when a probe or run is under way.
    int SetSource(LPCWSTR lpszPath);
    // The record's main input for the run: probed again when the path is not the probed one.
    void PrepareMainInput(CConvertTaskRecord& record);
    // The common part of FillTask: the source, fresh job settings, format, preset and output.
    void FillFormatTask(CConvertTaskRecord& record);

    CString m_sourcePath;
    int m_bSourceHasVideo = 0;
    int m_bSourceHasAudio = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSelchangeFormat();
    void OnSelchangePreset();
    void OnAdvanced();
    void OnChooseSource();
    void DropFile(LPCWSTR path) override;
    void SourceProbed(WPARAM tag, int result) override;
    // After a probed source is in place: the page's options follow the source's streams.
    virtual void SourceApplied() {}
    // The source dialog's filter ("Name|*.ext|...|").
    virtual LPCWSTR GetSourceFilter() const = 0;
    // Selects the format list's row as after a change of the list: the format being left
    // remembers its preset, the chosen one takes its remembered or default preset.
    void ReapplyFormat();
    // The chosen format's remembered preset row, else its default, else the first.
    int RememberedPresetRow() const;
    DECLARE_MESSAGE_MAP()

private:
    CString m_probingPath;
};
