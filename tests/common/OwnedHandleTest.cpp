// The owning handle: closes what it holds exactly once, on destruction, reset or move-assignment,
// and never what it has given up or what is its "none" value.
#include "common/OwnedHandle.h"
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

std::vector<int> g_closed;

struct CountedTraits {
    typedef int Type;
    static int None() { return -1; }
    static void Close(int handle) { g_closed.push_back(handle); }
};
typedef UniqueHandle<CountedTraits> Counted;

TEST(OwnedHandle, ClosesOnceWhateverTheWayOut)
{
    g_closed.clear();
    {
        Counted none;
        EXPECT_FALSE(none);
        Counted one(1);
        EXPECT_TRUE(one);
        EXPECT_EQ(1, one.Get());
        one.Reset(2);
        EXPECT_EQ(std::vector<int>{1}, g_closed);
        Counted moved(std::move(one));
        EXPECT_FALSE(one);
        EXPECT_EQ(2, moved.Get());
        Counted three(3);
        three = std::move(moved);
        EXPECT_EQ((std::vector<int>{1, 3}), g_closed);
        Counted four(4);
        EXPECT_EQ(4, four.Release());
        *four.Receive() = 5;
    }
    EXPECT_EQ((std::vector<int>{1, 3, 5, 2}), g_closed) << "released 4 stays open";
}

TEST(OwnedHandle, KernelAndFileHandlesCloseForReal)
{
    OwnedHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event);
    HANDLE raw = event.Get();
    event.Reset();
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(raw, &flags)) << "closed";

    OwnedFileHandle nul(CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(nul);
    OwnedFileHandle failed(CreateFileW(L"C:\\no such folder\\x", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(failed) << "INVALID_HANDLE_VALUE is none";
}

}  // namespace
