// The play view with the real ClipRunner.exe on a clip made here: it makes the display window
// as its hidden child, keeps it over its client area and shows it only while it plays.
#include "classlib/CWinApp.h"
#include "mediatools/MediaToolLocation.h"
#include "player/windows/CMediaPlayView.h"
#include "player/CPlayerSettings.h"
#include "tests/support/ClipRunnerHarness.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <string>

using namespace runnertest;

namespace {

// "left,top,right,bottom" of the window in its parent's client area.
std::string RectInParent(HWND hWnd)
{
    RECT rect;
    ::GetWindowRect(hWnd, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<POINT*>(&rect), 2);
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

TEST(MediaPlayView, KeepsTheDisplayWindowOverItsClientAreaAndShowsItWhilePlaying)
{
    TempFolder folder;
    std::wstring clip = folder / L"clip.mp4";
    ASSERT_TRUE(tooltest::MakeMedia(
        clip, L"-f lavfi -i testsrc=duration=2:size=320x240:rate=25 -c:v libx264 -pix_fmt yuv420p -f mp4"));
    g_playerSettings = CPlayerSettings();
    CString savedPath = ClipRunnerPath;
    ClipRunnerPath = tooltest::ToolPath(L"ClipRunner.exe").c_str();

    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), L"frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 640, 480),
                               nullptr, 0));
    CMediaPlayView* pView = new CMediaPlayView;  // deletes itself with its window
    ASSERT_TRUE(pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &frame, 1, nullptr));
    CItemVideoWnd& video = pView->m_videoWnd;
    ASSERT_TRUE(video.m_hWnd);
    EXPECT_EQ(VIDEO_WINDOW_ID, static_cast<UINT>(::GetDlgCtrlID(video.m_hWnd)));
    EXPECT_EQ(pView->m_hWnd, ::GetParent(video.m_hWnd));
    EXPECT_FALSE(video.IsWindowVisible()) << "nothing to show yet";

    pView->MoveWindow(0, 0, 400, 300);
    EXPECT_EQ("0,0,400,300", RectInParent(video.m_hWnd));
    EXPECT_FALSE(video.IsWindowVisible());

    ASSERT_EQ(0, video.OpenFile(clip.c_str()));
    ASSERT_TRUE(PumpUntil([&] { return video.IsPlaying(); }, 60000));
    pView->MoveWindow(0, 0, 500, 350);
    EXPECT_EQ("0,0,500,350", RectInParent(video.m_hWnd));
    EXPECT_TRUE(video.IsWindowVisible());
    video.Stop();

    frame.DestroyWindow();
    ClipRunnerPath = savedPath;
}

}  // namespace
