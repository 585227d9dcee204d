// The hover button and the hyperlink: their states and drawing checked in DIB
// sections, hot tracking, the link's alignment (a BS_CENTER link is centred), its size, and its
// click through the ShellCalls seam.
#include "classlib/Afx.h"
#include "framework/controls/AppUiResources.h"
#include "framework/controls/CHoverButton.h"
#include "framework/controls/CHyperLink.h"
#include "image/RasterImage.h"
#include "tests/support/DibCanvas.h"
#include "tests/framework/ShellRecorder.h"
#include <gtest/gtest.h>

namespace {

const COLORREF kBlue = 0xFF0000;
const COLORREF kRed = 0x0000FF;

// A popup that hears its buttons' clicks.
class HostWnd : public CWnd {
public:
    int m_nClicks = 0;
    UINT m_nLastId = 0;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        // What the control kept (its reflected handler) never reaches the parent's map.
        if (CWnd::OnCommand(wParam, lParam))
            return TRUE;
        if (HIWORD(wParam) == BN_CLICKED) {
            m_nClicks++;
            m_nLastId = LOWORD(wParam);
        }
        return TRUE;
    }
};

class Buttons : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)),
                                    L"Host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 200, nullptr, nullptr));
    }
    void TearDown() override { m_host.DestroyWindow(); }

    // Draws the button as its parent's WM_DRAWITEM would, into a white DIB of its size.
    static void Draw(CButton& button, DibCanvas& canvas, UINT nState = 0)
    {
        CRect rect;
        button.GetClientRect(&rect);
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_BUTTON;
        dis.CtlID = button.GetDlgCtrlID();
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = nState;
        dis.hwndItem = button.m_hWnd;
        dis.hDC = canvas.m_dc.m_hDC;
        dis.rcItem = rect;
        button.DrawItem(&dis);
    }
    // The leftmost and rightmost columns holding the colour; -1 when none does.
    static void Extent(const DibCanvas& canvas, int cx, int cy, COLORREF cr, int& nFirst, int& nLast)
    {
        nFirst = nLast = -1;
        for (int x = 0; x < cx; x++) {
            if (canvas.Count(CRect(x, 0, x + 1, cy), cr) > 0) {
                if (nFirst < 0)
                    nFirst = x;
                nLast = x;
            }
        }
    }

    HostWnd m_host;
};

// ---- CHyperLink

TEST(CHyperLinkFormat, AlignmentFollowsTheStyle)
{
    EXPECT_EQ(CHyperLink::TextFormatOf(BS_CENTER) & (DT_CENTER | DT_RIGHT | DT_LEFT), static_cast<UINT>(DT_CENTER));
    EXPECT_EQ(CHyperLink::TextFormatOf(BS_RIGHT) & (DT_CENTER | DT_RIGHT), static_cast<UINT>(DT_RIGHT));
    EXPECT_EQ(CHyperLink::TextFormatOf(BS_LEFT) & (DT_CENTER | DT_RIGHT), static_cast<UINT>(DT_LEFT));
    EXPECT_EQ(CHyperLink::TextFormatOf(0) & (DT_CENTER | DT_RIGHT), static_cast<UINT>(DT_CENTER));
    EXPECT_TRUE(CHyperLink::TextFormatOf(0) & DT_SINGLELINE);
    EXPECT_TRUE(CHyperLink::TextFormatOf(0) & DT_VCENTER);
    EXPECT_TRUE(CHyperLink::TextFormatOf(BS_MULTILINE) & DT_WORDBREAK);
    EXPECT_FALSE(CHyperLink::TextFormatOf(BS_MULTILINE) & DT_SINGLELINE);
    EXPECT_TRUE(CHyperLink::TextFormatOf(BS_RIGHT) & DT_END_ELLIPSIS);
}

TEST_F(Buttons, ACentredLinkIsDrawnCentredAndARightOneRight)
{
    const int cx = 200, cy = 20;
    for (DWORD dwAlign : {static_cast<DWORD>(BS_CENTER), static_cast<DWORD>(BS_RIGHT), static_cast<DWORD>(BS_LEFT)}) {
        CHyperLink link;
        ASSERT_TRUE(link.Create(L"Link text", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | dwAlign, CRect(0, 0, cx, cy), &m_host, 1002));
        link.m_bTransparent = FALSE;
        link.m_crBack = kWhite;
        DibCanvas canvas(cx, cy);
        Draw(link, canvas);
        int nFirst, nLast;
        Extent(canvas, cx, cy, kBlue, nFirst, nLast);
        ASSERT_GE(nFirst, 0) << "alignment " << dwAlign;
        const int nLeftGap = nFirst, nRightGap = cx - 1 - nLast;
        if (dwAlign == BS_CENTER) {
            EXPECT_LE(std::abs(nLeftGap - nRightGap), 3);
        } else if (dwAlign == BS_RIGHT) {
            EXPECT_LE(nRightGap, 4);
            EXPECT_GT(nLeftGap, 60);
        } else {
            EXPECT_LE(nLeftGap, 4);
            EXPECT_GT(nRightGap, 60);
        }
    }
}

TEST_F(Buttons, TheLinkTurnsTheHoverColourUnderThePointer)
{
    CHyperLink link;
    ASSERT_TRUE(link.Create(L"Hover me", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | BS_LEFT, CRect(0, 0, 150, 20), &m_host, 1002));
    link.m_bTransparent = FALSE;
    link.m_crBack = kWhite;
    DibCanvas normal(150, 20);
    Draw(link, normal);
    EXPECT_GT(normal.Count(kBlue), 0);
    EXPECT_EQ(normal.Count(kRed), 0);

    link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(link.m_bHot);
    DibCanvas hot(150, 20);
    Draw(link, hot);
    EXPECT_GT(hot.Count(kRed), 0);
    EXPECT_EQ(hot.Count(kBlue), 0);

    link.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(link.m_bHot);
    EXPECT_EQ(link.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(link.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), 1);
    EXPECT_EQ(link.SendMessage(WM_ERASEBKGND, 0), 1);
}

TEST_F(Buttons, TheLinkFontUnderThePointerIsTheHoverFont)
{
    CHyperLink link;
    ASSERT_TRUE(link.Create(L"Underlined", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | BS_LEFT, CRect(0, 0, 150, 20), &m_host, 1002));
    link.UseAppLinkLook();
    EXPECT_EQ(link.m_pHoverFont, GetAppFont(AppFontUnderline));
    EXPECT_EQ(reinterpret_cast<HFONT>(link.SendMessage(WM_GETFONT)), static_cast<HFONT>(GetAppFont(AppFontNormal)->GetSafeHandle()));
    link.m_bTransparent = FALSE;
    link.m_crBack = kWhite;
    link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    DibCanvas hot(150, 20);
    Draw(link, hot);
    // An underline: one row holding a long unbroken run of the hover colour.
    int nLongest = 0;
    for (int y = 0; y < 20; y++)
        nLongest = std::max(nLongest, hot.Count(CRect(0, y, 150, y + 1), kRed));
    EXPECT_GT(nLongest, 40);
}

TEST_F(Buttons, SizeToTextFitsTheTextSingleLineOnly)
{
    CHyperLink link;
    ASSERT_TRUE(link.Create(L"www.kavri.example", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 300, 30), &m_host, 1002));
    HDC hDC = GetDC(link.m_hWnd);
    HGDIOBJ hOld = SelectObject(hDC, reinterpret_cast<HGDIOBJ>(link.SendMessage(WM_GETFONT)));
    SIZE size = {};
    GetTextExtentPoint32W(hDC, L"www.kavri.example", 17, &size);
    SelectObject(hDC, hOld);
    ReleaseDC(link.m_hWnd, hDC);
    link.SizeToText();
    CRect rect;
    link.GetWindowRect(&rect);
    m_host.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(10, 10, 10 + size.cx + 4, 30));

    CHyperLink multi;
    ASSERT_TRUE(multi.Create(L"Two\nlines", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | BS_MULTILINE, CRect(10, 40, 300, 80), &m_host, 1003));
    multi.SizeToText();
    multi.GetWindowRect(&rect);
    m_host.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(10, 40, 300, 80));
}

TEST_F(Buttons, AClickOpensTheURLThroughTheSeamOrReachesTheParent)
{
    ShellRecorder recorder;
    CHyperLink link;
    ASSERT_TRUE(link.Create(L"Site", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 100, 20), &m_host, 1002));
    link.SetURL(L"https://www.kavri.example/", L"www.kavri.example");
    CString strText;
    link.GetWindowText(strText);
    EXPECT_STREQ(strText, L"www.kavri.example");
    link.SendMessage(BM_CLICK);
    ASSERT_EQ(ShellRecorder::Calls().size(), 1u);
    EXPECT_EQ(ShellRecorder::Calls()[0].verb, L"open");
    EXPECT_EQ(ShellRecorder::Calls()[0].file, L"https://www.kavri.example/");
    EXPECT_EQ(m_host.m_nClicks, 0);

    // Without a URL nothing opens, and the parent hears of the click.
    CHyperLink mail;
    ASSERT_TRUE(mail.Create(L"Mail", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 30, 100, 50), &m_host, 1004));
    mail.SendMessage(BM_CLICK);
    EXPECT_EQ(ShellRecorder::Calls().size(), 1u);
    EXPECT_EQ(m_host.m_nClicks, 1);
    EXPECT_EQ(m_host.m_nLastId, 1004u);
}

// ---- CHoverButton

TEST(CHoverButtonState, FromTheItemState)
{
    EXPECT_EQ(CHoverButton::StateOf(ODS_SELECTED | ODS_FOCUS, FALSE), 3);
    EXPECT_EQ(CHoverButton::StateOf(ODS_FOCUS, TRUE), 1);
    EXPECT_EQ(CHoverButton::StateOf(ODS_FOCUS, FALSE), 2);
    EXPECT_EQ(CHoverButton::StateOf(ODS_DISABLED, TRUE), 4);
    EXPECT_EQ(CHoverButton::StateOf(0, TRUE), 1);
    EXPECT_EQ(CHoverButton::StateOf(0, FALSE), 0);
}

void FillImage(CRasterImage& image, int cx, int cy, COLORREF cr)
{
    image.Create(cx, cy, 24);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            image.SetPixelColorRef(x, y, cr);
}

TEST_F(Buttons, WithoutImagesOnlyTheBackgroundIsPainted)
{
    CHoverButton button;
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 40, 30), &m_host, 1));
    DibCanvas canvas(40, 30);
    Draw(button, canvas);
    EXPECT_EQ(canvas.Count(RGB(0x20, 0x20, 0x20)), 40 * 30);
}

TEST_F(Buttons, TheNormalImageThenTheHotOne)
{
    CRasterImage normal, hot;
    FillImage(normal, 10, 8, RGB(200, 0, 0));
    FillImage(hot, 10, 8, RGB(0, 200, 0));
    CHoverButton button;
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 40, 30), &m_host, 1));
    button.SetImages(&normal, &hot);
    EXPECT_EQ(button.m_cxImage, 10);
    EXPECT_EQ(button.m_cyImage, 8);

    DibCanvas canvas(40, 30);
    Draw(button, canvas, ODS_FOCUS);  // focused, not hot: the normal image
    EXPECT_EQ(canvas.Count(RGB(200, 0, 0)), 80);
    EXPECT_EQ(canvas.Count(CRect(15, 11, 25, 19), RGB(200, 0, 0)), 80);  // centred
    EXPECT_EQ(canvas.Count(RGB(0x20, 0x20, 0x20)), 40 * 30 - 80);

    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(button.m_bHot);
    DibCanvas hotCanvas(40, 30);
    Draw(button, hotCanvas, ODS_FOCUS);
    EXPECT_EQ(hotCanvas.Count(RGB(0, 200, 0)), 80);
    EXPECT_EQ(hotCanvas.Count(RGB(200, 0, 0)), 0);

    // Pressed shows the hot image too; not centred, the image fills the button.
    button.SendMessage(WM_MOUSELEAVE);
    button.m_bCenter = FALSE;
    DibCanvas pressed(40, 30);
    Draw(button, pressed, ODS_SELECTED);
    EXPECT_EQ(pressed.Count(RGB(0, 200, 0)), 40 * 30);
}

TEST_F(Buttons, ATransparentButtonShowsItsParentsBackground)
{
    CHoverButton button;
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 50, 40), &m_host, 1));
    button.m_bTransparent = TRUE;
    DibCanvas canvas(40, 30);
    canvas.m_dc.FillSolidRect(0, 0, 40, 30, RGB(1, 2, 3));
    Draw(button, canvas);
    EXPECT_EQ(canvas.Count(GetSysColor(COLOR_WINDOW)), 40 * 30);
}

}  // namespace
