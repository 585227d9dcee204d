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
        std::wstring expected;  // the last three of ffmpeg's arguments
    } cases[] = {
        {"one frame to a picture", L"-ss 2 -i in.mp4 -an -frames:v 1 -f image2 -y <out>", L"C:\\frame %d.jpg",
         L"-update 1 C:\\frame %d.jpg"},
        {"frames to a numbered series", L"-i in.mp4 -an -f image2 -y <out>", L"C:\\f%03d.jpg", L"image2 -y C:\\f%03d.jpg"},
        {"one frame into a video", L"-i in.mp4 -frames:v 1 -f mp4 -y <out>", L"C:\\100% a.mp4", L"mp4 -y C:\\100% a.mp4"},
        {"an input picture format", L"-f image2 -i in%d.jpg -frames:v 1 -f mp4 -y <out>", L"C:\\a%d.mp4",
         L"mp4 -y C:\\a%d.mp4"},
    };
    for (const Case& c : cases) {
        std::vector<std::wstring> args = Words(c.args);
        args.back() = c.output;
        CommandTranslator command(args, false);
        const std::vector<std::wstring>& ffmpeg = command.FfmpegArguments();
        ASSERT_GE(ffmpeg.size(), 3u) << c.name;
        EXPECT_EQ(c.expected, ffmpeg[ffmpeg.size() - 3] + L" " + ffmpeg[ffmpeg.size() - 2] + L" " + ffmpeg.back())
            << c.name;
    }
}

}  // namespace
