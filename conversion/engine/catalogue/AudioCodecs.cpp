#include "conversion/engine/catalogue/CodecCatalogue.h"
#include "conversion/engine/catalogue/CAC_dca.h"
#include "mediatools/MediaToolLocation.h"
#include <algorithm>
#include <wchar.h>

namespace {

// Bit rates in bit/s, 0 is Auto.
const int kAB1[] = {
    0, 8000, 16000, 20000, 24000, 28000, 32000, 40000, 48000, 56000, 64000, 80000, 96000, 112000, 128000,
    160000, 192000, 224000, 256000, 320000, 384000, 448000, 512000, 640000, 768000
};
const int kAB2[] = {
    8000, 12200, 16000, 20000, 24000, 28000, 32000, 40000, 48000, 56000, 64000, 80000, 96000, 112000,
    128000, 160000, 192000, 224000, 256000, 320000
};
const int kAB3[] = {
    32000, 40000, 48000, 56000, 64000, 80000, 96000, 112000, 128000, 160000, 192000, 224000, 256000,
    320000, 384000, 448000, 512000, 640000, 768000
};
const int kAB4[] = {
    0
};
const int kAB5[] = {
    32000
};
const int kAB6[] = {
    13000
};
const int kAB7[] = {
    0, 13330, 15200
};
const int kAB8[] = {
    0, 16000, 24000, 32000, 40000, 48000, 56000, 64000, 80000, 96000, 112000, 128000, 160000, 192000,
    224000, 256000, 320000, 512000
};
const int kAB9[] = {
    0, 32000, 40000, 48000, 56000, 64000, 80000, 96000, 112000, 128000, 160000, 192000, 224000, 256000,
    320000
};
const int kAB10[] = {
    4750, 5150, 5900, 6700, 7400, 7950, 10200, 12200
};
const int kAB11[] = {
    0, 2150, 4000, 8000, 16000, 20000, 24000, 24600, 28000, 32000, 40000, 44200
};
const int kAB12[] = {
    6600, 8850, 12650, 14250, 15850, 18250, 19850, 23050, 23850
};
const int kAB13[] = {
    0, 16000, 20000, 24000, 28000, 32000, 40000, 48000, 56000, 64000, 80000, 96000, 112000, 128000, 160000,
    192000, 224000, 256000, 320000, 384000, 448000, 512000, 640000, 768000
};
const int kAB14[] = {
    0, 24000, 32000, 40000, 48000, 56000, 64000, 80000, 96000, 112000, 128000, 160000, 192000, 224000,
    256000, 320000, 512000
};

// Channel counts, 0 is Auto.
const int kAC1[] = {
    0, 1, 2, 6
};
const int kAC2[] = {
    0, 1, 2
};
const int kAC3[] = {
    1
};
const int kAC4[] = {
    1, 2
};

// Sample rates in Hz, 0 is Auto.
const int kAS1[] = {
    0, 6000, 8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000, 64000, 72000, 88200, 96000,
    192000
};
const int kAS2[] = {
    8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000
};
const int kAS3[] = {
    0, 8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000
};
const int kAS4[] = {
    32000, 44100, 48000
};
const int kAS5[] = {
    8000
};
const int kAS6[] = {
    11025, 22050, 44100
};
const int kAS7[] = {
    0, 16000, 22050, 24000, 32000, 44100, 48000
};
const int kAS8[] = {
    0, 8000, 16000, 32000
};
const int kAS9[] = {
    16000
};
const int kAS10[] = {
    44100
};
const int kAS11[] = {
    48000
};
const int kAS12[] = {
    0, 8000, 11025, 16000, 22050, 32000, 44100, 48000
};
const int kAS13[] = {
    0, 8000, 16000, 22050, 32000, 44100, 48000
};

struct AudioCodecRow {
    LPCWSTR id;
    LPCWSTR name;
    LPCWSTR encoder;  // "aac" becomes "libfdk_aac" when the tools prefer it
    DWORD flags;
    CValueList<int> bitRates;
    int defaultBitRate;
    CValueList<int> channelCounts;
    int defaultChannels;
    CValueList<int> sampleRates;
    int defaultSampleRate;
    int minSampleRate = 0;
    CAudioCodec* (*create)() = nullptr;  // a class of its own; null: a plain CAudioCodec
};

template <class T>
CAudioCodec* New()
{
    return new T;
}

// In id order by code unit (CreateAudioCodec searches them): id, display name, encoder, flags,
// bit rates, default, channels, default, sample rates, default
const AudioCodecRow kAudioCodecs[] = {
    {L"AC_aac", L"AAC", L"aac", 7, kAB1, 0, kAC1, 0, kAS1, 0},
    {L"AC_aac.3g2", L"AAC", L"aac", 7, kAB2, 12200, kAC2, 0, kAS2, 44100},
    {L"AC_aac.3gp", L"AAC", L"aac", 7, kAB2, 12200, kAC2, 0, kAS2, 44100},
    {L"AC_aac.Android", L"AAC", L"aac", 7, kAB1, 0, kAC1, 0, kAS1, 0},
    {L"AC_aac.Apple", L"AAC", L"aac", 7, kAB1, 0, kAC1, 0, kAS1, 0},
    {L"AC_aac.BlackBerry", L"AAC", L"aac", 7, kAB1, 128000, kAC1, 0, kAS3, 44100},
    {L"AC_aac.WindowsPhone", L"AAC", L"aac", 7, kAB1, 128000, kAC1, 0, kAS3, 44100},
    {L"AC_ac3", L"AC3", L"ac3", 7, kAB1, 0, kAC1, 0, kAS1, 0},
    {L"AC_ac3.DVD", L"AC3", L"ac3", 7, kAB3, 192000, kAC1, 2, kAS4, 48000},
    {L"AC_adpcm_adx", L"SEGA CRI ADX ADPCM", L"adpcm_adx", 7, kAB4, 0, kAC1, 0, kAS1, 0},
    {L"AC_adpcm_ima_wav", L"ADPCM IMA WAV", L"adpcm_ima_wav", 7, kAB4, 0, kAC1, 0, kAS1, 0},
    {L"AC_adpcm_ms", L"ADPCM Microsoft", L"adpcm_ms", 7, kAB4, 0, kAC1, 0, kAS1, 0},
    {L"AC_adpcm_yamaha", L"ADPCM Yamaha", L"adpcm_yamaha", 0, kAB5, 32000, kAC3, 1, kAS5, 8000},
    {L"AC_alac", L"ALAC", L"alac", 7, kAB4, 0, kAC2, 0, kAS1, 0},
    {L"AC_dca", L"DCA", L"dca", 7, kAB1, 0, kAC1, 0, kAS1, 0, 0, New<CAC_dca>},
    {L"AC_flac", L"FLAC", L"flac", 7, kAB4, 0, kAC1, 0, kAS1, 0},
    {L"AC_libgsm_ms", L"GSM MS", L"libgsm_ms", 0, kAB6, 13000, kAC3, 1, kAS5, 8000},
    {L"AC_libilbc", L"iLBC", L"libilbc", 0, kAB7, 0, kAC3, 1, kAS5, 8000},
    {L"AC_libmp3lame", L"MP3", L"libmp3lame", 7, kAB8, 0, kAC2, 0, kAS3, 0},
    {L"AC_libmp3lame.flv", L"MP3", L"libmp3lame", 5, kAB9, 128000, kAC2, 0, kAS6, 44100},
    {L"AC_libmp3lame.mp4", L"MP3", L"libmp3lame", 7, kAB8, 0, kAC2, 0, kAS7, 0, 16000},
    {L"AC_libopencore_amrnb", L"AMR Narrow-Band", L"libopencore_amrnb", 0, kAB10, 6700, kAC3, 1, kAS5, 8000},
    {L"AC_libopus", L"Opus", L"libopus", 7, kAB1, 0, kAC1, 0, kAS1, 0},
    {L"AC_libspeex", L"Speex", L"libspeex", 7, kAB11, 0, kAC2, 0, kAS8, 0},
    {L"AC_libvo_amrwbenc", L"AMR Wide-Band", L"libvo_amrwbenc", 0, kAB12, 15850, kAC3, 1, kAS9, 16000},
    {L"AC_libvorbis", L"Vorbis", L"libvorbis", 7, kAB8, 0, kAC1, 0, kAS3, 0},
    {L"AC_mp2", L"MP2", L"mp2", 7, kAB1, 0, kAC2, 0, kAS7, 0},
    {L"AC_mp2.DVD", L"MP2", L"mp2", 7, kAB13, 192000, kAC2, 2, kAS4, 48000},
    {L"AC_mp2.VCD", L"MP2", L"mp2", 7, kAB13, 0, kAC2, 2, kAS10, 44100},
    {L"AC_pcm_alaw", L"PCM A-law", L"pcm_alaw", 7, kAB4, 0, kAC1, 0, kAS1, 0},
    {L"AC_pcm_mulaw", L"PCM mu-law", L"pcm_mulaw", 7, kAB4, 0, kAC1, 0, kAS1, 0},
    {L"AC_pcm_s16be", L"PCM s16be", L"pcm_s16be", 7, kAB4, 0, kAC1, 0, kAS1, 0},
    {L"AC_pcm_s16be_planar", L"PCM s16be planar", L"pcm_s16be_planar", 7, kAB4, 0, kAC1, 0, kAS1, 0},
    {L"AC_pcm_s16le", L"PCM s16le", L"pcm_s16le", 6, kAB4, 0, kAC1, 0, kAS1, 0},
    {L"AC_pcm_s16le.dv", L"PCM s16le", L"pcm_s16le", 4, kAB4, 0, kAC4, 2, kAS11, 48000},
    {L"AC_pcm_s16le.gxf", L"PCM s16le", L"pcm_s16le", 0, kAB4, 0, kAC3, 1, kAS11, 48000},
    {L"AC_pcm_s16le.mxf", L"PCM s16le", L"pcm_s16le", 4, kAB4, 0, kAC4, 2, kAS11, 48000},
    {L"AC_pcm_s24be", L"PCM s24be", L"pcm_s24be", 7, kAB1, 0, kAC1, 0, kAS1, 0},
    {L"AC_pcm_s24le", L"PCM s24le", L"pcm_s24le", 7, kAB1, 0, kAC1, 0, kAS1, 0},
    {L"AC_pcm_s8", L"PCM s8", L"pcm_s8", 7, kAB4, 0, kAC1, 0, kAS1, 0},
    {L"AC_pcm_u8", L"PCM u8", L"pcm_u8", 7, kAB4, 0, kAC1, 0, kAS1, 0},
    {L"AC_wavpack", L"WavPack", L"wavpack", 6, kAB4, 0, kAC1, 0, kAS1, 0},
    {L"AC_wmav1", L"WMAV1", L"wmav1", 7, kAB1, 0, kAC2, 0, kAS12, 0},
    {L"AC_wmav2", L"WMAV2", L"wmav2", 0, kAB14, 0, kAC2, 0, kAS13, 0},
};

// The AAC codecs take the encoder that the tool location chose, as it stands when they are made.
LPCWSTR ChooseEncoder(LPCWSTR encoder)
{
    return PreferFdkAac == 1 && wcscmp(encoder, L"aac") == 0 ? L"libfdk_aac" : encoder;
}

CAudioCodec* Build(const AudioCodecRow& row)
{
    CAudioCodec* pCodec = row.create ? row.create() : new CAudioCodec;
    pCodec->m_flags = row.flags;
    pCodec->m_id = row.id;
    pCodec->m_name = row.name;
    pCodec->m_encoder = ChooseEncoder(row.encoder);
    pCodec->m_bitRates = row.bitRates;
    pCodec->m_defaultBitRate = row.defaultBitRate;
    pCodec->m_channelCounts = row.channelCounts;
    pCodec->m_defaultChannels = row.defaultChannels;
    pCodec->m_sampleRates = row.sampleRates;
    pCodec->m_defaultSampleRate = row.defaultSampleRate;
    pCodec->m_minSampleRate = row.minSampleRate;
    return pCodec;
}

}  // namespace

// Every format creates its codecs by id at every start, so the lookup is a binary search.
CAudioCodec* CreateAudioCodec(LPCWSTR id)
{
    const AudioCodecRow* pEnd = std::end(kAudioCodecs);
    const AudioCodecRow* pRow = std::lower_bound(std::begin(kAudioCodecs), pEnd, id,
        [](const AudioCodecRow& row, LPCWSTR key) { return wcscmp(row.id, key) < 0; });
    return pRow != pEnd && wcscmp(pRow->id, id) == 0 ? Build(*pRow) : nullptr;
}
