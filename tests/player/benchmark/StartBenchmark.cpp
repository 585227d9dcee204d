// Start to first paint of the player's main window against a bare Win32 window program, as a
// plain program (the Windows build, run under Wine):
//
//   StartBenchmark [RUNS]        (default 10)
//
// starts KavriVideoPlayer.exe (without files, update checks off) and BareWindow.exe in turn,
// RUNS times each after one unmeasured start of both, and times each from CreateProcess until
// the program first waits for input with nothing left to do (WaitForInputIdle): by then its
// window has been shown and every pending paint handled. Each program is closed again by
// WM_CLOSE. Prints the medians, the worst and the ratio of the medians.
#include "tests/support/BenchmarkTiming.h"
#include "tests/support/SuitePaths.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct FindWindowOf {
    DWORD processId;
    HWND hFound;
};

BOOL CALLBACK FindVisibleWindow(HWND hWnd, LPARAM lParam)
{
    auto* find = reinterpret_cast<FindWindowOf*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hWnd, &owner);
    if (owner != find->processId || !IsWindowVisible(hWnd) || GetWindow(hWnd, GW_OWNER))
        return TRUE;
    find->hFound = hWnd;
    return FALSE;
}

// Milliseconds from the start to the first idle wait with a window shown; negative on failure.
double TimeStart(const std::wstring& exe)
{
    std::wstring line = L"\"" + exe + L"\"";
    std::vector<wchar_t> buffer(line.begin(), line.end());
    buffer.push_back(0);
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    double start = NowUs();
    if (!CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    DWORD idle = WaitForInputIdle(pi.hProcess, 60000);
    double elapsed = (NowUs() - start) / 1000;
    FindWindowOf find = {pi.dwProcessId, nullptr};
    EnumWindows(&FindVisibleWindow, reinterpret_cast<LPARAM>(&find));
    if (find.hFound)
        PostMessageW(find.hFound, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 99);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return idle == 0 && find.hFound ? elapsed : -1;
}

// No update check reaches the network during the runs.
void TurnOffUpdateChecks()
{
    DWORD zero = 0;
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Kavri Helper\\Kavri Video Player\\Settings", L"AutoCheckUpdate",
                    REG_DWORD, &zero, sizeof(zero));
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int nRuns = argc > 1 ? std::max(1, _wtoi(argv[1])) : 10;
    std::wstring player = BesideThisProgram(L"..\\bin\\KavriVideoPlayer.exe");
    std::wstring bare = BesideThisProgram(L"BareWindow.exe");
    TurnOffUpdateChecks();
    TimeStart(player);
    TimeStart(bare);
    std::vector<double> playerTimes, bareTimes;
    for (int i = 0; i < nRuns; ++i) {
        double p = TimeStart(player), b = TimeStart(bare);
        if (p < 0 || b < 0) {
            wprintf(L"run %d: a program did not come up (player %.0f, bare %.0f)\n", i + 1, p, b);
            return 1;
        }
        playerTimes.push_back(p);
        bareTimes.push_back(b);
    }
    TimeStats p = StatsOf(playerTimes), b = StatsOf(bareTimes);
    wprintf(
        L"start to first paint, %d runs: player median %.0f ms worst %.0f ms | bare window median %.0f ms worst "
        L"%.0f ms | ratio of medians %.2f\n",
        nRuns, p.median, p.worst, b.median, b.worst, p.median / b.median);
    return 0;
}
