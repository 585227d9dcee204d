// CRect, CPoint and CSize: normalizing, intersecting, inflating and deflating in every form,
// and the operators over them.
#include "classlib/CRect.h"
#include <gtest/gtest.h>

namespace {

struct RectCase {
    const char* name;
    CRect got;
    CRect want;
};

void ExpectRects(const RectCase* cases, size_t count)
{
    for (size_t i = 0; i < count; i++) {
        SCOPED_TRACE(cases[i].name);
        const CRect& g = cases[i].got;
        const CRect& w = cases[i].want;
        EXPECT_EQ(w.left, g.left);
        EXPECT_EQ(w.top, g.top);
        EXPECT_EQ(w.right, g.right);
        EXPECT_EQ(w.bottom, g.bottom);
    }
}

template <class F>
CRect Changed(CRect r, F change)
{
    change(r);
    return r;
}

TEST(CRect, NormalizeRect)
{
    const RectCase cases[] = {
        {"already normal", Changed(CRect(1, 2, 3, 4), [](CRect& r) { r.NormalizeRect(); }), CRect(1, 2, 3, 4)},
        {"swapped x", Changed(CRect(3, 2, 1, 4), [](CRect& r) { r.NormalizeRect(); }), CRect(1, 2, 3, 4)},
        {"swapped y", Changed(CRect(1, 4, 3, 2), [](CRect& r) { r.NormalizeRect(); }), CRect(1, 2, 3, 4)},
        {"both, negative", Changed(CRect(0, 0, -5, -6), [](CRect& r) { r.NormalizeRect(); }), CRect(-5, -6, 0, 0)},
    };
    ExpectRects(cases, std::size(cases));
}

TEST(CRect, IntersectUnionSubtract)
{
    const CRect a(0, 0, 10, 10);
    struct Case {
        const char* name;
        CRect b;
        BOOL intersects;
        CRect intersection;
    } cases[] = {
        {"overlap", CRect(5, 5, 15, 15), TRUE, CRect(5, 5, 10, 10)},
        {"inside", CRect(2, 3, 4, 5), TRUE, CRect(2, 3, 4, 5)},
        {"disjoint", CRect(20, 20, 30, 30), FALSE, CRect()},
        {"touching edge", CRect(10, 0, 20, 10), FALSE, CRect()},
        {"empty other", CRect(5, 5, 5, 5), FALSE, CRect()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRect r(99, 99, 100, 100);
        EXPECT_EQ(c.intersects, r.IntersectRect(a, c.b));
        EXPECT_TRUE(r == c.intersection);
        EXPECT_TRUE((a & c.b) == c.intersection);
    }

    CRect self(0, 0, 10, 10);
    EXPECT_TRUE(self.IntersectRect(self, CRect(5, -5, 20, 5)));  // this as one of the sources
    EXPECT_TRUE(self == CRect(5, 0, 10, 5));
    self &= CRect(6, 1, 7, 2);
    EXPECT_TRUE(self == CRect(6, 1, 7, 2));

    EXPECT_TRUE((a | CRect(20, 20, 30, 30)) == CRect(0, 0, 30, 30));
    CRect u(a);
    u |= CRect(-5, 2, 3, 4);
    EXPECT_TRUE(u == CRect(-5, 0, 10, 10));

    CRect rest;
    EXPECT_TRUE(rest.SubtractRect(a, CRect(0, 0, 10, 4)));  // a full-width band off the top
    EXPECT_TRUE(rest == CRect(0, 4, 10, 10));
    EXPECT_TRUE(rest.SubtractRect(a, CRect(2, 2, 4, 4)));  // a hole leaves the rectangle whole
    EXPECT_TRUE(rest == a);
    EXPECT_FALSE(rest.SubtractRect(a, CRect(-1, -1, 11, 11)));
    EXPECT_TRUE(rest.IsRectEmpty());
}

TEST(CRect, InflateDeflateOffsetInEveryForm)
{
    const CRect base(10, 20, 30, 40);
    const RECT sides = {1, 2, 3, 4};
    const RectCase cases[] = {
        {"inflate x y", Changed(base, [](CRect& r) { r.InflateRect(1, 2); }), CRect(9, 18, 31, 42)},
        {"inflate size", Changed(base, [](CRect& r) { r.InflateRect(CSize(1, 2)); }), CRect(9, 18, 31, 42)},
        {"inflate rect", Changed(base, [&](CRect& r) { r.InflateRect(&sides); }), CRect(9, 18, 33, 44)},
        {"inflate four", Changed(base, [](CRect& r) { r.InflateRect(1, 2, 3, 4); }), CRect(9, 18, 33, 44)},
        {"deflate x y", Changed(base, [](CRect& r) { r.DeflateRect(1, 2); }), CRect(11, 22, 29, 38)},
        {"deflate size", Changed(base, [](CRect& r) { r.DeflateRect(CSize(1, 2)); }), CRect(11, 22, 29, 38)},
        {"deflate rect", Changed(base, [&](CRect& r) { r.DeflateRect(&sides); }), CRect(11, 22, 27, 36)},
        {"deflate four", Changed(base, [](CRect& r) { r.DeflateRect(1, 2, 3, 4); }), CRect(11, 22, 27, 36)},
        {"deflate past empty", Changed(base, [](CRect& r) { r.DeflateRect(15, 0); }), CRect(25, 20, 15, 40)},
        {"offset", Changed(base, [](CRect& r) { r.OffsetRect(-10, 5); }), CRect(0, 25, 20, 45)},
        {"offset point", Changed(base, [](CRect& r) { r.OffsetRect(CPoint(1, 1)); }), CRect(11, 21, 31, 41)},
        {"+= point", Changed(base, [](CRect& r) { r += CPoint(1, 2); }), CRect(11, 22, 31, 42)},
        {"-= size", Changed(base, [](CRect& r) { r -= CSize(1, 2); }), CRect(9, 18, 29, 38)},
        {"+= rect inflates", Changed(base, [&](CRect& r) { r += &sides; }), CRect(9, 18, 33, 44)},
        {"-= rect deflates", Changed(base, [&](CRect& r) { r -= &sides; }), CRect(11, 22, 27, 36)},
    };
    ExpectRects(cases, std::size(cases));
}

TEST(CRect, Queries)
{
    const CRect r(10, 20, 30, 60);
    EXPECT_EQ(20, r.Width());
    EXPECT_EQ(40, r.Height());
    EXPECT_TRUE(r.Size() == CSize(20, 40));
    EXPECT_TRUE(r.TopLeft() == CPoint(10, 20));
    EXPECT_TRUE(r.BottomRight() == CPoint(30, 60));
    EXPECT_TRUE(r.CenterPoint() == CPoint(20, 40));

    struct Case {
        const char* name;
        CPoint point;
        BOOL inside;
    } points[] = {
        {"top left corner", CPoint(10, 20), TRUE},
        {"inside", CPoint(29, 59), TRUE},
        {"right edge is outside", CPoint(30, 30), FALSE},
        {"bottom edge is outside", CPoint(15, 60), FALSE},
        {"left of it", CPoint(9, 30), FALSE},
    };
    for (const Case& c : points) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.inside, r.PtInRect(c.point));
    }

    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_TRUE(CRect().IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 5, 9).IsRectNull());
    EXPECT_TRUE(CRect(9, 0, 5, 5).IsRectEmpty());
    EXPECT_FALSE(r.IsRectEmpty());

    CRect c;
    c.CopyRect(r);
    EXPECT_TRUE(c.EqualRect(r));
    EXPECT_TRUE(c == r);
    c.SetRectEmpty();
    EXPECT_TRUE(c != r);
    c.SetRect(CPoint(1, 2), CPoint(3, 4));
    EXPECT_TRUE(c == CRect(CPoint(1, 2), CSize(2, 2)));

    // A CRect passes where Win32 wants a RECT pointer.
    RECT plain;
    ::CopyRect(&plain, r);
    EXPECT_TRUE(CRect(&plain) == r);
}

TEST(CPointAndCSize, Arithmetic)
{
    // Mouse messages pack signed coordinates.
    CPoint fromMessage(static_cast<DWORD>(MAKELPARAM(-5, 7)));
    EXPECT_EQ(-5, fromMessage.x);
    EXPECT_EQ(7, fromMessage.y);

    CPoint p(1, 2);
    p += CSize(10, 20);
    p -= CPoint(1, 1);
    EXPECT_TRUE(p == CPoint(10, 21));
    EXPECT_TRUE(p - CPoint(4, 1) == CSize(6, 20));
    EXPECT_TRUE(p + CSize(1, 1) == CPoint(11, 22));
    EXPECT_TRUE(-p == CPoint(-10, -21));
    p.Offset(1, -1);
    EXPECT_TRUE(p != CPoint(10, 21));

    CSize s(3, 4);
    s += CSize(1, 1);
    EXPECT_TRUE(s == CSize(4, 5));
    EXPECT_TRUE(s - CSize(4, 5) == CSize());
}

}  // namespace
