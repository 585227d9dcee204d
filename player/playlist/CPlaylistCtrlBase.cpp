#include "player/playlist/CPlaylistCtrlBase.h"
#include "classlib/AfxMessageMap.h"
#include "framework/system/FolderScan.h"
#include "framework/system/PathHelpers.h"
#include "framework/system/ShellHelpers.h"
#include "framework/text/CWildcardFilter.h"
#include "player/playback/CItemVideoWnd.h"
#include "player/dialogs/CMediaInfoDlg.h"
#include "player/CPlayerHistory.h"
#include "player/CPlayerSettings.h"
#include "player/playlist/CPlaylistData.h"
#include "player/playlist/CPlaylistFormat.h"
#include "player/playlist/CPlaylistItem.h"
#include "player/playback/PlayerTempFolder.h"
#include "player/windows/PlayerWindows.h"
#include "player/res/PlayerResources.h"
#include <memory>
#include <shlwapi.h>

const wchar_t kOpenFolderPatterns[] = L"*.mp4;*.ts;*.webm;*.flv;*.gif;*.mp3;*.aac;*.ogg";

namespace {

// Sent by a worker thread: lParam points at the work the window thread runs for it.
const UINT WM_RUN_ON_WINDOW_THREAD = WM_USER + 8885;

bool IsValidMediaType(int nType)
{
    return nType >= MEDIA_TYPE_VIDEO && nType <= MEDIA_FILE_TEXT;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPlaylistCtrlBase, CTipListWnd)
    ON_WM_DESTROY()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_MESSAGE(WM_PLAYLIST_ITEM_ADDED, &CPlaylistCtrlBase::OnItemAdded)
    ON_MESSAGE(WM_LOAD_THREAD_DONE, &CPlaylistCtrlBase::OnLoadThreadDone)
    ON_MESSAGE(WM_UPDATE_THREAD_DONE, &CPlaylistCtrlBase::OnUpdateThreadDone)
    ON_MESSAGE(WM_RUN_ON_WINDOW_THREAD, &CPlaylistCtrlBase::OnRunOnWindowThread)
END_MESSAGE_MAP()

CPlaylistLoadGuard::CPlaylistLoadGuard(CPlaylistCtrlBase& ctrl, bool bClear) : m_ctrl(ctrl)
{
    ++m_ctrl.m_nGuardDepth;
    m_ctrl.m_threads.StopLoadThread();
    m_ctrl.m_threads.StopUpdateThreads();
    if (bClear) {
        m_ctrl.m_pendingPaths.clear();
        m_ctrl.DeleteAll();
    }
    m_ctrl.m_nPendingPlayIndex = -1;
}

CPlaylistLoadGuard::~CPlaylistLoadGuard()
{
    if (--m_ctrl.m_nGuardDepth == 0 && !m_ctrl.m_bClosing && !m_ctrl.m_threads.IsLoading())
        m_ctrl.m_threads.StartLoadThread();
}

CPlaylistCtrlBase::CPlaylistCtrlBase() : m_threads(this) {}

CPlaylistCtrlBase::~CPlaylistCtrlBase()
{
    // Rows left when the window never existed: the list frees only its own records.
    for (int i = 0; i < GetItemCount(); ++i)
        delete GetPlaylistItem(i);
}

bool CPlaylistCtrlBase::IsWindowThread() const
{
    return !m_hWnd || GetWindowThreadProcessId(m_hWnd, nullptr) == GetCurrentThreadId();
}

LRESULT CPlaylistCtrlBase::RunOnWindowThread(const std::function<LRESULT()>& work) const
{
    if (IsWindowThread())
        return work();
    return ::SendMessageW(m_hWnd, WM_RUN_ON_WINDOW_THREAD, 0, reinterpret_cast<LPARAM>(&work));
}

LRESULT CPlaylistCtrlBase::OnRunOnWindowThread(WPARAM, LPARAM lParam)
{
    return (*reinterpret_cast<const std::function<LRESULT()>*>(lParam))();
}

// Queueing ------------------------------------------------------------------------------------

void CPlaylistCtrlBase::Queue(LPCWSTR pszPath, int nKind, LPCWSTR pszFilter, int bRecurse)
{
    CPendingPath pending;
    pending.path = pszPath;
    pending.kind = nKind;
    pending.filter = pszFilter;
    pending.recurse = bRecurse;
    m_pendingPaths.push_back(pending);
}

int CPlaylistCtrlBase::OpenPath(LPCWSTR pszPath, int nKind, LPCWSTR pszFilter, int bRecurse)
{
    CPlaylistLoadGuard guard(*this, true);
    Queue(pszPath, nKind, pszFilter, bRecurse);
    m_nPendingPlayIndex = 0;
    return 0;
}

int CPlaylistCtrlBase::OpenPaths(const CStringArray& paths, int nKind, LPCWSTR pszFilter, int bRecurse)
{
    if (paths.GetSize() == 0)
        return -1;
    CPlaylistLoadGuard guard(*this, true);
    for (int i = 0; i < paths.GetSize(); ++i)
        Queue(paths[i], nKind, pszFilter, bRecurse);
    m_nPendingPlayIndex = 0;
    return 0;
}

int CPlaylistCtrlBase::AddPath(LPCWSTR pszPath, int nKind, LPCWSTR pszFilter, int bRecurse)
{
    m_threads.StopUpdateThreads();
    m_nPendingPlayIndex = -1;
    Queue(pszPath, nKind, pszFilter, bRecurse);
    if (!m_threads.IsLoading() && !m_bClosing)
        m_threads.StartLoadThread();
    return 0;
}

int CPlaylistCtrlBase::AddPaths(const CStringArray& paths, int nKind, LPCWSTR pszFilter, int bRecurse)
{
    if (paths.GetSize() == 0)
        return -1;
    m_threads.StopUpdateThreads();
    m_nPendingPlayIndex = -1;
    for (int i = 0; i < paths.GetSize(); ++i)
        Queue(paths[i], nKind, pszFilter, bRecurse);
    if (!m_threads.IsLoading() && !m_bClosing)
        m_threads.StartLoadThread();
    return 0;
}

void CPlaylistCtrlBase::ClearPendingPaths()
{
    m_pendingPaths.clear();
}

bool CPlaylistCtrlBase::TakePendingPath(CPendingPath& pending, const StopFlag* pStopFlag)
{
    // The window thread may answer this while it waits for the thread's end after a stop: the
    // path stays queued then, for the next load thread or for a clearing load guard to drop.
    return RunOnWindowThread([&]() -> LRESULT {
               if (m_pendingPaths.empty() || IsStopRequested(pStopFlag))
                   return 0;
               pending = m_pendingPaths.front();
               m_pendingPaths.pop_front();
               return 1;
           }) != 0;
}

// The load thread -----------------------------------------------------------------------------

void CPlaylistCtrlBase::ProcessPendingPaths(const StopFlag* pStopFlag)
{
    CPendingPath pending;
    while (TakePendingPath(pending, pStopFlag))
        ProcessPendingPath(pending, pStopFlag);
}

int CPlaylistCtrlBase::ProcessPendingPath(CPendingPath& pending, const StopFlag* pStopFlag)
{
    if (pending.path.IsEmpty())
        return -1;
    if (pending.kind == PENDING_DECIDE)
        pending.kind = PathIsDirectoryW(pending.path) ? PENDING_FOLDER : PENDING_FILE;
    if (pending.kind == PENDING_FILE)
        pending.kind = IsPlaylistFileName(pending.path) ? PENDING_PLAYLIST_FILE : PENDING_MEDIA_FILE;
    switch (pending.kind) {
    case PENDING_MEDIA_FILE:
    case PENDING_URL:
        return AddMediaFile(pending.path, pStopFlag);
    case PENDING_PLAYLIST_FILE:
        return LoadPendingPlaylistFile(pending, pStopFlag);
    case PENDING_FOLDER:
        // A folder dropped or named without patterns takes the ones Open Folder offers first.
        return ScanFolder(pending.path, pending.filter.IsEmpty() ? kOpenFolderPatterns : static_cast<LPCWSTR>(pending.filter),
                          pending.recurse, pStopFlag);
    default:
        return -1;
    }
}

int CPlaylistCtrlBase::LoadPendingPlaylistFile(const CPendingPath& pending, const StopFlag* pStopFlag)
{
    int nLastItem = -1;
    int nCount = LoadPlaylistFile(pending.path, nLastItem, pending.addToRecent, pStopFlag, pending.resume != 0);
    // Only the load thread learns that the file gives no rows (a recent playlist's command opens
    // it and returns at once); the recent list belongs to the window thread.
    if (nCount == 0 && pending.addToRecent) {
        RunOnWindowThread([&]() -> LRESULT {
            g_playerHistory.RemoveRecentPlaylist(pending.path);
            return 0;
        });
    }
    return nCount;
}

int CPlaylistCtrlBase::AddPathNow(LPCWSTR pszPath, const StopFlag* pStopFlag)
{
    if (IsPlaylistFileName(pszPath)) {
        int nLastItem = -1;
        return LoadPlaylistFile(pszPath, nLastItem, 1, pStopFlag);
    }
    return AddMediaFile(pszPath, pStopFlag);
}

int CPlaylistCtrlBase::AddMediaFile(LPCWSTR pszPath, const StopFlag* pStopFlag)
{
    if (!g_playerSettings.m_bAllowDuplicates && RunOnWindowThread([&] { return FindPath(pszPath); }))
        return 0;
    std::unique_ptr<CPlaylistItem> pItem(new CPlaylistItem);
    if (pItem->SetMedia(pszPath, pStopFlag) != 0) {
        pItem->DeleteTempThumbnail();
        return 0;
    }
    CPlaylistItem* pNew = pItem.release();
    return static_cast<int>(RunOnWindowThread([&]() -> LRESULT {
        if (AddItemAndNotify(pNew) < 0) {
            delete pNew;
            return 0;
        }
        OnPlaylistChanged();
        g_playerHistory.AddRecentFile(pNew->m_strPath);
        return 1;
    }));
}

int CPlaylistCtrlBase::LoadPlaylistFile(LPCWSTR pszPath, int& nLastItem, int bAddToRecent, const StopFlag* pStopFlag,
                                        bool bResume)
{
    if (!FileExists(pszPath))
        return 0;
    std::unique_ptr<CPlaylistFormat> pFormat(CreatePlaylistFormat(pszPath));
    if (!pFormat)
        return 0;
    CPlaylistData data(TRUE);  // owns what is not handed to the rows yet
    if (pFormat->Read(pszPath, data) != 0)
        return 0;
    // A probe may wait long on the network: the window thread, and a list opened whole, leave it
    // to the update threads, which also probe what a stopped load did not reach. Every row has
    // its texts at once.
    bool bProbe = !IsWindowThread() && !bResume;
    for (int i = 0; i < data.m_items.GetSize(); ++i) {
        CPlaylistItem* pItem = data.m_items[i];
        if (pItem->m_mediaInfo.MediaType >= 0 && !IsValidMediaType(pItem->m_mediaInfo.MediaType))
            pItem->m_dwFlags &= ~ITEM_FLAG_PROBED;
        if (bProbe && !IsStopRequested(pStopFlag))
            pItem->LoadMediaInfo(0, pStopFlag);
        pItem->PrepareDisplayInfo();
    }
    nLastItem = data.m_nLastItem;
    CString path = pszPath;
    return static_cast<int>(RunOnWindowThread([&]() -> LRESULT {
        if (bResume && data.m_items.GetSize() > 0) {
            m_nLastPlayedIndex = -1;
            if (g_playerSettings.m_bAutoResumeInterrupted && nLastItem != -1)
                m_nPendingPlayIndex = GetItemCount() + nLastItem;
        }
        int nAdded = 0;
        for (int i = 0; i < data.m_items.GetSize(); ++i) {
            int nIndex = COwnerDrawListCtrl::AddItem(reinterpret_cast<DWORD_PTR>(data.m_items[i]), FALSE);
            // The row waiting to be played starts as any added row does.
            if (nIndex == m_nPendingPlayIndex && m_hWnd)
                PostMessageW(WM_PLAYLIST_ITEM_ADDED, static_cast<WPARAM>(nIndex), 0);
            ++nAdded;
        }
        data.m_items.RemoveAll();
        if (nAdded == 0)
            return 0;
        UpdateScrollRange();
        OnPlaylistChanged();
        if (bAddToRecent)
            g_playerHistory.AddRecentPlaylist(path);
        return nAdded;
    }));
}

int CPlaylistCtrlBase::ScanFolder(LPCWSTR pszFolder, LPCWSTR pszFilter, int bRecurse, const StopFlag* pStopFlag)
{
    if (!FolderExists(pszFolder))
        return 0;
    CWildcardFilter filter;
    filter.SetPatterns(pszFilter, false);
    int nAdded = 0;
    ScanFolderFiles(pszFolder, filter, bRecurse != 0, pStopFlag,
                    [&](const CString& path) { nAdded += AddPathNow(path, pStopFlag); });
    return nAdded;
}

// Playlist files ------------------------------------------------------------------------------

int CPlaylistCtrlBase::OpenPlaylistFile(LPCWSTR pszPath, int bPlay, int bAddToRecent)
{
    if (!FileExists(pszPath))
        return -1;
    CPlaylistLoadGuard guard(*this, true);
    Queue(pszPath, PENDING_PLAYLIST_FILE, L"", 0);
    m_pendingPaths.back().resume = 1;
    m_pendingPaths.back().addToRecent = bAddToRecent;
    // A stored last item that resumes takes this row's place once the file is read.
    if (bPlay)
        m_nPendingPlayIndex = 0;
    return 0;
}

int CPlaylistCtrlBase::SavePlaylistFile(LPCWSTR pszPath, int bEmbedImages, int bAddToRecent)
{
    CString path = pszPath;
    if (PathFindExtensionW(path)[0] == 0)
        path += L".playlist";
    std::unique_ptr<CPlaylistFormat> pFormat(CreatePlaylistFormat(path));
    if (!pFormat)
        return -1;
    CPlaylistData data(FALSE);
    for (int i = 0; i < GetItemCount(); ++i)
        data.m_items.Add(GetPlaylistItem(i));
    data.m_nLastItem = m_nLastPlayedIndex;
    if (pFormat->Write(path, data, bEmbedImages) != 0)
        return -1;
    if (bAddToRecent)
        g_playerHistory.AddRecentPlaylist(path);
    return static_cast<int>(data.m_items.GetSize());
}

// Rows ----------------------------------------------------------------------------------------

int CPlaylistCtrlBase::AddItem(CPlaylistItem* pItem)
{
    if (!pItem)
        return -1;
    return COwnerDrawListCtrl::AddItem(reinterpret_cast<DWORD_PTR>(pItem), TRUE);
}

int CPlaylistCtrlBase::AddItemAndNotify(CPlaylistItem* pItem)
{
    int nIndex = AddItem(pItem);
    if (nIndex >= 0 && m_hWnd)
        PostMessageW(WM_PLAYLIST_ITEM_ADDED, static_cast<WPARAM>(nIndex), 0);
    return nIndex;
}

int CPlaylistCtrlBase::DestroyItem(CListItem* pListItem)
{
    if (!pListItem)
        return -1;
    CPlaylistItem* pItem = reinterpret_cast<CPlaylistItem*>(pListItem->m_data);
    if (pItem) {
        pItem->DeleteTempThumbnail();
        delete pItem;
    }
    return COwnerDrawListCtrl::DestroyItem(pListItem);
}

void CPlaylistCtrlBase::CloseCurrentIf(bool bCondition)
{
    if (bCondition && g_pVideoWnd && g_pVideoWnd->m_pCurrentItem)
        g_pVideoWnd->Close(0);
}

void CPlaylistCtrlBase::ShiftLastPlayedAfterDelete(int nIndex)
{
    // The load guard has cleared the pending row already; the remembered one moves with its row.
    if (m_nLastPlayedIndex == nIndex)
        m_nLastPlayedIndex = -1;
    else if (m_nLastPlayedIndex > nIndex)
        --m_nLastPlayedIndex;
}

int CPlaylistCtrlBase::DeleteItemAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return -1;
    CPlaylistLoadGuard guard(*this, false);
    CloseCurrentIf(CurrentIndex() == nIndex);
    ShiftLastPlayedAfterDelete(nIndex);
    DeleteItem(nIndex, TRUE);
    OnPlaylistChanged();
    return 0;
}

void CPlaylistCtrlBase::DeleteSelected()
{
    if (GetSelectedCount() == 0)
        return;
    CPlaylistLoadGuard guard(*this, false);
    int nCurrent = CurrentIndex();
    CloseCurrentIf(nCurrent >= 0 && IsSelected(nCurrent));
    // From the last row up, so each shift sees the indexes of the rows still there.
    for (int i = GetItemCount() - 1; i >= 0; --i) {
        if (IsSelected(i))
            ShiftLastPlayedAfterDelete(i);
    }
    DeleteSelectedItems(TRUE);
    OnPlaylistChanged();
}

void CPlaylistCtrlBase::DeleteAll()
{
    CloseCurrentIf(true);
    m_nLastPlayedIndex = m_nPendingPlayIndex = -1;
    ++m_nGuardDepth;
    m_threads.StopLoadThread();
    m_threads.StopUpdateThreads();
    --m_nGuardDepth;
    DeleteAllItems(TRUE);
    OnPlaylistChanged();
}

int CPlaylistCtrlBase::MoveItem(int nFrom, int nTo, BOOL bRefresh)
{
    // The load thread adds rows by index, the update threads read them by index.
    if (IsLoading())
        return -1;
    m_threads.StopUpdateThreads();
    int nResult = CTipListWnd::MoveItem(nFrom, nTo, bRefresh);
    if (!m_bClosing)
        m_threads.StartUpdateThreads();
    if (nResult == 0)
        OnPlaylistChanged();  // the caption's "n/count" names the playing row's new place
    return nResult;
}

int CPlaylistCtrlBase::SwapItems(int nIndex1, int nIndex2, BOOL bRedraw)
{
    if (IsLoading())
        return -1;
    m_threads.StopUpdateThreads();
    int nResult = CTipListWnd::SwapItems(nIndex1, nIndex2, bRedraw);
    if (!m_bClosing)
        m_threads.StartUpdateThreads();
    return nResult;
}

CPlaylistItem* CPlaylistCtrlBase::GetPlaylistItem(int nIndex) const
{
    return reinterpret_cast<CPlaylistItem*>(GetItemData(nIndex));
}

int CPlaylistCtrlBase::FindItem(const CPlaylistItem* pItem) const
{
    return pItem ? FindItemByData(reinterpret_cast<DWORD_PTR>(pItem)) : -1;
}

int CPlaylistCtrlBase::FindPath(LPCWSTR pszPath) const
{
    for (int i = 0; i < GetItemCount(); ++i) {
        if (GetPlaylistItem(i)->m_strPath.CompareNoCase(pszPath) == 0)
            return 1;
    }
    return 0;
}

LONGLONG CPlaylistCtrlBase::GetTotalDuration() const
{
    LONGLONG total = 0;
    for (int i = 0; i < GetItemCount(); ++i) {
        LONGLONG duration = GetPlaylistItem(i)->m_mediaInfo.DurationInUs;
        if (duration > 0)
            total += duration / 1000;
    }
    return total;
}

void CPlaylistCtrlBase::RedrawItem(CPlaylistItem* pItem)
{
    int nIndex = FindItem(pItem);
    if (nIndex >= 0)
        InvalidateItem(nIndex, FALSE);
}

int CPlaylistCtrlBase::OpenItemFolder(int nIndex)
{
    CPlaylistItem* pItem = GetPlaylistItem(nIndex);
    if (!pItem || (pItem->m_dwFlags & ITEM_FLAG_URL))
        return -1;
    if (!FolderExists(GetFolderOfPath(pItem->m_strPath))) {
        MessageBox(L"Folder does not exist!");
        return -1;
    }
    return ShowInExplorer(pItem->m_strPath);
}

int CPlaylistCtrlBase::ShowItemInfo(int nIndex)
{
    return ShowItemInfo(GetPlaylistItem(nIndex));
}

int CPlaylistCtrlBase::ShowItemInfo(CPlaylistItem* pItem)
{
    if (!pItem)
        return -1;
    pItem->LoadMediaInfo(0);
    CMediaInfoDlg dlg(pItem->m_strPath, &pItem->m_mediaInfo, this);
    dlg.DoModal();
    return 0;
}

// Playing -------------------------------------------------------------------------------------

int CPlaylistCtrlBase::CurrentIndex() const
{
    return g_pVideoWnd ? FindItem(g_pVideoWnd->m_pCurrentItem) : -1;
}

int CPlaylistCtrlBase::PlayIndex(int nIndex, int nPlacement)
{
    CPlaylistItem* pItem = GetPlaylistItem(nIndex);
    if (!pItem)
        return -1;
    m_nPendingPlayIndex = -1;
    return g_pVideoWnd ? g_pVideoWnd->PlayItem(pItem, nPlacement) : -1;
}

int CPlaylistCtrlBase::PlaySelectedOrLast()
{
    int nIndex = GetNextSelectedItem(0);
    if (nIndex < 0)
        nIndex = m_nLastPlayedIndex >= 0 ? m_nLastPlayedIndex : 0;
    return PlayIndex(nIndex, 0);
}

CPlaylistItem* CPlaylistCtrlBase::GetPreviousItem(int nRepeat) const
{
    int nIndex = CurrentIndex();
    if (nIndex < 0)
        return nullptr;
    if (nRepeat == REPEAT_CURRENT)
        return GetPlaylistItem(nIndex);
    if (--nIndex < 0)
        return nRepeat == REPEAT_ALL ? GetPlaylistItem(GetItemCount() - 1) : nullptr;
    return GetPlaylistItem(nIndex);
}

CPlaylistItem* CPlaylistCtrlBase::GetNextItem(int nRepeat) const
{
    int nIndex = CurrentIndex();
    if (nIndex < 0)
        return nullptr;
    if (nRepeat == REPEAT_CURRENT)
        return GetPlaylistItem(nIndex);
    if (++nIndex >= GetItemCount())
        return nRepeat == REPEAT_ALL ? GetPlaylistItem(0) : nullptr;
    return GetPlaylistItem(nIndex);
}

LRESULT CPlaylistCtrlBase::OnItemAdded(WPARAM wParam, LPARAM)
{
    if (m_bClosing)
        return 0;
    if (m_nPendingPlayIndex != -1 && m_nPendingPlayIndex == static_cast<int>(wParam))
        PlayIndex(static_cast<int>(wParam), PLACEMENT_PLAY_VIEW);
    return 0;
}

// Update threads ------------------------------------------------------------------------------

void CPlaylistCtrlBase::UpdateItemsFrom(int nStart, const StopFlag* pStopFlag)
{
    for (int i = nStart; i < GetItemCount() && !IsStopRequested(pStopFlag); i += 2)
        UpdateItem(i, GetPlaylistItem(i), pStopFlag);
}

void CPlaylistCtrlBase::UpdateItem(int nIndex, CPlaylistItem* pItem, const StopFlag* pStopFlag)
{
    if (IsStopRequested(pStopFlag) || !pItem)
        return;
    if (!(pItem->m_dwFlags & ITEM_FLAG_PROBED))
        ProbeItem(pItem, pStopFlag);
    if (!(pItem->m_dwState & ITEM_STATE_THUMBNAIL))
        BuildItemThumbnail(pItem, pStopFlag);
}

void CPlaylistCtrlBase::ProbeItem(CPlaylistItem* pItem, const StopFlag* pStopFlag)
{
    CPlaylistItem scratch;
    scratch.m_strPath = pItem->m_strPath;
    if (scratch.LoadMediaInfo(0, pStopFlag) != 0)
        return;
    RunOnWindowThread([&]() -> LRESULT {
        if (FindItem(pItem) < 0)
            return 0;
        pItem->m_mediaInfo = std::move(scratch.m_mediaInfo);
        pItem->m_dwFlags |= ITEM_FLAG_PROBED;
        pItem->m_dwState &= ~ITEM_STATE_TEXTS;
        pItem->PrepareDisplayInfo();
        RedrawItem(pItem);
        OnPlaylistChanged();
        return 1;
    });
}

void CPlaylistCtrlBase::BuildItemThumbnail(CPlaylistItem* pItem, const StopFlag* pStopFlag)
{
    // The thumbnail is built on a copy of what it needs: the window thread paints the row
    // meanwhile, and takes the finished picture over itself.
    CPlaylistItem scratch;
    scratch.m_strPath = pItem->m_strPath;
    scratch.m_strThumbnailFile = pItem->m_strThumbnailFile;
    scratch.m_nMediaType = pItem->m_nMediaType;
    scratch.m_mediaInfo.DurationInUs = pItem->m_mediaInfo.DurationInUs;
    if (const CMediaStreamInfo* pVideo = pItem->m_mediaInfo.GetVideoStream()) {
        auto* pCopy = new CMediaStreamInfo(*pVideo);
        scratch.m_mediaInfo.StreamList.Add(pCopy);
        scratch.m_mediaInfo.VideoStreams.Add(pCopy);
        scratch.m_mediaInfo.SelectedVideoStream = 0;
    }
    if (scratch.LoadThumbnail(0, pStopFlag) != 0)
        return;
    RunOnWindowThread([&]() -> LRESULT {
        if (FindItem(pItem) < 0)
            return 0;
        pItem->m_thumbnail.MoveFrom(scratch.m_thumbnail);
        pItem->m_dwFlags |= scratch.m_dwFlags & (ITEM_FLAG_SIDE_IMAGE | ITEM_FLAG_GRABBED_FRAME);
        pItem->m_dwState |= ITEM_STATE_THUMBNAIL;
        RedrawItem(pItem);
        return 1;
    });
}

LRESULT CPlaylistCtrlBase::OnLoadThreadDone(WPARAM, LPARAM)
{
    m_threads.OnLoadThreadDone();
    if (m_bClosing || m_nGuardDepth > 0)
        return 0;
    // Paths queued while the thread was finishing are loaded by a new one.
    if (m_pendingPaths.empty())
        m_nPendingPlayIndex = -1;
    m_threads.StartLoadThread();
    return 0;
}

LRESULT CPlaylistCtrlBase::OnUpdateThreadDone(WPARAM wParam, LPARAM lParam)
{
    m_threads.OnUpdateThreadDone(wParam, lParam);
    return 0;
}

// Mouse ---------------------------------------------------------------------------------------

BOOL CPlaylistCtrlBase::PreTranslateMessage(MSG* pMsg)
{
    CItemVideoWnd* pVideo = g_pVideoWnd;
    if (!pVideo || !pVideo->m_hWnd || pMsg->hwnd != pVideo->m_hWnd || ::GetParent(pVideo->m_hWnd) != m_hWnd)
        return CTipListWnd::PreTranslateMessage(pMsg);
    if (pMsg->message == WM_MOUSEMOVE) {
        int nCurrent = CurrentIndex();
        if (nCurrent >= 0 && nCurrent != m_nHotItem)
            SetHotItem(nCurrent, TRUE);
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, pVideo->m_hWnd, 0};
        ::TrackMouseEvent(&tme);
        return TRUE;
    }
    if (pMsg->message == WM_MOUSELEAVE) {
        SetHotItem(-1, TRUE);
        return TRUE;
    }
    if (pMsg->message >= WM_LBUTTONDOWN && pMsg->message <= WM_MBUTTONDBLCLK) {
        POINT point = {static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam))};
        ::MapWindowPoints(pVideo->m_hWnd, m_hWnd, &point, 1);
        PostMessageW(pMsg->message, pMsg->wParam, MAKELPARAM(point.x, point.y));
        return TRUE;
    }
    return CTipListWnd::PreTranslateMessage(pMsg);
}

void CPlaylistCtrlBase::OnRButtonDown(UINT nFlags, CPoint point)
{
    int nHot = m_nHotItem;
    if (nHot >= 0 && SubItemHitTest(&nHot, point.x, point.y) == ID_PLAYLIST_PLAY) {
        SetSubItemPressed(m_nHotItem, ID_PLAYLIST_PLAY);
        return;
    }
    CTipListWnd::OnRButtonDown(nFlags, point);
}

void CPlaylistCtrlBase::OnRButtonUp(UINT nFlags, CPoint point)
{
    int nHot = m_nHotItem;
    if (nHot >= 0) {
        SetSubItemPressed(nHot, -1);
        int nItem = nHot;
        // A right click on the play button plays the item inside the playlist.
        if (SubItemHitTest(&nItem, point.x, point.y) == ID_PLAYLIST_PLAY) {
            OnSubItemClick(nHot, ID_PLAYLIST_PLAY, 1);
            return;
        }
    }
    m_nPressedSubItem = -1;
    Default();
}

// Closing -------------------------------------------------------------------------------------

void CPlaylistCtrlBase::CloseCurrentForResume()
{
    int nCurrent = CurrentIndex();
    if (nCurrent < 0)
        return;
    m_nLastPlayedIndex = nCurrent;
    g_pVideoWnd->Close(1);
}

void CPlaylistCtrlBase::OnDestroy()
{
    m_bClosing = 1;
    m_threads.StopLoadThread();
    m_threads.StopUpdateThreads();
    // The main window's close has done this already; a control that goes on its own does it here.
    CloseCurrentForResume();
    if (g_playerSettings.m_bLoadLastPlaylist)
        SavePlaylistFile(g_playerSettings.GetDefaultPlaylistPath(), 1, 0);
    if (GetItemCount() == 0)
        ClearTempFolder();
    CTipListWnd::OnDestroy();
}
