// The real player closed while one of its boxes is up, and a missing playlist entry met while
// another clip plays, driven as in PlayerWalkTest: the program must end by itself without a
// fault and keep its settings and playlist; the missing entry must leave the playing clip's
// caption alone.
#include "tests/player/PlayerWalk.h"
#include <fstream>

namespace {

using namespace playerwalk;

const int kAppExit = 57665;
const int kAppAbout = 57664;
const int kOpenFiles = 32821;
const int kOpenFolder = 32822;
const int kOpenUrl = 32829;
const int kAddUrls = 32772;
const int kMediaInfo = 32806;
const int kMute = 32802;
const int kNext = 32776;
// The "File Associations" page's "Add..." button.
const int kAddFileType = 1013;

struct FindBox {
    DWORD processId;
    std::wstring text;  // a caption or a text inside the box; empty: any box
    HWND hFound;
};

bool HasText(HWND hWnd, const std::wstring& text)
{
    wchar_t buffer[512] = {};
    GetWindowTextW(hWnd, buffer, 512);
    return std::wstring(buffer).find(text) != std::wstring::npos;
}

BOOL CALLBACK FindTextChild(HWND hWnd, LPARAM lParam)
{
    auto* find = reinterpret_cast<FindBox*>(lParam);
    if (HasText(hWnd, find->text)) {
        find->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

// Dialogs, message boxes, property sheets and file dialogs are all of the dialog class.
BOOL CALLBACK FindBoxWindow(HWND hWnd, LPARAM lParam)
{
    auto* find = reinterpret_cast<FindBox*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hWnd, &owner);
    wchar_t className[16] = {};
    GetClassNameW(hWnd, className, 16);
    if (owner != find->processId || wcscmp(className, L"#32770") != 0 || !IsWindowVisible(hWnd) ||
        !IsWindowEnabled(hWnd))
        return TRUE;
    FindBox inside = {find->processId, find->text, nullptr};
    if (find->text.empty() || HasText(hWnd, find->text) ||
        (EnumChildWindows(hWnd, &FindTextChild, reinterpret_cast<LPARAM>(&inside)), inside.hFound)) {
        find->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

class PlayerCloseWalk : public PlayerWalk {
protected:
    // The box of the program that takes input now and shows the text (in its caption or
    // inside), null when there is none.
    HWND Box(const std::wstring& text = L"") const
    {
        FindBox find = {m_processId, text, nullptr};
        EnumWindows(&FindBoxWindow, reinterpret_cast<LPARAM>(&find));
        return find.hFound;
    }
    bool WaitForBox(const std::wstring& text) const
    {
        return WaitFor([&] { return Box(text) != nullptr; }, kTestWaitMs);
    }
    static bool BoxDriven(const std::wstring& caption, const std::vector<std::wstring>& action)
    {
        std::vector<std::wstring> args = {action[0], caption};
        args.insert(args.end(), action.begin() + 1, action.end());
        return Drive(args);
    }

    // Closes the program by a posted WM_CLOSE or the exit command; true when it ended by
    // itself, with exit code 0.
    bool CloseAndWaitForTheEnd(bool bExitCommand)
    {
        HWND hFrame = Frame();
        if (!hFrame)
            return false;
        if (bExitCommand)
            PostMessageW(hFrame, WM_COMMAND, kAppExit, 0);
        else
            PostMessageW(hFrame, WM_CLOSE, 0, 0);
        bool bEnded = WaitForSingleObject(m_process, kTestWaitMs) == WAIT_OBJECT_0;
        DWORD exitCode = 1;
        GetExitCodeProcess(m_process, &exitCode);
        if (!bEnded)
            TerminateProcess(m_process, 99);
        CloseHandle(m_process);
        m_process = nullptr;
        EXPECT_EQ(0u, exitCode) << "the program's exit code (0xC0000005 is a page fault)";
        return bEnded && exitCode == 0;
    }

    static DWORD Setting(const wchar_t* name)
    {
        std::wstring key = std::wstring(kProfileKey) + L"\\Settings";
        DWORD value = 0, size = sizeof(value);
        if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
            ERROR_SUCCESS)
            return 0xFFFFFFFF;
        return value;
    }

    // An ".m3u" of the entries, one path a line.
    static std::wstring WriteM3u(const wchar_t* name, const std::vector<std::wstring>& entries)
    {
        std::wstring path = *s_folder + L"\\" + name;
        std::ofstream out(path.c_str(), std::ios::binary);
        for (const std::wstring& entry : entries)
            out << std::string(entry.begin(), entry.end()) << "\r\n";  // the folder's name is ASCII
        return path;
    }
    static std::wstring Missing() { return *s_folder + L"\\Gone.mp4"; }
};

// Each box the player shows, opened as its user opens it, and the program closed under it in
// both ways. The exit saves the mute set before and the playlist started with.
TEST_F(PlayerCloseWalk, AClosingUnderAnyBoxEndsTheProgramAndKeepsWhatItSaves)
{
    using Steps = std::vector<std::vector<std::wstring>>;
    const std::wstring frame = L"class:KavriVideoPlayer";
    const std::wstring missingText = L"File does not exist.";
    auto command = [&](int id) { return std::vector<std::wstring>{L"command", frame, std::to_wstring(id)}; };
    struct Case {
        const char* name;
        std::vector<std::wstring> clips;  // the playlist; an empty name is a missing entry
        Steps open;                       // the user's steps to the box
        std::wstring box;                 // a text of the box that shows then
    } cases[] = {
        {"the missing entry that a clip plays on into", {L"Short 1.mp4", L"", L"Short 2.mp4"}, {}, missingText},
        {"the missing entry chosen by Next", {L"Clip 1.mp4", L"", L"Clip 2.mp4"}, {command(kNext)}, missingText},
        {"Open File(s)", {L"Clip 1.mp4", L"Clip 2.mp4"}, {command(kOpenFiles)}, L"Open File(s)"},
        {"Open Folder", {L"Clip 1.mp4", L"Clip 2.mp4"}, {command(kOpenFolder)}, L"Open Folder"},
        {"Open URL", {L"Clip 1.mp4", L"Clip 2.mp4"}, {command(kOpenUrl)}, L"Open URL"},
        {"Add URLs", {L"Clip 1.mp4", L"Clip 2.mp4"}, {command(kAddUrls)}, L"Add URLs"},
        {"Save Playlist", {L"Clip 1.mp4", L"Clip 2.mp4"}, {command(kSavePlaylist)}, L"Save Playlist"},
        {"Media Info", {L"Clip 1.mp4", L"Clip 2.mp4"}, {command(kMediaInfo)}, L""},
        {"About", {L"Clip 1.mp4", L"Clip 2.mp4"}, {command(kAppAbout)}, L"About"},
        {"Settings", {L"Clip 1.mp4", L"Clip 2.mp4"}, {command(kSettings)}, L"Settings"},
        {"a warning over File Type over Settings",
         {L"Clip 1.mp4", L"Clip 2.mp4"},
         {command(kSettings),
          {L"wait", L"Settings", L"20000"},
          {L"key", L"Settings", L"CTRL+TAB"},
          {L"click", L"Settings#" + std::to_wstring(kAddFileType), L"20", L"10"},
          {L"wait", L"File Type", L"20000"},
          {L"key", L"File Type", L"RETURN"}},
         L"Please enter a file extension"},
    };
    for (const Case& c : cases) {
        for (bool bExitCommand : {false, true}) {
            std::string name = std::string(c.name) + (bExitCommand ? ", the exit command" : ", WM_CLOSE");
            FreshProfile();
            std::vector<std::wstring> entries;
            for (const std::wstring& clip : c.clips)
                entries.push_back(clip.empty() ? Missing() : Clip(clip.c_str()));
            ASSERT_TRUE(Start({WriteM3u(L"close.m3u", entries)})) << name;
            std::wstring first = c.clips[0] + L" - 1/" + std::to_wstring(c.clips.size());
            ASSERT_TRUE(WaitForTitle(first)) << name << ": the first clip plays";
            ASSERT_TRUE(Command(kMute)) << name;
            for (const std::vector<std::wstring>& step : c.open)
                ASSERT_TRUE(Drive(step)) << name;
            ASSERT_TRUE(WaitForBox(c.box)) << name << ": the box shows";
            EXPECT_TRUE(CloseAndWaitForTheEnd(bExitCommand)) << name << ": the program ended by itself";
            EXPECT_EQ(1u, Setting(L"Mute")) << name << ": the settings were saved";
            std::string saved = tooltest::ReadFileBytes(DataFolder() + L"\\Default.playlist");
            std::wstring last = c.clips.back();
            EXPECT_NE(std::string::npos, saved.find(std::string(last.begin(), last.end())))
                << name << ": the playlist was saved";
        }
    }
}

// Next to a missing entry while a clip plays: the box says so, the clip plays on under its own
// caption, and the playlist shows.
TEST_F(PlayerCloseWalk, AMissingEntryLeavesThePlayingClipItsCaption)
{
    ASSERT_TRUE(Start({WriteM3u(L"missing.m3u", {Clip(L"Clip 1.mp4"), Missing(), Clip(L"Clip 2.mp4")})}));
    ASSERT_TRUE(WaitForTitle(L"Clip 1.mp4 - 1/3"));
    // Next is on once the tool plays: the user presses it again until it is.
    ASSERT_TRUE(WaitFor([&] { return Key(L"CTRL+F") && WaitFor([&] { return Box() != nullptr; }, 2000); }, kTestWaitMs))
        << "Next";
    ASSERT_TRUE(WaitForBox(L"File does not exist."));
    EXPECT_EQ(L"Clip 1.mp4 - 1/3", Title()) << "while the box is up";
    // The box bears the program's name; the caption the clip's.
    ASSERT_TRUE(Drive({L"key", L"Kavri Video Player", L"RETURN"}));
    ASSERT_TRUE(WaitFor([&] { return Box() == nullptr; }, kTestWaitMs));
    EXPECT_TRUE(Settled());
    EXPECT_EQ(L"Clip 1.mp4 - 1/3", Title()) << "after the box";
    EXPECT_TRUE(WaitFor([&] { return Shown(kPlaylistCtrl); }, kTestWaitMs)) << "the playlist shows";
    EXPECT_EQ(std::vector<std::wstring>{L"Clip 1.mp4"}, PlayedClips()) << "nothing else started";
    EXPECT_EQ(1u, tooltest::ChildProcesses(m_processId, L"ClipRunner.exe").size()) << "Clip 1 plays on";
}

}  // namespace
