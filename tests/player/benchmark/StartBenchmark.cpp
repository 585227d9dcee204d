// Start to first paint of both programs' main windows against a bare Win32 window program, as a
// plain program (the Windows build, run under Wine):
//
//   StartBenchmark [RUNS]        (default 10)
//
// starts KavriVideoPlayer.exe, KavriMediaFetcher.exe (both without files, update checks off) and
// BareWindow.exe in turn, RUNS times each after one unmeasured start of each, and times each from
// CreateProcess until the program first waits for input with nothing left to do
// (WaitForInputIdle): by then its window has been shown and every pending paint handled. Each
// program is closed again by WM_CLOSE. Prints each program's median and worst, and the ratio of
// its median to the bare window's.
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
void TurnOffUpdateChecks(const wchar_t* appName)
{
    std::wstring key = std::wstring(L"Software\\Kavri Helper\\") + appName + L"\\Settings";
    DWORD zero = 0;
    RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"AutoCheckUpdate", REG_DWORD, &zero, sizeof(zero));
}

struct Program {
    const wchar_t* label;
    std::wstring path;
    std::vector<double> times;
};

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int nRuns = argc > 1 ? std::max(1, _wtoi(argv[1])) : 10;
    TurnOffUpdateChecks(L"Kavri Video Player");
    TurnOffUpdateChecks(L"Kavri Media Fetcher");
    // The bare window last: the others' ratios are to its median.
    Program programs[] = {{L"player", BesideThisProgram(L"..\\bin\\KavriVideoPlayer.exe"), {}},
                          {L"conversion tool", BesideThisProgram(L"..\\bin\\KavriMediaFetcher.exe"), {}},
                          {L"bare window", BesideThisProgram(L"BareWindow.exe"), {}}};
    for (Program& program : programs)
        TimeStart(program.path);
    for (int i = 0; i < nRuns; ++i) {
        for (Program& program : programs) {
            double elapsed = TimeStart(program.path);
            if (elapsed < 0) {
                wprintf(L"run %d: the %ls did not come up\n", i + 1, program.label);
                return 1;
            }
            program.times.push_back(elapsed);
        }
    }
    double bare = StatsOf(programs[2].times).median;
    wprintf(L"start to first paint, %d runs:\n", nRuns);
    for (Program& program : programs) {
        TimeStats stats = StatsOf(program.times);
        wprintf(L"  %-16ls median %4.0f ms  worst %4.0f ms  ratio to the bare window %.2f\n", program.label,
                stats.median, stats.worst, stats.median / bare);
    }
    return 0;
}
