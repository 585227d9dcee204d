// The encoding tool's translation of its command line into ffmpeg's, for names that ffmpeg
// would read as patterns.
#include "tools/ClipConverter/CommandTranslator.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> Words(const std::wstring& line)
{
    std::wistringstream stream(line);
    std::vector<std::wstring> words;
    for (std::wstring word; stream >> word;)
        words.push_back(word == L"<out>" ? L"" : word);
    return words;
}

TEST(CommandTranslatorTest, APictureNameIsNoPattern)
{
    struct Case {
        const char* name;
        std::wstring args;      // <out> stands for the output name
        std::wstring output;    // given
        std::wstring expected;  // in ffmpeg's arguments
    } cases[] = {
        {"one frame to a picture", L"-ss 2 -i in.mp4 -an -frames:v 1 -f image2 -y <out>", L"C:\\frame %d 100%.jpg",
         L"C:\\frame %%d 100%%.jpg"},
        {"frames to a numbered series", L"-i in.mp4 -an -f image2 -y <out>", L"C:\\f%03d.jpg", L"C:\\f%03d.jpg"},
        {"one frame into a video", L"-i in.mp4 -frames:v 1 -f mp4 -y <out>", L"C:\\100% a.mp4", L"C:\\100% a.mp4"},
        {"an input picture format", L"-f image2 -i in%d.jpg -frames:v 1 -f mp4 -y <out>", L"C:\\a%d.mp4",
         L"C:\\a%d.mp4"},
    };
    for (const Case& c : cases) {
        std::vector<std::wstring> args = Words(c.args);
        args.back() = c.output;
        CommandTranslator command(args, false);
        EXPECT_EQ(c.expected, command.FfmpegArguments().back()) << c.name;
    }
}

}  // namespace
