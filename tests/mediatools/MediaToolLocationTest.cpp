// Finding the tools and the codec library generation in a tool folder, the start-up launch,
// and the code a run of a missing tool leaves.
#include "mediatools/CEncoderRunner.h"
#include "mediatools/CPlayerRunner.h"
#include "mediatools/CProbeRunner.h"
#include "mediatools/MediaToolLocation.h"
#include "tests/support/SuitePaths.h"
#include "tests/support/TempFolder.h"
#include "tests/support/ToolTestSupport.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

void Touch(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
}

// Keeps the process-wide tool values of the other tests.
class MediaToolLocation : public testing::Test {
protected:
    void SetUp() override
    {
        m_saved = {ClipInspectorPath, ClipConverterPath, ClipRunnerPath};
        m_nGeneration = MediaToolGeneration;
        m_nFdk = PreferFdkAac;
        MediaToolGeneration = 0;
    }
    void TearDown() override
    {
        ClipInspectorPath = m_saved[0];
        ClipConverterPath = m_saved[1];
        ClipRunnerPath = m_saved[2];
        MediaToolGeneration = m_nGeneration;
        PreferFdkAac = m_nFdk;
    }

    std::vector<CString> m_saved;
    int m_nGeneration = 0;
    int m_nFdk = 0;
};

TEST_F(MediaToolLocation, GenerationOfTheNewestCodecLibrary)
{
    const struct {
        const char* name;
        std::vector<const wchar_t*> files;
        int generation;
    } cases[] = {
        {"none", {}, 0},
        {"58 and 56", {L"avcodec-58.dll", L"avcodec-56.dll"}, 4},
        {"60", {L"avcodec-60.dll"}, 6},
        {"59 beside an unknown 61", {L"avcodec-61.dll", L"avcodec-59.dll"}, 5},
        {"57", {L"avcodec-57.dll"}, 3},
        {"56", {L"avcodec-56.dll"}, 2},
        {"other libraries only", {L"avformat-59.dll", L"avcodec.dll"}, 0},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        for (const wchar_t* file : c.files)
            Touch(folder / file);
        MediaToolGeneration = 0;
        EXPECT_EQ(0, LocateMediaTools(folder.Path().c_str()));
        EXPECT_EQ(c.generation, MediaToolGeneration) << c.name;
        EXPECT_EQ(1, PreferFdkAac);
    }
}

TEST_F(MediaToolLocation, GenerationFoundOnceIsKept)
{
    TempFolder folder;
    Touch(folder / L"avcodec-58.dll");
    MediaToolGeneration = 6;
    LocateMediaTools(folder.Path().c_str());
    EXPECT_EQ(6, MediaToolGeneration);
}

TEST_F(MediaToolLocation, ToolPathsInTheFolderOrBareNames)
{
    TempFolder folder;
    Touch(folder / L"ClipConverter.exe");
    LocateMediaTools(folder.Path().c_str());
    EXPECT_EQ(CString((folder / L"ClipConverter.exe").c_str()), ClipConverterPath);
    EXPECT_EQ(CString(L"ClipInspector.exe"), ClipInspectorPath);
    EXPECT_EQ(CString(L"ClipRunner.exe"), ClipRunnerPath);
}

TEST_F(MediaToolLocation, StartUpLaunchOpensTheFirstToolPresent)
{
    const struct {
        const char* name;
        std::vector<const wchar_t*> tools;
        const wchar_t* launched;
    } cases[] = {
        {"runner first", {L"ClipRunner.exe", L"ClipConverter.exe", L"ClipInspector.exe"}, L"ClipRunner.exe"},
        {"converter when the runner is missing", {L"ClipConverter.exe", L"ClipInspector.exe"}, L"ClipConverter.exe"},
        {"inspector last", {L"ClipInspector.exe"}, L"ClipInspector.exe"},
        {"nothing when all are missing", {}, nullptr},
    };
    const std::wstring fakeTool = BesideThisProgram(L"FakeClipRunner.exe");
    for (const auto& c : cases) {
        TempFolder folder;
        for (const wchar_t* tool : c.tools)
            ASSERT_TRUE(CopyFileW(fakeTool.c_str(), (folder / tool).c_str(), FALSE)) << c.name;
        LocateMediaTools(folder.Path().c_str());
        EXPECT_EQ(0, StartMediaToolHidden());
        // The tool marks its start without arguments; give it time to run, plenty on a busy
        // machine.
        const wchar_t* all[] = {L"ClipRunner.exe", L"ClipConverter.exe", L"ClipInspector.exe"};
        if (c.launched) {
            std::wstring marker = folder / (std::wstring(c.launched) + L".started");
            for (int i = 0; i < 600 && !tooltest::FileExists(marker); i++)
                Sleep(100);
        } else {
            Sleep(500);
        }
        for (const wchar_t* tool : all) {
            bool expected = c.launched && wcscmp(tool, c.launched) == 0;
            EXPECT_EQ(expected, tooltest::FileExists(folder / (std::wstring(tool) + L".started")))
                << c.name << " " << CStringA(tool);
        }
        // The folder goes with the test case: the launched tool must have ended by then.
        if (c.launched) {
            EXPECT_TRUE(tooltest::ChildGoneWithin(GetCurrentProcessId(), c.launched, 60000)) << c.name;
        }
    }
}

TEST_F(MediaToolLocation, MissingToolsLeaveTheirCode)
{
    TempFolder folder;
    LocateMediaTools(folder.Path().c_str());
    SetLastToolError(0);

    CProbeRunner prober;
    CProbeOptions probeOptions;
    EXPECT_EQ(-2, prober.RunTool(probeOptions, (folder / L"out.json").c_str(), nullptr));
    EXPECT_EQ(TOOL_ERROR_PROBER_MISSING, GetLastToolError());

    CEncoderRunner encoder;
    CEncoderOptions encoderOptions;
    EXPECT_EQ(-2, encoder.RunTool(encoderOptions, nullptr));
    EXPECT_EQ(TOOL_ERROR_ENCODER_MISSING, GetLastToolError());

    CPlayerRunner player;
    CPlayParams params;
    EXPECT_EQ(-2, player.RunTool(params, nullptr));
    EXPECT_EQ(TOOL_ERROR_PLAYER_MISSING, GetLastToolError());
    EXPECT_FALSE(tooltest::FileExists(folder / L"out.json"));
}

}  // namespace
