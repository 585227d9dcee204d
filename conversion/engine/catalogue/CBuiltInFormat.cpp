#include "conversion/engine/catalogue/CBuiltInFormat.h"
#include "conversion/engine/catalogue/CodecCatalogue.h"
#include <wchar.h>

namespace {

// Calls use with each blank-separated id of the list, in order.
template <class Use>
void ForEachId(LPCWSTR ids, Use use)
{
    wchar_t id[MEDIA_PRESET_TEXT_SIZE];
    for (LPCWSTR p = ids; *p;) {
        int length = 0;
        while (p[length] && p[length] != L' ')
            ++length;
        if (length > 0 && length < MEDIA_PRESET_TEXT_SIZE) {
            wmemcpy(id, p, length);
            id[length] = 0;
            use(id);
        }
        p += p[length] ? length + 1 : length;
    }
}

// The array is sized once: the registry is built at every start.
template <class Codec>
void AddCodecs(COwnedPtrArray<Codec>& codecs, LPCWSTR ids, Codec* (*create)(LPCWSTR id))
{
    int count = 0;
    ForEachId(ids, [&count](LPCWSTR) { ++count; });
    codecs.SetSize(count);
    int made = 0;
    ForEachId(ids, [&](LPCWSTR id) {
        if (Codec* pCodec = create(id))
            codecs.SetAt(made++, pCodec);
    });
    codecs.SetSize(made);
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
    AddCodecs(m_videoCodecs, spec.videoCodecs, CreateVideoCodec);
    AddCodecs(m_audioCodecs, spec.audioCodecs, CreateAudioCodec);
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
