// Starting and stopping a task's thread, with a task whose work the test controls: the order
// of the steps, the end message, Stop waiting for it, and the ways the owner window can be
// gone or busy while it waits.
#include "conversion/engine/CMediaConvertThread.h"
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include "tests/conversion/engine/RecordingTask.h"
#include "tests/conversion/engine/TaskPageWindow.h"
#include <gtest/gtest.h>
#include <atomic>
#include <string>

namespace {

// A stop that hangs never returns; a prompt one returns at once even on a busy two-core machine.
const DWORD kPromptMs = 20000;

const UINT WM_PAGE_HOOK = WM_APP + 1;  // what a page hook sends to its controls

class CControlledTask : public CRecordingTask {
public:
    ~CControlledTask() override
    {
        CloseHandle(m_hGo);
        CloseHandle(m_hExecuting);
    }

    int Prepare() override
    {
        steps += L"prepare ";
        workerThread = GetCurrentThreadId();
        return prepareResult;
    }
    int Execute(HWND hOwner) override
    {
        steps += L"execute ";
        owner = hOwner;
        SetEvent(m_hExecuting);
        // Until the test lets it go, or a stop is asked for.
        while (WaitForSingleObject(m_hGo, 10) == WAIT_TIMEOUT && m_nStopRequest == 0)
            ;
        if (sendWhenStopped && m_nStopRequest != 0)
            SendMessageW(hOwner, WM_PAGE_HOOK, 0, 0);
        return 0;
    }
    void Finish() override { steps += L"finish"; }

    void Go() { SetEvent(m_hGo); }
    // The steps are only read once the worker is in Execute or gone.
    void WaitUntilExecuting() { WaitForSingleObject(m_hExecuting, INFINITE); }

    HANDLE m_hGo = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE m_hExecuting = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    int prepareResult = 0;
    bool sendWhenStopped = false;
    std::wstring steps;
    std::atomic<DWORD> workerThread{0};
    HWND owner = nullptr;
};

TEST(CMediaConvertThreadTest, RunsTheStepsAndReportsItsEnd)
{
    CControlledTask task;
    CTaskPageWindow page(&task);
    ASSERT_EQ(0, task.Start(page.GetHwnd()));
    ASSERT_TRUE(task.m_pThread);
    EXPECT_EQ(1, task.Start(page.GetHwnd())) << "one run at a time";
    task.Go();
    ASSERT_TRUE(page.PumpUntilIdle());
    EXPECT_EQ(L"prepare execute finish", task.steps);
    EXPECT_NE(GetCurrentThreadId(), task.workerThread.load());
    EXPECT_EQ(page.GetHwnd(), task.owner);
    EXPECT_EQ(1, page.finishedMessages);
    EXPECT_EQ(1, task.Stop()) << "idle again";
    EXPECT_EQ(0, task.Start(page.GetHwnd())) << "and ready for the next run";
    task.Go();
    ASSERT_TRUE(page.PumpUntilIdle());
}

// A running task finds its preset by name and uses it until the run ends: Reset must not free it.
TEST(CMediaConvertThreadTest, PresetsAreNotResetWhileATaskRuns)
{
    CBuiltInMediaFormats formats;
    ASSERT_EQ(0, formats.BuildBuiltIns());
    CMediaFormat* pFormat = formats.FindFormat(L"VF_mp4");
    ASSERT_NE(nullptr, pFormat);
    CMediaPreset* pPreset = pFormat->m_presets[0];

    CControlledTask task;
    CTaskPageWindow page(&task);
    ASSERT_EQ(0, task.Start(page.GetHwnd()));
    task.WaitUntilExecuting();
    EXPECT_EQ(-1, pFormat->ResetPresets());
    EXPECT_EQ(pPreset, pFormat->m_presets[0]);
    task.Go();
    ASSERT_TRUE(page.PumpUntilIdle());
    EXPECT_EQ(0, pFormat->ResetPresets()) << "the run has ended";
}

TEST(CMediaConvertThreadTest, ARefusingPrepareStillEnds)
{
    CControlledTask task;
    task.prepareResult = -1;
    CTaskPageWindow page(&task);
    ASSERT_EQ(0, task.Start(page.GetHwnd()));
    ASSERT_TRUE(page.PumpUntilIdle());
    EXPECT_EQ(L"prepare ", task.steps);
    EXPECT_EQ(1, page.finishedMessages);
}

TEST(CMediaConvertThreadTest, StopReturnsOnceTheEndMessageWasHandled)
{
    CControlledTask task;
    CTaskPageWindow page(&task);
    ASSERT_EQ(0, task.Start(page.GetHwnd()));
    task.WaitUntilExecuting();
    EXPECT_EQ(0, task.Stop());
    EXPECT_EQ(TASK_STOP_REQUESTED, task.m_nStopRequest);
    EXPECT_EQ(1, page.finishedMessages) << "the page's handler ran inside Stop";
    EXPECT_FALSE(task.m_pThread);
    EXPECT_EQ(L"prepare execute finish", task.steps);
}

TEST(CMediaConvertThreadTest, PageHooksSentWhileStopWaitsAreAnswered)
{
    CControlledTask task;
    task.sendWhenStopped = true;
    CTaskPageWindow page(&task);
    int hooks = 0;
    page.onOther = [&](UINT message, WPARAM, LPARAM) {
        hooks += message == WM_PAGE_HOOK;
        return 0;
    };
    ASSERT_EQ(0, task.Start(page.GetHwnd()));
    task.WaitUntilExecuting();
    EXPECT_EQ(0, task.Stop());
    EXPECT_EQ(1, hooks);
    EXPECT_FALSE(task.m_pThread);
}

TEST(CMediaConvertThreadTest, StopAfterTheWindowIsGoneWaitsForTheThread)
{
    CControlledTask task;
    CTaskPageWindow page(&task);
    ASSERT_EQ(0, task.Start(page.GetHwnd()));
    task.WaitUntilExecuting();
    page.Destroy();
    DWORD start = GetTickCount();
    EXPECT_EQ(0, task.Stop());
    EXPECT_LT(GetTickCount() - start, kPromptMs);
    EXPECT_FALSE(task.m_pThread) << "freed by Stop itself";
    EXPECT_EQ(L"prepare execute finish", task.steps);
    EXPECT_EQ(0, page.finishedMessages);
}

TEST(CMediaConvertThreadTest, StopAfterTheThreadEndedTakesItsWaitingMessage)
{
    CControlledTask task;
    CTaskPageWindow page(&task);
    ASSERT_EQ(0, task.Start(page.GetHwnd()));
    task.Go();
    // The thread has ended and posted its message, but nobody has dispatched it yet.
    WaitForSingleObject(task.m_pThread->m_hThread, INFINITE);
    EXPECT_EQ(0, task.Stop()) << "takes the waiting message";
    EXPECT_EQ(1, page.finishedMessages);
    EXPECT_FALSE(task.m_pThread);
    page.PumpUntilIdle(200);
    EXPECT_EQ(1, page.finishedMessages);
}

TEST(CMediaConvertThreadTest, AWindowDestroyedDuringTheWaitEndsIt)
{
    CControlledTask task;
    task.sendWhenStopped = true;
    CTaskPageWindow page(&task);
    page.onOther = [&](UINT, WPARAM, LPARAM) {
        page.Destroy();  // the end message can no longer be posted
        return 0;
    };
    ASSERT_EQ(0, task.Start(page.GetHwnd()));
    task.WaitUntilExecuting();
    DWORD start = GetTickCount();
    EXPECT_EQ(0, task.Stop());
    EXPECT_LT(GetTickCount() - start, kPromptMs);
    EXPECT_FALSE(task.m_pThread);
    EXPECT_EQ(0, page.finishedMessages);
}

TEST(CMediaConvertThreadTest, DestroyingARunningTaskStopsIt)
{
    HANDLE hThread = nullptr;
    {
        CControlledTask task;
        CTaskPageWindow page(&task);
        ASSERT_EQ(0, task.Start(page.GetHwnd()));
        DuplicateHandle(GetCurrentProcess(), task.m_pThread->m_hThread, GetCurrentProcess(), &hThread, SYNCHRONIZE,
                        FALSE, 0);
    }
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 0)) << "the thread ended before the task went";
    CloseHandle(hThread);
}

}  // namespace
