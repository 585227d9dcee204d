#include "conversion/engine/catalogue/CodecCatalogue.h"
#include "conversion/engine/catalogue/CVC_dvvideo.h"
#include "conversion/engine/catalogue/CVC_libxvid.h"
#include "conversion/engine/catalogue/CVC_mpeg1video.h"
#include <algorithm>
#include <wchar.h>

namespace {

// Bit rates in bit/s, 0 is Auto.
const int kVB1[] = {
    0
};
const int kVB2[] = {
    0, 96000, 128000, 160000, 192000, 256000, 320000, 400000, 512000, 640000, 768000, 800000, 1000000,
    1200000, 1500000, 1600000, 1800000, 2000000, 2500000, 3000000, 3500000, 4000000, 4500000, 5000000,
    5500000, 6000000, 8000000, 10000000, 12000000, 15000000, 20000000, 30000000
};
const int kVB3[] = {
    0, 64000, 96000, 128000, 160000, 192000, 256000, 320000, 384000, 448000, 512000, 640000, 768000,
    800000, 900000, 1000000, 1200000, 1500000, 2000000
};
const int kVB4[] = {
    0, 64000, 96000, 128000, 192000, 256000, 320000, 384000, 448000, 512000, 640000, 768000, 900000,
    1000000, 1200000, 1500000
};
const int kVB5[] = {
    0, 64000, 96000, 128000, 192000, 256000, 320000, 384000, 448000, 512000, 640000, 768000, 1000000,
    1200000, 1500000
};
const int kVB6[] = {
    0, 64000, 96000, 128000, 160000, 192000, 256000, 320000, 384000, 448000, 512000, 640000, 768000,
    800000, 1000000, 1200000, 1500000, 2500000
};
const int kVB7[] = {
    0, 64000, 96000, 128000, 160000, 192000, 256000, 320000, 384000, 448000, 512000, 640000, 768000,
    1000000, 1200000, 1500000, 1800000, 2000000, 2200000, 2500000, 2800000, 3000000, 3500000, 4000000,
    5000000, 6000000, 8000000, 10000000, 20000000
};
const int kVB8[] = {
    0, 96000, 128000, 160000, 192000, 256000, 320000, 400000, 512000, 640000, 768000, 800000, 1000000,
    1200000, 1500000, 1600000, 1800000, 2000000, 2500000, 3000000, 3500000, 4000000, 4500000, 5000000,
    5500000, 6000000, 8000000, 10000000, 12000000, 15000000, 20000000, 30000000, 40000000
};
const int kVB9[] = {
    0, 64000, 96000, 128000, 160000, 192000, 256000, 320000, 384000, 448000, 512000, 640000, 768000,
    1000000, 1200000, 1500000
};
const int kVB10[] = {
    0, 3000000, 4000000, 5000000, 6000000, 7000000, 8000000, 9000000, 10000000, 12000000, 15000000,
    20000000, 30000000, 40000000
};
const int kVB11[] = {
    0, 64000, 96000, 128000, 160000, 192000, 256000, 320000, 384000, 448000, 512000, 640000, 768000,
    900000, 1000000, 1200000, 1500000
};
const int kVB12[] = {
    0, 512000, 800000, 1200000, 1500000, 2500000
};
const int kVB13[] = {
    0, 320000, 384000, 448000, 512000, 640000, 768000, 1000000, 1200000, 1500000, 1600000, 1800000,
    2000000, 2200000, 2500000, 2800000, 3000000, 3500000, 4000000, 5000000, 6000000, 8000000
};
const int kVB14[] = {
    1150000
};
const int kVB15[] = {
    2500000, 3000000, 3500000, 4000000, 5000000, 5500000, 6000000, 6500000, 7000000, 8000000, 9000000,
    10000000
};
const int kVB16[] = {
    2415000
};
const int kVB17[] = {
    0, 3000000, 4000000, 5000000, 6000000, 7000000, 8000000, 9000000, 10000000, 12000000, 15000000,
    16000000, 18000000, 20000000
};
const int kVB18[] = {
    0, 96000, 128000, 160000, 192000, 256000, 320000, 384000, 448000, 512000, 640000, 768000, 1000000,
    1200000, 1500000, 1800000, 2000000, 2200000, 2500000, 2800000, 3000000, 3500000, 4000000
};
const int kVB19[] = {
    0, 96000, 128000, 160000, 192000, 256000, 319000, 320000, 384000, 448000, 512000, 640000, 768000,
    900000, 976000, 1000000, 1200000, 1500000, 1800000, 1953000, 2000000, 2200000, 2500000, 2800000,
    3000000, 3500000, 4000000, 4687000, 5000000, 6000000, 7000000, 8000000, 9000000, 10000000, 12000000,
    15000000, 18000000, 20000000, 24000000, 27000000, 30000000
};

// Resolutions, 0 x 0 is Auto.
const MediaSize kVR1[] = {
    {0, 0}, {128, 96}, {176, 144}, {240, 160}, {320, 240}, {352, 288}, {480, 320}, {640, 360}, {640, 480},
    {720, 480}, {854, 480}, {960, 540}, {720, 576}, {768, 576}, {960, 640}, {960, 720}, {1280, 720},
    {1920, 1080}
};
const MediaSize kVR2[] = {
    {480, 320}, {720, 480}, {720, 576}
};
const MediaSize kVR3[] = {
    {0, 0}, {176, 144}, {240, 160}, {320, 240}, {352, 288}, {480, 320}, {640, 360}, {640, 480}, {720, 480},
    {854, 480}, {960, 540}, {720, 576}, {768, 576}, {960, 640}, {960, 720}, {1280, 720}, {1920, 1080}
};
const MediaSize kVR4[] = {
    {128, 96}, {176, 144}, {352, 288}, {704, 576}, {1408, 1152}
};
const MediaSize kVR5[] = {
    {0, 0}, {96, 80}, {128, 96}, {176, 144}, {220, 176}, {240, 192}, {320, 240}, {352, 288}, {480, 320},
    {704, 576}, {1408, 1152}
};
const MediaSize kVR6[] = {
    {0, 0}, {176, 144}, {240, 160}, {320, 240}, {352, 288}, {480, 320}, {640, 360}, {640, 480}, {720, 480},
    {854, 480}, {960, 540}, {720, 576}, {768, 576}, {960, 640}, {960, 720}, {1280, 720}, {1920, 1080},
    {2560, 1440}, {3840, 2160}, {5120, 2700}, {7680, 4320}
};
const MediaSize kVR7[] = {
    {0, 0}, {96, 80}, {128, 96}, {160, 120}, {176, 144}, {220, 176}, {240, 192}, {288, 224}, {320, 240},
    {352, 288}, {480, 320}, {480, 368}, {704, 576}, {1408, 1152}
};
const MediaSize kVR8[] = {
    {0, 0}, {176, 144}, {240, 160}, {320, 240}, {352, 288}, {480, 320}, {640, 360}, {640, 480}, {720, 480},
    {800, 480}, {854, 480}, {960, 540}, {720, 576}, {768, 576}, {1024, 600}, {960, 640}, {960, 720},
    {1200, 720}, {1280, 720}, {1280, 768}, {1280, 800}, {1920, 1080}, {1920, 1200}, {2560, 1440},
    {2880, 1440}, {2960, 1440}, {2048, 1536}, {2560, 1600}, {3840, 2160}, {5120, 2700}, {7680, 4320}
};
const MediaSize kVR9[] = {
    {0, 0}, {176, 132}, {176, 144}, {240, 160}, {240, 240}, {320, 240}, {376, 240}, {432, 240}, {352, 288},
    {480, 320}, {640, 360}, {640, 480}, {720, 480}, {854, 480}, {960, 540}, {720, 576}, {768, 576},
    {960, 640}, {1136, 640}, {960, 720}, {1280, 720}, {1334, 750}, {1024, 768}, {1920, 1080}, {2436, 1125},
    {2560, 1440}, {2048, 1536}, {2224, 1668}, {2732, 2048}, {3840, 2160}, {5120, 2700}, {7680, 4320}
};
const MediaSize kVR10[] = {
    {0, 0}, {176, 144}, {240, 160}, {320, 240}, {352, 288}, {480, 320}, {640, 360}, {640, 480}, {720, 480},
    {854, 480}, {960, 540}, {720, 576}, {768, 576}, {1024, 600}, {960, 640}, {720, 720}, {960, 720},
    {1280, 720}, {1280, 768}, {1620, 1080}, {1920, 1080}, {1440, 1440}, {2560, 1440}, {3840, 2160},
    {5120, 2700}, {7680, 4320}
};
const MediaSize kVR11[] = {
    {0, 0}, {960, 540}, {1280, 720}, {1920, 1080}, {2560, 1440}, {3840, 2160}, {5120, 2700}, {7680, 4320}
};
const MediaSize kVR12[] = {
    {0, 0}, {176, 144}, {240, 160}, {320, 240}, {352, 288}, {480, 320}, {640, 360}, {640, 480}, {720, 480},
    {800, 480}, {854, 480}, {960, 540}, {720, 576}, {768, 576}, {960, 640}, {960, 720}, {1280, 720},
    {1920, 1080}, {2560, 1440}, {3840, 2160}, {5120, 2700}, {7680, 4320}
};
const MediaSize kVR13[] = {
    {352, 240}, {352, 288}, {480, 320}
};
const MediaSize kVR14[] = {
    {480, 480}, {480, 576}
};
const MediaSize kVR15[] = {
    {0, 0}, {176, 144}, {240, 160}, {320, 240}, {480, 320}, {352, 288}, {640, 360}, {640, 480}, {720, 480},
    {854, 480}, {960, 540}, {720, 576}, {768, 576}, {960, 640}, {960, 720}, {1280, 720}, {1920, 1080},
    {2560, 1440}, {3840, 2160}, {5120, 2700}, {7680, 4320}
};
const MediaSize kVR16[] = {
    {0, 0}, {176, 144}, {240, 160}, {320, 240}, {352, 288}, {480, 320}, {640, 480}, {720, 480}, {720, 576}
};
const MediaSize kVR17[] = {
    {0, 0}, {176, 144}, {240, 160}, {320, 240}, {352, 288}, {480, 320}, {640, 360}, {640, 480}, {720, 480},
    {720, 576}, {768, 576}
};
const MediaSize kVR18[] = {
    {0, 0}, {128, 96}, {176, 144}, {240, 160}, {320, 240}, {352, 240}, {480, 272}, {352, 288}, {384, 288},
    {480, 320}, {480, 368}, {512, 384}, {640, 480}, {704, 480}, {720, 480}, {960, 540}, {704, 576},
    {720, 576}, {768, 576}, {1024, 576}, {960, 720}, {1280, 720}, {1440, 1080}, {1920, 1080}
};

// Frame rates, 0/0 is Auto.
const MediaRate kVF1[] = {
    {0, 0}, {5, 1}, {10, 1}
};
const MediaRate kVF2[] = {
    {25, 1}, {30000, 1001}
};
const MediaRate kVF3[] = {
    {0, 0}, {8, 1}, {10, 1}, {12, 1}, {15, 1}, {16, 1}, {20, 1}, {24000, 1001}, {24, 1}, {25, 1},
    {30000, 1001}, {30, 1}, {48, 1}, {50, 1}, {60000, 1001}, {60, 1}
};
const MediaRate kVF4[] = {
    {0, 0}, {5, 1}, {8, 1}, {10, 1}, {12, 1}, {15, 1}, {20, 1}
};
const MediaRate kVF5[] = {
    {0, 0}, {8, 1}, {10, 1}, {12, 1}, {15, 1}, {20, 1}, {24000, 1001}, {24, 1}, {25, 1}, {30000, 1001},
    {30, 1}
};
const MediaRate kVF6[] = {
    {0, 0}, {12000, 1001}, {125, 10}, {15000, 1001}, {15, 1}, {24000, 1001}, {25, 1}, {30000, 1001},
    {30, 1}
};
const MediaRate kVF7[] = {
    {24000, 1001}, {24, 1}, {25, 1}, {30000, 1001}, {30, 1}
};
const MediaRate kVF8[] = {
    {0, 0}, {8, 1}, {10, 1}, {12, 1}, {15, 1}, {16, 1}, {20, 1}, {24000, 1001}, {24, 1}, {25, 1},
    {30000, 1001}, {30, 1}, {48, 1}, {50, 1}, {60000, 1001}, {60, 1}, {100, 1}, {120, 1}
};
const MediaRate kVF9[] = {
    {0, 0}, {20, 1}, {24000, 1001}, {24, 1}, {25, 1}, {30000, 1001}, {30, 1}, {48, 1}, {50, 1},
    {60000, 1001}, {60, 1}, {100, 1}, {120, 1}
};
const MediaRate kVF10[] = {
    {0, 0}, {6000, 1001}, {625, 100}, {75, 10}, {10, 1}, {12000, 1001}, {125, 10}, {15000, 1001}, {15, 1},
    {24000, 1001}, {25, 1}, {30000, 1001}, {30, 1}, {50, 1}, {60, 1}
};
const MediaRate kVF11[] = {
    {0, 0}, {20, 1}, {24000, 1001}, {24, 1}, {25, 1}, {30000, 1001}, {30, 1}, {48, 1}, {50, 1},
    {60000, 1001}, {60, 1}
};
const MediaRate kVF12[] = {
    {0, 0}, {1, 1}, {2, 1}, {5, 1}, {8, 1}, {10, 1}, {12, 1}, {15, 1}, {16, 1}, {20, 1}, {24000, 1001},
    {24, 1}, {25, 1}, {30000, 1001}, {30, 1}, {48, 1}, {50, 1}, {60000, 1001}, {60, 1}, {100, 1}, {120, 1}
};

// Display aspects of the Windows Media codecs, 0:0 is Auto.
const MediaSize kAspects[] = {{0, 0}, {4, 3}, {16, 9}};

struct VideoCodecRow {
    LPCWSTR id;
    LPCWSTR name;
    LPCWSTR encoder;  // empty: no "-codec:v"
    DWORD flags;
    int alignment;
    CValueList<MediaSize> resolutions;
    MediaSize defaultSize;
    CValueList<MediaRate> frameRates;
    MediaRate defaultFrameRate;
    CValueList<int> bitRates;
    int defaultBitRate;
    LPCWSTR defaultProfile = L"";
    LPCWSTR codecTag = L"";
    CValueList<MediaSize> aspects = {};
    MediaRate minFrameRate = {0, 0};
    CVideoCodec* (*create)() = nullptr;  // a class of its own; null: a plain CVideoCodec
};

template <class T>
CVideoCodec* New()
{
    return new T;
}

// In id order by code unit (CreateVideoCodec searches them): id, display name, encoder, flags,
// alignment, resolutions, default, frame rates, default, bit rates, default [, default profile,
// codec tag, aspects, minimum frame rate, class]
const VideoCodecRow kVideoCodecs[] = {
    {L"VC_apng", L"Animated PNG", L"", 6, 1, kVR1, {0, 0}, kVF1, {5, 1}, kVB1, 0},
    {L"VC_dvvideo", L"DV (Digital Video)", L"dvvideo", 1, 1, kVR2, {720, 576}, kVF2, {30000, 1001}, kVB1, 0, L"", L"", {}, {0, 0}, New<CVC_dvvideo>},
    {L"VC_flv", L"FLV", L"flv", 7, 1, kVR3, {0, 0}, kVF3, {0, 0}, kVB2, 0},
    {L"VC_gif", L"GIF", L"gif", 6, 1, kVR1, {0, 0}, kVF4, {0, 0}, kVB1, 0},
    {L"VC_h263", L"H.263", L"h263", 3, 4, kVR4, {352, 288}, kVF5, {0, 0}, kVB3, 0},
    {L"VC_h263.3g2", L"H.263", L"h263", 3, 4, kVR4, {352, 288}, kVF5, {15, 1}, kVB4, 448000},
    {L"VC_h263.3gp", L"H.263", L"h263", 3, 4, kVR4, {352, 288}, kVF5, {15, 1}, kVB5, 448000},
    {L"VC_h263p", L"H.263+", L"h263p", 7, 4, kVR5, {0, 0}, kVF6, {0, 0}, kVB6, 0},
    {L"VC_huffyuv", L"HuffYUV", L"huffyuv", 7, 2, kVR3, {352, 288}, kVF7, {25, 1}, kVB7, 0},
    {L"VC_libtheora", L"Theora", L"libtheora", 7, 1, kVR6, {0, 0}, kVF8, {0, 0}, kVB8, 0},
    {L"VC_libvpx", L"VP8", L"libvpx", 0x10007, 1, kVR6, {0, 0}, kVF8, {0, 0}, kVB8, 0},
    {L"VC_libvpx_vp9", L"VP9", L"libvpx-vp9", 0x10007, 1, kVR6, {0, 0}, kVF8, {0, 0}, kVB8, 0},
    {L"VC_libx264", L"H.264", L"libx264", 0x10007, 2, kVR6, {0, 0}, kVF8, {0, 0}, kVB8, 0},
    {L"VC_libx264.3g2", L"H.264", L"libx264", 0x10007, 2, kVR7, {320, 240}, kVF5, {15, 1}, kVB4, 448000},
    {L"VC_libx264.3gp", L"H.264", L"libx264", 0x10007, 2, kVR7, {320, 240}, kVF5, {15, 1}, kVB9, 448000},
    {L"VC_libx264.Android", L"H.264", L"libx264", 0x10007, 2, kVR8, {0, 0}, kVF8, {0, 0}, kVB8, 0, L"main"},
    {L"VC_libx264.Apple", L"H.264", L"libx264", 0x10007, 2, kVR9, {0, 0}, kVF8, {0, 0}, kVB8, 0, L"main"},
    {L"VC_libx264.BlackBerry", L"H.264", L"libx264", 0x10007, 2, kVR10, {0, 0}, kVF8, {0, 0}, kVB8, 0, L"main"},
    {L"VC_libx264.WindowsPhone", L"H.264", L"libx264", 0x10007, 2, kVR12, {0, 0}, kVF8, {0, 0}, kVB8, 0, L"main"},
    {L"VC_libx264.ts", L"H.264", L"libx264", 0x10007, 2, kVR11, {0, 0}, kVF9, {0, 0}, kVB10, 0, L"main"},
    {L"VC_libx265", L"HEVC", L"libx265", 0x10007, 2, kVR6, {0, 0}, kVF8, {0, 0}, kVB8, 0},
    {L"VC_libxvid", L"Xvid", L"libxvid", 7, 2, kVR6, {0, 0}, kVF8, {0, 0}, kVB8, 0, L"", L"", {}, {0, 0}, New<CVC_libxvid>},
    {L"VC_libxvid.3g2", L"Xvid", L"libxvid", 7, 2, kVR7, {320, 240}, kVF5, {15, 1}, kVB11, 448000, L"", L"", {}, {0, 0}, New<CVC_libxvid>},
    {L"VC_libxvid.3gp", L"Xvid", L"libxvid", 7, 2, kVR7, {320, 240}, kVF5, {15, 1}, kVB9, 448000, L"", L"", {}, {0, 0}, New<CVC_libxvid>},
    {L"VC_mjpeg", L"M-JPEG", L"mjpeg", 7, 1, kVR6, {320, 240}, kVF10, {25, 1}, kVB12, 1200000},
    {L"VC_mpeg1video", L"MPEG1", L"mpeg1video", 7, 1, kVR3, {0, 0}, kVF11, {0, 0}, kVB13, 0, L"", L"", {}, {20, 1}, New<CVC_mpeg1video>},
    {L"VC_mpeg1video.VCD", L"MPEG1", L"mpeg1video", 0, 1, kVR13, {352, 240}, kVF2, {30000, 1001}, kVB14, 1150000},
    {L"VC_mpeg2video", L"MPEG2", L"mpeg2video", 7, 1, kVR6, {0, 0}, kVF8, {0, 0}, kVB8, 0},
    {L"VC_mpeg2video.DVD", L"MPEG2", L"mpeg2video", 0, 1, kVR2, {720, 480}, kVF2, {30000, 1001}, kVB15, 5000000},
    {L"VC_mpeg2video.SVCD", L"MPEG2", L"mpeg2video", 0, 1, kVR14, {480, 480}, kVF2, {30000, 1001}, kVB16, 2415000},
    {L"VC_mpeg2video.ts", L"MPEG2", L"mpeg2video", 1, 1, kVR11, {0, 0}, kVF9, {0, 0}, kVB17, 0},
    {L"VC_mpeg4", L"MPEG-4", L"mpeg4", 7, 1, kVR6, {0, 0}, kVF8, {0, 0}, kVB8, 0},
    {L"VC_mpeg4.3g2", L"MPEG-4", L"mpeg4", 7, 1, kVR7, {320, 240}, kVF5, {15, 1}, kVB11, 448000},
    {L"VC_mpeg4.3gp", L"MPEG-4", L"mpeg4", 7, 1, kVR7, {320, 240}, kVF5, {15, 1}, kVB5, 448000},
    {L"VC_mpeg4.Android", L"MPEG-4", L"mpeg4", 7, 1, kVR8, {0, 0}, kVF8, {0, 0}, kVB8, 0},
    {L"VC_mpeg4.Apple", L"MPEG-4", L"mpeg4", 7, 1, kVR9, {0, 0}, kVF8, {0, 0}, kVB8, 0},
    {L"VC_mpeg4.BlackBerry", L"MPEG-4", L"mpeg4", 7, 1, kVR10, {0, 0}, kVF8, {0, 0}, kVB8, 0},
    {L"VC_mpeg4.WindowsPhone", L"MPEG-4", L"mpeg4", 7, 1, kVR12, {0, 0}, kVF8, {0, 0}, kVB8, 0},
    {L"VC_mpeg4.divx", L"DivX", L"mpeg4", 7, 1, kVR6, {0, 0}, kVF8, {0, 0}, kVB8, 0, L"", L"DIVX"},
    {L"VC_msmpeg4", L"MS MPEG-4", L"msmpeg4", 7, 1, kVR6, {0, 0}, kVF8, {0, 0}, kVB8, 0},
    {L"VC_msmpeg4v2", L"MS MPEG-4 V2", L"msmpeg4v2", 7, 1, kVR6, {0, 0}, kVF8, {0, 0}, kVB8, 0},
    {L"VC_msmpeg4v3", L"MS MPEG-4 V3", L"msmpeg4v3", 7, 1, kVR6, {0, 0}, kVF8, {0, 0}, kVB8, 0},
    {L"VC_rawvideo", L"Raw Video", L"rawvideo", 7, 1, kVR15, {0, 0}, kVF7, {25, 1}, kVB18, 1150000},
    {L"VC_rv10", L"RealVideo 1.0", L"rv10", 7, 16, kVR16, {0, 0}, kVF8, {0, 0}, kVB8, 0},
    {L"VC_rv20", L"RealVideo 2.0", L"rv20", 7, 4, kVR17, {0, 0}, kVF8, {0, 0}, kVB8, 0},
    {L"VC_wmv1", L"WMV1", L"wmv1", 7, 2, kVR6, {0, 0}, kVF8, {0, 0}, kVB8, 0, L"", L"", kAspects},
    {L"VC_wmv2", L"WMV2", L"wmv2", 7, 2, kVR18, {0, 0}, kVF12, {0, 0}, kVB19, 0, L"", L"", kAspects},
};

CVideoCodec* Build(const VideoCodecRow& row)
{
    CVideoCodec* pCodec = row.create ? row.create() : new CVideoCodec;
    pCodec->m_flags = row.flags;
    pCodec->m_id = row.id;
    pCodec->m_name = row.name;
    pCodec->m_encoder = row.encoder;
    pCodec->m_alignment = row.alignment;
    pCodec->m_resolutions = row.resolutions;
    pCodec->m_defaultSize = row.defaultSize;
    pCodec->m_frameRates = row.frameRates;
    pCodec->m_defaultFrameRate = row.defaultFrameRate;
    pCodec->m_minFrameRate = row.minFrameRate;
    pCodec->m_bitRates = row.bitRates;
    pCodec->m_defaultBitRate = row.defaultBitRate;
    pCodec->m_aspects = row.aspects;
    pCodec->m_defaultProfile = row.defaultProfile;
    pCodec->m_codecTag = row.codecTag;
    return pCodec;
}

}  // namespace

// Every format creates its codecs by id at every start, so the lookup is a binary search.
CVideoCodec* CreateVideoCodec(LPCWSTR id)
{
    const VideoCodecRow* pEnd = std::end(kVideoCodecs);
    const VideoCodecRow* pRow = std::lower_bound(std::begin(kVideoCodecs), pEnd, id,
        [](const VideoCodecRow& row, LPCWSTR key) { return wcscmp(row.id, key) < 0; });
    return pRow != pEnd && wcscmp(pRow->id, id) == 0 ? Build(*pRow) : nullptr;
}
