#include "conversion/engine/catalogue/CBuiltInFormat.h"
#include "conversion/engine/catalogue/CodecCatalogue.h"

namespace {

// Calls add with each blank-separated id of the list, in order.
template <class Add>
void ForEachId(LPCWSTR ids, Add add)
{
    CString list(ids);
    int start = 0;
    while (start < list.GetLength()) {
        int end = list.Find(L' ', start);
        if (end < 0)
            end = list.GetLength();
        if (end > start)
            add(list.Mid(start, end - start));
        start = end + 1;
    }
}

}  // namespace

CBuiltInFormat::CBuiltInFormat(const BuiltInFormatSpec& spec) : m_spec(spec)
{
    m_flags = spec.flags;
    m_mediaKind = (spec.flags & FORMAT_VIDEO) ? MEDIA_KIND_VIDEO : MEDIA_KIND_AUDIO;
    m_id = spec.id;
    m_name = spec.name;
    m_extension = spec.extension;
    m_muxer = spec.muxer;
    ForEachId(spec.videoCodecs, [this](const CString& id) {
        if (CVideoCodec* pCodec = CreateVideoCodec(id))
            m_videoCodecs.Add(pCodec);
    });
    ForEachId(spec.audioCodecs, [this](const CString& id) {
        if (CAudioCodec* pCodec = CreateAudioCodec(id))
            m_audioCodecs.Add(pCodec);
    });
    // The custom preset starts as the first built-in record.
    m_pCustomPreset = new CMediaPreset;
    if (spec.presets.count > 0)
        InitPresetFromRecord(*m_pCustomPreset, spec.presets.records[0]);
    m_pCustomPreset->m_record.flags |= PRESET_CUSTOM;
    SetPresetText(m_pCustomPreset->m_record.name, L"Custom");
}

int CBuiltInFormat::ResetPresets()
{
    if (IsAnyPresetInUse())
        return -1;
    m_defaultPreset = 0;
    LoadPresetTable(m_spec.presets.records, m_spec.presets.count);
    return 0;
}

void AddBuiltInFormats(CMediaFormatCategory& category, const BuiltInFormatSpec* specs, int count)
{
    for (int i = 0; i < count; ++i) {
        const BuiltInFormatSpec& spec = specs[i];
        CMediaFormat* pFormat = spec.create ? spec.create(spec) : new CBuiltInFormat(spec);
        if (spec.off)
            pFormat->m_flags |= FORMAT_OFF;
        category.m_formats.Add(pFormat);
    }
}
