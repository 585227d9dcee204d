// The playlist model: the rows of the list are CPlaylistItem objects (the row data, owned by
// the row). Paths wait in a queue for the load thread, which probes and adds them; two update
// threads then probe the rows added without a probe and build the thumbnails. Only the window
// thread changes rows and the queue: the threads hand it their requests, new rows and finished
// thumbnails by sent messages, so that nothing else needs a lock. Opening, deleting and
// reordering first stop the threads.
#pragma once
#include "classlib/CArray.h"
#include "player/playlist/CPlaylistThreadOwner.h"
#include "player/playlist/CPlaylistThreads.h"
#include "player/windows/CTipListWnd.h"
#include <deque>
#include <functional>

class CPlaylistItem;

// Posted to the control for every row added (wParam its index); the row waiting to be played
// starts then.
const UINT WM_PLAYLIST_ITEM_ADDED = WM_USER + 8883;

// Kinds of queued paths.
const int PENDING_DECIDE = 0;
const int PENDING_FILE = 10;
const int PENDING_MEDIA_FILE = 11;
const int PENDING_PLAYLIST_FILE = 12;
const int PENDING_FOLDER = 20;
const int PENDING_URL = 30;

// The patterns Open Folder offers first; a folder queued without a filter is scanned with them.
extern const wchar_t kOpenFolderPatterns[];

// One request for the load thread.
struct CPendingPath {
    CString path;
    int kind = PENDING_DECIDE;
    CString filter;  // folders: the wildcard patterns
    int recurse = 0;  // folders: scan subfolders
    int resume = 0;   // playlist files: opened whole (its last item resumes; the update threads probe)
    int addToRecent = 1;  // playlist files: among the recent playlists while it gives rows
};

class CPlaylistCtrlBase : public CTipListWnd, public CPlaylistThreadOwner {
public:
    CPlaylistCtrlBase();
    ~CPlaylistCtrlBase() override;

    // Replace the playlist; the first row added plays.
    int OpenPath(LPCWSTR pszPath, int nKind, LPCWSTR pszFilter, int bRecurse);
    int OpenPaths(const CStringArray& paths, int nKind, LPCWSTR pszFilter, int bRecurse);  // -1 none
    // Append; nothing starts playing.
    int AddPath(LPCWSTR pszPath, int nKind, LPCWSTR pszFilter, int bRecurse);
    int AddPaths(const CStringArray& paths, int nKind, LPCWSTR pszFilter, int bRecurse);  // -1 none
    // Removes every path still waiting for the load thread.
    void ClearPendingPaths();

    // Load thread (or window thread): a playlist file, else a media file. Items added.
    int AddPathNow(LPCWSTR pszPath, const StopFlag* pStopFlag = nullptr);
    // Probes the file and adds its row: 1, or 0 (a duplicate, a failed probe).
    int AddMediaFile(LPCWSTR pszPath, const StopFlag* pStopFlag = nullptr);
    // Replaces the playlist by the file's items, read on the load thread so that the window paints
    // meanwhile: -1 when the file does not exist, else 0 at once. Its last item plays when
    // AutoResumeInterrupted is on, else row 0 with bPlay.
    int OpenPlaylistFile(LPCWSTR pszPath, int bPlay, int bAddToRecent);
    // Appends the file's items: how many (0 on any failure); its last item in nLastItem. With
    // resume, the last item becomes the row to play when AutoResumeInterrupted is on, and the
    // rows come in unprobed, at once.
    int LoadPlaylistFile(LPCWSTR pszPath, int& nLastItem, int bAddToRecent, const StopFlag* pStopFlag = nullptr,
                         bool bResume = false);
    // The count, -1 on failure; ".playlist" is appended to a name without extension.
    int SavePlaylistFile(LPCWSTR pszPath, int bEmbedImages, int bAddToRecent);
    // Adds the files matching the filter, with recurse those of sub-folders too (ScanFolderFiles).
    int ScanFolder(LPCWSTR pszFolder, LPCWSTR pszFilter, int bRecurse, const StopFlag* pStopFlag = nullptr);

    int DeleteItemAt(int nIndex);  // -1 out of range
    void DeleteSelected();
    void DeleteAll();
    // Appends a row for the item (the row owns it then): its index, or -1.
    int AddItem(CPlaylistItem* pItem);
    int AddItemAndNotify(CPlaylistItem* pItem);
    // Reordering: refused (-1) while the load thread runs; the update threads pause around it.
    int MoveItem(int nFrom, int nTo, BOOL bRefresh) override;
    int SwapItems(int nIndex1, int nIndex2, BOOL bRedraw) override;

    CPlaylistItem* GetPlaylistItem(int nIndex) const;  // null outside the rows
    int FindItem(const CPlaylistItem* pItem) const;    // -1 when not a row
    int CurrentIndex() const;                          // the video window's item, -1
    int PlayIndex(int nIndex, int nPlacement);         // -1 out of range or no video window
    int PlaySelectedOrLast();
    CPlaylistItem* GetPreviousItem(int nRepeat) const;
    CPlaylistItem* GetNextItem(int nRepeat) const;
    int FindPath(LPCWSTR pszPath) const;  // 1 found (any letter case), 0
    LONGLONG GetTotalDuration() const;    // milliseconds
    int OpenItemFolder(int nIndex);
    // Probes the item when it has not been and shows what is known in the media information
    // dialog. -1 without an item.
    int ShowItemInfo(int nIndex);
    int ShowItemInfo(CPlaylistItem* pItem);
    void RedrawItem(CPlaylistItem* pItem);
    // Closes what plays as interrupted (its position kept for a resume) and makes its row the
    // last played one, which the saved playlist resumes at. Nothing while no row plays.
    void CloseCurrentForResume();
    BOOL IsLoading() const { return m_threads.IsLoading(); }
    int GetPendingCount() const { return static_cast<int>(m_pendingPaths.size()); }

    // The threads' side.
    HWND GetThreadOwnerWindow() const override { return m_hWnd; }
    bool HasPendingPaths() const override { return !m_pendingPaths.empty(); }
    int GetItemCount() const override { return COwnerDrawListCtrl::GetItemCount(); }
    void ProcessPendingPaths(const StopFlag* pStopFlag) override;
    void UpdateItemsFrom(int nStart, const StopFlag* pStopFlag) override;
    int ProcessPendingPath(CPendingPath& pending, const StopFlag* pStopFlag);
    // Update thread: probes a row added without a probe, then builds its thumbnail.
    void UpdateItem(int nIndex, CPlaylistItem* pItem, const StopFlag* pStopFlag);

    int DestroyItem(CListItem* pItem) override;
    // The video window inside the control (playing in the playlist): the mouse over it acts on
    // the control.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    int m_nPendingPlayIndex = -1;
    int m_nLastPlayedIndex = -1;
    std::deque<CPendingPath> m_pendingPaths;
    CPlaylistThreads m_threads;
    int m_bClosing = 0;
    int m_nGuardDepth = 0;  // inside a load guard: a thread's end starts nothing

protected:
    // The derived control's status (count and duration) after the rows changed.
    virtual void OnPlaylistChanged() {}
    bool IsWindowThread() const;  // also without a window
    // Runs the function on the window thread (sent from a worker) and returns its result.
    LRESULT RunOnWindowThread(const std::function<LRESULT()>& work) const;

    void OnDestroy();
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    LRESULT OnItemAdded(WPARAM wParam, LPARAM lParam);
    LRESULT OnLoadThreadDone(WPARAM wParam, LPARAM lParam);
    LRESULT OnUpdateThreadDone(WPARAM wParam, LPARAM lParam);
    LRESULT OnRunOnWindowThread(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    friend class CPlaylistLoadGuard;

private:
    void Queue(LPCWSTR pszPath, int nKind, LPCWSTR pszFilter, int bRecurse);
    bool TakePendingPath(CPendingPath& pending, const StopFlag* pStopFlag);  // none once a stop is asked
    int LoadPendingPlaylistFile(const CPendingPath& pending, const StopFlag* pStopFlag);
    // Update thread: the probe and the thumbnail are made apart from the row and handed over.
    void ProbeItem(CPlaylistItem* pItem, const StopFlag* pStopFlag);
    void BuildItemThumbnail(CPlaylistItem* pItem, const StopFlag* pStopFlag);
    void CloseCurrentIf(bool bCondition);
    void ShiftLastPlayedAfterDelete(int nIndex);
};

// The load guard of the operations that change rows: on entry the load thread is stopped and
// waited for and the update threads stopped (the clearing form also empties the queue and the
// rows); on exit the load thread starts for what is queued, else the update threads.
class CPlaylistLoadGuard {
public:
    CPlaylistLoadGuard(CPlaylistCtrlBase& ctrl, bool bClear);
    ~CPlaylistLoadGuard();
    CPlaylistLoadGuard(const CPlaylistLoadGuard&) = delete;
    CPlaylistLoadGuard& operator=(const CPlaylistLoadGuard&) = delete;

private:
    CPlaylistCtrlBase& m_ctrl;
};
