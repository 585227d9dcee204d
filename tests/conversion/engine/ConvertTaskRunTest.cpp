// Whole runs of each task kind on the task thread with the real tools: a convert, a merge,
// byte joins, concat-list joins and the concat-protocol join, with their progress and what
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

// Fragments that the prober cannot read alone, joined byte by byte behind their init segment
// into one playable file.
TEST_F(ConvertTaskRun, ByteJoinOfFragmentsBehindTheirInitSegment)
{
    // The muxer puts the init segment where it is told, the fragments beside the playlist.
    std::wstring pieces = Out(L"pieces");
    CreateDirectoryW(pieces.c_str(), nullptr);
    ASSERT_TRUE(MakeMedia(pieces + L"\\fragments.m3u8",
                          L"-f lavfi -i testsrc=duration=3:size=160x120:rate=25 -c:v libx264 -pix_fmt yuv420p -g 25 "
                          L"-f hls -hls_time 1 -hls_list_size 0 -hls_segment_type fmp4 -hls_fmp4_init_filename " +
                              Quoted(pieces + L"\\init.mp4")));
    const wchar_t* names[] = {L"init.mp4", L"fragments0.m4s", L"fragments1.m4s", L"fragments2.m4s"};
    CRunTask task;
    task.fill = [&](CConvertTaskRecord& record) {
        record.ResetAll();
        record.m_kind = TASK_KIND_JOIN_LIST;
        for (const wchar_t* name : names)
            record.m_inputs.m_inputList.Add((pieces + L"\\" + name).c_str());
        record.m_options.m_outputFolder = Out().c_str();
        record.m_options.m_outputName = L"whole.mp4";
    };
    CTaskPageWindow page(&task);
    RunToEnd(task, page);
    EXPECT_EQ(L"100 0 Completed", Outcome(task));
    EXPECT_EQ(TASK_LIST_BYTES, task.m_record.m_inputs.m_listMode);
    EXPECT_EQ(L"whole.mp4", Listing());
    std::string joined;
    for (const wchar_t* name : names)
        joined += ReadFileBytes(pieces + L"\\" + name);
    EXPECT_TRUE(joined == ReadFileBytes(Out(L"whole.mp4"))) << "the pieces in order, byte for byte";
    EXPECT_NEAR(3000000, task.m_record.m_output.m_info.DurationInUs, 200000);
    ASSERT_FALSE(task.progress.empty());
    for (const CRunTask::Progress& step : task.progress)
        EXPECT_EQ(TASK_PROGRESS_MODE_BYTES, step.mode);
    EXPECT_EQ(static_cast<LONGLONG>(joined.size()), task.progress.back().position);
    RemoveFolder(pieces);
}

// Pieces that add nothing playable to the first are no parts of one file: the join fails and
// its output goes.
TEST_F(ConvertTaskRun, ByteJoinOfPiecesThatMakeNoMediaFails)
{
    const std::string notes = "These are notes, not a picture or a sound.";
    ASSERT_TRUE(WriteFileBytes(Out(L"notes.txt"), notes));
    const struct {
        const char* name;
        const wchar_t* first;
    } cases[] = {
        {"only notes", L"notes.txt"},
        {"a segment and notes", L"seg1.ts"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CRunTask task;
        task.fill = [&](CConvertTaskRecord& record) {
            record.ResetAll();
            record.m_kind = TASK_KIND_JOIN_LIST;
            record.m_inputs.m_inputList.Add(wcscmp(c.first, L"notes.txt") == 0 ? Out(c.first).c_str()
                                                                               : Media(c.first).c_str());
            record.m_inputs.m_inputList.Add(Out(L"notes.txt").c_str());
            record.m_options.m_outputFolder = Out().c_str();
            record.m_options.m_outputName = L"joined.mp4";
        };
        CTaskPageWindow page(&task);
        RunToEnd(task, page);
        EXPECT_EQ(L"-1 -101 Failed: input format is not supported", Outcome(task));
        EXPECT_EQ(L"notes.txt", Listing()) << "no output is left";
    }
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
