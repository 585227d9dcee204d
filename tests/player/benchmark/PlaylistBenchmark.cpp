// The playlist's add benchmark as a plain program (the Windows build, run under Wine):
//
//   PlaylistBenchmark [COUNT] [MINUTES]        (defaults 1000 clips, 240 minutes a phase)
//
// makes one short clip with the built ffmpeg.exe and COUNT copies of it, then times
//   floor:    the prober and the frame grab once per clip, one after the other, on one thread;
//   playlist: AddPaths of every copy until each row is probed and has its thumbnail;
// and prints both, their ratio and the most tools that ran at once during the playlist's run.
// A phase that runs out of its minutes ends there with what it finished. The floor costs the
// same for every clip, so a part of it still gives its time a clip; the playlist probes every
// row before it builds any thumbnail, so only a finished run of it gives a ratio. Progress lines
// go out as it runs.
#include "framework/system/PathHelpers.h"
#include "mediatools/MediaToolLocation.h"
#include "player/CPlayerSettings.h"
#include "player/playlist/CPlaylistCtrl.h"
#include "player/playlist/CPlaylistItem.h"
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

// What a phase did: its time, the clips it probed and those it finished (probed and with a
// thumbnail) in that time.
struct Phase {
    double seconds = 0;
    int probed = 0;
    int clips = 0;
    double MsAClip() const { return clips > 0 ? 1000 * seconds / clips : 0; }
};

void Progress(LPCWSTR phase, const Phase& done, int nCount, std::chrono::steady_clock::time_point start)
{
    wprintf(L"%ls: %d probed, %d finished of %d clips in %.1f s\n", phase, done.probed, done.clips, nCount,
            SecondsSince(start));
    fflush(stdout);
}

Phase Floor(const CStringArray& paths, double limitSeconds)
{
    auto start = std::chrono::steady_clock::now();
    Phase phase;
    while (phase.clips < paths.GetSize() && SecondsSince(start) < limitSeconds) {
        CPlaylistItem item;
        const CString& path = paths[phase.clips];
        if (item.SetMedia(path) != 0 || item.LoadThumbnail(0) != 0)
            wprintf(L"floor: %ls failed\n", static_cast<LPCWSTR>(path));
        phase.probed = ++phase.clips;
        if (phase.clips % 25 == 0)
            Progress(L"floor", phase, static_cast<int>(paths.GetSize()), start);
    }
    phase.seconds = SecondsSince(start);
    return phase;
}

int ThumbnailedRows(const CPlaylistCtrl& ctrl)
{
    int nDone = 0;
    for (int i = 0; i < ctrl.GetItemCount(); ++i) {
        if (ctrl.GetPlaylistItem(i)->m_dwState & ITEM_STATE_THUMBNAIL)
            ++nDone;
    }
    return nDone;
}

// The playlist's run; nMostTools is the most tools seen running at once, sampled every 100 ms.
Phase Playlist(CPlaylistCtrl& ctrl, const CStringArray& paths, double limitSeconds, int& nMostTools)
{
    int nCount = static_cast<int>(paths.GetSize());
    DWORD lastSample = 0;
    DWORD lastProgress = GetTickCount();
    auto start = std::chrono::steady_clock::now();
    Phase phase;
    ctrl.AddPaths(paths, PENDING_FILE, L"", 0);
    PumpUntil(
        [&] {
            if (GetTickCount() - lastSample >= 100) {
                lastSample = GetTickCount();
                nMostTools = std::max(nMostTools, RunningTools());
            }
            phase.probed = ctrl.GetItemCount();
            phase.clips = ThumbnailedRows(ctrl);
            if (GetTickCount() - lastProgress >= 30000) {
                lastProgress = GetTickCount();
                Progress(L"playlist", phase, nCount, start);
            }
            return !ctrl.IsLoading() && !ctrl.m_threads.IsUpdating() && phase.probed == nCount &&
                   phase.clips == nCount;
        },
        static_cast<DWORD>(limitSeconds * 1000));
    phase.seconds = SecondsSince(start);
    return phase;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int nCount = argc > 1 ? _wtoi(argv[1]) : 1000;
    double limitSeconds = 60.0 * (argc > 2 ? _wtoi(argv[2]) : 240);
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

    Phase floor = Floor(paths, limitSeconds);

    CWnd parent;
    parent.CreateEx(0, AfxRegisterWndClass(0), L"benchmark", WS_POPUP, CRect(0, 0, 800, 600), nullptr, 0);
    CPlaylistCtrl ctrl;
    if (!ctrl.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 800, 600), &parent, 100)) {
        wprintf(L"the playlist control could not be made\n");
        return 1;
    }
    int nMostTools = 0;
    Phase playlist = Playlist(ctrl, paths, limitSeconds, nMostTools);

    bool bDone = floor.clips == nCount && playlist.clips == nCount;
    CString ratio = L"no ratio: the playlist did not finish";
    if (playlist.clips == nCount && floor.clips > 0)
        ratio.Format(L"%.0f ms a clip, ratio %.2f", playlist.MsAClip(), playlist.MsAClip() / floor.MsAClip());
    wprintf(L"%d clips: floor %d in %.1f s (%.0f ms a clip), playlist %d probed and %d with thumbnails in %.1f s "
            L"(%ls), at most %d tools at once%ls\n",
            nCount, floor.clips, floor.seconds, floor.MsAClip(), playlist.probed, playlist.clips, playlist.seconds,
            static_cast<LPCWSTR>(ratio), nMostTools, bDone ? L"" : L" (NOT FINISHED)");
    ctrl.DestroyWindow();
    parent.DestroyWindow();
    tooltest::RemoveFolder(folder);
    return bDone ? 0 : 1;
}
