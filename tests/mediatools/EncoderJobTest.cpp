// Encoder jobs through the real ClipConverter.exe on media made here: the progress reaching the
// listener through the callback window, the output probed back, stopping by reply and by the
// forced kill, the canned runs, and a frame grab that the image library loads.
#include "image/RasterImage.h"
#include "mediatools/CEncoderJob.h"
#include "mediatools/CLiveObjectSet.h"
#include "mediatools/CProbeSession.h"
#include "mediatools/MediaToolLocation.h"
#include "tests/support/ToolTestSupport.h"
#include <gtest/gtest.h>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

using namespace tooltest;

namespace {

struct Call {
    char kind;  // B begin, S started, P progress, F finished, E end
    EncoderProgress progress;
};

class CRecordingListener : public CEncoderJobListener {
public:
    void OnBegin() override { calls.push_back({'B', {}}); }
    int OnStarted(const EncoderProgress& progress) override
    {
        calls.push_back({'S', progress});
        return 0;
    }
    int OnProgress(const EncoderProgress& progress) override
    {
        calls.push_back({'P', progress});
        if (onProgress)
            return onProgress();
        return 0;
    }
    int OnFinished(const EncoderProgress& progress) override
    {
        calls.push_back({'F', progress});
        return 0;
    }
    void OnEnd() override { calls.push_back({'E', {}}); }

    int Count(char kind) const
    {
        int n = 0;
        for (const Call& call : calls)
            n += call.kind == kind;
        return n;
    }

    std::vector<Call> calls;
    std::function<int()> onProgress;
};

// The id of a running process that parentId started under the name; 0 when there is none.
DWORD ChildProcessId(DWORD parentId, const wchar_t* exeName)
{
    std::vector<DWORD> ids = ChildProcesses(parentId, exeName);
    return ids.empty() ? 0 : ids.front();
}

bool ProcessGoneWithin(DWORD processId, DWORD ms)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process)
        return true;
    bool gone = WaitForSingleObject(process, ms) == WAIT_OBJECT_0;
    CloseHandle(process);
    return gone;
}

LRESULT CALLBACK CallbackWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COPYDATA && reinterpret_cast<const COPYDATASTRUCT*>(lp)->dwData == ENCODER_MSG_EVENT)
        return CEncoderJob::DeliverMessage(reinterpret_cast<const COPYDATASTRUCT*>(lp));
    return DefWindowProcW(hwnd, msg, wp, lp);
}

class EncoderJob : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = MakeTempFolder(L"kavri job");
        s_made = MakeMedia(s_folder + L"\\clip.mp4", kClipH264Aac) &&
                 MakeMedia(s_folder + L"\\video.mp4",
                           L"-f lavfi -i testsrc=duration=2:size=320x240:rate=25 -c:v libx264 -pix_fmt yuv420p -f mp4") &&
                 MakeMedia(s_folder + L"\\tone.wav", kToneWav) &&
                 MakeMedia(s_folder + L"\\seg1.ts",
                           L"-f lavfi -i testsrc=duration=1:size=160x120:rate=25 -f lavfi -i sine=duration=1 "
                           L"-c:v libx264 -pix_fmt yuv420p -c:a aac -shortest -f mpegts") &&
                 MakeMedia(s_folder + L"\\seg2.ts",
                           L"-f lavfi -i testsrc=duration=1:size=160x120:rate=25 -f lavfi -i sine=duration=1 "
                           L"-c:v libx264 -pix_fmt yuv420p -c:a aac -shortest -f mpegts");
    }
    static void TearDownTestSuite() { RemoveFolder(s_folder); }

    void SetUp() override
    {
        ASSERT_TRUE(s_made) << "test media could not be made with ffmpeg.exe";
        m_saved = {ClipConverterPath, ClipInspectorPath};
        LocateMediaTools(ToolFolder().c_str());
        WNDCLASSW wc = {};
        wc.lpfnWndProc = CallbackWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"EncoderJobTestCallback";
        RegisterClassW(&wc);
        m_hWindow = CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
        m_job.m_hCallbackWnd = m_hWindow;
        m_job.m_pListener = &m_listener;
    }
    void TearDown() override
    {
        SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", nullptr);
        SetEnvironmentVariableW(L"KAVRI_TOOL_LOG", nullptr);
        DestroyWindow(m_hWindow);
        ClipConverterPath = m_saved[0];
        ClipInspectorPath = m_saved[1];
    }

    std::wstring Media(const wchar_t* name) const { return s_folder + L"\\" + name; }

    // Runs the job on a worker thread while this thread takes the progress messages.
    int Run(std::function<int()> run, DWORD limitMs = 120000)
    {
        std::atomic<bool> done(false);
        int result = 99;
        std::thread worker([&] {
            result = run();
            done = true;
        });
        DWORD start = GetTickCount();
        while (!done && GetTickCount() - start < limitMs) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
        }
        worker.join();
        return result;
    }

    static std::wstring s_folder;
    static bool s_made;
    std::vector<CString> m_saved;
    HWND m_hWindow = nullptr;
    CEncoderJob m_job;
    CRecordingListener m_listener;
};

std::wstring EncoderJob::s_folder;
bool EncoderJob::s_made = false;

TEST_F(EncoderJob, ConvertsAndReportsProgress)
{
    SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", L"slow");  // the 4 s clip takes 4 s: several progress reports
    std::wstring output = Media(L"out 1.mkv");
    CEncoderOptions options;
    options.InputPath = Media(L"clip.mp4").c_str();
    options.OutputPath = output.c_str();
    options.OutputFormat = L"matroska";
    options.VideoCodec = L"libx264";
    options.Width = 160;
    options.Height = 120;
    options.AudioCodec = L"libmp3lame";
    EXPECT_EQ(0, Run([&] { return m_job.RunTool(options, nullptr); }));

    const std::vector<Call>& calls = m_listener.calls;
    ASSERT_GE(calls.size(), 5u);
    EXPECT_EQ('B', calls.front().kind);
    EXPECT_EQ('S', calls[1].kind);
    EXPECT_EQ('E', calls.back().kind);
    EXPECT_EQ('F', calls[calls.size() - 2].kind) << "the end repeats the last payload";
    EXPECT_EQ(1, m_listener.Count('S'));
    EXPECT_GE(m_listener.Count('P'), 3);
    EXPECT_EQ(2, m_listener.Count('F'));
    LONGLONG lastTime = 0, lastBytes = 0;
    for (const Call& call : calls) {
        if (call.kind != 'P' && call.kind != 'F')
            continue;
        EXPECT_NEAR(4000000, call.progress.TotalDurationInUs, 100000);
        EXPECT_GE(call.progress.OutputTimeInUs, lastTime);
        EXPECT_GE(call.progress.BytesWritten, lastBytes);
        lastTime = call.progress.OutputTimeInUs;
        lastBytes = call.progress.BytesWritten;
    }
    EXPECT_NEAR(4000000, lastTime, 200000);
    EXPECT_NEAR(static_cast<double>(FileSize(output)), static_cast<double>(lastBytes), FileSize(output) * 0.1);

    CMediaInfo info;
    ASSERT_EQ(0, info.Probe(output.c_str(), nullptr));
    EXPECT_EQ(CString(L"matroska"), info.Format);
    ASSERT_NE(nullptr, info.GetVideoStream());
    EXPECT_EQ(CString(L"h264"), info.GetVideoStream()->Codec);
    EXPECT_EQ(160, info.GetVideoStream()->Width);
    ASSERT_EQ(1, info.AudioStreams.GetSize());
    EXPECT_EQ(CString(L"mp3"), info.AudioStreams[0]->Codec);
    EXPECT_NEAR(4000000, info.DurationInUs, 200000);
}

TEST_F(EncoderJob, AStopReplyEndsTheRun)
{
    const struct {
        const char* name;
        bool setStopFlag;  // as the conversion engine does when the user cancels
        int result;
    } cases[] = {
        {"the reply alone", false, -1},
        {"the reply with the stop flag", true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring log = Media(L"stop.log");
        DeleteFileW(log.c_str());
        SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", L"slow");
        SetEnvironmentVariableW(L"KAVRI_TOOL_LOG", log.c_str());
        m_listener.calls.clear();
        StopFlag nStop{0};
        m_listener.onProgress = [&] {
            if (c.setStopFlag)
                nStop = 20;
            return 1;
        };
        CEncoderOptions options;
        options.InputPath = Media(L"clip.mp4").c_str();
        options.OutputPath = Media(L"stopped.mp4").c_str();
        options.OutputFormat = L"mp4";
        options.VideoCodec = L"libx264";
        EXPECT_EQ(c.result, Run([&] { return m_job.RunTool(options, &nStop); }));
        EXPECT_EQ(1, m_listener.Count('P')) << "nothing more after the stop";
        EXPECT_LT(m_job.m_lastProgress.OutputTimeInUs, 3000000) << "stopped long before the 4 s clip was done";
        EXPECT_TRUE(ChildGoneWithin(GetCurrentProcessId(), L"ClipConverter.exe", 30000));
        if (!c.setStopFlag) {
            EXPECT_NE(std::string::npos, ReadFileBytes(log).find("exit ")) << "the tool ended by itself";
        }
    }
}

TEST_F(EncoderJob, AToolIgnoringTheStopIsKilled)
{
    std::wstring log = Media(L"hang.log");
    DeleteFileW(log.c_str());
    SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", L"hang");
    SetEnvironmentVariableW(L"KAVRI_TOOL_LOG", log.c_str());
    StopFlag nStop{0};
    DWORD stopAt = 0;
    DWORD converter = 0, encoder = 0;
    m_listener.onProgress = [&] {
        if (stopAt == 0) {
            converter = ChildProcessId(GetCurrentProcessId(), L"ClipConverter.exe");
            encoder = ChildProcessId(converter, L"ffmpeg.exe");
            stopAt = GetTickCount();
            nStop = 20;
        }
        return 1;
    };
    CEncoderOptions options;
    options.InputPath = Media(L"clip.mp4").c_str();
    options.OutputPath = Media(L"killed.mp4").c_str();
    options.OutputFormat = L"mp4";
    EXPECT_EQ(1, Run([&] { return m_job.RunTool(options, &nStop); }));
    DWORD took = GetTickCount() - stopAt;
    EXPECT_GE(took, 2800u) << "the tool has its grace time";
    // A tool in this mode never ends by itself, so any end is the kill; the limit only keeps
    // a busy machine from failing the test.
    EXPECT_LE(took, 60000u);
    EXPECT_EQ(std::string::npos, ReadFileBytes(log).find("exit ")) << "killed, not ended by itself";
    ASSERT_NE(0u, converter);
    EXPECT_TRUE(ProcessGoneWithin(converter, 30000)) << "no process is left";
    if (encoder != 0) {
        EXPECT_TRUE(ProcessGoneWithin(encoder, 30000)) << "nor the tool's own child";
    }
    EXPECT_EQ('E', m_listener.calls.back().kind);
}

TEST_F(EncoderJob, AFailedMergeIsMadeOnceMoreDroppingFrames)
{
    std::wstring log = Media(L"merge.log");
    DeleteFileW(log.c_str());
    SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", L"fail");
    SetEnvironmentVariableW(L"KAVRI_TOOL_LOG", log.c_str());
    EXPECT_EQ(-1, Run([&] {
        return m_job.MergeStreams(Media(L"video.mp4").c_str(), -1, Media(L"tone.wav").c_str(), -1, nullptr, -1,
                                  Media(L"merged.mp4").c_str(), L"mp4", nullptr, nullptr, nullptr, nullptr);
    }));
    std::string text = ReadFileBytes(log);
    size_t first = text.find("args: ");
    size_t second = text.find("args: ", first + 1);
    ASSERT_NE(std::string::npos, second) << text;
    EXPECT_EQ(std::string::npos, text.substr(first, second - first).find("-vsync drop")) << text;
    EXPECT_NE(std::string::npos, text.find("-vsync drop", second)) << text;
}

TEST_F(EncoderJob, CannedRunsOnRealMedia)
{
    std::wstring merged = Media(L"merged ok.mp4");
    EXPECT_EQ(0, Run([&] {
        return m_job.MergeStreams(Media(L"video.mp4").c_str(), -1, Media(L"tone.wav").c_str(), -1, nullptr, -1,
                                  merged.c_str(), L"mp4", nullptr, nullptr, nullptr, nullptr);
    }));
    CMediaInfo mergedInfo;
    ASSERT_EQ(0, mergedInfo.Probe(merged.c_str(), nullptr));
    EXPECT_EQ(1, mergedInfo.VideoStreams.GetSize());
    ASSERT_EQ(1, mergedInfo.AudioStreams.GetSize());
    EXPECT_EQ(CString(L"aac"), mergedInfo.AudioStreams[0]->Codec);

    std::wstring joined = Media(L"joined.mp4");
    CStringArray segments;
    segments.Add(Media(L"seg1.ts").c_str());
    segments.Add(Media(L"seg2.ts").c_str());
    EXPECT_EQ(0, Run([&] { return m_job.ConcatFiles(segments, joined.c_str(), L"mp4", nullptr); }));
    CMediaInfo joinedInfo;
    ASSERT_EQ(0, joinedInfo.Probe(joined.c_str(), nullptr));
    EXPECT_NEAR(2000000, joinedInfo.DurationInUs, 200000);

    std::wstring silent = Media(L"silent.mp4");
    EXPECT_EQ(0, Run([&] {
        return m_job.ConvertVideoOnly(Media(L"clip.mp4").c_str(), 0, 0, silent.c_str(), L"mp4", L"libx264", 0, 0, 0,
                                      -1, nullptr);
    }));
    CMediaInfo silentInfo;
    ASSERT_EQ(0, silentInfo.Probe(silent.c_str(), nullptr));
    EXPECT_EQ(0, silentInfo.AudioStreams.GetSize());
    EXPECT_EQ(1, silentInfo.VideoStreams.GetSize());
}

TEST_F(EncoderJob, FrameGrabWritesAJpegTheImageLibraryLoads)
{
    CEncoderJob grab;  // as the player's thumbnail grab: no listener, no callback window
    std::wstring thumb = Media(L"thumb.jpg");
    EXPECT_EQ(0, grab.ExtractFrame(Media(L"clip.mp4").c_str(), thumb.c_str(), 2000, 160, 120, nullptr, nullptr));
    std::string bytes = ReadFileBytes(thumb);
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ('\xFF', bytes[0]);
    EXPECT_EQ('\xD8', bytes[1]);
    CRasterImage image;
    ASSERT_TRUE(image.LoadFromFile(thumb.c_str(), RASTER_FORMAT_JPG)) << image.GetLastError();
    EXPECT_EQ(160u, image.GetWidth());
    EXPECT_EQ(120u, image.GetHeight());
    CMediaInfo info;
    ASSERT_EQ(0, info.Probe(thumb.c_str(), nullptr));
    EXPECT_EQ(MEDIA_FILE_IMAGE, info.FileType);
    ASSERT_NE(nullptr, info.GetVideoStream());
    EXPECT_EQ(160, info.GetVideoStream()->Width);
    EXPECT_EQ(120, info.GetVideoStream()->Height);
}

TEST_F(EncoderJob, ProgressBlocksNamingNoRunningJobAreNotFollowed)
{
    EncoderMessageBlock block = {};
    block.Event = ENCODER_EVENT_PROGRESS;
    const uint64_t contexts[] = {0, ContextOf(static_cast<CEncoderRunner*>(&m_job)), 0x7FFE0000};
    for (uint64_t context : contexts) {
        block.Context = static_cast<int64_t>(context);
        COPYDATASTRUCT cds = {ENCODER_MSG_EVENT, sizeof(block), &block};
        EXPECT_EQ(0, SendMessageW(m_hWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds)));
    }
    EXPECT_TRUE(m_listener.calls.empty());
    COPYDATASTRUCT shortBlock = {ENCODER_MSG_EVENT, sizeof(block) - 4, &block};
    EXPECT_EQ(-1, CEncoderJob::DeliverMessage(&shortBlock));
}

TEST_F(EncoderJob, MessagesToTheJobItself)
{
    EncoderMessageBlock block = {};
    block.Progress.TotalDurationInUs = 5;
    block.Event = 40;
    EXPECT_EQ(-1, m_job.OnEncoderMessage(&block));
    EXPECT_TRUE(m_listener.calls.empty()) << "an unknown event reaches no listener";
    EXPECT_EQ(5, m_job.m_lastProgress.TotalDurationInUs) << "but its payload is kept";
    EXPECT_EQ(-1, m_job.OnEncoderMessage(nullptr));
    CEncoderJob lonely;
    block.Event = ENCODER_EVENT_PROGRESS;
    EXPECT_EQ(-1, lonely.OnEncoderMessage(&block));
}

}  // namespace
