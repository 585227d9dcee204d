// CImageList: images added from bitmaps with a mask colour, replaced, removed and drawn into a
// DIB canvas whose pixels the test reads back.
#include "classlib/Afx.h"
#include <gtest/gtest.h>
#include <vector>
#include "tests/support/DibCanvas.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kMagenta = RGB(255, 0, 255);

// A 32-bit bitmap of cx x 4 pixels, each the colour pick(x, y) gives.
void MakeBitmap(CBitmap& bitmap, int cx, COLORREF (*pick)(int x, int y))
{
    std::vector<DWORD> bits;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < cx; ++x) {
            COLORREF c = pick(x, y);
            bits.push_back(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
        }
    }
    ASSERT_TRUE(bitmap.CreateBitmap(cx, 4, 1, 32, bits.data()));
}

// Two 4 x 4 images: red with a magenta top-left pixel, green with a magenta first column.
COLORREF TwoImages(int x, int y)
{
    if (x < 4)
        return x == 0 && y == 0 ? kMagenta : kRed;
    return x == 4 ? kMagenta : kGreen;
}

TEST(CImageList, MaskColourMakesPixelsTransparent)
{
    struct Case {
        const char* name;
        UINT flags;
    } cases[] = {
        {"24-bit", ILC_COLOR24 | ILC_MASK},
        {"32-bit", ILC_COLOR32 | ILC_MASK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CImageList list;
        ASSERT_TRUE(list.Create(4, 4, c.flags, 0, 2));
        EXPECT_FALSE(list.Create(4, 4, c.flags, 0, 2)) << "a wrapper holds one list";
        CBitmap bitmap;
        MakeBitmap(bitmap, 8, TwoImages);
        EXPECT_EQ(0, list.Add(&bitmap, kMagenta));
        EXPECT_EQ(2, list.GetImageCount());

        DibCanvas canvas(10, 10);
        ASSERT_TRUE(list.Draw(&canvas.m_dc, 0, CPoint(2, 2), ILD_NORMAL));
        ASSERT_TRUE(list.Draw(&canvas.m_dc, 1, CPoint(6, 6), ILD_TRANSPARENT));
        EXPECT_EQ(kWhite, canvas.At(2, 2));
        EXPECT_EQ(15, canvas.Count({2, 2, 6, 6}, kRed));
        EXPECT_EQ(12, canvas.Count({6, 6, 10, 10}, kGreen));
        EXPECT_EQ(4, canvas.Count({6, 6, 7, 10}, kWhite));
    }
}

TEST(CImageList, ReplaceRemoveAndPartialDraw)
{
    CImageList list;
    ASSERT_TRUE(list.Create(4, 4, ILC_COLOR32 | ILC_MASK, 0, 2));
    CBitmap two;
    MakeBitmap(two, 8, TwoImages);
    ASSERT_EQ(0, list.Add(&two, kMagenta));
    CBitmap blue;
    MakeBitmap(blue, 4, [](int, int) { return kBlue; });
    CBitmap opaque;  // a mask of zeros: every pixel drawn
    const WORD zeros[4] = {};
    ASSERT_TRUE(opaque.CreateBitmap(4, 4, 1, 1, zeros));
    ASSERT_TRUE(list.Replace(0, &blue, &opaque));

    DibCanvas canvas(10, 10);
    list.Draw(&canvas.m_dc, 0, CPoint(0, 0), ILD_NORMAL);
    EXPECT_EQ(16, canvas.Count(kBlue));

    // The bottom-right quarter of the green image.
    ASSERT_TRUE(list.DrawIndirect(&canvas.m_dc, 1, CPoint(6, 6), CSize(2, 2), CPoint(2, 2)));
    EXPECT_EQ(4, canvas.Count({6, 6, 8, 8}, kGreen));
    EXPECT_EQ(4, canvas.Count(kGreen));

    ASSERT_TRUE(list.Remove(0));
    EXPECT_EQ(1, list.GetImageCount());
    EXPECT_FALSE(list.Remove(5));
    ASSERT_TRUE(list.Remove(-1));
    EXPECT_EQ(0, list.GetImageCount());
}

TEST(CImageList, DragImageComesFromTheListUntilTheDragEnds)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"Drag", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
    CImageList list;
    ASSERT_TRUE(list.Create(4, 4, ILC_COLOR32 | ILC_MASK, 0, 2));
    CBitmap bitmap;
    MakeBitmap(bitmap, 8, TwoImages);
    list.Add(&bitmap, kMagenta);

    ASSERT_TRUE(list.BeginDrag(1, CPoint(2, 3)));
    EXPECT_TRUE(CImageList::DragEnter(&wnd, CPoint(10, 10)));
    EXPECT_TRUE(CImageList::DragMove(CPoint(20, 30)));
    EXPECT_TRUE(CImageList::DragShowNolock(FALSE));
    POINT pt = {};
    POINT hotSpot = {};
    HIMAGELIST hDrag = ImageList_GetDragImage(&pt, &hotSpot);
    ASSERT_NE(nullptr, hDrag);
    EXPECT_EQ(1, ImageList_GetImageCount(hDrag)) << "the one image dragged";
    EXPECT_EQ(CPoint(2, 3), CPoint(hotSpot));
    EXPECT_TRUE(CImageList::DragLeave(&wnd));
    CImageList::EndDrag();
    EXPECT_EQ(nullptr, ImageList_GetDragImage(&pt, &hotSpot));
    wnd.DestroyWindow();
}

}  // namespace
