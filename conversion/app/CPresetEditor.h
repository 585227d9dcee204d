// What the "Preset" and "Format Settings" dialogs edit of one preset of one format, without
// their windows: the name, the two stream switches and their rules, the codec choices and
// each value list. Apply writes the edit into a preset. Used on the window thread.
#pragma once
#include "conversion/app/CPresetChoice.h"
#include "conversion/engine/CMediaFormat.h"

// Why Apply refused the edit.
const int PRESET_EDIT_OK = 0;
const int PRESET_EDIT_NAME_TOO_LONG = -1;
const int PRESET_EDIT_BAD_FRAME_RATE = -2;
const int PRESET_EDIT_NO_CODEC = -3;
const int PRESET_EDIT_BAD_VALUE = -4;  // a negative custom size, bit rate or sample rate

class CPresetEditor {
public:
    // A preset name holds at most this many characters (the record's field and its NUL).
    static const int kMaxNameLength = MEDIA_PRESET_TEXT_SIZE - 1;
    // The highest frame rate a typed value may ask for, in frames per second.
    static const int kMaxFrameRate = 1000;

    // "30" gives 30/1 and "29.97" 29970/1000; 0 and a decimal value below 0.01 give Auto (0/0).
    // A text that is not a number from 0 to kMaxFrameRate is refused: -1, rate unchanged.
    static int ParseFrameRate(LPCWSTR text, MediaRate& rate);
    // The text a custom frame rate edit shows for a rate.
    static CString FormatFrameRate(MediaRate rate);

    // Starts from the preset's settings; the format must outlive the editor.
    CPresetEditor(const CMediaFormat& format, const CMediaPreset& preset);

    bool IsVideoOn() const { return m_videoOn; }
    bool IsAudioOn() const { return m_audioOn; }
    // A stream can be switched only when the format has both, the other stream is on and the
    // preset doesn't fix it, so at least one stream stays on.
    bool CanSwitchVideo() const;
    bool CanSwitchAudio() const;
    // False (nothing changed) when the switch is not allowed.
    bool SetVideoOn(bool on);
    bool SetAudioOn(bool on);

    // Index into the format's codec lists; -1 without one. Choosing another codec refills
    // its value lists, keeping the current values that the new lists hold. False (nothing
    // changed) for an index outside the list.
    int GetVideoCodecIndex() const { return m_videoCodecIndex; }
    int GetAudioCodecIndex() const { return m_audioCodecIndex; }
    bool SelectVideoCodec(int index);
    bool SelectAudioCodec(int index);

    // Choosing "Custom" starts an empty custom size or frame rate at the codec's default, as
    // the dialogs' edits show it. False for an index outside the list.
    bool SelectResolution(int index);
    bool SelectFrameRate(int index);

    // Refuses (changing nothing) a name longer than kMaxNameLength, a custom frame rate that
    // ParseFrameRate refuses, a negative custom number and a stream switched on without a
    // codec; else rebuilds the preset's flags and values from the edit, binds its codecs and
    // returns PRESET_EDIT_OK. Which preset is the custom one and which streams are fixed stay.
    int Apply(CMediaPreset& preset) const;

    CString m_name;
    bool m_videoSameQuality = false;
    bool m_audioSameQuality = false;
    CPresetChoice<MediaSize> m_resolution;
    CPresetChoice<MediaRate> m_frameRate;
    CString m_customFrameRate;  // as typed; read when the frame rate is "Custom"
    CPresetChoice<int> m_videoBitRate;
    CPresetChoice<int> m_channels;  // never "Custom"
    CPresetChoice<int> m_sampleRate;
    CPresetChoice<int> m_audioBitRate;

private:
    const CVideoCodec* VideoCodec() const;
    const CAudioCodec* AudioCodec() const;
    void FillVideoChoices(MediaSize size, MediaRate rate, int bitRate);
    void FillAudioChoices(int channels, int sampleRate, int bitRate);
    int CheckStreams(MediaRate& customRate) const;
    void ApplyVideo(MediaPresetRecord& record, MediaRate customRate) const;
    void ApplyAudio(MediaPresetRecord& record) const;

    const CMediaFormat& m_format;
    UINT32 m_videoFlags;  // the preset's, for the fixed-stream rule
    UINT32 m_audioFlags;
    bool m_videoOn;
    bool m_audioOn;
    int m_videoCodecIndex = -1;
    int m_audioCodecIndex = -1;
};
