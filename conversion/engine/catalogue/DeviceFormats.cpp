#include "conversion/engine/catalogue/BuiltInFormats.h"
#include "conversion/engine/catalogue/CBuiltInFormat.h"
#include "conversion/engine/catalogue/PresetRecordBuilder.h"

namespace {

using namespace BuiltInPresets;

// Built-in presets, one table per format: name; video flags, codec, width, height, frame
// rate, bit rate, profile, preset file; audio flags, codec, channels, sample rate, bit rate.
constexpr MediaPresetRecord kVF_Apple[] = {
    Preset(L"Auto", Video(1, L"VC_libx264.Apple", 0, 0, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Apple")),
    Preset(L"HD 720p", Video(1, L"VC_libx264.Apple", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Apple")),
    Preset(L"HD 1080p", Video(1, L"VC_libx264.Apple", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Apple")),
    Preset(L"QHD 2K", Video(1, L"VC_libx264.Apple", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Apple")),
    Preset(L"UHD 4K", Video(1, L"VC_libx264.Apple", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Apple")),
};
constexpr MediaPresetRecord kVF_Amazon[] = {
    Preset(L"Auto", Video(1, L"VC_libx264.Android", 0, 0, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"HD 720p", Video(1, L"VC_libx264.Android", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"HD 1080p", Video(1, L"VC_libx264.Android", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
};
constexpr MediaPresetRecord kVF_Android[] = {
    Preset(L"Auto", Video(1, L"VC_libx264.Android", 0, 0, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"H.264 - 240p", Video(1, L"VC_libx264.Android", 320, 240, 0, 0, 0, L"baseline"), Audio(1, L"AC_aac.Android")),
    Preset(L"H.264 - 360p", Video(1, L"VC_libx264.Android", 480, 360, 0, 0, 0, L"baseline"), Audio(1, L"AC_aac.Android")),
    Preset(L"H.264 - 480p", Video(1, L"VC_libx264.Android", 640, 480, 0, 0, 0, L"baseline"), Audio(1, L"AC_aac.Android")),
    Preset(L"H.264 - HD 720p", Video(1, L"VC_libx264.Android", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"H.264 - HD 1080p", Video(1, L"VC_libx264.Android", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"H.264 - QHD 2K", Video(1, L"VC_libx264.Android", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"H.264 - UHD 4K", Video(1, L"VC_libx264.Android", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
};
constexpr MediaPresetRecord kVF_BlackBerry[] = {
    Preset(L"Auto", Video(1, L"VC_libx264.BlackBerry", 0, 0, 0, 0, 0, L"main"), Audio(1, L"AC_aac.BlackBerry")),
    Preset(L"HD 720p", Video(1, L"VC_libx264.BlackBerry", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_aac.BlackBerry")),
    Preset(L"HD 1080p", Video(1, L"VC_libx264.BlackBerry", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_aac.BlackBerry")),
    Preset(L"QHD 2K", Video(1, L"VC_libx264.BlackBerry", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_aac.BlackBerry")),
    Preset(L"UHD 4K", Video(1, L"VC_libx264.BlackBerry", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_aac.BlackBerry")),
};
constexpr MediaPresetRecord kVF_Google[] = {
    Preset(L"Auto", Video(1, L"VC_libx264.Android", 0, 0, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"HD 720p", Video(1, L"VC_libx264.Android", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"HD 1080p", Video(1, L"VC_libx264.Android", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"QHD 2K", Video(1, L"VC_libx264.Android", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"UHD 4K", Video(1, L"VC_libx264.Android", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
};
constexpr MediaPresetRecord kVF_HTC[] = {
    Preset(L"Auto", Video(1, L"VC_libx264.Android", 0, 0, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"HD 720p", Video(1, L"VC_libx264.Android", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"HD 1080p", Video(1, L"VC_libx264.Android", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"QHD 2K", Video(1, L"VC_libx264.Android", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"UHD 4K", Video(1, L"VC_libx264.Android", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
};
constexpr MediaPresetRecord kVF_Huawei[] = {
    Preset(L"Auto", Video(1, L"VC_libx264.Android", 0, 0, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"HD 720p", Video(1, L"VC_libx264.Android", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"HD 1080p", Video(1, L"VC_libx264.Android", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"QHD 2K", Video(1, L"VC_libx264.Android", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"UHD 4K", Video(1, L"VC_libx264.Android", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
};
constexpr MediaPresetRecord kVF_Lenovo[] = {
    Preset(L"Auto", Video(1, L"VC_libx264.Android", 0, 0, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"HD 720p", Video(1, L"VC_libx264.Android", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"HD 1080p", Video(1, L"VC_libx264.Android", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"QHD 2K", Video(1, L"VC_libx264.Android", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"UHD 4K", Video(1, L"VC_libx264.Android", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
};
constexpr MediaPresetRecord kVF_LG[] = {
    Preset(L"Auto", Video(1, L"VC_libx264.Android", 0, 0, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"HD 720p", Video(1, L"VC_libx264.Android", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"HD 1080p", Video(1, L"VC_libx264.Android", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"QHD 2K", Video(1, L"VC_libx264.Android", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"UHD 4K", Video(1, L"VC_libx264.Android", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
};
constexpr MediaPresetRecord kVF_Microsoft[] = {
    Preset(L"Auto", Video(1, L"VC_mpeg4"), Audio(1, L"AC_aac")),
    Preset(L"HD 720p", Video(1, L"VC_mpeg4", 1280, 720), Audio(1, L"AC_aac")),
    Preset(L"HD 1080p", Video(1, L"VC_mpeg4", 1920, 1080), Audio(1, L"AC_aac")),
    Preset(L"QHD 2K", Video(1, L"VC_mpeg4", 2560, 1440), Audio(1, L"AC_aac")),
    Preset(L"UHD 4K", Video(1, L"VC_mpeg4", 3840, 2160), Audio(1, L"AC_aac")),
};
constexpr MediaPresetRecord kVF_Motorola[] = {
    Preset(L"Auto", Video(1, L"VC_libx264.Android", 0, 0, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"HD 720p", Video(1, L"VC_libx264.Android", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"HD 1080p", Video(1, L"VC_libx264.Android", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"QHD 2K", Video(1, L"VC_libx264.Android", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"UHD 4K", Video(1, L"VC_libx264.Android", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
};
constexpr MediaPresetRecord kVF_Nintendo[] = {
    Preset(L"Auto", Video(1, L"VC_libx264", 0, 0, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"HD 720p", Video(1, L"VC_libx264", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"HD 1080p", Video(1, L"VC_libx264", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"QHD 2K", Video(1, L"VC_libx264", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"UHD 4K", Video(1, L"VC_libx264", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
};
constexpr MediaPresetRecord kVF_Nokia[] = {
    Preset(L"Auto", Video(1, L"VC_libx264", 0, 0, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"HD 720p", Video(1, L"VC_libx264", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"HD 1080p", Video(1, L"VC_libx264", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"QHD 2K", Video(1, L"VC_libx264", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"UHD 4K", Video(1, L"VC_libx264", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
};
constexpr MediaPresetRecord kVF_Samsung[] = {
    Preset(L"Auto", Video(1, L"VC_libx264.Android", 0, 0, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"HD 720p", Video(1, L"VC_libx264.Android", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"HD 1080p", Video(1, L"VC_libx264.Android", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"QHD 2K", Video(1, L"VC_libx264.Android", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"UHD 4K", Video(1, L"VC_libx264.Android", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
};
constexpr MediaPresetRecord kVF_Sony[] = {
    Preset(L"Auto", Video(1, L"VC_libx264", 0, 0, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"HD 720p", Video(1, L"VC_libx264", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"HD 1080p", Video(1, L"VC_libx264", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"QHD 2K", Video(1, L"VC_libx264", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"UHD 4K", Video(1, L"VC_libx264", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
};
constexpr MediaPresetRecord kVF_Tablet[] = {
    Preset(L"Auto", Video(1, L"VC_libx264", 0, 0, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"HD 720p", Video(1, L"VC_libx264", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"HD 1080p", Video(1, L"VC_libx264", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"QHD 2K", Video(1, L"VC_libx264", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"UHD 4K", Video(1, L"VC_libx264", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
};
constexpr MediaPresetRecord kVF_TV[] = {
    Preset(L"Auto", Video(1, L"VC_libx264", 0, 0, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"HD 720p", Video(1, L"VC_libx264", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"HD 1080p", Video(1, L"VC_libx264", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"QHD 2K", Video(1, L"VC_libx264", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
    Preset(L"UHD 4K", Video(1, L"VC_libx264", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_aac")),
};
constexpr MediaPresetRecord kVF_WindowsPhone[] = {
    Preset(L"H.264", Video(1, L"VC_libx264.WindowsPhone", 0, 0, 0, 0, 0, L"main"), Audio(1, L"AC_aac.WindowsPhone")),
    Preset(L"H.264 - 240p", Video(1, L"VC_libx264.WindowsPhone", 320, 240, 0, 0, 0, L"main"), Audio(1, L"AC_aac.WindowsPhone")),
    Preset(L"H.264 - 360p", Video(1, L"VC_libx264.WindowsPhone", 480, 360, 0, 0, 0, L"main"), Audio(1, L"AC_aac.WindowsPhone")),
    Preset(L"H.264 - 480p", Video(1, L"VC_libx264.WindowsPhone", 640, 480, 0, 0, 0, L"main"), Audio(1, L"AC_aac.WindowsPhone")),
    Preset(L"H.264 - HD 720p", Video(1, L"VC_libx264.WindowsPhone", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_aac.WindowsPhone")),
    Preset(L"H.264 - HD 1080p", Video(1, L"VC_libx264.WindowsPhone", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_aac.WindowsPhone")),
    Preset(L"H.264 - QHD 2K", Video(1, L"VC_libx264.WindowsPhone", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_aac.WindowsPhone")),
    Preset(L"H.264 - UHD 4K", Video(1, L"VC_libx264.WindowsPhone", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_aac.WindowsPhone")),
};
constexpr MediaPresetRecord kVF_Xiaomi[] = {
    Preset(L"Auto", Video(1, L"VC_libx264.Android", 0, 0, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"HD 720p", Video(1, L"VC_libx264.Android", 1280, 720, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"HD 1080p", Video(1, L"VC_libx264.Android", 1920, 1080, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"QHD 2K", Video(1, L"VC_libx264.Android", 2560, 1440, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
    Preset(L"UHD 4K", Video(1, L"VC_libx264.Android", 3840, 2160, 0, 0, 0, L"main"), Audio(1, L"AC_aac.Android")),
};
// id, display name, extension, muxer, flags, switched off, video codecs, audio codecs, presets
const BuiltInFormatSpec kDeviceFormats[] = {
    {L"VF_Apple", L"Apple", L".mp4", L"mp4", 0x103, false,
     L"VC_libx264.Apple VC_mpeg4.Apple", L"AC_aac.Apple", Table(kVF_Apple)},
    {L"VF_Amazon", L"Amazon", L".mp4", L"mp4", 0x103, false,
     L"VC_libx264.Android VC_mpeg4.Android", L"AC_aac.Android", Table(kVF_Amazon)},
    {L"VF_Android", L"Android", L".mp4", L"mp4", 0x103, false,
     L"VC_libx264.Android VC_mpeg4.Android", L"AC_aac.Android", Table(kVF_Android)},
    {L"VF_BlackBerry", L"BlackBerry", L".mp4", L"mp4", 0x103, true,
     L"VC_libx264.BlackBerry VC_mpeg4.BlackBerry", L"AC_aac.BlackBerry AC_libmp3lame", Table(kVF_BlackBerry)},
    {L"VF_Google", L"Google", L".mp4", L"mp4", 0x103, false,
     L"VC_libx264.Android VC_mpeg4.Android", L"AC_aac.Android AC_libmp3lame", Table(kVF_Google)},
    {L"VF_HTC", L"HTC", L".mp4", L"mp4", 0x103, true,
     L"VC_libx264.Android VC_mpeg4.Android", L"AC_aac.Android", Table(kVF_HTC)},
    {L"VF_Huawei", L"Huawei", L".mp4", L"mp4", 0x103, false,
     L"VC_libx264.Android VC_mpeg4.Android", L"AC_aac.Android", Table(kVF_Huawei)},
    {L"VF_Lenovo", L"Lenovo", L".mp4", L"mp4", 0x103, false,
     L"VC_libx264.Android VC_mpeg4.Android", L"AC_aac.Android", Table(kVF_Lenovo)},
    {L"VF_LG", L"LG", L".mp4", L"mp4", 0x103, true,
     L"VC_libx264.Android VC_mpeg4.Android", L"AC_aac.Android", Table(kVF_LG)},
    {L"VF_Microsoft", L"Microsoft", L".mp4", L"mp4", 0x103, false,
     L"VC_libx264 VC_mpeg4", L"AC_aac", Table(kVF_Microsoft)},
    {L"VF_Motorola", L"Motorola", L".mp4", L"mp4", 0x103, false,
     L"VC_libx264.Android VC_mpeg4.Android", L"AC_aac.Android", Table(kVF_Motorola)},
    {L"VF_Nintendo", L"Nintendo", L".mp4", L"mp4", 0x103, false,
     L"VC_libx264 VC_mpeg4", L"AC_aac", Table(kVF_Nintendo)},
    {L"VF_Nokia", L"Nokia", L".mp4", L"mp4", 0x103, true,
     L"VC_libx264 VC_mpeg4", L"AC_aac", Table(kVF_Nokia)},
    {L"VF_Samsung", L"Samsung", L".mp4", L"mp4", 0x103, false,
     L"VC_libx264.Android VC_mpeg4.Android", L"AC_aac.Android", Table(kVF_Samsung)},
    {L"VF_Sony", L"Sony", L".mp4", L"mp4", 0x103, false,
     L"VC_libx264 VC_mpeg4", L"AC_aac", Table(kVF_Sony)},
    {L"VF_Tablet", L"Tablet", L".mp4", L"mp4", 0x103, false,
     L"VC_libx264 VC_mpeg4", L"AC_aac", Table(kVF_Tablet)},
    {L"VF_TV", L"TV", L".mp4", L"mp4", 0x103, false,
     L"VC_libx264 VC_mpeg4", L"AC_aac", Table(kVF_TV)},
    {L"VF_WindowsPhone", L"Windows Phone", L".mp4", L"mp4", 0x103, true,
     L"VC_libx264.WindowsPhone VC_mpeg4.WindowsPhone", L"AC_aac.WindowsPhone", Table(kVF_WindowsPhone)},
    {L"VF_Xiaomi", L"Xiaomi", L".mp4", L"mp4", 0x103, false,
     L"VC_libx264.Android VC_mpeg4.Android", L"AC_aac.Android", Table(kVF_Xiaomi)},
};

}  // namespace

void AddDeviceFormats(CMediaFormatCategory& category)
{
    AddBuiltInFormats(category, kDeviceFormats);
}
