// The conversion tool's dialog base and small controls: tooltips from string
// resources (cut to the notification's buffer), the menu update pass, the list controls, the
// two-column combo box drawn in a DIB, the gradient and its fallback stripes, and the rest.
#include "classlib/Afx.h"
#include "conversion/app/controls/CCXControls.h"
#include "conversion/app/controls/CCXDialog.h"
#include "conversion/app/controls/CCXListCtrl.h"
#include "conversion/app/controls/CFolderPicker.h"
#include "conversion/app/controls/CThemeData.h"
#include "conversion/app/controls/GradientFill.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/DialogScript.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

// ---- CCXDialog

class TipDialog : public CCXDialog {
public:
    TipDialog() : CCXDialog(100) {}
    std::function<void(TipDialog&)> m_script;
    int m_nHandled = 0;

protected:
    BOOL OnInitDialog() override
    {
        BOOL bResult = CCXDialog::OnInitDialog();
        PostMessage(WM_TEST_SHOWN);
        return bResult;
    }
    LRESULT OnShown(WPARAM, LPARAM)
    {
        if (m_script)
            m_script(*this);
        EndDialog(IDOK);
        return 0;
    }
    void OnHandled() { m_nHandled++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TipDialog, CCXDialog)
    ON_MESSAGE(WM_TEST_SHOWN, &TipDialog::OnShown)
    ON_COMMAND(2001, &TipDialog::OnHandled)
END_MESSAGE_MAP()

// Asks the dialog for the tip of a control as its tooltip does; the canary after the text
// buffer shows whether it was overrun.
struct TipAnswer {
    BOOL bHandled;
    CString text;
    bool bCanaryIntact;
};

TipAnswer AskWide(TipDialog& dlg, int nID)
{
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = dlg.m_toolTip.m_hWnd;
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(::GetDlgItem(dlg.m_hWnd, nID));
    info.hdr.code = TTN_GETDISPINFOW;
    info.uFlags = TTF_IDISHWND;
    info.hinst = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(0x5A5A5A5A));
    LRESULT lResult = dlg.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    TipAnswer answer;
    answer.bHandled = info.lpszText == info.szText;
    answer.text = info.lpszText == info.szText ? CString(info.szText) : CString();
    answer.bCanaryIntact = info.hinst == reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(0x5A5A5A5A));
    EXPECT_EQ(lResult, 0);
    return answer;
}

TipAnswer AskAnsi(TipDialog& dlg, int nID)
{
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = dlg.m_toolTip.m_hWnd;
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(::GetDlgItem(dlg.m_hWnd, nID));
    info.hdr.code = TTN_GETDISPINFOA;
    info.uFlags = TTF_IDISHWND;
    info.hinst = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(0x5A5A5A5A));
    dlg.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    TipAnswer answer;
    answer.bHandled = info.lpszText == info.szText;
    answer.text = info.lpszText == info.szText ? CString(info.szText) : CString();
    answer.bCanaryIntact = info.hinst == reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(0x5A5A5A5A));
    return answer;
}

TEST(CCXDialogTest, TheTipIsTheSecondPartOfTheControlsString)
{
    TipDialog dlg;
    TipAnswer wide, ansi, none, promptOnly;
    int nTools = 0;
    dlg.m_script = [&](TipDialog& d) {
        nTools = static_cast<int>(d.m_toolTip.SendMessage(TTM_GETTOOLCOUNT));
        wide = AskWide(d, 1001);
        ansi = AskAnsi(d, 1001);
        none = AskWide(d, 1002);
        promptOnly = AskWide(d, 1004);
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_GE(nTools, 5);  // every control is a tool
    EXPECT_TRUE(wide.bHandled);
    EXPECT_STREQ(wide.text, L"Start converting");
    EXPECT_TRUE(ansi.bHandled);
    EXPECT_STREQ(ansi.text, L"Start converting");
    EXPECT_FALSE(none.bHandled);  // no string: no tip
    EXPECT_TRUE(promptOnly.bHandled);
    EXPECT_STREQ(promptOnly.text, L"");  // a prompt alone gives an empty tip, which shows nothing
}

TEST(CCXDialogTest, ALongTipIsCutToTheBufferInBothForms)
{
    TipDialog dlg;
    TipAnswer wide, ansi;
    dlg.m_script = [&](TipDialog& d) {
        wide = AskWide(d, 1003);
        ansi = AskAnsi(d, 1003);
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(wide.bCanaryIntact);
    EXPECT_TRUE(ansi.bCanaryIntact);
    EXPECT_EQ(wide.text.GetLength(), 79);
    EXPECT_EQ(ansi.text.GetLength(), 79);
    EXPECT_STREQ(wide.text.Left(20), L"A tip of much more t");
    EXPECT_STREQ(ansi.text, wide.text);
}

TEST(CCXDialogTest, MenuCommandsWithoutAHandlerAreDisabled)
{
    TipDialog dlg;
    UINT nHandledState = 0, nUnhandledState = 0, nSysState = 0;
    dlg.m_script = [&](TipDialog& d) {
        HMENU hMenu = CreatePopupMenu();
        AppendMenuW(hMenu, MF_STRING, 2001, L"Handled");
        AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(hMenu, MF_STRING, 2002, L"Unhandled");
        AppendMenuW(hMenu, MF_STRING, SC_CLOSE, L"System range");
        d.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), MAKELPARAM(0, FALSE));
        nHandledState = GetMenuState(hMenu, 2001, MF_BYCOMMAND);
        nUnhandledState = GetMenuState(hMenu, 2002, MF_BYCOMMAND);
        nSysState = GetMenuState(hMenu, SC_CLOSE, MF_BYCOMMAND);
        DestroyMenu(hMenu);
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(nHandledState & MF_GRAYED);
    EXPECT_TRUE(nUnhandledState & MF_GRAYED);
    EXPECT_FALSE(nSysState & MF_GRAYED);  // 0xF000 and above are never disabled for lack of a handler
}

TEST(CCXDialogTest, CopyTipTextLeavesShortTextsWhole)
{
    NMTTDISPINFOA info = {};
    info.hdr.code = TTN_GETDISPINFOA;
    CCXDialog::CopyTipText(&info.hdr, L"Short");
    EXPECT_STREQ(info.szText, "Short");
    CCXDialog::CopyTipText(&info.hdr, L"");
    EXPECT_STREQ(info.szText, "");
}

// ---- Controls in a host window

class Host : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), L"Host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                    nullptr));
    }
    void TearDown() override { m_host.DestroyWindow(); }
    CWnd m_host;
};

TEST(SplitText, AtATabElseAtBackslashT)
{
    struct Case {
        const char* name;
        const wchar_t* text;
        BOOL split;
        const wchar_t* left;
        const wchar_t* right;
    } cases[] = {
        {"tab", L"MP4\tH.264 / AAC", TRUE, L"MP4", L"H.264 / AAC"},
        {"backslash and t", L"MKV\\tVP9", TRUE, L"MKV", L"VP9"},
        {"a tab wins over an earlier backslash and t", L"C:\\temp\t.ts", TRUE, L"C:\\temp", L".ts"},
        {"at the first tab only", L"a\tb\tc", TRUE, L"a", L"b\tc"},
        {"empty right part", L"MP3\t", TRUE, L"MP3", L""},
        {"none", L"Plain", FALSE, L"Plain", L""},
    };
    for (const Case& c : cases) {
        CString left = L"old", right = L"old";
        EXPECT_EQ(c.split, CSplitTextComboBox::SplitText(c.text, left, right)) << c.name;
        EXPECT_STREQ(c.left, left) << c.name;
        EXPECT_STREQ(c.right, right) << c.name;
    }
}

int CountInColumns(const DibCanvas& canvas, int x0, int x1, int cy, COLORREF cr)
{
    return canvas.Count(CRect(x0, 0, x1, cy), cr);
}

TEST_F(Host, TheSplitComboDrawsTheRightPartInItsColumn)
{
    CSplitTextComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             CRect(10, 10, 250, 200), &m_host, 500));
    combo.AddString(L"MP4 Video\tH.264");
    combo.AddString(L"Plain");
    combo.m_crRightText = RGB(0, 160, 0);  // a colour of its own, to find it
    combo.AddSeparator(0);

    const int cx = 240, cy = 20;
    DibCanvas canvas(cx, cy);
    canvas.m_dc.SelectObject(::GetStockObject(DEFAULT_GUI_FONT));
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_COMBOBOX;
    dis.itemID = 0;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.hwndItem = combo.m_hWnd;
    dis.hDC = canvas.m_dc.m_hDC;
    dis.rcItem = {0, 0, cx, cy};
    combo.DrawItem(&dis);

    const COLORREF crText = GetSysColor(COLOR_WINDOWTEXT);
    const int nRightColumn = cx - 3 - combo.m_nRightWidth;
    // The left part in the text colour on the left, the right part in its colour in the column.
    EXPECT_GT(CountInColumns(canvas, 0, nRightColumn, cy - 1, crText), 0);
    EXPECT_EQ(CountInColumns(canvas, nRightColumn, cx, cy - 1, crText), 0);
    EXPECT_GT(CountInColumns(canvas, nRightColumn, cx, cy - 1, RGB(0, 160, 0)), 0);
    EXPECT_EQ(CountInColumns(canvas, 0, nRightColumn, cy - 1, RGB(0, 160, 0)), 0);
    // The separator line along the bottom of item 0.
    EXPECT_EQ(canvas.Count(CRect(0, cy - 1, cx, cy), RGB(0xD8, 0xE0, 0xE8)), cx);

    // In the edit field with the hide flag the right part goes, and so does the separator.
    DibCanvas edit(cx, cy);
    edit.m_dc.SelectObject(::GetStockObject(DEFAULT_GUI_FONT));
    combo.m_bHideRightInEdit = TRUE;
    dis.hDC = edit.m_dc.m_hDC;
    dis.itemState = ODS_COMBOBOXEDIT;
    combo.DrawItem(&dis);
    EXPECT_EQ(edit.Count(RGB(0, 160, 0)), 0);
    EXPECT_EQ(edit.Count(CRect(0, cy - 1, cx, cy), RGB(0xD8, 0xE0, 0xE8)), 0);
    EXPECT_GT(edit.Count(crText), 0);
    combo.DestroyWindow();
}

// A state image list of three 12 x 12 images (0 unused, 1 unchecked, 2 checked).
void GiveStateImages(CListCtrl& list, CImageList& images)
{
    images.Create(12, 12, ILC_COLOR32, 3, 1);
    for (int i = 0; i < 3; i++) {
        HDC hScreen = GetDC(nullptr);
        HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, 12, 12);
        ReleaseDC(nullptr, hScreen);
        ImageList_Add(images.GetSafeHandle(), hBitmap, nullptr);
        DeleteObject(hBitmap);
    }
    list.SetImageList(&images, LVSIL_STATE);
}

// A click as the user makes it: the button goes down on the point and comes up again.
void ClickAt(CWnd& wnd, CPoint pt)
{
    wnd.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

// The point of a row's state icon, found by hit-testing along the row.
bool StateIconPoint(CListCtrl& list, int nItem, CPoint& pt)
{
    CRect rect;
    list.GetItemRect(nItem, &rect, LVIR_BOUNDS);
    for (int x = rect.left; x < rect.left + 40; x++) {
        LVHITTESTINFO hit = {};
        hit.pt = CPoint(x, (rect.top + rect.bottom) / 2);
        if (list.HitTest(&hit) == nItem && (hit.flags & LVHT_ONITEMSTATEICON)) {
            pt = hit.pt;
            return true;
        }
    }
    return false;
}

int CheckedCount(CCheckListCtrl& list)
{
    int n = 0;
    for (int i = 0; i < list.GetItemCount(); i++)
        n += list.IsItemChecked(i) ? 1 : 0;
    return n;
}

TEST_F(Host, TheCheckListKeepsOneCheckedRow)
{
    CCheckListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 300, 200), &m_host, 501));
    CImageList images;
    GiveStateImages(list, images);
    list.InsertColumn(0, L"Name", -1, LVCFMT_LEFT, 200);
    for (LPCWSTR name : {L"first", L"second", L"third"})
        list.CListCtrl::InsertItem(list.GetItemCount(), name);
    // New rows come unchecked.
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(list.GetItemState(i, LVIS_STATEIMAGEMASK) >> 12, 1u);
    EXPECT_EQ(list.GetCheckedItem(), -1);

    EXPECT_TRUE(list.SetCheckedItem(1));
    EXPECT_TRUE(list.SetCheckedItem(2));
    EXPECT_EQ(list.GetCheckedItem(), 2);
    EXPECT_EQ(CheckedCount(list), 1);

    // Clicks on the state icons of row 0, then row 1: one checked row, the last clicked.
    CPoint pt0, pt1;
    ASSERT_TRUE(StateIconPoint(list, 0, pt0));
    ASSERT_TRUE(StateIconPoint(list, 1, pt1));
    ClickAt(list, pt0);
    EXPECT_EQ(list.GetCheckedItem(), 0);
    EXPECT_EQ(CheckedCount(list), 1);
    ClickAt(list, pt1);
    EXPECT_EQ(list.GetCheckedItem(), 1);
    EXPECT_EQ(CheckedCount(list), 1);
    // A click on the checked row unchecks it.
    ClickAt(list, pt1);
    EXPECT_EQ(CheckedCount(list), 0);

    // Space toggles the first selected row.
    list.SelectItem(2, TRUE, TRUE);
    list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(list.GetCheckedItem(), 2);
    EXPECT_EQ(CheckedCount(list), 1);
    list.DestroyWindow();
}

TEST_F(Host, TheListHelpers)
{
    CCXListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &m_host, 502));
    EXPECT_EQ(list.InsertColumn(0, L"Name", -1, LVCFMT_LEFT, 120), 0);
    EXPECT_EQ(list.InsertColumn(1), 1);  // nothing but the index
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH | LVCF_FMT;
    ASSERT_TRUE(list.SendMessage(LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(column.cx, 120);
    for (int i = 0; i < 4; i++) {
        list.CListCtrl::InsertItem(i, L"row");
        list.SetItemData(i, 100 + i);
    }
    EXPECT_EQ(list.FindItemByData(102), 2);
    EXPECT_EQ(list.FindItemByData(0), -1);
    EXPECT_EQ(list.FindItemByData(999), -1);
    EXPECT_EQ(list.GetItemData(3), static_cast<DWORD_PTR>(103));

    EXPECT_EQ(list.GetFirstSelectedItem(), -1);
    list.SelectAllItems(TRUE);
    EXPECT_EQ(list.GetSelectedCount(), 4u);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 0);
    list.SelectItem(1, TRUE, TRUE);
    EXPECT_EQ(list.GetSelectedCount(), 1u);
    EXPECT_EQ(list.GetFirstSelectedItem(), 1);
    list.SelectItem(3, TRUE, FALSE);
    POSITION pos = list.GetFirstSelectedPosition();
    std::vector<int> selected;
    while (pos)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ(selected, (std::vector<int>{1, 3}));
    list.SelectAllItems(FALSE);
    EXPECT_EQ(list.GetSelectedCount(), 0u);
    list.DestroyWindow();
}

TEST_F(Host, TheHeaderTakesItsForcedHeight)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &m_host, 503));
    list.InsertColumn(0, L"Name");
    CCXHeaderCtrl header;
    ASSERT_TRUE(header.SubclassWindow(reinterpret_cast<HWND>(list.SendMessage(LVM_GETHEADER))));
    header.m_nForcedHeight = 37;
    RECT rc = {0, 0, 300, 200};
    WINDOWPOS wp = {};
    HDLAYOUT layout = {&rc, &wp};
    header.SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
    EXPECT_EQ(wp.cy, 37);
    EXPECT_EQ(rc.top, 37);
    header.UnsubclassWindow();
    list.DestroyWindow();
}

TEST_F(Host, TabTextTreeBoldStaticFixedAndHover)
{
    CCXTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 30), &m_host, 504));
    tabs.InsertItem(0, L"Convert");
    EXPECT_STREQ(tabs.GetItemText(0), L"Convert");
    EXPECT_STREQ(tabs.GetItemText(5), L"");

    CCXTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 40, 300, 100), &m_host, 505));
    HTREEITEM hItem = tree.InsertItem(L"Item");
    EXPECT_TRUE(tree.SetItemBold(hItem, TRUE));
    EXPECT_TRUE(tree.GetItemState(hItem, TVIS_BOLD) & TVIS_BOLD);
    tree.SetItemBold(hItem, FALSE);
    EXPECT_FALSE(tree.GetItemState(hItem, TVIS_BOLD) & TVIS_BOLD);

    // The static fills its background only when it has a colour.
    COwnerPaintStatic paint;
    ASSERT_TRUE(paint.Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &m_host, 506));
    DibCanvas canvas(20, 20);
    EXPECT_TRUE(paint.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.m_dc.m_hDC)));
    EXPECT_EQ(canvas.Count(kWhite), 400);
    paint.SetBkColor(RGB(10, 20, 30));
    paint.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.m_dc.m_hDC));
    EXPECT_EQ(canvas.Count(RGB(10, 20, 30)), 400);

    CFixedPosWnd fixed;
    fixed.SetFixedRect(5, 6, 70, 80);
    ASSERT_TRUE(fixed.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, m_host.m_hWnd, nullptr));
    fixed.MoveWindow(100, 100, 20, 20);
    CRect rect;
    fixed.GetWindowRect(&rect);
    m_host.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(5, 6, 75, 86));

    CHoverWnd hover;
    ASSERT_TRUE(hover.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE, 200, 200, 30, 30, m_host.m_hWnd, nullptr));
    hover.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(hover.m_bHot);
    hover.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(hover.m_bHot);
}

// ---- Gradient

TEST(GradientFillTest, FallbackStripesFollowTheFormula)
{
    DibCanvas canvas(100, 10);
    GradientFillStripes(canvas.m_dc, 0, 0, 100, 10, RGB(0, 0, 0), RGB(255, 255, 255), 1, 1, 1, 10);
    const int expected[] = {0, 25, 51, 76, 102, 127, 153, 178, 204, 229};
    for (int k = 0; k < 10; k++) {
        EXPECT_EQ(canvas.At(k * 10, 5), RGB(expected[k], expected[k], expected[k])) << "stripe " << k;
        EXPECT_EQ(canvas.At(k * 10 + 9, 0), RGB(expected[k], expected[k], expected[k])) << "stripe " << k;
    }
}

TEST(GradientFillTest, FallbackStripesDownwardsWithAScale)
{
    DibCanvas canvas(8, 40);
    // Red 200 -> 0 over 40 pixels in stripes of 8, at half scale.
    GradientFillStripes(canvas.m_dc, 0, 0, 8, 40, RGB(200, 0, 0), RGB(0, 0, 0), 2, 1, 2, 8);
    for (int k = 0; k < 5; k++) {
        int v = 200 + 1 * ((k * 8 * (0 - 200)) / 40) / 2;
        EXPECT_EQ(canvas.At(4, k * 8 + 3), RGB(v, 0, 0)) << "stripe " << k;
    }
    // A ragged last stripe stays inside the rectangle.
    DibCanvas ragged(25, 4);
    GradientFillStripes(ragged.m_dc, 0, 0, 23, 4, RGB(0, 0, 0), RGB(0, 0, 250), 1, 1, 1, 10);
    EXPECT_EQ(ragged.At(22, 1), RGB(0, 0, (20 * 250) / 23));
    EXPECT_EQ(ragged.At(23, 1), kWhite);
}

TEST(GradientFillTest, AnEmptyRectangleDrawsNothing)
{
    DibCanvas canvas(20, 20);
    for (bool bMissing : {true, false}) {
        SetGradientFillMissingForTests(bMissing);
        GradientFillRect(canvas.m_dc, 5, 5, 5, 15, RGB(0, 0, 0), RGB(255, 0, 0), 1, 1, 1, 2);
        GradientFillRect(canvas.m_dc, 5, 5, 15, 5, RGB(0, 0, 0), RGB(255, 0, 0), 2, 1, 1, 2);
        GradientFillRect(canvas.m_dc, 15, 5, 5, 15, RGB(0, 0, 0), RGB(255, 0, 0), 2, 1, 1, 2);
    }
    SetGradientFillMissingForTests(false);
    EXPECT_EQ(canvas.Count(kWhite), 400);
}

TEST(GradientFillTest, WithoutMsimg32TheRectangleGetsStripes)
{
    DibCanvas canvas(100, 10);
    SetGradientFillMissingForTests(true);
    GradientFillRect(canvas.m_dc, 0, 0, 100, 10, RGB(0, 0, 0), RGB(255, 255, 255), 1, 1, 1, 10);
    SetGradientFillMissingForTests(false);
    EXPECT_EQ(canvas.At(15, 5), RGB(25, 25, 25));
    EXPECT_EQ(canvas.At(25, 5), RGB(51, 51, 51));
}

TEST(GradientFillTest, TheBoundGradientRunsFromOneColourToTheOther)
{
    DibCanvas canvas(100, 10);
    GradientFillRect(canvas.m_dc, 0, 0, 100, 10, RGB(0, 0, 0), RGB(0, 0, 255), 1, 1, 1, 10);
    EXPECT_LT(GetBValue(canvas.At(0, 5)), 10);
    EXPECT_GT(GetBValue(canvas.At(99, 5)), 240);
    EXPECT_LT(GetBValue(canvas.At(30, 5)), GetBValue(canvas.At(70, 5)));
    EXPECT_EQ(GetRValue(canvas.At(50, 5)), 0);
}

// ---- Theme and folder picker

TEST(CThemeDataTest, ClosedDataDrawsNothing)
{
    CThemeData theme;
    EXPECT_FALSE(theme.IsOpen());
    RECT rc = {0, 0, 10, 10};
    DibCanvas canvas(10, 10);
    EXPECT_EQ(theme.DrawBackground(canvas.m_dc, 1, 1, &rc, nullptr), E_FAIL);
    theme.Close();
    EXPECT_FALSE(theme.IsOpen());
}

TEST(CFolderPickerTest, TheFlagsAlwaysHoldTheFolderBits)
{
    CFolderPicker picker(nullptr, L"Pick", L"C:\\", BIF_STATUSTEXT);
    EXPECT_EQ(picker.m_nFlags & 0xC1u, 0xC1u);
    EXPECT_TRUE(picker.m_nFlags & BIF_STATUSTEXT);
    EXPECT_STREQ(picker.m_strInitialFolder, L"C:\\");
}

}  // namespace
