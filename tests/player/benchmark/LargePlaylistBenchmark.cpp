// A 10,000-item playlist as a plain program (the Windows build, run under Wine):
//
//   LargePlaylistBenchmark [COUNT]        (default 10000)
//
// makes one short clip with the built ffmpeg.exe, probes it and grabs its thumbnail once, saves
// it as a one-item ".playlist" and repeats its item COUNT times into a second ".playlist" (the
// items already probed, their thumbnails embedded, as the default playlist keeps them). Then it
// times, in an 800 x 600 playlist window:
//   add:    that file loaded as the default playlist is at start (on the load thread) until every
//           row is in, and until the worker threads have nothing left to do; meanwhile the longest
//           time the window thread spent in one call or one message, which is how long the window
//           could not paint;
//   scroll: one step (WM_VSCROLL SB_LINEDOWN through to its repaint) and one wheel notch, median
//           and worst of 200, in grid and in list mode;
//   open:   Open Playlist of the same file over those rows, timed as the add is.
#include "mediatools/MediaToolLocation.h"
#include "player/CPlayerSettings.h"
#include "player/playlist/CPlaylistCtrl.h"
#include "player/playlist/CPlaylistItem.h"
#include "tests/support/BenchmarkTiming.h"
#include "tests/support/ToolTestSupport.h"
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// One step, timed 200 times, in milliseconds.
template <class F>
TimeStats MeasureMs(F step)
{
    TimeStats us = Measure(200, step);
    return {us.median / 1000, us.worst / 1000};
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL bDone = WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(hFile);
    return bDone && written == bytes.size();
}

// The one-item playlist's <Item> element repeated nCount times in its place.
bool RepeatItem(const std::wstring& onePath, const std::wstring& manyPath, int nCount)
{
    std::string one = tooltest::ReadFileBytes(onePath);
    size_t start = one.find("<Item");
    size_t end = one.find("</Item>");
    if (start == std::string::npos || end == std::string::npos)
        return false;
    start = one.rfind('\n', start) + 1;
    end = one.find('\n', end) + 1;
    std::string item = one.substr(start, end - start);
    std::string many = one.substr(0, start);
    many.reserve(one.size() + item.size() * nCount);
    for (int i = 0; i < nCount; ++i)
        many += item;
    many += one.substr(end);
    return WriteBytes(manyPath, many);
}

// A probed item with its thumbnail, saved alone.
bool SaveOneItem(CWnd& parent, const std::wstring& clip, const std::wstring& path)
{
    CPlaylistCtrl ctrl;
    if (!ctrl.Create(WS_CHILD, CRect(0, 0, 100, 100), &parent, 101))
        return false;
    auto* pItem = new CPlaylistItem;
    if (pItem->SetMedia(clip.c_str()) != 0 || pItem->LoadThumbnail(0) != 0) {
        delete pItem;
        return false;
    }
    ctrl.AddItem(pItem);
    bool bSaved = ctrl.SavePlaylistFile(path.c_str(), 1, 0) == 1;
    ctrl.DestroyWindow();
    return bSaved;
}

// Pumps the window thread's messages until done() holds (at most 600 s): whether it did, and
// the longest time one message took, sent ones included.
bool PumpTimed(const std::function<bool()>& done, double& longestMs)
{
    double start = NowUs();
    while (!done()) {
        if (NowUs() - start > 600e6)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        for (;;) {
            double before = NowUs();
            MSG message;
            bool bMessage = PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != 0;
            if (bMessage)
                DispatchMessageW(&message);
            longestMs = std::max(longestMs, (NowUs() - before) / 1000);
            if (!bMessage)
                break;
        }
    }
    return true;
}

// The file opened as the default playlist is at start (bAddToRecent 0) or by Open Playlist (1):
// true when every row came in and the threads ended.
bool MeasureOpen(CPlaylistCtrl& ctrl, const std::wstring& path, int nCount, int bAddToRecent, const wchar_t* pszHow)
{
    double start = NowUs();
    bool bQueued = ctrl.OpenPlaylistFile(path.c_str(), 0, bAddToRecent) == 0;
    double call = (NowUs() - start) / 1000;
    double longest = call;
    bool bAdded = bQueued && PumpTimed([&] { return ctrl.GetItemCount() >= nCount || !ctrl.IsLoading(); }, longest);
    double added = (NowUs() - start) / 1000;
    bool bIdle = bAdded && PumpTimed([&] { return !ctrl.IsLoading() && !ctrl.m_threads.IsUpdating(); }, longest);
    double idle = (NowUs() - start) / 1000;
    int nAdded = ctrl.GetItemCount();
    wprintf(
        L"%ls: %d items from a %.1f MB .playlist: added in %.0f ms (%.1f us an item), worker threads idle after "
        L"%.0f ms%s; the call took %.1f ms, the window thread held at most %.1f ms at a time\n",
        pszHow, nAdded, static_cast<double>(tooltest::FileSize(path)) / 1e6, added, 1000 * added / std::max(1, nAdded),
        idle, bIdle ? L"" : L" (NOT IDLE)", call, longest);
    return nAdded == nCount && bIdle;
}

void MeasureScrolling(CPlaylistCtrl& ctrl, int nMode, const wchar_t* pszName)
{
    ctrl.SetViewMode(nMode);
    ctrl.SetScrollPos(0);
    ctrl.UpdateWindow();
    TimeStats step = MeasureMs([&] {
        if (ctrl.GetScrollPos(SB_VERT) >= ctrl.GetScrollMaxPos(SB_VERT))
            ctrl.SetScrollPos(0);
        ctrl.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        ctrl.UpdateWindow();
    });
    ctrl.SetScrollPos(0);
    CRect rect;
    ctrl.GetWindowRect(&rect);
    TimeStats wheel = MeasureMs([&] {
        if (ctrl.GetScrollPos(SB_VERT) >= ctrl.GetScrollMaxPos(SB_VERT))
            ctrl.SetScrollPos(0);
        ctrl.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                         MAKELPARAM(rect.left + 100, rect.top + 100));
        ctrl.UpdateWindow();
    });
    wprintf(L"%-5ls scroll step median %6.2f ms worst %6.2f ms | wheel notch median %6.2f ms worst %6.2f ms\n", pszName,
            step.median, step.worst, wheel.median, wheel.worst);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int nCount = argc > 1 ? _wtoi(argv[1]) : 10000;
    LocateMediaTools(tooltest::ToolFolder().c_str());
    g_playerSettings.m_bLoadLastPlaylist = 0;
    std::wstring folder = tooltest::MakeTempFolder(L"kavri large playlist");
    std::wstring clip = folder + L"\\clip.mp4";
    std::wstring one = folder + L"\\one.playlist", many = folder + L"\\many.playlist";
    CWnd parent;
    parent.CreateEx(0, AfxRegisterWndClass(0), L"Large playlist benchmark", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                    820, 640, nullptr, nullptr);
    parent.ShowWindow(SW_SHOWNOACTIVATE);
    if (!tooltest::MakeMedia(clip, tooltest::kClipH264Aac) || !SaveOneItem(parent, clip, one) ||
        !RepeatItem(one, many, nCount)) {
        wprintf(L"the clip or its playlists could not be made in %s\n", folder.c_str());
        return 1;
    }

    CPlaylistCtrl ctrl;
    if (!ctrl.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 800, 600), &parent, 100)) {
        wprintf(L"the playlist control could not be made\n");
        return 1;
    }
    bool bAdded = MeasureOpen(ctrl, many, nCount, 0, L"Default playlist at start");
    MeasureScrolling(ctrl, PLAYLIST_VIEW_GRID, L"grid");
    MeasureScrolling(ctrl, PLAYLIST_VIEW_LIST, L"list");
    bool bOpened = MeasureOpen(ctrl, many, nCount, 1, L"Open Playlist of the same file");
    ctrl.DestroyWindow();
    parent.DestroyWindow();
    tooltest::RemoveFolder(folder);
    return bAdded && bOpened ? 0 : 1;
}
