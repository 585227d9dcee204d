// Runs that do not complete, with the real tools: a stop by the user (also of a tool that
// ignores it), the tool failing or missing, an input it can't read, and a result that can't
// be moved into place. None of them may leave a temporary or partial file behind.
#include "tests/conversion/engine/TaskRunFixture.h"
#include "tests/conversion/engine/ConvertJobFixture.h"

using namespace tooltest;

namespace {

class ConvertTaskStop : public TaskRun {
protected:
    static void SetUpTestSuite()
    {
        MakeSuiteMedia({
            {L"clip.mp4", kClipH264Aac},
            {L"video.mp4", L"-f lavfi -i testsrc=duration=4:size=160x120:rate=25 -c:v libx264 -pix_fmt yuv420p -f mp4"},
            {L"tone.wav", L"-f lavfi -i sine=frequency=1000:duration=4:sample_rate=44100 -c:a pcm_s16le -f wav"},
        });
    }

    void FillConvert(CRunTask& task)
    {
        task.fill = [&](CConvertTaskRecord& record) {
            record.m_options.Reset();
            record.m_kind = TASK_KIND_CONVERT;
            EXPECT_EQ(0, record.SetMainInput(Media(L"clip.mp4").c_str(), &task.m_nStopRequest));
            record.m_options.m_formatId = L"AF_mp3";
            record.m_options.m_outputFolder = Out().c_str();
        };
    }
    // Starts the run and handles its messages until its first progress report.
    void StartAndWaitForProgress(CRunTask& task, CTaskPageWindow& page)
    {
        ASSERT_EQ(0, task.Start(page.GetHwnd()));
        DWORD start = GetTickCount();
        while (task.progress.empty() && task.m_pThread && GetTickCount() - start < 60000) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
        }
        ASSERT_FALSE(task.progress.empty()) << "no progress came";
    }
};

TEST_F(ConvertTaskStop, StopEndsTheRunAndLeavesNothing)
{
    SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", L"slow");
    CRunTask task;
    FillConvert(task);
    CTaskPageWindow page(&task);
    StartAndWaitForProgress(task, page);
    DWORD start = GetTickCount();
    EXPECT_EQ(0, task.Stop());
    DWORD took = GetTickCount() - start;
    EXPECT_LT(took, 2950u) << "the tool stopped on its reply, before the 3 s kill";
    EXPECT_FALSE(task.m_pThread);
    EXPECT_EQ(1, page.finishedMessages) << "Stop returned once the end message was handled";
    EXPECT_EQ(L"120 0 Canceled", Outcome(task));
    EXPECT_EQ(L"", Listing()) << "neither the temporary file nor an output";
}

TEST_F(ConvertTaskStop, AToolIgnoringTheStopIsEndedAfterThreeSeconds)
{
    SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", L"hang");
    CRunTask task;
    FillConvert(task);
    CTaskPageWindow page(&task);
    StartAndWaitForProgress(task, page);
    int messagesBefore = page.copyDataMessages;
    DWORD start = GetTickCount();
    EXPECT_EQ(0, task.Stop());
    DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 2800u);
    EXPECT_LT(took, 6000u);
    EXPECT_GT(page.copyDataMessages, messagesBefore) << "progress kept coming while Stop waited";
    EXPECT_EQ(L"120 0 Canceled", Outcome(task));
    EXPECT_EQ(L"", Listing());
    EXPECT_TRUE(ChildGoneWithin(GetCurrentProcessId(), L"ClipConverter.exe", 2000));
}

TEST_F(ConvertTaskStop, AStoppedMergeRemovesWhatItWrote)
{
    SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", L"slow");
    CRunTask task;
    task.fill = [&](CConvertTaskRecord& record) {
        record.m_options.Reset();
        record.m_kind = TASK_KIND_MERGE;
        EXPECT_EQ(0, record.SetMainInput(Media(L"video.mp4").c_str(), &task.m_nStopRequest));
        EXPECT_EQ(0, record.SetAudioInput(Media(L"tone.wav").c_str(), &task.m_nStopRequest));
        record.m_options.m_outputFolder = Out().c_str();
    };
    CTaskPageWindow page(&task);
    StartAndWaitForProgress(task, page);
    Sleep(500);
    ASSERT_TRUE(FileExists(Out(L"video.mp4"))) << "the tool has begun to write the output";
    EXPECT_EQ(0, task.Stop());
    EXPECT_EQ(L"120 0 Canceled", Outcome(task));
    EXPECT_EQ(L"", Listing()) << "the next run meets no half file";
}

TEST_F(ConvertTaskStop, FailuresAreReported)
{
    HANDLE hFile = CreateFileW(Media(L"notes.mp4").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(hFile, "not a video", 11, &written, nullptr);
    CloseHandle(hFile);
    struct Case {
        const char* name;
        const wchar_t* mode;
        const wchar_t* converter;
        const wchar_t* input;
        const wchar_t* outcome;
    } cases[] = {
        {"the tool fails", L"fail", nullptr, L"clip.mp4", L"-1 -300 Failed: failed to convert"},
        {"the tool is missing", nullptr, L"C:\\nowhere\\ClipConverter.exe", L"clip.mp4",
         L"-1 -300 Failed: failed to convert"},
        {"the input is no media", nullptr, nullptr, L"notes.mp4", L"-1 -101 Failed: input format is not supported"},
        {"the input is gone", nullptr, nullptr, L"gone.mp4", L"-1 -100 Failed: cannot find input file"},
    };
    for (const Case& c : cases) {
        SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", c.mode);
        LocateMediaTools(ToolFolder().c_str());
        if (c.converter)
            ClipConverterPath = c.converter;
        CRunTask task;
        task.fill = [&](CConvertTaskRecord& record) {
            record.ResetAll();
            record.m_kind = TASK_KIND_CONVERT;
            record.m_inputs.m_mainPath = Media(c.input).c_str();  // probed by the run
            record.m_options.m_formatId = L"AF_mp3";
            record.m_options.m_outputFolder = Out().c_str();
        };
        CTaskPageWindow page(&task);
        RunToEnd(task, page);
        EXPECT_EQ(std::wstring(c.outcome), Outcome(task)) << c.name;
        EXPECT_EQ(L"", Listing()) << c.name;
    }
}

TEST_F(ConvertTaskStop, AResultThatCannotBeMovedIntoPlaceIsKept)
{
    CScriptedPrompt prompt;
    prompt.policy = FILE_EXISTS_OVERWRITE_ALL;
    SetFileExistsPrompt(&prompt);
    std::wstring old = Out(L"clip.mp3");
    HANDLE hOld = CreateFileW(old.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hOld) << "an old output another program holds open";
    CRunTask task;
    FillConvert(task);
    CTaskPageWindow page(&task);
    RunToEnd(task, page);
    CloseHandle(hOld);
    EXPECT_EQ(L"-1 -300 Failed: failed to convert", Outcome(task));
    EXPECT_EQ(L"[converting] clip.mp3|clip.mp3", Listing()) << "the converted file was not thrown away";
    EXPECT_GT(FileSize(Out(L"[converting] clip.mp3")), 10000);
}

}  // namespace
