#include "framework/system/CChildProcess.h"
#include "framework/system/CProcessRunner.h"
#include "tests/support/ChildProgram.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <stdio.h>
#include <thread>

namespace {

const int kStopValue = 20;

std::wstring ChildLine(const std::wstring& args)
{
    return L"\"" + TestChildPath() + L"\" " + args;
}

class CTestRunner : public CProcessRunner {};

// Builds its command line from the arguments it was given, or none when they are empty.
class CBuildingRunner : public CProcessRunner {
public:
    explicit CBuildingRunner(const std::wstring& args) : m_args(args) {}
    int BuildCommandLine(CString& strCommandLine) override
    {
        if (m_args.empty())
            return 1;
        strCommandLine = ChildLine(m_args).c_str();
        return 0;
    }

private:
    std::wstring m_args;
};

// Limits for what a busy machine may take to start or end a process: generous, because they
// only keep a broken run from hanging the suite.
const DWORD kProcessLimitMs = 60000;

// True when no process with that id runs now, or it ends within 20 s: well before the minute
// that the test child's processes would sleep if nothing ended them.
bool IsGone(DWORD dwProcessId)
{
    HANDLE hProcess = OpenProcess(SYNCHRONIZE, FALSE, dwProcessId);
    if (!hProcess)
        return true;
    bool bGone = WaitForSingleObject(hProcess, 20000) == WAIT_OBJECT_0;
    CloseHandle(hProcess);
    return bGone;
}

// The "<child id> <grandchild id>" that the grandchild mode writes once both run.
bool ReadIds(const std::wstring& path, unsigned long& child, unsigned long& grandchild)
{
    FILE* pFile = _wfopen(path.c_str(), L"r");  // fails while the child still writes it
    if (!pFile)
        return false;
    bool bRead = fscanf(pFile, "%lu %lu", &child, &grandchild) == 2;
    fclose(pFile);
    return bRead;
}

bool WaitForIds(const std::wstring& path, unsigned long& child, unsigned long& grandchild)
{
    for (ULONGLONG nStart = GetTickCount64(); GetTickCount64() - nStart < kProcessLimitMs; Sleep(50)) {
        if (ReadIds(path, child, grandchild))
            return true;
    }
    return false;
}

TEST(CChildProcess, ReportsHowTheChildEnded)
{
    const struct {
        const char* name;
        std::wstring line;
        int waitResult, untilResult;
    } cases[] = {
        {"exit 0", ChildLine(L"exit 0"), 0, 0},
        {"exit 3", ChildLine(L"exit 3"), -1, -1},
        {"missing program", L"\"C:\\no such folder\\tool.exe\" -v", -1, -1},
        {"empty command line", L"", -1, -1},
    };
    for (const auto& c : cases) {
        StopFlag nFlag{0};
        CChildProcess plain, flagged, until;
        EXPECT_EQ(plain.RunProcessAndWait(c.line.c_str(), nullptr), c.waitResult) << c.name;
        EXPECT_EQ(flagged.RunProcessAndWait(c.line.c_str(), &nFlag), c.waitResult) << c.name;
        EXPECT_EQ(until.RunProcessAndWaitEx(c.line.c_str(), &nFlag, kStopValue), c.untilResult) << c.name;
    }
}

TEST(CChildProcess, StopValueKillsTheChildAndItsChildrenAfterTheGraceTime)
{
    TempFolder temp;
    std::wstring idFile = temp / L"ids.txt";
    StopFlag nFlag{0};
    int nResult = 0;
    ULONGLONG nEnded = 0;
    std::thread run([&] {
        CTestRunner runner;
        nResult = runner.RunCommandLineUntil(ChildLine(L"grandchild \"" + idFile + L"\"").c_str(), &nFlag, kStopValue);
        nEnded = GetTickCount64();
    });
    // The stop comes once both processes run, however slowly they start.
    unsigned long child = 0, grandchild = 0;
    bool bStarted = WaitForIds(idFile, child, grandchild);
    ULONGLONG nStopped = GetTickCount64();
    nFlag = kStopValue;  // the tool was asked to stop and ignores it
    run.join();

    ASSERT_TRUE(bStarted) << "the child did not start its own child";
    EXPECT_EQ(nResult, 1);
    // The first 100 ms poll may come right after the stop.
    EXPECT_GE(nEnded - nStopped, CChildProcess::kGraceTime - 100);
    EXPECT_LT(nEnded - nStopped, kProcessLimitMs);
    EXPECT_TRUE(IsGone(child));
    EXPECT_TRUE(IsGone(grandchild));
}

TEST(CChildProcess, AnyNonZeroFlagStopsThePlainWait)
{
    StopFlag nFlag{2};
    CChildProcess child;
    ULONGLONG nStart = GetTickCount64();
    EXPECT_EQ(child.RunProcessAndWait(ChildLine(L"ignore-stop").c_str(), &nFlag), -1);  // killed, exit code 1
    EXPECT_LT(GetTickCount64() - nStart, 50000u);  // not killed, the child would sleep for a minute
}

TEST(CChildProcess, OtherStopValueLetsTheChildRunOn)
{
    StopFlag nFlag{2};
    CChildProcess child;
    ULONGLONG nStart = GetTickCount64();
    EXPECT_EQ(child.RunProcessAndWaitEx(ChildLine(L"sleep 3600").c_str(), &nFlag, kStopValue), 1);
    EXPECT_GE(GetTickCount64() - nStart, 3500u);  // past the grace time, so it was not killed
}

TEST(CProcessRunner, RunsTheCommandLineItBuilds)
{
    const struct {
        const char* name;
        std::wstring args;
        int result;
    } cases[] = {
        {"exit 0", L"exit 0", 0},
        {"exit 3", L"exit 3", -1},
        {"nothing built", L"", -1},
    };
    for (const auto& c : cases) {
        CBuildingRunner runner(c.args);
        EXPECT_EQ(runner.Run(nullptr), c.result) << c.name;
    }
    CTestRunner base;  // builds nothing
    EXPECT_EQ(base.Run(nullptr), -1);
}

TEST(CChildProcess, StandardOutputGoesToTheFile)
{
    TempFolder temp;
    std::wstring output = temp / L"out & %TEMP%.txt";
    CTestRunner runner;
    StopFlag nFlag{0};
    EXPECT_EQ(runner.RunCommandLineUntil(ChildLine(L"echo one \"two words\"").c_str(), &nFlag, kStopValue,
                                         output.c_str()), 0);
    EXPECT_EQ(ReadUtf8Lines(output), (std::vector<std::wstring>{L"one", L"two words"}));

    // A second run replaces the file's contents.
    EXPECT_EQ(runner.RunCommandLine(ChildLine(L"print again").c_str(), nullptr, output.c_str()), 0);
    EXPECT_EQ(ReadUtf8Lines(output), std::vector<std::wstring>{L"again"});
}

TEST(CChildProcess, StartsInTheGivenFolder)
{
    TempFolder temp;
    std::wstring output = temp / L"cwd.txt";
    CTestRunner runner;
    EXPECT_EQ(runner.RunCommandLine(ChildLine(L"cwd").c_str(), nullptr, output.c_str(), temp.Path().c_str()), 0);
    std::vector<std::wstring> lines = ReadUtf8Lines(output);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(_wcsicmp(lines[0].c_str(), temp.Path().c_str()), 0) << lines[0];
}

TEST(CChildProcess, OutputFileThatCannotBeCreatedFailsTheRun)
{
    TempFolder temp;
    CTestRunner runner;
    EXPECT_EQ(runner.RunCommandLine(ChildLine(L"print x").c_str(), nullptr, (temp / L"no\\such\\out.txt").c_str()),
              -1);
}

}  // namespace
