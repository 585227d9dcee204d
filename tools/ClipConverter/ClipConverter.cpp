// ClipConverter: runs ffmpeg.exe from its own folder on the encoder command line and reports
// its progress to the callback window as WM_COPYDATA blocks: started once, progress at least
// every 250 ms, finished once. A non-zero reply stops ffmpeg at once and the converter ends
// with kStoppedExitCode; otherwise it ends with ffmpeg's exit code. When ffmpeg.exe cannot be
// started, or the command names an encoder this build lacks and nothing stands in for, it
// reports nothing and ends with 1.
//
// KAVRI_TOOL_MODE makes it misbehave for tests:
//   fail   reports started and finished without running ffmpeg and exits with 1;
//   hang   ignores every reply and, once ffmpeg has ended, goes on reporting until killed;
//   crash  dies of an access violation right after reporting started (ffmpeg dies with it);
//   slow   has ffmpeg read its inputs no faster than they play, so a run lasts the media's length.
#include "mediatools/EncoderProgress.h"
#include "common/ArgumentQuoting.h"
#include "tools/ClipConverter/CommandTranslator.h"
#include "tools/ClipConverter/FfmpegProcess.h"
#include "tools/ClipConverter/ProgressReporter.h"
#include "common/ToolLog.h"

#include <windows.h>
#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const int kStoppedExitCode = 255;
const DWORD kTickMs = 50;
const DWORD kProgressEveryMs = 200;

enum class ToolMode { Normal, Fail, Hang, Crash, Slow };

ToolMode ReadToolMode()
{
    wchar_t text[16] = {};
    if (!GetEnvironmentVariableW(L"KAVRI_TOOL_MODE", text, 16))
        return ToolMode::Normal;
    if (wcscmp(text, L"fail") == 0)
        return ToolMode::Fail;
    if (wcscmp(text, L"hang") == 0)
        return ToolMode::Hang;
    if (wcscmp(text, L"crash") == 0)
        return ToolMode::Crash;
    if (wcscmp(text, L"slow") == 0)
        return ToolMode::Slow;
    return ToolMode::Normal;
}

std::wstring ToolFolder()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring self(path, length);
    return self.substr(0, self.find_last_of(L'\\') + 1);
}

std::wstring FfmpegPath()
{
    return ToolFolder() + L"ffmpeg.exe";
}

// ffmpeg finds the files that "-pre" names in the folder AVCONV_DATADIR gives. It reads the
// variable as ANSI text, so the folder goes by its short name where it has one.
void PointFfmpegAtPresets()
{
    std::wstring folder = ToolFolder() + L"presets";
    wchar_t shortPath[MAX_PATH];
    DWORD length = GetShortPathNameW(folder.c_str(), shortPath, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        folder.assign(shortPath, length);
    SetEnvironmentVariableW(L"AVCONV_DATADIR", folder.c_str());
}

// A crash ends the process with the exception's code at once, rather than in an error dialog
// or a debugger that nobody answers.
LONG WINAPI EndWithExceptionCode(EXCEPTION_POINTERS*)
{
    return EXCEPTION_EXECUTE_HANDLER;
}

void Crash()
{
    volatile int* volatile nowhere = nullptr;
    *nowhere = 1;
}

EncoderProgress MakeProgress(const CommandTranslator& command, const FfmpegReport& report)
{
    EncoderProgress progress = {};
    progress.TotalDurationInUs = command.OutputDurationUs(report.InputDurationsUs);
    progress.OutputTimeInUs = std::max<int64_t>(report.OutputTimeUs, 0);
    progress.BytesWritten = std::max<int64_t>(report.BytesWritten, 0);
    return progress;
}

// The hang mode's end: ffmpeg is done, but the converter never finishes.
[[noreturn]] void ReportForever(const ProgressReporter& reporter, const EncoderProgress& progress)
{
    for (;;) {
        reporter.Send(ENCODER_EVENT_PROGRESS, progress);
        Sleep(kProgressEveryMs);
    }
}

int RunFailing(const ProgressReporter& reporter)
{
    EncoderProgress nothing = {};
    reporter.Send(ENCODER_EVENT_STARTED, nothing);
    reporter.Send(ENCODER_EVENT_FINISHED, nothing);
    return 1;
}

// Runs on the main thread until ffmpeg ends or a reply stops it; the reader threads of
// FfmpegProcess fill the report meanwhile.
int RunFfmpeg(const CommandTranslator& command, ToolMode mode, const ProgressReporter& reporter)
{
    FfmpegProcess ffmpeg(command.InputCount());
    PointFfmpegAtPresets();
    std::vector<std::wstring> args = {L"-nostdin", L"-nostats", L"-progress", L"pipe:1", L"-stats_period", L"0.2"};
    args.insert(args.end(), command.FfmpegArguments().begin(), command.FfmpegArguments().end());
    if (!ffmpeg.Start(FfmpegPath(), args)) {
        DWORD error = GetLastError();
        fwprintf(stderr, L"ClipConverter: cannot start %ls (error %lu)\n", FfmpegPath().c_str(), error);
        return 1;
    }
    bool started = false;
    DWORD lastSent = 0;
    for (;;) {
        bool ended = ffmpeg.WaitForExit(kTickMs);
        FfmpegReport report = ffmpeg.Report();
        EncoderProgress progress = MakeProgress(command, report);
        LRESULT reply = 0;
        // Started waits until the inputs are open, so that it carries the total duration.
        if (!started && (report.InputsOpened || report.ProgressBlocks > 0 || ended)) {
            started = true;
            lastSent = GetTickCount();
            reply = reporter.Send(ENCODER_EVENT_STARTED, progress);
            if (mode == ToolMode::Crash)
                Crash();
        } else if (started && !ended && GetTickCount() - lastSent >= kProgressEveryMs) {
            lastSent = GetTickCount();
            reply = reporter.Send(ENCODER_EVENT_PROGRESS, progress);
        }
        if (reply != 0 && mode != ToolMode::Hang && !ended) {
            ffmpeg.Kill();
            reporter.Send(ENCODER_EVENT_FINISHED, progress);
            return kStoppedExitCode;
        }
        if (ended) {
            if (mode == ToolMode::Hang)
                ReportForever(reporter, progress);
            reporter.Send(ENCODER_EVENT_FINISHED, progress);
            return static_cast<int>(ffmpeg.ExitCode());
        }
    }
}

// Nothing is reported: the run fails as one whose ffmpeg.exe cannot be started.
int RefuseMissingEncoder(const std::wstring& encoder, const ToolLog& log)
{
    std::wstring message = L"the encoder " + encoder + L" is not in this build; nothing was converted";
    fwprintf(stderr, L"ClipConverter: %ls\n", message.c_str());
    log.Line(message);
    log.Line(L"exit 1");
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    SetUnhandledExceptionFilter(EndWithExceptionCode);
    ToolMode mode = ReadToolMode();
    std::vector<std::wstring> args(argv + 1, argv + argc);
    CommandTranslator command(args, mode == ToolMode::Slow);
    ToolLog log;
    log.Line(L"args: " + JoinArguments(args));
    log.Line(L"ffmpeg: " + JoinArguments(command.FfmpegArguments()));
    for (const std::wstring& note : command.StandInNotes())
        log.Line(note);
    if (!command.MissingEncoder().empty())
        return RefuseMissingEncoder(command.MissingEncoder(), log);
    ProgressReporter reporter(command.CallbackWindow(), command.CallbackContext(), log);
    int code = mode == ToolMode::Fail ? RunFailing(reporter) : RunFfmpeg(command, mode, reporter);
    log.Line(L"exit " + std::to_wstring(code));
    return code;
}
