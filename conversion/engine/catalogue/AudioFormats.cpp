#include "conversion/engine/catalogue/BuiltInFormats.h"
#include "conversion/engine/catalogue/CBuiltInFormat.h"
#include "conversion/engine/catalogue/PresetRecordBuilder.h"

namespace {

using namespace BuiltInPresets;

// Built-in presets, one table per format: name; video flags, codec, width, height, frame
// rate, bit rate, profile, preset file; audio flags, codec, channels, sample rate, bit rate.
constexpr MediaPresetRecord kAF_mp3[] = {
    Preset(L"Auto", kNoVideo, Audio(1, L"AC_libmp3lame")),
    Preset(L"Low Quality", kNoVideo, Audio(0, L"AC_libmp3lame", 0, 0, 128000)),
    Preset(L"Medium Quality", kNoVideo, Audio(0, L"AC_libmp3lame", 0, 0, 192000)),
    Preset(L"High Quality", kNoVideo, Audio(0, L"AC_libmp3lame", 0, 0, 256000)),
    Preset(L"Higher Quality", kNoVideo, Audio(0, L"AC_libmp3lame", 0, 0, 320000)),
};
constexpr MediaPresetRecord kAF_aac[] = {
    Preset(L"Auto", kNoVideo, Audio(1, L"AC_aac")),
    Preset(L"Low Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 128000)),
    Preset(L"Medium Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 192000)),
    Preset(L"High Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 256000)),
    Preset(L"Higher Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 320000)),
};
constexpr MediaPresetRecord kAF_ac3[] = {
    Preset(L"Auto", kNoVideo, Audio(1, L"AC_ac3")),
    Preset(L"Low Quality", kNoVideo, Audio(0, L"AC_ac3", 0, 0, 128000)),
    Preset(L"Medium Quality", kNoVideo, Audio(0, L"AC_ac3", 0, 0, 192000)),
    Preset(L"High Quality", kNoVideo, Audio(0, L"AC_ac3", 0, 0, 256000)),
    Preset(L"Higher Quality", kNoVideo, Audio(0, L"AC_ac3", 0, 0, 320000)),
};
constexpr MediaPresetRecord kAF_adx[] = {
    Preset(L"Lossless", kNoVideo, Audio(1, L"AC_adpcm_adx")),
};
constexpr MediaPresetRecord kAF_aiff[] = {
    Preset(L"Lossless", kNoVideo, Audio(1, L"AC_pcm_s16be")),
};
constexpr MediaPresetRecord kAF_alac[] = {
    Preset(L"Lossless", kNoVideo, Audio(1, L"AC_alac")),
};
constexpr MediaPresetRecord kAF_amr[] = {
    Preset(L"Narrow-Band", kNoVideo, Audio(0, L"AC_libopencore_amrnb", 1, 8000, 12200)),
    Preset(L"Wide-Band", kNoVideo, Audio(0, L"AC_libvo_amrwbenc", 1, 16000, 15850)),
};
constexpr MediaPresetRecord kAF_ast[] = {
    Preset(L"Auto", kNoVideo, Audio(1, L"AC_pcm_s16be_planar")),
};
constexpr MediaPresetRecord kAF_au[] = {
    Preset(L"Lossless", kNoVideo, Audio(1, L"AC_pcm_s16be")),
};
constexpr MediaPresetRecord kAF_caf[] = {
    Preset(L"Auto", kNoVideo, Audio(1, L"AC_pcm_s16be")),
};
constexpr MediaPresetRecord kAF_dts[] = {
    Preset(L"Auto", kNoVideo, Audio(1, L"AC_dca")),
};
constexpr MediaPresetRecord kAF_flac[] = {
    Preset(L"Lossless", kNoVideo, Audio(1, L"AC_flac")),
};
constexpr MediaPresetRecord kAF_gsm[] = {
    Preset(L"Auto", kNoVideo, Audio(0, L"AC_libgsm_ms", 1, 8000, 13000)),
};
constexpr MediaPresetRecord kAF_ilbc[] = {
    Preset(L"Auto", kNoVideo, Audio(0, L"AC_libilbc")),
};
constexpr MediaPresetRecord kAF_m4a[] = {
    Preset(L"Auto", kNoVideo, Audio(1, L"AC_aac")),
    Preset(L"Low Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 128000)),
    Preset(L"Medium Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 192000)),
    Preset(L"High Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 256000)),
    Preset(L"Higher Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 320000)),
};
constexpr MediaPresetRecord kAF_m4b[] = {
    Preset(L"Auto", kNoVideo, Audio(1, L"AC_aac")),
    Preset(L"Low Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 128000)),
    Preset(L"Medium Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 192000)),
    Preset(L"High Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 256000)),
    Preset(L"Higher Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 320000)),
};
constexpr MediaPresetRecord kAF_m4r[] = {
    Preset(L"Auto", kNoVideo, Audio(1, L"AC_aac")),
    Preset(L"Low Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 128000)),
    Preset(L"Medium Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 192000)),
    Preset(L"High Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 256000)),
    Preset(L"Higher Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 320000)),
};
constexpr MediaPresetRecord kAF_mka[] = {
    Preset(L"Auto", kNoVideo, Audio(1, L"AC_aac")),
    Preset(L"Low Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 128000)),
    Preset(L"Medium Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 192000)),
    Preset(L"High Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 256000)),
    Preset(L"Higher Quality", kNoVideo, Audio(0, L"AC_aac", 0, 0, 320000)),
};
constexpr MediaPresetRecord kAF_mmf[] = {
    Preset(L"Auto", kNoVideo, Audio(0, L"AC_adpcm_yamaha", 1, 8000, 32000)),
};
constexpr MediaPresetRecord kAF_mp2[] = {
    Preset(L"Auto", kNoVideo, Audio(1, L"AC_mp2")),
};
constexpr MediaPresetRecord kAF_oga[] = {
    Preset(L"Auto", kNoVideo, Audio(1, L"AC_flac")),
};
constexpr MediaPresetRecord kAF_ogg[] = {
    Preset(L"Auto", kNoVideo, Audio(1, L"AC_libvorbis")),
    Preset(L"Low Quality", kNoVideo, Audio(0, L"AC_libvorbis", 0, 0, 128000)),
    Preset(L"Medium Quality", kNoVideo, Audio(0, L"AC_libvorbis", 0, 0, 192000)),
    Preset(L"High Quality", kNoVideo, Audio(0, L"AC_libvorbis", 0, 0, 256000)),
    Preset(L"Higher Quality", kNoVideo, Audio(0, L"AC_libvorbis", 0, 0, 320000)),
};
constexpr MediaPresetRecord kAF_opus[] = {
    Preset(L"Auto", kNoVideo, Audio(1, L"AC_libopus")),
    Preset(L"Low Quality", kNoVideo, Audio(0, L"AC_libopus", 0, 0, 128000)),
    Preset(L"Medium Quality", kNoVideo, Audio(0, L"AC_libopus", 0, 0, 192000)),
    Preset(L"High Quality", kNoVideo, Audio(0, L"AC_libopus", 0, 0, 256000)),
    Preset(L"Higher Quality", kNoVideo, Audio(0, L"AC_libopus", 0, 0, 320000)),
};
constexpr MediaPresetRecord kAF_spx[] = {
    Preset(L"Auto", kNoVideo, Audio(0, L"AC_libspeex")),
    Preset(L"NB", kNoVideo, Audio(0, L"AC_libspeex", 0, 0, 24600)),
    Preset(L"WB", kNoVideo, Audio(0, L"AC_libspeex", 0, 0, 44200)),
};
constexpr MediaPresetRecord kAF_w64[] = {
    Preset(L"Auto", kNoVideo, Audio(1, L"AC_pcm_s16le")),
};
constexpr MediaPresetRecord kAF_wav[] = {
    Preset(L"Lossless", kNoVideo, Audio(1, L"AC_pcm_s16le")),
};
constexpr MediaPresetRecord kAF_wma[] = {
    Preset(L"Auto", kNoVideo, Audio(1, L"AC_wmav2")),
    Preset(L"Low Quality", kNoVideo, Audio(0, L"AC_wmav2", 0, 0, 128000)),
    Preset(L"Medium Quality", kNoVideo, Audio(0, L"AC_wmav2", 0, 0, 192000)),
    Preset(L"High Quality", kNoVideo, Audio(0, L"AC_wmav2", 0, 0, 256000)),
    Preset(L"Higher Quality", kNoVideo, Audio(0, L"AC_wmav2", 0, 0, 320000)),
};
constexpr MediaPresetRecord kAF_wv[] = {
    Preset(L"Auto", kNoVideo, Audio(1, L"AC_wavpack")),
};
// id, display name, extension, muxer, flags, switched off, video codecs, audio codecs, presets
const BuiltInFormatSpec kAudioFormats[] = {
    {L"AF_mp3", L"MP3", L".mp3", L"mp3", 0x2, false,
     L"", L"AC_libmp3lame", Table(kAF_mp3)},
    {L"AF_aac", L"AAC", L".aac", L"adts", 0x2, false,
     L"", L"AC_aac", Table(kAF_aac)},
    {L"AF_ac3", L"AC3", L".ac3", L"ac3", 0x2, false,
     L"", L"AC_ac3", Table(kAF_ac3)},
    {L"AF_adx", L"ADX", L".adx", L"adx", 0x2, true,
     L"", L"AC_adpcm_adx", Table(kAF_adx)},
    {L"AF_aiff", L"AIFF", L".aiff", L"aiff", 0x2, true,
     L"", L"AC_pcm_s16be AC_pcm_s24be", Table(kAF_aiff)},
    {L"AF_alac", L"ALAC", L".m4a", L"ipod", 0x2, true,
     L"", L"AC_alac", Table(kAF_alac)},
    {L"AF_amr", L"AMR", L".amr", L"amr", 0x2, true,
     L"", L"AC_libopencore_amrnb AC_libvo_amrwbenc", Table(kAF_amr)},
    {L"AF_ast", L"AST", L".ast", L"ast", 0x2, true,
     L"", L"AC_pcm_s16be_planar", Table(kAF_ast)},
    {L"AF_au", L"AU", L".au", L"au", 0x2, true,
     L"", L"AC_pcm_s16be AC_pcm_alaw AC_pcm_mulaw AC_pcm_s8", Table(kAF_au)},
    {L"AF_caf", L"CAF", L".caf", L"caf", 0x2, true,
     L"", L"AC_pcm_s16be", Table(kAF_caf)},
    {L"AF_dts", L"DTS", L".dts", L"dts", 0x2, true,
     L"", L"AC_dca", Table(kAF_dts)},
    {L"AF_flac", L"FLAC", L".flac", L"flac", 0x2, false,
     L"", L"AC_flac", Table(kAF_flac)},
    {L"AF_gsm", L"GSM", L".gsm", L"wav", 0x2, true,
     L"", L"AC_libgsm_ms", Table(kAF_gsm)},
    {L"AF_ilbc", L"iLBC", L".ilbc", L"ilbc", 0x2, true,
     L"", L"AC_libilbc", Table(kAF_ilbc)},
    {L"AF_m4a", L"M4A", L".m4a", L"ipod", 0x2, false,
     L"", L"AC_aac AC_alac", Table(kAF_m4a)},
    {L"AF_m4b", L"M4B", L".m4b", L"ipod", 0x2, true,
     L"", L"AC_aac AC_alac", Table(kAF_m4b)},
    {L"AF_m4r", L"M4R", L".m4r", L"ipod", 0x2, true,
     L"", L"AC_aac AC_alac", Table(kAF_m4r)},
    {L"AF_mka", L"MKA", L".mka", L"matroska", 0x2, false,
     L"", L"AC_aac AC_ac3 AC_libmp3lame AC_alac AC_libvorbis", Table(kAF_mka)},
    {L"AF_mmf", L"MMF", L".mmf", L"mmf", 0x2, true,
     L"", L"AC_adpcm_yamaha", Table(kAF_mmf)},
    {L"AF_mp2", L"MP2", L".mp2", L"mp2", 0x2, false,
     L"", L"AC_mp2", Table(kAF_mp2)},
    {L"AF_oga", L"Ogg Audio", L".oga", L"oga", 0x2, true,
     L"", L"AC_flac", Table(kAF_oga)},
    {L"AF_ogg", L"Ogg", L".ogg", L"ogg", 0x2, false,
     L"", L"AC_libvorbis AC_flac", Table(kAF_ogg)},
    {L"AF_opus", L"Opus", L".opus", L"opus", 0x2, false,
     L"", L"AC_libopus", Table(kAF_opus)},
    {L"AF_spx", L"Speex", L".spx", L"spx", 0x2, false,
     L"", L"AC_libspeex", Table(kAF_spx)},
    {L"AF_w64", L"Sony Wave64", L".w64", L"w64", 0x2, true,
     L"", L"AC_pcm_s16le", Table(kAF_w64)},
    {L"AF_wav", L"WAV", L".wav", L"wav", 0x2, false,
     L"", L"AC_pcm_s16le AC_pcm_s24le AC_pcm_u8 AC_pcm_alaw AC_pcm_mulaw AC_adpcm_ms AC_adpcm_ima_wav", Table(kAF_wav)},
    {L"AF_wma", L"WMA", L".wma", L"asf", 0x2, false,
     L"", L"AC_wmav2 AC_wmav1", Table(kAF_wma)},
    {L"AF_wv", L"WavPack", L".wv", L"wv", 0x2, true,
     L"", L"AC_wavpack", Table(kAF_wv)},
};

}  // namespace

void AddAudioFormats(CMediaFormatCategory& category)
{
    AddBuiltInFormats(category, kAudioFormats);
}
