#include "player/windows/CPlaylistView.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CFrameWnd.h"
#include "classlib/CMenu.h"
#include "framework/dialogs/CFileSelectDlg.h"
#include "framework/dialogs/CFolderSelectDlg.h"
#include "framework/system/ITunesBridge.h"
#include "framework/system/PathHelpers.h"
#include "framework/system/ShellHelpers.h"
#include "framework/text/TextHelpers.h"
#include "player/dialogs/CAddUrlsDlg.h"
#include "player/playback/CItemVideoWnd.h"
#include "player/dialogs/COpenUrlDlg.h"
#include "player/playback/ItemSettingCommands.h"
#include "player/CPlayerHistory.h"
#include "player/CPlayerSettings.h"
#include "player/CPlayerUIResources.h"
#include "player/playlist/CPlaylistItem.h"
#include "player/windows/PlayerWindows.h"
#include "player/res/PlayerResources.h"
#include <shellapi.h>
#include <shlwapi.h>

namespace {

const wchar_t kMediaFilter[] =
    L"All Files (*.*)|*.*|MP4 Files (*.mp4)|*.mp4|WEBM Files (*.webm)|*.webm|TS Files (*.ts)|*.ts|"
    L"FLV Files (*.flv)|*.flv|GIF Files (*.gif)|*.gif|MP3 Files (*.mp3)|*.mp3|AAC Files (*.aac)|*.aac|"
    L"OGG Files (*.ogg)|*.ogg|Playlist Files (*.playlist;*.m3u;*.pls)|*.playlist;*.m3u;*.pls||";
const wchar_t kPlaylistOpenFilter[] = L"Playlist Files (*.playlist;*.m3u;*.pls)|*.playlist;*.m3u;*.pls||";
const wchar_t kPlaylistSaveFilter[] = L"Playlist File (*.playlist)|*.playlist|M3U File (*.m3u)|*.m3u|PLS File (*.pls)|*.pls||";
const wchar_t kAddFolderPatterns[] = L"*.mp4;*.webm;*.ts;*.flv;*.gif;*.mp3;*.aac;*.ogg";

}  // namespace

IMPLEMENT_DYNCREATE(CPlaylistView, CMediaPlaylistView)

BEGIN_MESSAGE_MAP(CPlaylistView, CMediaPlaylistView)
    ON_WM_DROPFILES()
    ON_MESSAGE(WM_PLAYLIST_DROP, &CPlaylistView::OnPlaylistDrop)
    ON_COMMAND(ID_FILE_OPEN_FILES, &CPlaylistView::OnOpenFiles)
    ON_COMMAND(ID_FILE_ADD_FILES, &CPlaylistView::OnAddFiles)
    ON_COMMAND(ID_FILE_OPEN_FOLDER, &CPlaylistView::OnOpenFolder)
    ON_COMMAND(ID_FILE_ADD_FOLDER, &CPlaylistView::OnAddFolder)
    ON_COMMAND(ID_FILE_OPEN_URL, &CPlaylistView::OnOpenUrl)
    ON_COMMAND(ID_FILE_ADD_URLS, &CPlaylistView::OnAddUrls)
    ON_COMMAND(ID_PLAYLIST_OPEN, &CPlaylistView::OnOpenPlaylist)
    ON_COMMAND(ID_PLAYLIST_SAVE, &CPlaylistView::OnSavePlaylist)
    ON_COMMAND(ID_PLAYLIST_DELETE, &CPlaylistView::OnDelete)
    ON_COMMAND(ID_PLAYLIST_DELETE_ALL, &CPlaylistView::OnDeleteAll)
    ON_COMMAND(ID_PLAYLIST_SELECT_ALL, &CPlaylistView::OnSelectAll)
    ON_COMMAND(ID_MEDIA_INFO, &CPlaylistView::OnMediaInfo)
    ON_COMMAND(ID_PLAYLIST_PLAY, &CPlaylistView::OnPlay)
    ON_COMMAND(ID_PLAYLIST_MOVE_UP, &CPlaylistView::OnMoveUp)
    ON_COMMAND(ID_PLAYLIST_MOVE_DOWN, &CPlaylistView::OnMoveDown)
    ON_COMMAND_RANGE(ID_RECENT_PLAYLIST_FIRST, ID_RECENT_PLAYLIST_LAST, &CPlaylistView::OnRecentPlaylist)
    ON_COMMAND(ID_CLEAR_RECENT_PLAYLISTS, &CPlaylistView::OnClearRecentPlaylists)
    ON_COMMAND(ID_ITUNES_ADD_SELECTED, &CPlaylistView::OnITunesAddSelected)
    ON_COMMAND(ID_ITUNES_ADD_ALL, &CPlaylistView::OnITunesAddAll)
    ON_COMMAND(ID_PLAYLIST_SHOW_TITLE, &CPlaylistView::OnShowTitle)
    ON_COMMAND(ID_PLAYLIST_SHOW_ICON, &CPlaylistView::OnShowIcon)
    ON_COMMAND(ID_PLAYLIST_SHOW_DURATION, &CPlaylistView::OnShowDuration)
    ON_COMMAND(ID_PLAYLIST_SHOW_DEFINITION, &CPlaylistView::OnShowDefinition)
    ON_COMMAND(ID_PLAYLIST_GRID_VIEW, &CPlaylistView::OnGridView)
    ON_COMMAND(ID_PLAYLIST_LIST_VIEW, &CPlaylistView::OnListView)
    ON_COMMAND(ID_PLAYLIST_SHOW_IN_FOLDER, &CPlaylistView::OnShowInFolder)
    ON_COMMAND_RANGE(ID_ROTATE_90, ID_ROTATE_270, &CPlaylistView::OnItemEffect)
    ON_COMMAND_RANGE(ID_PICTURE_OLD_PHOTO, ID_PICTURE_NEGATE, &CPlaylistView::OnItemEffect)
    ON_COMMAND_RANGE(ID_SPEED_DOUBLE, ID_SPEED_HALF, &CPlaylistView::OnItemEffect)
    ON_COMMAND_RANGE(ID_ITEM_VOLUME_150, ID_ITEM_VOLUME_300, &CPlaylistView::OnItemEffect)
    ON_COMMAND(ID_EFFECTS_RESET, &CPlaylistView::OnResetEffects)
    ON_COMMAND_RANGE(ID_VIDEO_TRACK_OFF, ID_VIDEO_TRACK_LAST, &CPlaylistView::OnTrack)
    ON_COMMAND_RANGE(ID_AUDIO_TRACK_OFF, ID_AUDIO_TRACK_LAST, &CPlaylistView::OnTrack)
    ON_COMMAND_RANGE(ID_SUBTITLE_TRACK_OFF, ID_SUBTITLE_TRACK_LAST, &CPlaylistView::OnTrack)
    ON_UPDATE_COMMAND_UI(ID_PLAYLIST_DELETE, &CPlaylistView::OnUpdateDelete)
    ON_UPDATE_COMMAND_UI(ID_PLAYLIST_DELETE_ALL, &CPlaylistView::OnUpdateNotEmpty)
    ON_UPDATE_COMMAND_UI(ID_PLAYLIST_SELECT_ALL, &CPlaylistView::OnUpdateNotEmpty)
    ON_UPDATE_COMMAND_UI(ID_PLAYLIST_SAVE, &CPlaylistView::OnUpdateNotEmpty)
    ON_UPDATE_COMMAND_UI(ID_MEDIA_INFO, &CPlaylistView::OnUpdateHasSelection)
    ON_UPDATE_COMMAND_UI(ID_PLAYLIST_PLAY, &CPlaylistView::OnUpdatePlay)
    ON_UPDATE_COMMAND_UI(ID_PLAYLIST_MOVE_UP, &CPlaylistView::OnUpdateMoveUp)
    ON_UPDATE_COMMAND_UI(ID_PLAYLIST_MOVE_DOWN, &CPlaylistView::OnUpdateMoveDown)
    ON_UPDATE_COMMAND_UI(ID_FILE_ADD_FILES, &CPlaylistView::OnUpdateNotLoading)
    ON_UPDATE_COMMAND_UI(ID_FILE_ADD_FOLDER, &CPlaylistView::OnUpdateNotLoading)
    ON_UPDATE_COMMAND_UI(ID_FILE_ADD_URLS, &CPlaylistView::OnUpdateNotLoading)
    ON_UPDATE_COMMAND_UI_RANGE(ID_RECENT_PLAYLIST_FIRST, ID_RECENT_PLAYLIST_LAST, &CPlaylistView::OnUpdateRecentPlaylist)
    ON_UPDATE_COMMAND_UI(ID_CLEAR_RECENT_PLAYLISTS, &CPlaylistView::OnUpdateClearRecentPlaylists)
    ON_UPDATE_COMMAND_UI(ID_ITUNES_ADD_SELECTED, &CPlaylistView::OnUpdateITunesAddSelected)
    ON_UPDATE_COMMAND_UI(ID_ITUNES_ADD_ALL, &CPlaylistView::OnUpdateITunesAddAll)
    ON_UPDATE_COMMAND_UI(ID_PLAYLIST_SHOW_TITLE, &CPlaylistView::OnUpdateShowTitle)
    ON_UPDATE_COMMAND_UI(ID_PLAYLIST_SHOW_ICON, &CPlaylistView::OnUpdateShowIcon)
    ON_UPDATE_COMMAND_UI(ID_PLAYLIST_SHOW_DURATION, &CPlaylistView::OnUpdateShowDuration)
    ON_UPDATE_COMMAND_UI(ID_PLAYLIST_SHOW_DEFINITION, &CPlaylistView::OnUpdateShowDefinition)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PLAYLIST_GRID_VIEW, ID_PLAYLIST_LIST_VIEW, &CPlaylistView::OnUpdateViewMode)
    ON_UPDATE_COMMAND_UI(ID_PLAYLIST_SHOW_IN_FOLDER, &CPlaylistView::OnUpdateShowInFolder)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ROTATE_90, ID_ROTATE_270, &CPlaylistView::OnUpdateItemEffect)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PICTURE_OLD_PHOTO, ID_PICTURE_NEGATE, &CPlaylistView::OnUpdateItemEffect)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SPEED_DOUBLE, ID_SPEED_HALF, &CPlaylistView::OnUpdateItemEffect)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ITEM_VOLUME_150, ID_ITEM_VOLUME_300, &CPlaylistView::OnUpdateItemEffect)
    ON_UPDATE_COMMAND_UI(ID_EFFECTS_RESET, &CPlaylistView::OnUpdateHasSelection)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIDEO_TRACK_OFF, ID_VIDEO_TRACK_LAST, &CPlaylistView::OnUpdateTrack)
    ON_UPDATE_COMMAND_UI_RANGE(ID_AUDIO_TRACK_OFF, ID_AUDIO_TRACK_LAST, &CPlaylistView::OnUpdateTrack)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SUBTITLE_TRACK_OFF, ID_SUBTITLE_TRACK_LAST, &CPlaylistView::OnUpdateTrack)
END_MESSAGE_MAP()

void CPlaylistView::OnInitialUpdate()
{
    CMediaPlaylistView::OnInitialUpdate();
    if (!g_bStartWithoutFiles) {
        CString path = GetDocument() ? GetDocument()->GetPathName() : CString();
        if (!path.IsEmpty())
            m_playlistCtrl.OpenPath(path, PENDING_FILE, L"", 1);
    } else if (g_playerSettings.m_bLoadLastPlaylist) {
        m_playlistCtrl.OpenPlaylistFile(g_playerSettings.GetDefaultPlaylistPath(), 0, 0);
    }
    m_playlistCtrl.UpdateTileSize();
}

BOOL CPlaylistView::PreTranslateMessage(MSG* pMsg)
{
    // A double click on the empty part of the playlist.
    if (pMsg->message == WM_LBUTTONDBLCLK && GetSelectedIndex() < 0) {
        bool bPlain = ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0;
        if (bPlain && g_pPlayerMainWindow && g_pPlayerMainWindow->IsOnePaneMode()) {
            ShowPlayPane();
        } else if (CFrameWnd* pFrame = GetTopLevelFrame()) {
            pFrame->PostMessage(WM_COMMAND, ID_VIEW_FULL_SCREEN);
        }
        return TRUE;
    }
    return CMediaPlaylistView::PreTranslateMessage(pMsg);
}

// Files, folders and playlists ----------------------------------------------------------------

void CPlaylistView::ChooseFiles(BOOL bOpen)
{
    CFileSelectDlg dlg(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kMediaFilter,
                       this);
    CString folder = g_playerHistory.GetInitialFolder(INITIAL_FOLDER_MEDIA);
    dlg.GetOFN().lpstrTitle = bOpen ? L"Open File(s)" : L"Add Files";
    dlg.GetOFN().nFilterIndex = g_playerSettings.m_nFilterIndex;
    dlg.GetOFN().lpstrInitialDir = folder;
    if (dlg.DoModal() != IDOK)
        return;
    CStringArray paths;
    for (POSITION pos = dlg.GetStartPosition(); pos;)
        paths.Add(dlg.GetNextPathName(pos));
    if (paths.GetSize() == 0)
        return;
    if (bOpen)
        m_playlistCtrl.OpenPaths(paths, PENDING_FILE, L"", 0);
    else
        m_playlistCtrl.AddPaths(paths, PENDING_FILE, L"", 1);
    g_playerSettings.m_nFilterIndex = static_cast<int>(dlg.GetOFN().nFilterIndex);
}

void CPlaylistView::ChooseFolder(BOOL bOpen)
{
    CFolderSelectDlg dlg(this);
    dlg.m_strTitle = bOpen ? L"Open Folder" : L"Add Folder";
    dlg.m_strDescription = bOpen ? L"Open Folder to Play" : L"Add Folder to Playlist";
    dlg.m_strInitialFolder = g_playerHistory.GetInitialFolder(INITIAL_FOLDER_LAST);
    dlg.m_strPatterns = CString(bOpen ? kOpenFolderPatterns : kAddFolderPatterns) + L"|*.*";
    dlg.m_bScanSubfolders = g_playerSettings.m_bLastScanSubfolders;
    if (dlg.DoModal() != IDOK)
        return;
    if (bOpen)
        m_playlistCtrl.OpenPath(dlg.m_strFolder, PENDING_FOLDER, dlg.m_strPattern, dlg.m_bScanSubfolders);
    else
        m_playlistCtrl.AddPath(dlg.m_strFolder, PENDING_FOLDER, dlg.m_strPattern, dlg.m_bScanSubfolders);
    g_playerSettings.m_strLastFolder = dlg.m_strFolder;
    g_playerSettings.m_bLastScanSubfolders = dlg.m_bScanSubfolders;
}

void CPlaylistView::OnOpenPlaylist()
{
    CFileSelectDlg dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kPlaylistOpenFilter, this);
    CString folder = g_playerHistory.GetInitialFolder(INITIAL_FOLDER_PLAYLIST);
    dlg.GetOFN().lpstrTitle = L"Open Playlist";
    dlg.GetOFN().lpstrInitialDir = folder;
    if (dlg.DoModal() == IDOK)
        m_playlistCtrl.OpenPlaylistFile(dlg.GetPathName(), 0, 1);
}

CString CPlaylistView::GetSaveName(LPCWSTR pszPath, int nFilterIndex)
{
    CString path = pszPath;
    if (PathFindExtensionW(path)[0] == 0)
        path += nFilterIndex == 3 ? L".pls" : nFilterIndex == 2 ? L".m3u" : L".playlist";
    return path;
}

void CPlaylistView::OnSavePlaylist()
{
    CFileSelectDlg dlg(FALSE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kPlaylistSaveFilter, this);
    CString folder = g_playerHistory.GetInitialFolder(INITIAL_FOLDER_PLAYLIST);
    dlg.GetOFN().lpstrTitle = L"Save Playlist";
    dlg.GetOFN().lpstrInitialDir = folder;
    if (dlg.DoModal() != IDOK)
        return;
    CString path = GetSaveName(dlg.GetPathName(), static_cast<int>(dlg.GetOFN().nFilterIndex));
    if (m_playlistCtrl.SavePlaylistFile(path, 1, 1) < 0)
        MessageBox(L"The playlist could not be saved.", nullptr, MB_ICONWARNING);
}

void CPlaylistView::OnOpenUrl()
{
    COpenUrlDlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    CString url = dlg.m_strUrl;
    url.Trim();
    if (!url.IsEmpty())
        m_playlistCtrl.OpenPath(url, PENDING_URL, L"", 1);
}

void CPlaylistView::OnAddUrls()
{
    CAddUrlsDlg dlg(this);
    if (dlg.DoModal() == IDOK)
        AddUrlLines(dlg.m_strUrls);
}

int CPlaylistView::AddUrlLines(LPCWSTR pszText)
{
    CStringArray urls;
    SplitString(pszText, urls, L"\n", true, true);
    return m_playlistCtrl.AddPaths(urls, PENDING_URL, L"", 1);
}

void CPlaylistView::OnRecentPlaylist(UINT nID)
{
    int nIndex = static_cast<int>(nID - ID_RECENT_PLAYLIST_FIRST);
    if (nIndex >= g_playerHistory.m_recentPlaylists.GetCount())
        return;
    CString path = g_playerHistory.m_recentPlaylists.GetAt(nIndex);
    // A file that gives no rows leaves the list once the load thread has read it.
    if (m_playlistCtrl.OpenPlaylistFile(path, 0, 1) < 0)
        g_playerHistory.RemoveRecentPlaylist(nIndex);
}

void CPlaylistView::OnClearRecentPlaylists()
{
    g_playerHistory.ClearRecentPlaylists();
}

// Items ---------------------------------------------------------------------------------------

void CPlaylistView::OnDelete()
{
    m_playlistCtrl.DeleteSelected();
}

void CPlaylistView::OnDeleteAll()
{
    m_playlistCtrl.ClearPendingPaths();
    m_playlistCtrl.DeleteAll();
}

void CPlaylistView::OnSelectAll()
{
    m_playlistCtrl.SelectAllItems(TRUE);
}

void CPlaylistView::OnMediaInfo()
{
    m_playlistCtrl.ShowItemInfo(GetSelectedIndex());
}

void CPlaylistView::OnPlay()
{
    m_playlistCtrl.PlayIndex(GetSelectedIndex(), PLACEMENT_PLAY_VIEW);
}

int CPlaylistView::MoveSelected(int nStep)
{
    int nIndex = GetSelectedIndex();
    int nTarget = nIndex + nStep;
    if (nIndex < 0 || nTarget < 0 || nTarget >= m_playlistCtrl.GetItemCount())
        return -1;
    if (m_playlistCtrl.MoveItem(nIndex, nTarget, TRUE) != 0)
        return -1;
    m_playlistCtrl.SelectItem(nTarget, TRUE, TRUE, TRUE, FALSE);
    m_playlistCtrl.SetFocusItem(nTarget, TRUE);
    m_playlistCtrl.EnsureVisible(nTarget);
    return 0;
}

void CPlaylistView::AddToITunes(bool bSelectedOnly)
{
    CStringArray files;
    for (int i = 0; i < m_playlistCtrl.GetItemCount(); ++i) {
        CPlaylistItem* pItem = m_playlistCtrl.GetPlaylistItem(i);
        if ((!bSelectedOnly || m_playlistCtrl.IsSelected(i)) && PathFileExistsW(pItem->m_strPath))
            files.Add(pItem->m_strPath);
    }
    if (files.GetSize() > 0)
        AddFilesToITunes(files, 0, TRUE);
}

void CPlaylistView::OnITunesAddSelected()
{
    AddToITunes(true);
}

void CPlaylistView::OnITunesAddAll()
{
    AddToITunes(false);
}

void CPlaylistView::OnShowInFolder()
{
    m_playlistCtrl.OpenItemFolder(GetSelectedIndex());
}

void CPlaylistView::OnItemEffect(UINT nID)
{
    if (CPlaylistItem* pItem = GetSelectedItem())
        ApplyItemSetting(*pItem, nID);
}

void CPlaylistView::OnResetEffects()
{
    if (CPlaylistItem* pItem = GetSelectedItem())
        pItem->ResetFilters();
}

void CPlaylistView::OnTrack(UINT nID)
{
    if (CPlaylistItem* pItem = GetSelectedItem())
        ApplyTrackChoice(*pItem, nID);
}

// Display options -----------------------------------------------------------------------------

void CPlaylistView::OnShowTitle()
{
    g_playerSettings.m_bShowTitle = !g_playerSettings.m_bShowTitle;
    m_playlistCtrl.UpdateTileSize();
}

void CPlaylistView::OnShowIcon()
{
    g_playerSettings.m_bShowIcon = !g_playerSettings.m_bShowIcon;
    m_playlistCtrl.Refresh();
}

void CPlaylistView::OnShowDuration()
{
    g_playerSettings.m_bShowDuration = !g_playerSettings.m_bShowDuration;
    m_playlistCtrl.Invalidate(FALSE);
}

void CPlaylistView::OnShowDefinition()
{
    g_playerSettings.m_bShowDefinition = !g_playerSettings.m_bShowDefinition;
    m_playlistCtrl.Invalidate(FALSE);
}

void CPlaylistView::OnGridView()
{
    m_playlistCtrl.SetViewMode(PLAYLIST_VIEW_GRID);
}

void CPlaylistView::OnListView()
{
    m_playlistCtrl.SetViewMode(PLAYLIST_VIEW_LIST);
}

// Dropped files -------------------------------------------------------------------------------

void CPlaylistView::TakeDroppedPaths(const CStringArray& paths, BOOL bAdd)
{
    if (bAdd)
        m_playlistCtrl.AddPaths(paths, PENDING_DECIDE, L"", 1);
    else
        m_playlistCtrl.OpenPaths(paths, PENDING_DECIDE, L"", 1);
}

void CPlaylistView::OnDropFiles(HDROP hDrop)
{
    // Dropped onto the playlist the files are added, elsewhere they replace it; Shift inverts.
    BOOL bAdd = FALSE;
    if (IsWindowVisible()) {
        CRect rect;
        GetWindowRect(&rect);
        POINT point;
        ::GetCursorPos(&point);
        bAdd = rect.PtInRect(point);
    }
    if (::GetKeyState(VK_SHIFT) < 0)
        bAdd = !bAdd;
    CStringArray paths;
    GetDroppedPaths(hDrop, paths);
    DragFinish(hDrop);
    TakeDroppedPaths(paths, bAdd);
}

LRESULT CPlaylistView::OnPlaylistDrop(WPARAM wParam, LPARAM)
{
    CStringArray paths;
    GetDroppedPaths(reinterpret_cast<HDROP>(wParam), paths);
    bool bReplace = ::GetKeyState(VK_SHIFT) < 0;
    TakeDroppedPaths(paths, !bReplace);
    CWnd* pFrame = GetTopLevelFrame();
    if (bReplace && pFrame) {
        if (pFrame->IsIconic())
            pFrame->ShowWindow(SW_RESTORE);
        pFrame->SetForegroundWindow();
    }
    return 0;
}

// Update handlers -----------------------------------------------------------------------------

void CPlaylistView::OnUpdateDelete(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetSelectedIndex() >= 0 && !m_playlistCtrl.IsLoading());
}

void CPlaylistView::OnUpdateNotEmpty(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_playlistCtrl.GetItemCount() > 0);
}

void CPlaylistView::OnUpdateHasSelection(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetSelectedIndex() >= 0);
}

void CPlaylistView::OnUpdatePlay(CCmdUI* pCmdUI)
{
    bool bShown = !g_pPlayerMainWindow || g_pPlayerMainWindow->GetShownPane() == PANE_PLAYLIST;
    pCmdUI->Enable(bShown && GetSelectedIndex() >= 0);
}

void CPlaylistView::OnUpdateMoveUp(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetSelectedIndex() > 0);
}

void CPlaylistView::OnUpdateMoveDown(CCmdUI* pCmdUI)
{
    int nIndex = GetSelectedIndex();
    pCmdUI->Enable(nIndex >= 0 && nIndex < m_playlistCtrl.GetItemCount() - 1);
}

void CPlaylistView::OnUpdateNotLoading(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_playlistCtrl.IsLoading());
}

void CPlaylistView::OnUpdateRecentPlaylist(CCmdUI* pCmdUI)
{
    g_playerHistory.m_recentPlaylists.UpdateMenu(pCmdUI, 0);
}

void CPlaylistView::OnUpdateClearRecentPlaylists(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(g_playerHistory.m_recentPlaylists.GetCount() > 0);
}

void CPlaylistView::UpdateITunesItem(CCmdUI* pCmdUI, BOOL bEnable)
{
    if (g_playerUIResources.m_bITunesInstalled) {
        pCmdUI->Enable(bEnable);
        return;
    }
    if (!pCmdUI->m_pMenu)
        return;
    HMENU hMenu = pCmdUI->m_pMenu->m_hMenu;
    ::DeleteMenu(hMenu, pCmdUI->m_nIndex, MF_BYPOSITION);
    --pCmdUI->m_nIndex;
    --pCmdUI->m_nIndexMax;
    // A separator the iTunes entries leave at the end of the menu (or doubled) goes with them.
    int nBefore = static_cast<int>(pCmdUI->m_nIndex);
    int nCount = ::GetMenuItemCount(hMenu);
    auto isSeparator = [hMenu](int nPos) { return (::GetMenuState(hMenu, nPos, MF_BYPOSITION) & MF_SEPARATOR) != 0; };
    if (nBefore >= 0 && isSeparator(nBefore) && (nBefore + 1 == nCount || isSeparator(nBefore + 1))) {
        ::DeleteMenu(hMenu, nBefore, MF_BYPOSITION);
        --pCmdUI->m_nIndex;
        --pCmdUI->m_nIndexMax;
    }
}

void CPlaylistView::OnUpdateITunesAddSelected(CCmdUI* pCmdUI)
{
    UpdateITunesItem(pCmdUI, GetSelectedIndex() >= 0);
}

void CPlaylistView::OnUpdateITunesAddAll(CCmdUI* pCmdUI)
{
    UpdateITunesItem(pCmdUI, m_playlistCtrl.GetItemCount() > 0);
}

void CPlaylistView::OnUpdateShowTitle(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(g_playerSettings.m_bShowTitle != 0);
    pCmdUI->Enable(m_playlistCtrl.IsGridMode());
}

void CPlaylistView::OnUpdateShowIcon(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(g_playerSettings.m_bShowIcon != 0);
    pCmdUI->Enable(!m_playlistCtrl.IsGridMode());
}

void CPlaylistView::OnUpdateShowDuration(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(g_playerSettings.m_bShowDuration != 0);
    pCmdUI->Enable(m_playlistCtrl.IsGridMode());
}

void CPlaylistView::OnUpdateShowDefinition(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(g_playerSettings.m_bShowDefinition != 0);
}

void CPlaylistView::OnUpdateViewMode(CCmdUI* pCmdUI)
{
    UINT nShown = m_playlistCtrl.IsGridMode() ? ID_PLAYLIST_GRID_VIEW : ID_PLAYLIST_LIST_VIEW;
    pCmdUI->SetRadio(pCmdUI->m_nID == nShown);
}

void CPlaylistView::OnUpdateShowInFolder(CCmdUI* pCmdUI)
{
    CPlaylistItem* pItem = GetSelectedItem();
    pCmdUI->Enable(pItem && !(pItem->m_dwFlags & ITEM_FLAG_URL));
}

void CPlaylistView::OnUpdateItemEffect(CCmdUI* pCmdUI)
{
    UpdateItemSetting(GetSelectedItem(), pCmdUI);
}

void CPlaylistView::OnUpdateTrack(CCmdUI* pCmdUI)
{
    UpdateTrackChoice(GetSelectedItem(), pCmdUI);
}
