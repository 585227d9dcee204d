// ClipRunner.exe draws the chosen subtitle stream over the picture, on the picture's clock.
// Clips with subtitle tracks are made here by ffmpeg.exe (the bitmap track from a DVD
// subtitle file written here); the tool's test mode writes the window's picture each time
// the subtitles on screen change, named by the media time the change was due at.
#include "tests/support/ClipRunnerHarness.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <memory>
#include <ostream>

using namespace runnertest;
using tooltest::MakeMedia;
using tooltest::Quoted;
using tooltest::ToolPath;

namespace {

const DWORD kPlayTimeoutMs = 30000;
const int kRoundingMs = 1;  // media and clock times meet in whole microseconds and milliseconds
// The picture under the subtitles: 4 s of one colour, 0x204080.
const wchar_t kPicture[] =
    L"-f lavfi -i color=c=0x204080:size=320x240:rate=25:duration=4 -c:v libx264 "
    L"-pix_fmt yuv420p -f matroska";
// 6 s of the same with a key frame every 2 s, where a seek lands. Noise in the top third, far
// from the subtitles, makes the frames large enough that each key frame opens a cluster of its own
// in Matroska, as in a film.
const wchar_t kSparsePicture[] =
    L"-f lavfi -i \"color=c=0x204080:size=320x80:rate=25:duration=6,noise=alls=40:allf=t+u[top];"
    L"color=c=0x204080:size=320x160:rate=25:duration=6[bottom];[top][bottom]vstack[out0]\" "
    L"-c:v libx264 -g 50 -sc_threshold 0 -pix_fmt yuv420p -f matroska";

// "One" from 0.5 to 1.5 s, then two lines from 2 to 3 s.
const char kSubRip[] =
    "1\r\n00:00:00,500 --> 00:00:01,500\r\n<i>One</i>\r\n\r\n"
    "2\r\n00:00:02,000 --> 00:00:03,000\r\nTwo\r\n{\\b1}lines{\\b0}\r\n\r\n";

// Around the key frames of the sparse picture: one over before 2 s, one from 1 s (before the key
// frame at 2 s) to 3.5 s, and one from the key frame at 4 s to 4.5 s.
const char kLateSubRip[] =
    "1\r\n00:00:00,300 --> 00:00:00,800\r\nOne\r\n\r\n"
    "2\r\n00:00:01,000 --> 00:00:03,500\r\nLong\r\n\r\n"
    "3\r\n00:00:04,000 --> 00:00:04,500\r\nThree\r\n\r\n";

// A broken entry, stray lines and bytes that are no UTF-8 before a good entry from 2 to 3 s.
const char kDamagedSubRip[] =
    "1\r\n00:00:00,500 --> 00:00:01,500\r\nbad \xff\xfe bytes\r\n\r\n"
    "x\r\n00:00:xx,000 --> broken\r\n{\\an8 never closed\r\n\r\n\x01\x02\r\n\r\n"
    "3\r\n00:00:02,000 --> 00:00:03,000\r\nThree\r\n\r\n";

// DVD subtitles count their display time in 1024/90000 s: 88 of these are 1001 ms, 44 are
// 500 ms and 220 are 2503 ms.
const int kDvdStop = 88, kDvdShortStop = 44, kDvdLongStop = 220;
int DvdMs(int stop)
{
    return stop * 1024 / 90;
}
const int kDvdShownMs = DvdMs(kDvdStop);

// One DVD subtitle picture: a 100x20 box at (110, 200) of a 320x240 frame, its left half
// opaque white, its right half red at about half alpha, shown for `stop` (in 1024/90000 s);
// or, with a stop of 0, until the next picture.
class SubPicture {
public:
    explicit SubPicture(int stop)
    {
        bool stops = stop > 0;
        std::vector<uint8_t> lines;
        for (int y = 0; y < kHeight / 2; ++y) {  // both fields alike: run 50 of colour 1, 50 of 2
            const uint8_t line[] = {0x0C, 0x90, 0xCA};
            lines.insert(lines.end(), line, line + sizeof(line));
        }
        Put16(0);  // size, filled in at the end
        Put16(0);  // first control sequence
        size_t top = m_bytes.size();
        m_bytes.insert(m_bytes.end(), lines.begin(), lines.end());
        size_t bottom = m_bytes.size();
        m_bytes.insert(m_bytes.end(), lines.begin(), lines.end());
        size_t first = m_bytes.size(), second = stops ? first + 24 : first;  // the first takes 24 bytes
        SetAt(2, first);
        Put16(0);
        Put16(second);
        const uint8_t commands[] = {0x01, 0x03, 0x32, 0x10, 0x04, 0x08, 0xF0, 0x05,
                                    0x06, 0xE0, 0xD1, 0x0C, 0x80, 0xDB, 0x06};
        m_bytes.insert(m_bytes.end(), commands, commands + sizeof(commands));
        Put16(top);
        Put16(bottom);
        m_bytes.push_back(0xFF);
        if (stops) {
            Put16(stop);
            Put16(second);
            m_bytes.push_back(0x02);
            m_bytes.push_back(0xFF);
        }
        SetAt(0, m_bytes.size());
    }
    const std::vector<uint8_t>& Bytes() const { return m_bytes; }

private:
    static const int kHeight = 20;
    void Put16(size_t value)
    {
        m_bytes.push_back(static_cast<uint8_t>(value >> 8));
        m_bytes.push_back(static_cast<uint8_t>(value));
    }
    void SetAt(size_t at, size_t value)
    {
        m_bytes[at] = static_cast<uint8_t>(value >> 8);
        m_bytes[at + 1] = static_cast<uint8_t>(value);
    }
    std::vector<uint8_t> m_bytes;
};

// The picture in a pack of a program stream, as private stream 1, subtitle stream 0.
std::string Pack(const std::vector<uint8_t>& payload)
{
    std::string bytes("\x00\x00\x01\xBA\x44\x00\x04\x00\x04\x01\x01\x89\xC3\xF8", 14);
    size_t length = 3 + 1 + payload.size();
    bytes += std::string("\x00\x00\x01\xBD", 4);
    bytes += static_cast<char>(length >> 8);
    bytes += static_cast<char>(length);
    bytes += std::string("\x81\x00\x00\x20", 4);
    bytes.append(payload.begin(), payload.end());
    return bytes;
}

struct DvdPacket {
    const char* time;
    std::string pack;
};

// A DVD subtitle file pair, base.idx and base.sub.
bool WriteDvdSubtitles(const std::wstring& base, const std::vector<DvdPacket>& packets)
{
    std::string index =
        "# VobSub index file, v7 (do not modify this line!)\n"
        "size: 320x240\n"
        "palette: 000000, ffffff, ff0000, 000000, 000000, 000000, 000000, 000000, "
        "000000, 000000, 000000, 000000, 000000, 000000, 000000, 000000\n"
        "id: en, index: 0\n";
    std::string stream;
    for (const DvdPacket& packet : packets) {
        char line[64];
        snprintf(line, sizeof(line), "timestamp: %s, filepos: %09x\n", packet.time,
                 static_cast<unsigned>(stream.size()));
        index += line;
        stream += packet.pack;
    }
    return WriteBytes(base + L".idx", index) && WriteBytes(base + L".sub", stream);
}

// The box from 0.5 s, a packet of garbage at 1.8 s, the box again from 2.2 s; the box without
// a stop from 0.5 s; and the box at the times of kLateSubRip.
bool WriteDvdFiles(const std::wstring& timed, const std::wstring& open, const std::wstring& late)
{
    std::vector<uint8_t> garbage = {0x00, 0x0C, 0xFF, 0xF0, 0x13, 0x37, 0x00, 0x00, 0xAB, 0xCD, 0xEF, 0x01};
    std::string box = Pack(SubPicture(kDvdStop).Bytes());
    return WriteDvdSubtitles(timed, {{"00:00:00:500", box}, {"00:00:01:800", Pack(garbage)}, {"00:00:02:200", box}}) &&
           WriteDvdSubtitles(open, {{"00:00:00:500", Pack(SubPicture(0).Bytes())}}) &&
           WriteDvdSubtitles(late, {{"00:00:00:300", Pack(SubPicture(kDvdShortStop).Bytes())},
                                    {"00:00:01:000", Pack(SubPicture(kDvdLongStop).Bytes())},
                                    {"00:00:04:000", Pack(SubPicture(kDvdShortStop).Bytes())}});
}

// A picture the tool wrote, 32-bit BGRA.
struct Frame {
    int ms = 0;  // media time of the change
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

bool ReadFrame(const std::wstring& path, Frame& frame)
{
    std::string bytes = tooltest::ReadFileBytes(path);
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    int32_t offset, width, height;
    memcpy(&offset, &bytes[10], 4);
    memcpy(&width, &bytes[18], 4);
    memcpy(&height, &bytes[22], 4);
    if (width <= 0 || height >= 0 || bytes.size() < offset + size_t(width) * -height * 4)
        return false;
    frame.width = width;
    frame.height = -height;
    frame.pixels.resize(size_t(width) * -height);
    memcpy(frame.pixels.data(), &bytes[offset], frame.pixels.size() * 4);
    return true;
}

// The pictures of a run in the order of their media times.
std::vector<Frame> ReadFrames(const std::wstring& folder)
{
    std::vector<Frame> frames;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*.bmp").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return frames;
    do {
        Frame frame;
        frame.ms = _wtoi(found.cFileName);
        if (ReadFrame(folder + L"\\" + found.cFileName, frame))
            frames.push_back(frame);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    std::sort(frames.begin(), frames.end(), [](const Frame& a, const Frame& b) { return a.ms < b.ms; });
    return frames;
}

int Channel(uint32_t pixel, int shift)
{
    return static_cast<int>((pixel >> shift) & 0xFF);
}

bool Near(uint32_t pixel, int red, int green, int blue, int tolerance = 14)
{
    return std::abs(Channel(pixel, 16) - red) <= tolerance && std::abs(Channel(pixel, 8) - green) <= tolerance &&
           std::abs(Channel(pixel, 0) - blue) <= tolerance;
}

// Where the white text lies in a picture.
struct Ink {
    int count = 0;
    int left = INT_MAX, right = -1, top = INT_MAX, bottom = -1;
    bool dark = false;  // outline pixels beside it
};

Ink WhiteInk(const Frame& frame)
{
    Ink ink;
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            uint32_t pixel = frame.At(x, y);
            if (Channel(pixel, 0) < 40 && Channel(pixel, 8) < 40 && Channel(pixel, 16) < 40)
                ink.dark = true;
            if (Channel(pixel, 0) < 235 || Channel(pixel, 8) < 235 || Channel(pixel, 16) < 235)
                continue;
            ++ink.count;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

TempFolder* g_folder = nullptr;
bool g_made = false;

std::wstring Media(const wchar_t* name)
{
    return g_folder->Path() + L"\\" + name;
}

class ClipRunnerSubtitleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        g_folder = new TempFolder;
        std::wstring srt = Media(L"subs.srt"), damaged = Media(L"damaged.srt"), late = Media(L"late.srt");
        g_made = WriteBytes(srt, kSubRip) && WriteBytes(damaged, kDamagedSubRip) && WriteBytes(late, kLateSubRip) &&
                 WriteDvdFiles(Media(L"dvd"), Media(L"dvdopen"), Media(L"dvdlate"));
        std::wstring picture = Media(L"picture.mkv"), sparse = Media(L"sparse.mkv");
        g_made = g_made && MakeMedia(picture, kPicture) && MakeMedia(sparse, kSparsePicture);
        struct Recipe {
            const wchar_t* name;
            std::wstring picture, subtitles, codec;
        } recipes[] = {{L"subrip.mkv", picture, srt, L"-c:s srt -f matroska"},
                       {L"movtext.mp4", picture, srt, L"-c:s mov_text -f mp4"},
                       {L"ass.mkv", picture, srt, L"-c:s ass -f matroska"},
                       {L"webvtt.mkv", picture, srt, L"-c:s webvtt -f matroska"},
                       {L"damaged.mkv", picture, damaged, L"-c:s copy -f matroska"},
                       {L"dvd.mkv", picture, Media(L"dvd.idx"), L"-c:s copy -f matroska"},
                       {L"dvdopen.mkv", picture, Media(L"dvdopen.idx"), L"-c:s copy -f matroska"},
                       {L"late-subrip.mkv", sparse, late, L"-c:s srt -f matroska"},
                       {L"late-movtext.mp4", sparse, late, L"-c:s mov_text -f mp4"},
                       {L"late-dvd.mkv", sparse, Media(L"dvdlate.idx"), L"-c:s copy -f matroska"}};
        for (const Recipe& recipe : recipes)
            g_made = g_made && MakeMedia(Media(recipe.name), L"-i " + Quoted(recipe.picture) + L" -i " +
                                                                 Quoted(recipe.subtitles) +
                                                                 L" -map 0:v -map 1:s -c:v copy " + recipe.codec);
    }
    static void TearDownTestSuite()
    {
        delete g_folder;
        g_folder = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(g_made) << "ffmpeg.exe could not make the test media"; }

    // Plays the clip to its end with the options, seeking to seekUs (unless negative) as soon
    // as it plays; true when the tool took the seek and ended well.
    bool Play(const wchar_t* clip, const std::wstring& options, int64_t seekUs = -1)
    {
        ScopedEnvironment frames(L"KAVRI_TOOL_FRAMES", m_frames.Path().c_str());
        std::wstring args = L"-autoexit -i " + Quoted(Media(clip)) + L" " + options + L" -owner_window " +
                            std::to_wstring(reinterpret_cast<uintptr_t>(m_owner.Handle())) + L" -callback_context 1";
        Process tool(ToolPath(L"ClipRunner.exe"), args);
        if (seekUs >= 0 && !(tool.Started() && m_owner.WaitFor(PLAYER_EVENT_PLAYING, kPlayTimeoutMs) &&
                             SendCommand(m_owner.Last(PLAYER_EVENT_PLAYING)->status, PLAYER_CMD_SEEK, seekUs, 0) == 0))
            return false;
        return tool.Started() && tool.WaitForExit(kPlayTimeoutMs) && tool.ExitCode() == 0 &&
               m_owner.Count(PLAYER_EVENT_END_OF_MEDIA) == 1;
    }

    int SubtitleStreamReported() const
    {
        const ReceivedEvent* playing = m_owner.Last(PLAYER_EVENT_PLAYING);
        return playing ? playing->status.SubtitleStreamIndex : -99;
    }

    OwnerWindow m_owner{320, 240};
    TempFolder m_frames;
};

void ExpectChangeAt(const Frame& frame, int ms)
{
    EXPECT_NEAR(ms, frame.ms, kRoundingMs);
}

struct TextCase {
    const char* name;
    const wchar_t* clip;
};

class ClipRunnerTextSubtitleTest : public ClipRunnerSubtitleTest, public ::testing::WithParamInterface<TextCase> {};

// White words with a dark outline, centred near the bottom; gone at their end time.
TEST_P(ClipRunnerTextSubtitleTest, ShowsTheTextFromItsStartToItsEnd)
{
    ASSERT_TRUE(Play(GetParam().clip, L"-sst 2"));
    EXPECT_EQ(1, SubtitleStreamReported());
    std::vector<Frame> frames = ReadFrames(m_frames.Path());
    ASSERT_EQ(4u, frames.size()) << "shown, gone, shown, gone";
    const int times[] = {500, 1500, 2000, 3000};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE("change " + std::to_string(i));
        ExpectChangeAt(frames[i], times[i]);
        Ink ink = WhiteInk(frames[i]);
        if (i % 2 == 1) {
            EXPECT_EQ(0, ink.count) << "no text after its end";
            continue;
        }
        EXPECT_GT(ink.count, 20);
        EXPECT_TRUE(ink.dark) << "outlined";
        EXPECT_NEAR(160, (ink.left + ink.right) / 2, 12) << "centred";
        EXPECT_GT(ink.top, 240 * 2 / 3) << "near the bottom";
        EXPECT_LT(ink.bottom, 240 - 3);
    }
    // 240 / 16 = 15 pixels a line: the second subtitle's two lines stand one over the other.
    EXPECT_LT(WhiteInk(frames[0]).bottom - WhiteInk(frames[0]).top, 20) << "one line";
    EXPECT_GT(WhiteInk(frames[2]).bottom - WhiteInk(frames[2]).top, 22) << "two lines";
}

INSTANTIATE_TEST_SUITE_P(Formats, ClipRunnerTextSubtitleTest,
                         ::testing::Values(TextCase{"SubRipInMatroska", L"subrip.mkv"},
                                           TextCase{"MovTextInMp4", L"movtext.mp4"},
                                           TextCase{"AssInMatroska", L"ass.mkv"},
                                           TextCase{"WebVttInMatroska", L"webvtt.mkv"}),
                         [](const ::testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

// The box's palette colours and alpha over the picture; the garbage packet between the two
// showings costs nothing.
TEST_F(ClipRunnerSubtitleTest, ShowsDvdBitmapsWithTheirPaletteAndAlpha)
{
    ASSERT_TRUE(Play(L"dvd.mkv", L"-sst 2"));
    std::vector<Frame> frames = ReadFrames(m_frames.Path());
    ASSERT_EQ(4u, frames.size()) << "shown, gone, shown, gone";
    const int times[] = {500, 500 + kDvdShownMs, 2200, 2200 + kDvdShownMs};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE("change " + std::to_string(i));
        ExpectChangeAt(frames[i], times[i]);
        const Frame& frame = frames[i];
        ASSERT_EQ(320, frame.width);
        EXPECT_TRUE(Near(frame.At(60, 210), 0x20, 0x40, 0x80)) << "the picture beside the box";
        if (i % 2 == 1) {
            EXPECT_TRUE(Near(frame.At(130, 210), 0x20, 0x40, 0x80)) << "nothing after the end";
            continue;
        }
        EXPECT_TRUE(Near(frame.At(130, 210), 255, 255, 255)) << "opaque white";
        // Red at alpha 8/15 over the picture's 0x204080.
        EXPECT_TRUE(Near(frame.At(185, 210), 151, 30, 60)) << std::hex << frame.At(185, 210);
        EXPECT_TRUE(Near(frame.At(130, 190), 0x20, 0x40, 0x80)) << "above the box";
    }
}

// The second subtitle began before the start position: it shows from the start to its end,
// the first one (over before the start) never.
TEST_F(ClipRunnerSubtitleTest, ShowsTheSubtitleRunningAtTheStartPosition)
{
    ASSERT_TRUE(Play(L"subrip.mkv", L"-sst 2 -ss 0:00:02.500"));
    std::vector<Frame> frames = ReadFrames(m_frames.Path());
    ASSERT_EQ(2u, frames.size()) << "shown, gone";
    ExpectChangeAt(frames[0], 2500);
    EXPECT_GT(WhiteInk(frames[0]).bottom - WhiteInk(frames[0]).top, 22) << "the two lines";
    ExpectChangeAt(frames[1], 3000);
    EXPECT_EQ(0, WhiteInk(frames[1]).count);
}

// A bitmap without an end of its own that began long before the start position still shows.
TEST_F(ClipRunnerSubtitleTest, ShowsABitmapWithoutEndFromBeforeTheStartPosition)
{
    ASSERT_TRUE(Play(L"dvdopen.mkv", L"-sst 2 -ss 0:00:02.000"));
    std::vector<Frame> frames = ReadFrames(m_frames.Path());
    ASSERT_EQ(1u, frames.size()) << "shown to the end";
    ExpectChangeAt(frames[0], 2000);
    EXPECT_TRUE(Near(frames[0].At(130, 210), 255, 255, 255));
}

struct LandingCase {
    const char* name;
    const wchar_t* clip;
    const wchar_t* start;  // -ss
    int64_t seekUs;        // sent once the clip plays; negative for none
    bool bitmap;
};

void PrintTo(const LandingCase& c, std::ostream* out)
{
    *out << c.name;
}

class ClipRunnerLandingTest : public ClipRunnerSubtitleTest, public ::testing::WithParamInterface<LandingCase> {};

// The reading lands on the key frame at 2 s, after the start of the subtitle that shows at
// 2.5 s: it shows at once, once, to its end, and the next one follows; the one over before 2.5 s
// never shows. A start at 4.6 s shows nothing before the seek back.
TEST_P(ClipRunnerLandingTest, ShowsTheSubtitleBegunBeforeTheLandingKeyFrame)
{
    const LandingCase& c = GetParam();
    ASSERT_TRUE(Play(c.clip, std::wstring(L"-sst 2 -ss ") + c.start, c.seekUs));
    std::vector<Frame> frames = ReadFrames(m_frames.Path());
    ASSERT_EQ(4u, frames.size()) << "shown, gone, the next shown, gone";
    // The DVD track's pictures end a little after the text's ends.
    const int times[] = {2500, c.bitmap ? 1000 + DvdMs(kDvdLongStop) : 3500, 4000,
                         c.bitmap ? 4000 + DvdMs(kDvdShortStop) : 4500};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE("change " + std::to_string(i));
        ExpectChangeAt(frames[i], times[i]);
        Ink ink = WhiteInk(frames[i]);
        if (i % 2 == 1) {
            EXPECT_EQ(0, ink.count) << "nothing after its end";
        } else if (c.bitmap) {
            EXPECT_TRUE(Near(frames[i].At(130, 210), 255, 255, 255));
            EXPECT_TRUE(Near(frames[i].At(185, 210), 151, 30, 60))
                << "drawn once: " << std::hex << frames[i].At(185, 210);
        } else {
            EXPECT_GT(ink.count, 20);
            EXPECT_LT(ink.bottom - ink.top, 20) << "one line: drawn once";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tracks, ClipRunnerLandingTest,
    ::testing::Values(LandingCase{"SubRipStart", L"late-subrip.mkv", L"0:00:02.500", -1, false},
                      LandingCase{"MovTextStart", L"late-movtext.mp4", L"0:00:02.500", -1, false},
                      LandingCase{"DvdStart", L"late-dvd.mkv", L"0:00:02.500", -1, true},
                      LandingCase{"SubRipSeekBack", L"late-subrip.mkv", L"0:00:04.600", 2500000, false},
                      LandingCase{"MovTextSeekBack", L"late-movtext.mp4", L"0:00:04.600", 2500000, false},
                      LandingCase{"DvdSeekBack", L"late-dvd.mkv", L"0:00:04.600", 2500000, true}),
    [](const ::testing::TestParamInfo<LandingCase>& info) { return std::string(info.param.name); });

TEST_F(ClipRunnerSubtitleTest, DrawsNoneWhenSubtitlesAreOff)
{
    ASSERT_TRUE(Play(L"subrip.mkv", L"-sst 2 -sn"));
    EXPECT_EQ(-1, SubtitleStreamReported());
    EXPECT_TRUE(ReadFrames(m_frames.Path()).empty());
}

// Entries that do not decode are passed over; the playback goes on to the good one.
TEST_F(ClipRunnerSubtitleTest, PlaysOnPastDamagedSubtitles)
{
    ASSERT_TRUE(Play(L"damaged.mkv", L"-sst 2"));
    std::vector<Frame> frames = ReadFrames(m_frames.Path());
    auto shown = std::find_if(frames.begin(), frames.end(), [](const Frame& f) { return f.ms >= 1900; });
    ASSERT_NE(frames.end(), shown);
    ExpectChangeAt(*shown, 2000);
    EXPECT_GT(WhiteInk(*shown).count, 20);
    ExpectChangeAt(frames.back(), 3000);
    EXPECT_EQ(0, WhiteInk(frames.back()).count);
}

}  // namespace
