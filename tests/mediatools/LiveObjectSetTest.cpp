// The set of running sessions and jobs that a block from another process may name, and the
// 64-bit context value by which the tools name them.
#include "mediatools/CLiveObjectSet.h"
#include <gtest/gtest.h>

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

TEST(LiveObjectSet, FindsOnlyObjectsInScope)
{
    CLiveObjectSet set;
    int first = 0, second = 0;
    EXPECT_EQ(nullptr, set.Find(ContextOf(&first)));
    {
        CLiveObjectSet::CScope live(set, &first);
        CLiveObjectSet::CScope high(set, At(0x80001000));
        EXPECT_EQ(&first, set.Find(ContextOf(&first)));
        EXPECT_EQ(At(0x80001000), set.Find(ContextOf(At(0x80001000))));
        EXPECT_EQ(nullptr, set.Find(ContextOf(&second)));
        EXPECT_EQ(nullptr, set.Find(0));
        EXPECT_EQ(nullptr, set.Find(ContextOf(&first) + 1));
        EXPECT_EQ(nullptr, set.Find(ContextOf(&first) ^ 0x100000000ULL)) << "all 64 bits count";
    }
    EXPECT_EQ(nullptr, set.Find(ContextOf(&first))) << "a finished run is no longer named";
    EXPECT_EQ(nullptr, set.Find(ContextOf(At(0x80001000))));
}

}  // namespace
