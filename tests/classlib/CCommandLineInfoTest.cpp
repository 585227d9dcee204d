// CCommandLineInfo: what a sequence of arguments asks for.
#include "classlib/CCommandLineInfo.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Arg {
    const wchar_t* text;
    BOOL bFlag;
};

TEST(CCommandLineInfo, ArgumentsChooseTheShellCommand)
{
    struct Case {
        const char* name;
        std::vector<Arg> args;
        int nCommand;
        const wchar_t* file;
        BOOL bShowSplash;
    } cases[] = {
        {"no arguments", {}, CCommandLineInfo::FileNew, L"", TRUE},
        {"a file", {{L"C:\\a b\\x.sht", FALSE}}, CCommandLineInfo::FileOpen, L"C:\\a b\\x.sht", TRUE},
        {"the first file counts", {{L"one", FALSE}, {L"two", FALSE}}, CCommandLineInfo::FileOpen, L"one", TRUE},
        {"print a file", {{L"p", TRUE}, {L"x.sht", FALSE}}, CCommandLineInfo::FilePrint, L"x.sht", TRUE},
        {"dde", {{L"dde", TRUE}}, CCommandLineInfo::FileDDE, L"", TRUE},
        {"register, any case", {{L"REGSERVER", TRUE}}, CCommandLineInfo::AppRegister, L"", TRUE},
        {"unregister", {{L"Unregister", TRUE}}, CCommandLineInfo::AppUnregister, L"", TRUE},
        {"embedded: no splash", {{L"Embedding", TRUE}}, CCommandLineInfo::FileNew, L"", FALSE},
        {"unknown flag ignored", {{L"verbose", TRUE}, {L"f.sht", FALSE}}, CCommandLineInfo::FileOpen, L"f.sht", TRUE},
    };
    for (const Case& c : cases) {
        CCommandLineInfo info;
        for (size_t i = 0; i < c.args.size(); ++i)
            info.ParseParam(c.args[i].text, c.args[i].bFlag, i + 1 == c.args.size());
        EXPECT_EQ(c.nCommand, info.m_nShellCommand) << c.name;
        EXPECT_EQ(c.file, info.m_strFileName) << c.name;
        EXPECT_EQ(c.bShowSplash, info.m_bShowSplash) << c.name;
    }
}

}  // namespace
