// Helpers for the suites of the framework's windows: a top-level parent that records what its
// children tell it, delivery of input as the message loop delivers it (through the
// PreTranslateMessage chain), a message pump, and image lists of plain colours.
#pragma once
#include "classlib/Afx.h"
#include "framework/controls/FrameworkMessages.h"
#include <functional>
#include <vector>

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A plain top-level window (hidden unless shown) that records WM_COMMAND, WM_VSCROLL,
// WM_SLIDER_POSCHANGED, WM_SPLITTER_PANECHANGED and WM_NCLBUTTONDOWN (which it does not pass
// on, so that no window-moving loop starts).
class RecordingParent : public CWnd {
public:
    BOOL CreateParent(int cx = 640, int cy = 480, DWORD dwStyle = WS_OVERLAPPEDWINDOW)
    {
        return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW)), L"Recording parent",
                        dwStyle | WS_CLIPCHILDREN, 40, 40, cx, cy, nullptr, nullptr);
    }
    ~RecordingParent() override
    {
        if (m_hWnd)
            DestroyWindow();
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_COMMAND:
        case WM_VSCROLL:
        case WM_SLIDER_POSCHANGED:
        case WM_SPLITTER_PANECHANGED:
            m_messages.push_back({message, wParam, lParam});
            return 0;
        case WM_NCLBUTTONDOWN:
            m_messages.push_back({message, wParam, lParam});
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<RecordedMessage> Of(UINT message) const
    {
        std::vector<RecordedMessage> found;
        for (const RecordedMessage& m : m_messages) {
            if (m.message == message)
                found.push_back(m);
        }
        return found;
    }
    int Count(UINT message) const { return static_cast<int>(Of(message).size()); }
    void Clear() { m_messages.clear(); }

    std::vector<RecordedMessage> m_messages;
};

// Dispatches the calling thread's pending messages as the class library's loop does. The
// mouse here is the tests' own messages, not the cursor: a queued WM_MOUSELEAVE comes from the
// system noticing, on a timer, that the real cursor is elsewhere, and on a loaded machine it
// lands in the middle of a test's hover or drag. Tests deliver their own leaves.
inline void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_MOUSELEAVE)
            continue;
        if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

// Pumps for a while (timers, repeated posts).
inline void PumpFor(DWORD ms)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        PumpMessages();
        Sleep(5);
    }
    PumpMessages();
}

// Delivers an input message to hWnd as the loop would: first the PreTranslateMessage chain,
// then the window procedure; then pumps what it posted.
inline void Deliver(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    MSG msg = {hWnd, message, wParam, lParam, GetTickCount(), {0, 0}};
    if (!CWnd::WalkPreTranslateTree(nullptr, &msg))
        DispatchMessageW(&msg);
    PumpMessages();
}

inline LPARAM PointParam(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
}

inline void MouseMove(HWND hWnd, int x, int y, WPARAM keys = 0) { Deliver(hWnd, WM_MOUSEMOVE, keys, PointParam(x, y)); }
inline void LeftDown(HWND hWnd, int x, int y, WPARAM keys = 0)
{
    Deliver(hWnd, WM_LBUTTONDOWN, keys | MK_LBUTTON, PointParam(x, y));
}
inline void LeftUp(HWND hWnd, int x, int y, WPARAM keys = 0) { Deliver(hWnd, WM_LBUTTONUP, keys, PointParam(x, y)); }
inline void Click(HWND hWnd, int x, int y)
{
    MouseMove(hWnd, x, y);
    LeftDown(hWnd, x, y);
    LeftUp(hWnd, x, y);
}

// An image list of cx x cy images, each filled with its colour of colors (no mask).
inline void MakeColourImages(CImageList& list, int cx, int cy, const std::vector<COLORREF>& colors)
{
    list.Create(cx, cy, ILC_COLOR32, static_cast<int>(colors.size()), 1);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    for (COLORREF color : colors) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = cx;
        info.bmiHeader.biHeight = -cy;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* pBits = nullptr;
        CBitmap bitmap;
        bitmap.Attach(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0));
        HGDIOBJ hOld = dc.SelectObject(bitmap.m_hObject);
        dc.FillSolidRect(0, 0, cx, cy, color);
        dc.SelectObject(hOld);
        list.Add(&bitmap, static_cast<CBitmap*>(nullptr));
    }
}

// Rectangles print as (left, top, right, bottom) in test failures.
#include <ostream>
inline void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}
