// An output format: the encoding tool's muxer and the file extension, the codecs it offers,
// and its ordered presets plus one custom preset.
#pragma once
#include "conversion/engine/CMediaCatalogItem.h"
#include "conversion/engine/CMediaPreset.h"
#include "classlib/COwnedPtrArray.h"
#include "mediatools/CEncoderJob.h"
#include <atomic>

// Format flags.
const DWORD FORMAT_VIDEO = 0x1;
const DWORD FORMAT_AUDIO = 0x2;
const DWORD FORMAT_DEVICE = 0x100;  // a device family
const DWORD FORMAT_OFF = 0x20000000;  // not offered in the task pages' format lists

class CMediaFormat : public CMediaCatalogItem {
public:
    CMediaFormat() = default;
    ~CMediaFormat() override;

    // Reloads the built-in presets and makes the first the default. Refused (-1, nothing
    // changed) while a preset of the format is in use; 0 when done.
    virtual int ResetPresets() = 0;
    // The settings a preset gives for these source streams (either may be null): the record
    // layout holding the format's flags with the preset's, the muxer as name, the codecs'
    // encoder names as codec ids and the values picked by the codecs' rules. Returns 1.
    virtual int ResolveSettings(MediaPresetRecord& resolved, const CMediaPreset& preset,
        const CMediaStreamInfo* pVideoStream, const CMediaStreamInfo* pAudioStream) const;
    // Fills the options for the preset from the streams of the options' first input, as the
    // caller probed it (a second input is probed here): 0 or -1.
    virtual int PrepareJob(CEncoderOptions& options, const CMediaPreset& preset, const CMediaInfo& input,
                           const StopFlag* pStopValue);
    // Fills the output format and the stream options for the preset and source streams; a
    // stream without a source stream or switched off is dropped. 0 or -1.
    virtual int BuildEncoderOptions(CEncoderOptions& options, const CMediaPreset& preset,
        const CMediaStreamInfo* pVideoStream, const CMediaStreamInfo* pAudioStream);
    // Runs the encoding tool for the options' input, probed as input, with the preset; progress
    // goes to the window and the listener. 0 done, 1 stopped, -1 failed. Blocks the task's
    // worker thread.
    virtual int Convert(CEncoderOptions& options, const CMediaPreset& preset, const CMediaInfo& input,
                        CEncoderJobListener* pListener, HWND hWnd, const StopFlag* pStopValue);

    // One run of the encoding tool as an encoder job: 0 done, 1 stopped, -1 failed.
    static int RunEncoderJob(CEncoderOptions& options, HWND hWnd, CEncoderJobListener* pListener,
                             const StopFlag* pStopValue);

    bool HasVideo() const { return (m_flags & FORMAT_VIDEO) != 0; }
    bool HasAudio() const { return (m_flags & FORMAT_AUDIO) != 0; }
    // The stored kind, or when that is -1: video with a video stream, else audio with an
    // audio stream, else -1.
    int GetMediaKind() const;

    // Null or empty: the first preset; "Custom" (any case): the custom preset; else the
    // first preset of that name (any case), or the first preset when none has it.
    CMediaPreset* FindPreset(LPCWSTR name) const;
    // Copies the record into the preset and binds the codecs it names (exact ids). 0 when a
    // stream of the format names a codec the format lacks; that codec pointer stays null.
    int InitPresetFromRecord(CMediaPreset& preset, const MediaPresetRecord& record) const;
    // Binds the codecs the preset's own record names, as InitPresetFromRecord does.
    int BindPresetCodecs(CMediaPreset& preset) const;
    // Replaces the presets by new ones made from the records in order. Returns 1, or 0
    // (nothing changed) while a preset of the format is in use.
    int LoadPresetTable(const MediaPresetRecord* table, int count);
    // Index of the first preset with the same settings (names, aspect, profiles and preset
    // files aside), else -1.
    int FindMatchingPreset(const CMediaPreset& preset) const;
    // True while a page holds one of the presets or any conversion task runs: a running task
    // finds its preset by name on its own thread and uses it until the run ends.
    bool IsAnyPresetInUse() const;
    // Kept by the conversion tasks on the window thread, around each run.
    static void TaskRunStarted() { ++s_nRunningTasks; }
    static void TaskRunEnded() { --s_nRunningTasks; }
    // "<format>; Video: ...; Audio: ..." with the parts the preset has.
    CString GetPresetDescription(const CMediaPreset& preset) const;

    CVideoCodec* FindVideoCodec(LPCWSTR id) const;

    CString m_name;  // display name, e.g. "MP4"; a stored copy may rename it
    // The catalogue's static texts, like the id.
    LPCWSTR m_muxer = L"";      // the encoding tool's output format, e.g. "mp4"
    LPCWSTR m_extension = L"";  // with its dot, e.g. ".mp4"
    COwnedPtrArray<CMediaPreset> m_presets;
    CMediaPreset* m_pCustomPreset = nullptr;  // owned
    int m_defaultPreset = 0;
    int m_lastPreset = -1;            // -1: use the default preset
    int m_customPresetPosition = -1;  // the custom preset's row in the Format Settings dialog
    COwnedPtrArray<CVideoCodec> m_videoCodecs;
    int m_defaultVideoCodec = 0;
    COwnedPtrArray<CAudioCodec> m_audioCodecs;
    int m_defaultAudioCodec = 0;
    CString m_extraOptions;  // appended to the encoder's extra options

private:
    static std::atomic<LONG> s_nRunningTasks;
    int SetVideoOptions(CEncoderOptions& options, const MediaPresetRecord& resolved, CVideoCodec& codec,
        const CMediaStreamInfo* pVideoStream);
    int SetAudioOptions(CEncoderOptions& options, const MediaPresetRecord& resolved, CAudioCodec& codec,
        const CMediaStreamInfo* pAudioStream);
};
