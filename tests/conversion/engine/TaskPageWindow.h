// A window standing in for a task page: it hands the encoding tool's WM_COPYDATA to its task
// and answers WM_CONVERT_TASK_FINISHED as a page does (the thread is waited for and freed).
#pragma once
#include "conversion/engine/CConvertTask.h"
#include "conversion/engine/CMediaConvertThread.h"
#include <functional>

class CTaskPageWindow {
public:
    explicit CTaskPageWindow(CConvertTask* pTask) : m_pTask(pTask)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KavriTaskPageWindow";
        RegisterClassW(&wc);
        m_hWnd = CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    CTaskPageWindow(const CTaskPageWindow&) = delete;
    CTaskPageWindow& operator=(const CTaskPageWindow&) = delete;
    ~CTaskPageWindow() { Destroy(); }

    void Destroy()
    {
        if (m_hWnd && IsWindow(m_hWnd))
            DestroyWindow(m_hWnd);
        m_hWnd = nullptr;
    }
    HWND GetHwnd() const { return m_hWnd; }

    // Dispatches this thread's messages until the task's thread is freed or the time is up.
    bool PumpUntilIdle(DWORD limitMs = 60000)
    {
        DWORD start = GetTickCount();
        while (m_pTask->m_pThread && GetTickCount() - start < limitMs) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        return !m_pTask->m_pThread;
    }

    int finishedMessages = 0;
    int copyDataMessages = 0;
    // Called for other messages (sent by a worker thread in some tests).
    std::function<LRESULT(UINT, WPARAM, LPARAM)> onOther;
    std::function<void(const COPYDATASTRUCT*)> onCopyData;

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        CTaskPageWindow* pThis = reinterpret_cast<CTaskPageWindow*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (!pThis)
            return DefWindowProcW(hWnd, message, wParam, lParam);
        if (message == WM_CONVERT_TASK_FINISHED) {
            pThis->finishedMessages++;
            pThis->m_pTask->OnThreadFinished();
            return 0;
        }
        if (message == WM_COPYDATA) {
            pThis->copyDataMessages++;
            const COPYDATASTRUCT* pcds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (pThis->onCopyData)
                pThis->onCopyData(pcds);
            return pThis->m_pTask->OnCopyData(pcds);
        }
        if (message >= WM_APP && pThis->onOther)
            return pThis->onOther(message, wParam, lParam);
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }

    CConvertTask* m_pTask;
    HWND m_hWnd;
};
