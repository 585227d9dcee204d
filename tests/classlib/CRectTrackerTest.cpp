// CRectTracker: a rubber band tracked from mouse and key messages posted to a window, with the
// drawing calls it makes and an override that moves the band while it is tracked.
#include "classlib/Afx.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

struct DrawCall {
    CRect rect;
    bool bErase;
};

// Records the calls instead of drawing; moves the band up by nShiftOnce at its first draw, as
// a list that scrolls under the band does.
class RecordingTracker : public CRectTracker {
public:
    std::vector<DrawCall> m_calls;
    int m_nShiftOnce = 0;

    void DrawTrackerRect(LPCRECT lpRect, CWnd*, CDC*, CWnd*) override
    {
        m_calls.push_back({CRect(lpRect), m_bErase != FALSE});
        if (!m_bErase && m_nShiftOnce) {
            m_rect.OffsetRect(0, -m_nShiftOnce);
            m_nShiftOnce = 0;
        }
    }
};

struct Input {
    UINT message;
    int x;  // or the key
    int y;
};

void Post(CWnd& wnd, const std::vector<Input>& inputs)
{
    for (const Input& in : inputs) {
        if (in.message == WM_KEYDOWN)
            wnd.PostMessage(in.message, in.x, 0);
        else
            wnd.PostMessage(in.message, 0, MAKELPARAM(in.x, in.y));
    }
}

class TrackerTest : public ::testing::Test {
protected:
    TrackerTest() { m_wnd.CreateEx(0, nullptr, L"Band", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr); }
    ~TrackerTest() override { m_wnd.DestroyWindow(); }
    CWnd m_wnd;
};

TEST_F(TrackerTest, FollowsThePointerUntilReleased)
{
    struct Case {
        const char* name;
        BOOL bAllowInvert;
        std::vector<Input> inputs;
        BOOL bResult;
        CRect finalRect;
        std::vector<DrawCall> calls;
    } cases[] = {
        {"inverted allowed",
         TRUE,
         {{WM_MOUSEMOVE, 30, 40}, {WM_MOUSEMOVE, 30, 40}, {WM_MOUSEMOVE, 5, 8}, {WM_LBUTTONUP, 50, 60}},
         TRUE,
         CRect(10, 10, 50, 60),
         {{CRect(10, 10, 30, 40), false},
          {CRect(10, 10, 30, 40), true},
          {CRect(10, 10, 5, 8), false},
          {CRect(10, 10, 5, 8), true},
          {CRect(10, 10, 50, 60), false},
          {CRect(10, 10, 50, 60), true}}},
        {"kept on its side",
         FALSE,
         {{WM_MOUSEMOVE, 5, 8}, {WM_LBUTTONUP, 5, 60}},
         FALSE,
         CRect(10, 10, 10, 60),
         {{CRect(10, 10, 10, 10), false},
          {CRect(10, 10, 10, 10), true},
          {CRect(10, 10, 10, 60), false},
          {CRect(10, 10, 10, 60), true}}},
        {"escape cancels",
         TRUE,
         {{WM_MOUSEMOVE, 30, 40}, {WM_KEYDOWN, VK_ESCAPE, 0}, {WM_LBUTTONUP, 50, 60}},
         FALSE,
         CRect(10, 10, 30, 40),
         {{CRect(10, 10, 30, 40), false}, {CRect(10, 10, 30, 40), true}}},
        {"right button cancels",
         TRUE,
         {{WM_MOUSEMOVE, 30, 40}, {WM_RBUTTONDOWN, 30, 40}},
         FALSE,
         CRect(10, 10, 30, 40),
         {{CRect(10, 10, 30, 40), false}, {CRect(10, 10, 30, 40), true}}},
        {"released where it started",
         TRUE,
         {{WM_LBUTTONUP, 10, 10}},
         FALSE,
         CRect(10, 10, 10, 10),
         {{CRect(10, 10, 10, 10), false}, {CRect(10, 10, 10, 10), true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingTracker tracker;
        Post(m_wnd, c.inputs);
        EXPECT_EQ(c.bResult, tracker.TrackRubberBand(&m_wnd, CPoint(10, 10), c.bAllowInvert));
        EXPECT_EQ(c.finalRect, tracker.m_rect);
        ASSERT_EQ(c.calls.size(), tracker.m_calls.size());
        for (size_t i = 0; i < c.calls.size(); ++i) {
            EXPECT_EQ(c.calls[i].rect, tracker.m_calls[i].rect) << "call " << i;
            EXPECT_EQ(c.calls[i].bErase, tracker.m_calls[i].bErase) << "call " << i;
        }
        EXPECT_EQ(nullptr, ::GetCapture());
        // Whatever the tracker left unread stays out of the next case.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
}

TEST_F(TrackerTest, BandMovedByTheOverrideKeepsItsNewAnchor)
{
    RecordingTracker tracker;
    tracker.m_nShiftOnce = 5;
    Post(m_wnd, {{WM_MOUSEMOVE, 30, 40}, {WM_LBUTTONUP, 60, 70}});
    EXPECT_TRUE(tracker.TrackRubberBand(&m_wnd, CPoint(10, 10)));
    EXPECT_EQ(CRect(10, 5, 60, 70), tracker.m_rect) << "the anchor moved once, then only the free corner";
    ASSERT_EQ(4u, tracker.m_calls.size());
    // Where the override moved it, as the band moves with the content scrolled under it.
    EXPECT_EQ(CRect(10, 5, 30, 35), tracker.m_calls[1].rect);
    EXPECT_TRUE(tracker.m_calls[1].bErase);
}

TEST_F(TrackerTest, CaptureHeldElsewhereRefusesToTrack)
{
    CWnd other;
    other.CreateEx(0, nullptr, L"Other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr);
    other.SetCapture();
    RecordingTracker tracker;
    EXPECT_FALSE(tracker.TrackRubberBand(&m_wnd, CPoint(10, 10)));
    EXPECT_TRUE(tracker.m_calls.empty());
    ::ReleaseCapture();
    other.DestroyWindow();
}

}  // namespace
