// Helpers for tests of the external tools: the tool folder of the build, running a program
// directly (pumping this thread's messages meanwhile), a temporary folder, and test media made
// on the spot by the built ffmpeg.exe.
#pragma once

#include <windows.h>
#include <tlhelp32.h>
#include <algorithm>
#include <string>
#include <vector>
#include "tests/support/SuitePaths.h"

namespace tooltest {

// Test suites sit in build/tests, the tool folder in build/bin/Components.
inline std::wstring ToolFolder()
{
    return BesideThisProgram(L"..\\bin\\Components");
}

inline std::wstring ToolPath(const wchar_t* name)
{
    return ToolFolder() + L"\\" + name;
}

inline std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

inline bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline long long FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

inline std::string ReadFileBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

// Writes a test file of the given bytes; false when it cannot be written whole.
inline bool WriteFileBytes(const std::wstring& path, const std::string& bytes)
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

// The names of the files and folders in a folder, sorted, '|' between them.
inline std::wstring FolderListing(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name != L"." && name != L"..")
                names.push_back(name);
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    std::sort(names.begin(), names.end());
    std::wstring listing;
    for (const std::wstring& name : names)
        listing += (listing.empty() ? L"" : L"|") + name;
    return listing;
}

// A fresh folder under the temporary folder, with a blank and an ampersand in its name so
// that every path the tools get needs quoting.
inline std::wstring MakeTempFolder(const wchar_t* prefix)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + prefix + L" & " + std::to_wstring(GetCurrentProcessId()) +
                          L"-" + std::to_wstring(GetTickCount());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

inline void RemoveFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name != L"." && name != L"..")
                DeleteFileW((folder + L"\\" + name).c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

struct ProcessRun {
    DWORD exitCode = 0xFFFFFFFF;
    DWORD processId = 0;
    DWORD elapsedMs = 0;
    bool finished = false;  // false: still running at the time limit, and killed
};

// Starts exe with args directly (inside job when given), standard output into outputFile when
// given, and pumps this thread's messages until it ends or timeoutMs have passed (then it is
// killed).
inline ProcessRun RunProgram(const std::wstring& exe, const std::wstring& args, DWORD timeoutMs = 60000,
                             const std::wstring& outputFile = L"", HANDLE job = nullptr)
{
    ProcessRun run;
    std::wstring line = Quoted(exe) + L" " + args;
    std::vector<wchar_t> buffer(line.begin(), line.end());
    buffer.push_back(0);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    HANDLE output = INVALID_HANDLE_VALUE;
    if (!outputFile.empty()) {
        SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
        output = CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        si.hStdOutput = output;
        si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION pi = {};
    DWORD start = GetTickCount();
    BOOL created = CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, !outputFile.empty(),
                                  job ? CREATE_SUSPENDED : 0, nullptr, nullptr, &si, &pi);
    if (output != INVALID_HANDLE_VALUE)
        CloseHandle(output);
    if (!created)
        return run;
    if (job) {
        AssignProcessToJobObject(job, pi.hProcess);
        ResumeThread(pi.hThread);
    }
    run.processId = pi.dwProcessId;
    for (;;) {
        DWORD spent = GetTickCount() - start;
        if (spent >= timeoutMs)
            break;
        DWORD wait = MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, timeoutMs - spent, QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0) {
            run.finished = true;
            break;
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    run.elapsedMs = GetTickCount() - start;
    if (!run.finished) {
        TerminateProcess(pi.hProcess, 99);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    GetExitCodeProcess(pi.hProcess, &run.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return run;
}

// The ids of the running processes that parentId started under the name exeName.
inline std::vector<DWORD> ChildProcesses(DWORD parentId, const wchar_t* exeName)
{
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ParentProcessID == parentId && lstrcmpiW(entry.szExeFile, exeName) == 0)
            ids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

// Whether a process that parentId started under the name exeName is still running.
inline bool ChildStillRunning(DWORD parentId, const wchar_t* exeName)
{
    return !ChildProcesses(parentId, exeName).empty();
}

// Waits up to about ms for every such child to be gone; true when none is left.
inline bool ChildGoneWithin(DWORD parentId, const wchar_t* exeName, DWORD ms)
{
    for (DWORD waited = 0; ChildStillRunning(parentId, exeName); waited += 100) {
        if (waited >= ms)
            return false;
        Sleep(100);
    }
    return true;
}

// Makes a media file with the built ffmpeg.exe from lavfi sources, for example
// MakeMedia(path, L"-f lavfi -i testsrc=duration=2:size=320x240 -c:v libx264 -pix_fmt yuv420p").
inline bool MakeMedia(const std::wstring& path, const std::wstring& ffmpegArgs)
{
    ProcessRun run = RunProgram(ToolPath(L"ffmpeg.exe"),
                                L"-hide_banner -loglevel error -nostdin " + ffmpegArgs + L" -y " + Quoted(path));
    return run.finished && run.exitCode == 0 && FileExists(path);
}

// Recipes for MakeMedia.
const wchar_t* const kClipH264Aac =
    L"-f lavfi -i testsrc=duration=4:size=320x240:rate=25 -f lavfi -i sine=frequency=440:duration=4 "
    L"-c:v libx264 -pix_fmt yuv420p -c:a aac -shortest -f mp4";
const wchar_t* const kToneWav = L"-f lavfi -i sine=frequency=1000:duration=2:sample_rate=44100 -c:a pcm_s16le -f wav";

}  // namespace tooltest
