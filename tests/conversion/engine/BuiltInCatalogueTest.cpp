// The built-in registry against the catalogue's own text: categories, format order and off
// flags, preset counts per table, codec binding, values that survive the codecs' rules, and
// the rows the catalogue singles out.
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The built-in order per category; a leading * marks a format switched off at build time.
const char* const kVideoOrder =
    "VF_mp4 VF_3g2 VF_3gp *VF_apng *VF_asf VF_avi *VF_dash *VF_dv *VF_f4v *VF_flm VF_flv VF_gif *VF_gxf VF_hls "
    "*VF_ismv *VF_m2v *VF_m4v *VF_mjpeg VF_mkv VF_mov *VF_mpeg1 *VF_mpeg2 *VF_mxf *VF_nut VF_ogv *VF_rm *VF_swf "
    "*VF_trp VF_ts VF_vob VF_webm VF_wmv *VF_wtv VF_DVD *VF_SVCD *VF_VCD";
const char* const kAudioOrder =
    "AF_mp3 AF_aac AF_ac3 *AF_adx *AF_aiff *AF_alac *AF_amr *AF_ast *AF_au *AF_caf *AF_dts AF_flac *AF_gsm *AF_ilbc "
    "AF_m4a *AF_m4b *AF_m4r AF_mka *AF_mmf AF_mp2 *AF_oga AF_ogg AF_opus AF_spx *AF_w64 AF_wav AF_wma *AF_wv";
const char* const kDeviceOrder =
    "VF_Apple VF_Amazon VF_Android *VF_BlackBerry VF_Google *VF_HTC VF_Huawei VF_Lenovo *VF_LG VF_Microsoft "
    "VF_Motorola VF_Nintendo *VF_Nokia VF_Samsung VF_Sony VF_Tablet VF_TV *VF_WindowsPhone VF_Xiaomi";

// Number of built-in presets per format.
const char* const kPresetCounts =
    "AF_mp3 5 AF_aac 5 AF_ac3 5 AF_adx 1 AF_aiff 1 AF_alac 1 AF_amr 2 AF_ast 1 AF_au 1 AF_caf 1 AF_dts 1 AF_flac 1 "
    "AF_gsm 1 AF_ilbc 1 AF_m4a 5 AF_m4b 5 AF_m4r 5 AF_mka 5 AF_mmf 1 AF_mp2 1 AF_oga 1 AF_ogg 5 AF_opus 5 AF_spx 3 "
    "AF_w64 1 AF_wav 1 AF_wma 5 AF_wv 1 "
    "VF_mp4 25 VF_3g2 3 VF_3gp 2 VF_apng 3 VF_asf 8 VF_avi 13 VF_dash 1 VF_dv 2 VF_f4v 6 VF_flm 1 VF_flv 6 VF_gif 3 "
    "VF_gxf 2 VF_hls 11 VF_ismv 1 VF_m2v 1 VF_m4v 8 VF_mjpeg 1 VF_mkv 16 VF_mov 8 VF_mpeg1 8 VF_mpeg2 10 VF_mxf 5 "
    "VF_nut 1 VF_ogv 8 VF_rm 1 VF_swf 6 VF_trp 5 VF_ts 10 VF_vob 2 VF_webm 16 VF_wmv 8 VF_wtv 1 VF_DVD 6 VF_SVCD 2 "
    "VF_VCD 2 "
    "VF_Apple 5 VF_Amazon 3 VF_Android 8 VF_BlackBerry 5 VF_Google 5 VF_HTC 5 VF_Huawei 5 VF_Lenovo 5 VF_LG 5 "
    "VF_Microsoft 5 VF_Motorola 5 VF_Nintendo 5 VF_Nokia 5 VF_Samsung 5 VF_Sony 5 VF_Tablet 5 VF_TV 5 "
    "VF_WindowsPhone 8 VF_Xiaomi 5";

std::vector<std::string> Words(const char* text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

std::string Narrow(const CString& text)
{
    return std::string(CStringA(text));
}

class BuiltInCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, m_formats.BuildBuiltIns());
        for (int c = 0; c < m_formats.m_categories.GetSize(); ++c) {
            CMediaFormatCategory* pCategory = m_formats.m_categories[c];
            for (int f = 0; f < pCategory->m_formats.GetSize(); ++f) {
                ASSERT_EQ(0, pCategory->m_formats[f]->ResetPresets());
                m_all.push_back(pCategory->m_formats[f]);
            }
        }
    }
    CMediaFormat& Format(LPCWSTR id)
    {
        CMediaFormat* pFormat = m_formats.FindFormat(id);
        EXPECT_TRUE(pFormat) << CStringA(id);
        return *pFormat;
    }
    const MediaPresetRecord& Record(LPCWSTR formatId, LPCWSTR presetName)
    {
        CMediaPreset* pPreset = Format(formatId).FindPreset(presetName);
        EXPECT_EQ(CString(presetName), pPreset->GetName());
        return pPreset->m_record;
    }

    CBuiltInMediaFormats m_formats;
    std::vector<CMediaFormat*> m_all;
};

TEST_F(BuiltInCatalogueTest, Categories)
{
    struct Row {
        LPCWSTR id;
        LPCWSTR name;
        int kind;
        DWORD flags;
        const char* order;
    };
    const Row rows[] = {
        {L"MFC_Video", L"Video", 1, 0x200000, kVideoOrder},
        {L"MFC_Audio", L"Audio", 2, 0x200000, kAudioOrder},
        {L"MFC_Video_Devices", L"Device", 0, 0x200100, kDeviceOrder},
    };
    ASSERT_EQ(3, m_formats.m_categories.GetSize());
    for (int c = 0; c < 3; ++c) {
        const CMediaFormatCategory& category = *m_formats.m_categories[c];
        EXPECT_STREQ(rows[c].id, category.m_id);
        EXPECT_EQ(rows[c].name, category.m_name);
        EXPECT_EQ(rows[c].kind, category.m_mediaKind);
        EXPECT_EQ(rows[c].flags, category.m_flags);
        EXPECT_EQ(0, category.m_defaultFormat);
        std::vector<std::string> order = Words(rows[c].order);
        ASSERT_EQ(order.size(), static_cast<size_t>(category.m_formats.GetSize())) << rows[c].order;
        for (size_t i = 0; i < order.size(); ++i) {
            const bool off = order[i][0] == '*';
            const CMediaFormat& format = *category.m_formats[static_cast<int>(i)];
            EXPECT_EQ(order[i].substr(off ? 1 : 0), Narrow(format.m_id));
            EXPECT_EQ(off, (format.m_flags & FORMAT_OFF) != 0) << order[i];
        }
    }
    EXPECT_EQ(83u, m_all.size());
}

TEST_F(BuiltInCatalogueTest, FormatKindsAndFlags)
{
    int off[3] = {};
    for (int c = 0; c < 3; ++c) {
        const CMediaFormatCategory& category = *m_formats.m_categories[c];
        for (int f = 0; f < category.m_formats.GetSize(); ++f) {
            const CMediaFormat& format = *category.m_formats[f];
            const DWORD flags = format.m_flags & ~FORMAT_OFF;
            off[c] += (format.m_flags & FORMAT_OFF) ? 1 : 0;
            const std::string id = Narrow(format.m_id);
            if (c == 2) {
                EXPECT_EQ(0x103u, flags) << id;
                EXPECT_STREQ(L".mp4", format.m_extension) << id;
                EXPECT_STREQ(L"mp4", format.m_muxer) << id;
            } else if (c == 1) {
                EXPECT_EQ(0x2u, flags) << id;
            } else {
                const bool videoOnly = id == "VF_apng" || id == "VF_flm" || id == "VF_gif" || id == "VF_m2v"
                    || id == "VF_mjpeg";
                EXPECT_EQ(videoOnly ? 0x1u : 0x3u, flags) << id;
            }
            EXPECT_EQ(c == 1 ? 2 : 1, format.m_mediaKind) << id;
            EXPECT_EQ(format.HasVideo(), format.m_videoCodecs.GetSize() > 0) << id;
            EXPECT_EQ(format.HasAudio(), format.m_audioCodecs.GetSize() > 0) << id;
            EXPECT_TRUE(format.m_extraOptions.IsEmpty()) << id;
            EXPECT_EQ(L'.', format.m_extension[0]) << id;
        }
    }
    EXPECT_EQ(21, off[0]);
    EXPECT_EQ(16, off[1]);
    EXPECT_EQ(5, off[2]);
}

TEST_F(BuiltInCatalogueTest, PresetCountsPerTable)
{
    std::vector<std::string> words = Words(kPresetCounts);
    ASSERT_EQ(166u, words.size());
    int total = 0;
    for (size_t i = 0; i < words.size(); i += 2) {
        CMediaFormat& format = Format(CString(words[i].c_str()));
        EXPECT_EQ(std::stoi(words[i + 1]), format.m_presets.GetSize()) << words[i];
        EXPECT_EQ(0, format.m_defaultPreset) << words[i];
        total += format.m_presets.GetSize();
    }
    EXPECT_EQ(382, total);
}

TEST_F(BuiltInCatalogueTest, EveryCodecIsBoundAndEveryIdIsDistinct)
{
    std::set<std::wstring> videoIds;
    std::set<std::wstring> audioIds;
    for (CMediaFormat* pFormat : m_all) {
        const std::string id = Narrow(pFormat->m_id);
        for (int i = 0; i < pFormat->m_videoCodecs.GetSize(); ++i)
            videoIds.insert(std::wstring(pFormat->m_videoCodecs[i]->m_id));
        for (int i = 0; i < pFormat->m_audioCodecs.GetSize(); ++i)
            audioIds.insert(std::wstring(pFormat->m_audioCodecs[i]->m_id));
        std::vector<const CMediaPreset*> presets = {pFormat->m_pCustomPreset};
        for (int i = 0; i < pFormat->m_presets.GetSize(); ++i)
            presets.push_back(pFormat->m_presets[i]);
        for (const CMediaPreset* pPreset : presets) {
            const std::string name = id + " " + Narrow(pPreset->GetName());
            EXPECT_EQ(pFormat->HasVideo(), pPreset->m_pVideoCodec != nullptr) << name;
            EXPECT_EQ(pFormat->HasAudio(), pPreset->m_pAudioCodec != nullptr) << name;
            EXPECT_EQ(0u, pPreset->m_record.flags & ~PRESET_CUSTOM) << name;
            EXPECT_EQ(0, pPreset->m_record.aspectNum) << name;
            EXPECT_EQ(0, pPreset->m_record.aspectDen) << name;
            EXPECT_EQ(L"", GetPresetText(pPreset->m_record.audioProfile)) << name;
            EXPECT_EQ(L"", GetPresetText(pPreset->m_record.audioPresetFile)) << name;
            if (!pFormat->HasVideo()) {
                EXPECT_EQ(L"", GetPresetText(pPreset->m_record.videoCodec)) << name;
            }
        }
    }
    EXPECT_EQ(47u, videoIds.size());
    EXPECT_EQ(44u, audioIds.size());
}

// Picking a built-in value through its codec's rules gives the value back, except where a
// codec has a single channel count or sample rate and the record says Auto.
TEST_F(BuiltInCatalogueTest, BuiltInValuesSurviveTheirCodecsRules)
{
    const std::set<std::string> autoNarrowed = {
        "AF_ilbc Auto channels", "AF_ilbc Auto sample rate",
        "VF_flv Auto sample rate", "VF_flv 240p sample rate", "VF_flv 360p sample rate", "VF_flv 480p sample rate",
        "VF_flv HD 720p sample rate", "VF_flv HD 1080p sample rate",
        "VF_swf Auto sample rate", "VF_swf 240p sample rate", "VF_swf 360p sample rate", "VF_swf 480p sample rate",
        "VF_swf HD 720p sample rate", "VF_swf HD 1080p sample rate",
    };
    std::set<std::string> changed;
    for (CMediaFormat* pFormat : m_all) {
        for (int i = 0; i < pFormat->m_presets.GetSize(); ++i) {
            const CMediaPreset& preset = *pFormat->m_presets[i];
            const MediaPresetRecord& r = preset.m_record;
            const std::string name = Narrow(pFormat->m_id) + " " + Narrow(preset.GetName());
            if (const CVideoCodec* pVideo = preset.m_pVideoCodec) {
                MediaSize size = pVideo->PickResolution({r.width, r.height}, {0, 0});
                MediaRate rate = pVideo->PickFrameRate({r.frameRateNum, r.frameRateDen}, {0, 0});
                if (size.width != r.width || size.height != r.height)
                    changed.insert(name + " size");
                if (rate.num != r.frameRateNum || rate.den != r.frameRateDen)
                    changed.insert(name + " frame rate");
                if (pVideo->PickBitRate(r.videoBitRate, 0) != r.videoBitRate)
                    changed.insert(name + " video bit rate");
            }
            if (const CAudioCodec* pAudio = preset.m_pAudioCodec) {
                if (pAudio->PickChannels(r.channels, 0) != r.channels)
                    changed.insert(name + " channels");
                if (pAudio->PickSampleRate(r.sampleRate, 0) != r.sampleRate)
                    changed.insert(name + " sample rate");
                if (pAudio->PickBitRate(r.audioBitRate, 0) != r.audioBitRate)
                    changed.insert(name + " audio bit rate");
            }
        }
    }
    EXPECT_EQ(autoNarrowed, changed);
}

// Names ending in a ladder label carry the ladder's size unless the catalogue lists another.
TEST_F(BuiltInCatalogueTest, LadderSizes)
{
    const std::pair<std::wstring, MediaSize> ladder[] = {{L"240p", {320, 240}}, {L"360p", {480, 360}},
        {L"480p", {640, 480}}, {L"HD 720p", {1280, 720}}, {L"HD 1080p", {1920, 1080}}, {L"QHD 2K", {2560, 1440}},
        {L"UHD 4K", {3840, 2160}}};
    const std::map<std::string, MediaSize> listed = {{"VF_hls 240p", {426, 240}}, {"VF_hls 360p", {640, 360}},
        {"VF_hls 480p", {854, 480}}, {"VF_swf 360p", {640, 360}}};
    int laddered = 0;
    for (CMediaFormat* pFormat : m_all) {
        for (int i = 0; pFormat->HasVideo() && i < pFormat->m_presets.GetSize(); ++i) {
            const MediaPresetRecord& r = pFormat->m_presets[i]->m_record;
            const std::wstring name(GetPresetText(r.name));
            const std::string key = Narrow(pFormat->m_id) + " " + Narrow(CString(name.c_str()));
            for (const auto& step : ladder) {
                if (name.size() < step.first.size() || name.compare(name.size() - step.first.size(), std::wstring::npos, step.first) != 0)
                    continue;
                auto it = listed.find(key);
                MediaSize expected = it != listed.end() ? it->second : step.second;
                EXPECT_EQ(expected.width, r.width) << key;
                EXPECT_EQ(expected.height, r.height) << key;
                ++laddered;
            }
        }
    }
    EXPECT_EQ(217, laddered);
}

TEST_F(BuiltInCatalogueTest, CustomPresets)
{
    for (CMediaFormat* pFormat : m_all) {
        const CMediaPreset& custom = *pFormat->m_pCustomPreset;
        const CMediaPreset& first = *pFormat->m_presets[0];
        EXPECT_EQ(L"Custom", custom.GetName());
        EXPECT_EQ(PRESET_CUSTOM, custom.m_record.flags);
        EXPECT_EQ(first.m_pVideoCodec, custom.m_pVideoCodec);
        EXPECT_EQ(first.m_pAudioCodec, custom.m_pAudioCodec);
        EXPECT_EQ(0, memcmp(&first.m_record.videoFlags, &custom.m_record.videoFlags,
                         sizeof(MediaPresetRecord) - offsetof(MediaPresetRecord, videoFlags)))
            << Narrow(pFormat->m_id);
    }
    const MediaPresetRecord& amr = Format(L"AF_amr").m_pCustomPreset->m_record;
    EXPECT_EQ(L"AC_libopencore_amrnb", GetPresetText(amr.audioCodec));
    EXPECT_EQ(12200, amr.audioBitRate);
    const MediaPresetRecord& g2 = Format(L"VF_3g2").m_pCustomPreset->m_record;
    EXPECT_EQ(L"VC_libx264.3g2", GetPresetText(g2.videoCodec));
    EXPECT_EQ(24, g2.frameRateNum);
}

TEST_F(BuiltInCatalogueTest, NamedRows)
{
    CMediaFormat& wav = Format(L"AF_wav");
    EXPECT_EQ(7, wav.m_audioCodecs.GetSize());
    EXPECT_EQ(wav.m_audioCodecs[0], wav.FindPreset(L"Lossless")->m_pAudioCodec);
    EXPECT_STREQ(L"ipod", Format(L"AF_alac").m_muxer);
    EXPECT_STREQ(L".m4a", Format(L"AF_m4a").m_extension);
    EXPECT_STREQ(L"wav", Format(L"AF_gsm").m_muxer);
    EXPECT_STREQ(L".gsm", Format(L"AF_gsm").m_extension);

    CMediaFormat& avi = Format(L"VF_avi");
    EXPECT_EQ(16, avi.m_videoCodecs.GetSize());
    EXPECT_EQ(12, avi.m_audioCodecs.GetSize());
    EXPECT_STREQ(L"AC_libmp3lame", avi.m_audioCodecs[0]->m_id);
    EXPECT_STREQ(L"VC_libx264", avi.m_presets[0]->m_pVideoCodec->m_id);
    EXPECT_STREQ(L"AC_ac3", avi.m_presets[0]->m_pAudioCodec->m_id);
    EXPECT_STREQ(L"mpegts", Format(L"VF_trp").m_muxer);
    EXPECT_STREQ(L".vob", Format(L"VF_DVD").m_extension);
    EXPECT_STREQ(L".mpg", Format(L"VF_mpeg2").m_extension);

    const MediaPresetRecord& audioOnly = Record(L"VF_hls", L"Audio Only");
    EXPECT_EQ(PRESET_STREAM_OFF, audioOnly.videoFlags);
    EXPECT_EQ(PRESET_STREAM_SAME_QUALITY, audioOnly.audioFlags);
    const MediaPresetRecord& mxf = Record(L"VF_mxf", L"640p");
    EXPECT_EQ(1u, mxf.videoFlags);
    EXPECT_EQ(1u, mxf.audioFlags);
    EXPECT_EQ(25, mxf.frameRateNum);
    EXPECT_EQ(48000, mxf.sampleRate);
    EXPECT_EQ(960, mxf.width);
    const MediaPresetRecord& dv = Record(L"VF_dv", L"NTSC Compatible");
    EXPECT_EQ(1u, dv.videoFlags);
    EXPECT_EQ(720, dv.width);
    EXPECT_EQ(30000, dv.frameRateNum);
    EXPECT_EQ(0u, dv.audioFlags);
    EXPECT_EQ(2, dv.channels);

    for (int i = 0; i < Format(L"VF_mp4").m_presets.GetSize(); ++i) {
        const MediaPresetRecord& r = Format(L"VF_mp4").m_presets[i]->m_record;
        const CString name = GetPresetText(r.name);
        const bool main = name == L"H.264 - HD 720p" || name == L"H.264 - HD 1080p";
        EXPECT_EQ(main ? L"main" : L"", GetPresetText(r.videoProfile)) << Narrow(name);
    }
    for (int i = 0; i < Format(L"VF_webm").m_presets.GetSize(); ++i) {
        const MediaPresetRecord& r = Format(L"VF_webm").m_presets[i]->m_record;
        const CString name = GetPresetText(r.name);
        CString expected;
        if (name == L"VP8 - 360p" || name == L"VP8 - HD 720p" || name == L"VP8 - HD 1080p")
            expected = L"libvpx-" + name.Mid(name.ReverseFind(L' ') + 1);
        EXPECT_EQ(expected, GetPresetText(r.videoPresetFile)) << Narrow(name);
    }
    EXPECT_EQ(L"baseline", GetPresetText(Record(L"VF_Android", L"H.264 - 360p").videoProfile));
    EXPECT_EQ(7680, Record(L"VF_hls", L"4320p (8K)").width);
    EXPECT_EQ(5500000, Record(L"VF_vob", L"DVD PAL Compatible").videoBitRate);
    EXPECT_EQ(44100, Record(L"VF_DVD", L"PAL - Low Quality").sampleRate);
    EXPECT_EQ(160000, Record(L"VF_DVD", L"NTSC - Low Quality").audioBitRate);
    EXPECT_STREQ(L"rgba", Format(L"VF_flm").m_videoCodecs[0]->m_pixelFormat);
    EXPECT_STREQ(L"", Format(L"VF_avi").FindVideoCodec(L"VC_rawvideo")->m_pixelFormat);
}

TEST_F(BuiltInCatalogueTest, DeviceFamiliesAndTheirCodecs)
{
    const char* const android = "VF_Amazon VF_Android VF_Google VF_HTC VF_Huawei VF_Lenovo VF_LG VF_Motorola "
                                "VF_Samsung VF_Xiaomi";
    const char* const plain = "VF_Microsoft VF_Nintendo VF_Nokia VF_Sony VF_Tablet VF_TV";
    for (const std::string& id : Words(android)) {
        CMediaFormat& format = Format(CString(id.c_str()));
        EXPECT_STREQ(L"VC_libx264.Android", format.m_videoCodecs[0]->m_id) << id;
        EXPECT_STREQ(L"VC_mpeg4.Android", format.m_videoCodecs[1]->m_id) << id;
        EXPECT_STREQ(L"AC_aac.Android", format.m_audioCodecs[0]->m_id) << id;
    }
    for (const std::string& id : Words(plain)) {
        CMediaFormat& format = Format(CString(id.c_str()));
        EXPECT_STREQ(L"VC_libx264", format.m_videoCodecs[0]->m_id) << id;
        EXPECT_STREQ(L"AC_aac", format.m_audioCodecs[0]->m_id) << id;
    }
    EXPECT_STREQ(L"AC_libmp3lame", Format(L"VF_BlackBerry").m_audioCodecs[1]->m_id);
    EXPECT_STREQ(L"AC_libmp3lame", Format(L"VF_Google").m_audioCodecs[1]->m_id);
    EXPECT_EQ(1, Format(L"VF_Android").m_audioCodecs.GetSize());
    // After "Apple", the families go by display name without regard to case.
    const CMediaFormatCategory& devices = *m_formats.m_categories[2];
    for (int i = 2; i < devices.m_formats.GetSize(); ++i)
        EXPECT_LT(devices.m_formats[i - 1]->m_name.CompareNoCase(devices.m_formats[i]->m_name), 0);
}

TEST_F(BuiltInCatalogueTest, ResetReloadsTheTableAndKeepsTheCustomPreset)
{
    CMediaFormat& mp3 = Format(L"AF_mp3");
    mp3.m_presets.DeleteAll();
    mp3.m_defaultPreset = 3;
    SetPresetText(mp3.m_pCustomPreset->m_record.name, L"Custom");
    mp3.m_pCustomPreset->m_record.audioBitRate = 64000;
    ASSERT_EQ(0, mp3.ResetPresets());
    ASSERT_EQ(5, mp3.m_presets.GetSize());
    EXPECT_EQ(0, mp3.m_defaultPreset);
    const wchar_t* const names[] = {L"Auto", L"Low Quality", L"Medium Quality", L"High Quality", L"Higher Quality"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(names[i], mp3.m_presets[i]->GetName());
    EXPECT_EQ(320000, mp3.m_presets[4]->m_record.audioBitRate);
    EXPECT_EQ(64000, mp3.m_pCustomPreset->m_record.audioBitRate);
}

// A page or running task holds its preset through the use count: Reset must not free it.
TEST_F(BuiltInCatalogueTest, ResetIsRefusedWhileAPresetIsInUse)
{
    CMediaFormat& mp4 = Format(L"VF_mp4");
    CMediaPreset* pHeld = mp4.m_presets[3];
    pHeld->m_useCount = 1;
    mp4.m_defaultPreset = 2;
    EXPECT_EQ(-1, mp4.ResetPresets());
    EXPECT_EQ(pHeld, mp4.m_presets[3]);
    EXPECT_EQ(2, mp4.m_defaultPreset);
    EXPECT_EQ(0, mp4.LoadPresetTable(nullptr, 0));
    EXPECT_EQ(25, mp4.m_presets.GetSize());
    pHeld->m_useCount = 0;
    EXPECT_EQ(0, mp4.ResetPresets());
    EXPECT_EQ(0, mp4.m_defaultPreset);
}

TEST_F(BuiltInCatalogueTest, FindFormatIgnoresCase)
{
    EXPECT_EQ(m_formats.m_categories[0]->m_formats[0], m_formats.FindFormat(L"vf_MP4"));
    EXPECT_EQ(nullptr, m_formats.FindFormat(L"VF_none"));
    EXPECT_EQ(nullptr, m_formats.FindFormat(nullptr));
}

}  // namespace
