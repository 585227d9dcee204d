#include "framework/system/MessagePumps.h"

namespace {

// 1 when a message was retrieved; 0 on WM_QUIT (posted again), -1 on failure.
int GetOne(HWND hWnd, UINT nMessage, MSG& msg)
{
    BOOL bResult = GetMessageW(&msg, hWnd, nMessage, nMessage);
    if (bResult == 0) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return 0;
    }
    return bResult == -1 ? -1 : 1;
}

}  // namespace

int PumpMessagesUntil(HWND hWnd, UINT nMessage)
{
    MSG msg;
    int nGot = GetOne(hWnd, nMessage, msg);
    if (nGot <= 0)
        return nGot;
    TranslateMessage(&msg);
    return static_cast<int>(DispatchMessageW(&msg));
}

int PumpMessagesUntilMatch(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    for (;;) {
        MSG msg;
        int nGot = GetOne(hWnd, nMessage, msg);
        if (nGot <= 0)
            return nGot;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if ((wParam == 0 || msg.wParam == wParam) && (lParam == 0 || msg.lParam == lParam))
            return static_cast<int>(wParam);
    }
}

bool WaitServingSentMessages(HANDLE hObject, DWORD dwTimeoutMs)
{
    const DWORD dwStart = GetTickCount();
    for (;;) {
        DWORD dwLeft = INFINITE;
        if (dwTimeoutMs != INFINITE) {
            DWORD dwElapsed = GetTickCount() - dwStart;
            dwLeft = dwElapsed < dwTimeoutMs ? dwTimeoutMs - dwElapsed : 0;
        }
        DWORD dwWait = MsgWaitForMultipleObjects(1, &hObject, FALSE, dwLeft, QS_SENDMESSAGE);
        if (dwWait == WAIT_OBJECT_0)
            return true;
        if (dwWait != WAIT_OBJECT_0 + 1)
            return false;
        // Peeking delivers the sent messages; nothing posted is taken.
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}
