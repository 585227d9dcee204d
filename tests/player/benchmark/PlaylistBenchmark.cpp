// The playlist's add benchmark as a plain program (the Windows build, run under Wine):
//
//   PlaylistBenchmark [COUNT]        (default 1000)
//
// makes one short clip with the built ffmpeg.exe and COUNT copies of it, then times
//   floor:    the prober and the frame grab once per clip, one after the other, on one thread;
//   playlist: AddPaths of every copy until each row is probed and has its thumbnail;
// and prints both, their ratio and the most tools that ran at once during the playlist's run.
#include "framework/system/PathHelpers.h"
#include "mediatools/MediaToolLocation.h"
#include "player/CPlayerSettings.h"
#include "player/CPlaylistCtrl.h"
#include "player/CPlaylistItem.h"
#include "tests/support/TestWait.h"
#include "tests/support/ToolTestSupport.h"
#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int RunningTools()
{
    DWORD self = GetCurrentProcessId();
    return static_cast<int>(tooltest::ChildProcesses(self, L"ClipInspector.exe").size() +
                            tooltest::ChildProcesses(self, L"ClipConverter.exe").size());
}

double Floor(const CStringArray& paths)
{
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < paths.GetSize(); ++i) {
        CPlaylistItem item;
        if (item.SetMedia(paths[i]) != 0 || item.LoadThumbnail(0) != 0)
            wprintf(L"floor: %s failed\n", static_cast<LPCWSTR>(paths[i]));
    }
    return SecondsSince(start);
}

bool AllThumbnailed(const CPlaylistCtrl& ctrl, int nCount)
{
    if (ctrl.GetItemCount() != nCount)
        return false;
    for (int i = 0; i < nCount; ++i) {
        if (!(ctrl.GetPlaylistItem(i)->m_dwState & ITEM_STATE_THUMBNAIL))
            return false;
    }
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int nCount = argc > 1 ? _wtoi(argv[1]) : 1000;
    LocateMediaTools(tooltest::ToolFolder().c_str());
    g_playerSettings.m_bLoadLastPlaylist = 0;
    std::wstring folder = tooltest::MakeTempFolder(L"kavri playlist benchmark");
    std::wstring clip = folder + L"\\clip.mp4";
    if (!tooltest::MakeMedia(clip, L"-f lavfi -i testsrc=duration=2:size=320x240:rate=25 -c:v libx264 -pix_fmt yuv420p -f mp4")) {
        wprintf(L"ffmpeg.exe could not make the clip\n");
        return 1;
    }
    CStringArray paths;
    for (int i = 0; i < nCount; ++i) {
        CString path;
        path.Format(L"%s\\copy%04d.mp4", folder.c_str(), i);
        CopyFileW(clip.c_str(), path, FALSE);
        paths.Add(path);
    }

    double floor = Floor(paths);

    CWnd parent;
    parent.CreateEx(0, AfxRegisterWndClass(0), L"benchmark", WS_POPUP, CRect(0, 0, 800, 600), nullptr, 0);
    CPlaylistCtrl ctrl;
    if (!ctrl.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 800, 600), &parent, 100)) {
        wprintf(L"the playlist control could not be made\n");
        return 1;
    }
    int nMostTools = 0;
    DWORD lastSample = 0;
    auto start = std::chrono::steady_clock::now();
    ctrl.AddPaths(paths, PENDING_FILE, L"", 0);
    bool bDone = PumpUntil(
        [&] {
            if (GetTickCount() - lastSample >= 100) {
                lastSample = GetTickCount();
                nMostTools = std::max(nMostTools, RunningTools());
            }
            return !ctrl.IsLoading() && !ctrl.m_threads.IsUpdating() && AllThumbnailed(ctrl, nCount);
        },
        4 * 3600 * 1000);
    double playlist = SecondsSince(start);

    wprintf(L"%d clips: floor %.1f s (%.0f ms a clip), playlist %.1f s (%.0f ms a clip), ratio %.2f, "
            L"at most %d tools at once%s\n",
            nCount, floor, 1000 * floor / nCount, playlist, 1000 * playlist / nCount, playlist / floor, nMostTools,
            bDone ? L"" : L" (NOT FINISHED)");
    ctrl.DestroyWindow();
    parent.DestroyWindow();
    tooltest::RemoveFolder(folder);
    return bDone ? 0 : 1;
}
