// The conversion tool as its user walks it: the real program on a fresh profile, its sources
// chosen through "Choose..." and the file dialog, its format and preset lists, Start, and the
// format manager, driven from outside through tests/support/UiDriver and read through the
// windows' own texts. Each page picks a format and a preset other than its first, chooses a
// source, converts it for real (media made here by the built ffmpeg.exe) and the output is
// probed. The format manager deletes and edits presets and is closed by each of its three ways
// (Close, the close box, Escape); the pages offer what the table holds after each.
#include "mediatools/CMediaInfo.h"
#include "mediatools/MediaToolLocation.h"
#include "tests/support/TestWait.h"
#include "tests/support/ToolTestSupport.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

const wchar_t kTitle[] = L"Kavri Media Fetcher";
const wchar_t kManager[] = L"Video & Audio Formats";
const wchar_t kProfileKey[] = L"Software\\Kavri Helper\\Kavri Media Fetcher";
const int kToolTabs = 59399;
const int kFormatsCommand = 32803;
// The common file dialog's file name box.
const int kFileNameBox = 1148;
// Page controls.
const int kFormatList = 1010;
const int kPresetList = 1204;
const int kSource = 1213;
const int kChooseSource = 1147;
const int kDestination = 1021;
const int kStart = 1039;
const int kProgress = 1299;
const int kChangeVolume = 1233;
const int kOutputName = 1157;
// The format manager's list and buttons.
const int kManagerList = 1204;
const int kDeletePreset = 1359;
const int kEditPreset = 1360;
const int kResetPresets = 1279;
const int kPresetName = 1344;

enum Tool { Merge, M3u8, Concatenate, VideoToMp3, Convert };

std::wstring DataFolder()
{
    wchar_t appData[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE);
    return std::wstring(appData) + L"\\Kavri Helper\\Kavri Media Fetcher";
}

std::wstring WindowText(HWND hWnd)
{
    wchar_t text[1024] = {};
    SendMessageTimeoutW(hWnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

// The left part of a two-column row ("H.264 - 360p" of "H.264 - 360p<TAB>480 x 360").
std::wstring LeftColumn(const std::wstring& text)
{
    return text.substr(0, text.find(L'\t'));
}

struct FindVisible {
    int id;
    HWND hFound;
};

BOOL CALLBACK FindVisibleProc(HWND hWnd, LPARAM lParam)
{
    auto* pFind = reinterpret_cast<FindVisible*>(lParam);
    if (GetDlgCtrlID(hWnd) != pFind->id || !IsWindowVisible(hWnd))
        return TRUE;
    pFind->hFound = hWnd;
    return FALSE;
}

// The first (visible) file in the folder; empty when there is none.
std::wstring OnlyFileIn(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE hFind = FindFirstFileW((folder + L"\\*").c_str(), &found);
    std::wstring path;
    if (hFind == INVALID_HANDLE_VALUE)
        return path;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            path = folder + L"\\" + found.cFileName;
            break;
        }
    } while (FindNextFileW(hFind, &found));
    FindClose(hFind);
    return path;
}

class ConversionWalk : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = new std::wstring(tooltest::MakeTempFolder(L"kavri conversion walk"));
        s_made = tooltest::MakeMedia(Media(L"clip.mp4"), tooltest::kClipH264Aac) &&
                 tooltest::MakeMedia(Media(L"picture.mp4"),
                                     L"-f lavfi -i testsrc=duration=4:size=320x240:rate=25 "
                                     L"-c:v libx264 -pix_fmt yuv420p -f mp4") &&
                 tooltest::MakeMedia(Media(L"tone.wav"), tooltest::kToneWav) &&
                 tooltest::MakeMedia(Media(L"seg1.ts"),
                                     L"-f lavfi -i testsrc=duration=2:size=160x120:rate=25 "
                                     L"-c:v libx264 -pix_fmt yuv420p -f mpegts") &&
                 tooltest::MakeMedia(Media(L"seg2.ts"),
                                     L"-f lavfi -i testsrc=duration=3:size=160x120:rate=25 "
                                     L"-c:v libx264 -pix_fmt yuv420p -f mpegts") &&
                 tooltest::MakeMedia(Media(L"stream.m3u8"),
                                     L"-f lavfi -i testsrc=duration=6:size=160x120:rate=25 "
                                     L"-c:v libx264 -pix_fmt yuv420p -g 25 -f hls -hls_time 2 "
                                     L"-hls_list_size 0");
    }
    static void TearDownTestSuite()
    {
        tooltest::RemoveFolder(*s_folder);
        delete s_folder;
    }
    static std::wstring Media(const wchar_t* name) { return *s_folder + L"\\" + name; }

    void SetUp() override
    {
        ASSERT_TRUE(s_made) << "test media could not be made with ffmpeg.exe";
        LocateMediaTools(tooltest::ToolFolder().c_str());
        FreshProfile();
    }
    void TearDown() override
    {
        if (m_process) {
            if (HWND hFrame = Frame())
                PostMessageW(hFrame, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(m_process, 20000) != WAIT_OBJECT_0)
                TerminateProcess(m_process, 99);
            CloseHandle(m_process);
        }
        for (const std::wstring& folder : m_outputs)
            tooltest::RemoveFolder(folder);
        FreshProfile();
    }

    // No profile and no format file, as at the first start; update checks off.
    static void FreshProfile()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
        tooltest::RemoveFolder(DataFolder());
        DWORD off = 0;
        std::wstring key = std::wstring(kProfileKey) + L"\\Settings";
        RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"AutoCheckUpdate", REG_DWORD, &off, sizeof(off));
    }

    bool Start()
    {
        std::wstring exe = BesideThisProgram(L"..\\bin\\KavriMediaFetcher.exe");
        std::wstring line = tooltest::Quoted(exe);
        STARTUPINFOW si = {sizeof(si)};
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return false;
        CloseHandle(pi.hThread);
        m_process = pi.hProcess;
        m_processId = pi.dwProcessId;
        return PumpUntil([&] { return Frame() && IsWindowVisible(Frame()); }, kTestWaitMs);
    }
    HWND Frame() const { return TopWindow(kTitle); }
    // The program's visible top-level window of that title.
    HWND TopWindow(const wchar_t* title) const
    {
        for (HWND hWnd = FindWindowW(nullptr, title); hWnd; hWnd = FindWindowExW(nullptr, hWnd, nullptr, title)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(hWnd, &owner);
            if (owner == m_processId && IsWindowVisible(hWnd))
                return hWnd;
        }
        return nullptr;
    }
    // The visible control of the frame (the page on show) with the id.
    HWND Control(int id, const wchar_t* top = kTitle) const
    {
        FindVisible find = {id, nullptr};
        if (HWND hTop = TopWindow(top))
            EnumChildWindows(hTop, &FindVisibleProc, reinterpret_cast<LPARAM>(&find));
        return find.hFound;
    }
    std::wstring Text(int id, const wchar_t* top = kTitle) const { return WindowText(Control(id, top)); }
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    // Waits until the window thread has handled what came before.
    bool Settled() const
    {
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(Frame(), WM_NULL, 0, 0, SMTO_NORMAL, kTestWaitMs, &result) != 0;
    }

    // One UiDriver action; true when it succeeded.
    static bool Drive(const std::vector<std::wstring>& args)
    {
        std::wstring line;
        for (const std::wstring& arg : args)
            line += tooltest::Quoted(arg) + L" ";
        tooltest::ProcessRun run = tooltest::RunProgram(BesideThisProgram(L"UiDriver.exe"), line, 30000);
        return run.finished && run.exitCode == 0;
    }
    static std::wstring Target(const wchar_t* top, int id) { return std::wstring(top) + L"#" + std::to_wstring(id); }
    static bool Click(const wchar_t* top, int id, int x = 8, int y = 8)
    {
        return Drive({L"click", Target(top, id), std::to_wstring(x), std::to_wstring(y)});
    }
    static bool Key(const wchar_t* top, const wchar_t* key) { return Drive({L"key", top, key}); }

    // The tab of the tool, stepped to with the arrow keys as on the tab strip.
    bool ShowTool(Tool tool)
    {
        HWND hTabs = Control(kToolTabs);
        auto current = [hTabs] { return static_cast<int>(SendMessageW(hTabs, TCM_GETCURSEL, 0, 0)); };
        while (hTabs && current() != tool) {
            int before = current();
            PostMessageW(hTabs, WM_KEYDOWN, before < tool ? VK_RIGHT : VK_LEFT, 1);
            if (!PumpUntil([&] { return current() != before; }, kTestWaitMs))
                return false;
        }
        return hTabs && Settled();
    }

    // The rows of a combo box of the page on show.
    std::vector<std::wstring> Rows(int id) const
    {
        HWND hCombo = Control(id);
        std::vector<std::wstring> rows;
        int count = static_cast<int>(SendMessageW(hCombo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; i++) {
            std::wstring text(SendMessageW(hCombo, CB_GETLBTEXTLEN, i, 0) + 1, L'\0');
            text.resize(SendMessageW(hCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0])));
            rows.push_back(text);
        }
        return rows;
    }
    std::vector<std::wstring> RowNames(int id) const
    {
        std::vector<std::wstring> names;
        for (const std::wstring& row : Rows(id))
            names.push_back(LeftColumn(row));
        return names;
    }
    bool Offers(int id, const std::wstring& name) const
    {
        std::vector<std::wstring> names = RowNames(id);
        return std::find(names.begin(), names.end(), name) != names.end();
    }
    // The chosen row's left column.
    std::wstring Chosen(int id) const { return LeftColumn(Text(id)); }
    // Chooses the row of that name as a click into the open list does.
    bool Choose(int id, const std::wstring& name)
    {
        std::vector<std::wstring> names = RowNames(id);
        auto at = std::find(names.begin(), names.end(), name);
        if (at == names.end())
            return false;
        HWND hCombo = Control(id);
        SendMessageW(hCombo, CB_SETCURSEL, at - names.begin(), 0);
        DWORD_PTR result = 0;
        SendMessageTimeoutW(GetParent(hCombo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(hCombo), SMTO_NORMAL, kTestWaitMs, &result);
        return Chosen(id) == name;
    }
    // Picks the file in the open-file dialog that the button opens, as typed into its name box.
    bool ChooseFile(int button, const wchar_t* dialog, const std::wstring& path)
    {
        return Click(kTitle, button) && Drive({L"wait", dialog, L"20000"}) &&
               Drive({L"settext", Target(dialog, kFileNameBox), path}) && Key(dialog, L"RETURN") &&
               PumpUntil([&] { return !TopWindow(dialog); }, kTestWaitMs);
    }
    // A fresh output folder, typed into the destination.
    std::wstring NewDestination(const wchar_t* name)
    {
        std::wstring folder = *s_folder + L"\\" + name;
        CreateDirectoryW(folder.c_str(), nullptr);
        m_outputs.push_back(folder);
        return Drive({L"settext", Target(kTitle, kDestination), folder}) ? folder : L"";
    }
    // Start, then the end of the run: the progress text of the run's last state.
    std::wstring Run()
    {
        if (!Click(kTitle, kStart, 20, 10))
            return L"Start not clicked";
        std::wstring text;
        PumpUntil(
            [&] {
                text = Text(kProgress);
                return text.rfind(L"Completed", 0) == 0 || text.rfind(L"Failed", 0) == 0;
            },
            180000);
        return text;
    }
    static CMediaInfo Probe(const std::wstring& path)
    {
        CMediaInfo info;
        EXPECT_EQ(0, info.Probe(path.c_str(), nullptr)) << testing::PrintToString(path);
        return info;
    }

    // The format manager opened from the menu command, as the user opens it.
    bool OpenManager()
    {
        return Drive({L"command", kTitle, std::to_wstring(kFormatsCommand)}) &&
               PumpUntil([&] { return TopWindow(kManager) != nullptr; }, kTestWaitMs);
    }
    // The preset row of the manager's list: a click into the list, then Home and Down.
    bool SelectManagerRow(int row)
    {
        if (!Click(kManager, kManagerList, 40, 30) || !Drive({L"key", kManager, L"HOME"}))
            return false;
        for (int i = 0; i < row; i++) {
            if (!Drive({L"key", kManager, L"DOWN"}))
                return false;
        }
        return true;
    }
    bool ManagerClosed()
    {
        return PumpUntil([&] { return !TopWindow(kManager); }, kTestWaitMs) && Settled();
    }
    // The control of the manager that has the keyboard; null when none has.
    HWND ManagerFocus() const
    {
        GUITHREADINFO info = {sizeof(info)};
        HWND hManager = TopWindow(kManager);
        GetGUIThreadInfo(GetWindowThreadProcessId(hManager, nullptr), &info);
        return info.hwndFocus && IsChild(hManager, info.hwndFocus) ? info.hwndFocus : nullptr;
    }

    static std::wstring* s_folder;
    static bool s_made;
    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
    std::vector<std::wstring> m_outputs;
};

std::wstring* ConversionWalk::s_folder = nullptr;
bool ConversionWalk::s_made = false;

// Each page with a format and preset other than its first, a source chosen through its file
// dialog, a real run, and the output probed. The choice survives the source's choice.
TEST_F(ConversionWalk, EachPageConvertsWithTheFormatAndPresetPicked)
{
    ASSERT_TRUE(Start());

    // "Convert video or audio": MP4 at 360p. Animated GIF has no sound to change.
    ASSERT_TRUE(ShowTool(Convert));
    ASSERT_TRUE(Choose(kFormatList, L"Animated GIF"));
    EXPECT_FALSE(Enabled(kChangeVolume));
    ASSERT_TRUE(Choose(kFormatList, L"MP4"));
    EXPECT_TRUE(Enabled(kChangeVolume));
    ASSERT_TRUE(Choose(kPresetList, L"H.264 - 360p"));
    ASSERT_TRUE(ChooseFile(kChooseSource, L"Choose Source File", Media(L"clip.mp4")));
    EXPECT_TRUE(PumpUntil([&] { return Text(kSource) == Media(L"clip.mp4"); }, kTestWaitMs));
    ASSERT_TRUE(Settled());
    EXPECT_EQ(L"MP4", Chosen(kFormatList));
    EXPECT_EQ(L"H.264 - 360p", Chosen(kPresetList));
    EXPECT_TRUE(Enabled(kChangeVolume));
    std::wstring out = NewDestination(L"convert");
    EXPECT_EQ(L"Completed.", Run());
    {
        std::wstring output = OnlyFileIn(out);
        EXPECT_EQ(out + L"\\clip.mp4", output);
        CMediaInfo info = Probe(output);
        ASSERT_EQ(1, info.VideoStreams.GetSize());
        EXPECT_EQ(360, info.VideoStreams[0]->Height);
        EXPECT_EQ(1, info.AudioStreams.GetSize());
    }

    // "Video to MP3": AAC at its low quality, from a video with sound.
    ASSERT_TRUE(ShowTool(VideoToMp3));
    ASSERT_TRUE(Choose(kFormatList, L"AAC"));
    ASSERT_TRUE(Choose(kPresetList, L"Low Quality"));
    ASSERT_TRUE(ChooseFile(kChooseSource, L"Choose Source File", Media(L"clip.mp4")));
    EXPECT_TRUE(PumpUntil([&] { return Text(kSource) == Media(L"clip.mp4"); }, kTestWaitMs));
    ASSERT_TRUE(Settled());
    EXPECT_EQ(L"AAC", Chosen(kFormatList));
    EXPECT_EQ(L"Low Quality", Chosen(kPresetList));
    out = NewDestination(L"extract");
    EXPECT_EQ(L"Completed.", Run());
    {
        std::wstring output = OnlyFileIn(out);
        EXPECT_EQ(out + L"\\clip.aac", output);
        CMediaInfo info = Probe(output);
        EXPECT_EQ(0, info.VideoStreams.GetSize());
        ASSERT_EQ(1, info.AudioStreams.GetSize());
        EXPECT_STREQ(L"aac", info.AudioStreams[0]->Codec);
    }

    // "M3U8 to MP4": an HLS playlist into MKV at 240p.
    ASSERT_TRUE(ShowTool(M3u8));
    ASSERT_TRUE(Choose(kFormatList, L"MKV"));
    ASSERT_TRUE(Choose(kPresetList, L"H.264 - 240p"));
    ASSERT_TRUE(ChooseFile(kChooseSource, L"Choose Source File", Media(L"stream.m3u8")));
    EXPECT_TRUE(PumpUntil([&] { return Text(kSource) == Media(L"stream.m3u8"); }, kTestWaitMs));
    ASSERT_TRUE(Settled());
    EXPECT_EQ(L"MKV", Chosen(kFormatList));
    EXPECT_EQ(L"H.264 - 240p", Chosen(kPresetList));
    out = NewDestination(L"hls");
    EXPECT_EQ(L"Completed.", Run());
    {
        std::wstring output = OnlyFileIn(out);
        EXPECT_EQ(out + L"\\stream.mkv", output);
        CMediaInfo info = Probe(output);
        ASSERT_EQ(1, info.VideoStreams.GetSize());
        EXPECT_EQ(240, info.VideoStreams[0]->Height);
        EXPECT_NEAR(6.0, info.DurationInUs / 1e6, 0.3);
    }

    // "Merge video and audio": a picture without sound and a tone, under a name of one's own.
    ASSERT_TRUE(ShowTool(Merge));
    ASSERT_TRUE(ChooseFile(1534, L"Choose Source Video File", Media(L"picture.mp4")));
    ASSERT_TRUE(PumpUntil([&] { return Text(1533) == Media(L"picture.mp4"); }, kTestWaitMs));
    ASSERT_TRUE(ChooseFile(1048, L"Choose Source Audio File", Media(L"tone.wav")));
    ASSERT_TRUE(PumpUntil([&] { return Text(1060) == Media(L"tone.wav"); }, kTestWaitMs));
    out = NewDestination(L"merge");
    ASSERT_TRUE(Drive({L"settext", Target(kTitle, kOutputName), L"merged"}));
    EXPECT_EQ(L"Completed.", Run());
    {
        std::wstring output = OnlyFileIn(out);
        EXPECT_EQ(L"merged", output.substr(out.size() + 1, 6));
        CMediaInfo info = Probe(output);
        EXPECT_EQ(1, info.VideoStreams.GetSize());
        EXPECT_EQ(1, info.AudioStreams.GetSize());
    }

    // "Concatenate segments": two segments added through "Add Files..." in the wrong order;
    // Auto Sort puts them right and names the output.
    ASSERT_TRUE(ShowTool(Concatenate));
    ASSERT_TRUE(ChooseFile(1053, L"Add Files", Media(L"seg2.ts")));
    ASSERT_TRUE(ChooseFile(1053, L"Add Files", Media(L"seg1.ts")));
    EXPECT_TRUE(PumpUntil([&] { return Text(kOutputName) == L"seg"; }, kTestWaitMs));
    out = NewDestination(L"concat");
    EXPECT_EQ(L"Completed.", Run());
    {
        CMediaInfo info = Probe(OnlyFileIn(out));
        EXPECT_NEAR(5.0, info.DurationInUs / 1e6, 0.3);
    }
}

// The format manager closed by each of its ways keeps what it did, and every page offers the
// table as it is: a deleted preset is gone, an edited one renamed, a reset one back.
TEST_F(ConversionWalk, PagesOfferWhatTheFormatManagerLeftHoweverItCloses)
{
    ASSERT_TRUE(Start());
    // Two pages made, the convert page holding a preset of MP4, the first format.
    ASSERT_TRUE(ShowTool(M3u8));
    ASSERT_TRUE(ShowTool(Convert));
    ASSERT_EQ(L"MP4", Chosen(kFormatList));
    ASSERT_TRUE(Choose(kPresetList, L"H.264 - 360p"));
    auto offeredEverywhere = [&](const wchar_t* name) {
        bool convert = Offers(kPresetList, name);
        bool m3u8 = ShowTool(M3u8) && Offers(kPresetList, name);
        return ShowTool(Convert) && convert && m3u8;
    };
    auto offeredNowhere = [&](const wchar_t* name) {
        bool convert = Offers(kPresetList, name);
        bool m3u8 = ShowTool(M3u8) && Offers(kPresetList, name);
        return ShowTool(Convert) && !convert && !m3u8;
    };
    ASSERT_TRUE(offeredEverywhere(L"H.264 - 240p"));

    // Close: "H.264 - 240p" deleted.
    ASSERT_TRUE(OpenManager());
    ASSERT_TRUE(SelectManagerRow(1));
    ASSERT_TRUE(Click(kManager, kDeletePreset));
    ASSERT_TRUE(Click(kManager, IDOK));
    ASSERT_TRUE(ManagerClosed());
    EXPECT_TRUE(offeredNowhere(L"H.264 - 240p"));
    EXPECT_EQ(L"H.264 - 360p", Chosen(kPresetList));

    // The close box: the page's own preset renamed.
    ASSERT_TRUE(OpenManager());
    ASSERT_TRUE(SelectManagerRow(1));
    ASSERT_TRUE(Click(kManager, kEditPreset));
    ASSERT_TRUE(Drive({L"wait", L"Preset", L"20000"}));
    ASSERT_TRUE(Drive({L"settext", Target(L"Preset", kPresetName), L"Walk 360p"}));
    ASSERT_TRUE(Click(L"Preset", IDOK));
    ASSERT_TRUE(PumpUntil([&] { return !TopWindow(L"Preset"); }, kTestWaitMs));
    ASSERT_TRUE(Drive({L"post", kManager, std::to_wstring(WM_SYSCOMMAND), std::to_wstring(SC_CLOSE), L"0"}));
    ASSERT_TRUE(ManagerClosed());
    EXPECT_TRUE(offeredEverywhere(L"Walk 360p"));
    EXPECT_TRUE(offeredNowhere(L"H.264 - 360p"));
    EXPECT_EQ(L"Walk 360p", Chosen(kPresetList));

    // Escape, right after a delete: the keys still reach the dialog.
    ASSERT_TRUE(OpenManager());
    ASSERT_TRUE(SelectManagerRow(2));
    ASSERT_TRUE(Click(kManager, kDeletePreset));
    EXPECT_TRUE(PumpUntil([&] { return ManagerFocus() != nullptr; }, kTestWaitMs));
    ASSERT_TRUE(Key(kManager, L"ESC"));
    ASSERT_TRUE(ManagerClosed());
    EXPECT_TRUE(offeredNowhere(L"H.264 - 480p"));

    // Reset of the format the pages hold a preset of: the built-in presets come back, and the
    // page takes one of them.
    ASSERT_TRUE(OpenManager());
    ASSERT_TRUE(Click(kManager, kResetPresets));
    // A refusal's message box would take this Escape, and the manager would stay.
    ASSERT_TRUE(Key(kManager, L"ESC"));
    ASSERT_TRUE(ManagerClosed()) << "the reset was refused";
    for (const wchar_t* name : {L"H.264 - 240p", L"H.264 - 360p", L"H.264 - 480p"})
        EXPECT_TRUE(offeredEverywhere(name)) << testing::PrintToString(std::wstring(name));
    EXPECT_TRUE(offeredNowhere(L"Walk 360p"));
    EXPECT_TRUE(Offers(kPresetList, Chosen(kPresetList)));
}

}  // namespace
