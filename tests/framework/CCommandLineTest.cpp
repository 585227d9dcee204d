#include "framework/system/CChildProcess.h"
#include "framework/system/CCommandLine.h"
#include "tests/support/ChildProgram.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>

namespace {

TEST(CCommandLine, QuotesOnlyWhatNeedsIt)
{
    const struct {
        const char* name;
        const wchar_t* text;
        const wchar_t* quoted;
    } cases[] = {
        {"plain path", L"C:\\clip.mp4", L"C:\\clip.mp4"},
        {"path with a blank", L"C:\\My Files\\a.mp4", L"\"C:\\My Files\\a.mp4\""},
        {"trimmed first", L"  -y  ", L"-y"},
        {"already quoted", L"\"C:\\My Files\\a.mp4\"", L"\"C:\\My Files\\a.mp4\""},
        {"single quote as it stands", L"'a b'", L"'a b'"},
        {"trailing backslash doubled before the quote", L"C:\\My Files\\", L"\"C:\\My Files\\\\\""},
        {"quoted with trailing backslash", L"\"C:\\Out\\\"", L"\"C:\\Out\\\\\""},
        {"inner quote escaped", L"say \"hi\"", L"\"say \\\"hi\\\"\""},
        {"backslash before inner quote", L"a\\\"b", L"\"a\\\\\\\"b\""},
        {"lone opening quote", L"\"abc", L"\"\\\"abc\""},
        {"ampersand needs no quotes", L"C:\\Tom&Jerry.mp4", L"C:\\Tom&Jerry.mp4"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(QuoteArgument(c.text), c.quoted) << c.name;
}

TEST(CCommandLine, BuildsArgumentsWithSingleBlanks)
{
    CCommandLine cmd;
    EXPECT_EQ(cmd.AddArg(nullptr), -1);
    EXPECT_EQ(cmd.AppendArg(L"   "), -1);
    EXPECT_EQ(cmd.AddOption(L"-ss", L""), -1);
    EXPECT_EQ(cmd.AddOption(L"", L"1"), -1);
    EXPECT_EQ(cmd.AddOptionF(L"-ss", L"%s", L""), -1);  // an empty time is left out
    EXPECT_STREQ(cmd.GetArgs(), L"");

    EXPECT_EQ(cmd.AddArg(L"-y"), 0);
    EXPECT_EQ(cmd.AddOptionF(L"-threads", L"%d", 4), 0);
    EXPECT_EQ(cmd.AddOptionF(L"-i", L"\"%s\"", L"C:\\a b.mp4"), 0);
    EXPECT_EQ(cmd.AddQuotedArgF(L"%s\\%s", L"C:\\out dir", L"x.mp4"), 0);
    EXPECT_STREQ(cmd.GetArgs(), L"-y -threads 4 -i \"C:\\a b.mp4\" \"C:\\out dir\\x.mp4\"");
}

TEST(CCommandLine, FormatsTheFourForms)
{
    CCommandLine cmd;
    cmd.AddArg(L"-v");
    const struct {
        const wchar_t* output;
        bool useCmd;
        const wchar_t* line;
    } cases[] = {
        {nullptr, false, L"\"C:\\t.exe\" -v"},
        {nullptr, true, L"CMD /C \"\"C:\\t.exe\" -v\""},
        {L"C:\\o.txt", false, L"\"C:\\t.exe\" -v >\"C:\\o.txt\""},
        {L"C:\\o.txt", true, L"CMD /C \"\"C:\\t.exe\" -v >\"C:\\o.txt\"\""},
    };
    for (const auto& c : cases) {
        CString line;
        EXPECT_EQ(cmd.Format(line, L"C:\\t.exe", c.output, c.useCmd), 0);
        EXPECT_STREQ(line, c.line);
    }
}

// What the child's start-up code splits out of the command line must be what was added.
TEST(CCommandLine, ArgumentsArriveIntactInTheChild)
{
    TempFolder temp;
    std::wstring listFile = temp / L"args & %TEMP%.txt";
    const struct {
        const wchar_t* added;
        const wchar_t* arrives;
    } cases[] = {
        {L"C:\\Tom&Jerry.mp4", L"C:\\Tom&Jerry.mp4"},
        {L"C:\\%PATH%\\clip.mp4", L"C:\\%PATH%\\clip.mp4"},
        {L"C:\\My Files\\a b.mp4", L"C:\\My Files\\a b.mp4"},
        {L"C:\\My Files\\", L"C:\\My Files\\"},
        {L"\"C:\\Out Dir\\\"", L"C:\\Out Dir\\"},
        {L"\"C:\\a&b\\%TEMP%\\x y.mp4\"", L"C:\\a&b\\%TEMP%\\x y.mp4"},
        {L"say \"hi\" & bye", L"say \"hi\" & bye"},
        {L"K\u00e4se \u266b.mp4", L"K\u00e4se \u266b.mp4"},
        {L"C:\\Folder\\", L"C:\\Folder\\"},
    };
    CCommandLine cmd;
    cmd.AddArg(L"echo-to");
    cmd.AddQuotedArg(listFile.c_str());
    std::vector<std::wstring> expected;
    for (const auto& c : cases) {
        ASSERT_EQ(cmd.AddQuotedArg(c.added), 0);
        expected.push_back(c.arrives);
    }
    cmd.AddOptionF(L"-vf", L"\"%s\"", L"setpts=0.5*PTS,transpose=1");
    expected.push_back(L"-vf");
    expected.push_back(L"setpts=0.5*PTS,transpose=1");

    CString line;
    cmd.Format(line, TestChildPath().c_str(), nullptr, false);
    CChildProcess child;
    ASSERT_EQ(child.RunProcessAndWait(line, nullptr), 0) << static_cast<LPCWSTR>(line);
    EXPECT_EQ(ReadUtf8Lines(listFile), expected);
}

}  // namespace
