// One preset of a format: its settings record and the two codecs of the format it is bound to.
#pragma once
#include "conversion/engine/CAudioCodec.h"
#include "conversion/engine/CVideoCodec.h"
#include "conversion/engine/MediaPresetRecord.h"

class CMediaPreset {
public:
    CMediaPreset() : m_record() {}
    CMediaPreset(const CMediaPreset&) = delete;
    CMediaPreset& operator=(const CMediaPreset&) = delete;

    // Presets come from blocks of many (see CMediaPreset.cpp).
    static void* operator new(size_t size);
    static void operator delete(void* p, size_t size);

    CString GetName() const { return GetPresetText(m_record.name); }
    bool IsCustom() const { return (m_record.flags & PRESET_CUSTOM) != 0; }
    // Zeroes the record and unbinds both codecs.
    void Clear();
    // "<codec>, Resolution=..., Frame Rate=..., Bit Rate=..." for the video part and
    // "<codec>, Channel=..., Sample Rate=..., Bit Rate=..." for the audio part; each empty
    // when no codec of that kind is bound.
    void GetDescription(CString& videoText, CString& audioText) const;

    MediaPresetRecord m_record;
    // Codecs of the owning format; null when the format lacks that stream or the record's
    // codec id is not one of the format's codecs.
    CVideoCodec* m_pVideoCodec = nullptr;
    CAudioCodec* m_pAudioCodec = nullptr;
    int m_useCount = 0;  // task pages holding this preset
};

// The line a preset list shows: the name, with the output size or the audio bit rate in a
// second column ("\t") or in brackets when the preset sets one. Empty without codecs.
CString GetPresetSummary(const CMediaPreset* pPreset, BOOL twoColumns);
