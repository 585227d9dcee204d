// The player as its user drives it: the real program, started on a fresh profile with update
// checks off and clips made here, typed at and clicked through tests/support/UiDriver, and
// checked by its windows, the playback tool's log and the files it writes. Walks: repeat all
// and repeat off at the end of the list; a dragged tile and the playlist saved in its three
// formats, brought back at the next start without probing, and an ".m3u" named on the command
// line; Ctrl+O after a click into the video; a playback closed midway resumed at the next start.
#include "tests/player/PlayerProgram.h"
#include <algorithm>

namespace {

using namespace playerprogram;

// Menu commands without a key of their own.
const int kSavePlaylist = 32783;
const int kDockPlaylist = 32778;
const int kSettings = 32803;
// The common file dialog's file name box.
const int kFileNameBox = 1148;

std::wstring FileName(const std::wstring& path)
{
    return path.substr(path.find_last_of(L'\\') + 1);
}

std::vector<std::wstring> Lines(const std::string& bytes)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        std::string line = bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::wstring wide(line.size(), L'\0');
        wide.resize(MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), &wide[0],
                                        static_cast<int>(wide.size())));
        lines.push_back(wide);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

// One run of the playback tool as its log line shows it: the clip and the start position.
struct Play {
    std::wstring clip;
    std::wstring start;  // "-ss" value, empty from the beginning
};

// The value after " name " in a logged command line: a quoted text or a word.
std::wstring OptionValue(const std::wstring& line, const std::wstring& name)
{
    std::wstring padded = L" " + line;
    size_t at = padded.find(L" " + name + L" ");
    if (at == std::wstring::npos)
        return L"";
    at += name.size() + 2;
    if (padded[at] == L'"')
        return padded.substr(at + 1, padded.find(L'"', at + 1) - at - 1);
    return padded.substr(at, padded.find(L' ', at) - at);
}

class PlayerWalk : public PlayerProgramTest {
protected:
    static void SetUpTestSuite()
    {
        s_folder = new std::wstring(tooltest::MakeTempFolder(L"kavri player walk"));
        // Long clips play through a whole walk; short ones end while it watches.
        for (int n = 1; n <= 3; ++n) {
            std::wstring tone = std::to_wstring(220 * n);
            for (const wchar_t* kind : {L"Clip", L"Short"}) {
                std::wstring seconds = kind[0] == L'C' ? L"30" : L"2";
                std::wstring path = *s_folder + L"\\" + kind + L" " + std::to_wstring(n) + L".mp4";
                ASSERT_TRUE(tooltest::MakeMedia(path, L"-f lavfi -i testsrc2=duration=" + seconds +
                                                          L":size=160x90:rate=25 -f lavfi -i sine=frequency=" + tone +
                                                          L":duration=" + seconds +
                                                          L" -c:v libx264 -pix_fmt yuv420p -c:a aac -shortest -f mp4"))
                    << "ffmpeg.exe could not make " << testing::PrintToString(path);
            }
        }
    }
    static void TearDownTestSuite()
    {
        tooltest::RemoveFolder(*s_folder);
        delete s_folder;
    }

    void SetUp() override
    {
        m_log = *s_folder + L"\\tool.log";
        DeleteFileW(m_log.c_str());
        SetEnvironmentVariableW(L"KAVRI_TOOL_LOG", m_log.c_str());
        PlayerProgramTest::SetUp();
    }
    void TearDown() override
    {
        PlayerProgramTest::TearDown();
        SetEnvironmentVariableW(L"KAVRI_TOOL_LOG", nullptr);
    }
    static std::wstring Clip(const wchar_t* name) { return *s_folder + L"\\" + name; }

    // The playback tool's runs so far, in order.
    std::vector<Play> Plays() const
    {
        std::vector<Play> plays;
        for (const std::wstring& line : Lines(tooltest::ReadFileBytes(m_log))) {
            if (line.compare(0, 6, L"args: ") == 0 && line.find(L" -owner_window ") != std::wstring::npos)
                plays.push_back({FileName(OptionValue(line, L"-i")), OptionValue(line, L"-ss")});
        }
        return plays;
    }
    std::vector<std::wstring> PlayedClips() const
    {
        std::vector<std::wstring> clips;
        for (const Play& play : Plays())
            clips.push_back(play.clip);
        return clips;
    }
    // Whether the program runs the prober or the encoder (a thumbnail grab) now.
    bool RunsAToolOtherThanThePlayer() const
    {
        return !tooltest::ChildProcesses(m_processId, L"ClipInspector.exe").empty() ||
               !tooltest::ChildProcesses(m_processId, L"ClipConverter.exe").empty();
    }
    // Watches the program for ms: true when it ran the prober or the encoder meanwhile.
    bool RanAToolOtherThanThePlayerWithin(DWORD ms) const
    {
        return WaitFor([&] { return RunsAToolOtherThanThePlayer(); }, ms);
    }

    // Saves the playlist through the Save Playlist dialog under the name typed.
    bool SavePlaylistAs(const std::wstring& path)
    {
        return Command(kSavePlaylist) && Drive({L"wait", L"Save Playlist", L"20000"}) &&
               Drive({L"settext", L"Save Playlist#" + std::to_wstring(kFileNameBox), path}) &&
               Drive({L"key", L"Save Playlist", L"RETURN"}) &&
               WaitFor([&] { return !FindWindowW(nullptr, L"Save Playlist"); }, kTestWaitMs) && Settled() &&
               tooltest::FileExists(path);
    }

    static std::wstring* s_folder;
    std::wstring m_log;
};

std::wstring* PlayerWalk::s_folder = nullptr;

TEST_F(PlayerWalk, RepeatAllStartsOverAndRepeatOffEndsOnThePlaylist)
{
    ASSERT_TRUE(Start({Clip(L"Short 1.mp4"), Clip(L"Short 2.mp4"), Clip(L"Short 3.mp4")}));
    ASSERT_TRUE(WaitForTitle(L"Short 1.mp4 - 1/3"));
    ASSERT_TRUE(Key(L"CTRL+T")) << "Repeat All";
    ASSERT_TRUE(WaitForTitle(L"Short 3.mp4 - 3/3"));
    ASSERT_TRUE(WaitForTitle(L"Short 1.mp4 - 1/3")) << "after the third clip the first plays again";
    EXPECT_TRUE(Shown(kDisplayView));

    ASSERT_TRUE(Key(L"CTRL+T")) << "Repeat All again: off";
    ASSERT_TRUE(WaitForTitle(L"Short 3.mp4 - 3/3"));
    // The panes change one after the other: the walk waits for both.
    EXPECT_TRUE(WaitFor([&] { return Shown(kPlaylistView) && !Shown(kDisplayView); }, kTestWaitMs))
        << "after the last clip the playlist shows";
    ASSERT_TRUE(WaitFor([&] { return PlayedClips().size() >= 6; }, 5000));
    // Nothing plays after the last clip.
    Sleep(3000);
    std::vector<std::wstring> expected = {L"Short 1.mp4", L"Short 2.mp4", L"Short 3.mp4",
                                          L"Short 1.mp4", L"Short 2.mp4", L"Short 3.mp4"};
    EXPECT_EQ(expected, PlayedClips());
}

TEST_F(PlayerWalk, DraggedTileIsSavedInEachFormatAndComesBackWithoutProbing)
{
    ASSERT_TRUE(Start({Clip(L"Clip 1.mp4"), Clip(L"Clip 2.mp4"), Clip(L"Clip 3.mp4")}));
    ASSERT_TRUE(WaitForTitle(L"Clip 1.mp4 - 1/3"));
    ASSERT_TRUE(Key(L"SPACE")) << "pause";
    ASSERT_TRUE(Key(L"F6")) << "to the playlist";
    ASSERT_TRUE(WaitFor([&] { return Shown(kPlaylistCtrl) && !RunsAToolOtherThanThePlayer(); }, kTestWaitMs));
    // Tiles lie in one row 12 pixels apart, 202 wide: the first one, held by its caption (its
    // picture is the paused video's window), dropped on the right half of the third.
    ASSERT_TRUE(Drive({L"drag", L"class:KavriVideoPlayer#100", L"40", L"136", L"620", L"136", L"12"}));
    EXPECT_TRUE(WaitForTitle(L"Clip 1.mp4 - 3/3", 5000)) << "the caption names the paused clip's new place";

    std::wstring firstPath = Clip(L"Clip 2.mp4");
    std::string firstClip(firstPath.begin(), firstPath.end());  // the folder's name is ASCII
    struct Format {
        const wchar_t* name;
        std::string start;  // how that format's file begins
    } formats[] = {{L"walk.m3u", firstClip}, {L"walk.pls", "[Playlist]"}, {L"walk.playlist", "<?xml"}};
    for (const Format& format : formats) {
        std::wstring path = *s_folder + L"\\" + format.name;
        DeleteFileW(path.c_str());
        ASSERT_TRUE(SavePlaylistAs(path)) << testing::PrintToString(path);
        std::string text = tooltest::ReadFileBytes(path);
        EXPECT_EQ(0u, text.find(format.start)) << text;
        size_t two = text.find("Clip 2.mp4"), three = text.find("Clip 3.mp4"), one = text.find("Clip 1.mp4");
        EXPECT_TRUE(two < three && three < one && one != std::string::npos) << "the dragged order 2, 3, 1 in " << text;
    }

    // The default playlist keeps the rows: the next start shows them without probing or grabbing.
    ASSERT_TRUE(Exit());
    ASSERT_TRUE(tooltest::FileExists(DataFolder() + L"\\Default.playlist"));
    size_t nPlaysBefore = Plays().size();
    ASSERT_TRUE(Start());
    EXPECT_FALSE(RanAToolOtherThanThePlayerWithin(5000)) << "the rows come back as they were probed";
    EXPECT_TRUE(Shown(kPlaylistCtrl));
    EXPECT_FALSE(Shown(kStartPanel)) << "the playlist has its rows";
    EXPECT_EQ(L"Kavri Video Player", Title()) << "nothing plays by itself";
    ASSERT_TRUE(Key(L"CTRL+P")) << "Play";
    EXPECT_TRUE(WaitForTitle(L"Clip 2.mp4 - 1/3")) << "the dragged order came back";
    ASSERT_TRUE(Exit());

    // An ".m3u" named on the command line replaces the playlist and plays.
    ASSERT_TRUE(Start({*s_folder + L"\\walk.m3u"}));
    EXPECT_TRUE(WaitForTitle(L"Clip 2.mp4 - 1/3"));
    ASSERT_TRUE(WaitFor([&] { return Plays().size() > nPlaysBefore + 1; }, kTestWaitMs));
    EXPECT_EQ(L"Clip 2.mp4", Plays().back().clip);
}

TEST_F(PlayerWalk, CtrlOAfterAClickIntoTheVideoOpensTheOpenDialog)
{
    ASSERT_TRUE(Start({Clip(L"Clip 1.mp4"), Clip(L"Clip 2.mp4")}));
    ASSERT_TRUE(WaitForTitle(L"Clip 1.mp4 - 1/2"));
    ASSERT_TRUE(Command(kDockPlaylist)) << "side by side";
    ASSERT_TRUE(WaitFor([&] { return Shown(kPlaylistView) && Shown(kDisplayView); }, kTestWaitMs));
    ASSERT_TRUE(Drive({L"click", L"class:KavriVideoPlayer#" + std::to_wstring(kVideoDisplay), L"20", L"20"}));
    ASSERT_TRUE(Key(L"CTRL+O"));
    EXPECT_TRUE(Drive({L"wait", L"Open File(s)", L"20000"})) << "the Open dialog opens";
    Drive({L"key", L"Open File(s)", L"ESC"});
    EXPECT_TRUE(WaitFor([&] { return !FindWindowW(nullptr, L"Open File(s)"); }, kTestWaitMs));
}

TEST_F(PlayerWalk, PlaybackClosedMidwayResumesAtTheNextStart)
{
    ASSERT_TRUE(Start());
    // Settings -> "Resume interrupted playback at startup".
    ASSERT_TRUE(Command(kSettings));
    ASSERT_TRUE(Drive({L"wait", L"Settings", L"20000"}));
    ASSERT_TRUE(Drive({L"click", L"Settings#1009", L"5", L"5"}));
    ASSERT_TRUE(Drive({L"key", L"Settings", L"RETURN"}));
    ASSERT_TRUE(WaitFor([&] { return !FindWindowW(nullptr, L"Settings"); }, kTestWaitMs));
    ASSERT_TRUE(Exit());

    ASSERT_TRUE(Start({Clip(L"Clip 1.mp4"), Clip(L"Clip 2.mp4"), Clip(L"Clip 3.mp4")}));
    ASSERT_TRUE(WaitForTitle(L"Clip 1.mp4 - 1/3"));
    ASSERT_TRUE(Key(L"CTRL+F")) << "Next";
    ASSERT_TRUE(WaitForTitle(L"Clip 2.mp4 - 2/3"));
    ASSERT_TRUE(WaitFor([&] { return Plays().size() == 2; }, kTestWaitMs));
    Sleep(1000);
    ASSERT_TRUE(Key(L"CTRL+RIGHT")) << "10 s on";
    Sleep(2000);
    ASSERT_TRUE(Exit());

    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForTitle(L"Clip 2.mp4 - 2/3")) << "the interrupted clip plays again";
    ASSERT_TRUE(WaitFor([&] { return Plays().size() == 3; }, kTestWaitMs));
    Play resumed = Plays().back();
    EXPECT_EQ(L"Clip 2.mp4", resumed.clip);
    // At least the 10 s sought, short of the clip's end.
    EXPECT_TRUE(resumed.start.compare(0, 6, L"0:00:1") == 0 || resumed.start.compare(0, 6, L"0:00:2") == 0)
        << testing::PrintToString(resumed.start);
}

}  // namespace
