// CAppMainWnd_VMB: the drawn menu bar takes the native menu's place, lies along the
// top at its height and gets the frame's menu messages.
#include "framework/dialogs/CAppMainWnd_VMB.h"
#include "tests/support/WindowHarness.h"
#include <gtest/gtest.h>

namespace {

class CTestFrame : public CAppMainWnd_VMB {
public:
    // The menu bar's id is ID_VIEW_TOOLBAR: the frame maps it itself.
    void OnViewToolbar() { ++m_nToolbarCommands; }
    int m_nToolbarCommands = 0;
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestFrame, CAppMainWnd_VMB)
    ON_COMMAND(ID_VIEW_TOOLBAR, &CTestFrame::OnViewToolbar)
END_MESSAGE_MAP()

class VmbTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"VMB", WS_OVERLAPPEDWINDOW, CRect(20, 20, 520, 320), nullptr,
                                     MAKEINTRESOURCEW(200)));
        m_pFrame->ShowWindow(SW_SHOW);
        m_pFrame->RecalcLayout();
    }
    void TearDown() override
    {
        if (::IsWindow(m_hFrame()))
            m_pFrame->DestroyWindow();
        PumpMessages();
    }
    HWND m_hFrame() const { return m_pFrame->m_hWnd; }
    CTestFrame* m_pFrame = nullptr;
};

TEST_F(VmbTest, TheMenuBarReplacesTheNativeMenu)
{
    EXPECT_EQ(nullptr, ::GetMenu(m_hFrame()));
    CAppMenuBar& bar = m_pFrame->GetMenuBar();
    ASSERT_TRUE(::IsWindow(bar.m_hWnd));
    EXPECT_EQ(0xE800, bar.GetDlgCtrlID());
    EXPECT_EQ(m_hFrame(), ::GetParent(bar.m_hWnd));
    EXPECT_EQ(3, bar.GetTitleCount());
    EXPECT_NE(nullptr, bar.GetMenu());
    EXPECT_EQ(21, m_pFrame->m_nMenuBarHeight);
    CRect rect;
    bar.GetWindowRect(&rect);
    m_pFrame->ScreenToClient(&rect);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(21, rect.Height());
    CRect client;
    m_pFrame->GetClientRect(&client);
    EXPECT_EQ(client.Width(), rect.Width());
}

TEST_F(VmbTest, MenuCharAndAloneAltGoToTheBar)
{
    LRESULT r = ::SendMessageW(m_hFrame(), WM_MENUCHAR, MAKEWPARAM(L'v', MF_SYSMENU), 0);
    EXPECT_EQ(0x10000, r);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, m_pFrame->GetMenuBar().m_hWnd, WM_MENUBAR_OPENPOPUP, WM_MENUBAR_OPENPOPUP, PM_REMOVE));
    EXPECT_EQ(1u, msg.wParam);
    EXPECT_EQ(0x10001, msg.lParam);
    ::SendMessageW(m_hFrame(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_TRUE(m_pFrame->GetMenuBar().IsNavigating());
    EXPECT_EQ(0, m_pFrame->GetMenuBar().GetHotTitle());
    m_pFrame->GetMenuBar().SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(m_pFrame->GetMenuBar().IsNavigating());
}

TEST_F(VmbTest, TheFrameMapsTheMenuBarsIdItself)
{
    ::SendMessageW(m_hFrame(), WM_COMMAND, ID_VIEW_TOOLBAR, 0);
    EXPECT_EQ(1, m_pFrame->m_nToolbarCommands);
    EXPECT_TRUE(m_pFrame->GetMenuBar().GetStyle() & WS_VISIBLE);  // not toggled away
}

}  // namespace
