// The real player as its user drives it, for the walk suites: started on a fresh profile with
// update checks off, typed at and clicked through tests/support/UiDriver, closed as its user
// closes it, and looked at through its windows.
#pragma once
#include "tests/support/TestWait.h"
#include "tests/support/ToolTestSupport.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <functional>
#include <string>
#include <vector>

namespace playerwalk {

const wchar_t kFrameClass[] = L"KavriVideoPlayer";
const wchar_t kProfileKey[] = L"Software\\Kavri Helper\\Kavri Video Player";
// Window ids of the frame's panes and controls.
const int kPlaylistView = 10;
const int kDisplayView = 20;
const int kPlaylistCtrl = 100;
const int kVideoDisplay = 200;
const int kStartPanel = 59658;
// Menu commands without a key of their own.
const int kAddFiles = 32775;
const int kSavePlaylist = 32783;
const int kOpenPlaylist = 32784;
const int kDockPlaylist = 32778;
const int kSettings = 32803;
// The common file dialog's file name box.
const int kFileNameBox = 1148;

inline std::wstring DataFolder()
{
    wchar_t appData[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE);
    return std::wstring(appData) + L"\\Kavri Helper\\Kavri Video Player";
}

struct FindChild {
    int id;
    bool visible;
};

inline BOOL CALLBACK FindVisibleChild(HWND hWnd, LPARAM lParam)
{
    auto* find = reinterpret_cast<FindChild*>(lParam);
    if (GetDlgCtrlID(hWnd) == find->id && IsWindowVisible(hWnd)) {
        find->visible = true;
        return FALSE;
    }
    return TRUE;
}

class PlayerProgram : public testing::Test {
protected:
    void SetUp() override { FreshProfile(); }
    void TearDown() override
    {
        if (m_process) {
            if (HWND hFrame = Frame())
                PostMessageW(hFrame, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(m_process, 20000) != WAIT_OBJECT_0)
                TerminateProcess(m_process, 99);
            CloseHandle(m_process);
        }
        FreshProfile();
    }

    // No profile and no data files, as at the first start; update checks off.
    static void FreshProfile()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
        std::wstring data = DataFolder();
        DeleteFileW((data + L"\\Default.playlist").c_str());
        tooltest::RemoveFolder(data + L"\\Temp");
        SetSetting(L"AutoCheckUpdate", 0);
    }
    static void SetSetting(const wchar_t* name, DWORD value)
    {
        std::wstring key = std::wstring(kProfileKey) + L"\\Settings";
        RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, REG_DWORD, &value, sizeof(value));
    }

    // Starts the program with the files as its arguments and waits for its window.
    bool Start(const std::vector<std::wstring>& files = {})
    {
        std::wstring exe = BesideThisProgram(L"..\\bin\\KavriVideoPlayer.exe");
        std::wstring line = tooltest::Quoted(exe);
        for (const std::wstring& file : files)
            line += L" " + tooltest::Quoted(file);
        std::vector<wchar_t> buffer(line.begin(), line.end());
        buffer.push_back(0);
        // The tools' own chatter goes nowhere.
        SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
        HANDLE hNul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                  OPEN_EXISTING, 0, nullptr);
        STARTUPINFOW si = {sizeof(si)};
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = si.hStdOutput = si.hStdError = hNul;
        PROCESS_INFORMATION pi = {};
        BOOL bStarted = CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                                       &pi);
        CloseHandle(hNul);
        if (!bStarted)
            return false;
        CloseHandle(pi.hThread);
        m_process = pi.hProcess;
        m_processId = pi.dwProcessId;
        return WaitFor([&] { return Frame() && IsWindowVisible(Frame()); }, kTestWaitMs);
    }
    // Closes the window as its user does and waits for the program's end.
    bool Exit()
    {
        if (!Drive({L"key", L"class:KavriVideoPlayer", L"ALT+F4"}))
            return false;
        bool bEnded = WaitForSingleObject(m_process, kTestWaitMs) == WAIT_OBJECT_0;
        if (!bEnded)
            TerminateProcess(m_process, 99);  // no hung program outlives the walk
        CloseHandle(m_process);
        m_process = nullptr;
        return bEnded;
    }
    HWND Frame() const
    {
        HWND hWnd = FindWindowW(kFrameClass, nullptr);
        DWORD owner = 0;
        GetWindowThreadProcessId(hWnd, &owner);
        return owner == m_processId ? hWnd : nullptr;
    }
    std::wstring Title() const
    {
        wchar_t text[512] = {};
        GetWindowTextW(Frame(), text, 512);
        return text;
    }
    bool Shown(int id) const
    {
        FindChild find = {id, false};
        if (HWND hFrame = Frame())
            EnumChildWindows(hFrame, &FindVisibleChild, reinterpret_cast<LPARAM>(&find));
        return find.visible;
    }
    // Waits until the window thread has done what it was doing (a save after its dialog closed).
    bool Settled() const
    {
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(Frame(), WM_NULL, 0, 0, SMTO_NORMAL, kTestWaitMs, &result) != 0;
    }
    static bool WaitFor(const std::function<bool()>& done, DWORD ms) { return PumpUntil(done, ms); }
    bool WaitForTitle(const std::wstring& title, DWORD ms = kTestWaitMs)
    {
        return WaitFor([&] { return Title() == title; }, ms);
    }
    // One UiDriver action; true when it succeeded. With output, what it printed lands there.
    static bool Drive(const std::vector<std::wstring>& args, std::string* output = nullptr)
    {
        std::wstring line;
        for (const std::wstring& arg : args)
            line += tooltest::Quoted(arg) + L" ";
        std::wstring file;
        if (output) {
            wchar_t temp[MAX_PATH] = {};
            GetTempPathW(MAX_PATH, temp);
            file = std::wstring(temp) + L"uidriver-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
        }
        tooltest::ProcessRun run = tooltest::RunProgram(BesideThisProgram(L"UiDriver.exe"), line, 30000, file);
        if (output) {
            *output = tooltest::ReadFileBytes(file);
            DeleteFileW(file.c_str());
        }
        return run.finished && run.exitCode == 0;
    }
    static bool Key(const wchar_t* key) { return Drive({L"key", L"class:KavriVideoPlayer", key}); }
    static bool Command(int id) { return Drive({L"command", L"class:KavriVideoPlayer", std::to_wstring(id)}); }

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

    // Types the path into the file dialog of that title, which the command opened, and
    // confirms it (its OK command, which needs no keyboard focus while other walks run); true
    // once the dialog is gone and the window thread answers again.
    bool ChooseInFileDialog(int command, const wchar_t* title, const std::wstring& path)
    {
        return Command(command) && Drive({L"wait", title, L"25000"}) &&
               Drive({L"settext", std::wstring(title) + L"#" + std::to_wstring(kFileNameBox), path}) &&
               Drive({L"command", title, std::to_wstring(IDOK)}) &&
               WaitFor([&] { return !FindWindowW(nullptr, title); }, kTestWaitMs) && Settled();
    }
    // Saves the playlist through the Save Playlist dialog under the name typed.
    bool SavePlaylistAs(const std::wstring& path)
    {
        return ChooseInFileDialog(kSavePlaylist, L"Save Playlist", path) && tooltest::FileExists(path);
    }

    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
};

}  // namespace playerwalk
