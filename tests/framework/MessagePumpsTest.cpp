#include "framework/system/MessagePumps.h"
#include <gtest/gtest.h>
#include <future>
#include <thread>
#include <vector>

namespace {

const UINT kDone = WM_USER + 8872;
const UINT kOther = WM_USER + 1;
const UINT kSent = WM_USER + 2;

struct Log {
    std::vector<std::pair<UINT, WPARAM>> dispatched;
};

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == kDone || nMsg == kOther || nMsg == kSent) {
        auto* log = reinterpret_cast<Log*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        log->dispatched.push_back({nMsg, wParam});
        return lParam + 1;
    }
    return DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

class MessagePumps : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KavriPumpTest";
        RegisterClassW(&wc);
        m_hWnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        ASSERT_NE(m_hWnd, nullptr);
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_log));
    }
    void TearDown() override
    {
        if (IsWindow(m_hWnd))
            DestroyWindow(m_hWnd);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    HWND m_hWnd = nullptr;
    Log m_log;
};

TEST_F(MessagePumps, DispatchesOnlyTheAwaitedMessage)
{
    PostMessageW(m_hWnd, kOther, 0, 0);
    PostMessageW(m_hWnd, kDone, 5, 41);
    EXPECT_EQ(PumpMessagesUntil(m_hWnd, kDone), 42);
    ASSERT_EQ(m_log.dispatched.size(), 1u);
    EXPECT_EQ(m_log.dispatched[0].first, kDone);
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, m_hWnd, kOther, kOther, PM_NOREMOVE));  // left for the caller's loop
}

TEST_F(MessagePumps, WaitsForTheMatchingParameters)
{
    const struct {
        const char* name;
        WPARAM wParam;
        LPARAM lParam;
        int result;
        size_t dispatched;
    } cases[] = {
        {"first of any", 0, 0, 0, 1},
        {"by wParam", 3, 0, 3, 3},
        {"by lParam", 0, 200, 0, 2},
        {"by both", 3, 300, 3, 3},
    };
    for (const auto& c : cases) {
        m_log.dispatched.clear();
        PostMessageW(m_hWnd, kDone, 1, 100);
        PostMessageW(m_hWnd, kDone, 2, 200);
        PostMessageW(m_hWnd, kDone, 3, 300);
        EXPECT_EQ(PumpMessagesUntilMatch(m_hWnd, kDone, c.wParam, c.lParam), c.result) << c.name;
        EXPECT_EQ(m_log.dispatched.size(), c.dispatched) << c.name;
        MSG msg;
        while (PeekMessageW(&msg, m_hWnd, kDone, kDone, PM_REMOVE)) {
        }
    }
}

TEST_F(MessagePumps, QuitIsPostedAgainForTheOuterLoop)
{
    PostQuitMessage(7);
    EXPECT_EQ(PumpMessagesUntil(m_hWnd, kDone), 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);

    PostQuitMessage(9);
    EXPECT_EQ(PumpMessagesUntilMatch(m_hWnd, kDone, 4, 0), 0);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 9u);
}

TEST_F(MessagePumps, MessagesSentByOtherThreadsAreDelivered)
{
    // The worker sends first and posts the end message only once its send was answered.
    std::thread worker([hWnd = m_hWnd] {
        SendMessageW(hWnd, kSent, 0, 0);
        PostMessageW(hWnd, kDone, 0, 0);
    });
    EXPECT_EQ(PumpMessagesUntil(m_hWnd, kDone), 1);
    worker.join();
    ASSERT_EQ(m_log.dispatched.size(), 2u);
    EXPECT_EQ(m_log.dispatched[0].first, kSent);
}

TEST_F(MessagePumps, GoneWindowEndsTheWait)
{
    HWND hWnd = m_hWnd;
    DestroyWindow(hWnd);
    // On a thread of its own, so a pump that never returns fails the test instead of hanging it.
    std::promise<int> result;
    std::future<int> future = result.get_future();
    DWORD dwThreadId = 0;
    std::thread pump([&] {
        dwThreadId = GetCurrentThreadId();
        result.set_value(PumpMessagesUntilMatch(hWnd, kDone, 0, 0));
    });
    bool bReturned = future.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
    if (!bReturned)
        PostThreadMessageW(dwThreadId, WM_QUIT, 0, 0);
    pump.join();
    EXPECT_TRUE(bReturned);
    EXPECT_EQ(future.get(), -1);
}

}  // namespace
