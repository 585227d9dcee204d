// The two-pane container of the player's main window: the display view and the playlist view
// side by side (mode 1) or one at a time (mode 2). Showing a pane also moves the one video
// window to where it is seen (the display view, or the playlist's playing row while the
// playlist pane shows alone), shows the menu bar with the playlist and hides it with the
// video, and tells the control bar which pane shows.
#pragma once
#include "framework/controls/CPaneSplitter.h"

class CPlayView;
class CPlaylistView;

class CViewContainerWnd : public CPaneSplitter {
public:
    CViewContainerWnd();    // mode from the Layout setting
    ~CViewContainerWnd() override;  // mode back into the Layout setting

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The playlist view (id 10) and the display view (id 20) of the context's document.
    BOOL CreatePanes(CCreateContext* pContext);
    // 0 the display view, 1 the playlist view.
    BOOL ShowPane(int nPane) override;
    void MoveVideoWindowTo(CWnd* pWnd);

    CPlaylistView* m_pPlaylistView = nullptr;
    CPlayView* m_pDisplayView = nullptr;

protected:
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
