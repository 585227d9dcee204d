// The view that contains the video display window and keeps it over its whole client area.
// The window is the view's child while the display view shows it; the player may move it
// into the playlist, and the view then leaves it alone.
#pragma once
#include "classlib/CView.h"
#include "player/playback/CItemVideoWnd.h"
#include <memory>

const UINT VIDEO_WINDOW_ID = 200;

class CMediaPlayView : public CView {
    DECLARE_DYNCREATE(CMediaPlayView)
public:
    CMediaPlayView();

    void OnDraw(CDC* pDC) override {}
    // Moves the display window over the client area while it is this view's child, shown only
    // when it has something to show.
    void FitVideoWindow();

    // The display window, made by the view: a derived view hands in its own kind.
    std::unique_ptr<CItemVideoWnd> m_pVideoWnd;
    CItemVideoWnd& m_videoWnd;

protected:
    explicit CMediaPlayView(CItemVideoWnd* pVideoWnd);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()
};
