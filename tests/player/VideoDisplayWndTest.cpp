// The display window on its own: the busy dots that run while the tool starts, and the zoom,
// volume and mute it takes from the settings and gives back when it goes.
#include "classlib/CWinApp.h"
#include "player/CPlayerSettings.h"
#include "player/playback/VideoDisplayWnd.h"
#include "tests/support/WindowHarness.h"
#include <gtest/gtest.h>

namespace {

class DisplayWindow : public testing::Test {
protected:
    void SetUp() override
    {
        g_playerSettings = CPlayerSettings();
        ASSERT_TRUE(m_parent.CreateParent(400, 300));
    }
    RecordingParent m_parent;
};

TEST_F(DisplayWindow, BusyDotsCycleWhileShownAndStopAtOnce)
{
    VideoDisplayWnd display;
    ASSERT_TRUE(display.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 320, 200), &m_parent, 200));
    EXPECT_EQ(2, display.m_busyImages.GetImageCount()) << "idle and lit dot";
    EXPECT_EQ(-1, display.m_nBusyIndex);
    display.OnShowBusy();
    EXPECT_EQ(0, display.m_nBusyIndex);
    int seen[4] = {};
    for (int& index : seen) {
        index = display.m_nBusyIndex;
        display.SendMessage(WM_TIMER, BUSY_TIMER_ID);
    }
    EXPECT_EQ(0, seen[0]);
    EXPECT_EQ(1, seen[1]);
    EXPECT_EQ(2, seen[2]);
    EXPECT_EQ(0, seen[3]);
    display.OnShowBusy();
    EXPECT_EQ(1, display.m_nBusyIndex) << "a second start changes nothing";
    display.OnHideBusy();
    EXPECT_EQ(-1, display.m_nBusyIndex);
    EXPECT_EQ(0, display.m_bBusyTimer);
    display.SendMessage(WM_TIMER, 7);  // another timer is not the dots'
    EXPECT_EQ(-1, display.m_nBusyIndex);
}

TEST_F(DisplayWindow, CarriesZoomVolumeAndMuteThroughTheSettings)
{
    g_playerSettings.m_nZoomRatio = 50;
    g_playerSettings.m_nVolume = 35;
    g_playerSettings.m_bMute = 1;
    {
        VideoDisplayWnd display;
        EXPECT_EQ(50, display.GetZoomRatio());
        ASSERT_TRUE(display.Create(WS_CHILD, CRect(0, 0, 320, 200), &m_parent, 200));
        EXPECT_EQ(35, display.GetVolume());
        EXPECT_EQ(1, display.GetMute());
        display.SetZoomRatio(200);
        display.SetVolume(80);
        display.SetMute(0);
        display.DestroyWindow();
    }
    EXPECT_EQ(200, g_playerSettings.m_nZoomRatio);
    EXPECT_EQ(80, g_playerSettings.m_nVolume);
    EXPECT_EQ(0, g_playerSettings.m_bMute);
}

}  // namespace
