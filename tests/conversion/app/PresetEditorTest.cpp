// The preset dialogs' logic on a small format of its own: typed frame rates, the stream
// switches that keep one stream on, the value lists with and without "Custom", and what OK
// writes into the preset (or refuses, changing nothing).
#include "conversion/app/CPresetEditor.h"
#include <gtest/gtest.h>
#include <string>

namespace {

const MediaSize kSizesA[] = {{0, 0}, {640, 360}, {1280, 720}};
const MediaRate kRatesA[] = {{0, 0}, {25, 1}, {30000, 1001}};
const int kVideoBitRatesA[] = {0, 1000000, 2000000};
const MediaSize kSizesB[] = {{1280, 720}, {1920, 1080}};
const MediaRate kRatesB[] = {{25, 1}, {30, 1}};
const int kVideoBitRatesB[] = {2000000, 4000000};
const int kChannels[] = {0, 1, 2};
const int kSampleRates[] = {44100, 48000};
const int kAudioBitRates[] = {128000, 192000};

class TestFormat : public CMediaFormat {
public:
    int ResetPresets() override { return 0; }
};

class PresetEditorTest : public ::testing::Test {
protected:
    PresetEditorTest()
    {
        m_format.m_id = L"VF_test";
        m_format.m_flags = FORMAT_VIDEO | FORMAT_AUDIO;
        // Codec A takes any value; codec B only its lists.
        CVideoCodec* pA = new CVideoCodec;
        pA->m_id = L"VC_a";
        pA->m_flags = CODEC_ANY_SIZE | CODEC_ANY_RATE | CODEC_ANY_BIT_RATE;
        pA->m_resolutions = kSizesA;
        pA->m_defaultSize = {1280, 720};
        pA->m_frameRates = kRatesA;
        pA->m_defaultFrameRate = {25, 1};
        pA->m_bitRates = kVideoBitRatesA;
        pA->m_defaultBitRate = 1000000;
        CVideoCodec* pB = new CVideoCodec;
        pB->m_id = L"VC_b";
        pB->m_resolutions = kSizesB;
        pB->m_defaultSize = {1920, 1080};
        pB->m_frameRates = kRatesB;
        pB->m_defaultFrameRate = {30, 1};
        pB->m_bitRates = kVideoBitRatesB;
        pB->m_defaultBitRate = 4000000;
        m_format.m_videoCodecs.Add(pA);
        m_format.m_videoCodecs.Add(pB);
        CAudioCodec* pAudio = new CAudioCodec;
        pAudio->m_id = L"AC_a";
        pAudio->m_flags = CODEC_ANY_RATE | CODEC_ANY_BIT_RATE;
        pAudio->m_channelCounts = kChannels;
        pAudio->m_defaultChannels = 2;
        pAudio->m_sampleRates = kSampleRates;
        pAudio->m_defaultSampleRate = 48000;
        pAudio->m_bitRates = kAudioBitRates;
        pAudio->m_defaultBitRate = 128000;
        m_format.m_audioCodecs.Add(pAudio);

        MediaPresetRecord record = {};
        SetPresetText(record.name, L"Clip");
        SetPresetText(record.videoCodec, L"VC_a");
        record.width = 640;
        record.height = 360;
        record.frameRateNum = 25;
        record.frameRateDen = 1;
        record.videoBitRate = 1000000;
        SetPresetText(record.audioCodec, L"AC_a");
        record.channels = 2;
        record.sampleRate = 44100;
        record.audioBitRate = 192000;
        m_format.InitPresetFromRecord(m_preset, record);
    }

    TestFormat m_format;
    CMediaPreset m_preset;
};

TEST(PresetFrameRate, TypedTextsGiveRatesOrAreRefused)
{
    struct Case {
        const char* name;
        LPCWSTR text;
        int result;
        MediaRate rate;
    };
    const Case cases[] = {
        {"Whole", L"30", 0, {30, 1}},
        {"Decimal", L"29.97", 0, {29970, 1000}},
        {"ThreeDecimals", L"23.976", 0, {23976, 1000}},
        {"MoreDecimalsCut", L"29.9765", 0, {29976, 1000}},
        {"NoWholePart", L".5", 0, {500, 1000}},
        {"Blanks", L"  25 ", 0, {25, 1}},
        {"Highest", L"1000", 0, {1000, 1}},
        {"SmallestDecimal", L"0.01", 0, {10, 1000}},
        {"BelowAHundredthIsAuto", L"0.009", 0, {0, 0}},
        {"ZeroIsAuto", L"0", 0, {0, 0}},
        {"TooHigh", L"1001", -1, {7, 7}},
        {"TooHighDecimal", L"1000.5", -1, {7, 7}},
        {"Huge", L"99999999999999999999", -1, {7, 7}},
        {"HugeDecimal", L"99999999999999999999.5", -1, {7, 7}},
        {"Exponent", L"1e9", -1, {7, 7}},
        {"Negative", L"-25", -1, {7, 7}},
        {"Comma", L"29,97", -1, {7, 7}},
        {"Letters", L"fast", -1, {7, 7}},
        {"Empty", L"", -1, {7, 7}},
        {"DotAlone", L".", -1, {7, 7}},
        {"TwoDots", L"2.9.7", -1, {7, 7}},
    };
    for (const Case& c : cases) {
        MediaRate rate = {7, 7};
        EXPECT_EQ(c.result, CPresetEditor::ParseFrameRate(c.text, rate)) << c.name;
        EXPECT_EQ(c.rate.num, rate.num) << c.name;
        EXPECT_EQ(c.rate.den, rate.den) << c.name;
    }
    MediaRate rate = {7, 7};
    EXPECT_EQ(-1, CPresetEditor::ParseFrameRate(nullptr, rate));
}

TEST_F(PresetEditorTest, StreamSwitchesKeepOneStreamOn)
{
    struct Case {
        const char* name;
        DWORD formatFlags;
        UINT32 videoFlags;
        UINT32 audioFlags;
        bool videoOn, audioOn, canSwitchVideo, canSwitchAudio;
    };
    const Case cases[] = {
        {"BothOn", FORMAT_VIDEO | FORMAT_AUDIO, 0, 0, true, true, true, true},
        {"VideoOff", FORMAT_VIDEO | FORMAT_AUDIO, PRESET_STREAM_OFF, 0, false, true, true, false},
        {"AudioOff", FORMAT_VIDEO | FORMAT_AUDIO, 0, PRESET_STREAM_OFF, true, false, false, true},
        {"VideoFixed", FORMAT_VIDEO | FORMAT_AUDIO, PRESET_STREAM_FIXED, 0, true, true, false, true},
        {"AudioOnlyFormat", FORMAT_AUDIO, 0, 0, false, true, false, false},
        {"VideoOnlyFormat", FORMAT_VIDEO, 0, 0, true, false, false, false},
    };
    for (const Case& c : cases) {
        m_format.m_flags = c.formatFlags;
        m_preset.m_record.videoFlags = c.videoFlags;
        m_preset.m_record.audioFlags = c.audioFlags;
        CPresetEditor editor(m_format, m_preset);
        EXPECT_EQ(c.videoOn, editor.IsVideoOn()) << c.name;
        EXPECT_EQ(c.audioOn, editor.IsAudioOn()) << c.name;
        EXPECT_EQ(c.canSwitchVideo, editor.CanSwitchVideo()) << c.name;
        EXPECT_EQ(c.canSwitchAudio, editor.CanSwitchAudio()) << c.name;
    }
}

TEST_F(PresetEditorTest, WithVideoOffAudioCannotGoOffToo)
{
    CPresetEditor editor(m_format, m_preset);
    ASSERT_TRUE(editor.SetVideoOn(false));
    EXPECT_FALSE(editor.CanSwitchAudio());
    EXPECT_FALSE(editor.SetAudioOn(false));
    EXPECT_TRUE(editor.IsAudioOn());
    ASSERT_TRUE(editor.SetVideoOn(true));
    EXPECT_TRUE(editor.SetAudioOn(false));
    EXPECT_FALSE(editor.SetVideoOn(false));
}

TEST_F(PresetEditorTest, ValueListsOfferCustomOnlyWhenTheCodecTakesAnyValue)
{
    m_preset.m_record.width = 800;  // in neither codec's list
    m_preset.m_record.height = 450;
    m_format.BindPresetCodecs(m_preset);
    CPresetEditor editor(m_format, m_preset);
    EXPECT_EQ(4, editor.m_resolution.GetItemCount());
    EXPECT_TRUE(editor.m_resolution.IsCustom());
    EXPECT_EQ(800, editor.m_resolution.GetValue().width);
    EXPECT_EQ(1, editor.m_frameRate.GetSelected());  // 25/1 is in the list
    EXPECT_FALSE(editor.m_frameRate.IsCustom());
    EXPECT_EQ(3, editor.m_channels.GetItemCount());  // channels never have "Custom"

    // Codec B has no "Custom": the value outside its list gives way to its default, and
    // 25/1, which B offers too, is kept.
    ASSERT_TRUE(editor.SelectVideoCodec(1));
    EXPECT_EQ(2, editor.m_resolution.GetItemCount());
    EXPECT_EQ(-1, editor.m_resolution.CustomIndex());
    EXPECT_EQ(1920, editor.m_resolution.GetValue().width);
    EXPECT_EQ(25, editor.m_frameRate.GetValue().num);
    EXPECT_EQ(4000000, editor.m_videoBitRate.GetValue());
    EXPECT_FALSE(editor.SelectVideoCodec(2));
    EXPECT_FALSE(editor.SelectVideoCodec(-1));
    EXPECT_EQ(1, editor.GetVideoCodecIndex());
}

TEST_F(PresetEditorTest, ChoosingCustomStartsFromTheCodecDefault)
{
    CPresetEditor editor(m_format, m_preset);
    ASSERT_TRUE(editor.SelectResolution(0));  // Auto: 0 x 0 goes into the edits
    ASSERT_TRUE(editor.SelectResolution(3));
    EXPECT_EQ(1280, editor.m_resolution.GetValue().width);
    EXPECT_EQ(720, editor.m_resolution.GetValue().height);
    editor.m_customFrameRate.Empty();
    ASSERT_TRUE(editor.SelectFrameRate(3));
    EXPECT_STREQ(L"25", editor.m_customFrameRate);
    ASSERT_TRUE(editor.SelectFrameRate(2));
    EXPECT_STREQ(L"29.970", editor.m_customFrameRate);
    EXPECT_FALSE(editor.SelectFrameRate(4));
    EXPECT_FALSE(editor.SelectResolution(-1));
}

TEST_F(PresetEditorTest, ApplyWritesTheEditIntoThePreset)
{
    CPresetEditor editor(m_format, m_preset);
    editor.m_name = L"Phone";
    ASSERT_TRUE(editor.SelectFrameRate(editor.m_frameRate.CustomIndex()));
    editor.m_customFrameRate = L"29.97";
    editor.m_videoSameQuality = true;
    ASSERT_TRUE(editor.m_sampleRate.Select(editor.m_sampleRate.CustomIndex()));
    editor.m_sampleRate.SetCustom(32000);
    ASSERT_EQ(PRESET_EDIT_OK, editor.Apply(m_preset));

    const MediaPresetRecord& r = m_preset.m_record;
    EXPECT_STREQ(L"Phone", m_preset.GetName());
    EXPECT_EQ(29970, r.frameRateNum);
    EXPECT_EQ(1000, r.frameRateDen);
    EXPECT_EQ(640, r.width);
    EXPECT_EQ(PRESET_STREAM_SAME_QUALITY, r.videoFlags);
    EXPECT_EQ(0u, r.audioFlags);
    EXPECT_EQ(32000, r.sampleRate);
    EXPECT_EQ(192000, r.audioBitRate);
    EXPECT_EQ(m_format.m_videoCodecs[0], m_preset.m_pVideoCodec);

    CPresetEditor whole(m_format, m_preset);
    whole.m_customFrameRate = L"30";
    ASSERT_EQ(PRESET_EDIT_OK, whole.Apply(m_preset));
    EXPECT_EQ(30, m_preset.m_record.frameRateNum);
    EXPECT_EQ(1, m_preset.m_record.frameRateDen);
}

TEST_F(PresetEditorTest, ApplyRefusesBadInputAndChangesNothing)
{
    struct Case {
        const char* name;
        int expected;
        void (*edit)(CPresetEditor&);
    };
    const Case cases[] = {
        {"NameOf64", PRESET_EDIT_NAME_TOO_LONG, [](CPresetEditor& e) { e.m_name = CString(L'n', 64); }},
        {"AbsurdFrameRate", PRESET_EDIT_BAD_FRAME_RATE,
         [](CPresetEditor& e) {
             e.SelectFrameRate(e.m_frameRate.CustomIndex());
             e.m_customFrameRate = L"1e300";
         }},
        {"NegativeWidth", PRESET_EDIT_BAD_VALUE,
         [](CPresetEditor& e) {
             e.SelectResolution(e.m_resolution.CustomIndex());
             e.m_resolution.SetCustom({-640, 360});
         }},
        {"NegativeBitRate", PRESET_EDIT_BAD_VALUE,
         [](CPresetEditor& e) {
             e.m_audioBitRate.Select(e.m_audioBitRate.CustomIndex());
             e.m_audioBitRate.SetCustom(-1);
         }},
    };
    const MediaPresetRecord before = m_preset.m_record;
    for (const Case& c : cases) {
        CPresetEditor editor(m_format, m_preset);
        editor.m_name = L"Changed";
        c.edit(editor);
        EXPECT_EQ(c.expected, editor.Apply(m_preset)) << c.name;
        EXPECT_EQ(0, memcmp(&before, &m_preset.m_record, sizeof(before))) << c.name;
    }
}

TEST_F(PresetEditorTest, ANameOf63CharactersIsStoredWhole)
{
    CPresetEditor editor(m_format, m_preset);
    editor.m_name = CString(L'n', CPresetEditor::kMaxNameLength);
    ASSERT_EQ(PRESET_EDIT_OK, editor.Apply(m_preset));
    EXPECT_STREQ(editor.m_name, m_preset.GetName());
}

TEST_F(PresetEditorTest, SwitchedOffStreamsAndFixedAndCustomMarksSurviveApply)
{
    m_preset.m_record.flags = PRESET_CUSTOM;
    m_preset.m_record.audioFlags = PRESET_STREAM_FIXED | PRESET_STREAM_SAME_QUALITY;
    CPresetEditor editor(m_format, m_preset);
    ASSERT_TRUE(editor.SetVideoOn(false));
    editor.m_audioSameQuality = false;
    ASSERT_EQ(PRESET_EDIT_OK, editor.Apply(m_preset));
    EXPECT_EQ(PRESET_CUSTOM, m_preset.m_record.flags);
    EXPECT_EQ(PRESET_STREAM_OFF, m_preset.m_record.videoFlags);
    EXPECT_EQ(PRESET_STREAM_FIXED, m_preset.m_record.audioFlags);

    CPresetEditor again(m_format, m_preset);
    EXPECT_FALSE(again.IsVideoOn());
    EXPECT_FALSE(again.CanSwitchAudio());
}

}  // namespace
