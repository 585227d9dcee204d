// Whole runs of each task kind on the task thread with the real tools: a convert, a merge, a
// byte join, concat-list joins and the concat-protocol join, with their progress and what
// they leave in the folder.
#include "conversion/engine/CConvertJob.h"
#include "framework/system/PathHelpers.h"
#include "tests/conversion/engine/TaskRunFixture.h"

using namespace tooltest;

namespace {

class ConvertTaskRun : public TaskRun {
protected:
    static void SetUpTestSuite()
    {
        MakeSuiteMedia({
            {L"clip.mp4", kClipH264Aac},
            {L"video.mp4", L"-f lavfi -i testsrc=duration=2:size=160x120:rate=25 -f lavfi -i "
                           L"sine=frequency=440:duration=2:sample_rate=44100 -c:v libx264 -pix_fmt yuv420p -c:a aac "
                           L"-shortest -f mp4"},
            {L"voice.wav", L"-f lavfi -i sine=frequency=1000:duration=2:sample_rate=22050 -c:a pcm_s16le -f wav"},
            {L"seg1.ts", L"-f lavfi -i testsrc=duration=1:size=160x120:rate=25 -f lavfi -i sine=duration=1 "
                         L"-c:v libx264 -pix_fmt yuv420p -c:a aac -shortest -f mpegts"},
            {L"it's seg2.ts", L"-f lavfi -i testsrc=duration=1:size=160x120:rate=25 -f lavfi -i sine=duration=1 "
                              L"-c:v libx264 -pix_fmt yuv420p -c:a aac -shortest -f mpegts"},
        });
    }
};

TEST_F(ConvertTaskRun, ConvertWithProgress)
{
    SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", L"slow");  // a few seconds: several progress reports
    std::wstring log = Out(L"tool.log");
    SetEnvironmentVariableW(L"KAVRI_TOOL_LOG", log.c_str());
    CRunTask task;
    task.fill = [&](CConvertTaskRecord& record) {
        record.m_options.Reset();
        record.m_kind = TASK_KIND_CONVERT;
        EXPECT_EQ(0, record.SetMainInput(Media(L"clip.mp4").c_str(), &task.m_nStopRequest));
        record.m_options.m_formatId = L"AF_mp3";
        record.m_options.m_presetName = L"Medium Quality";
        record.m_options.m_outputFolder = Out().c_str();
    };
    CTaskPageWindow page(&task);
    RunToEnd(task, page);
    EXPECT_EQ(L"100 0 Completed", Outcome(task));
    EXPECT_EQ(L"clip.mp3|tool.log", Listing()) << "no temporary file is left";
    CConvertTaskRecord& record = task.m_record;
    EXPECT_EQ(CString(Out(L"clip.mp3").c_str()), record.m_output.m_path);
    EXPECT_EQ(GetFileSize64(record.m_output.m_path), record.m_output.m_size);
    EXPECT_EQ(MEDIA_KIND_AUDIO, record.GetCachedOutputMediaKind()) << "the output was probed";
    EXPECT_NEAR(4000000, record.m_output.m_info.DurationInUs, 200000);
    EXPECT_NEAR(4000000, record.m_inputs.m_mainDuration, 200000);

    ASSERT_GE(task.progress.size(), 3u);
    LONGLONG last = 0;
    for (const CRunTask::Progress& step : task.progress) {
        EXPECT_EQ(TASK_PROGRESS_MODE_TIME, step.mode);
        EXPECT_NEAR(4000000, step.total, 200000);
        EXPECT_GE(step.position, last);
        last = step.position;
    }
    int lines = 0;
    for (const std::wstring& text : task.texts)
        lines += text.find(L"Converting: Time = ") == 0 && text.find(L" s / 4.00 s, Size = ") != std::wstring::npos;
    EXPECT_GE(lines, 3);
    EXPECT_GE(page.copyDataMessages, 3);

    std::string args = ReadFileBytes(log);
    char window[64];
    sprintf(window, "-callback_window %lld ", static_cast<long long>(reinterpret_cast<INT_PTR>(page.GetHwnd())));
    EXPECT_NE(std::string::npos, args.find(window)) << args;
    EXPECT_NE(std::string::npos, args.find("[converting] clip.mp3")) << args;
}

TEST_F(ConvertTaskRun, MergeTakesTheAddedAudio)
{
    CRunTask task;
    task.fill = [&](CConvertTaskRecord& record) {
        record.m_options.Reset();
        record.m_kind = TASK_KIND_MERGE;
        EXPECT_EQ(0, record.SetMainInput(Media(L"video.mp4").c_str(), &task.m_nStopRequest));
        EXPECT_EQ(0, record.SetAudioInput(Media(L"voice.wav").c_str(), &task.m_nStopRequest));
        record.m_options.m_outputFolder = Out().c_str();
    };
    CTaskPageWindow page(&task);
    RunToEnd(task, page);
    EXPECT_EQ(L"100 0 Completed", Outcome(task));
    EXPECT_EQ(L"video.mp4", Listing());
    const CMediaInfo& output = task.m_record.m_output.m_info;
    ASSERT_EQ(1, output.VideoStreams.GetSize());
    EXPECT_EQ(CString(L"h264"), output.VideoStreams[0]->Codec);
    ASSERT_EQ(1, output.AudioStreams.GetSize());
    EXPECT_EQ(22050, output.AudioStreams[0]->SampleRate) << "the added audio, not the video's own";
}

TEST_F(ConvertTaskRun, ByteJoinOfFilesTheProberCannotRead)
{
    std::string first(5 * 1024 * 1024, 'a'), second(1000, 'b');
    first[0] = 'X';
    for (const auto& part : {std::make_pair(L"part-1.bin", &first), std::make_pair(L"part-2.bin", &second)}) {
        HANDLE hFile = CreateFileW(Out(part.first).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(hFile, part.second->data(), static_cast<DWORD>(part.second->size()), &written, nullptr);
        CloseHandle(hFile);
    }
    CRunTask task;
    task.fill = [&](CConvertTaskRecord& record) {
        record.ResetAll();
        record.m_kind = TASK_KIND_JOIN_LIST;
        record.m_inputs.m_inputList.Add(Out(L"part-1.bin").c_str());
        record.m_inputs.m_inputList.Add(Out(L"part-2.bin").c_str());
        record.m_options.m_flags = CONVERT_TO_INPUT_FOLDER;
    };
    CTaskPageWindow page(&task);
    RunToEnd(task, page);
    EXPECT_EQ(L"100 0 Completed", Outcome(task));
    EXPECT_EQ(TASK_LIST_BYTES, task.m_record.m_inputs.m_listMode);
    EXPECT_EQ(L"part-1.bin|part-2.bin|part.mp4", Listing());
    EXPECT_EQ(first + second, ReadFileBytes(Out(L"part.mp4")));
    ASSERT_GE(task.progress.size(), 4u) << "the start, two chunks of the first file, the second file";
    LONGLONG total = static_cast<LONGLONG>(first.size() + second.size());
    for (const CRunTask::Progress& step : task.progress) {
        EXPECT_EQ(TASK_PROGRESS_MODE_BYTES, step.mode);
        EXPECT_EQ(total, step.total);
    }
    EXPECT_EQ(0x400000, task.progress[1].position);
    EXPECT_EQ(total, task.progress.back().position);
    EXPECT_EQ(L"Converting: Size = 5121.98 KB / 5121.98 KB", task.texts[task.texts.size() - 3]);
}

TEST_F(ConvertTaskRun, ConcatListJoinRemuxesThroughTheTool)
{
    std::wstring log = Out(L"tool.log");
    SetEnvironmentVariableW(L"KAVRI_TOOL_LOG", log.c_str());
    CRunTask task;
    task.fill = [&](CConvertTaskRecord& record) {
        record.ResetAll();
        record.m_kind = TASK_KIND_JOIN_LIST;
        record.m_inputs.m_inputList.Add(Media(L"seg1.ts").c_str());
        record.m_inputs.m_inputList.Add(Media(L"it's seg2.ts").c_str());
        record.m_options.m_outputFolder = Out().c_str();
    };
    CTaskPageWindow page(&task);
    RunToEnd(task, page);
    EXPECT_EQ(L"100 0 Completed", Outcome(task));
    EXPECT_EQ(TASK_LIST_REMUX, task.m_record.m_inputs.m_listMode);
    EXPECT_EQ(L"seg.mp4|tool.log", Listing());
    const CMediaInfo& output = task.m_record.m_output.m_info;
    EXPECT_EQ(1, output.VideoStreams.GetSize());
    EXPECT_EQ(1, output.AudioStreams.GetSize());
    EXPECT_NEAR(2000000, output.DurationInUs, 200000) << "both segments, the one with an apostrophe too";

    // The list file named on the command line is gone.
    std::string args = ReadFileBytes(log);
    const std::string key = "-f concat -safe 0 -i ";
    size_t at = args.find(key);
    ASSERT_NE(std::string::npos, at) << args;
    at += key.size();
    std::string list = args[at] == '"' ? args.substr(at + 1, args.find('"', at + 1) - at - 1)
                                       : args.substr(at, args.find(' ', at) - at);
    EXPECT_FALSE(list.empty());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(list.c_str())) << list;
}

// The same segments read through the tool's "concat:" protocol, one stream of bytes.
TEST_F(ConvertTaskRun, ConcatProtocolJoinReadsTheSegmentsAsOneStream)
{
    CRunTask task;
    CConvertTaskRecord& record = task.m_record;
    record.m_inputs.m_inputList.Add(Media(L"seg1.ts").c_str());
    record.m_inputs.m_inputList.Add(Media(L"it's seg2.ts").c_str());
    record.m_output.m_path = Out(L"joined.mp4").c_str();
    StopFlag stop{0};
    CConvertJob job(&record, &task, nullptr, &stop);
    EXPECT_EQ(0, job.JoinByConcatProtocol());
    EXPECT_EQ(L"joined.mp4", Listing());
    CMediaInfo output;
    ASSERT_EQ(0, output.Probe(record.m_output.m_path, &stop));
    EXPECT_STREQ(L"mp4", output.Format);
    EXPECT_EQ(1, output.VideoStreams.GetSize());
    EXPECT_EQ(1, output.AudioStreams.GetSize());
    EXPECT_NEAR(2000000, output.DurationInUs, 200000) << "both segments, the one with an apostrophe too";
}

TEST_F(ConvertTaskRun, ConcatListJoinThroughAFormat)
{
    CRunTask task;
    task.fill = [&](CConvertTaskRecord& record) {
        record.ResetAll();
        record.m_kind = TASK_KIND_JOIN_LIST;
        record.m_inputs.m_inputList.Add(Media(L"seg1.ts").c_str());
        record.m_inputs.m_inputList.Add(Media(L"it's seg2.ts").c_str());
        record.m_options.m_formatId = L"AF_mp3";
        record.m_options.m_outputFolder = Out().c_str();
    };
    CTaskPageWindow page(&task);
    RunToEnd(task, page);
    EXPECT_EQ(L"100 0 Completed", Outcome(task));
    EXPECT_EQ(L"seg.mp3", Listing());
    const CMediaInfo& output = task.m_record.m_output.m_info;
    EXPECT_EQ(0, output.VideoStreams.GetSize());
    ASSERT_EQ(1, output.AudioStreams.GetSize());
    EXPECT_EQ(CString(L"mp3"), output.AudioStreams[0]->Codec);
    EXPECT_NEAR(2000000, output.DurationInUs, 250000);
}

TEST_F(ConvertTaskRun, ProgressOfAnotherTasksRunIsNotTaken)
{
    SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", L"slow");
    CRunTask first, second;
    auto fill = [&](CRunTask& task, const wchar_t* input) {
        task.fill = [&, input](CConvertTaskRecord& record) {
            record.m_options.Reset();
            record.m_kind = TASK_KIND_CONVERT;
            EXPECT_EQ(0, record.SetMainInput(Media(input).c_str(), &task.m_nStopRequest));
            record.m_options.m_formatId = L"AF_mp3";
            record.m_options.m_outputFolder = Out().c_str();
        };
    };
    fill(first, L"clip.mp4");
    fill(second, L"video.mp4");
    CTaskPageWindow firstPage(&first), secondPage(&second);
    int progressBlocks = 0, taken = 0;
    // Every block of the first run is offered to the second task too, while it runs its own.
    firstPage.onCopyData = [&](const COPYDATASTRUCT* pcds) {
        const EncoderMessageBlock* pBlock = static_cast<const EncoderMessageBlock*>(pcds->lpData);
        progressBlocks += pBlock->Event == ENCODER_EVENT_PROGRESS || pBlock->Event == ENCODER_EVENT_FINISHED;
        taken += second.OnCopyData(pcds) != 0;
    };
    ASSERT_EQ(0, first.Start(firstPage.GetHwnd()));
    ASSERT_EQ(0, second.Start(secondPage.GetHwnd()));
    ASSERT_TRUE(firstPage.PumpUntilIdle());
    ASSERT_TRUE(secondPage.PumpUntilIdle());
    EXPECT_EQ(L"100 0 Completed", Outcome(first));
    EXPECT_EQ(L"100 0 Completed", Outcome(second));
    EXPECT_GE(progressBlocks, 3);
    EXPECT_EQ(0, taken);
    // Each block reached the first run's job once (and the run's end adds one report).
    EXPECT_GE(first.progress.size(), 3u);
    EXPECT_LE(first.progress.size(), static_cast<size_t>(progressBlocks) + 1);
    for (const CRunTask::Progress& step : second.progress)
        EXPECT_NEAR(2000000, step.total, 200000) << "only the second run's own reports";
}

}  // namespace
