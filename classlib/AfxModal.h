// What modal dialogs and property sheets share: the choice of their owner and their own
// message loop, which runs on the thread that shows them.
#pragma once
#include <functional>
#include "classlib/CWnd.h"

// The window that owns a modal window: the top-level window of pParentWnd when given, else the
// calling thread's main window or the application's (AfxGetMainWnd), or rather the enabled
// popup (a modal dialog) most recently active over it; null when there is none.
HWND AfxGetModalOwner(CWnd* pParentWnd);

// Called when a dialog's WM_INITDIALOG handler has run: centres a top-level dialog over its
// owner (over the screen without one), as a modal dialog opens. A dialog the handler showed or
// moved stays, as does one whose owner is enabled (a modeless dialog) or whose template places
// it (DS_ABSALIGN, DS_CENTER, DS_CENTERMOUSE).
void AfxCenterOpeningDialog(HWND hWndDlg, const RECT& rcBeforeInit);

// A dialog's WM_INITDIALOG handling: runs its OnInitDialog, then AfxCenterOpeningDialog; returns
// what OnInitDialog returned.
BOOL AfxInitOpeningDialog(CWnd* pDlg, const std::function<BOOL()>& onInitDialog);

// Runs messages until continueModal answers false. A message first goes to PreTranslateMessage
// of its window and of the parents up to hWndModal; whenever the queue runs empty, hWndModal
// gets WM_KICKIDLE (wParam MSGF_DIALOGBOX, lParam the idle count) until it answers 0.
// WM_QUIT ends the loop, is posted again for the loop outside, and makes the result FALSE.
BOOL AfxRunModalLoop(HWND hWndModal, const std::function<bool()>& continueModal);
