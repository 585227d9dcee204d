// The display pane of the player: the play view with the player's display window, its mouse
// and keyboard shortcuts, its context menu and the commands that change the item being played
// (picture filters, speed, volume, tracks), each of which restarts the playback so that the
// change applies.
#pragma once
#include "player/windows/CMediaPlayView.h"
#include "player/playback/VideoDisplayWnd.h"

class CPlayView : public CMediaPlayView {
    DECLARE_DYNCREATE(CPlayView)
public:
    CPlayView();

    VideoDisplayWnd& GetDisplayWnd() { return static_cast<VideoDisplayWnd&>(m_videoWnd); }
    CPlaylistItem* GetCurrentItem() const { return m_videoWnd.m_pCurrentItem; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnInitialUpdate() override;

protected:
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnMediaInfo();
    void OnUpdateMediaInfo(CCmdUI* pCmdUI);
    void OnItemSetting(UINT nID);
    void OnUpdateItemSetting(CCmdUI* pCmdUI);
    void OnResetFilters();
    void OnUpdateResetFilters(CCmdUI* pCmdUI);
    void OnTrack(UINT nID);
    void OnUpdateTrack(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
