// CDC and the GDI object wrappers: drawing into a memory DC over a 32-bit DIB section whose
// pixels the test reads back directly, and the ownership of handles and temporary wrappers.
#include "classlib/Afx.h"
#include <gtest/gtest.h>
#include "tests/support/DibCanvas.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

TEST(CDC, FillSolidRectFillsExactlyTheRectangle)
{
    struct Case {
        const char* name;
        void (*fill)(CDC& dc);
    } cases[] = {
        {"rect form", [](CDC& dc) { CRect rect(2, 3, 7, 5); dc.FillSolidRect(rect, kRed); }},
        {"extent form", [](CDC& dc) { dc.FillSolidRect(2, 3, 5, 2, kRed); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DibCanvas canvas(10, 10);
        c.fill(canvas.m_dc);
        EXPECT_EQ(10, canvas.Count({2, 3, 7, 5}, kRed));
        EXPECT_EQ(10, canvas.Count(kRed));
        EXPECT_EQ(kRed, canvas.m_dc.GetBkColor());
    }
}

TEST(CDC, Draw3dRectColoursEachEdgeAndLeavesTheInside)
{
    DibCanvas canvas(10, 10);
    canvas.m_dc.Draw3dRect(CRect(1, 1, 6, 5), kRed, kBlue);  // 5 x 4

    EXPECT_EQ(4, canvas.Count({1, 1, 5, 2}, kRed)) << "top edge but its right end";
    EXPECT_EQ(3, canvas.Count({1, 1, 2, 4}, kRed)) << "left edge but its bottom end";
    EXPECT_EQ(4, canvas.Count({5, 1, 6, 5}, kBlue)) << "right edge with the top-right corner";
    EXPECT_EQ(5, canvas.Count({1, 4, 6, 5}, kBlue)) << "bottom edge with the bottom-left corner";
    EXPECT_EQ(6, canvas.Count({2, 2, 5, 4}, kWhite)) << "inside";
    EXPECT_EQ(6, canvas.Count(kRed));
    EXPECT_EQ(8, canvas.Count(kBlue));

    DibCanvas tiny(4, 4);
    tiny.m_dc.Draw3dRect(1, 1, 1, 1, kRed, kBlue);  // one pixel: the bottom-right colour
    EXPECT_EQ(kBlue, tiny.At(1, 1));
    EXPECT_EQ(0, tiny.Count(kRed));
}

TEST(CDC, OriginsMoveWhatIsDrawn)
{
    struct Case {
        const char* name;
        CPoint (*setOrigin)(CDC& dc);
        CRect filledWanted;  // where FillSolidRect(3, 2, 2, 2) lands
    } cases[] = {
        {"window origin", [](CDC& dc) { return dc.SetWindowOrg(3, 2); }, CRect(0, 0, 2, 2)},
        {"viewport origin", [](CDC& dc) { return dc.SetViewportOrg(CPoint(4, 5)); }, CRect(7, 7, 9, 9)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DibCanvas canvas(10, 10);
        EXPECT_EQ(CPoint(0, 0), c.setOrigin(canvas.m_dc)) << "the origin before";
        canvas.m_dc.FillSolidRect(3, 2, 2, 2, kRed);
        EXPECT_EQ(4, canvas.Count(c.filledWanted, kRed));
        EXPECT_EQ(4, canvas.Count(kRed));
    }
    DibCanvas canvas(10, 10);
    canvas.m_dc.SetWindowOrg(CPoint(-6, 1));
    EXPECT_EQ(CPoint(-6, 1), canvas.m_dc.GetWindowOrg());
    EXPECT_FALSE(canvas.m_dc.IsPrinting());
}

TEST(CDC, BitBltAndStretchBltCopyFromAnotherDC)
{
    DibCanvas source(4, 4);
    source.m_dc.FillSolidRect(1, 1, 2, 2, kGreen);

    DibCanvas target(10, 10);
    ASSERT_TRUE(target.m_dc.BitBlt(5, 6, 3, 3, &source.m_dc, 1, 1, SRCCOPY));
    EXPECT_EQ(4, target.Count({5, 6, 7, 8}, kGreen));
    EXPECT_EQ(4, target.Count(kGreen));

    DibCanvas stretched(10, 10);
    ASSERT_TRUE(stretched.m_dc.StretchBlt(0, 0, 4, 4, &source.m_dc, 1, 1, 2, 2, SRCCOPY));
    EXPECT_EQ(16, stretched.Count({0, 0, 4, 4}, kGreen));
    EXPECT_EQ(16, stretched.Count(kGreen));
}

TEST(CDC, ClippingLimitsDrawingUntilRemoved)
{
    DibCanvas canvas(10, 10);
    CDC& dc = canvas.m_dc;
    int saved = dc.SaveDC();
    EXPECT_NE(ERROR, dc.IntersectClipRect(0, 0, 5, 10));
    EXPECT_NE(ERROR, dc.ExcludeClipRect(0, 0, 5, 2));
    CRect box;
    dc.GetClipBox(box);
    EXPECT_EQ(CRect(0, 2, 5, 10), box);
    dc.FillSolidRect(0, 0, 10, 10, kRed);
    EXPECT_EQ(40, canvas.Count(kRed));

    dc.RestoreDC(saved);
    CRgn region;
    region.CreateRectRgn(8, 8, 10, 10);
    EXPECT_EQ(SIMPLEREGION, dc.SelectClipRgn(&region));
    dc.FillSolidRect(0, 0, 10, 10, kBlue);
    EXPECT_EQ(4, canvas.Count(kBlue));
    dc.SelectClipRgn(nullptr);
    dc.FillSolidRect(0, 0, 10, 10, kBlue);
    EXPECT_EQ(100, canvas.Count(kBlue));
}

TEST(CDC, ShapesUseTheSelectedPenAndBrush)
{
    DibCanvas canvas(10, 10);
    CDC& dc = canvas.m_dc;
    CPen pen(PS_SOLID, 1, kRed);
    CBrush brush(kBlue);
    CPen* pOldPen = dc.SelectObject(&pen);
    CBrush* pOldBrush = dc.SelectObject(&brush);
    dc.Rectangle(1, 1, 6, 6);  // a red frame around a 3 x 3 blue inside
    dc.MoveTo(0, 8);
    dc.LineTo(10, 8);
    EXPECT_EQ(9, canvas.Count({2, 2, 5, 5}, kBlue));
    EXPECT_EQ(16 + 10, canvas.Count(kRed));

    // The previous objects come back as the matching wrappers and select back.
    ASSERT_NE(nullptr, pOldPen);
    EXPECT_TRUE(pOldPen->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_TRUE(pOldBrush->IsKindOf(RUNTIME_CLASS(CBrush)));
    EXPECT_EQ(static_cast<HGDIOBJ>(pen), dc.SelectObject(pOldPen)->m_hObject);
    EXPECT_EQ(static_cast<HGDIOBJ>(brush), dc.SelectObject(pOldBrush)->m_hObject);
}

TEST(CDC, TextIsMeasuredInTheSelectedFont)
{
    DibCanvas canvas(10, 10);
    CDC& dc = canvas.m_dc;
    CFont small;
    CFont large;
    ASSERT_TRUE(small.CreatePointFont(80, L"Tahoma", &dc));
    ASSERT_TRUE(large.CreatePointFont(240, L"Tahoma", &dc));
    LOGFONTW logFont = {};
    ASSERT_TRUE(large.GetLogFont(&logFont));
    EXPECT_EQ(-MulDiv(24, dc.GetDeviceCaps(LOGPIXELSY), 72), logFont.lfHeight);

    CFont* pOld = dc.SelectObject(&small);
    CSize smallSize = dc.GetTextExtent(CString(L"Wide text"));
    dc.SelectObject(&large);
    CSize largeSize = dc.GetTextExtent(L"Wide text", 9);
    EXPECT_EQ(static_cast<HGDIOBJ>(large), dc.GetCurrentFont()->m_hObject);
    dc.SelectObject(pOld);
    EXPECT_GT(smallSize.cx, 0);
    EXPECT_GT(largeSize.cx, smallSize.cx);
    EXPECT_GT(largeSize.cy, smallSize.cy);
}

TEST(CGdiObject, OwnsItsHandleUntilDetached)
{
    HGDIOBJ hDeleted;
    HGDIOBJ hKept;
    {
        CPen pen(PS_SOLID, 1, kRed);
        CBrush brush(kRed);
        hDeleted = pen;
        hKept = brush.Detach();
        EXPECT_FALSE(pen.Attach(hKept)) << "a wrapper holds one handle";
    }
    EXPECT_EQ(0u, GetObjectType(hDeleted));
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(hKept));
    DeleteObject(hKept);
}

TEST(CGdiObject, FromHandleGivesOneTemporaryWrapperOfTheRightKind)
{
    CPen pen(PS_SOLID, 1, kRed);
    CBrush brush(kRed);
    CFont font;
    font.CreatePointFont(90, L"Tahoma");
    CBitmap bitmap;
    bitmap.CreateBitmap(2, 2, 1, 1, nullptr);
    CRgn region;
    region.CreateRectRgn(0, 0, 1, 1);
    struct Case {
        const char* name;
        HGDIOBJ handle;
        CRuntimeClass* kind;
    } cases[] = {
        {"pen", pen, RUNTIME_CLASS(CPen)},
        {"brush", brush, RUNTIME_CLASS(CBrush)},
        {"font", font, RUNTIME_CLASS(CFont)},
        {"bitmap", bitmap, RUNTIME_CLASS(CBitmap)},
        {"region", region, RUNTIME_CLASS(CRgn)},
        {"palette", GetStockObject(DEFAULT_PALETTE), RUNTIME_CLASS(CGdiObject)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGdiObject* pWrapper = CGdiObject::FromHandle(c.handle);
        ASSERT_NE(nullptr, pWrapper);
        EXPECT_EQ(c.kind, pWrapper->GetRuntimeClass());
        EXPECT_EQ(c.handle, pWrapper->m_hObject);
        EXPECT_EQ(pWrapper, CGdiObject::FromHandle(c.handle)) << "one wrapper per handle";
    }
    EXPECT_EQ(nullptr, CGdiObject::FromHandle(nullptr));

    AfxDeleteTempMaps();  // the temporaries go, the objects stay
    for (const Case& c : cases)
        EXPECT_NE(0u, GetObjectType(c.handle)) << c.name;
}

TEST(CGdiObject, RegionsCombineAndHitTest)
{
    CRgn left;
    CRgn right;
    CRgn both;
    left.CreateRectRgn(0, 0, 10, 10);
    right.CreateEllipticRgn(20, 0, 30, 10);
    both.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(COMPLEXREGION, both.CombineRgn(&left, &right, RGN_OR));
    EXPECT_TRUE(both.PtInRegion(5, 5));
    EXPECT_TRUE(both.PtInRegion(CPoint(25, 5)));
    EXPECT_FALSE(both.PtInRegion(15, 5));
    EXPECT_FALSE(both.PtInRegion(20, 0)) << "outside the ellipse, inside its box";
    EXPECT_TRUE(both.PtInRegion(0, 0));
}

TEST(CDC, FromHandleWrapsWithoutOwning)
{
    HDC hDC = CreateCompatibleDC(nullptr);
    CDC* pDC = CDC::FromHandle(hDC);
    ASSERT_NE(nullptr, pDC);
    EXPECT_EQ(hDC, pDC->GetSafeHdc());
    EXPECT_EQ(pDC, CDC::FromHandle(hDC));
    AfxDeleteTempMaps();
    EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), GetObjectType(hDC)) << "the temporary did not delete it";
    DeleteDC(hDC);

    CDC owner;
    ASSERT_TRUE(owner.CreateCompatibleDC(nullptr));
    HDC hOwned = owner;
    EXPECT_FALSE(owner.CreateCompatibleDC(nullptr));
    owner.DeleteDC();
    EXPECT_EQ(0u, GetObjectType(hOwned));
}

// Paints its update rectangle red through a CPaintDC.
class PaintWnd : public CWnd {
public:
    int m_nPaints = 0;
    CRect m_rcPaint;

protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        ++m_nPaints;
        m_rcPaint = dc.m_ps.rcPaint;
        dc.FillSolidRect(&dc.m_ps.rcPaint, kRed);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaintWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(CPaintDC, PaintsTheUpdateRegionAndValidatesIt)
{
    PaintWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"Paint", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, nullptr));
    wnd.UpdateWindow();
    wnd.m_nPaints = 0;

    wnd.InvalidateRect(CRect(5, 6, 20, 30), FALSE);
    wnd.UpdateWindow();
    EXPECT_EQ(1, wnd.m_nPaints);
    EXPECT_EQ(CRect(5, 6, 20, 30), wnd.m_rcPaint);
    EXPECT_FALSE(::GetUpdateRect(wnd.m_hWnd, nullptr, FALSE)) << "EndPaint ran";
    wnd.UpdateWindow();
    EXPECT_EQ(1, wnd.m_nPaints);

    {
        CClientDC dc(&wnd);
        ASSERT_NE(nullptr, dc.m_hDC);
        EXPECT_EQ(wnd.m_hWnd, ::WindowFromDC(dc));
        CWindowDC whole(&wnd);
        EXPECT_EQ(wnd.m_hWnd, ::WindowFromDC(whole));
    }
    wnd.DestroyWindow();
}

}  // namespace
