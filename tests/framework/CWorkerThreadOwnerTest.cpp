// The owner's side of a worker thread: a start holds the worker before it runs and deletes one
// that can't start; Stop pumps the owner window until that worker's own done message was
// handled, and deletes the worker itself when no handler can run.
#include "framework/system/CWorkerThreadOwner.h"
#include "tests/support/TestWait.h"
#include <gtest/gtest.h>
#include <atomic>
#include <functional>
#include <vector>

namespace {

const UINT kDone = WM_USER + 8873;  // lParam: the worker
const UINT kSent = WM_USER + 8874;
const UINT kOther = WM_USER + 8875;
const int kNotRun = -100;  // no thread priority has this value

class CTestWorker;
typedef CWorkerThreadOwner<CTestWorker> CTestSlot;

// Waits until told to go, then posts kDone to its owner window (unless told not to); counts its
// deletion.
class CTestWorker : public CWorkerThread {
public:
    CTestWorker(HWND owner, const CTestSlot* slot, std::atomic<int>* deletions)
        : CWorkerThread(owner), m_slot(slot), m_deletions(deletions)
    {}
    ~CTestWorker() override
    {
        CloseHandle(m_go);
        ++*m_deletions;
    }

    BOOL InitInstance() override
    {
        m_priority = ::GetThreadPriority(::GetCurrentThread());
        m_heldWhenRun = m_slot->Get() == this;
        DWORD_PTR result = 0;
        if (m_send)
            SendMessageTimeoutW(m_hWndOwner, kSent, 0, 0, SMTO_NORMAL, kTestWaitMs, &result);
        WaitForSingleObject(m_go, INFINITE);
        return FALSE;
    }
    int ExitInstance() override
    {
        if (m_postDone)
            PostMessageW(m_hWndOwner, kDone, 0, reinterpret_cast<LPARAM>(this));
        return CWorkerThread::ExitInstance();
    }
    void Go() { SetEvent(m_go); }

    HANDLE m_go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool m_send = false;
    std::atomic<int> m_priority{kNotRun};
    bool m_postDone = true;
    std::atomic<bool> m_heldWhenRun{false};

private:
    const CTestSlot* m_slot;
    std::atomic<int>* m_deletions;
};

// The owner window handles kDone as the players' windows do: it deletes the worker it names.
class WorkerThreadOwner : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = OwnerProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KavriWorkerOwnerTest";
        RegisterClassW(&wc);
        m_window = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, wc.hInstance,
                                   nullptr);
        ASSERT_NE(m_window, nullptr);
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    void TearDown() override
    {
        for (CTestSlot& slot : m_slots) {
            if (slot)
                slot->Go();
            slot.WaitAndDelete();
        }
        if (IsWindow(m_window))
            DestroyWindow(m_window);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    CTestWorker* NewWorker(int slot, HWND owner) { return new CTestWorker(owner, &m_slots[slot], &m_deletions); }
    static LPARAM Named(const CTestSlot& slot) { return reinterpret_cast<LPARAM>(slot.Get()); }

    static LRESULT CALLBACK OwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* test = reinterpret_cast<WorkerThreadOwner*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (test && message == kDone)
            test->OnDone(lParam);
        else if (test && message == kSent)
            ++test->m_sent;
        return message == kDone || message == kSent ? 0 : DefWindowProcW(hWnd, message, wParam, lParam);
    }
    void OnDone(LPARAM lParam)
    {
        m_done.push_back(lParam);
        for (CTestSlot& slot : m_slots) {
            if (Named(slot) == lParam)
                slot.WaitAndDelete();
        }
        if (m_onDone)
            m_onDone(lParam);
    }

    HWND m_window = nullptr;
    CTestSlot m_slots[2];
    std::atomic<int> m_deletions{0};
    std::vector<LPARAM> m_done;  // the workers named by the handled done messages
    std::function<void(LPARAM)> m_onDone;
    int m_sent = 0;
};

TEST_F(WorkerThreadOwner, StartRunsTheHeldWorkerAtItsPriority)
{
    const struct {
        const char* name;
        int priority;
    } cases[] = {
        {"below normal", THREAD_PRIORITY_BELOW_NORMAL},
        {"normal", THREAD_PRIORITY_NORMAL},
    };
    for (const auto& c : cases) {
        m_deletions = 0;
        CTestWorker* worker = NewWorker(0, m_window);
        ASSERT_TRUE(m_slots[0].Start(worker, c.priority)) << c.name;
        EXPECT_EQ(worker, m_slots[0].Get()) << c.name;
        ASSERT_TRUE(PumpUntil([&] { return worker->m_priority != kNotRun; }, kTestWaitMs)) << c.name;
        EXPECT_EQ(c.priority, worker->m_priority.load()) << c.name;
        EXPECT_TRUE(worker->m_heldWhenRun) << c.name << ": held before it runs";
        worker->Go();
        ASSERT_TRUE(PumpUntil([&] { return !m_slots[0]; }, kTestWaitMs)) << c.name << ": the done handler deletes it";
        EXPECT_EQ(1, m_deletions.load()) << c.name;
    }
}

TEST_F(WorkerThreadOwner, AWorkerThatCannotStartIsDeleted)
{
    CTestWorker* worker = NewWorker(0, m_window);
    // A thread object runs once: one that holds a thread handle already can't start again.
    worker->m_hThread = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    EXPECT_FALSE(m_slots[0].Start(worker, THREAD_PRIORITY_NORMAL));
    EXPECT_FALSE(m_slots[0]);
    EXPECT_EQ(1, m_deletions.load());
}

TEST_F(WorkerThreadOwner, StopPumpsUntilItsOwnDoneMessageWasHandled)
{
    ASSERT_TRUE(m_slots[0].Start(NewWorker(0, m_window), THREAD_PRIORITY_NORMAL));
    ASSERT_TRUE(m_slots[1].Start(NewWorker(1, m_window), THREAD_PRIORITY_NORMAL));
    const LPARAM first = Named(m_slots[0]), second = Named(m_slots[1]);
    // The second ends first; only the handling of its done message lets the first end.
    CTestWorker* firstWorker = m_slots[0].Get();
    m_onDone = [=](LPARAM lParam) {
        if (lParam == second)
            firstWorker->Go();
    };
    HANDLE secondThread = m_slots[1]->m_hThread;
    m_slots[1]->Go();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(secondThread, kTestWaitMs));
    PostMessageW(m_window, kOther, 0, 0);

    EXPECT_FALSE(m_slots[0].Stop(kDone, first)) << "its handler deleted it";
    EXPECT_EQ((std::vector<LPARAM>{second, first}), m_done);
    EXPECT_FALSE(m_slots[0]);
    EXPECT_FALSE(m_slots[1]);
    EXPECT_EQ(2, m_deletions.load());
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, m_window, kOther, kOther, PM_NOREMOVE)) << "other messages wait for the caller";
}

TEST_F(WorkerThreadOwner, WhenNoHandlerCanRunStopDeletesTheWorkerItself)
{
    enum Gone { NoOwnerWindow, QuitPosted, WindowDestroyed };
    const struct {
        const char* name;
        Gone gone;
    } cases[] = {
        {"no owner window", NoOwnerWindow},
        {"quit posted", QuitPosted},
        {"window destroyed", WindowDestroyed},  // last: the others need the window
    };
    for (const auto& c : cases) {
        m_deletions = 0;
        CTestWorker* worker = NewWorker(0, c.gone == NoOwnerWindow ? nullptr : m_window);
        // With the quit posted the pump meets only WM_QUIT (a posted message would come first).
        worker->m_postDone = c.gone != QuitPosted;
        worker->Go();
        ASSERT_TRUE(m_slots[0].Start(worker, THREAD_PRIORITY_NORMAL)) << c.name;
        if (c.gone == QuitPosted)
            PostQuitMessage(3);
        if (c.gone == WindowDestroyed)
            DestroyWindow(m_window);

        EXPECT_TRUE(m_slots[0].Stop(kDone)) << c.name;
        EXPECT_FALSE(m_slots[0]) << c.name;
        EXPECT_EQ(1, m_deletions.load()) << c.name;
        EXPECT_TRUE(m_done.empty()) << c.name;
        if (c.gone == QuitPosted) {
            MSG msg;
            EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
                << "posted again for the caller's loop";
        }
    }
}

TEST_F(WorkerThreadOwner, WaitAndDeleteAnswersWhatTheEndingWorkerSends)
{
    CTestWorker* worker = NewWorker(0, m_window);
    worker->m_send = true;
    worker->Go();
    ASSERT_TRUE(m_slots[0].Start(worker, THREAD_PRIORITY_NORMAL));
    m_slots[0].WaitAndDelete();
    EXPECT_EQ(1, m_sent) << "the worker's send was answered, so it could end";
    EXPECT_FALSE(m_slots[0]);
    EXPECT_EQ(1, m_deletions.load());
}

TEST_F(WorkerThreadOwner, AnEmptySlotHasNothingToStop)
{
    EXPECT_FALSE(m_slots[0]);
    EXPECT_FALSE(m_slots[0].Stop(kDone)) << "a worker never started";
    m_slots[0].WaitAndDelete();
    EXPECT_EQ(0, m_deletions.load());
}

TEST_F(WorkerThreadOwner, TheDestructorWaitsForAWorkerStillHeld)
{
    HANDLE thread = nullptr;
    {
        CTestSlot slot;
        CTestWorker* worker = new CTestWorker(m_window, &slot, &m_deletions);
        ASSERT_TRUE(slot.Start(worker, THREAD_PRIORITY_NORMAL));
        DuplicateHandle(GetCurrentProcess(), worker->m_hThread, GetCurrentProcess(), &thread, SYNCHRONIZE, FALSE, 0);
        worker->Go();
    }
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 0));
    EXPECT_EQ(1, m_deletions.load());
    CloseHandle(thread);
}

}  // namespace
