#include "framework/text/CMemoryStream.h"
#include "framework/text/CFileStream.h"
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string>

namespace {

void WriteText(CMemoryStream& stream, const std::string& text)
{
    DWORD nWritten = 0;
    ASSERT_EQ(stream.Write(text.data(), static_cast<DWORD>(text.size()), &nWritten), 0);
    ASSERT_EQ(nWritten, text.size());
}

std::string Contents(const CMemoryStream& stream, size_t nSize)
{
    return std::string(reinterpret_cast<const char*>(stream.GetData()), nSize);
}

TEST(CMemoryStream, GrowsInWholeSteps)
{
    CMemoryStream stream(4096);
    WriteText(stream, std::string(5000, 'x'));
    EXPECT_EQ(stream.GetCapacity(), 8192u);
    EXPECT_EQ(stream.GetSize(), 5000);
    EXPECT_EQ(stream.GetPosition(), 5000);
    EXPECT_EQ(stream.Reserve(8000), 1);  // already there
}

TEST(CMemoryStream, ReadsUpToTheEnd)
{
    CMemoryStream stream(16);
    WriteText(stream, "abcdef");
    char buffer[8] = {};
    DWORD nRead = 99;
    EXPECT_EQ(stream.Read(buffer, 4, &nRead), 0);
    EXPECT_EQ(nRead, 0u);  // at the end
    EXPECT_EQ(stream.SeekTo(2), 2);
    EXPECT_EQ(stream.Read(buffer, 8, &nRead), 0);
    EXPECT_EQ(std::string(buffer, nRead), "cdef");
    EXPECT_EQ(stream.SeekTo(7), 7);
    EXPECT_EQ(stream.Read(buffer, 8, &nRead), 1);  // past the end
    EXPECT_EQ(stream.Read(buffer, 0, &nRead), -1);
}

TEST(CMemoryStream, SeeksFromEachOrigin)
{
    CMemoryStream stream(16);
    WriteText(stream, "0123456789");
    stream.SeekTo(4);
    const struct {
        const char* name;
        LONGLONG offset;
        int origin;
        LONGLONG result;
    } cases[] = {
        {"from start", 3, 0, 3},   {"from current", 2, 1, 6}, {"from end", -1, 2, 9},
        {"before start", -1, 0, -1}, {"bad origin", 0, 3, -1},
    };
    for (const auto& c : cases) {
        stream.SeekTo(4);
        EXPECT_EQ(stream.Seek(c.offset, c.origin), c.result) << c.name;
    }
}

TEST(CMemoryStream, ShrunkBytesDoNotComeBack)
{
    CMemoryStream stream(64);
    WriteText(stream, "secret");
    EXPECT_EQ(stream.SetSize(2), 2);
    EXPECT_EQ(stream.GetPosition(), 2);  // pulled down to the size
    EXPECT_EQ(stream.SetSize(6), 6);
    EXPECT_EQ(Contents(stream, 6), std::string("se\0\0\0\0", 6));

    stream.SetSize(2);
    stream.SeekTo(4);
    WriteText(stream, "Z");
    EXPECT_EQ(stream.GetSize(), 5);
    EXPECT_EQ(Contents(stream, 5), std::string("se\0\0Z", 5));
}

TEST(CMemoryStream, RefusesValuesBeyondItsRange)
{
    CMemoryStream stream(4096);
    WriteText(stream, "abc");
    EXPECT_EQ(stream.SetSize(0x100000000LL), -1);
    EXPECT_EQ(stream.SetSize(-1), -1);
    EXPECT_EQ(stream.SeekTo(0x100000000LL), -1);
    EXPECT_EQ(stream.Seek(0x7FFFFFFFFFFFFFFFLL, 2), -1);
    EXPECT_EQ(stream.Seek(0x100000000LL - 3, 2), -1);
    EXPECT_EQ(stream.GetPosition(), 3);

    // A write whose end passes 4 GB must not wrap around to the start of the block.
    ASSERT_EQ(stream.SeekTo(0xFFFFFFF0LL), 0xFFFFFFF0LL);
    char block[32] = {};
    DWORD nWritten = 99;
    EXPECT_EQ(stream.Write(block, sizeof(block), &nWritten), -1);
    EXPECT_EQ(nWritten, 0u);
    EXPECT_EQ(stream.GetSize(), 3);
    EXPECT_EQ(Contents(stream, 3), "abc");
}

TEST(CMemoryStream, FailedGrowthKeepsTheData)
{
    // Sizes past the stream's 32-bit limit, asked for directly or reached by rounding up to
    // the growth step: refused before any allocation, whatever the address space.
    const LONGLONG cases[] = {0x100000000LL, 0xFFFFFFF0LL, 0x7FFFFFFFFFFFFFFFLL};
    for (LONGLONG nCapacity : cases) {
        CMemoryStream stream(4096);
        WriteText(stream, "abc");
        EXPECT_EQ(stream.Reserve(nCapacity), -1) << nCapacity;
        EXPECT_EQ(stream.GetCapacity(), 4096u) << nCapacity;
        EXPECT_EQ(Contents(stream, 3), "abc") << nCapacity;
    }

    CMemoryStream fixed(0);
    char ch = 'x';
    EXPECT_EQ(fixed.Write(&ch, 1, nullptr), -1);
}

TEST(CMemoryStream, ClosedStreamCannotGrow)
{
    CMemoryStream stream(16);
    WriteText(stream, "abc");
    EXPECT_EQ(stream.Close(), 0);
    EXPECT_EQ(stream.GetSize(), 0);
    EXPECT_EQ(stream.GetData(), nullptr);
    char ch = 'x';
    EXPECT_EQ(stream.Write(&ch, 1, nullptr), -1);
}

// A stream whose block lives in memory of the test's own, counted, and whose growth can be
// made to fail as a full heap would.
class CountedMemoryStream : public CMemoryStream {
public:
    explicit CountedMemoryStream(DWORD nGrowBy) : CMemoryStream(nGrowBy) {}
    ~CountedMemoryStream() override { Close(); }

    void* Allocate(DWORD nSize) override
    {
        m_nAllocations++;
        return m_bFail ? nullptr : CMemoryStream::Allocate(nSize);
    }
    int Deallocate(void* pBlock) override
    {
        m_nFrees++;
        return CMemoryStream::Deallocate(pBlock);
    }
    void* Reallocate(void* pBlock, DWORD nSize) override
    {
        m_nReallocations++;
        return m_bFail ? nullptr : CMemoryStream::Reallocate(pBlock, nSize);
    }

    bool m_bFail = false;
    int m_nAllocations = 0, m_nReallocations = 0, m_nFrees = 0;
};

TEST(CMemoryStream, GrowsAndFreesThroughItsMemoryCalls)
{
    CountedMemoryStream stream(4);
    WriteText(stream, "abc");
    WriteText(stream, "defgh");
    EXPECT_EQ(stream.m_nAllocations, 1);
    EXPECT_EQ(stream.m_nReallocations, 1);
    EXPECT_EQ(stream.GetCapacity(), 8u);

    stream.m_bFail = true;
    char ch = 'x';
    DWORD nWritten = 99;
    EXPECT_EQ(stream.Write(&ch, 1, &nWritten), -1);
    EXPECT_EQ(nWritten, 0u);
    EXPECT_EQ(stream.SetSize(100), -1);
    EXPECT_EQ(stream.GetSize(), 8);
    EXPECT_EQ(stream.GetCapacity(), 8u);
    EXPECT_EQ(Contents(stream, 8), "abcdefgh");

    EXPECT_EQ(stream.Close(), 0);
    EXPECT_EQ(stream.m_nFrees, 1);
    EXPECT_EQ(stream.Close(), 0);  // nothing left to free
    EXPECT_EQ(stream.m_nFrees, 1);
}

TEST(CMemoryStream, FirstAllocationThatFailsLeavesAnEmptyStream)
{
    CountedMemoryStream stream(16);
    stream.m_bFail = true;
    EXPECT_EQ(stream.Reserve(1), -1);
    EXPECT_EQ(stream.GetCapacity(), 0u);
    EXPECT_EQ(stream.GetData(), nullptr);
}

TEST(CMemoryStream, MemoryCallsRefuseEmptyArguments)
{
    CMemoryStream stream(16);
    BYTE block[4] = {1, 2, 3, 4};
    EXPECT_EQ(stream.Allocate(0), nullptr);
    EXPECT_EQ(stream.Deallocate(nullptr), -2);
    EXPECT_EQ(stream.FillBytes(nullptr, 0, 4), -2);
    EXPECT_EQ(stream.FillBytes(block, 0, 0), -2);
    EXPECT_EQ(stream.MoveBytes(nullptr, block, 4), -2);
    EXPECT_EQ(stream.MoveBytes(block, nullptr, 4), -2);
    EXPECT_EQ(stream.MoveBytes(block, block + 1, 0), -2);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(block), 4), "\x01\x02\x03\x04");

    void* pBlock = stream.Allocate(8);
    ASSERT_NE(pBlock, nullptr);
    EXPECT_EQ(stream.Reallocate(pBlock, 0), nullptr);  // the block stays the caller's
    EXPECT_EQ(stream.Deallocate(pBlock), 0);
}

TEST(CMemoryStream, MoveBytesHandlesOverlappingRanges)
{
    CMemoryStream stream(16);
    char text[] = "abcdef";
    EXPECT_EQ(stream.MoveBytes(text + 1, text, 4), 0);
    EXPECT_EQ(std::string(text), "aabcdf");
    EXPECT_EQ(stream.MoveBytes(text, text + 2, 4), 0);
    EXPECT_EQ(std::string(text), "bcdfdf");
    EXPECT_EQ(stream.FillBytes(text, '-', 3), 0);
    EXPECT_EQ(std::string(text), "---fdf");
}

TEST(CMemoryStream, ZeroFillClearsTheWholeCapacity)
{
    CMemoryStream stream(8);
    WriteText(stream, "abcdefgh");
    stream.ZeroFill();
    EXPECT_EQ(Contents(stream, 8), std::string(8, '\0'));
    EXPECT_EQ(stream.GetSize(), 8);
    CMemoryStream empty(8);
    empty.ZeroFill();  // no block: nothing to do
    EXPECT_EQ(empty.GetData(), nullptr);
}

// The extension operation is implemented by no stream; flushing memory has nothing to do.
TEST(CStream, ExtensionIsRefusedAndMemoryFlushDoesNothing)
{
    CMemoryStream memory(16);
    CFileStream file;
    for (CStream* pStream : {static_cast<CStream*>(&memory), static_cast<CStream*>(&file)}) {
        BYTE in[4] = {}, out[4] = {};
        EXPECT_EQ(pStream->Extension(1, in, sizeof(in), out, sizeof(out)), -1);
    }
    WriteText(memory, "abc");
    EXPECT_EQ(memory.Flush(), 0);
    EXPECT_EQ(Contents(memory, 3), "abc");
}

}  // namespace
