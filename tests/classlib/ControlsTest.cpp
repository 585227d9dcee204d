// The control wrappers: each makes its control class and is attached to it, and the wrappers
// that do more than forward a message (texts of any length, selection walks, tool records)
// answer as the control does. Also the CWnd members that take fonts and menus.
#include "classlib/Afx.h"
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

class ControlsTest : public ::testing::Test {
protected:
    ControlsTest()
    {
        m_parent.CreateEx(0, nullptr, L"Parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr);
    }
    ~ControlsTest() override { m_parent.DestroyWindow(); }

    CWnd m_parent;
    const CRect m_rect{0, 0, 200, 100};
};

CString ClassOf(HWND hWnd)
{
    wchar_t name[64] = {};
    GetClassNameW(hWnd, name, 64);
    return name;
}

TEST_F(ControlsTest, EachWrapperMakesItsControlAndIsAttachedToIt)
{
    const DWORD child = WS_CHILD | WS_VISIBLE;
    struct Case {
        const char* name;
        const wchar_t* className;
        std::function<CWnd*(CWnd& parent, const CRect& rect)> make;
    } cases[] = {
        {"button", L"Button", [&](CWnd& p, const CRect& r) { auto w = new CButton; w->Create(L"Go", child, r, &p, 10); return w; }},
        {"static", L"Static", [&](CWnd& p, const CRect& r) { auto w = new CStatic; w->Create(L"Text", child, r, &p, 10); return w; }},
        {"edit", L"Edit", [&](CWnd& p, const CRect& r) { auto w = new CEdit; w->Create(child, r, &p, 10); return w; }},
        {"list box", L"ListBox", [&](CWnd& p, const CRect& r) { auto w = new CListBox; w->Create(child, r, &p, 10); return w; }},
        {"combo box", L"ComboBox", [&](CWnd& p, const CRect& r) { auto w = new CComboBox; w->Create(child | CBS_DROPDOWN, r, &p, 10); return w; }},
        {"scroll bar", L"ScrollBar", [&](CWnd& p, const CRect& r) { auto w = new CScrollBar; w->Create(child, r, &p, 10); return w; }},
        {"slider", TRACKBAR_CLASSW, [&](CWnd& p, const CRect& r) { auto w = new CSliderCtrl; w->Create(child, r, &p, 10); return w; }},
        {"progress", PROGRESS_CLASSW, [&](CWnd& p, const CRect& r) { auto w = new CProgressCtrl; w->Create(child, r, &p, 10); return w; }},
        {"tab", WC_TABCONTROLW, [&](CWnd& p, const CRect& r) { auto w = new CTabCtrl; w->Create(child, r, &p, 10); return w; }},
        {"header", WC_HEADERW, [&](CWnd& p, const CRect& r) { auto w = new CHeaderCtrl; w->Create(child, r, &p, 10); return w; }},
        {"tool bar", TOOLBARCLASSNAMEW, [&](CWnd& p, const CRect& r) { auto w = new CToolBarCtrl; w->Create(child, r, &p, 10); return w; }},
        {"status bar", STATUSCLASSNAMEW, [&](CWnd& p, const CRect& r) { auto w = new CStatusBarCtrl; w->Create(child, r, &p, 10); return w; }},
        {"extended combo", WC_COMBOBOXEXW, [&](CWnd& p, const CRect& r) { auto w = new CComboBoxEx; w->Create(child | CBS_DROPDOWN, r, &p, 10); return w; }},
        {"list view", WC_LISTVIEWW, [&](CWnd& p, const CRect& r) { auto w = new CListCtrl; w->Create(child, r, &p, 10); return w; }},
        {"tree view", WC_TREEVIEWW, [&](CWnd& p, const CRect& r) { auto w = new CTreeCtrl; w->Create(child, r, &p, 10); return w; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CWnd> control(c.make(m_parent, m_rect));
        ASSERT_NE(nullptr, control->m_hWnd);
        EXPECT_EQ(0, lstrcmpiW(c.className, ClassOf(control->m_hWnd)));
        EXPECT_EQ(10, control->GetDlgCtrlID());
        EXPECT_EQ(control.get(), CWnd::FromHandlePermanent(control->m_hWnd));
        control->DestroyWindow();
        EXPECT_EQ(nullptr, control->m_hWnd);
    }

    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&m_parent));
    EXPECT_EQ(0, lstrcmpiW(TOOLTIPS_CLASSW, ClassOf(tip.m_hWnd)));
    EXPECT_EQ(m_parent.m_hWnd, ::GetWindow(tip.m_hWnd, GW_OWNER));
}

TEST_F(ControlsTest, ListControlTextsDataAndSelection)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, m_rect, &m_parent, 1));
    list.SetExtendedStyle(LVS_EX_CHECKBOXES);
    EXPECT_EQ(0, list.InsertColumn(0, L"Name", LVCFMT_LEFT, 100));
    EXPECT_EQ(1, list.InsertColumn(1, L"Size", LVCFMT_RIGHT, 60));
    EXPECT_EQ(60, list.GetColumnWidth(1));

    CString longText;
    for (int i = 0; i < 30; ++i)
        longText += L"0123456789";  // longer than the first buffer tried
    for (int i = 0; i < 4; ++i) {
        CString text;
        text.Format(L"item %d", i);
        EXPECT_EQ(i, list.InsertItem(i, i == 2 ? longText : text));
        list.SetItemData(i, 100 + i);
    }
    EXPECT_TRUE(list.SetItemText(1, 1, L"12 KB"));
    EXPECT_STREQ(longText, list.GetItemText(2, 0));
    EXPECT_STREQ(L"12 KB", list.GetItemText(1, 1));
    EXPECT_STREQ(L"", list.GetItemText(9, 0));
    EXPECT_EQ(103u, list.GetItemData(3));

    EXPECT_EQ(nullptr, list.GetFirstSelectedItemPosition());
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(2u, list.GetSelectedCount());
    std::vector<int> selected;
    for (POSITION pos = list.GetFirstSelectedItemPosition(); pos;)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ((std::vector<int>{1, 3}), selected);
    list.SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(0u, list.GetSelectedCount());

    EXPECT_FALSE(list.GetCheck(0));
    list.SetCheck(0);
    EXPECT_TRUE(list.GetCheck(0));
}

TEST_F(ControlsTest, TreeControlItemsAndTheirAttributes)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES, m_rect, &m_parent, 1));
    CString longText;
    for (int i = 0; i < 30; ++i)
        longText += L"abcdefghij";
    HTREEITEM hRoot = tree.InsertItem(L"Root");
    HTREEITEM hFirst = tree.InsertItem(longText, 1, 2, hRoot);
    HTREEITEM hSecond = tree.InsertItem(L"Second", hRoot);
    ASSERT_TRUE(hRoot && hFirst && hSecond);
    EXPECT_EQ(3u, tree.GetCount());
    EXPECT_EQ(hRoot, tree.GetRootItem());
    EXPECT_EQ(hFirst, tree.GetChildItem(hRoot));
    EXPECT_EQ(hSecond, tree.GetNextSiblingItem(hFirst));
    EXPECT_EQ(nullptr, tree.GetNextSiblingItem(hSecond));
    EXPECT_EQ(hRoot, tree.GetParentItem(hSecond));
    EXPECT_TRUE(tree.ItemHasChildren(hRoot));
    EXPECT_FALSE(tree.ItemHasChildren(hSecond));

    EXPECT_STREQ(longText, tree.GetItemText(hFirst));
    EXPECT_TRUE(tree.SetItemText(hSecond, L"Renamed"));
    EXPECT_STREQ(L"Renamed", tree.GetItemText(hSecond));
    tree.SetItemData(hSecond, 42);
    EXPECT_EQ(42u, tree.GetItemData(hSecond));
    int nImage = 0;
    int nSelected = 0;
    ASSERT_TRUE(tree.GetItemImage(hFirst, nImage, nSelected));
    EXPECT_EQ(1, nImage);
    EXPECT_EQ(2, nSelected);

    EXPECT_TRUE(tree.Expand(hRoot, TVE_EXPAND));
    EXPECT_TRUE(tree.SelectItem(hSecond));
    EXPECT_EQ(hSecond, tree.GetSelectedItem());
    CRect rect;
    EXPECT_TRUE(tree.GetItemRect(hSecond, rect, TRUE));
    EXPECT_EQ(hSecond, tree.HitTest(rect.CenterPoint()));
    EXPECT_TRUE(tree.DeleteItem(hFirst));
    EXPECT_EQ(2u, tree.GetCount());
}

TEST_F(ControlsTest, ListAndComboTextsOfGoodAndBadIndexes)
{
    CListBox listBox;
    ASSERT_TRUE(listBox.Create(WS_CHILD | LBS_HASSTRINGS, m_rect, &m_parent, 1));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST | CBS_HASSTRINGS, m_rect, &m_parent, 2));
    listBox.AddString(L"one");
    listBox.AddString(L"two");
    combo.AddString(L"alpha");
    combo.AddString(L"beta");

    CString text = L"stale";
    listBox.GetText(1, text);
    EXPECT_STREQ(L"two", text);
    listBox.GetText(5, text);
    EXPECT_STREQ(L"", text);
    combo.GetLBText(0, text);
    EXPECT_STREQ(L"alpha", text);
    combo.GetLBText(-1, text);
    EXPECT_STREQ(L"", text);
    EXPECT_EQ(1, combo.SelectString(-1, L"be"));
    EXPECT_EQ(1, combo.GetCurSel());
}

TEST_F(ControlsTest, BarsTabsAndTips)
{
    CStatusBarCtrl status;
    ASSERT_TRUE(status.Create(WS_CHILD | WS_VISIBLE, m_rect, &m_parent, 1));
    const int widths[] = {100, -1};
    EXPECT_TRUE(status.SetParts(2, widths));
    EXPECT_TRUE(status.SetText(L"Ready", 1, SBT_NOBORDERS));
    int nType = 0;
    EXPECT_STREQ(L"Ready", status.GetText(1, &nType));
    EXPECT_EQ(SBT_NOBORDERS, nType);

    CToolBarCtrl bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, m_rect, &m_parent, 2));
    TBBUTTON buttons[2] = {};
    buttons[0] = {0, 101, TBSTATE_ENABLED, BTNS_BUTTON};
    buttons[1] = {1, 102, TBSTATE_ENABLED, BTNS_CHECK};
    EXPECT_TRUE(bar.AddButtons(2, buttons));
    EXPECT_EQ(1, bar.CommandToIndex(102));
    bar.EnableButton(101, FALSE);
    EXPECT_FALSE(bar.IsButtonEnabled(101));
    bar.CheckButton(102);
    EXPECT_TRUE(bar.IsButtonChecked(102));

    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, m_rect, &m_parent, 3));
    EXPECT_EQ(0, tabs.InsertItem(0, L"First"));
    EXPECT_EQ(1, tabs.InsertItem(1, L"Second"));
    EXPECT_EQ(0, tabs.SetCurSel(1)) << "the previous selection";
    EXPECT_EQ(1, tabs.GetCurSel());

    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&m_parent));
    CButton button;
    button.Create(L"Go", WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 20), &m_parent, 4);
    EXPECT_TRUE(tip.AddTool(&button, L"Starts it"));
    CRect area(50, 50, 80, 80);
    EXPECT_TRUE(tip.AddTool(&m_parent, L"An area", area, 7));
    EXPECT_EQ(2, tip.GetToolCount());
    TTTOOLINFOW info;
    EXPECT_TRUE(tip.GetToolInfo(&info, &m_parent, 7));
    EXPECT_EQ(area, CRect(info.rect));
    tip.DelTool(&button);
    EXPECT_EQ(1, tip.GetToolCount());
    EXPECT_FALSE(tip.GetToolInfo(&info, &button));
}

TEST_F(ControlsTest, SliderProgressAndExtendedCombo)
{
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD, m_rect, &m_parent, 1));
    slider.SetRange(10, 50);
    slider.SetPos(80);
    EXPECT_EQ(50, slider.GetPos()) << "kept in the range";

    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD, m_rect, &m_parent, 2));
    progress.SetRange32(0, 1000);
    progress.SetPos(300);
    EXPECT_EQ(300, progress.SetPos(600)) << "the previous position";
    int nLower = -1;
    int nUpper = -1;
    progress.GetRange(nLower, nUpper);
    EXPECT_EQ(1000, nUpper);

    CComboBoxEx combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 200, 200), &m_parent, 3));
    COMBOBOXEXITEMW item = {};
    item.mask = CBEIF_TEXT;
    item.iItem = 0;
    item.pszText = const_cast<LPWSTR>(L"C:\\");
    EXPECT_EQ(0, combo.InsertItem(&item));
    wchar_t text[16] = {};
    COMBOBOXEXITEMW read = {};
    read.mask = CBEIF_TEXT;
    read.pszText = text;
    read.cchTextMax = 16;
    EXPECT_TRUE(combo.GetItem(&read));
    EXPECT_STREQ(L"C:\\", text);
    EXPECT_EQ(0, combo.DeleteItem(0)) << "the items left";
}

TEST_F(ControlsTest, ExtendedComboHandsOutItsComboAndEditControls)
{
    struct Case {
        const char* name;
        DWORD dwStyle;
        bool bHasEdit;
    } cases[] = {
        {"drop-down: an edit field", CBS_DROPDOWN, true},
        {"drop-down list: none", CBS_DROPDOWNLIST, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CComboBoxEx combo;
        ASSERT_TRUE(combo.Create(WS_CHILD | c.dwStyle, CRect(0, 0, 200, 200), &m_parent, 3));
        CComboBox* pCombo = combo.GetComboBoxCtrl();
        ASSERT_NE(nullptr, pCombo);
        EXPECT_TRUE(pCombo->IsKindOf(RUNTIME_CLASS(CComboBox)));
        EXPECT_EQ(0, lstrcmpiW(L"ComboBox", ClassOf(pCombo->m_hWnd)));
        CEdit* pEdit = combo.GetEditCtrl();
        EXPECT_EQ(c.bHasEdit, pEdit != nullptr);
        if (pEdit) {
            EXPECT_EQ(0, lstrcmpiW(L"Edit", ClassOf(pEdit->m_hWnd)));
            pEdit->SetLimitText(7);
            EXPECT_EQ(7u, pEdit->GetLimitText());
        }
        combo.DestroyWindow();
    }
}

// Owner-drawn controls that count what their parent's WM_MEASUREITEM and WM_DRAWITEM ask of
// them; nothing in their message maps.
class CDrawnButton : public CButton {
public:
    int m_nDraws = 0;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        if (lpDrawItemStruct->hwndItem == m_hWnd)
            ++m_nDraws;
    }
};

class CDrawnCombo : public CComboBox {
public:
    int m_nDraws = 0;
    int m_nMeasures = 0;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        if (lpDrawItemStruct->hwndItem == m_hWnd)
            ++m_nDraws;
    }
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override
    {
        ++m_nMeasures;
        lpMeasureItemStruct->itemHeight = 21;
    }
};

TEST_F(ControlsTest, OwnerDrawnControlsMeasureAndDrawThemselves)
{
    CDrawnButton button;
    ASSERT_TRUE(button.Create(L"Drawn", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 80, 30), &m_parent, 1));
    button.RedrawWindow();
    EXPECT_GE(button.m_nDraws, 1);

    CDrawnCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS,
                             CRect(0, 40, 150, 200), &m_parent, 2));
    int nMeasuresAtCreation = combo.m_nMeasures;
    EXPECT_GE(nMeasuresAtCreation, 1) << "the selection field";
    combo.AddString(L"one");
    EXPECT_EQ(nMeasuresAtCreation + 1, combo.m_nMeasures) << "each item of a variable height";
    EXPECT_EQ(21, combo.GetItemHeight(0));
    combo.SetCurSel(0);
    combo.RedrawWindow();
    EXPECT_GE(combo.m_nDraws, 1);
}

TEST_F(ControlsTest, WindowFontsAndMenusThroughTheirWrappers)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD, m_rect, &m_parent, 1));
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, L"Tahoma"));
    edit.SetFont(&font);
    ASSERT_NE(nullptr, edit.GetFont());
    EXPECT_EQ(font.m_hObject, edit.GetFont()->m_hObject);
    edit.SetFont(nullptr);
    EXPECT_NE(font.m_hObject, edit.GetFont() ? edit.GetFont()->m_hObject : nullptr);

    CMenu menu;
    menu.CreateMenu();
    menu.AppendMenu(MF_STRING, 100, L"&File");
    ASSERT_TRUE(m_parent.SetMenu(&menu));
    EXPECT_EQ(menu.m_hMenu, m_parent.GetMenu()->m_hMenu);
    EXPECT_TRUE(m_parent.SetMenu(nullptr));
    EXPECT_EQ(nullptr, m_parent.GetMenu());
    EXPECT_NE(nullptr, m_parent.GetSystemMenu(FALSE));
}

TEST_F(ControlsTest, DataExchangeAttachesAControlOnce)
{
    HWND hEdit = CreateWindowExW(0, L"Edit", L"", WS_CHILD, 0, 0, 50, 20, m_parent.m_hWnd,
                                 reinterpret_cast<HMENU>(5), nullptr, nullptr);
    CEdit edit;
    CDataExchange load(&m_parent, FALSE);
    DDX_Control(&load, 5, edit);
    EXPECT_EQ(hEdit, edit.m_hWnd);
    EXPECT_EQ(&edit, CWnd::FromHandlePermanent(hEdit));
    DDX_Control(&load, 5, edit);  // once attached, nothing more
    EXPECT_EQ(&edit, CWnd::FromHandlePermanent(hEdit));

    // A second object for the same control, or a missing control, stops the exchange.
    CEdit other;
    EXPECT_THROW(DDX_Control(&load, 5, other), CUserException);
    EXPECT_THROW(DDX_Control(&load, 6, other), CUserException);
    EXPECT_EQ(nullptr, other.m_hWnd);
}

}  // namespace
