// CMemoryDC: drawing lands off-screen and reaches the target only when the object ends, at the
// rectangle given in the target's coordinates; a printing target and an empty rectangle are
// drawn on directly.
#include "framework/controls/CMemoryDC.h"
#include <gtest/gtest.h>
#include "tests/support/DibCanvas.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

TEST(CMemoryDCTest, DrawsOffScreenAndCopiesTheRectangleAtTheEnd)
{
    DibCanvas canvas(40, 40);
    CRect rect(10, 12, 30, 32);
    {
        CMemoryDC memDC(&canvas.m_dc, &rect);
        EXPECT_TRUE(memDC.IsOffScreen());
        // The caller draws in the target's coordinates.
        memDC.FillSolidRect(&rect, kRed);
        memDC.FillSolidRect(10, 12, 5, 5, kBlue);
        EXPECT_EQ(canvas.Count(kRed), 0);
        EXPECT_EQ(canvas.Count(kWhite), 40 * 40);
    }
    EXPECT_EQ(canvas.Count(rect, kRed), 20 * 20 - 25);
    EXPECT_EQ(canvas.Count(CRect(10, 12, 15, 17), kBlue), 25);
    EXPECT_EQ(canvas.Count(kWhite), 40 * 40 - 20 * 20);
    EXPECT_EQ(canvas.At(9, 12), kWhite);
    EXPECT_EQ(canvas.At(30, 31), kWhite);
}

TEST(CMemoryDCTest, OverwritesTheWholeRectangleWithWhatWasDrawn)
{
    DibCanvas canvas(20, 20);
    canvas.m_dc.FillSolidRect(0, 0, 20, 20, kBlue);
    CRect rect(0, 0, 20, 10);
    {
        CMemoryDC memDC(&canvas.m_dc, &rect);
        memDC.FillSolidRect(&rect, kRed);
    }
    EXPECT_EQ(canvas.Count(CRect(0, 0, 20, 10), kRed), 200);
    EXPECT_EQ(canvas.Count(CRect(0, 10, 20, 20), kBlue), 200);
}

TEST(CMemoryDCTest, WithoutARectangleCoversTheClipBox)
{
    DibCanvas canvas(30, 30);
    canvas.m_dc.IntersectClipRect(5, 5, 25, 15);
    {
        CMemoryDC memDC(&canvas.m_dc);
        EXPECT_EQ(memDC.GetRect(), CRect(5, 5, 25, 15));
        memDC.FillSolidRect(0, 0, 30, 30, kRed);
    }
    canvas.m_dc.SelectClipRgn(nullptr);
    EXPECT_EQ(canvas.Count(kRed), 20 * 10);
}

TEST(CMemoryDCTest, APrintingTargetIsDrawnOnDirectly)
{
    DibCanvas canvas(20, 20);
    canvas.m_dc.m_bPrinting = TRUE;
    HDC hTarget = canvas.m_dc.GetSafeHdc();
    CRect rect(0, 0, 10, 10);
    {
        CMemoryDC memDC(&canvas.m_dc, &rect);
        EXPECT_FALSE(memDC.IsOffScreen());
        EXPECT_TRUE(memDC.IsPrinting());
        EXPECT_EQ(memDC.GetSafeHdc(), hTarget);
        memDC.FillSolidRect(&rect, kRed);
        EXPECT_EQ(canvas.Count(kRed), 100);
    }
    // The target's DC is still the target's.
    EXPECT_EQ(GetObjectType(hTarget), static_cast<DWORD>(OBJ_MEMDC));
    canvas.m_dc.m_bPrinting = FALSE;
}

TEST(CMemoryDCTest, AnEmptyRectangleDrawsOnTheTargetAndLeavesItAlive)
{
    DibCanvas canvas(20, 20);
    HDC hTarget = canvas.m_dc.GetSafeHdc();
    CRect rect(5, 5, 5, 15);
    {
        CMemoryDC memDC(&canvas.m_dc, &rect);
        EXPECT_FALSE(memDC.IsOffScreen());
        memDC.FillSolidRect(0, 0, 2, 2, kRed);
    }
    EXPECT_EQ(canvas.Count(kRed), 4);
    EXPECT_EQ(GetObjectType(hTarget), static_cast<DWORD>(OBJ_MEMDC));
}

}  // namespace
