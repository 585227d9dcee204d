// The playlist control as its load and update threads see it: the window their end messages
// go to, and the work they run. The stop flag they pass holds 20 once a stop is asked for; the
// work hands it on to every tool run, which then ends within the tools' grace time.
#pragma once
#include "framework/system/StopFlag.h"
#include <windows.h>

// Posted to the owner window: the load thread is done (0, 0); an update thread is done
// (wParam its slot, lParam the thread object).
const UINT WM_LOAD_THREAD_DONE = WM_USER + 8882;
const UINT WM_UPDATE_THREAD_DONE = WM_USER + 8892;

// The stop value of the threads' flags, the one the tool runners obey.
const int PLAYLIST_THREAD_STOP = 20;

class CPlaylistThreadOwner {
public:
    virtual ~CPlaylistThreadOwner() = default;
    virtual HWND GetThreadOwnerWindow() const = 0;
    virtual bool HasPendingPaths() const = 0;
    virtual int GetItemCount() const = 0;
    // Load thread: takes the pending paths one by one until none is left or a stop is asked.
    virtual void ProcessPendingPaths(const StopFlag* pStopFlag) = 0;
    // Update thread: rows nStart, nStart + 2, ... while no stop is asked.
    virtual void UpdateItemsFrom(int nStart, const StopFlag* pStopFlag) = 0;
    // Window thread: the load thread has started or ended.
    virtual void OnLoadingChanged() {}
};
