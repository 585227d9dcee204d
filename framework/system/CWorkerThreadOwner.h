// The owner's side of one worker thread, used on the owner's window thread: starts the worker,
// waits for it and deletes it. The slot holds the thread object from its start until it is
// deleted; the destructor deletes one still held, after waiting for its end.
//
// A worker posts its end message to its owner window, and that message's handler calls
// WaitAndDelete. To end a worker early the owner asks it to stop (its stop flag, the session's
// Stop), then calls Stop with the end message, which pumps that message so the handler runs.
#pragma once
#include "framework/system/CWorkerThread.h"

class CWorkerThreadOwnerBase {
public:
    CWorkerThreadOwnerBase() = default;
    CWorkerThreadOwnerBase(const CWorkerThreadOwnerBase&) = delete;
    CWorkerThreadOwnerBase& operator=(const CWorkerThreadOwnerBase&) = delete;
    ~CWorkerThreadOwnerBase() { WaitAndDelete(); }

    explicit operator bool() const { return m_thread != nullptr; }

    // Once the worker was asked to stop: raises it and pumps its owner window's doneMessage
    // (only one whose lParam is doneLParam, when that is non-zero) until that message was
    // handled; messages that other threads send are answered meanwhile. False when the handler
    // deleted the worker, or for an empty slot; true when no handler could run (no owner
    // window, the window went, or WM_QUIT broke the wait off) and Stop deleted it itself.
    bool Stop(UINT doneMessage, LPARAM doneLParam = 0);
    // Empties the slot, waits for the worker's end (answering messages that other threads send
    // to this one, which the ending worker may be waiting on) and deletes it. Nothing for an
    // empty slot.
    void WaitAndDelete();

protected:
    bool Start(CWorkerThread* thread, int priority);

    CWorkerThread* m_thread = nullptr;

private:
    bool m_deleted = false;  // set by WaitAndDelete, so Stop knows whether the handler ran
};

template <class TThread>
class CWorkerThreadOwner : public CWorkerThreadOwnerBase {
public:
    // Takes a new, unstarted worker into the empty slot and runs it at that priority; the slot
    // holds it before it runs. False when it can't start: the object is deleted, the slot
    // stays empty.
    bool Start(TThread* thread, int priority) { return CWorkerThreadOwnerBase::Start(thread, priority); }

    TThread* Get() const { return static_cast<TThread*>(m_thread); }
    TThread* operator->() const { return Get(); }
};
