// The codec byte streams: memory streams over owned and lent blocks, and file streams.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "image/ImageFileStream.h"
#include "image/ImageMemoryStream.h"

namespace {

TEST(ImageMemoryStream, ShortReadCopiesWhatIsThereAndSetsEof)
{
    uint8_t data[6] = {1, 2, 3, 4, 5, 6};
    CImageMemoryStream stream(data, 6);
    uint8_t out[40] = {};
    EXPECT_EQ(stream.Read(out, 4, 10), 1u);
    EXPECT_EQ(out[5], 6);
    EXPECT_TRUE(stream.Eof());
    EXPECT_EQ(stream.Read(out, 1, 1), 0u);
    EXPECT_TRUE(stream.Seek(0, SEEK_SET));
    EXPECT_FALSE(stream.Eof());
}

TEST(ImageMemoryStream, SeekClampsBelowZeroAndAllowsPastTheEnd)
{
    uint8_t data[10] = {};
    CImageMemoryStream stream(data, 10);
    EXPECT_TRUE(stream.Seek(-5, SEEK_SET));
    EXPECT_EQ(stream.Tell(), 0);
    EXPECT_TRUE(stream.Seek(100, SEEK_SET));
    EXPECT_NE(stream.Error(), 0);
    uint8_t b;
    EXPECT_EQ(stream.Read(&b, 1, 1), 0u);
    EXPECT_TRUE(stream.Seek(-3, SEEK_END));
    EXPECT_EQ(stream.Tell(), 7);
    EXPECT_FALSE(stream.Seek(0, 7));
}

TEST(ImageMemoryStream, GetLineNeedsALineFeedOrAFullBuffer)
{
    uint8_t two[2] = {'a', 'b'};
    CImageMemoryStream partial(two, 2);
    char line[16];
    EXPECT_EQ(partial.GetLine(line, 16), nullptr);
    uint8_t text[5] = {'a', 'b', '\n', 'c', 'd'};
    CImageMemoryStream stream(text, 5);
    ASSERT_NE(stream.GetLine(line, 16), nullptr);
    EXPECT_STREQ(line, "ab\n");
    ASSERT_NE(stream.GetLine(line, 2), nullptr);
    EXPECT_STREQ(line, "c");
}

TEST(ImageMemoryStream, OpenedStreamGrowsBySixtyFourKilobytes)
{
    CImageMemoryStream stream;
    ASSERT_TRUE(stream.Open());
    EXPECT_FALSE(stream.Open());
    uint8_t b = 7;
    EXPECT_EQ(stream.Write(&b, 1, 1), 1u);
    EXPECT_EQ(stream.Capacity(), 65536);
    std::vector<uint8_t> block(65535, 1);
    EXPECT_EQ(stream.Write(block.data(), 1, block.size()), block.size());
    EXPECT_EQ(stream.Capacity(), 65536);    // exactly full
    EXPECT_TRUE(stream.PutChar(9));
    EXPECT_EQ(stream.Capacity(), 131072);
    EXPECT_EQ(stream.Size(), 65537);
    uint8_t* detached = stream.GetBuffer(true);
    EXPECT_EQ(detached[65536], 9);
    stream.Close();
    std::free(detached);    // the caller owns a detached block
}

// A block the caller lent is written inside its bounds only: it is never grown, moved or freed.
TEST(ImageMemoryStream, LentBlockIsNeverReallocated)
{
    uint8_t* lent = static_cast<uint8_t*>(std::malloc(4));
    std::memset(lent, 0, 4);
    {
        CImageMemoryStream stream(lent, 4);
        uint8_t bytes[3] = {1, 2, 3};
        EXPECT_EQ(stream.Write(bytes, 1, 3), 3u);
        EXPECT_TRUE(stream.PutChar(4));
        EXPECT_FALSE(stream.PutChar(5));
        EXPECT_EQ(stream.Write(bytes, 1, 1), 0u);
        EXPECT_EQ(stream.GetBuffer(false), lent);
    }
    EXPECT_EQ(lent[3], 4);
    std::free(lent);
}

TEST(ImageMemoryStream, WithoutDataEverythingAnswersEmpty)
{
    CImageMemoryStream stream;
    EXPECT_EQ(stream.Tell(), -1);
    EXPECT_EQ(stream.Size(), -1);
    EXPECT_TRUE(stream.Eof());
    EXPECT_EQ(stream.Error(), -1);
    EXPECT_FALSE(stream.Flush());
    EXPECT_EQ(stream.GetChar(), -1);
    EXPECT_EQ(stream.ScanFormat("%d", nullptr), 0);
}

TEST(ImageFileStream, ReadsWritesAndLeavesTheCallersFileOpen)
{
    FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    {
        CImageFileStream stream(f);
        EXPECT_EQ(stream.Write("hello\n42", 1, 8), 8u);
        EXPECT_TRUE(stream.PutChar('!'));
        EXPECT_EQ(stream.Size(), 9);
        EXPECT_TRUE(stream.Seek(0, SEEK_SET));
        char line[16];
        ASSERT_NE(stream.GetLine(line, 16), nullptr);
        EXPECT_STREQ(line, "hello\n");
        int value = 0;
        EXPECT_EQ(stream.ScanFormat("%d", &value), 1);
        EXPECT_EQ(value, 42);
        EXPECT_EQ(stream.GetChar(), '!');
        EXPECT_EQ(stream.GetChar(), -1);
        EXPECT_TRUE(stream.Eof());
    }
    EXPECT_EQ(std::fseek(f, 0, SEEK_SET), 0);   // still open
    std::fclose(f);
    CImageFileStream none;
    EXPECT_TRUE(none.Close());
    EXPECT_EQ(none.Size(), -1);
    EXPECT_EQ(none.Read(nullptr, 1, 1), 0u);
}

} // namespace
