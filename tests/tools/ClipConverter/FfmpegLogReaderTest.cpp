// The encoding tool's reading of ffmpeg's log, fed with logs written here: real ones, and ones
// whose lines come from hostile media (an input index far beyond the inputs, endless lines).
#include "tools/ClipConverter/FfmpegLogReader.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(FfmpegLogReaderTest, InputDurations)
{
    struct Case {
        const char* name;
        size_t inputs;
        std::string log;
        std::vector<int64_t> durationsUs;
        bool opened;
    } cases[] = {
        {"two inputs",
         2,
         "Input #0, mov,mp4, from 'a.mp4':\n  Duration: 00:00:04.00, start: 0.000000, bitrate: 9 kb/s\n"
         "Input #1, wav, from 'b.wav':\r\n  Duration: 00:01:02.50, bitrate: 1411 kb/s\r\nStream mapping:\n",
         {4000000, 62500000},
         true},
        {"an index far beyond the inputs",
         1,
         "Input #0, matroska, from 'a.mkv':\nUnknown EBML doctype 'x\nInput #2147483647, x\n"
         "  Duration: 00:00:09.00, start: 0.000000\n",
         {0},
         false},
        {"an index of more digits than any number",
         1,
         "Input #99999999999999999999999999, x\n  Duration: 00:00:09.00, start: 0\n",
         {0},
         false},
        {"the next index past the last input", 1, "Input #1, x\n  Duration: 00:00:09.00, start: 0\n", {0}, false},
        {"no index", 1, "Input #-1, x\n  Duration: 00:00:09.00\nInput #, x\n  Duration: 00:00:08.00\n", {0}, false},
        {"a title that names a duration",
         1,
         "Input #0, mov, from 'a.mp4':\n    title           : x  Duration: 00:09:00.00,\n",
         {0},
         false},
        {"a duration of absurd size",
         1,
         "Input #0, x\n  Duration: 99999999999999999999999:00:00.00, start: 0\n",
         {0},
         false},
        {"durations after the inputs' part",
         1,
         "Input #0, x\nOutput #0, mp3, to 'o.mp3':\n  Duration: 00:00:09.00, start: 0\n",
         {0},
         true},
        {"the last line without its break", 1, "Input #0, x\n  Duration: 00:00:03.00", {3000000}, false},
    };
    for (const Case& c : cases) {
        FfmpegLogReader reader(c.inputs);
        // In pieces of three bytes, as a pipe may hand them over.
        for (size_t at = 0; at < c.log.size(); at += 3)
            reader.Take(c.log.data() + at, std::min<size_t>(3, c.log.size() - at));
        reader.End();
        EXPECT_EQ(c.durationsUs, reader.InputDurationsUs()) << c.name;
        EXPECT_EQ(c.opened, reader.InputsOpened()) << c.name;
    }
}

TEST(FfmpegLogReaderTest, AnEndlessLineIsNotKept)
{
    FfmpegLogReader reader(1);
    std::string junk(1 << 20, 'x');
    for (int i = 0; i < 64; ++i)
        reader.Take(junk.data(), junk.size());
    std::string rest = "\nInput #0, x\n  Duration: 00:00:02.00, start: 0\n";
    reader.Take(rest.data(), rest.size());
    EXPECT_EQ(std::vector<int64_t>{2000000}, reader.InputDurationsUs()) << "the lines after it still count";
}

}  // namespace
