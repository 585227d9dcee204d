// Waiting in the class library's tests. Other suites load the machine at the same time, so a
// wait for something that must happen allows a generous time and fails only when it does not
// come at all.
#pragma once
#include <windows.h>
#include <functional>

const DWORD kTestWaitMs = 60000;

// Dispatches this thread's messages (a thread waited for may send to its windows) until
// hObject is signalled; false when kTestWaitMs passed first.
inline bool WaitDispatching(HANDLE hObject)
{
    const DWORD start = GetTickCount();
    for (;;) {
        DWORD spent = GetTickCount() - start;
        if (spent >= kTestWaitMs)
            return WaitForSingleObject(hObject, 0) == WAIT_OBJECT_0;
        DWORD wait = MsgWaitForMultipleObjects(1, &hObject, FALSE, kTestWaitMs - spent, QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0)
            return true;
        if (wait != WAIT_OBJECT_0 + 1)
            return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
}

// Pumps this thread's messages until done() holds or ms have passed; done() is checked
// after every message and at least every 10 ms.
inline bool PumpUntil(const std::function<bool()>& done, DWORD ms)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= ms)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    return true;
}
