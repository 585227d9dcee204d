// The playlist pane of the main window and the view of the document template: the first
// update loads the playlist, and the view's commands open and add files, folders, URLs and
// playlist files, take dropped files, move and delete items, set the display options and the
// per-item effects and tracks of the selected item.
#pragma once
#include "classlib/CArray.h"
#include "player/windows/CMediaPlaylistView.h"

// An HDROP handed to the view (wParam): added, or with Shift held the playlist is replaced.
const UINT WM_PLAYLIST_DROP = WM_USER + 8422;

class CPlaylistView : public CMediaPlaylistView {
    DECLARE_DYNCREATE(CPlaylistView)
public:
    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    int GetSelectedIndex() const { return m_playlistCtrl.GetNextSelectedItem(0); }
    CPlaylistItem* GetSelectedItem() const { return m_playlistCtrl.GetPlaylistItem(GetSelectedIndex()); }
    // The dropped paths replace the playlist, or are added to it.
    void TakeDroppedPaths(const CStringArray& paths, BOOL bAdd);
    // Every non-empty trimmed line as a URL added to the playlist; -1 when there is none.
    int AddUrlLines(LPCWSTR pszText);
    // Moves the first selected item by one row up (-1) or down (1); it stays selected.
    int MoveSelected(int nStep);

    // The name Save Playlist writes: a name without extension gets the chosen filter's.
    static CString GetSaveName(LPCWSTR pszPath, int nFilterIndex);

protected:
    void ChooseFiles(BOOL bOpen);
    void ChooseFolder(BOOL bOpen);

    void OnOpenFiles() { ChooseFiles(TRUE); }
    void OnAddFiles() { ChooseFiles(FALSE); }
    void OnOpenFolder() { ChooseFolder(TRUE); }
    void OnAddFolder() { ChooseFolder(FALSE); }
    void OnOpenUrl();
    void OnAddUrls();
    void OnOpenPlaylist();
    void OnSavePlaylist();
    void OnDelete();
    void OnDeleteAll();
    void OnSelectAll();
    void OnMediaInfo();
    void OnPlay();
    void OnMoveUp() { MoveSelected(-1); }
    void OnMoveDown() { MoveSelected(1); }
    void OnRecentPlaylist(UINT nID);
    void OnClearRecentPlaylists();
    void OnITunesAddSelected();
    void OnITunesAddAll();
    void OnShowTitle();
    void OnShowIcon();
    void OnShowDuration();
    void OnShowDefinition();
    void OnGridView();
    void OnListView();
    void OnShowInFolder();
    void OnItemEffect(UINT nID);
    void OnResetEffects();
    void OnTrack(UINT nID);
    void OnDropFiles(HDROP hDrop);
    LRESULT OnPlaylistDrop(WPARAM wParam, LPARAM lParam);

    void OnUpdateDelete(CCmdUI* pCmdUI);
    void OnUpdateNotEmpty(CCmdUI* pCmdUI);
    void OnUpdateHasSelection(CCmdUI* pCmdUI);
    void OnUpdatePlay(CCmdUI* pCmdUI);
    void OnUpdateMoveUp(CCmdUI* pCmdUI);
    void OnUpdateMoveDown(CCmdUI* pCmdUI);
    void OnUpdateNotLoading(CCmdUI* pCmdUI);
    void OnUpdateRecentPlaylist(CCmdUI* pCmdUI);
    void OnUpdateClearRecentPlaylists(CCmdUI* pCmdUI);
    void OnUpdateITunesAddSelected(CCmdUI* pCmdUI);
    void OnUpdateITunesAddAll(CCmdUI* pCmdUI);
    void OnUpdateShowTitle(CCmdUI* pCmdUI);
    void OnUpdateShowIcon(CCmdUI* pCmdUI);
    void OnUpdateShowDuration(CCmdUI* pCmdUI);
    void OnUpdateShowDefinition(CCmdUI* pCmdUI);
    void OnUpdateViewMode(CCmdUI* pCmdUI);
    void OnUpdateShowInFolder(CCmdUI* pCmdUI);
    void OnUpdateItemEffect(CCmdUI* pCmdUI);
    void OnUpdateTrack(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    // Sends the existing files among the items to iTunes.
    void AddToITunes(bool bSelectedOnly);
    // Without iTunes the item leaves its menu; else it is enabled as given.
    void UpdateITunesItem(CCmdUI* pCmdUI, BOOL bEnable);
};
