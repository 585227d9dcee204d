// The full-screen layer of the player's main window: ToggleFullScreen grows the window so that
// its client area covers the screen (and the margins push the menu bar, the playlist pane and
// the control bar off it), and brings the window back to its placement before. While in full
// screen the window cannot be moved, and its stored placement is the one before full screen.
#pragma once
#include "framework/dialogs/CAppMainWnd_VMB.h"

const int FULL_SCREEN_OFF = 0;
const int FULL_SCREEN_SWITCHING = 1;
const int FULL_SCREEN_ON = 2;

class CFullScreenMainWnd : public CAppMainWnd_VMB {
public:
    CFullScreenMainWnd();

    virtual void ToggleFullScreen();
    BOOL IsFullScreen() const { return m_nFullScreenState != FULL_SCREEN_OFF; }

    int m_nFullScreenState = FULL_SCREEN_OFF;
    WINDOWPLACEMENT m_savedPlacement;  // before full screen; showCmd tells a maximized window
    CRect m_fullScreenRect;            // the window rectangle in full screen
    CRect m_margins;                   // pushed off the screen; left stays 0

protected:
    void OnDestroy();
    void OnWindowPosChanging(WINDOWPOS* pPos);
    void OnGetMinMaxInfo(MINMAXINFO* pInfo);
    DECLARE_MESSAGE_MAP()

private:
    void EnterFullScreen();
    void LeaveFullScreen();
};
