// What the tests of the playback tool need besides the tool helpers: an owner window that
// records the tool's events and answers them, a run of ClipRunner.exe that goes on while the
// test works, and the command blocks to send it. Everything runs on the test's thread, which
// pumps its messages while it waits, since the tool's events arrive as sent messages.
#pragma once

#include "mediatools/PlayerStatus.h"
#include "tests/support/TestWait.h"
#include "tests/support/ToolTestSupport.h"

#include <windows.h>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace runnertest {

inline void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

// A program started directly (never through the command interpreter); killed at the end if it
// is still running.
class Process {
public:
    Process(const std::wstring& exe, const std::wstring& args)
    {
        std::wstring line = L"\"" + exe + L"\" " + args;
        std::vector<wchar_t> buffer(line.begin(), line.end());
        buffer.push_back(0);
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info = {};
        if (CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &info)) {
            m_process = info.hProcess;
            CloseHandle(info.hThread);
        }
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process()
    {
        if (!m_process)
            return;
        if (Running()) {
            TerminateProcess(m_process, 99);
            WaitForSingleObject(m_process, 5000);
        }
        CloseHandle(m_process);
    }

    bool Started() const { return m_process != nullptr; }
    bool Running() const { return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT; }
    bool WaitForExit(DWORD ms) const
    {
        return PumpUntil([this] { return !Running(); }, ms);
    }
    DWORD ExitCode() const
    {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(m_process, &code);
        return code;
    }
    void Kill() const { TerminateProcess(m_process, 99); }

private:
    HANDLE m_process = nullptr;
};

struct ReceivedEvent {
    int32_t code;
    int32_t flag;
    uint64_t context;
    PlayerStatus status;
    DWORD tick;
};

// A top-level window with a client area of the given size, standing for the player's video
// host: it records every event block and answers with its stop code (20 once the stop trigger
// has fired, 0 before), as the player's session does.
class OwnerWindow {
public:
    OwnerWindow(int width, int height)
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        windowClass.lpszClassName = L"KavriRunnerOwner";
        RegisterClassW(&windowClass);
        RECT area = {0, 0, width, height};
        AdjustWindowRect(&area, WS_OVERLAPPEDWINDOW, FALSE);
        m_window = CreateWindowExW(0, windowClass.lpszClassName, L"owner", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                                   0, area.right - area.left, area.bottom - area.top, nullptr, nullptr,
                                   windowClass.hInstance, nullptr);
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    ~OwnerWindow() { Destroy(); }

    HWND Handle() const { return m_window; }
    void Destroy()
    {
        if (m_window)
            DestroyWindow(m_window);
        m_window = nullptr;
    }

    int Count(int32_t code) const
    {
        return static_cast<int>(std::count_if(events.begin(), events.end(),
                                              [code](const ReceivedEvent& e) { return e.code == code; }));
    }
    const ReceivedEvent* Last(int32_t code) const
    {
        for (auto it = events.rbegin(); it != events.rend(); ++it)
            if (it->code == code)
                return &*it;
        return nullptr;
    }
    // Waits until count events of the code have arrived.
    bool WaitFor(int32_t code, DWORD ms, int count = 1) const
    {
        return PumpUntil([&] { return Count(code) >= count; }, ms);
    }
    // The codes in arrival order, progress reports left out.
    std::vector<int32_t> CodesWithoutProgress() const
    {
        std::vector<int32_t> codes;
        for (const ReceivedEvent& e : events)
            if (e.code != PLAYER_EVENT_PROGRESS)
                codes.push_back(e.code);
        return codes;
    }

    std::vector<ReceivedEvent> events;
    int32_t stopOn = 0;  // the first event of this code (and every one after) is answered 20
    int malformed = 0;   // WM_COPYDATA that was no event block

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<OwnerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message != WM_COPYDATA || !self)
            return DefWindowProcW(window, message, wParam, lParam);
        return self->Take(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    }

    LRESULT Take(const COPYDATASTRUCT& data)
    {
        if (data.dwData != PLAYER_MSG_EVENT || data.cbData != sizeof(PlayerEventBlock)) {
            ++malformed;
            return -1;
        }
        PlayerEventBlock block;
        memcpy(&block, data.lpData, sizeof(block));
        events.push_back({block.Event, block.Flag, block.Context, block.Status, GetTickCount()});
        if (block.Event == stopOn)
            m_stopping = true;
        return m_stopping ? PLAYER_CMD_STOP : 0;
    }

    HWND m_window = nullptr;
    bool m_stopping = false;
};

// Sends a raw WM_COPYDATA to the tool's window and returns the reply (-2 when the call fails).
inline LRESULT SendBlock(uint64_t toolWindow, ULONG_PTR code, const void* data, DWORD size)
{
    COPYDATASTRUCT copy = {code, size, const_cast<void*>(data)};
    DWORD_PTR reply = 0;
    HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(toolWindow));
    if (!SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), SMTO_NORMAL, 5000, &reply))
        return -2;
    return static_cast<LRESULT>(reply);
}

// A command block as the player's session sends it: to the window and with the context that
// the tool reported in its status.
inline LRESULT SendCommand(const PlayerStatus& status, int32_t command, int64_t first = 0, int64_t second = 0)
{
    PlayerCommandBlock block = {};
    block.ToolContext = status.ToolContext;
    block.Command = command;
    block.Argument1 = first;
    block.Argument2 = second;
    return SendBlock(status.ToolWindow, PLAYER_MSG_COMMAND, &block, sizeof(block));
}

// Writes a test file of the given bytes; false when it cannot be written whole.
inline bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    CloseHandle(file);
    return ok;
}

// Sets an environment variable for the tools this test starts, and clears it again.
class ScopedEnvironment {
public:
    ScopedEnvironment(const wchar_t* name, const wchar_t* value) : m_name(name)
    {
        SetEnvironmentVariableW(name, value);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() { SetEnvironmentVariableW(m_name, nullptr); }

private:
    const wchar_t* m_name;
};

}  // namespace runnertest
