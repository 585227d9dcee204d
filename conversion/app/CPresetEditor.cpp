#include "conversion/app/CPresetEditor.h"
#include <cwctype>

namespace {

template <class Codec>
int CodecIndex(const COwnedPtrArray<Codec>& codecs, const Codec* pCodec, int defaultIndex)
{
    for (int i = 0; i < codecs.GetSize(); i++) {
        if (codecs[i] == pCodec)
            return i;
    }
    if (defaultIndex >= 0 && defaultIndex < codecs.GetSize())
        return defaultIndex;
    return codecs.GetSize() > 0 ? 0 : -1;
}

// The digits at text, as a number no larger than limit + 1, so that a long run can't overflow.
int ReadDigits(LPCWSTR& text, int limit, int& count)
{
    int value = 0;
    count = 0;
    for (; iswdigit(*text); text++, count++) {
        if (value <= limit)
            value = value * 10 + (*text - L'0');
    }
    return value > limit ? limit + 1 : value;
}

bool IsNegative(MediaSize size)
{
    return size.width < 0 || size.height < 0;
}

}  // namespace

// Read digit by digit rather than through a double, so that 29.97 is 29970 thousandths and
// no typed value can overflow the conversion.
int CPresetEditor::ParseFrameRate(LPCWSTR text, MediaRate& rate)
{
    if (!text)
        return -1;
    CString trimmed(text);
    trimmed.Trim();
    LPCWSTR p = trimmed;
    int wholeDigits = 0;
    int whole = ReadDigits(p, kMaxFrameRate, wholeDigits);
    if (*p != L'.') {
        if (*p || wholeDigits == 0 || whole > kMaxFrameRate)
            return -1;
        rate = whole ? MediaRate{whole, 1} : MediaRate{0, 0};
        return 0;
    }
    p++;
    int thousandths = 0;
    int fractionDigits = 0;
    for (; iswdigit(*p); p++, fractionDigits++) {
        if (fractionDigits < 3)
            thousandths = thousandths * 10 + (*p - L'0');
    }
    for (int i = fractionDigits; i < 3; i++)
        thousandths *= 10;
    if (*p || wholeDigits + fractionDigits == 0 || whole > kMaxFrameRate)
        return -1;
    int product = whole * 1000 + thousandths;
    if (product > kMaxFrameRate * 1000)
        return -1;
    rate = product > 9 ? MediaRate{product, 1000} : MediaRate{0, 0};
    return 0;
}

CString CPresetEditor::FormatFrameRate(MediaRate rate)
{
    CString text;
    if (rate.den == 1)
        text.Format(L"%d", rate.num);
    else if (rate.den > 0)
        text.Format(L"%.3f", static_cast<double>(rate.num) / rate.den);
    return text;
}

CPresetEditor::CPresetEditor(const CMediaFormat& format, const CMediaPreset& preset)
    : m_name(preset.GetName()),
      m_format(format),
      m_videoFlags(preset.m_record.videoFlags),
      m_audioFlags(preset.m_record.audioFlags),
      m_videoOn(format.HasVideo() && !(preset.m_record.videoFlags & PRESET_STREAM_OFF)),
      m_audioOn(format.HasAudio() && !(preset.m_record.audioFlags & PRESET_STREAM_OFF))
{
    const MediaPresetRecord& record = preset.m_record;
    m_videoSameQuality = (record.videoFlags & PRESET_STREAM_SAME_QUALITY) != 0;
    m_audioSameQuality = (record.audioFlags & PRESET_STREAM_SAME_QUALITY) != 0;
    if (format.HasVideo())
        m_videoCodecIndex = CodecIndex(format.m_videoCodecs, preset.m_pVideoCodec, format.m_defaultVideoCodec);
    if (format.HasAudio())
        m_audioCodecIndex = CodecIndex(format.m_audioCodecs, preset.m_pAudioCodec, format.m_defaultAudioCodec);
    FillVideoChoices({record.width, record.height}, {record.frameRateNum, record.frameRateDen}, record.videoBitRate);
    FillAudioChoices(record.channels, record.sampleRate, record.audioBitRate);
}

bool CPresetEditor::CanSwitchVideo() const
{
    return m_format.HasVideo() && m_format.HasAudio() && m_audioOn && !(m_videoFlags & PRESET_STREAM_FIXED);
}

bool CPresetEditor::CanSwitchAudio() const
{
    return m_format.HasVideo() && m_format.HasAudio() && m_videoOn && !(m_audioFlags & PRESET_STREAM_FIXED);
}

bool CPresetEditor::SetVideoOn(bool on)
{
    if (on != m_videoOn && !CanSwitchVideo())
        return false;
    m_videoOn = on;
    return true;
}

bool CPresetEditor::SetAudioOn(bool on)
{
    if (on != m_audioOn && !CanSwitchAudio())
        return false;
    m_audioOn = on;
    return true;
}

bool CPresetEditor::SelectVideoCodec(int index)
{
    if (!m_format.HasVideo() || index < 0 || index >= m_format.m_videoCodecs.GetSize())
        return false;
    if (index == m_videoCodecIndex)
        return true;
    MediaRate rate = m_frameRate.GetValue();
    if (m_frameRate.IsCustom())
        ParseFrameRate(m_customFrameRate, rate);
    m_videoCodecIndex = index;
    FillVideoChoices(m_resolution.GetValue(), rate, m_videoBitRate.GetValue());
    return true;
}

bool CPresetEditor::SelectAudioCodec(int index)
{
    if (!m_format.HasAudio() || index < 0 || index >= m_format.m_audioCodecs.GetSize())
        return false;
    if (index == m_audioCodecIndex)
        return true;
    m_audioCodecIndex = index;
    FillAudioChoices(m_channels.GetValue(), m_sampleRate.GetValue(), m_audioBitRate.GetValue());
    return true;
}

bool CPresetEditor::SelectResolution(int index)
{
    if (!m_resolution.Select(index))
        return false;
    const CVideoCodec* pCodec = VideoCodec();
    if (m_resolution.IsCustom() && m_resolution.GetCustom().height == 0 && pCodec)
        m_resolution.SetCustom(pCodec->m_defaultSize);
    return true;
}

bool CPresetEditor::SelectFrameRate(int index)
{
    if (!m_frameRate.Select(index))
        return false;
    const CVideoCodec* pCodec = VideoCodec();
    if (!m_frameRate.IsCustom())
        m_customFrameRate = FormatFrameRate(m_frameRate.GetValue());
    else if (m_customFrameRate.IsEmpty() && pCodec)
        m_customFrameRate = FormatFrameRate(pCodec->m_defaultFrameRate);
    return true;
}

int CPresetEditor::Apply(CMediaPreset& preset) const
{
    if (m_name.GetLength() > kMaxNameLength)
        return PRESET_EDIT_NAME_TOO_LONG;
    MediaRate customRate = {0, 0};
    int checked = CheckStreams(customRate);
    if (checked != PRESET_EDIT_OK)
        return checked;
    MediaPresetRecord record = preset.m_record;
    SetPresetText(record.name, m_name);
    record.flags &= PRESET_CUSTOM;
    record.videoFlags &= PRESET_STREAM_FIXED;
    record.audioFlags &= PRESET_STREAM_FIXED;
    if (m_format.HasVideo()) {
        if (m_videoOn)
            ApplyVideo(record, customRate);
        else
            record.videoFlags |= PRESET_STREAM_OFF;
    }
    if (m_format.HasAudio()) {
        if (m_audioOn)
            ApplyAudio(record);
        else
            record.audioFlags |= PRESET_STREAM_OFF;
    }
    m_format.InitPresetFromRecord(preset, record);
    return PRESET_EDIT_OK;
}

int CPresetEditor::CheckStreams(MediaRate& customRate) const
{
    if (m_format.HasVideo() && m_videoOn) {
        if (!VideoCodec())
            return PRESET_EDIT_NO_CODEC;
        if (m_frameRate.IsCustom() && ParseFrameRate(m_customFrameRate, customRate) != 0)
            return PRESET_EDIT_BAD_FRAME_RATE;
        if (IsNegative(m_resolution.GetValue()) || m_videoBitRate.GetValue() < 0)
            return PRESET_EDIT_BAD_VALUE;
    }
    if (m_format.HasAudio() && m_audioOn) {
        if (!AudioCodec())
            return PRESET_EDIT_NO_CODEC;
        if (m_sampleRate.GetValue() < 0 || m_audioBitRate.GetValue() < 0)
            return PRESET_EDIT_BAD_VALUE;
    }
    return PRESET_EDIT_OK;
}

void CPresetEditor::ApplyVideo(MediaPresetRecord& record, MediaRate customRate) const
{
    SetPresetText(record.videoCodec, VideoCodec()->m_id);
    MediaSize size = m_resolution.GetValue();
    MediaRate rate = m_frameRate.IsCustom() ? customRate : m_frameRate.GetValue();
    record.width = size.width;
    record.height = size.height;
    record.frameRateNum = rate.num;
    record.frameRateDen = rate.den;
    record.videoBitRate = m_videoBitRate.GetValue();
    if (m_videoSameQuality)
        record.videoFlags |= PRESET_STREAM_SAME_QUALITY;
}

void CPresetEditor::ApplyAudio(MediaPresetRecord& record) const
{
    SetPresetText(record.audioCodec, AudioCodec()->m_id);
    record.channels = m_channels.GetValue();
    record.sampleRate = m_sampleRate.GetValue();
    record.audioBitRate = m_audioBitRate.GetValue();
    if (m_audioSameQuality)
        record.audioFlags |= PRESET_STREAM_SAME_QUALITY;
}

const CVideoCodec* CPresetEditor::VideoCodec() const
{
    return m_videoCodecIndex >= 0 ? m_format.m_videoCodecs[m_videoCodecIndex] : nullptr;
}

const CAudioCodec* CPresetEditor::AudioCodec() const
{
    return m_audioCodecIndex >= 0 ? m_format.m_audioCodecs[m_audioCodecIndex] : nullptr;
}

void CPresetEditor::FillVideoChoices(MediaSize size, MediaRate rate, int bitRate)
{
    const CVideoCodec* pCodec = VideoCodec();
    if (!pCodec)
        return;
    m_resolution.Fill(pCodec->m_resolutions, (pCodec->m_flags & CODEC_ANY_SIZE) != 0, size, pCodec->m_defaultSize);
    m_frameRate.Fill(pCodec->m_frameRates, (pCodec->m_flags & CODEC_ANY_RATE) != 0, rate, pCodec->m_defaultFrameRate);
    m_customFrameRate = FormatFrameRate(m_frameRate.GetValue());
    m_videoBitRate.Fill(pCodec->m_bitRates, (pCodec->m_flags & CODEC_ANY_BIT_RATE) != 0, bitRate, pCodec->m_defaultBitRate);
}

void CPresetEditor::FillAudioChoices(int channels, int sampleRate, int bitRate)
{
    const CAudioCodec* pCodec = AudioCodec();
    if (!pCodec)
        return;
    m_channels.Fill(pCodec->m_channelCounts, false, channels, pCodec->m_defaultChannels);
    m_sampleRate.Fill(pCodec->m_sampleRates, (pCodec->m_flags & CODEC_ANY_RATE) != 0, sampleRate, pCodec->m_defaultSampleRate);
    m_audioBitRate.Fill(pCodec->m_bitRates, (pCodec->m_flags & CODEC_ANY_BIT_RATE) != 0, bitRate, pCodec->m_defaultBitRate);
}
