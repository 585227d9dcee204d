#include "framework/system/CWorkerThreadOwner.h"
#include "framework/system/MessagePumps.h"

bool CWorkerThreadOwnerBase::Start(CWorkerThread* thread, int priority)
{
    if (!thread->CreateThread(CREATE_SUSPENDED)) {
        delete thread;
        return false;
    }
    // Held before it runs: a worker may look at its owner's slot.
    m_thread = thread;
    thread->SetThreadPriority(priority);
    thread->ResumeThread();
    return true;
}

bool CWorkerThreadOwnerBase::Stop(UINT doneMessage, LPARAM doneLParam)
{
    if (!m_thread)
        return false;
    HWND owner = m_thread->GetOwnerWindow();
    if (owner && IsWindow(owner)) {
        m_thread->SetThreadPriority(THREAD_PRIORITY_ABOVE_NORMAL);
        m_deleted = false;
        PumpMessagesUntilMatch(owner, doneMessage, 0, doneLParam);
        // The handler may have started a new worker in this slot: that one is left running.
        if (m_deleted)
            return false;
    }
    WaitAndDelete();
    return true;
}

void CWorkerThreadOwnerBase::WaitAndDelete()
{
    CWorkerThread* thread = m_thread;
    if (!thread)
        return;
    // Emptied first, so a message answered during the wait finds no worker to wait for again.
    m_thread = nullptr;
    m_deleted = true;
    thread->WaitForExit();
    delete thread;
}
