// CWinThread and AfxBeginThread: the order of a thread's steps, who deletes the object, the
// handle staying waitable until the object goes, priority and suspended starts.
#include "classlib/CControlBar.h"
#include "classlib/CFrameWnd.h"
#include "classlib/CWinThread.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "tests/support/TestWait.h"

namespace {

// What the next StepThread does and what it did. A run-time-class thread is created by its
// default constructor, so the test sets this up beforehand.
struct Script {
    BOOL initResult = TRUE;
    BOOL autoDelete = TRUE;
    int exitCode = 0;
    std::vector<std::string> steps;
    CWinThread* seenByAfxGetThread = nullptr;
    HANDLE destroyed = nullptr;  // set by the destructor
};
Script g_script;

class StepThread : public CWinThread {
    DECLARE_DYNCREATE(StepThread)
public:
    StepThread() { m_bAutoDelete = g_script.autoDelete; }
    ~StepThread() override
    {
        g_script.steps.push_back("destroyed");
        SetEvent(g_script.destroyed);
    }
    BOOL InitInstance() override
    {
        g_script.steps.push_back("InitInstance");
        g_script.seenByAfxGetThread = AfxGetThread();
        if (g_script.initResult)
            PostQuitMessage(0);  // so that the message loop of Run ends at once
        return g_script.initResult;
    }
    int Run() override
    {
        g_script.steps.push_back("Run");
        return CWinThread::Run();
    }
    int ExitInstance() override
    {
        g_script.steps.push_back("ExitInstance");
        return g_script.exitCode;
    }
    void Delete() override
    {
        g_script.steps.push_back("Delete");
        CWinThread::Delete();
    }
};
IMPLEMENT_DYNCREATE(StepThread, CWinThread)

void ResetScript()
{
    if (g_script.destroyed)
        CloseHandle(g_script.destroyed);
    g_script = Script();
    g_script.destroyed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

class CWinThreadTest : public ::testing::Test {
protected:
    void SetUp() override { ResetScript(); }
    void TearDown() override
    {
        CloseHandle(g_script.destroyed);
        g_script.destroyed = nullptr;
    }
};

using Steps = std::vector<std::string>;

TEST_F(CWinThreadTest, StepsInOrderAndAutoDelete)
{
    struct Case {
        const char* name;
        BOOL initResult;
        Steps want;
    } cases[] = {
        {"init succeeds", TRUE, {"InitInstance", "Run", "ExitInstance", "Delete", "destroyed"}},
        {"init fails: no Run", FALSE, {"InitInstance", "ExitInstance", "Delete", "destroyed"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetScript();
        g_script.initResult = c.initResult;
        CWinThread* thread = AfxBeginThread(RUNTIME_CLASS(StepThread));
        ASSERT_NE(nullptr, thread);
        // The object deletes itself on its thread; only the destructor's signal is safe to watch.
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_script.destroyed, kTestWaitMs));
        EXPECT_EQ(c.want, g_script.steps);
    }
}

TEST_F(CWinThreadTest, OwnerDeleteKeepsObjectAndHandleUntilDeleted)
{
    g_script.autoDelete = FALSE;
    g_script.exitCode = 37;
    CWinThread* thread = AfxBeginThread(RUNTIME_CLASS(StepThread));
    ASSERT_NE(nullptr, thread);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread->m_hThread, kTestWaitMs));

    EXPECT_EQ((Steps{"InitInstance", "Run", "ExitInstance", "Delete"}), g_script.steps);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(g_script.destroyed, 0));
    EXPECT_EQ(thread, g_script.seenByAfxGetThread);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(*thread, &code));
    EXPECT_EQ(37u, code);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread->m_hThread, 0));  // still waitable
    EXPECT_NE(0u, thread->m_nThreadID);

    delete thread;
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_script.destroyed, 0));
}

struct ProcContext {
    HANDLE started = nullptr;
    int priority = 0;
    CWinThread* self = nullptr;
};

UINT __cdecl RecordingProc(LPVOID pParam)
{
    auto* context = static_cast<ProcContext*>(pParam);
    context->priority = GetThreadPriority(GetCurrentThread());
    context->self = AfxGetThread();
    SetEvent(context->started);
    return 5;
}

TEST_F(CWinThreadTest, FunctionThreadSuspendedWithPriority)
{
    ProcContext context;
    context.started = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    CWinThread* thread = AfxBeginThread(RecordingProc, &context, THREAD_PRIORITY_BELOW_NORMAL, 0,
                                        CREATE_SUSPENDED);
    ASSERT_NE(nullptr, thread);
    thread->m_bAutoDelete = FALSE;  // safe: the thread has not run yet
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(context.started, 200));
    EXPECT_EQ(THREAD_PRIORITY_BELOW_NORMAL, thread->GetThreadPriority());
    EXPECT_TRUE(thread->SetThreadPriority(THREAD_PRIORITY_LOWEST));

    EXPECT_EQ(1u, thread->ResumeThread());
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread->m_hThread, kTestWaitMs));
    EXPECT_EQ(THREAD_PRIORITY_LOWEST, context.priority);
    EXPECT_EQ(thread, context.self);
    DWORD code = 0;
    GetExitCodeThread(thread->m_hThread, &code);
    EXPECT_EQ(5u, code);
    delete thread;
    CloseHandle(context.started);
}

TEST_F(CWinThreadTest, CreateThreadOnAnOwnedObject)
{
    g_script.autoDelete = FALSE;
    auto* thread = new StepThread;
    ASSERT_TRUE(thread->CreateThread(CREATE_SUSPENDED));
    EXPECT_FALSE(thread->CreateThread());  // one thread per object
    EXPECT_TRUE(g_script.steps.empty());
    thread->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread->m_hThread, kTestWaitMs));
    EXPECT_EQ((Steps{"InitInstance", "Run", "ExitInstance", "Delete"}), g_script.steps);
    delete thread;
}

TEST_F(CWinThreadTest, RefusesClassesThatAreNoCreatableThread)
{
    EXPECT_EQ(nullptr, AfxBeginThread(RUNTIME_CLASS(CWinThread)));  // not creatable
    EXPECT_EQ(nullptr, AfxBeginThread(RUNTIME_CLASS(CCmdTarget)));  // not a thread
    EXPECT_EQ(nullptr, AfxBeginThread(static_cast<CRuntimeClass*>(nullptr)));
    EXPECT_EQ(nullptr, AfxGetThread());  // no application object in this program
}

// A user-interface thread: its message loop runs idle updates for its main window's bars and
// ends when that window is destroyed.
struct UiScript {
    HANDLE updated = nullptr;  // set by the bar's first idle update
    HWND hWndMain = nullptr;
    int nIdleZero = 0;  // idle passes that started a new idle period
    std::vector<std::string> steps;
};
UiScript g_ui;

class CountingBar : public CControlBar {
public:
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override
    {
        if (pTarget == GetParent() && bDisableIfNoHndler)
            SetEvent(g_ui.updated);
    }
};

class CFrameWithBar : public CFrameWnd {
public:
    CountingBar m_bar;
};

class UiThread : public CWinThread {
    DECLARE_DYNCREATE(UiThread)
public:
    BOOL InitInstance() override
    {
        g_ui.steps.push_back("InitInstance");
        CFrameWithBar* pFrame = new CFrameWithBar;
        if (!pFrame->Create(nullptr, L"UI thread", WS_OVERLAPPEDWINDOW | WS_VISIBLE))
            return FALSE;
        pFrame->m_bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pFrame, AFX_IDW_TOOLBAR);
        m_pMainWnd = pFrame;
        g_ui.hWndMain = pFrame->m_hWnd;
        return TRUE;
    }
    BOOL OnIdle(LONG lCount) override
    {
        if (lCount == 0)
            ++g_ui.nIdleZero;
        return CWinThread::OnIdle(lCount);
    }
    int ExitInstance() override
    {
        g_ui.steps.push_back("ExitInstance");
        return m_pMainWnd == nullptr ? 9 : 1;
    }
};
IMPLEMENT_DYNCREATE(UiThread, CWinThread)

TEST(CWinThreadUi, LoopRunsIdleUpdatesUntilTheMainWindowIsDestroyed)
{
    g_ui = UiScript();
    g_ui.updated = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    CWinThread* thread = AfxBeginThread(RUNTIME_CLASS(UiThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, thread);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_ui.updated, kTestWaitMs));
    EXPECT_GE(g_ui.nIdleZero, 1);

    PostMessageW(g_ui.hWndMain, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread->m_hThread, kTestWaitMs));
    DWORD code = 0;
    GetExitCodeThread(thread->m_hThread, &code);
    EXPECT_EQ(9u, code) << "ExitInstance ran after the main window was gone";
    EXPECT_EQ((Steps{"InitInstance", "ExitInstance"}), g_ui.steps);
    EXPECT_FALSE(IsWindow(g_ui.hWndMain));
    delete thread;
    CloseHandle(g_ui.updated);
}

}  // namespace
