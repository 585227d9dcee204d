#include "tools/ClipConverter/FfmpegProcess.h"

#include "tools/ClipConverter/CommandTranslator.h"
#include "tools/common/ArgumentQuoting.h"
#include "tools/common/KillOnCloseJob.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// A pipe whose write end the child inherits; the read end stays ours.
bool CreateOutputPipe(OwnedHandle& read, OwnedHandle& write)
{
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    if (!CreatePipe(read.Receive(), write.Receive(), &sa, 0))
        return false;
    SetHandleInformation(read.Get(), HANDLE_FLAG_INHERIT, 0);
    return true;
}

HANDLE OpenInheritableNul()
{
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    return CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                       OPEN_EXISTING, 0, nullptr);
}

// ffmpeg writes "N/A" where it has no number yet.
bool ParseInt64(const std::string& text, int64_t* value)
{
    if (text.empty() || !(isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-'))
        return false;
    *value = strtoll(text.c_str(), nullptr, 10);
    return true;
}

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, strlen(prefix), prefix) == 0;
}

}  // namespace

FfmpegProcess::~FfmpegProcess()
{
    if (m_process && WaitForSingleObject(m_process.Get(), 0) != WAIT_OBJECT_0)
        Kill();
    WaitForExit(INFINITE);
}

bool FfmpegProcess::Start(const std::wstring& exePath, const std::vector<std::wstring>& args)
{
    m_job = CreateKillOnCloseJob();
    OwnedHandle outRead, outWrite, errRead, errWrite;
    if (!m_job || !CreateOutputPipe(outRead, outWrite) || !CreateOutputPipe(errRead, errWrite))
        return false;
    OwnedFileHandle nul(OpenInheritableNul());
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = nul.Get();
    si.hStdOutput = outWrite.Get();
    si.hStdError = errWrite.Get();
    std::wstring line = QuoteArgument(exePath) + L" " + JoinArguments(args);
    std::vector<wchar_t> buffer(line.begin(), line.end());
    buffer.push_back(0);
    PROCESS_INFORMATION pi = {};
    // Suspended until it is in the job, so that nothing it starts escapes the job.
    BOOL created = CreateProcessW(exePath.c_str(), buffer.data(), nullptr, nullptr, TRUE,
                                  CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
    // Our copies of the write ends go, so that the reads end when ffmpeg's do.
    outWrite.Reset();
    errWrite.Reset();
    if (!created)
        return false;
    OwnedHandle thread(pi.hThread);
    m_process.Reset(pi.hProcess);
    AssignProcessToJobObject(m_job.Get(), m_process.Get());
    ResumeThread(thread.Get());
    m_progressReader = std::thread(&FfmpegProcess::ReadProgress, this, std::move(outRead));
    m_logReader = std::thread(&FfmpegProcess::ReadLog, this, std::move(errRead));
    return true;
}

bool FfmpegProcess::WaitForExit(DWORD ms)
{
    if (m_process && WaitForSingleObject(m_process.Get(), ms) != WAIT_OBJECT_0)
        return false;
    if (m_progressReader.joinable())
        m_progressReader.join();
    if (m_logReader.joinable())
        m_logReader.join();
    return true;
}

void FfmpegProcess::Kill()
{
    TerminateJobObject(m_job.Get(), 1);
    // In case the platform refused to nest our job inside the one we run in.
    TerminateProcess(m_process.Get(), 1);
}

DWORD FfmpegProcess::ExitCode() const
{
    DWORD code = 1;
    GetExitCodeProcess(m_process.Get(), &code);
    return code;
}

FfmpegReport FfmpegProcess::Report()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_report;
}

// "-progress pipe:1" writes blocks of key=value lines, each closed by a "progress=" line.
void FfmpegProcess::ReadProgress(OwnedHandle pipe)
{
    std::string line;
    int64_t timeUs = 0, bytes = 0;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe.Get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) {
        for (DWORD i = 0; i < got; ++i) {
            if (buffer[i] == '\n') {
                TakeProgressLine(line, &timeUs, &bytes);
                line.clear();
            } else if (buffer[i] != '\r') {
                line += buffer[i];
            }
        }
    }
}

void FfmpegProcess::TakeProgressLine(const std::string& line, int64_t* timeUs, int64_t* bytes)
{
    size_t equals = line.find('=');
    if (equals == std::string::npos)
        return;
    std::string key = line.substr(0, equals), value = line.substr(equals + 1);
    if (key == "out_time_us") {
        ParseInt64(value, timeUs);
    } else if (key == "total_size") {
        ParseInt64(value, bytes);
    } else if (key == "progress") {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_report.OutputTimeUs = *timeUs;
        m_report.BytesWritten = *bytes;
        m_report.ProgressBlocks++;
    }
}

void FfmpegProcess::ReadLog(OwnedHandle pipe)
{
    HANDLE ownError = GetStdHandle(STD_ERROR_HANDLE);
    std::string line;
    int input = -1;
    char buffer[4096];
    DWORD got = 0, written = 0;
    while (ReadFile(pipe.Get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) {
        if (ownError && ownError != INVALID_HANDLE_VALUE)
            WriteFile(ownError, buffer, got, &written, nullptr);
        for (DWORD i = 0; i < got; ++i) {
            if (buffer[i] == '\n' || buffer[i] == '\r') {
                TakeLogLine(line, &input);
                line.clear();
            } else {
                line += buffer[i];
            }
        }
    }
    TakeLogLine(line, &input);
}

// The log describes each input ("Input #N, ..." then "  Duration: 00:01:02.50, start: ...")
// before "Stream mapping:" and the outputs.
void FfmpegProcess::TakeLogLine(const std::string& line, int* input)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_report.InputsOpened)
        return;
    if (StartsWith(line, "Input #")) {
        *input = atoi(line.c_str() + 7);
        return;
    }
    if (StartsWith(line, "Stream mapping:") || StartsWith(line, "Output #")) {
        m_report.InputsOpened = true;
        return;
    }
    size_t at = line.find("Duration: ");
    if (at == std::string::npos || *input < 0)
        return;
    size_t end = line.find(',', at);
    std::string clock = line.substr(at + 10, end == std::string::npos ? std::string::npos : end - at - 10);
    int64_t us = 0;
    if (!ParseTimeUs(std::wstring(clock.begin(), clock.end()), &us))
        return;
    if (m_report.InputDurationsUs.size() <= static_cast<size_t>(*input))
        m_report.InputDurationsUs.resize(*input + 1);
    m_report.InputDurationsUs[*input] = us;
}
