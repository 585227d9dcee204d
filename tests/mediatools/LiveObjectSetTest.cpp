// The set of running sessions and jobs that a block from another process may name, and the
// 64-bit context value by which the tools name them.
#include "mediatools/CLiveObjectSet.h"
#include <gtest/gtest.h>
#include <atomic>
#include <thread>

namespace {

// Addresses as values only: nothing here is ever read through them.
const void* At(uintptr_t address)
{
    return reinterpret_cast<const void*>(address);
}

TEST(LiveObjectSet, ContextIsTheAddressWidenedWithItsSign)
{
    const struct {
        const char* name;
        uintptr_t address;
        uint64_t context;
    } cases[] = {
        {"low address", 0x00401000, 0x00401000},
        {"highest positive", 0x7FFFFFFF, 0x7FFFFFFF},
        // A large-address-aware 32-bit process: the tool echoes it back as a negative 64-bit value.
        {"above 2 GB", 0x80001000, sizeof(void*) == 4 ? 0xFFFFFFFF80001000ULL : 0x80001000ULL},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.context, ContextOf(At(c.address))) << c.name;
}

// The object a context names right now, the use ended at once.
const void* Found(CLiveObjectSet& set, uint64_t context)
{
    return set.Use(context).Object();
}

TEST(LiveObjectSet, FindsOnlyObjectsInScope)
{
    CLiveObjectSet set;
    int first = 0, second = 0;
    EXPECT_EQ(nullptr, Found(set, ContextOf(&first)));
    {
        CLiveObjectSet::CScope live(set, &first);
        CLiveObjectSet::CScope high(set, At(0x80001000));
        EXPECT_EQ(&first, Found(set, ContextOf(&first)));
        EXPECT_EQ(At(0x80001000), Found(set, ContextOf(At(0x80001000))));
        EXPECT_EQ(nullptr, Found(set, ContextOf(&second)));
        EXPECT_EQ(nullptr, Found(set, 0));
        EXPECT_EQ(nullptr, Found(set, ContextOf(&first) + 1));
        EXPECT_EQ(nullptr, Found(set, ContextOf(&first) ^ 0x100000000ULL)) << "all 64 bits count";
    }
    EXPECT_EQ(nullptr, Found(set, ContextOf(&first))) << "a finished run is no longer named";
    EXPECT_EQ(nullptr, Found(set, ContextOf(At(0x80001000))));
}

TEST(LiveObjectSet, AnObjectAddedTwiceStaysUntilBothScopesEnd)
{
    CLiveObjectSet set;
    int object = 0;
    CLiveObjectSet::CScope outer(set, &object);
    { CLiveObjectSet::CScope inner(set, &object); }
    EXPECT_EQ(&object, Found(set, ContextOf(&object)));
}

// A run that ends while the window thread handles one of its blocks: the worker thread's
// removal waits for the handling to end, and no new block reaches the leaving object.
TEST(LiveObjectSet, RemovalWaitsForTheUseInProgress)
{
    CLiveObjectSet set;
    int object = 0;
    std::atomic<bool> removed{false};
    set.Add(&object);
    std::thread worker;
    {
        CLiveObjectSet::CUse use = set.Use(ContextOf(&object));
        ASSERT_EQ(&object, use.Object());
        worker = std::thread([&] {
            set.Remove(&object);
            removed = true;
        });
        // The removal has begun once new uses are refused.
        for (int i = 0; i < 500 && Found(set, ContextOf(&object)); ++i)
            Sleep(10);
        EXPECT_EQ(nullptr, Found(set, ContextOf(&object))) << "a leaving object takes no new block";
        Sleep(100);
        EXPECT_FALSE(removed) << "the object left while a block was being handled";
    }
    worker.join();
    EXPECT_TRUE(removed);
    EXPECT_EQ(nullptr, Found(set, ContextOf(&object)));
}

}  // namespace
