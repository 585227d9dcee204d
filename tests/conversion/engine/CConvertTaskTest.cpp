// What the task tells its page: the hooks called for each state and phase change and for each
// progress report, with the exact status lines; and which WM_COPYDATA blocks it takes.
#include "conversion/engine/CConvertTask.h"
#include "tests/conversion/engine/RecordingTask.h"
#include <gtest/gtest.h>

namespace {

TEST(CConvertTaskTest, ProgressLines)
{
    struct Case {
        const char* name;
        int phase, source;
        LONGLONG total, time, bytes, expected;
        const wchar_t* calls;
    } cases[] = {
        {"time known", 20, 1, 4000000, 2999999, 2048, 0,
         L"duration 4000000|position 2999999|size 2048|progress 2999999/4000000/11|"
         L"text Converting: Time = 2.00 s / 4.00 s, Size = 3.00 KB"},
        {"size expected", 20, 1, 0, 1500000, 1, 10240, L"duration 0|position 1500000|size 1|progress 1/10240/10|"
                                                       L"text Converting: Time = 1.00 s, Size = 1.00 KB / 11.00 KB"},
        {"nothing known", 20, 1, -1, 500000, 0, 0,
         L"duration -1|position 500000|size 0|text Converting: Time = 0.00 s, Size = 1.00 KB"},
        {"1025 bytes", 20, 1, -1, 0, 1025, 0, L"duration -1|position 0|size 1025|text Converting: Time = 0.00 s, Size = 2.00 KB"},
        {"byte join", 20, 0, 0, 0, 0, 0, L"size 3072|progress 3072/10240/10|text Converting: Size = 4.00 KB / 11.00 KB"},
        {"not converting", 10, 1, 4000000, 1000000, 10, 0, L""},
        {"ending", 30, 0, 0, 0, 0, 0, L""},
    };
    for (const Case& c : cases) {
        CRecordingTask task;
        CConvertTaskRecord& record = task.m_record;
        record.SetPhase(c.phase);
        record.m_progress.m_source = c.source;
        record.m_progress.m_block.TotalDurationInUs = c.total;
        record.m_progress.m_block.OutputTimeInUs = c.time;
        record.m_progress.m_block.BytesWritten = c.bytes;
        record.m_inputs.m_expectedSize = c.expected;
        record.SetProgressNumbers(3072, 10240, TASK_PROGRESS_MODE_BYTES);
        task.OnProgress(record);
        EXPECT_EQ(std::wstring(c.calls), task.Calls()) << c.name;
    }
}

TEST(CConvertTaskTest, TheProgressHookKeepsTheNumbers)
{
    CRecordingTask task;
    task.m_record.SetPhase(TASK_PHASE_CONVERTING);
    task.m_record.m_progress.m_block.TotalDurationInUs = 8000000;
    task.m_record.m_progress.m_block.OutputTimeInUs = 2000000;
    task.OnProgress(task.m_record);
    EXPECT_TRUE(task.m_record.HasProgressNumbers());
    EXPECT_EQ(2000000, task.m_record.m_progress.m_position);
    EXPECT_EQ(8000000, task.m_record.m_progress.m_total);
    EXPECT_EQ(TASK_PROGRESS_MODE_TIME, task.m_record.m_progress.m_mode);
}

TEST(CConvertTaskTest, StateChanges)
{
    struct Case {
        const char* name;
        int state, phase, result;
        const wchar_t* calls;
    } cases[] = {
        {"running, no phase", 10, 0, 0, L""},
        {"preparing", 10, 10, 0, L"icon 100|colour 10|text Preparing"},
        {"output named", 10, 11, 0, L"name a.mp3|progress 0/100/0"},
        {"converting", 10, 20, 0, L"icon 101|colour 11|text Converting"},
        {"converted", 10, 21, 0, L"progress 0/100/0"},
        {"ending", 10, 30, 0, L"icon 100|colour 10|text Ending"},
        {"ended", 10, 31, 0, L"progress 0/100/0"},
        {"completed", 100, 31, 0, L"duration 4000000|position -1|size 5555|icon 300|text Completed"},
        {"skipped", 120, 10, 200, L"name a.mp3|icon 221|text Canceled: file already exists"},
        {"stopped", 120, 20, 0, L"icon 220|text Canceled"},
        {"failed", -1, 20, -300, L"icon 240|text Failed: failed to convert"},
        {"failed, no code", -1, 10, 0, L"icon 240|text Failed"},
    };
    for (const Case& c : cases) {
        CRecordingTask task;
        CConvertTaskRecord& record = task.m_record;
        record.m_output.m_path = L"D:\\out\\a.mp3";
        record.m_output.m_size = 5555;
        record.m_output.m_info.DurationInUs = 4000000;
        record.SetState(c.state);
        record.SetPhase(c.phase);
        record.SetResult(c.result);
        task.OnStateChanged(record);
        EXPECT_EQ(std::wstring(c.calls), task.Calls()) << c.name;
    }
}

TEST(CConvertTaskTest, OnlyProgressBlocksOfItsOwnRunAreTaken)
{
    CRecordingTask task;
    EncoderMessageBlock block = {};
    block.Event = ENCODER_EVENT_PROGRESS;
    struct Case {
        const char* name;
        ULONG_PTR code;
        DWORD size;
        void* data;
    } cases[] = {
        {"the player's code", 1020, sizeof(block), &block},
        {"short block", ENCODER_MSG_EVENT, sizeof(block) - 1, &block},
        {"long block", ENCODER_MSG_EVENT, sizeof(block) + 1, &block},
        {"no data", ENCODER_MSG_EVENT, sizeof(block), nullptr},
        {"no run under way", ENCODER_MSG_EVENT, sizeof(block), &block},
    };
    for (const Case& c : cases) {
        block.Context = reinterpret_cast<INT_PTR>(&task);
        COPYDATASTRUCT cds = {c.code, c.size, c.data};
        EXPECT_EQ(0, task.OnCopyData(&cds)) << c.name;
    }
    EXPECT_EQ(0, task.OnCopyData(nullptr));
    EXPECT_EQ(L"", task.Calls());
}

TEST(CConvertTaskTest, StartAndStopWhenIdle)
{
    CRecordingTask task;
    EXPECT_EQ(1, task.Stop()) << "nothing runs";
    EXPECT_EQ(0, task.m_nStopRequest);
    task.OnThreadFinished();  // a late end message of a thread already freed
    EXPECT_FALSE(task.m_pThread);
}

}  // namespace
