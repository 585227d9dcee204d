// CList and its pointer kinds: order of additions and removals, walking by POSITION, removal
// while walking, Find, and calls on an empty list.
#include "classlib/CList.h"
#include "classlib/CString.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<int> Forward(const CList<int, int>& list)
{
    std::vector<int> out;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        out.push_back(list.GetNext(pos));
    return out;
}

std::vector<int> Backward(const CList<int, int>& list)
{
    std::vector<int> out;
    for (POSITION pos = list.GetTailPosition(); pos;)
        out.push_back(list.GetPrev(pos));
    return out;
}

TEST(CList, KeepsTheOrderOfAdditions)
{
    CList<int, int> list;
    list.AddTail(2);
    list.AddTail(3);
    list.AddHead(1);
    list.AddHead(0);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), Forward(list));
    EXPECT_EQ((std::vector<int>{3, 2, 1, 0}), Backward(list));
    EXPECT_EQ(4, list.GetCount());
    EXPECT_EQ(0, list.GetHead());
    EXPECT_EQ(3, list.GetTail());

    EXPECT_EQ(0, list.RemoveHead());
    EXPECT_EQ(3, list.RemoveTail());
    EXPECT_EQ((std::vector<int>{1, 2}), Forward(list));
    EXPECT_EQ(1, list.RemoveHead());
    EXPECT_EQ(2, list.RemoveHead());
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    EXPECT_EQ(nullptr, list.GetTailPosition());
}

TEST(CList, RemoveAtWhileWalking)
{
    struct Case {
        const char* name;
        int removed;
        std::vector<int> want;
    } cases[] = {
        {"head", 1, {2, 3, 4}},
        {"middle", 3, {1, 2, 4}},
        {"tail", 4, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CList<int, int> list;
        for (int v : {1, 2, 3, 4})
            list.AddTail(v);
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            POSITION at = pos;
            if (list.GetNext(pos) == c.removed)
                list.RemoveAt(at);
        }
        EXPECT_EQ(c.want, Forward(list));
        std::vector<int> backward = Backward(list);
        EXPECT_EQ(c.want, std::vector<int>(backward.rbegin(), backward.rend()));
        EXPECT_EQ(3, list.GetCount());
    }
}

TEST(CList, FindAndSetAt)
{
    CList<CString, const CString&> list;
    list.AddTail(L"a");
    POSITION b1 = list.AddTail(L"b");
    list.AddTail(L"c");
    POSITION b2 = list.AddTail(L"b");

    EXPECT_EQ(b1, list.Find(L"b"));
    EXPECT_EQ(b2, list.Find(L"b", b1));
    EXPECT_EQ(nullptr, list.Find(L"b", b2));
    EXPECT_EQ(nullptr, list.Find(L"zz"));

    list.SetAt(b2, L"d");
    EXPECT_STREQ(L"d", list.GetAt(b2));
    list.GetAt(b1) += L"!";
    EXPECT_STREQ(L"b!", list.GetAt(b1));
}

TEST(CList, EmptyListAndNullPositionAreHarmless)
{
    CList<int, int> list;
    EXPECT_EQ(0, list.RemoveHead());
    EXPECT_EQ(0, list.RemoveTail());
    list.GetHead() = 5;
    EXPECT_EQ(0, list.GetTail());
    POSITION pos = nullptr;
    EXPECT_EQ(0, list.GetNext(pos));
    EXPECT_EQ(nullptr, pos);
    list.RemoveAt(nullptr);
    list.SetAt(nullptr, 3);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(0, list.GetCount());
}

TEST(CTypedPtrList, HoldsTypedPointers)
{
    int one = 1, two = 2, three = 3;
    CTypedPtrList<CPtrList, int*> list;
    list.AddTail(&two);
    list.AddHead(&one);
    list.AddTail(&three);
    EXPECT_EQ(&one, list.GetHead());
    EXPECT_EQ(&three, list.GetTail());
    POSITION pos = list.GetHeadPosition();
    int* first = list.GetNext(pos);
    EXPECT_EQ(&one, first);
    EXPECT_EQ(&two, list.GetAt(pos));
    EXPECT_EQ(pos, list.Find(&two));
    EXPECT_EQ(&one, list.RemoveHead());
    EXPECT_EQ(&three, list.RemoveTail());
    EXPECT_EQ(1, list.GetCount());
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
}

}  // namespace
