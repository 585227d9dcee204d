// Helpers for driving modal dialogs from inside their own message loop: a script that runs
// once the window is up, and a closer for the message boxes they show.
#pragma once
#include "classlib/Afx.h"
#include <functional>

const UINT WM_TEST_SHOWN = WM_APP + 1;

// Closes the message box that hWndOwner shows while the object lives (from a timer, since the
// box runs a loop of its own) and keeps the box's text. A box shown by a child window is owned
// by its top-level window.
class MessageBoxCloser {
public:
    explicit MessageBoxCloser(HWND hWndOwner)
    {
        s_hWndOwner = hWndOwner;
        s_text.Empty();
        SetTimer(hWndOwner, kTimerId, 20, &Tick);
    }
    ~MessageBoxCloser() { KillTimer(s_hWndOwner, kTimerId); }
    static CString Text() { return s_text; }

private:
    static const UINT_PTR kTimerId = 0x7E57;

    static BOOL CALLBACK FindBox(HWND hWnd, LPARAM lParam)
    {
        wchar_t className[16] = {};
        GetClassNameW(hWnd, className, 16);
        if (lstrcmpW(className, L"#32770") || GetWindow(hWnd, GW_OWNER) != GetAncestor(s_hWndOwner, GA_ROOT) || !IsWindowVisible(hWnd))
            return TRUE;
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    static BOOL CALLBACK CollectText(HWND hWnd, LPARAM)
    {
        wchar_t className[16] = {};
        wchar_t text[256] = {};
        GetClassNameW(hWnd, className, 16);
        if (!lstrcmpiW(className, L"Static") && GetWindowTextW(hWnd, text, 256))
            s_text += text;
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND hBox = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &FindBox, reinterpret_cast<LPARAM>(&hBox));
        if (!hBox)
            return;
        EnumChildWindows(hBox, &CollectText, 0);
        PostMessageW(hBox, WM_COMMAND, IDOK, 0);
    }

    static inline HWND s_hWndOwner = nullptr;
    static inline CString s_text;
};

// Clicks a button of the window, as the user would.
inline void Click(CWnd& wnd, int nID)
{
    wnd.SendDlgItemMessage(nID, BM_CLICK);
}

inline CString ItemText(const CWnd& wnd, int nID)
{
    CString text;
    wnd.GetDlgItemText(nID, text);
    return text;
}
