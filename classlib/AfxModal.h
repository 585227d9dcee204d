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

// Counts the modal loops (dialogs, property sheets, message boxes, file dialogs) running on
// the calling thread for the time it lives. A close that comes while one runs waits for them
// (AfxDeferCloseWhileModal): the code below a box still needs the windows it works on.
class CModalLoopScope {
public:
    CModalLoopScope();
    // The last loop to end closes the window whose close was put off.
    ~CModalLoopScope();
    CModalLoopScope(const CModalLoopScope&) = delete;
    CModalLoopScope& operator=(const CModalLoopScope&) = delete;
};

// While a modal loop runs on the calling thread: asks the boxes that take input now to close
// (WM_CLOSE, as their user's close button) and posts WM_CLOSE to hWnd once the loops have
// returned; true. false when no modal loop runs.
bool AfxDeferCloseWhileModal(HWND hWnd);
