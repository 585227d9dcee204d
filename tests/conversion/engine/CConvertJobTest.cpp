// The conversion job without the encoding tool: output names, the file-exists question, the
// options and exact command lines it builds, byte joins, and what a failed run leaves behind.
// The prober is not located here, so a file that would need probing counts as unreadable.
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include "framework/system/PathHelpers.h"
#include "mediatools/CEncoderRunner.h"
#include "mediatools/MediaToolLocation.h"
#include "tests/conversion/engine/ConvertJobFixture.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>

namespace {

class ConvertJob : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        TempFolder data;
        ASSERT_EQ(0, theMediaFormats.Load(data.Path().c_str()));
    }

    void SetUp() override
    {
        m_savedPaths[0] = ClipConverterPath;
        m_savedPaths[1] = ClipInspectorPath;
        ClipConverterPath = L"C:\\Tools\\ClipConverter.exe";
        ClipInspectorPath = L"";
        SetFileExistsPrompt(&m_prompt);
    }
    void TearDown() override
    {
        SetFileExistsPrompt(nullptr);
        ClipConverterPath = m_savedPaths[0];
        ClipInspectorPath = m_savedPaths[1];
    }

    std::wstring Path(const wchar_t* name) const { return m_folder / name; }
    std::wstring Make(const wchar_t* name, const std::string& bytes = "data")
    {
        std::wstring path = Path(name);
        HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(hFile);
        return path;
    }
    static std::string Read(const std::wstring& path)
    {
        std::string bytes;
        HANDLE hFile = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (hFile == INVALID_HANDLE_VALUE)
            return "(missing)";
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(hFile, buffer, sizeof(buffer), &read, nullptr) && read > 0)
            bytes.append(buffer, read);
        CloseHandle(hFile);
        return bytes;
    }
    static bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    // The names in the folder (and its "out" folder), sorted, '|' between them.
    std::wstring Listing(const wchar_t* subfolder = L"") const
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE hFind = FindFirstFileW((m_folder.Path() + subfolder + L"\\*").c_str(), &found);
        if (hFind != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    names.push_back(found.cFileName);
            } while (FindNextFileW(hFind, &found));
            FindClose(hFind);
        }
        std::sort(names.begin(), names.end());
        std::wstring listing;
        for (const std::wstring& name : names)
            listing += (listing.empty() ? L"" : L"|") + name;
        return listing;
    }
    std::wstring Golden(const std::wstring& line) const { return WithoutContext(ReplaceAll(line, m_folder.Path(), L"<folder>")); }

    // A video with its own audio, and a separate audio file, as the prober would have found them.
    void SetUpMerge()
    {
        CConvertTaskRecord& record = m_task.m_record;
        record.m_kind = TASK_KIND_MERGE;
        record.m_inputs.m_mainPath = Make(L"video.mp4").c_str();
        record.m_inputs.m_mainInfo.Format = L"mov,mp4,m4a,3gp,3g2,mj2";
        AddStream(record.m_inputs.m_mainInfo, MEDIA_TYPE_VIDEO, 0, L"h264");
        AddStream(record.m_inputs.m_mainInfo, MEDIA_TYPE_AUDIO, 1, L"aac");
        record.m_inputs.m_audioPath = Make(L"audio.m4a").c_str();
        AddStream(record.m_inputs.m_audioInfo, MEDIA_TYPE_AUDIO, 0, L"aac");
        record.m_progress.m_probeFlags = TASK_PROBED_MAIN | TASK_PROBED_AUDIO;
        record.m_options.m_outputFolder = Path(L"out").c_str();
    }
    // A tool that writes the output it is given.
    static int WriteOutput(CEncoderOptions& options)
    {
        HANDLE hFile = CreateFileW(options.OutputPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(hFile, "encoded", 7, &written, nullptr);
        CloseHandle(hFile);
        return 0;
    }

    TempFolder m_folder;
    CRecordingTask m_task;
    CScriptedPrompt m_prompt;
    StopFlag m_stop{0};
    CScriptedConvertJob m_job{&m_task.m_record, &m_task, nullptr, &m_stop};
    CString m_savedPaths[2];
};

TEST_F(ConvertJob, ConvertNamesItsOutputByTheFormat)
{
    CConvertTaskRecord& record = m_task.m_record;
    record.m_kind = TASK_KIND_CONVERT;
    record.m_inputs.m_mainPath = Make(L"a.mp4").c_str();
    record.m_progress.m_probeFlags = TASK_PROBED_MAIN;
    record.m_options.m_formatId = L"AF_mp3";
    record.m_options.m_outputFolder = Path(L"out").c_str();
    record.m_options.m_outputSubfolder = L"music";
    EXPECT_EQ(-1, m_job.Run()) << "the format's run needs the prober, which is missing";
    EXPECT_EQ(CString(Path(L"out\\music\\a.mp3").c_str()), record.m_output.m_path);
    EXPECT_TRUE(Exists(Path(L"out\\music"))) << "the output folder was made";
    EXPECT_EQ(L"", Listing(L"\\out\\music")) << "no temporary file is left";
    EXPECT_EQ(TASK_ERROR_CONVERT_FAILED, record.m_progress.m_result);
    EXPECT_EQ(TASK_STATE_FAILED, record.m_progress.m_state);
    EXPECT_NE(std::wstring::npos, m_task.Calls().find(L"name a.mp3")) << m_task.Calls();

    record.m_options.m_outputName = L"My Song.wav";
    record.m_options.m_flags = CONVERT_TO_INPUT_FOLDER;
    m_job.Run();
    EXPECT_EQ(CString(Path(L"music\\My Song.mp3").c_str()), record.m_output.m_path) << "the title of the output name";
}

TEST_F(ConvertJob, ConvertRefusals)
{
    struct Case {
        const char* name;
        const wchar_t* formatId;
        const wchar_t* input;
        DWORD flags;
        int result;
        const wchar_t* status;
    } cases[] = {
        {"no format", L"", L"a.mp4", 0, TASK_RESULT_NONE, L"icon 240|text Failed"},
        {"unknown format", L"VF_nothing", L"a.mp4", 0, TASK_RESULT_NONE, L"icon 240|text Failed"},
        {"missing input", L"VF_mp4", L"none.mp4", 0, TASK_ERROR_INPUT_NOT_FOUND,
         L"icon 240|text Failed: cannot find input file"},
        {"input not probed", L"VF_mp4", L"a.mp4", 0, TASK_ERROR_INPUT_NOT_SUPPORTED,
         L"icon 100|colour 10|text Preparing|icon 240|text Failed: input format is not supported"},
        {"a URL need not exist", L"VF_mp4", L"none.mp4", CONVERT_INPUT_NEED_NOT_EXIST, TASK_ERROR_INPUT_NOT_SUPPORTED,
         L"icon 100|colour 10|text Preparing|icon 240|text Failed: input format is not supported"},
    };
    Make(L"a.mp4");
    for (const Case& c : cases) {
        CRecordingTask task;
        CConvertTaskRecord& record = task.m_record;
        record.m_kind = TASK_KIND_CONVERT;
        record.m_inputs.m_mainPath = Path(c.input).c_str();
        record.m_options.m_formatId = c.formatId;
        record.m_options.m_flags = c.flags;
        record.m_options.m_outputFolder = m_folder.Path().c_str();
        CConvertJob job(&record, &task, nullptr, &m_stop);
        EXPECT_EQ(-1, job.Run()) << c.name;
        EXPECT_EQ(c.result, record.m_progress.m_result) << c.name;
        EXPECT_EQ(std::wstring(c.status), task.Calls()) << c.name;
    }
}

TEST_F(ConvertJob, TheKindIsChosenWhenLeftToTheJob)
{
    struct Case {
        const char* name;
        bool list;
        const wchar_t* formatId;
        int kind;
    } cases[] = {
        {"an input list", true, L"VF_mp4", TASK_KIND_JOIN_LIST},
        {"a format", false, L"VF_mp4", TASK_KIND_CONVERT},
        {"neither", false, L"", TASK_KIND_MERGE},
    };
    for (const Case& c : cases) {
        CConvertTaskRecord record;
        CRecordingTask task;
        if (c.list)
            record.m_inputs.m_inputList.Add(Path(L"none.ts").c_str());
        record.m_options.m_formatId = c.formatId;
        CConvertJob job(&record, &task, nullptr, &m_stop);
        job.Run();
        EXPECT_EQ(c.kind, record.m_kind) << c.name;
    }
}

TEST_F(ConvertJob, FileExistsAnswers)
{
    Make(L"a.mp3");
    Make(L"a (1).mp3");
    Make(L"taken.mp3");
    std::wstring folder = m_folder.Path();
    std::wstring question = folder + L"|a|mp3";
    struct Case {
        const char* name;
        const wchar_t* file;
        int policy;
        std::vector<CScriptedPrompt::Reply> replies;
        int result, answer;
        const wchar_t* path;
        std::vector<std::wstring> questions;
    } cases[] = {
        {"a free name", L"free.mp3", 0, {}, 0, 0, L"free.mp3", {}},
        {"overwrite all", L"a.mp3", 12, {}, 1, 12, L"a.mp3", {}},
        {"skip all", L"a.mp3", 13, {}, 1, 13, L"a.mp3", {}},
        {"new names for all", L"a.mp3", 11, {}, 1, 11, L"a (2).mp3", {}},
        {"overwrite", L"a.mp3", 0, {{2, nullptr}}, 1, 2, L"a.mp3", {question}},
        {"skip", L"a.mp3", 0, {{3, nullptr}}, 1, 3, L"a.mp3", {question}},
        {"cancel skips", L"a.mp3", 0, {}, 1, 3, L"a.mp3", {question}},
        {"overwrite from now on", L"a.mp3", 0, {{12, nullptr}}, 1, 12, L"a.mp3", {question}},
        {"skip from now on", L"a.mp3", 0, {{13, nullptr}}, 1, 13, L"a.mp3", {question}},
        {"a new name", L"a.mp3", 0, {{1, L"b"}}, 1, 1, L"b.mp3", {question}},
        {"a new name from now on", L"a.mp3", 0, {{11, L"c"}}, 1, 11, L"c.mp3", {question}},
        {"bad names ask again", L"a.mp3", 0,
         {{1, L""}, {1, L"  "}, {1, L"..\\up"}, {1, L"sub/x"}, {1, L"C:x"}, {1, L"a*"}, {1, L"fine"}}, 1, 1, L"fine.mp3",
         {question, question, question, question, question, question, question}},
        {"a taken new name asks again", L"a.mp3", 0, {{1, L"taken"}, {1, L"fresh"}}, 1, 1, L"fresh.mp3",
         {question, folder + L"|taken|mp3"}},
        {"unknown answers ask again", L"a.mp3", 0, {{0, nullptr}, {4, nullptr}, {14, nullptr}, {2, nullptr}}, 1, 2,
         L"a.mp3", {question, question, question, question}},
    };
    for (const Case& c : cases) {
        m_prompt.replies = c.replies;
        m_prompt.questions.clear();
        CString path = Path(c.file).c_str();
        int answer = c.policy;
        EXPECT_EQ(c.result, m_job.ResolveOutputConflict(path, answer)) << c.name;
        EXPECT_EQ(c.answer, answer) << c.name;
        EXPECT_EQ(CString(Path(c.path).c_str()), path) << c.name;
        EXPECT_EQ(c.questions, m_prompt.questions) << c.name;
    }
}

TEST_F(ConvertJob, NobodyToAskMeansSkip)
{
    Make(L"a.mp3");
    CString path = Path(L"a.mp3").c_str();
    int answer = 0;
    SetFileExistsPrompt(nullptr);
    EXPECT_EQ(1, m_job.ResolveOutputConflict(path, answer));
    EXPECT_EQ(FILE_EXISTS_SKIP, answer);
    SetFileExistsPrompt(&m_prompt);
    m_stop = 20;
    answer = 0;
    EXPECT_EQ(1, m_job.ResolveOutputConflict(path, answer));
    EXPECT_EQ(FILE_EXISTS_SKIP, answer);
    EXPECT_TRUE(m_prompt.questions.empty()) << "a stopping task asks nothing";
}

TEST_F(ConvertJob, AnswersForAllAreKeptAndSkipsEndCanceled)
{
    SetUpMerge();
    CreateDirectoryW(Path(L"out").c_str(), nullptr);
    Make(L"out\\video.mp4", "old");
    m_prompt.replies = {{13, nullptr}};
    m_job.tool = WriteOutput;
    EXPECT_EQ(1, m_job.Run());
    EXPECT_EQ(FILE_EXISTS_SKIP_ALL, m_prompt.policy) << "written back to the setting";
    EXPECT_EQ(TASK_STATE_CANCELED, m_task.m_record.m_progress.m_state);
    EXPECT_EQ(TASK_RESULT_FILE_EXISTS, m_task.m_record.m_progress.m_result);
    EXPECT_EQ(L"icon 100|colour 10|text Preparing|name video.mp4|icon 221|text Canceled: file already exists",
              m_task.Calls());
    EXPECT_EQ("old", Read(Path(L"out\\video.mp4")));
    EXPECT_TRUE(m_job.commandLines.empty());

    m_task.ClearCalls();
    m_prompt.policy = FILE_EXISTS_NEW_NAME_ALL;
    EXPECT_EQ(0, m_job.Run()) << "the kept answer holds for the next run";
    EXPECT_EQ(CString(Path(L"out\\video (1).mp4").c_str()), m_task.m_record.m_output.m_path);
    EXPECT_EQ(1u, m_prompt.questions.size()) << "no new question";
}

// An output path past the classic length limit that exists already is asked about like any
// other: neither written over nor skipped without a word, and a new name looks past it.
TEST_F(ConvertJob, AnExistingOutputBeyondTheClassicLimitIsAskedAbout)
{
    SetUpMerge();
    std::wstring folder = m_folder.Path() + L"\\" + std::wstring(130, L'l') + L"\\" + std::wstring(130, L'm');
    ASSERT_EQ(0, CreateFolderTree(folder.c_str()));
    std::wstring output = folder + L"\\video.mp4";
    ASSERT_GT(output.size(), 260u);
    HANDLE hFile = CreateFileW((L"\\\\?\\" + output).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    DWORD written = 0;
    WriteFile(hFile, "old", 3, &written, nullptr);
    CloseHandle(hFile);
    m_task.m_record.m_options.m_outputFolder = folder.c_str();
    m_job.tool = WriteOutput;

    m_prompt.replies = {{FILE_EXISTS_SKIP, nullptr}};
    EXPECT_EQ(1, m_job.Run());
    EXPECT_EQ(std::vector<std::wstring>{folder + L"|video|mp4"}, m_prompt.questions);
    EXPECT_EQ(TASK_RESULT_FILE_EXISTS, m_task.m_record.m_progress.m_result);
    EXPECT_EQ("old", Read(L"\\\\?\\" + output));
    EXPECT_TRUE(m_job.commandLines.empty());

    CString path = output.c_str();
    int answer = FILE_EXISTS_NEW_NAME_ALL;
    EXPECT_EQ(1, m_job.ResolveOutputConflict(path, answer));
    EXPECT_EQ(CString((folder + L"\\video (1).mp4").c_str()), path);
}

TEST_F(ConvertJob, TheOutputIsNeverAnInput)
{
    SetUpMerge();
    CConvertTaskRecord& record = m_task.m_record;
    record.m_options.m_flags = CONVERT_TO_INPUT_FOLDER;  // video.mp4 beside video.mp4
    m_prompt.policy = FILE_EXISTS_OVERWRITE_ALL;
    m_job.tool = WriteOutput;
    EXPECT_EQ(0, m_job.Run());
    EXPECT_EQ(CString(Path(L"video (1).mp4").c_str()), record.m_output.m_path);
    EXPECT_EQ("data", Read(Path(L"video.mp4"))) << "the input is untouched";
    EXPECT_EQ("encoded", Read(Path(L"video (1).mp4")));

    // A new name typed in the question that is the audio input's.
    m_prompt.policy = FILE_EXISTS_ASK;
    m_prompt.replies = {{2, nullptr}};
    record.m_options.m_outputName = L"AUDIO.m4a";
    EXPECT_EQ(0, m_job.Run());
    EXPECT_EQ(CString(Path(L"AUDIO (1).m4a").c_str()), record.m_output.m_path);
    EXPECT_EQ("data", Read(Path(L"audio.m4a")));
}

TEST_F(ConvertJob, MergeCommandLineAndItsRetry)
{
    SetUpMerge();
    m_job.tool = [](CEncoderOptions& options) { return options.VideoSync.IsEmpty() ? -1 : WriteOutput(options); };
    EXPECT_EQ(0, m_job.Run());
    ASSERT_EQ(2u, m_job.commandLines.size());
    const wchar_t* golden =
        L"\"C:\\Tools\\ClipConverter.exe\" -i \"<folder>\\video.mp4\" -i \"<folder>\\audio.m4a\" -map 0:0 "
        L"-codec:v copy -map 1:0 -codec:a aac -codec:s copy -f mp4 -strict -2 \"<folder>\\out\\video.mp4\" -y "
        L"-callback_context <context>";
    EXPECT_EQ(golden, Golden(m_job.commandLines[0]));
    EXPECT_EQ(ReplaceAll(golden, L"-codec:v copy", L"-codec:v copy -vsync drop"), Golden(m_job.commandLines[1]))
        << "made once more dropping frames";
    EXPECT_EQ(TASK_STATE_COMPLETED, m_task.m_record.m_progress.m_state);
    EXPECT_EQ(7, m_task.m_record.m_output.m_size);
    EXPECT_EQ(TASK_FLAG_OUTPUT_NAMED | TASK_FLAG_OUTPUT_WRITTEN | TASK_FLAG_ENDED, m_task.m_record.m_progress.m_phaseFlags);
}

TEST_F(ConvertJob, MergeNames)
{
    struct Case {
        const char* name;
        const wchar_t* video;
        const wchar_t* format;
        const wchar_t* outputName;
        const wchar_t* output;
    } cases[] = {
        {"the video's name", L"clip.mkv", L"matroska,webm", L"", L"clip.mkv"},
        {"no extension, unknown container", L"clip", L"", L"", L"clip.mp4"},
        {"no extension, WebM container", L"clip", L"matroska,webm", L"", L"clip.webm"},
        {"an output name without extension", L"clip.mov", L"", L"joined", L"joined.mov"},
    };
    for (const Case& c : cases) {
        CRecordingTask task;
        CConvertTaskRecord& record = task.m_record;
        record.m_kind = TASK_KIND_MERGE;
        record.m_inputs.m_mainPath = Make(c.video).c_str();
        record.m_inputs.m_mainInfo.Format = c.format;
        record.m_inputs.m_audioPath = Make(L"audio.m4a").c_str();
        record.m_progress.m_probeFlags = TASK_PROBED_MAIN | TASK_PROBED_AUDIO;
        record.m_options.m_outputFolder = Path(L"merged").c_str();
        record.m_options.m_outputName = c.outputName;
        CScriptedConvertJob job(&record, &task, nullptr, &m_stop);
        job.tool = WriteOutput;
        EXPECT_EQ(0, job.Run()) << c.name;
        EXPECT_EQ(CString(Path((std::wstring(L"merged\\") + c.output).c_str()).c_str()), record.m_output.m_path) << c.name;
    }
}

TEST_F(ConvertJob, AFailedMergeLeavesNoOutputItWrote)
{
    SetUpMerge();
    m_job.tool = [](CEncoderOptions& options) {
        WriteOutput(options);  // a part of the file, then the tool fails
        return -1;
    };
    EXPECT_EQ(-1, m_job.Run());
    EXPECT_FALSE(Exists(Path(L"out\\video.mp4")));
    EXPECT_EQ(L"icon 240|text Failed: failed to convert", m_task.Calls().substr(m_task.Calls().rfind(L"icon")));

    // An old output that a tool which never started left alone stays.
    m_task.ClearCalls();
    Make(L"out\\video.mp4", "old");
    m_prompt.policy = FILE_EXISTS_OVERWRITE_ALL;
    m_job.tool = [](CEncoderOptions&) { return -2; };
    EXPECT_EQ(-1, m_job.Run());
    EXPECT_EQ("old", Read(Path(L"out\\video.mp4")));

    // A stopped run is canceled, and what it wrote goes.
    m_job.commandLines.clear();
    m_job.tool = [this](CEncoderOptions& options) {
        WriteOutput(options);
        m_stop = 20;
        return 1;
    };
    EXPECT_EQ(1, m_job.Run());
    EXPECT_EQ(TASK_STATE_CANCELED, m_task.m_record.m_progress.m_state);
    EXPECT_FALSE(Exists(Path(L"out\\video.mp4")));
    EXPECT_EQ(1u, m_job.commandLines.size()) << "no retry after a stop";
}

TEST_F(ConvertJob, EncoderOptionsFromTheRecord)
{
    struct Case {
        const char* name;
        int cutStart, cutEnd, volume;
        LONGLONG inputStart, inputDuration, outputDuration;
        int cutEndAfter, optionVolume;
    } cases[] = {
        {"whole file", 0, -1, 100, 0, 0, 0, -1, 256},
        {"a cut", 1000, 5000, 50, 1000, 4000, 4000, 5000, 128},
        {"cut end 0", 1000, 0, 150, 1000, 0, 0, -1, 384},
        {"cut end below the start", 3000, 2000, 100, 3000, 0, 0, -1, 256},
        {"cut end equal to the start", 3000, 3000, 100, 3000, 0, 0, -1, 256},
        {"negative start", -500, 3000, 0, 0, 3000, 3000, 3000, 0},
        {"negative volume", 0, -1, -20, 0, 0, 0, -1, 256},
    };
    for (const Case& c : cases) {
        CConvertTaskRecord record;
        CRecordingTask task;
        record.m_options.m_cutStart = c.cutStart;
        record.m_options.m_cutEnd = c.cutEnd;
        record.m_options.m_volume = c.volume;
        CConvertJob job(&record, &task, nullptr, &m_stop);
        CEncoderOptions options;
        options.Width = 99;
        ASSERT_EQ(0, job.FillEncoderOptions(options, nullptr));
        EXPECT_EQ(0, options.Width) << c.name << ": the options were reset";
        EXPECT_EQ(c.inputStart, options.InputStart) << c.name;
        EXPECT_EQ(c.inputDuration, options.InputDuration) << c.name;
        EXPECT_EQ(c.outputDuration, options.OutputDuration) << c.name;
        EXPECT_EQ(c.cutEndAfter, record.m_options.m_cutEnd) << c.name;
        EXPECT_EQ(c.optionVolume, options.Volume) << c.name;
    }
}

TEST_F(ConvertJob, StreamChoicesAndFilters)
{
    CConvertTaskRecord& record = m_task.m_record;
    CMediaInfo& main = record.m_inputs.m_mainInfo;
    record.m_inputs.m_mainPath = L"C:\\in\\movie.mkv";
    AddStream(main, MEDIA_TYPE_AUDIO, 0, L"aac");
    AddStream(main, MEDIA_TYPE_VIDEO, 1, L"h264");
    AddStream(main, MEDIA_TYPE_VIDEO, 2, L"mjpeg");
    AddStream(main, MEDIA_TYPE_SUBTITLE, 3, L"subrip");
    record.m_output.m_path = L"D:\\out\\movie.m3u8";
    record.m_options.m_rotation = 90;
    record.m_options.m_horizontalFlip = 1;
    record.m_options.m_negate = 1;
    record.m_options.m_gifLoop = 0;
    struct Case {
        const char* name;
        int video, audio, subtitle;
        int videoChoice, audioChoice, subtitleChoice;
    } cases[] = {
        {"the tool's choice", -1, -1, -1, -1, -1, -1},
        {"chosen streams", 1, 0, 0, 2, 0, 3},
        {"dropped", -2, -2, -2, -2, -2, -2},
        {"out of range", 5, 3, -7, -1, -1, -1},
    };
    for (const Case& c : cases) {
        main.SelectedVideoStream = c.video;
        main.SelectedAudioStream = c.audio;
        main.SelectedSubtitleStream = c.subtitle;
        CEncoderOptions options;
        m_job.FillEncoderOptions(options, L"D:\\out\\[converting] movie.m3u8");
        EXPECT_EQ(c.videoChoice, options.VideoStream) << c.name;
        EXPECT_EQ(c.audioChoice, options.AudioStream) << c.name;
        EXPECT_EQ(c.subtitleChoice, options.SubtitleStream) << c.name;
        EXPECT_EQ(L"D:\\out\\[converting] movie.m3u8", options.OutputPath);
        EXPECT_EQ(L"D:\\out\\movie-%04d.ts", options.HlsSegmentPattern) << "segments take the final name";
        EXPECT_EQ(90, options.Rotation);
        EXPECT_EQ(1, options.HFlip);
        EXPECT_EQ(0, options.VFlip);
        EXPECT_EQ(1, options.Negate);
        EXPECT_EQ(0, options.GifLoop);
    }

    // With an audio input the audio comes from it and the video is named too, so the video's
    // own audio can't take its place.
    record.m_inputs.m_audioPath = L"C:\\in\\voice.wav";
    AddStream(record.m_inputs.m_audioInfo, MEDIA_TYPE_AUDIO, 0, L"pcm_s16le");
    main.SelectedVideoStream = main.SelectedAudioStream = main.SelectedSubtitleStream = -1;
    CEncoderOptions options;
    m_job.FillEncoderOptions(options, nullptr);
    EXPECT_EQ(L"D:\\out\\movie.m3u8", options.OutputPath) << "the record's output";
    EXPECT_EQ(L"", options.HlsSegmentPattern);
    EXPECT_EQ(L"C:\\in\\voice.wav", options.Input2Path);
    EXPECT_EQ(1, options.VideoStream);
    EXPECT_EQ(0, options.AudioStream);
    EXPECT_EQ(-1, options.SubtitleStream);
}

TEST_F(ConvertJob, StreamCopyContainers)
{
    struct Case {
        const char* name;
        const wchar_t* input;
        const wchar_t* format;
        const wchar_t* container;
        const wchar_t* audioCodec;
        const wchar_t* outputFormat;
        const wchar_t* outputAudioCodec;
    } cases[] = {
        {"MP4 source", L"a.mp4", L"mov,mp4,m4a,3gp,3g2,mj2", L"", L"", L"mp4", L"aac"},
        {"WebM source", L"a.mkv", L"Matroska,WebM", L"", L"", L"webm", L"libvorbis"},
        {"unknown WebM extension", L"a.WEBM", L"", L"", L"opus", L"webm", L"opus"},
        {"unknown other", L"a.flv", L"", L"", L"mp3", L"mp4", L"mp3"},
        {"chosen container", L"a.mp4", L"mp4", L"matroska", L"flac", L"matroska", L"flac"},
    };
    for (const Case& c : cases) {
        CConvertTaskRecord record;
        CRecordingTask task;
        record.m_inputs.m_mainPath = c.input;
        record.m_inputs.m_mainInfo.Format = c.format;
        record.m_options.m_container = c.container;
        record.m_options.m_audioCodec = c.audioCodec;
        record.m_options.m_subtitleCodec = L"mov_text";
        CConvertJob job(&record, &task, nullptr, &m_stop);
        CEncoderOptions options;
        ASSERT_EQ(0, job.FillStreamCopyOptions(options));
        EXPECT_EQ(CString(c.outputFormat), options.OutputFormat) << c.name;
        EXPECT_EQ(CString(c.outputAudioCodec), options.AudioCodec) << c.name;
        EXPECT_EQ(L"copy", options.VideoCodec) << c.name;
        EXPECT_EQ(L"mov_text", options.SubtitleCodec) << c.name;
        EXPECT_EQ(-2, options.StrictLevel) << c.name;
    }
}

TEST_F(ConvertJob, ConvertCommandLine)
{
    // The options of a convert as the job and the format make them; the format's own run
    // probes the input first, which the end-to-end tests do.
    CConvertTaskRecord& record = m_task.m_record;
    record.m_inputs.m_mainPath = L"C:\\in\\a.mp4";
    CMediaStreamInfo* pVideo = AddStream(record.m_inputs.m_mainInfo, MEDIA_TYPE_VIDEO, 0, L"h264");
    CMediaStreamInfo* pAudio = AddStream(record.m_inputs.m_mainInfo, MEDIA_TYPE_AUDIO, 1, L"aac");
    pAudio->Channels = 2;
    pAudio->SampleRate = 48000;
    pAudio->BitRate = 128000;
    record.m_output.m_path = L"D:\\out\\a.mp3";
    record.m_options.m_cutStart = 1500;
    record.m_options.m_cutEnd = 61500;
    record.m_options.m_volume = 50;
    CMediaFormat* pFormat = theMediaFormats.FindFormat(L"AF_mp3");
    CEncoderOptions options;
    ASSERT_EQ(0, m_job.FillEncoderOptions(options, L"D:\\out\\[converting] a.mp3"));
    ASSERT_EQ(0, pFormat->BuildEncoderOptions(options, *pFormat->FindPreset(L"Medium Quality"), pVideo, pAudio));
    CEncoderRunner runner;
    CString line;
    options.Validate();
    runner.BuildArguments(line, options);
    EXPECT_EQ(L"\"C:\\Tools\\ClipConverter.exe\" -ss 0:00:01.500 -t 0:01:00.000 -i \"C:\\in\\a.mp4\" -vn "
              L"-codec:a libmp3lame -b:a 192000 -vol 128 -f mp3 -t 0:01:00.000 "
              L"\"D:\\out\\[converting] a.mp3\" -y -callback_context <context>",
              WithoutContext(static_cast<LPCWSTR>(line)));
}

TEST_F(ConvertJob, SegmentJoinCommandLineAndList)
{
    CConvertTaskRecord& record = m_task.m_record;
    record.m_kind = TASK_KIND_JOIN_SEGMENTS;
    record.m_inputs.m_inputList.Add(Make(L"seg1.ts", "1111").c_str());
    record.m_inputs.m_inputList.Add(Make(L"it's \x00e9t\x00e9 2.ts", "22").c_str());
    record.m_options.m_outputFolder = Path(L"joined").c_str();
    std::string list;
    std::wstring listFile;
    m_job.tool = [&](CEncoderOptions& options) {
        listFile = static_cast<LPCWSTR>(options.InputPath);
        list = Read(listFile);
        return WriteOutput(options);
    };
    EXPECT_EQ(0, m_job.Run());
    ASSERT_EQ(1u, m_job.commandLines.size());
    EXPECT_EQ(L"\"C:\\Tools\\ClipConverter.exe\" -f concat -safe 0 -i \"<list>\" -f mp4 -c copy "
              L"\"<folder>\\joined\\seg1.ts\" -y -callback_context <context>",
              Golden(ReplaceAll(m_job.commandLines[0], listFile, L"<list>")));
    CStringA folder;
    WideCharToMultiByte(CP_UTF8, 0, m_folder.Path().c_str(), -1, folder.GetBuffer(1024), 1024, nullptr, nullptr);
    folder.ReleaseBuffer();
    std::string expected = "file '" + std::string(folder) + "\\seg1.ts'\r\nfile '" + std::string(folder) +
                           "\\it'\\''s \xC3\xA9t\xC3\xA9 2.ts'\r\n";
    EXPECT_EQ(expected, list) << "UTF-8, apostrophes in the list's own quoting";
    EXPECT_FALSE(Exists(listFile)) << "the list file is removed";
    EXPECT_EQ(6, record.m_inputs.m_expectedSize);
}

TEST_F(ConvertJob, SegmentsOfUnknownSizeShowTheBusyAnimation)
{
    CConvertTaskRecord& record = m_task.m_record;
    record.m_kind = TASK_KIND_JOIN_SEGMENTS;
    record.m_inputs.m_inputList.Add(Make(L"empty.ts", "").c_str());
    record.m_options.m_outputFolder = Path(L"joined").c_str();
    record.m_options.m_outputName = L"whole";
    m_job.tool = WriteOutput;
    EXPECT_EQ(0, m_job.Run());
    EXPECT_EQ(CString(Path(L"joined\\whole.ts").c_str()), record.m_output.m_path) << "the first file's extension";
    std::wstring calls = m_task.Calls();
    EXPECT_NE(std::wstring::npos, calls.find(L"text Converting|started|stopped|progress 0/100/0")) << calls;
}

// The byte join reports its progress piece by piece; what it made must then be media, which
// without a prober it can't be shown to be: the run fails and its output goes.
TEST_F(ConvertJob, ByteJoin)
{
    CConvertTaskRecord& record = m_task.m_record;
    record.m_kind = TASK_KIND_JOIN_LIST;
    record.m_inputs.m_inputList.Add(Make(L"part-1.ts", "first ").c_str());
    record.m_inputs.m_inputList.Add(Make(L"part-2.ts", "second").c_str());
    record.m_options.m_flags = CONVERT_TO_INPUT_FOLDER;
    EXPECT_EQ(-1, m_job.Run());
    EXPECT_EQ(TASK_LIST_BYTES, record.m_inputs.m_listMode) << "the second file can't be probed";
    EXPECT_TRUE(m_job.commandLines.empty());
    EXPECT_EQ(CString(Path(L"part.mp4").c_str()), record.m_output.m_path);
    EXPECT_FALSE(Exists(Path(L"part.mp4")));
    EXPECT_EQ(TASK_STATE_FAILED, record.m_progress.m_state);
    EXPECT_EQ(
        L"icon 100|colour 10|text Preparing|name part.mp4|progress 0/100/0|icon 101|colour 11|text Converting|"
        L"size 0|progress 0/12/10|text Converting: Size = 1.00 KB / 1.01 KB|"
        L"size 6|progress 6/12/10|text Converting: Size = 1.00 KB / 1.01 KB|"
        L"size 12|progress 12/12/10|text Converting: Size = 1.01 KB / 1.01 KB|"
        L"size 12|progress 12/12/10|text Converting: Size = 1.01 KB / 1.01 KB|"
        L"icon 240|text Failed: input format is not supported",
        m_task.Calls());
}

// A list mode once decided holds for the record's list; only new inputs decide again.
TEST_F(ConvertJob, ListModeIsDecidedOnce)
{
    CConvertTaskRecord& record = m_task.m_record;
    record.m_kind = TASK_KIND_JOIN_LIST;
    record.m_inputs.m_inputList.Add(Make(L"part-1.ts", "first ").c_str());
    record.m_inputs.m_inputList.Add(Make(L"part-2.ts", "second").c_str());
    record.m_inputs.m_listMode = TASK_LIST_REMUX;
    record.m_options.m_flags = CONVERT_TO_INPUT_FOLDER;
    m_job.tool = WriteOutput;
    EXPECT_EQ(0, m_job.Run());
    EXPECT_EQ(TASK_LIST_REMUX, record.m_inputs.m_listMode);
    ASSERT_EQ(1u, m_job.commandLines.size()) << "remuxed by the tool, though the prober can't read the files";
    EXPECT_NE(std::wstring::npos, m_job.commandLines[0].find(L"-f concat -safe 0"));
}

TEST_F(ConvertJob, ConcatProtocolJoinRetriesWithTheAacFilter)
{
    CConvertTaskRecord& record = m_task.m_record;
    record.m_inputs.m_inputList.Add(Make(L"a.ts", "AAAA").c_str());
    record.m_inputs.m_inputList.Add(Make(L"it's b.ts", "BB").c_str());
    record.m_output.m_path = Path(L"joined.mp4").c_str();
    int runs = 0;
    m_job.tool = [&](CEncoderOptions& options) { return ++runs == 1 ? -1 : WriteOutput(options); };
    EXPECT_EQ(0, m_job.JoinByConcatProtocol());
    ASSERT_EQ(2u, m_job.commandLines.size());
    EXPECT_EQ(
        L"\"C:\\Tools\\ClipConverter.exe\" -i \"concat:<folder>\\a.ts|<folder>\\it's b.ts\" -f mp4 -c copy "
        L"\"<folder>\\joined.mp4\" -y -callback_context <context>",
        Golden(m_job.commandLines[0]));
    EXPECT_EQ(
        L"\"C:\\Tools\\ClipConverter.exe\" -i \"concat:<folder>\\a.ts|<folder>\\it's b.ts\" "
        L"-bsf:a \"aac_adtstoasc\" -f mp4 -c copy \"<folder>\\joined.mp4\" -y -callback_context <context>",
        Golden(m_job.commandLines[1]));
    EXPECT_EQ(6, record.m_inputs.m_expectedSize);
}

// However a byte join ends once it has begun, its last report puts the bar at the total.
TEST_F(ConvertJob, ByteJoinFailures)
{
    struct Case {
        const char* name;
        const char* first;
        const wchar_t* second;
        bool stop;
        int result, state;
        const wchar_t* lastReport;
    } cases[] = {
        {"all sizes 0", "", L"zero.ts", false, -1, TASK_STATE_FAILED, nullptr},
        {"a file that can't be read", "data", L"none.ts", false, -1, TASK_STATE_FAILED, L"progress 4/4/10"},
        {"stopped", "data", L"zero.ts", true, 1, TASK_STATE_CANCELED, L"progress 4/4/10"},
    };
    Make(L"zero.ts", "");
    for (const Case& c : cases) {
        CRecordingTask task;
        CConvertTaskRecord& record = task.m_record;
        record.m_kind = TASK_KIND_JOIN_LIST;
        record.m_inputs.m_inputList.Add(Make(L"a1.ts", c.first).c_str());
        record.m_inputs.m_inputList.Add(Path(c.second).c_str());
        record.m_options.m_outputFolder = Path(L"out").c_str();
        StopFlag stop{c.stop ? 20 : 0};
        CConvertJob job(&record, &task, nullptr, &stop);
        EXPECT_EQ(c.result, job.Run()) << c.name;
        EXPECT_EQ(c.state, record.m_progress.m_state) << c.name;
        EXPECT_EQ(c.stop ? TASK_RESULT_NONE : TASK_ERROR_CONVERT_FAILED, record.m_progress.m_result) << c.name;
        EXPECT_EQ(L"", Listing(L"\\out")) << c.name << ": no partial output";
        std::wstring calls = task.Calls();
        size_t last = calls.rfind(L"|progress ");
        if (c.lastReport)
            EXPECT_EQ(std::wstring(L"|") + c.lastReport, calls.substr(last, calls.find(L'|', last + 1) - last))
                << c.name;
        else
            EXPECT_EQ(std::wstring::npos, calls.find(L"/10|")) << c.name << ": no byte report";
    }
}

TEST_F(ConvertJob, AByteJoinNeverTruncatesAnInput)
{
    CConvertTaskRecord& record = m_task.m_record;
    record.m_kind = TASK_KIND_JOIN_LIST;
    record.m_inputs.m_inputList.Add(Make(L"a.ts", "AAAA").c_str());
    record.m_inputs.m_inputList.Add(Make(L"b.ts", "BB").c_str());
    record.m_options.m_flags = CONVERT_TO_INPUT_FOLDER;
    record.m_options.m_outputName = L"A.TS";
    m_prompt.policy = FILE_EXISTS_OVERWRITE_ALL;
    m_job.Run();
    EXPECT_EQ("AAAA", Read(Path(L"a.ts")));
    EXPECT_EQ(CString(Path(L"A (1).TS").c_str()), record.m_output.m_path);
}

}  // namespace
