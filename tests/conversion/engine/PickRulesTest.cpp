// The value-pick rules of the codec bases on codecs the test sets up: scalar values, sizes,
// frame rates, and the output-size adjustment with its alignment.
#include "conversion/engine/CAudioCodec.h"
#include "conversion/engine/CVideoCodec.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

// The codec's list views the case's own values.
template <class T>
void Fill(CValueList<T>& list, const std::vector<T>& values)
{
    list = CValueList<T>(values.data(), static_cast<int>(values.size()));
}

// ---- scalar rule ----

enum class Value { BitRate, Channels, SampleRate };

struct ScalarCase {
    const char* name;
    Value value;
    DWORD flags;
    std::vector<int> list;
    int lo, hi, defaultValue;
    int requested, source;
    int expected;
};

int Pick(const ScalarCase& c)
{
    CAudioCodec codec;
    codec.m_flags = c.flags;
    switch (c.value) {
    case Value::BitRate:
        Fill(codec.m_bitRates, c.list);
        codec.m_minBitRate = c.lo;
        codec.m_maxBitRate = c.hi;
        codec.m_defaultBitRate = c.defaultValue;
        return codec.PickBitRate(c.requested, c.source);
    case Value::Channels:
        Fill(codec.m_channelCounts, c.list);
        codec.m_minChannels = c.lo;
        codec.m_maxChannels = c.hi;
        codec.m_defaultChannels = c.defaultValue;
        return codec.PickChannels(c.requested, c.source);
    case Value::SampleRate:
        Fill(codec.m_sampleRates, c.list);
        codec.m_minSampleRate = c.lo;
        codec.m_maxSampleRate = c.hi;
        codec.m_defaultSampleRate = c.defaultValue;
        return codec.PickSampleRate(c.requested, c.source);
    }
    return -999;
}

const std::vector<int> kRates = {0, 64000, 96000, 192000};

const ScalarCase kScalarCases[] = {
    {"unlisted bit rate becomes the default", Value::BitRate, 0, kRates, 0, 0, 96000, 128000, 0, 96000},
    {"listed bit rate stays", Value::BitRate, 0, kRates, 0, 0, 96000, 192000, 0, 192000},
    {"empty list gives the default", Value::BitRate, 0, {}, 0, 0, 64000, 192000, 0, 64000},
    {"any bit rate keeps an unlisted one", Value::BitRate, CODEC_ANY_BIT_RATE, kRates, 0, 0, 96000, 128000, 0, 128000},
    {"Auto with the source between the bounds stays Auto", Value::BitRate, 0, kRates, 32000, 320000, 96000, 0, 128000, 0},
    {"Auto with the source below the minimum gives the minimum", Value::BitRate, 0, kRates, 32000, 0, 96000, 0, 8000, 32000},
    {"Auto with the source above the maximum gives the maximum", Value::BitRate, 0, kRates, 0, 320000, 96000, 0, 500000, 320000},
    {"Auto without bounds stays Auto", Value::BitRate, 0, kRates, 0, 0, 96000, 0, 500000, 0},
    {"negative value passes with any bit rate", Value::BitRate, CODEC_ANY_BIT_RATE, kRates, 32000, 320000, 96000, -5, 0, -5},
    {"value below the minimum is raised", Value::BitRate, CODEC_ANY_BIT_RATE, kRates, 32000, 0, 96000, 16000, 0, 32000},
    {"value above the maximum is lowered", Value::BitRate, CODEC_ANY_BIT_RATE, kRates, 0, 320000, 96000, 640000, 0, 320000},
    {"channels follow flag bit 2, not bit 1", Value::Channels, CODEC_ANY_RATE, {0, 1, 2}, 0, 0, 2, 6, 0, 2},
    {"any channel count keeps 6", Value::Channels, CODEC_ANY_SIZE, {0, 1, 2}, 0, 0, 2, 6, 0, 6},
    {"sample rate follows flag bit 1, not bit 2", Value::SampleRate, CODEC_ANY_SIZE, {0, 44100}, 0, 0, 44100, 22050, 0, 44100},
    {"any sample rate keeps 22050", Value::SampleRate, CODEC_ANY_RATE, {0, 44100}, 0, 0, 44100, 22050, 0, 22050},
    {"sample rate Auto raised to the minimum", Value::SampleRate, CODEC_ANY_RATE, {0, 16000}, 16000, 0, 0, 0, 8000, 16000},
};

TEST(PickRulesTest, ScalarValues)
{
    for (const ScalarCase& c : kScalarCases)
        EXPECT_EQ(c.expected, Pick(c)) << c.name;
}

// ---- resolution ----

struct SizeCase {
    const char* name;
    DWORD flags;
    std::vector<MediaSize> list;
    MediaSize minSize, maxSize, defaultSize;
    MediaSize requested, source;
    MediaSize expected;
};

const std::vector<MediaSize> kSizes = {{0, 0}, {320, 240}, {640, 480}};

const SizeCase kSizeCases[] = {
    {"Auto from a small source meets the minimum in both directions", CODEC_ANY_SIZE, kSizes, {128, 96}, {0, 0}, {0, 0},
        {0, 0}, {100, 100}, {128, 96}},
    {"Auto without bounds keeps the source's size", CODEC_ANY_SIZE, kSizes, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {100, 100},
        {0, 0}},
    {"Auto from a large source meets the maximum", CODEC_ANY_SIZE, kSizes, {0, 0}, {1920, 1080}, {0, 0}, {0, 0},
        {4000, 2000}, {1920, 1080}},
    {"unlisted size becomes the default", 0, kSizes, {0, 0}, {0, 0}, {640, 480}, {800, 600}, {0, 0}, {640, 480}},
    {"listed size stays", 0, kSizes, {0, 0}, {0, 0}, {640, 480}, {320, 240}, {0, 0}, {320, 240}},
    {"same width, other height is not listed", 0, kSizes, {0, 0}, {0, 0}, {640, 480}, {320, 480}, {0, 0}, {640, 480}},
    {"empty list gives the default", 0, {}, {0, 0}, {0, 0}, {352, 288}, {0, 0}, {0, 0}, {352, 288}},
    {"any size keeps an unlisted one", CODEC_ANY_SIZE, kSizes, {0, 0}, {0, 0}, {640, 480}, {800, 600}, {0, 0},
        {800, 600}},
    {"a size above the maximum is lowered", CODEC_ANY_SIZE, kSizes, {0, 0}, {1920, 1080}, {0, 0}, {3840, 2160},
        {0, 0}, {1920, 1080}},
    {"a half-set minimum is no bound", CODEC_ANY_SIZE, kSizes, {128, 0}, {0, 0}, {0, 0}, {0, 0}, {100, 100}, {0, 0}},
};

TEST(PickRulesTest, Resolution)
{
    for (const SizeCase& c : kSizeCases) {
        CVideoCodec codec;
        codec.m_flags = c.flags;
        Fill(codec.m_resolutions, c.list);
        codec.m_minSize = c.minSize;
        codec.m_maxSize = c.maxSize;
        codec.m_defaultSize = c.defaultSize;
        MediaSize size = codec.PickResolution(c.requested, c.source);
        EXPECT_EQ(c.expected.width, size.width) << c.name;
        EXPECT_EQ(c.expected.height, size.height) << c.name;
    }
}

// ---- frame rate ----

struct RateCase {
    const char* name;
    DWORD flags;
    MediaRate minRate, maxRate;
    MediaRate requested, source;
    MediaRate expected;
};

const RateCase kRateCases[] = {
    {"unlisted rate becomes the default", 0, {0, 0}, {0, 0}, {24, 1}, {0, 0}, {30000, 1001}},
    {"listed rate stays", 0, {0, 0}, {0, 0}, {25, 1}, {0, 0}, {25, 1}},
    {"a rate without denominator is returned as it is", CODEC_ANY_RATE, {20, 1}, {30, 1}, {25, 0}, {0, 0}, {25, 0}},
    {"Auto from a slow source gives the minimum", CODEC_ANY_RATE, {20, 1}, {0, 0}, {0, 0}, {15, 1}, {20, 1}},
    {"Auto from a fast source gives the maximum", CODEC_ANY_RATE, {0, 0}, {30, 1}, {0, 0}, {60, 1}, {30, 1}},
    {"Auto from a source within the bounds stays Auto", CODEC_ANY_RATE, {20, 1}, {30, 1}, {0, 0}, {25, 1}, {0, 0}},
    {"Auto from a source of unknown rate stays Auto", CODEC_ANY_RATE, {20, 1}, {30, 1}, {0, 0}, {1, 0}, {0, 0}},
    {"Auto from a source of negative unknown rate stays Auto", CODEC_ANY_RATE, {20, 1}, {30, 1}, {0, 0}, {-1, 0},
        {0, 0}},
    {"a slow rate is raised to the minimum", CODEC_ANY_RATE, {20, 1}, {0, 0}, {10, 1}, {0, 0}, {20, 1}},
    {"a fast rate is lowered to the maximum", CODEC_ANY_RATE, {0, 0}, {30000, 1001}, {60, 1}, {0, 0}, {30000, 1001}},
    {"NTSC rate under a 30/1 maximum stays", CODEC_ANY_RATE, {0, 0}, {30, 1}, {30000, 1001}, {0, 0}, {30000, 1001}},
};

TEST(PickRulesTest, FrameRate)
{
    for (const RateCase& c : kRateCases) {
        CVideoCodec codec;
        codec.m_flags = c.flags;
        static const MediaRate rates[] = {{0, 0}, {25, 1}, {30000, 1001}};
        codec.m_frameRates = rates;
        codec.m_defaultFrameRate = {30000, 1001};
        codec.m_minFrameRate = c.minRate;
        codec.m_maxFrameRate = c.maxRate;
        MediaRate rate = codec.PickFrameRate(c.requested, c.source);
        EXPECT_EQ(c.expected.num, rate.num) << c.name;
        EXPECT_EQ(c.expected.den, rate.den) << c.name;
    }
}

// ---- output size ----

struct AdjustCase {
    const char* name;
    int alignment;
    int width, height;              // options before
    int sourceWidth, sourceHeight;  // display size; 0 x 0: no source stream
    int expectedWidth, expectedHeight;
};

const AdjustCase kAdjustCases[] = {
    {"width 1000 rounds up to 1008 at 16", 16, 1000, 720, 0, 0, 1008, 720},
    {"aligned size stays", 16, 1024, 768, 0, 0, 1024, 768},
    {"the source stands in for a size not given", 16, 0, 0, 1000, 720, 1008, 720},
    {"an aligned source leaves the size to the tool", 16, 0, 0, 1024, 768, 0, 0},
    {"a width without height takes the source's height", 1, 640, 0, 1280, 720, 640, 720},
    {"a height without width takes the source's width", 1, 0, 480, 1280, 720, 1280, 480},
    {"odd size rounds to even at 2", 2, 641, 481, 0, 0, 642, 482},
    {"no source and no size change nothing", 4, 0, 0, 0, 0, 0, 0},
};

TEST(PickRulesTest, AdjustOutputSize)
{
    for (const AdjustCase& c : kAdjustCases) {
        CVideoCodec codec;
        codec.m_alignment = c.alignment;
        CEncoderOptions options;
        options.Width = c.width;
        options.Height = c.height;
        CMediaStreamInfo source;
        source.DisplayWidth = c.sourceWidth;
        source.DisplayHeight = c.sourceHeight;
        const bool hasSource = c.sourceWidth > 0;
        EXPECT_EQ(0, codec.AdjustOutputSize(options, hasSource ? &source : nullptr)) << c.name;
        EXPECT_EQ(c.expectedWidth, options.Width) << c.name;
        EXPECT_EQ(c.expectedHeight, options.Height) << c.name;
    }
}

TEST(PickRulesTest, AudioAdjustChangesNothing)
{
    CAudioCodec codec;
    CEncoderOptions options;
    options.Channels = 2;
    EXPECT_EQ(0, codec.AdjustOutputSize(options, nullptr));
    EXPECT_EQ(2, options.Channels);
    EXPECT_EQ(0, options.StrictLevel);
}

}  // namespace
