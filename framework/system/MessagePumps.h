// Waiting on a window thread for one private message of one window (a worker's end-of-work
// message), or for a thread or other object, while messages that other threads send to this
// thread are still delivered.
#pragma once
#include <windows.h>

// Retrieves only that message for that window, translating and dispatching each; returns the
// dispatch result of the first one. A WM_QUIT that arrives meanwhile is posted again for the
// caller's own loop and 0 returned; -1 when the window is gone or GetMessageW fails.
int PumpMessagesUntil(HWND hWnd, UINT nMessage);

// The same, but returns only after a message whose wParam equals the given one (when that is
// non-zero) and whose lParam equals the given one (when non-zero). Returns the given wParam,
// 0 on WM_QUIT (posted again), -1 when GetMessageW fails.
int PumpMessagesUntilMatch(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);

// Waits up to the timeout (INFINITE allowed) for the object, a worker thread say, while still
// answering messages that other threads send to this thread (a worker waiting on one of this
// thread's windows would otherwise never end); posted messages stay queued. True when the
// object was signalled, false on time-out or failure.
bool WaitServingSentMessages(HANDLE hObject, DWORD dwTimeoutMs);
