// Media-information records: stream sorting, media and file type, display size and the texts.
#include "mediatools/CMediaInfo.h"
#include "mediatools/MediaInfoText.h"
#include <gtest/gtest.h>

namespace {

CMediaStreamInfo* AddStream(CMediaInfo& info, int nType)
{
    CMediaStreamInfo* pStream = new CMediaStreamInfo;
    pStream->MediaType = nType;
    info.StreamList.Add(pStream);
    return pStream;
}

TEST(MediaInfo, SortStreamsFillsPerTypeListsAndPositions)
{
    CMediaInfo info;
    AddStream(info, MEDIA_TYPE_AUDIO);
    AddStream(info, MEDIA_TYPE_OTHER);
    CMediaStreamInfo* pVideo = AddStream(info, MEDIA_TYPE_VIDEO);
    pVideo->Width = 720;
    pVideo->Height = 576;
    pVideo->AspectNum = 16;
    pVideo->AspectDen = 15;
    AddStream(info, MEDIA_TYPE_AUDIO);
    AddStream(info, MEDIA_TYPE_SUBTITLE);
    info.SelectedAudioStream = 1;
    info.SelectedSubtitleStream = 3;

    info.Analyse();

    ASSERT_EQ(1, info.VideoStreams.GetSize());
    ASSERT_EQ(2, info.AudioStreams.GetSize());
    ASSERT_EQ(1, info.SubtitleStreams.GetSize());
    EXPECT_EQ(0, info.CaptionStreams.GetSize());
    EXPECT_EQ(info.StreamList[3], info.AudioStreams[1]);
    EXPECT_EQ(1, info.StreamList[3]->TypePosition);
    EXPECT_EQ(3, info.StreamList[3]->ListPosition);
    EXPECT_EQ(-1, info.StreamList[1]->TypePosition) << "a stream of another type is in no list";
    EXPECT_EQ(1, info.StreamList[1]->ListPosition);
    EXPECT_EQ(768, pVideo->DisplayWidth);
    EXPECT_EQ(576, pVideo->DisplayHeight);
    EXPECT_EQ(1, info.SelectedAudioStream);
    EXPECT_EQ(-1, info.SelectedSubtitleStream) << "a selection past its list is repaired";
    EXPECT_EQ(MEDIA_TYPE_VIDEO, info.MediaType);
    EXPECT_EQ(pVideo, info.GetVideoStream());
}

TEST(MediaInfo, AudioOnlyFileHasNoVideoStream)
{
    CMediaInfo info;
    AddStream(info, MEDIA_TYPE_AUDIO);
    info.SelectedVideoStream = 0;
    info.Analyse();
    EXPECT_EQ(MEDIA_TYPE_AUDIO, info.MediaType);
    EXPECT_EQ(0, info.FileType);
    EXPECT_EQ(nullptr, info.GetVideoStream());
    EXPECT_EQ(-1, info.SelectedVideoStream);
}

TEST(MediaInfo, MediaTypeGivenBeforeIsKept)
{
    CMediaInfo info;
    AddStream(info, MEDIA_TYPE_VIDEO);
    info.MediaType = MEDIA_TYPE_AUDIO;
    info.Analyse();
    EXPECT_EQ(MEDIA_TYPE_AUDIO, info.MediaType);
}

TEST(MediaInfo, ResetEmptiesEverything)
{
    CMediaInfo info;
    AddStream(info, MEDIA_TYPE_VIDEO);
    info.Format = L"mp4";
    info.SelectedAudioStream = 2;
    info.Metadata.Title = L"x";
    info.Analyse();
    info.Reset();
    EXPECT_EQ(0, info.StreamList.GetSize());
    EXPECT_EQ(0, info.VideoStreams.GetSize());
    EXPECT_TRUE(info.Format.IsEmpty());
    EXPECT_TRUE(info.Metadata.Title.IsEmpty());
    EXPECT_EQ(-1, info.SelectedAudioStream);
    EXPECT_EQ(0, info.MediaType);
}

struct FileTypeCase {
    const char* name;
    const wchar_t* format;
    int streams;
    int type;
    int expected;
};

const FileTypeCase kFileTypeCases[] = {
    {"png_pipe single video is an image", L"png_pipe", 1, MEDIA_TYPE_VIDEO, MEDIA_FILE_IMAGE},
    {"image2 is an image", L"image2", 1, MEDIA_TYPE_VIDEO, MEDIA_FILE_IMAGE},
    {"xwd_pipe is an image", L"xwd_pipe", 1, MEDIA_TYPE_VIDEO, MEDIA_FILE_IMAGE},
    {"png_pipe with two streams is media", L"png_pipe", 2, MEDIA_TYPE_VIDEO, 0},
    {"gif is animated", L"gif", 1, MEDIA_TYPE_VIDEO, MEDIA_FILE_ANIMATED_IMAGE},
    {"apng is animated", L"apng", 1, MEDIA_TYPE_VIDEO, MEDIA_FILE_ANIMATED_IMAGE},
    {"tty is text", L"tty", 1, MEDIA_TYPE_VIDEO, MEDIA_FILE_TEXT},
    {"comparison is case-sensitive", L"GIF", 1, MEDIA_TYPE_VIDEO, 0},
    {"an audio stream is never an image", L"png_pipe", 1, MEDIA_TYPE_AUDIO, 0},
    {"a video container is media", L"mov,mp4,m4a,3gp,3g2,mj2", 1, MEDIA_TYPE_VIDEO, 0},
};

class FileTypeTest : public testing::TestWithParam<FileTypeCase> {};

TEST_P(FileTypeTest, DetectsFromFormatAndStreams)
{
    const FileTypeCase& c = GetParam();
    CMediaInfo info;
    info.Format = c.format;
    for (int i = 0; i < c.streams; i++)
        AddStream(info, c.type);
    info.FileType = 3;  // always recomputed
    info.Analyse();
    EXPECT_EQ(c.expected, info.FileType);
}

INSTANTIATE_TEST_SUITE_P(MediaInfo, FileTypeTest, testing::ValuesIn(kFileTypeCases),
                         [](const testing::TestParamInfo<FileTypeCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

TEST(MediaInfo, GetVideoStreamFollowsTheSelection)
{
    CMediaInfo info;
    AddStream(info, MEDIA_TYPE_VIDEO);
    CMediaStreamInfo* pSecond = AddStream(info, MEDIA_TYPE_VIDEO);
    info.Analyse();
    info.SelectedVideoStream = 1;
    EXPECT_EQ(pSecond, info.GetVideoStream());
    info.SelectedVideoStream = 2;
    EXPECT_EQ(nullptr, info.GetVideoStream());
    info.SelectedVideoStream = -2;
    EXPECT_EQ(nullptr, info.GetVideoStream());
}

struct DisplaySizeCase {
    int width, height, num, den;
    int expectedWidth, expectedHeight;
};

TEST(MediaInfo, ComputeDisplaySize)
{
    const DisplaySizeCase cases[] = {
        {720, 576, 16, 15, 768, 576},    // wide pixels widen
        {720, 576, 8, 9, 720, 648},      // tall pixels heighten
        {720, 576, 1, 1, 720, 576},      // square
        {720, 576, 0, 0, 720, 576},      // unknown
        {720, 576, 4, 0, 720, 576},
        {101, 100, 3, 2, 152, 100},      // 151.5 truncated, then made even
        {640, 480, 16, 1, 10240, 480},   // the widest ratio still taken
        {640, 480, 1, 16, 640, 7680},
        {640, 480, 17, 1, 640, 480},     // absurd: square pixels
        {640, 480, 1, 17, 640, 480},
        {640, 480, 65535, 1, 640, 480},
        {640, 480, -4, 3, 640, 480},
    };
    for (const DisplaySizeCase& c : cases) {
        int w = -1, h = -1;
        ComputeDisplaySize(c.width, c.height, c.num, c.den, w, h);
        EXPECT_EQ(c.expectedWidth, w) << c.width << "x" << c.height << " " << c.num << ":" << c.den;
        EXPECT_EQ(c.expectedHeight, h) << c.width << "x" << c.height << " " << c.num << ":" << c.den;
    }
}

TEST(MediaInfoText, TypeNamesRoundTrip)
{
    for (int nCode = 1; nCode <= 7; nCode++) {
        EXPECT_TRUE(IsValidMediaType(nCode));
        EXPECT_EQ(nCode, ParseMediaTypeName(GetMediaTypeName(nCode)));
    }
    EXPECT_EQ(CString(L"animated image"), GetMediaFileTypeName(6));
    EXPECT_TRUE(GetMediaTypeName(0).IsEmpty());
    EXPECT_TRUE(GetMediaTypeName(8).IsEmpty());
    EXPECT_FALSE(IsValidMediaType(0));
    EXPECT_EQ(2, ParseMediaTypeName(L"  Audio \t"));
    EXPECT_EQ(0, ParseMediaTypeName(L"audios"));
    EXPECT_EQ(0, ParseMediaTypeName(L""));
}

TEST(MediaInfoText, RatiosAndFrameRates)
{
    EXPECT_EQ(CString(L"29.97 fps"), FormatFrameRateText(30000, 1001, L"%.3f", true, false));
    EXPECT_EQ(CString(L"25 fps"), FormatFrameRateText(25, 1, L"%.3f", true, false));
    EXPECT_EQ(CString(L"Auto"), FormatFrameRateText(0, 0, L"%.3f", true, true));
    EXPECT_EQ(CString(L""), FormatFrameRateText(0, 1, L"%.3f", true, false));
    EXPECT_EQ(CString(L"25"), FormatFrameRateText(25, 1, L"%.3f", false, false));
    EXPECT_EQ(CString(L"1.5"), FormatRatioText(3, 2, L"%.2f"));
    EXPECT_EQ(CString(L"100"), FormatRatioText(100, 1, L"%.0f")) << "zeros of a whole number stay";
    EXPECT_EQ(CString(L""), FormatRatioText(3, 0, L"%.2f"));
    EXPECT_EQ(CString(L""), FormatRatioText(-3, 2, L"%.2f"));
    EXPECT_EQ(CString(L"16:9"), FormatIntPair(16, 9, L"%d:%d"));
}

}  // namespace
