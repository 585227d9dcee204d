#include "framework/system/CWorkerThread.h"
#include <gtest/gtest.h>
#include <atomic>

namespace {

const UINT kWorkDone = WM_USER + 8872;

// Works for a while at low priority, then tells its owner window that it has ended.
class CSlowWorker : public CWorkerThread {
public:
    explicit CSlowWorker(HWND hWndOwner) : CWorkerThread(hWndOwner) {}
    BOOL InitInstance() override
    {
        Sleep(300);
        m_bWorked = true;
        return FALSE;
    }
    int ExitInstance() override
    {
        PostMessageW(m_hWndOwner, kWorkDone, 0, reinterpret_cast<LPARAM>(this));
        return CWorkerThread::ExitInstance();
    }
    std::atomic<bool> m_bWorked{false};
};

HWND CreateOwner()
{
    return CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

TEST(CWorkerThread, OwnerWaitsForTheWorkAndKeepsTheObject)
{
    HWND hOwner = CreateOwner();
    ASSERT_NE(hOwner, nullptr);
    auto* pThread = new CSlowWorker(hOwner);
    EXPECT_FALSE(pThread->m_bAutoDelete);
    ASSERT_TRUE(pThread->CreateThread(CREATE_SUSPENDED));
    pThread->SetThreadPriority(THREAD_PRIORITY_LOWEST);
    pThread->ResumeThread();

    pThread->WaitForExit();
    EXPECT_TRUE(pThread->m_bWorked);
    EXPECT_EQ(WaitForSingleObject(pThread->m_hThread, 0), WAIT_OBJECT_0);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, hOwner, kWorkDone, kWorkDone, PM_REMOVE));  // posted before the end
    EXPECT_EQ(msg.lParam, reinterpret_cast<LPARAM>(pThread));

    // Waiting again on an ended thread returns at once (a wrong wait would never return).
    ULONGLONG nStart = GetTickCount64();
    pThread->WaitForExit();
    EXPECT_LT(GetTickCount64() - nStart, 10000u);
    delete pThread;
    DestroyWindow(hOwner);
}

TEST(CWorkerThread, CreatedByRunTimeClass)
{
    CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(CWorkerThread), THREAD_PRIORITY_NORMAL);
    ASSERT_NE(pThread, nullptr);
    ASSERT_TRUE(pThread->IsKindOf(RUNTIME_CLASS(CWorkerThread)));
    auto* pWorker = static_cast<CWorkerThread*>(pThread);
    pWorker->WaitForExit();
    DWORD dwExitCode = 99;
    EXPECT_TRUE(GetExitCodeThread(pWorker->m_hThread, &dwExitCode));
    EXPECT_EQ(dwExitCode, 0u);
    EXPECT_EQ(pWorker->GetOwnerWindow(), nullptr);
    delete pWorker;
}

const UINT kPauseCommand = 33001;

// A worker that takes one command through a map chained to the base's.
class CCommandedWorker : public CWorkerThread {
public:
    void OnPause() { m_nPauses++; }
    int m_nPauses = 0;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandedWorker, CWorkerThread)
    ON_COMMAND(kPauseCommand, &CCommandedWorker::OnPause)
END_MESSAGE_MAP()

TEST(CWorkerThread, CommandsReachOnlyTheMapsThatHandleThem)
{
    CWorkerThread plain;
    EXPECT_FALSE(plain.OnCmdMsg(kPauseCommand, CN_COMMAND, nullptr, nullptr));
    CCommandedWorker worker;
    EXPECT_TRUE(worker.OnCmdMsg(kPauseCommand, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(worker.m_nPauses, 1);
    EXPECT_FALSE(worker.OnCmdMsg(kPauseCommand + 1, CN_COMMAND, nullptr, nullptr));
}

TEST(CWorkerThread, WaitingForAThreadNeverStartedReturns)
{
    CWorkerThread thread(nullptr);
    ULONGLONG nStart = GetTickCount64();
    thread.WaitForExit();
    EXPECT_LT(GetTickCount64() - nStart, 10000u);
}

}  // namespace
