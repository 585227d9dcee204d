// The probing tool's command line: its arguments in their order, as golden strings.
#include "mediatools/CProbeRunner.h"
#include "mediatools/MediaToolLocation.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

const wchar_t kTool[] = L"C:\\Program Files\\Kavri\\Components\\ClipInspector.exe";

class ProbeCommandLine : public testing::Test {
protected:
    void SetUp() override
    {
        m_savedPath = ClipInspectorPath;
        ClipInspectorPath = kTool;
    }
    void TearDown() override { ClipInspectorPath = m_savedPath; }

    CString m_savedPath;
};

TEST_F(ProbeCommandLine, Golden)
{
    const struct {
        const char* name;
        std::function<void(CProbeOptions&)> setup;
        const wchar_t* expected;  // after the quoted tool path
    } cases[] = {
        {"defaults", [](CProbeOptions&) {},
         L"\"C:\\My Media\\clip.mp4\" -loglevel quiet -show_format -show_streams -print_format json"},
        {"counting frames", [](CProbeOptions& o) { o.CountFrames = 1; },
         L"\"C:\\My Media\\clip.mp4\" -loglevel quiet -show_format -show_streams -count_frames -print_format json"},
        {"every option",
         [](CProbeOptions& o) {
             o.ShowFormat = 0;
             o.ShowStreams = 0;
             o.CountFrames = 1;
             o.PrintFormat = L"xml";
             o.AnalyseDuration = 5000000;
             o.ProbeSize = 32768;
             o.ExtraArgs = L"-select_streams v";
         },
         L"\"C:\\My Media\\clip.mp4\" -loglevel quiet -count_frames -print_format xml -analyzeduration 5000000 "
         L"-probesize 32768 -select_streams v"},
        {"no print format", [](CProbeOptions& o) { o.PrintFormat.Empty(); },
         L"\"C:\\My Media\\clip.mp4\" -loglevel quiet -show_format -show_streams"},
        {"a path without blanks is quoted too",
         [](CProbeOptions& o) { o.InputPath = L"C:\\Tom&Jerry\\%TEMP%.mkv"; },
         L"\"C:\\Tom&Jerry\\%TEMP%.mkv\" -loglevel quiet -show_format -show_streams -print_format json"},
    };
    for (const auto& c : cases) {
        CProbeRunner runner;
        CProbeOptions options;
        options.InputPath = L"C:\\My Media\\clip.mp4";
        c.setup(options);
        CString strLine;
        EXPECT_EQ(0, runner.BuildArguments(strLine, options)) << c.name;
        EXPECT_EQ(L"\"" + CString(kTool) + L"\" " + c.expected, strLine) << c.name;
    }
}

}  // namespace
