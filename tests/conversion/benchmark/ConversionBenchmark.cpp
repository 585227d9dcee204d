// The conversion chain's cost as a plain program (the Windows build, run under Wine):
//
//   ConversionBenchmark [RUNS] [SECONDS]        (defaults 5 and 30)
//
// makes a clip of SECONDS with the built ffmpeg.exe, chooses it on the "Convert video or
// audio" page with the MP4 format, then RUNS times, alternating:
//   page:   Start on the page until the page is idle again (the task thread, the job, the
//           encoding tool ClipConverter.exe, its progress messages, the rename and the probe
//           of the output at the end);
//   tool:   ClipConverter.exe run directly with the page's arguments, without a window to
//           report to;
//   ffmpeg: ffmpeg.exe run directly with the arguments ClipConverter gave it in the page's run
//           (both read from the tools' log), until it exits.
// It prints every run, the page's with the time of each step after Start, the medians, and
// the overheads over ffmpeg in percent.
#include "conversion/app/CConversionUiResources.h"
#include "conversion/app/CConvertPage.h"
#include "conversion/app/res/FetcherResources.h"
#include "conversion/engine/CMediaConvertThread.h"
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include "mediatools/EncoderProgress.h"
#include "mediatools/MediaToolLocation.h"
#include "tests/support/TestWait.h"
#include "tests/support/ToolTestSupport.h"
#include "tests/support/WindowHarness.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The steps of one run from the page, in seconds after Start; 0 for a step not seen.
enum Step {
    kThread,     // the task's thread prepares the run
    kNamed,      // the input is probed and the output named: the encoder is next
    kTool,       // ClipConverter.exe is created
    kFfmpeg,     // ffmpeg.exe is created
    kStarted,    // the tool reports ffmpeg's inputs open
    kProgress,   // the first progress report
    kEncoded,    // the tool reports ffmpeg's end
    kProbed,     // the output is in place and probed
    kThreadEnd,  // the thread's end reaches the page
    kIdle,       // the page is idle again: the run's whole time
    kStepCount
};
const wchar_t* const kStepNames[kStepCount] = {L"thread",   L"named",   L"tool",   L"ffmpeg",     L"started",
                                               L"progress", L"encoded", L"probed", L"thread end", L"idle"};

struct PageRun {
    double at[kStepCount] = {};
};

// When the process of that name that parentId started was created, in seconds after since;
// its id goes to id. 0 when there is none.
double ChildCreatedAt(DWORD parentId, const wchar_t* exeName, const FILETIME& since, DWORD& id)
{
    std::vector<DWORD> ids = tooltest::ChildProcesses(parentId, exeName);
    id = ids.empty() ? 0 : ids[0];
    HANDLE process = id ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id) : nullptr;
    FILETIME created, exited, kernel, user;
    bool known = process && GetProcessTimes(process, &created, &exited, &kernel, &user);
    if (process)
        CloseHandle(process);
    if (!known)
        return 0;
    ULARGE_INTEGER a = {{created.dwLowDateTime, created.dwHighDateTime}};
    ULARGE_INTEGER b = {{since.dwLowDateTime, since.dwHighDateTime}};
    return (static_cast<double>(a.QuadPart) - static_cast<double>(b.QuadPart)) / 1e7;
}

// The page's message boxes are printed: nobody is there to answer them. Each step of a run is
// timed where the page sees it, on whichever thread that is; the window thread reads the
// times once the run's thread has ended.
class BenchmarkPage : public CConvertPage {
public:
    int ShowMessage(LPCWSTR lpszText, UINT) override
    {
        wprintf(L"page: %ls\n", lpszText);
        return IDOK;
    }
    bool WaitIdle()
    {
        return PumpUntil([this] { return !IsBusy() && !m_pThread; }, 600000);
    }

    PageRun Run()
    {
        m_run = PageRun();
        m_start = Clock::now();
        GetSystemTimeAsFileTime(&m_startTime);
        SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PAGE_START, BN_CLICKED), 0);
        WaitIdle();
        m_run.at[kIdle] = SecondsSince(m_start);
        return m_run;
    }

    int Prepare() override
    {
        Mark(kThread);
        return CConvertPage::Prepare();
    }
    void OnStateChanged(CConvertTaskRecord& record) override
    {
        if (record.m_progress.m_phase == TASK_PHASE_CONVERTING)
            Mark(kNamed);
        else if (record.m_progress.m_phase == TASK_PHASE_ENDED)
            Mark(kProbed);
        CConvertPage::OnStateChanged(record);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COPYDATA)
            MarkEncoderEvent(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        else if (message == WM_CONVERT_TASK_FINISHED)
            Mark(kThreadEnd);
        return CConvertPage::WindowProc(message, wParam, lParam);
    }

private:
    void Mark(Step step)
    {
        if (m_run.at[step] == 0)
            m_run.at[step] = SecondsSince(m_start);
    }
    // The tool waits for the reply meanwhile; ffmpeg goes on.
    void MarkEncoderEvent(const COPYDATASTRUCT* pcds)
    {
        if (!pcds || pcds->dwData != ENCODER_MSG_EVENT || pcds->cbData != sizeof(EncoderMessageBlock))
            return;
        int event = static_cast<const EncoderMessageBlock*>(pcds->lpData)->Event;
        if (event == ENCODER_EVENT_STARTED && m_run.at[kStarted] == 0) {
            Mark(kStarted);
            DWORD tool = 0, ffmpeg = 0;
            m_run.at[kTool] = ChildCreatedAt(GetCurrentProcessId(), L"ClipConverter.exe", m_startTime, tool);
            if (tool)
                m_run.at[kFfmpeg] = ChildCreatedAt(tool, L"ffmpeg.exe", m_startTime, ffmpeg);
        } else if (event == ENCODER_EVENT_PROGRESS) {
            Mark(kProgress);
        } else if (event == ENCODER_EVENT_FINISHED) {
            Mark(kEncoded);
        }
    }

    Clock::time_point m_start;
    FILETIME m_startTime = {};
    PageRun m_run;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The rest of the last line of the tools' log that starts with the mark (UTF-8, arguments
// already quoted).
std::wstring LastLogLine(const std::wstring& logPath, const std::string& mark)
{
    std::string log = "\n" + tooltest::ReadFileBytes(logPath);
    size_t at = log.rfind("\n" + mark);
    if (at == std::string::npos)
        return std::wstring();
    at += 1 + mark.size();
    std::string line = log.substr(at, log.find('\n', at) - at);
    int length = MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), &wide[0], length);
    return wide;
}

// A direct run of a tool in the tool folder; its time in seconds, or -1 when it failed.
double TimeTool(const wchar_t* name, const std::wstring& arguments, const std::wstring& output)
{
    DeleteFileW(output.c_str());
    tooltest::ProcessRun run = tooltest::RunProgram(tooltest::ToolPath(name), arguments, 600000);
    DeleteFileW(output.c_str());
    if (!run.finished || run.exitCode != 0) {
        wprintf(L"%ls failed (%lu) on %ls\n", name, run.exitCode, arguments.c_str());
        return -1;
    }
    return run.elapsedMs / 1000.0;
}

// "<step> <seconds>" for every step, after the label.
void PrintSteps(const wchar_t* label, const double (&at)[kStepCount])
{
    wprintf(L"%ls:", label);
    for (int step = 0; step < kStepCount; step++)
        wprintf(L" %ls %.3f", kStepNames[step], at[step]);
    wprintf(L"\n");
}

double Overhead(double time, double base)
{
    return (time / base - 1) * 100;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int runs = argc > 1 ? _wtoi(argv[1]) : 5;
    int seconds = argc > 2 ? _wtoi(argv[2]) : 30;
    std::wstring folder = tooltest::MakeTempFolder(L"conversion benchmark");
    std::wstring clip = folder + L"\\clip.mp4";
    std::wstring log = folder + L"\\tools.log";
    std::wstring output = folder + L"\\out\\clip.mp4";
    CreateDirectoryW((folder + L"\\out").c_str(), nullptr);
    CreateDirectoryW((folder + L"\\data").c_str(), nullptr);
    std::wstring duration = std::to_wstring(seconds);
    if (!tooltest::MakeMedia(clip, L"-f lavfi -i testsrc=duration=" + duration +
                                       L":size=640x360:rate=25 -f lavfi -i sine=frequency=440:duration=" + duration +
                                       L" -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -shortest -f mp4")) {
        wprintf(L"the clip could not be made\n");
        return 1;
    }
    SetEnvironmentVariableW(L"KAVRI_TOOL_LOG", log.c_str());
    LocateMediaTools(tooltest::ToolFolder().c_str());
    if (theConversionUiResources.Load() != 0 || theMediaFormats.Load((folder + L"\\data").c_str()) != 0) {
        wprintf(L"the catalogue could not be loaded\n");
        return 1;
    }
    RecordingParent parent;
    BenchmarkPage page;
    if (!parent.CreateParent(900, 600) || !page.Create(IDD_CONVERT_PAGE, &parent)) {
        wprintf(L"the page could not be made\n");
        return 1;
    }
    page.SetSource(clip.c_str());
    page.WaitIdle();
    page.SelectFormatById(L"VF_mp4");
    page.m_destinationCombo.SetPathText((folder + L"\\out").c_str());
    wprintf(L"%d runs of a %d s 640x360 clip to MP4 (%ls)\n", runs, seconds,
            static_cast<LPCWSTR>(page.m_pPreset ? page.m_pPreset->GetName() : CString(L"no preset")));

    // The tools' arguments name the run's temporary output, written again by the direct runs.
    std::wstring converting = folder + L"\\out\\[converting] clip.mp4";
    std::vector<double> steps[kStepCount], toolTimes, ffmpegTimes;
    for (int run = 1; run <= runs; run++) {
        DeleteFileW(output.c_str());
        PageRun pageRun = page.Run();
        if (page.m_record.m_progress.m_state != TASK_STATE_COMPLETED) {
            wprintf(L"run %d: the page's conversion did not complete\n", run);
            return 1;
        }
        std::wstring toolArguments = LastLogLine(log, "args: ");
        toolArguments = toolArguments.substr(0, toolArguments.find(L" -callback_window"));
        std::wstring ffmpegArguments = LastLogLine(log, "ffmpeg: ");
        double toolTime = TimeTool(L"ClipConverter.exe", toolArguments, converting);
        double ffmpegTime = TimeTool(L"ffmpeg.exe", L"-nostdin " + ffmpegArguments, converting);
        if (toolTime < 0 || ffmpegTime < 0)
            return 1;
        for (int step = 0; step < kStepCount; step++)
            steps[step].push_back(pageRun.at[step]);
        toolTimes.push_back(toolTime);
        ffmpegTimes.push_back(ffmpegTime);
        wprintf(L"run %d: page %.3f s, tool %.3f s, ffmpeg %.3f s\n", run, pageRun.at[kIdle], toolTime, ffmpegTime);
        PrintSteps(L"  page steps (s after Start)", pageRun.at);
        if (run == 1)
            wprintf(L"ffmpeg arguments: %ls\n", ffmpegArguments.c_str());
    }
    double medianSteps[kStepCount];
    for (int step = 0; step < kStepCount; step++)
        medianSteps[step] = Median(steps[step]);
    PrintSteps(L"median page steps (s after Start)", medianSteps);
    double pageMedian = medianSteps[kIdle], toolMedian = Median(toolTimes), ffmpegMedian = Median(ffmpegTimes);
    wprintf(L"median: page %.3f s, tool %.3f s, ffmpeg %.3f s\n", pageMedian, toolMedian, ffmpegMedian);
    wprintf(L"overhead over ffmpeg: page %+.1f%%, tool %+.1f%%\n", Overhead(pageMedian, ffmpegMedian),
            Overhead(toolMedian, ffmpegMedian));
    page.DestroyWindow();
    tooltest::RemoveFolder(folder + L"\\out");
    tooltest::RemoveFolder(folder + L"\\data");
    tooltest::RemoveFolder(folder);
    return 0;
}
