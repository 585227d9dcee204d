// Output names under pressure, with the real tools: two tasks that want one name at once, a
// file of the user's that bears the temporary name, a folder typed with '/', names with '%'
// and a stopped HLS run. Nothing of anyone's may be lost or left behind.
#include "tests/conversion/engine/ConvertJobFixture.h"
#include "tests/conversion/engine/TaskRunFixture.h"

using namespace tooltest;

namespace {

class ConvertTaskNames : public TaskRun {
protected:
    static void SetUpTestSuite()
    {
        MakeSuiteMedia({
            {L"tone.wav", L"-f lavfi -i sine=frequency=1000:duration=3:sample_rate=44100 -c:a pcm_s16le -f wav"},
            {L"clip.mp4", kClipH264Aac},
            // Long enough that a loaded machine still sees a run in its middle.
            {L"long.mp4", L"-f lavfi -i testsrc=duration=30:size=160x120:rate=25 -f lavfi -i "
                          L"sine=frequency=440:duration=30 -c:v libx264 -pix_fmt yuv420p -c:a aac -shortest -f mp4"},
        });
        // Two inputs of one name in two folders.
        for (const wchar_t* folder : {L"\\A", L"\\B"}) {
            CreateDirectoryW((s_folder + folder).c_str(), nullptr);
            s_made = s_made &&
                     CopyFileW(Media(L"tone.wav").c_str(), (s_folder + folder + L"\\tone.wav").c_str(), FALSE);
        }
    }

    // A conversion of the input into the output folder, to the format and preset.
    static void FillConvert(CRunTask& task, const std::wstring& input, const std::wstring& folder,
                            const wchar_t* formatId = L"AF_mp3", const wchar_t* preset = nullptr,
                            const wchar_t* outputName = nullptr)
    {
        task.fill = [&task, input, folder, formatId, preset, outputName](CConvertTaskRecord& record) {
            record.m_options.Reset();
            record.m_kind = TASK_KIND_CONVERT;
            EXPECT_EQ(0, record.SetMainInput(input.c_str(), &task.m_nStopRequest));
            record.m_options.m_formatId = formatId;
            if (preset)
                record.m_options.m_presetName = preset;
            if (outputName)
                record.m_options.m_outputName = outputName;
            record.m_options.m_outputFolder = folder.c_str();
        };
    }

    // Every file under the folder, its subfolders' files as "<sub>\<name>", sorted, '|' between.
    static std::wstring Tree(const std::wstring& folder, const std::wstring& prefix = L"")
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE hFind = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (hFind != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = found.cFileName;
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    names.push_back(prefix + name);
                else if (name != L"." && name != L"..")
                    names.push_back(prefix + name + L"\\" + L"[" + Tree(folder + L"\\" + name) + L"]");
            } while (FindNextFileW(hFind, &found));
            FindClose(hFind);
        }
        std::sort(names.begin(), names.end());
        std::wstring tree;
        for (const std::wstring& name : names)
            tree += (tree.empty() ? L"" : L"|") + name;
        return tree;
    }
};

TEST_F(ConvertTaskNames, TwoTasksWantingOneNameAtOnce)
{
    struct Case {
        const char* name;
        int policy;
        const wchar_t* outcomes;  // of the two tasks, sorted
        const wchar_t* listing;
    } cases[] = {
        {"new names for all", FILE_EXISTS_NEW_NAME_ALL, L"100 0 Completed|100 0 Completed", L"tone (1).mp3|tone.mp3"},
        {"skip all", FILE_EXISTS_SKIP_ALL, L"100 0 Completed|120 200 Canceled: file already exists", L"tone.mp3"},
        {"overwrite all", FILE_EXISTS_OVERWRITE_ALL, L"100 0 Completed|100 0 Completed", L"tone.mp3"},
    };
    SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", L"slow");  // both runs last the tone's three seconds
    for (const Case& c : cases) {
        tooltest::RemoveFolder(Out());
        CreateDirectoryW(Out().c_str(), nullptr);
        CScriptedPrompt prompt;
        prompt.policy = c.policy;
        SetFileExistsPrompt(&prompt);
        CRunTask first, second;
        FillConvert(first, s_folder + L"\\A\\tone.wav", Out());
        FillConvert(second, s_folder + L"\\B\\tone.wav", Out());
        CTaskPageWindow firstPage(&first), secondPage(&second);
        ASSERT_EQ(0, first.Start(firstPage.GetHwnd())) << c.name;
        ASSERT_EQ(0, second.Start(secondPage.GetHwnd())) << c.name;
        ASSERT_TRUE(firstPage.PumpUntilIdle(120000)) << c.name;
        ASSERT_TRUE(secondPage.PumpUntilIdle(120000)) << c.name;
        std::wstring outcomes[] = {Outcome(first), Outcome(second)};
        std::sort(std::begin(outcomes), std::end(outcomes));
        EXPECT_EQ(c.outcomes, outcomes[0] + L"|" + outcomes[1]) << c.name;
        EXPECT_EQ(c.listing, Listing()) << c.name;
        EXPECT_TRUE(prompt.questions.empty()) << c.name;
        SetFileExistsPrompt(nullptr);
    }
}

TEST_F(ConvertTaskNames, AFileBearingTheTemporaryNameIsLeftAlone)
{
    std::wstring mine = Out(L"[converting] tone.mp3");
    HANDLE hFile = CreateFileW(mine.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    DWORD written = 0;
    WriteFile(hFile, "mine", 4, &written, nullptr);
    CloseHandle(hFile);
    CRunTask task;
    FillConvert(task, Media(L"tone.wav"), Out());
    CTaskPageWindow page(&task);
    RunToEnd(task, page);
    EXPECT_EQ(L"100 0 Completed", Outcome(task));
    EXPECT_EQ(L"[converting] tone.mp3|tone.mp3", Listing());
    EXPECT_EQ("mine", ReadFileBytes(mine));
    EXPECT_GT(FileSize(Out(L"tone.mp3")), 1000);
}

// A folder typed with '/' names the same folder as with '\'.
TEST_F(ConvertTaskNames, AFolderTypedWithSlashes)
{
    std::wstring typed = Out() + L"\\new\\";
    std::replace(typed.begin(), typed.end(), L'\\', L'/');
    std::wstring root = Out().substr(0, 3);
    CRunTask task;
    FillConvert(task, Media(L"tone.wav"), typed);
    CTaskPageWindow page(&task);
    RunToEnd(task, page);
    EXPECT_EQ(L"100 0 Completed", Outcome(task));
    EXPECT_EQ(L"new\\[tone.mp3]", Tree(Out()));
    EXPECT_EQ(CString((Out() + L"\\new\\tone.mp3").c_str()), task.m_record.m_output.m_path);
    EXPECT_FALSE(FileExists(root + L"[converting] tone.mp3")) << "nothing at the drive's root";
}

// Names are names: '%' in a title names no frame number.
TEST_F(ConvertTaskNames, PercentInAnHlsTitle)
{
    CRunTask task;
    FillConvert(task, Media(L"tone.wav"), Out(), L"VF_hls", L"Audio Only", L"100%% done %d");
    CTaskPageWindow page(&task);
    RunToEnd(task, page);
    EXPECT_EQ(L"100 0 Completed", Outcome(task));
    EXPECT_EQ(L"100%% done %d-0000.ts|100%% done %d-0001.ts|100%% done %d.m3u8", Tree(Out()));
    std::string playlist = ReadFileBytes(Out(L"100%% done %d.m3u8"));
    EXPECT_NE(std::string::npos, playlist.find("\n100%% done %d-0000.ts\n")) << playlist;
    EXPECT_NE(std::string::npos, playlist.find("\n100%% done %d-0001.ts\n")) << playlist;
    EXPECT_EQ(std::string::npos, playlist.find("segment-")) << playlist;
}

TEST_F(ConvertTaskNames, AStoppedHlsRunLeavesNoSegments)
{
    SetEnvironmentVariableW(L"KAVRI_TOOL_MODE", L"slow");
    CRunTask task;
    FillConvert(task, Media(L"long.mp4"), Out(), L"VF_hls", L"Audio Only");
    CTaskPageWindow page(&task);
    ASSERT_EQ(0, task.Start(page.GetHwnd()));
    // The second segment begun: the first one is complete.
    DWORD start = GetTickCount();
    while (Tree(Out()).find(L"0001.ts") == std::wstring::npos && task.m_pThread && GetTickCount() - start < 60000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    ASSERT_NE(std::wstring::npos, Tree(Out()).find(L"0001.ts")) << Tree(Out());
    EXPECT_EQ(0, task.Stop());
    EXPECT_EQ(L"120 0 Canceled", Outcome(task));
    EXPECT_EQ(L"", Tree(Out())) << "no segment, playlist or folder of the run";
}

}  // namespace
