// Conversions through the real encoding tool on media made here: a plain format, a stream
// switched off, and the animated GIF's two passes with their palette file and the picture
// effects inside its filter graph.
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include "mediatools/MediaToolLocation.h"
#include "tests/support/ToolTestSupport.h"
#include <gtest/gtest.h>

using namespace tooltest;

namespace {

// Palette files a GIF conversion may have left in the temporary folder.
int CountPalettes()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    WIN32_FIND_DATAW found;
    HANDLE hFind = FindFirstFileW((std::wstring(temp) + L"palette*.bmp").c_str(), &found);
    int count = 0;
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            ++count;
        } while (FindNextFileW(hFind, &found));
        FindClose(hFind);
    }
    return count;
}

class FormatConvertTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = MakeTempFolder(L"engine-convert");
        // corner.mp4: red in the top left quarter, blue elsewhere, so a pixel tells where the
        // picture went and what colour it took.
        s_made = MakeMedia(s_folder + L"\\clip.mp4", kClipH264Aac) && MakeMedia(s_folder + L"\\tone.wav", kToneWav) &&
                 MakeMedia(s_folder + L"\\corner.mp4",
                           L"-f lavfi -i color=c=red:size=32x24:duration=1:rate=5,"
                           L"pad=64:48:0:0:blue -c:v libx264 -pix_fmt yuv444p -f mp4");
    }
    static void TearDownTestSuite() { RemoveFolder(s_folder); }

    void SetUp() override
    {
        ASSERT_TRUE(s_made);
        LocateMediaTools(ToolFolder().c_str());
        ASSERT_EQ(0, m_formats.BuildBuiltIns());
        m_palettes = CountPalettes();
    }
    void TearDown() override { EXPECT_EQ(m_palettes, CountPalettes()) << "a palette file was left behind"; }

    CMediaFormat& Format(LPCWSTR id)
    {
        CMediaFormat& format = *m_formats.FindFormat(id);
        format.ResetPresets();
        return format;
    }
    // Probes the input and converts it into out.<name>, then probes the result; the
    // conversion's result.
    int Convert(LPCWSTR formatId, const CMediaPreset& preset, LPCWSTR input, LPCWSTR name, CEncoderOptions& options)
    {
        options.InputPath = (s_folder + L"\\" + input).c_str();
        options.OutputPath = (s_folder + L"\\" + name).c_str();
        DeleteFileW(options.OutputPath);
        CMediaInfo source;
        source.Probe(options.InputPath, &m_stop);
        int result = m_formats.FindFormat(formatId)->Convert(options, preset, source, nullptr, nullptr, &m_stop);
        if (result == 0) {
            EXPECT_EQ(0, m_output.Probe(options.OutputPath, &m_stop));
        }
        return result;
    }

    // The first frame of a picture file as rows of RGB triplets; empty when it can't be read.
    static std::string FirstFrameRgb(const std::wstring& path)
    {
        std::wstring raw = s_folder + L"\\frame.rgb";
        if (!MakeMedia(raw, L"-i " + Quoted(path) + L" -frames:v 1 -pix_fmt rgb24 -f rawvideo"))
            return std::string();
        std::string bytes = ReadFileBytes(raw);
        DeleteFileW(raw.c_str());
        return bytes;
    }

    static std::wstring s_folder;
    static bool s_made;
    CBuiltInMediaFormats m_formats;
    CMediaInfo m_output;
    StopFlag m_stop{0};
    int m_palettes = 0;
};

std::wstring FormatConvertTest::s_folder;
bool FormatConvertTest::s_made = false;

TEST_F(FormatConvertTest, Mp4AtALadderSize)
{
    CEncoderOptions options;
    ASSERT_EQ(0, Convert(L"VF_mp4", *Format(L"VF_mp4").FindPreset(L"H.264 - 240p"), L"clip.mp4", L"small.mp4", options));
    ASSERT_EQ(1, m_output.VideoStreams.GetSize());
    EXPECT_EQ(320, m_output.VideoStreams[0]->Width);
    EXPECT_EQ(L"h264", m_output.VideoStreams[0]->Codec);
    EXPECT_EQ(1, m_output.AudioStreams.GetSize());
}

TEST_F(FormatConvertTest, VideoSwitchedOffGivesNoVideo)
{
    CMediaFormat& mp4 = Format(L"VF_mp4");
    mp4.m_pCustomPreset->m_record.videoFlags = PRESET_STREAM_OFF;
    CEncoderOptions options;
    ASSERT_EQ(0, Convert(L"VF_mp4", *mp4.m_pCustomPreset, L"clip.mp4", L"sound.mp4", options));
    EXPECT_EQ(0, m_output.VideoStreams.GetSize());
    EXPECT_EQ(1, m_output.AudioStreams.GetSize());
}

TEST_F(FormatConvertTest, MissingInputFails)
{
    CEncoderOptions options;
    EXPECT_EQ(-1, Convert(L"AF_mp3", *Format(L"AF_mp3").FindPreset(L"Auto"), L"missing.wav", L"none.mp3", options));
    EXPECT_FALSE(FileExists(std::wstring(options.OutputPath)));
}

TEST_F(FormatConvertTest, GifAtTheSourceSizeAndFiveFramesPerSecond)
{
    CEncoderOptions options;
    ASSERT_EQ(0, Convert(L"VF_gif", *Format(L"VF_gif").FindPreset(L"Auto"), L"clip.mp4", L"auto.gif", options));
    EXPECT_EQ(L"gif", m_output.Format);
    ASSERT_EQ(1, m_output.VideoStreams.GetSize());
    EXPECT_EQ(320, m_output.VideoStreams[0]->Width);
    EXPECT_EQ(240, m_output.VideoStreams[0]->Height);
    EXPECT_EQ(5, options.FrameRateNum);
    EXPECT_EQ(1, options.FrameRateDen);
    EXPECT_EQ(L"fps=5.000000,scale=320:240:flags=lanczos [x]; [x][1:v] paletteuse", options.FilterComplex);
    EXPECT_EQ(L"", options.ExtraInputPath);
}

TEST_F(FormatConvertTest, GifRateBelowATenthUsesFiveInTheFilters)
{
    CMediaFormat& gif = Format(L"VF_gif");
    MediaPresetRecord& record = gif.m_pCustomPreset->m_record;
    record.width = 160;
    record.height = 120;
    record.frameRateNum = 1;
    record.frameRateDen = 20;
    CEncoderOptions options;
    ASSERT_EQ(0, Convert(L"VF_gif", *gif.m_pCustomPreset, L"clip.mp4", L"slow.gif", options));
    EXPECT_EQ(1, options.FrameRateNum);
    EXPECT_EQ(20, options.FrameRateDen);
    EXPECT_EQ(L"fps=5.000000,scale=160:120:flags=lanczos [x]; [x][1:v] paletteuse", options.FilterComplex);
    ASSERT_EQ(1, m_output.VideoStreams.GetSize());
    EXPECT_EQ(160, m_output.VideoStreams[0]->Width);
}

// Each picture effect of the convert page reaches the GIF: where the red corner lands and the
// colour it takes, within what the palette and the colour conversions round away.
TEST_F(FormatConvertTest, GifTakesEachPictureEffect)
{
    struct Rgb {
        int r, g, b;
    };
    const struct Case {
        const char* name;
        int CEncoderOptions::*effect;
        int value;
        int width, height;
        int x, y;  // a pixel inside the red corner where the effect puts it
        Rgb corner;
    } cases[] = {
        {"horizontal flip", &CEncoderOptions::HFlip, 1, 64, 48, 48, 12, {255, 0, 0}},
        {"vertical flip", &CEncoderOptions::VFlip, 1, 64, 48, 16, 36, {255, 0, 0}},
        {"rotate 90", &CEncoderOptions::Rotation, 90, 48, 64, 36, 16, {255, 0, 0}},
        {"rotate 180", &CEncoderOptions::Rotation, 180, 64, 48, 48, 36, {255, 0, 0}},
        {"rotate 270", &CEncoderOptions::Rotation, 270, 48, 64, 12, 48, {255, 0, 0}},
        {"grayscale", &CEncoderOptions::Grayscale, 1, 64, 48, 16, 12, {76, 76, 76}},
        {"negate", &CEncoderOptions::Negate, 1, 64, 48, 16, 12, {0, 255, 255}},
        {"old photo", &CEncoderOptions::OldPhoto, 1, 64, 48, 16, 12, {100, 89, 69}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CEncoderOptions options;
        options.*c.effect = c.value;
        ASSERT_EQ(0, Convert(L"VF_gif", *Format(L"VF_gif").FindPreset(L"Auto"), L"corner.mp4", L"effect.gif", options));
        ASSERT_EQ(1, m_output.VideoStreams.GetSize());
        EXPECT_EQ(c.width, m_output.VideoStreams[0]->Width);
        EXPECT_EQ(c.height, m_output.VideoStreams[0]->Height);
        std::string frame = FirstFrameRgb(std::wstring(options.OutputPath));
        ASSERT_EQ(static_cast<size_t>(c.width * c.height * 3), frame.size());
        const unsigned char* pixel = reinterpret_cast<const unsigned char*>(frame.data()) + (c.y * c.width + c.x) * 3;
        EXPECT_NEAR(c.corner.r, pixel[0], 40);
        EXPECT_NEAR(c.corner.g, pixel[1], 40);
        EXPECT_NEAR(c.corner.b, pixel[2], 40);
    }
}

TEST_F(FormatConvertTest, GifOfASourceWithoutVideoFailsBeforeEncoding)
{
    CEncoderOptions options;
    EXPECT_EQ(-1, Convert(L"VF_gif", *Format(L"VF_gif").FindPreset(L"Auto"), L"tone.wav", L"tone.gif", options));
    EXPECT_EQ(L"", options.OutputFormat) << "no option was set";
    EXPECT_FALSE(FileExists(std::wstring(options.OutputPath)));
}

TEST_F(FormatConvertTest, GifWhoseSecondPassFailsLeavesNoPalette)
{
    CEncoderOptions options;
    EXPECT_EQ(-1, Convert(L"VF_gif", *Format(L"VF_gif").FindPreset(L"Auto"), L"clip.mp4",
                      L"no such folder\\out.gif", options));
    EXPECT_EQ(L"", options.ExtraInputPath);
}

}  // namespace
