// ClipConverter.exe end to end under Wine: the real ffmpeg.exe converts media made here, and a
// window of this test receives the progress blocks.
#include "mediatools/EncoderProgress.h"
#include "tests/support/ToolTestSupport.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace tooltest;

namespace {

const int64_t kContext = 81985529216486895;  // 0x0123456789ABCDEF: all eight bytes count
const int64_t kClipUs = 4000000;

// Whether a converter that this test started has an ffmpeg.exe running right now; shows that
// the checks for a left-over ffmpeg look at a process that was really there.
bool ConverterHasFfmpegChild()
{
    for (DWORD converter : ChildProcesses(GetCurrentProcessId(), L"ClipConverter.exe")) {
        if (ChildStillRunning(converter, L"ffmpeg.exe"))
            return true;
    }
    return false;
}

struct Received {
    int32_t event;
    int64_t context;
    EncoderProgress progress;
    DWORD tick;
};

// A window that records every progress block and answers 1 to the first block of stopOn
// (every block when stopOn is -1, none when 0). With killJob set, it ends that job once
// killAfter progress blocks have come.
class ProgressWindow {
public:
    ProgressWindow()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KavriProgressWindow";
        RegisterClassW(&wc);
        hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"progress", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                wc.hInstance, nullptr);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~ProgressWindow() { DestroyWindow(hwnd_); }

    std::wstring HandleText() const { return std::to_wstring(reinterpret_cast<INT_PTR>(hwnd_)); }
    int Count(int32_t event) const
    {
        return static_cast<int>(std::count_if(blocks.begin(), blocks.end(),
                                              [event](const Received& r) { return r.event == event; }));
    }

    std::vector<Received> blocks;
    int malformed = 0;
    int32_t stopOn = 0;
    bool ffmpegSeenAtFirstBlock = false;
    HANDLE killJob = nullptr;
    int killAfter = 0;
    static constexpr UINT kKilledExitCode = 77;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (msg != WM_COPYDATA || !self)
            return DefWindowProcW(hwnd, msg, wp, lp);
        return self->Take(*reinterpret_cast<const COPYDATASTRUCT*>(lp));
    }

    LRESULT Take(const COPYDATASTRUCT& data)
    {
        if (data.dwData != ENCODER_MSG_EVENT || data.cbData != sizeof(EncoderMessageBlock)) {
            malformed++;
            return 0;
        }
        EncoderMessageBlock block;
        memcpy(&block, data.lpData, sizeof(block));
        if (blocks.empty())
            ffmpegSeenAtFirstBlock = ConverterHasFfmpegChild();
        blocks.push_back({block.Event, block.Context, block.Progress, GetTickCount()});
        if (killJob && Count(ENCODER_EVENT_PROGRESS) >= killAfter)
            TerminateJobObject(killJob, kKilledExitCode);
        bool stop = stopOn == -1 || (stopOn == block.Event && !stopped_);
        stopped_ = stopped_ || stop;
        return stop ? 1 : 0;
    }

    HWND hwnd_;
    bool stopped_ = false;
};

// Reads a 16-bit PCM WAV file's largest sample magnitude.
int PeakOfWav(const std::wstring& path)
{
    std::string bytes = ReadFileBytes(path);
    size_t data = bytes.find("data");
    if (data == std::string::npos)
        return -1;
    int peak = 0;
    for (size_t i = data + 8; i + 1 < bytes.size(); i += 2) {
        int16_t sample;
        memcpy(&sample, &bytes[i], 2);
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return peak;
}

class ClipConverterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = MakeTempFolder(L"kavri converter");
        clip_ = folder_ + L"\\clip.mp4";
        tone_ = folder_ + L"\\tone.wav";
        made_ = MakeMedia(clip_, L"-f lavfi -i testsrc=duration=4:size=640x360:rate=25 "
                                 L"-f lavfi -i sine=frequency=440:duration=4 "
                                 L"-c:v libx264 -pix_fmt yuv420p -c:a aac -shortest -f mp4") &&
                MakeMedia(tone_, kToneWav);
    }
    static void TearDownTestSuite() { RemoveFolder(folder_); }

    void SetUp() override
    {
        ASSERT_TRUE(made_) << "test media could not be made with ffmpeg.exe";
        log_ = folder_ + L"\\tool.log";
        DeleteFileW(log_.c_str());
    }

    // Runs the converter with the test-mode variables set for this run only.
    ProcessRun Convert(const std::wstring& args, const wchar_t* mode = nullptr, DWORD timeoutMs = 60000,
                       HANDLE job = nullptr)
    {
        SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", mode);
        SetEnvironmentVariableW(L"KAVRI_TOOL_LOG", log_.c_str());
        ProcessRun run = RunProgram(ToolPath(L"ClipConverter.exe"), args, timeoutMs, L"", job);
        SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", nullptr);
        SetEnvironmentVariableW(L"KAVRI_TOOL_LOG", nullptr);
        return run;
    }

    static std::wstring Callback(const ProgressWindow& window)
    {
        return L" -callback_window " + window.HandleText() + L" -callback_context " + std::to_wstring(kContext);
    }

    // The line of the tool log that starts with prefix, without the prefix.
    std::string LogLine(const char* prefix) const
    {
        std::string log = ReadFileBytes(log_);
        size_t at = log.find(prefix);
        if (at == std::string::npos)
            return "";
        size_t end = log.find('\n', at);
        return log.substr(at + strlen(prefix), end - at - strlen(prefix));
    }

    static std::wstring OutputIn(const wchar_t* name) { return folder_ + L"\\" + name; }

    static inline std::wstring folder_, clip_, tone_;
    static inline bool made_ = false;
    std::wstring log_;
};

std::string Narrow(const std::wstring& text)
{
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(bytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &utf8[0], bytes, nullptr, nullptr);
    utf8.resize(bytes - 1);
    return utf8;
}

TEST_F(ClipConverterTest, ConvertReportsStartedProgressAndFinished)
{
    ProgressWindow window;
    std::wstring out = OutputIn(L"converted.mp4");
    ProcessRun run = Convert(L"-i " + Quoted(clip_) + L" -codec:v libx264 -preset veryslow -codec:a aac -f mp4 " +
                             Quoted(out) + L" -y" + Callback(window));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    ASSERT_TRUE(FileExists(out));
    EXPECT_EQ(window.malformed, 0);
    ASSERT_GE(window.blocks.size(), 3u);
    EXPECT_EQ(window.blocks.front().event, ENCODER_EVENT_STARTED);
    EXPECT_EQ(window.blocks.back().event, ENCODER_EVENT_FINISHED);
    EXPECT_EQ(window.Count(ENCODER_EVENT_STARTED), 1);
    EXPECT_EQ(window.Count(ENCODER_EVENT_FINISHED), 1);
    EXPECT_GE(window.Count(ENCODER_EVENT_PROGRESS), 1);

    for (size_t i = 0; i < window.blocks.size(); ++i) {
        const Received& r = window.blocks[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(r.context, kContext);
        EXPECT_NEAR(r.progress.TotalDurationInUs, kClipUs, 50000);
        EXPECT_LE(r.progress.OutputTimeInUs, r.progress.TotalDurationInUs + 50000);
        if (i > 0) {
            const Received& before = window.blocks[i - 1];
            EXPECT_GE(r.progress.OutputTimeInUs, before.progress.OutputTimeInUs);
            EXPECT_GE(r.progress.BytesWritten, before.progress.BytesWritten);
            // Progress comes every 200 ms; the limit leaves room for a busy machine.
            EXPECT_LE(r.tick - before.tick, 2000u) << "progress keeps coming";
        }
    }
    const EncoderProgress& last = window.blocks.back().progress;
    EXPECT_NEAR(last.OutputTimeInUs, kClipUs, 100000);
    EXPECT_EQ(last.BytesWritten, FileSize(out));
}

TEST_F(ClipConverterTest, NonZeroReplyStopsFfmpegAtOnce)
{
    const struct {
        const char* name;
        int32_t stopOn;
    } cases[] = {
        {"reply to started", ENCODER_EVENT_STARTED},
        {"reply to progress", ENCODER_EVENT_PROGRESS},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgressWindow window;
        window.stopOn = c.stopOn;
        // Slow: the run would last the clip's four seconds.
        ProcessRun run = Convert(L"-i " + Quoted(clip_) + L" -codec:v libx264 -codec:a aac -f mp4 " +
                                     Quoted(OutputIn(L"stopped.mp4")) + L" -y" + Callback(window),
                                 L"slow");
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, 255u) << "ended by the reply, not by ffmpeg's own end";
        EXPECT_TRUE(window.ffmpegSeenAtFirstBlock);
        EXPECT_TRUE(ChildGoneWithin(run.processId, L"ffmpeg.exe", 30000));
        ASSERT_GE(window.blocks.size(), 2u);
        EXPECT_LT(window.blocks.back().progress.OutputTimeInUs, kClipUs * 3 / 4) << "long before the clip's end";
        EXPECT_EQ(window.blocks[window.blocks.size() - 2].event, c.stopOn) << "nothing more after the stop";
        EXPECT_EQ(window.blocks.back().event, ENCODER_EVENT_FINISHED);
        EXPECT_EQ(window.Count(ENCODER_EVENT_FINISHED), 1);
    }
}

TEST_F(ClipConverterTest, ExitCodeIsFfmpegsOwn)
{
    const struct {
        const char* name;
        std::wstring args;
        bool succeeds;
    } cases[] = {
        {"converted", L"-i " + Quoted(clip_) + L" -codec:a aac -f mp4", true},
        {"missing input", L"-i " + Quoted(OutputIn(L"missing.mp4")) + L" -f mp4", false},
        {"unknown encoder", L"-i " + Quoted(clip_) + L" -codec:v nosuchencoder -f mp4", false},
        {"unknown option", L"-i " + Quoted(clip_) + L" -nosuchoption 1 -f mp4", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring args = c.args + L" " + Quoted(OutputIn(L"code.mp4")) + L" -y";
        ProcessRun direct = RunProgram(ToolPath(L"ffmpeg.exe"), L"-nostdin " + args);
        ProgressWindow window;
        ProcessRun run = Convert(args + Callback(window));
        ASSERT_TRUE(run.finished && direct.finished);
        EXPECT_EQ(run.exitCode, direct.exitCode);
        EXPECT_EQ(run.exitCode == 0, c.succeeds);
        ASSERT_GE(window.blocks.size(), 2u);
        EXPECT_EQ(window.blocks.front().event, ENCODER_EVENT_STARTED);
        EXPECT_EQ(window.blocks.back().event, ENCODER_EVENT_FINISHED);
    }
}

TEST_F(ClipConverterTest, WithoutCallbackWindowNothingIsSent)
{
    std::wstring out = OutputIn(L"quiet.mp4");
    ProcessRun run = Convert(L"-i " + Quoted(clip_) + L" -f mp4 " + Quoted(out) + L" -y -callback_context 5");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(FileExists(out));
    EXPECT_EQ(ReadFileBytes(log_).find("reply"), std::string::npos);
    EXPECT_EQ(LogLine("exit "), "0");
}

// Each row runs for real: ffmpeg 5.1 must accept the translated line (exit code 0).
TEST_F(ClipConverterTest, TranslatedOptionsReachFfmpeg)
{
    const struct {
        const char* name;
        std::wstring beforeInput;
        std::wstring afterInput;
        const wchar_t* output;
        std::wstring expected;  // in the ffmpeg command line
        const char* absent;
    } cases[] = {
        {"-vol becomes a volume filter", L"", L"-vol 128", L"vol.mp4", L"-filter:a volume=128/256", "-vol"},
        {"audio filters join one chain", L"",
         L"-vol 512 -filter:a \"volume=0.50\" -filter:a \"aecho=0.8:0.9:100:0.3\"", L"chain.mp4",
         L"-filter:a volume=512/256,volume=0.50,aecho=0.8:0.9:100:0.3", "-filter:a volume=0.50"},
        {"video filters join one chain", L"", L"-filter:v \"hflip,vflip\" -filter:v \"crop=160:120:8:8\"",
         L"video.mp4", L"-filter:v hflip,vflip,crop=160:120:8:8", "-filter:v crop"},
        {"-bufsize moves behind the inputs", L"-bufsize 1000000", L"-b:v 300000", L"bufsize.mp4",
         Quoted(clip_) + L" -bufsize 1000000", "-bufsize 1000000 -i"},
        {"-hwaccel takes what the build has", L"-hwaccel dxva2", L"", L"hwaccel.mp4", L"-hwaccel auto -i",
         "dxva2"},
        {"callback options stay with the converter", L"", L"", L"callback.mp4", L"-f mp4", "-callback"},
        {"HLS options", L"", L"-lhls 1 -hls_list_size 0 -hls_segment_filename \"" + OutputIn(L"seg%d.ts") + L"\"",
         L"list.m3u8", L"-hls_list_size 0", "-f mp4"},
        {"every other option of the encoder command line",
         L"-threads 2 -r 25/1 -ss 0:00:00.500 -t 0:00:02.000 -itsoffset 0:00:00.200",
         L"-map 0:0 -codec:v libx264 -tag:v avc1 -pix_fmt yuv420p -s 320x180 -aspect 16:9 -r 25/1 "
         L"-b:v 300000 -q:v 20 -frames:v 30 -vsync cfr -profile:v \"main\" -map 0:1 -codec:a aac -ac 1 "
         L"-ar 22050 -b:a 64000 -q:a 1 -profile:a \"aac_low\" -sn -preset ultrafast -strict -2 "
         L"-fs 10000000 -ss 0:00:00.100 -t 0:00:01.000",
         L"all.mp4", L"-profile:a aac_low", "-callback"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileW(log_.c_str());
        std::wstring out = OutputIn(c.output);
        std::wstring format = wcsstr(c.output, L".m3u8") ? L" -f hls " : L" -f mp4 ";
        ProgressWindow window;
        ProcessRun run = Convert(c.beforeInput + L" -i " + Quoted(clip_) + L" " + c.afterInput + format +
                                 Quoted(out) + L" -y" + Callback(window));
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, 0u);
        EXPECT_TRUE(FileExists(out));
        std::string line = LogLine("ffmpeg: ");
        EXPECT_NE(line.find(Narrow(c.expected)), std::string::npos) << line;
        EXPECT_EQ(line.find(c.absent), std::string::npos) << line;
    }
}

TEST_F(ClipConverterTest, VolumeChangesTheAudio)
{
    const struct {
        const char* name;
        const wchar_t* volume;
        double factor;
    } cases[] = {
        {"half", L"128", 0.5},
        {"double", L"512", 2.0},
    };
    int sourcePeak = PeakOfWav(tone_);
    ASSERT_GT(sourcePeak, 1000);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring out = OutputIn(L"volume.wav");
        ProcessRun run = Convert(L"-i " + Quoted(tone_) + L" -codec:a pcm_s16le -vol " + c.volume + L" -f wav " +
                                 Quoted(out) + L" -y");
        ASSERT_TRUE(run.finished);
        ASSERT_EQ(run.exitCode, 0u);
        EXPECT_NEAR(PeakOfWav(out), sourcePeak * c.factor, sourcePeak * c.factor * 0.02);
    }
}

TEST_F(ClipConverterTest, FailModeReportsAndExitsWithoutFfmpeg)
{
    ProgressWindow window;
    std::wstring out = OutputIn(L"failed.mp4");
    ProcessRun run = Convert(L"-i " + Quoted(clip_) + L" -f mp4 " + Quoted(out) + L" -y" + Callback(window), L"fail");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1u);
    ASSERT_EQ(window.blocks.size(), 2u);
    EXPECT_EQ(window.blocks[0].event, ENCODER_EVENT_STARTED);
    EXPECT_EQ(window.blocks[1].event, ENCODER_EVENT_FINISHED);
    EXPECT_FALSE(FileExists(out));
}

// The programs start their tools inside a job of their own, so the converter's job is nested.
TEST_F(ClipConverterTest, CrashModeTakesFfmpegWithIt)
{
    HANDLE callerJob = CreateJobObjectW(nullptr, nullptr);
    const struct {
        const char* name;
        HANDLE job;
    } cases[] = {
        {"started alone", nullptr},
        {"started inside a job", callerJob},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgressWindow window;
        // "-re" keeps ffmpeg busy for the clip's four seconds, longer than the wait below.
        ProcessRun run = Convert(L"-re -i " + Quoted(clip_) + L" -f mp4 " + Quoted(OutputIn(L"crashed.mp4")) +
                                     L" -y" + Callback(window),
                                 L"crash", 60000, c.job);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
        ASSERT_EQ(window.blocks.size(), 1u);
        EXPECT_EQ(window.blocks[0].event, ENCODER_EVENT_STARTED);
        EXPECT_TRUE(window.ffmpegSeenAtFirstBlock);
        EXPECT_TRUE(ChildGoneWithin(run.processId, L"ffmpeg.exe", 30000));
    }
    CloseHandle(callerJob);
}

TEST_F(ClipConverterTest, HangModeIgnoresStopsUntilKilled)
{
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    ProgressWindow window;
    window.stopOn = -1;
    window.killJob = job;
    window.killAfter = 3;
    ProcessRun run = Convert(L"-re -i " + Quoted(clip_) + L" -f mp4 " + Quoted(OutputIn(L"hung.mp4")) + L" -y" +
                                 Callback(window),
                             L"hang", 120000, job);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, ProgressWindow::kKilledExitCode) << "still running after three stop replies";
    EXPECT_GE(window.Count(ENCODER_EVENT_PROGRESS), 3);
    EXPECT_EQ(window.Count(ENCODER_EVENT_FINISHED), 0);
    EXPECT_TRUE(ChildGoneWithin(run.processId, L"ffmpeg.exe", 30000));
    CloseHandle(job);
}

TEST_F(ClipConverterTest, SlowModeLastsAboutTheMediaLength)
{
    ProgressWindow window;
    ProcessRun run = Convert(L"-i " + Quoted(clip_) + L" -f mp4 " + Quoted(OutputIn(L"slow.mp4")) + L" -y" +
                                 Callback(window),
                             L"slow");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_GE(run.elapsedMs, 3500u);
    EXPECT_GE(window.Count(ENCODER_EVENT_PROGRESS), 5) << "progress keeps coming through a long run";
    EXPECT_EQ(window.blocks.back().event, ENCODER_EVENT_FINISHED);
}

// ffmpeg may start programs of its own; one left behind with ffmpeg's output pipes must not keep
// the converter waiting once ffmpeg has ended. The converter and a stand-in ffmpeg.exe (the
// test child program) run from a folder of their own.
TEST_F(ClipConverterTest, AChildLeftHoldingThePipesEndsWithFfmpeg)
{
    std::wstring tools = MakeTempFolder(L"kavri fake tools");
    ASSERT_TRUE(CopyFileW(ToolPath(L"ClipConverter.exe").c_str(), (tools + L"\\ClipConverter.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(BesideThisProgram(L"TestChild.exe").c_str(), (tools + L"\\ffmpeg.exe").c_str(), FALSE));
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    SetEnvironmentVariableW(L"KAVRI_FAKE_FFMPEG", L"leave-child");
    ProcessRun run = RunProgram(tools + L"\\ClipConverter.exe",
                                L"-i " + Quoted(tone_) + L" -f mp3 " + Quoted(OutputIn(L"never.mp3")) + L" -y", 40000,
                                L"", job);
    SetEnvironmentVariableW(L"KAVRI_FAKE_FFMPEG", nullptr);
    EXPECT_TRUE(run.finished) << "still waiting for the pipes after " << run.elapsedMs << " ms";
    EXPECT_LT(run.elapsedMs, 15000u);
    EXPECT_EQ(0u, run.exitCode) << "the stand-in's own exit code";
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
    for (int waited = 0; waited < 3000; waited += 100) {
        QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &accounting, sizeof(accounting), nullptr);
        if (accounting.ActiveProcesses == 0)
            break;
        Sleep(100);
    }
    EXPECT_EQ(0u, accounting.ActiveProcesses) << "the child it left was ended with it";
    EXPECT_GE(accounting.TotalProcesses, 3u) << "converter, stand-in and its child all ran";
    TerminateJobObject(job, 1);
    CloseHandle(job);
    Sleep(200);
    RemoveFolder(tools);
}

// One frame to a picture: its name is a name, not a frame-number pattern.
TEST_F(ClipConverterTest, APictureNameWithPercentIsKept)
{
    std::wstring out = OutputIn(L"frame %d.jpg");
    ProcessRun run =
        Convert(L"-ss 1 -i " + Quoted(clip_) + L" -an -frames:v 1 -f image2 -y " + Quoted(out), nullptr, 60000);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_GT(FileSize(out), 1000);
    EXPECT_FALSE(FileExists(OutputIn(L"frame 1.jpg")));
}

// A Matroska file whose document type carries lines of its own: ffmpeg logs the unknown type
// as it stands, so the log shows an input index of 2^31 - 1 with a duration after it.
bool MakeForgedMatroska(const std::wstring& path, const std::wstring& source)
{
    std::string bytes = ReadFileBytes(source);
    const std::string docType = "matroska\nInput #2147483647, x\n  Duration: 00:00:01.00, start: 0.000000";
    size_t field = bytes.find(std::string("\x42\x82\x88matroska", 11));
    if (bytes.compare(0, 4, "\x1A\x45\xDF\xA3") != 0 || (bytes[4] & 0x80) == 0 || field == std::string::npos)
        return false;
    size_t headerEnd = 5 + (bytes[4] & 0x7F);
    std::string header = bytes.substr(5, field - 5) + "\x42\x82" + char(0x80 | docType.size()) + docType +
                         bytes.substr(field + 11, headerEnd - field - 11);
    std::string forged = bytes.substr(0, 4) + char(0x80 | header.size()) + header + bytes.substr(headerEnd);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    bool ok = WriteFile(file, forged.data(), static_cast<DWORD>(forged.size()), &written, nullptr) &&
              written == forged.size();
    CloseHandle(file);
    return ok;
}

TEST_F(ClipConverterTest, AForgedLogLineOfTheMediaIsHarmless)
{
    std::wstring plain = OutputIn(L"plain.mka"), forged = OutputIn(L"forged.mka");
    ASSERT_TRUE(MakeMedia(plain, L"-f lavfi -i sine=frequency=440:duration=2 -c:a pcm_s16le -f matroska"));
    ASSERT_TRUE(MakeForgedMatroska(forged, plain));
    ProgressWindow window;
    std::wstring out = OutputIn(L"forged.mp3");
    ProcessRun run = Convert(L"-i " + Quoted(forged) + L" -f mp3 " + Quoted(out) + L" -y" + Callback(window));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_GT(FileSize(out), 1000);
    ASSERT_FALSE(window.blocks.empty());
    EXPECT_NEAR(2000000, window.blocks.front().progress.TotalDurationInUs, 100000) << "the real input's duration";
}

}  // namespace
