#include "conversion/engine/catalogue/BuiltInFormats.h"
#include "conversion/engine/catalogue/CBuiltInFormat.h"
#include "conversion/engine/catalogue/CVF_flm.h"
#include "conversion/engine/catalogue/CVF_gif.h"
#include "conversion/engine/catalogue/CVF_hls.h"
#include "conversion/engine/catalogue/PresetRecordBuilder.h"

namespace {

using namespace BuiltInPresets;

// Built-in presets, one table per format: name; video flags, codec, width, height, frame
// rate, bit rate, profile, preset file; audio flags, codec, channels, sample rate, bit rate.
constexpr MediaPresetRecord kVF_mp4[] = {
    Preset(L"H.264", Video(1, L"VC_libx264"), Audio(1, L"AC_aac")),
    Preset(L"H.264 - 240p", Video(1, L"VC_libx264", 320, 240), Audio(1, L"AC_aac")),
    Preset(L"H.264 - 360p", Video(1, L"VC_libx264", 480, 360), Audio(1, L"AC_aac")),
    Preset(L"H.264 - 480p", Video(1, L"VC_libx264", 640, 480), Audio(1, L"AC_aac")),
    Preset(L"H.264 - HD 720p", Video(1, L"VC_libx264", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"H.264 - HD 1080p", Video(1, L"VC_libx264", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"H.264 - QHD 2K", Video(1, L"VC_libx264", 2560, 1440), Audio(1, L"AC_aac")),
    Preset(L"H.264 - UHD 4K", Video(1, L"VC_libx264", 3840, 2160), Audio(1, L"AC_aac")),
    Preset(L"HEVC", Video(1, L"VC_libx265"), Audio(1, L"AC_aac")),
    Preset(L"HEVC - 240p", Video(1, L"VC_libx265", 320, 240), Audio(1, L"AC_aac")),
    Preset(L"HEVC - 360p", Video(1, L"VC_libx265", 480, 360), Audio(1, L"AC_aac")),
    Preset(L"HEVC - 480p", Video(1, L"VC_libx265", 640, 480), Audio(1, L"AC_aac")),
    Preset(L"HEVC - HD 720p", Video(1, L"VC_libx265", 1280, 720), Audio(1, L"AC_aac")),
    Preset(L"HEVC - HD 1080p", Video(1, L"VC_libx265", 1920, 1080), Audio(1, L"AC_aac")),
    Preset(L"HEVC - QHD 2K", Video(1, L"VC_libx265", 2560, 1440), Audio(1, L"AC_aac")),
    Preset(L"HEVC - UHD 4K", Video(1, L"VC_libx265", 3840, 2160), Audio(1, L"AC_aac")),
    Preset(L"MPEG-4", Video(1, L"VC_mpeg4"), Audio(1, L"AC_aac")),
    Preset(L"MPEG-4 - 240p", Video(1, L"VC_mpeg4", 320, 240), Audio(1, L"AC_aac")),
    Preset(L"MPEG-4 - 360p", Video(1, L"VC_mpeg4", 480, 360), Audio(1, L"AC_aac")),
    Preset(L"MPEG-4 - 480p", Video(1, L"VC_mpeg4", 640, 480), Audio(1, L"AC_aac")),
    Preset(L"MPEG-4 - HD 720p", Video(1, L"VC_mpeg4", 1280, 720), Audio(1, L"AC_aac")),
    Preset(L"MPEG-4 - HD 1080p", Video(1, L"VC_mpeg4", 1920, 1080), Audio(1, L"AC_aac")),
    Preset(L"MPEG-4 - QHD 2K", Video(1, L"VC_mpeg4", 2560, 1440), Audio(1, L"AC_aac")),
    Preset(L"MPEG-4 - UHD 4K", Video(1, L"VC_mpeg4", 3840, 2160), Audio(1, L"AC_aac")),
    Preset(L"XviD", Video(1, L"VC_libxvid"), Audio(1, L"AC_aac")),
};
constexpr MediaPresetRecord kVF_3g2[] = {
    Preset(L"240p", Video(0, L"VC_libx264.3g2", 320, 240, 24, 1), Audio(0, L"AC_libopencore_amrnb", 1, 8000, 12200)),
    Preset(L"144p", Video(0, L"VC_h263.3g2", 176, 144, 15, 1), Audio(0, L"AC_libopencore_amrnb", 1, 8000, 12200)),
    Preset(L"288p", Video(0, L"VC_h263.3g2", 352, 288, 15, 1), Audio(0, L"AC_libopencore_amrnb", 1, 8000, 12200)),
};
constexpr MediaPresetRecord kVF_3gp[] = {
    Preset(L"144p", Video(0, L"VC_h263.3gp", 176, 144, 15, 1), Audio(0, L"AC_libopencore_amrnb", 1, 8000, 12200)),
    Preset(L"288p", Video(0, L"VC_h263.3gp", 352, 288, 15, 1), Audio(0, L"AC_libopencore_amrnb", 1, 8000, 12200)),
};
constexpr MediaPresetRecord kVF_apng[] = {
    Preset(L"Auto", Video(1, L"VC_apng"), kNoAudio),
    Preset(L"240 x 160", Video(1, L"VC_apng", 240, 160), kNoAudio),
    Preset(L"320 x 240", Video(1, L"VC_apng", 320, 240), kNoAudio),
};
constexpr MediaPresetRecord kVF_asf[] = {
    Preset(L"Auto", Video(1, L"VC_msmpeg4v3"), Audio(1, L"AC_wmav2")),
    Preset(L"240p", Video(1, L"VC_msmpeg4v3", 320, 240), Audio(1, L"AC_wmav2")),
    Preset(L"360p", Video(1, L"VC_msmpeg4v3", 480, 360), Audio(1, L"AC_wmav2")),
    Preset(L"480p", Video(1, L"VC_msmpeg4v3", 640, 480), Audio(1, L"AC_wmav2")),
    Preset(L"HD 720p", Video(1, L"VC_msmpeg4v3", 1280, 720), Audio(1, L"AC_wmav2")),
    Preset(L"HD 1080p", Video(1, L"VC_msmpeg4v3", 1920, 1080), Audio(1, L"AC_wmav2")),
    Preset(L"QHD 2K", Video(1, L"VC_msmpeg4v3", 2560, 1440), Audio(1, L"AC_wmav2")),
    Preset(L"UHD 4K", Video(1, L"VC_msmpeg4v3", 3840, 2160), Audio(1, L"AC_wmav2")),
};
constexpr MediaPresetRecord kVF_avi[] = {
    Preset(L"H.264", Video(1, L"VC_libx264"), Audio(1, L"AC_ac3")),
    Preset(L"H.264 - 240p", Video(1, L"VC_libx264", 320, 240), Audio(1, L"AC_ac3")),
    Preset(L"H.264 - 360p", Video(1, L"VC_libx264", 480, 360), Audio(1, L"AC_ac3")),
    Preset(L"H.264 - 480p", Video(1, L"VC_libx264", 640, 480), Audio(1, L"AC_ac3")),
    Preset(L"H.264 - HD 720p", Video(1, L"VC_libx264", 1280, 720), Audio(1, L"AC_ac3")),
    Preset(L"H.264 - HD 1080p", Video(1, L"VC_libx264", 1920, 1080), Audio(1, L"AC_ac3")),
    Preset(L"H.264 - QHD 2K", Video(1, L"VC_libx264", 2560, 1440), Audio(1, L"AC_ac3")),
    Preset(L"H.264 - UHD 4K", Video(1, L"VC_libx264", 3840, 2160), Audio(1, L"AC_ac3")),
    Preset(L"MPEG-4", Video(1, L"VC_mpeg4"), Audio(1, L"AC_libmp3lame")),
    Preset(L"Xvid", Video(1, L"VC_libxvid"), Audio(1, L"AC_libmp3lame")),
    Preset(L"DivX", Video(1, L"VC_mpeg4.divx"), Audio(1, L"AC_libmp3lame")),
    Preset(L"HuffYUV", Video(1, L"VC_huffyuv"), Audio(1, L"AC_pcm_s16le")),
    Preset(L"Raw video", Video(1, L"VC_rawvideo"), Audio(1, L"AC_pcm_s16le")),
};
constexpr MediaPresetRecord kVF_dash[] = {
    Preset(L"Auto", Video(1, L"VC_libx264"), Audio(1, L"AC_aac")),
};
constexpr MediaPresetRecord kVF_dv[] = {
    Preset(L"NTSC Compatible", Video(1, L"VC_dvvideo", 720, 480, 30000, 1001), Audio(0, L"AC_pcm_s16le.dv", 2, 48000)),
    Preset(L"PAL Compatible", Video(1, L"VC_dvvideo", 720, 576, 25, 1), Audio(0, L"AC_pcm_s16le.dv", 2, 48000)),
};
constexpr MediaPresetRecord kVF_f4v[] = {
    Preset(L"Auto", Video(1, L"VC_libx264"), Audio(1, L"AC_aac")),
    Preset(L"240p", Video(1, L"VC_libx264", 320, 240), Audio(1, L"AC_aac")),
    Preset(L"360p", Video(1, L"VC_libx264", 480, 360), Audio(1, L"AC_aac")),
    Preset(L"480p", Video(1, L"VC_libx264", 640, 480), Audio(1, L"AC_aac")),
    Preset(L"HD 720p", Video(1, L"VC_libx264", 1280, 720), Audio(1, L"AC_aac")),
    Preset(L"HD 1080p", Video(1, L"VC_libx264", 1920, 1080), Audio(1, L"AC_aac")),
};
constexpr MediaPresetRecord kVF_flm[] = {
    Preset(L"Auto", Video(1, L"VC_rawvideo"), kNoAudio),
};
constexpr MediaPresetRecord kVF_flv[] = {
    Preset(L"Auto", Video(1, L"VC_flv"), Audio(1, L"AC_libmp3lame.flv")),
    Preset(L"240p", Video(1, L"VC_flv", 320, 240), Audio(1, L"AC_libmp3lame.flv")),
    Preset(L"360p", Video(1, L"VC_flv", 480, 360), Audio(1, L"AC_libmp3lame.flv")),
    Preset(L"480p", Video(1, L"VC_flv", 640, 480), Audio(1, L"AC_libmp3lame.flv")),
    Preset(L"HD 720p", Video(1, L"VC_flv", 1280, 720), Audio(1, L"AC_libmp3lame.flv")),
    Preset(L"HD 1080p", Video(1, L"VC_flv", 1920, 1080), Audio(1, L"AC_libmp3lame.flv")),
};
constexpr MediaPresetRecord kVF_gif[] = {
    Preset(L"Auto", Video(1, L"VC_gif"), kNoAudio),
    Preset(L"240 x 160", Video(1, L"VC_gif", 240, 160), kNoAudio),
    Preset(L"320 x 240", Video(1, L"VC_gif", 320, 240), kNoAudio),
};
constexpr MediaPresetRecord kVF_gxf[] = {
    Preset(L"NTSC", Video(0, L"VC_mpeg2video", 480, 480), Audio(0, L"AC_pcm_s16le.gxf", 1, 48000)),
    Preset(L"PAL", Video(0, L"VC_mpeg2video", 480, 576), Audio(0, L"AC_pcm_s16le.gxf", 1, 48000)),
};
constexpr MediaPresetRecord kVF_hls[] = {
    Preset(L"Auto", Video(1, L"VC_libx264"), Audio(1, L"AC_aac")),
    Preset(L"144p", Video(0, L"VC_libx264", 256, 144), Audio(0, L"AC_aac")),
    Preset(L"240p", Video(0, L"VC_libx264", 426, 240), Audio(0, L"AC_aac")),
    Preset(L"360p", Video(0, L"VC_libx264", 640, 360), Audio(0, L"AC_aac")),
    Preset(L"480p", Video(0, L"VC_libx264", 854, 480), Audio(0, L"AC_aac")),
    Preset(L"720p (HD)", Video(0, L"VC_libx264", 1280, 720), Audio(0, L"AC_aac")),
    Preset(L"1080p (FHD)", Video(0, L"VC_libx264", 1920, 1080), Audio(0, L"AC_aac")),
    Preset(L"1440p (2K)", Video(0, L"VC_libx264", 2560, 1440), Audio(0, L"AC_aac")),
    Preset(L"2160p (4K)", Video(0, L"VC_libx264", 3840, 2160), Audio(0, L"AC_aac")),
    Preset(L"4320p (8K)", Video(0, L"VC_libx264", 7680, 4320), Audio(0, L"AC_aac")),
    Preset(L"Audio Only", Video(0x20000000, L"VC_libx264"), Audio(1, L"AC_aac")),
};
constexpr MediaPresetRecord kVF_ismv[] = {
    Preset(L"Auto", Video(1, L"VC_libx264"), Audio(1, L"AC_aac")),
};
constexpr MediaPresetRecord kVF_m2v[] = {
    Preset(L"Auto", Video(1, L"VC_mpeg2video"), kNoAudio),
};
constexpr MediaPresetRecord kVF_m4v[] = {
    Preset(L"Auto", Video(1, L"VC_libx264"), Audio(1, L"AC_aac")),
    Preset(L"H.264 - 240p", Video(1, L"VC_libx264", 320, 240), Audio(1, L"AC_aac")),
    Preset(L"H.264 - 360p", Video(1, L"VC_libx264", 480, 360), Audio(1, L"AC_aac")),
    Preset(L"H.264 - 480p", Video(1, L"VC_libx264", 640, 480), Audio(1, L"AC_aac")),
    Preset(L"H.264 - HD 720p", Video(1, L"VC_libx264", 1280, 720), Audio(1, L"AC_aac")),
    Preset(L"H.264 - HD 1080p", Video(1, L"VC_libx264", 1920, 1080), Audio(1, L"AC_aac")),
    Preset(L"H.264 - QHD 2K", Video(1, L"VC_libx264", 2560, 1440), Audio(1, L"AC_aac")),
    Preset(L"H.264 - UHD 4K", Video(1, L"VC_libx264", 3840, 2160), Audio(1, L"AC_aac")),
};
constexpr MediaPresetRecord kVF_mjpeg[] = {
    Preset(L"Auto", Video(1, L"VC_mjpeg"), kNoAudio),
};
constexpr MediaPresetRecord kVF_mkv[] = {
    Preset(L"H.264", Video(1, L"VC_libx264"), Audio(1, L"AC_aac")),
    Preset(L"H.264 - 240p", Video(1, L"VC_libx264", 320, 240), Audio(1, L"AC_aac")),
    Preset(L"H.264 - 360p", Video(1, L"VC_libx264", 480, 360), Audio(1, L"AC_aac")),
    Preset(L"H.264 - 480p", Video(1, L"VC_libx264", 640, 480), Audio(1, L"AC_aac")),
    Preset(L"H.264 - HD 720p", Video(1, L"VC_libx264", 1280, 720), Audio(1, L"AC_aac")),
    Preset(L"H.264 - HD 1080p", Video(1, L"VC_libx264", 1920, 1080), Audio(1, L"AC_aac")),
    Preset(L"H.264 - QHD 2K", Video(1, L"VC_libx264", 2560, 1440), Audio(1, L"AC_aac")),
    Preset(L"H.264 - UHD 4K", Video(1, L"VC_libx264", 3840, 2160), Audio(1, L"AC_aac")),
    Preset(L"HEVC", Video(1, L"VC_libx265"), Audio(1, L"AC_aac")),
    Preset(L"HEVC - 240p", Video(1, L"VC_libx265", 320, 240), Audio(1, L"AC_aac")),
    Preset(L"HEVC - 360p", Video(1, L"VC_libx265", 480, 360), Audio(1, L"AC_aac")),
    Preset(L"HEVC - 480p", Video(1, L"VC_libx265", 640, 480), Audio(1, L"AC_aac")),
    Preset(L"HEVC - HD 720p", Video(1, L"VC_libx265", 1280, 720), Audio(1, L"AC_aac")),
    Preset(L"HEVC - HD 1080p", Video(1, L"VC_libx265", 1920, 1080), Audio(1, L"AC_aac")),
    Preset(L"HEVC - QHD 2K", Video(1, L"VC_libx265", 2560, 1440), Audio(1, L"AC_aac")),
    Preset(L"HEVC - UHD 4K", Video(1, L"VC_libx265", 3840, 2160), Audio(1, L"AC_aac")),
};
constexpr MediaPresetRecord kVF_mov[] = {
    Preset(L"Auto", Video(1, L"VC_libx264"), Audio(1, L"AC_aac")),
    Preset(L"H.264 - 240p", Video(1, L"VC_libx264", 320, 240), Audio(1, L"AC_aac")),
    Preset(L"H.264 - 360p", Video(1, L"VC_libx264", 480, 360), Audio(1, L"AC_aac")),
    Preset(L"H.264 - 480p", Video(1, L"VC_libx264", 640, 480), Audio(1, L"AC_aac")),
    Preset(L"H.264 - HD 720p", Video(1, L"VC_libx264", 1280, 720), Audio(1, L"AC_aac")),
    Preset(L"H.264 - HD 1080p", Video(1, L"VC_libx264", 1920, 1080), Audio(1, L"AC_aac")),
    Preset(L"H.264 - QHD 2K", Video(1, L"VC_libx264", 2560, 1440), Audio(1, L"AC_aac")),
    Preset(L"H.264 - UHD 4K", Video(1, L"VC_libx264", 3840, 2160), Audio(1, L"AC_aac")),
};
constexpr MediaPresetRecord kVF_mpeg1[] = {
    Preset(L"Auto", Video(1, L"VC_mpeg1video"), Audio(1, L"AC_mp2")),
    Preset(L"240p", Video(1, L"VC_mpeg1video", 320, 240), Audio(1, L"AC_mp2")),
    Preset(L"360p", Video(1, L"VC_mpeg1video", 480, 360), Audio(1, L"AC_mp2")),
    Preset(L"480p", Video(1, L"VC_mpeg1video", 640, 480), Audio(1, L"AC_mp2")),
    Preset(L"HD 720p", Video(1, L"VC_mpeg1video", 1280, 720), Audio(1, L"AC_mp2")),
    Preset(L"HD 1080p", Video(1, L"VC_mpeg1video", 1920, 1080), Audio(1, L"AC_mp2")),
    Preset(L"VCD NTSC Compatible", Video(0, L"VC_mpeg1video", 352, 240, 30000, 1001, 1150000), Audio(0, L"AC_mp2", 2, 44100, 224000)),
    Preset(L"VCD PAL Compatible", Video(0, L"VC_mpeg1video", 352, 288, 25, 1, 1150000), Audio(0, L"AC_mp2", 2, 44100, 224000)),
};
constexpr MediaPresetRecord kVF_mpeg2[] = {
    Preset(L"Auto", Video(1, L"VC_mpeg2video"), Audio(1, L"AC_mp2")),
    Preset(L"240p", Video(1, L"VC_mpeg2video", 320, 240), Audio(1, L"AC_mp2")),
    Preset(L"360p", Video(1, L"VC_mpeg2video", 480, 360), Audio(1, L"AC_mp2")),
    Preset(L"480p", Video(1, L"VC_mpeg2video", 640, 480), Audio(1, L"AC_mp2")),
    Preset(L"HD 720p", Video(1, L"VC_mpeg2video", 1280, 720), Audio(1, L"AC_mp2")),
    Preset(L"HD 1080p", Video(1, L"VC_mpeg2video", 1920, 1080), Audio(1, L"AC_mp2")),
    Preset(L"QHD 2K", Video(1, L"VC_mpeg2video", 2560, 1440), Audio(1, L"AC_mp2")),
    Preset(L"UHD 4K", Video(1, L"VC_mpeg2video", 3840, 2160), Audio(1, L"AC_mp2")),
    Preset(L"SVCD NTSC Compatible", Video(0, L"VC_mpeg2video", 480, 480, 30000, 1001, 2415000), Audio(0, L"AC_mp2", 2, 44100, 224000)),
    Preset(L"SVCD PAL Compatible", Video(0, L"VC_mpeg2video", 480, 576, 25, 1, 2415000), Audio(0, L"AC_mp2", 2, 44100, 224000)),
};
constexpr MediaPresetRecord kVF_mxf[] = {
    Preset(L"Auto", Video(1, L"VC_mpeg2video", 0, 0, 25, 1), Audio(1, L"AC_pcm_s16le.mxf", 0, 48000)),
    Preset(L"480p", Video(1, L"VC_mpeg2video", 640, 480, 25, 1), Audio(1, L"AC_pcm_s16le.mxf", 0, 48000)),
    Preset(L"640p", Video(1, L"VC_mpeg2video", 960, 640, 25, 1), Audio(1, L"AC_pcm_s16le.mxf", 0, 48000)),
    Preset(L"HD 720p", Video(1, L"VC_mpeg2video", 1280, 720, 25, 1), Audio(1, L"AC_pcm_s16le.mxf", 0, 48000)),
    Preset(L"HD 1080p", Video(1, L"VC_mpeg2video", 1920, 1080, 25, 1), Audio(1, L"AC_pcm_s16le.mxf", 0, 48000)),
};
constexpr MediaPresetRecord kVF_nut[] = {
    Preset(L"Auto", Video(1, L"VC_mpeg4"), Audio(1, L"AC_libvorbis")),
};
constexpr MediaPresetRecord kVF_ogv[] = {
    Preset(L"Auto", Video(1, L"VC_libtheora"), Audio(1, L"AC_libvorbis")),
    Preset(L"240p", Video(1, L"VC_libtheora", 320, 240), Audio(1, L"AC_libvorbis")),
    Preset(L"360p", Video(1, L"VC_libtheora", 480, 360), Audio(1, L"AC_libvorbis")),
    Preset(L"480p", Video(1, L"VC_libtheora", 640, 480), Audio(1, L"AC_libvorbis")),
    Preset(L"HD 720p", Video(1, L"VC_libtheora", 1280, 720), Audio(1, L"AC_libvorbis")),
    Preset(L"HD 1080p", Video(1, L"VC_libtheora", 1920, 1080), Audio(1, L"AC_libvorbis")),
    Preset(L"QHD 2K", Video(1, L"VC_libtheora", 2560, 1440), Audio(1, L"AC_libvorbis")),
    Preset(L"UHD 4K", Video(1, L"VC_libtheora", 3840, 2160), Audio(1, L"AC_libvorbis")),
};
constexpr MediaPresetRecord kVF_rm[] = {
    Preset(L"Auto", Video(1, L"VC_rv20"), Audio(1, L"AC_ac3")),
};
constexpr MediaPresetRecord kVF_swf[] = {
    Preset(L"Auto", Video(1, L"VC_flv"), Audio(1, L"AC_libmp3lame.flv")),
    Preset(L"240p", Video(1, L"VC_flv", 320, 240), Audio(1, L"AC_libmp3lame.flv")),
    Preset(L"360p", Video(1, L"VC_flv", 640, 360), Audio(1, L"AC_libmp3lame.flv")),
    Preset(L"480p", Video(1, L"VC_flv", 640, 480), Audio(1, L"AC_libmp3lame.flv")),
    Preset(L"HD 720p", Video(1, L"VC_flv", 1280, 720), Audio(1, L"AC_libmp3lame.flv")),
    Preset(L"HD 1080p", Video(1, L"VC_flv", 1920, 1080), Audio(1, L"AC_libmp3lame.flv")),
};
constexpr MediaPresetRecord kVF_trp[] = {
    Preset(L"Auto", Video(1, L"VC_libx264.ts"), Audio(1, L"AC_ac3")),
    Preset(L"H.264 - HD 720p", Video(1, L"VC_libx264.ts", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_ac3")),
    Preset(L"H.264 - HD 1080p", Video(1, L"VC_libx264.ts", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_ac3")),
    Preset(L"H.264 - QHD 2K", Video(1, L"VC_libx264.ts", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_ac3")),
    Preset(L"H.264 - UHD 4K", Video(1, L"VC_libx264.ts", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_ac3")),
};
constexpr MediaPresetRecord kVF_ts[] = {
    Preset(L"H.264", Video(1, L"VC_libx264.ts"), Audio(1, L"AC_ac3")),
    Preset(L"H.264 - HD 720p", Video(1, L"VC_libx264.ts", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_ac3")),
    Preset(L"H.264 - HD 1080p", Video(1, L"VC_libx264.ts", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_ac3")),
    Preset(L"H.264 - QHD 2K", Video(1, L"VC_libx264.ts", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_ac3")),
    Preset(L"H.264 - UHD 4K", Video(1, L"VC_libx264.ts", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_ac3")),
    Preset(L"MPEG-2", Video(1, L"VC_mpeg2video.ts"), Audio(1, L"AC_ac3")),
    Preset(L"MPEG-2 - HD 720p", Video(1, L"VC_mpeg2video.ts", 1280, 720), Audio(1, L"AC_ac3")),
    Preset(L"MPEG-2 - HD 1080p", Video(1, L"VC_mpeg2video.ts", 1920, 1080), Audio(1, L"AC_ac3")),
    Preset(L"MPEG-2 - QHD 2K", Video(1, L"VC_mpeg2video.ts", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_ac3")),
    Preset(L"MPEG-2 - UHD 4K", Video(1, L"VC_mpeg2video.ts", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_ac3")),
};
constexpr MediaPresetRecord kVF_vob[] = {
    Preset(L"DVD NTSC Compatible", Video(0, L"VC_mpeg2video.DVD", 720, 480, 30000, 1001, 5500000), Audio(0, L"AC_ac3.DVD", 2, 48000, 192000)),
    Preset(L"DVD PAL Compatible", Video(0, L"VC_mpeg2video.DVD", 720, 576, 25, 1, 5500000), Audio(0, L"AC_ac3.DVD", 2, 48000, 192000)),
};
constexpr MediaPresetRecord kVF_webm[] = {
    Preset(L"VP8", Video(1, L"VC_libvpx"), Audio(1, L"AC_libvorbis")),
    Preset(L"VP8 - 240p", Video(1, L"VC_libvpx", 320, 240), Audio(1, L"AC_libvorbis")),
    Preset(L"VP8 - 360p", Video(1, L"VC_libvpx", 480, 360, 0, 0, 0, L"", L"libvpx-360p"), Audio(1, L"AC_libvorbis")),
    Preset(L"VP8 - 480p", Video(1, L"VC_libvpx", 640, 480), Audio(1, L"AC_libvorbis")),
    Preset(L"VP8 - HD 720p", Video(1, L"VC_libvpx", 1280, 720, 0, 0, 0, L"", L"libvpx-720p"), Audio(1, L"AC_libvorbis")),
    Preset(L"VP8 - HD 1080p", Video(1, L"VC_libvpx", 1920, 1080, 0, 0, 0, L"", L"libvpx-1080p"), Audio(1, L"AC_libvorbis")),
    Preset(L"VP8 - QHD 2K", Video(1, L"VC_libvpx", 2560, 1440), Audio(1, L"AC_libvorbis")),
    Preset(L"VP8 - UHD 4K", Video(1, L"VC_libvpx", 3840, 2160), Audio(1, L"AC_libvorbis")),
    Preset(L"VP9", Video(1, L"VC_libvpx_vp9"), Audio(1, L"AC_libvorbis")),
    Preset(L"VP9 - 240p", Video(1, L"VC_libvpx_vp9", 320, 240), Audio(1, L"AC_libvorbis")),
    Preset(L"VP9 - 360p", Video(1, L"VC_libvpx_vp9", 480, 360), Audio(1, L"AC_libvorbis")),
    Preset(L"VP9 - 480p", Video(1, L"VC_libvpx_vp9", 640, 480), Audio(1, L"AC_libvorbis")),
    Preset(L"VP9 - HD 720p", Video(1, L"VC_libvpx_vp9", 1280, 720), Audio(1, L"AC_libvorbis")),
    Preset(L"VP9 - HD 1080p", Video(1, L"VC_libvpx_vp9", 1920, 1080), Audio(1, L"AC_libvorbis")),
    Preset(L"VP9 - QHD 2K", Video(1, L"VC_libvpx_vp9", 2560, 1440), Audio(1, L"AC_libvorbis")),
    Preset(L"VP9 - UHD 4K", Video(1, L"VC_libvpx_vp9", 3840, 2160), Audio(1, L"AC_libvorbis")),
};
constexpr MediaPresetRecord kVF_wmv[] = {
    Preset(L"Auto", Video(1, L"VC_wmv2"), Audio(1, L"AC_wmav2")),
    Preset(L"240p", Video(1, L"VC_wmv2", 320, 240), Audio(1, L"AC_wmav2")),
    Preset(L"360p", Video(1, L"VC_wmv2", 480, 360), Audio(1, L"AC_wmav2")),
    Preset(L"480p", Video(1, L"VC_wmv2", 640, 480), Audio(1, L"AC_wmav2")),
    Preset(L"HD 720p", Video(1, L"VC_wmv2", 1280, 720), Audio(1, L"AC_wmav2")),
    Preset(L"HD 1080p", Video(1, L"VC_wmv2", 1920, 1080), Audio(1, L"AC_wmav2")),
    Preset(L"QHD 2K", Video(1, L"VC_wmv2", 2560, 1440), Audio(1, L"AC_wmav2")),
    Preset(L"UHD 4K", Video(1, L"VC_wmv2", 3840, 2160), Audio(1, L"AC_wmav2")),
};
constexpr MediaPresetRecord kVF_wtv[] = {
    Preset(L"Auto", Video(1, L"VC_mpeg2video"), Audio(1, L"AC_ac3")),
};
constexpr MediaPresetRecord kVF_DVD[] = {
    Preset(L"NTSC - Low Quality", Video(0, L"VC_mpeg2video.DVD", 720, 480, 30000, 1001, 3000000), Audio(0, L"AC_ac3.DVD", 2, 44100, 160000)),
    Preset(L"NTSC - Medium Quality", Video(0, L"VC_mpeg2video.DVD", 720, 480, 30000, 1001, 5500000), Audio(0, L"AC_ac3.DVD", 2, 48000, 192000)),
    Preset(L"NTSC - High Quality", Video(0, L"VC_mpeg2video.DVD", 720, 480, 30000, 1001, 7000000), Audio(0, L"AC_ac3.DVD", 2, 48000, 192000)),
    Preset(L"PAL - Low Quality", Video(0, L"VC_mpeg2video.DVD", 720, 576, 25, 1, 3000000), Audio(0, L"AC_ac3.DVD", 2, 44100, 160000)),
    Preset(L"PAL - Medium Quality", Video(0, L"VC_mpeg2video.DVD", 720, 576, 25, 1, 5500000), Audio(0, L"AC_ac3.DVD", 2, 48000, 192000)),
    Preset(L"PAL - High Quality", Video(0, L"VC_mpeg2video.DVD", 720, 576, 25, 1, 7000000), Audio(0, L"AC_ac3.DVD", 2, 48000, 192000)),
};
constexpr MediaPresetRecord kVF_SVCD[] = {
    Preset(L"NTSC", Video(0, L"VC_mpeg2video.SVCD", 480, 480, 30000, 1001, 2415000), Audio(0, L"AC_mp2.VCD", 2, 44100, 224000)),
    Preset(L"PAL", Video(0, L"VC_mpeg2video.SVCD", 480, 576, 25, 1, 2415000), Audio(0, L"AC_mp2.VCD", 2, 44100, 224000)),
};
constexpr MediaPresetRecord kVF_VCD[] = {
    Preset(L"NTSC", Video(0, L"VC_mpeg1video.VCD", 352, 240, 30000, 1001, 1150000), Audio(0, L"AC_mp2.VCD", 2, 44100, 224000)),
    Preset(L"PAL", Video(0, L"VC_mpeg1video.VCD", 352, 288, 25, 1, 1150000), Audio(0, L"AC_mp2.VCD", 2, 44100, 224000)),
};
// id, display name, extension, muxer, flags, switched off, video codecs, audio codecs, presets
const BuiltInFormatSpec kVideoFormats[] = {
    {L"VF_mp4", L"MP4", L".mp4", L"mp4", 0x3, false,
     L"VC_libx264 VC_libx265 VC_mpeg4 VC_libxvid", L"AC_aac AC_ac3 AC_libmp3lame.mp4", Table(kVF_mp4)},
    {L"VF_3g2", L"3GPP2", L".3g2", L"3g2", 0x3, false,
     L"VC_h263.3g2 VC_libx264.3g2 VC_mpeg4.3g2 VC_libxvid.3g2", L"AC_libopencore_amrnb AC_libvo_amrwbenc AC_aac.3g2", Table(kVF_3g2)},
    {L"VF_3gp", L"3GPP", L".3gp", L"3gp", 0x3, false,
     L"VC_h263.3gp VC_libx264.3gp VC_mpeg4.3gp VC_libxvid.3gp", L"AC_libopencore_amrnb AC_libvo_amrwbenc AC_aac.3gp", Table(kVF_3gp)},
    {L"VF_apng", L"Animated PNG", L".apng", L"apng", 0x1, true,
     L"VC_apng", L"", Table(kVF_apng)},
    {L"VF_asf", L"ASF", L".asf", L"asf", 0x3, true,
     L"VC_msmpeg4 VC_wmv2 VC_wmv1 VC_msmpeg4v3", L"AC_libmp3lame AC_mp2 AC_wmav2 AC_wmav1", Table(kVF_asf)},
    {L"VF_avi", L"AVI", L".avi", L"avi", 0x3, false,
     L"VC_libx264 VC_mpeg4 VC_mpeg4.divx VC_libxvid VC_msmpeg4 VC_msmpeg4v3 VC_msmpeg4v2 VC_mpeg2video VC_mpeg1video VC_h263 VC_h263p VC_mjpeg VC_huffyuv VC_rawvideo VC_wmv2 VC_wmv1", L"AC_libmp3lame AC_mp2 AC_aac AC_ac3 AC_pcm_s16le AC_pcm_alaw AC_pcm_mulaw AC_adpcm_ima_wav AC_adpcm_ms AC_wmav2 AC_wmav1 AC_dca", Table(kVF_avi)},
    {L"VF_dash", L"DASH", L".mpd", L"dash", 0x3, true,
     L"VC_libx264", L"AC_aac", Table(kVF_dash)},
    {L"VF_dv", L"DV", L".dv", L"dv", 0x3, true,
     L"VC_dvvideo", L"AC_pcm_s16le.dv", Table(kVF_dv)},
    {L"VF_f4v", L"F4V", L".f4v", L"f4v", 0x3, true,
     L"VC_libx264", L"AC_aac", Table(kVF_f4v)},
    {L"VF_flm", L"Adobe Filmstrip", L".flm", L"filmstrip", 0x1, true,
     L"VC_rawvideo", L"", Table(kVF_flm),
     NewFormat<CVF_flm>},
    {L"VF_flv", L"FLV", L".flv", L"flv", 0x3, false,
     L"VC_flv VC_libx264", L"AC_libmp3lame.flv AC_aac", Table(kVF_flv)},
    {L"VF_gif", L"Animated GIF", L".gif", L"gif", 0x1, false,
     L"VC_gif", L"", Table(kVF_gif),
     NewFormat<CVF_gif>},
    {L"VF_gxf", L"GXF", L".gxf", L"gxf", 0x3, true,
     L"VC_mpeg2video", L"AC_pcm_s16le.gxf", Table(kVF_gxf)},
    {L"VF_hls", L"HLS", L".m3u8", L"hls", 0x3, false,
     L"VC_libx264", L"AC_aac", Table(kVF_hls),
     NewFormat<CVF_hls>},
    {L"VF_ismv", L"ISMV", L".ismv", L"ismv", 0x3, true,
     L"VC_libx264", L"AC_aac", Table(kVF_ismv)},
    {L"VF_m2v", L"MPEG-2 Video", L".m2v", L"mpeg2video", 0x1, true,
     L"VC_mpeg2video", L"", Table(kVF_m2v)},
    {L"VF_m4v", L"M4V", L".m4v", L"m4v", 0x3, true,
     L"VC_libx264 VC_mpeg4 VC_libxvid", L"AC_aac", Table(kVF_m4v)},
    {L"VF_mjpeg", L"MJPEG", L".mjpeg", L"mjpeg", 0x1, true,
     L"VC_mjpeg", L"", Table(kVF_mjpeg)},
    {L"VF_mkv", L"MKV", L".mkv", L"matroska", 0x3, false,
     L"VC_libx264 VC_mpeg4 VC_libxvid VC_libx265 VC_libtheora VC_libvpx_vp9 VC_mpeg2video VC_mjpeg VC_dvvideo", L"AC_aac AC_ac3 AC_libmp3lame AC_libvorbis AC_libopus AC_mp2 AC_pcm_s16le AC_dca AC_alac", Table(kVF_mkv)},
    {L"VF_mov", L"MOV", L".mov", L"mov", 0x3, false,
     L"VC_libx264 VC_mpeg4 VC_libxvid VC_mjpeg", L"AC_aac AC_libmp3lame AC_alac", Table(kVF_mov)},
    {L"VF_mpeg1", L"MPEG-1", L".mpg", L"mpeg", 0x3, true,
     L"VC_mpeg1video", L"AC_mp2 AC_libmp3lame", Table(kVF_mpeg1)},
    {L"VF_mpeg2", L"MPEG-2", L".mpg", L"mpeg", 0x3, true,
     L"VC_mpeg2video", L"AC_mp2 AC_ac3", Table(kVF_mpeg2)},
    {L"VF_mxf", L"MXF", L".mxf", L"mxf", 0x3, true,
     L"VC_mpeg2video", L"AC_pcm_s16le.mxf", Table(kVF_mxf)},
    {L"VF_nut", L"NUT", L".nut", L"nut", 0x3, true,
     L"VC_mpeg4", L"AC_libvorbis AC_libmp3lame AC_mp2", Table(kVF_nut)},
    {L"VF_ogv", L"Ogg Video", L".ogv", L"ogv", 0x3, false,
     L"VC_libtheora", L"AC_libvorbis AC_flac", Table(kVF_ogv)},
    {L"VF_rm", L"RealVideo", L".rm", L"rm", 0x3, true,
     L"VC_rv20 VC_rv10", L"AC_ac3", Table(kVF_rm)},
    {L"VF_swf", L"SWF", L".swf", L"swf", 0x3, true,
     L"VC_flv VC_mjpeg", L"AC_libmp3lame.flv", Table(kVF_swf)},
    {L"VF_trp", L"TRP", L".trp", L"mpegts", 0x3, true,
     L"VC_mpeg2video.ts VC_libx264.ts", L"AC_ac3", Table(kVF_trp)},
    {L"VF_ts", L"TS", L".ts", L"mpegts", 0x3, false,
     L"VC_mpeg2video.ts VC_libx264.ts", L"AC_mp2 AC_ac3 AC_libmp3lame AC_aac", Table(kVF_ts)},
    {L"VF_vob", L"VOB", L".vob", L"vob", 0x3, false,
     L"VC_mpeg2video.DVD", L"AC_ac3.DVD AC_mp2.DVD", Table(kVF_vob)},
    {L"VF_webm", L"WEBM", L".webm", L"webm", 0x3, false,
     L"VC_libvpx VC_libvpx_vp9", L"AC_libvorbis", Table(kVF_webm)},
    {L"VF_wmv", L"WMV", L".wmv", L"asf", 0x3, false,
     L"VC_wmv2 VC_wmv1 VC_msmpeg4", L"AC_wmav2 AC_wmav1 AC_libmp3lame AC_mp2", Table(kVF_wmv)},
    {L"VF_wtv", L"WTV", L".wtv", L"wtv", 0x3, true,
     L"VC_mpeg2video", L"AC_ac3", Table(kVF_wtv)},
    {L"VF_DVD", L"DVD", L".vob", L"dvd", 0x3, false,
     L"VC_mpeg2video.DVD", L"AC_ac3.DVD", Table(kVF_DVD)},
    {L"VF_SVCD", L"SVCD", L".mpg", L"svcd", 0x3, true,
     L"VC_mpeg2video.SVCD", L"AC_mp2.VCD", Table(kVF_SVCD)},
    {L"VF_VCD", L"VCD", L".mpg", L"vcd", 0x3, true,
     L"VC_mpeg1video.VCD", L"AC_mp2.VCD", Table(kVF_VCD)},
};

}  // namespace

void AddVideoFormats(CMediaFormatCategory& category)
{
    AddBuiltInFormats(category, kVideoFormats);
}
