#include "conversion/engine/CMediaFormat.h"
#include <math.h>
#include <wchar.h>
#include "framework/system/PathHelpers.h"
#include "mediatools/CMediaInfo.h"

namespace {

template <class Codec>
Codec* FindCodec(const COwnedPtrArray<Codec>& codecs, const MediaPresetText& id)
{
    for (int i = 0; i < codecs.GetSize(); ++i) {
        if (IsPresetText(id, codecs[i]->m_id))
            return codecs[i];
    }
    return nullptr;
}

bool SameFrameRate(const MediaPresetRecord& a, const MediaPresetRecord& b)
{
    if (a.frameRateNum != 0 && a.frameRateDen != 0 && b.frameRateNum != 0 && b.frameRateDen != 0) {
        double rateA = static_cast<double>(a.frameRateNum) / a.frameRateDen;
        double rateB = static_cast<double>(b.frameRateNum) / b.frameRateDen;
        return fabs(rateA - rateB) < 0.001;
    }
    return a.frameRateNum == b.frameRateNum && a.frameRateDen == b.frameRateDen;
}

bool SameSettings(const CMediaPreset& a, const CMediaPreset& b)
{
    const MediaPresetRecord& ra = a.m_record;
    const MediaPresetRecord& rb = b.m_record;
    return (ra.flags & PRESET_COMPARED_FLAGS) == (rb.flags & PRESET_COMPARED_FLAGS)
        && a.m_pVideoCodec == b.m_pVideoCodec && a.m_pAudioCodec == b.m_pAudioCodec
        && SameFrameRate(ra, rb) && ra.videoBitRate == rb.videoBitRate && ra.width == rb.width
        && ra.height == rb.height && ra.videoFlags == rb.videoFlags && ra.sampleRate == rb.sampleRate
        && ra.audioBitRate == rb.audioBitRate && ra.channels == rb.channels
        && ra.audioFlags == rb.audioFlags;
}

}  // namespace

CMediaFormat::~CMediaFormat()
{
    delete m_pCustomPreset;
}

int CMediaFormat::GetMediaKind() const
{
    if (m_mediaKind != MEDIA_KIND_DERIVED)
        return m_mediaKind;
    if (HasVideo())
        return MEDIA_KIND_VIDEO;
    if (HasAudio())
        return MEDIA_KIND_AUDIO;
    return MEDIA_KIND_DERIVED;
}

CMediaPreset* CMediaFormat::FindPreset(LPCWSTR name) const
{
    if (name && *name) {
        if (CString(name).CompareNoCase(L"Custom") == 0)
            return m_pCustomPreset;
        for (int i = 0; i < m_presets.GetSize(); ++i) {
            if (m_presets[i]->GetName().CompareNoCase(name) == 0)
                return m_presets[i];
        }
    }
    return m_presets.GetSize() > 0 ? m_presets[0] : nullptr;
}

CVideoCodec* CMediaFormat::FindVideoCodec(LPCWSTR id) const
{
    for (int i = 0; i < m_videoCodecs.GetSize(); ++i) {
        if (id && wcscmp(m_videoCodecs[i]->m_id, id) == 0)
            return m_videoCodecs[i];
    }
    return nullptr;
}

// Both codecs are looked up even when the first is missing, so that a custom preset taken
// whatever the binding gives keeps every codec it can have.
int CMediaFormat::InitPresetFromRecord(CMediaPreset& preset, const MediaPresetRecord& record) const
{
    preset.m_record = record;
    return BindPresetCodecs(preset);
}

int CMediaFormat::BindPresetCodecs(CMediaPreset& preset) const
{
    const MediaPresetRecord& record = preset.m_record;
    preset.m_pVideoCodec = HasVideo() ? FindCodec(m_videoCodecs, record.videoCodec) : nullptr;
    preset.m_pAudioCodec = HasAudio() ? FindCodec(m_audioCodecs, record.audioCodec) : nullptr;
    if (HasVideo() && !preset.m_pVideoCodec)
        return 0;
    if (HasAudio() && !preset.m_pAudioCodec)
        return 0;
    return 1;
}

std::atomic<LONG> CMediaFormat::s_nRunningTasks{0};

bool CMediaFormat::IsAnyPresetInUse() const
{
    if (s_nRunningTasks > 0)
        return true;
    for (int i = 0; i < m_presets.GetSize(); ++i) {
        if (m_presets[i]->m_useCount > 0)
            return true;
    }
    return false;
}

// A page or a running task may hold one of the presets: they are never freed under it.
int CMediaFormat::LoadPresetTable(const MediaPresetRecord* table, int count)
{
    if (IsAnyPresetInUse())
        return 0;
    m_presets.DeleteAll();
    for (int i = 0; i < count; ++i) {
        CMediaPreset* pPreset = new CMediaPreset;
        InitPresetFromRecord(*pPreset, table[i]);
        m_presets.Add(pPreset);
    }
    return 1;
}

int CMediaFormat::FindMatchingPreset(const CMediaPreset& preset) const
{
    for (int i = 0; i < m_presets.GetSize(); ++i) {
        if (SameSettings(*m_presets[i], preset))
            return i;
    }
    return -1;
}

CString CMediaFormat::GetPresetDescription(const CMediaPreset& preset) const
{
    CString videoText;
    CString audioText;
    preset.GetDescription(videoText, audioText);
    CString description = m_name;
    if (!videoText.IsEmpty())
        description += L"; Video: " + videoText;
    if (!audioText.IsEmpty())
        description += L"; Audio: " + audioText;
    return description;
}

namespace {

void SetText(MediaPresetText& field, const CString& preferred, LPCWSTR fallback)
{
    SetPresetText(field, preferred.IsEmpty() ? fallback : static_cast<LPCWSTR>(preferred));
}

void ResolveVideo(MediaPresetRecord& out, const MediaPresetRecord& in, const CVideoCodec& codec,
    const CMediaStreamInfo* pStream)
{
    out.videoFlags = in.videoFlags;
    SetPresetText(out.videoCodec, codec.m_encoder);
    out.aspectNum = in.aspectNum;
    out.aspectDen = in.aspectDen;
    if (pStream) {
        MediaSize size = codec.PickResolution({in.width, in.height}, {pStream->DisplayWidth, pStream->DisplayHeight});
        MediaRate rate = codec.PickFrameRate(
            {in.frameRateNum, in.frameRateDen}, {pStream->FrameRateNum, pStream->FrameRateDen});
        out.width = size.width;
        out.height = size.height;
        out.frameRateNum = rate.num;
        out.frameRateDen = rate.den;
        out.videoBitRate = codec.PickBitRate(in.videoBitRate, pStream->BitRate);
    } else {
        out.width = in.width;
        out.height = in.height;
        out.frameRateNum = in.frameRateNum;
        out.frameRateDen = in.frameRateDen;
        out.videoBitRate = in.videoBitRate;
    }
    SetText(out.videoProfile, GetPresetText(in.videoProfile), codec.m_defaultProfile);
    SetText(out.videoPresetFile, GetPresetText(in.videoPresetFile), codec.m_defaultPresetFile);
}

void ResolveAudio(MediaPresetRecord& out, const MediaPresetRecord& in, const CAudioCodec& codec,
    const CMediaStreamInfo* pStream)
{
    out.audioFlags = in.audioFlags;
    SetPresetText(out.audioCodec, codec.m_encoder);
    if (pStream) {
        out.channels = codec.PickChannels(in.channels, pStream->Channels);
        out.sampleRate = codec.PickSampleRate(in.sampleRate, pStream->SampleRate);
        out.audioBitRate = codec.PickBitRate(in.audioBitRate, pStream->BitRate);
    } else {
        out.channels = in.channels;
        out.sampleRate = in.sampleRate;
        out.audioBitRate = in.audioBitRate;
    }
    SetText(out.audioProfile, GetPresetText(in.audioProfile), codec.m_defaultProfile);
    SetText(out.audioPresetFile, GetPresetText(in.audioPresetFile), codec.m_defaultPresetFile);
}

void CopyIfSet(CString& target, LPCWSTR text)
{
    if (*text)
        target = text;
}

// The selected stream of a per-type list: the first for -1, none when out of range.
const CMediaStreamInfo* SelectedStream(const CMediaStreamInfoPtrArray& streams, int selection)
{
    int index = selection == -1 ? 0 : selection;
    return index >= 0 && index < streams.GetSize() ? streams[index] : nullptr;
}

const CMediaStreamInfo* GetAudioStream(const CMediaInfo& info)
{
    return SelectedStream(info.AudioStreams, info.SelectedAudioStream);
}

// The format's own options go after the output's extra options, separated by a blank.
void AppendExtraOptions(CEncoderOptions& options, const CString& text)
{
    if (text.IsEmpty())
        return;
    if (!options.OutputExtra1.IsEmpty())
        options.OutputExtra1 += L' ';
    options.OutputExtra1 += text;
}

bool IsStreamOn(const CMediaStreamInfo* pStream, DWORD resolvedFlags, DWORD formatBit, UINT32 streamFlags)
{
    return pStream && (resolvedFlags & formatBit) && !(streamFlags & PRESET_STREAM_OFF);
}

}  // namespace

int CMediaFormat::ResolveSettings(MediaPresetRecord& resolved, const CMediaPreset& preset,
    const CMediaStreamInfo* pVideoStream, const CMediaStreamInfo* pAudioStream) const
{
    resolved = MediaPresetRecord();
    resolved.flags = preset.m_record.flags | m_flags;
    SetPresetText(resolved.name, m_muxer);
    if (preset.m_pVideoCodec)
        ResolveVideo(resolved, preset.m_record, *preset.m_pVideoCodec, pVideoStream);
    if (preset.m_pAudioCodec)
        ResolveAudio(resolved, preset.m_record, *preset.m_pAudioCodec, pAudioStream);
    return 1;
}

int CMediaFormat::SetVideoOptions(CEncoderOptions& options, const MediaPresetRecord& resolved, CVideoCodec& codec,
    const CMediaStreamInfo* pVideoStream)
{
    CopyIfSet(options.VideoCodec, codec.m_encoder);
    if (resolved.width > 0 && resolved.height > 0) {
        options.Width = resolved.width;
        options.Height = resolved.height;
    }
    if (resolved.aspectNum > 0 && resolved.aspectDen > 0) {
        options.AspectNum = resolved.aspectNum;
        options.AspectDen = resolved.aspectDen;
    }
    if (resolved.frameRateNum > 0 && resolved.frameRateDen > 0) {
        options.FrameRateNum = resolved.frameRateNum;
        options.FrameRateDen = resolved.frameRateDen;
    }
    if (resolved.videoBitRate > 0)
        options.VideoBitRate = resolved.videoBitRate;
    if (resolved.videoFlags & PRESET_STREAM_SAME_QUALITY)
        options.VideoFlags |= ENCODER_FORCE_QUALITY_ZERO;
    if (codec.AdjustOutputSize(options, pVideoStream) != 0)
        return -1;
    CopyIfSet(options.VideoTag, codec.m_codecTag);
    CopyIfSet(options.PixelFormat, codec.m_pixelFormat);
    CopyIfSet(options.VideoProfile, GetPresetText(resolved.videoProfile));
    CopyIfSet(options.VideoPresetFile, GetPresetText(resolved.videoPresetFile));
    CopyIfSet(options.VideoExtra, codec.m_extraOptions);
    if (codec.m_flags & CODEC_THREADS)
        options.OptionsFlags |= ENCODER_OPTION_THREADS;
    return 0;
}

int CMediaFormat::SetAudioOptions(CEncoderOptions& options, const MediaPresetRecord& resolved, CAudioCodec& codec,
    const CMediaStreamInfo* pAudioStream)
{
    CopyIfSet(options.AudioCodec, codec.m_encoder);
    if (resolved.channels > 0)
        options.Channels = resolved.channels;
    if (resolved.sampleRate > 0)
        options.SampleRate = resolved.sampleRate;
    if (resolved.audioBitRate > 0)
        options.AudioBitRate = resolved.audioBitRate;
    if (resolved.audioFlags & PRESET_STREAM_SAME_QUALITY)
        options.AudioFlags |= ENCODER_FORCE_QUALITY_ZERO;
    if (codec.AdjustOutputSize(options, pAudioStream) != 0)
        return -1;
    CopyIfSet(options.AudioTag, codec.m_codecTag);
    CopyIfSet(options.AudioProfile, GetPresetText(resolved.audioProfile));
    CopyIfSet(options.AudioPresetFile, GetPresetText(resolved.audioPresetFile));
    CopyIfSet(options.AudioExtra, codec.m_extraOptions);
    if (codec.m_flags & CODEC_THREADS)
        options.OptionsFlags |= ENCODER_OPTION_THREADS;
    return 0;
}

// A preset whose codec could not be bound leaves that stream to the encoding tool's
// defaults for the muxer.
int CMediaFormat::BuildEncoderOptions(CEncoderOptions& options, const CMediaPreset& preset,
    const CMediaStreamInfo* pVideoStream, const CMediaStreamInfo* pAudioStream)
{
    MediaPresetRecord resolved;
    ResolveSettings(resolved, preset, pVideoStream, pAudioStream);
    CopyIfSet(options.OutputFormat, m_muxer);
    if (!IsStreamOn(pVideoStream, resolved.flags, FORMAT_VIDEO, resolved.videoFlags))
        options.VideoFlags |= ENCODER_NO_STREAM;
    else if (preset.m_pVideoCodec && SetVideoOptions(options, resolved, *preset.m_pVideoCodec, pVideoStream) != 0)
        return -1;
    if (!IsStreamOn(pAudioStream, resolved.flags, FORMAT_AUDIO, resolved.audioFlags))
        options.AudioFlags |= ENCODER_NO_STREAM;
    else if (preset.m_pAudioCodec && SetAudioOptions(options, resolved, *preset.m_pAudioCodec, pAudioStream) != 0)
        return -1;
    AppendExtraOptions(options, m_extraOptions);
    return 0;
}

int CMediaFormat::RunEncoderJob(CEncoderOptions& options, HWND hWnd, CEncoderJobListener* pListener,
                                const StopFlag* pStopValue)
{
    CEncoderJob job;
    job.m_hCallbackWnd = hWnd;
    job.m_pListener = pListener;
    if (job.RunTool(options, pStopValue) == 0)
        return 0;
    return IsStopRequested(pStopValue) ? 1 : -1;
}

int CMediaFormat::Convert(CEncoderOptions& options, const CMediaPreset& preset, const CMediaInfo& input,
                          CEncoderJobListener* pListener, HWND hWnd, const StopFlag* pStopValue)
{
    if (!PathExists(options.InputPath) || PrepareJob(options, preset, input, pStopValue) != 0)
        return -1;
    return RunEncoderJob(options, hWnd, pListener, pStopValue);
}

int CMediaFormat::PrepareJob(CEncoderOptions& options, const CMediaPreset& preset, const CMediaInfo& input,
                             const StopFlag* pStopValue)
{
    const CMediaStreamInfo* pVideoStream = input.GetVideoStream();
    const CMediaStreamInfo* pAudioStream = GetAudioStream(input);
    CMediaInfo secondInput;
    if (!options.Input2Path.IsEmpty() && secondInput.Probe(options.Input2Path, pStopValue) == 0)
        pAudioStream = GetAudioStream(secondInput);
    return BuildEncoderOptions(options, preset, pVideoStream, pAudioStream) == 0 ? 0 : -1;
}
