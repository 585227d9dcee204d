// What modal dialogs and property sheets share: the choice of their owner and their own
// message loop, which runs on the thread that shows them.
#pragma once
#include <functional>
#include "classlib/CWnd.h"

// The top-level window that owns a modal window: that of pParentWnd when given, else the
// calling thread's main window or the application's (AfxGetMainWnd); null when none exists.
HWND AfxGetModalOwner(CWnd* pParentWnd);

// Runs messages until continueModal answers false. A message first goes to PreTranslateMessage
// of its window and of the parents up to hWndModal; whenever the queue runs empty, hWndModal
// gets WM_KICKIDLE (wParam MSGF_DIALOGBOX, lParam the idle count) until it answers 0.
// WM_QUIT ends the loop, is posted again for the loop outside, and makes the result FALSE.
BOOL AfxRunModalLoop(HWND hWndModal, const std::function<bool()>& continueModal);
