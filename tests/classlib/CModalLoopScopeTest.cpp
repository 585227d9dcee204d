// A window whose close waits for the modal loops of its thread: a close that comes under two
// nested message boxes closes the boxes, and the window only once both have returned, so that
// the code below each box still finds it.
#include "classlib/Afx.h"
#include "classlib/AfxModal.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "tests/support/TestWait.h"

namespace {

const UINT_PTR kOpenInnerBox = 1;
const UINT_PTR kCloseUnderBoxes = 2;

// Shows an outer box; under it, from a timer, an inner box; under that, a posted WM_CLOSE.
class CBoxedWnd : public CWnd {
public:
    std::vector<std::string> events;
    bool bAliveAfterInner = false;
    bool bAliveAfterOuter = false;

    void ShowOuterBox()
    {
        SetTimer(kOpenInnerBox, 10, nullptr);
        MessageBox(L"outer");
        bAliveAfterOuter = ::IsWindow(m_hWnd) != FALSE;
        events.push_back("outer returned");
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == kOpenInnerBox) {
            KillTimer(kOpenInnerBox);
            SetTimer(kCloseUnderBoxes, 10, nullptr);
            MessageBox(L"inner");
            bAliveAfterInner = ::IsWindow(m_hWnd) != FALSE;
            events.push_back("inner returned");
            return 0;
        }
        if (message == WM_TIMER && wParam == kCloseUnderBoxes) {
            KillTimer(kCloseUnderBoxes);
            PostMessage(WM_CLOSE);
            return 0;
        }
        if (message == WM_CLOSE) {
            if (AfxDeferCloseWhileModal(m_hWnd)) {
                events.push_back("close put off");
                return 0;
            }
            events.push_back("closed");
            DestroyWindow();
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(CModalLoopScope, ACloseUnderNestedBoxesWaitsUntilBothHaveReturned)
{
    CBoxedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"Boxed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    wnd.ShowOuterBox();
    EXPECT_TRUE(wnd.bAliveAfterInner);
    EXPECT_TRUE(wnd.bAliveAfterOuter);
    ASSERT_TRUE(PumpUntil([&] { return wnd.m_hWnd == nullptr; }, kTestWaitMs)) << "the window closes at last";
    ASSERT_FALSE(wnd.events.empty());
    EXPECT_EQ("close put off", wnd.events.front());
    // Both boxes take input (each is owned by the window), so one request may close both.
    std::vector<std::string> ends;
    for (const std::string& event : wnd.events) {
        if (event != "close put off")
            ends.push_back(event);
    }
    std::vector<std::string> expected = {"inner returned", "outer returned", "closed"};
    EXPECT_EQ(expected, ends);
}

TEST(CModalLoopScope, WithoutABoxNothingIsPutOff)
{
    EXPECT_FALSE(AfxDeferCloseWhileModal(nullptr));
}

}  // namespace
