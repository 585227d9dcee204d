// Conversions through the real encoding tool on media made here: a plain format, a stream
// switched off, and the animated GIF's two passes with their palette file.
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
        s_made = MakeMedia(s_folder + L"\\clip.mp4", kClipH264Aac) && MakeMedia(s_folder + L"\\tone.wav", kToneWav);
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
    // Converts the input into out.<name> and probes the result; the conversion's result.
    int Convert(LPCWSTR formatId, const CMediaPreset& preset, LPCWSTR input, LPCWSTR name, CEncoderOptions& options)
    {
        options.InputPath = (s_folder + L"\\" + input).c_str();
        options.OutputPath = (s_folder + L"\\" + name).c_str();
        DeleteFileW(options.OutputPath);
        int result = m_formats.FindFormat(formatId)->Convert(options, preset, nullptr, nullptr, &m_stop);
        if (result == 0) {
            EXPECT_EQ(0, m_output.Probe(options.OutputPath, &m_stop));
        }
        return result;
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
