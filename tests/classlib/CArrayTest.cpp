// CArray and its fixed kinds: insertion and removal shift the elements, out-of-range indexes
// leave the array alone, and elements with their own storage survive growth.
#include "classlib/CArray.h"
#include "classlib/COwnedPtrArray.h"
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

void Fill(CArray<int, int>& a, std::initializer_list<int> values)
{
    a.RemoveAll();
    for (int v : values)
        a.Add(v);
}

std::vector<int> Contents(const CArray<int, int>& a)
{
    return std::vector<int>(a.GetData(), a.GetData() + a.GetSize());
}

TEST(CArray, InsertAtShiftsTheRest)
{
    struct Case {
        const char* name;
        int index;
        int value;
        int count;
        std::vector<int> want;
    } cases[] = {
        {"front", 0, 9, 1, {9, 1, 2, 3}},
        {"middle", 1, 9, 1, {1, 9, 2, 3}},
        {"end", 3, 9, 1, {1, 2, 3, 9}},
        {"several copies", 1, 9, 3, {1, 9, 9, 9, 2, 3}},
        {"past the end grows with defaults", 5, 9, 1, {1, 2, 3, 0, 0, 9}},
        {"negative index ignored", -1, 9, 1, {1, 2, 3}},
        {"zero count ignored", 1, 9, 0, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CArray<int, int> a;
        Fill(a, {1, 2, 3});
        a.InsertAt(c.index, c.value, c.count);
        EXPECT_EQ(c.want, Contents(a));
    }
}

TEST(CArray, RemoveAtShiftsTheRestAndClamps)
{
    struct Case {
        const char* name;
        int index;
        int count;
        std::vector<int> want;
    } cases[] = {
        {"front", 0, 1, {2, 3, 4, 5}},
        {"middle run", 1, 2, {1, 4, 5}},
        {"last", 4, 1, {1, 2, 3, 4}},
        {"count past the end", 3, 99, {1, 2, 3}},
        {"index past the end", 5, 1, {1, 2, 3, 4, 5}},
        {"negative index", -1, 2, {1, 2, 3, 4, 5}},
        {"negative count", 1, -1, {1, 2, 3, 4, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CArray<int, int> a;
        Fill(a, {1, 2, 3, 4, 5});
        a.RemoveAt(c.index, c.count);
        EXPECT_EQ(c.want, Contents(a));
    }
}

TEST(CArray, OutOfRangeIndexesLeaveTheArrayAlone)
{
    CArray<int, int> a;
    Fill(a, {1, 2, 3});
    a.ElementAt(3) = 7;
    a[-1] = 8;
    a.SetAt(10, 9);
    EXPECT_EQ(0, a.GetAt(3));
    EXPECT_EQ(0, a.ElementAt(-1));  // the spare is reset, not keeping what was written
    EXPECT_EQ((std::vector<int>{1, 2, 3}), Contents(a));

    const CArray<int, int>& constant = a;
    EXPECT_EQ(0, constant[5]);
    EXPECT_EQ(3, constant[2]);
}

TEST(CArray, AddSetSizeAppendCopy)
{
    CArray<int, int> a;
    EXPECT_EQ(0, a.Add(5));
    EXPECT_EQ(1, a.Add(6));
    a.SetAt(0, 4);
    a[1] += 1;
    EXPECT_EQ((std::vector<int>{4, 7}), Contents(a));

    a.SetSize(4);
    EXPECT_EQ((std::vector<int>{4, 7, 0, 0}), Contents(a));
    EXPECT_EQ(3, a.GetUpperBound());
    a.SetSize(1);
    EXPECT_EQ((std::vector<int>{4}), Contents(a));
    a.SetSize(-3);
    EXPECT_EQ(0, a.GetCount());

    Fill(a, {1, 2});
    EXPECT_EQ(2, a.Append(a));  // appending itself doubles it
    EXPECT_EQ((std::vector<int>{1, 2, 1, 2}), Contents(a));

    CArray<int, int> b;
    Fill(b, {9});
    a.Copy(b);
    EXPECT_EQ((std::vector<int>{9}), Contents(a));
    a.Copy(a);
    EXPECT_EQ((std::vector<int>{9}), Contents(a));
}

TEST(CArray, AddingAnElementOfItselfWhileGrowing)
{
    CStringArray a;
    a.Add(L"first");
    for (int i = 0; i < 100; i++)
        a.Add(a[0]);
    a.InsertAt(0, a[50], 3);
    EXPECT_EQ(104, a.GetSize());
    for (int i = 0; i < a.GetSize(); i++)
        ASSERT_STREQ(L"first", a[i]) << i;
}

TEST(CStringArray, StringsSurviveInsertRemoveAndGrowth)
{
    CStringArray a;
    for (int i = 0; i < 50; i++) {
        CString s;
        s.Format(L"item %d", i);
        a.Add(s);
    }
    a.InsertAt(10, L"inserted");
    a.RemoveAt(0, 5);
    ASSERT_EQ(46, a.GetSize());
    EXPECT_STREQ(L"item 5", a.GetAt(0));
    EXPECT_STREQ(L"inserted", a[5]);
    EXPECT_STREQ(L"item 10", a[6]);
    EXPECT_STREQ(L"item 49", a[45]);
    EXPECT_STREQ(L"", a.GetAt(46));
    a.ElementAt(0) += L"!";
    EXPECT_STREQ(L"item 5!", a[0]);
}

TEST(CTypedPtrArray, HoldsTypedPointers)
{
    std::string one = "one", two = "two";
    CTypedPtrArray<CPtrArray, std::string*> a;
    a.Add(&one);
    a.InsertAt(0, &two);
    EXPECT_EQ(&two, a[0]);
    EXPECT_EQ(&one, a.GetAt(1));
    a.ElementAt(1) = &two;
    EXPECT_EQ(&two, a.GetData()[1]);
    EXPECT_EQ(nullptr, a.GetAt(2));

    CUIntArray u;
    u.Add(7u);
    CDWordArray d;
    d.Add(0xFFFFFFFFu);
    EXPECT_EQ(7u, u[0]);
    EXPECT_EQ(0xFFFFFFFFu, d[0]);
}

// Each element counts itself out; it also looks back at the array while it is deleted.
struct Counted {
    Counted(int& live, const COwnedPtrArray<Counted>* owner) : live(live), owner(owner) { ++live; }
    ~Counted()
    {
        --live;
        for (int i = 0; owner && i < owner->GetSize(); ++i)
            EXPECT_NE(owner->GetAt(i), this) << "its slot was cleared first";
    }
    int& live;
    const COwnedPtrArray<Counted>* owner;
};

TEST(COwnedPtrArray, DeletesItsElementsOnDeleteAllAndOnDestruction)
{
    int live = 0;
    {
        COwnedPtrArray<Counted> owned;
        for (int i = 0; i < 3; ++i)
            owned.Add(new Counted(live, &owned));
        EXPECT_EQ(3, live);
        owned.DeleteAll();
        EXPECT_EQ(0, live);
        EXPECT_EQ(0, owned.GetSize());
        owned.Add(new Counted(live, nullptr));
        owned.Add(nullptr);
    }
    EXPECT_EQ(0, live);
}

}  // namespace
