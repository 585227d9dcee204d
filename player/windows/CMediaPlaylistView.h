// The view that holds the playlist control over its whole client area.
#pragma once
#include "classlib/CView.h"
#include "player/playlist/CPlaylistCtrl.h"

class CMediaPlaylistView : public CView {
    DECLARE_DYNAMIC(CMediaPlaylistView)
public:
    void OnDraw(CDC* pDC) override {}
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    CPlaylistCtrl m_playlistCtrl;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
