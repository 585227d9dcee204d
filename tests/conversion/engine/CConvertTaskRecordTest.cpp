// The task record: its status table, resets, progress numbers, the output kind a format and
// preset give, and opening files (through a recorder in place of the shell).
#include "conversion/engine/CConvertTaskRecord.h"
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include "framework/system/ShellCalls.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(CConvertTaskRecordTest, StatusTable)
{
    struct Case {
        const char* name;
        int state, phase, result;
        int status, colour;
        const wchar_t* text;
        const wchar_t* detail;
    } cases[] = {
        {"failed to convert", -1, 20, -300, 240, -2, L"Failed", L"failed to convert"},
        {"output folder", -1, 10, -200, 240, -2, L"Failed", L"cannot access output folder"},
        {"input not supported", -1, 10, -101, 240, -2, L"Failed", L"input format is not supported"},
        {"input missing", -1, 0, -100, 240, -2, L"Failed", L"cannot find input file"},
        {"failed without a code", -1, 10, 0, 240, -2, L"Failed", L""},
        {"failed with another code", -1, 10, 200, 240, -2, L"Failed", L""},
        {"preparing", 10, 10, 0, 100, 10, L"Preparing", L""},
        {"converting", 10, 20, 0, 101, 11, L"Converting", L""},
        {"ending", 10, 30, 0, 100, 10, L"Ending", L""},
        {"output named", 10, 11, 0, -2, -2, L"", L""},
        {"running before a phase", 10, 0, 0, -2, -2, L"", L""},
        {"converted", 10, 21, 0, -2, -2, L"", L""},
        {"completed", 100, 31, 0, 300, -2, L"Completed", L""},
        {"skipped, file exists", 120, 10, 200, 221, -2, L"Canceled", L"file already exists"},
        {"stopped while preparing", 120, 10, 0, 220, -2, L"Canceled", L""},
        {"stopped with an error code", 120, 20, -300, 220, -2, L"Canceled", L""},
        {"idle", 0, 0, 0, -2, -2, L"", L""},
        {"unknown state", 7, 20, 0, -2, -2, L"", L""},
    };
    for (const Case& c : cases) {
        CConvertTaskRecord record;
        record.SetState(c.state);
        record.SetPhase(c.phase);
        record.SetResult(c.result);
        int status = 0, colour = 0;
        CString text = L"old", detail = L"old";
        record.GetStatus(status, colour, text, detail);
        EXPECT_EQ(c.status, status) << c.name;
        EXPECT_EQ(c.colour, colour) << c.name;
        EXPECT_EQ(CString(c.text), text) << c.name;
        EXPECT_EQ(CString(c.detail), detail) << c.name;
    }
}

TEST(CConvertTaskRecordTest, PhasesMarkTheirSteps)
{
    CConvertTaskRecord record;
    record.SetPhase(TASK_PHASE_PREPARING);
    record.SetPhase(TASK_PHASE_CONVERTING);
    EXPECT_EQ(0u, record.m_progress.m_phaseFlags);
    record.SetPhase(TASK_PHASE_OUTPUT_NAMED);
    record.SetPhase(TASK_PHASE_CONVERTED);
    EXPECT_EQ(TASK_FLAG_OUTPUT_NAMED | TASK_FLAG_OUTPUT_WRITTEN, record.m_progress.m_phaseFlags);
    record.SetPhase(TASK_PHASE_ENDED);
    EXPECT_EQ(7u, record.m_progress.m_phaseFlags);
    EXPECT_EQ(TASK_PHASE_ENDED, record.m_progress.m_phase);
}

TEST(CConvertTaskRecordTest, ProgressNumbers)
{
    struct Case {
        LONGLONG position, total;
        int mode;
        bool has;
    } cases[] = {
        {0, 100, 10, true}, {50, 100, 11, true}, {-1, 100, 10, false},
        {5, 0, 10, false}, {5, 100, 0, false}, {5, -1, 11, false},
    };
    for (const Case& c : cases) {
        CConvertTaskRecord record;
        record.SetProgressNumbers(c.position, c.total, c.mode);
        EXPECT_EQ(c.has, record.HasProgressNumbers()) << c.position << "/" << c.total << " mode " << c.mode;
    }
}

TEST(CConvertTaskRecordTest, ResetsKeepWhatTheNextRunNeeds)
{
    CConvertTaskRecord record;
    record.m_kind = TASK_KIND_CONVERT;
    record.m_inputs.m_mainPath = L"C:\\in\\a.mp4";
    record.m_options.m_formatId = L"AF_mp3";
    record.m_output.m_path = L"D:\\out\\a.mp3";
    record.m_output.m_size = 1234;
    record.m_progress.m_probeFlags = TASK_PROBED_MAIN | TASK_PROBED_AUDIO | TASK_PROBED_OUTPUT | 0x200 | 0x1000;
    record.SetState(TASK_STATE_FAILED);
    record.SetPhase(TASK_PHASE_CONVERTING);
    record.SetResult(TASK_ERROR_CONVERT_FAILED);
    record.m_progress.m_block.BytesWritten = 99;
    record.SetProgressNumbers(5, 10, 11);

    record.ResetOutput();
    EXPECT_EQ(L"C:\\in\\a.mp4", record.m_inputs.m_mainPath);
    EXPECT_EQ(L"AF_mp3", record.m_options.m_formatId);
    EXPECT_TRUE(record.m_output.m_path.IsEmpty());
    EXPECT_EQ(-1, record.m_output.m_size);
    EXPECT_EQ(TASK_PROBED_MAIN | TASK_PROBED_AUDIO, record.m_progress.m_probeFlags) << "inputs stay probed";
    EXPECT_EQ(TASK_STATE_IDLE, record.m_progress.m_state);
    EXPECT_EQ(TASK_PHASE_NONE, record.m_progress.m_phase);
    EXPECT_EQ(TASK_ERROR_CONVERT_FAILED, record.m_progress.m_result) << "the result code stays";
    EXPECT_EQ(0, record.m_progress.m_block.BytesWritten);
    EXPECT_FALSE(record.HasProgressNumbers());

    record.ResetInputs();
    EXPECT_TRUE(record.m_inputs.m_mainPath.IsEmpty());
    EXPECT_EQ(-1, record.m_inputs.m_mainDuration);
    EXPECT_EQ(0u, record.m_progress.m_probeFlags);
    EXPECT_EQ(TASK_RESULT_NONE, record.m_progress.m_result);
    EXPECT_EQ(L"AF_mp3", record.m_options.m_formatId);

    record.m_options.m_volume = 50;
    record.ResetAll();
    EXPECT_TRUE(record.m_options.m_formatId.IsEmpty());
    EXPECT_EQ(100, record.m_options.m_volume);
    EXPECT_EQ(-1, record.m_options.m_cutEnd);
    EXPECT_EQ(-1, record.m_options.m_gifLoop);
}

class OutputKind : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        TempFolder data;
        ASSERT_EQ(0, theMediaFormats.Load(data.Path().c_str()));
    }
};

TEST_F(OutputKind, ComesFromTheFormatAndPreset)
{
    CConvertTaskRecord record;
    record.m_output.m_kind = 7;
    record.m_options.m_formatId = L"vf_MP4";
    EXPECT_EQ(MEDIA_KIND_VIDEO, record.GetOutputMediaKind());
    EXPECT_EQ(MEDIA_KIND_VIDEO, record.GetCachedOutputMediaKind());
    record.m_options.m_formatId = L"AF_mp3";
    EXPECT_EQ(MEDIA_KIND_AUDIO, record.GetOutputMediaKind());

    CMediaPreset* pCustom = theMediaFormats.FindFormat(L"VF_mp4")->FindPreset(L"Custom");
    UINT32 saved = pCustom->m_record.videoFlags;
    pCustom->m_record.videoFlags |= PRESET_STREAM_OFF;
    record.m_options.m_formatId = L"VF_mp4";
    record.m_options.m_presetName = L"custom";
    EXPECT_EQ(MEDIA_KIND_AUDIO, record.GetOutputMediaKind()) << "video switched off in the preset";
    pCustom->m_record.videoFlags = saved;

    record.m_output.m_kind = MEDIA_KIND_VIDEO;
    record.m_options.m_formatId = L"VF_none";
    EXPECT_EQ(MEDIA_KIND_VIDEO, record.GetOutputMediaKind()) << "unknown format: the cached kind";
    record.m_output.m_kind = 5;
    EXPECT_EQ(MEDIA_KIND_NONE, record.GetCachedOutputMediaKind());
    record.m_inputs.m_mainKind = 2;
    EXPECT_EQ(MEDIA_KIND_AUDIO, record.GetInputMediaKind());
}

struct Launch {
    int calls = 0;
    std::wstring verb, file, parameters;
    INT show = 0;
    FILEOP_FLAGS deleteFlags = 0;
};
Launch g_launch;

HINSTANCE WINAPI RecordShellExecute(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR, INT show)
{
    g_launch.calls++;
    g_launch.verb = verb ? verb : L"(null)";
    g_launch.file = file ? file : L"";
    g_launch.parameters = parameters ? parameters : L"(null)";
    g_launch.show = show;
    return reinterpret_cast<HINSTANCE>(42);
}

int WINAPI RecordFileOperation(LPSHFILEOPSTRUCTW operation)
{
    g_launch.calls++;
    g_launch.file = operation->pFrom;
    g_launch.deleteFlags = operation->fFlags;
    return 0;
}

class ShellRecorder : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = ShellCalls();
        ShellCalls().pfnShellExecute = RecordShellExecute;
        ShellCalls().pfnFileOperation = RecordFileOperation;
        g_launch = Launch();
    }
    void TearDown() override { ShellCalls() = m_saved; }

    static void Touch(const std::wstring& path)
    {
        HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
        CloseHandle(hFile);
    }

    CShellCalls m_saved;
    TempFolder m_folder;
};

TEST_F(ShellRecorder, OpenInPlayerOrWithTheFilesProgram)
{
    CConvertTaskRecord record;
    record.m_output.m_path = (m_folder / L"out.mp4").c_str();
    EXPECT_EQ(-1, record.OpenOutput()) << "no file yet";
    EXPECT_EQ(0, g_launch.calls);

    Touch(m_folder / L"out.mp4");
    ASSERT_EQ(0, record.OpenOutput());
    EXPECT_EQ(L"open", g_launch.verb);
    EXPECT_EQ(L"\"" + m_folder / L"out.mp4" + L"\"", g_launch.file);
    EXPECT_EQ(SW_SHOWNORMAL, g_launch.show);

    // The player beside this program takes the quoted path as its argument.
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring player = exe;
    player = player.substr(0, player.find_last_of(L'\\')) + L"\\KavriVideoPlayer.exe";
    Touch(player);
    record.m_inputs.m_mainPath = (m_folder / L"out.mp4").c_str();
    int result = record.OpenInput();
    DeleteFileW(player.c_str());
    ASSERT_EQ(0, result);
    EXPECT_EQ(L"(null)", g_launch.verb);
    EXPECT_EQ(player, g_launch.file);
    EXPECT_EQ(L"\"" + m_folder / L"out.mp4" + L"\"", g_launch.parameters);
    EXPECT_EQ(SW_SHOW, g_launch.show);
}

TEST_F(ShellRecorder, TheOutputIsNeverRecycledAsASource)
{
    CConvertTaskRecord record;
    std::wstring input = m_folder / L"clip.mp4", output = m_folder / L"clip (1).mp4";
    Touch(input);
    Touch(output);
    record.m_inputs.m_mainPath = input.c_str();
    record.m_inputs.m_inputList.Add((m_folder / L"seg1.ts").c_str());
    record.m_output.m_path = output.c_str();
    EXPECT_TRUE(record.IsInputPath((m_folder / L"CLIP.MP4").c_str()));
    EXPECT_TRUE(record.IsInputPath((m_folder / L"seg1.ts").c_str()));
    EXPECT_FALSE(record.IsInputPath(output.c_str()));

    EXPECT_EQ(-1, record.RecycleInput((m_folder / L"Clip (1).mp4").c_str()));
    EXPECT_EQ(0, g_launch.calls) << "the output went nowhere";
    EXPECT_EQ(0, record.RecycleInput(input.c_str()));
    EXPECT_EQ(1, g_launch.calls);
    EXPECT_EQ(input, g_launch.file);
    EXPECT_EQ(0x454, g_launch.deleteFlags);
}

}  // namespace
