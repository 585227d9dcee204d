// ClipRunner: the player's playback tool. Plays one media file or URL into a child window of
// the window given by -owner_window, reports its events there (WM_COPYDATA 1020) and obeys its
// commands (WM_COPYDATA 1021); see Player.h. Started without arguments it exits at once.
//
// KAVRI_TOOL_LOG names a file that gets the arguments, every event with its reply, every
// command and a closing summary (frames shown and dropped, processor time); the test modes
// are in TestMode.h.
#include "common/ArgumentQuoting.h"
#include "common/ToolLog.h"
#include "tools/ClipRunner/Ffmpeg.h"
#include "tools/ClipRunner/Player.h"
#include "tools/ClipRunner/RunnerOptions.h"
#include "tools/ClipRunner/TestMode.h"

#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> Arguments()
{
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    for (int i = 1; list && i < count; ++i)
        args.push_back(list[i]);
    LocalFree(list);
    return args;
}

// The process ends with the exception's code, without the error dialog or a debugger.
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS*)
{
    return EXCEPTION_EXECUTE_HANDLER;
}

int64_t Milliseconds(const FILETIME& time)
{
    return ((static_cast<int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000;
}

void LogSummary(const ToolLog& log, const Player& player, DWORD startTick)
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    log.Line(L"summary shown " + std::to_wstring(player.FramesShown()) + L" dropped " +
             std::to_wstring(player.FramesDropped()) + L" cpu_ms " +
             std::to_wstring(Milliseconds(kernel) + Milliseconds(user)) + L" wall_ms " +
             std::to_wstring(GetTickCount() - startTick) + L" audio_device " +
             std::to_wstring(player.UsesAudioDevice() ? 1 : 0));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    // A crash ends the process quietly instead of waiting in an error dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(EndOnCrash);
    std::vector<std::wstring> args = Arguments();
    if (args.empty())
        return 0;
    DWORD startTick = GetTickCount();
    ToolLog log;
    log.Line(L"args: " + JoinArguments(args));
    av_log_set_level(AV_LOG_ERROR);
    timeBeginPeriod(1);  // pictures are due to the millisecond
    int code = 0;
    {
        Player player(ParseRunnerOptions(args), ReadTestMode(), log);
        code = player.Run();
        LogSummary(log, player, startTick);
    }
    timeEndPeriod(1);
    log.Line(L"exit " + std::to_wstring(code));
    return code;
}
