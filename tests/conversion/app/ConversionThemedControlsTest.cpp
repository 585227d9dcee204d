// The self-drawing controls: check boxes and radio buttons that keep their own state (and
// answer BM_GETCHECK as plain ones do), the tool bar that paints its own background and the
// header that paints its items.
#include "classlib/Afx.h"
#include "conversion/app/controls/CThemedControls.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

class HostWindow : public CWnd {
public:
    HostWindow()
    {
        CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), L"Themed controls",
                 WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 400, 300, nullptr, nullptr);
    }
    ~HostWindow() override { DestroyWindow(); }
};

// A button made as a dialog makes it, then taken over by the class.
std::unique_ptr<CThemedButton> MakeButton(CWnd& host, LPCWSTR text, DWORD style, int id, int y)
{
    HWND hButton = ::CreateWindowExW(0, L"Button", text, WS_CHILD | WS_VISIBLE | style, 10, y, 200, 20, host.m_hWnd,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    auto pButton = std::make_unique<CThemedButton>();
    pButton->SubclassWindow(hButton);
    return pButton;
}

void ClickButton(CWnd& host, CWnd& button)
{
    host.SendMessage(WM_COMMAND, MAKEWPARAM(button.GetDlgCtrlID(), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button.m_hWnd));
}

TEST(ThemedButton, ChecksFollowClicksAndOneRadioOfAGroupIsOn)
{
    HostWindow host;
    auto check = MakeButton(host, L"Same quality", BS_AUTOCHECKBOX | WS_GROUP, 10, 10);
    auto radioA = MakeButton(host, L"A", BS_AUTORADIOBUTTON | WS_GROUP, 11, 40);
    auto radioB = MakeButton(host, L"B", BS_AUTORADIOBUTTON, 12, 60);
    auto radioC = MakeButton(host, L"C", BS_AUTORADIOBUTTON, 13, 80);
    auto push = MakeButton(host, L"Start", BS_PUSHBUTTON | WS_GROUP, 14, 110);
    EXPECT_EQ(CThemedButton::CheckBox, check->m_kind);
    EXPECT_EQ(CThemedButton::RadioButton, radioB->m_kind);
    EXPECT_EQ(CThemedButton::PushButton, push->m_kind);
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), check->GetStyle() & BS_TYPEMASK);

    ClickButton(host, *check);
    EXPECT_EQ(BST_CHECKED, check->GetCheck());
    ClickButton(host, *check);
    EXPECT_EQ(BST_UNCHECKED, check->GetCheck());

    radioA->SetCheck(BST_CHECKED);
    ClickButton(host, *radioC);
    EXPECT_EQ(BST_UNCHECKED, radioA->GetCheck());
    EXPECT_EQ(BST_UNCHECKED, radioB->GetCheck());
    EXPECT_EQ(BST_CHECKED, radioC->GetCheck());
    // The check box of the group before stays as it was.
    check->SetCheck(BST_CHECKED);
    ClickButton(host, *radioB);
    EXPECT_EQ(BST_CHECKED, check->GetCheck());
    EXPECT_EQ(BST_UNCHECKED, radioC->GetCheck());
    EXPECT_EQ(BST_CHECKED, radioB->GetCheck());

    // Drawn on screen without a fault, checked and not.
    host.ShowWindow(SW_SHOWNOACTIVATE);
    for (auto* p : {check.get(), radioB.get(), push.get()})
        p->RedrawWindow();
}

TEST(ThemedToolBar, PaintsItsBackgroundAndSkipsTheDefault)
{
    HostWindow host;
    CThemedToolBarCtrl bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | CCS_NORESIZE, CRect(0, 0, 300, 30), &host, 20));
    HDC hDC = ::GetDC(bar.m_hWnd);
    NMCUSTOMDRAW draw = {};
    draw.hdr.hwndFrom = bar.m_hWnd;
    draw.hdr.idFrom = 20;
    draw.hdr.code = NM_CUSTOMDRAW;
    draw.hdc = hDC;
    struct Case {
        DWORD stage;
        LRESULT result;
    };
    for (const Case& c : {Case{CDDS_PREERASE, CDRF_SKIPDEFAULT}, Case{CDDS_PREPAINT, CDRF_DODEFAULT}}) {
        draw.dwDrawStage = c.stage;
        EXPECT_EQ(c.result, host.SendMessage(WM_NOTIFY, 20, reinterpret_cast<LPARAM>(&draw))) << c.stage;
    }
    ::ReleaseDC(bar.m_hWnd, hDC);
}

TEST(ThemedHeader, PressedItemIsTheOneUnderTheMouse)
{
    HostWindow host;
    CThemedHeaderCtrl header;
    ASSERT_TRUE(header.Create(WS_CHILD | WS_VISIBLE | HDS_BUTTONS, CRect(0, 0, 300, 24), &host, 30));
    for (LPCWSTR name : {L"Name", L"Profile"}) {
        HDITEMW item = {};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = const_cast<LPWSTR>(name);
        item.cxy = 120;
        item.fmt = HDF_LEFT | HDF_STRING;
        header.InsertItem(header.GetItemCount(), &item);
    }
    host.ShowWindow(SW_SHOWNOACTIVATE);
    header.RedrawWindow();
    header.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 10));
    EXPECT_EQ(1, header.m_pressed);
    header.RedrawWindow();
    header.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(150, 10));
    EXPECT_EQ(-1, header.m_pressed);
}

}  // namespace
