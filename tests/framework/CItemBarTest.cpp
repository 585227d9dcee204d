// The control-bar framework: layout, hit tests, the slider's geometry as tables;
// buttons, sliders and the bare bar in a real bar under a recording parent; command-UI; drawing
// in a DIB section; and the process-wide hot and capture items outliving no bar.
#include "framework/controls/CItemBar.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/WindowHarness.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

const COLORREF kBarBack = RGB(0x20, 0x20, 0x20);

// A bar that records the slider notifications it gets.
class CTestBar : public CItemBar {
public:
    std::vector<std::pair<int, CBarItem*>> m_slides;

protected:
    LRESULT OnSliderPosChanged(WPARAM wParam, LPARAM lParam)
    {
        m_slides.push_back({static_cast<int>(wParam), reinterpret_cast<CBarItem*>(lParam)});
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestBar, CItemBar)
    ON_MESSAGE(WM_SLIDER_POSCHANGED, &CTestBar::OnSliderPosChanged)
END_MESSAGE_MAP()

class ItemBarTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateParent());
        m_parent.ShowWindow(SW_SHOWNOACTIVATE);
        m_bar = std::make_unique<CTestBar>();
        ASSERT_TRUE(m_bar->Create(WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 400, 30), &m_parent, 0xE801));
    }
    void TearDown() override
    {
        m_bar.reset();
        PumpMessages();
    }
    CBarButtonItem* AddButton(int id, int left, int right)
    {
        auto* p = new CBarButtonItem(&m_bar->Items(), id);
        p->SetRect(left, 0, right, 30, FALSE);
        m_bar->AddItem(p);
        return p;
    }
    HWND Bar() const { return m_bar->m_hWnd; }

    RecordingParent m_parent;
    std::unique_ptr<CTestBar> m_bar;
};

TEST(CustomControlBar, FixedLayoutTable)
{
    CCustomControlBar bar;
    bar.m_nFixedWidth = 120;
    bar.m_nFixedHeight = 22;
    struct Case { BOOL bStretch, bHorz; LONG cx, cy; } cases[] = {
        {FALSE, TRUE, 120, 22}, {FALSE, FALSE, 120, 22}, {TRUE, TRUE, 32767, 22}, {TRUE, FALSE, 120, 32767}};
    for (const Case& c : cases) {
        CSize size = bar.CalcFixedLayout(c.bStretch, c.bHorz);
        EXPECT_EQ(c.cx, size.cx) << c.bStretch << c.bHorz;
        EXPECT_EQ(c.cy, size.cy) << c.bStretch << c.bHorz;
    }
}

TEST_F(ItemBarTest, CreateKeepsTheBarStyleAndTheFixedSize)
{
    EXPECT_EQ(static_cast<DWORD>(CBRS_TOP), m_bar->GetBarStyle());
    EXPECT_EQ(400, m_bar->m_nFixedWidth);
    EXPECT_EQ(30, m_bar->m_nFixedHeight);
    EXPECT_EQ(0xE801, m_bar->GetDlgCtrlID());
}

TEST_F(ItemBarTest, ContainerFindsItemsAndHitTestsTheLowestIndex)
{
    CBarItemContainer& items = m_bar->Items();
    CBarButtonItem* a = AddButton(11, 0, 50);
    CBarButtonItem* b = AddButton(12, 40, 100);  // overlaps a from 40 to 50
    CBarButtonItem* c = AddButton(13, 100, 150);
    c->SetHidden(TRUE);
    EXPECT_EQ(3, items.GetCount());
    EXPECT_EQ(a, items.GetItem(0));
    EXPECT_EQ(nullptr, items.GetItem(3));
    EXPECT_EQ(nullptr, items.GetItem(-1));
    EXPECT_EQ(1, items.IndexOf(b));
    EXPECT_EQ(-1, items.IndexOf(nullptr));
    struct Case { int x, y, index; } cases[] = {
        {0, 0, 0}, {45, 10, 0}, {50, 10, 1}, {99, 29, 1}, {120, 5, 2} /* hidden items too */, {150, 5, -1}, {10, 30, -1}};
    for (const Case& k : cases)
        EXPECT_EQ(k.index, items.HitTest(k.x, k.y)) << k.x << "," << k.y;
}

TEST_F(ItemBarTest, ItemFlagsEnableAndHide)
{
    CBarButtonItem* a = AddButton(11, 0, 50);
    m_bar->Items().ModifyItemFlags(0, 0, BIF_DISABLED, FALSE);
    EXPECT_TRUE(a->IsDisabled());
    m_bar->Items().ModifyItemFlags(7, 0, BIF_HIDDEN, FALSE);  // a bad index is ignored
    a->Enable(TRUE);
    EXPECT_FALSE(a->IsDisabled());
    a->SetHidden(TRUE);
    EXPECT_TRUE(a->IsHidden());
    EXPECT_EQ(1, a->ModifyFlags(BIF_HIDDEN, BIF_DISABLED, FALSE));
    EXPECT_EQ(BIF_DISABLED, a->m_dwFlags);
}

TEST_F(ItemBarTest, ButtonGetsHotPressedAndFiresItsCommandOnRelease)
{
    CBarButtonItem* a = AddButton(1234, 10, 50);
    MouseMove(Bar(), 20, 10);
    EXPECT_TRUE(a->IsHot());
    EXPECT_EQ(BBS_HOT, a->GetState());
    LeftDown(Bar(), 20, 10);
    EXPECT_TRUE(a->IsPressed());
    EXPECT_EQ(BBS_PRESSED, a->GetState());
    EXPECT_EQ(0, m_parent.Count(WM_COMMAND));
    LeftUp(Bar(), 20, 10);
    EXPECT_FALSE(a->IsPressed());
    auto commands = m_parent.Of(WM_COMMAND);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(1234u, LOWORD(commands[0].wParam));
    EXPECT_EQ(0, commands[0].lParam);
}

TEST_F(ItemBarTest, ButtonReleasedOutsideFiresNothing)
{
    CBarButtonItem* a = AddButton(1234, 10, 50);
    MouseMove(Bar(), 20, 10);
    LeftDown(Bar(), 20, 10);
    MouseMove(Bar(), 80, 10);
    EXPECT_FALSE(a->IsPressed());
    EXPECT_FALSE(a->IsHot());
    LeftUp(Bar(), 80, 10);
    EXPECT_EQ(0, m_parent.Count(WM_COMMAND));
}

TEST_F(ItemBarTest, ButtonsWithIdZeroOrMinusOneFireNothing)
{
    AddButton(0, 0, 40);
    AddButton(-1, 50, 90);
    Click(Bar(), 10, 10);
    Click(Bar(), 60, 10);
    EXPECT_EQ(0, m_parent.Count(WM_COMMAND));
}

TEST_F(ItemBarTest, DisabledButtonTakesNothingAndAClickOnTheBareBarDragsTheParent)
{
    CBarButtonItem* a = AddButton(1234, 10, 50);
    a->Enable(FALSE);
    Click(Bar(), 20, 10);
    EXPECT_EQ(0, m_parent.Count(WM_COMMAND));
    Click(Bar(), 300, 12);
    auto drags = m_parent.Of(WM_NCLBUTTONDOWN);
    ASSERT_EQ(2u, drags.size());  // the disabled button's click and the bare bar's
    EXPECT_EQ(static_cast<WPARAM>(HTCAPTION), drags[1].wParam);
    EXPECT_EQ(PointParam(300, 12), drags[1].lParam);
}

TEST_F(ItemBarTest, MouseLeaveAndKillFocusEndTracking)
{
    CBarButtonItem* a = AddButton(1234, 10, 50);
    MouseMove(Bar(), 20, 10);
    EXPECT_TRUE(m_bar->Items().IsTracking());
    Deliver(Bar(), WM_MOUSELEAVE);
    EXPECT_FALSE(a->IsHot());
    EXPECT_FALSE(m_bar->Items().IsTracking());
    MouseMove(Bar(), 20, 10);
    LeftDown(Bar(), 20, 10);
    m_bar->SendMessage(WM_KILLFOCUS);
    EXPECT_FALSE(a->IsPressed());
    EXPECT_FALSE(a->IsHot());
    LeftUp(Bar(), 20, 10);
    EXPECT_EQ(0, m_parent.Count(WM_COMMAND));
}

TEST(BarSlider, GeometryTable)
{
    CBarItemContainer owner(nullptr);
    CBarSliderItem slider(&owner);
    slider.m_cxThumb = 10;
    slider.m_cyThumb = 8;
    slider.SetRect(0, 0, 210, 20, FALSE);
    slider.SetRange(0, 100);
    CRect channel = slider.GetChannelRect();
    EXPECT_EQ(CRect(5, 6, 205, 14), channel);

    struct Pos { int x, y; BOOL bDrag; int value; } positions[] = {
        {5 + 101, 10, FALSE, 51}, {5 + 100, 10, FALSE, 50}, {5, 10, FALSE, 0}, {2, 10, FALSE, 0},
        {207, 10, FALSE, 100}, {205, 10, FALSE, 100}, {300, 10, FALSE, -1}, {50, 25, FALSE, -1},
        {-40, 10, TRUE, 0}, {900, 10, TRUE, 100}, {5 + 150, 40, TRUE, 75}};
    for (const Pos& p : positions)
        EXPECT_EQ(p.value, slider.PosFromPoint(p.x, p.y, p.bDrag)) << p.x << "," << p.y << " drag " << p.bDrag;

    struct Thumb { int pos, x; } thumbs[] = {{0, 5}, {-5, 5}, {50, 105}, {100, 205}, {33, 71}};
    for (const Thumb& t : thumbs) {
        slider.m_nPos = t.pos;
        EXPECT_EQ(t.x, slider.GetThumbX()) << t.pos;
    }
    slider.m_nPos = 50;
    EXPECT_EQ(CRect(100, 6, 110, 14), slider.GetThumbRect());

    slider.SetRange(7, 7);
    EXPECT_EQ(0, slider.PosFromPoint(50, 10, FALSE));
    slider.SetRange(9, 3);
    EXPECT_EQ(-1, slider.PosFromPoint(50, 10, FALSE));
}

TEST(BarSlider, SetPosClampsAndSetRangeMaxLowersThePosition)
{
    CBarItemContainer owner(nullptr);
    CBarSliderItem slider(&owner);
    slider.SetRange(0, 100);
    slider.SetPos(150, FALSE);
    EXPECT_EQ(100, slider.GetPos());
    slider.SetPos(-3, FALSE);
    EXPECT_EQ(0, slider.GetPos());
    slider.SetPos(80, FALSE);
    slider.SetRangeMax(60);
    EXPECT_EQ(60, slider.GetPos());
}

class SliderBarTest : public ItemBarTest {
protected:
    void SetUp() override
    {
        ItemBarTest::SetUp();
        MakeColourImages(m_thumbs, 10, 8, {RGB(40, 40, 40), RGB(0, 120, 255), RGB(200, 200, 200), RGB(250, 250, 250)});
        m_slider = new CBarSliderItem(&m_bar->Items());
        m_slider->SetRect(100, 5, 310, 25, FALSE);  // channel 105..305, 200 wide
        m_slider->SetRange(0, 100);
        m_slider->SetThumbImageList(&m_thumbs);
        m_bar->AddItem(m_slider);
    }
    CImageList m_thumbs;
    CBarSliderItem* m_slider = nullptr;
};

TEST_F(SliderBarTest, AClickSetsTheValueAndNotifiesOnce)
{
    m_slider->SetPos(10, TRUE);
    EXPECT_TRUE(m_bar->m_slides.empty());  // SetPos never notifies
    MouseMove(Bar(), 105 + 150, 15);
    LeftDown(Bar(), 105 + 150, 15);
    LeftUp(Bar(), 105 + 150, 15);
    EXPECT_EQ(75, m_slider->GetPos());
    ASSERT_EQ(1u, m_bar->m_slides.size());
    EXPECT_EQ(75, m_bar->m_slides[0].first);
    EXPECT_EQ(m_slider, m_bar->m_slides[0].second);
    // The same value again sends nothing.
    LeftDown(Bar(), 105 + 150, 15);
    LeftUp(Bar(), 105 + 150, 15);
    EXPECT_EQ(1u, m_bar->m_slides.size());
}

TEST_F(SliderBarTest, DraggingTheThumbCapturesAndFollows)
{
    m_slider->SetPos(50, FALSE);  // thumb centre at 205
    MouseMove(Bar(), 205, 15);
    LeftDown(Bar(), 205, 15);
    EXPECT_TRUE(m_slider->IsCapture());
    EXPECT_EQ(Bar(), GetCapture());
    EXPECT_TRUE(m_bar->m_slides.empty());
    MouseMove(Bar(), 245, 15, MK_LBUTTON);
    EXPECT_EQ(70, m_slider->GetPos());
    MouseMove(Bar(), 900, 40, MK_LBUTTON);  // dragging past the end counts as the end
    EXPECT_EQ(100, m_slider->GetPos());
    LeftUp(Bar(), 900, 40);
    EXPECT_FALSE(m_slider->IsCapture());
    EXPECT_EQ(nullptr, GetCapture());
    ASSERT_EQ(2u, m_bar->m_slides.size());
    EXPECT_EQ(70, m_bar->m_slides[0].first);
    EXPECT_EQ(100, m_bar->m_slides[1].first);
}

TEST_F(SliderBarTest, CancelModeEndsADrag)
{
    m_slider->SetPos(50, FALSE);
    MouseMove(Bar(), 205, 15);
    LeftDown(Bar(), 205, 15);
    ASSERT_TRUE(m_slider->IsCapture());
    m_bar->SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(m_slider->IsCapture());
    EXPECT_FALSE(m_slider->IsPressed());
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(SliderBarTest, DrawsTheChannelAndTheThumbOnlyWhenHot)
{
    m_slider->SetPos(50, FALSE);
    DibCanvas canvas(400, 30);
    m_bar->Items().DrawItems(&canvas.m_dc);
    // Filled left of the thumb centre, empty right of it, no thumb.
    EXPECT_EQ(RGB(0, 120, 255), canvas.At(150, 14));
    EXPECT_EQ(RGB(0, 120, 255), canvas.At(105, 11));
    EXPECT_EQ(kWhite, canvas.At(150, 10));  // the channel is the thumb's height
    EXPECT_EQ(RGB(40, 40, 40), canvas.At(260, 14));
    EXPECT_EQ(0, canvas.Count(CRect(100, 5, 310, 25), RGB(200, 200, 200)));
    m_bar->Items().SetHotItem(m_slider);
    m_bar->Items().DrawItems(&canvas.m_dc);
    EXPECT_EQ(10 * 8, canvas.Count(CRect(100, 5, 310, 25), RGB(200, 200, 200)));
    EXPECT_EQ(RGB(200, 200, 200), canvas.At(201, 14));
    m_bar->Items().SetPressedItem(m_slider);
    m_bar->Items().DrawItems(&canvas.m_dc);
    EXPECT_EQ(10 * 8, canvas.Count(CRect(100, 5, 310, 25), RGB(250, 250, 250)));
}

TEST_F(ItemBarTest, ButtonDrawsItsHotColourAndMovesItsImageWhenPressed)
{
    CImageList images;
    MakeColourImages(images, 8, 8, {RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3), RGB(4, 4, 4), RGB(5, 5, 5)});
    CBarButtonItem* a = AddButton(1, 0, 20);
    a->SetRect(0, 0, 20, 20, FALSE);
    a->m_crNormal = RGB(10, 10, 10);
    a->m_crHot = RGB(90, 90, 90);
    a->SetImageList(&images, FALSE);
    EXPECT_EQ(8, a->m_cxImage);
    DibCanvas canvas(20, 20);
    a->Draw(&canvas.m_dc);
    EXPECT_EQ(RGB(10, 10, 10), canvas.At(1, 1));
    EXPECT_EQ(64, canvas.Count(RGB(1, 1, 1)));
    EXPECT_EQ(RGB(1, 1, 1), canvas.At(6, 6));
    m_bar->Items().SetHotItem(a);
    a->Draw(&canvas.m_dc);
    EXPECT_EQ(RGB(90, 90, 90), canvas.At(1, 1));
    EXPECT_EQ(64, canvas.Count(RGB(2, 2, 2)));
    m_bar->Items().SetPressedItem(a);
    a->Draw(&canvas.m_dc);
    EXPECT_EQ(64, canvas.Count(RGB(4, 4, 4)));
    EXPECT_EQ(RGB(4, 4, 4), canvas.At(14, 14));  // one pixel right and down
    EXPECT_NE(RGB(4, 4, 4), canvas.At(6, 6));
    a->Enable(FALSE);
    a->Draw(&canvas.m_dc);
    EXPECT_EQ(64, canvas.Count(RGB(5, 5, 5)));
}

// A paint of part of the bar goes through a bitmap of that part whose origin is moved to it:
// the items reaching into it are drawn, in the bar's coordinates.
TEST_F(ItemBarTest, DrawItemsDrawsWhatReachesIntoAPartialPaint)
{
    struct Case {
        int left, right;
        COLORREF colour;
    } cases[] = {{150, 210, RGB(10, 0, 0)}, {220, 260, RGB(20, 0, 0)}, {290, 340, RGB(30, 0, 0)}};
    for (const Case& c : cases)
        AddButton(1, c.left, c.right)->m_crNormal = c.colour;
    DibCanvas canvas(100, 30);  // the bar's x 200 to 300
    canvas.m_dc.SetWindowOrg(200, 0);
    m_bar->Items().DrawItems(&canvas.m_dc);
    EXPECT_EQ(RGB(10, 0, 0), canvas.At(5, 5));
    EXPECT_EQ(kWhite, canvas.At(15, 5));
    EXPECT_EQ(RGB(20, 0, 0), canvas.At(30, 5));
    EXPECT_EQ(RGB(30, 0, 0), canvas.At(95, 5));
}

TEST_F(ItemBarTest, ButtonSkinsOfThreePiecesRepeatTheMiddle)
{
    CImageList skin;
    // Three pieces per state, 4 x 20; state 0 uses images 0, 1, 2.
    std::vector<COLORREF> colors;
    for (int i = 0; i < 15; ++i)
        colors.push_back(RGB(10 * i, 0, 0));
    MakeColourImages(skin, 4, 20, colors);
    CBarButtonItem* a = AddButton(1, 0, 30);
    a->SetRect(0, 0, 30, 20, FALSE);
    a->SetSkin(&skin, BSKIN_HORZ, 4, 20);
    DibCanvas canvas(30, 20);
    a->Draw(&canvas.m_dc);
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(1, 5));
    EXPECT_EQ(RGB(10, 0, 0), canvas.At(5, 5));
    EXPECT_EQ(RGB(10, 0, 0), canvas.At(24, 5));
    EXPECT_EQ(RGB(20, 0, 0), canvas.At(27, 5));
}

TEST_F(ItemBarTest, TextItemAlignsAndColours)
{
    auto* text = new CBarTextItem(&m_bar->Items(), L"WWWW");
    text->SetRect(0, 0, 200, 30, FALSE);
    text->m_crNormal = RGB(0, 0, 255);
    text->m_hFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    m_bar->AddItem(text);
    auto leftmost = [&](DWORD style) {
        text->m_dwStyle = style;
        DibCanvas canvas(200, 30);
        text->Draw(&canvas.m_dc);
        for (int x = 0; x < 200; ++x) {
            for (int y = 0; y < 30; ++y) {
                if (canvas.At(x, y) != kWhite)
                    return x;
            }
        }
        return -1;
    };
    int left = leftmost(BIS_LEFT), centre = leftmost(0), right = leftmost(BIS_RIGHT);
    EXPECT_GE(left, 2);
    EXPECT_LT(left, 6);
    EXPECT_GT(centre, left + 40);
    EXPECT_GT(right, centre + 40);
    text->SetText(L"", FALSE);
    EXPECT_EQ(-1, leftmost(0));
}

// The frame whose update handlers disable all three of the bar's commands.
class CUpdateFrame : public CFrameWnd {
protected:
    void OnUpdateDisable(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnCommand(UINT) {}
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CUpdateFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI_RANGE(3001, 3003, &CUpdateFrame::OnUpdateDisable)
    ON_COMMAND_RANGE(3101, 3101, &CUpdateFrame::OnCommand)
END_MESSAGE_MAP()

TEST_F(ItemBarTest, CommandUiUpdatesEveryItemTheLastOneToo)
{
    CBarButtonItem* a = AddButton(3001, 0, 10);
    CBarButtonItem* b = AddButton(3002, 10, 20);
    CBarButtonItem* c = AddButton(3003, 20, 30);
    CBarButtonItem* handled = AddButton(3101, 30, 40);
    CBarButtonItem* orphan = AddButton(3999, 40, 50);
    CUpdateFrame frame;
    m_bar->OnUpdateCmdUI(&frame, TRUE);
    EXPECT_TRUE(a->IsDisabled());
    EXPECT_TRUE(b->IsDisabled());
    EXPECT_TRUE(c->IsDisabled());
    EXPECT_FALSE(handled->IsDisabled());
    EXPECT_TRUE(orphan->IsDisabled());  // no handler, disabled when asked to
    orphan->Enable(TRUE);
    m_bar->OnUpdateCmdUI(&frame, FALSE);
    EXPECT_FALSE(orphan->IsDisabled());
}

TEST_F(ItemBarTest, DestroyingABarWithAHotItemLeavesNoDanglingHotItem)
{
    AddButton(1, 0, 50);
    MouseMove(Bar(), 10, 10);
    ASSERT_NE(nullptr, CBarItemContainer::GetHotItem());
    // A second bar, created before the first goes (creation resets the shared items).
    CTestBar other;
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, CRect(0, 40, 400, 70), &m_parent, 0xE802));
    auto* b = new CBarButtonItem(&other.Items(), 2);
    b->SetRect(0, 0, 50, 30, FALSE);
    other.AddItem(b);
    MouseMove(Bar(), 10, 10);
    ASSERT_EQ(m_bar->GetItem(0), CBarItemContainer::GetHotItem());
    m_bar.reset();  // the bar and its hot item go
    EXPECT_EQ(nullptr, CBarItemContainer::GetHotItem());
    MouseMove(other.m_hWnd, 10, 10);  // the old hot item would be repainted here
    EXPECT_EQ(b, CBarItemContainer::GetHotItem());
    MouseMove(other.m_hWnd, 200, 10);
    EXPECT_EQ(nullptr, CBarItemContainer::GetHotItem());
}

TEST_F(ItemBarTest, RemovingAllItemsForgetsTheHotAndCaptureItems)
{
    AddButton(1, 0, 50);
    MouseMove(Bar(), 10, 10);
    m_bar->Items().SetCaptureItem(m_bar->GetItem(0));
    ASSERT_NE(nullptr, CBarItemContainer::GetCaptureItem());
    m_bar->Items().RemoveAllItems();
    EXPECT_EQ(nullptr, CBarItemContainer::GetHotItem());
    EXPECT_EQ(nullptr, CBarItemContainer::GetCaptureItem());
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(0, m_bar->Items().GetCount());
}

TEST_F(ItemBarTest, DestroyingTheBarWindowForgetsItsHotItem)
{
    AddButton(1, 0, 50);
    MouseMove(Bar(), 10, 10);
    ASSERT_NE(nullptr, CBarItemContainer::GetHotItem());
    m_bar->DestroyWindow();
    EXPECT_EQ(nullptr, CBarItemContainer::GetHotItem());
}

TEST_F(ItemBarTest, BackgroundThenItems)
{
    CBarButtonItem* a = AddButton(1, 10, 50);
    a->m_crNormal = RGB(0, 200, 0);
    DibCanvas canvas(400, 30);
    // What OnPaint draws into its memory DC.
    canvas.m_dc.FillSolidRect(CRect(0, 0, 400, 30), m_bar->m_crBackground);
    m_bar->Items().DrawItems(&canvas.m_dc);
    EXPECT_EQ(kBarBack, canvas.At(5, 5));
    EXPECT_EQ(RGB(0, 200, 0), canvas.At(20, 5));
}

}  // namespace

namespace {

TEST_F(ItemBarTest, ALateMouseLeaveOfOneBarLeavesAnotherBarsHotItem)
{
    AddButton(1, 0, 50);
    CTestBar other;
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, CRect(0, 40, 400, 70), &m_parent, 0xE802));
    auto* b = new CBarButtonItem(&other.Items(), 2);
    b->SetRect(0, 0, 50, 30, FALSE);
    other.AddItem(b);
    MouseMove(Bar(), 10, 10);
    MouseMove(other.m_hWnd, 10, 10);  // the mouse went from the first bar to the second
    ASSERT_EQ(b, CBarItemContainer::GetHotItem());
    Deliver(Bar(), WM_MOUSELEAVE);  // the first bar learns it only now
    EXPECT_EQ(b, CBarItemContainer::GetHotItem());
    m_bar->SendMessage(WM_KILLFOCUS);
    EXPECT_EQ(b, CBarItemContainer::GetHotItem());
    Deliver(other.m_hWnd, WM_MOUSELEAVE);
    EXPECT_EQ(nullptr, CBarItemContainer::GetHotItem());
}

}  // namespace
